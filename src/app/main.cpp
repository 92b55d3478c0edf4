#include "app/main.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "app/about.h"
#include "app/app_folder.h"
#include "app/art.h"
#include "app/decimal_separator.h"
#include "app/form_layout.h"
#include "app/grid_drawing.h"
#include "app/grid_texts.h"
#include "app/hot_key_help.h"
#include "app/main_texts.h"
#include "app/row_editor.h"
#include "app/skin_setup.h"
#include "automation/marker_position.h"
#include "automation/step_timer.h"
#include "automation/target.h"
#include "automation/target2.h"
#include "platform/virtual_keys.h"
#include "skin/controls/skinned_bit_btn.h"
#include "skin/controls/skinned_button.h"
#include "skin/controls/skinned_check_box.h"
#include "skin/controls/skinned_combo_box.h"
#include "skin/controls/skinned_label.h"
#include "skin/controls/skinned_list_box.h"
#include "skin/controls/skinned_speed_button.h"
#include "skin/controls/skinned_spin_edit.h"
#include "skin/data/skin_manager.h"
#include "skin/window/form_skinning.h"
#include "storage/atomic_file.h"
#include "storage/ini_file.h"
#include "storage/script_file.h"
#include "storage/script_library.h"
#include "storage/settings.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/image.h"
#include "ui/list_box.h"
#include "ui/menu.h"
#include "ui/string_grid.h"
#include "ui/timer.h"
#include "win/window_system.h"

namespace tappomat {

TForm1* Form1 = nullptr;
TForm3* Form3 = nullptr;
TForm4* Form4 = nullptr;

namespace {

constexpr TColor kLinkColor = RGB(2, 108, 214);
constexpr TColor kRecordingColor = RGB(0, 128, 0);
constexpr int kDefaultDelay = 300;
const int kColumnWidths[kScriptColumns] = {13, 24, 39, 39, 31, 63};

}  // namespace

TForm1::TForm1(TComponent* owner)
    : TForm(owner),
      m_input(std::make_unique<PlatformInputService>(WindowSystem::Current().GetPlatform())),
      m_table(*(SG = Create<TStringGrid>(this))),
      m_player(m_table, *m_input, *(Timer2 = Create<TStepTimer>(this)), *this),
      m_poller(*m_input, *this) {
  if (!Form1) Form1 = this;
  // First, so that the skin is loaded before any control or window is made.
  sSkinManager1 = Create<TsSkinManager>(this);
  SetUpSkinManager(*sSkinManager1);
  // Every form of the program wears the skin's frame, this one included.
  SkinEveryForm(*sSkinManager1);
  SetCaption("Tappomat v1.5");
  SetPosition(TPosition::poDefaultPosOnly);  // where the window manager puts new windows
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons(biSystemMenu | biMinimize);
  SetClientWidth(382);
  SetClientHeight(335);
  SetKeyPreview(true);
  Font().SetName("MS Sans Serif");
  Font().SetHeight(-11);
  CreateControls();
  AdaptStandardControls(*this);
  CreateMenus();
  SetTabOrder();
  OnCreate = [this](TComponent* s) { FormCreate(s); };
  OnShow = [this](TComponent* s) { FormShow(s); };
  OnKeyDown = [this](TComponent* s, WORD& key, TShiftState shift) { FormKeyDown(s, key, shift); };
}

TForm1::~TForm1() {
  // Here rather than as OnDestroy, which the base form runs once this form's controls
  // are gone.
  GuardedCall([this] { FormDestroy(this); });
  WindowSystem::Current().GetPlatform().SetActivityHandler(nullptr);
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::CreateControls() {
  Label3 = Place<TsLabel>(this, 7, -1, 149, 16);
  SetLabelFont(Label3, "Arial Narrow", 13, false);
  LXY = Place<TsLabel>(this, 160, -1, 9, 16);
  LXY->SetAutoSize(true);
  LXY->SetCaption("0");
  SetLabelFont(LXY, "MS Sans Serif", 13, true);

  SBRus = Place<TsSpeedButton>(this, 244, 0, 23, 17);
  SBRus->SetGroupIndex(1);
  SBRus->SetDown(true);
  SBRus->SetGlyph(Premultiplied(RussianFlag()));
  SBRus->OnClick = [this](TComponent* s) { SBRusClick(s); };
  SBEng = Place<TsSpeedButton>(this, 268, 0, 23, 17);
  SBEng->SetGroupIndex(1);
  SBEng->SetGlyph(Premultiplied(BritishFlag()));
  SBEng->OnClick = [this](TComponent* s) { SBEngClick(s); };

  SBOnTop = Place<TsBitBtn>(this, 295, 1, 26, 16);
  SBOnTop->SetGlyph(Premultiplied(BluePushpin()));
  SBOnTop->SetShowHint(true);
  SBOnTop->OnClick = [this](TComponent* s) { SBOnTopClick(s); };

  for (TsWebLabel** link : {&sWebLabel1, &SWHelp}) {
    *link = Place<TsWebLabel>(this, link == &sWebLabel1 ? 324 : 353, 1, 26, 16);
    (*link)->SetAutoSize(false);
    (*link)->SetAlignment(TAlignment::taCenter);
    (*link)->SetLayout(TTextLayout::tlCenter);
    (*link)->SetSkinSection("BUTTON");
    (*link)->Font().SetColor(kLinkColor);
    (*link)->HoverFont().Assign((*link)->Font());
  }
  SWHelp->HoverFont().SetStyle(fsBold);
  sWebLabel1->SetCaption("©");
  sWebLabel1->OnClick = [this](TComponent* s) { sWebLabel1Click(s); };
  SWHelp->SetCaption("?");
  SWHelp->OnClick = [this](TComponent* s) { SWHelpClick(s); };

  Label2 = Place<TsLabel>(this, 8, 23, 13, 13);
  Label2->SetCaption("X:");
  SetLabelFont(Label2, "MS Sans Serif", 11, true);
  SX = PlaceSpinEdit(this, {22, 19, 73, 40}, 9999, 4, 0);
  SX->SetTabStop(false);
  Label4 = Place<TsLabel>(this, 75, 23, 13, 13);
  Label4->SetCaption("Y:");
  SetLabelFont(Label4, "MS Sans Serif", 11, true);
  SY = PlaceSpinEdit(this, {88, 19, 139, 40}, 9999, 4, 0);
  SY->SetTabStop(false);

  Label6 = Place<TsLabel>(this, 141, 21, 37, 16);
  SetLabelFont(Label6, "Arial Narrow", 13, false);
  CLPKM = Place<TsComboBox>(this, 179, 19, 49, 21);
  CLPKM->SetStyle(TComboBoxStyle::csDropDown);
  CLPKM->Items().Add(kRussian.leftButton);
  CLPKM->Items().Add(kRussian.rightButton);
  CLPKM->SetItemIndex(0);
  CLPKM->OnKeyPress = [this](TComponent* s, char32_t& key) { CLPKMKeyPress(s, key); };

  SBAdd = Place<TsButton>(this, 231, 18, 74, 22);
  SBAdd->OnClick = [this](TComponent* s) { SBAddClick(s); };
  sButton2 = Place<TsButton>(this, 305, 18, 75, 22);
  sButton2->OnClick = [this](TComponent* s) { SBClearClick(s); };
  SBAutoSave = Place<TsButton>(this, 1, 43, 119, 25);
  SBAutoSave->OnClick = [this](TComponent* s) { SBAutoSaveClick(s); };

  Label5 = Place<TsLabel>(this, 127, 45, 55, 16);
  SetLabelFont(Label5, "Arial Narrow", 13, false);
  SDelay = PlaceSpinEdit(this, {184, 43, 265, 64}, 86400000, 8, kDefaultDelay);
  SDelay->SetTabStop(false);
  sButton3 = Place<TsButton>(this, 266, 43, 114, 22);
  sButton3->SetShowHint(true);
  sButton3->OnClick = [this](TComponent* s) { N1Click(s); };

  SG->SetBounds(1, 68, 236, 234);
  SG->SetParent(this);
  SG->SetColCount(kScriptColumns);
  SG->SetRowCount(2);
  SG->SetFixedCols(0);
  SG->SetFixedRows(1);
  SG->SetDefaultRowHeight(16);
  for (int col = 0; col < kScriptColumns; ++col) SG->SetColWidths(col, kColumnWidths[col]);
  SG->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRowSelect);
  SG->SetColor(RGB(242, 242, 242));
  SG->SetShowHint(true);
  SG->OnClick = [this](TComponent* s) { SGClick(s); };
  SG->OnDblClick = [this](TComponent* s) { SGDblClick(s); };
  SG->OnMouseDown = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) {
    SGMouseDown(s, b, sh, x, y);
  };
  m_decimalSeparator = UserDecimalSeparator();
  SG->OnDrawCell = [this](TComponent*, int col, int row, const Rect& rect, TGridDrawState state) {
    DrawScriptCell(*SG->Canvas(), *SG, col, row, rect, state,
                   GridTextsFor(m_language, m_decimalSeparator));
  };

  sButton1 = Place<TsButton>(this, 238, 68, 142, 25);
  sButton1->OnClick = [this](TComponent* s) { N9Click(s); };
  SList = Place<TsListBox>(this, 238, 93, 142, 209);
  SList->SetItemHeight(13);
  SList->SetShowHint(true);
  SList->OnDblClick = [this](TComponent* s) { N8Click(s); };
  SList->OnMouseDown = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) {
    SListMouseDown(s, b, sh, x, y);
  };

  SBTarget = Place<TsButton>(this, 1, 307, 56, 25);
  SBTarget->SetShowHint(true);
  SBTarget->OnClick = [this](TComponent* s) { SBTargetClick(s); };
  CRepeat = Place<TsCheckBox>(this, 77, 308, 20, 20);
  CRepeat->SetChecked(true);
  CRepeat->OnClick = [this](TComponent* s) { CRepeatClick(s); };
  Image1 = Place<TImage>(this, 97, 313, 17, 13);
  Image1->SetPicture(Premultiplied(InfinitySign()));
  Image1->SetTransparent(true);
  sLabel1 = Place<TsLabel>(this, 118, 309, 57, 16);
  sLabel1->SetAutoSize(false);
  sLabel1->SetAlignment(TAlignment::taRightJustify);
  SetLabelFont(sLabel1, "Arial Narrow", 13, false);
  SnRep = PlaceSpinEdit(this, {177, 307, 223, 330}, 999, 3, 0);
  SnRep->SetTabStop(false);
  SBExec = Place<TsButton>(this, 225, 304, 155, 29);
  SBExec->Font().SetStyle(fsBold);
  SBExec->OnClick = [this](TComponent* s) { SBExecClick(s); };

  Timer1 = Create<TTimer>(this);
  Timer1->SetInterval(50);
  Timer1->OnTimer = [this](TComponent* s) { Timer1Timer(s); };
  Timer2->OnTimer = [this](TComponent* s) { Timer2Timer(s); };
  // The poller pauses while nothing happens; any event brings its ticks back.
  WindowSystem::Current().GetPlatform().SetActivityHandler([this] {
    if (!Timer1->Enabled()) Timer1->SetEnabled(true);
  });
}

void TForm1::CreateMenus() {
  auto item = [this](TPopupMenu* menu, TMenuItem*& field, TShortCut shortCut,
                     TNotifyEvent onClick) {
    field = Create<TMenuItem>(this);
    field->SetShortCut(shortCut);
    field->OnClick = std::move(onClick);
    menu->Items()->Add(field);
  };
  PopupMenu1 = Create<TPopupMenu>(this);
  item(PopupMenu1, N5, VK_F4, [this](TComponent* s) { N5Click(s); });
  item(PopupMenu1, N10, VK_F5, [this](TComponent* s) { N10Click(s); });
  item(PopupMenu1, N12, scNone, {});
  item(PopupMenu1, N1, scNone, [this](TComponent* s) { N1Click(s); });
  item(PopupMenu1, N11, scNone, {});
  item(PopupMenu1, N9, ShortCut('S', ssCtrl), [this](TComponent* s) { N9Click(s); });
  item(PopupMenu1, N4, VK_DELETE, [this](TComponent* s) { N4Click(s); });
  item(PopupMenu1, N3, scNone, {});
  item(PopupMenu1, N2, scNone, [this](TComponent* s) { SBClearClick(s); });
  for (TMenuItem* separator : {N12, N11, N3}) separator->SetCaption("-");
  SG->SetPopupMenu(PopupMenu1);

  PopupMenu2 = Create<TPopupMenu>(this);
  item(PopupMenu2, N8, VK_F3, [this](TComponent* s) { N8Click(s); });
  item(PopupMenu2, Y1, VK_INSERT, [this](TComponent* s) { Y1Click(s); });
  item(PopupMenu2, H1, VK_F4, [this](TComponent* s) { H1Click(s); });
  item(PopupMenu2, N6, VK_F5, [this](TComponent*) { LoadListScript(); });
  item(PopupMenu2, N7, ShortCut(VK_DELETE, ssCtrl), [this](TComponent* s) { N7Click(s); });
  SList->SetPopupMenu(PopupMenu2);
}

void TForm1::SetTabOrder() {
  TWinControl* order[] = {SG, CLPKM, SList, SBExec, SBAutoSave, SBAdd,
                          sButton1, sButton2, sButton3, SBTarget, CRepeat, SBOnTop};
  for (int i = 0; i < static_cast<int>(std::size(order)); ++i) order[i]->SetTabOrder(i);
}

// --- start-up

void TForm1::FormCreate(TComponent*) {
  m_captureMode = CaptureMode::Normal;
  std::string problem;
  const Settings settings =
      ApplicationFolder().empty() ? Settings{} : ReadSettings(ApplicationFolder(), &problem);
  // No box at start: the program works with the defaults, and the exit says what it did.
  if (!problem.empty()) std::fprintf(stderr, "tappomat: %s\n", problem.c_str());
  // The field brings a value outside its range to the nearer bound.
  SDelay->SetValue(static_cast<int>(std::clamp<std::int64_t>(settings.delay, INT_MIN, INT_MAX)));
  m_language = settings.language;
  CRepeat->SetChecked(settings.repeat);
  SBOnTop->SetDown(settings.onTop);
  m_xwaylandNoticeShown = settings.xwaylandNoticeShown;
  SnRep->SetEnabled(!CRepeat->Checked());
  SetFormStyle(SBOnTop->Down() ? TFormStyle::fsStayOnTop : TFormStyle::fsNormal);
  LoadListScript();
}

void TForm1::LoadListScript() {
  SList->Items().Clear();
  if (ApplicationFolder().empty()) return;
  for (const std::string& name : ListScripts(ApplicationFolder())) SList->Items().Add(name);
}

void TForm1::FormShow(TComponent*) { SetLang(); }

SettingsWriteOutcome TForm1::SaveSettings() {
  if (ApplicationFolder().empty()) return {};
  return WriteSettings(ApplicationFolder(), {SDelay->Value(), m_language, CRepeat->Checked(),
                                             SBOnTop->Down(), m_xwaylandNoticeShown});
}

void TForm1::ShowXWaylandNoticeOnce() {
  if (m_xwaylandNoticeShown) return;
  MessageDlgBox("Tappomat", MainTextsFor(m_language).xwaylandNotice,
                MessageBoxIconKind::Information);
  // Remembered once the box was seen, so that a start that ends before it is shown again.
  m_xwaylandNoticeShown = true;
}

void TForm1::FormDestroy(TComponent*) {
  SettingsWriteOutcome outcome;
  try {
    outcome = SaveSettings();
  } catch (const std::exception& error) {
    // Said on standard error too: the program is ending, and whoever started it from a
    // terminal or a session script should learn that the settings were lost.
    std::fprintf(stderr, "tappomat: %s\n", error.what());
    if (OnSettingsWritten) OnSettingsWritten(false);
    throw;
  }
  if (OnSettingsWritten) OnSettingsWritten(true);
  // The user's file was moved aside: where it is now is worth a box, as a failure is.
  if (!outcome.notice.empty()) {
    std::fprintf(stderr, "tappomat: %s\n", outcome.notice.c_str());
    if (Application && Application->ShowErrorBox)
      Application->ShowErrorBox(Application->Title(), ErrorBoxText(outcome.notice));
  }
}

void TForm1::SetLang() {
  const MainTexts& texts = MainTextsFor(m_language);
  SG->SetCells(1, 0, " №");
  SG->SetCells(2, 0, " X");
  SG->SetCells(3, 0, " Y");
  SG->SetCells(4, 0, texts.buttonHeader);
  SG->SetCells(5, 0, texts.delayHeader);
  sLabel1->SetCaption(texts.repeats);
  Label3->SetCaption(texts.pointerLocation);
  Label5->SetCaption(texts.delay);
  Label6->SetCaption(texts.button);
  SBAdd->SetCaption(texts.add);
  sButton1->SetCaption(texts.save);
  sButton2->SetCaption(texts.clear);
  sButton3->SetCaption(texts.setDelay);
  SBAutoSave->SetCaption(texts.autoRecord);
  SBTarget->SetCaption(texts.pointer);
  SBExec->SetCaption(texts.run);
  sButton3->SetHint(texts.setDelayHint);
  SList->SetHint(texts.listHint);
  SG->SetHint(texts.gridHint);
  SBTarget->SetHint(texts.pointerHint);
  SBOnTop->SetHint(texts.onTopHint);
  const char* captions1[] = {texts.edit, texts.setCoordinates, "-", texts.setDelayHint, "-",
                             texts.save, texts.deleteRow, "-", texts.clear};
  TMenuItem* items1[] = {N5, N10, N12, N1, N11, N9, N4, N3, N2};
  for (int i = 0; i < 9; ++i) items1[i]->SetCaption(captions1[i]);
  const char* captions2[] = {texts.load, texts.newScript, texts.edit, texts.refresh,
                             texts.deleteRow};
  TMenuItem* items2[] = {N8, Y1, H1, N6, N7};
  for (int i = 0; i < 5; ++i) items2[i]->SetCaption(captions2[i]);
  if (Form2) {
    Form2->Label6->SetCaption(texts.button);
    Form2->Label5->SetCaption(texts.delay);
    Form2->SBCursor->SetCaption(texts.autoPick);
    Form2->sButton2->SetCaption(texts.cancel);
  }
  if (FormHotKey) FormHotKey->SetDescriptions(texts.recordChord, texts.runChord);
  (m_language == kLangEnglish ? SBEng : SBRus)->SetDown(true);
  CLPKM->Items().SetString(0, texts.leftButton);
  CLPKM->Items().SetString(1, texts.rightButton);
  CLPKM->SetItemIndex(0);
  if (Form2) {
    Form2->CLPKM->Items().Assign(CLPKM->Items());
    Form2->CLPKM->SetText(CLPKM->Text());
  }
  SG->Invalidate();
}

// --- the three toggles

void TForm1::SBExecClick(TComponent*) {
  if (SBTarget->Down()) SBTargetClick(SBTarget);
  if (SBAutoSave->Down()) SBAutoSaveClick(SBAutoSave);
  SBExec->SetDown(!SBExec->Down());
  SBExecScript();
}

void TForm1::SBAutoSaveClick(TComponent*) {
  if (SBExec->Down()) SBExecClick(SBExec);
  if (SBTarget->Down()) SBTargetClick(SBTarget);
  SBAutoSave->SetDown(!SBAutoSave->Down());
  if (SBAutoSave->Down()) {
    SBAutoSave->Font().SetColor(kRecordingColor);
  } else {
    SBAutoSave->Font().SetColor(RGB(0, 0, 0));
    m_poller.ClearMouseLatches();
  }
}

void TForm1::SBTargetClick(TComponent*) {
  SBTarget->SetDown(!SBTarget->Down());
  if (Form3) Form3->SetVisible(SBTarget->Down());
  SGClick(SG);
}

void TForm1::SGClick(TComponent*) {
  if (SBTarget->Down() && Form3) Form3->MoveTo(MarkerPosition(*SG, SG->Row()));
}

// --- commands

void TForm1::AddToScript(int x, int y, int button) {
  switch (m_captureMode) {
    case CaptureMode::Normal:
      m_table.Append(x, y, button, SDelay->Value());
      break;
    case CaptureMode::SetCoordinates: {
      const int row = SG->Row();
      m_table.SetCell(kXCol, row, std::to_string(x));
      m_table.SetCell(kYCol, row, std::to_string(y));
      m_table.SetCell(kButtonCol, row, std::to_string(button));
      EndCoordinatePick();
      if (SBTarget->Down() && Form3) Form3->MoveTo({x - 20, y - 20});
      break;
    }
    case CaptureMode::EditorPick:
      m_captureMode = CaptureMode::Normal;
      N10->SetChecked(false);
      if (Form2) {
        Form2->SX->SetValue(x);
        Form2->SY->SetValue(y);
        Form2->CLPKM->SetItemIndex(button);
        Form2->SBCursor->SetDown(false);
      }
      break;
  }
}

void TForm1::EndCoordinatePick() {
  m_captureMode = CaptureMode::Normal;
  N10->SetChecked(false);
  if (Form4) Form4->Hide();
}

void TForm1::SBAddClick(TComponent*) {
  AddToScript(SX->Value(), SY->Value(), CLPKM->ItemIndex());
}

void TForm1::SBClearClick(TComponent*) { m_table.Clear(); }

// --- the script library

namespace {

std::filesystem::path ScriptPath(const std::string& name) {
  return ScriptFilePath(ApplicationFolder(), name);
}

// Names the program creates hold none of the characters that would make the name a path
// or hide the extension.
std::string StripScriptName(std::string name) {
  std::erase_if(name, [](char c) { return c == '.' || c == ':' || c == '\\' || c == '/'; });
  return name;
}

}  // namespace

std::string TForm1::SelectedScript() const {
  const int index = SList->ItemIndex();
  return index >= 0 && index < SList->Items().Count() ? SList->Items()[index] : std::string();
}

std::string TForm1::AskScriptName(const std::string& proposal) {
  const MainTexts& texts = MainTextsFor(m_language);
  std::string name = proposal;
  if (!InputQueryBox("Tappomat", texts.namePrompt, name)) return {};
  name = StripScriptName(std::move(name));
  // A name of blanks only would make an invisible list item.
  if (name.find_first_not_of(" \t") == std::string::npos) return {};
  std::error_code error;
  if (std::filesystem::exists(ScriptPath(name), error) &&
      !ConfirmBox(texts.overwriteBefore + name + texts.overwriteAfter))
    return {};
  return name;
}

void TForm1::OpenInTextEditor(const std::filesystem::path& file) {
  if (!WindowSystem::Current().GetPlatform().OpenInTextEditor(file.string()))
    throw std::runtime_error(MainTextsFor(m_language).noEditor + file.string());
}

void TForm1::N8Click(TComponent*) {
  const std::string name = SelectedScript();
  if (name.empty()) return;
  const LoadedScript script = LoadScript(ScriptPath(name));
  if (!script.error.empty()) throw std::runtime_error(script.error);
  m_table.Load(script.rows);
  LoadListScript();
  if (script.truncated) MessageDlgBox("Tappomat", MainTextsFor(m_language).rowsCut);
}

void TForm1::N9Click(TComponent*) {
  if (m_table.IsEmpty()) {
    MessageDlgBox("Tappomat", MainTextsFor(m_language).emptyScript);
    return;
  }
  const std::string name = AskScriptName(SelectedScript());
  if (name.empty()) return;
  std::vector<ScriptRowText> rows;
  rows.reserve(m_table.LastRow());
  for (int n = 1; n <= m_table.LastRow(); ++n)
    rows.push_back({m_table.Cell(kXCol, n), m_table.Cell(kYCol, n), m_table.Cell(kButtonCol, n),
                    m_table.Cell(kDelayCol, n)});
  SaveScript(ScriptPath(name), rows);
  LoadListScript();
}

void TForm1::Y1Click(TComponent*) {
  const std::string name = AskScriptName({});
  if (name.empty()) return;
  const std::filesystem::path file = ScriptPath(name);
  if (!ReplaceFileContent(file, {})) throw EWriteError("Unable to write to " + file.string());
  // Listed before the editor starts, so the new script shows even when no editor can.
  LoadListScript();
  OpenInTextEditor(file);
}

void TForm1::H1Click(TComponent*) {
  const std::string name = SelectedScript();
  if (!name.empty()) OpenInTextEditor(ScriptPath(name));
}

void TForm1::N7Click(TComponent*) {
  const std::string name = SelectedScript();
  if (name.empty()) return;
  if (!ConfirmBox(std::string(MainTextsFor(m_language).deleteRow) + " " + name + "?")) return;
  std::error_code ignored;  // a failed deletion goes unreported; the list shows the truth
  std::filesystem::remove(ScriptPath(name), ignored);
  LoadListScript();
}

// --- the table

void TForm1::N1Click(TComponent*) { m_table.SetAllDelays(SDelay->Value()); }

void TForm1::N5Click(TComponent*) {
  if (Form2) Form2->EditRow(SG->Row());
}

void TForm1::N4Click(TComponent*) { m_table.DeleteRow(SG->Row()); }

void TForm1::N10Click(TComponent*) {
  if (N10->Checked()) {
    EndCoordinatePick();
    return;
  }
  N10->SetChecked(true);
  if (Form4) {
    Form4->MoveTo(MarkerPosition(*SG, SG->Row()));
    Form4->Show();
  }
  m_captureMode = CaptureMode::SetCoordinates;
}

void TForm1::SGDblClick(TComponent*) { m_table.PlaceStartMarker(SG->Row()); }

void TForm1::SGMouseDown(TComponent*, TMouseButton, TShiftState, int x, int y) {
  int col = -1;
  int row = -1;
  SG->MouseToCell(x, y, col, row);
  if (row >= 1) SG->SetRow(row);
}

void TForm1::SListMouseDown(TComponent*, TMouseButton, TShiftState shift, int x, int y) {
  // The second press of a double click has already loaded the script and refreshed the
  // list; selecting again would leave the loaded name proposed by the next save, unlike
  // a load by F3 or the menu.
  if (shift & ssDouble) return;
  SList->SetItemIndex(SList->ItemAtPos({x, y}, false));
}

void TForm1::SBOnTopClick(TComponent*) {
  SBOnTop->SetDown(!SBOnTop->Down());
  SetFormStyle(SBOnTop->Down() ? TFormStyle::fsStayOnTop : TFormStyle::fsNormal);
}

void TForm1::CRepeatClick(TComponent*) { SnRep->SetEnabled(!CRepeat->Checked()); }

void TForm1::SBRusClick(TComponent*) {
  m_language = kLangRussian;
  SetLang();
}

void TForm1::SBEngClick(TComponent*) {
  m_language = kLangEnglish;
  SetLang();
}

void TForm1::CLPKMKeyPress(TComponent*, char32_t& key) { key = 0; }

void TForm1::FormKeyDown(TComponent* sender, WORD& key, TShiftState) {
  // Whatever modifiers are held: Alt+F1 opens the window too, and the poller still sees
  // the chord when F1 is released.
  if (key == VK_F1) SWHelpClick(sender);
}

void TForm1::sWebLabel1Click(TComponent*) {
  if (FormAbout) FormAbout->ShowModal();
}

void TForm1::SWHelpClick(TComponent*) {
  if (FormHotKey) FormHotKey->ShowModal();
}

void TForm1::Timer1Timer(TComponent*) {
  if (!m_poller.Tick()) Timer1->SetEnabled(false);
}

void TForm1::Timer2Timer(TComponent*) { m_player.Step(); }

// --- PlayerControls and PollerHost

bool TForm1::RunButtonDown() { return SBExec->Down(); }
void TForm1::ReleaseRunButton() { SBExec->SetDown(false); }
int TForm1::RepeatCount() { return SnRep->Value(); }
void TForm1::SetRepeatCount(int count) { SnRep->SetValue(count); }
bool TForm1::EndlessRepeat() { return CRepeat->Checked(); }

void TForm1::ShowPointer(const std::string& readout) { LXY->SetCaption(readout); }

void TForm1::RunCommand() { SBExecClick(SBExec); }

void TForm1::RecordCommand() { SBAutoSaveClick(SBAutoSave); }

bool TForm1::CaptureGateOpen() {
  return SBAutoSave->Down() || m_captureMode != CaptureMode::Normal;
}

}  // namespace tappomat
