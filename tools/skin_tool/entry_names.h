#pragma once
// Which files of a skin can be written into one folder: the names `unpack` refuses before
// it writes anything, and that `check` warns about. A skin folder finds its files in any
// letter case, so two names that differ only in case would stand for one file.
#include <string>
#include <vector>

#include "skin/data/skin_package.h"

namespace tappomat {

// One message per name that is no plain file name, or that repeats an earlier one in any
// letter case; empty when every name can be written.
std::vector<std::string> FileNameFaults(const std::vector<std::string>& names);

// The same for a package's entries as unpack writes them (the definition as "Options.dat",
// then the images), and a package that holds more than one definition.
std::vector<std::string> EntryNameFaults(const TacSkinConvertor& package);

}  // namespace tappomat
