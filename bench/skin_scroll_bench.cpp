// What the skinned scroll bars cost: painting both bars and the corner box of a 400 x 300
// window from the built-in skin, and one step of a thumb drag on a grid of 100000 rows
// (the dragged bar painted, the grid told the new position and repainted), on the
// headless platform.
#include <benchmark/benchmark.h>

#include "headless_session.h"

#include "app/embedded_resources.h"
#include "skin/adapters/scroll_window.h"
#include "skin/data/skin_manager.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/string_grid.h"
#include "win/paint.h"
#include "win/scroll_bar.h"

namespace tappomat {
namespace {

using Session = HeadlessSession;

TsSkinManager* LoadBuiltInSkin(TForm* form) {
  auto* manager = Create<TsSkinManager>(form);
  for (const EmbeddedResource& skin : InternalSkinPackages()) {
    TsStoredSkin& stored = manager->InternalSkins().Add();
    stored.SetName(std::string(skin.name));
    stored.SetData(std::vector<std::uint8_t>(skin.bytes.begin(), skin.bytes.end()));
  }
  manager->SetSkinName("Neutral2 (internal)");
  return manager;
}

void BM_PaintBothScrollBars(benchmark::State& state) {
  Session session;
  auto* form = Create<TForm>(session.app.get());
  form->SetBounds(0, 0, 440, 340);
  TsSkinManager* manager = LoadBuiltInSkin(form);
  form->Show();
  RegisterClass(WindowClass{"BenchScrolling", DefWindowProc});
  const HWND window =
      CreateWindowEx(0, "BenchScrolling", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 10,
                     10, 400, 300, form->Handle());
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = 999;
  info.nPage = 100;
  info.nPos = 300;
  SetScrollInfo(window, SB_VERT, info, false);
  SetScrollInfo(window, SB_HORZ, info, false);
  TacScrollWnd adapter(window, nullptr, "EDIT", manager);
  adapter.Attach(true);
  ProcessMessages();
  if (!adapter.BarVisible(SB_VERT) || !adapter.BarVisible(SB_HORZ)) {
    state.SkipWithError("the bars did not show");
    return;
  }
  std::optional<DeviceContext> dc = GetWindowDC(window);
  for (auto _ : state) adapter.PaintScrollBars(&*dc);
}
BENCHMARK(BM_PaintBothScrollBars)->Unit(benchmark::kMicrosecond);

void BM_ThumbDragStepOnALargeGrid(benchmark::State& state) {
  Session session;
  auto* form = Create<TForm>(session.app.get());
  form->SetBounds(0, 0, 440, 340);
  TsSkinManager* manager = LoadBuiltInSkin(form);
  auto* grid = Create<TStringGrid>(form);
  grid->SetParent(form);
  grid->SetBounds(10, 10, 400, 300);
  grid->SetOptions(grid->Options() | goThumbTracking);
  grid->SetRowCount(100000);
  form->Show();
  ProcessMessages();
  TacScrollWnd adapter(grid->Handle(), nullptr, "EDIT", manager);
  adapter.Attach(true);
  ProcessMessages();
  const Rect bar = adapter.BarRect(SB_VERT);
  if (bar.IsEmpty()) {
    state.SkipWithError("the grid shows no bar");
    return;
  }
  // Grab the thumb (at the top) and drag it up and down the track, one step per iteration.
  const int thickness = bar.Width();
  const Point grab{bar.left + thickness / 2, bar.top + thickness + 4};
  SendMessage(grid->Handle(), WM_NCLBUTTONDOWN, HTVSCROLL, LParamFromPoint(grab));
  if (!adapter.ThumbDragging()) {
    state.SkipWithError("the thumb was not grabbed");
    return;
  }
  const int travel = bar.Height() - 3 * thickness;
  int step = 0;
  for (auto _ : state) {
    const int offset = (step++ % 2 == 0) ? 1 + step % travel : travel - step % travel;
    const Point client = ScreenToClient(grid->Handle(), {grab.x, grab.y + offset});
    SendMessage(grid->Handle(), WM_MOUSEMOVE, 0, LParamFromPoint(client));
    ProcessMessages();
  }
  state.counters["top_row"] = grid->TopRow();
  SendMessage(grid->Handle(), WM_LBUTTONUP, 0, 0);
}
BENCHMARK(BM_ThumbDragStepOnALargeGrid)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tappomat
