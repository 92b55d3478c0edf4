#pragma once
// TComboBox: the combo box in its three styles — csDropDown (an embedded borderless
// TEdit for typing plus the arrow button), csDropDownList (no typing: the box shows the
// selected item and keys choose items) and csSimple (the edit without a button over a
// list that is always shown: a child TListBox filling the rest of the control's height,
// chosen from by mouse and by the arrows in the edit). It owns Items, the selection, the
// drop-down list window (TComboDropList) and the simple style's list, places the drop-down
// list below itself or above when it would leave the work area, and reports OnChange,
// OnSelect, OnDropDown and OnCloseUp.
#include <memory>

#include "ui/combo_drop_list.h"
#include "ui/edit.h"
#include "ui/list_box.h"
#include "ui/strings.h"

namespace tappomat {

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner);
  ~TComboBox() override;
  std::string ClassName() const override { return "TComboBox"; }

  TComboBoxStyle Style() const { return m_style; }
  void SetStyle(TComboBoxStyle style);
  TStringList& Items() { return m_items; }
  const TStringList& Items() const { return m_items; }
  int ItemIndex() const { return m_itemIndex; }
  // Selects an item (its text shows); -1 clears the text. No events: only user choices report.
  void SetItemIndex(int index);
  // Sets the text; the item equal to it (ignoring case) becomes ItemIndex, else -1. A
  // drop-down list takes only the text of an item.
  void SetText(const std::string& text) override;
  int DropDownCount() const { return m_dropDownCount; }
  void SetDropDownCount(int count) { m_dropDownCount = std::max(count, 1); }
  int MaxLength() const;
  void SetMaxLength(int length);

  bool DroppedDown() const { return m_list.IsOpen(); }
  void SetDroppedDown(bool on);
  // The drop-down list's window while it is open (null otherwise).
  HWND ListHandle() const { return m_list.Handle(); }
  // The embedded text editor (null for csDropDownList).
  TEdit* EditControl() const { return m_edit; }
  // The list shown under the edit of a csSimple combo box (null for the other styles).
  TListBox* SimpleList() const { return m_simpleList; }
  // The arrow button, in client coordinates (empty for csSimple).
  Rect ButtonRect() const;
  // The index of the item equal to `text` ignoring case, as CB_FINDSTRINGEXACT; -1: none.
  int FindStringExact(const std::string& text) const;

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

  void WndProc(TMessage& message) override;
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  bool DoKeyDown(WORD& key, TShiftState shift) override;
  bool DoKeyPress(char32_t& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void PaintWindow(DeviceContext& dc) override;
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();
  // The drop-down list's window has just been shown (each opening makes a new window).
  // Nothing here; a skinned combo box dresses the list there.
  virtual void DropDownListShown(HWND list) { (void)list; }
  TComboDropList& DropList() { return m_list; }

 private:
  // The keys a combo box takes for itself (open, close, move through the items); true
  // when it took `key`.
  bool ComboKey(WORD key, TShiftState shift);
  void OpenList();
  // Closes the list; `choose` makes its hot item the selection.
  void CloseList(bool choose);
  // The user picked an item: selection, text, OnSelect and (when the text changed) OnChange.
  void UserSelect(int index);
  void EditChanged();
  // Places the editor in the edit part and the simple style's list below it.
  void LayoutParts();
  // The part with the edit frame: the whole control, or the top of a csSimple one.
  Rect EditPartRect() const;
  void MakeSimpleList(bool wanted);
  // The simple style's list shows ItemIndex as its selection.
  void SyncSimpleList();
  void ShowText(const std::string& text);
  Rect InnerRect() const;
  int ItemHeight() const;

  TComboBoxStyle m_style = TComboBoxStyle::csDropDown;
  TStringList m_items;
  int m_itemIndex = -1;
  int m_dropDownCount = 8;
  TEdit* m_edit = nullptr;
  TComboDropList m_list;
  TListBox* m_simpleList = nullptr;
  bool m_settingText = false;  // changes made by code: no OnChange
};

}  // namespace tappomat
