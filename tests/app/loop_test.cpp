// The main loop's pacing, through stand-ins for the three calls it makes:
// each stand-in logs its call as a letter (R draw, P poll, S step), and
// the stand-in renderer moves the timer counters as the library's timer
// service would while a frame is being drawn.
#include "app/app.h"
#include "controls/controls.h"
#include "render/scene.h"
#include "vehicle/physics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// One pass: how far each counter moves while its frame is drawn, and what
// the pass's poll returns if the pass polls.
struct pass_script {
  unsigned ticks_moved;
  unsigned iticks_moved;
  int quit;
};

std::vector<pass_script> script;
int passes; // passes begun, counted by the renderer
std::string calls;
std::vector<float> steps;

const pass_script &current_pass()
{
  return script[passes - 1];
}

std::string run_loop(std::vector<pass_script> passes_to_run,
                     unsigned start_count = 1)
{
  script = std::move(passes_to_run);
  passes = 0;
  calls.clear();
  steps.clear();
  ticks = start_count;
  iticks = start_count;
  car_state car{};
  main_loop(&car);
  return calls;
}

} // namespace

void render(const car_state *)
{
  ++passes;
  calls += 'R';
  if (passes > static_cast<int>(script.size())) {
    // A loop that does not stop when told would run for ever.
    ADD_FAILURE() << "loop ran past its script";
    script.push_back(pass_script{0, 1, 1});
  }
  ticks = ticks + current_pass().ticks_moved;
  iticks = iticks + current_pass().iticks_moved;
}

int process_input(car_state *)
{
  calls += 'P';
  return current_pass().quit;
}

void do_physics(car_state *, float delta_t)
{
  calls += 'S';
  steps.push_back(delta_t);
}

namespace
{

TEST(Loop, FirstPassPollsAndStepsWithoutAnyTick)
{
  EXPECT_EQ(run_loop({{0, 0, 1}}), "RPS");
}

TEST(Loop, PassWithNoCounterMovedOnlyDraws)
{
  EXPECT_EQ(run_loop({{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {1, 1, 1}}), "RPS"
                                                                    "R"
                                                                    "R"
                                                                    "RPS");
}

TEST(Loop, ManyTicksInOnePassGiveOneStepOfTenMilliseconds)
{
  EXPECT_EQ(run_loop({{0, 0, 0}, {250, 12, 0}, {40, 0, 0}, {0, 3, 1}}), "RPS"
                                                                        "RPS"
                                                                        "RS"
                                                                        "RP");
  ASSERT_EQ(steps.size(), 3u);
  for (float dt : steps)
    EXPECT_EQ(dt, 0.01f);
}

TEST(Loop, QuitPollFinishesItsPassThenStops)
{
  // The step after the quitting poll still runs; no frame follows.
  EXPECT_EQ(run_loop({{0, 0, 0}, {5, 1, 1}}), "RPS"
                                              "RPS");
  // Without a tick in that pass there is no step either.
  EXPECT_EQ(run_loop({{0, 0, 0}, {0, 1, 1}}), "RPS"
                                              "RP");
}

TEST(Loop, CountersWrappingPastZeroStillMove)
{
  EXPECT_EQ(run_loop({{0, 0, 0}, {1, 1, 1}}, 0xffffffffu), "RPS"
                                                           "RPS");
}

TEST(Counters, CallbacksAddOneAndWrap)
{
  ticks = 0xffffffffu;
  iticks = 7;
  ticks_timer();
  iticks_timer();
  EXPECT_EQ(ticks, 0u);
  EXPECT_EQ(iticks, 8u);
}

} // namespace
