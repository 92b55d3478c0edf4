// A classic form with every standard control of the component layer, for trying them by
// mouse and keyboard on a real display (a desktop or Xvfb):
//   tappomat_ui_demo [--exit-after MS]
// --exit-after closes the form by itself, so that a test can run it unattended.
//
// It prints one line to stdout for each event, for the end-to-end test to read:
//   ready                         the form is showing
//   place <name> <x> <y> <w> <h>  where a control is on the screen (after "ready")
//   focus: edit                   the edit got the focus
//   edit: <text>                  the edit's text changed
//   combo: <index> <text>         the drop-down list combo box's selection changed
//   dropdown: <index> <text>      the same for the drop-down combo box (on a choice)
//   simple: <index> <text>        the same for the simple combo box
//   check: <0|1|2>                the check box's state (unchecked, checked, grayed)
//   speed: <n>                    a speed button of the group went down
//   button: <name>                a button was clicked
//   list: <index>                 the list box's selection changed
//   popup: <class>                the list's pop-up menu opens on that control
//   menu: <item>                  an item of the pop-up menu was chosen
//   dialog: <what>                what a dialog answered
//   closed                        the form closed
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "gdi/system_colors.h"
#include "platform/virtual_keys.h"
#include "platform/x11/x11_factory.h"
#include "ui/application.h"
#include "ui/bit_btn.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/dialogs.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/menu.h"
#include "ui/panel.h"
#include "ui/speed_button.h"
#include "ui/string_grid.h"
#include "ui/timer.h"
#include "win/nonclient.h"

namespace tappomat {
namespace {

void Print(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);  // the test reads it through a pipe
}

// The bit button's glyph: a 16x16 target, red rings round a white centre, on a
// transparent ground.
Bitmap32 TargetGlyph() {
  Bitmap32 glyph(16, 16, 0);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const double dx = x - 7.5, dy = y - 7.5;
      const double r2 = dx * dx + dy * dy;
      if (r2 > 7.6 * 7.6) continue;
      const bool red = r2 > 5.5 * 5.5 || (r2 <= 3.5 * 3.5 && r2 > 1.6 * 1.6);
      glyph.At(x, y) = red ? MakePixel(200, 20, 20) : MakePixel(255, 255, 255);
    }
  }
  return glyph;
}

// The image: a blue-to-green gradient with a crosshair, as a picked click position.
Bitmap32 CrosshairPicture(int size) {
  Bitmap32 picture(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      picture.At(x, y) = MakePixel(40, static_cast<std::uint8_t>(80 + 150 * y / size),
                                   static_cast<std::uint8_t>(230 - 150 * x / size));
  for (int i = 4; i < size - 4; ++i) {
    picture.At(i, size / 2) = MakePixel(255, 255, 255);
    picture.At(size / 2, i) = MakePixel(255, 255, 255);
  }
  return picture;
}

class TDemoForm : public TForm {
 public:
  explicit TDemoForm(TComponent* owner) : TForm(owner) {
    SetCaption("Tappomat standard controls");
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetBorderIcons(biSystemMenu | biMinimize);
    SetBounds(100, 100, 0, 0);
    SetClientWidth(560);
    SetClientHeight(410);
    SetShowHint(true);
    BuildInputs();
    BuildButtons();
    BuildLists();
    BuildStatus();
    OnShow = [](TComponent*) { Print("ready"); };
    OnClose = [](TComponent*, TCloseAction&) { Print("closed"); };
  }

  // Where the test finds the controls it drives.
  void PrintPlaces() {
    PrintPlace("edit", m_edit);
    PrintPlace("dropdown", m_dropDown);
    PrintPlace("combo", m_dropDownList);
    PrintPlace("simple", m_simple);
    PrintPlace("list", m_list);
    const NonClientLayout layout = GetNonClientLayout(Handle());
    const Rect window = GetWindowRect(Handle());
    const Rect close = layout.closeButton.Offset(window.left, window.top);
    Print("place close " + std::to_string(close.left) + " " + std::to_string(close.top) + " " +
          std::to_string(close.Width()) + " " + std::to_string(close.Height()));
  }

 private:
  // A control of this form in `parent`. A panel is told to lay its aligned children out
  // again: it hears of new child windows itself, but not of window-less children.
  template <class T>
  T* Add(TWinControl* parent, int left, int top, int width, int height,
         TAlign align = TAlign::alNone) {
    T* control = Create<T>(this);
    control->SetBounds(left, top, width, height);
    control->SetAlign(align);
    control->SetParent(parent);
    if (auto* panel = dynamic_cast<TPanel*>(parent)) panel->Realign();
    return control;
  }

  void PrintPlace(const std::string& name, TControl* control) {
    const Point at = control->ClientToScreen({0, 0});
    Print("place " + name + " " + std::to_string(at.x) + " " + std::to_string(at.y) + " " +
          std::to_string(control->Width()) + " " + std::to_string(control->Height()));
  }

  void Status(const std::string& text) {
    if (m_status) m_status->SetCaption(text);
  }

  // Label, edit, the three combo box styles.
  void BuildInputs() {
    auto* nameLabel = Add<TLabel>(this, 12, 16, 60, 13);
    nameLabel->SetCaption("&Name:");
    m_edit = Add<TEdit>(this, 90, 12, 160, 21);
    m_edit->SetHint("Type the name of the clicking script");
    m_edit->OnChange = [this](TComponent*) {
      Print("edit: " + m_edit->Text());
      Status("Edit changed: " + m_edit->Text());
    };
    m_edit->OnEnter = [](TComponent*) { Print("focus: edit"); };
    nameLabel->SetFocusControl(m_edit);

    auto* buttonLabel = Add<TLabel>(this, 12, 46, 70, 13);
    buttonLabel->SetCaption("&Button:");
    m_dropDown = Add<TComboBox>(this, 90, 42, 160, 21);
    m_dropDown->Items().SetCommaText("Left,Right,Middle");
    m_dropDown->SetItemIndex(0);
    m_dropDown->OnChange = [this](TComponent*) { ComboEvent("dropdown", m_dropDown); };
    buttonLabel->SetFocusControl(m_dropDown);

    auto* repeatLabel = Add<TLabel>(this, 12, 76, 70, 13);
    repeatLabel->SetCaption("&Repeat:");
    m_dropDownList = Add<TComboBox>(this, 90, 72, 160, 21);
    m_dropDownList->SetStyle(TComboBoxStyle::csDropDownList);
    m_dropDownList->Items().SetCommaText("Once,Twice,\"Ten times\",\"Until stopped\"");
    m_dropDownList->SetItemIndex(0);
    m_dropDownList->OnChange = [this](TComponent*) { ComboEvent("combo", m_dropDownList); };
    repeatLabel->SetFocusControl(m_dropDownList);

    auto* speedLabel = Add<TLabel>(this, 12, 106, 70, 13);
    speedLabel->SetCaption("&Speed:");
    m_simple = Add<TComboBox>(this, 90, 102, 160, 86);
    m_simple->SetStyle(TComboBoxStyle::csSimple);
    m_simple->Items().SetCommaText("Slow,Normal,Fast,Fastest");
    m_simple->SetItemIndex(1);
    m_simple->OnChange = [this](TComponent*) { ComboEvent("simple", m_simple); };
    speedLabel->SetFocusControl(m_simple);
  }

  void ComboEvent(const std::string& name, TComboBox* combo) {
    Print(name + ": " + std::to_string(combo->ItemIndex()) + " " + combo->Text());
    Status("Combo box " + name + ": " + combo->Text());
  }

  // Check box, speed buttons, push buttons, the panel.
  void BuildButtons() {
    auto* check = Add<TCheckBox>(this, 272, 14, 150, 17);
    check->SetCaption("Allow &grayed state");
    check->SetAllowGrayed(true);
    check->OnClick = [this, check](TComponent*) {
      Print("check: " + std::to_string(static_cast<int>(check->State())));
      Status("Check box state " + std::to_string(static_cast<int>(check->State())));
    };

    for (int i = 0; i < 3; ++i) {
      auto* speed = Add<TSpeedButton>(this, 272 + 24 * i, 40, 23, 22);
      speed->SetCaption(std::to_string(i + 1));
      speed->SetGroupIndex(1);
      speed->SetDown(i == 0);
      speed->OnClick = [this, i](TComponent*) {
        Print("speed: " + std::to_string(i + 1));
        Status("Speed button " + std::to_string(i + 1));
      };
    }

    auto* start = Add<TButton>(this, 360, 40, 75, 25);
    start->SetCaption("&Start");
    start->SetDefault(true);
    start->SetHint("Starts the clicking (Enter)");
    start->OnClick = [this](TComponent*) { ButtonEvent("start"); };
    auto* stop = Add<TButton>(this, 442, 40, 75, 25);
    stop->SetCaption("Cancel");
    stop->SetCancel(true);
    stop->SetHint("Esc");
    stop->OnClick = [this](TComponent*) { ButtonEvent("cancel"); };

    auto* dialogs = Add<TBitBtn>(this, 360, 72, 157, 25);
    dialogs->SetCaption("&Dialogs...");
    dialogs->SetGlyph(TargetGlyph());
    dialogs->OnClick = [this](TComponent*) { RunDialogs(); };

    auto* panel = Add<TPanel>(this, 272, 108, 270, 80);
    panel->SetCaption("Panel: raised, border, lowered");
    panel->SetBevelOuter(TBevelCut::bvRaised);
    panel->SetBevelInner(TBevelCut::bvLowered);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(3);
    auto* strip = Add<TPanel>(panel, 0, 0, 0, 18, TAlign::alTop);  // inside the bevels
    strip->SetBevelOuter(TBevelCut::bvNone);
    strip->SetColor(clInfoBk);
    strip->SetCaption("Aligned to the top");
  }

  void ButtonEvent(const std::string& name) {
    Print("button: " + name);
    Status("Button " + name + " clicked");
  }

  // Message box, then the confirmation, then the text entry when confirmed.
  void RunDialogs() {
    MessageDlgBox("Tappomat", "This is the message box.", MessageBoxIconKind::Information);
    Print("dialog: message");
    const bool yes = ConfirmBox("Enter a new name for the script?");
    Print(std::string("dialog: confirm ") + (yes ? "yes" : "no"));
    if (!yes) return;
    std::string name = m_edit->Text();
    if (InputQueryBox("Rename", "New name:", name)) {
      Print("dialog: input " + name);
      m_edit->SetText(name);
    } else {
      Print("dialog: input cancelled");
    }
  }

  // List box with its pop-up menu, string grid, image.
  void BuildLists() {
    auto* list = m_list = Add<TListBox>(this, 12, 200, 150, 130);
    for (const char* item : {"Click at 100, 200", "Wait 500 ms", "Double click", "Right click",
                             "Wait 1 s", "Click at 40, 60", "Drag", "Scroll down", "Key Enter"})
      list->Items().Add(item);
    list->SetHint("Right-click for the menu");
    list->OnClick = [this, list](TComponent*) {
      Print("list: " + std::to_string(list->ItemIndex()));
      Status("List item " + std::to_string(list->ItemIndex()));
    };

    auto* menu = Create<TPopupMenu>(this);
    struct Entry {
      const char* caption;
      TShortCut shortCut;
      const char* name;
    };
    const Entry entries[] = {
        {"&Add step", ShortCut('N', ssCtrl), "add"},
        {"&Delete step", ShortCut(VK_DELETE, 0), "delete"},
        {"-", scNone, ""},
        {"&Clear all", ShortCut('L', ssCtrl), "clear"},
    };
    for (const Entry& e : entries) {
      auto* item = Create<TMenuItem>(this);
      item->SetCaption(e.caption);
      item->SetShortCut(e.shortCut);
      const std::string name = e.name;
      item->OnClick = [this, list, name](TComponent*) {
        Print("menu: " + name);
        Status("Menu: " + name);
        if (name == "add") list->Items().Add("New step");
        if (name == "delete" && list->ItemIndex() >= 0) list->Items().Delete(list->ItemIndex());
        if (name == "clear") list->Clear();
      };
      menu->Items()->Add(item);
    }
    menu->OnPopup = [menu](TComponent*) {
      TComponent* on = menu->PopupComponent();
      Print(std::string("popup: ") + (on ? on->ClassName() : "none"));
    };
    list->SetPopupMenu(menu);

    auto* grid = Add<TStringGrid>(this, 172, 200, 290, 130);
    grid->SetColCount(4);
    grid->SetRowCount(6);
    grid->SetDefaultRowHeight(19);
    for (int c = 0; c < 4; ++c) grid->SetColWidths(c, c == 0 ? 30 : c == 3 ? 108 : 70);
    const char* rows[][4] = {{"#", "X", "Y", "Button"},    {"1", "100", "200", "Left"},
                             {"2", "140", "220", "Left"},  {"3", "40", "60", "Right"},
                             {"4", "320", "18", "Middle"}, {"5", "10", "10", "Left"}};
    for (int r = 0; r < 6; ++r)
      for (int c = 0; c < 4; ++c) grid->SetCells(c, r, rows[r][c]);

    auto* image = Add<TImage>(this, 474, 200, 64, 64);
    image->SetPicture(CrosshairPicture(64));
    image->SetHint("A picture drawn by the program");
  }

  void BuildStatus() {
    auto* bar = Add<TPanel>(this, 0, 384, 560, 26);
    bar->SetBevelOuter(TBevelCut::bvLowered);
    bar->SetBorderWidth(1);
    m_status = Add<TLabel>(bar, 0, 0, 0, 0, TAlign::alClient);
    m_status->SetAutoSize(false);
    m_status->SetLayout(TTextLayout::tlCenter);
    m_status->SetCaption("Ready");
    bar->Realign();  // after AutoSize went off, so that no caption sizes the label
  }

  TEdit* m_edit = nullptr;
  TComboBox* m_dropDown = nullptr;
  TComboBox* m_dropDownList = nullptr;
  TComboBox* m_simple = nullptr;
  TListBox* m_list = nullptr;
  TLabel* m_status = nullptr;
};

int Run(int exitAfterMs) {
  std::unique_ptr<Platform> platform = CreateX11Platform();
  if (!platform) {
    std::fprintf(stderr, "tappomat_ui_demo: cannot open the X display (is DISPLAY set?)\n");
    return 1;
  }
  WindowSystem system(*platform);
  TApplication application;
  application.SetTitle("Tappomat demo");
  auto* form = Create<TDemoForm>(&application);
  if (exitAfterMs > 0) {
    auto* limit = Create<TTimer>(form);
    limit->SetInterval(static_cast<unsigned>(exitAfterMs));
    limit->OnTimer = [form](TComponent*) { form->Close(); };
  }
  // The places once the form shows, from the loop, when the window has its frame.
  auto* places = Create<TTimer>(form);
  places->SetInterval(1);
  places->OnTimer = [form, places](TComponent*) {
    places->SetEnabled(false);
    form->PrintPlaces();
  };
  application.Run();
  return 0;
}

}  // namespace
}  // namespace tappomat

int main(int argc, char** argv) {
  int exitAfterMs = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--exit-after") == 0 && i + 1 < argc) {
      exitAfterMs = std::atoi(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: tappomat_ui_demo [--exit-after MS]\n");
      return 2;
    }
  }
  return tappomat::Run(exitAfterMs);
}
