// Raw GPS data: NMEA RMC, GGA and GLL sentences as trackers pass them on.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/DateTime.h"
#include "parser/APRSParser.h"

namespace druv {
namespace {

const TDateTime kNow = *EncodeDateTime(2024, 3, 5, 12, 34, 56);

// "$" + body + "*hh" with the checksum the body needs.
std::string Sentence(const std::string& body) {
  unsigned sum = 0;
  for (char c : body) sum ^= static_cast<unsigned char>(c);
  char hex[4];
  std::snprintf(hex, sizeof hex, "*%02X", sum);
  return "$" + body + hex;
}

struct TGpsCase {
  const char* name;
  std::string info;
  bool valid;
  double latitude = 0, longitude = 0;
  int course = 0, speed = 0, altitude = 0;
  const char* comment = "";
};

TEST(RawGpsTest, Sentences) {
  const TGpsCase cases[] = {
      // Real lines.
      {"rmc", "$GPRMC,145526,A,3349.0378,N,08406.2617,W,23.726,27.9,121207,4.9,W*7A", true, 33.8173, -84.1044, 28,
       24},
      {"rmc south east", "$GPRMC,145526,A,3349.0378,S,08406.2617,E,23.726,27.9,121207,4.9,W*75", true, -33.8173,
       84.1044, 28, 24},
      // NMEA's course 0 is north; in APRS 0 means unknown.
      {"rmc north", "$GPRMC,184649,A,3832.7107,S,05844.1957,W,0.000,0.0,130909,4.5,W*62", true, -38.5452, -58.7366,
       360, 0},
      {"rmc text after the checksum", "$GPRMC,185624,A,3339.7161,N,11414.1973,W,007,150,180612,,*0A/AZ RV CHASER",
       true, 33.6619, -114.2366, 150, 7, 0, "/AZ RV CHASER"},
      {"gga", "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,47.0,M,,*4F", true, 48.1173, 11.5167, 0, 0,
       1789},
      {"gll", "$GPGLL,4916.45,N,12311.12,W,225444,A*31", true, 49.2742, -123.1853},
      {"gll without status", "$GPGLL,4916.45,N,12311.12,W", true, 49.2742, -123.1853},
      {"another talker", Sentence("GNRMC,145526,A,3349.0378,N,08406.2617,W,0.4,,121207,,"), true, 33.8173,
       -84.1044, 0, 0},
      {"lower-case checksum", "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,47.0,M,,*4f", true, 48.1173,
       11.5167, 0, 0, 1789},
      // No fix.
      {"rmc void", "$GPRMC,,V,3237.1002,N,08340.7972,W,,,,3.2,W*62", false},
      {"gga no fix", "$GPGGA,123519,4807.038,N,01131.000,E,0,08,0.9,545.4,M,47.0,M,,*48", false},
      {"gll void", Sentence("GPGLL,4916.45,N,12311.12,W,225444,V"), false},
      // Checksums that do not match, or are not two hex digits.
      {"wrong checksum", "$GPRMC,145526,A,3349.0378,N,08406.2617,W,23.726,27.9,121207,4.9,W*7B", false},
      {"broken checksum", "$GPRMC,11,A,4458.2127,N,08720.8152,W,0.000,0.0,120,2.2, W * 0", false},
      {"cut checksum", "$GPGLL,4916.45,N,12311.12,W,225444,A*3", false},
      // Coordinates NMEA does not write, or off the earth.
      {"184 degrees", "$GPRMC,145526,A,3349.0378,N,18406.2617,W,180,27.9,121207,4.9,W*5E", false},
      {"90 49 north", "$GPRMC,145526,A,9049.0378,N,18406.2617,W,180,27.9,121207,4.9,W*57", false},
      {"hemisphere R", "$GPRMC,145526,A,9049.0378,R,18406.2617,W,180,27.9,121207,4.9,W*4B", false},
      {"letter in digits", "$GPRMC,145526,A,9049.0D78,N,18406.2617,W,180,27.9,121207,4.9,W*20", false},
      {"no point", "$GPGGA,222814.000,484768272,N,00829.8212,E,2,09,1.0,714.0,M,48.0,M,1.8,0000*7B", false},
      {"minutes 60", Sentence("GPGLL,4960.00,N,12311.12,W,225444,A"), false},
      {"empty fields", Sentence("GPRMC,,A,,,,,,,,,"), false},
      // Other sentences and the weather station that shares the identifier.
      {"unknown sentence", "$GPMY,145526,A,3349.0378,S,08406.2617,E,23.726,27.9,121207,4.9,W*113", false},
      {"ultimeter", "$ULTW0053002D028D02FA2813000D87BD000103E8015703430010000C", false},
  };
  for (const TGpsCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto p = ParsePacket("QQ5AAA-9>GPSLK,WIDE2-1:" + c.info, 0, kNow);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->DataTypeID, dtRawGPSorU2K);
    EXPECT_EQ(p->Position.Valid, c.valid);
    EXPECT_NEAR(p->Position.Latitude.Value, c.latitude, 5e-5);
    EXPECT_NEAR(p->Position.Longitude.Value, c.longitude, 5e-5);
    EXPECT_EQ(p->Position.Course, c.course);
    EXPECT_EQ(p->Position.Speed, c.speed);
    EXPECT_EQ(p->Position.Altitude, c.altitude);
    EXPECT_EQ(p->Comment, c.comment);
  }
}

TEST(RawGpsTest, CoordinateTextsAndLocator) {
  auto p = ParsePacket("QQ5AAA-9>GPSLK:$GPRMC,145526,A,3349.0378,N,08406.2617,W,23.726,27.9,121207,4.9,W*7A", 0, kNow);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Position.Latitude.NMEA, "3349.04N");
  EXPECT_EQ(p->Position.Longitude.NMEA, "08406.26W");
  EXPECT_EQ(p->Position.Gridsquare, "EM73WT");
  EXPECT_EQ(p->InformationField, "GPRMC,145526,A,3349.0378,N,08406.2617,W,23.726,27.9,121207,4.9,W*7A");
}

}  // namespace
}  // namespace druv
