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

// Real lines whose position text is not a position on the earth: no position, no coordinates, no
// course, speed or altitude; the comment and the symbol stay as the text decodes.
TEST(PositionsTest, TextsThatAreNotPositionsOnTheEarth) {
  struct {
    const char* line;
    const char* comment;
  } cases[] = {
      {"OH2RDP-1>BEACON-15,OH2RDG*,WIDE:!60ff.51N/0250akh3r99hfae", "9hfae"},  // letters for digits
      {"ASDF>DSALK,OH2RDG*,WIDE:!6028.51N,02505.68E#", ""},                    // table ","
      {"N6BMW-1>APRS,DMR*,qAS,n3fe-10:=3426.19N/24051.47E[Dan - Ojai CA", "Dan - Ojai CA"},  // 240 E
      {"RND000000>APRS,qAS,TROCALAN1:/210042h6505.31S/18136.75W^054/325/A=002591 !W31!",
       "054/325/A=002591 !W31!"},  // 181 W
      // Free text taken for a compressed position: table " ", "o"; bytes outside "!".."{".
      {"PY5LF-13>APTT4,WIDE1-1,WIDE2-1,qAR,PU5SZN-2:! Weather Station ISS Davis CURITIBA - PR",
       "ion ISS Davis CURITIBA - PR"},
      {"I5NOD-5>APMI06,TCPIP*,qAS,I5NOD:@ARI Altopascio Montecarlo Monte Cascetto",
       "carlo Monte Cascetto"},
      {"KD0S-1>APNU19,KC0BXH-3*,WIDE3-1,qAR,WA0MFZ-5:!SD Link PHILIP 147.375", "P 147.375"},
      {"MB7DS>APRS,TCPIP*,qAC,APRSUK2:!!00000066013D000028710166----", "000028710166----"},  // weather
      // An object whose digits are all blank, an item whose name runs into its position.
      {"K8ETN-S>APJIO4,TCPIP*,qAC,K8ETN-GS:;K8ETN  C *240015h    .  ND     .  EaRNG0045 2m",
       " .  EaRNG0045 2m"},
      {"FR5GS>APZDMR,QTH*,TCPIP*,qAU,T2STRAS:)FR5GS-DP!-21-4.88S/05541.66rRNG0034", "41.66rRNG0034"},
      // Mic-E: table ",", and a blanked latitude digit that is not the last one.
      {"OZ2BRN-4>5U2V08,OZ3RIN-3,OZ4DIA-2*,WIDE2-1,qAR,DB0KUE:`'O<l!{,,\"4R}", "\"4R}"},
      {"KM6LOU-9>SSULXR,N6EX-4,KF6ILA-10,WIDE2*,qAR,KF6NXQ-15:`-S@m_Ok/]\"4q}=", "]\"4q}="},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto p = ParsePacket(c.line, 0, kNow);
    ASSERT_TRUE(p);
    const TPositionRec& pos = p->Position;
    EXPECT_FALSE(pos.Valid);
    EXPECT_EQ(pos.Latitude.Value, 0);
    EXPECT_EQ(pos.Longitude.Value, 0);
    EXPECT_EQ(pos.Latitude.NMEA, "");
    EXPECT_EQ(pos.Longitude.NMEA, "");
    EXPECT_EQ(pos.Course, 0);
    EXPECT_EQ(pos.Speed, 0);
    EXPECT_EQ(pos.Altitude, 0);
    EXPECT_EQ(pos.Gridsquare, "");
    EXPECT_EQ(p->Comment, c.comment);
    EXPECT_TRUE(p->Valid);
    EXPECT_FALSE(p->StationCapabilities.DefaultValues);  // no range guessed for a station without position
  }
}

// Shapes around the edges: the digits, hemispheres and tables the protocol allows, and the limits
// of the earth itself.
TEST(PositionsTest, ShapeAndRangeOfUncompressedAndCompressedPositions) {
  struct {
    const char* info;
    bool valid;
  } cases[] = {
      {"!9000.00N/18000.00Ek", true},  {"!9000.01N/00000.00Ek", false}, {"!0000.00N/18000.01Wk", false},
      {"!3300.00s\\09700.00wk", true}, {"!3300.00X/09700.00Wk", false}, {"!3300.00N/09700.00Nk", false},
      {"!3300,00N/09700.00Wk", false}, {"!3300.00N909700.00Wk", true},  {"!3300.00NA09700.00Wk", true},
      {"!3300.00Na09700.00Wk", false}, {"!3300.00N 09700.00Wk", false}, {"!33 0.00N/097 0.00Wk", false},
      {"!3300.0xN/09700.00Wk", false}, {"!/5L!!<*e7>7P[", true},        {"!\\5L!!<*e7>7P[", true},
      {"!j5L!!<*e7>7P[", true},        {"!k5L!!<*e7>7P[", false},       {"!/5L!!<*e7}7P[", true},
      {"!/5L! <*e7>7P[", false},       {"!/5L!!<*e|>7P[", false},
      {"!/{{{{!!!!>7P[", false},  // the largest base-91 latitude lies just beyond the south pole
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.info);
    auto p = ParsePacket(std::string("QQ5AAA>APRS:") + c.info, 0, kNow);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Position.Valid, c.valid);
    if (c.valid) {
      EXPECT_LE(std::fabs(p->Position.Latitude.Value), 90);
      EXPECT_LE(std::fabs(p->Position.Longitude.Value), 180);
    }
  }
}

// Blanked minute digits: the number of them, and the position at the centre of the area they
// leave open. The longitude takes the latitude's ambiguity; digits it still sends there do not
// count, blanks where the latitude has digits make the text no position.
TEST(PositionsTest, PositionAmbiguity) {
  struct {
    const char* info;
    bool valid;
    int ambiguity;
    double latitude, longitude;
  } cases[] = {
      {"=3722.1 N/12159.1 W-", true, 1, 37 + 22.15 / 60, -(121 + 59.15 / 60)},
      {";KE6AFE-10*160752z3658.  NW12202.  Wa", true, 2, 36 + 58.5 / 60, -(122 + 2.5 / 60)},
      {"!602 .  S/0250 .  W#", true, 3, -(60 + 25 / 60.0), -(25 + 5 / 60.0)},
      {"!60  .  S/025  .  W#", true, 4, -60.5, -25.5},
      {"!48  .  N\\01200.00E^", true, 4, 48.5, 12.5},       // longitude digits under the latitude's blanks
      {"!5210.5 N/02101.73E#", true, 1, 52 + 10.55 / 60, 21 + 1.75 / 60},
      {"!5210.  N/021  .  E?", false},                     // longitude blanks where the latitude has digits
      {"!6028.51N/0250 .  E#", false},
      {"!60 8.51N/025 5.68E#", false},                     // a blank that is not at the end
      {"!  28.51N/02505.68E#", false},                     // the degrees are never blank
      {"!3300.00N/09700.00W-", true, 0, 33, -97},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.info);
    auto p = ParsePacket(std::string("QQ5AAA>APRS:") + c.info, 0, kNow);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Position.Valid, c.valid);
    EXPECT_EQ(p->Position.Ambiguity, c.ambiguity);
    EXPECT_NEAR(p->Position.Latitude.Value, c.latitude, 5e-5);
    EXPECT_NEAR(p->Position.Longitude.Value, c.longitude, 5e-5);
  }
  // The coordinate texts stay as sent.
  auto p = ParsePacket("QQ5AAA>APRS:!602 .  S/0250 .  W#", 0, kNow);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Position.Latitude.NMEA, "602 .  S");
  EXPECT_EQ(p->Position.Longitude.NMEA, "0250 .  W");
}

// Course and speed right after the symbol, altitude anywhere in the comment, for positions,
// objects and items; the comment keeps them.
TEST(PositionsTest, CourseSpeedAndAltitudeFromTheComment) {
  struct {
    const char* info;
    int course, speed, altitude;
    const char* comment;
  } cases[] = {
      {"!6253.52N/02739.47E>036/010/A=000465 |!!!", 36, 10, 465, "036/010/A=000465 |!!!"},
      {"/180000z0609.31S/10642.85E>058/010/A=-00079 13.8V", 58, 10, -79, "058/010/A=-00079 13.8V"},
      {"@101013z4231.16N/08449.88Wu227/052/A=000941 ", 227, 52, 941, "227/052/A=000941 "},
      {";LEADER   *092345z4903.50N/07201.75W>088/036", 88, 36, 0, "088/036"},
      {")AID #2!4903.50N/07201.75WA360/000/A=000010", 360, 0, 10, "360/000/A=000010"},
      {"=4652.1 N/11359.1 Wk301/008/A=003171 146.520", 301, 8, 3171, "301/008/A=003171 146.520"},
      {"!3300.00N/09700.00W>000/025", 0, 25, 0, "000/025"},  // course unknown, speed known
      {"!3300.00N/09700.00W>361/025", 0, 25, 0, "361/025"},
      {"!3300.00N/09700.00W>.../...", 0, 0, 0, ".../..."},
      {"!3300.00N/09700.00W>088/03", 0, 0, 0, "088/03"},
      {"!3300.00N/09700.00W> 088/036", 0, 0, 0, " 088/036"},  // not right after the symbol
      // A weather station's "ddd/sss" is its wind.
      {"=6030.35N/02443.91E_150/002g004t039", 0, 0, 0, "150/002g004t039"},
      // Altitude: exactly six characters; the first good one counts.
      {"!3300.00N/09700.00W-/A=12345", 0, 0, 0, "/A=12345"},
      {"!3300.00N/09700.00W-/A=12x456 /A=000100 /A=000200", 0, 0, 100, "/A=12x456 /A=000100 /A=000200"},
      {"!3300.00N/09700.00W-/A=-1234x", 0, 0, 0, "/A=-1234x"},
      {"!3300.00N/09700.00W-/a=000100", 0, 0, 0, "/a=000100"},
      // Compressed: course and speed come from the position itself, the altitude from the comment.
      {"!/5L!!<*e7> sT088/036/A=001000", 0, 0, 1000, "088/036/A=001000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.info);
    auto p = ParsePacket(std::string("QQ5AAA>APRS:") + c.info, 0, kNow);
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->Position.Valid);
    EXPECT_EQ(p->Position.Course, c.course);
    EXPECT_EQ(p->Position.Speed, c.speed);
    EXPECT_EQ(p->Position.Altitude, c.altitude);
    EXPECT_EQ(p->Comment, c.comment);
  }
}

}  // namespace
}  // namespace druv
