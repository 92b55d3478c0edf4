#pragma once
// The tables a loaded skin is made of, as the definition loader builds them and all
// painting reads them: the section records with their two state records, the mask table
// (every image reference, cut from the master bitmap or with its own image), the pattern
// table (large JPEG textures), the skin-wide data of GLOBALINFO, the global colours and the
// well-known indices. Painting never searches by name: every index it needs is here.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "imaging/bitmap32.h"
#include "imaging/color.h"
#include "imaging/geometry.h"
#include "skin/data/image_reference.h"
#include "skin/data/skin_sections.h"

namespace tappomat {

// One piece of a gradient: colours from start to end over `percent` of the area.
struct TsGradientPiece {
  std::int32_t startColor = 0;
  std::int32_t endColor = 0;
  int percent = 0;
  int direction = 0;  // 0 top to bottom, 1 left to right, 2 four triangles; others: none
};

// The values of one state of a section: 0 normal, 1 hot (used for every state from 1 up).
struct TsGenState {
  std::int32_t color = 0;
  std::array<std::int32_t, 5> fontColor{};  // text; contour left, top, right, bottom (-1 none)
  int gradientPercent = 0;
  std::string gradientData;
  std::vector<TsGradientPiece> gradient;
  int imagePercent = 0;
  int textureIndex = -1;  // PATTERN, HOTPATTERN
  std::int32_t glowColor = 0;
  std::uint8_t glowSize = 0;
  int transparency = 0;
};

// One section of the definition, in text order.
struct TsGeneralData {
  std::string parentClass;  // PARENTCLASS, not inherited
  std::string name;
  int states = 3;
  std::array<TsGenState, 2> props;
  bool giveOwnFont = false;
  bool reservedBoolean = false;
  bool showFocus = false;
  int glow = 0;
  int glowMargin = 0;
  int borderIndex = -1;                          // BORDERSMASK
  std::array<int, 4> cornerIndex{-1, -1, -1, -1};  // IMGTOPLEFT, IMGTOPRIGHT, IMGBTMLEFT, IMGBTMRIGHT
  int textureIndex = -1;                         // PATTERN
  std::int32_t color = 0xFFFFFF;
  int transparency = 0;
  int gradientPercent = 0;
  std::string gradientData = " ";
  std::vector<TsGradientPiece> gradient;
  int imagePercent = 0;
  std::array<std::int32_t, 5> fontColor{0, -1, -1, -1, -1};
  std::int32_t hotColor = 0;
  int hotTransparency = 0;
  int hotGradientPercent = 0;
  std::string hotGradientData;
  std::vector<TsGradientPiece> hotGradient;
  int hotImagePercent = 0;
  std::array<std::int32_t, 5> hotFontColor{};
  bool fadingEnabled = false;
  int fadingIterations = 5;
  std::int32_t hotGlowColor = 0xFFFFFF;
  std::int32_t glowColor = 0xFFFFFF;
  std::uint8_t hotGlowSize = 0;
  std::uint8_t glowSize = 0;
};

// One image reference: where its pixels are and how it is cut and drawn.
struct TsMaskData {
  std::shared_ptr<Bitmap32> image;  // its own image; null: the master bitmap is the source
  std::string sectionName;
  std::string propertyName;
  Rect rect;  // in the source image, right and bottom exclusive
  std::int16_t frameCount = 1;
  std::int16_t maskType = 0;
  std::int16_t borderWidth = 0;
  std::int16_t drawMode = 0;
  ImageKind kind = ImageKind::BorderMask;
  std::array<std::int16_t, 4> margins{};  // left, top, right, bottom
  std::uint8_t cornerFill = 0;

  // Width of one frame (0 when there are none) and height of the image part of a frame.
  int FrameWidth() const;
  int FrameHeight() const;
  // The fixed border widths of the nine parts: the stored margin when above 0, else the
  // border width when above 0, else the whole frame.
  int MarginLeft() const;
  int MarginTop() const;
  int MarginRight() const;
  int MarginBottom() const;
};

// A large JPEG texture, kept whole.
struct TsPatternData {
  std::shared_ptr<Bitmap32> image;
  std::string sectionName;
  std::string propertyName;
};

// Skin-wide data from GLOBALINFO.
struct TsSkinData {
  double version = 0;
  std::string author, description, masterBitmapName;
  int borderWidth = 4;
  int titleHeight = 30;
  int maxHeight = 0;
  int formOffset = 0;
  int centerOffset = 0;
  int borderMode = 0;
  int alignOffset = 0, alignOffsetR = -1, alignOffsetT = -1, alignOffsetB = -1;
  std::int32_t shadow1Color = 0;
  int shadow1Offset = 0, shadow1Blur = -1, shadow1Transparency = 0;
  int biSpace = 0, biVAlign = 0, biRight = 0, biLeft = 0, biTop = 0;
  int biKeepHue = 0;
  int biconCloseGlow = 0, biconCloseGlowMargin = 0, biconMaxGlow = 0, biconMaxGlowMargin = 0,
      biconMinGlow = 0, biconMinGlowMargin = 0;
  bool aeroBlur = false;
};

// The colours controls ask the manager for, with their fallbacks already applied.
struct GlobalColors {
  ColorRef global = 0;
  ColorRef globalFont = 0;
  ColorRef edit = 0;
  ColorRef editFont = 0;
  std::array<ColorRef, 2> highlight{};      // normal, hot
  std::array<ColorRef, 2> highlightFont{};  // normal, hot
  ColorRef border = 0;
};

// Indices of one section that code asks for by name.
struct SectionIndices {
  int section = -1;
  int borderMask = -1;
  int texture = -1;     // PATTERN
  int hotTexture = -1;  // HOTPATTERN
  int glyphMask = -1;   // GLYPHMASK
};

struct WellKnownIndices {
  std::array<SectionIndices, static_cast<std::size_t>(SkinSectionId::Count)> sections;
  std::array<int, static_cast<std::size_t>(GlobalImage::Count)> globalImages;

  WellKnownIndices() { globalImages.fill(-1); }
  const SectionIndices& Of(SkinSectionId id) const { return sections[static_cast<std::size_t>(id)]; }
  int Of(GlobalImage image) const { return globalImages[static_cast<std::size_t>(image)]; }
};

struct SkinTables {
  TsSkinData skinData;
  Bitmap32 masterBitmap;
  std::vector<TsGeneralData> sections;
  std::vector<TsMaskData> masks;
  std::vector<TsPatternData> patterns;
  GlobalColors colors;
  WellKnownIndices indices;

  // Finds sections, masks, textures and patterns by name from now on, in constant time,
  // and resolves each section's parent once (loops cut, see section_parents.h). The loader
  // calls it once the records are in; the lookups below see the records as they were then.
  void IndexNames();

  // The first section of exactly that name; -1 when none.
  int SectionIndex(std::string_view name) const;
  // The first mask of that section and key, looked for in the section's parents when the
  // section has none (at most kMaxParentSteps of them); -1 when none. TextureIndex counts
  // textures only: the first mask of image kind texture.
  int MaskIndex(int sectionIndex, std::string_view section, std::string_view key) const;
  int TextureIndex(int sectionIndex, std::string_view section, std::string_view key) const;
  int PatternIndex(int sectionIndex, std::string_view section, std::string_view key) const;
  // The first mask (texture, pattern) of every section and that key, with the missing ones
  // taken from the parents as MaskIndex does, in time linear in the number of sections.
  std::vector<int> MaskIndices(std::string_view key) const;
  std::vector<int> TextureIndices(std::string_view key) const;
  // The section a lookup goes on to after section `sectionIndex`; -1 when the chain ends
  // there (no parent, a parent of the same name, a missing parent, or a link closing a loop).
  int ParentOf(int sectionIndex) const;
  // The pixels a mask is cut from: its own image or the master bitmap.
  const Bitmap32& SourceOf(const TsMaskData& mask) const;

 private:
  // A section name and a key name, as a map key that views or owns the texts.
  struct NameAndKey {
    std::string_view section, key;
  };
  struct OwnedNameAndKey {
    std::string section, key;
    operator NameAndKey() const { return {section, key}; }
  };
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    std::size_t operator()(NameAndKey names) const {
      return std::hash<std::string_view>{}(names.section) * 31 + std::hash<std::string_view>{}(names.key);
    }
  };
  struct NameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return a == b; }
    bool operator()(NameAndKey a, NameAndKey b) const { return a.section == b.section && a.key == b.key; }
  };
  using FirstByName = std::unordered_map<OwnedNameAndKey, int, NameHash, NameEqual>;

  std::string_view MissingParentName(std::size_t index) const;
  int FindInChain(const FirstByName& first, int sectionIndex, std::string_view section,
                  std::string_view key) const;
  std::vector<int> InheritedIndices(const FirstByName& first, std::string_view key,
                                    bool texturesOnly) const;

  std::unordered_map<std::string, int, NameHash, NameEqual> m_sectionByName;
  std::vector<int> m_parents;         // per section, see ParentOf
  std::vector<int> m_parentsFirst;    // ParentsFirst(m_parents)
  std::vector<int> m_sectionOfMask;   // per mask, the section of its name; -1 when none
  FirstByName m_firstMask, m_firstTexture, m_firstPattern;
};

}  // namespace tappomat
