#include "storage/settings.h"

#include <limits>

#include "storage/ini_file.h"
#include "ui/convert.h"

namespace tappomat {
namespace {

constexpr char kSection[] = "Global";

}  // namespace

Settings ReadSettings(const std::filesystem::path& folder) {
  const IniFile file = IniFile::Load(folder / kSettingsFileName);
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
  return settings;
}

void WriteSettings(const std::filesystem::path& folder, const Settings& settings) {
  IniFile file = IniFile::Load(folder / kSettingsFileName);
  // A settings file grown past the read limit, or turned into UTF-16 text, holds nothing
  // the program can keep; it is replaced by a fresh one rather than locking the user out
  // of saving for good. One that is not a regular file is never replaced.
  if (file.Kind() == IniFile::ErrorKind::TooLarge || file.Kind() == IniFile::ErrorKind::Utf16)
    file = IniFile::Empty(file.Path());
  file.WriteString(kSection, "SDelay", IntToStr(settings.delay));
  file.WriteString(kSection, "Lang", IntToStr(settings.language));
  file.WriteString(kSection, "Repeat", settings.repeat ? "1" : "0");
  file.WriteString(kSection, "OnTop", settings.onTop ? "1" : "0");
  file.Save();
}

}  // namespace tappomat
