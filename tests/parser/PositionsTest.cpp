#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "common/DateTime.h"
#include "parser/APRSParser.h"
#include "parser/Decoders.h"

namespace druv {
namespace {

const TDateTime kNow = *EncodeDateTime(2024, 3, 5, 12, 34, 56, 789);

struct TPositionCase {
  const char* info;  // after "QQ5AAA>APRS:"
  bool valid;
  double latitude, longitude;
  char table, code;
  int course, speed, altitude;
  bool mobile;
  const char* comment;
  const char* grid;
};

TEST(PositionsTest, DecodesPositionsThroughParsePacket) {
  const TPositionCase cases[] = {
      {"!3300.00N/09700.00Wk", true, 33.0, -97.0, '/', 'k', 0, 0, 0, true, "", "EM13MA"},
      {"=3234.06N/09715.95W-home", true, 32.5677, -97.2658, '/', '-', 0, 0, 0, false, "home", "EM12IN"},
      // Course, speed and altitude are read from the comment, which keeps them.
      {"!6028.51S\\02505.68E>088/036/A=001234 hi", true, -60.4752, 25.0947, '\\', '>', 88, 36, 1234, true,
       "088/036/A=001234 hi", "KC29NM"},
      {"!/5L!!<*e7>7P[", true, 49.5, -72.75, '/', '>', 88, 36, 0, true, "", "FN39PM"},
      {"!/5L!!<*e7> sTrest", true, 49.5, -72.75, '/', '>', 0, 0, 0, true, "rest", "FN39PM"},
      // Type byte "1": the fix came from GGA, so the cs bytes also give the altitude.
      {"!/5L!!<*e7>S]1", true, 49.5, -72.75, '/', '>', 200, 100, 10005, true, "", "FN39PM"},
      {"!a5L!!<*e7#7P[", true, 49.5, -72.75, '0', '#', 88, 36, 0, false, "", "FN39PM"},
      {"!S5L!!<*e7k7P[", true, 49.5, -72.75, 'S', 'k', 88, 36, 0, true, "", "FN39PM"},
      // Short texts end the decoding: no position, nothing read beyond the end, no coordinates kept.
      {"!3300.00N/0970", false, 0, 0, '/', 0, 0, 0, 0, false, "3300.00N/0970", ""},
      {"!3300.00N/09700.00W", false, 0, 0, '/', 0, 0, 0, 0, false, "3300.00N/09700.00W", ""},
      {"!/5L!!<*e7>7P", false, 0, 0, '/', '>', 0, 0, 0, false, "/5L!!<*e7>7P", ""},
      {"!3", false, 0, 0, 0, 0, 0, 0, 0, false, "3", ""},
      {"!", false, 0, 0, 0, 0, 0, 0, 0, false, "", ""},
      {"/092345z3300.00N/09700.00Wk", true, 33.0, -97.0, '/', 'k', 0, 0, 0, true, "", "EM13MA"},
      {"@092345z", false, 0, 0, 0, 0, 0, 0, 0, false, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.info);
    auto p = ParsePacket(std::string("QQ5AAA>APRS:") + c.info, 0, kNow);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Position.Valid, c.valid);
    EXPECT_NEAR(p->Position.Latitude.Value, c.latitude, 1e-9);
    EXPECT_NEAR(p->Position.Longitude.Value, c.longitude, 1e-9);
    EXPECT_EQ(p->SymbolTableIdentifier, c.table);
    EXPECT_EQ(p->SymbolCode, c.code);
    EXPECT_EQ(p->Position.Course, c.course);
    EXPECT_EQ(p->Position.Speed, c.speed);
    EXPECT_EQ(p->Position.Altitude, c.altitude);
    EXPECT_EQ(p->Position.MobileUnit, c.mobile);
    EXPECT_EQ(p->Comment, c.comment);
    EXPECT_EQ(p->Position.Gridsquare, c.grid);
  }
}

TEST(PositionsTest, DecodePositionConsumesOnlyWhatItDecodes) {
  struct {
    const char* in;
    const char* left;
    bool valid;
  } cases[] = {
      {"3300.00N/09700.00Wk PHG5132", " PHG5132", true},
      {"/5L!!<*e7>7P[rest", "rest", true},
      {"3300.00N/09700.00W", "3300.00N/09700.00W", false},
      {"/5L!!<", "/5L!!<", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    TAprsPacket p;
    std::string text = c.in;
    DecodePosition(text, p);
    EXPECT_EQ(text, c.left);
    EXPECT_EQ(p.Position.Valid, c.valid);
  }
  TAprsPacket p;
  std::string text = "3300.00N/09700.00Wk";
  DecodePosition(text, p);
  EXPECT_EQ(p.Position.Latitude.NMEA, "3300.00N");
  EXPECT_EQ(p.Position.Longitude.NMEA, "09700.00W");
}

TEST(PositionsTest, CompressedFieldsInDetail) {
  auto p = ParsePacket("QQ5AAA>APRS:!/5L!!<*e7>7P[", 0, kNow);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Position.Latitude.NMEA, "4930.00N");
  EXPECT_EQ(p->Position.Longitude.NMEA, "07245.00W");

  // "{" in the course byte: a radio range instead of course and speed.
  p = ParsePacket("QQ5AAA>APRS:!/5L!!<*e7>{?!", 0, kNow);
  ASSERT_TRUE(p);
  EXPECT_TRUE(p->StationCapabilities.Valid);
  EXPECT_NEAR(p->StationCapabilities.RadioRange, 20.1253, 1e-3);
  EXPECT_EQ(p->Position.Course, 0);
  EXPECT_EQ(p->Position.Altitude, 0);

  // Altitude bytes beyond any real height cannot be held: the position is refused, not wrapped.
  std::string info = "!/5L!!<*e7>";
  info += '\xFF';
  info += '\xFF';
  info += '1';
  p = ParsePacket("QQ5AAA>APRS:" + info, 0, kNow);
  ASSERT_TRUE(p);
  EXPECT_FALSE(p->Position.Valid);
}

TEST(PositionsTest, TimeStamps) {
  struct {
    const char* stamp;
    TDateTime received;
    TDateTime expected;
  } cases[] = {
      {"092345z", kNow, *EncodeDateTime(2024, 3, 9, 23, 45, 0)},
      {"234517h", kNow, *EncodeDateTime(2024, 3, 5, 23, 45, 17)},
      {"xx2345z", kNow, *EncodeDateTime(2024, 3, 5, 23, 45, 0)},  // an unreadable field keeps the receive value
      {"0923z", kNow, *EncodeDateTime(2024, 3, 9, 23, 34, 0)},
      {"123456x", kNow, *EncodeDateTime(2024, 3, 5, 12, 34, 56)},  // not a stamp: receive time, whole seconds
      // Dates and times that do not exist fall back to the receive time.
      {"311200z", *EncodeDateTime(2024, 4, 10, 8, 0, 0, 250), *EncodeDateTime(2024, 4, 10, 8, 0, 0, 250)},
      {"300000z", *EncodeDateTime(2023, 2, 10), *EncodeDateTime(2023, 2, 10)},
      {"290000z", *EncodeDateTime(2024, 2, 10), *EncodeDateTime(2024, 2, 29)},
      {"241200h", kNow, kNow},
      {"326000z", kNow, kNow},
      {"000000z", kNow, kNow},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stamp);
    TAprsPacket p;
    p.TimeReceived = c.received;
    DecodeTimeStamp(c.stamp, p);
    EXPECT_TRUE(p.TimeStamp.Valid);
    EXPECT_NEAR(p.TimeStamp.DateTime, c.expected, 1e-9);
  }

  TAprsPacket p;
  p.TimeReceived = kNow;
  DecodeTimeStamp("", p);
  EXPECT_FALSE(p.TimeStamp.Valid);

  // A "/" stamp is local time of day.
  DecodeTimeStamp("092345/", p);
  const TDateTime offset = std::nearbyint((LocalNow() - UtcNow()) * 1440) / 1440;
  EXPECT_NEAR(p.TimeStamp.DateTime, *EncodeDateTime(2024, 3, 9, 23, 45, 0) - offset, 1e-6);

  auto packet = ParsePacket("QQ5AAA>APRS:@092345z3300.00N/09700.00Wk", 0, kNow);
  ASSERT_TRUE(packet);
  EXPECT_NEAR(packet->TimeStamp.DateTime, *EncodeDateTime(2024, 3, 9, 23, 45, 0), 1e-9);
}

TEST(PositionsTest, NmeaToDegrees) {
  struct {
    const char* text;
    double degrees;
  } cases[] = {
      {"3300.00N", 33.0}, {"09700.00W", -97.0}, {"3234.06s", -(32 + 34.06 / 60)}, {"09715.95e", 97 + 15.95 / 60},
      {"33", 0}, {"", 0}, {"3300.00N1234", 0}, {"33xx.00N", 33.0}, {"602 .  S", -60.0}, {"  00.00N", 0},
      {"331e300N", 33.0}, {"33inf00N", 33.0},  // no exponents, no infinities
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_NEAR(NmeaToDegrees(c.text), c.degrees, 1e-12);
  }
}

TEST(PositionsTest, FormatCoordinates) {
  struct {
    double value;
    const char* latitude;
    const char* longitude;
  } cases[] = {
      {33.0, "3300.00N", "03300.00E"},
      {-0.5, "0030.00S", "00030.00W"},
      {5.25, "0515.00N", "00515.00E"},
      {0.0, "0000.00N", "00000.00E"},
      {32.5677, "3234.06N", "03234.06E"},
      {-97.26583, "9715.95S", "09715.95W"},
      // Minutes that round to 60.00 carry into the degrees.
      {32.99999, "3300.00N", "03300.00E"},
      {-97.999999, "9800.00S", "09800.00W"},
      {9.999999, "1000.00N", "01000.00E"},
      {179.9999999, "18000.00N", "18000.00E"},
      {32.9999, "3259.99N", "03259.99E"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(FormatLatitude(c.value), c.latitude);
    EXPECT_EQ(FormatLongitude(c.value), c.longitude);
  }
  EXPECT_NO_THROW(FormatLatitude(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_NO_THROW(FormatLongitude(1e300));
}

TEST(PositionsTest, GridToLatLon) {
  struct {
    const char* grid;
    double latitude, longitude;
  } cases[] = {
      {"EM13", 33.5, -97.0},
      {"EM13MA", 33 + 1.0 / 48, -97 + 1.0 / 24},
      {" em13ma ", 33 + 1.0 / 48, -97 + 1.0 / 24},
      {"AA00AA", -90 + 1.0 / 48, -180 + 1.0 / 24},
      {"RR99XX", 90 - 1.0 / 48, 180 - 1.0 / 24},
      {"EM13M", 0, 0},
      {"EM13MY", 0, 0},
      {"SM13MA", 0, 0},
      {"E113", 0, 0},
      {"", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.grid);
    double lat = 99, lon = 99;
    GridToLatLon(c.grid, lat, lon);
    EXPECT_NEAR(lat, c.latitude, 1e-9);
    EXPECT_NEAR(lon, c.longitude, 1e-9);
  }
}

TEST(PositionsTest, LatLonToGrid) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct {
    double longitude, latitude;
    const char* grid;
  } cases[] = {
      {-97.0, 33.0, "EM13MA"}, {180, 90, "RR99XX"}, {-180, -90, "AA00AA"}, {0, 0, "JJ00AA"},
      {25.0947, 60.4752, "KP20NL"}, {-72.75, 49.5, "FN39PM"},
      // Outside the globe: clamped to its edge first.
      {500, 200, "RR99XX"}, {-1e300, -1e300, "AA00AA"}, {nan, nan, "JJ00AA"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.grid);
    EXPECT_EQ(LatLonToGrid(c.longitude, c.latitude), c.grid);
  }
  // A sub-square's centre maps back to that sub-square.
  for (const char* grid : {"EM13MA", "KP20NL", "AA00AA", "RR99XX", "JJ55LL"}) {
    double lat, lon;
    GridToLatLon(grid, lat, lon);
    EXPECT_EQ(LatLonToGrid(lon, lat), grid);
  }
}

TEST(PositionsTest, MobileSymbolsAndRounding) {
  EXPECT_TRUE(IsMobileSymbol('/', '>'));
  EXPECT_TRUE(IsMobileSymbol('/', 'k'));
  EXPECT_FALSE(IsMobileSymbol('/', '-'));
  EXPECT_FALSE(IsMobileSymbol('/', 'K'));
  EXPECT_TRUE(IsMobileSymbol('\\', 'K'));
  EXPECT_TRUE(IsMobileSymbol('3', '>'));
  EXPECT_FALSE(IsMobileSymbol('\\', 'j'));
  EXPECT_FALSE(IsMobileSymbol('/', 0));

  struct {
    double lat, lon, roundedLat, roundedLon;
  } cases[] = {
      {33.123456, -97.987654, 33.1235, -97.9877},
      {0, 1.234567, 0, 1.234567},  // one coordinate zero: both kept
      {0.00004, 5.000049, 0, 5.0},
      {-0.00004, 5, 0, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lat);
    TAprsPacket p;
    p.Position.Latitude.Value = c.lat;
    p.Position.Longitude.Value = c.lon;
    RoundCoordinates(p);
    EXPECT_DOUBLE_EQ(p.Position.Latitude.Value, c.roundedLat);
    EXPECT_DOUBLE_EQ(p.Position.Longitude.Value, c.roundedLon);
    EXPECT_FALSE(std::signbit(p.Position.Latitude.Value) && p.Position.Latitude.Value == 0);
  }
}

}  // namespace
}  // namespace druv
