// End to end: `tappomat --play FILE` on a private X server clicks a saved script into the
// target application without opening a window of its own: the rows in order with their
// pauses, the further passes of --repeat, and an --endless run that ends cleanly, with no
// click after it, when Ctrl+C (SIGINT) or SIGTERM asks it to.
#include <gtest/gtest.h>
#include <signal.h>

#include <string>
#include <thread>
#include <vector>

#include "click_target_desktop.h"
#include "support/child_process.h"
#include "support/temp_folder.h"

namespace tappomat::test {
namespace {

using namespace std::chrono_literals;

struct Row {
  Point point;
  unsigned button;  // X button number: 1 left, 3 right
  int delay;        // ms
};

// The script file of `rows` as the program saves one (Key 0 left, 1 right).
std::string ScriptText(const std::vector<Row>& rows) {
  std::string text = "[Script]\r\ncount=" + std::to_string(rows.size()) + "\r\n";
  for (size_t i = 0; i < rows.size(); ++i) {
    const std::string n = std::to_string(i + 1);
    text += "X" + n + "=" + std::to_string(rows[i].point.x) + "\r\nY" + n + "=" +
            std::to_string(rows[i].point.y) + "\r\nKey" + n + "=" +
            (rows[i].button == 3 ? "1" : "0") + "\r\nDelay" + n + "=" +
            std::to_string(rows[i].delay) + "\r\n";
  }
  return text;
}

class PlayCommandEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(desktop.WaitUntilReady()); }

  // Plays `rows` with the extra options and waits for the program to end by itself.
  int Play(const std::vector<Row>& rows, const std::vector<std::string>& options) {
    folder.Put("script.tps", ScriptText(rows));
    std::vector<std::string> args = {"--play", (folder / "script.tps").string()};
    args.insert(args.end(), options.begin(), options.end());
    ChildProcess program(TAPPOMAT_PROGRAM, args, desktop.session.DisplayName(), {},
                         (folder / "stderr").string());
    int status = -1;
    EXPECT_TRUE(WaitUntil([&] { return (status = program.TryExitStatus()) != -1; }, 20s));
    return status;
  }
  // The presses among the target's events since the start of the test.
  std::vector<TargetEvent> Presses() {
    std::vector<TargetEvent> presses;
    for (const TargetEvent& e : ReadEvents(desktop.clicksFile)) {
      if (e.kind == "press") presses.push_back(e);
    }
    return presses;
  }

  TempFolder folder;
  Desktop desktop{XvfbWindowManager::Openbox, folder / "clicks.txt"};
  const std::vector<Row> rows = {{{600, 200}, 1, 500}, {{700, 300}, 3, 300}, {{800, 420}, 1, 450}};
};

TEST_F(PlayCommandEndToEnd, PlaysTheRowsInOrderWithTheirPausesAndNoWindow) {
  EXPECT_EQ(Play(rows, {}), 0);
  WaitUntil([&] { return ReadEvents(desktop.clicksFile).size() >= 6; });  // the target may lag
  const std::vector<TargetEvent> events = ReadEvents(desktop.clicksFile);
  ASSERT_EQ(events.size(), 6u) << folder.Get("clicks.txt");
  for (size_t i = 0; i < rows.size(); ++i) {
    const TargetEvent& press = events[2 * i];
    const TargetEvent& release = events[2 * i + 1];
    EXPECT_EQ(press.kind, "press");
    EXPECT_EQ(release.kind, "release");
    EXPECT_EQ(press.button, rows[i].button);
    EXPECT_EQ(press.position.x, rows[i].point.x);
    EXPECT_EQ(press.position.y, rows[i].point.y);
  }
  // The first row runs at once; each later one waits its own delay after the one before.
  for (size_t i = 1; i < rows.size(); ++i) {
    const long gap = static_cast<long>(events[2 * i].time - events[2 * i - 2].time);
    EXPECT_GE(gap, rows[i].delay - 25) << "row " << i + 1;
    EXPECT_LT(gap, rows[i].delay + 400) << "row " << i + 1;
  }
  EXPECT_EQ(folder.Get("stderr"), "") << "no pass lines when standard error is no terminal";
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"clicks.txt", "script.tps", "stderr"}))
      << "no settings file";
}

TEST_F(PlayCommandEndToEnd, RepeatTwoGivesThreePasses) {
  std::vector<Row> quick = rows;
  for (Row& row : quick) row.delay = 60;
  EXPECT_EQ(Play(quick, {"--repeat", "2"}), 0);
  WaitUntil([&] { return Presses().size() >= 9; });  // the target may lag behind
  const std::vector<TargetEvent> presses = Presses();
  ASSERT_EQ(presses.size(), 9u);
  for (size_t i = 0; i < presses.size(); ++i) {
    EXPECT_EQ(presses[i].position.x, rows[i % 3].point.x) << "click " << i;
  }
}

TEST_F(PlayCommandEndToEnd, EndlessRunEndsOnSigintOrSigtermWithNoClickAfter) {
  folder.Put("script.tps", ScriptText({{{600, 200}, 1, 80}, {{700, 300}, 1, 80}}));
  for (int signal : {SIGINT, SIGTERM}) {
    ChildProcess program(TAPPOMAT_PROGRAM,
                         {"--play", (folder / "script.tps").string(), "--endless"},
                         desktop.session.DisplayName());
    const size_t before = Presses().size();
    ASSERT_TRUE(WaitUntil([&] { return Presses().size() >= before + 5; }, 10s));
    kill(program.Pid(), signal);
    int status = -1;
    ASSERT_TRUE(WaitUntil([&] { return (status = program.TryExitStatus()) != -1; }, 5s));
    EXPECT_EQ(status, 0) << "signal " << signal;
    const std::vector<TargetEvent> events = ReadEvents(desktop.clicksFile);
    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(ReadEvents(desktop.clicksFile).size(), events.size()) << "a click after the end";
    EXPECT_EQ(events.back().kind, "release") << "no button left down";
  }
}

}  // namespace
}  // namespace tappomat::test
