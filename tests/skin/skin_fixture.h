#pragma once
// Fixture for the skinned controls: a borderless white form on the headless backend with
// a skin manager that applies the built-in skin (its folder packed as an internal skin),
// or a small skin written in the test. Pixels are read from what the form presented.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "skin/data/skin_manager.h"
#include "skin/data/skin_package.h"
#include "ui/ui_fixture.h"
#include "win/window_system.h"

namespace tappomat::test {

inline std::vector<SkinPackageFile> Neutral2Files() {
  const std::filesystem::path folder =
      std::filesystem::path(TAPPOMAT_SOURCE_DIR) / "skins" / "Neutral2 (internal)";
  std::vector<SkinPackageFile> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    files.push_back({entry.path().filename().string(),
                     std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {})});
  }
  return files;
}

class SkinnedControlsTest : public UiTest {
 protected:
  SkinnedControlsTest() {
    form = Create<TForm>(Application);
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(40, 40, 200, 120);
    form->SetColor(RGB(255, 255, 255));
    manager = Create<TsSkinManager>(form);
  }
  // Applies the built-in skin.
  void UseNeutral2() { UseSkin("Neutral2 (internal)", Neutral2Files()); }
  // Applies the built-in skin with `sections` (definition text) added to its definition, so
  // that they can cut their images from its master bitmap.
  void UseNeutral2With(const std::string& sections) {
    std::vector<SkinPackageFile> files = Neutral2Files();
    for (SkinPackageFile& file : files) {
      if (file.name != "Options.dat") continue;
      file.data.insert(file.data.end(), {'\r', '\n'});
      file.data.insert(file.data.end(), sections.begin(), sections.end());
    }
    UseSkin("Neutral2 and more", files);
  }
  // Applies a skin made of one Options.dat.
  void UseSkinText(const std::string& text) {
    UseSkin("T", {{"Options.dat", std::vector<std::uint8_t>(text.begin(), text.end())}});
  }
  const SkinTables& Tables() const { return manager->Tables(); }
  // What the form shows now.
  const Bitmap32& Shown() {
    form->Show();
    form->Invalidate();
    Pump();
    const auto* top = WindowSystem::Current().Find(form->Handle());
    return platform.Window(top->top.native)->pixels;
  }
  // The part of what the form shows that `control` covers.
  Bitmap32 ShownOf(const TControl& control) {
    const Bitmap32& all = Shown();
    const Point at = form->ScreenToClient(control.ClientToScreen({0, 0}));
    Bitmap32 part(control.Width(), control.Height());
    EXPECT_TRUE(all.Bounds().Contains(Rect::FromSize(at.x, at.y, part.Width(), part.Height())))
        << "the control lies outside the form";
    for (int y = 0; y < part.Height(); ++y)
      for (int x = 0; x < part.Width(); ++x)
        if (all.Bounds().Contains(Point{at.x + x, at.y + y}))
          part.At(x, y) = all.At(at.x + x, at.y + y);
    return part;
  }

  TForm* form;
  TsSkinManager* manager;

 private:
  void UseSkin(const std::string& name, const std::vector<SkinPackageFile>& files) {
    TsStoredSkin& skin = manager->InternalSkins().Add();
    skin.SetName(name);
    skin.SetData(WriteSkinPackage(files));
    manager->SetSkinName(name);
    ASSERT_TRUE(manager->SkinActive());
  }
};

// Pixels compared by colour only (the alpha byte of presented pixels is not part of the look).
inline bool SameColors(const Bitmap32& a, const Bitmap32& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (PixelRGB(a.At(x, y)) != PixelRGB(b.At(x, y))) return false;
  return true;
}

}  // namespace tappomat::test
