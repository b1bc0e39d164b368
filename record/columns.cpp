#include "record/columns.h"

#include "record/drive_row.h"

#include <cstddef>

#define AT(member) offsetof(drive_row, member)

const record_column record_columns[] = {
    {"step", "1", column_type::count, AT(step)},
    {"time", "s", column_type::model_time, AT(step)},
    {"wall_time", "s", column_type::seconds, AT(wall_time)},
    {"polled", "-", column_type::flag, AT(polled)},
    {"stepped", "-", column_type::flag, AT(stepped)},
    {"keys", "-", column_type::keys, AT(keys)},
    // The car, world frame: x across the road, y along it.
    {"position_wc.x", "m", column_type::f32, AT(car.position_wc.x)},
    {"position_wc.y", "m", column_type::f32, AT(car.position_wc.y)},
    {"velocity_wc.x", "m/s", column_type::f32, AT(car.velocity_wc.x)},
    {"velocity_wc.y", "m/s", column_type::f32, AT(car.velocity_wc.y)},
    {"angle", "rad", column_type::f32, AT(car.angle)},
    {"angular_velocity", "rad/s", column_type::f32, AT(car.angular_velocity)},
    {"steerangle", "rad", column_type::f32, AT(car.steerangle)},
    {"throttle", "1", column_type::f32, AT(car.throttle)},
    {"brake", "1", column_type::f32, AT(car.brake)},
    // The step's parts, car frame: x forward, y to the left.
    {"velocity.x", "m/s", column_type::f32, AT(parts.velocity.x)},
    {"velocity.y", "m/s", column_type::f32, AT(parts.velocity.y)},
    {"slipanglefront", "rad", column_type::f64, AT(parts.slipanglefront)},
    {"slipanglerear", "rad", column_type::f64, AT(parts.slipanglerear)},
    {"weight", "N", column_type::f64, AT(parts.weight)},
    {"flatf.x", "N", column_type::f32, AT(parts.flatf.x)},
    {"flatf.y", "N", column_type::f32, AT(parts.flatf.y)},
    {"flatr.x", "N", column_type::f32, AT(parts.flatr.x)},
    {"flatr.y", "N", column_type::f32, AT(parts.flatr.y)},
    {"ftraction.x", "N", column_type::f32, AT(parts.ftraction.x)},
    {"ftraction.y", "N", column_type::f32, AT(parts.ftraction.y)},
    {"resistance.x", "N", column_type::f32, AT(parts.resistance.x)},
    {"resistance.y", "N", column_type::f32, AT(parts.resistance.y)},
    {"force.x", "N", column_type::f32, AT(parts.force.x)},
    {"force.y", "N", column_type::f32, AT(parts.force.y)},
    {"torque", "N m", column_type::f64, AT(parts.torque)},
    {"acceleration.x", "m/s^2", column_type::f32, AT(parts.acceleration.x)},
    {"acceleration.y", "m/s^2", column_type::f32, AT(parts.acceleration.y)},
    {"angular_acceleration", "rad/s^2", column_type::f64,
     AT(parts.angular_acceleration)},
    // The handling constants, which F1 and F2 set.
    {"DRAG", "kg/m", column_type::f32, AT(constants.DRAG)},
    {"RESISTANCE", "kg/s", column_type::f32, AT(constants.RESISTANCE)},
    {"CA_F", "1/rad", column_type::f32, AT(constants.CA_F)},
    {"CA_R", "1/rad", column_type::f32, AT(constants.CA_R)},
    {"MAX_GRIP", "1", column_type::f32, AT(constants.MAX_GRIP)},
};

const int record_column_count =
    static_cast<int>(sizeof record_columns / sizeof record_columns[0]);
