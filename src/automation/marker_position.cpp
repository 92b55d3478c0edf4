#include "automation/marker_position.h"

#include <cstdint>
#include <limits>
#include <optional>

#include "automation/marker_picture.h"
#include "automation/script_table.h"
#include "ui/convert.h"
#include "ui/string_grid.h"

namespace tappomat {
namespace {

// A coordinate cell less the marker's half size; nullopt when the cell does not convert
// or the corner would not fit an int.
std::optional<int> CornerFrom(const std::string& cell) {
  const std::optional<int> value = TryStrToInt(cell);
  if (!value) return std::nullopt;
  const std::int64_t corner = std::int64_t{*value} - kMarkerCenter;
  if (corner < std::numeric_limits<int>::min()) return std::nullopt;
  return static_cast<int>(corner);
}

}  // namespace

Point MarkerPosition(const TStringGrid& grid, int row) {
  if (row < 0 || row >= grid.RowCount() || kYCol >= grid.ColCount()) return {};
  const std::optional<int> left = CornerFrom(grid.Cells(kXCol, row));
  const std::optional<int> top = CornerFrom(grid.Cells(kYCol, row));
  if (!left || !top) return {};
  return {*left, *top};
}

}  // namespace tappomat
