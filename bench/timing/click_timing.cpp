// The click-timing harness: what a user feels of the clicker, measured where the clicks
// land. It is run by hand (it takes about three minutes), not by ctest:
//
//   cmake -S . -B build/timing -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/timing --target tappomat_click_timing tappomat
//   build/timing/bench/tappomat_click_timing [--program PATH] [--clicks N]
//                                            [--idle-seconds S] [--compare PATH]
//                                            [--idle-only]
//
// On a private Xvfb (started and stopped here, no window manager) a target program
// (tests/e2e/click_target.cpp) logs each press with the monotonic time it read it. For the
// delays 0, 1, 10 and 100 ms it receives N clicks (default 2000; fewer where N clicks would
// take longer than half a minute) from
//   - our player, in this process: X11 platform, window system, application loop, script
//     grid, script table, platform input service, step timer and player, started as the
//     run button starts it;
//   - the peer, `xdotool click --repeat N --delay D 1`, with the pointer over the target
//     (skipped when xdotool is not installed).
// Per run: the error of each interval between consecutive presses against the delay
// (median, 99th percentile), the drift of the whole run — (last − first) − (N − 1)·D —,
// clicks per second and the clicker's CPU time per wall time; for our player also the
// share of the run its thread spent ready but without a processor ("queued": the machine
// was busy with other programs, and the rate says more about the machine than the player).
// Then the real program (--program, else the build's tappomat; skipped when it is
// missing) idles for S seconds (default 60): its CPU time per wall time from
// /proc/<pid>/stat, how often it woke (context switches per second) and its peak resident
// set (VmHWM). --compare names another build (an earlier one, say) that idles right after
// it in the same run, under the same load; --idle-only skips the clicks.
// The targets are printed beside the numbers; nothing is asserted. The machine's load
// shows in the numbers, so the load average is printed with them.
#include <unistd.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "click_log.h"
#include "player_run.h"
#include "process_usage.h"
#include "support/child_process.h"
#include "support/process_wakeups.h"
#include "support/x11_test_client.h"
#include "support/xvfb_session.h"

namespace tappomat {
namespace {

using namespace std::chrono_literals;
using test::ChildProcess;

constexpr int kDelaysMs[] = {0, 1, 10, 100};
// A run that would take longer than this gets fewer clicks.
constexpr int kLongestRunMs = 30000;
constexpr Rect kTargetBounds{100, 100, 500, 400};
constexpr Point kClickPoint{300, 250};
// The program settles (first paint, fonts) before its idle time is measured.
constexpr auto kProgramSettle = 5s;

struct Options {
  std::string program;
  int clicks = 2000;
  int idleSeconds = 60;
  std::string compare;
  bool idleOnly = false;
};

struct Row {
  std::string source;
  int delayMs = 0;
  int clicks = 0;
  TimingStats stats;
  std::optional<double> cpuPercent;
  std::optional<double> runQueuePercent;  // of the wall time, waiting for a processor
  std::string note;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--program") == 0 && hasValue) {
      options.program = argv[++i];
    } else if (std::strcmp(argv[i], "--clicks") == 0 && hasValue) {
      options.clicks = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--idle-seconds") == 0 && hasValue) {
      options.idleSeconds = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--compare") == 0 && hasValue) {
      options.compare = argv[++i];
    } else if (std::strcmp(argv[i], "--idle-only") == 0) {
      options.idleOnly = true;
    } else {
      std::fprintf(stderr,
                   "usage: tappomat_click_timing [--program PATH] [--clicks N] "
                   "[--idle-seconds S] [--compare PATH] [--idle-only]\n");
      return false;
    }
  }
  return options.clicks >= 2 && options.idleSeconds >= 1;
}

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string one, five, fifteen;
  in >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

// An executable file on PATH, or "".
std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path) return {};
  std::string dirs = path;
  std::size_t start = 0;
  while (start <= dirs.size()) {
    const std::size_t end = std::min(dirs.find(':', start), dirs.size());
    const std::string candidate = dirs.substr(start, end - start) + "/" + name;
    if (end > start && access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

// The program under test: the option, else the build's own tappomat, else one beside
// this harness's folder.
std::string FindProgram(const Options& options) {
  if (!options.program.empty()) {
    return access(options.program.c_str(), X_OK) == 0 ? options.program : "";
  }
  std::vector<std::string> candidates{TAPPOMAT_PROGRAM};
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    candidates.push_back((self.parent_path().parent_path() / "tappomat").string());
    candidates.push_back((self.parent_path().parent_path().parent_path() / "tappomat").string());
  }
  for (const std::string& c : candidates) {
    if (access(c.c_str(), X_OK) == 0) return c;
  }
  return {};
}

int ClicksFor(int delayMs, int clicks) {
  if (delayMs > 0 && static_cast<long long>(clicks) * delayMs > kLongestRunMs) {
    return std::max(2, kLongestRunMs / delayMs);
  }
  return clicks;
}

// Waits until the target has logged `wanted` button events after `offset`, or nothing
// new has come for two seconds; returns those events.
std::vector<TargetEvent> AwaitEvents(const std::string& log, std::uintmax_t offset, int wanted) {
  std::vector<TargetEvent> events;
  auto lastGrowth = std::chrono::steady_clock::now();
  std::size_t seen = 0;
  for (;;) {
    events = ReadTargetEvents(log, offset);
    if (static_cast<int>(events.size()) >= wanted) return events;
    const auto now = std::chrono::steady_clock::now();
    if (events.size() != seen) {
      seen = events.size();
      lastGrowth = now;
    } else if (now - lastGrowth > 2s) {
      return events;
    }
    std::this_thread::sleep_for(20ms);
  }
}

double ChildrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

Row MeasurePlayer(const std::string& display, const std::string& log, int delayMs, int clicks) {
  Row row{"player", delayMs, clicks};
  const std::uintmax_t offset = LogSize(log);
  const PlayerRun run = RunPlayer(display, kClickPoint, clicks, delayMs);
  if (!run.ok) row.note = "player failed: " + run.error;
  if (run.wallSeconds > 0) {
    row.cpuPercent = 100.0 * run.cpuSeconds / run.wallSeconds;
    row.runQueuePercent = 100.0 * run.runQueueSeconds / run.wallSeconds;
  }
  row.stats = Summarize(AwaitEvents(log, offset, 2 * clicks), 1, delayMs);
  return row;
}

Row MeasureXdotool(const std::string& xdotool, const std::string& display,
                   test::X11TestClient& user, const std::string& log, int delayMs, int clicks) {
  Row row{"xdotool", delayMs, clicks};
  user.FakeMotion(kClickPoint);  // xdotool clicks where the pointer is
  const std::uintmax_t offset = LogSize(log);
  const double cpuBefore = ChildrenCpuSeconds();
  const auto wallBefore = std::chrono::steady_clock::now();
  const auto deadline =
      wallBefore + std::chrono::milliseconds(static_cast<long long>(clicks) * (delayMs + 20)) + 30s;
  {
    ChildProcess peer(xdotool,
                      {"click", "--repeat", std::to_string(clicks), "--delay",
                       std::to_string(delayMs), "1"},
                      display);
    // Started() turns false once the exit is collected, so it is taken first.
    const bool started = peer.Started();
    int status = -1;
    while (started && (status = peer.TryExitStatus()) < 0 &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(2ms);
    }
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    if (!started) {
      row.note = "xdotool could not be started";
    } else if (status < 0) {
      row.note = "xdotool did not finish in time (stopped)";
    } else {
      if (status != 0) row.note = "xdotool exited with " + std::to_string(status);
      // Only the reaped xdotool has ended among our children since cpuBefore.
      row.cpuPercent = 100.0 * (ChildrenCpuSeconds() - cpuBefore) / wall;
    }
  }
  row.stats = Summarize(AwaitEvents(log, offset, 2 * clicks), 1, delayMs);
  return row;
}

struct IdleUsage {
  bool measured = false;
  std::string note;
  double cpuPercent = 0;
  double wakeUpsPerSecond = 0;
  long peakRssKb = 0;
  long rssKb = 0;
};

IdleUsage MeasureIdleProgram(const std::string& program, const std::string& display,
                             const std::string& dataDir, int seconds) {
  IdleUsage usage;
  ChildProcess process(program, {"--data-dir", dataDir}, display);
  if (!process.Started()) {
    usage.note = "could not start " + program;
    return usage;
  }
  auto running = [&] { return process.TryExitStatus() < 0; };
  std::this_thread::sleep_for(kProgramSettle);
  const std::optional<double> cpuBefore = ProcessCpuSeconds(process.Pid());
  const std::optional<std::uint64_t> switchesBefore = test::ContextSwitches(process.Pid());
  const auto wallBefore = std::chrono::steady_clock::now();
  if (!running() || !cpuBefore || !switchesBefore) {
    usage.note = "the program ended during start-up";
    return usage;
  }
  const auto end = wallBefore + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end && running()) std::this_thread::sleep_for(200ms);
  const std::optional<double> cpuAfter = ProcessCpuSeconds(process.Pid());
  const std::optional<std::uint64_t> switchesAfter = test::ContextSwitches(process.Pid());
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
  const std::optional<long> peak = ProcessMemoryKb(process.Pid(), "VmHWM");
  const std::optional<long> now = ProcessMemoryKb(process.Pid(), "VmRSS");
  if (!running() || !cpuAfter || !switchesAfter || !peak || !now) {
    usage.note = "the program ended while idle";
    return usage;
  }
  usage.measured = true;
  usage.cpuPercent = 100.0 * (*cpuAfter - *cpuBefore) / wall;
  usage.wakeUpsPerSecond = static_cast<double>(*switchesAfter - *switchesBefore) / wall;
  usage.peakRssKb = *peak;
  usage.rssKb = *now;
  return usage;
}

const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

// The targets that concern a row, each with whether the row meets it.
std::string TargetsFor(const Row& row, int fullClicks) {
  std::string text;
  char buffer[96];
  auto add = [&](const char* what, bool met) {
    std::snprintf(buffer, sizeof buffer, "%s%s %s", text.empty() ? "" : "; ", what, Verdict(met));
    text += buffer;
  };
  if (row.stats.presses < 2) return "-";
  if (row.delayMs == 0) add(">=20000 clicks/s", row.stats.clicksPerSecond >= 20000);
  if (row.delayMs == 1) add(">=990 clicks/s", row.stats.clicksPerSecond >= 990);
  if (row.delayMs > 0) add("median<0.3 ms", row.stats.medianErrorMs < 0.3);
  if (row.delayMs == 10 && row.clicks == fullClicks) {
    add("|drift|<2 ms", std::abs(row.stats.driftMs) < 2.0);
  }
  return text;
}

void PrintRows(const std::vector<Row>& rows, int fullClicks) {
  std::printf("\n%-8s %5s %6s %6s %9s %9s %10s %9s %6s %6s  %s\n", "clicker", "delay",
              "clicks", "got", "median", "p99", "drift", "clicks/s", "CPU", "queued", "targets");
  std::printf("%-8s %5s %6s %6s %9s %9s %10s %9s %6s %6s\n", "", "ms", "", "", "err ms",
              "err ms", "ms", "", "%core", "%wall");
  auto percent = [](const std::optional<double>& value, char (&text)[16]) {
    if (value) std::snprintf(text, sizeof text, "%.1f", *value);
    return text;
  };
  for (const Row& r : rows) {
    char cpu[16] = "-", queued[16] = "-";
    std::printf("%-8s %5d %6d %6d %9.3f %9.3f %10.3f %9.0f %6s %6s  %s\n", r.source.c_str(),
                r.delayMs, r.clicks, r.stats.presses, r.stats.medianErrorMs, r.stats.p99ErrorMs,
                r.stats.driftMs, r.stats.clicksPerSecond, percent(r.cpuPercent, cpu),
                percent(r.runQueuePercent, queued), TargetsFor(r, fullClicks).c_str());
    if (!r.note.empty()) std::printf("         note: %s\n", r.note.c_str());
  }
}

// A scratch folder for the target's log and the program's data, removed at the end.
struct ScratchDir {
  ScratchDir() {
    char pattern[] = "/tmp/tappomat-timing-XXXXXX";
    if (mkdtemp(pattern)) path = pattern;
  }
  ~ScratchDir() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
  }
  std::string path;
};

int Run(const Options& options) {
  ScratchDir scratch;
  if (scratch.path.empty()) {
    std::fprintf(stderr, "cannot make a scratch folder in /tmp\n");
    return 1;
  }
  const std::string log = scratch.path + "/clicks.txt";
  const std::string dataDir = scratch.path + "/data";
  std::filesystem::create_directory(dataDir);

  std::printf("load average at start: %s (%u cores)\n", LoadAverage().c_str(),
              std::thread::hardware_concurrency());
  test::XvfbSession session;
  if (!session.Ok()) {
    std::fprintf(stderr, "%s\n", session.Error().c_str());
    return 1;
  }
  std::printf("Xvfb on %s, no window manager; target window %dx%d at (%d,%d), clicks at (%d,%d)\n",
              session.DisplayName().c_str(), kTargetBounds.Width(), kTargetBounds.Height(),
              kTargetBounds.left, kTargetBounds.top, kClickPoint.x, kClickPoint.y);
  test::X11TestClient user(session.DisplayName());
  if (!user.Ok()) {
    std::fprintf(stderr, "cannot connect to %s\n", session.DisplayName().c_str());
    return 1;
  }

  std::vector<Row> rows;
  if (!options.idleOnly) {
    ChildProcess target(TAPPOMAT_CLICK_TARGET,
                        {std::to_string(kTargetBounds.left), std::to_string(kTargetBounds.top),
                         std::to_string(kTargetBounds.Width()),
                         std::to_string(kTargetBounds.Height()), log},
                        session.DisplayName());
    const bool ready = target.Started() && test::WaitUntil([&] {
      std::ifstream in(log);
      std::string line;
      return std::getline(in, line) && line == "ready";
    }, 10s);
    if (!ready) {
      std::fprintf(stderr, "the click target did not start (%s)\n", TAPPOMAT_CLICK_TARGET);
      return 1;
    }
    const std::string xdotool = FindOnPath("xdotool");
    if (xdotool.empty()) {
      std::printf("xdotool is not on PATH (apt-get install xdotool): its rows are skipped\n");
    }
    for (const int delay : kDelaysMs) {
      const int clicks = ClicksFor(delay, options.clicks);
      if (clicks != options.clicks) {
        std::printf("delay %d ms: %d clicks (%d would take %.0f s)\n", delay, clicks,
                    options.clicks, options.clicks * delay / 1000.0);
      }
      std::fflush(stdout);
      rows.push_back(MeasurePlayer(session.DisplayName(), log, delay, clicks));
      if (!xdotool.empty()) {
        rows.push_back(
            MeasureXdotool(xdotool, session.DisplayName(), user, log, delay, clicks));
      }
    }
  }
  if (!options.idleOnly) PrintRows(rows, options.clicks);

  std::printf("\nthe program idle for %d s:\n", options.idleSeconds);
  std::vector<std::string> programs = {FindProgram(options)};
  if (!options.compare.empty()) programs.push_back(options.compare);
  for (size_t i = 0; i < programs.size(); ++i) {
    const std::string& program = programs[i];
    if (program.empty()) {
      std::printf("  skipped: no tappomat binary (build the tappomat target or pass --program)\n");
      continue;
    }
    std::fflush(stdout);
    // Each program keeps its settings apart, so that each starts as at a first start.
    const std::string folder = dataDir + "/" + std::to_string(i);
    std::filesystem::create_directory(folder);
    const IdleUsage idle =
        MeasureIdleProgram(program, session.DisplayName(), folder, options.idleSeconds);
    if (!idle.measured) {
      std::printf("  %s: %s\n", program.c_str(), idle.note.c_str());
      continue;
    }
    std::printf("  %s\n", program.c_str());
    std::printf("  CPU %.3f %% of a core   [target < 0.3 %%: %s]\n", idle.cpuPercent,
                Verdict(idle.cpuPercent < 0.3));
    std::printf("  wake-ups %.2f per second\n", idle.wakeUpsPerSecond);
    std::printf("  peak RSS (VmHWM) %.1f MiB, RSS now %.1f MiB   [target < 30 MiB: %s]\n",
                idle.peakRssKb / 1024.0, idle.rssKb / 1024.0,
                Verdict(idle.peakRssKb < 30 * 1024));
  }
  std::printf("\nload average at end: %s\n", LoadAverage().c_str());
  return 0;
}

}  // namespace
}  // namespace tappomat

int main(int argc, char** argv) {
  tappomat::Options options;
  if (!tappomat::ParseOptions(argc, argv, options)) return 2;
  return tappomat::Run(options);
}
