#include <gtest/gtest.h>

#include <string>

#include "parser/APRSParser.h"
#include "parser/Decoders.h"

namespace druv {
namespace {

const TDateTime kNow = *EncodeDateTime(2024, 3, 5, 12, 34, 56, 789);

// The reference example: 33 25.64 N; longitude 12 07.74 W (no +100 offset in S32U6T);
// 20 knots, course 251 (course byte 651 - 400).
const char* kExample = "(_fn\"Oj/";
const double kLat = 33 + 25 / 60.0 + 64 / 6000.0;
const double kLon = -(12 + 7 / 60.0 + 74 / 6000.0);

std::unique_ptr<TAprsPacket> Parse(const std::string& destination, const std::string& info, char id = '`') {
  return ParsePacket("QQ5AAA-9>" + destination + ",WIDE2-1:" + id + info, 0, kNow);
}

struct TMicECase {
  const char* name;
  const char* destination;
  std::string info;
  bool decoded = false;  // destination accepted
  bool valid = false;
  double latitude = 0, longitude = 0;
  int speed = 0, course = 0, msgIndex = 0;
  const char* comment = "";
};

TEST(MicETest, Decodes) {
  const TMicECase cases[] = {
      {"example", "S32U6T", kExample, true, true, 33.4273, -12.129, 20, 251, 4, ""},
      {"ssid", "S32U6T-5", kExample, true, true, 33.4273, -12.129, 20, 251, 4, ""},
      {"two-digit ssid", "S32U6T-12", kExample, true, true, 33.4273, -12.129, 20, 251, 4, ""},
      {"custom message", "A32U6T", kExample, true, true, 3.4273, -12.129, 20, 251, 12, ""},
      {"south east", "S32569", kExample, true, true, -33.4282, 12.129, 20, 251, 4, ""},
      // Longitude offsets: +100, then 180..189 less 80 and 190..199 less 190.
      {"+100", "S32UVT", std::string(1, 28 + 5) + "_fn\"Oj/", true, true, 33.4273, -105.129, 20, 251, 4, ""},
      {"188", "S32UVT", std::string(1, 28 + 88) + "_fn\"Oj/", true, true, 33.4273, -108.129, 20, 251, 4, ""},
      {"195", "S32UVT", std::string(1, 28 + 95) + "_fn\"Oj/", true, true, 33.4273, -5.129, 20, 251, 4, ""},
      // Course 0 leaves course and speed unset even with a speed.
      {"course 0", "S32U6T", std::string("(_f") + "n" + char(28 + 10) + char(28) + "j/", true, true, 33.4273,
       -12.129, 0, 0, 4, ""},
      // Speed units come from the tens digit alone: 5 of 57, not a rounded 5.7.
      {"speed units", "S32U6T", std::string("(_f") + char(28 + 3) + char(28 + 57) + char(28 + 10) + "j/", true, true,
       33.4273, -12.129, 35, 310, 4, ""},
      {"comment", "S32U6T", std::string(kExample) + ">hello", true, true, 33.4273, -12.129, 20, 251, 4, ">hello"},
      {"long comment", "S32U6T", std::string(kExample) + std::string(300, 'c'), true, true, 33.4273, -12.129, 20, 251,
       4, nullptr},
      // Refused destinations: nothing decoded.
      {"seven", "S32U6T1", kExample, false},
      {"mixed", "SA2U6T", kExample, false},
      {"bad tail", "S32U6A", kExample, false},
      {"bad ssid", "S32U6T-X", kExample, false},
      {"bad ssid 2", "S32U6T-1X", kExample, false},
      {"short", "S32U6", kExample, false},
      // Out-of-range bytes stop the decoding early; a position that is not valid keeps no latitude.
      {"bad longitude byte", "S32U6T", std::string(1, 27) + "_fn\"Oj/", true, false, 0, 0, 0, 0, 4, ""},
      {"bad speed byte", "S32U6T", std::string("(_fn~Oj/hi"), true, true, kLat, kLon, 0, 0, 4, ""},
      // Short fields: nothing read past the end.
      {"one byte", "S32U6T", "(", true, false, 0, 0, 0, 0, 4, ""},
      {"seven bytes", "S32U6T", "(_fn\"Oj", true, false, 0, 0, 0, 0, 4, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto p = Parse(c.destination, c.info);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->DataTypeID, dtMicE);
    if (!c.decoded) {
      EXPECT_FALSE(p->Position.Valid);
      EXPECT_EQ(p->Position.Latitude.Value, 0);
      EXPECT_EQ(p->SymbolCode, 0);
      EXPECT_EQ(p->MessageData.MsgIndex, 0);
      EXPECT_EQ(p->Comment, "");
      continue;
    }
    EXPECT_EQ(p->Position.Valid, c.valid);
    EXPECT_NEAR(p->Position.Latitude.Value, c.latitude, 1e-9);
    EXPECT_NEAR(p->Position.Longitude.Value, c.longitude, 1e-9);
    EXPECT_EQ(p->Position.Speed, c.speed);
    EXPECT_EQ(p->Position.Course, c.course);
    EXPECT_EQ(p->MessageData.MsgIndex, c.msgIndex);
    if (c.comment)
      EXPECT_EQ(p->Comment, c.comment);
    else
      EXPECT_EQ(p->Comment, std::string(255, 'c'));
  }
}

TEST(MicETest, ExampleInDetail) {
  auto p = Parse("S32U6T", kExample);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Position.Latitude.NMEA, "3325.64N");
  EXPECT_EQ(p->Position.Longitude.NMEA, "01207.74W");
  EXPECT_EQ(p->SymbolCode, 'j');
  EXPECT_EQ(p->SymbolTableIdentifier, '/');
  EXPECT_EQ(p->Position.Gridsquare, LatLonToGrid(-12.129, 33.4273));
  EXPECT_EQ(p->DestinationCallSign, "S32U6T");

  // The other three Mic-E identifiers decode the same way.
  for (char id : {'\'', '\x1C', '\x1D'}) {
    SCOPED_TRACE(static_cast<int>(id));
    auto q = Parse("S32U6T", kExample, id);
    ASSERT_TRUE(q);
    EXPECT_TRUE(q->Position.Valid);
    EXPECT_EQ(q->Position.Speed, 20);
  }

  // A stop at the speed bytes keeps the unrounded position and leaves the comment alone.
  auto stop = Parse("S32U6T", "(_fn~Oj/hi");
  ASSERT_TRUE(stop);
  EXPECT_EQ(stop->Position.Latitude.Value, kLat);
  EXPECT_EQ(stop->Comment, "");
}

TEST(MicETest, RadioModelFromNinthByte) {
  struct {
    std::string info;
    bool d7, d700;
  } cases[] = {
      {std::string(kExample) + ">", true, false},
      {std::string(kExample) + "]=", false, true},
      {std::string(kExample) + "x", false, false},
      {kExample, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.info);
    auto p = Parse("S32U6T", c.info);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->FromD7, c.d7);
    EXPECT_EQ(p->FromD700, c.d700);
  }
}

TEST(MicETest, EmptyFieldFailsTheParse) {
  EXPECT_EQ(Parse("S32U6T", ""), nullptr);
  TAprsPacket p;
  p.DestinationCallSign = "S32U6T";
  EXPECT_ANY_THROW(DecodeMicE("", p));
}

// Altitude "xxx}" in metres above -10000 at the start of the comment or after the radio's type
// byte, written in feet; real packets first.
TEST(MicETest, AltitudeInFeet) {
  struct {
    const char* line;
    int feet;
  } cases[] = {
      {"OH7LZB-2>TQ4W2V,WIDE2-1,qAo,OH7LZB:`c51!f?>/]\"3x}=", 20},                          // 6 m
      {"OH2JCQ-9>VP1U88,TRACE2-2,qAR,OH2RDK-5:'5'9\"^Rj/]\"4-}Foo !w66!Bar", 72},          // 22 m
      {"W4RK-9>S8SR5R,KB4VSP-3,WIDE1*,WIDE2-1,qAR,WX0BC-3:`x- n\"@>/]\"6>}=", 725},        // 221 m
      {"N5ZRU>S8ST3U,KB4VSP-3,WIDE1*,WIDE2-1,qAR,WX0BC-3:`x)em}J>/`\"63}_%", 689},         // 210 m
      {"N6BG-1>S6QTUX:`+,^l!cR/'\";z}||ss11223344bb!\"|!w>f!|3", 2415},                     // 736 m
      {"QQ5AAA>S32U6T:`(_fn\"Oj/\"3x}", 20},                                                // no type byte
      {"QQ5AAA>S32U6T:`(_fn\"Oj/!!!}", -32808},                                            // -10000 m
      {"QQ5AAA>S32U6T:`(_fn\"Oj/x\"3x}", 0},                                               // not a type byte
      {"QQ5AAA>S32U6T:`(_fn\"Oj/hi \"3x}", 0},                                             // further in
      {"QQ5AAA>S32U6T:`(_fn\"Oj/]\" x}", 0},                                               // blank: not base 91
      {"QQ5AAA>S32U6T:`(_fn\"Oj/]\"3", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto p = ParsePacket(c.line, 0, kNow);
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->Position.Valid);
    EXPECT_EQ(p->Position.Altitude, c.feet);
  }
  // The comment keeps the altitude text.
  auto p = ParsePacket("OH7LZB-2>TQ4W2V:`c51!f?>/]\"3x}=", 0, kNow);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Comment, "]\"3x}=");
}

// "K", "L" and "Z" in the destination are blanked latitude digits: ambiguity, from the right only,
// and the longitude blanked to the same degree; the position lands at the centre of the area.
TEST(MicETest, AmbiguitySymbolTableAndRange) {
  struct {
    const char* destination;
    std::string info;
    bool valid;
    int ambiguity;
    double latitude, longitude;
  } cases[] = {
      {"U1PRLL-1", "*\\Fl\"Bk/]\"?l}", true, 2, 51 + 2.5 / 60, 14 + 4.5 / 60},
      {"U1PRZZ-1", "*\\Fl\"Bk/]\"?l}", true, 2, 51 + 2.5 / 60, -(114 + 4.5 / 60)},
      {"S32U6Z", kExample, true, 1, 33 + 25.65 / 60, -(12 + 7.75 / 60)},
      {"S3ZZZZ", kExample, true, 4, 33.5, -112.5},  // "Z" keeps its +100 and west flags
      {"SSULXR", kExample, false},                  // a blank between digits
      {"SZZZZZ", kExample, false},                  // the degrees are never blank
      {"99QP00", kExample, false},                  // 99 degrees north
      {"S32U6T", "(_fn\"Oj,", false},               // table ","
      {"S32U6T", "(_fn\"Oj9", true, 0, kLat, kLon},  // overlay digit
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.destination + (" " + c.info));
    auto p = Parse(c.destination, c.info);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Position.Valid, c.valid);
    EXPECT_EQ(p->Position.Ambiguity, c.ambiguity);
    EXPECT_NEAR(p->Position.Latitude.Value, c.latitude, 5e-5);
    EXPECT_NEAR(p->Position.Longitude.Value, c.longitude, 5e-5);
    if (!c.valid) EXPECT_EQ(p->Position.Course, 0);
  }
}

}  // namespace
}  // namespace druv
