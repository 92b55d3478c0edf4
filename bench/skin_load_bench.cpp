// Loading the built-in skin as the main window does at start: reading its package
// (inflating every entry), parsing the definition and building every table, and the parts
// alone.
#include <benchmark/benchmark.h>

#include "app/embedded_resources.h"
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

void BM_LoadSkin(benchmark::State& state) {
  const EmbeddedResource* skin = Neutral2();
  if (skin == nullptr) {
    state.SkipWithError("no built-in Neutral2 skin");
    return;
  }
  for (auto _ : state) {
    const SkinPackageRead read = ReadSkinPackage(skin->bytes);
    const std::string_view text(reinterpret_cast<const char*>(read.package.definition.data()),
                                read.package.definition.size());
    const PackedImageSource images(read.package);
    benchmark::DoNotOptimize(LoadSkinDefinition(DefinitionText::Parse(text), images));
  }
}
BENCHMARK(BM_LoadSkin)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tappomat
