#pragma once
// The skin tool for the people who make skins: packs a skin folder into a skin package,
// unpacks a package into a folder and lists a package's entries, with the same code that
// the program reads skins with. RunSkinTool is the whole tool; main() only hands it the
// command line, so tests call it directly.
#include <ostream>
#include <string>
#include <vector>

namespace tappomat {

// Runs one command (`args` without the program name); returns the exit status: 0 done,
// 1 failed (the reason on `err`), 2 the command line was wrong.
int RunSkinTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tappomat
