// libFuzzer target for IniFile parsing. Beyond what the sanitizers catch: an untouched file
// must come back byte for byte (UTF-16 text too, through its UTF-8 form), reads must
// respect the value limit, and a written key must read back with its value after the
// bytes are parsed again.
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "storage/ini_file.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  tappomat::IniFile file = tappomat::IniFile::Parse(text);
  // Only UTF-16 text cut in the middle of a unit is refused; it then reads as empty.
  Check(file.Ok() ? file.Bytes() == text : file.Text().empty());

  // The names the program uses, and one taken from the input so that the fuzzer can reach
  // sections and keys of its own making.
  const std::string_view own = text.substr(0, text.find_first_of("=\r\n"));
  const std::string_view sections[] = {"Global", "Script", own};
  const std::string_view keys[] = {"SDelay", "count", "X1", "Key1", own};
  for (const std::string_view section : sections) {
    for (const std::string_view key : keys) {
      Check(file.ReadString(section, key, "").size() <= tappomat::IniFile::kMaxValueLength);
      file.ReadInteger(section, key, 0);
      file.ReadBool(section, key, true);
    }
  }

  file.WriteString("Script", "X1", "42");
  file.WriteString("script", "Key2", "1");
  const std::optional<std::string> bytes = file.Bytes();
  Check(bytes.has_value());
  const tappomat::IniFile again = tappomat::IniFile::Parse(*bytes);
  Check(again.ReadInteger("SCRIPT", "x1", 0) == 42);
  Check(again.ReadString("Script", "KEY2", "") == "1");
  return 0;
}
