// The program's command line, run as a user would from a terminal: options that are
// wrong say what is wrong and stop the program before it opens any window, and a program
// that cannot start leaves nothing behind.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

extern char** environ;

namespace tappomat {
namespace {

struct Outcome {
  int exitCode = -1;
  std::string errors;  // standard error
  std::vector<std::string> homeEntries;  // what HOME holds afterwards, "stderr" among them
};

// Runs the program without a display and waits for it.
Outcome RunProgram(const std::vector<std::string>& args) {
  TempFolder folder;
  const std::string errorsPath = (folder / "stderr").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errorsPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  std::vector<std::string> words = {TAPPOMAT_PROGRAM};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::vector<std::string> env = {"DISPLAY=", "HOME=" + folder.Path().string()};
  std::vector<char*> envp;
  for (std::string& entry : env) envp.push_back(entry.data());
  envp.push_back(nullptr);
  pid_t pid = -1;
  Outcome outcome;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) outcome.exitCode = WEXITSTATUS(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  outcome.errors = folder.Get("stderr");
  outcome.homeEntries = folder.Entries();
  return outcome;
}

TEST(CommandLine, WrongOptionsSayWhatIsWrong) {
  const struct {
    std::vector<std::string> args;
    std::string errors;
  } cases[] = {
      {{"--data-dir"}, "tappomat: the option --data-dir needs a folder (try --help)\n"},
      {{"--data-dir", ""}, "tappomat: the option --data-dir needs a folder (try --help)\n"},
      {{"--colour"}, "tappomat: unknown option '--colour' (try --help)\n"},
      {{"--play"}, "tappomat: the option --play needs a script file (try --help)\n"},
      {{"--play", "a.tps", "--repeat", "-1"},
       "tappomat: the option --repeat needs a number of further passes (0 or more) (try --help)\n"},
      {{"--play", "a.tps", "--repeat", "2x"},
       "tappomat: the option --repeat needs a number of further passes (0 or more) (try --help)\n"},
      {{"--play", "a.tps", "--repeat", "2", "--endless"},
       "tappomat: the options --repeat and --endless exclude each other (try --help)\n"},
      {{"--endless"}, "tappomat: --endless goes with --play FILE (try --help)\n"},
      {{"--repeat", "3"}, "tappomat: --repeat goes with --play FILE (try --help)\n"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = RunProgram(c.args);
    EXPECT_EQ(outcome.exitCode, 2) << c.errors;
    EXPECT_EQ(outcome.errors, c.errors);
  }
}

// Without a display the program cannot start: it says so, and creates no data folder,
// neither the one given nor one under a fresh HOME.
TEST(CommandLine, WithoutADisplayItSaysSoAndCreatesNoFolder) {
  const TempFolder place;
  const std::filesystem::path data = place / "new" / "data";
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--data-dir", data.string()}, std::vector<std::string>{}}) {
    const Outcome outcome = RunProgram(args);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.errors, "tappomat: cannot open the display (is DISPLAY set?)\n");
    EXPECT_EQ(outcome.homeEntries, std::vector<std::string>{"stderr"});
  }
  EXPECT_EQ(place.Entries(), std::vector<std::string>{});
}

// --play reads its file before it needs a display: a file that cannot be played is named
// as such, and nothing is written anywhere.
TEST(CommandLine, PlayOfAFileThatCannotBePlayedSaysWhyAndExitsOne) {
  const TempFolder place;
  place.Put("empty.tps", "[Script]\r\ncount=0\r\n");
  const struct {
    std::string name;
    std::string why;
  } cases[] = {
      {"missing.tps", "Unable to read " + (place / "missing.tps").string() + ": no such file"},
      {"empty.tps", (place / "empty.tps").string() + " holds no script rows to play"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = RunProgram({"--play", (place / c.name).string()});
    EXPECT_EQ(outcome.exitCode, 1) << c.name;
    EXPECT_EQ(outcome.errors, "tappomat: " + c.why + "\n");
    EXPECT_EQ(outcome.homeEntries, std::vector<std::string>{"stderr"});
  }
  EXPECT_EQ(place.Entries(), std::vector<std::string>{"empty.tps"});
}

}  // namespace
}  // namespace tappomat
