#pragma once
// How the main window's script grid draws its button and delay columns: the button code
// becomes the button's name, the pause in milliseconds a readable duration. The texts are
// pure functions so that they can be checked without a window; DrawScriptCell is what the
// grid's OnDrawCell handler calls for every cell, after the grid's standard painting.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/grid_texts.h"
#include "automation/script_table.h"
#include "imaging/geometry.h"
#include "ui/canvas.h"
#include "ui/string_grid.h"

namespace tappomat {

// "0" is the left button; any other code, even one the player treats as a plain move, shows
// as the right one.
std::string_view ButtonText(std::string_view code, const GridTexts& texts);

// A pause as the delay column shows it: "300 ms", "1,5 sec" (the user's separator) or
// "1:1,500" (minutes:seconds,milliseconds, always with a comma and no unit).
std::string DelayText(std::int64_t milliseconds, const GridTexts& texts);

// Paints a non-empty data cell of the button or delay column over the standard painting,
// in the background and text colours the grid put into the canvas's brush and font.
// Every other cell, and a delay cell whose text is not an integer, is left as it is.
void DrawScriptCell(TCanvas& canvas, const TStringGrid& grid, int col, int row,
                    const Rect& rect, TGridDrawState state, const GridTexts& texts);

}  // namespace tappomat
