#pragma once
// The definition loader: turns a skin definition and the images it names into the tables
// of skin_tables.h, in this order: the master bitmap and every image reference (the mask
// table), the JPEG textures, the sections with their state records, the global colours,
// the hue and saturation changes, and the indices that painting uses instead of names.
// Run by the skin manager for each skin it loads, and by the skin tool's check.
//
// A malformed fixed-column field or a bad VERSION, SHADOW1... or BICON...GLOW value fails
// the load with the conversion's message (EConvertError); missing images and sections are
// not errors: their references get index -1 and painting skips them.
#include "skin/data/definition_text.h"
#include "skin/data/skin_image_source.h"
#include "skin/data/skin_tables.h"

namespace tappomat {

struct SkinLoadOptions {
  int hueOffset = 0;   // degrees, applied to images and colours when not 0
  int saturation = 0;  // applied after the hue when not 0
};

// GLOBALINFO VERSION, read with "." as the decimal separator; 0 when absent. Throws
// EConvertError for a value that is not a number. The manager checks it before loading.
double ReadSkinVersion(const DefinitionText& definition);

SkinTables LoadSkinDefinition(const DefinitionText& definition, const SkinImageSource& images,
                              const SkinLoadOptions& options = {});

// The number that a strict decimal text holds ("7.20", "-1", "0.5"); throws EConvertError
// "'<text>' is not a valid floating point value" otherwise.
double StrToFloat(std::string_view text);

}  // namespace tappomat
