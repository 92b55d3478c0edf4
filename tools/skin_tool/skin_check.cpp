#include "skin_check.h"

#include <algorithm>
#include <map>
#include <new>
#include <set>

#include "entry_names.h"
#include "imaging/image_decoder.h"
#include "platform/posix/outside_file.h"
#include "skin/data/skin_image_names.h"
#include "skin/data/skin_loader.h"
#include "skin/data/skin_sections.h"
#include "skin/data/skin_too_large.h"

namespace tappomat {
namespace {

namespace fs = std::filesystem;

std::string RectText(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

// Each image the definition names: refused names, images that are missing and images
// that do not decode are errors, since the program then draws without them. Each image is
// looked at once, however many keys name it.
void CheckNamedImages(const DefinitionText& text, const SkinImageSource& images,
                      SkinCheckReport& report) {
  const auto problemOf = [&images](const std::string& name) -> std::string {
    if (std::string refusal = images.Refusal(name); !refusal.empty()) return refusal;
    const std::optional<ImageBytes> bytes = images.Find(name);
    if (!bytes) return "the image " + name + " is missing";
    const DecodedImage decoded = DecodeImage(bytes->bytes);
    if (!decoded.Ok()) return "the image " + name + " cannot be decoded: " + decoded.error;
    return {};
  };
  const auto badReference = [&report](const NamedImage& at, const std::string& message) {
    report.errors.push_back(at.Where() + ": " + message);
  };
  std::map<std::string, std::string> problems;  // by image name
  for (const NamedImage& image : NamedImages(text, badReference)) {
    const auto [known, first] = problems.try_emplace(image.name);
    if (first) known->second = problemOf(image.name);
    if (!known->second.empty()) report.errors.push_back(image.Where() + ": " + known->second);
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
      report.errors.push_back(KeyPlace(mask.sectionName, mask.propertyName) + ": the rectangle " +
                              RectText(r) + " reaches outside its image of " +
                              std::to_string(source.Width()) + " x " +
                              std::to_string(source.Height()));
    }
  }
}

// Why a definition's bytes are no text the loader can read; empty when they are text.
std::string NotTextReason(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    return "it is UTF-16 text; save it as ANSI or UTF-8";
  }
  if (bytes.find('\0') != std::string_view::npos) return "it holds NUL bytes";
  const auto control = std::count_if(bytes.begin(), bytes.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f' &&
            byte != '\v' && byte != 0x1A) ||
           byte == 0x7F;
  });
  if (static_cast<std::size_t>(control) * 20 > bytes.size()) {
    return "more than one byte in twenty is a control character";
  }
  return {};
}

// A definition named otherwise than "Options.dat" loads, but says so.
void CheckDefinitionName(const std::string& name, const std::string& where, SkinCheckReport& report) {
  if (name != "Options.dat") {
    report.warnings.push_back(where + ": the definition is named \"" + name +
                              "\"; the program finds it in any letter case, but name it "
                              "\"Options.dat\" as skins have it");
  }
}

}  // namespace

SkinCheckReport CheckSkin(const fs::path& folderOrPackage) {
  SkinCheckReport report;
  std::error_code error;
  TacSkinConvertor package;
  std::string definition;
  std::string definitionWhere;  // the definition's file, for messages
  std::unique_ptr<SkinImageSource> images;
  if (fs::is_directory(folderOrPackage, error)) {
    std::optional<fs::path> options = FindFileIgnoringCase(folderOrPackage, "Options.dat");
    // A link that leads nowhere or loops is no file, but the program tries it: say why it fails.
    if (!options && fs::is_symlink(folderOrPackage / "Options.dat", error)) {
      options = folderOrPackage / "Options.dat";
    }
    if (!options) {
      report.errors.push_back(folderOrPackage.string() + " holds no Options.dat");
      return report;
    }
    OutsideFile file = ReadOutsideFile(*options, SkinPackageLimits::kMaxEntrySize);
    if (!file.Ok()) {
      report.errors.push_back("Unable to read " + options->string() + ": " + file.message);
      return report;
    }
    definitionWhere = options->string();
    CheckDefinitionName(options->filename().string(), definitionWhere, report);
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folderOrPackage, error)) {
      if (entry.is_regular_file(error)) files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    for (const std::string& fault : FileNameFaults(files)) {
      report.warnings.push_back(folderOrPackage.string() + ": " + fault +
                                "; a package made of the folder cannot be unpacked");
    }
    definition = std::move(file.bytes);
    images = std::make_unique<FolderImageSource>(folderOrPackage);
  } else {
    SkinPackageRead read = ReadSkinPackageFile(folderOrPackage);
    if (!read.Ok()) {
      const std::string where = read.error.find(folderOrPackage.string()) == std::string::npos
                                    ? folderOrPackage.string() + ": "
                                    : std::string();
      report.errors.push_back(where + read.error +
                              (read.entry.empty() ? "" : " (in the entry \"" + read.entry + "\")"));
      return report;
    }
    if (!read.package.hasDefinition) {
      report.errors.push_back(folderOrPackage.string() + " holds no Options.dat");
      return report;
    }
    package = std::move(read.package);
    definitionWhere = folderOrPackage.string() + ", entry \"" + package.definitionNames.back() + "\"";
    CheckDefinitionName(package.definitionNames.back(), folderOrPackage.string(), report);
    for (const std::string& fault : EntryNameFaults(package)) {
      report.warnings.push_back(folderOrPackage.string() + ": " + fault + "; unpack refuses the package");
    }
    definition.assign(package.definition.begin(), package.definition.end());
    images = std::make_unique<PackedImageSource>(package);
  }
  if (const std::string reason = NotTextReason(definition); !reason.empty()) {
    report.errors.push_back(definitionWhere + " is not a text file (" + reason + ")");
    return report;
  }
  DefinitionText text;
  try {
    text = DefinitionText::Parse(definition);
  } catch (const SkinTooLarge& e) {
    report.errors.push_back(definitionWhere + ": " + e.what());
    return report;
  }
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
  } catch (const std::bad_alloc&) {
    report.errors.push_back("the skin does not load: it needs more memory than is available "
                            "(its images are too large)");
  } catch (const std::exception& e) {
    report.errors.push_back(std::string("the skin does not load: ") + e.what());
  }
  return report;
}

}  // namespace tappomat
