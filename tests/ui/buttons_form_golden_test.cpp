// The standard buttons, labels, check boxes and panels together on a small form, in the
// classic look, compared with tests/golden/ui_buttons_form.png.
#include "support/golden.h"
#include "ui/bit_btn.h"
#include "ui/check_box.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/speed_button.h"
#include "ui_fixture.h"
#include "win/window_data.h"

namespace tappomat::test {
namespace {

// A 16x16 glyph: a green diamond on fuchsia (the transparent colour).
Bitmap32 DiamondGlyph() {
  Bitmap32 glyph(16, 16, kFuchsiaPixel | 0xFF000000);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (std::abs(x - 7) + std::abs(y - 7) <= 6) glyph.At(x, y) = MakePixel(0, 128, 0);
  return glyph;
}

class TButtonsForm : public TForm {
 public:
  explicit TButtonsForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetBorderIcons(biSystemMenu);
    SetCaption("Buttons");
    SetBounds(40, 40, 100, 100);
    SetClientWidth(372);
    SetClientHeight(196);

    auto* title = Make<TLabel>(this, 8, 8, 0, 0, "&Interval:");
    auto* disabled = Make<TLabel>(this, 8, 28, 0, 0, "Disabled label");
    disabled->SetEnabled(false);
    auto* boxed = Make<TLabel>(this, 8, 48, 110, 30, "Centred");
    boxed->SetAutoSize(false);
    boxed->SetAlignment(TAlignment::taCenter);
    boxed->SetLayout(TTextLayout::tlCenter);
    boxed->SetColor(clWhite);

    auto* ok = Make<TButton>(this, 130, 8, 75, 25, "OK");
    ok->SetDefault(true);
    Make<TButton>(this, 130, 40, 75, 25, "&Cancel");
    Make<TButton>(this, 130, 72, 75, 25, "Help")->SetEnabled(false);
    auto* bit = Make<TBitBtn>(this, 214, 8, 90, 25, "&Apply");
    bit->SetGlyph(DiamondGlyph());
    auto* top = Make<TBitBtn>(this, 214, 40, 90, 57, "Top");
    top->SetGlyph(DiamondGlyph());
    top->SetLayout(TButtonLayout::blGlyphTop);
    title->SetFocusControl(ok);

    for (int i = 0; i < 3; ++i) {
      auto* s = Make<TSpeedButton>(this, 8 + 23 * i, 88, 23, 22, std::string(1, char('A' + i)));
      s->SetGroupIndex(1);
      if (i == 1) s->SetDown(true);
    }
    auto* flat = Make<TSpeedButton>(this, 84, 88, 23, 22, "");
    flat->SetFlat(true);
    flat->SetGlyph(DiamondGlyph());
    auto* off = Make<TSpeedButton>(this, 310, 8, 54, 22, "Off");
    off->SetEnabled(false);

    Make<TCheckBox>(this, 8, 118, 100, 17, "Unchecked");
    Make<TCheckBox>(this, 8, 138, 100, 17, "&Checked")->SetChecked(true);
    auto* grayed = Make<TCheckBox>(this, 8, 158, 100, 17, "Grayed");
    grayed->SetState(TCheckBoxState::cbGrayed);
    auto* dis = Make<TCheckBox>(this, 8, 176, 100, 17, "Disabled");
    dis->SetChecked(true);
    dis->SetEnabled(false);
    auto* left = Make<TCheckBox>(this, 310, 40, 56, 17, "Left");
    left->SetAlignment(TAlignment::taLeftJustify);

    auto* panel = Make<TPanel>(this, 130, 108, 234, 36, "Raised panel");
    (void)panel;
    auto* lowered = Make<TPanel>(this, 130, 150, 234, 40, "");
    lowered->SetBevelOuter(TBevelCut::bvLowered);
    lowered->SetBevelInner(TBevelCut::bvRaised);
    lowered->SetBorderWidth(2);
    auto* inner = Make<TLabel>(lowered, 10, 12, 0, 0, "Child label");
    inner->SetTransparent(true);
  }
  std::string ClassName() const override { return "TButtonsForm"; }

 private:
  template <class T>
  T* Make(TWinControl* parent, int x, int y, int w, int h, const std::string& caption) {
    T* c = Create<T>(this);
    if (w > 0) c->SetBounds(x, y, w, h);
    else c->SetBounds(x, y, c->Width(), c->Height());
    c->SetCaption(caption);
    c->SetParent(parent);
    return c;
  }
};

using ButtonsFormGolden = UiTest;

TEST_F(ButtonsFormGolden, ClassicLook) {
  auto* form = Create<TButtonsForm>(Application);
  form->Show();
  Pump();
  const auto* record = platform.Window(WindowSystem::Current().Find(form->Handle())->top.native);
  ASSERT_NE(record, nullptr);
  EXPECT_TRUE(MatchesGolden(record->pixels, "ui_buttons_form"));
}

}  // namespace
}  // namespace tappomat::test
