// libFuzzer target for the desktop-entry parsing behind the text-editor choice: entries and
// mimeapps lists come from files any installed package (or the user) wrote. Beyond what the
// sanitizers catch: a command, when one comes out, names a program and carries the file
// path it was asked to open.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/posix/text_editor.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckCommand(const std::optional<tappomat::posix::EditorCommand>& command,
                  const std::string& path) {
  if (!command) return;
  Check(!command->program.empty());
  Check(std::any_of(command->args.begin(), command->args.end(),
                    [&](const std::string& arg) { return arg.find(path) != std::string::npos; }));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string path = "/tmp/a b/script.tps";
  const tappomat::posix::DesktopEntry entry = tappomat::posix::ParseDesktopEntry(text);
  CheckCommand(tappomat::posix::CommandFromDesktopExec(entry.exec, path), path);
  CheckCommand(tappomat::posix::CommandFromDesktopExec(text, path), path);
  CheckCommand(tappomat::posix::CommandFromEditorVariable(text, path), path);
  return 0;
}
