#pragma once
// TsListBox: the script library list drawn on the skin. Its window takes an edit adapter
// (frame from its section, EDIT by default, and the skin's field colours) while a skin is
// active; the items are drawn on the field with the selected one in the skin's SELECTION
// look (or its highlight colour) and the text in the section's colours. Without a skin it
// is the standard TListBox. Its window is made for rows drawn by the owner at a fixed
// height in every style, so the rows are ItemHeight apart.
#include <memory>

#include "skin/controls/bound_label.h"
#include "skin/common/common_data.h"
#include "skin/paint/disabled_look.h"
#include "skin/adapters/edit_window.h"
#include "ui/list_box.h"

namespace tappomat {

class TsListBox : public TListBox {
 public:
  explicit TsListBox(TComponent* owner);
  ~TsListBox() override;
  std::string ClassName() const override { return "TsListBox"; }

  TsCtrlSkinData* SkinData() { return &m_data; }
  TsBoundLabel* BoundLabel() { return m_boundLabel; }
  TsDisabledKind DisabledKind() const { return m_disabledKind; }
  void SetDisabledKind(TsDisabledKind kinds) { m_disabledKind = kinds; }
  // The window's adapter while a skin is active, else null.
  TacEditWnd* Adapter() const { return m_adapter.get(); }

  void WndProc(TMessage& message) override;

 protected:
  void CreateHandle() override;
  void PaintItem(DeviceContext& dc, int index, const Rect& rect) override;
  bool OwnerDrawnRows() const override { return true; }

 private:
  // The edit adapter follows the skin: attached while it is active, gone when it is not.
  void UpdateAdapter();

  TsCtrlSkinData m_data;
  std::unique_ptr<TacEditWnd> m_adapter;
  std::unique_ptr<TacEditWnd> m_retired;
  TsBoundLabel* m_boundLabel = nullptr;
  TsDisabledKind m_disabledKind = dkBlended;
};

}  // namespace tappomat
