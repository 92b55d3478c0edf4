// Update regions, WM_PAINT, device contexts and WM_PRINT. The painting model is described
// in paint.h; clipping is in visible_region.cpp, presentation in presenter.cpp.
#include "win/paint.h"

#include "gdi/primitives.h"
#include "gdi/system_colors.h"
#include "win/nonclient.h"
#include "win/presenter.h"
#include "win/visible_region.h"

namespace tappomat {
namespace {

WindowData* Data(HWND h) { return WindowSystem::Current().Find(h); }

Rect WindowBounds(const WindowData& w) { return {0, 0, w.windowRect.Width(), w.windowRect.Height()}; }

bool NeedsPaint(const WindowData& w) { return !w.paint.update.IsEmpty() || w.paint.internalPaint; }

// Which children an RDW_* operation on `w` reaches.
bool ReachesChildren(const WindowData& w, UINT flags) {
  if (flags & RDW_NOCHILDREN) return false;
  return (flags & RDW_ALLCHILDREN) || !(w.style & WS_CLIPCHILDREN);
}

// --- update regions; `area` is in the window's own window coordinates

void Invalidate(WindowData& w, const Region& area, bool erase, bool frame) {
  const Region client = area.Intersect(w.clientRect);
  if (!client.IsEmpty()) {
    w.paint.update = w.paint.update.Union(client.Offset(-w.clientRect.left, -w.clientRect.top));
    if (erase) w.paint.erase = true;
  }
  if (frame && !area.Intersect(WindowBounds(w)).Subtract(w.clientRect).IsEmpty()) w.paint.frame = true;
}

void Validate(WindowData& w, const Region& area, UINT flags) {
  const Region client = area.Intersect(w.clientRect);
  if (!client.IsEmpty()) {
    w.paint.update = w.paint.update.Subtract(client.Offset(-w.clientRect.left, -w.clientRect.top));
  }
  if (w.paint.update.IsEmpty() || (flags & RDW_NOERASE)) w.paint.erase = false;
  if (flags & RDW_NOFRAME) w.paint.frame = false;
  if (flags & RDW_NOINTERNALPAINT) w.paint.internalPaint = false;
}

// Applies the invalidating and validating RDW_* flags to a window and to the children
// they reach. Children are always asked to erase and redraw their frame, and are never
// told to drop pending erasing or frames, so their own pending work is never lost.
void ApplyRedraw(HWND h, const Region& area, UINT flags, bool requested) {
  WindowData* w = Data(h);
  if (!w) return;
  const bool shown = IsWindowVisible(h);
  if ((flags & RDW_INVALIDATE) && shown) {
    Invalidate(*w, area, requested ? (flags & RDW_ERASE) != 0 : true,
               requested ? (flags & RDW_FRAME) != 0 : true);
  }
  if ((flags & RDW_INTERNALPAINT) && shown) w->paint.internalPaint = true;
  if (flags & RDW_VALIDATE) Validate(*w, area, requested ? flags : flags & ~(RDW_NOERASE | RDW_NOFRAME));
  if (!ReachesChildren(*w, flags)) return;

  const Region inClient = area.Intersect(w->clientRect);
  for (HWND child : std::vector<HWND>(w->children)) {
    const WindowData* c = Data(child);
    if (!c || !c->IsVisible()) continue;
    const Point offset{w->clientRect.left + c->windowRect.left, w->clientRect.top + c->windowRect.top};
    const Region childArea = inClient.Offset(-offset.x, -offset.y).Intersect(WindowBounds(*c));
    if (!childArea.IsEmpty() || (flags & RDW_INTERNALPAINT)) ApplyRedraw(child, childArea, flags, false);
  }
}

// --- device contexts

enum class DcArea { Window, Client, NonClient };

// A context over the window's part of the top-level back buffer, clipped to its visible
// region and, when given, to `limit` (in the context's logical coordinates).
std::optional<DeviceContext> MakeDC(HWND h, DcArea area, const Region* limit) {
  WindowData* w = Data(h);
  WindowData* top = w ? Data(GetAncestor(h, GA_ROOT)) : nullptr;
  if (!top) return std::nullopt;
  DeviceContext dc(EnsureBackBuffer(*top));
  Point origin = WindowOriginInTopLevel(h);
  Region clip;
  if (area == DcArea::Client) {
    origin = {origin.x + w->clientRect.left, origin.y + w->clientRect.top};
    clip = VisibleRegion(h, WindowArea::Client);
  } else {
    clip = VisibleRegion(h, WindowArea::Window);
    if (area == DcArea::NonClient) {
      const Point windowOrigin = WindowOriginInTopLevel(h);
      clip = clip.Subtract(w->clientRect.Offset(windowOrigin.x, windowOrigin.y));
    }
  }
  if (limit) clip = clip.Intersect(limit->Offset(origin.x, origin.y));
  dc.SetOrigin(origin);
  dc.SetSystemClip(clip);
  return dc;
}

std::optional<DeviceContext> MarkedDC(HWND h, DcArea area, const Region* limit) {
  std::optional<DeviceContext> dc = MakeDC(h, area, limit);
  if (dc) MarkDirty(GetAncestor(h, GA_ROOT), dc->DeviceClip());
  return dc;
}

// --- sending the paint messages

void SendNcPaint(HWND h) {
  if (WindowData* w = Data(h)) w->paint.frame = false;
  SendMessage(h, WM_NCPAINT, 0, 0);
}

bool CanPaintNow(HWND h) {
  const WindowData* w = Data(h);
  if (!w || !IsWindowVisible(h) || !IsRedrawEnabled(h)) return false;
  const WindowData* top = Data(GetAncestor(h, GA_ROOT));
  return top && !top->top.updateLayered && !top->top.minimized;
}

// RDW_UPDATENOW: WM_PAINT (or WM_NCPAINT for a frame alone) now, parents first.
// RDW_ERASENOW: only the WM_NCPAINT and WM_ERASEBKGND that are due.
void PaintNow(HWND h, UINT flags, bool eraseOnly) {
  if (!CanPaintNow(h)) return;
  WindowData* w = Data(h);
  if (!eraseOnly && NeedsPaint(*w)) {
    w->paint.internalPaint = false;
    SendMessage(h, WM_PAINT);
  } else {
    if (w->paint.frame) SendNcPaint(h);
    if ((w = Data(h)) && eraseOnly && w->paint.erase && !w->paint.update.IsEmpty()) {
      const Region update = w->paint.update;
      if (std::optional<DeviceContext> dc = MarkedDC(h, DcArea::Client, &update)) {
        const LRESULT erased = SendMessage(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(&*dc));
        if ((w = Data(h)) && erased) w->paint.erase = false;
      }
    }
  }
  if (!(w = Data(h)) || !ReachesChildren(*w, flags)) return;
  for (HWND child : std::vector<HWND>(w->children)) PaintNow(child, flags, eraseOnly);
}

// Depth-first search for the next window to paint, parents before children. `inScope`:
// the window lies within the filter of the PeekMessage call. A window that must paint
// first holds back its children, even when it lies outside the filter.
bool FindPaint(HWND h, HWND filter, bool inScope, MSG& msg) {
  WindowData* w = Data(h);
  if (!w || !w->IsVisible() || !w->paint.redraw) return false;
  inScope = inScope || h == filter;
  if (NeedsPaint(*w)) {
    if (!inScope) return false;
    w->paint.internalPaint = false;
    WindowSystem& ws = WindowSystem::Current();
    msg = {h, WM_PAINT, 0, 0, ws.TickCount(), ws.m_pointer};
    return true;
  }
  if (w->paint.frame && inScope) {
    SendNcPaint(h);
    if (!(w = Data(h))) return false;
  }
  for (HWND child : std::vector<HWND>(w->children)) {
    if (FindPaint(child, filter, inScope, msg)) return true;
  }
  return false;
}

// --- exposure

// InvalidateTopLevelArea for one window and its descendants; `exposed` is in top-level
// coordinates and already cut to what the parent shows.
void InvalidateExposed(HWND h, const Region& exposed) {
  WindowData* w = Data(h);
  if (!w) return;
  const Region shown = UnobscuredArea(h, WindowArea::Window).Intersect(exposed);
  if (shown.IsEmpty()) return;
  const Point origin = WindowOriginInTopLevel(h);
  Invalidate(*w, shown.Offset(-origin.x, -origin.y), true, true);
  for (HWND child : std::vector<HWND>(w->children)) InvalidateExposed(child, shown);
}

// --- default handling

LRESULT EraseBackground(HWND h, WPARAM wParam) {
  DeviceContext* dc = reinterpret_cast<DeviceContext*>(wParam);
  const WindowData* w = Data(h);
  if (!dc || !w || !w->windowClass || w->windowClass->background <= 0) return 0;
  FillRect(*dc, GetClientRect(h), GetSysColor(w->windowClass->background - 1));
  return 1;
}

// Limits the context's clip to a region given in its logical coordinates.
void IntersectClipRegion(DeviceContext& dc, const Region& logical) {
  const Point o = dc.Origin();
  dc.SelectClipRegion(dc.DeviceClip().Intersect(logical.Offset(o.x, o.y)).Offset(-o.x, -o.y));
}

LRESULT Print(HWND h, WPARAM wParam, LPARAM flags) {
  DeviceContext* dc = reinterpret_cast<DeviceContext*>(wParam);
  const WindowData* w = Data(h);
  if (!dc || !w) return 0;
  if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(h)) return 0;
  DeviceContext::Saver saved(*dc);
  if (w->region) IntersectClipRegion(*dc, *w->region);
  if (flags & PRF_NONCLIENT) {
    DeviceContext::Saver frame(*dc);
    dc->ExcludeClipRect(w->clientRect);
    PaintDefaultNonClient(h, *dc);
    if (!(w = Data(h))) return 0;
  }
  const Rect client = w->clientRect;
  dc->OffsetOrigin(client.left, client.top);
  dc->IntersectClipRect({0, 0, client.Width(), client.Height()});
  if (flags & PRF_ERASEBKGND) SendMessage(h, WM_ERASEBKGND, wParam);
  if ((flags & PRF_CLIENT) && IsWindow(h)) SendMessage(h, WM_PRINTCLIENT, wParam, flags);
  if ((flags & PRF_CHILDREN) && (w = Data(h))) {
    const std::vector<HWND> children = w->children;
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
      const WindowData* c = Data(*it);
      if (!c || !c->IsVisible()) continue;
      DeviceContext::Saver child(*dc);
      dc->OffsetOrigin(c->windowRect.left, c->windowRect.top);
      dc->IntersectClipRect(WindowBounds(*c));
      SendMessage(*it, WM_PRINT, wParam, flags);
    }
  }
  return 0;
}

}  // namespace

bool WindowSystem::TakePaint(MSG& msg, HWND filter) {
  for (HWND top : std::vector<HWND>(m_topLevels)) {
    const WindowData* w = Find(top);
    if (!w || !w->IsVisible() || w->top.minimized || w->top.updateLayered) continue;
    if (FindPaint(top, filter, !filter, msg)) return true;
  }
  return false;
}

std::optional<DeviceContext> GetDC(HWND h) { return MarkedDC(h, DcArea::Client, nullptr); }
std::optional<DeviceContext> GetWindowDC(HWND h) { return MarkedDC(h, DcArea::Window, nullptr); }

std::optional<DeviceContext> GetNonClientDC(HWND h, const Region* windowArea) {
  return MarkedDC(h, DcArea::NonClient, windowArea);
}

DeviceContext& BeginPaint(HWND h, PAINTSTRUCT& ps) {
  // A context that draws nothing, for a window that is gone.
  static Bitmap32 nothing;
  ps = PAINTSTRUCT{};
  WindowData* w = Data(h);
  if (w && w->paint.frame) {
    SendNcPaint(h);
    w = Data(h);
  }
  if (!w) return ps.dc.emplace(nothing);

  const Region update = std::move(w->paint.update);
  const bool erase = w->paint.erase;
  w->paint.update = {};
  w->paint.erase = false;
  w->paint.internalPaint = false;
  w->paint.inPaint = true;
  ps.dc = MakeDC(h, DcArea::Client, &update);
  if (!ps.dc) return ps.dc.emplace(nothing);
  ps.painted = ps.dc->DeviceClip();
  ps.rcPaint = ps.dc->ClipBox();
  ps.fErase = erase;
  if (erase) {
    ps.fErase = SendMessage(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(&*ps.dc)) == 0;
    if (!Data(h)) {
      ps.painted = {};
      ps.dc.emplace(nothing);
    }
  }
  return *ps.dc;
}

void EndPaint(HWND h, PAINTSTRUCT& ps) {
  if (WindowData* w = Data(h)) {
    w->paint.inPaint = false;
    MarkDirty(GetAncestor(h, GA_ROOT), ps.painted);
  }
  ps.painted = {};
  ps.dc.reset();
}

bool RedrawWindow(HWND h, const std::optional<Rect>& clientRect, const Region* clientRegion,
                  UINT flags) {
  if (!h) {
    for (HWND top : WindowSystem::Current().TopLevelWindows()) RedrawWindow(top, std::nullopt, nullptr, flags);
    return true;
  }
  const WindowData* w = Data(h);
  if (!w) return false;
  const Point client = w->clientRect.TopLeft();
  Region area;
  if (clientRegion) {
    area = clientRegion->Offset(client.x, client.y);
  } else if (clientRect) {
    area = Region(clientRect->Offset(client.x, client.y));
  } else {
    area = Region(WindowBounds(*w));
  }
  ApplyRedraw(h, area, flags, true);
  if (flags & RDW_UPDATENOW) {
    PaintNow(h, flags, false);
    PresentTopLevel(GetAncestor(h, GA_ROOT));
  } else if (flags & RDW_ERASENOW) {
    PaintNow(h, flags, true);
  }
  return true;
}

bool InvalidateRect(HWND h, const std::optional<Rect>& clientRect, bool erase) {
  // The whole client area, not the whole window: without RDW_FRAME that is the same.
  return RedrawWindow(h, clientRect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0u));
}

bool InvalidateRgn(HWND h, const Region& clientRegion, bool erase) {
  return RedrawWindow(h, std::nullopt, &clientRegion, RDW_INVALIDATE | (erase ? RDW_ERASE : 0u));
}

bool ValidateRect(HWND h, const std::optional<Rect>& clientRect) {
  return RedrawWindow(h, clientRect, nullptr, RDW_VALIDATE);
}

bool UpdateWindow(HWND h) {
  if (!Data(h)) return false;
  return RedrawWindow(h, std::nullopt, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

bool GetUpdateRect(HWND h, Rect& clientRect) {
  const WindowData* w = Data(h);
  clientRect = w ? w->paint.update.Bounds().Intersect(GetClientRect(h)) : Rect{};
  return !clientRect.IsEmpty();
}

void InvalidateNonClient(HWND h) {
  if (WindowData* w = Data(h); w && IsWindowVisible(h)) w->paint.frame = true;
}

void InvalidateTopLevelArea(HWND topLevel, const Region& exposed) {
  const WindowData* w = Data(topLevel);
  if (!w || exposed.IsEmpty()) return;
  // A window showing an UpdateLayeredWindow picture does not paint: the picture is
  // presented again instead.
  if (!w->IsChild() && w->top.updateLayered) {
    MarkDirty(topLevel, exposed);
    return;
  }
  InvalidateExposed(topLevel, exposed);
}

std::optional<LRESULT> DefPaintProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, ps);
      EndPaint(h, ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return EraseBackground(h, wParam);
    case WM_SETREDRAW:
      if (WindowData* w = Data(h)) w->paint.redraw = wParam != 0;
      return 0;
    case WM_PRINT:
      return Print(h, wParam, lParam);
    case WM_PRINTCLIENT:
      return 0;
  }
  return std::nullopt;
}

}  // namespace tappomat
