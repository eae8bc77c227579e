#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/Error.h"
#include "map/PointerReadout.h"
#include "map/Projection.h"
#include "parser/Decoders.h"

namespace druv {
namespace {

TEST(PointerReadout, CutTwoDigitsBehindThePoint) {
  struct {
    double Value;
    const char* Text;
  } cases[] = {
      {33.1191, "33.11"}, {33.119999, "33.11"}, {97.1225, "97.12"}, {-0.5, "-0.5"}, {-10.5, "-10.5"},
      {-10.506, "-10.50"}, {100, "100"}, {34, "34"}, {0, "0"}, {-97.999, "-97.99"},
      {5e-6, "0.00"}, {-7e-7, "0.00"},  // exponent form
      {std::numeric_limits<double>::quiet_NaN(), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(PointerReadout(c.Value), c.Text) << c.Value;
}

TEST(PointerReadout, GridOfTheReadoutsAndTheSearchSign) {
  // Column 351, row 267 of an 800 x 600 map of 98 W to 96 W, 32 N to 34 N.
  TMapFrameRec f;
  f.West = 98;
  f.East = 96;
  f.South = 32;
  f.North = 34;
  f.Right = 800;
  f.Bottom = 600;
  const std::string lat = PointerReadout(YToLat(f, 267)), lon = PointerReadout(XToLon(f, 351));
  EXPECT_EQ(lat, "33.11");
  EXPECT_EQ(lon, "97.12");
  EXPECT_EQ(ReadoutGrid(lat, lon), LatLonToGrid(-97.12, 33.11));
  EXPECT_EQ(ReadoutGrid("52.5", "-13.4"), LatLonToGrid(13.4, 52.5));
  EXPECT_THROW(ReadoutGrid("", "97.1"), Error);
  EXPECT_THROW(ReadoutGrid("33.1", "abc"), Error);

  EXPECT_EQ(InvertedSign("97.12"), "-97.12");
  EXPECT_EQ(InvertedSign("-10.50"), "10.50");
  EXPECT_EQ(InvertedSign(""), "-");
}

}  // namespace
}  // namespace druv
