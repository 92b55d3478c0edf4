#pragma once
// The option groups a skin manager carries for the rest of the engine: animations, menus,
// buttons, labels, scroll bars, glow effects, and the lists of standard-control class
// names that get adapters. Plain values; the parts that use them read them from the
// manager.
#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "imaging/color.h"

namespace tappomat {

enum class TacAnimType { atFading = 0, atAero = 1 };
enum TacButtonEvent : unsigned { beMouseEnter = 1, beMouseLeave = 2, beMouseDown = 4, beMouseUp = 8 };

struct TacAnimItem {
  bool Active = true;
  std::uint16_t Time = 0;
  TacAnimType Mode = TacAnimType::atAero;
};

struct TacAnimEffects {
  unsigned ButtonEvents = beMouseEnter | beMouseLeave | beMouseDown | beMouseUp;
  TacAnimItem FormShow{true, 0, TacAnimType::atAero};
  TacAnimItem FormHide{true, 0, TacAnimType::atAero};
  TacAnimItem DialogShow{true, 0, TacAnimType::atAero};
  TacAnimItem DialogHide{true, 0, TacAnimType::atAero};
  TacAnimItem PageChange{true, 0, TacAnimType::atAero};
  TacAnimItem Minimizing{true, 200, TacAnimType::atAero};
  TacAnimItem SkinChanging{true, 100, TacAnimType::atFading};
  struct {
    bool Active = false;
    std::uint16_t Time = 1000;
    std::uint8_t BlendValue = 170;
  } BlendOnMoving;
};

struct TacMenuSupport {
  std::string IcoLineSkin = "ICOLINE";
  bool UseExtraLine = false;
  int ExtraLineWidth = 32;
  std::uint8_t AlphaBlend = 255;
  struct {
    std::string Name = "MS Sans Serif";
    int Height = -11;
    int Color = -1;  // the system window-text colour
  } ExtraLineFont;
};

struct TacButtonsSupport {
  bool ShowFocusRect = true;
};
struct TacLabelsSupport {
  bool TransparentAlways = true;
};
struct TacScrollBarsSupport {
  int ScrollSize = -1;  // -1: the platform's vertical scroll-bar width
};
struct TacSkinEffects {
  bool AllowGlowing = true;
  bool AllowAeroBluring = true;
};

enum TSkinningRule : unsigned { srStdForms = 1, srStdDialogs = 2, srThirdParty = 4 };

// The 22 class-name lists, in index order: each a text of names, one per line; the
// manager keeps each as a list of exact (case-sensitive) names.
struct ThirdPartyList {
  static constexpr std::size_t kCount = 22;
  static constexpr std::array<const char*, kCount> kNames = {
      "ThirdEdits",      "ThirdButtons",   "ThirdBitBtns",       "ThirdCheckBoxes",
      "ThirdComboBoxes", "ThirdGrids",     "ThirdGroupBoxes",    "ThirdListViews",
      "ThirdPanels",     "ThirdTreeViews", "ThirdWWEdits",       "ThirdGridEh",
      "ThirdVirtualTrees", "ThirdPageControl", "ThirdTabControl", "ThirdToolBar",
      "ThirdStatusBar",  "ThirdSpeedButton", "ThirdScrollControl", "ThirdUpDown",
      "ThirdScrollBar",  "ThirdStaticText"};

  std::array<std::string, kCount> texts;

  // The class names of list `index`: its lines without blanks around them, empty lines
  // dropped (a list that is a single blank names no class).
  std::vector<std::string> Names(std::size_t index) const;
  // The first list that names `className`, -1 when none does.
  int ListOf(const std::string& className) const;
  // The program's lists.
  static ThirdPartyList ProgramDefaults();
};

}  // namespace tappomat
