#pragma once
// The user settings that survive from one run to the next, kept in "Tappomat.ini" in the
// application folder, section "Global". The main window reads them once while it is
// created and writes them once while it is destroyed.
#include <cstdint>
#include <filesystem>
#include <string>

namespace tappomat {

inline constexpr char kSettingsFileName[] = "Tappomat.ini";

struct Settings {
  std::int64_t delay = 300;  // the default pause in milliseconds, as read: the field clamps it
  int language = 540;        // the language code, kept as read (45 is English)
  bool repeat = true;        // endless repetition of playback
  bool onTop = true;         // the main window stays above the others
  // The box about running under XWayland was shown once; the key is written only then,
  // so that the file of any other session keeps exactly its four keys.
  bool xwaylandNoticeShown = false;
};

// Missing file, missing keys and values of the wrong form give the defaults above. A file
// that is there but cannot be used (too large, not a regular file, unreadable) gives them
// too; `problem`, when given, then receives a sentence for the user naming the file, what
// is wrong and what happens at exit (empty when the file was read or is missing).
Settings ReadSettings(const std::filesystem::path& folder, std::string* problem = nullptr);

// What WriteSettings did beyond writing the keys.
struct SettingsWriteOutcome {
  // Where the user's file was kept when it could not stay in place (too large to read,
  // or it would have grown past the limit); empty when it was written in place.
  std::filesystem::path keptAs;
  // A sentence for the user naming both files; empty when keptAs is.
  std::string notice;
};

// Writes SDelay, Lang, Repeat and OnTop in this order (then XWaylandNotice=1 once that
// notice was shown) in one atomic save, creating the file
// and the section when missing. A file too large to read, one that would grow past that
// size, and UTF-16 text that cannot be read are not lost: the file is kept beside the
// settings under a name of its own ("Tappomat.ini.too-large", "Tappomat.ini.too-large.2"
// ...; "Tappomat.ini.unreadable" ... for the last kind), never over an existing file, and
// a fresh settings file is written. Throws EWriteError ("Unable to write to <full path>").
SettingsWriteOutcome WriteSettings(const std::filesystem::path& folder, const Settings& settings);

}  // namespace tappomat
