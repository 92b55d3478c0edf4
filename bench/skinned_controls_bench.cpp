// What skinned controls cost: rebuilding the cache of a 75 x 25 button from the built-in
// skin (section, caption, focus rectangle), and repainting the whole main window with
// every skinned control's cache rebuilt, on the headless platform.
#include <benchmark/benchmark.h>

#include "app/embedded_resources.h"
#include "app/main.h"
#include "platform/headless/headless_platform.h"
#include "skin/controls/skinned_button.h"
#include "skin/data/skin_manager.h"
#include "skin/data/skin_message.h"
#include "ui/application.h"
#include "win/paint.h"

namespace tappomat {
namespace {

struct Session {
  HeadlessPlatform platform;
  WindowSystem system{platform};
  std::unique_ptr<TApplication> app = std::make_unique<TApplication>();
  ~Session() { app.reset(); }
};

void BM_RebuildButtonCache(benchmark::State& state) {
  Session session;
  auto* form = Create<TForm>(session.app.get());
  auto* manager = Create<TsSkinManager>(form);
  for (const EmbeddedResource& skin : InternalSkinPackages()) {
    TsStoredSkin& stored = manager->InternalSkins().Add();
    stored.SetName(std::string(skin.name));
    stored.SetData(std::vector<std::uint8_t>(skin.bytes.begin(), skin.bytes.end()));
  }
  manager->SetSkinName("Neutral2 (internal)");
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
