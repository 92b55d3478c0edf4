#pragma once
// The skinned look of an edit-type control (TsEdit, TsSpinEdit): the control owns one and
// passes its messages and paints through it. While the control is enabled and active
// (focused or under the pointer) the edit paints itself, caret and selection included, and
// only the frame ring comes from the cache; otherwise the whole control is a copy of the
// cache, which holds the section in the control's state, the text drawn on the skin and
// the disabled look. Without an active skin the edit keeps its standard look.
#include <functional>

#include "gdi/device_context.h"
#include "skin/controls/bound_label.h"
#include "skin/common/common_data.h"
#include "skin/paint/disabled_look.h"
#include "ui/alignment.h"
#include "ui/edit.h"

namespace tappomat {

// The kind code of the skinned edits, spin edits and combo boxes.
inline constexpr int kEditKind = 3;

// After the control has handled `message`: bounds, visibility and enabling changes move
// the bound label with it.
void FollowBoundLabel(TsBoundLabel* label, const TMessage& message);

class EditSkin {
 public:
  explicit EditSkin(TEdit& edit);

  TsCtrlSkinData& SkinData() { return m_data; }
  const TsCtrlSkinData& SkinData() const { return m_data; }
  TsBoundLabel* BoundLabel() const { return m_boundLabel; }

  TsDisabledKind DisabledKind = dkBlended;
  // Where the text of the cached look sits; the edit itself draws from the left.
  TAlignment Alignment = TAlignment::taLeftJustify;
  // Room at the right edge that the text leaves free (a spin edit's buttons).
  std::function<int()> ReservedRight = [] { return 0; };

  // Width of the frame ring around the text: 2 for an edit with a border.
  int BorderWidth() const;
  // 1 while the control is active, else 0.
  int PaintState() const { return m_data.ControlIsActive() ? 1 : 0; }
  // The edit paints itself now (skinned: enabled and active).
  bool NativeLook() const;
  // Where the cached look draws the text.
  Rect TextRect() const;

  // Takes the message first; true when the edit must not see it.
  bool WndProc(TMessage& message);
  // Paints the control; false when it is not skinned (the edit paints its standard look).
  // `native` is the edit's own painting.
  bool Paint(DeviceContext& dc, const std::function<void(DeviceContext&)>& native);
  // Repaints the cache for the present state; false while the parent is being updated.
  bool RebuildCache();

 private:
  TEdit& m_edit;
  TsCtrlSkinData m_data;
  TsBoundLabel* m_boundLabel;
};

}  // namespace tappomat
