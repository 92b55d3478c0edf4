#pragma once
// TsComboBox: the combo box drawn on a skin (kind 3, section COMBOBOX unless another is
// set). Its cache holds the section in the control's state, the text area drawn as the
// selected item (selected-looking only in the list style with the focus), and the arrow
// button at the right edge: the COMBOBTN section (pressed while the list is down, hot
// while active) with the skin's combo arrow centred on it. The embedded editor of a
// csDropDown box paints itself only while the box has the focus, is enabled and not
// ReadOnly; otherwise it shows the cache too. It owns a bound label. Without an active
// skin it is the standard TComboBox. The button-choice boxes of the main window and of
// the row editor are TsComboBoxes.
#include <string>

#include <memory>

#include "skin/controls/bound_label.h"
#include "skin/adapters/combo_list_window.h"
#include "skin/common/common_data.h"
#include "skin/paint/disabled_look.h"
#include "ui/alignment.h"
#include "ui/combo_box.h"

namespace tappomat {

enum class TsVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };

class TsComboBox : public TComboBox {
 public:
  explicit TsComboBox(TComponent* owner);
  ~TsComboBox() override;
  std::string ClassName() const override { return "TsComboBox"; }

  TsCtrlSkinData* SkinData() { return &m_data; }
  TsBoundLabel* BoundLabel() const { return m_boundLabel; }
  TsDisabledKind DisabledKind() const { return m_disabledKind; }
  void SetDisabledKind(TsDisabledKind kinds);
  // The user cannot change the choice: navigation and letter keys and typed characters are
  // swallowed, and the editor never paints itself.
  bool ReadOnly() const { return m_readOnly; }
  void SetReadOnly(bool on);
  TAlignment Alignment() const { return m_alignment; }
  void SetAlignment(TAlignment alignment);
  // Where the text sits in its area. Top by default: the line where the editor draws it,
  // so that the text does not move when the editor takes over.
  TsVerticalAlignment VerticalAlignment() const { return m_verticalAlignment; }
  void SetVerticalAlignment(TsVerticalAlignment alignment);

  // The skinned arrow button: the skin's scroll-bar size (the platform's when the skin
  // gives none) plus 1 wide, 2 pixels inside the right, top and bottom edges; empty for
  // csSimple.
  Rect SkinButtonRect() const;
  // Where the text is drawn on the cached look.
  Rect SkinTextRect() const;
  // The button's section state: 2 while the list is down, 1 while active, else 0.
  int ButtonState() const;
  // The list is down (set when it opens, cleared when it closes).
  bool ListDown() const { return m_listDown; }
  // The embedded editor paints itself now rather than showing the cache.
  bool EditPaintsNatively() const;

  void SetBounds(int left, int top, int width, int height) override;
  void WndProc(TMessage& message) override;

 protected:
  // With a skin already applied, the new window takes the section's colours at once.
  void CreateHandle() override;
  void PaintWindow(DeviceContext& dc) override;
  void DropDown() override;
  void CloseUp() override;
  // Called each time the drop-down list's window has just been shown. The adapter that
  // skins the list window attaches here.
  void DropDownListShown(HWND list) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  bool HasFocus() const;
  // The arrow mask: COMBOBTN's glyph mask, else the control section's; -1 without one.
  int ArrowMask() const;
  bool RebuildCache();
  void DrawTextItem(Bitmap32& cache, bool active);
  // Routes the embedded editor's painting and focus through this box.
  void HookEdit();
  void EditMessage(TMessage& message);
  void PaintEditFromCache();
  // Keeps the editor left of the skinned button, or where the standard layout puts it.
  void FitEdit();
  // Shows a change of state: the cache is rebuilt and box and editor repainted.
  void Restyle();
  bool SwallowsKey(const TMessage& message) const;

  TsCtrlSkinData m_data;
  TsBoundLabel* m_boundLabel;
  TsDisabledKind m_disabledKind = dkBlended;
  bool m_readOnly = false;
  TAlignment m_alignment = TAlignment::taLeftJustify;
  TsVerticalAlignment m_verticalAlignment = TsVerticalAlignment::taAlignTop;
  bool m_listDown = false;
  // The open list's adapter; one of a closed list waits in m_retiredList until the next
  // opening, since the list may close from inside the adapter's own handling.
  std::unique_ptr<TacComboListWnd> m_listAdapter;
  std::unique_ptr<TacComboListWnd> m_retiredList;
  std::string m_cachedText;  // the text the cache shows
  TEdit* m_hookedEdit = nullptr;
  TWndMethod m_editProc;  // the editor's procedure before the hook
};

}  // namespace tappomat
