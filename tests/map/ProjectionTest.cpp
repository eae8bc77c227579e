#include <gtest/gtest.h>

#include <cmath>

#include "common/Error.h"
#include "map/Projection.h"

namespace druv {
namespace {

TMapFrameRec Frame(double west, double east, double south, double north, int width, int height) {
  TMapFrameRec f;
  f.West = west;
  f.East = east;
  f.South = south;
  f.North = north;
  f.Right = width;
  f.Bottom = height;
  return f;
}

const TMapFrameRec Texas = Frame(98, 96, 32, 34, 800, 600);

TEST(Projection, PositionToPixel) {
  struct {
    TMapFrameRec F;
    double Lat, LonWest;
    int X, Y;
  } cases[] = {
      {Texas, 33.111, 97.123, 351, 267},  // 350.8 and 266.7
      {Texas, 34, 98, 0, 0},              // north-west corner
      {Texas, 32, 96, 800, 600},          // south-east corner
      {Texas, 35, 99, -400, -300},        // outside the bounds: outside the picture
      // Exactly halfway between two pixels: the even one.
      {Frame(10, 0, 0, 10, 10, 10), 7.5, 7.5, 2, 2},
      {Frame(10, 0, 0, 10, 10, 10), 6.5, 6.5, 4, 4},
      {Frame(10, 0, 0, 10, 10, 10), 5.5, 5.5, 4, 4},
      // 5 E to 15 E is written -5 and -15; 10 E is -10 West, the middle column.
      {Frame(-5, -15, 40, 50, 640, 480), 45, -10, 320, 240},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LonToX(c.F, c.LonWest), c.X) << c.LonWest;
    EXPECT_EQ(LatToY(c.F, c.Lat), c.Y) << c.Lat;
  }
}

TEST(Projection, PixelToPosition) {
  EXPECT_DOUBLE_EQ(YToLat(Texas, 267), 33.11);
  EXPECT_DOUBLE_EQ(XToLon(Texas, 351), 97.1225);
  EXPECT_DOUBLE_EQ(XToLon(Texas, 0), 98);
  EXPECT_DOUBLE_EQ(YToLat(Texas, 600), 32);
  // Round trip through the pixel grid.
  for (int x : {0, 1, 399, 400, 799})
    EXPECT_EQ(LonToX(Texas, XToLon(Texas, x)), x);
  // A picture without pixels has no position under the pointer.
  EXPECT_TRUE(std::isnan(XToLon(Frame(98, 96, 32, 34, 0, 0), 0)));
  EXPECT_TRUE(std::isnan(YToLat(Frame(98, 96, 32, 34, 0, 0), 0)));
}

TEST(Projection, EqualBoundsOrFarPositionsFail) {
  EXPECT_THROW(LonToX(Frame(97, 97, 32, 34, 800, 600), 97.5), Error);
  EXPECT_THROW(LatToY(Frame(98, 96, 33, 33, 800, 600), 33), Error);
  EXPECT_THROW(LonToX(Frame(97, 97, 32, 34, 800, 600), 97), Error);  // 0 / 0
  EXPECT_THROW(LonToX(Texas, 1e12), Error);
  EXPECT_THROW(LatToY(Texas, -1e12), Error);
}

}  // namespace
}  // namespace druv
