#pragma once
// A form on the headless backend with a skin manager that has loaded the built-in skin
// from its folder in the source tree, for the tests of skinned controls.
#include <filesystem>

#include "skin/data/skin_manager.h"
#include "ui/ui_fixture.h"
#include "win/window_data.h"
#include "win/window_system.h"

namespace tappomat::test {

class SkinnedFormTest : public UiTest {
 protected:
  SkinnedFormTest() {
    form = Create<TForm>(Application);
    form->SetBounds(10, 10, 300, 200);
    manager = Create<TsSkinManager>(form);
    manager->SetSkinDirectory((std::filesystem::path(TAPPOMAT_SOURCE_DIR) / "skins").string());
    manager->SetSkinName("Neutral2 (internal)");
  }

  template <class T>
  T* Place(TWinControl* parent, Rect bounds, const std::string& caption = {}) {
    T* control = Create<T>(form);
    control->SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
    control->SetCaption(caption);
    control->SetParent(parent);
    return control;
  }

  // What the screen shows of a control, from its top-level window's last picture.
  Bitmap32 OnScreen(const TControl* control) {
    Bitmap32 picture(control->Width(), control->Height());
    const auto* record = platform.Window(WindowSystem::Current().Find(form->Handle())->top.native);
    if (record == nullptr) return picture;
    const Point origin = control->ClientToScreen({0, 0});
    const Rect window = GetWindowRect(form->Handle());
    const Rect source = Rect::FromSize(origin.x - window.left, origin.y - window.top, picture.Width(), picture.Height());
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        const Point p{source.left + x, source.top + y};
        if (record->pixels.Bounds().Contains(p)) picture.At(x, y) = record->pixels.At(p.x, p.y);
      }
    }
    return picture;
  }

  TForm* form;
  TsSkinManager* manager;
};

}  // namespace tappomat::test
