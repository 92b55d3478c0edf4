// The About box and the hot-key help window on the headless backend: shown modally over a
// main window and closed by OK or Esc, the version and links of the About box, and the
// hot-key window's place above other windows and its labels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <string>

#include "app/about.h"
#include "app/hot_key_help.h"
#include "app/version.h"
#include "platform/virtual_keys.h"
#include "skin/controls/skinned_button.h"
#include "skin/controls/skinned_label.h"
#include "skin/controls/skinned_panel.h"
#include "ui/image.h"
#include "ui/timer.h"
#include "ui/ui_fixture.h"
#include "win/input.h"

namespace tappomat {
namespace {

constexpr TColor kLinkColor = RGB(29, 88, 116);

class InformationDialogsTest : public test::UiTest {
 protected:
  InformationDialogsTest() {
    mainForm = Create<TForm>(app.get());
    mainForm->SetBounds(100, 100, 400, 300);
    mainForm->Show();
    Pump();
  }

  // Shows `dialog` modally; once it is up, `act` runs inside the modal loop and queues the
  // user's answer. Returns what ShowModal returned. A dialog that ignores the answer is
  // ended with mrAbort a (driven) second later, so that the test fails instead of hanging.
  TModalResult ShowModalThen(TForm* dialog, std::function<void()> act) {
    auto* timer = Create<TTimer>(mainForm);
    timer->SetInterval(1);
    timer->OnTimer = [timer, act](TComponent*) {
      timer->SetEnabled(false);
      act();
    };
    auto* guard = Create<TTimer>(mainForm);
    guard->SetInterval(1000);
    guard->OnTimer = [guard, dialog](TComponent*) {
      guard->SetEnabled(false);
      ADD_FAILURE() << dialog->ClassName() << " did not close";
      dialog->SetModalResult(mrAbort);
    };
    const TModalResult result = dialog->ShowModal();
    timer->Free();
    guard->Free();
    return result;
  }
  void QueueKey(int key) {
    platform.UserKey(key, true);
    platform.UserKey(key, false);
  }
  void QueueClick(const TControl* control) { platform.UserClick(ScreenPoint(control)); }

  const HeadlessPlatform::WindowRecord* NativeRecord(TForm* form) {
    return platform.Window(WindowSystem::Current().Find(form->Handle())->top.native);
  }

  TForm* mainForm;
};

TEST_F(InformationDialogsTest, EachWindowClosesWithOkOrEsc) {
  auto* about = Create<TFormAbout>(app.get());
  auto* hotKeys = Create<TFormHotKey>(app.get());
  struct Window {
    TForm* form;
    TButton* ok;
  };
  for (const Window& w : {Window{about, about->sButton1}, Window{hotKeys, hotKeys->sButton1}}) {
    SCOPED_TRACE(w.form->ClassName());
    EXPECT_FALSE(w.form->Visible()) << "created hidden";
    bool shownModally = false;
    auto answer = [&](std::function<void()> queue) {
      return ShowModalThen(w.form, [&, queue] {
        shownModally = w.form->Visible() && w.form->Modal() && !IsWindowEnabled(mainForm->Handle());
        queue();
      });
    };
    EXPECT_EQ(answer([&] { QueueClick(w.ok); }), mrOk);
    EXPECT_TRUE(shownModally);
    EXPECT_FALSE(w.form->Visible());
    EXPECT_EQ(answer([&] { QueueKey(VK_ESCAPE); }), mrCancel);
    EXPECT_FALSE(w.form->Visible());
    EXPECT_TRUE(IsWindowEnabled(mainForm->Handle()));
  }
  EXPECT_TRUE(errorBoxes.empty());
}

TEST_F(InformationDialogsTest, WindowsAreFixedCaptionlessDialogsOverTheMainWindow) {
  auto* about = Create<TFormAbout>(app.get());
  auto* hotKeys = Create<TFormHotKey>(app.get());
  struct Expected {
    TForm* form;
    std::string className;
    std::string caption;
    Size client;
  };
  const Expected windows[] = {
      {about, "TFormAbout", "О программе", {290, 206}},
      {hotKeys, "TFormHotKey", "Горячие клавиши", {289, 170}},
  };
  for (const Expected& e : windows) {
    SCOPED_TRACE(e.className);
    EXPECT_EQ(e.form->ClassName(), e.className);
    EXPECT_EQ(e.form->Caption(), e.caption);
    EXPECT_EQ(e.form->BorderStyle(), TFormBorderStyle::bsSingle);
    EXPECT_EQ(e.form->BorderIcons(), 0u);
    EXPECT_EQ((Size{e.form->ClientWidth(), e.form->ClientHeight()}), e.client);
    Rect placed;
    ShowModalThen(e.form, [&] {
      placed = e.form->BoundsRect();
      QueueKey(VK_ESCAPE);
    });
    const Rect main = mainForm->BoundsRect();
    EXPECT_LE(std::abs((placed.left + placed.right) - (main.left + main.right)), 1);
    EXPECT_LE(std::abs((placed.top + placed.bottom) - (main.top + main.bottom)), 1);
  }
}

TEST_F(InformationDialogsTest, GlobalsFollowTheFirstWindowOfEachKind) {
  auto* about = Create<TFormAbout>(app.get());
  auto* hotKeys = Create<TFormHotKey>(app.get());
  auto* secondAbout = Create<TFormAbout>(app.get());
  EXPECT_EQ(FormAbout, about);
  EXPECT_EQ(FormHotKey, hotKeys);
  secondAbout->Free();
  EXPECT_EQ(FormAbout, about) << "another box going leaves the global alone";
  about->Free();
  hotKeys->Free();
  EXPECT_EQ(FormAbout, nullptr);
  EXPECT_EQ(FormHotKey, nullptr);
}

TEST_F(InformationDialogsTest, AboutBoxShowsTheVersionAndNoContactsOfItsOwn) {
  auto* about = Create<TFormAbout>(app.get());
  std::string version;
  ShowModalThen(about, [&] {
    version = about->LVer->Caption();
    QueueKey(VK_ESCAPE);
  });
  EXPECT_EQ(version, TAPPOMAT_VERSION);
  // The window captions name the program "Tappomat v1.5": the version says the same.
  EXPECT_TRUE(version.starts_with("1.5.")) << version;
  EXPECT_FALSE(version.empty());
  for (TsLabel* value :
       std::initializer_list<TsLabel*>{about->Label7, about->sWebLabel2, about->Label5, about->Label11, about->sWebLabel1}) {
    EXPECT_EQ(value->Caption(), "");
  }
  // Everything but OK sits on the lowered panel.
  EXPECT_EQ(about->Panel1->BevelOuter(), TBevelCut::bvLowered);
  for (TControl* c : std::initializer_list<TControl*>{about->allItemImg, about->Label6, about->LVer,
                                                      about->sWebLabel1}) {
    EXPECT_EQ(c->Parent(), about->Panel1);
  }
  EXPECT_EQ(about->sButton1->Parent(), about);
  EXPECT_GT(about->Label6->Width(), 0) << "labels on the panel are sized to their text";
  EXPECT_EQ(about->allItemImg->Picture().GetSize(), (Size{48, 48}));
  EXPECT_TRUE(about->allItemImg->Transparent());
}

TEST_F(InformationDialogsTest, EmptyLinksLaunchNothing) {
  auto* about = Create<TFormAbout>(app.get());
  about->Show();
  Pump();
  about->sWebLabel2->Click();
  about->sWebLabel1->Click();
  EXPECT_TRUE(platform.Launches().empty());
}

TEST_F(InformationDialogsTest, LinksOpenWithTheDesktop) {
  auto* about = Create<TFormAbout>(
      app.get(), AboutContacts{"A. Author", "author@example.org", "", "", "https://example.org"});
  about->Show();
  Pump();
  EXPECT_EQ(about->Label7->Caption(), "A. Author");
  Click(about->sWebLabel2);
  Click(about->sWebLabel1);
  ASSERT_EQ(platform.Launches().size(), 2u);
  EXPECT_EQ(platform.Launches()[0].program, "") << "opened with the desktop";
  EXPECT_EQ(platform.Launches()[0].args,
            std::vector<std::string>{"mailto:author@example.org?subject=Tappomat"});
  EXPECT_EQ(platform.Launches()[1].args, std::vector<std::string>{"https://example.org"});

  // Without a handler on the desktop the click quietly does nothing more.
  platform.SetLaunchSucceeds(false);
  const int forms = static_cast<int>(Application->Forms().size());
  Click(about->sWebLabel1);
  EXPECT_EQ(platform.Launches().size(), 3u);
  EXPECT_EQ(static_cast<int>(Application->Forms().size()), forms);
  EXPECT_TRUE(errorBoxes.empty());
}

TEST_F(InformationDialogsTest, LinksTakeTheirHoverFontUnderThePointer) {
  auto* about = Create<TFormAbout>(
      app.get(), AboutContacts{"", "author@example.org", "", "", "https://example.org"});
  about->Show();
  Pump();
  // No skin here: the links are drawn in their own fonts, the hover font under the pointer.
  for (TsWebLabel* link : {about->sWebLabel2, about->sWebLabel1}) {
    SCOPED_TRACE(link->Caption());
    EXPECT_EQ(link->Font().Color(), kLinkColor);
    EXPECT_EQ(link->HoverFont().Color(), clWindowText);
    EXPECT_TRUE(link->Font().Style() & fsBold);
    EXPECT_TRUE(link->HoverFont().Style() & fsBold);
    EXPECT_EQ(link->Cursor(), crHandPoint);
    MoveTo(ScreenPoint(link));
    EXPECT_TRUE(link->MouseOver());
    MoveTo(ScreenPoint(about->Label6));
    EXPECT_FALSE(link->MouseOver());
  }
}

TEST_F(InformationDialogsTest, HotKeyWindowStaysOnTopWithItsLabelsInPlace) {
  auto* hotKeys = Create<TFormHotKey>(app.get());
  EXPECT_EQ(hotKeys->FormStyle(), TFormStyle::fsStayOnTop);
  bool topmost = false;
  ShowModalThen(hotKeys, [&] {
    const auto* record = NativeRecord(hotKeys);
    topmost = record && record->topmost;
    QueueKey(VK_ESCAPE);
  });
  EXPECT_TRUE(topmost);

  constexpr TColor kGreen = RGB(0, 128, 0);
  struct Expected {
    TLabel* label;
    Point at;
    std::string caption;
    TColor color;
    int fontHeight;
  };
  const Expected labels[] = {
      {hotKeys->sLabel1, {16, 16}, "Alt-F1", kGreen, -12},
      {hotKeys->sLabel3, {48, 16}, "- Старт/Стоп автозаписи скрипта", clBlack, -11},
      {hotKeys->sLabel2, {16, 35}, "Alt-F2", kGreen, -12},
      {hotKeys->sLabel4, {48, 34}, "- Старт/Стоп выполнения скрипта", clBlack, -11},
  };
  for (const Expected& e : labels) {
    SCOPED_TRACE(e.caption);
    EXPECT_EQ(e.label->Parent(), hotKeys->sPanel1);
    EXPECT_EQ(e.label->Top(), e.at.y);
    // The key names stay where the design puts them; a description moves right of its
    // designed place when its key name's text needs the room (see the main window's tests).
    if (e.color == kGreen) {
      EXPECT_EQ(e.label->Left(), e.at.x);
    } else {
      EXPECT_GE(e.label->Left(), e.at.x);
    }
    EXPECT_EQ(e.label->Caption(), e.caption);
    EXPECT_EQ(e.label->Font().Color(), e.color);
    EXPECT_EQ(e.label->Font().Height(), e.fontHeight);
    EXPECT_TRUE(e.label->Font().Style() & fsBold);
    EXPECT_GT(e.label->Width(), 0) << "sized to its text";
  }
  // The main window's language switch puts its own descriptions in; the labels follow.
  const int width = hotKeys->sLabel3->Width();
  hotKeys->sLabel3->SetCaption("- Run/Stop script recording");
  EXPECT_NE(hotKeys->sLabel3->Width(), width);
}

}  // namespace
}  // namespace tappomat
