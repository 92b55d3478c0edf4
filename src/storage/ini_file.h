#pragma once
// A profile (INI) file read and written key by key, with these rules:
// section and key names match without regard to ASCII letter case,
// blanks around names and values are ignored, a read value is cut at 2047 characters,
// writing a key replaces that key's line in place or appends it at the end of its section
// (creating the section at the end of the file when missing), new lines end in CR LF, and
// the text is single-byte: bytes are kept as they are. Lines the program does not write
// (comments, blank lines, other sections, other keys) are kept byte for byte.
//
// Unlike the classic functions, writes collect in memory and Save replaces the file in one
// atomic step, so a failed save leaves the old file exactly as it was.
//
// Used by the settings (settings.h) and the script files (script_file.h).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "storage/atomic_file.h"

namespace tappomat {

// Raised by IniFile::Save with the text "Unable to write to <full path>".
class EWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class IniFile {
 public:
  // Larger files are refused when loading, so that a stray file cannot exhaust memory.
  static constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{64} << 20;
  // The longest value a read returns; the rest of a longer value is cut off.
  static constexpr std::size_t kMaxValueLength = 2047;

  // Reads the file. A missing file is no error and reads as empty. A file that cannot be
  // read or is too large also reads as empty, but Error() tells why and Save refuses to
  // replace it. The path is made absolute here, for the error text.
  static IniFile Load(const std::filesystem::path& path);
  // A file held only in memory (no path; Save fails), for parsing fuzzed or test text.
  static IniFile Parse(std::string_view text);

  bool Ok() const { return m_error.empty(); }
  const std::string& Error() const { return m_error; }
  const std::filesystem::path& Path() const { return m_path; }

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // Decimal, or hexadecimal after "$" or "0x", with an optional sign; a missing key or a
  // value of another form (or out of range) gives the default.
  std::int64_t ReadInteger(std::string_view section, std::string_view key,
                           std::int64_t defaultValue) const;
  // An integer as above; any value other than 0 is true.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // Changes the text in memory only. A value is one line: it is cut at its first CR or LF.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  // Replaces the file with the current text when anything was written since the load or
  // the last save. Throws EWriteError and leaves the old file untouched on any failure.
  void Save();

  // The whole text as Save would write it.
  std::string Text() const;

  // Test hook: the function Save writes the file's bytes with.
  void SetWriteFunction(WriteFunction write) { m_write = std::move(write); }

 private:
  // The lines of one section, each with its line end; lines[0] is the "[name]" header,
  // except for the lines before the first header, which form a nameless section that no
  // read or write can reach. `keys` maps the lowercased key names to their first line.
  struct Section {
    std::vector<std::string> lines;
    std::unordered_map<std::string, std::size_t> keys;
  };

  void AddLine(std::string line);
  std::optional<std::string_view> FindValue(std::string_view section, std::string_view key) const;
  Section& SectionForWriting(std::string_view section);
  void EndLastLine();

  std::vector<Section> m_sections;
  std::unordered_map<std::string, std::size_t> m_sectionIndex;  // lowercased name -> first
  std::filesystem::path m_path;
  std::string m_error;
  WriteFunction m_write;
  bool m_changed = false;
};

}  // namespace tappomat
