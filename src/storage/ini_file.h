#pragma once
// A profile (INI) file read and written key by key, with these rules:
// section and key names match without regard to ASCII letter case,
// blanks around names and values are ignored, a read value is cut at 2047 characters,
// writing a key replaces that key's line in place or appends it at the end of its section
// (creating the section at the end of the file when missing), new lines end in CR LF, and
// the text is single-byte: bytes are kept as they are. Lines the program does not write
// (comments, blank lines, other sections, other keys) are kept byte for byte.
//
// Writes collect in memory and Save replaces the file in one atomic step, so a failed
// save leaves the old file exactly as it was.
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

// Raised by IniFile::Save, with the same text, when the file would grow past the size
// that Load accepts: saved, it could not be read back.
class EFileTooLarge : public EWriteError {
 public:
  using EWriteError::EWriteError;
};

class IniFile {
 public:
  // Larger files are refused when loading, so that a stray file cannot exhaust memory.
  static constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{64} << 20;
  // The longest value a read returns; the rest of a longer value is cut off.
  static constexpr std::size_t kMaxValueLength = 2047;

  // Reads the file. A missing file is no error and reads as empty. A file that cannot be
  // read, is not a regular file, is too large, or is UTF-16 text without a byte-order mark
  // (or with an odd number of bytes) also reads as empty, but Error() tells why and Save
  // refuses to replace it. A leading UTF-8 byte-order mark is skipped, and written back by
  // Save; UTF-16 text with a mark is read as said above. The path is made absolute here,
  // for error texts.
  static IniFile Load(const std::filesystem::path& path);
  // An empty file for `path` that Save may replace whatever is there now.
  static IniFile Empty(const std::filesystem::path& path);
  // A file held only in memory (no path; Save fails), for parsing fuzzed or test text.
  // UTF-16 text that Load would refuse reads as empty here too, with the same Error().
  static IniFile Parse(std::string_view text);

  // Why a file could not be used. A file that is not a regular file (a FIFO, a device)
  // is never opened for reading in a way that could block, nor replaced by Save.
  enum class ErrorKind { None, NotRegular, TooLarge, Utf16, ReadFailed };

  bool Ok() const { return m_error.empty(); }
  // The reason alone, e.g. "not a regular file".
  const std::string& Error() const { return m_error; }
  ErrorKind Kind() const { return m_errorKind; }
  // True for text that has CR line ends only, so that everything after its first line
  // end reads as one line.
  bool HasOnlyCrLineEnds() const;
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
  // the last save. Throws EWriteError and leaves the old file untouched on any failure:
  // EFileTooLarge when the bytes would be more than kMaxFileSize, and EWriteError when a
  // UTF-16 file's text holds bytes that are no UTF-8 (they have no UTF-16 form).
  void Save();

  // The whole text as Save would write it; for a UTF-16 file, its UTF-8 form.
  std::string Text() const;
  // The bytes Save would write: Text() in the file's encoding; nothing when it has none
  // (bytes that are no UTF-8 in a UTF-16 file's text).
  std::optional<std::string> Bytes() const;

  // Test hook: the function Save writes the file's bytes with.
  void SetWriteFunction(WriteFunction write) { m_write = std::move(write); }

 private:
  // The file's bytes are kept once (m_text, without a leading UTF-8 byte-order mark) and
  // indexed by byte offsets, so that a file of many short lines costs little more than its
  // size: one record per section, and for a section that is read or written one 8-byte
  // record per key line. Writes are kept beside the bytes until Text() puts everything
  // together.
  struct Section {
    std::uint32_t header = 0;  // offset of the "[name]" line; kNew for a written section
    std::uint32_t end = 0;     // offset just after the section's last line
  };
  // What a section gets once it is read or written; most sections never are.
  struct SectionState {
    // The key lines, as (hash of the lowercased name << 32 | offset), sorted: lines of
    // one name are found together, the first in the file first.
    std::vector<std::uint64_t> keyIndex;
    bool indexed = false;
    std::string newHeader;  // "[name]" line of a section that Save appends
    // Lines written that were not there before, and their lowercased names.
    std::vector<std::string> addedLines;
    std::unordered_map<std::string, std::size_t> addedKeys;
  };
  static constexpr std::uint32_t kNew = 0xFFFFFFFF;

  // How the file's bytes are encoded: kept from the load so that Save writes them back alike.
  enum class Encoding { Plain, Utf8WithMark, Utf16LittleEndian, Utf16BigEndian };

  // The file of these bytes: a leading byte-order mark is noted and left out, UTF-16 text
  // after its mark is turned into UTF-8. Nothing for UTF-16 text that cannot be (an odd
  // number of bytes).
  static std::optional<IniFile> FromBytes(std::string bytes);
  static IniFile Unusable(const std::filesystem::path& path, ErrorKind kind, std::string why);
  void Index();
  std::string_view LineAt(std::uint32_t offset) const;
  // The section's index in m_sections, if there is one of that name.
  std::optional<std::size_t> FindSection(std::string_view name) const;
  SectionState& State(std::size_t section) const;
  // The offset of the section's first line of that key.
  std::optional<std::uint32_t> FindKeyLine(std::size_t section, std::string_view lowerKey) const;
  std::optional<std::string_view> FindValue(std::string_view section, std::string_view key) const;
  std::size_t SectionForWriting(std::string_view section);
  // Where lines added to a section go: after its last non-blank line.
  std::size_t InsertionOffset(const Section& section) const;

  std::string m_text;  // UTF-8 for a UTF-16 file
  Encoding m_encoding = Encoding::Plain;
  std::vector<Section> m_sections;  // in file order, then the ones writes added
  // Built on first use by the reading functions, hence mutable.
  mutable std::unordered_map<std::size_t, SectionState> m_states;
  mutable std::unordered_map<std::string, std::optional<std::size_t>> m_found;  // by lowercased name
  std::unordered_map<std::uint32_t, std::string> m_replaced;  // line offset -> new key line
  std::filesystem::path m_path;
  std::string m_error;
  ErrorKind m_errorKind = ErrorKind::None;
  WriteFunction m_write;
  bool m_changed = false;
};

}  // namespace tappomat
