#pragma once
// Starting other programs on a POSIX system, for any backend that runs on one: no shell
// (arguments go to the program exactly as given), never waited for, and no zombie left
// behind. The program is detached by a double fork: the intermediate child exits at once
// and is reaped here; the grandchild, adopted by init, runs the program.
#include <string>
#include <vector>

namespace tappomat::posix {

// The path of `program`: itself when it holds a '/', else the first executable file of
// that name in the directories of $PATH; empty when there is none.
std::string FindProgram(const std::string& program);

// Starts the program with the arguments. True once it runs; false when it cannot be found
// or executed (reported back by the grandchild through a close-on-exec pipe).
bool StartProgram(const std::string& program, const std::vector<std::string>& args);

// Opens a file or URL with the desktop's handler (xdg-open), the target as one argument.
bool OpenWithDesktop(const std::string& target);

}  // namespace tappomat::posix
