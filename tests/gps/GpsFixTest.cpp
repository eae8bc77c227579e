// The decode of a "$GPRMC" sentence: position, labels, locator, time and date, and what a void
// fix, an unreadable field or a short sentence leave alone.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/Error.h"
#include "gps/GpsFix.h"

namespace druv {
namespace {

const char* const kMunich = "$GPRMC,123519.00,A,4807.038,N,01131.000,E,0.0,0.0,230394,,*hh\r\n$";

TEST(GpsFixTest, ExampleSentenceGivesPositionLabelsLocatorTimeAndDate) {
  const TGpsSentenceRec r = DecodeGpsSentence(kMunich);
  EXPECT_FALSE(r.Void);
  ASSERT_TRUE(r.Position);
  EXPECT_NEAR(r.Position->Latitude, 48.1173, 1e-12);
  EXPECT_NEAR(r.Position->Longitude, 11.0 + 31.0 / 60, 1e-12);
  EXPECT_EQ(r.Position->LatitudeLabel, "48.117300");
  EXPECT_EQ(r.Position->LongitudeLabel, "11.516667");
  EXPECT_EQ(r.Position->ComposerLatitude, "48.1173");
  EXPECT_EQ(r.Position->ComposerLongitude, "11.5166666666667");
  EXPECT_EQ(r.Position->Locator, "JN58sc");
  ASSERT_TRUE(r.Time);
  EXPECT_EQ(r.Time->TimeLabel, "12:35:19.00");
  EXPECT_EQ(r.Time->DateLabel, "03/23/94");
  EXPECT_NEAR(r.Time->Hours, 12 + 35.0 / 60 + 19.0 / 3600, 1e-12);
}

TEST(GpsFixTest, SouthAndWestAreNegative) {
  const TGpsSentenceRec r = DecodeGpsSentence("$GPRMC,010203.00,A,3300.000,S,07000.000,W,0,0,010124,,*hh\r\n$");
  ASSERT_TRUE(r.Position);
  EXPECT_EQ(r.Position->Latitude, -33.0);
  EXPECT_EQ(r.Position->Longitude, -70.0);
  EXPECT_EQ(r.Position->ComposerLatitude, "-33");
  EXPECT_EQ(r.Position->LatitudeLabel, "-33.000000");
  EXPECT_EQ(r.Position->Locator, "FF57aa");
}

TEST(GpsFixTest, FieldsThatDoNotReadLeaveTheirPartOut) {
  const struct {
    const char* Name;
    const char* Sentence;
    bool Position, Time;
  } cases[] = {
      // Characters 8 to 16 are then "123519,A,", no number.
      {"six-character time", "$GPRMC,123519,A,4807.038,N,01131.000,E,0.0,0.0,230394,,*hh\r\n$", true, false},
      {"empty latitude", "$GPRMC,123519.00,A,,N,01131.000,E,0.0,0.0,230394,,*hh\r\n$", false, true},
      {"empty longitude", "$GPRMC,123519.00,A,4807.038,N,,E,0.0,0.0,230394,,*hh\r\n$", false, true},
      {"letters for a latitude", "$GPRMC,123519.00,A,48O7.038,N,01131.000,E,0.0,0.0,230394,,*hh\r\n$", false, true},
      {"nan is no latitude", "$GPRMC,123519.00,A,nan,N,01131.000,E,0.0,0.0,230394,,*hh\r\n$", false, true},
      {"beyond the pole", "$GPRMC,123519.00,A,9130.000,N,01131.000,E,0.0,0.0,230394,,*hh\r\n$", false, true},
      {"beyond the date line", "$GPRMC,123519.00,A,4807.038,N,18030.000,W,0.0,0.0,230394,,*hh\r\n$", false, true},
      {"no fix yet", "$GPRMC,,V,,,,,,,,,,N*53\r\n$", false, false},
  };
  for (const auto& c : cases) {
    const TGpsSentenceRec r = DecodeGpsSentence(c.Sentence);
    EXPECT_EQ(r.Position.has_value(), c.Position) << c.Name;
    EXPECT_EQ(r.Time.has_value(), c.Time) << c.Name;
  }
}

TEST(GpsFixTest, VoidFixBringsTimeAndDateButNoPosition) {
  const TGpsSentenceRec r = DecodeGpsSentence("$GPRMC,123519.00,V,4807.038,N,01131.000,E,0.0,0.0,230394,,*hh\r\n$");
  EXPECT_TRUE(r.Void);
  EXPECT_FALSE(r.Position);
  ASSERT_TRUE(r.Time);
  EXPECT_EQ(r.Time->TimeLabel, "12:35:19.00");
  EXPECT_EQ(r.Time->DateLabel, "03/23/94");
}

TEST(GpsFixTest, ShortSentenceIsAnError) {
  // The "$" of the next sentence counts as a field of its own.
  for (const char* s : {"$GPRMC,123519.00,A,4807.038,N\r\n$", "$GPRMC,1,2,3,4,5,6,7\r\n$", "$GPRMC"}) {
    EXPECT_THROW(DecodeGpsSentence(s), Error) << s;
  }
  try {
    DecodeGpsSentence("$GPRMC,123519.00,A,4807.038,N\r\n$");
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Incomplete GPS sentence: 6 fields, 10 expected.");
  }
  // Ten fields are enough.
  EXPECT_NO_THROW(DecodeGpsSentence("$GPRMC,1,2,3,4,5,6,7,8,9"));
}

TEST(GpsFixTest, ProcessWideValuesFollowPositionAndTimeSeparately) {
  ApplyGpsSentence(DecodeGpsSentence(kMunich));
  EXPECT_NEAR(GpsLatitude, 48.1173, 1e-12);
  EXPECT_NEAR(GpsLongitude, 11.516667, 1e-6);
  EXPECT_NEAR(GpsTimeHours, 12.588611, 1e-6);
  // A void fix moves the clock, not the station.
  ApplyGpsSentence(DecodeGpsSentence("$GPRMC,060000.00,V,3300.000,S,07000.000,W,0,0,010124,,*hh\r\n$"));
  EXPECT_NEAR(GpsLatitude, 48.1173, 1e-12);
  EXPECT_NEAR(GpsTimeHours, 6.0, 1e-12);
}

TEST(GpsFixTest, Locator) {
  const struct {
    double Lat, Lon;
    const char* Grid;
  } cases[] = {
      {48.1173, 11.516667, "JN58sc"},
      {33.0, -97.0, "EM13ma"},    // west of Greenwich
      {-33.0, -70.0, "FF57aa"},   // and south of the equator
      {51.5, -0.1, "IO91wm"},     // London, just west of the meridian
      {-33.87, 151.21, "QF56od"},  // Sydney
      {0, 0, "JJ00aa"},
      {-90, -180, "AA00aa"},
      {90, 180, "RR99xx"},        // the far corner stays inside the field range
  };
  for (const auto& c : cases) EXPECT_EQ(GpsGrid(c.Lat, c.Lon), c.Grid) << c.Lat << " " << c.Lon;
}

TEST(GpsFixTest, NumberConversions) {
  EXPECT_NEAR(GpsNmeaToDegrees("4807.038"), 48.1173, 1e-12);
  EXPECT_NEAR(GpsNmeaToDegrees("15112.600"), 151.21, 1e-12);
  EXPECT_EQ(GpsNmeaToDegrees(""), 0);
  EXPECT_EQ(GpsNmeaToDegrees("x"), 0);
  EXPECT_NEAR(GpsTimeToHours("235959.99"), 23 + 59.0 / 60 + 59.99 / 3600, 1e-9);
  EXPECT_EQ(GpsTimeToHours("000000.00"), 0);
  EXPECT_EQ(GpsTimeToHours("12:00"), 0);
  EXPECT_EQ(GpsDate("230394"), "03/23/94");
  EXPECT_EQ(GpsDate("2303"), "03/23/");
  EXPECT_EQ(GpsDate(""), "//");
}

}  // namespace
}  // namespace druv
