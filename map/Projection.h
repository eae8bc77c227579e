#pragma once
// The georeference of the map on display and the straight linear mapping between degrees and
// picture pixels. Longitudes here count positive West, as in locator files: callers negate the
// usual East-positive longitude.
#include <cstdint>

namespace druv {

struct TMapFrameRec {
  double West = 0;   // longitude of the left edge, positive West
  double East = 0;   // longitude of the right edge, positive West
  double South = 0;  // latitude of the bottom edge
  double North = 0;  // latitude of the top edge
  int32_t Left = 0;    // always 0
  int32_t Right = 0;   // picture width
  int32_t Top = 0;     // always 0
  int32_t Bottom = 0;  // picture height
};

// Column and row of a position, rounded half to even. Throw druv::Error when the frame makes the
// division fail (equal bounds) or the pixel lies beyond +-2^30, far off any picture.
int32_t LonToX(const TMapFrameRec& frame, double lonWest);
int32_t LatToY(const TMapFrameRec& frame, double lat);
// Position of a pixel; NaN on a picture of width (height) 0.
double XToLon(const TMapFrameRec& frame, int32_t x);
double YToLat(const TMapFrameRec& frame, int32_t y);

}  // namespace druv
