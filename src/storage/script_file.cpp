#include "storage/script_file.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "storage/ini_file.h"
#include "ui/convert.h"

namespace tappomat {
namespace {

constexpr char kSection[] = "Script";

// The button names of older scripts. The Cyrillic ones were written by a Windows-1251
// program; an editor that saved the file as UTF-8 leaves the other spelling.
constexpr std::string_view kLeftNames[] = {"LMB", "\xCB\xCA\xCC", "\xD0\x9B\xD0\x9A\xD0\x9C"};
constexpr std::string_view kRightNames[] = {"RMB", "\xCF\xCA\xCC", "\xD0\x9F\xD0\x9A\xD0\x9C"};

std::int64_t LeadingDigitsValue(std::string_view text) {
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') break;
    const int digit = c - '0';
    if (value > (std::numeric_limits<std::int64_t>::max() - digit) / 10) {
      return std::numeric_limits<std::int64_t>::max();
    }
    value = value * 10 + digit;
  }
  return value;
}

std::string RowKey(std::string_view name, std::size_t row) {
  return std::string(name) + std::to_string(row);
}

}  // namespace

std::int64_t ButtonCodeFromKeyText(std::string_view text) {
  if (std::ranges::find(kLeftNames, text) != std::end(kLeftNames)) return 0;
  if (std::ranges::find(kRightNames, text) != std::end(kRightNames)) return 1;
  if (const std::optional<std::int64_t> value = TryStrToInt64(text)) return *value;
  return LeadingDigitsValue(text);
}

LoadedScript LoadScript(const std::filesystem::path& file) {
  const IniFile ini = IniFile::Load(file);
  LoadedScript script;
  if (!ini.Ok()) {
    script.error = "Unable to read " + ini.Path().string() + ": " + ini.Error();
    return script;
  }
  // Such a file is one long line to the reader: nothing in it would be seen.
  if (ini.HasOnlyCrLineEnds()) {
    script.error = "Unable to read " + ini.Path().string() +
                   ": its lines end in carriage returns only; save it with ordinary line ends";
    return script;
  }
  std::int64_t count = ini.ReadInteger(kSection, "count", 0);
  if (count > kMaxScriptRows) {
    count = kMaxScriptRows;
    script.truncated = true;
  }
  if (count <= 0) return script;
  script.rows.resize(static_cast<std::size_t>(count));
  for (std::size_t n = 1; n <= script.rows.size(); ++n) {
    ScriptRow& row = script.rows[n - 1];
    row.x = ini.ReadInteger(kSection, RowKey("X", n), 0);
    row.y = ini.ReadInteger(kSection, RowKey("Y", n), 0);
    row.button = ButtonCodeFromKeyText(ini.ReadString(kSection, RowKey("Key", n), "0"));
    row.delay = ini.ReadInteger(kSection, RowKey("Delay", n), 0);
  }
  return script;
}

void SaveScript(const std::filesystem::path& file, std::span<const ScriptRowText> rows) {
  // Convert every cell first, so that a bad cell stops the save before the file changes.
  struct Numbers {
    std::int64_t x, y, delay;
  };
  std::vector<Numbers> numbers;
  numbers.reserve(rows.size());
  for (const ScriptRowText& row : rows) {
    numbers.push_back({StrToInt(row.x), StrToInt(row.y), StrToInt64(row.delay)});
  }
  IniFile ini = IniFile::Load(file);
  ini.WriteString(kSection, "count", IntToStr(static_cast<std::int64_t>(rows.size())));
  for (std::size_t n = 1; n <= rows.size(); ++n) {
    ini.WriteString(kSection, RowKey("X", n), IntToStr(numbers[n - 1].x));
    ini.WriteString(kSection, RowKey("Y", n), IntToStr(numbers[n - 1].y));
    ini.WriteString(kSection, RowKey("Key", n), rows[n - 1].key);
    ini.WriteString(kSection, RowKey("Delay", n), IntToStr(numbers[n - 1].delay));
  }
  ini.Save();
}

}  // namespace tappomat
