#include "app/play_command.h"

#include <cstdio>
#include <exception>
#include <system_error>

#include "automation/input_service.h"
#include "automation/player.h"
#include "automation/script_table.h"
#include "platform/platform.h"
#include "ui/component.h"
#include "ui/string_grid.h"
#include "win/window_system.h"

namespace tappomat {

namespace {

// The step timer on the platform's clock: the play loop below waits for its moment.
class PlatformStepScheduler final : public StepScheduler {
 public:
  explicit PlatformStepScheduler(Platform& platform) : m_platform(platform) {}
  Clock::time_point Now() override { return m_platform.Now(); }
  void ArmAt(Clock::time_point due) override {
    m_due = due;
    m_armed = true;
  }
  void Disarm() override { m_armed = false; }
  bool Armed() const override { return m_armed; }
  Clock::time_point Due() const { return m_due; }

 private:
  Platform& m_platform;
  Clock::time_point m_due{};
  bool m_armed = false;
};

// The run button, the repeat counter and the endless box of the command line.
class CommandLineControls final : public PlayerControls {
 public:
  explicit CommandLineControls(const PlayRequest& request)
      : m_repeat(request.furtherPasses),
        m_endless(request.endless),
        m_report(request.reportPasses),
        m_totalPasses(static_cast<long long>(request.furtherPasses) + 1) {}
  bool RunButtonDown() override { return m_running; }
  void ReleaseRunButton() override { m_running = false; }
  int RepeatCount() override { return m_repeat; }
  void SetRepeatCount(int count) override { m_repeat = count; }
  bool EndlessRepeat() override { return m_endless; }
  void PassEnded() override {
    ++m_passes;
    if (!m_report) return;
    if (m_endless) {
      std::fprintf(stderr, "tappomat: pass %lld played\n", m_passes);
    } else {
      std::fprintf(stderr, "tappomat: pass %lld of %lld played\n", m_passes, m_totalPasses);
    }
  }
  void Stop() { m_running = false; }

 private:
  bool m_running = true;
  int m_repeat;
  bool m_endless;
  bool m_report;
  long long m_totalPasses;  // --repeat may be as large as an int holds
  long long m_passes = 0;
};

}  // namespace

LoadedScript LoadScriptToPlay(const std::filesystem::path& file) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(file, error);
  const std::filesystem::path& shown = error ? file : full;
  if (!std::filesystem::exists(shown, error)) {
    LoadedScript missing;
    missing.error = "Unable to read " + shown.string() + ": no such file";
    return missing;
  }
  LoadedScript script = LoadScript(shown);
  if (script.error.empty() && script.rows.empty()) {
    script.error = shown.string() + " holds no script rows to play";
  }
  return script;
}

int PlayScript(Platform& platform, const std::vector<ScriptRow>& rows, const PlayRequest& request) {
  // The table lives in a grid that never gets a window, as the player reads its rows from
  // the grid of the main window.
  WindowSystem system(platform);
  TComponent owner(nullptr);
  TStringGrid* grid = Create<TStringGrid>(&owner);
  grid->SetColCount(kScriptColumns);
  grid->SetFixedCols(0);
  grid->SetFixedRows(1);
  ScriptTable table(*grid);
  table.Load(rows);

  PlatformInputService input(platform);
  PlatformStepScheduler timer(platform);
  CommandLineControls controls(request);
  Player player(table, input, timer, controls);
  platform.SetTerminationHandler([&controls] { controls.Stop(); });

  player.Apply();
  try {
    while (controls.RunButtonDown() && timer.Armed()) {
      platform.WaitAndDispatch(timer.Due());
      // Asked to end during the wait: no further click.
      if (!controls.RunButtonDown()) break;
      if (platform.Now() >= timer.Due()) player.Step();
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tappomat: %s\n", error.what());
    return 1;
  }
  return 0;
}

}  // namespace tappomat
