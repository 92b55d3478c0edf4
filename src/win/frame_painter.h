#pragma once
// The classic look of the non-client area: window frame, caption bar with
// its gradient, icon, bold text and buttons, the client edge and the size box. Drawn with
// the gdi layer in window coordinates from a NonClientLayout; the default WM_NCPAINT and
// WM_PRINT (PRF_NONCLIENT) of nonclient.cpp call it. Scroll bars have their own painter
// (scroll_bar_painter.h). It is the look of the classic window frame (window_frame.h); a
// skin engine sets a frame object of its own on the windows it skins.
#include <cstdint>
#include <string_view>

#include "gdi/device_context.h"
#include "imaging/bitmap32.h"
#include "win/nonclient_layout.h"

namespace tappomat {

enum class CaptionGlyph { Close, Minimize, Maximize, Restore };
enum class CaptionButtonState { Normal, Pushed, Disabled };

// What the frame shows besides its geometry.
struct FrameLook {
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  bool active = false;           // active caption colours and border
  std::string_view text;         // caption text, UTF-8
  const Bitmap32* icon = nullptr;  // premultiplied, drawn at layout.icon's size; may be null
  LRESULT pushedButton = 0;      // HTCLOSE, HTMINBUTTON or HTMAXBUTTON drawn pushed
  bool maximized = false;        // the maximise button shows the restore glyph
};

// Paints frame, caption and client edge, and fills the size box.
void PaintClassicFrame(DeviceContext& dc, const NonClientLayout& layout, const FrameLook& look);

// One classic caption button: a raised face (sunken when pushed, the glyph moving one
// pixel right and down) with a black glyph, or an etched grey glyph when disabled.
void DrawCaptionButton(DeviceContext& dc, const Rect& rect, CaptionGlyph glyph,
                       CaptionButtonState state);

// The caption font: "MS Sans Serif", 11 pixels, bold.
LogicalFont CaptionFont();

}  // namespace tappomat
