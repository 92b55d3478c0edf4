#include "win/visible_region.h"

#include "win/paint.h"
#include "win/window_system.h"

namespace tappomat {
namespace {

WindowData* Data(HWND h) { return WindowSystem::Current().Find(h); }

Rect LocalRect(const WindowData& w, WindowArea area) {
  return area == WindowArea::Client ? w.clientRect
                                    : Rect{0, 0, w.windowRect.Width(), w.windowRect.Height()};
}

// The window's own shape in top-level coordinates: the chosen area cut by its region.
Region OwnShape(const WindowData& w, WindowArea area, Point origin) {
  Region shape(LocalRect(w, area).Offset(origin.x, origin.y));
  if (w.region) shape = shape.Intersect(w.region->Offset(origin.x, origin.y));
  return shape;
}

}  // namespace

Point WindowOriginInTopLevel(HWND h) {
  WindowSystem& ws = WindowSystem::Current();
  Point origin;
  for (WindowData* w = ws.Find(h); w && w->IsChild(); w = ws.Find(w->parent)) {
    const WindowData* parent = ws.Find(w->parent);
    if (!parent) break;
    origin.x += w->windowRect.left + parent->clientRect.left;
    origin.y += w->windowRect.top + parent->clientRect.top;
  }
  return origin;
}

Region WindowShapeInTopLevel(HWND h) {
  const WindowData* w = Data(h);
  if (!w) return {};
  return OwnShape(*w, WindowArea::Window, WindowOriginInTopLevel(h));
}

bool IsRedrawEnabled(HWND h) {
  for (const WindowData* w = Data(h); w; w = w->IsChild() ? Data(w->parent) : nullptr) {
    if (!w->paint.redraw) return false;
  }
  return true;
}

Region UnobscuredArea(HWND h, WindowArea area) {
  const WindowData* w = Data(h);
  if (!w || !IsWindowVisible(h)) return {};
  Region result = OwnShape(*w, area, WindowOriginInTopLevel(h));
  for (const WindowData* child = w; child->IsChild();) {
    const WindowData* parent = Data(child->parent);
    if (!parent) return {};
    result = result.Intersect(OwnShape(*parent, WindowArea::Client, WindowOriginInTopLevel(parent->handle)));
    child = parent;
  }
  return result;
}

Region VisibleRegion(HWND h, WindowArea area) {
  const WindowData* w = Data(h);
  if (!w || !IsRedrawEnabled(h)) return {};
  Region result = UnobscuredArea(h, area);
  if (result.IsEmpty()) return result;
  for (HWND child : w->children) {
    const WindowData* c = Data(child);
    if (c && c->IsVisible()) result = result.Subtract(WindowShapeInTopLevel(child));
  }
  // Siblings above the window and above each ancestor; children lists are topmost first.
  for (const WindowData* cur = w; cur->IsChild() && !result.IsEmpty();) {
    const WindowData* parent = Data(cur->parent);
    if (!parent) break;
    for (HWND sibling : parent->children) {
      if (sibling == cur->handle) break;
      const WindowData* s = Data(sibling);
      if (s && s->IsVisible()) result = result.Subtract(WindowShapeInTopLevel(sibling));
    }
    cur = parent;
  }
  return result;
}

}  // namespace tappomat
