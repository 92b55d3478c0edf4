#pragma once
// The image names a skin definition gives, as the definition loader asks its image source
// for them: GLOBALINFO MASTERBITMAP as written, the file of a "!" reference as written, a
// bare ".BMP" name and a JPEG texture upper-cased; the first occurrence of each key counts.
// The skin manager checks them before loading, so that a name the source refuses fails
// the load with a message that names the key; the skin tool's check reports on each.
#include <functional>
#include <string>
#include <vector>

#include "skin/data/definition_text.h"
#include "skin/data/skin_image_source.h"

namespace tappomat {

struct NamedImage {
  const DefinitionText::Section* section;
  const DefinitionText::Key* key;
  std::string name;  // as the loader asks for it

  // "[SECTION] KEY", for messages.
  std::string Where() const;
};

// Told about a key whose image reference does not parse (the load fails on it).
using BadImageReference = std::function<void(const NamedImage& where, const std::string& message)>;

// Every image name of `definition`, in text order. References that do not parse are left
// out (and told to `onBadReference` when given).
std::vector<NamedImage> NamedImages(const DefinitionText& definition,
                                    const BadImageReference& onBadReference = nullptr);

// Throws SkinImageRefused "[SECTION] KEY: <the source's refusal>" for the first image name
// of `definition` that `images` refuses.
void RefuseImageNames(const DefinitionText& definition, const SkinImageSource& images);

}  // namespace tappomat
