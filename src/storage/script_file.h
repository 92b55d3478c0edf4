#pragma once
// Reading and writing one script file: section "Script" of an INI file holding "count"
// and, for each row n from 1, the keys X<n>, Y<n>, Key<n> and Delay<n>. The main window's
// load and save commands call these; the file format is also meant to be written by hand,
// so the loader accepts the older textual button names.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tappomat {

inline constexpr char kScriptExtension[] = ".tps";
// A hand-edited "count" beyond this loads only this many rows, so that the table stays
// manageable; LoadedScript::truncated tells the caller to say so.
inline constexpr std::int64_t kMaxScriptRows = 100000;

struct ScriptRow {
  std::int64_t x = 0;
  std::int64_t y = 0;
  std::int64_t button = 0;  // 0 left, 1 right; other codes are kept as they are
  std::int64_t delay = 0;   // milliseconds to wait before the row is performed

  bool operator==(const ScriptRow&) const = default;
};

struct LoadedScript {
  std::vector<ScriptRow> rows;  // rows 1..count; empty when count is missing or below 1
  bool truncated = false;       // count was above kMaxScriptRows
  // Empty when the file was read (or is missing); otherwise why it cannot be a script,
  // as "Unable to read <full path>: <reason>" (not a regular file, too large, UTF-16
  // text, line ends that are carriage returns only, a read error).
  std::string error;
};

// The cells of one table row as the table holds them.
struct ScriptRowText {
  std::string x;
  std::string y;
  std::string key;
  std::string delay;
};

// The button code of a "Key" text: "LMB" and "ЛКМ" give 0, "RMB" and "ПКМ" give 1 (the
// Cyrillic names as Windows-1251 bytes or as UTF-8, compared exactly), an integer text its
// value, and any other text the value of its leading decimal digits (0 when none).
std::int64_t ButtonCodeFromKeyText(std::string_view text);

// A missing file loads as an empty script; missing or bad numbers read as 0. A file that
// cannot be read as a script loads no rows and says why in LoadedScript::error.
LoadedScript LoadScript(const std::filesystem::path& file);

// Writes "count" and then X, Y, Key and Delay of each row in one atomic save. X, Y and Delay
// are written as the decimal values of their cells, the key cell unchanged; X and Y must
// fit 32 bits, as playback needs them. Keys of rows
// beyond the new count from an earlier, longer save stay in the file. Throws EConvertError
// for a cell that is not an integer (before anything is written) and EWriteError
// ("Unable to write to <full path>") when the file cannot be replaced.
void SaveScript(const std::filesystem::path& file, std::span<const ScriptRowText> rows);

}  // namespace tappomat
