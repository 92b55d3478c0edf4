#include "skin/data/skin_tables.h"

namespace tappomat {

int TsMaskData::FrameWidth() const { return frameCount > 0 ? rect.Width() / frameCount : 0; }

int TsMaskData::FrameHeight() const {
  if (maskType < 0) return 0;
  return rect.Height() / (maskType + 1);
}

namespace {

int MarginOr(int stored, int borderWidth, int whole) {
  if (stored > 0) return stored;
  return borderWidth > 0 ? borderWidth : whole;
}

}  // namespace

int TsMaskData::MarginLeft() const {
  // A mask without frames counts as one frame here.
  const int whole = frameCount > 0 ? FrameWidth() : rect.Width();
  return MarginOr(margins[0], borderWidth, whole);
}
int TsMaskData::MarginTop() const { return MarginOr(margins[1], borderWidth, FrameHeight()); }
int TsMaskData::MarginRight() const {
  const int whole = frameCount > 0 ? FrameWidth() : rect.Width();
  return MarginOr(margins[2], borderWidth, whole);
}
int TsMaskData::MarginBottom() const { return MarginOr(margins[3], borderWidth, FrameHeight()); }

int SkinTables::SectionIndex(std::string_view name) const {
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (sections[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

namespace {

// Looks for a record of `section` and `key` in the table, then in the section's parents;
// a chain that loops ends after as many steps as there are sections.
template <typename Table, typename Accept>
int FindInChain(const SkinTables& tables, const Table& table, int sectionIndex,
                std::string_view section, std::string_view key, Accept accept) {
  for (std::size_t step = 0; step <= tables.sections.size(); ++step) {
    for (std::size_t i = 0; i < table.size(); ++i) {
      if (table[i].sectionName == section && table[i].propertyName == key && accept(table[i])) {
        return static_cast<int>(i);
      }
    }
    if (sectionIndex < 0 || sectionIndex >= static_cast<int>(tables.sections.size())) return -1;
    const std::string& parent = tables.sections[static_cast<std::size_t>(sectionIndex)].parentClass;
    if (parent.empty() || parent == section) return -1;
    section = parent;
    sectionIndex = tables.SectionIndex(parent);
  }
  return -1;
}

}  // namespace

int SkinTables::MaskIndex(int sectionIndex, std::string_view section, std::string_view key) const {
  return FindInChain(*this, masks, sectionIndex, section, key, [](const TsMaskData&) { return true; });
}

int SkinTables::TextureIndex(int sectionIndex, std::string_view section,
                             std::string_view key) const {
  return FindInChain(*this, masks, sectionIndex, section, key,
                     [](const TsMaskData& mask) { return mask.kind == ImageKind::Texture; });
}

int SkinTables::PatternIndex(int sectionIndex, std::string_view section,
                             std::string_view key) const {
  return FindInChain(*this, patterns, sectionIndex, section, key,
                     [](const TsPatternData&) { return true; });
}

const Bitmap32& SkinTables::SourceOf(const TsMaskData& mask) const {
  return mask.image ? *mask.image : masterBitmap;
}

}  // namespace tappomat
