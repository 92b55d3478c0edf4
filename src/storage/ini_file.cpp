#include "storage/ini_file.h"

#include <optional>

#include "platform/posix/outside_file.h"
#include "storage/utf16_text.h"
#include "ui/convert.h"

namespace tappomat {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = Fold(c);
  return lower;
}

// A line without its line end (LF, or CR LF).
std::string_view Content(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

bool IsBlankLine(std::string_view line) {
  for (const char c : Content(line)) {
    if (!IsBlank(c)) return false;
  }
  return true;
}

// "[name]" with blanks allowed around the brackets and the name; text after "]" is ignored.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view text = Trim(Content(line));
  if (text.empty() || text.front() != '[') return std::nullopt;
  const std::size_t close = text.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(text.substr(1, close - 1));
}

struct KeyLine {
  std::string_view name;
  std::string_view value;
};

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::string_view text = Content(line);
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const std::string_view name = Trim(text.substr(0, equals));
  if (name.empty()) return std::nullopt;
  return KeyLine{name, Trim(text.substr(equals + 1))};
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";
constexpr char kOddUtf16[] = "UTF-16 text with an odd number of bytes";

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

// FNV-1a over the name with ASCII letters folded to lower case.
std::uint32_t FoldedHash(std::string_view name) {
  std::uint32_t hash = 2166136261u;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(Fold(c));
    hash *= 16777619u;
  }
  return hash;
}

// UTF-16 text without a byte-order mark (the zero bytes that Latin text has in every other
// byte) reads as nothing useful in a single-byte file; which byte order it has is a guess
// that is not made.
bool LooksLikeUtf16(std::string_view text) {
  return text.substr(0, 4096).find('\0') != std::string_view::npos;
}

// The first line of `text` with its line end.
std::string_view FirstLine(std::string_view text) {
  const std::size_t end = text.find('\n');
  return end == std::string_view::npos ? text : text.substr(0, end + 1);
}

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  std::optional<IniFile> file = FromBytes(std::string(text));
  if (file) return std::move(*file);
  return Unusable({}, ErrorKind::Utf16, kOddUtf16);
}

// A file that cannot be used reads as empty, like a missing one, but keeps the reason.
IniFile IniFile::Unusable(const std::filesystem::path& path, ErrorKind kind, std::string why) {
  IniFile file = Empty(path);
  file.m_errorKind = kind;
  file.m_error = std::move(why);
  return file;
}

std::optional<IniFile> IniFile::FromBytes(std::string bytes) {
  IniFile file;
  const std::string_view view = bytes;
  if (view.starts_with(kUtf16LittleEndianMark) || view.starts_with(kUtf16BigEndianMark)) {
    const bool little = view.starts_with(kUtf16LittleEndianMark);
    std::optional<std::string> text = Utf16ToUtf8(
        view.substr(2), little ? Utf16ByteOrder::LittleEndian : Utf16ByteOrder::BigEndian);
    if (!text) return std::nullopt;
    file.m_encoding = little ? Encoding::Utf16LittleEndian : Encoding::Utf16BigEndian;
    file.m_text = std::move(*text);
  } else if (view.starts_with(kByteOrderMark)) {
    file.m_encoding = Encoding::Utf8WithMark;
    file.m_text = view.substr(kByteOrderMark.size());
  } else {
    file.m_text = std::move(bytes);
  }
  file.Index();
  return file;
}

IniFile IniFile::Empty(const std::filesystem::path& path) {
  IniFile file = Parse({});
  file.m_path = path;
  return file;
}

// One pass over the bytes: a record for each section header.
void IniFile::Index() {
  const std::string_view text = m_text;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::string_view line = FirstLine(text.substr(pos));
    if (SectionName(line)) {
      if (!m_sections.empty()) m_sections.back().end = static_cast<std::uint32_t>(pos);
      m_sections.push_back({static_cast<std::uint32_t>(pos), 0});
    }
    pos += line.size();
  }
  if (!m_sections.empty()) m_sections.back().end = static_cast<std::uint32_t>(text.size());
}

std::string_view IniFile::LineAt(std::uint32_t offset) const {
  return FirstLine(std::string_view(m_text).substr(offset));
}

bool IniFile::HasOnlyCrLineEnds() const {
  return m_text.find('\n') == std::string::npos && m_text.find('\r') != std::string::npos;
}

IniFile IniFile::Load(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path fullPath = std::filesystem::absolute(path, error);
  if (error) fullPath = path;

  const auto failed = [&fullPath](ErrorKind kind, std::string why) {
    return Unusable(fullPath, kind, std::move(why));
  };

  OutsideFile read = ReadOutsideFile(fullPath, kMaxFileSize);
  switch (read.error) {
    case OutsideFile::Error::None:
      break;
    case OutsideFile::Error::Missing:
      return Empty(fullPath);
    case OutsideFile::Error::NotRegular:
      return failed(ErrorKind::NotRegular, read.message);
    case OutsideFile::Error::TooLarge:
      return failed(ErrorKind::TooLarge, "larger than the 64 MiB limit for settings and scripts");
    case OutsideFile::Error::ReadFailed:
      return failed(ErrorKind::ReadFailed, read.message);
  }
  std::optional<IniFile> file = FromBytes(std::move(read.bytes));
  if (!file) return failed(ErrorKind::Utf16, kOddUtf16);
  const bool utf16 = file->m_encoding == Encoding::Utf16LittleEndian ||
                     file->m_encoding == Encoding::Utf16BigEndian;
  if (!utf16 && LooksLikeUtf16(file->m_text)) {
    return failed(ErrorKind::Utf16, "UTF-16 text; save it as plain single-byte or UTF-8 text");
  }
  file->m_path = fullPath;
  return std::move(*file);
}

IniFile::SectionState& IniFile::State(std::size_t section) const { return m_states[section]; }

// Only the first section of a name is seen: reads and writes go to it, and a later
// section of the same name stays in the text untouched.
std::optional<std::size_t> IniFile::FindSection(std::string_view name) const {
  const std::string lower = Lower(name);
  if (const auto it = m_found.find(lower); it != m_found.end()) return it->second;
  std::optional<std::size_t> found;
  for (std::size_t i = 0; i < m_sections.size() && !found; ++i) {
    const std::string_view header = m_sections[i].header == kNew
                                        ? std::string_view(State(i).newHeader)
                                        : LineAt(m_sections[i].header);
    if (const auto sectionName = SectionName(header); sectionName && EqualIgnoringCase(*sectionName, name))
      found = i;
  }
  m_found.emplace(lower, found);
  return found;
}

std::optional<std::uint32_t> IniFile::FindKeyLine(std::size_t section,
                                                  std::string_view lowerKey) const {
  const Section& range = m_sections[section];
  SectionState& state = State(section);
  if (!state.indexed) {
    state.indexed = true;
    if (range.header != kNew) {
      // Two passes, so that the index takes exactly the room it needs.
      const auto forEachKey = [&](const auto& visit) {
        for (std::size_t pos = range.header + LineAt(range.header).size(); pos < range.end;) {
          const std::string_view line = LineAt(static_cast<std::uint32_t>(pos));
          if (const std::optional<KeyLine> key = ParseKeyLine(line)) visit(key->name, pos);
          pos += line.size();
        }
      };
      std::size_t count = 0;
      forEachKey([&count](std::string_view, std::size_t) { ++count; });
      state.keyIndex.reserve(count);
      forEachKey([&state](std::string_view name, std::size_t pos) {
        state.keyIndex.push_back(std::uint64_t{FoldedHash(name)} << 32 | pos);
      });
      std::sort(state.keyIndex.begin(), state.keyIndex.end());
    }
  }
  const std::uint64_t hash = std::uint64_t{FoldedHash(lowerKey)} << 32;
  for (auto it = std::lower_bound(state.keyIndex.begin(), state.keyIndex.end(), hash);
       it != state.keyIndex.end() && (*it & ~std::uint64_t{0xFFFFFFFF}) == hash; ++it) {
    const auto offset = static_cast<std::uint32_t>(*it);
    const std::optional<KeyLine> key = ParseKeyLine(LineAt(offset));
    if (key && EqualIgnoringCase(key->name, lowerKey)) return offset;
  }
  return std::nullopt;
}

std::optional<std::string_view> IniFile::FindValue(std::string_view section,
                                                   std::string_view key) const {
  const std::optional<std::size_t> found = FindSection(section);
  if (!found) return std::nullopt;
  const std::string lowerKey = Lower(key);
  const SectionState& state = State(*found);
  std::string_view line;
  if (const auto it = state.addedKeys.find(lowerKey); it != state.addedKeys.end()) {
    line = state.addedLines[it->second];
  } else if (const std::optional<std::uint32_t> offset = FindKeyLine(*found, lowerKey)) {
    const auto replaced = m_replaced.find(*offset);
    line = replaced != m_replaced.end() ? std::string_view(replaced->second) : LineAt(*offset);
  } else {
    return std::nullopt;
  }
  // A line written under an odd key name (empty, say) may not parse back as that key.
  const std::optional<KeyLine> parsed = ParseKeyLine(line);
  if (!parsed || !EqualIgnoringCase(parsed->name, lowerKey)) return std::nullopt;
  return parsed->value;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
  const std::optional<std::string_view> value = FindValue(section, key);
  if (!value) return std::string(defaultValue);
  return std::string(value->substr(0, kMaxValueLength));
}

std::int64_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int64_t defaultValue) const {
  const std::optional<std::string_view> value = FindValue(section, key);
  if (!value) return defaultValue;
  return TryStrToInt64(value->substr(0, kMaxValueLength)).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

std::size_t IniFile::SectionForWriting(std::string_view section) {
  if (const std::optional<std::size_t> found = FindSection(section)) return *found;
  const std::size_t index = m_sections.size();
  m_sections.push_back({kNew, kNew});
  SectionState& state = State(index);
  state.indexed = true;
  state.newHeader = "[" + std::string(section) + "]\r\n";
  m_found[Lower(section)] = index;
  return index;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  value = value.substr(0, value.find_first_of("\r\n"));
  std::string line = std::string(key) + "=" + std::string(value) + "\r\n";
  const std::size_t target = SectionForWriting(section);
  const std::string lowerKey = Lower(key);
  SectionState& state = State(target);
  m_changed = true;
  if (const auto it = state.addedKeys.find(lowerKey); it != state.addedKeys.end()) {
    state.addedLines[it->second] = std::move(line);
  } else if (const std::optional<std::uint32_t> offset = FindKeyLine(target, lowerKey)) {
    m_replaced[*offset] = std::move(line);
  } else {
    state.addedKeys.emplace(lowerKey, state.addedLines.size());
    state.addedLines.push_back(std::move(line));
  }
}

// After the section's last non-blank line, so that blank lines that separate it from the
// next section stay in front of that section.
std::size_t IniFile::InsertionOffset(const Section& section) const {
  const std::size_t headerEnd = section.header + LineAt(section.header).size();
  std::size_t end = section.end;
  while (end > headerEnd) {
    const std::size_t previous = m_text.rfind('\n', end - 2);  // end - 1 is this line's end
    const std::size_t start =
        std::max(headerEnd, previous == std::string::npos ? std::size_t{0} : previous + 1);
    if (!IsBlankLine(std::string_view(m_text).substr(start, end - start))) break;
    end = start;
  }
  return end;
}

std::string IniFile::Text() const {
  // Byte offsets of the file where added lines go, with the section they belong to.
  std::vector<std::pair<std::size_t, const SectionState*>> insertions;
  for (const auto& [index, state] : m_states) {
    if (m_sections[index].header != kNew && !state.addedLines.empty())
      insertions.emplace_back(InsertionOffset(m_sections[index]), &state);
  }
  std::sort(insertions.begin(), insertions.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::pair<std::uint32_t, const std::string*>> replaced;  // by offset
  for (const auto& [entry, line] : m_replaced) replaced.emplace_back(entry, &line);
  std::sort(replaced.begin(), replaced.end());

  std::string text;
  text.reserve(m_text.size() + kByteOrderMark.size());
  if (m_encoding == Encoding::Utf8WithMark) text += kByteOrderMark;
  const auto endLastLine = [&text] {
    if (!text.empty() && text.back() != '\n') text += "\r\n";
  };
  // Copies the file up to `offset`, with replaced key lines taken from the writes.
  std::size_t copied = 0;
  auto nextReplaced = replaced.begin();
  const auto copyUpTo = [&](std::size_t offset) {
    for (; nextReplaced != replaced.end() && nextReplaced->first < offset; ++nextReplaced) {
      const std::size_t start = nextReplaced->first;
      text.append(m_text, copied, start - copied);
      text += *nextReplaced->second;
      copied = start + LineAt(nextReplaced->first).size();
    }
    text.append(m_text, copied, offset - copied);
    copied = offset;
  };
  for (const auto& [offset, state] : insertions) {
    copyUpTo(offset);
    endLastLine();
    for (const std::string& line : state->addedLines) text += line;
  }
  copyUpTo(m_text.size());
  for (std::size_t index = 0; index < m_sections.size(); ++index) {
    if (m_sections[index].header != kNew) continue;
    const SectionState& state = State(index);
    endLastLine();
    text += state.newHeader;
    for (const std::string& line : state.addedLines) text += line;
  }
  return text;
}

std::optional<std::string> IniFile::Bytes() const {
  switch (m_encoding) {
    case Encoding::Plain:
    case Encoding::Utf8WithMark:
      return Text();
    case Encoding::Utf16LittleEndian:
    case Encoding::Utf16BigEndian: {
      const bool little = m_encoding == Encoding::Utf16LittleEndian;
      std::optional<std::string> units = Utf8ToUtf16(
          Text(), little ? Utf16ByteOrder::LittleEndian : Utf16ByteOrder::BigEndian);
      if (!units) return std::nullopt;
      return std::string(little ? kUtf16LittleEndianMark : kUtf16BigEndianMark) + *units;
    }
  }
  return std::nullopt;
}

void IniFile::Save() {
  if (!m_changed) return;
  const std::string failure = "Unable to write to " + m_path.string();
  if (!Ok() || m_path.empty()) throw EWriteError(failure);
  const std::optional<std::string> bytes = Bytes();
  if (!bytes) throw EWriteError(failure);
  if (bytes->size() > kMaxFileSize) throw EFileTooLarge(failure);
  if (!ReplaceFileContent(m_path, *bytes, m_write)) throw EWriteError(failure);
  m_changed = false;
}

}  // namespace tappomat
