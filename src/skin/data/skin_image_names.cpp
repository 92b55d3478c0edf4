#include "skin/data/skin_image_names.h"

#include <set>

#include "skin/data/image_reference.h"
#include "skin/data/upper_ascii.h"

namespace tappomat {

std::string NamedImage::Where() const { return KeyPlace(section->name, key->name); }

std::vector<NamedImage> NamedImages(const DefinitionText& definition,
                                    const BadImageReference& onBadReference) {
  std::vector<NamedImage> names;
  for (const DefinitionText::Section& section : definition.Sections()) {
    std::set<std::string_view> seen;
    for (const DefinitionText::Key& key : section.keys) {
      if (!seen.insert(key.name).second) continue;
      const auto add = [&](std::string name) { names.push_back({&section, &key, std::move(name)}); };
      if (section.name == "GLOBALINFO" && key.name == "MASTERBITMAP") {
        if (!key.value.empty()) add(key.value);
      } else {
        try {
          const std::optional<ImageReference> ref = ParseImageReference(key.value);
          if (ref && ref->form == ImageReference::Form::File) add(ref->fileName);
          if (ref && ref->form == ImageReference::Form::BareBitmap) add(UpperAscii(ref->fileName));
        } catch (const std::exception& e) {
          if (onBadReference) onBadReference({&section, &key, {}}, e.what());
        }
      }
      // Any key may name a JPEG texture, the master bitmap's too.
      const std::string upper = UpperAscii(key.value);
      if (upper.find(".JPG") != std::string::npos || upper.find(".JPEG") != std::string::npos) {
        add(upper);
      }
    }
  }
  return names;
}

void RefuseImageNames(const DefinitionText& definition, const SkinImageSource& images) {
  std::set<std::string_view> asked;  // a folder looks each name up on disk: once is enough
  for (const NamedImage& image : NamedImages(definition)) {
    if (!asked.insert(image.name).second) continue;
    if (std::string refusal = images.Refusal(image.name); !refusal.empty()) {
      throw SkinImageRefused(image.Where() + ": " + refusal);
    }
  }
}

}  // namespace tappomat
