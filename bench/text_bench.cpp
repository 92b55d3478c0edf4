// Text drawing and measuring as the window system uses them: a dialog label, a grid cell
// and a word-wrapped paragraph on a 400x350 bitmap, with the glyph cache warm.
#include <benchmark/benchmark.h>

#include "gdi/device_context.h"
#include "gdi/text.h"

namespace tappomat {
namespace {

constexpr const char* kParagraph =
    "Скрипт записывает щелчки мыши вместе с задержками между ними и воспроизводит их по "
    "нажатию Alt+F2. The script records mouse clicks together with the delays between them "
    "and plays them back when you press Alt+F2. Запись начинается и заканчивается по Alt+F1; "
    "каждая строка таблицы — одна точка: координаты, кнопка и пауза в миллисекундах. Each row "
    "of the table is one point: coordinates, button and a pause in milliseconds.";

class Canvas {
 public:
  explicit Canvas(int height) : m_bitmap(400, 350, MakePixel(255, 255, 255)), m_dc(m_bitmap) {
    LogicalFont font;
    font.name = "MS Sans Serif";
    font.height = height;
    m_dc.SetFont(font);
    m_dc.SetBkMode(BkMode::Transparent);
  }
  DeviceContext& Dc() { return m_dc; }

  // Draws once so that the glyphs are cached before timing, then times drawing.
  void Run(benchmark::State& state, const char* text, const Rect& rect, unsigned format) {
    Rect r = rect;
    DrawText(m_dc, text, r, format);
    for (auto _ : state) {
      r = rect;
      benchmark::DoNotOptimize(DrawText(m_dc, text, r, format));
    }
    benchmark::DoNotOptimize(m_bitmap.Pixels().data());
  }

 private:
  Bitmap32 m_bitmap;
  DeviceContext m_dc;
};

void BM_DrawTextLabel(benchmark::State& state) {
  Canvas canvas(-11);
  canvas.Run(state, "&Delay between clicks, ms:", Rect{8, 8, 220, 24}, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}
BENCHMARK(BM_DrawTextLabel);

void BM_DrawTextGridCell(benchmark::State& state) {
  Canvas canvas(-11);
  canvas.Dc().SetBkMode(BkMode::Opaque);
  canvas.Run(state, "ЛКМ 1024, 768 — пауза 150 мс", Rect{100, 40, 180, 58},
             DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}
BENCHMARK(BM_DrawTextGridCell);

void BM_DrawTextParagraph(benchmark::State& state) {
  Canvas canvas(-13);
  canvas.Run(state, kParagraph, Rect{10, 10, 390, 340}, DT_WORDBREAK | DT_NOPREFIX);
}
BENCHMARK(BM_DrawTextParagraph);

void BM_CalcRectParagraph(benchmark::State& state) {
  Canvas canvas(-13);
  canvas.Run(state, kParagraph, Rect{10, 10, 390, 10}, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
}
BENCHMARK(BM_CalcRectParagraph);

void BM_GetTextExtent(benchmark::State& state) {
  Canvas canvas(-11);
  const char* text = "Скрипт: Запись Alt+F1, Старт Alt+F2";
  benchmark::DoNotOptimize(GetTextExtent(canvas.Dc(), text));
  for (auto _ : state) benchmark::DoNotOptimize(GetTextExtent(canvas.Dc(), text));
}
BENCHMARK(BM_GetTextExtent);

}  // namespace
}  // namespace tappomat
