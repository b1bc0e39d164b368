// drive_model: the demo's car for Python. The program's own step and
// keyboard poll (vehicle/, controls/), compiled as the program compiles
// them, so that a drive here has the program's digits.
#include "python/arguments.h"
#include "python/bindings.h"
#include "python/drive_arrays.h"
#include "record/keys.h"
#include "python/model_car.h"
#include "python/scripted_drive.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <array>
#include <optional>
#include <string>

namespace py = pybind11;

namespace
{

py::tuple pair(const vec2 &v)
{
  return py::make_tuple(v.x, v.y);
}

model_car new_car(int preset, std::optional<double> drag,
                  std::optional<double> resistance, std::optional<double> ca_f,
                  std::optional<double> ca_r, std::optional<double> max_grip)
{
  if (preset != 0 && preset != 1)
    throw py::value_error("preset must be 1 (F1, grippy) or 0 (F2, " +
                          std::string("slippery), not ") +
                          std::to_string(preset));
  handling h = preset_handling(preset);
  const struct {
    std::optional<double> given;
    float *field;
    const char *name;
  } overrides[] = {{drag, &h.DRAG, "DRAG"},
                   {resistance, &h.RESISTANCE, "RESISTANCE"},
                   {ca_f, &h.CA_F, "CA_F"},
                   {ca_r, &h.CA_R, "CA_R"},
                   {max_grip, &h.MAX_GRIP, "MAX_GRIP"}};
  for (const auto &o : overrides)
    if (o.given)
      *o.field = stored(*o.given, o.name);
  return make_model_car(h);
}

py::dict drive(model_car &car, const py::object &keys,
               std::optional<long> steps_given)
{
  const long steps =
      steps_given.value_or(static_cast<long>(py::len(keys)) * steps_per_poll);
  const std::vector<std::uint32_t> masks = drive_masks(keys, steps);
  const drive_arrays a = make_drive_arrays(steps);
  return drive_dict(a, model_drive(&car, masks.data(), steps, a.out));
}

// A field of one of the car's records: its name, the member, its help.
template <class record, class type> struct field {
  const char *name;
  type record::*member;
  const char *doc;
};

const field<car_state, float> state_fields[] = {
    {"angle", &car_state::angle,
     "Heading, rad; 0 faces world +y, down the road; growing turns left; "
     "never wrapped"},
    {"angular_velocity", &car_state::angular_velocity,
     "Yaw rate, rad/s; positive turns left"},
    {"steerangle", &car_state::steerangle,
     "Front wheels, rad; positive steers left; one poll of Left or Right "
     "turns them pi/1024"},
    {"throttle", &car_state::throttle, "0 to 200; 100 N of traction per unit"},
    {"brake", &car_state::brake, "0 or 100; 100 N of braking per unit"},
};

const field<car_state, vec2> vector_fields[] = {
    {"position_wc", &car_state::position_wc,
     "(x, y), m: x across the road (positive to the left), y along it; the "
     "road keeps x within 18 m and y between 500 and 1500 m"},
    {"velocity_wc", &car_state::velocity_wc, "(x, y), m/s, world frame"},
};

const field<handling, float> constant_fields[] = {
    {"DRAG", &handling::DRAG, "Air drag: force -DRAG v |v| per car axis"},
    {"RESISTANCE", &handling::RESISTANCE,
     "Rolling resistance: force -RESISTANCE v per car axis"},
    {"CA_F", &handling::CA_F,
     "Front cornering stiffness, lateral force per unit axle load per rad "
     "of slip; negative, so less grip is a smaller magnitude"},
    {"CA_R", &handling::CA_R,
     "Rear cornering stiffness, as CA_F: preset 1's is -15.2"},
    {"MAX_GRIP", &handling::MAX_GRIP,
     "Limit of the lateral force per unit axle load, either way"},
};

// Floats of the car's part record (its state or its constants).
template <class record, std::size_t count>
void add_floats(py::class_<model_car> &car,
                const field<record, float> (&fields)[count],
                record model_car::*part)
{
  for (const auto &f : fields)
    car.def_property(
        f.name,
        [m = f.member, part](const model_car &c) { return (c.*part).*m; },
        [m = f.member, part, n = f.name](model_car &c, double v) {
          (c.*part).*m = stored(v, n);
        },
        f.doc);
}

void add_fields(py::class_<model_car> &car)
{
  add_floats(car, state_fields, &model_car::state);
  add_floats(car, constant_fields, &model_car::constants);
  for (const auto &f : vector_fields)
    car.def_property(
        f.name, [m = f.member](const model_car &c) { return pair(c.state.*m); },
        [m = f.member, n = f.name](model_car &c, std::array<double, 2> v) {
          c.state.*m = stored_pair(v, n);
        },
        f.doc);
}

// The one car type's fixed parameters, as init_cartypes gives them.
py::dict car_type_fields()
{
  init_cartypes();
  const car_type &t = cartypes[0];
  py::dict d;
  d["wheelbase"] = t.wheelbase;
  d["cg_to_front_axle"] = t.cg_to_front_axle;
  d["cg_to_rear_axle"] = t.cg_to_rear_axle;
  d["mass"] = t.mass;
  d["inertia"] = t.inertia;
  return d;
}

py::dict key_bits()
{
  py::dict bits;
  for (int i = 0; i < key_count; ++i)
    bits[key_names[i]] = 1u << i;
  return bits;
}

} // namespace

PYBIND11_MODULE(drive_model, m)
{
  m.doc() = "The demo's car: its own physics step and keyboard poll.";
  m.attr("STEP") = model_step_length;
  m.attr("KEYS") = key_bits();
  m.attr("CAR_TYPE") = car_type_fields();
  m.def(
      "key_mask", [](py::handle keys) { return mask_of(keys); },
      py::arg("keys"),
      "The mask of the keys held at one poll: a key's name, names, or a "
      "mask. Bit i stands for list(KEYS)[i].");

  py::class_<model_car> car(m, "Car",
                            "A car as the program starts one: at (0, -25), "
                            "at rest, with handling constants of its own.");
  car.def(py::init(&new_car), py::arg("preset") = 1, py::kw_only(),
          py::arg("DRAG") = py::none(), py::arg("RESISTANCE") = py::none(),
          py::arg("CA_F") = py::none(), py::arg("CA_R") = py::none(),
          py::arg("MAX_GRIP") = py::none(),
          "Handling preset 1 (F1, grippy) or 0 (F2, slippery), with any of "
          "its five constants replaced.");
  add_fields(car);
  add_part_fields(car);
  car.def_property_readonly("speed", &model_speed,
                            "m/s, the magnitude of velocity_wc");
  car.def_property_readonly("forward_speed", &model_forward_speed,
                            "m/s, velocity_wc along the car's heading");
  car.def("step", &model_step, "One step of STEP seconds.");
  car.def(
      "poll",
      [](model_car &c, py::handle keys) {
        return model_poll(&c, mask_of(keys)) != 0;
      },
      py::arg("keys"),
      "One keyboard poll with the given keys held (as key_mask takes "
      "them); True when Escape asks to quit.");
  car.def("reset", &model_reset,
          "Back to the start at rest, as F12 does; the handling stays.");
  car.def("drive", &drive, py::arg("keys"), py::arg("steps") = py::none(),
          "Drives as the program's loop does, a poll before every second "
          "step, keys[i] at poll i (an array of masks); steps defaults to "
          "two a poll. Escape ends the drive after the step of its poll. "
          "Returns each field after every step and each part of every "
          "step, as numpy arrays.");
  add_record_functions(m);
}
