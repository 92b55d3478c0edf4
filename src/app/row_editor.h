#pragma once
// TForm2: the row editor, a small modal dialog in which the user changes the point, the
// mouse button and the pause of one row of the script table. The main window fills it
// for its current row (TForm1::N5Click) and shows it; OK writes the row back, Cancel and
// Esc close without writing. Auto (SBCursor, a button that stays down) hands the next
// click made outside the program to the editor: the main window's capture mode becomes
// editor pick mode, and TForm1::AddToScript fills X, Y and the button and releases Auto.
// Closing the editor leaves Auto and the capture mode as they are.
#include "ui/form.h"

namespace tappomat {

class TsButton;
class TsComboBox;
class TsLabel;
class TsSpinEdit;

class TForm2 : public TForm {
 public:
  explicit TForm2(TComponent* owner);
  ~TForm2() override;
  std::string ClassName() const override { return "TForm2"; }

  // Fills the fields from table row `row` of the main window and shows the editor modally.
  void EditRow(int row);

  TsLabel* Label2;
  TsSpinEdit* SX;
  TsLabel* Label4;
  TsSpinEdit* SY;
  TsLabel* Label6;
  TsComboBox* CLPKM;
  TsButton* SBCursor;
  TsLabel* Label5;
  TsSpinEdit* SDelay;
  TsSpinEdit* NumStr;  // hidden: the table row being edited
  TsButton* SBAdd;
  TsButton* sButton2;

 private:
  void SBAddClick(TComponent* sender);
  void sButton2Click(TComponent* sender);
  void SBCursorClick(TComponent* sender);
  void FormKeyDown(TComponent* sender, WORD& key, TShiftState shift);
};

extern TForm2* Form2;

}  // namespace tappomat
