#include "entry_names.h"

#include <map>

#include "skin/data/skin_file_name.h"
#include "skin/data/upper_ascii.h"

namespace tappomat {

std::vector<std::string> FileNameFaults(const std::vector<std::string>& names) {
  std::vector<std::string> faults;
  std::map<std::string, std::string> byUpperName;
  for (const std::string& name : names) {
    const std::string quoted = "\"" + name + "\"";
    if (const std::string fault = SkinFileNameFault(name); !fault.empty()) {
      faults.push_back("the name " + quoted + " is not a plain file name (it " + fault + ")");
      continue;
    }
    const auto [earlier, first] = byUpperName.emplace(UpperAscii(name), name);
    if (first) continue;
    faults.push_back(earlier->second == name
                         ? "the name " + quoted + " occurs twice"
                         : "the names \"" + earlier->second + "\" and " + quoted +
                               " differ only in letter case, and a skin folder finds its files "
                               "in any case");
  }
  return faults;
}

std::vector<std::string> EntryNameFaults(const TacSkinConvertor& package) {
  std::vector<std::string> faults;
  if (package.definitionNames.size() > 1) {
    faults.push_back("the package holds " + std::to_string(package.definitionNames.size()) +
                     " Options.dat entries; only the last one is read");
  }
  std::vector<std::string> names;
  if (package.hasDefinition) names.push_back("Options.dat");
  for (const TacImageItem& item : package.images) names.push_back(item.name);
  for (std::string& fault : FileNameFaults(names)) faults.push_back(std::move(fault));
  return faults;
}

}  // namespace tappomat
