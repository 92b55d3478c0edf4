#include "player_run.h"

#include <sys/resource.h>

#include <chrono>
#include <fstream>
#include <memory>

#include "automation/input_service.h"
#include "automation/player.h"
#include "automation/script_table.h"
#include "automation/step_timer.h"
#include "platform/x11/x11_factory.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/string_grid.h"
#include "win/window_system.h"

namespace tappomat {
namespace {

// The main window's run button and repeat controls as plain fields: one pass, and the
// loop ends when the player lets the run button go.
class RunControls final : public PlayerControls {
 public:
  bool RunButtonDown() override { return m_down; }
  void ReleaseRunButton() override {
    m_down = false;
    if (Application) Application->Terminate();
  }
  int RepeatCount() override { return 0; }
  void SetRepeatCount(int) override {}
  bool EndlessRepeat() override { return false; }

  void PressRunButton() { m_down = true; }

 private:
  bool m_down = false;
};

double CpuSecondsOfThisProcess() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Seconds this thread has waited on a run queue, from the scheduler's statistics
// (0 when the kernel does not keep them).
double RunQueueSecondsOfThisThread() {
  std::ifstream in("/proc/thread-self/schedstat");
  unsigned long long onCpu = 0, waiting = 0;
  if (!(in >> onCpu >> waiting)) return 0;
  return static_cast<double>(waiting) * 1e-9;
}

}  // namespace

PlayerRun RunPlayer(const std::string& displayName, Point at, int clicks, int delayMs) {
  PlayerRun run;
  std::unique_ptr<Platform> platform = CreateX11Platform(displayName.c_str());
  if (!platform) {
    run.error = "cannot open display " + displayName;
    return run;
  }
  WindowSystem system(*platform);
  TApplication application;
  application.SetShowMainForm(false);
  application.ShowErrorBox = [&](const std::string&, const std::string& text) {
    run.error = text;
    application.Terminate();
  };
  // A hidden main form owns the grid and the step timer, as the main window does; the
  // application's Run serves the loop until Terminate.
  TForm* form = Create<TForm>(&application);
  TStringGrid* grid = Create<TStringGrid>(form);
  grid->SetColCount(kScriptColumns);
  grid->SetRowCount(2);
  grid->SetFixedCols(0);
  grid->SetFixedRows(1);
  ScriptTable table(*grid);
  for (int i = 0; i < clicks; ++i) table.Append(at.x, at.y, 0, delayMs);

  PlatformInputService input(*platform);
  TStepTimer* timer = Create<TStepTimer>(form);
  RunControls controls;
  Player player(table, input, *timer, controls);
  timer->OnTimer = [&](TComponent*) { player.Step(); };

  const double cpuBefore = CpuSecondsOfThisProcess();
  const double queuedBefore = RunQueueSecondsOfThisThread();
  const auto wallBefore = std::chrono::steady_clock::now();
  controls.PressRunButton();
  player.Apply();
  application.Run();
  run.wallSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
  run.cpuSeconds = CpuSecondsOfThisProcess() - cpuBefore;
  run.runQueueSeconds = RunQueueSecondsOfThisThread() - queuedBefore;
  run.ok = run.error.empty();
  return run;
}

}  // namespace tappomat
