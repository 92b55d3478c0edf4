// The cost of showing a 400×350 window's picture through the X11 backend: the whole back
// buffer, one small dirty rectangle, and a layered picture with a constant alpha, each
// through MIT-SHM and through the socket. Needs a display ($DISPLAY), e.g.
//   xvfb-run -a tappomat_bench --benchmark_filter=Present
// Every iteration ends with a round trip, so the server's work is counted too.
#include <benchmark/benchmark.h>

#include "platform/x11/x11_factory.h"
#include "platform/x11/x11_platform.h"

namespace tappomat {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 350;

enum class Path { SharedMemory, Socket };

struct PresentFixture {
  std::unique_ptr<Platform> platform;
  NativeWindowId window = kNoNativeWindow;
  Bitmap32 picture{kWidth, kHeight, MakePixel(30, 90, 160)};

  PresentFixture(benchmark::State& state, Path path, bool layered) {
    platform = CreateX11Platform();
    if (!platform) {
      state.SkipWithError("no X display: set DISPLAY or run under xvfb-run");
      return;
    }
    auto& x11 = static_cast<X11Platform&>(*platform);
    if (path == Path::Socket) x11.DisableSharedMemory();
    if (path == Path::SharedMemory && !x11.SharedMemoryUsable()) {
      state.SkipWithError("MIT-SHM is not available on this display");
      return;
    }
    NativeWindowParams params;
    params.kind = NativeWindowKind::Popup;
    params.bounds = Rect::FromSize(10, 10, kWidth, kHeight);
    params.layered = layered;
    window = platform->CreateNativeWindow(params, nullptr);
    platform->Show(window, false);
  }
  ~PresentFixture() {
    if (platform && window != kNoNativeWindow) platform->DestroyNativeWindow(window);
  }
  bool Ready() const { return platform && window != kNoNativeWindow; }
  // A round trip: the server has done everything asked before it.
  void Sync() { benchmark::DoNotOptimize(platform->PointerPosition()); }
};

void BM_PresentWholeWindow(benchmark::State& state) {
  PresentFixture f(state, static_cast<Path>(state.range(0)), false);
  if (!f.Ready()) return;
  const Region dirty(f.picture.Bounds());
  for (auto _ : state) {
    f.platform->Present(f.window, f.picture, dirty);
    f.Sync();
  }
  state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}

void BM_PresentSmallDirtyRect(benchmark::State& state) {
  PresentFixture f(state, static_cast<Path>(state.range(0)), false);
  if (!f.Ready()) return;
  const Region dirty(Rect::FromSize(100, 100, 40, 20));  // a button's worth
  for (auto _ : state) {
    f.platform->Present(f.window, f.picture, dirty);
    f.Sync();
  }
}

void BM_PresentLayered(benchmark::State& state) {
  PresentFixture f(state, static_cast<Path>(state.range(0)), true);
  if (!f.Ready()) return;
  for (auto _ : state) {
    f.platform->PresentLayered(f.window, f.picture, 200);
    f.Sync();
  }
  state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}

// Argument 0: MIT-SHM, 1: socket.
BENCHMARK(BM_PresentWholeWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentSmallDirtyRect)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentLayered)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tappomat
