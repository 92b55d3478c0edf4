// Painting. Provisional: nothing is painted or presented yet.
#include "win/paint.h"

namespace tappomat {

bool WindowSystem::TakePaint(MSG&, HWND) { return false; }
void WindowSystem::PresentDirty() {}

std::optional<DeviceContext> GetDC(HWND) { return std::nullopt; }
std::optional<DeviceContext> GetWindowDC(HWND) { return std::nullopt; }

DeviceContext& BeginPaint(HWND, PAINTSTRUCT& ps) {
  static Bitmap32 empty;
  ps.dc.emplace(empty);
  return *ps.dc;
}

void EndPaint(HWND, PAINTSTRUCT& ps) { ps.dc.reset(); }

bool InvalidateRect(HWND, const std::optional<Rect>&, bool) { return true; }
bool InvalidateRgn(HWND, const Region&, bool) { return true; }
bool ValidateRect(HWND, const std::optional<Rect>&) { return true; }
bool UpdateWindow(HWND) { return true; }
bool RedrawWindow(HWND, const std::optional<Rect>&, const Region*, UINT) { return true; }
bool GetUpdateRect(HWND, Rect& clientRect) {
  clientRect = {};
  return false;
}
bool UpdateLayeredWindow(HWND, const std::optional<Point>&, const Bitmap32&, std::uint8_t) { return false; }
bool SetLayeredWindowAttributes(HWND, ColorRef, std::uint8_t, UINT) { return false; }

std::optional<LRESULT> DefPaintProc(HWND, UINT, WPARAM, LPARAM) { return std::nullopt; }
void InvalidateTopLevelArea(HWND, const Region&) {}

Point WindowOriginInTopLevel(HWND h) {
  WindowSystem& ws = WindowSystem::Current();
  Point origin;
  for (WindowData* w = ws.Find(h); w && w->IsChild(); w = ws.Find(w->parent)) {
    const WindowData* parent = ws.Find(w->parent);
    origin.x += w->windowRect.left + parent->clientRect.left;
    origin.y += w->windowRect.top + parent->clientRect.top;
  }
  return origin;
}

}  // namespace tappomat
