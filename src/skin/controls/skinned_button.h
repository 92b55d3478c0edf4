#pragma once
// TsButton: a push button drawn from the skin's BUTTON section (kind 93), with its caption
// centred in the section's font colours, the dotted focus rectangle and the disabled
// look; without an active skin (or without the section) it is the standard TButton. Its
// Down flag latches the pressed look. The program's text buttons are TsButtons.
#include "skin/controls/push_button_skin.h"
#include "ui/button.h"

namespace tappomat {

class TsButton : public TButton {
 public:
  explicit TsButton(TComponent* owner);
  std::string ClassName() const override { return "TsButton"; }

  TsCtrlSkinData* SkinData() { return &m_skin.SkinData(); }
  // An image with a mirrored copy below it; a button without images shows no change.
  bool Reflected() const { return m_reflected; }
  void SetReflected(bool on) { m_reflected = on; }
  bool ShowFocus() const { return m_skin.ShowFocus; }
  void SetShowFocus(bool on);
  int FocusMargin() const { return m_skin.FocusMargin; }
  void SetFocusMargin(int margin);
  // Left and right margin of the caption area.
  int ContentMargin() const { return m_contentMargin; }
  void SetContentMargin(int margin);
  bool WordWrap() const { return m_wordWrap; }
  void SetWordWrap(bool on);
  TsDisabledKind DisabledKind() const { return m_skin.DisabledKind; }
  void SetDisabledKind(TsDisabledKind kinds);

  // 0 normal, 1 hot, 2 pressed, 3 default.
  int PaintState() const { return m_skin.PaintState(); }
  // The cache holds the current look.
  bool CacheUpToDate() const { return !m_skin.SkinData().CacheStale(PaintState()); }
  // Paints the cache for the current look now; false while the parent is being updated.
  bool RebuildCache() { return m_skin.RebuildCache(); }

  void WndProc(TMessage& message) override;

 protected:
  void PaintWindow(DeviceContext& dc) override;

 private:
  Rect DrawCaption(Bitmap32& cache, int paintState);
  void Restyle();

  PushButtonSkin m_skin;
  bool m_reflected = false;
  int m_contentMargin = 6;
  bool m_wordWrap = true;
};

}  // namespace tappomat
