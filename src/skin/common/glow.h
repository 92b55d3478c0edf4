#pragma once
// Glows: a soft light around a control or a caption button, shown in a window of its own
// just above the control's top-level window. The window part of the skin engine makes the
// windows and registers itself here; controls ask through the functions below, and
// nothing shows while none is registered. A glow is known by a handle (-1: none) that is
// never given out twice, so a stale handle hides nothing.
#include "imaging/geometry.h"
#include "skin/data/skin_tables.h"
#include "ui/ui_messages.h"
#include "win/types.h"

namespace tappomat {

class TsCommonData;

class GlowWindows {
 public:
  virtual ~GlowWindows() = default;
  // Shows mask `maskIndex` stretched around `screenRect` (grown by the mask's border
  // widths, less `margin`) just above `topLevel`; the new glow's handle, or -1 when none
  // can show (no such mask, or no compositing manager to show translucency).
  virtual int Show(const SkinTables& tables, int maskIndex, int margin, HWND topLevel,
                   const Rect& screenRect) = 0;
  virtual void Hide(int handle) = 0;
  virtual void HideAll() = 0;
};

// The registered glow windows; null: none.
GlowWindows* CurrentGlowWindows();
void SetGlowWindows(GlowWindows* windows);

// The glow of a control's section (GLOW of at least 1, with its image GLOW0), shown around
// the control while the manager allows glowing; HideControlGlow takes it away.
void ShowControlGlow(TsCommonData& data);
void HideControlGlow(TsCommonData& data);
// A button's glow follows the pointer: shown when it enters, hidden when it leaves or the
// button loses the focus.
void GlowWithPointer(TsCommonData& data, const TMessage& message);

}  // namespace tappomat
