#include "app/command_line.h"

#include <strings.h>

#include <charconv>
#include <cstring>
#include <string_view>

#include "app/version.h"

namespace tappomat {

namespace {

// A whole decimal number from 0 up, or -1.
int ReadCount(std::string_view text) {
  int value = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return -1;
  return value;
}

}  // namespace

CommandLine ParseCommandLine(std::span<char* const> args) {
  CommandLine line;
  bool repeatGiven = false;
  auto fail = [&](std::string message) {
    line.error = std::move(message) + " (try --help)";
    return line;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool hasValue = i + 1 < args.size() && args[i + 1][0] != '\0';
    if (arg == "--version") {
      line.action = CommandLine::Action::ShowVersion;
      return line;
    }
    if (arg == "--help" || arg == "-h") {
      line.action = CommandLine::Action::ShowHelp;
      return line;
    }
    if (arg == "--data-dir") {
      if (!hasValue) return fail("the option --data-dir needs a folder");
      line.dataDir = args[++i];
    } else if (arg == "--play") {
      if (!hasValue) return fail("the option --play needs a script file");
      line.action = CommandLine::Action::PlayScript;
      line.playFile = args[++i];
    } else if (arg == "--repeat") {
      const int count = hasValue ? ReadCount(args[i + 1]) : -1;
      if (count < 0) return fail("the option --repeat needs a number of further passes (0 or more)");
      line.furtherPasses = count;
      repeatGiven = true;
      ++i;
    } else if (arg == "--endless") {
      line.endless = true;
    } else if (strcasecmp(args[i], "/orver") == 0 || strcasecmp(args[i], "/ortest") == 0) {
      // The skin engine's switches: its version box, and notices about old skins.
    } else {
      return fail("unknown option '" + std::string(arg) + "'");
    }
  }
  if (repeatGiven && line.endless) return fail("the options --repeat and --endless exclude each other");
  if ((repeatGiven || line.endless) && line.action != CommandLine::Action::PlayScript) {
    return fail(std::string(repeatGiven ? "--repeat" : "--endless") + " goes with --play FILE");
  }
  return line;
}

std::string HelpText() {
  return std::string("Tappomat ") + TAPPOMAT_VERSION +
         " - mouse auto-clicker\n"
         "\n"
         "Usage: tappomat [--data-dir DIR]\n"
         "       tappomat --play FILE [--repeat N | --endless]\n"
         "       tappomat --help | --version\n"
         "  --help          show this text\n"
         "  --version       show the version\n"
         "  --data-dir DIR  keep the settings and scripts in DIR\n"
         "  --play FILE     play the script FILE (a .tps file) without opening a window,\n"
         "                  then exit; the settings are neither read nor written\n"
         "  --repeat N      with --play: N further passes after the first\n"
         "  --endless       with --play: play the script again and again until stopped\n"
         "\n"
         "Alt+F1 starts and stops recording, Alt+F2 starts and stops playback,\n"
         "whichever application has the focus.\n"
         "\n"
         "Playback started with --play stops with Ctrl+C in its terminal, SIGINT or\n"
         "SIGTERM, not with Alt+F2: a Tappomat window that is running at the same time\n"
         "would take Alt+F2 as its own chord and start its own playback.\n"
         "With --play the exit status is 0 when the script has played or was stopped and\n"
         "1 when it cannot be read or played; a wrong option gives 2.\n";
}

}  // namespace tappomat
