#include "win/presenter.h"

#include <algorithm>

#include "win/paint.h"
#include "win/window_system.h"

namespace tappomat {
namespace {

// Unpainted parts of a new back buffer are opaque black, which a black colour key also
// makes see-through.
constexpr Pixel kUnpainted = MakePixel(0, 0, 0);

Region WindowBounds(const WindowData& w) {
  return Region(Rect{0, 0, w.windowRect.Width(), w.windowRect.Height()});
}

// A colour-keyed window shows, and takes clicks on, only the pixels not of the key colour
// (within its window region).
void UpdateColorKeyShape(WindowData& w) {
  Platform& platform = WindowSystem::Current().GetPlatform();
  Region shape = Region::FromColorKey(EnsureBackBuffer(w), PixelFromColor(w.top.colorKey));
  if (w.region) shape = shape.Intersect(*w.region);
  platform.SetShape(w.top.native, shape);
  platform.SetInputShape(w.top.native, InputShapeOf(w, shape));
}

void RestoreRegionShape(const WindowData& w) {
  Platform& platform = WindowSystem::Current().GetPlatform();
  platform.SetShape(w.top.native, w.region);
  platform.SetInputShape(w.top.native, InputShapeOf(w, w.region));
}

WindowData* LayeredTopLevel(HWND h) {
  WindowData* w = WindowSystem::Current().Find(h);
  if (!w || w->IsChild() || !(w->exStyle & WS_EX_LAYERED)) return nullptr;
  return w;
}

}  // namespace

Bitmap32& EnsureBackBuffer(WindowData& top) {
  Bitmap32& buffer = top.top.backBuffer;
  Size size = top.windowRect.GetSize();
  // A window larger than any picture may be (a window manager's whim) draws nothing.
  if (!IsAcceptableImageSize(size.width, size.height)) size = {};
  if (buffer.GetSize() != size) {
    Bitmap32 resized(size.width, size.height, kUnpainted);
    const int rows = std::min(buffer.Height(), resized.Height());
    const int columns = std::min(buffer.Width(), resized.Width());
    for (int y = 0; y < rows; ++y) std::copy_n(buffer.Row(y), columns, resized.Row(y));
    buffer = std::move(resized);
  }
  return buffer;
}

void MarkDirty(HWND topLevel, const Region& area) {
  WindowData* w = WindowSystem::Current().Find(topLevel);
  if (!w || area.IsEmpty()) return;
  w->top.dirty = w->top.dirty.Union(area.Intersect(WindowBounds(*w)));
}

void PresentTopLevel(HWND topLevel) {
  WindowSystem& ws = WindowSystem::Current();
  WindowData* w = ws.Find(topLevel);
  if (!w || w->IsChild() || w->top.native == kNoNativeWindow) return;
  if (w->top.updateLayered) {
    // The picture is shown again only where the platform lost it (an expose).
    if (!w->top.dirty.IsEmpty() && IsWindowVisible(topLevel)) {
      ws.GetPlatform().PresentLayered(w->top.native, w->top.layeredPicture, w->top.constantAlpha);
    }
    w->top.dirty = {};
    return;
  }
  // Hidden and minimised windows keep their dirty region for when they are shown.
  if (w->top.dirty.IsEmpty() || !IsWindowVisible(topLevel) || w->top.minimized) return;
  const Region dirty = std::move(w->top.dirty);
  w->top.dirty = {};
  ws.GetPlatform().Present(w->top.native, EnsureBackBuffer(*w), dirty);
  if (w->top.colorKeyed) UpdateColorKeyShape(*w);
}

void WindowSystem::PresentDirty() {
  m_lastPresent = m_platform.Now();
  for (HWND h : m_topLevels) PresentTopLevel(h);
}

bool UpdateLayeredWindow(HWND h, const std::optional<Point>& screenPos, const Bitmap32& picture,
                         std::uint8_t constantAlpha) {
  WindowData* w = LayeredTopLevel(h);
  if (!w || picture.IsEmpty()) return false;
  const bool wasColorKeyed = w->top.colorKeyed;
  w->top.updateLayered = true;
  w->top.colorKeyed = false;
  w->top.layeredPicture = picture;
  w->top.constantAlpha = constantAlpha;
  if (wasColorKeyed) RestoreRegionShape(*w);
  // The window takes the picture's size (UpdateLayeredWindow's psize).
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (screenPos ? 0u : UINT{SWP_NOMOVE});
  const Point pos = screenPos.value_or(w->windowRect.TopLeft());
  SetWindowPos(h, kNullWindow, pos.x, pos.y, picture.Width(), picture.Height(), flags);
  if (!(w = WindowSystem::Current().Find(h))) return false;
  WindowSystem::Current().GetPlatform().PresentLayered(w->top.native, w->top.layeredPicture,
                                                       w->top.constantAlpha);
  w->top.dirty = {};
  return true;
}

bool SetLayeredWindowAttributes(HWND h, ColorRef key, std::uint8_t alpha, UINT flags) {
  WindowData* w = LayeredTopLevel(h);
  if (!w) return false;
  Platform& platform = WindowSystem::Current().GetPlatform();
  w->top.constantAlpha = (flags & LWA_ALPHA) ? alpha : 255;
  platform.SetOpacity(w->top.native, w->top.constantAlpha);

  const bool wasColorKeyed = w->top.colorKeyed;
  w->top.colorKeyed = (flags & LWA_COLORKEY) != 0;
  w->top.colorKey = key & 0x00FFFFFF;
  if (w->top.colorKeyed) {
    UpdateColorKeyShape(*w);
  } else if (wasColorKeyed) {
    RestoreRegionShape(*w);
  }

  // From now on the window paints itself through WM_PAINT again.
  if (w->top.updateLayered) {
    w->top.updateLayered = false;
    InvalidateTopLevelArea(h, WindowBounds(*w));
  }
  return true;
}

}  // namespace tappomat
