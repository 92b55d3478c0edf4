#pragma once
// Where a marker window goes for a row of the script grid: its picture's centre on the
// row's click point. Called by the player (start marker) and the main window when the
// current row changes.
#include "imaging/geometry.h"

namespace tappomat {

class TStringGrid;

// The marker's top-left corner for `row`: (X − 20, Y − 20) from the row's X and Y cells
// (kXCol, kYCol). The cells convert as the player converts them (StrToInt of
// ui/convert.h), so the marker sits where the click will go. A cell that does not convert, an
// empty one included, or a row or column the grid lacks gives (0, 0) and no error: a
// marker is only a hint, so a bad row must not stop anything.
Point MarkerPosition(const TStringGrid& grid, int row);

}  // namespace tappomat
