// The handling report's figures against what physics says they must be.
#include "tests/support/case_name.h"
#include "tools/handling/manoeuvres.h"
#include "tools/handling/single_track.h"
#include "tools/handling/svg_chart.h"
#include "vehicle/constants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>

namespace
{

const double kmh = 3.6;

struct preset_case {
  const char *name;
  int preset;
  double top_speed_kmh; // where 100 * 200 N = DRAG v^2 + RESISTANCE v
  double max_grip;      // lateral force limit per unit axle load
};

void PrintTo(const preset_case &c, std::ostream *out)
{
  *out << c.name;
}

class Handling : public testing::TestWithParam<preset_case>
{
};

TEST_P(Handling, TopSpeedIsWhereTractionMeetsDragAndRolling)
{
  const acceleration_result r = run_acceleration(GetParam().preset);
  EXPECT_NEAR(r.top_speed * kmh, GetParam().top_speed_kmh, 0.05);
  EXPECT_NEAR(r.top_speed, r.balance_speed, 0.001);
}

// Full traction alone gives 13.3 m/s^2, so 100 km/h takes at least
// 2.08 s; the throttle needs 2 s to come up, so it takes longer still.
TEST_P(Handling, HundredTakesLongerThanFullTractionAllowsFromTheStart)
{
  const acceleration_result r = run_acceleration(GetParam().preset);
  EXPECT_GT(r.time_to_100, (100.0 / kmh) / (20000.0 / 1500.0));
  EXPECT_LT(r.time_to_100, 6.0);
}

// The brake alone decelerates at 10000 N / 1500 kg = 6.67 m/s^2; drag and
// rolling resistance only add to it.
TEST_P(Handling, BrakingStopsWithinWhatTheBrakeAloneAllows)
{
  const braking_result r = run_braking(GetParam().preset);
  const double v = r.start_speed, decel = 10000.0 / 1500.0;
  EXPECT_GE(v * kmh, 100.0);
  EXPECT_LT(r.stop_time, v / decel + 0.02);
  EXPECT_LT(r.stop_distance, v * v / (2 * decel) + v * 0.02);
  EXPECT_GT(r.stop_distance, 0.0);
  // Once stopped the brake only jitters the car about zero speed.
  EXPECT_LT(r.after_stop_speed, 1.0);
}

TEST_P(Handling, LeftTurnsLeftAndScrubsSpeed)
{
  for (double speed : {60.0, 120.0}) {
    const step_steer_result r = run_step_steer(GetParam().preset, speed);
    EXPECT_NEAR(r.entry_speed * kmh, speed, 3.0);
    EXPECT_GT(r.peak_yaw_rate, 0.0) << "a growing heading is a left turn";
    EXPECT_GT(r.heading_change, 0.0);
    // With no throttle change, cornering drag only slows the car.
    EXPECT_LT(r.final_speed, r.entry_speed);
  }
}

// A steady circle's radius from speed / yaw rate must match the circle
// the open-plane path draws. Both axles' lateral forces are held to
// MAX_GRIP * weight, so the lateral acceleration is at most MAX_GRIP * g.
TEST_P(Handling, FullLockCircleMatchesItsPath)
{
  const circle_result r = run_full_lock_circle(GetParam().preset);
  ASSERT_TRUE(r.steady) << r.why_not;
  const std::size_t last_turn = 200; // 10 s of samples
  double lo = 1e9, hi = -1e9;
  for (std::size_t i = r.samples.size() - last_turn; i < r.samples.size();
       ++i) {
    lo = std::min(lo, r.samples[i].path_x);
    hi = std::max(hi, r.samples[i].path_x);
  }
  EXPECT_NEAR((hi - lo) / 2, r.radius, 0.05 * r.radius);
  EXPECT_LE(r.lateral_accel, GetParam().max_grip * gravity * 1.01);
}

INSTANTIATE_TEST_SUITE_P(Presets, Handling,
                         testing::Values(preset_case{"one", 1, 169.1, 5.0},
                                         preset_case{"zero", 0, 217.1, 2.0}),
                         case_name());

struct steady_case {
  const char *name;
  int preset;
  double speed_kmh;
  double understeer; // rad per m/s^2: (1/|CA_F| - 1/|CA_R|) / g by hand
};

void PrintTo(const steady_case &c, std::ostream *out)
{
  *out << c.name;
}

class SteadySteer : public testing::TestWithParam<steady_case>
{
};

// The wheels stay where they were put, and the turn settles where the
// single-track model settles once its wheelbase is replaced by what the
// model's slip angles use, 2 * 0.1 * wheelbase. Within 2.5%: the rest is
// the rolling resistance and drag on the sideways speed, which push the
// car towards the centre of the turn.
TEST_P(SteadySteer, SettlesAtTheSingleTrackGainWithTheModelsYawTerm)
{
  const steady_case &c = GetParam();
  const float steer = one_poll_of_left();
  EXPECT_FLOAT_EQ(steer, pi / 1024);
  const steady_steer_result r = run_steady_steer(c.preset, c.speed_kmh, steer);
  ASSERT_TRUE(r.steady) << r.why_not;
  for (const sample &s : r.samples)
    ASSERT_EQ(s.steer, steer) << "at " << s.time << " s";
  EXPECT_NEAR(r.speed * kmh, c.speed_kmh, 0.05 * c.speed_kmh);

  const single_track s = single_track_of(cartypes[0]);
  EXPECT_NEAR(s.understeer, c.understeer, 0.001 * c.understeer);
  EXPECT_DOUBLE_EQ(s.yaw_length, 0.4);
  const double predicted = yaw_gain(r.speed, s.yaw_length, s.understeer);
  EXPECT_NEAR(r.yaw_rate / r.steer, predicted, 0.025 * predicted);
}

INSTANTIATE_TEST_SUITE_P(
    Turns, SteadySteer,
    testing::Values(steady_case{"one_at_30", 1, 30.0, 8.9515e-5},
                    steady_case{"one_at_150", 1, 150.0, 8.9515e-5},
                    steady_case{"zero_at_60", 0, 60.0, 7.8493e-4},
                    steady_case{"zero_at_150", 0, 150.0, 7.8493e-4}),
    case_name());

TEST(SvgChart, AxesCarryTheirUnitsAndEveryPointIsDrawn)
{
  chart c{"title", "time (s)", "speed (km/h)", {}, false};
  c.series.push_back({"a", "red", {{0, 0}, {1, 10}, {2, 15}}});
  const std::string svg = chart_svg(c);
  EXPECT_NE(svg.find("time (s)"), std::string::npos);
  EXPECT_NE(svg.find("speed (km/h)"), std::string::npos);
  const std::size_t line = svg.find("<polyline");
  ASSERT_NE(line, std::string::npos);
  const std::string points = svg.substr(line, svg.find("/>", line) - line);
  EXPECT_EQ(std::count(points.begin(), points.end(), ','), 3);
}

struct style_case {
  series_style style;
  const char *mark; // drawn once per point, or once for the series
  int count;
  bool dashed;
};

TEST(SvgChart, EachStyleDrawsItsMarks)
{
  const style_case cases[] = {{series_style::line, "<polyline", 1, false},
                              {series_style::dashed, "<polyline", 1, true},
                              {series_style::dots, "<circle cx", 3 + 1, false}};
  for (const style_case &k : cases) {
    chart c{"title", "x", "y", {}, false};
    c.series.push_back({"a", "red", {{0, 0}, {1, 10}, {2, 15}}, k.style});
    const std::string svg = chart_svg(c);
    int found = 0;
    for (std::size_t at = svg.find(k.mark); at != std::string::npos;
         at = svg.find(k.mark, at + 1))
      ++found;
    EXPECT_EQ(found, k.count) << k.mark << " (one more in the legend)";
    EXPECT_EQ(svg.find("stroke-dasharray") != std::string::npos, k.dashed);
  }
}

} // namespace
