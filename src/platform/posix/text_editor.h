#pragma once
// Opening a plain-text file in the user's text editor on a POSIX desktop, for the script
// library's "new script" and "edit" commands. The editor is chosen in this order, each
// choice started with StartProgram (no shell, never waited for) until one runs:
//   1. $TAPPOMAT_EDITOR: a command line split at blanks, double quotes grouping a word;
//   2. the desktop's default application for text/plain, read from the freedesktop
//      mimeapps.list files and the application's desktop entry, without running a helper;
//   3. the first installed of a short list of common graphical text editors.
// The pieces are pure functions over an EditorEnvironment so that tests can point them at
// temporary folders; OpenInTextEditor(path) alone looks at the real environment.
//
// Sections of text_editor.cpp: bounded file reading, command-line words, desktop entries,
// mimeapps.list lookup, choosing and starting.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tappomat::posix {

// The environment variables the choice depends on, as read from the process (empty when
// unset). Defaults of the XDG base directories are applied where they are used.
struct EditorEnvironment {
  std::string editorCommand;    // TAPPOMAT_EDITOR
  std::string home;             // HOME
  std::string configHome;       // XDG_CONFIG_HOME, default $HOME/.config
  std::string configDirs;       // XDG_CONFIG_DIRS, default /etc/xdg
  std::string dataHome;         // XDG_DATA_HOME, default $HOME/.local/share
  std::string dataDirs;         // XDG_DATA_DIRS, default /usr/local/share:/usr/share
  std::string currentDesktops;  // XDG_CURRENT_DESKTOP, e.g. "ubuntu:GNOME"

  static EditorEnvironment FromProcess();
};

// A program (found on PATH unless it holds a '/') and its arguments.
struct EditorCommand {
  std::string program;
  std::vector<std::string> args;
  bool operator==(const EditorCommand&) const = default;
};

// The words of a $TAPPOMAT_EDITOR value: split at blanks (space, tab); a double-quoted
// stretch belongs to the word it is part of, blanks included; nothing else is special.
// nullopt for an unterminated quote or when there is no word.
std::optional<std::vector<std::string>> SplitEditorVariable(std::string_view value);

// The command for $TAPPOMAT_EDITOR: its words with `path` appended as the last argument;
// nullopt when the value is blank or malformed, or names an empty program.
std::optional<EditorCommand> CommandFromEditorVariable(std::string_view value,
                                                       const std::string& path);

// The command of a desktop entry's Exec value (as written in the file) opening `path`:
// string escapes (\s \n \t \r \\), then the quoting rules (double quotes, inside them \"
// \` \$ \\), then field codes: %f %F %u %U become the path, %% a percent sign, %i %c %k
// and the deprecated codes are dropped; without a file code the path is appended.
// nullopt for an unterminated quote, an unknown field code or no program.
std::optional<EditorCommand> CommandFromDesktopExec(std::string_view exec,
                                                    const std::string& path);

// The keys of a desktop entry's [Desktop Entry] group that decide whether and how it can
// open a file.
struct DesktopEntry {
  std::string type;
  std::string exec;
  std::string tryExec;
  bool hidden = false;
  bool terminal = false;
};
DesktopEntry ParseDesktopEntry(std::string_view text);

// The mimeapps.list files in order of precedence, and the folders that hold desktop
// entries, with the XDG defaults applied (relative paths are ignored, as the base
// directory rules ask).
std::vector<std::string> MimeAppsListFiles(const EditorEnvironment& env);
std::vector<std::string> ApplicationDirs(const EditorEnvironment& env);

// The command of the desktop's default application for text/plain, or nullopt when no
// listed application can be used.
std::optional<EditorCommand> DesktopTextEditor(const EditorEnvironment& env,
                                               const std::string& path);

// The common graphical editors tried last, in order.
const std::vector<std::string>& FallbackTextEditors();

// Every command worth trying for `path`, in the order of the choice above (fallback
// editors are listed whether installed or not: StartProgram skips missing ones).
std::vector<EditorCommand> TextEditorCandidates(const EditorEnvironment& env,
                                                const std::string& path);

// Starts the first candidate that runs; false when none did.
bool OpenInTextEditor(const EditorEnvironment& env, const std::string& path);
bool OpenInTextEditor(const std::string& path);

}  // namespace tappomat::posix
