#pragma once
// CommandLine: the program's options as main reads them. Parsing stops at --help or
// --version, as the text or the version is all that is wanted then; a usage error leaves
// `error` set (the program says it and exits 2).
#include <span>
#include <string>

namespace tappomat {

struct CommandLine {
  enum class Action { OpenWindow, ShowHelp, ShowVersion, PlayScript };
  Action action = Action::OpenWindow;
  std::string dataDir;     // --data-dir; empty when not given
  std::string playFile;    // --play
  int furtherPasses = 0;   // --repeat: passes after the first
  bool endless = false;    // --endless
  std::string error;       // what is wrong, without the "tappomat: " prefix
};

CommandLine ParseCommandLine(std::span<char* const> args);

// The text of --help.
std::string HelpText();

}  // namespace tappomat
