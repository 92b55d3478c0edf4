#include "skin/data/skin_loader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <map>
#include <set>

#include "gdi/system_colors.h"
#include "gdi/system_metrics.h"
#include "imaging/hsv.h"
#include "skin/data/decoded_skin_images.h"
#include "skin/data/inherited_keys.h"
#include "ui/convert.h"

namespace tappomat {
namespace {

constexpr std::string_view kGlobalInfo = "GLOBALINFO";

using Section = DefinitionText::Section;

// --- reading keys

bool IsFlagText(std::string_view value) {
  const std::string upper = UpperAscii(value);
  return upper == "1" || upper == "TRUE";
}

// A negative value names a system colour: $FF000000 plus its index.
std::int32_t ConvertSystemColor(std::int32_t value) {
  if (value >= 0) return value;
  const int index = static_cast<int>(static_cast<std::uint32_t>(value) & 0x00FFFFFFu);
  return static_cast<std::int32_t>(GetSysColor(index));
}

// The section keys the loader reads, and how.
constexpr InheritedKey kSectionKeys[] = {
    {"STATES", KeyKind::Integer},          {"GLOW", KeyKind::Integer},
    {"GLOWMARGIN", KeyKind::Integer},      {"COLOR", KeyKind::Integer},
    {"TRANSPARENCY", KeyKind::Integer},    {"GRADIENTPERCENT", KeyKind::Integer},
    {"IMAGEPERCENT", KeyKind::Integer},    {"FONTCOLOR", KeyKind::Integer},
    {"TCLEFT", KeyKind::Integer},          {"TCTOP", KeyKind::Integer},
    {"TCRIGHT", KeyKind::Integer},         {"TCBOTTOM", KeyKind::Integer},
    {"HOTCOLOR", KeyKind::Integer},        {"HOTTRANSPARENCY", KeyKind::Integer},
    {"HOTGRADIENTPERCENT", KeyKind::Integer}, {"HOTIMAGEPERCENT", KeyKind::Integer},
    {"HOTFONTCOLOR", KeyKind::Integer},    {"HOTTCLEFT", KeyKind::Integer},
    {"HOTTCTOP", KeyKind::Integer},        {"HOTTCRIGHT", KeyKind::Integer},
    {"HOTTCBOTTOM", KeyKind::Integer},     {"FADINGITERATIONS", KeyKind::Integer},
    {"HGCOL", KeyKind::Integer},           {"GCOL", KeyKind::Integer},
    {"HGSIZE", KeyKind::Integer},          {"GSIZE", KeyKind::Integer},
    {"GRADIENTDATA", KeyKind::Text},       {"HOTGRADIENTDATA", KeyKind::Text},
    {"GIVEOWNFONT", KeyKind::Text},        {"RESERVEDBOOLEAN", KeyKind::Text},
    {"SHOWFOCUS", KeyKind::Text},          {"FADINGENABLED", KeyKind::Text},
};

// Keys of one section, with the missing ones taken from the parent chain.
class SectionReader {
 public:
  SectionReader(const InheritedKeys& keys, std::size_t section) : m_keys(keys), m_section(section) {}

  std::int32_t Int(std::string_view key, std::int32_t otherwise) const {
    const std::string* value = m_keys.Find(m_section, key);
    return value ? ConvertSystemColor(*TryStrToInt(*value)) : otherwise;
  }
  std::string Text(std::string_view key, std::string_view otherwise) const {
    const std::string* value = m_keys.Find(m_section, key);
    return value ? *value : std::string(otherwise);
  }
  bool Flag(std::string_view key) const { return IsFlagText(Text(key, "0")); }
  // An integer key that is a count, a size or a percentage rather than a colour: kept
  // within 16 bits, which changes no comparison the painting makes and lets it add and
  // multiply such values without overflow.
  int Amount(std::string_view key, int otherwise) const {
    return std::clamp<std::int32_t>(Int(key, otherwise), INT16_MIN, INT16_MAX);
  }

 private:
  const InheritedKeys& m_keys;
  std::size_t m_section;
};

// GLOBALINFO values are taken as written; integer keys keep 16 bits.
std::int16_t GlobalInt(const Section* global, std::string_view key, int otherwise) {
  const std::string* value = global ? global->Find(key) : nullptr;
  const std::optional<int> number = value ? TryStrToInt(*value) : std::nullopt;
  return static_cast<std::int16_t>(number.value_or(otherwise));
}

// The keys quoted as texts in the format: a bad value fails the load. They are offsets and
// sizes in pixels, kept within 16 bits like the other GLOBALINFO numbers so that
// geometry made from them cannot overflow.
int StrictGlobalInt(const Section* global, std::string_view key, std::string_view otherwise) {
  const std::string* value = global ? global->Find(key) : nullptr;
  return std::clamp(StrToInt(value ? std::string_view(*value) : otherwise), INT16_MIN, INT16_MAX);
}

std::string GlobalText(const Section* global, std::string_view key) {
  const std::string* value = global ? global->Find(key) : nullptr;
  return value ? *value : std::string();
}

TsSkinData ReadSkinData(const Section* global, double version) {
  TsSkinData data;
  data.version = version;
  data.author = GlobalText(global, "AUTHOR");
  data.description = GlobalText(global, "DESCRIPTION");
  data.masterBitmapName = GlobalText(global, "MASTERBITMAP");
  data.borderWidth = GlobalInt(global, "BORDERWIDTH", 4);
  data.titleHeight = GlobalInt(global, "TITLEHEIGHT", 30);
  if (data.titleHeight == 0) data.titleHeight = 30;
  data.maxHeight = GlobalInt(global, "MAXHEIGHT", 0);
  if (data.maxHeight == 0) data.maxHeight = data.titleHeight;
  data.formOffset = GlobalInt(global, "FORMOFFSET", GetSystemMetrics(SM_CXFRAME));
  data.centerOffset = GlobalInt(global, "CENTEROFFSET", 0);
  data.borderMode = GlobalInt(global, "BORDERMODE", 0);
  data.alignOffset = GlobalInt(global, "ALIGNOFFSET", 0);
  const auto alignOr = [&](std::string_view key) {
    const int value = GlobalInt(global, key, -1);
    return value == -1 ? data.alignOffset : value;
  };
  data.alignOffsetR = alignOr("ALIGNOFFSETR");
  data.alignOffsetT = alignOr("ALIGNOFFSETT");
  data.alignOffsetB = alignOr("ALIGNOFFSETB");
  {
    const std::string* value = global ? global->Find("SHADOW1COLOR") : nullptr;
    data.shadow1Color = value ? TryStrToInt(*value).value_or(0) : 0;
  }
  data.shadow1Offset = StrictGlobalInt(global, "SHADOW1OFFSET", "0");
  data.shadow1Blur = StrictGlobalInt(global, "SHADOW1BLUR", "-1");
  data.shadow1Transparency = StrictGlobalInt(global, "SHADOW1TRANSPARENCY", "0");
  data.biSpace = GlobalInt(global, "BISPACE", 0);
  data.biVAlign = GlobalInt(global, "BIVALIGN", 0);
  data.biRight = GlobalInt(global, "BIRIGHT", 0);
  data.biLeft = GlobalInt(global, "BILEFT", 0);
  data.biTop = GlobalInt(global, "BITOP", 0);
  data.biKeepHue = GlobalInt(global, "BIKEEPHUE", 0);
  data.biconCloseGlow = StrictGlobalInt(global, "BICONCLOSEGLOW", "0");
  data.biconCloseGlowMargin = StrictGlobalInt(global, "BICONCLOSEGLOWMARGIN", "0");
  data.biconMaxGlow = StrictGlobalInt(global, "BICONMAXGLOW", "0");
  data.biconMaxGlowMargin = StrictGlobalInt(global, "BICONMAXGLOWMARGIN", "0");
  data.biconMinGlow = StrictGlobalInt(global, "BICONMINGLOW", "0");
  data.biconMinGlowMargin = StrictGlobalInt(global, "BICONMINGLOWMARGIN", "0");
  data.aeroBlur = GlobalInt(global, "AEROBLUR", 0) != 0;
  return data;
}

// --- images

void ComputeMargins(TsMaskData& mask) {
  const int across = mask.frameCount * 3;
  const int down = (mask.maskType + 1) * 3;
  const auto width = static_cast<std::int16_t>(across > 0 ? mask.rect.Width() / across : 0);
  const auto height = static_cast<std::int16_t>(down > 0 ? mask.rect.Height() / down : 0);
  mask.margins = {width, height, width, height};
}

// 1 when a pixel of the corner areas, as far as they lie in the image, is fuchsia.
std::uint8_t CornerHoldsFuchsia(const Bitmap32& source, const Rect (&corners)[4]) {
  for (const Rect& corner : corners) {
    const Rect inside = corner.Intersect(source.Bounds());
    for (int y = inside.top; y < inside.bottom; ++y) {
      for (int x = inside.left; x < inside.right; ++x) {
        if (IsFuchsia(source.At(x, y))) return 1;
      }
    }
  }
  return 0;
}

// The corner fill of masks already computed, by source image and corner areas: the keys
// that name one image with the same fields scan its corners once.
using CornerFills = std::map<std::pair<const Bitmap32*, std::array<int, 16>>, std::uint8_t>;

// 1 when a corner area of frame 0 holds fuchsia (the parent's background shows there).
std::uint8_t CornerFill(const TsMaskData& mask, const Bitmap32& source, CornerFills& known) {
  if (mask.sectionName == "BUTTON_HUGE" && mask.propertyName == "BORDERSMASK") return 2;
  if (mask.rect.Height() <= 0) return 0;
  const int left = mask.rect.left, top = mask.rect.top;
  const int right = left + mask.FrameWidth(), bottom = top + mask.FrameHeight();
  const int ml = mask.margins[0], mt = mask.margins[1], mr = mask.margins[2], mb = mask.margins[3];
  const Rect corners[] = {{left, top, left + ml, top + mt},
                          {right - mr, top, right, top + mt},
                          {left, bottom - mb, left + ml, bottom},
                          {right - mr, bottom - mb, right, bottom}};
  std::array<int, 16> areas{};
  for (std::size_t c = 0; c < 4; ++c) {
    const Rect inside = corners[c].Intersect(source.Bounds());
    areas[4 * c] = inside.left;
    areas[4 * c + 1] = inside.top;
    areas[4 * c + 2] = inside.right;
    areas[4 * c + 3] = inside.bottom;
  }
  const auto [entry, fresh] = known.try_emplace({&source, areas}, 0);
  if (fresh) entry->second = CornerHoldsFuchsia(source, corners);
  return entry->second;
}

// The mask of one image reference, or nullopt when its image is missing.
std::optional<TsMaskData> MaskOf(const ImageReference& ref, const Section& section,
                                 const DefinitionText::Key& key, DecodedSkinImages& images,
                                 CornerFills& cornerFills, const SkinTables& tables) {
  TsMaskData mask;
  mask.sectionName = section.name;
  mask.propertyName = key.name;
  mask.kind = ref.kind;
  mask.frameCount = static_cast<std::int16_t>(ref.frameCount);
  mask.maskType = static_cast<std::int16_t>(ref.maskType);
  mask.drawMode = static_cast<std::int16_t>(ref.drawMode);
  mask.borderWidth = static_cast<std::int16_t>(ref.borderWidth);
  for (std::size_t i = 0; i < 4; ++i) mask.margins[i] = static_cast<std::int16_t>(ref.margins[i]);
  mask.rect = ref.rect;
  using Form = ImageReference::Form;
  const double version = tables.skinData.version;
  if (ref.form == Form::File || ref.form == Form::BareBitmap) {
    const std::string name = ref.form == Form::File ? ref.fileName : UpperAscii(ref.fileName);
    mask.image = images.Image(name, KeyPlace(section.name, key.name));
    if (!mask.image) return std::nullopt;
    mask.rect = mask.image->Bounds();
    if (ref.form == Form::BareBitmap || !ref.marginsGiven) ComputeMargins(mask);
  }
  const bool border = ref.form == Form::BorderMask || ref.form == Form::Hash;
  if (ref.form == Form::BorderMask && version < 7.4 && mask.maskType > 0) {
    // Older skins may not say that the edges stretch: they do when the centre of a frame
    // is a single pixel. A stretch the skin asks for is kept (Neutral2's buttons, 7.20).
    const int centreWidth = mask.FrameWidth() - mask.margins[0] - mask.margins[2];
    const int centreHeight = mask.FrameHeight() - mask.margins[1] - mask.margins[3];
    if (centreWidth == 1 && centreHeight == 1) {
      mask.drawMode = static_cast<std::int16_t>(mask.drawMode | 1);
    }
  }
  if (border && mask.margins[0] + mask.margins[1] + mask.margins[2] + mask.margins[3] == 0) {
    if (mask.borderWidth != 0) {
      mask.margins.fill(mask.borderWidth);
    } else {
      ComputeMargins(mask);
    }
  }
  if (border || (ref.form == Form::File && ref.kind == ImageKind::BorderMask) ||
      ref.form == Form::BareBitmap) {
    mask.cornerFill = CornerFill(mask, tables.SourceOf(mask), cornerFills);
  }
  return mask;
}

void LoadMasks(const DefinitionText& definition, DecodedSkinImages& images, SkinTables& tables) {
  CornerFills cornerFills;
  for (const Section& section : definition.Sections()) {
    std::set<std::string_view> seen;
    for (const DefinitionText::Key& key : section.keys) {
      if (!seen.insert(key.name).second) continue;  // the first occurrence counts
      if (section.name == kGlobalInfo && key.name == "MASTERBITMAP") continue;
      const std::optional<ImageReference> ref = ParseImageReference(key.value);
      if (!ref) continue;
      if (std::optional<TsMaskData> mask = MaskOf(*ref, section, key, images, cornerFills, tables)) {
        tables.masks.push_back(std::move(*mask));
      }
    }
  }
}

void LoadJpegTextures(const DefinitionText& definition, DecodedSkinImages& images,
                      SkinTables& tables) {
  for (const Section& section : definition.Sections()) {
    std::set<std::string_view> seen;
    for (const DefinitionText::Key& key : section.keys) {
      if (!seen.insert(key.name).second) continue;
      const std::string upper = UpperAscii(key.value);
      if (upper.find(".JPG") == std::string::npos && upper.find(".JPEG") == std::string::npos) {
        continue;
      }
      const std::shared_ptr<Bitmap32> image = images.Texture(upper, KeyPlace(section.name, key.name));
      if (!image) continue;
      const std::int64_t pixels = std::int64_t{image->Width()} * image->Height();
      if (pixels > kLargestTextureMask) {
        tables.patterns.push_back({image, UpperAscii(section.name), UpperAscii(key.name)});
        continue;
      }
      TsMaskData mask;
      mask.image = image;
      mask.sectionName = UpperAscii(section.name);
      mask.propertyName = UpperAscii(key.name);
      mask.rect = image->Bounds();
      mask.kind = ImageKind::Texture;
      tables.masks.push_back(std::move(mask));
    }
  }
}

// --- sections

std::vector<TsGradientPiece> ParseGradient(std::string_view data) {
  std::vector<std::int32_t> numbers;
  std::size_t start = 0;
  while (start <= data.size()) {
    const std::size_t end = data.find(';', start);
    const std::string_view item = data.substr(start, end == std::string_view::npos ? end : end - start);
    numbers.push_back(TryStrToInt(item).value_or(0));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  std::vector<TsGradientPiece> pieces;
  for (std::size_t i = 0; i + 5 <= numbers.size(); i += 5) {
    pieces.push_back({std::max(numbers[i], 0), std::max(numbers[i + 1], 0),
                      std::clamp(numbers[i + 2], 0, 100), numbers[i + 3]});
  }
  return pieces;
}

TsGeneralData ReadSection(const InheritedKeys& inherited, const Section& section,
                          std::size_t position) {
  const SectionReader keys(inherited, position);
  TsGeneralData data;
  const std::string* parent = section.Find("PARENTCLASS");
  data.parentClass = parent ? *parent : std::string();
  data.name = section.name;
  data.states = keys.Amount("STATES", 3);
  data.giveOwnFont = keys.Flag("GIVEOWNFONT");
  data.reservedBoolean = keys.Flag("RESERVEDBOOLEAN");
  data.showFocus = keys.Flag("SHOWFOCUS");
  data.glow = keys.Amount("GLOW", 0);
  data.glowMargin = keys.Amount("GLOWMARGIN", 0);
  data.color = keys.Int("COLOR", 0xFFFFFF);
  data.transparency = keys.Amount("TRANSPARENCY", 0);
  data.gradientPercent = keys.Amount("GRADIENTPERCENT", 0);
  data.gradientData = keys.Text("GRADIENTDATA", " ");
  data.imagePercent = keys.Amount("IMAGEPERCENT", 0);
  data.fontColor = {keys.Int("FONTCOLOR", 0), keys.Int("TCLEFT", -1), keys.Int("TCTOP", -1),
                    keys.Int("TCRIGHT", -1), keys.Int("TCBOTTOM", -1)};
  if (data.states >= 2) {
    data.hotColor = keys.Int("HOTCOLOR", 0xFFFFFF);
    data.hotTransparency = keys.Amount("HOTTRANSPARENCY", 0);
    data.hotGradientPercent = keys.Amount("HOTGRADIENTPERCENT", 0);
    data.hotGradientData = keys.Text("HOTGRADIENTDATA", "");
    data.hotImagePercent = keys.Amount("HOTIMAGEPERCENT", 0);
    data.hotFontColor = {keys.Int("HOTFONTCOLOR", 0), keys.Int("HOTTCLEFT", -1),
                         keys.Int("HOTTCTOP", -1), keys.Int("HOTTCRIGHT", -1),
                         keys.Int("HOTTCBOTTOM", -1)};
  }
  data.fadingEnabled = keys.Flag("FADINGENABLED");
  data.fadingIterations = keys.Amount("FADINGITERATIONS", 5);
  data.hotGlowColor = keys.Int("HGCOL", 0xFFFFFF);
  data.glowColor = keys.Int("GCOL", 0xFFFFFF);
  data.hotGlowSize = static_cast<std::uint8_t>(keys.Int("HGSIZE", 0));
  data.glowSize = static_cast<std::uint8_t>(keys.Int("GSIZE", 0));

  if (data.gradientData.size() < 2) data.gradientPercent = 0;
  if (data.hotGradientData.size() < 2) data.hotGradientPercent = 0;
  data.gradient = ParseGradient(data.gradientData);
  data.hotGradient = ParseGradient(data.hotGradientData);

  TsGenState& normal = data.props[0];
  normal.color = data.color;
  normal.fontColor = data.fontColor;
  normal.gradientPercent = data.gradientPercent;
  normal.gradientData = data.gradientData;
  normal.gradient = data.gradient;
  normal.imagePercent = data.imagePercent;
  normal.glowColor = data.glowColor;
  normal.glowSize = data.glowSize;
  normal.transparency = data.transparency;
  if (data.states < 2) {
    data.props[1] = normal;
  } else {
    TsGenState& hot = data.props[1];
    hot.color = data.hotColor;
    hot.fontColor = data.hotFontColor;
    hot.gradientPercent = data.hotGradientPercent;
    hot.gradientData = data.hotGradientData;
    hot.gradient = data.hotGradient;
    hot.imagePercent = data.hotImagePercent;
    hot.glowColor = data.hotGlowColor;
    hot.glowSize = data.hotGlowSize;
    hot.transparency = data.hotTransparency;
  }
  return data;
}

// --- global colours

bool NoColor(std::int32_t color) { return color == -1 || color == static_cast<std::int32_t>(kFuchsia); }

GlobalColors ReadGlobalColors(const DefinitionText& definition, const SkinTables& tables) {
  GlobalColors colors;
  const Section* global = definition.Find(kGlobalInfo);
  const auto globalInt = [global](std::string_view key, ColorRef otherwise) {
    const std::string* value = global ? global->Find(key) : nullptr;
    const std::optional<int> number = value ? TryStrToInt(*value) : std::nullopt;
    return number ? static_cast<ColorRef>(*number) : otherwise;
  };
  colors.global = globalInt("COLOR", GetSysColor(COLOR_BTNFACE));
  colors.globalFont = globalInt("FONTCOLOR", 0);
  colors.border = globalInt("BORDERCOLOR", 0);
  const auto sectionOf = [&tables](std::string_view name) -> const TsGeneralData* {
    const int index = tables.SectionIndex(name);
    return index < 0 ? nullptr : &tables.sections[static_cast<std::size_t>(index)];
  };
  if (const TsGeneralData* edit = sectionOf("EDIT")) {
    colors.edit = static_cast<ColorRef>(edit->props[0].color);
    colors.editFont = static_cast<ColorRef>(edit->props[0].fontColor[0]);
  } else {
    colors.edit = GetSysColor(COLOR_WINDOW);
    colors.editFont = GetSysColor(COLOR_WINDOWTEXT);
  }
  const TsGeneralData* selection = sectionOf("SELECTION");
  if (selection != nullptr && !NoColor(selection->props[0].fontColor[0])) {
    for (std::size_t state = 0; state < 2; ++state) {
      colors.highlight[state] = static_cast<ColorRef>(selection->props[state].color);
      colors.highlightFont[state] = static_cast<ColorRef>(selection->props[state].fontColor[0]);
    }
  } else if (const TsGeneralData* item = sectionOf("MENUITEM")) {
    colors.highlight.fill(static_cast<ColorRef>(item->hotColor));
    colors.highlightFont.fill(NoColor(item->hotFontColor[0]) ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                                             : static_cast<ColorRef>(item->hotFontColor[0]));
  } else {
    colors.highlight.fill(GetSysColor(COLOR_HIGHLIGHT));
    colors.highlightFont.fill(GetSysColor(COLOR_HIGHLIGHTTEXT));
  }
  return colors;
}

// --- hue and saturation

// Applies `change` to every colour of the tables that a recolouring touches.
template <typename Change>
void ChangeColors(SkinTables& tables, Change change) {
  const auto colour = [&change](std::int32_t& c) {
    if (c != -1) c = static_cast<std::int32_t>(change(static_cast<ColorRef>(c)));
  };
  const auto pieces = [&colour](std::vector<TsGradientPiece>& list) {
    for (TsGradientPiece& piece : list) {
      colour(piece.startColor);
      colour(piece.endColor);
    }
  };
  for (TsGeneralData& s : tables.sections) {
    colour(s.color);
    colour(s.hotColor);
    colour(s.glowColor);
    colour(s.hotGlowColor);
    for (std::int32_t& c : s.fontColor) colour(c);
    for (std::int32_t& c : s.hotFontColor) colour(c);
    pieces(s.gradient);
    pieces(s.hotGradient);
    for (TsGenState& state : s.props) {
      colour(state.color);
      for (std::int32_t& c : state.fontColor) colour(c);
      pieces(state.gradient);
    }
  }
  colour(tables.skinData.shadow1Color);
  GlobalColors& g = tables.colors;
  for (ColorRef* c : {&g.global, &g.globalFont, &g.edit, &g.editFont, &g.highlight[0],
                      &g.highlight[1], &g.highlightFont[0], &g.highlightFont[1], &g.border}) {
    *c = change(*c);
  }
}

// The title-bar images that BIKEEPHUE keeps as drawn.
bool KeepsHue(const TsMaskData& mask, int keepHue) {
  if (keepHue < 1 || mask.sectionName != kGlobalInfo) return false;
  std::string_view name = mask.propertyName;
  if (name.ends_with("GLOW0")) name.remove_suffix(5);
  for (std::string_view close : {"BICONCLOSE", "BICLOSEALONE", "SICONCLOSE"}) {
    if (name == close) return true;
  }
  if (keepHue != 1) return false;
  for (std::string_view other : {"BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP", "SICONMAX",
                                 "SICONMIN", "SICONNORM"}) {
    if (name == other) return true;
  }
  return false;
}

// Applies `change` once to every image of a mask for which `changes` is true. Masks share
// the images that several keys name: an image that a mask left unchanged also shows is
// copied first, and the changed masks take the copy, so no mask sees another's change.
template <typename Changes, typename Change>
void ChangeMaskImages(std::vector<TsMaskData>& masks, Changes changes, Change change) {
  std::set<const Bitmap32*> unchanged;
  for (const TsMaskData& mask : masks) {
    if (mask.image && !changes(mask)) unchanged.insert(mask.image.get());
  }
  std::map<const Bitmap32*, std::shared_ptr<Bitmap32>> changed;  // by the image shared before
  for (TsMaskData& mask : masks) {
    if (!mask.image || !changes(mask)) continue;
    auto [entry, first] = changed.try_emplace(mask.image.get());
    if (first) {
      entry->second = unchanged.contains(mask.image.get()) ? std::make_shared<Bitmap32>(*mask.image)
                                                           : mask.image;
      change(*entry->second);
    }
    mask.image = entry->second;
  }
}

void RotateHues(SkinTables& tables, int degrees) {
  const int keepHue = tables.skinData.biKeepHue;
  // The kept images cut from the master bitmap are put back after it turns.
  std::vector<std::pair<Rect, Bitmap32>> kept;
  for (const TsMaskData& mask : tables.masks) {
    if (mask.image || !KeepsHue(mask, keepHue)) continue;
    const Rect r = mask.rect.Intersect(tables.masterBitmap.Bounds());
    Bitmap32 copy(r.Width(), r.Height());
    for (int y = r.top; y < r.bottom; ++y) {
      std::copy_n(tables.masterBitmap.Row(y) + r.left, r.Width(), copy.Row(y - r.top));
    }
    kept.emplace_back(r, std::move(copy));
  }
  RotateHue(tables.masterBitmap, tables.masterBitmap.Bounds(), degrees);
  for (const auto& [r, copy] : kept) {
    for (int y = r.top; y < r.bottom; ++y) {
      std::copy_n(copy.Row(y - r.top), r.Width(), tables.masterBitmap.Row(y) + r.left);
    }
  }
  ChangeMaskImages(
      tables.masks, [keepHue](const TsMaskData& mask) { return !KeepsHue(mask, keepHue); },
      [degrees](Bitmap32& image) { RotateHue(image, image.Bounds(), degrees); });
  ChangeColors(tables, [degrees](ColorRef c) { return RotateHue(c, degrees); });
}

void ChangeSaturations(SkinTables& tables, int amount) {
  ChangeSaturation(tables.masterBitmap, tables.masterBitmap.Bounds(), amount);
  ChangeMaskImages(
      tables.masks, [](const TsMaskData&) { return true; },
      [amount](Bitmap32& image) { ChangeSaturation(image, image.Bounds(), amount); });
  ChangeColors(tables, [amount](ColorRef c) { return ChangeSaturation(c, amount); });
}

// --- indices

void ComputeIndices(SkinTables& tables) {
  // Every section at once, so that long parent chains cost no more than short ones.
  const std::vector<int> borders = tables.MaskIndices("BORDERSMASK");
  const std::array<std::vector<int>, 4> corners = {
      tables.MaskIndices("IMGTOPLEFT"), tables.MaskIndices("IMGTOPRIGHT"),
      tables.MaskIndices("IMGBTMLEFT"), tables.MaskIndices("IMGBTMRIGHT")};
  const std::vector<int> textures = tables.TextureIndices("PATTERN");
  const std::vector<int> hotTextures = tables.TextureIndices("HOTPATTERN");
  for (std::size_t i = 0; i < tables.sections.size(); ++i) {
    TsGeneralData& s = tables.sections[i];
    if (s.name == kGlobalInfo) continue;
    s.borderIndex = borders[i];
    for (std::size_t c = 0; c < 4; ++c) s.cornerIndex[c] = corners[c][i];
    s.textureIndex = textures[i];
    s.props[0].textureIndex = s.textureIndex;
    s.props[1].textureIndex = s.states < 2 ? s.textureIndex : hotTextures[i];
  }
  WellKnownIndices& known = tables.indices;
  known = WellKnownIndices();
  for (std::size_t id = 0; id < known.sections.size(); ++id) {
    const std::string_view name = kSkinSectionNames[id];
    SectionIndices& entry = known.sections[id];
    entry.section = tables.SectionIndex(name);
    if (entry.section < 0) continue;
    entry.borderMask = tables.MaskIndex(entry.section, name, "BORDERSMASK");
    entry.texture = tables.TextureIndex(entry.section, name, "PATTERN");
    entry.hotTexture = tables.TextureIndex(entry.section, name, "HOTPATTERN");
    entry.glyphMask = tables.MaskIndex(entry.section, name, "GLYPHMASK");
  }
  const int global = known.Of(SkinSectionId::GLOBALINFO).section;
  if (global < 0) return;
  for (std::size_t image = 0; image < known.globalImages.size(); ++image) {
    known.globalImages[image] = tables.MaskIndex(global, kGlobalInfo, kGlobalImageNames[image]);
  }
}

}  // namespace

double StrToFloat(std::string_view text) {
  double value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
  if (text.empty() || error != std::errc() || end != last) {
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
  }
  return value;
}

double ReadSkinVersion(const DefinitionText& definition) {
  const Section* global = definition.Find(kGlobalInfo);
  const std::string* value = global ? global->Find("VERSION") : nullptr;
  return value ? StrToFloat(*value) : 0;
}

SkinTables LoadSkinDefinition(const DefinitionText& definition, const SkinImageSource& images,
                              const SkinLoadOptions& options) {
  SkinTables tables;
  const Section* global = definition.Find(kGlobalInfo);
  tables.skinData = ReadSkinData(global, ReadSkinVersion(definition));
  DecodedSkinImages decoded(images, tables.skinData.version);
  if (!tables.skinData.masterBitmapName.empty()) {
    tables.masterBitmap =
        decoded.OwnImage(tables.skinData.masterBitmapName, KeyPlace(kGlobalInfo, "MASTERBITMAP"));
  }
  LoadMasks(definition, decoded, tables);
  LoadJpegTextures(definition, decoded, tables);
  const InheritedKeys inherited(definition, kSectionKeys);
  tables.sections.reserve(definition.Sections().size());
  for (std::size_t i = 0; i < definition.Sections().size(); ++i) {
    tables.sections.push_back(ReadSection(inherited, definition.Sections()[i], i));
  }
  tables.IndexNames();
  tables.colors = ReadGlobalColors(definition, tables);
  if (options.hueOffset % 360 != 0) RotateHues(tables, options.hueOffset);
  if (options.saturation % 101 != 0) ChangeSaturations(tables, options.saturation % 101);
  ComputeIndices(tables);
  return tables;
}

}  // namespace tappomat
