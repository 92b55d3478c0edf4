#include "storage/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "ui/convert.h"

namespace tappomat {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
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

std::string ErrnoText() { return std::strerror(errno); }

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  IniFile file;
  file.m_sections.emplace_back();
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
    file.AddLine(std::string(text.substr(0, length)));
    text.remove_prefix(length);
  }
  return file;
}

void IniFile::AddLine(std::string line) {
  if (const std::optional<std::string_view> name = SectionName(line)) {
    // Only the first section of a name is seen, as with the classic functions.
    m_sectionIndex.emplace(Lower(*name), m_sections.size());
    m_sections.emplace_back();
  } else if (m_sections.size() > 1) {
    if (const std::optional<KeyLine> key = ParseKeyLine(line)) {
      Section& section = m_sections.back();
      section.keys.emplace(Lower(key->name), section.lines.size());
    }
  }
  m_sections.back().lines.push_back(std::move(line));
}

IniFile IniFile::Load(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path fullPath = std::filesystem::absolute(path, error);
  if (error) fullPath = path;

  // A file that cannot be read reads as empty, like a missing one, but keeps the reason.
  const auto failed = [&fullPath](std::string why) {
    IniFile file = Parse({});
    file.m_path = fullPath;
    file.m_error = std::move(why);
    return file;
  };

  const int fd = ::open(fullPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0 && errno == ENOENT) {
    IniFile missing = Parse({});
    missing.m_path = fullPath;
    return missing;
  }
  if (fd < 0) return failed("cannot open " + fullPath.string() + ": " + ErrnoText());
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return failed(fullPath.string() + " is not a regular file");
  }
  if (static_cast<std::uintmax_t>(info.st_size) > kMaxFileSize) {
    ::close(fd);
    return failed(fullPath.string() + " is larger than the limit for settings and scripts");
  }
  // The size is only a hint: the file may grow while it is read, so the limit is checked
  // again on the bytes actually read.
  std::string text;
  text.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      const std::string why = "cannot read " + fullPath.string() + ": " + ErrnoText();
      ::close(fd);
      return failed(why);
    }
    if (count == 0) break;
    if (text.size() + static_cast<std::size_t>(count) > kMaxFileSize) {
      ::close(fd);
      return failed(fullPath.string() + " is larger than the limit for settings and scripts");
    }
    text.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(fd);
  IniFile file = Parse(text);
  file.m_path = fullPath;
  return file;
}

std::optional<std::string_view> IniFile::FindValue(std::string_view section,
                                                   std::string_view key) const {
  const auto sectionIt = m_sectionIndex.find(Lower(section));
  if (sectionIt == m_sectionIndex.end()) return std::nullopt;
  const Section& found = m_sections[sectionIt->second];
  const auto keyIt = found.keys.find(Lower(key));
  if (keyIt == found.keys.end()) return std::nullopt;
  // A line written under an odd key name (empty, say) may not parse back as a key.
  const std::optional<KeyLine> line = ParseKeyLine(found.lines[keyIt->second]);
  if (!line) return std::nullopt;
  return line->value;
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

// Gives the file's last line a line end before anything is appended after it.
void IniFile::EndLastLine() {
  for (auto it = m_sections.rbegin(); it != m_sections.rend(); ++it) {
    if (it->lines.empty()) continue;
    if (it->lines.back().back() != '\n') it->lines.back() += "\r\n";
    return;
  }
}

IniFile::Section& IniFile::SectionForWriting(std::string_view section) {
  const auto [it, added] = m_sectionIndex.emplace(Lower(section), m_sections.size());
  if (added) {
    EndLastLine();
    m_sections.emplace_back();
    m_sections.back().lines.push_back("[" + std::string(section) + "]\r\n");
  }
  return m_sections[it->second];
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  value = value.substr(0, value.find_first_of("\r\n"));
  std::string line = std::string(key) + "=" + std::string(value) + "\r\n";
  Section& target = SectionForWriting(section);
  const std::string lowerKey = Lower(key);
  m_changed = true;
  if (const auto it = target.keys.find(lowerKey); it != target.keys.end()) {
    target.lines[it->second] = std::move(line);
    return;
  }
  // A new key goes after the section's last non-blank line, so that blank lines that
  // separate it from the next section stay in front of that section. Only blank lines
  // follow the insertion point, so no key's line number changes.
  std::size_t position = target.lines.size();
  while (position > 1 && IsBlankLine(target.lines[position - 1])) --position;
  std::string& previous = target.lines[position - 1];
  if (previous.back() != '\n') previous += "\r\n";
  target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(position),
                      std::move(line));
  target.keys.emplace(lowerKey, position);
}

std::string IniFile::Text() const {
  std::string text;
  for (const Section& section : m_sections) {
    for (const std::string& line : section.lines) text += line;
  }
  return text;
}

void IniFile::Save() {
  if (!m_changed) return;
  if (!Ok() || m_path.empty() || !ReplaceFileContent(m_path, Text(), m_write)) {
    throw EWriteError("Unable to write to " + m_path.string());
  }
  m_changed = false;
}

}  // namespace tappomat
