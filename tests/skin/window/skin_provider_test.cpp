// The form skin provider on the headless backend: attachment to every form, the frame
// and caption painted from the skin (and the classic frame back without it), hit-testing,
// the caption buttons' behaviour, and the children's background.
#include <gtest/gtest.h>

#include <stdexcept>

#include "skin/adapters/control_adapter.h"
#include "skin/common/background_query.h"
#include "skin/skin_fixture.h"
#include "skin/window/form_skinning.h"
#include "skin/window/skin_provider.h"
#include "skin/window/system_menu.h"
#include "ui/panel.h"
#include "win/nonclient.h"
#include "win/window_frame.h"

namespace tappomat::test {
namespace {

class SkinProviderTest : public SkinnedControlsTest {
 protected:
  SkinProviderTest() {
    SkinEveryForm(*manager);
    main = Create<TForm>(Application);
    main->SetBorderStyle(TFormBorderStyle::bsSingle);
    main->SetBorderIcons(biSystemMenu | biMinimize);
    main->SetCaption("Tappomat v1.5");
    main->SetBounds(30, 30, 300, 200);
    main->OnClose = [this](TComponent*, TCloseAction& action) {
      ++closes;
      action = TCloseAction::caHide;
    };
  }

  const Bitmap32& Screen(TForm* f) {
    f->Show();
    Pump();
    return platform.Window(WindowSystem::Current().Find(f->Handle())->top.native)->pixels;
  }
  TsSkinProvider& Provider(TForm* f) { return *TsSkinProvider::Of(*f); }
  Rect ButtonRect(TForm* f, CaptionButtonKind kind) {
    return Provider(f).Caption().buttons[static_cast<std::size_t>(kind)].rect;
  }
  // A window point of `f` on the screen.
  Point At(TForm* f, Point windowPoint) {
    const Rect w = GetWindowRect(f->Handle());
    return {w.left + windowPoint.x, w.top + windowPoint.y};
  }
  static Point Middle(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

  TForm* main;
  int closes = 0;
};

TEST_F(SkinProviderTest, EveryFormGetsOneProviderAndNoSecond) {
  UseNeutral2();
  EXPECT_EQ(TsSkinProvider::Of(*main), nullptr);  // no window yet
  main->HandleNeeded();
  ASSERT_NE(TsSkinProvider::Of(*main), nullptr);
  EXPECT_NE(TsSkinProvider::Of(*form), nullptr);  // made before the manager
  EXPECT_NE(&FrameOf(main->Handle()), &ClassicFrame());
  try {
    Create<TsSkinProvider>(main);
    FAIL() << "a second provider was accepted";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "Only one instance of the TsSkinProvider component is allowed!");
  }
  auto* panel = Create<TPanel>(main);
  EXPECT_THROW(Create<TsSkinProvider>(panel), std::invalid_argument);
}

// The manager may go before the forms it skinned (the main window owns it and goes first
// when the program ends): it frees their providers, and the forms end later unharmed.
TEST_F(SkinProviderTest, AManagerThatGoesFirstFreesTheProvidersAndTheFormsEndLater) {
  UseNeutral2();
  const Bitmap32 skinned = Screen(main);
  manager->Free();
  EXPECT_EQ(TsSkinProvider::Of(*main), nullptr);
  EXPECT_EQ(&FrameOf(main->Handle()), &ClassicFrame());
  EXPECT_FALSE(SameColors(skinned, Screen(main)));
  main->Free();
}

// Someone who takes the form's messages after the provider (the form's control adapter)
// keeps passing them on once the provider is gone, without reaching the freed provider.
TEST_F(SkinProviderTest, AProviderFreedUnderAnotherHandlerLeavesTheFormsMessagesWorking) {
  UseNeutral2();
  Screen(main);
  Create<TacCtrlAdapter>(main);
  manager->Free();
  main->SetCaption("After");
  EXPECT_FALSE(Screen(main).IsEmpty());
  main->Free();
}

TEST_F(SkinProviderTest, AuxiliaryTagsExcludedClassesAndRulesKeepFormsUnskinned) {
  manager->FormAttachment()->ExcludedClasses = {"TExcluded"};
  struct TExcluded : TForm {
    using TForm::TForm;
    std::string ClassName() const override { return "TExcluded"; }
  };
  auto* auxiliary = Create<TForm>(Application);
  auxiliary->SetTag(kAuxiliaryWindowTag | 0x20);
  auxiliary->HandleNeeded();
  auto* excluded = Create<TExcluded>(Application);
  excluded->HandleNeeded();
  EXPECT_EQ(TsSkinProvider::Of(*auxiliary), nullptr);
  EXPECT_EQ(TsSkinProvider::Of(*excluded), nullptr);
  manager->SetSkinningRules(srStdDialogs);
  auto* plain = Create<TForm>(Application);
  plain->HandleNeeded();
  EXPECT_EQ(TsSkinProvider::Of(*plain), nullptr);
}

TEST_F(SkinProviderTest, FrameComesFromTheSkinAndTheClassicFrameReturnsPixelForPixel) {
  const Bitmap32 classic = Screen(main);
  UseNeutral2();
  const Bitmap32 skinned = Screen(main);
  // The caption bar is FORMTITLE's grey gradient, not the classic blue.
  const Pixel bar = skinned.At(120, 8);
  EXPECT_EQ(PixelR(bar), PixelG(bar));
  EXPECT_EQ(PixelG(bar), PixelB(bar));
  EXPECT_FALSE(SameColors(classic, skinned));
  manager->SetActive(false);
  EXPECT_TRUE(SameColors(classic, Screen(main)));
  manager->SetActive(true);
  EXPECT_TRUE(SameColors(skinned, Screen(main)));
}

TEST_F(SkinProviderTest, HitTestFindsButtonsThatCanActIconCaptionBorderAndClient) {
  UseNeutral2();
  Screen(main);
  SetWindowIcon(main->Handle(), Bitmap32(16, 16, MakePixel(0, 128, 0)));
  TsSkinProvider& provider = Provider(main);
  EXPECT_EQ(provider.HitTest(Middle(ButtonRect(main, CaptionButtonKind::Close))), HTCLOSE);
  EXPECT_EQ(provider.HitTest(Middle(ButtonRect(main, CaptionButtonKind::Minimize))), HTMINBUTTON);
  EXPECT_EQ(provider.HitTest(Middle(provider.Caption().icon)), HTSYSMENU);
  EXPECT_EQ(provider.HitTest({120, 10}), HTCAPTION);
  EXPECT_EQ(provider.HitTest({1, 100}), HTBORDER);  // a single frame does not size
  EXPECT_EQ(provider.HitTest({150, 100}), HTCLIENT);
  // The same through the window system.
  EXPECT_EQ(SendMessage(main->Handle(), WM_NCHITTEST, 0,
                        LParamFromPoint(At(main, Middle(ButtonRect(main, CaptionButtonKind::Close))))),
            HTCLOSE);
  main->SetBorderStyle(TFormBorderStyle::bsSizeable);
  Pump();
  EXPECT_EQ(provider.HitTest({1, 100}), HTLEFT);
  EXPECT_EQ(provider.HitTest({1, 1}), HTTOPLEFT);
}

TEST_F(SkinProviderTest, HoverRepaintsOnlyThatButton) {
  UseNeutral2();
  const Bitmap32 before = Screen(main);
  const int builds = Provider(main).PictureBuilds();
  const Rect close = ButtonRect(main, CaptionButtonKind::Close);
  MoveTo(At(main, Middle(close)));
  Pump();
  EXPECT_EQ(Provider(main).ButtonState(CaptionButtonKind::Close), kButtonHot);
  const Bitmap32& after = Screen(main);
  int changed = 0;
  for (int y = 0; y < before.Height(); ++y) {
    for (int x = 0; x < before.Width(); ++x) {
      if (PixelRGB(before.At(x, y)) == PixelRGB(after.At(x, y))) continue;
      ++changed;
      EXPECT_TRUE(close.Contains(Point{x, y})) << x << "," << y;
    }
  }
  EXPECT_GT(changed, 0);
  EXPECT_EQ(Provider(main).PictureBuilds(), builds);
  // Off the button: normal again.
  MoveTo(At(main, {150, 100}));
  Pump();
  EXPECT_EQ(Provider(main).ButtonState(CaptionButtonKind::Close), kButtonNormal);
  EXPECT_TRUE(SameColors(before, Screen(main)));
}

TEST_F(SkinProviderTest, CloseActsOnlyOnAReleaseOverIt) {
  UseNeutral2();
  Screen(main);
  const Point close = At(main, Middle(ButtonRect(main, CaptionButtonKind::Close)));
  MoveTo(close);
  platform.UserButton(close, MouseButton::Left, true);
  Pump();
  EXPECT_EQ(Provider(main).ButtonState(CaptionButtonKind::Close), kButtonPressed);
  EXPECT_TRUE(TsSkinProvider::CaptionButtonPressed());
  const Point away = At(main, {120, 100});
  MoveTo(away);
  platform.UserButton(away, MouseButton::Left, false);
  Pump();
  EXPECT_EQ(closes, 0);
  EXPECT_EQ(Provider(main).ButtonState(CaptionButtonKind::Close), kButtonNormal);
  EXPECT_FALSE(TsSkinProvider::CaptionButtonPressed());
  MoveTo(close);
  platform.UserClick(close);
  Pump();
  EXPECT_EQ(closes, 1);
}

TEST_F(SkinProviderTest, ChildrenAskThePictureForTheirBackground) {
  UseNeutral2();
  auto* panel = Create<TPanel>(main);
  panel->SetParent(main);
  panel->SetBounds(10, 20, 50, 30);
  Screen(main);
  const std::optional<ParentBackground> behind = AskParentBackground(*panel);
  ASSERT_TRUE(behind.has_value());
  const Bitmap32* picture = Provider(main).Picture();
  EXPECT_EQ(behind->image, picture);
  const Point offset = Provider(main).ClientOffset();
  EXPECT_EQ(offset, (Point{3, 22}));
  EXPECT_EQ(behind->offset, (Point{offset.x + 10, offset.y + 20}));
}

TEST_F(SkinProviderTest, SystemMenuFollowsTheFormsButtonsAndClosesTheForm) {
  UseNeutral2();
  Screen(main);
  TsSystemMenu& menu = Provider(main).SystemMenu();
  EXPECT_TRUE(menu.VisibleClose());
  EXPECT_TRUE(menu.VisibleMin());
  EXPECT_FALSE(menu.VisibleMax());
  // A right click on the caption opens it; "C" chooses "&Close" there.
  const Point caption = At(main, {120, 10});
  MoveTo(caption);
  platform.UserButton(caption, MouseButton::Right, true);
  platform.UserButton(caption, MouseButton::Right, false);
  platform.UserKey('C', true, "c");
  platform.UserKey('C', false);
  Pump();
  EXPECT_EQ(closes, 1);
}

// The user's title buttons sit a gap left of the standard ones, answer 1000 + their index
// while enabled, and raise their events on press and on a release over them.
TEST_F(SkinProviderTest, TitleButtonsLieLeftOfTheStandardOnesAndRaiseTheirEvents) {
  UseNeutral2();
  Screen(main);
  TsSkinProvider& provider = Provider(main);
  std::vector<std::string> events;
  provider.TitleButtons.resize(2);
  provider.TitleButtons[0].OnMouseDown = [&](TComponent*) { events.push_back("down 0"); };
  provider.TitleButtons[0].OnMouseUp = [&](TComponent*) { events.push_back("up 0"); };
  provider.TitleButtons[1].Enabled = false;
  provider.Repaint();
  Pump();
  const CaptionLayout caption = provider.Caption();
  ASSERT_EQ(caption.titleButtons.size(), 2u);
  const Rect first = caption.titleButtons[0].rect;
  EXPECT_EQ(first.right, ButtonRect(main, CaptionButtonKind::Minimize).left - 6);
  EXPECT_EQ(caption.titleButtons[1].rect.right, first.left);
  EXPECT_EQ(provider.HitTest(Middle(first)), 1000);
  EXPECT_EQ(provider.HitTest(Middle(caption.titleButtons[1].rect)), HTCAPTION);
  EXPECT_LE(caption.text.right, caption.titleButtons[1].rect.left - 12);

  MoveTo(At(main, Middle(first)));
  Pump();
  EXPECT_EQ(provider.TitleButtonState(0), kButtonHot);
  platform.UserClick(At(main, Middle(first)));
  Pump();
  EXPECT_EQ(events, (std::vector<std::string>{"down 0", "up 0"}));
  EXPECT_EQ(closes, 0);
}

}  // namespace
}  // namespace tappomat::test
