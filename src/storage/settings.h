#pragma once
// The user settings that survive from one run to the next, kept in "Tappomat.ini" in the
// application folder, section "Global". The main window reads them once while it is
// created and writes them once while it is destroyed.
#include <cstdint>
#include <filesystem>

namespace tappomat {

inline constexpr char kSettingsFileName[] = "Tappomat.ini";

struct Settings {
  std::int64_t delay = 300;  // the default pause in milliseconds, as read: the field clamps it
  int language = 540;        // the language code, kept as read (45 is English)
  bool repeat = true;        // endless repetition of playback
  bool onTop = true;         // the main window stays above the others
};

// Missing file, missing keys and values of the wrong form give the defaults above.
Settings ReadSettings(const std::filesystem::path& folder);

// Writes SDelay, Lang, Repeat and OnTop in this order in one atomic save, creating the file
// and the section when missing. Throws EWriteError ("Unable to write to <full path>").
void WriteSettings(const std::filesystem::path& folder, const Settings& settings);

}  // namespace tappomat
