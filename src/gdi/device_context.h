#pragma once
// DeviceContext: the drawing state over one Bitmap32 — origin, clip region, font, text
// and background colours, pen and brush. Every drawing function of gdi/ takes one; the
// window system hands them to paint handlers. The target bitmap must outlive the context.
#include <utility>

#include "gdi/logical_font.h"
#include "imaging/bitmap32.h"
#include "imaging/color.h"
#include "imaging/region.h"

namespace tappomat {

enum class BkMode { Transparent = 1, Opaque = 2 };  // TRANSPARENT, OPAQUE

class DeviceContext {
  struct State {
    Point origin;
    Region clip;
    LogicalFont font;
    ColorRef textColor = RGB(0, 0, 0);
    ColorRef bkColor = RGB(255, 255, 255);
    BkMode bkMode = BkMode::Opaque;
    ColorRef penColor = RGB(0, 0, 0);
    ColorRef brushColor = RGB(255, 255, 255);
  };

 public:
  // The clip region starts as the whole bitmap, the origin at (0, 0).
  explicit DeviceContext(Bitmap32& target);

  Bitmap32& Target() { return *m_target; }
  const Bitmap32& Target() const { return *m_target; }

  // Logical coordinates plus the origin are bitmap (device) coordinates.
  Point Origin() const { return m_state.origin; }
  void SetOrigin(Point origin) { m_state.origin = origin; }
  void OffsetOrigin(int dx, int dy) { m_state.origin = {m_state.origin.x + dx, m_state.origin.y + dy}; }
  Rect ToDevice(const Rect& logical) const { return logical.Offset(m_state.origin.x, m_state.origin.y); }
  Point ToDevice(Point logical) const { return {logical.x + m_state.origin.x, logical.y + m_state.origin.y}; }

  // The clip region in device coordinates, always inside the system clip.
  const Region& DeviceClip() const { return m_state.clip; }
  // The area the owner of the context lets it draw into (device coordinates): a window's
  // visible part. No clip region selected later reaches outside it. Starts as the bitmap.
  void SetSystemClip(const Region& device);
  const Region& SystemClip() const { return m_systemClip; }
  // Replaces the clip region with `logical` within the system clip.
  void SelectClipRegion(const Region& logical);
  // Back to the whole system clip (SelectClipRgn with no region).
  void ResetClipRegion() { m_state.clip = m_systemClip; }
  void SelectClipRect(const Rect& logical) { SelectClipRegion(Region(logical)); }
  // Limits the clip region to a rectangle, or takes a rectangle out of it.
  void IntersectClipRect(const Rect& logical);
  void ExcludeClipRect(const Rect& logical);
  // Clip box in logical coordinates (bounds of the clip region).
  Rect ClipBox() const;
  // True when some pixel of the logical rectangle is inside the clip region.
  bool RectVisible(const Rect& logical) const;

  const LogicalFont& Font() const { return m_state.font; }
  void SetFont(const LogicalFont& font) { m_state.font = font; }
  ColorRef TextColor() const { return m_state.textColor; }
  void SetTextColor(ColorRef c) { m_state.textColor = c; }
  ColorRef BkColor() const { return m_state.bkColor; }
  void SetBkColor(ColorRef c) { m_state.bkColor = c; }
  BkMode GetBkMode() const { return m_state.bkMode; }
  void SetBkMode(BkMode mode) { m_state.bkMode = mode; }
  ColorRef PenColor() const { return m_state.penColor; }
  void SetPenColor(ColorRef c) { m_state.penColor = c; }
  ColorRef BrushColor() const { return m_state.brushColor; }
  void SetBrushColor(ColorRef c) { m_state.brushColor = c; }

  // Calls f(deviceRect) for each part of the clip region inside `device` (device
  // coordinates). Drawing primitives write only inside these rectangles.
  template <typename F>
  void ForEachClipRect(const Rect& device, F&& f) const {
    for (const Rect& r : m_state.clip.Rects()) {
      const Rect part = r.Intersect(device);
      if (!part.IsEmpty()) f(part);
    }
  }

  // Saves the whole drawing state and restores it when it goes out of scope.
  class Saver {
   public:
    explicit Saver(DeviceContext& dc) : m_dc(dc), m_saved(dc.m_state) {}
    ~Saver() { m_dc.m_state = std::move(m_saved); }
    Saver(const Saver&) = delete;
    Saver& operator=(const Saver&) = delete;

   private:
    DeviceContext& m_dc;
    State m_saved;
  };

 private:
  Bitmap32* m_target;
  Region m_systemClip;  // device coordinates, inside the bitmap
  State m_state;
};

}  // namespace tappomat
