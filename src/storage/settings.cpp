#include "storage/settings.h"

#include <limits>
#include <optional>

#include "storage/ini_file.h"
#include "storage/kept_file.h"
#include "ui/convert.h"

namespace tappomat {
namespace {

constexpr char kSection[] = "Global";

// The name tag a settings file gets when it is kept aside at exit, for the files that are
// kept aside rather than refused; nothing for the others.
std::optional<std::string_view> KeptAsideTag(IniFile::ErrorKind kind) {
  switch (kind) {
    case IniFile::ErrorKind::TooLarge:
      return "too-large";
    case IniFile::ErrorKind::Utf16:
      return "unreadable";
    default:
      return std::nullopt;
  }
}

void WriteKeys(IniFile& file, const Settings& settings) {
  file.WriteString(kSection, "SDelay", IntToStr(settings.delay));
  file.WriteString(kSection, "Lang", IntToStr(settings.language));
  file.WriteString(kSection, "Repeat", settings.repeat ? "1" : "0");
  file.WriteString(kSection, "OnTop", settings.onTop ? "1" : "0");
  if (settings.xwaylandNoticeShown) file.WriteString(kSection, "XWaylandNotice", "1");
}

// Moves the user's file out of the way and writes the settings into a fresh one. When the
// fresh one cannot be written, the user's file goes back, so that a failure leaves things
// as they were.
SettingsWriteOutcome WriteFreshFile(const std::filesystem::path& path, std::string_view tag,
                                    const std::string& why, const Settings& settings) {
  const std::optional<std::filesystem::path> keptAs = KeepAside(path, tag);
  if (!keptAs) throw EWriteError("Unable to write to " + path.string());
  IniFile fresh = IniFile::Empty(path);
  WriteKeys(fresh, settings);
  try {
    fresh.Save();
  } catch (const EWriteError&) {
    PutBack(*keptAs, path);
    throw;
  }
  return {*keptAs, "The settings file " + path.string() + " " + why + ": it is kept as " +
                       keptAs->string() + ", and fresh settings were written to " + path.string()};
}

}  // namespace

Settings ReadSettings(const std::filesystem::path& folder, std::string* problem) {
  const IniFile file = IniFile::Load(folder / kSettingsFileName);
  if (problem) {
    problem->clear();
    if (!file.Ok()) {
      *problem = "the settings file " + file.Path().string() + " cannot be read (" + file.Error() +
                 "); the program starts with the default settings";
      if (KeptAsideTag(file.Kind())) {
        *problem +=
            ", and at exit keeps that file beside it under another name and writes "
            "a fresh one";
      }
    }
  }
  const Settings defaults;
  Settings settings;
  settings.delay = file.ReadInteger(kSection, "SDelay", defaults.delay);
  // The language code is an int; a value beyond its range is no language code at all.
  const std::int64_t language = file.ReadInteger(kSection, "Lang", defaults.language);
  settings.language = language < std::numeric_limits<int>::min() ||
                              language > std::numeric_limits<int>::max()
                          ? defaults.language
                          : static_cast<int>(language);
  settings.repeat = file.ReadBool(kSection, "Repeat", defaults.repeat);
  settings.onTop = file.ReadBool(kSection, "OnTop", defaults.onTop);
  settings.xwaylandNoticeShown =
      file.ReadBool(kSection, "XWaylandNotice", defaults.xwaylandNoticeShown);
  return settings;
}

SettingsWriteOutcome WriteSettings(const std::filesystem::path& folder, const Settings& settings) {
  IniFile file = IniFile::Load(folder / kSettingsFileName);
  // A file the program could not read holds nothing it can keep in place, but it is the
  // user's: it is kept aside rather than replaced, and the settings work again at the next
  // start. One that is not a regular file is never touched.
  if (const std::optional<std::string_view> tag = KeptAsideTag(file.Kind())) {
    return WriteFreshFile(file.Path(), *tag, "could not be read (" + file.Error() + ")", settings);
  }
  WriteKeys(file, settings);
  try {
    file.Save();
  } catch (const EFileTooLarge&) {
    // Saved in place it would be too large to read at the next start.
    return WriteFreshFile(file.Path(), "too-large",
                          "would have grown past the 64 MiB limit for settings and scripts",
                          settings);
  }
  return {};
}

}  // namespace tappomat
