#pragma once
// The names the engine asks a skin for, from one list each, so that the enum, the names
// and the well-known indices cannot drift apart: the sections that painting asks for by
// name, and the images of GLOBALINFO. A skin may hold other sections (they load all the
// same); these are the ones code refers to.
#include <array>
#include <cstddef>
#include <string_view>

namespace tappomat {

#define TAPPOMAT_SKIN_SECTIONS(X)                                                          \
  X(GLOBALINFO) X(FORM) X(DIALOG) X(FORMTITLE) X(CAPTION) X(MDIAREA) X(MAINMENU) X(MENULINE) \
  X(MENUITEM) X(MENUCAPTION) X(MENUBTN) X(ICOLINE) X(EXTRALINE) X(SELECTION) X(HINT)        \
  X(BUTTON) X(BUTTON_HUGE) X(SPEEDBUTTON) X(SPEEDBUTTON_SMALL) X(TOOLBUTTON) X(WEBBUTTON)   \
  X(CHECKBOX) X(EDIT) X(COMBOBOX) X(COMBOBTN) X(UPDOWNBTN) X(PANEL) X(PANEL_LOW)            \
  X(GROUPBOX) X(TOOLBAR) X(STATUSBAR) X(DRAGBAR) X(SPLITTER) X(BAR) X(BARTITLE) X(GAUGE)     \
  X(TRACKBAR) X(DIVIDER) X(DIVIDERV) X(COLHEADER) X(PAGECONTROL) X(PAGECONTROLLEFT)         \
  X(PAGECONTROLRIGHT) X(PAGECONTROLBOTTOM) X(TABSHEET) X(TABTOP) X(TABBOTTOM) X(TABLEFT)    \
  X(TABRIGHT) X(SCROLLBAR1H) X(SCROLLBAR1V) X(SCROLLBAR2H) X(SCROLLBAR2V) X(SCROLLBTNTOP)   \
  X(SCROLLBTNBOTTOM) X(SCROLLBTNLEFT) X(SCROLLBTNRIGHT) X(SCROLLSLIDERH) X(SCROLLSLIDERV)

// The images of GLOBALINFO that code uses.
#define TAPPOMAT_GLOBAL_IMAGES(X)                                                            \
  X(BOXCHECKED) X(BOXUNCHECKED) X(BOXGRAYED) X(RADIOCHECKED) X(RADIOUNCHECKED) X(RADIOGRAYED) \
  X(SMALLCHECKED) X(SMALLUNCHECKED) X(SMALLGRAYED) X(EXBORDER) X(GRIPIMAGE) X(GRIPHORZ)       \
  X(GRIPVERT) X(BICONCLOSE) X(BICLOSEALONE) X(BICONMAX) X(BICONNORM) X(BICONMIN) X(BICONHELP) \
  X(SICONCLOSE) X(SICONMAX) X(SICONNORM) X(SICONMIN) X(SICONHELP) X(TITLEBUTTON)

#define TAPPOMAT_NAME_ENUM(name) name,
#define TAPPOMAT_NAME_TEXT(name) #name,

enum class SkinSectionId : std::size_t { TAPPOMAT_SKIN_SECTIONS(TAPPOMAT_NAME_ENUM) Count };
enum class GlobalImage : std::size_t { TAPPOMAT_GLOBAL_IMAGES(TAPPOMAT_NAME_ENUM) Count };

inline constexpr std::array<std::string_view, static_cast<std::size_t>(SkinSectionId::Count)>
    kSkinSectionNames = {TAPPOMAT_SKIN_SECTIONS(TAPPOMAT_NAME_TEXT)};
inline constexpr std::array<std::string_view, static_cast<std::size_t>(GlobalImage::Count)>
    kGlobalImageNames = {TAPPOMAT_GLOBAL_IMAGES(TAPPOMAT_NAME_TEXT)};

#undef TAPPOMAT_NAME_ENUM
#undef TAPPOMAT_NAME_TEXT

constexpr std::string_view NameOf(SkinSectionId id) {
  return kSkinSectionNames[static_cast<std::size_t>(id)];
}
constexpr std::string_view NameOf(GlobalImage image) {
  return kGlobalImageNames[static_cast<std::size_t>(image)];
}

}  // namespace tappomat
