#pragma once
// The texts the script grid draws in its button and delay columns: the two button names
// (shared with the rest of the main window), the duration units and the user's decimal
// separator. The main window builds one GridTexts for its current language and hands it
// to DrawScriptCell (grid_drawing.h) for every cell it paints.
#include <string_view>

#include "app/main_texts.h"

namespace tappomat {

// Units of the delay column in one interface language.
struct DurationUnits {
  const char* seconds;
  const char* milliseconds;
};

inline constexpr DurationUnits kRussianUnits = {"сек", "мс"};
inline constexpr DurationUnits kEnglishUnits = {"sec", "ms"};

// 45 means English, any other code Russian, as MainTextsFor.
inline const DurationUnits& DurationUnitsFor(int language) {
  return language == 45 ? kEnglishUnits : kRussianUnits;
}

struct GridTexts {
  std::string_view leftButton;
  std::string_view rightButton;
  std::string_view secondsUnit;
  std::string_view millisecondsUnit;
  std::string_view decimalSeparator;  // must outlive the GridTexts
};

inline GridTexts GridTextsFor(int language, std::string_view decimalSeparator) {
  const MainTexts& texts = MainTextsFor(language);
  const DurationUnits& units = DurationUnitsFor(language);
  return {texts.leftButton, texts.rightButton, units.seconds, units.milliseconds,
          decimalSeparator};
}

}  // namespace tappomat
