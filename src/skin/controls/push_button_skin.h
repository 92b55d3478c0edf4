#pragma once
// The skinned look of a push button (TsButton, TsBitBtn): the paint-state rule, the cache
// rebuilt from the BUTTON section in that state (background from the parent, border,
// content, focus rectangle, disabled look) and the screen update from the cache. The
// button owns one and passes its messages and paints through it; what sits on the face
// (caption, glyph) comes from the button through DrawContent.
#include <functional>

#include "gdi/device_context.h"
#include "skin/common/common_data.h"
#include "skin/paint/disabled_look.h"
#include "ui/button.h"

namespace tappomat {

// Paint states of buttons.
enum : int { kPaintNormal = 0, kPaintHot = 1, kPaintPressed = 2, kPaintDefault = 3 };

// The section state a button paints a paint state with: the default look is the hot one
// unless the section has a fourth state.
int ButtonSectionState(const TsGeneralData& section, int paintState);

// Where a caption measured tw x th sits on a button W x H, and its focus rectangle.
struct CaptionPlace {
  Rect text;
  Rect focus;
};

class PushButtonSkin {
 public:
  // Draws glyph and caption into the cache; returns the caption's rectangle (empty when
  // there is no caption) for the focus rectangle.
  using DrawContentFn = std::function<Rect(Bitmap32& cache, int paintState)>;

  PushButtonSkin(TButton& button, int kindCode, DrawContentFn drawContent);

  TsCtrlSkinData& SkinData() { return m_data; }
  const TsCtrlSkinData& SkinData() const { return m_data; }

  bool ShowFocus = true;
  int FocusMargin = 1;
  TsDisabledKind DisabledKind = dkBlended;
  // The default look only while the focus is not on another skinned button (bit buttons).
  bool DefaultOnlyBesidePlainFocus = false;

  // 0 normal, 1 hot, 2 pressed, 3 default (the rule of the button's condition).
  int PaintState() const;
  // Takes the message first; true when the button must not see it.
  bool WndProc(TMessage& message);
  // Paints the button from its cache; false when it is not skinned (the button paints its
  // standard look).
  bool Paint(DeviceContext& dc);
  // Repaints the cache for the current paint state; false while the parent is being updated.
  bool RebuildCache();

 private:
  static bool SkinnedButtonHasFocus();
  // The focus rectangle belongs on the face now.
  bool WantsFocusRect() const;
  // Buttons whose border mask asks for shaped corners take the mask's outline as their
  // window's shape; back to a plain rectangle when the skin goes.
  void ShapeWindow(const TsGeneralData& section, int sectionState);
  void Unshape();

  TButton& m_button;
  TsCtrlSkinData m_data;
  DrawContentFn m_drawContent;
  bool m_shaped = false;
};

// The corner fill of a border mask whose fuchsia corners cut the window's shape.
inline constexpr int kShapedCorners = 2;

}  // namespace tappomat
