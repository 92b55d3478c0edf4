#include "automation/input_poller.h"

#include <gtest/gtest.h>

#include "automation_fakes.h"
#include "platform/virtual_keys.h"

namespace tappomat {
namespace {

// The main window as the poller sees it: the gate follows the record state, and the
// chords toggle it like the real commands do.
class FakeHost : public PollerHost {
 public:
  void ShowPointer(const std::string& readout) override { this->readout = readout; }
  void RunCommand() override {
    log.push_back("run");
    recording = false;
  }
  void RecordCommand() override {
    log.push_back("record");
    recording = !recording;
  }
  bool CaptureGateOpen() override { return recording || captureMode != 0; }
  void AddToScript(int x, int y, int button) override {
    log.push_back("add " + std::to_string(x) + "," + std::to_string(y) + " " +
                  std::to_string(button));
  }

  std::string readout;
  bool recording = false;
  int captureMode = 0;
  std::vector<std::string> log;
};

class PollerTest : public ::testing::Test {
 protected:
  // One tick with exactly these keys seen pressed.
  void Tick(std::initializer_list<int> keys, Point pointer = {0, 0}) {
    input.pressed.clear();
    for (int key : keys) input.pressed[key] = true;
    input.pointer = pointer;
    poller.Tick();
  }
  std::vector<std::string> TakeLog() { return std::exchange(host.log, {}); }

  test::FakeInput input;
  FakeHost host;
  InputPoller poller{input, host};
};

TEST_F(PollerTest, ReadoutShowsThePointer) {
  Tick({}, {1920, 7});
  EXPECT_EQ(host.readout, "1920 : 7");
}

// A tick asks for the next one unless the system tells of every input event and none
// came since the previous tick.
TEST_F(PollerTest, ATickWithoutNewInputEventsLetsTicksPause) {
  const struct {
    std::optional<std::uint64_t> events;
    bool next;
  } ticks[] = {
      {std::nullopt, true}, {std::nullopt, true},  // not told: always poll
      {0, true},                                   // the first count
      {0, false}, {0, false},                      // nothing new
      {3, true},                                   // input came
      {3, false},
      {4, true},
  };
  for (const auto& t : ticks) {
    input.inputEvents = t.events;
    EXPECT_EQ(poller.Tick(), t.next) << (t.events ? std::to_string(*t.events) : "none");
  }
}

TEST_F(PollerTest, ATickAsksItsQuestionsInsideOneSnapshot) {
  host.recording = true;
  Tick({VK_LBUTTON});
  Tick({VK_MENU, VK_F2});
  Tick({VK_MENU});
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"add 0,0 0", "run"}));
  EXPECT_EQ(input.queriesOutsideSnapshot, 0);
  EXPECT_EQ(input.snapshotDepth, 0) << "closed at the end of the tick";
}

TEST_F(PollerTest, ChordsActOnReleaseWithAltHeld) {
  struct Case {
    const char* name;
    std::vector<std::vector<int>> ticks;
    std::vector<std::string> expected;
  } cases[] = {
      {"Alt+F2 released with Alt", {{VK_MENU, VK_F2}, {VK_MENU}}, {"run"}},
      {"Alt+F1 released with Alt", {{VK_MENU, VK_F1}, {VK_MENU}}, {"record"}},
      {"held for many ticks acts once",
       {{VK_MENU, VK_F2}, {VK_MENU, VK_F2}, {VK_MENU, VK_F2}, {VK_MENU}, {VK_MENU}},
       {"run"}},
      {"F2 alone", {{VK_F2}, {}}, {}},
      {"Alt released first", {{VK_MENU, VK_F2}, {VK_F2}, {}}, {}},
      {"latch consumed without Alt", {{VK_F2}, {}, {VK_MENU}}, {}},
      {"both chords in one tick: F2 first", {{VK_MENU, VK_F1, VK_F2}, {VK_MENU}},
       {"run", "record"}},
  };
  for (const Case& c : cases) {
    InputPoller fresh{input, host};
    for (const auto& keys : c.ticks) {
      input.pressed.clear();
      for (int key : keys) input.pressed[key] = true;
      fresh.Tick();
    }
    EXPECT_EQ(TakeLog(), c.expected) << c.name;
  }
}

TEST_F(PollerTest, ClicksAreCapturedAtTheReleasePointOnlyThroughTheGate) {
  Tick({VK_LBUTTON}, {5, 5});
  Tick({}, {6, 6});
  EXPECT_TRUE(TakeLog().empty()) << "gate closed: nothing captured";

  host.recording = true;
  Tick({VK_LBUTTON}, {10, 10});  // a drag: pressed here ...
  Tick({VK_LBUTTON}, {50, 60});
  Tick({}, {70, 80});  // ... released there
  Tick({VK_RBUTTON}, {1, 2});
  Tick({}, {3, 4});
  Tick({VK_LBUTTON, VK_RBUTTON}, {9, 9});
  Tick({}, {9, 9});
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"add 70,80 0", "add 3,4 1", "add 9,9 0",
                                                 "add 9,9 1"}));
}

TEST_F(PollerTest, ClicksInOurOwnWindowsAreNotCapturedAndConsumeTheLatch) {
  host.recording = true;
  input.active = true;
  Tick({VK_LBUTTON});
  Tick({});
  input.active = false;
  Tick({});
  EXPECT_TRUE(TakeLog().empty());
}

TEST_F(PollerTest, LatchesKeepTheirValueWhileTheGateIsClosed) {
  Tick({VK_LBUTTON}, {1, 1});  // gate closed, latch not looked at
  host.captureMode = 1;
  Tick({}, {2, 2});
  EXPECT_TRUE(TakeLog().empty()) << "the press was never seen through the gate";
  Tick({VK_LBUTTON}, {3, 3});
  host.captureMode = 0;
  Tick({}, {4, 4});  // gate closed again: the latch stays set
  host.captureMode = 2;
  Tick({}, {5, 5});
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"add 5,5 0"}));
}

// The platform reports "pressed since the previous query"; the ticks with the gate closed
// still query, so a click long before recording starts is not captured when it starts.
class LatchingInput : public test::FakeInput {
 public:
  std::uint16_t GetAsyncKeyState(int virtualKey) override {
    const bool was = pressed[virtualKey] || latched[virtualKey];
    latched[virtualKey] = false;
    return was ? 1 : 0;
  }
  std::map<int, bool> latched;
};

TEST_F(PollerTest, AClickBeforeRecordingStartsIsNotCaptured) {
  LatchingInput latching;
  FakeHost closedThenOpen;
  InputPoller fresh{latching, closedThenOpen};
  latching.latched[VK_LBUTTON] = true;  // clicked and released between two ticks
  fresh.Tick();                        // gate closed
  closedThenOpen.recording = true;
  fresh.Tick();
  fresh.Tick();
  EXPECT_TRUE(closedThenOpen.log.empty());
}

TEST_F(PollerTest, AChordCanOpenTheGateForTheSameTick) {
  Tick({VK_MENU, VK_F1, VK_LBUTTON}, {1, 1});
  Tick({VK_MENU, VK_LBUTTON}, {2, 2});  // recording starts; left latch set now
  Tick({VK_MENU}, {3, 3});
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"record", "add 3,3 0"}));
}

TEST_F(PollerTest, StoppingRecordingClearsTheMouseLatches) {
  host.recording = true;
  Tick({VK_LBUTTON});
  poller.ClearMouseLatches();
  host.captureMode = 1;
  Tick({});
  EXPECT_TRUE(TakeLog().empty());
}

}  // namespace
}  // namespace tappomat
