// The row editor opened from the main window for the current grid row, on the headless
// backend: how the fields are filled from the row's cells, what OK writes back, Cancel
// and Esc, and the Auto button taking the next click made outside the program.
#include <gtest/gtest.h>

#include "app/main.h"
#include "app/row_editor.h"
#include "automation/target.h"
#include "automation/target2.h"
#include "platform/virtual_keys.h"
#include "skin/controls/skinned_button.h"
#include "skin/controls/skinned_combo_box.h"
#include "skin/controls/skinned_label.h"
#include "skin/controls/skinned_speed_button.h"
#include "skin/controls/skinned_spin_edit.h"
#include "ui/menu.h"
#include "ui/string_grid.h"
#include "ui/ui_fixture.h"

namespace tappomat {
namespace {

class RowEditorTest : public test::UiTest {
 protected:
  RowEditorTest() {
    form = Create<TForm1>(app.get());
    editor = Create<TForm2>(app.get());
    Form3 = Create<TForm3>(app.get());
    Form4 = Create<TForm4>(app.get());
    form->Show();
    form->SetBounds(0, 0, form->Width(), form->Height());
    Pump();
  }
  ~RowEditorTest() override { Form3 = nullptr, Form4 = nullptr; }

  void SetRow(int row, const std::string& x, const std::string& y, const std::string& button,
              const std::string& delay) {
    if (form->SG->RowCount() <= row) form->SG->SetRowCount(row + 1);
    form->SG->SetCells(kXCol, row, x);
    form->SG->SetCells(kYCol, row, y);
    form->SG->SetCells(kButtonCol, row, button);
    form->SG->SetCells(kDelayCol, row, delay);
  }
  std::string Row(int row) {
    std::string text;
    for (int col = 0; col < kScriptColumns; ++col)
      text += (col ? "|" : "") + form->SG->Cells(col, row);
    return text;
  }
  std::string Fields() {
    return std::to_string(editor->SX->Value()) + "," + std::to_string(editor->SY->Value()) +
           " " + editor->CLPKM->Text() + " " + std::to_string(editor->SDelay->Value());
  }
  // Opens the editor on `row` by F4 in the grid; `action` runs while it shows.
  void EditRow(int row, DialogAction action) {
    form->SG->SetRow(row);
    form->SG->SetFocus();
    AnswerDialogs({std::move(action)});
    Key(VK_F4);
    ASSERT_TRUE(DialogsAnswered());
    ASSERT_FALSE(editor->Visible());
  }
  // A left or right click made in another application at a screen point, as the poller
  // sees it.
  void OutsideClick(Point at, int button) {
    platform.SetOutsideActive();
    platform.SetPointerPosition(at);
    platform.SetKeyState(button, true);
    Wait(50);
    platform.SetKeyState(button, false);
    Wait(50);
  }

  TForm1* form;
  TForm2* editor;
};

TEST_F(RowEditorTest, FieldsAreFilledFromTheRowsCells) {
  struct Case {
    const char *x, *y, *button, *delay;
    const char* fields;
  } cases[] = {
      {"", "", "", "", "0,0 ЛКМ 300"},  // the blank row: the default pause
      {"12000", "-5", "1", "86400001", "9999,0 ПКМ 86400000"},
      {"10", "20", "2", "abc", "10,20 ЛКМ 300"},
      {"x", "7", "0", "0", "0,7 ЛКМ 0"},
      {"99999999999", "3", "-1", "15", "9999,3 ЛКМ 15"},
  };
  for (const Case& c : cases) {
    SetRow(1, c.x, c.y, c.button, c.delay);
    std::string fields;
    EditRow(1, [&](TForm&) {
      fields = Fields();
      Key(VK_ESCAPE);
    });
    EXPECT_EQ(fields, c.fields) << c.x << " " << c.button;
  }
}

TEST_F(RowEditorTest, ABlankButtonCellTakesTheButtonTheMainListShows) {
  form->CLPKM->SetItemIndex(1);
  std::string fields;
  EditRow(1, [&](TForm&) {
    fields = Fields();
    Key(VK_ESCAPE);
  });
  EXPECT_EQ(fields, "0,0 ПКМ 300");
}

TEST_F(RowEditorTest, OkWritesTheRowNumberedWithoutADot) {
  EXPECT_TRUE(form->Script().IsEmpty());
  EditRow(1, [&](TForm&) { Click(editor->SBAdd); });
  EXPECT_EQ(Row(1), "|1|0|0|0|300");
  EXPECT_FALSE(form->Script().IsEmpty()) << "a complete row: the script can be saved";

  form->SX->SetValue(5);
  Click(form->SBAdd);
  ASSERT_EQ(Row(2), "|2.|5|0|0|300");
  form->SG->SetCells(kMarkerCol, 2, "+");
  EditRow(2, [&](TForm&) {
    editor->SX->SetValue(12000);
    editor->CLPKM->SetItemIndex(1);
    editor->SDelay->SetValue(40);
    Key(VK_RETURN);  // OK is the default button
  });
  EXPECT_EQ(Row(2), "+|2|9999|0|1|40") << "the start marker is not touched";
}

TEST_F(RowEditorTest, ATypedButtonNameThatIsNoEntryStoresMinusOne) {
  SetRow(1, "1", "2", "0", "3");
  EditRow(1, [&](TForm&) {
    editor->CLPKM->SetFocus();
    Type("x");
    Click(editor->SBAdd);
  });
  EXPECT_EQ(form->SG->Cells(kButtonCol, 1), "-1");
}

TEST_F(RowEditorTest, OkMovesTheRedMarkerToTheNewPoint) {
  SetRow(1, "1", "2", "0", "3");
  Click(form->SBTarget);
  EditRow(1, [&](TForm&) {
    editor->SX->SetValue(500);
    editor->SY->SetValue(400);
    Click(editor->SBAdd);
  });
  EXPECT_EQ(Form3->Left(), 480);
  EXPECT_EQ(Form3->Top(), 380);
}

TEST_F(RowEditorTest, CancelAndEscWriteNothingEvenAfterAutoFilledTheFields) {
  SetRow(1, "1", "2", "0", "3");
  form->SG->SetCells(kNumberCol, 1, "1.");
  EditRow(1, [&](TForm&) {
    editor->SX->SetValue(50);
    Click(editor->sButton2);
  });
  EXPECT_EQ(Row(1), "|1.|1|2|0|3");
  std::string filled;
  EditRow(1, [&](TForm&) {
    Click(editor->SBCursor);
    EXPECT_EQ(form->Capture(), CaptureMode::EditorPick);
    Wait(50);  // our own click is seen and dropped first
    Wait(50);
    OutsideClick({640, 480}, VK_RBUTTON);
    filled = Fields();
    editor->SetFocus();
    platform.UserKey(VK_ESCAPE, true);
    platform.UserKey(VK_ESCAPE, false);
    Pump();
  });
  EXPECT_EQ(filled, "640,480 ПКМ 3");
  EXPECT_EQ(Row(1), "|1.|1|2|0|3");
}

TEST_F(RowEditorTest, AutoTakesTheNextOutsideClickAndPopsUp) {
  SetRow(1, "1", "2", "0", "3");
  form->N10->Click();  // set-coordinates mode: its tick is cleared by the pick
  EXPECT_TRUE(form->N10->Checked());
  EditRow(1, [&](TForm&) {
    Click(editor->SBCursor);
    EXPECT_TRUE(editor->SBCursor->Down());
    Wait(50);
    Wait(50);
    OutsideClick({300, 310}, VK_LBUTTON);
    EXPECT_EQ(Fields(), "300,310 ЛКМ 3");
    EXPECT_FALSE(editor->SBCursor->Down());
    EXPECT_EQ(form->Capture(), CaptureMode::Normal);
    EXPECT_FALSE(form->N10->Checked());
    Click(editor->SBAdd);
  });
  EXPECT_EQ(Row(1), "|1|300|310|0|3");
  // Auto pressed twice leaves the mode again.
  EditRow(1, [&](TForm&) {
    Click(editor->SBCursor);
    Click(editor->SBCursor);
    EXPECT_EQ(form->Capture(), CaptureMode::Normal);
    Click(editor->sButton2);
  });
}

TEST_F(RowEditorTest, PickModeOutlivesTheEditorAndIsNotAppendedWhileRecording) {
  SetRow(1, "1", "2", "0", "3");
  EditRow(1, [&](TForm&) {
    Click(editor->SBCursor);
    Click(editor->sButton2);
  });
  EXPECT_EQ(form->Capture(), CaptureMode::EditorPick);
  Click(form->SBAutoSave);
  Wait(50);
  Wait(50);
  OutsideClick({700, 20}, VK_LBUTTON);
  EXPECT_EQ(Fields(), "700,20 ЛКМ 3") << "the hidden editor is filled";
  EXPECT_EQ(form->SG->RowCount(), 2) << "and nothing appended";
  OutsideClick({710, 30}, VK_LBUTTON);
  EXPECT_EQ(form->SG->RowCount(), 3) << "the next click is recorded";
}

TEST_F(RowEditorTest, TheLanguageSwitchTranslatesTheEditor) {
  Click(form->SBEng);
  EXPECT_EQ(editor->Label6->Caption(), "button:");
  EXPECT_EQ(editor->Label5->Caption(), "delay (ms):");
  EXPECT_EQ(editor->SBCursor->Caption(), "Auto");
  EXPECT_EQ(editor->sButton2->Caption(), "Cancel");
  EXPECT_EQ(editor->CLPKM->Items()[0], "LMB");
  EXPECT_EQ(editor->CLPKM->Items()[1], "RMB");
  EXPECT_EQ(editor->CLPKM->Text(), "LMB");
  EXPECT_EQ(editor->Caption(), "Tappomat v1.3");
  Click(form->SBRus);
  EXPECT_EQ(editor->SBCursor->Caption(), "Авто");
  EXPECT_EQ(editor->CLPKM->Items()[1], "ПКМ");
}

}  // namespace
}  // namespace tappomat
