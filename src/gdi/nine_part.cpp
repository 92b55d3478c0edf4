#include "gdi/nine_part.h"

#include <algorithm>

#include "imaging/color.h"

namespace tappomat {
namespace {

// One piece: the source part `from` (in image coordinates) laid over `to`, tiled or
// stretched, with the pixel rules of its kind.
struct Piece {
  Rect from;
  Rect to;
  bool stretch = false;
  bool corner = false;
};

// s + ((d - s) * m) / 256, rounded down (towards minus infinity, also when d < s).
std::uint8_t BlendChannel(std::uint8_t s, std::uint8_t d, std::uint8_t m) {
  return static_cast<std::uint8_t>(s + (((d - s) * m) >> 8));
}

Pixel Background(const NinePartCornerFill& fill, int x, int y) {
  if (fill.image != nullptr) {
    const int bx = x + fill.offset.x, by = y + fill.offset.y;
    if (bx >= 0 && by >= 0 && bx < fill.image->Width() && by < fill.image->Height()) {
      return fill.image->At(bx, by);
    }
  }
  return PixelRGB(fill.color) | 0xFF000000u;
}

void DrawPiece(Bitmap32& target, const Piece& piece, const NinePartSource& source,
               const std::optional<NinePartCornerFill>& cornerFill) {
  const int fromWidth = piece.from.Width(), fromHeight = piece.from.Height();
  const int toWidth = piece.to.Width(), toHeight = piece.to.Height();
  if (fromWidth <= 0 || fromHeight <= 0 || toWidth <= 0 || toHeight <= 0) return;
  const Bitmap32& image = *source.image;
  const Rect visible = piece.to.Intersect(target.Bounds());
  for (int y = visible.top; y < visible.bottom; ++y) {
    const int dy = y - piece.to.top;
    const int sy = piece.from.top + (piece.stretch ? dy * fromHeight / toHeight : dy % fromHeight);
    Pixel* row = target.Row(y);
    for (int x = visible.left; x < visible.right; ++x) {
      const int dx = x - piece.to.left;
      const int sx = piece.from.left + (piece.stretch ? dx * fromWidth / toWidth : dx % fromWidth);
      if (sx < 0 || sy < 0 || sx >= image.Width() || sy >= image.Height()) continue;
      const Pixel s = image.At(sx, sy);
      if (IsFuchsia(s)) {
        if (piece.corner && cornerFill) row[x] = Background(*cornerFill, x, y);
        if (piece.corner || source.alphaRow) continue;
      }
      if (!source.alphaRow) {
        row[x] = s;
        continue;
      }
      const int my = sy + *source.alphaRow;
      if (my >= image.Height()) continue;
      const Pixel m = image.At(sx, my);
      const Pixel d = row[x];
      row[x] = MakePixel(BlendChannel(PixelR(s), PixelR(d), PixelR(m)),
                         BlendChannel(PixelG(s), PixelG(d), PixelG(m)),
                         BlendChannel(PixelB(s), PixelB(d), PixelB(m)), 255);
    }
  }
}

// Squeezes two margins into `size`: the difference comes off both, the odd pixel off the
// second.
void Squeeze(int& first, int& second, int size) {
  if (size >= first + second) return;
  const int d = first + second - size;
  first = std::max(first - d / 2, 0);
  second = std::max(second - d / 2 - d % 2, 0);
}

}  // namespace

NinePartMargins FittedMargins(NinePartMargins margins, Size size) {
  Squeeze(margins.left, margins.right, size.width);
  Squeeze(margins.top, margins.bottom, size.height);
  return margins;
}

void DrawNinePart(Bitmap32& target, const Rect& dest, const NinePartSource& source,
                  const std::optional<NinePartCornerFill>& cornerFill) {
  if (source.image == nullptr || dest.Width() < 2 || dest.Height() < 2) return;
  const NinePartMargins m = FittedMargins(source.margins, dest.GetSize());
  const Rect& f = source.frame;
  const int w = f.Width(), h = f.Height();
  const int centreWidth = w - m.left - m.right, centreHeight = h - m.top - m.bottom;
  if (centreWidth < 0 || centreHeight < 0) return;
  const bool stretch = (source.mode & kNinePartStretch) != 0;

  // Source columns and rows of the three bands, and where they go.
  const int sx[4] = {f.left, f.left + m.left, f.right - m.right, f.right};
  const int sy[4] = {f.top, f.top + m.top, f.bottom - m.bottom, f.bottom};
  const int dx[4] = {dest.left, dest.left + m.left, dest.right - m.right, dest.right};
  const int dy[4] = {dest.top, dest.top + m.top, dest.bottom - m.bottom, dest.bottom};
  const auto piece = [&](int column, int row, bool corner) {
    return Piece{{sx[column], sy[row], sx[column + 1], sy[row + 1]},
                 {dx[column], dy[row], dx[column + 1], dy[row + 1]},
                 stretch && !corner, corner};
  };
  const Piece pieces[] = {
      piece(1, 0, false), piece(0, 1, false), piece(2, 1, false), piece(1, 2, false),
      piece(0, 0, true),  piece(2, 0, true),  piece(0, 2, true),  piece(2, 2, true),
  };
  if (source.mode & kNinePartCentre) DrawPiece(target, piece(1, 1, false), source, cornerFill);
  for (const Piece& p : pieces) DrawPiece(target, p, source, cornerFill);
}

}  // namespace tappomat
