#include "map/Projection.h"

#include <cmath>
#include <limits>

#include "common/Error.h"

namespace druv {

namespace {

// Extended precision throughout, multiplication before division, so that a position on a pixel
// boundary lands where the decimal arithmetic says it does.
using TExt = long double;

int32_t ToPixel(TExt v) {
  if (!std::isfinite(v)) throw Error("Floating point division by zero");
  const TExt r = std::nearbyintl(v);  // default rounding mode: nearest, halves to even
  // Far beyond any picture; kept well inside 32 bits so a label offset cannot overflow.
  constexpr TExt limit = 1 << 30;
  if (r < -limit || r > limit) throw Error("Invalid floating point operation");
  return static_cast<int32_t>(r);
}

}  // namespace

int32_t LonToX(const TMapFrameRec& f, double lonWest) {
  const int32_t width = f.Right - f.Left;
  return ToPixel((TExt(lonWest) - f.West) * width / (TExt(f.East) - f.West) + f.Left);
}

int32_t LatToY(const TMapFrameRec& f, double lat) {
  const int32_t height = f.Bottom - f.Top;
  return ToPixel(f.Bottom - (TExt(lat) - f.South) * height / (TExt(f.North) - f.South));
}

double XToLon(const TMapFrameRec& f, int32_t x) {
  const int32_t width = f.Right - f.Left;
  if (width == 0) return std::numeric_limits<double>::quiet_NaN();
  return static_cast<double>(f.West + (TExt(f.East) - f.West) * (TExt(x) - f.Left) / width);
}

double YToLat(const TMapFrameRec& f, int32_t y) {
  const int32_t height = f.Bottom - f.Top;
  if (height == 0) return std::numeric_limits<double>::quiet_NaN();
  return static_cast<double>(f.North - (TExt(f.North) - f.South) * (TExt(y) - f.Top) / height);
}

}  // namespace druv
