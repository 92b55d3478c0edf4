#pragma once
// TsSkinProvider: the skin of a whole form. It keeps one picture of the window (frame,
// caption bar with icon, caption buttons and text, client background), sets a skinned
// frame object on the form's window (so the frame's geometry, hit-testing and look come
// from the skin), takes the form's messages ahead of the form for the caption buttons,
// the system menu, activation and its children's background queries, and gives the form
// its classic frame back, pixel for pixel, when the skin goes.
//
// Owned by its form. The skin manager attaches one to every form of the program
// (form_skinning.h); a form takes no second provider.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "gdi/logical_font.h"
#include "skin/common/common_data.h"
#include "skin/window/frame_metrics.h"
#include "skin/window/window_picture.h"
#include "ui/alignment.h"
#include "ui/component.h"
#include "ui/form.h"

namespace tappomat {

class TsSystemMenu;

// An extra caption button left of the standard ones.
struct TsTitleButton {
  std::string Name;
  Bitmap32 Glyph;
  std::string Hint;
  bool Enabled = true;
  bool Visible = true;
  bool UseSkinData = true;
  TNotifyEvent OnMouseDown;
  TNotifyEvent OnMouseUp;
};

// The provider's own caption icon instead of the window's.
struct TsTitleIcon {
  Bitmap32 Glyph;
  int Width = 0;
  int Height = 0;
  bool Visible = true;
};

// Text shown after the caption.
struct TsAddedTitle {
  std::string Text;
  LogicalFont Font;
  bool ShowMainCaption = true;
};

enum class TGripMode { gmNone, gmRightBottom };
enum class TResizeMode { rmStandard, rmBorder };

// Caption-button state.
enum : int { kButtonNormal = 0, kButtonHot = 1, kButtonPressed = 2 };

class TsSkinProvider : public TComponent {
 public:
  // `owner` must be a form without a provider: "TsSkinProvider component may be used
  // with forms only!" and "Only one instance of the TsSkinProvider component is
  // allowed!" are thrown otherwise.
  explicit TsSkinProvider(TComponent* owner);
  ~TsSkinProvider() override;
  std::string ClassName() const override { return "TsSkinProvider"; }

  // The provider of a form; null when it has none.
  static TsSkinProvider* Of(const TForm& form);

  // --- published properties (read at the next picture rebuild; Repaint shows a change)
  TsCommonData& SkinData() { return *m_data; }
  bool DrawNonClientArea = true;
  bool DrawClientArea = true;
  bool AllowExtBorders = true;
  bool AllowAnimation = true;
  bool AllowBlendOnMoving = true;
  TAlignment CaptionAlignment = TAlignment::taLeftJustify;
  bool ShowAppIcon = true;
  TsTitleIcon TitleIcon;
  std::vector<TsTitleButton> TitleButtons;
  std::string TitleSkin;
  std::string MenuLineSkin;
  bool MakeSkinMenu = false;
  bool UseGlobalColor = true;
  TGripMode GripMode = TGripMode::gmNone;
  TResizeMode ResizeMode = TResizeMode::rmStandard;
  bool ScreenSnap = false;
  int SnapBuffer = 10;
  TsAddedTitle AddedTitle;
  TNotifyEvent OnAfterAnimation;

  // --- queries
  TForm& Form() const { return m_form; }
  // A skin is applied and the provider draws the form.
  bool Skinned() const;
  FrameMode Mode() const;
  bool ActiveLook() const { return m_active != 0; }
  // The window picture, rebuilt first when it is out of date; null without a skin.
  const Bitmap32* Picture();
  FrameMetrics Metrics() const;
  CaptionLayout Caption() const;
  // Where the client area's top-left pixel lies in the picture.
  Point ClientOffset() const;
  int ButtonState(CaptionButtonKind kind) const {
    return m_buttonStates[static_cast<std::size_t>(kind)];
  }
  int TitleButtonState(std::size_t index) const {
    return index < m_titleStates.size() ? m_titleStates[index] : kButtonNormal;
  }
  // The part of the window under a point in window coordinates.
  LRESULT HitTest(Point windowPoint);
  TsSystemMenu& SystemMenu() { return *m_systemMenu; }
  // Times the whole picture was painted (a caption button's change paints only itself).
  int PictureBuilds() const { return m_pictureBuilds; }

  // Marks the picture stale and repaints frame and client.
  void Repaint();
  // Shows the system menu with its top-left corner at a screen point.
  void ShowSystemMenu(Point screen);

  // Set while a caption button is held down, by any provider.
  static bool CaptionButtonPressed() { return s_buttonPressed; }

 private:
  class Frame;
  struct Link;
  struct Thunk;

  void WndProc(TMessage& message);
  bool SkinMessage(TMessage& message);
  void HandleCreated();
  void SkinSet();
  void SkinRemoved();
  FrameFacts Facts() const;
  WindowPictureParts Parts() const;
  void MarkChanged();
  void RebuildPicture();
  void Paint();
  bool PaintsClient() const;
  bool FrameReachesClient() const;
  Rect ItemRect(const CaptionLayout& caption, LRESULT hit);
  int* ItemState(LRESULT hit);
  void SetItemState(LRESULT hit, int state);
  void RepaintItem(LRESULT hit);
  void SetHot(LRESULT hit);
  void ShowButtonGlow(CaptionButtonKind kind);
  void HideButtonGlow();
  void PressButton(LRESULT hit);
  void TrackPressed(Point windowPoint);
  void ReleaseButton(Point windowPoint);
  void ResetButtons();
  bool CanAct(LRESULT hit) const;
  void Act(LRESULT hit);
  void UpdateShape();
  Point WindowPointFromScreen(Point screen) const;

  TForm& m_form;
  std::unique_ptr<TsCommonData> m_data;
  std::unique_ptr<Frame> m_frame;
  std::shared_ptr<Link> m_link;  // the form's own handler, shared with the thunk
  TsSystemMenu* m_systemMenu = nullptr;
  int m_active = 0;
  std::array<int, kCaptionButtonCount> m_buttonStates{};
  std::vector<int> m_titleStates;  // per title button
  LRESULT m_hotItem = 0;      // the hit code of the hot or pressed item
  LRESULT m_pressedItem = 0;
  int m_titleSection = -1;    // -1: not looked up since the skin changed
  bool m_frameSet = false;
  bool m_wasOpaque = false;
  int m_pictureBuilds = 0;
  int m_buttonGlow = -1;  // the hot caption button's glow; -1: none
  static bool s_buttonPressed;
};

}  // namespace tappomat
