#include "gdi/font_mapping.h"

#include <algorithm>
#include <array>
#include <string>

namespace tappomat {
namespace {

struct FamilyMapping {
  std::string_view logicalName;  // lower case
  std::string_view family;
};

constexpr std::array kMappings{
    // Sans faces that dialogs and skins name: Arial's metrics are the closest match
    // installed for all of them.
    FamilyMapping{"ms sans serif", kLiberationSans},
    FamilyMapping{"microsoft sans serif", kLiberationSans},
    FamilyMapping{"ms shell dlg", kLiberationSans},
    FamilyMapping{"ms shell dlg 2", kLiberationSans},
    FamilyMapping{"arial", kLiberationSans},
    FamilyMapping{"tahoma", kLiberationSans},
    FamilyMapping{"verdana", kLiberationSans},
    FamilyMapping{"segoe ui", kLiberationSans},
    FamilyMapping{"helvetica", kLiberationSans},
    FamilyMapping{"system", kLiberationSans},
    FamilyMapping{"liberation sans", kLiberationSans},
    FamilyMapping{"arial narrow", kLiberationSansNarrow},
    FamilyMapping{"liberation sans narrow", kLiberationSansNarrow},
    FamilyMapping{"courier new", kLiberationMono},
    FamilyMapping{"courier", kLiberationMono},
    FamilyMapping{"lucida console", kLiberationMono},
    FamilyMapping{"consolas", kLiberationMono},
    FamilyMapping{"fixedsys", kLiberationMono},
    FamilyMapping{"terminal", kLiberationMono},
    FamilyMapping{"liberation mono", kLiberationMono},
    FamilyMapping{"times new roman", kLiberationSerif},
    FamilyMapping{"times", kLiberationSerif},
    FamilyMapping{"ms serif", kLiberationSerif},
    FamilyMapping{"georgia", kLiberationSerif},
    FamilyMapping{"liberation serif", kLiberationSerif},
    FamilyMapping{"dejavu sans", kFallbackFamily},
};

std::string Normalize(std::string_view name) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!name.empty() && isBlank(name.front())) name.remove_prefix(1);
  while (!name.empty() && isBlank(name.back())) name.remove_suffix(1);
  std::string out(name);
  std::transform(out.begin(), out.end(), out.begin(), [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return out;
}

bool ContainsWord(const std::string& name, std::string_view part) {
  return name.find(part) != std::string::npos;
}

}  // namespace

std::string_view MapFontFamily(std::string_view logicalName) {
  const std::string name = Normalize(logicalName);
  for (const FamilyMapping& m : kMappings) {
    if (m.logicalName == name) return m.family;
  }
  if (ContainsWord(name, "mono") || ContainsWord(name, "courier") || ContainsWord(name, "console")) {
    return kLiberationMono;
  }
  if (ContainsWord(name, "times") || (ContainsWord(name, "serif") && !ContainsWord(name, "sans"))) {
    return kLiberationSerif;
  }
  return kLiberationSans;
}

}  // namespace tappomat
