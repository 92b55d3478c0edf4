#pragma once
// X11Keymap: X key codes to Windows virtual-key codes, and back for the key-state queries.
// Built from the server's keyboard map when the platform starts and again whenever the map
// changes; the platform's event translation and X11AsyncKeys read it.
//
// A key's virtual key comes from its symbol in the first group at the first level, so a
// letter key gives the same 'A'..'Z' whatever the shift state and whichever layout group is
// active. When that symbol is no Latin letter, digit or known key (a layout such as "ru"
// alone), the key's position name ("AC01" is the key of A on a US keyboard) decides, so
// shortcuts keep their Latin keys on such layouts.
#include <X11/Xlib.h>

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tappomat {

// The virtual key of a key symbol; 0 when it has none. Either Shift gives VK_SHIFT, either
// Control VK_CONTROL, either Alt (and AltGr) VK_MENU.
int VirtualKeyFromKeysym(KeySym keysym);
// VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU; 0 for other keys.
int SidedVirtualKeyFromKeysym(KeySym keysym);
// The virtual key of the main-block key with the XKB name `name` ("AE01", "AC01",
// "TLDE"…) on a US keyboard; 0 for other names.
int VirtualKeyFromKeyName(std::string_view name);

class X11Keymap {
 public:
  explicit X11Keymap(Display* display);

  // Reads the keyboard map again (after MappingNotify).
  void Rebuild();

  int VirtualKey(unsigned keycode) const { return keycode < 256 ? m_generic[keycode] : 0; }
  int SidedVirtualKey(unsigned keycode) const { return keycode < 256 ? m_sided[keycode] : 0; }
  // The virtual key of a key event: the key's own, except on the keypad, where Num Lock
  // chooses between digits and navigation keys.
  int VirtualKeyOfEvent(const XKeyEvent& event) const;
  // Every key code whose generic or sided virtual key is `virtualKey`.
  std::vector<unsigned> KeycodesOf(int virtualKey) const;

 private:
  Display* m_display;
  std::array<std::uint8_t, 256> m_generic{};
  std::array<std::uint8_t, 256> m_sided{};
  std::array<bool, 256> m_keypad{};
};

}  // namespace tappomat
