// Forms, the application, timers and painting.
#include <stdexcept>

#include "platform/virtual_keys.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/timer.h"
#include "ui_fixture.h"
#include "win/input.h"
#include "win/window_data.h"

namespace tappomat::test {
namespace {

class TClickable : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::string ClassName() const override { return "TClickable"; }
};

class TColourBlock : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::string ClassName() const override { return "TColourBlock"; }

 protected:
  void Paint() override {
    Canvas()->Brush().Color = RGB(10, 200, 30);
    Canvas()->FillRect(ClientRect());
  }
};

const HeadlessPlatform::WindowRecord* NativeOf(HeadlessPlatform& platform, TForm* form) {
  return platform.Window(WindowSystem::Current().Find(form->Handle())->top.native);
}

using FormTest = UiTest;

TEST_F(FormTest, ClientSizeGivesTheWindowSizeForEachBorderStyle) {
  for (auto style : {TFormBorderStyle::bsSingle, TFormBorderStyle::bsDialog, TFormBorderStyle::bsNone,
                     TFormBorderStyle::bsSizeable}) {
    auto* form = Create<TForm>(Application);
    form->SetBorderStyle(style);
    form->SetClientWidth(200);
    form->SetClientHeight(150);
    EXPECT_EQ(GetClientRect(form->Handle()), (Rect{0, 0, 200, 150})) << static_cast<int>(style);
    EXPECT_EQ(form->ClientWidth(), 200);
    if (style == TFormBorderStyle::bsNone) EXPECT_EQ(form->Width(), 200);
    else EXPECT_GT(form->Width(), 200);
    form->Free();
  }
}

TEST_F(FormTest, MainFormCenterAndStayOnTop) {
  auto* main = Create<TForm>(Application);
  main->SetBounds(100, 100, 400, 300);
  auto* second = Create<TForm>(Application);
  second->SetBounds(0, 0, 200, 100);
  second->SetPosition(TPosition::poMainFormCenter);
  second->SetFormStyle(TFormStyle::fsStayOnTop);
  second->Show();
  EXPECT_EQ(second->BoundsRect(), (Rect{200, 200, 400, 300}));
  EXPECT_TRUE(GetWindowExStyle(second->Handle()) & WS_EX_TOPMOST);
  EXPECT_TRUE(NativeOf(platform, second)->topmost);
}

// Forms at a default position cascade from the work area's corner and leave the window
// manager free to place them; a form at its designed place keeps it.
TEST_F(FormTest, DefaultPositionsCascadeAndLetTheWindowManagerPlace) {
  const Rect work = platform.WorkArea();
  std::vector<TForm*> forms;
  for (int i = 0; i < 2; ++i) {
    auto* form = Create<TForm>(Application);
    form->SetPosition(TPosition::poDefaultPosOnly);
    form->SetBounds(500, 400, 200, 100);
    form->Show();
    forms.push_back(form);
  }
  EXPECT_EQ(forms[1]->Left() - forms[0]->Left(), 24);
  EXPECT_EQ(forms[1]->Top() - forms[0]->Top(), 24);
  EXPECT_TRUE(work.Contains(forms[0]->BoundsRect()));
  EXPECT_EQ(forms[0]->Width(), 200);
  EXPECT_TRUE(NativeOf(platform, forms[0])->params.defaultPosition);

  auto* designed = Create<TForm>(Application);
  designed->SetBounds(500, 400, 200, 100);
  designed->Show();
  EXPECT_EQ(designed->BoundsRect(), Rect::FromSize(500, 400, 200, 100));
  EXPECT_FALSE(NativeOf(platform, designed)->params.defaultPosition);
}

TEST_F(FormTest, AlphaBlendAndTransparentColorReachTheWindow) {
  auto* form = Create<TForm>(Application);
  form->SetBounds(10, 10, 100, 80);
  form->SetAlphaBlendValue(128);
  form->SetAlphaBlend(true);
  form->Show();
  Pump();
  EXPECT_EQ(NativeOf(platform, form)->opacity, 128);

  auto* marker = Create<TForm>(Application);
  marker->SetBorderStyle(TFormBorderStyle::bsNone);
  marker->SetBounds(300, 300, 50, 50);
  marker->SetColor(clBlack);
  marker->SetTransparentColorValue(clBlack);
  marker->SetTransparentColor(true);
  marker->Show();
  Pump();
  const auto* record = NativeOf(platform, marker);
  ASSERT_TRUE(record->shape.has_value());
  EXPECT_TRUE(record->shape->IsEmpty());  // all black: nothing shows
}

TEST_F(FormTest, ShowModalReturnsTheResultWhileOtherFormsAreDisabledAndTimersRun) {
  auto* main = Create<TForm>(Application);
  main->SetBounds(100, 100, 300, 200);
  auto* timer = Create<TTimer>(main);
  timer->SetInterval(100);
  auto* dialog = Create<TForm>(Application);
  dialog->SetBounds(500, 100, 200, 150);
  auto* ok = Create<TClickable>(dialog);
  ok->SetBounds(10, 10, 80, 30);
  ok->SetParent(dialog);
  ok->OnClick = [&](TComponent*) { dialog->SetModalResult(mrOk); };
  main->Show();
  Pump();
  int ticks = 0;
  bool mainDisabledDuring = false;
  timer->OnTimer = [&](TComponent*) {
    ++ticks;
    mainDisabledDuring = !IsWindowEnabled(main->Handle());
    if (ticks == 3) platform.UserClick(ok->ClientToScreen({5, 5}));
  };
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(ticks, 3);
  EXPECT_TRUE(mainDisabledDuring);
  EXPECT_TRUE(IsWindowEnabled(main->Handle()));
  EXPECT_FALSE(dialog->Visible());
  timer->SetEnabled(false);
}

TEST_F(FormTest, ADialogOverAStayOnTopFormStaysWithinReach) {
  auto* main = Create<TForm>(Application);
  main->SetBounds(100, 100, 400, 300);
  main->SetFormStyle(TFormStyle::fsStayOnTop);
  auto* dialog = Create<TForm>(Application);
  dialog->SetBounds(0, 0, 200, 100);
  dialog->SetPosition(TPosition::poMainFormCenter);  // right over the main form
  auto* ok = Create<TClickable>(dialog);
  ok->SetBounds(10, 10, 80, 30);
  ok->SetParent(dialog);
  ok->OnClick = [&](TComponent*) { dialog->SetModalResult(mrOk); };
  main->Show();
  Pump();
  bool topmostWhileShown = false;
  AnswerDialogs({[&](TForm&) {
    topmostWhileShown = NativeOf(platform, dialog)->topmost;
    // A click on the disabled main form brings the dialog back to the top.
    platform.UserClick(main->ClientToScreen({5, 5}));
    Pump();
    EXPECT_EQ(platform.WindowAt(ok->ClientToScreen({5, 5})),
              WindowSystem::Current().Find(dialog->Handle())->top.native);
    Click(ok);
  }});
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_TRUE(topmostWhileShown);
  EXPECT_FALSE(GetWindowExStyle(dialog->Handle()) & WS_EX_TOPMOST) << "only while it shows";
}

TEST_F(FormTest, ClosingTheMainFormEndsRun) {
  auto* main = Create<TForm>(Application);
  auto* timer = Create<TTimer>(main);
  timer->SetInterval(50);
  timer->OnTimer = [&](TComponent*) { main->Close(); };
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(main->Visible());
}

TEST_F(FormTest, ExceptionsInHandlersShowTheErrorBoxAndTheProgramGoesOn) {
  Application->SetTitle("Tappomat");
  auto* form = Create<TForm>(Application);
  form->SetBounds(100, 100, 300, 200);
  auto* button = Create<TClickable>(form);
  button->SetBounds(10, 10, 80, 30);
  button->SetParent(form);
  int clicks = 0;
  bool after = false;
  button->OnClick = [&](TComponent*) {
    if (++clicks == 1) throw std::runtime_error("Bad value");
    after = true;
  };
  form->Show();
  Pump();
  Click(button);
  Click(button);
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(after);

  auto* timer = Create<TTimer>(form);
  timer->SetInterval(10);
  timer->OnTimer = [&](TComponent* t) {
    static_cast<TTimer*>(t)->SetEnabled(false);
    throw 42;
  };
  Wait(10);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Tappomat", "Bad value."}, {"Tappomat", "Unknown error."}};
  EXPECT_EQ(errorBoxes, expected);
}

TEST(ErrorBoxText, FullStopAfterCharactersThatSortAfterIt) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a", "a."}, {"1", "1."}, {".", "."}, {"!", "!"}, {"", ""},
      {"ends with space ", "ends with space "}, {"Done?", "Done?."}, {"x)", "x)"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(ErrorBoxText(in), out) << in;
}

TEST_F(FormTest, TimerArmsOnlyWhenEnabledWithAnInterval) {
  auto* form = Create<TForm>(Application);
  auto* timer = Create<TTimer>(form);
  int ticks = 0;
  timer->OnTimer = [&](TComponent*) { ++ticks; };
  timer->SetInterval(0);
  EXPECT_FALSE(timer->Armed());
  Wait(5000);
  EXPECT_EQ(ticks, 0);
  timer->SetInterval(100);
  EXPECT_TRUE(timer->Armed());
  Wait(100);
  EXPECT_EQ(ticks, 1);
  timer->SetInterval(300);  // re-armed: the next tick is 300 ms away
  Wait(200);
  EXPECT_EQ(ticks, 1);
  Wait(100);
  EXPECT_EQ(ticks, 2);
  timer->SetEnabled(false);
  Wait(1000);
  EXPECT_EQ(ticks, 2);
}

TEST_F(FormTest, CustomControlAndImagePixelsArePresented) {
  auto* form = Create<TForm>(Application);
  form->SetBorderStyle(TFormBorderStyle::bsNone);
  form->SetBounds(50, 50, 100, 60);
  form->SetColor(RGB(255, 255, 255));
  auto* block = Create<TColourBlock>(form);
  block->SetBounds(0, 0, 40, 40);
  block->SetParent(form);
  auto* image = Create<TImage>(form);
  image->SetBounds(50, 0, 20, 10);
  image->SetTransparent(true);
  Bitmap32 picture(20, 10, 0);                  // fully transparent
  for (int x = 0; x < 10; ++x)
    for (int y = 0; y < 10; ++y) picture.At(x, y) = MakePixel(0, 0, 128, 128);  // half blue, premultiplied
  image->SetPicture(picture);
  image->SetParent(form);
  form->Show();
  Pump();
  const Bitmap32& pixels = NativeOf(platform, form)->pixels;
  ASSERT_EQ(pixels.GetSize(), (Size{100, 60}));
  EXPECT_EQ(PixelRGB(pixels.At(5, 5)), PixelRGB(MakePixel(10, 200, 30)));
  EXPECT_EQ(PixelRGB(pixels.At(90, 50)), PixelRGB(MakePixel(255, 255, 255)));
  EXPECT_EQ(PixelRGB(pixels.At(65, 5)), PixelRGB(MakePixel(255, 255, 255)));  // alpha 0
  const Pixel half = pixels.At(55, 5);
  EXPECT_NEAR(PixelR(half), 127, 2);
  EXPECT_NEAR(PixelB(half), 255, 2);
}

}  // namespace
}  // namespace tappomat::test
