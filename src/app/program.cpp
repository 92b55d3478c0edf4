// Program entry: parses the command line, opens the display, creates the windows in
// their fixed order and runs the message loop until the main window closes.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <string>

#include "app/about.h"
#include "app/app_folder.h"
#include "app/art.h"
#include "app/command_line.h"
#include "app/embedded_resources.h"
#include "app/hot_key_help.h"
#include "app/main.h"
#include "app/play_command.h"
#include "app/row_editor.h"
#include "app/version.h"
#include "automation/target.h"
#include "automation/target2.h"
#include "platform/x11/x11_factory.h"
#include "skin/data/skin_manager.h"
#include "storage/settings.h"
#include "ui/application.h"
#include "win/nonclient.h"
#include "win/window_system.h"

namespace {

// The main window's controls exist: its settings can be read from them.
bool g_mainWindowBuilt = false;
// The message loop of the main window runs: a close of that window ends the program.
bool g_inMainLoop = false;
// The settings could not be written at exit: the exit status says so.
bool g_settingsLost = false;

// Said at every start on XWayland, where the clicks and chords reach X11 windows only.
void TellAboutXWayland(tappomat::Platform& platform) {
  if (!platform.IsXWayland()) return;
  std::fprintf(stderr,
               "tappomat: this is a Wayland session (the display is XWayland): clicks and the "
               "Alt+F1 and Alt+F2 chords work only in windows of X11 programs; log into an X11 "
               "session (\"... on Xorg\") to use Tappomat with every program\n");
}

// --play: no data folder, no window, no skin; the file is read before the display is
// opened, so that a wrong file is named as such even without one.
int PlayFromCommandLine(const tappomat::CommandLine& line) {
  using namespace tappomat;
  const LoadedScript script = LoadScriptToPlay(line.playFile);
  if (!script.error.empty()) {
    std::fprintf(stderr, "tappomat: %s\n", script.error.c_str());
    return 1;
  }
  if (script.truncated) {
    std::fprintf(stderr, "tappomat: only the first %lld rows of the script are played\n",
                 static_cast<long long>(kMaxScriptRows));
  }
  std::unique_ptr<Platform> platform = CreateX11Platform();
  if (!platform) {
    std::fprintf(stderr, "tappomat: cannot open the display (is DISPLAY set?)\n");
    return 1;
  }
  platform->SetConnectionLostHandler(
      [] { std::fprintf(stderr, "tappomat: lost the connection to the display\n"); });
  TellAboutXWayland(*platform);
  PlayRequest request;
  request.furtherPasses = line.furtherPasses;
  request.endless = line.endless;
  request.reportPasses = isatty(STDERR_FILENO) == 1;
  return PlayScript(*platform, script.rows, request);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tappomat;
  // A save beyond the file-size limit (ulimit -f) must fail and be reported like any
  // other write failure, not end the program.
  std::signal(SIGXFSZ, SIG_IGN);
  // A display that goes away while a request is being written must reach the connection
  // handler (which saves the settings), not end the program silently.
  std::signal(SIGPIPE, SIG_IGN);
  const CommandLine line = ParseCommandLine({argv + 1, argv + argc});
  if (!line.error.empty()) {
    std::fprintf(stderr, "tappomat: %s\n", line.error.c_str());
    return 2;
  }
  switch (line.action) {
    case CommandLine::Action::ShowVersion:
      std::printf("Tappomat %s\n", TAPPOMAT_VERSION);
      return 0;
    case CommandLine::Action::ShowHelp:
      std::fputs(HelpText().c_str(), stdout);
      return 0;
    case CommandLine::Action::PlayScript:
      return PlayFromCommandLine(line);
    case CommandLine::Action::OpenWindow:
      break;
  }
  const std::string& dataDir = line.dataDir;

  AppFolderInputs folderInputs;
  if (!dataDir.empty()) folderInputs.dataDirOption = dataDir;
  folderInputs.executableFolder = ExecutableFolder();
  if (const char* xdg = std::getenv("XDG_DATA_HOME")) folderInputs.xdgDataHome = xdg;
  if (const char* home = std::getenv("HOME")) folderInputs.home = home;
  folderInputs.writable = IsWritableFolder;
  const std::optional<std::filesystem::path> chosen = ChooseAppFolder(folderInputs);
  if (!chosen) {
    std::fprintf(stderr, "tappomat: %s\n", NoAppFolderMessage(folderInputs).c_str());
    return 1;
  }
  const std::filesystem::path& folder = *chosen;
  SetApplicationFolder(folder);
  TsSkinManager::SetCommandLine({argv + 1, argv + argc});

  std::unique_ptr<Platform> platform = CreateX11Platform();
  if (!platform) {
    std::fprintf(stderr, "tappomat: cannot open the display (is DISPLAY set?)\n");
    return 1;
  }
  TellAboutXWayland(*platform);
  // Only now: a program that cannot start leaves no folder behind.
  std::error_code error;
  std::filesystem::create_directories(folder, error);  // a failure shows when writing

  // Both handlers are installed before any window exists, so that a display lost during
  // start-up is reported too. Asked to end (kill, Ctrl+C, the end of the session): in the
  // message loop the main window closes as its close button closes it. Before that loop (a
  // start-up box such as a damaged skin's "Error" is open) and after it (the exit-time
  // box), the application is told to end: open boxes close, start-up goes on without
  // showing the main window, and the settings are written as at every exit.
  platform->SetTerminationHandler([] {
    if (g_inMainLoop && Form1 && Form1->HandleAllocated()) {
      PostMessage(Form1->Handle(), WM_CLOSE);
    } else if (Application) {
      Application->Terminate();
    }
  });
  // The display is gone: no window can be used any more, but the settings can be saved.
  platform->SetConnectionLostHandler([] {
    std::string outcome = "settings not saved";
    if (g_mainWindowBuilt && Form1) {
      try {
        const SettingsWriteOutcome written = Form1->SaveSettings();
        outcome = "settings saved to " + (ApplicationFolder() / kSettingsFileName).string();
        if (!written.notice.empty()) outcome += "; " + written.notice;
      } catch (const std::exception& error) {
        outcome = error.what();
      }
    }
    std::fprintf(stderr, "tappomat: lost the connection to the display; %s\n", outcome.c_str());
  });
  WindowSystem system(*platform);
  TApplication application;
  application.SetTitle("Tappomat");
  ShowVersionBoxWhenAsked();
  const std::vector<EmbeddedResource>& shadows = DefaultShadowImages();
  TsSkinManager::SetDefaultShadows(shadows.at(0).bytes, shadows.at(1).bytes);
  Create<TForm1>(&application);
  g_mainWindowBuilt = true;
  Form1->OnSettingsWritten = [](bool written) { g_settingsLost = !written; };
  SetWindowIcon(Form1->Handle(), Premultiplied(ProgramIcon(32)));
  Create<TFormAbout>(&application);
  Create<TFormHotKey>(&application);
  Create<TForm2>(&application);
  Form3 = Create<TForm3>(&application);
  Form4 = Create<TForm4>(&application);
  Form4->OnPickCancelled = [] { Form1->EndCoordinatePick(); };
  if (platform->IsXWayland() && !application.Terminated()) Form1->ShowXWaylandNoticeOnce();
  // Asked to end during start-up: the main window is never shown.
  if (!application.Terminated()) {
    g_inMainLoop = true;
    application.Run();
    g_inMainLoop = false;
  }
  // The main window goes first, while every other window and the application still
  // work, so that a failure to write the settings can still be shown and answered.
  if (Form1) Form1->Free();
  return g_settingsLost ? 1 : 0;
}
