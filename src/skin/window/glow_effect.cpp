#include "skin/window/glow_effect.h"

#include "skin/paint/mask_paint.h"
#include "win/paint.h"
#include "win/window_system.h"

namespace tappomat {
namespace {

constexpr const char* kGlowClass = "TacGlowWindow";

LRESULT GlowWindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  // The light is only looked at: the pointer goes to whatever lies under it.
  if (msg == WM_NCHITTEST) return HTTRANSPARENT;
  return DefWindowProc(h, msg, wParam, lParam);
}

void RegisterGlowClass() {
  if (FindClass(kGlowClass) != nullptr) return;
  WindowClass glow;
  glow.name = kGlowClass;
  glow.proc = GlowWindowProc;
  RegisterClass(glow);
}

}  // namespace

TacGlowEffect::TacGlowEffect(HWND topLevel, const Bitmap32& picture, Point at) {
  RegisterGlowClass();
  const bool topmost = (GetWindowExStyle(topLevel) & WS_EX_TOPMOST) != 0;
  std::uint32_t exStyle = WS_EX_LAYERED | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT;
  if (topmost) exStyle |= WS_EX_TOPMOST;
  m_window = CreateWindowEx(exStyle,
                            kGlowClass, "", WS_POPUP, at.x, at.y, picture.Width(), picture.Height(),
                            topLevel);
  if (!m_window) return;
  UpdateLayeredWindow(m_window, at, picture, 255);
  // Just above the lit window: below whatever lies above it.
  const HWND above = GetWindow(topLevel, GW_HWNDPREV);
  SetWindowPos(m_window, above ? above : (topmost ? HWND_TOPMOST : HWND_TOP), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

TacGlowEffect::~TacGlowEffect() {
  if (m_window && IsWindow(m_window)) DestroyWindow(m_window);
}

TacGlowWindows::TacGlowWindows(TComponent* owner) : TComponent(owner) { SetGlowWindows(this); }

TacGlowWindows::~TacGlowWindows() {
  HideAll();
  if (CurrentGlowWindows() == this) SetGlowWindows(nullptr);
}

Bitmap32 TacGlowWindows::Picture(const SkinTables& tables, int maskIndex, Size size) {
  Bitmap32 picture(size.width, size.height, 0);
  PaintBorderMask(picture, picture.Bounds(), tables, maskIndex, 0);
  return picture;
}

int TacGlowWindows::Show(const SkinTables& tables, int maskIndex, int margin, HWND topLevel,
                         const Rect& screenRect) {
  const TsMaskData* mask = MaskAt(tables, maskIndex);
  if (mask == nullptr || !IsWindow(topLevel) ||
      !WindowSystem::Current().GetPlatform().CompositorRunning()) {
    return -1;
  }
  // The control's rectangle grown by the image's borders, less the margin.
  const Rect area{screenRect.left - mask->MarginLeft() + margin, screenRect.top - mask->MarginTop() + margin,
                  screenRect.right + mask->MarginRight() - margin,
                  screenRect.bottom + mask->MarginBottom() - margin};
  if (area.IsEmpty()) return -1;
  auto glow = std::make_unique<TacGlowEffect>(topLevel, Picture(tables, maskIndex, area.GetSize()),
                                              area.TopLeft());
  if (!glow->Window()) return -1;
  const int handle = m_next++;
  m_glows.emplace(handle, std::move(glow));
  return handle;
}

void TacGlowWindows::Hide(int handle) { m_glows.erase(handle); }

void TacGlowWindows::HideAll() { m_glows.clear(); }

const TacGlowEffect* TacGlowWindows::Find(int handle) const {
  const auto it = m_glows.find(handle);
  return it != m_glows.end() ? it->second.get() : nullptr;
}

}  // namespace tappomat
