// libFuzzer target for loading skin definitions. The input is a skin package (when it
// starts with the package mark) whose "Options.dat" is loaded with its entries as images,
// or else a definition text alone. Beyond what the sanitizers catch: a load either fails
// with a conversion message or a skin too large to hold, or gives tables whose indices all
// point into them.
#include <cstdlib>

#include "skin/data/decoded_skin_images.h"
#include "skin/data/skin_loader.h"
#include "ui/convert.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckIndex(int index, std::size_t size) { Check(index >= -1 && index < static_cast<int>(size)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tappomat;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  TacSkinConvertor package;
  std::string_view text = input;
  if (input.starts_with("TQzf")) {
    SkinPackageRead read = ReadSkinPackage({data, size});
    if (!read.Ok() || !read.package.hasDefinition) return 0;
    package = std::move(read.package);
    text = {reinterpret_cast<const char*>(package.definition.data()), package.definition.size()};
  }
  const PackedImageSource images(package);
  try {
    const SkinTables tables = LoadSkinDefinition(DefinitionText::Parse(text), images);
    for (const TsGeneralData& section : tables.sections) {
      CheckIndex(section.borderIndex, tables.masks.size());
      CheckIndex(section.textureIndex, tables.masks.size());
      for (int corner : section.cornerIndex) CheckIndex(corner, tables.masks.size());
      for (const TsGenState& state : section.props) CheckIndex(state.textureIndex, tables.masks.size());
    }
    for (const SectionIndices& known : tables.indices.sections) {
      CheckIndex(known.section, tables.sections.size());
      CheckIndex(known.borderMask, tables.masks.size());
    }
    for (const TsMaskData& mask : tables.masks) {
      Check(mask.FrameWidth() >= 0 || mask.rect.Width() < 0);
      (void)mask.MarginLeft();
      (void)mask.MarginBottom();
    }
  } catch (const EConvertError&) {
  } catch (const SkinTooLarge&) {
  }
  return 0;
}
