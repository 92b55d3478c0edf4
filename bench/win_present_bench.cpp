// What a repaint costs the window system: invalidating, painting and presenting the
// 400x350 main window on the headless platform — its client area alone and with the
// classic frame — and repainting a window with 20 child windows.
#include <benchmark/benchmark.h>

#include "gdi/primitives.h"
#include "platform/headless/headless_platform.h"
#include "win/paint.h"

namespace tappomat {
namespace {

// Every window of the class paints its client area in one colour.
LRESULT FillingProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_PAINT) return DefWindowProc(h, msg, wParam, lParam);
  PAINTSTRUCT ps;
  DeviceContext& dc = BeginPaint(h, ps);
  FillRect(dc, GetClientRect(h), RGB(212, 208, 200));
  EndPaint(h, ps);
  return 0;
}

struct Session {
  HeadlessPlatform platform;
  WindowSystem system{platform};
  Session() { RegisterClass({"BenchWindow", FillingProc}); }
};

void BM_RepaintMainWindow(benchmark::State& state) {
  const bool withFrame = state.range(0) != 0;
  Session session;
  const HWND top = CreateWindowEx(0, "BenchWindow", "Tappomat", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, 0,
                                  0, 400, 350, kNullWindow);
  ProcessMessages();
  const UINT flags = RDW_INVALIDATE | RDW_ERASE | (withFrame ? UINT{RDW_FRAME} : 0u);
  for (auto _ : state) {
    RedrawWindow(top, std::nullopt, nullptr, flags);
    ProcessMessages();
  }
  state.SetLabel(withFrame ? "client and frame" : "client");
  DestroyWindow(top);
}
BENCHMARK(BM_RepaintMainWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_RepaintTwentyChildren(benchmark::State& state) {
  Session session;
  const HWND top = CreateWindowEx(0, "BenchWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 350, kNullWindow);
  for (int i = 0; i < 20; ++i) {
    CreateWindowEx(0, "BenchWindow", "", WS_CHILD | WS_VISIBLE, 10 + (i % 5) * 76, 10 + (i / 5) * 82, 70, 76, top);
  }
  ProcessMessages();
  for (auto _ : state) {
    // Without WS_CLIPCHILDREN the parent's invalidation reaches every child.
    InvalidateRect(top, std::nullopt, true);
    ProcessMessages();
  }
  DestroyWindow(top);
}
BENCHMARK(BM_RepaintTwentyChildren)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tappomat
