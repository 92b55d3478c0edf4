#pragma once
// The marker pictures: a target of two rings and a dot on black, the picture the red
// start marker (TForm3) and the green pick marker (TForm4) show. Black is the marker
// windows' colour key, so only the rings and the dot are seen and catch clicks; the
// edges are anti-aliased against the black, and an edge pixel never becomes black
// itself, so it cannot open a hole in the shape.
#include "imaging/bitmap32.h"

namespace tappomat {

enum class MarkerColor { Red, Green };

// The picture is kMarkerPictureSize pixels square; the rings' centre is the picture's
// point (kMarkerCenter, kMarkerCenter), which is what a marker points at.
constexpr int kMarkerPictureSize = 40;
constexpr int kMarkerCenter = kMarkerPictureSize / 2;

// The full colour of a marker's rings and dot (opaque).
Pixel MarkerFullColor(MarkerColor color);

// Opaque picture: the colour weighted by how much of each pixel the shapes cover.
Bitmap32 DrawMarkerPicture(MarkerColor color);

}  // namespace tappomat
