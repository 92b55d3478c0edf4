#pragma once
// The basic types of the window system, with the Windows spelling: window handles,
// message parameters, window procedures and the packing macros.
#include <cstdint>
#include <functional>

#include "imaging/geometry.h"

namespace tappomat {

using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// A window handle: a slot index and the slot's generation, so that a handle to a
// destroyed window never reaches the window that later takes its slot.
struct HWND {
  std::uint32_t index = 0;  // 0: no window
  std::uint32_t generation = 0;

  explicit operator bool() const { return index != 0; }
  friend bool operator==(const HWND&, const HWND&) = default;
};
constexpr HWND kNullWindow{};

struct HWNDHash {
  std::size_t operator()(const HWND& h) const {
    return (std::size_t{h.generation} << 32) ^ h.index;
  }
};

using WNDPROC = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

struct MSG {
  HWND hwnd;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  std::uint32_t time = 0;  // milliseconds of the window system's clock
  Point pt;                // pointer position, screen coordinates
};

constexpr std::uint16_t LOWORD(std::uintptr_t v) { return static_cast<std::uint16_t>(v & 0xFFFF); }
constexpr std::uint16_t HIWORD(std::uintptr_t v) { return static_cast<std::uint16_t>((v >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(int lo, int hi) {
  return static_cast<LPARAM>(static_cast<std::uint32_t>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
constexpr WPARAM MAKEWPARAM(int lo, int hi) { return static_cast<WPARAM>(MAKELPARAM(lo, hi)) & 0xFFFFFFFFu; }
// Signed coordinates packed in an LPARAM, as mouse messages carry them.
constexpr int GET_X_LPARAM(LPARAM l) { return static_cast<std::int16_t>(l & 0xFFFF); }
constexpr int GET_Y_LPARAM(LPARAM l) { return static_cast<std::int16_t>((l >> 16) & 0xFFFF); }
constexpr Point PointFromLParam(LPARAM l) { return {GET_X_LPARAM(l), GET_Y_LPARAM(l)}; }
constexpr LPARAM LParamFromPoint(Point p) { return MAKELPARAM(p.x, p.y); }

// Pointers travel in message parameters (WPARAM/LPARAM) as integers.
template <typename T>
LPARAM PtrToLParam(T* p) { return reinterpret_cast<LPARAM>(p); }
template <typename T>
T* LParamToPtr(LPARAM l) { return reinterpret_cast<T*>(l); }

}  // namespace tappomat
