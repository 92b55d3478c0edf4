#pragma once
// The --play command: plays a script file from the command line with the main window's
// player and timing, but without any window, skin or settings file. main reads the file
// first (so that a wrong file is reported even without a display), then plays it on the
// opened platform until the last pass ends or the program is asked to end (Ctrl+C,
// SIGINT, SIGTERM).
#include <filesystem>
#include <string>
#include <vector>

#include "storage/script_file.h"

namespace tappomat {

class Platform;

struct PlayRequest {
  int furtherPasses = 0;
  bool endless = false;
  bool reportPasses = false;  // a line on standard error after each pass
};

// The rows of the script file, or, in `error`, why it cannot be played (a missing file is
// an error here, not an empty script).
LoadedScript LoadScriptToPlay(const std::filesystem::path& file);

// Plays the rows; the exit status: 0 when they were played or playback was stopped, 1 when
// a row cannot be performed (the message is on standard error).
int PlayScript(Platform& platform, const std::vector<ScriptRow>& rows, const PlayRequest& request);

}  // namespace tappomat
