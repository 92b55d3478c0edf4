#pragma once
// The skin message: how the skin manager and skinned controls talk. One window message
// number; the code sits in the high 16 bits of the first parameter, an argument in the low
// 16 bits, and the second parameter is the manager or what the code says. Controls
// answer the query codes; the manager broadcasts the others to every form and control.
#include <cstdint>

#include "win/messages.h"

namespace tappomat {

inline constexpr UINT WM_SKIN = 0xA100;

enum class SkinCode : std::uint16_t {
  NewSkin = 1,            // re-read the indexes of the new skin
  RemoveSkin = 2,         // fall back to the standard look
  Refresh = 3,            // colours re-read, repaint
  LeaveUpdating = 6,
  QuerySkinned = 7,       // answers 1 when the control is skinned
  SetUpdating = 8,        // argument 1 or 0
  TransparentLock = 9,    // argument 1 or 0
  QueryNeedsRepaint = 10,
  QueryHalfVisible = 11,
  RepaintSection = 13,
  SetSection = 15,        // second parameter: the section name
  PrepareRepaint = 16,    // sent before a full repaint of everything
  SetBackgroundChanged = 17,
  QueryParentPaint = 19,
  TransparencyChanged = 20,
  QueryColorUnder = 21,
  SetHalfVisible = 22,
  ClearBackgroundChanged = 23,
  RescanControls = 25,     // to a form: adapt its standard controls again (second parameter: from where)
  QuerySectionIndex = 26,  // second parameter: int* that receives it
  BecameHot = 29,          // to the manager's new hot window (second parameter: the manager)
  NoLongerHot = 30,        // to its hot window before that (second parameter: the manager)
  BeginUpdate = 31,
  EndUpdate = 32,
  EmptyCache = 33,
  QueryBackground = 34,    // second parameter: the background query record
  TransparencyFlags = 36,  // argument 1: recompute; 0: answer them
  QuerySkinData = 37,
  LinkObject = 38,
  BeforeScroll = 51,       // around a scroll message the engine sends: second parameter
  AfterScroll = 52,        // MAKELPARAM(scroll code, WM_HSCROLL or WM_VSCROLL)
  QueryApplication = 60,
};

constexpr WPARAM SkinWParam(SkinCode code, std::uint16_t argument = 0) {
  return (static_cast<WPARAM>(code) << 16) | argument;
}
constexpr SkinCode SkinCodeOf(WPARAM wParam) { return static_cast<SkinCode>((wParam >> 16) & 0xFFFF); }
constexpr std::uint16_t SkinArgumentOf(WPARAM wParam) { return wParam & 0xFFFF; }

}  // namespace tappomat
