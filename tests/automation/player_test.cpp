#include "automation/player.h"

#include <gtest/gtest.h>

#include "automation/script_table.h"
#include "automation_fakes.h"
#include "platform/virtual_keys.h"
#include "ui/convert.h"
#include "ui/ui_fixture.h"

namespace tappomat {
namespace {

using namespace std::chrono_literals;
const std::string kLeftClick[] = {"event 2", "event 4"};

class PlayerTest : public test::UiTest {
 protected:
  void Start() {
    controls.runDown = true;
    player.Apply();
  }
  // Lets the armed wait pass (plus `late`) and runs the step.
  void Fire(std::chrono::milliseconds late = 0ms) {
    ASSERT_TRUE(timer.armed);
    timer.now = timer.due + late;
    player.Step();
  }
  std::vector<std::string> TakeLog() { return std::exchange(input.log, {}); }

  TStringGrid* grid = test::MakeScriptGrid(app.get());
  ScriptTable table{*grid};
  test::FakeInput input;
  test::FakeScheduler timer;
  test::FakeControls controls;
  Player player{table, input, timer, controls};
};

TEST_F(PlayerTest, EmptyScriptReleasesTheRunButtonAtOnce) {
  Start();
  EXPECT_FALSE(controls.runDown);
  EXPECT_FALSE(timer.armed);
  EXPECT_EQ(table.FindStartMarker(), 0);
}

TEST_F(PlayerTest, OneRowOnePassThenNoMarkerRemains) {
  table.Append(10, 20, 0, 500);
  Start();
  EXPECT_EQ(timer.WaitMs(), 1) << "the first row runs after 1 ms whatever its delay";
  EXPECT_EQ(table.FindStartMarker(), 1);
  Fire();
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"move 10,20", "event 2", "event 4"}));
  EXPECT_FALSE(controls.runDown);
  EXPECT_FALSE(timer.armed);
  EXPECT_EQ(table.FindStartMarker(), 0);
}

TEST_F(PlayerTest, RepeatCounterGivesKPlusOnePassesWithTheRowDelays) {
  table.Append(1, 1, 0, 100);
  table.Append(2, 2, 1, 200);
  table.Append(3, 3, 5, 300);
  controls.repeat = 2;
  Start();
  std::vector<long long> waits;
  std::vector<int> counters;
  int performed = 0;
  while (timer.armed) {
    Fire();
    performed += static_cast<int>(TakeLog().size() > 0);
    if (timer.armed) waits.push_back(timer.WaitMs());
    counters.push_back(controls.repeat);
  }
  EXPECT_EQ(performed, 9);
  EXPECT_EQ(waits, (std::vector<long long>{200, 300, 100, 200, 300, 100, 200, 300}));
  EXPECT_EQ(counters, (std::vector<int>{2, 2, 1, 1, 1, 0, 0, 0, 0}));
  EXPECT_EQ(controls.passesEnded, 3);
  EXPECT_FALSE(controls.runDown);
}

TEST_F(PlayerTest, FirstRowWaitsWhileAltIsHeldFromTheChord) {
  table.Append(10, 20, 0, 500);
  table.Append(30, 40, 0, 500);
  input.pressed[VK_MENU] = true;
  Start();
  Fire();
  Fire();
  EXPECT_TRUE(input.log.empty()) << "no click while Alt is down";
  EXPECT_EQ(timer.WaitMs(), 5);
  input.pressed[VK_MENU] = false;
  Fire();
  EXPECT_EQ(TakeLog().front(), "move 10,20");
  input.pressed[VK_MENU] = true;  // later rows do not wait for Alt
  Fire();
  EXPECT_EQ(TakeLog().front(), "move 30,40");
}

TEST_F(PlayerTest, ButtonCodesAndEmptyXCell) {
  table.Append(1, 1, 1, 0);
  table.Append(2, 2, -1, 0);
  table.Append(3, 3, 0, 0);
  table.SetCell(kXCol, 3, "");
  Start();
  Fire();
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"move 1,1", "event 8", "event 16"}));
  Fire();
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"move 2,2"})) << "-1 only moves";
  Fire();
  EXPECT_TRUE(TakeLog().empty()) << "an empty X cell skips the row";
}

TEST_F(PlayerTest, EndlessRepeatKeepsTheCounter) {
  table.Append(1, 1, 0, 50);
  controls.repeat = 7;
  controls.endless = true;
  Start();
  for (int i = 0; i < 20; ++i) Fire();
  EXPECT_TRUE(controls.runDown);
  EXPECT_EQ(controls.repeat, 7);
  EXPECT_EQ(controls.passesEnded, 20);
  EXPECT_EQ(timer.WaitMs(), 50);
}

TEST_F(PlayerTest, StopAndStartResumesAtTheMarkedRowAfterOneMs) {
  for (int i = 1; i <= 3; ++i) table.Append(i, i, 0, 400);
  Start();
  Fire();
  controls.runDown = false;
  player.Apply();
  EXPECT_FALSE(timer.armed);
  EXPECT_EQ(table.FindStartMarker(), 2);
  TakeLog();
  Start();
  EXPECT_EQ(timer.WaitMs(), 1);
  Fire();
  EXPECT_EQ(TakeLog().front(), "move 2,2");
}

TEST_F(PlayerTest, ConversionFailuresHaltPlaybackWhereTheRulesSay) {
  table.Append(1, 1, 0, 10);
  table.Append(2, 2, 0, 10);
  table.SetCell(kYCol, 1, "y?");
  table.SetCell(kXCol, 1, "x?");
  Start();
  timer.now = timer.due;
  try {
    player.Step();
    FAIL() << "no failure";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'y?' is not a valid integer value") << "Y is read first";
  }
  EXPECT_TRUE(input.log.empty()) << "the pointer did not move";
  EXPECT_FALSE(controls.runDown) << "playback ends";
  EXPECT_FALSE(timer.armed);
  EXPECT_EQ(table.FindStartMarker(), 1) << "the failing row keeps the marker";

  // A bad delay fails after the row was performed and the marker moved on.
  table.SetCell(kYCol, 1, "1");
  table.SetCell(kXCol, 1, "1");
  table.SetCell(kDelayCol, 2, "soon");
  Start();
  timer.now = timer.due;
  EXPECT_THROW(player.Step(), EConvertError);
  EXPECT_EQ(TakeLog().size(), 3u);
  EXPECT_EQ(table.FindStartMarker(), 2);
  EXPECT_FALSE(controls.runDown);
  EXPECT_FALSE(timer.armed);

  // A coordinate past 32 bits loads from a file but does not convert for playback.
  table.SetCell(kDelayCol, 2, "10");
  table.SetCell(kXCol, 2, "99999999999");
  Start();
  timer.now = timer.due;
  EXPECT_THROW(player.Step(), EConvertError);
  EXPECT_FALSE(controls.runDown);
  EXPECT_EQ(table.FindStartMarker(), 2);
}

TEST_F(PlayerTest, ChangesDuringPlaybackAreSeenByTheNextStep) {
  for (int i = 1; i <= 4; ++i) table.Append(i, i, 0, 100);
  Start();
  Fire();                     // row 1
  table.PlaceStartMarker(3);  // a double click moves the marker
  table.SetCell(kYCol, 3, "33");
  Fire();
  EXPECT_EQ(TakeLog()[3], "move 3,33");
  table.Append(5, 5, 0, 100);  // appended at the end: reached in this pass
  Fire();                      // row 4
  EXPECT_EQ(table.FindStartMarker(), 5);
  table.DeleteRow(5);  // the marked row leaves: the next step ends the pass
  Fire();
  EXPECT_FALSE(controls.runDown);
  EXPECT_EQ(TakeLog().size(), 3u) << "only row 4 was performed";
}

TEST_F(PlayerTest, ClearingTheTableMakesTheNextStepReleaseTheButton) {
  table.Append(1, 1, 0, 100);
  table.Append(2, 2, 0, 100);
  Start();
  table.Clear();
  Fire();
  EXPECT_FALSE(controls.runDown);
  EXPECT_TRUE(input.log.empty());
}

TEST_F(PlayerTest, DelaysAreMeasuredFromWhenTheStepWasDue) {
  for (int i = 1; i <= 5; ++i) table.Append(i, i, 0, 100);
  Start();
  const auto start = timer.due;
  Fire();
  EXPECT_EQ(timer.due, start + 100ms);
  Fire(3ms);  // ran 3 ms late: the next wait makes up for it
  EXPECT_EQ(timer.due, start + 200ms);
  Fire(99ms);  // late, but less than one whole wait
  EXPECT_EQ(timer.due, start + 300ms);
  Fire(250ms);  // a stall: timing restarts from the end of this step
  EXPECT_EQ(timer.due, timer.now + 100ms);
}

TEST_F(PlayerTest, ShortDelaysMakeUpForSmallHiccups) {
  for (int i = 1; i <= 5; ++i) table.Append(i, i, 0, 1);
  Start();
  Fire();
  const auto due = timer.due;
  Fire(15ms);  // later than the wait, but within the 20 ms grace: the rate is kept
  EXPECT_EQ(timer.due, due + 1ms);
  Fire(25ms);  // beyond the grace: a stall
  EXPECT_EQ(timer.due, timer.now + 1ms);
}

TEST_F(PlayerTest, ZeroNegativeAndHugeDelays) {
  table.Append(1, 1, 0, 0);
  table.Append(2, 2, 0, 0);
  table.Append(3, 3, 0, 0);
  table.SetCell(kDelayCol, 2, "0");
  table.SetCell(kDelayCol, 3, "-40");
  Start();
  Fire();
  EXPECT_TRUE(timer.armed);
  EXPECT_LE(timer.due, timer.now) << "a zero wait is due at once";
  Fire();
  EXPECT_LE(timer.due, timer.now) << "a negative delay counts as 0";
  EXPECT_EQ(player.ReadDelay(3), 0);
  table.SetCell(kDelayCol, 3, "4294967295");
  EXPECT_EQ(player.ReadDelay(3), 4294967295LL);
  table.SetCell(kDelayCol, 3, "99999999999");
  EXPECT_EQ(player.ReadDelay(3), 4294967295LL);
}

}  // namespace
}  // namespace tappomat
