#include "app/row_editor.h"

#include <algorithm>
#include <climits>
#include <string>

#include "app/form_layout.h"
#include "app/main.h"
#include "app/main_texts.h"
#include "app/skin_setup.h"
#include "platform/virtual_keys.h"
#include "skin/controls/skinned_button.h"
#include "skin/controls/skinned_combo_box.h"
#include "skin/controls/skinned_label.h"
#include "skin/controls/skinned_spin_edit.h"
#include "ui/convert.h"
#include "ui/string_grid.h"

namespace tappomat {

TForm2* Form2 = nullptr;

namespace {

// A cell's integer for a number field, which brings it into its own range; `otherwise`
// for a cell that does not hold an integer.
int CellValue(const std::string& cell, int otherwise) {
  const std::optional<std::int64_t> value = TryStrToInt64(cell);
  if (!value) return otherwise;
  return static_cast<int>(std::clamp<std::int64_t>(*value, INT_MIN, INT_MAX));
}

}  // namespace

TForm2::TForm2(TComponent* owner) : TForm(owner) {
  if (!Form2) Form2 = this;
  SetCaption("Tappomat v1.3");
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons(biSystemMenu);
  SetClientWidth(243);
  SetClientHeight(101);
  SetPosition(TPosition::poMainFormCenter);
  SetKeyPreview(true);
  Font().SetName("MS Sans Serif");
  Font().SetHeight(-11);
  AdaptStandardControls(*this);

  Label2 = Place<TsLabel>(this, 8, 15, 13, 13);
  Label2->SetCaption("X:");
  SetLabelFont(Label2, "MS Sans Serif", 11, true);
  SX = PlaceSpinEdit(this, {22, 11, 73, 32}, 9999, 4, 0);
  Label4 = Place<TsLabel>(this, 75, 15, 13, 13);
  Label4->SetCaption("Y:");
  SetLabelFont(Label4, "MS Sans Serif", 11, true);
  SY = PlaceSpinEdit(this, {88, 11, 139, 32}, 9999, 4, 0);
  Label6 = Place<TsLabel>(this, 149, 13, 37, 16);
  Label6->SetCaption(kRussian.button);
  SetLabelFont(Label6, "Arial Narrow", 13, false);
  CLPKM = Place<TsComboBox>(this, 187, 11, 49, 21);
  CLPKM->SetStyle(TComboBoxStyle::csDropDown);
  CLPKM->Items().Add(kRussian.leftButton);
  CLPKM->Items().Add(kRussian.rightButton);
  CLPKM->SetItemIndex(0);

  SBCursor = Place<TsButton>(this, 2, 35, 91, 23);
  SBCursor->SetCaption(kRussian.autoPick);
  SBCursor->OnClick = [this](TComponent* s) { SBCursorClick(s); };
  Label5 = Place<TsLabel>(this, 98, 37, 55, 16);
  Label5->SetCaption(kRussian.delay);
  SetLabelFont(Label5, "Arial Narrow", 13, false);
  SDelay = PlaceSpinEdit(this, {155, 35, 236, 56}, 86400000, 8, 0);
  // Without limits: a row number is whatever the table holds.
  NumStr = PlaceSpinEdit(this, {0, 0, 0, 0}, 0, 0, 0);
  NumStr->SetVisible(false);
  NumStr->SetTabStop(false);

  SBAdd = Place<TsButton>(this, 87, 74, 74, 22);
  SBAdd->SetCaption("OK");
  SBAdd->SetDefault(true);
  SBAdd->OnClick = [this](TComponent* s) { SBAddClick(s); };
  sButton2 = Place<TsButton>(this, 163, 74, 75, 22);
  sButton2->SetCaption(kRussian.cancel);
  sButton2->OnClick = [this](TComponent* s) { sButton2Click(s); };

  TWinControl* order[] = {SX, SY, CLPKM, SBCursor, SDelay, SBAdd, sButton2};
  for (int i = 0; i < static_cast<int>(std::size(order)); ++i) order[i]->SetTabOrder(i);
  OnKeyDown = [this](TComponent* s, WORD& key, TShiftState shift) { FormKeyDown(s, key, shift); };
}

TForm2::~TForm2() {
  if (Form2 == this) Form2 = nullptr;
}

void TForm2::EditRow(int row) {
  ScriptTable& table = Form1->Script();
  NumStr->SetValue(row);
  SX->SetValue(CellValue(table.Cell(kXCol, row), 0));
  SY->SetValue(CellValue(table.Cell(kYCol, row), 0));
  SDelay->SetValue(CellValue(table.Cell(kDelayCol, row), Form1->SDelay->Value()));
  const std::string& button = table.Cell(kButtonCol, row);
  int entry = 0;
  if (!button.empty()) {
    entry = button == "1" ? 1 : 0;
  } else {
    // The button the main window's list shows.
    entry = std::max(CLPKM->Items().IndexOf(Form1->CLPKM->Text()), 0);
  }
  CLPKM->SetItemIndex(entry);
  ShowModal();
}

void TForm2::SBAddClick(TComponent*) {
  ScriptTable& table = Form1->Script();
  const int row = NumStr->Value();
  // The table cannot lose rows while the editor is open, but a row number that no
  // longer exists must not be written to.
  if (row >= 1 && row <= table.LastRow()) {
    table.SetCell(kNumberCol, row, std::to_string(row));
    // A field still being typed in (Enter pressed in it) has not been brought into its
    // range yet; that happens when the focus leaves.
    auto value = [](const TsSpinEdit* field) { return field->CheckValue(field->Value()); };
    table.SetCell(kXCol, row, std::to_string(value(SX)));
    table.SetCell(kYCol, row, std::to_string(value(SY)));
    table.SetCell(kButtonCol, row, std::to_string(CLPKM->ItemIndex()));
    table.SetCell(kDelayCol, row, std::to_string(value(SDelay)));
    Form1->SGClick(Form1->SG);
  }
  Close();
}

void TForm2::sButton2Click(TComponent*) { Close(); }

void TForm2::SBCursorClick(TComponent*) {
  SBCursor->SetDown(!SBCursor->Down());
  Form1->SetCapture(SBCursor->Down() ? CaptureMode::EditorPick : CaptureMode::Normal);
}

void TForm2::FormKeyDown(TComponent*, WORD& key, TShiftState) {
  if (key != VK_ESCAPE) return;
  key = 0;
  Close();
}

}  // namespace tappomat
