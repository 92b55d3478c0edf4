#pragma once
// TacGlowEffect: one glow window, a borderless top-level window that shows a glow image
// as a per-pixel translucent picture just above the top-level window of the control it
// lights, and never takes the pointer (it answers transparent to hit-testing and has no
// input area). TacGlowWindows keeps every glow of the program by handle; it is what the
// skinned controls and the caption buttons reach through skin/common/glow.h.
//
// Glows need a compositing manager: without one a translucent picture would show black
// where it should be clear, so no glow is shown then.
#include <map>
#include <memory>

#include "imaging/bitmap32.h"
#include "skin/common/glow.h"
#include "ui/component.h"

namespace tappomat {

class TacGlowEffect {
 public:
  // Shows the glow at once; `picture` is premultiplied, placed with its top-left at `at`.
  TacGlowEffect(HWND topLevel, const Bitmap32& picture, Point at);
  ~TacGlowEffect();
  TacGlowEffect(const TacGlowEffect&) = delete;
  TacGlowEffect& operator=(const TacGlowEffect&) = delete;

  HWND Window() const { return m_window; }

 private:
  HWND m_window;
};

// Owned by the skin manager whose forms it lights; registered while it lives.
class TacGlowWindows final : public TComponent, public GlowWindows {
 public:
  explicit TacGlowWindows(TComponent* owner);
  ~TacGlowWindows() override;
  std::string ClassName() const override { return "TacGlowWindows"; }

  int Show(const SkinTables& tables, int maskIndex, int margin, HWND topLevel,
           const Rect& screenRect) override;
  void Hide(int handle) override;
  void HideAll() override;

  // The glow of a handle; null when it is gone.
  const TacGlowEffect* Find(int handle) const;
  std::size_t Count() const { return m_glows.size(); }

  // The picture of a glow: mask `maskIndex` stretched over `size` in nine parts.
  static Bitmap32 Picture(const SkinTables& tables, int maskIndex, Size size);

 private:
  std::map<int, std::unique_ptr<TacGlowEffect>> m_glows;
  int m_next = 0;
};

}  // namespace tappomat
