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
  file.WriteString(kSection, "SDelay", IntToStr(settings.delay));
  file.WriteString(kSection, "Lang", IntToStr(settings.language));
  file.WriteString(kSection, "Repeat", settings.repeat ? "1" : "0");
  file.WriteString(kSection, "OnTop", settings.onTop ? "1" : "0");
  file.Save();
}

}  // namespace tappomat
