// Pixel operations on window-sized bitmaps (400x350, the main window, and 1024x768):
// what a full repaint of a skinned window costs in blending and stretching.
#include <benchmark/benchmark.h>

#include "imaging/pixel_ops.h"

namespace tappomat {
namespace {

// A premultiplied source with a spread of alpha values, as skin images have after loading.
Bitmap32 SkinLikeBitmap(int width, int height) {
  Bitmap32 bmp(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto a = static_cast<std::uint8_t>((x * 7 + y * 3) & 0xFF);
      bmp.At(x, y) = MakePixel(static_cast<std::uint8_t>(x & a), static_cast<std::uint8_t>(y & a),
                               static_cast<std::uint8_t>((x ^ y) & a), a);
    }
  }
  return bmp;
}

void SetPixelsProcessed(benchmark::State& state, const Bitmap32& dst) {
  state.SetItemsProcessed(state.iterations() * dst.Width() * dst.Height());
}

void BM_AlphaBlendPerPixel(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const Bitmap32 src = SkinLikeBitmap(w, h);
  Bitmap32 dst(w, h, MakePixel(30, 60, 90));
  for (auto _ : state) {
    AlphaBlend(dst, {0, 0}, src, src.Bounds(), 200, AlphaMode::PerPixel);
    benchmark::DoNotOptimize(dst.Pixels().data());
  }
  SetPixelsProcessed(state, dst);
}

void BM_AlphaBlendConstant(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const Bitmap32 src = SkinLikeBitmap(w, h);
  Bitmap32 dst(w, h, MakePixel(30, 60, 90));
  for (auto _ : state) {
    AlphaBlend(dst, {0, 0}, src, src.Bounds(), 128, AlphaMode::Constant);
    benchmark::DoNotOptimize(dst.Pixels().data());
  }
  SetPixelsProcessed(state, dst);
}

void BM_BlendWithWeight(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const Bitmap32 src = SkinLikeBitmap(w, h);
  Bitmap32 dst(w, h, MakePixel(30, 60, 90));
  for (auto _ : state) {
    BlendWithWeight(dst, {0, 0}, src, src.Bounds(), 100);
    benchmark::DoNotOptimize(dst.Pixels().data());
  }
  SetPixelsProcessed(state, dst);
}

// The third argument is the source size in percent of the destination: 150 shrinks
// (skin pictures drawn smaller), 67 enlarges (caption and border pieces stretched).
template <StretchMode mode>
void BM_StretchCopy(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const auto percent = state.range(2);
  const Bitmap32 src =
      SkinLikeBitmap(static_cast<int>(w * percent / 100), static_cast<int>(h * percent / 100));
  Bitmap32 dst(w, h);
  for (auto _ : state) {
    StretchCopy(dst, dst.Bounds(), dst.Bounds(), src, src.Bounds(), mode);
    benchmark::DoNotOptimize(dst.Pixels().data());
  }
  SetPixelsProcessed(state, dst);
}

void WindowSizes(benchmark::internal::Benchmark* b) { b->Args({400, 350})->Args({1024, 768}); }

void StretchSizes(benchmark::internal::Benchmark* b) {
  for (int percent : {67, 150}) b->Args({400, 350, percent})->Args({1024, 768, percent});
}

BENCHMARK(BM_AlphaBlendPerPixel)->Apply(WindowSizes);
BENCHMARK(BM_AlphaBlendConstant)->Apply(WindowSizes);
BENCHMARK(BM_BlendWithWeight)->Apply(WindowSizes);
BENCHMARK(BM_StretchCopy<StretchMode::Nearest>)->Apply(StretchSizes);
BENCHMARK(BM_StretchCopy<StretchMode::ColorOnColor>)->Apply(StretchSizes);

}  // namespace
}  // namespace tappomat
