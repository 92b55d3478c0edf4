#include <benchmark/benchmark.h>

#include "imaging/region.h"

namespace tappomat {
namespace {

void BM_RegionFromColorKey(benchmark::State& state) {
  Bitmap32 bmp(400, 350, MakePixel(0, 0, 0));
  for (int y = 100; y < 250; ++y) {
    for (int x = 100 + (y % 7); x < 300 - (y % 5); ++x) bmp.At(x, y) = MakePixel(255, 0, 0);
  }
  for (auto _ : state) benchmark::DoNotOptimize(Region::FromColorKey(bmp, MakePixel(0, 0, 0)));
}
BENCHMARK(BM_RegionFromColorKey);

}  // namespace
}  // namespace tappomat
