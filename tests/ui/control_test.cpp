// Controls on a form: class names, loading, window creation, mouse routing, WindowProc
// chaining, parent font and colour, keyboard and tab order.
#include "platform/virtual_keys.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/timer.h"
#include "ui/win_control.h"
#include "ui_fixture.h"
#include "win/input.h"

namespace tappomat::test {
namespace {

class TBox : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  std::string ClassName() const override { return "TBox"; }
};

class TPanelish : public TCustomControl {
 public:
  explicit TPanelish(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
  std::string ClassName() const override { return "TPanelish"; }
};

// A form that builds its controls in its constructor, as the program's forms do.
class TTestForm : public TForm {
 public:
  explicit TTestForm(TComponent* owner) : TForm(owner) {
    SetBounds(100, 100, 400, 300);
    SetBorderStyle(TFormBorderStyle::bsSingle);
    for (int i = 0; i < 3; ++i) {
      edits[i] = Create<TPanelish>(this);
      edits[i]->SetName("Edit" + std::to_string(i));
      edits[i]->SetBounds(10, 10 + 40 * i, 100, 30);
      edits[i]->SetParent(this);
      loadingDuringCreation = loadingDuringCreation && (edits[i]->ComponentState() & csLoading);
    }
    OnCreate = [this](TComponent*) { ++createCalls; };
  }
  std::string ClassName() const override { return "TTestForm"; }
  void Loaded() override {
    TForm::Loaded();
    ++loadedCalls;
  }

  TPanelish* edits[3] = {};
  bool loadingDuringCreation = true;
  int loadedCalls = 0;
  int createCalls = 0;
};

class ControlTest : public UiTest {
 protected:
  ControlTest() {
    form = Create<TTestForm>(Application);
    form->Show();
    Pump();
  }
  TTestForm* form = nullptr;
};

TEST_F(ControlTest, ClassNames) {
  auto* timer = Create<TTimer>(form);
  auto* image = Create<TImage>(form);
  auto* box = Create<TBox>(form);
  const std::vector<std::pair<const TComponent*, std::string>> cases = {
      {Application, "TApplication"}, {form, "TTestForm"}, {timer, "TTimer"},
      {image, "TImage"},             {box, "TBox"},       {form->edits[0], "TPanelish"},
  };
  for (const auto& [c, name] : cases) EXPECT_EQ(c->ClassName(), name);
  TForm plain(nullptr);
  EXPECT_EQ(plain.ClassName(), "TForm");
  EXPECT_EQ(GetClassName(form->Handle()), "TTestForm");
}

TEST_F(ControlTest, FormLoadsItsControlsThenCallsLoadedAndOnCreateOnce) {
  EXPECT_TRUE(form->loadingDuringCreation);
  EXPECT_EQ(form->loadedCalls, 1);
  EXPECT_EQ(form->createCalls, 1);
  EXPECT_FALSE(form->edits[0]->ComponentState() & csLoading);
  EXPECT_EQ(Application->MainForm(), form);
}

TEST_F(ControlTest, WindowIsMadeWhenTheParentHasOne) {
  auto* orphan = Create<TPanelish>(form);
  orphan->SetBounds(200, 20, 50, 40);
  EXPECT_FALSE(orphan->HandleAllocated());
  orphan->SetParent(form);
  ASSERT_TRUE(orphan->HandleAllocated());
  EXPECT_EQ(GetParent(orphan->Handle()), form->Handle());
  EXPECT_EQ(GetWindowRectInParent(orphan->Handle()), (Rect{200, 20, 250, 60}));
  orphan->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(orphan->Handle()));
  orphan->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(orphan->Handle()));
  orphan->SetParent(nullptr);
  EXPECT_FALSE(orphan->HandleAllocated());
}

TEST_F(ControlTest, ParentFontAndColorFollowUntilSet) {
  TPanelish* child = form->edits[0];
  form->Font().SetSize(12);
  EXPECT_EQ(child->Font().Height(), -16);
  EXPECT_TRUE(child->ParentFont());
  child->Font().SetName("Arial");  // the child's own font from now on
  EXPECT_FALSE(child->ParentFont());
  form->Font().SetSize(10);
  EXPECT_EQ(child->Font().Height(), -16);

  child->SetParentColor(true);
  form->SetColor(clRed);
  EXPECT_EQ(child->Color(), clRed);
  child->SetColor(clBlue);
  form->SetColor(clGreen);
  EXPECT_EQ(child->Color(), clBlue);
}

TEST_F(ControlTest, MouseEventsAndClickOnlyForReleaseOverTheControl) {
  TPanelish* c = form->edits[0];
  std::vector<std::string> log;
  c->OnMouseDown = [&](TComponent*, TMouseButton b, TShiftState, int x, int y) {
    log.push_back("down " + std::to_string(static_cast<int>(b)) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  c->OnMouseUp = [&](TComponent*, TMouseButton, TShiftState, int x, int y) {
    log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
  };
  c->OnClick = [&](TComponent*) { log.push_back("click"); };
  ClickAt(c, {5, 6});
  EXPECT_EQ(log, (std::vector<std::string>{"down 0 5,6", "click", "up 5,6"}));

  // Pressed on the control, released elsewhere: captured, no click.
  log.clear();
  platform.UserButton(ScreenPoint(c, {5, 6}), MouseButton::Left, true);
  Pump();
  platform.UserButton(ScreenPoint(c, {300, 6}), MouseButton::Left, false);
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"down 0 5,6", "up 300,6"}));
}

TEST_F(ControlTest, DoubleClick) {
  TPanelish* c = form->edits[1];
  int clicks = 0, doubles = 0;
  c->OnClick = [&](TComponent*) { ++clicks; };
  c->OnDblClick = [&](TComponent*) { ++doubles; };
  Click(c);
  Click(c);
  EXPECT_EQ(doubles, 1);
  EXPECT_GE(clicks, 1);
}

TEST_F(ControlTest, GraphicControlsGetMouseTopmostFirstWithEnterAndLeave) {
  auto* bottom = Create<TBox>(form);
  bottom->SetBounds(200, 10, 100, 100);
  bottom->SetParent(form);
  auto* top = Create<TBox>(form);
  top->SetBounds(250, 10, 100, 100);
  top->SetParent(form);
  std::vector<std::string> log;
  for (auto [box, name] : {std::pair{bottom, "bottom"}, std::pair{top, "top"}}) {
    box->OnClick = [&log, name = std::string(name)](TComponent*) { log.push_back(name + " click"); };
    box->OnMouseEnter = [&log, name = std::string(name)](TComponent*) { log.push_back(name + " enter"); };
    box->OnMouseLeave = [&log, name = std::string(name)](TComponent*) { log.push_back(name + " leave"); };
  }
  MoveTo(form->ClientToScreen({210, 50}));
  MoveTo(form->ClientToScreen({260, 50}));  // the overlap: the top one
  ClickAt(form, {260, 50});
  MoveTo(form->ClientToScreen({380, 250}));
  EXPECT_EQ(log, (std::vector<std::string>{"bottom enter", "bottom leave", "top enter", "top click",
                                           "top leave"}));
}

TEST_F(ControlTest, WindowedControlsGetEnterAndLeave) {
  std::vector<std::string> log;
  form->edits[0]->OnMouseEnter = [&](TComponent*) { log.push_back("enter"); };
  form->edits[0]->OnMouseLeave = [&](TComponent*) { log.push_back("leave"); };
  MoveTo(ScreenPoint(form->edits[0]));
  MoveTo(form->ClientToScreen({300, 250}));
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(ControlTest, ReplacedWindowProcSeesMessagesAndChains) {
  TPanelish* c = form->edits[0];
  std::vector<UINT> seen;
  TControl::TWndMethod previous = c->WindowProc;
  c->WindowProc = [&seen, previous](TMessage& m) {
    seen.push_back(m.Msg);
    previous(m);
  };
  int clicks = 0;
  c->OnClick = [&](TComponent*) { ++clicks; };
  Click(c);
  EXPECT_EQ(clicks, 1);
  EXPECT_NE(std::find(seen.begin(), seen.end(), WM_LBUTTONDOWN), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), WM_LBUTTONUP), seen.end());
  EXPECT_EQ(c->Perform(CM_HITTEST), HTCLIENT);
  EXPECT_EQ(seen.back(), CM_HITTEST);
  c->WindowProc = previous;  // `seen` goes out of scope
}

TEST_F(ControlTest, KeyDownAndKeyPressWithPreviewFirst) {
  std::vector<std::string> log;
  TPanelish* c = form->edits[0];
  c->SetFocus();
  Pump();
  ASSERT_TRUE(c->Focused());
  form->SetKeyPreview(true);
  form->OnKeyDown = [&](TComponent*, WORD& key, TShiftState) { log.push_back("form down " + std::to_string(key)); };
  form->OnKeyPress = [&](TComponent*, char32_t& key) {
    log.push_back(std::string("form press ") + static_cast<char>(key));
    if (key == 'x') key = 0;  // swallowed
  };
  c->OnKeyDown = [&](TComponent*, WORD& key, TShiftState) { log.push_back("edit down " + std::to_string(key)); };
  c->OnKeyPress = [&](TComponent*, char32_t& key) { log.push_back(std::string("edit press ") + static_cast<char>(key)); };
  Key('A', "a");
  Key('X', "x");
  EXPECT_EQ(log, (std::vector<std::string>{"form down 65", "edit down 65", "form press a", "edit press a",
                                           "form down 88", "edit down 88", "form press x"}));
}

TEST_F(ControlTest, TabAndShiftTabCycleByTabOrderSkippingUnfocusable) {
  auto* extra = Create<TPanelish>(form);
  extra->SetBounds(200, 200, 50, 20);
  extra->SetParent(form);
  extra->SetTabOrder(0);  // first in the cycle: extra, edit0, edit1, edit2
  EXPECT_EQ(form->edits[0]->TabOrder(), 1);
  form->edits[1]->SetTabStop(false);
  form->edits[2]->SetEnabled(false);
  extra->SetFocus();
  Pump();
  struct Step { bool shift; TWinControl* expected; };
  const std::vector<Step> steps = {
      {false, form->edits[0]}, {false, extra}, {true, form->edits[0]}, {true, extra},
  };
  for (const Step& s : steps) {
    if (s.shift) platform.UserKey(VK_SHIFT, true);
    Key(VK_TAB);
    if (s.shift) platform.UserKey(VK_SHIFT, false);
    Pump();
    EXPECT_TRUE(s.expected->Focused()) << "expected " << s.expected->Name();
  }
}

TEST_F(ControlTest, ActiveControlIsRestoredOnReactivation) {
  form->edits[2]->SetFocus();
  Pump();
  auto* other = Create<TForm>(Application);
  other->SetBounds(600, 100, 200, 200);
  other->Show();
  Pump();
  EXPECT_FALSE(form->edits[2]->Focused());
  ClickAt(form, {300, 200});
  EXPECT_TRUE(form->Active());
  EXPECT_EQ(form->ActiveControl(), form->edits[2]);
  EXPECT_TRUE(form->edits[2]->Focused());
}

}  // namespace
}  // namespace tappomat::test
