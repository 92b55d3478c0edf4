// What skinned window frames cost, on the main window on the headless platform: painting
// its whole window picture (frame, caption bar, icon, buttons, caption text, client
// background), and a caption button's hover, which paints and shows that button alone.
#include <benchmark/benchmark.h>

#include "headless_session.h"

#include "app/main.h"
#include "skin/window/skin_provider.h"
#include "ui/application.h"
#include "win/window_system.h"

namespace tappomat {
namespace {

using Session = HeadlessSession;

TsSkinProvider* ShownMainWindow(Session& session, benchmark::State& state) {
  auto* form = Create<TForm1>(session.app.get());
  form->Show();
  ProcessMessages();
  TsSkinProvider* provider = TsSkinProvider::Of(*form);
  if (provider == nullptr || provider->Picture() == nullptr) {
    state.SkipWithError("the main window is not skinned");
    return nullptr;
  }
  return provider;
}

void BM_RebuildMainWindowPicture(benchmark::State& state) {
  Session session;
  TsSkinProvider* provider = ShownMainWindow(session, state);
  if (provider == nullptr) return;
  for (auto _ : state) {
    provider->SkinData().SetBackgroundChanged(true);
    benchmark::DoNotOptimize(provider->Picture());
  }
}
BENCHMARK(BM_RebuildMainWindowPicture)->Unit(benchmark::kMillisecond);

// One hover change: the pointer moves onto the close button and off it again, each
// repainting that button in the picture and on the screen (two repaints per iteration).
void BM_CaptionButtonHover(benchmark::State& state) {
  Session session;
  TsSkinProvider* provider = ShownMainWindow(session, state);
  if (provider == nullptr) return;
  const HWND h = provider->Form().Handle();
  for (auto _ : state) {
    SendMessage(h, WM_NCMOUSEMOVE, HTCLOSE, 0);
    SendMessage(h, WM_NCMOUSEMOVE, HTCAPTION, 0);
  }
  if (provider->ButtonState(CaptionButtonKind::Close) != kButtonNormal) {
    state.SkipWithError("the close button did not follow the pointer");
  }
}
BENCHMARK(BM_CaptionButtonHover)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tappomat
