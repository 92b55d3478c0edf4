#include "app/art.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <span>
#include <vector>

#include "imaging/pixel_ops.h"

namespace tappomat {
namespace {

// A colour with straight alpha, channels 0 … 255 and alpha 0 … 1.
struct Rgba {
  double r = 0;
  double g = 0;
  double b = 0;
  double a = 0;
};

constexpr Rgba Opaque(double r, double g, double b) { return {r, g, b, 1.0}; }
constexpr Rgba kClear{};

Rgba Darker(Rgba c, double factor) { return {c.r * factor, c.g * factor, c.b * factor, c.a}; }
Rgba Mix(Rgba from, Rgba to, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
          from.a + (to.a - from.a) * t};
}
// `top` painted over `bottom`.
Rgba Over(Rgba top, Rgba bottom) {
  const double a = top.a + bottom.a * (1 - top.a);
  if (a <= 0) return kClear;
  const auto channel = [&](double t, double b) {
    return (t * top.a + b * bottom.a * (1 - top.a)) / a;
  };
  return {channel(top.r, bottom.r), channel(top.g, bottom.g), channel(top.b, bottom.b), a};
}

// A picture as a function: the colour at a point (pixel (x, y) spans [x, x + 1)).
using Scene = std::function<Rgba(double x, double y)>;

// Each pixel is the average of the scene over an n × n grid of points inside it, averaged
// with premultiplied colour so that transparent samples do not darken the edges.
Bitmap32 Render(int width, int height, const Scene& scene, int n = 8) {
  Bitmap32 out(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < n; ++sy) {
        for (int sx = 0; sx < n; ++sx) {
          const Rgba c = scene(x + (sx + 0.5) / n, y + (sy + 0.5) / n);
          r += c.r * c.a;
          g += c.g * c.a;
          b += c.b * c.a;
          a += c.a;
        }
      }
      if (a <= 0) continue;
      const auto byte = [](double v) {
        return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
      };
      out.At(x, y) = MakePixel(byte(r / a), byte(g / a), byte(b / a), byte(a / (n * n) * 255));
    }
  }
  return out;
}

struct Vec {
  double x = 0;
  double y = 0;
};

double Length(double x, double y) { return std::sqrt(x * x + y * y); }

double DistanceToSegment(Vec p, Vec a, Vec b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double lengthSquared = dx * dx + dy * dy;
  double t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0;
  t = std::clamp(t, 0.0, 1.0);
  return Length(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Distance to the nearest edge of a closed polygon, or to the segments of a polyline.
double DistanceToPath(Vec p, std::span<const Vec> points, bool closed) {
  double best = std::numeric_limits<double>::infinity();
  const std::size_t count = points.size();
  for (std::size_t i = 0; i + 1 < count + (closed ? 1 : 0); ++i) {
    best = std::min(best, DistanceToSegment(p, points[i], points[(i + 1) % count]));
  }
  return best;
}

// Even-odd rule.
bool InsidePolygon(Vec p, std::span<const Vec> points) {
  bool inside = false;
  for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
    const Vec a = points[i];
    const Vec b = points[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
      inside = !inside;
    }
  }
  return inside;
}

// --- flags

constexpr int kFlagWidth = 16;
constexpr int kFlagHeight = 11;
// The rim keeps the flag apart from a white or blue menu behind it.
constexpr double kRimShade = 0.7;

Rgba WithRim(Rgba c, double x, double y) {
  const bool rim = x < 1 || y < 1 || x >= kFlagWidth - 1 || y >= kFlagHeight - 1;
  return rim ? Darker(c, kRimShade) : c;
}

// Distance from a point to the flag's diagonal through (0, 0) and (w, h), or through
// (0, h) and (w, 0) when `rising`.
double DistanceToDiagonal(double x, double y, bool rising) {
  const double w = kFlagWidth;
  const double h = kFlagHeight;
  const double along = rising ? h * x + w * (y - h) : h * x - w * y;
  return std::abs(along) / Length(w, h);
}

}  // namespace

Bitmap32 RussianFlag() {
  static constexpr Rgba kWhite = Opaque(255, 255, 255);
  static constexpr Rgba kBlue = Opaque(0, 57, 166);
  static constexpr Rgba kRed = Opaque(213, 43, 30);
  return Render(kFlagWidth, kFlagHeight, [&](double x, double y) {
    const Rgba stripe = y < 4 ? kWhite : y < 7 ? kBlue : kRed;
    return WithRim(stripe, x, y);
  });
}

Bitmap32 BritishFlag() {
  static constexpr Rgba kBlue = Opaque(1, 33, 105);
  static constexpr Rgba kWhite = Opaque(255, 255, 255);
  static constexpr Rgba kRed = Opaque(200, 16, 46);
  // Half-widths in pixels: the white and red bands of the saltire and of the cross.
  static constexpr double kSaltireWhite = 1.0;
  static constexpr double kSaltireRed = 0.5;
  static constexpr double kCrossWhiteX = 2.0;
  static constexpr double kCrossRedX = 1.0;
  static constexpr double kCrossWhiteY = 1.5;
  static constexpr double kCrossRedY = 0.5;
  // One sample per pixel: at this size blended diagonals turn pink and muddy, whole
  // pixels keep the flag's colours.
  return Render(
      kFlagWidth, kFlagHeight,
      [&](double x, double y) {
        const double saltire =
            std::min(DistanceToDiagonal(x, y, false), DistanceToDiagonal(x, y, true));
        const double crossX = std::abs(x - kFlagWidth / 2.0);
        const double crossY = std::abs(y - kFlagHeight / 2.0);
        Rgba c = kBlue;
        if (saltire < kSaltireWhite) c = kWhite;
        if (saltire < kSaltireRed) c = kRed;
        if (crossX < kCrossWhiteX || crossY < kCrossWhiteY) c = kWhite;
        if (crossX < kCrossRedX || crossY < kCrossRedY) c = kRed;
        return WithRim(c, x, y);
      },
      1);
}

Bitmap32 BluePushpin() {
  static constexpr Vec kHead{10.5, 5.5};
  static constexpr double kHeadRadius = 4.4;
  static constexpr Vec kLight{9.0, 4.0};  // where the light falls on the head
  static constexpr Vec kNeckFrom{6.6, 9.4};
  static constexpr Vec kNeckTo{9.0, 7.0};
  static constexpr Vec kNeedleTip{2.0, 14.0};
  static constexpr Rgba kSteel = Opaque(120, 124, 136);
  static constexpr Rgba kSteelRim = Opaque(70, 72, 80);
  static constexpr Rgba kBlueLit = Opaque(130, 180, 255);
  static constexpr Rgba kBlue = Opaque(30, 80, 215);
  static constexpr Rgba kBlueRim = Opaque(14, 40, 130);
  return Render(16, 16, [&](double x, double y) {
    const Vec p{x, y};
    Rgba c = kClear;
    const double needle = DistanceToSegment(p, kNeedleTip, kNeckFrom);
    if (needle < 1.0) c = needle < 0.55 ? kSteel : kSteelRim;
    const double neck = DistanceToSegment(p, kNeckFrom, kNeckTo);
    if (neck < 1.7) c = neck < 1.1 ? kBlue : kBlueRim;
    const double head = Length(x - kHead.x, y - kHead.y);
    if (head < kHeadRadius) {
      c = head > kHeadRadius - 0.9
              ? kBlueRim
              : Mix(kBlueLit, kBlue, Length(x - kLight.x, y - kLight.y) / kHeadRadius);
      if (Length(x - kLight.x, y - kLight.y) < 0.9) c = Over({255, 255, 255, 0.8}, c);
    }
    return c;
  });
}

Bitmap32 InfinitySign() {
  // A lemniscate of Bernoulli, stretched upwards so that its loops are round, drawn as a
  // polyline with a round pen.
  static constexpr Vec kCentre{8.0, 5.0};
  static constexpr double kHalfWidth = 6.8;
  static constexpr double kStretch = 1.45;
  static constexpr double kPen = 0.75;  // half the line's width
  static constexpr int kSteps = 96;     // segments under half a pixel long
  static constexpr Rgba kInk = Opaque(40, 40, 48);
  std::vector<Vec> curve;
  for (int i = 0; i < kSteps; ++i) {
    const double t = 2 * std::numbers::pi * i / kSteps;
    const double s = std::sin(t);
    const double c = std::cos(t);
    const double d = 1 + s * s;
    curve.push_back(
        {kCentre.x + kHalfWidth * c / d, kCentre.y + kStretch * kHalfWidth * s * c / d});
  }
  return Render(16, 10, [&](double x, double y) {
    return DistanceToPath({x, y}, curve, true) < kPen ? kInk : kClear;
  });
}

Bitmap32 ProgramIcon(int size) {
  size = std::clamp(size, 8, 256);
  // Drawn in a 32-unit square and scaled; lines are kept at least a pixel wide.
  const double scale = size / 32.0;
  static constexpr Vec kTip{13.0, 10.0};
  static constexpr double kArrowScale = 1.05;
  // The classic arrow pointer, tip at the origin.
  static constexpr Vec kArrow[] = {{0, 0},      {0, 17},   {4, 13}, {7, 19.5},
                                   {9.8, 18.3}, {6.9, 12}, {12, 12}};
  static constexpr double kRayAngles[] = {150, 190, 230, 270, 310};
  static constexpr double kRayFrom = 3.5;
  static constexpr double kRayTo = 8.5;
  static constexpr Rgba kWhite = Opaque(255, 255, 255);
  static constexpr Rgba kBlack = Opaque(0, 0, 0);
  static constexpr Rgba kRay = Opaque(235, 90, 20);

  std::vector<Vec> arrow;
  for (Vec v : kArrow) {
    arrow.push_back({(kTip.x + v.x * kArrowScale) * scale, (kTip.y + v.y * kArrowScale) * scale});
  }
  struct Segment {
    Vec from;
    Vec to;
  };
  std::vector<Segment> rays;
  for (double degrees : kRayAngles) {
    const double a = degrees * std::numbers::pi / 180;
    const Vec dir{std::cos(a), std::sin(a)};
    rays.push_back({{(kTip.x + dir.x * kRayFrom) * scale, (kTip.y + dir.y * kRayFrom) * scale},
                    {(kTip.x + dir.x * kRayTo) * scale, (kTip.y + dir.y * kRayTo) * scale}});
  }
  const double outline = std::max(0.5, 0.9 * scale);  // half widths
  const double ray = std::max(0.6, 1.1 * scale);

  return Render(size, size, [&](double x, double y) {
    const Vec p{x, y};
    for (const Segment& r : rays) {
      if (DistanceToSegment(p, r.from, r.to) < ray) return kRay;
    }
    if (DistanceToPath(p, arrow, true) < outline) return kBlack;
    return InsidePolygon(p, arrow) ? kWhite : kClear;
  });
}

Bitmap32 ComputerMouse() {
  // The body is a superellipse, between an ellipse and a rounded rectangle. Its centre
  // sits on a pixel's middle so that the one-pixel split between the buttons and the
  // wheel fall on whole pixels.
  static constexpr Vec kCentre{23.5, 30.0};
  static constexpr double kHalfWidth = 13.0;
  static constexpr double kHalfHeight = 16.5;
  static constexpr double kRoundness = 2.6;  // the exponent: 2 would be an ellipse
  static constexpr double kRim = 1.2;
  static constexpr Vec kLight{17.0, 20.0};
  static constexpr double kButtonsEnd = 26.0;  // where the split under the buttons runs
  static constexpr double kSplit = 0.5;        // half the split's width
  static constexpr Vec kWheelTop{23.5, 17.0};
  static constexpr Vec kWheelBottom{23.5, 22.0};
  static constexpr double kWheel = 1.5;  // half the wheel's width
  // The cable: a cubic Bézier from the top of the body up to the top right corner.
  static constexpr Vec kCable[] = {{23.5, 14.5}, {23.5, 6.0}, {33.0, 10.0}, {38.0, 1.5}};
  static constexpr double kCablePen = 1.0;
  static constexpr int kCableSteps = 48;
  static constexpr Rgba kBodyLit = Opaque(252, 252, 253);
  static constexpr Rgba kBodyShade = Opaque(168, 174, 186);
  static constexpr Rgba kSplitLine = Opaque(112, 118, 130);
  static constexpr Rgba kWheelLit = Opaque(150, 156, 170);
  static constexpr Rgba kWheelShade = Opaque(60, 64, 74);
  static constexpr Rgba kDark = Opaque(58, 62, 72);  // rim and cable

  std::vector<Vec> cable;
  for (int i = 0; i <= kCableSteps; ++i) {
    const double t = static_cast<double>(i) / kCableSteps;
    const double u = 1 - t;
    const double w[] = {u * u * u, 3 * u * u * t, 3 * u * t * t, t * t * t};
    Vec v;
    for (int k = 0; k < 4; ++k) v = {v.x + w[k] * kCable[k].x, v.y + w[k] * kCable[k].y};
    cable.push_back(v);
  }
  // 1 on the body's edge, below inside and above outside.
  const auto body = [](double x, double y) {
    const double u = std::abs(x - kCentre.x) / kHalfWidth;
    const double v = std::abs(y - kCentre.y) / kHalfHeight;
    return std::pow(std::pow(u, kRoundness) + std::pow(v, kRoundness), 1 / kRoundness);
  };

  return Render(48, 48, [&](double x, double y) {
    const Vec p{x, y};
    const double level = body(x, y);
    if (level >= 1) return DistanceToPath(p, cable, false) < kCablePen ? kDark : kClear;
    // The distance to the edge in pixels, from the level's slope at this point.
    static constexpr double kStep = 0.01;
    const double slope =
        Length(body(x + kStep, y) - body(x - kStep, y), body(x, y + kStep) - body(x, y - kStep)) /
        (2 * kStep);
    if (slope > 0 && (1 - level) / slope < kRim) return kDark;

    const double wheel = DistanceToSegment(p, kWheelTop, kWheelBottom);
    if (wheel < kWheel) {
      if (wheel > kWheel - 0.5) return kWheelShade;
      return Mix(kWheelLit, kWheelShade, (y - kWheelTop.y) / (kWheelBottom.y - kWheelTop.y));
    }
    // The split under the buttons bows down a little, as the buttons' front edge does.
    const double buttonsEnd = kButtonsEnd + 0.015 * (x - kCentre.x) * (x - kCentre.x);
    if (std::abs(y - buttonsEnd) < kSplit || (y < buttonsEnd && std::abs(x - kCentre.x) < kSplit))
      return kSplitLine;
    return Mix(kBodyLit, kBodyShade, Length(x - kLight.x, y - kLight.y) / (2 * kHalfHeight));
  });
}

Bitmap32 Premultiplied(Bitmap32 picture) {
  PremultiplyAlpha(picture);
  return picture;
}

}  // namespace tappomat
