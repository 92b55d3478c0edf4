#include "skin_check.h"

#include <algorithm>
#include <set>

#include "platform/posix/outside_file.h"
#include "skin/data/skin_loader.h"
#include "skin/data/skin_sections.h"

namespace tappomat {
namespace {

namespace fs = std::filesystem;

std::string Where(std::string_view section, std::string_view key) {
  return "[" + std::string(section) + "] " + std::string(key);
}

std::string RectText(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

// Files the definition names that the source does not hold.
void CheckNamedImages(const DefinitionText& text, const SkinImageSource& images,
                      SkinCheckReport& report) {
  const auto missing = [&](std::string_view section, std::string_view key, const std::string& name) {
    if (!images.Find(name)) {
      report.errors.push_back(Where(section, key) + ": the image " + name + " is missing");
    }
  };
  for (const DefinitionText::Section& section : text.Sections()) {
    std::set<std::string_view> seen;
    for (const DefinitionText::Key& key : section.keys) {
      if (!seen.insert(key.name).second) continue;
      if (section.name == "GLOBALINFO" && key.name == "MASTERBITMAP") {
        if (!key.value.empty()) missing(section.name, key.name, key.value);
        continue;
      }
      const std::string upper = UpperAscii(key.value);
      if (upper.find(".JPG") != std::string::npos || upper.find(".JPEG") != std::string::npos) {
        missing(section.name, key.name, upper);
        continue;
      }
      try {
        const std::optional<ImageReference> ref = ParseImageReference(key.value);
        if (ref && ref->form == ImageReference::Form::File) missing(section.name, key.name, ref->fileName);
        if (ref && ref->form == ImageReference::Form::BareBitmap) {
          missing(section.name, key.name, UpperAscii(ref->fileName));
        }
      } catch (const std::exception& e) {
        report.errors.push_back(Where(section.name, key.name) + ": " + e.what());
      }
    }
  }
}

// Walks the parent chains once in all, in text order: each loop is reported once, from the
// section where the walk comes into it, and each PARENTCLASS that names a missing section
// once, so that a skin of any depth is checked in time linear in its size.
void CheckParents(const DefinitionText& text, SkinCheckReport& report) {
  const std::vector<DefinitionText::Section>& sections = text.Sections();
  enum State : std::uint8_t { kUnseen, kOnChain, kDone };
  std::vector<State> state(sections.size(), kUnseen);
  std::vector<std::size_t> chain;
  for (std::size_t start = 0; start < sections.size(); ++start) {
    if (state[start] != kUnseen) continue;
    for (std::size_t at = start;;) {
      state[at] = kOnChain;
      chain.push_back(at);
      const std::string* parent = sections[at].Find("PARENTCLASS");
      if (parent == nullptr || parent->empty() || *parent == sections[at].name) break;
      const int next = text.IndexOf(*parent);
      if (next < 0) {
        report.warnings.push_back("[" + sections[at].name + "] PARENTCLASS names " + *parent +
                                  ", which the skin does not have");
        break;
      }
      const auto nextAt = static_cast<std::size_t>(next);
      if (state[nextAt] == kOnChain) {
        std::string path;
        for (auto in = std::find(chain.begin(), chain.end(), nextAt); in != chain.end(); ++in) {
          path += sections[*in].name + " -> ";
        }
        report.errors.push_back("[" + *parent + "] parents loop: " + path + *parent);
        break;
      }
      if (state[nextAt] == kDone) break;
      at = nextAt;
    }
    for (const std::size_t walked : chain) state[walked] = kDone;
    chain.clear();
  }
}

void CheckMasks(const SkinTables& tables, SkinCheckReport& report) {
  for (const TsMaskData& mask : tables.masks) {
    const Bitmap32& source = tables.SourceOf(mask);
    if (!mask.image && source.Width() == 0) continue;  // reported as a missing master bitmap
    const Rect r = mask.rect;
    if (r.left < 0 || r.top < 0 || r.right > source.Width() || r.bottom > source.Height() ||
        r.left > r.right || r.top > r.bottom) {
      report.errors.push_back(Where(mask.sectionName, mask.propertyName) + ": the rectangle " +
                              RectText(r) + " reaches outside its image of " +
                              std::to_string(source.Width()) + " x " +
                              std::to_string(source.Height()));
    }
  }
}

}  // namespace

SkinCheckReport CheckSkin(const fs::path& folderOrPackage) {
  SkinCheckReport report;
  std::error_code error;
  TacSkinConvertor package;
  std::string definition;
  std::unique_ptr<SkinImageSource> images;
  if (fs::is_directory(folderOrPackage, error)) {
    const std::optional<fs::path> options = FindFileIgnoringCase(folderOrPackage, "Options.dat");
    OutsideFile file;
    if (options) file = ReadOutsideFile(*options, SkinPackageLimits::kMaxEntrySize);
    if (!options || !file.Ok()) {
      report.errors.push_back(folderOrPackage.string() + " holds no readable Options.dat");
      return report;
    }
    definition = std::move(file.bytes);
    images = std::make_unique<FolderImageSource>(folderOrPackage);
  } else {
    SkinPackageRead read = ReadSkinPackageFile(folderOrPackage);
    if (!read.Ok()) {
      report.errors.push_back(read.error);
      return report;
    }
    if (!read.package.hasDefinition) {
      report.errors.push_back("the package holds no Options.dat");
      return report;
    }
    package = std::move(read.package);
    definition.assign(package.definition.begin(), package.definition.end());
    images = std::make_unique<PackedImageSource>(package);
  }
  const DefinitionText text = DefinitionText::Parse(definition);
  if (text.Find("GLOBALINFO") == nullptr) report.warnings.push_back("there is no [GLOBALINFO]");
  for (const DefinitionText::Section& section : text.Sections()) {
    if (std::find(kSkinSectionNames.begin(), kSkinSectionNames.end(), section.name) ==
        kSkinSectionNames.end()) {
      report.warnings.push_back("[" + section.name + "] is not a section the program asks for");
    }
  }
  CheckParents(text, report);
  CheckNamedImages(text, *images, report);
  try {
    CheckMasks(LoadSkinDefinition(text, *images), report);
  } catch (const std::exception& e) {
    report.errors.push_back(std::string("the skin does not load: ") + e.what());
  }
  return report;
}

}  // namespace tappomat
