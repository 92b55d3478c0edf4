#include "platform/posix/text_editor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <functional>

#include "platform/posix/launcher.h"

namespace tappomat::posix {
namespace {

// --- bounded file reading

// Desktop entries with every translation run to a few tens of KiB; anything far beyond
// that is not a file we want to hold in memory.
constexpr std::size_t kMaxFileBytes = 256 * 1024;

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsDirectory(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The contents of a regular file of at most kMaxFileBytes; nullopt otherwise. Opened
// without blocking, so that a FIFO planted under a known name cannot hang us.
std::optional<std::string> ReadSmallFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> result;
  struct stat info {};
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0 &&
      static_cast<unsigned long long>(info.st_size) <= kMaxFileBytes) {
    std::string text(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t got = 0;
    while (got < text.size()) {
      const ssize_t n = read(fd, text.data() + got, text.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    text.resize(got);  // the file may have shrunk meanwhile
    result = std::move(text);
  }
  close(fd);
  return result;
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// Calls onKey(group, key, value) for each "key=value" line of a freedesktop key file
// (desktop entries, mimeapps.list). Comments, blank lines and lines that are neither a
// group header nor a key are skipped; blanks around the key and the value are ignored.
void ForEachKey(std::string_view text,
                const std::function<void(std::string_view, std::string_view, std::string_view)>& onKey) {
  std::string_view group;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = TrimBlanks(line);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      group = line.back() == ']' ? line.substr(1, line.size() - 2) : std::string_view();
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    onKey(group, TrimBlanks(line.substr(0, equals)), TrimBlanks(line.substr(equals + 1)));
  }
}

// --- command-line words

enum class QuoteEscapes {
  None,          // $TAPPOMAT_EDITOR: everything between the quotes is taken as it is
  DesktopEntry,  // Exec: \" \` \$ \\ stand for the character after the backslash
};

// Words separated by blanks; a double-quoted stretch is part of the word around it.
std::optional<std::vector<std::string>> SplitWords(std::string_view line, std::string_view blanks,
                                                   QuoteEscapes escapes) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;  // a word has begun, even if it is still empty ("")
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (blanks.find(c) != std::string_view::npos) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      ++i;
      continue;
    }
    inWord = true;
    if (c != '"') {
      word += c;
      ++i;
      continue;
    }
    for (++i;; ++i) {
      if (i >= line.size()) return std::nullopt;  // unterminated quote
      if (line[i] == '"') break;
      if (escapes == QuoteEscapes::DesktopEntry && line[i] == '\\' && i + 1 < line.size() &&
          std::string_view("\"`$\\").find(line[i + 1]) != std::string_view::npos) {
        ++i;
      }
      word += line[i];
    }
    ++i;  // the closing quote
  }
  if (inWord) words.push_back(std::move(word));
  if (words.empty()) return std::nullopt;
  return words;
}

// --- desktop entries

// The escapes of a desktop-entry string value. Other backslashes stay for the quoting
// rules of Exec, which come after these.
std::string UnescapeString(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      const char next = value[i + 1];
      const char replacement = next == 's'    ? ' '
                               : next == 'n'  ? '\n'
                               : next == 't'  ? '\t'
                               : next == 'r'  ? '\r'
                               : next == '\\' ? '\\'
                                              : '\0';
      if (replacement != '\0') {
        out += replacement;
        ++i;
        continue;
      }
    }
    out += value[i];
  }
  return out;
}

// One Exec word with its field codes expanded; nullopt for an unknown or incomplete code.
// `keep` is false for a word that consisted of dropped codes only: it vanishes instead of
// becoming an empty argument.
struct ExpandedWord {
  std::string text;
  bool keep = true;
  bool hasFile = false;
};

std::optional<ExpandedWord> ExpandFieldCodes(std::string_view word, const std::string& path) {
  ExpandedWord result;
  bool dropped = false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (word[i] != '%') {
      result.text += word[i];
      continue;
    }
    if (++i == word.size()) return std::nullopt;
    switch (word[i]) {
      // %u/%U ask for URLs; every application that takes them takes a plain path too.
      case 'f': case 'F': case 'u': case 'U':
        result.text += path;
        result.hasFile = true;
        break;
      case '%':
        result.text += '%';
        break;
      // Icon, translated name and entry location, and the deprecated codes: nothing we
      // need to pass.
      case 'i': case 'c': case 'k':
      case 'd': case 'D': case 'n': case 'N': case 'v': case 'm':
        dropped = true;
        break;
      default:
        return std::nullopt;
    }
  }
  result.keep = !(dropped && result.text.empty());
  return result;
}

bool IsTrue(std::string_view value) { return value == "true" || value == "1"; }

// --- mimeapps.list lookup

constexpr std::string_view kTextMimeType = "text/plain";

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// A base directory variable, or its default below $HOME; relative values do not count.
std::string BaseDir(const std::string& value, const std::string& home, const char* belowHome) {
  if (!value.empty() && value.front() == '/') return WithoutTrailingSlashes(value);
  if (!home.empty() && home.front() == '/') return WithoutTrailingSlashes(home) + belowHome;
  return {};
}

// A ':'-separated list of base directories, or its default when unset or empty.
std::vector<std::string> BaseDirList(const std::string& value, const char* fallback) {
  const std::string_view list = value.empty() ? std::string_view(fallback) : std::string_view(value);
  std::vector<std::string> dirs;
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find(':', start);
    if (end == std::string_view::npos) end = list.size();
    const std::string_view entry = list.substr(start, end - start);
    if (!entry.empty() && entry.front() == '/') dirs.push_back(WithoutTrailingSlashes(std::string(entry)));
    start = end + 1;
  }
  return dirs;
}

// The lower-case names of $XDG_CURRENT_DESKTOP, for "<name>-mimeapps.list".
std::vector<std::string> DesktopNames(std::string_view value) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= value.size()) {
    std::size_t end = value.find(':', start);
    if (end == std::string_view::npos) end = value.size();
    std::string name(value.substr(start, end - start));
    for (char& c : name) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    if (!name.empty() && name.find('/') == std::string::npos && name.front() != '.') {
      names.push_back(std::move(name));
    }
    start = end + 1;
  }
  return names;
}

// Desktop ids come from files anyone may have written: they must name a file inside an
// applications folder, never a path.
bool IsDesktopId(std::string_view id) {
  constexpr std::string_view kSuffix = ".desktop";
  return id.size() > kSuffix.size() && id.size() <= 255 && id.ends_with(kSuffix) &&
         id.front() != '.' && id.front() != '-' && id.find('/') == std::string_view::npos &&
         id.find('\0') == std::string_view::npos;
}

// The file of a desktop id inside one applications folder: "a-b.desktop" is either that
// file or "b.desktop" in the subfolder "a" (and so on, a few levels deep).
std::optional<std::string> FindDesktopFileIn(const std::string& dir, std::string_view id, int depth) {
  const std::string direct = dir + "/" + std::string(id);
  if (IsRegularFile(direct)) return direct;
  if (depth >= 3) return std::nullopt;
  for (std::size_t dash = id.find('-'); dash != std::string_view::npos; dash = id.find('-', dash + 1)) {
    const std::string_view folder = id.substr(0, dash);
    if (folder.empty() || folder.front() == '.') continue;  // never "." or ".."
    const std::string subdir = dir + "/" + std::string(folder);
    if (!IsDirectory(subdir)) continue;
    if (auto found = FindDesktopFileIn(subdir, id.substr(dash + 1), depth + 1)) return found;
  }
  return std::nullopt;
}

enum class IdLookup { NotFound, Unusable, Usable };

// The command of the installed application `id`. The first folder that holds the id
// decides, so a user's copy with Hidden=true hides the system's entry.
IdLookup CommandForDesktopId(const std::vector<std::string>& applicationDirs, std::string_view id,
                             const std::string& path, std::optional<EditorCommand>& command) {
  if (!IsDesktopId(id)) return IdLookup::NotFound;
  for (const std::string& dir : applicationDirs) {
    const std::optional<std::string> file = FindDesktopFileIn(dir, id, 0);
    if (!file) continue;
    const std::optional<std::string> text = ReadSmallFile(*file);
    if (!text) return IdLookup::Unusable;
    const DesktopEntry entry = ParseDesktopEntry(*text);
    // Terminal applications need a terminal emulator around them, and there is no
    // dependable way to pick one: such an entry is passed over for the next choice.
    if (entry.hidden || entry.terminal || (!entry.type.empty() && entry.type != "Application") ||
        entry.exec.empty()) {
      return IdLookup::Unusable;
    }
    if (!entry.tryExec.empty() && FindProgram(entry.tryExec).empty()) return IdLookup::Unusable;
    command = CommandFromDesktopExec(entry.exec, path);
    return command ? IdLookup::Usable : IdLookup::Unusable;
  }
  return IdLookup::NotFound;
}

// The desktop ids listed for text/plain in one group of a mimeapps.list (the first such
// key of the group counts).
std::vector<std::string> ListedIds(std::string_view text, std::string_view wantedGroup) {
  std::optional<std::string_view> value;
  ForEachKey(text, [&](std::string_view group, std::string_view key, std::string_view v) {
    if (!value && group == wantedGroup && key == kTextMimeType) value = v;
  });
  std::vector<std::string> ids;
  if (!value) return ids;
  std::string_view rest = *value;
  while (!rest.empty()) {
    const std::size_t semicolon = rest.find(';');
    const std::string_view id = TrimBlanks(rest.substr(0, semicolon));
    if (!id.empty()) ids.emplace_back(id);
    rest = semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
  }
  return ids;
}

const char* EnvOrEmpty(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

EditorEnvironment EditorEnvironment::FromProcess() {
  return {
      .editorCommand = EnvOrEmpty("TAPPOMAT_EDITOR"),
      .home = EnvOrEmpty("HOME"),
      .configHome = EnvOrEmpty("XDG_CONFIG_HOME"),
      .configDirs = EnvOrEmpty("XDG_CONFIG_DIRS"),
      .dataHome = EnvOrEmpty("XDG_DATA_HOME"),
      .dataDirs = EnvOrEmpty("XDG_DATA_DIRS"),
      .currentDesktops = EnvOrEmpty("XDG_CURRENT_DESKTOP"),
  };
}

std::optional<std::vector<std::string>> SplitEditorVariable(std::string_view value) {
  return SplitWords(value, " \t", QuoteEscapes::None);
}

std::optional<EditorCommand> CommandFromEditorVariable(std::string_view value,
                                                       const std::string& path) {
  std::optional<std::vector<std::string>> words = SplitEditorVariable(value);
  if (!words || words->front().empty()) return std::nullopt;
  EditorCommand command{words->front(), {words->begin() + 1, words->end()}};
  command.args.push_back(path);
  return command;
}

std::optional<EditorCommand> CommandFromDesktopExec(std::string_view exec,
                                                    const std::string& path) {
  const std::optional<std::vector<std::string>> words =
      SplitWords(UnescapeString(exec), " \t\n", QuoteEscapes::DesktopEntry);
  if (!words) return std::nullopt;
  std::vector<std::string> kept;
  bool hasFile = false;
  for (const std::string& word : *words) {
    std::optional<ExpandedWord> expanded = ExpandFieldCodes(word, path);
    if (!expanded) return std::nullopt;
    if (!expanded->keep) continue;
    // An entry whose program would be the file itself is no editor.
    if (kept.empty() && expanded->hasFile) return std::nullopt;
    hasFile = hasFile || expanded->hasFile;
    kept.push_back(std::move(expanded->text));
  }
  if (kept.empty() || kept.front().empty()) return std::nullopt;
  EditorCommand command{kept.front(), {kept.begin() + 1, kept.end()}};
  if (!hasFile) command.args.push_back(path);
  return command;
}

DesktopEntry ParseDesktopEntry(std::string_view text) {
  DesktopEntry entry;
  bool seenType = false, seenExec = false, seenTryExec = false, seenHidden = false,
       seenTerminal = false;
  ForEachKey(text, [&](std::string_view group, std::string_view key, std::string_view value) {
    if (group != "Desktop Entry") return;
    // The first occurrence of a key counts.
    const auto take = [&](std::string_view name, bool& seen) {
      if (key != name || seen) return false;
      seen = true;
      return true;
    };
    if (take("Type", seenType)) entry.type = UnescapeString(value);
    if (take("Exec", seenExec)) entry.exec = std::string(value);  // unescaped with its quoting
    if (take("TryExec", seenTryExec)) entry.tryExec = UnescapeString(value);
    if (take("Hidden", seenHidden)) entry.hidden = IsTrue(value);
    if (take("Terminal", seenTerminal)) entry.terminal = IsTrue(value);
  });
  return entry;
}

std::vector<std::string> MimeAppsListFiles(const EditorEnvironment& env) {
  std::vector<std::string> dirs;
  if (std::string configHome = BaseDir(env.configHome, env.home, "/.config"); !configHome.empty()) {
    dirs.push_back(std::move(configHome));
  }
  for (std::string& dir : BaseDirList(env.configDirs, "/etc/xdg")) dirs.push_back(std::move(dir));
  // The applications folders are the older places of the list, still read.
  for (std::string& dir : ApplicationDirs(env)) dirs.push_back(std::move(dir));

  const std::vector<std::string> desktops = DesktopNames(env.currentDesktops);
  std::vector<std::string> files;
  for (const std::string& dir : dirs) {
    for (const std::string& desktop : desktops) files.push_back(dir + "/" + desktop + "-mimeapps.list");
    files.push_back(dir + "/mimeapps.list");
  }
  return files;
}

std::vector<std::string> ApplicationDirs(const EditorEnvironment& env) {
  std::vector<std::string> dirs;
  if (const std::string dataHome = BaseDir(env.dataHome, env.home, "/.local/share"); !dataHome.empty()) {
    dirs.push_back(dataHome + "/applications");
  }
  for (const std::string& dir : BaseDirList(env.dataDirs, "/usr/local/share:/usr/share")) {
    dirs.push_back(dir + "/applications");
  }
  return dirs;
}

std::optional<EditorCommand> DesktopTextEditor(const EditorEnvironment& env,
                                               const std::string& path) {
  std::vector<std::string> texts;
  for (const std::string& file : MimeAppsListFiles(env)) {
    if (std::optional<std::string> text = ReadSmallFile(file)) texts.push_back(std::move(*text));
  }
  const std::vector<std::string> applicationDirs = ApplicationDirs(env);
  // A default set anywhere beats an added association anywhere, as the freedesktop
  // lookup has it. [Removed Associations] is not honoured: it only matters for the added
  // ones, which come into play when no default is set at all.
  for (std::string_view group : {"Default Applications", "Added Associations"}) {
    for (const std::string& text : texts) {
      for (const std::string& id : ListedIds(text, group)) {
        std::optional<EditorCommand> command;
        if (CommandForDesktopId(applicationDirs, id, path, command) == IdLookup::Usable) return command;
      }
    }
  }
  return std::nullopt;
}

const std::vector<std::string>& FallbackTextEditors() {
  static const std::vector<std::string> editors{
      "gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "pluma",
      "xed", "featherpad", "leafpad", "geany", "xedit",
  };
  return editors;
}

std::vector<EditorCommand> TextEditorCandidates(const EditorEnvironment& env,
                                                const std::string& path) {
  std::vector<EditorCommand> candidates;
  if (auto command = CommandFromEditorVariable(env.editorCommand, path)) {
    candidates.push_back(std::move(*command));
  }
  if (auto command = DesktopTextEditor(env, path)) candidates.push_back(std::move(*command));
  for (const std::string& editor : FallbackTextEditors()) candidates.push_back({editor, {path}});
  return candidates;
}

bool OpenInTextEditor(const EditorEnvironment& env, const std::string& path) {
  for (const EditorCommand& command : TextEditorCandidates(env, path)) {
    if (StartProgram(command.program, command.args)) return true;
  }
  return false;
}

bool OpenInTextEditor(const std::string& path) {
  return OpenInTextEditor(EditorEnvironment::FromProcess(), path);
}

}  // namespace tappomat::posix
