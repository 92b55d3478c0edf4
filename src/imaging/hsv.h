#pragma once
// Colour adjustments in the HSV model, used to recolour skins: hue rotation, saturation,
// grey. Included through pixel_ops.h. The colour versions take and return skin colours
// (ColorRef) and keep their fourth byte; the bitmap versions work on a rectangle (clipped
// to the bitmap), keep every alpha byte and leave fuchsia pixels alone, because fuchsia
// marks transparency in skin images.
//
// Both transforms keep V (the largest channel) and are computed in integers, so results do
// not depend on floating-point details.
#include "imaging/bitmap32.h"
#include "imaging/color.h"
#include "imaging/geometry.h"

namespace tappomat {

// Turns the hue by `degrees` (any int; taken modulo 360, negative turns the other way).
// Saturation and value are kept, grey stays grey, and 120 degrees takes red to green. The
// channel between the largest and the smallest is rounded to the nearest integer, halves
// away from the start of the 60-degree sector.
ColorRef RotateHue(ColorRef color, int degrees);

// Moves the saturation S towards full (amount > 0) or towards grey (amount < 0), with hue
// and value kept; amount is clamped to -100..100:
//   amount > 0: S' = S + (1 - S) * amount / 100   (100 gives full saturation)
//   amount < 0: S' = S * (1 + amount / 100)       (-100 gives the grey of the same value)
// Each channel c becomes V - (V - c) * S' / S, rounded to nearest with halves down.
// Grey and black stay as they are.
ColorRef ChangeSaturation(ColorRef color, int amount);

void RotateHue(Bitmap32& bitmap, const Rect& rect, int degrees);
void ChangeSaturation(Bitmap32& bitmap, const Rect& rect, int amount);

// Replaces each pixel's colour with its luminance (r * 77 + g * 151 + b * 28) >> 8.
void Grayscale(Bitmap32& bitmap, const Rect& rect);

}  // namespace tappomat
