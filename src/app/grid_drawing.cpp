#include "app/grid_drawing.h"

#include <optional>

#include "gdi/device_context.h"
#include "gdi/text.h"
#include "ui/convert.h"

namespace tappomat {

std::string_view ButtonText(std::string_view code, const GridTexts& texts) {
  return code == "0" ? texts.leftButton : texts.rightButton;
}

std::string DelayText(std::int64_t milliseconds, const GridTexts& texts) {
  const std::int64_t n = milliseconds;
  if (n >= 60000) {
    // The minute form always separates the milliseconds with a comma, whatever the
    // locale, and writes them without leading zeros: 61500 is "1:1,500", 3723004 "62:3,4".
    return std::to_string(n / 60000) + ":" + std::to_string(n % 60000 / 1000) + "," +
           std::to_string(n % 1000);
  }
  if (n < 1000) return std::to_string(n) + " " + std::string(texts.millisecondsUnit);
  // n / 1000 in the shortest decimal form: no separator for whole seconds, no trailing
  // zeros. Whole numbers of milliseconds below a minute need at most five significant
  // digits, so this is exactly the 15-digit general format of the quotient.
  std::string text = std::to_string(n / 1000);
  if (const std::int64_t rest = n % 1000; rest != 0) {
    std::string fraction = std::to_string(1000 + rest).substr(1);  // three digits
    while (fraction.back() == '0') fraction.pop_back();
    text += std::string(texts.decimalSeparator) + fraction;
  }
  return text + " " + std::string(texts.secondsUnit);
}

void DrawScriptCell(TCanvas& canvas, const TStringGrid& grid, int col, int row,
                    const Rect& rect, TGridDrawState /*state*/, const GridTexts& texts) {
  if (row < 1 || (col != kButtonCol && col != kDelayCol)) return;
  const std::string& cell = grid.Cells(col, row);
  if (cell.empty()) return;
  std::string text;
  unsigned format = 0;
  if (col == kButtonCol) {
    text = ButtonText(cell, texts);
    format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  } else {
    // A cell that is not a number (the table should never hold one) keeps its raw text
    // rather than raising an error from inside painting.
    const std::optional<std::int64_t> milliseconds = TryStrToInt64(cell);
    if (!milliseconds) return;
    text = DelayText(*milliseconds, texts);
    // From the very corner, wrapping between words: a long duration breaks onto a second
    // line that the row height then clips.
    format = DT_WORDBREAK;
  }
  DeviceContext* dc = canvas.Handle();
  if (!dc) return;
  // The brush holds the background the grid chose for this cell's state; filling with it
  // hides the raw text of the standard painting.
  canvas.FillRect(rect);
  DeviceContext::Saver saver(*dc);
  dc->IntersectClipRect(rect);
  dc->SetFont(canvas.Font().ToLogicalFont());
  dc->SetTextColor(ColorToRGB(canvas.Font().Color()));
  dc->SetBkMode(BkMode::Transparent);
  Rect textRect = rect;
  DrawText(*dc, text, textRect, format);
}

}  // namespace tappomat
