// What skinned controls cost: rebuilding the cache of a 75 x 25 button from the built-in
// skin (section, caption, focus rectangle), repainting the whole main window with every
// skinned control's cache rebuilt, and filling a script table with and without its skin,
// on the headless platform.
#include <benchmark/benchmark.h>

#include "headless_session.h"

#include "app/embedded_resources.h"
#include "app/main.h"
#include "skin/adapters/control_adapter.h"
#include "skin/controls/skinned_button.h"
#include "skin/data/skin_manager.h"
#include "skin/data/skin_message.h"
#include "ui/application.h"
#include "ui/string_grid.h"
#include "win/paint.h"

namespace tappomat {
namespace {

using Session = HeadlessSession;

// A skin manager on `form` with the built-in skin applied.
TsSkinManager* Neutral2On(TForm* form) {
  auto* manager = Create<TsSkinManager>(form);
  for (const EmbeddedResource& skin : InternalSkinPackages()) {
    TsStoredSkin& stored = manager->InternalSkins().Add();
    stored.SetName(std::string(skin.name));
    stored.SetData(std::vector<std::uint8_t>(skin.bytes.begin(), skin.bytes.end()));
  }
  manager->SetSkinName("Neutral2 (internal)");
  return manager;
}

void BM_RebuildButtonCache(benchmark::State& state) {
  Session session;
  auto* form = Create<TForm>(session.app.get());
  Neutral2On(form);
  auto* button = Create<TsButton>(form);
  button->SetBounds(10, 10, 75, 25);
  button->SetCaption("Cancel");
  button->SetParent(form);
  form->Show();
  ProcessMessages();
  if (!button->SkinData()->Skinned(true)) {
    state.SkipWithError("the built-in skin did not load");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(button->RebuildCache());
}
BENCHMARK(BM_RebuildButtonCache)->Unit(benchmark::kMicrosecond);

// Filling a grid with a 100000-row script (six cells a row) and showing it, as loading a
// script does: with the classic grid (0) and with the grid skinned from outside (1).
void BM_FillScriptTable(benchmark::State& state) {
  Session session;
  auto* form = Create<TForm>(session.app.get());
  form->SetBounds(0, 0, 400, 350);
  if (state.range(0) != 0) {
    Neutral2On(form);
    Create<TacCtrlAdapter>(form);
  }
  auto* grid = Create<TStringGrid>(form);
  grid->SetBounds(1, 68, 236, 234);
  grid->SetColCount(6);
  grid->SetParent(form);
  form->Show();
  ProcessMessages();
  const std::string cells[] = {"", "1", "640", "480", "0", "300"};
  for (auto _ : state) {
    grid->SetRowCount(2);
    grid->SetRowCount(100001);
    for (int row = 1; row <= 100000; ++row) {
      for (int col = 0; col < 6; ++col) grid->SetCells(col, row, cells[col]);
    }
    ProcessMessages();
  }
}
BENCHMARK(BM_FillScriptTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Marks the cache of every skinned control under `parent` stale.
void MarkAllStale(TWinControl& parent) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* child = parent.Controls(i);
    child->Perform(WM_SKIN, SkinWParam(SkinCode::SetBackgroundChanged));
    if (auto* windowed = dynamic_cast<TWinControl*>(child)) MarkAllStale(*windowed);
  }
}

void BM_RepaintSkinnedMainWindow(benchmark::State& state) {
  Session session;
  auto* form = Create<TForm1>(session.app.get());
  form->Show();
  ProcessMessages();
  for (auto _ : state) {
    MarkAllStale(*form);
    RedrawWindow(form->Handle(), std::nullopt, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    ProcessMessages();
  }
}
BENCHMARK(BM_RepaintSkinnedMainWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tappomat
