#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/Error.h"
#include "tiles/TileMath.h"

namespace druv {
namespace {

TEST(TileMath, PositionToTileNumbers) {
  struct TCase {
    double Lat, Lon;
    int Zoom, X, Y;
  };
  const TCase cases[] = {
      {40.714, -74.006, 9, 150, 192},
      {0, 0, 9, 256, 256},
      {52.52, 13.4, 12, 2200, 1343},
      {85.1, 0, 9, 256, -1},          // north of the grid: used as it is
      {33.5, 180, 9, 512, 205},       // one past the last column
      {-85.1, -180.0001, 9, -1, 512}, // floor, not truncation: just west of the grid is -1
      // Right at a row boundary the 3.14159 arithmetic gives 1622 where exact pi gives 1621.
      {35.03, -97.25, 12, 941, 1622},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Lat << ", " << c.Lon << " z" << c.Zoom);
    EXPECT_EQ(LonToTileX(c.Lon, c.Zoom), c.X);
    EXPECT_EQ(LatToTileY(c.Lat, c.Zoom), c.Y);
  }
}

TEST(TileMath, TileEdgesToCoordinates) {
  EXPECT_DOUBLE_EQ(TileXToLon(149, 9), -75.234375);
  EXPECT_DOUBLE_EQ(TileXToLon(152, 9), -73.125);
  EXPECT_NEAR(TileYToLat(191, 9), 41.508583449542535, 1e-12);
  EXPECT_NEAR(TileYToLat(194, 9), 39.90974170025673, 1e-12);
  EXPECT_DOUBLE_EQ(TileXToLon(256, 9), 0);
  EXPECT_NEAR(TileYToLat(256, 9), 0, 1e-12);
}

TEST(TileMath, NumbersBeyondTheIntegerRangeAreRefused) {
  EXPECT_THROW(LonToTileX(1e300, 9), Error);
  EXPECT_THROW(LatToTileY(std::numeric_limits<double>::quiet_NaN(), 9), Error);
  EXPECT_THROW(LatToTileY(95, 9), Error);  // beyond the pole the formula has no value
}

TEST(TileMath, KeysAndAddresses) {
  EXPECT_EQ(TileKey(9, 150, 192), "9/150/192");
  EXPECT_EQ(TileKey(9, 256, -1), "9/256/-1");
  EXPECT_EQ(omGetTileURL("http://127.0.0.1:8080/tiles/", 40.714, -74.006, 9),
            "http://127.0.0.1:8080/tiles/9/150/192.png");
  EXPECT_EQ(omGetTileURL("https://t/", 85.1, 0, 9), "https://t/9/256/-1.png");
}

TEST(TileMath, CornerTexts) {
  struct TCase {
    double Value;
    bool Latitude;
    const char *ThreeDecimals, *DegreeMinutes;
  };
  const TCase cases[] = {
      // From the full value: minutes 30.515007 round to 30.52.
      {41.508583449542535, true, "41.509", "41.30.52N"},
      {-75.234375, false, "-75.234", "75.14.06W"},
      {39.90974170025673, true, "39.910", "39.54.58N"},
      {-73.125, false, "-73.125", "73.07.50W"},
      {-33.5, true, "-33.500", "33.30.00S"},
      {13.4, false, "13.400", "13.24.00E"},
      {0, true, "0.000", "0.00.00N"},
      {-0.0001, false, "0.000", "0.00.01W"},
      // Minutes that round to 60.00 carry into the degrees.
      {10.99999, true, "11.000", "11.00.00N"},
      {-179.999999, false, "-180.000", "180.00.00W"},
      {10.9999, true, "11.000", "10.59.99N"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Value);
    EXPECT_EQ(ThreeDecimalText(c.Value), c.ThreeDecimals);
    EXPECT_EQ(DegreeMinuteText(c.Value, c.Latitude), c.DegreeMinutes);
  }
}

}  // namespace
}  // namespace druv
