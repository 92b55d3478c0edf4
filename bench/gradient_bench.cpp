// Gradients and fills at the sizes the program paints: a 400x350 main window and a
// 1024x768 screen.
#include <benchmark/benchmark.h>

#include "gdi/gradient.h"
#include "gdi/primitives.h"

namespace tappomat {
namespace {

void RunRectGradient(benchmark::State& state, GradientFillMode mode) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  Bitmap32 bmp(width, height);
  DeviceContext dc(bmp);
  const TRIVERTEX vertices[] = {{0, 0, 0x0A00, 0x2400, 0x6A00, 0xFF00},
                                {width, height, 0xA600, 0xCA00, 0xF000, 0xFF00}};
  const GRADIENT_RECT mesh[] = {{0, 1}};
  for (auto _ : state) {
    GradientFill(dc, vertices, mesh, mode);
    benchmark::DoNotOptimize(bmp.Row(0));
  }
  state.SetItemsProcessed(state.iterations() * width * height);
}

void BM_GradientFillHorizontal(benchmark::State& state) {
  RunRectGradient(state, GRADIENT_FILL_RECT_H);
}
void BM_GradientFillVertical(benchmark::State& state) {
  RunRectGradient(state, GRADIENT_FILL_RECT_V);
}

// The whole bitmap as two triangles.
void BM_GradientFillTriangles(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  Bitmap32 bmp(width, height);
  DeviceContext dc(bmp);
  const TRIVERTEX vertices[] = {{0, 0, 0xFF00, 0, 0, 0xFF00},
                                {width, 0, 0, 0xFF00, 0, 0xFF00},
                                {width, height, 0, 0, 0xFF00, 0xFF00},
                                {0, height, 0x8000, 0x8000, 0x8000, 0xFF00}};
  const GRADIENT_TRIANGLE mesh[] = {{0, 1, 2}, {0, 2, 3}};
  for (auto _ : state) {
    GradientFill(dc, vertices, mesh);
    benchmark::DoNotOptimize(bmp.Row(0));
  }
  state.SetItemsProcessed(state.iterations() * width * height);
}

void BM_FillRect(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  Bitmap32 bmp(width, height);
  DeviceContext dc(bmp);
  for (auto _ : state) {
    FillRect(dc, {0, 0, width, height}, RGB(212, 208, 200));
    benchmark::DoNotOptimize(bmp.Row(0));
  }
  state.SetItemsProcessed(state.iterations() * width * height);
}

BENCHMARK(BM_GradientFillHorizontal)->Args({400, 350})->Args({1024, 768});
BENCHMARK(BM_GradientFillVertical)->Args({400, 350})->Args({1024, 768});
BENCHMARK(BM_GradientFillTriangles)->Args({400, 350})->Args({1024, 768});
BENCHMARK(BM_FillRect)->Args({400, 350});

}  // namespace
}  // namespace tappomat
