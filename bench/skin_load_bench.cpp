// Loading the built-in skin as the main window does at start: reading its package
// (inflating every entry), parsing the definition and building every table, and the parts
// alone.
#include <benchmark/benchmark.h>

#include <set>

#include "app/embedded_resources.h"
#include "skin/paint/section_paint.h"
#include "skin/data/skin_loader.h"

namespace tappomat {
namespace {

const EmbeddedResource* Neutral2() {
  for (const EmbeddedResource& skin : InternalSkinPackages()) {
    if (skin.name == "Neutral2 (internal)") return &skin;
  }
  return nullptr;
}

void BM_ReadSkinPackage(benchmark::State& state) {
  const EmbeddedResource* skin = Neutral2();
  if (skin == nullptr) {
    state.SkipWithError("no built-in Neutral2 skin");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(ReadSkinPackage(skin->bytes));
  state.counters["package bytes"] = static_cast<double>(skin->bytes.size());
}
BENCHMARK(BM_ReadSkinPackage)->Unit(benchmark::kMicrosecond);

// What the loaded tables hold in memory, roughly: the pixels of every image and the
// records with their texts.
double TableBytes(const SkinTables& tables) {
  double bytes = static_cast<double>(tables.masterBitmap.Pixels().size_bytes());
  std::set<const Bitmap32*> images;
  for (const TsMaskData& mask : tables.masks) {
    bytes += sizeof mask + mask.sectionName.capacity() + mask.propertyName.capacity();
    if (mask.image && images.insert(mask.image.get()).second) {
      bytes += static_cast<double>(mask.image->Pixels().size_bytes());
    }
  }
  for (const TsPatternData& pattern : tables.patterns) {
    bytes += static_cast<double>(pattern.image->Pixels().size_bytes());
  }
  for (const TsGeneralData& section : tables.sections) {
    bytes += sizeof section + section.name.capacity() + section.gradientData.capacity() +
             section.hotGradientData.capacity() +
             sizeof(TsGradientPiece) * 2 * (section.gradient.size() + section.hotGradient.size());
  }
  return bytes;
}

void BM_LoadSkin(benchmark::State& state) {
  const EmbeddedResource* skin = Neutral2();
  if (skin == nullptr) {
    state.SkipWithError("no built-in Neutral2 skin");
    return;
  }
  double tableBytes = 0;
  for (auto _ : state) {
    const SkinPackageRead read = ReadSkinPackage(skin->bytes);
    const std::string_view text(reinterpret_cast<const char*>(read.package.definition.data()),
                                read.package.definition.size());
    const PackedImageSource images(read.package);
    const SkinTables tables = LoadSkinDefinition(DefinitionText::Parse(text), images);
    tableBytes = TableBytes(tables);
    benchmark::DoNotOptimize(tables);
  }
  state.counters["table bytes"] = tableBytes;
}
BENCHMARK(BM_LoadSkin)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tappomat

namespace tappomat {
namespace {

// Painting the built-in BUTTON section into a 75 x 25 cache, as a button rebuilds it
// (background gradient, border mask with its corner fill); the caption is not included.
void BM_PaintButtonSection(benchmark::State& state) {
  const EmbeddedResource* skin = Neutral2();
  if (skin == nullptr) {
    state.SkipWithError("no built-in Neutral2 skin");
    return;
  }
  const SkinPackageRead read = ReadSkinPackage(skin->bytes);
  const std::string_view text(reinterpret_cast<const char*>(read.package.definition.data()),
                              read.package.definition.size());
  const SkinTables tables = LoadSkinDefinition(DefinitionText::Parse(text), PackedImageSource(read.package));
  SectionPaint paint;
  paint.sectionIndex = tables.SectionIndex("BUTTON");
  paint.paintState = static_cast<int>(state.range(0));
  ParentBackground parent;
  parent.fill = 0xC0C0C0;
  Bitmap32 cache(75, 25);
  for (auto _ : state) {
    PaintSection(cache, cache.Bounds(), tables, paint, parent);
    benchmark::DoNotOptimize(cache.Pixels().data());
  }
}
BENCHMARK(BM_PaintButtonSection)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tappomat

namespace tappomat {
namespace {

// Skins built to be costly: very many sections, a parent chain thousands deep and a loop
// of as many sections. Parsing and loading should grow linearly with their size.
class NoImages final : public SkinImageSource {
 public:
  std::optional<ImageBytes> Find(std::string_view) const override { return std::nullopt; }
};

constexpr const char* kBenchBorder = "BORDERSMASK=^0000^0000^0009^0006^0000^0000^0000^0000^1^0^1^0\n";

std::string ManySections(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "[S" + std::to_string(i) + "]\nCOLOR=1\n" + kBenchBorder;
  return text;
}

// Each section the parent of the next; with `loop` the last names the first.
std::string ParentChain(int depth, bool loop) {
  std::string text = std::string("[S0]\nCOLOR=255\n") + kBenchBorder;
  if (loop) text += "PARENTCLASS=S" + std::to_string(depth - 1) + "\n";
  for (int i = 1; i < depth; ++i) {
    text += "[S" + std::to_string(i) + "]\nPARENTCLASS=S" + std::to_string(i - 1) + "\n";
  }
  return text;
}

void LoadText(benchmark::State& state, const std::string& text) {
  const NoImages images;
  for (auto _ : state) {
    const SkinTables tables = LoadSkinDefinition(DefinitionText::Parse(text), images);
    benchmark::DoNotOptimize(tables.sections.data());
  }
  state.counters["definition bytes"] = static_cast<double>(text.size());
}

void BM_LoadManySections(benchmark::State& state) {
  LoadText(state, ManySections(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_LoadManySections)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoadDeepParentChain(benchmark::State& state) {
  LoadText(state, ParentChain(static_cast<int>(state.range(0)), false));
}
BENCHMARK(BM_LoadDeepParentChain)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LoadParentLoop(benchmark::State& state) {
  LoadText(state, ParentChain(static_cast<int>(state.range(0)), true));
}
BENCHMARK(BM_LoadParentLoop)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tappomat
