#pragma once
// TsSpinEdit: the whole-number edit drawn on a skin (kind 3, section EDIT). The value
// rules (reading, clamping, the character filter, steps, focus-loss tidy-up) are the
// standard TSpinEdit's, unchanged; this class adds the skinned look of TsEdit (through its
// EditSkin) and puts a skinned button pair (TsSpinButton) in place of the standard one.
// With a skin the pair shows only while the edit is enabled. The fields of the main window
// and of the row editor that hold coordinates, delays and repeat counts are spin edits.
#include "skin/controls/edit_skin.h"
#include "skin/controls/skinned_spin_button.h"
#include "ui/spin_edit.h"

namespace tappomat {

class TsSpinEdit : public TSpinEdit {
 public:
  explicit TsSpinEdit(TComponent* owner);
  std::string ClassName() const override { return "TsSpinEdit"; }

  TsCtrlSkinData* SkinData() { return &m_skin.SkinData(); }
  TsBoundLabel* BoundLabel() const { return m_skin.BoundLabel(); }
  TsSpinButton* SpinButton() const { return m_pair; }
  TsDisabledKind DisabledKind() const { return m_skin.DisabledKind; }
  void SetDisabledKind(TsDisabledKind kinds);
  // Where the text sits in the cached look.
  TAlignment Alignment() const { return m_skin.Alignment; }
  void SetAlignment(TAlignment alignment);
  // Where the cached look draws the text: it leaves the buttons' width free.
  Rect SkinTextRect() const { return m_skin.TextRect(); }
  bool PaintsNatively() const { return m_skin.NativeLook(); }

  void SetEnabled(bool enabled) override;
  void WndProc(TMessage& message) override;

 protected:
  // With a skin already applied, the new window takes the section's colours at once.
  void CreateHandle() override;
  void PaintWindow(DeviceContext& dc) override;

 private:
  // The pair shows when wanted, and with a skin only while the edit is enabled.
  void UpdatePairVisibility();

  EditSkin m_skin;
  TsSpinButton* m_pair;
};

}  // namespace tappomat
