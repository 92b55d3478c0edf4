// What the message loop costs while the program waits, and how punctual its timers are,
// on the real X11 backend (needs $DISPLAY, e.g. xvfb-run -a tappomat_bench
// --benchmark_filter=Loop) or, without a display, on the headless backend with the real
// clock.
//   BM_LoopIdleCpu: CPU time of the process per wall-clock time while the loop serves one
//     50 ms timer (the poller's period) for 5 s; the target is well under 0.5 % of a core.
//   BM_TimerLateness/N: how late an N ms timer's WM_TIMER arrives (median and 99th
//     percentile, in microseconds), measured from the moment it was due.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "platform/x11/x11_factory.h"
#include "win/window_system.h"

namespace tappomat {
namespace {

std::unique_ptr<Platform> MakePlatform(const char*& label) {
  if (auto x11 = CreateX11Platform()) {
    label = "x11";
    return x11;
  }
  label = "headless, real clock";
  return std::make_unique<HeadlessPlatform>(HeadlessPlatform::ClockMode::Real);
}

double ProcessCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

struct TimerLog {
  std::vector<Platform::Clock::time_point> firings;
};

LRESULT TimerBenchProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) {
    auto* log = reinterpret_cast<TimerLog*>(GetWindowUserData(h));
    log->firings.push_back(WindowSystem::Current().GetPlatform().Now());
    return 0;
  }
  return DefWindowProc(h, msg, wParam, lParam);
}

void RunTimer(Platform& platform, UINT intervalMs, std::size_t firings, TimerLog& log) {
  WindowSystem system(platform);
  RegisterClass({"TimerBench", TimerBenchProc});
  const HWND h = CreateWindowEx(0, "TimerBench", "", WS_POPUP, 0, 0, 10, 10, kNullWindow);
  SetWindowUserData(h, reinterpret_cast<std::intptr_t>(&log));
  log.firings.push_back(platform.Now());  // the moment it was armed
  SetTimer(h, 1, intervalMs);
  RunMessageLoopUntil([&] { return log.firings.size() > firings; });
  DestroyWindow(h);
}

void BM_LoopIdleCpu(benchmark::State& state) {
  const char* label = "";
  std::unique_ptr<Platform> platform = MakePlatform(label);
  for (auto _ : state) {
    TimerLog log;
    const auto wallStart = Platform::Clock::now();
    const double cpuStart = ProcessCpuSeconds();
    RunTimer(*platform, 50, 100, log);  // 5 s
    const double cpu = ProcessCpuSeconds() - cpuStart;
    const double wall = std::chrono::duration<double>(Platform::Clock::now() - wallStart).count();
    state.counters["cpu_percent_of_a_core"] = 100.0 * cpu / wall;
  }
  state.SetLabel(label);
}
BENCHMARK(BM_LoopIdleCpu)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_TimerLateness(benchmark::State& state) {
  const UINT interval = static_cast<UINT>(state.range(0));
  const char* label = "";
  std::unique_ptr<Platform> platform = MakePlatform(label);
  for (auto _ : state) {
    TimerLog log;
    const std::size_t firings = std::max<std::size_t>(50, 2000 / interval);
    RunTimer(*platform, interval, firings, log);
    // Each firing was due one interval after the previous one (the loop re-arms a timer
    // from the moment it fires).
    std::vector<double> lateUs;
    for (std::size_t i = 1; i < log.firings.size(); ++i) {
      const auto due = log.firings[i - 1] + std::chrono::milliseconds(interval);
      lateUs.push_back(std::chrono::duration<double, std::micro>(log.firings[i] - due).count());
    }
    std::sort(lateUs.begin(), lateUs.end());
    state.counters["median_late_us"] = lateUs[lateUs.size() / 2];
    state.counters["p99_late_us"] = lateUs[std::min(lateUs.size() - 1, lateUs.size() * 99 / 100)];
  }
  state.SetLabel(label);
}
BENCHMARK(BM_TimerLateness)->Arg(1)->Arg(10)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tappomat
