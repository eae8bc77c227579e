// tnc-sim's GPS receiver: the fixes it makes decode back to the position and time it was given.
#include <gtest/gtest.h>

#include <string>

#include "gps/GpsFix.h"
#include "gps/GpsNmea.h"
#include "platform/TSerialFramer.h"
#include "tools/tnc-sim/TGpsSim.h"

namespace druv {
namespace {

constexpr double kUtc = 1714998896.78;  // 2024-05-06 12:34:56.78 UTC

TEST(GpsSimTest, FixSentencesDecodeToTheirPositionAndTime) {
  const struct {
    double Lat, Lon;
    const char* Grid;
  } cases[] = {
      {48.1173, 11.516667, "JN58sc"},
      {33.0, -97.0, "EM13ma"},
      {-33.87, 151.21, "QF56od"},
      {-0.5, -0.25, "II99vm"},
      // Minutes that round up to 60 carry into the degrees: 4800.0000N 00900.0000E.
      {47.99999999, 8.99999999, "JN48ma"},
  };
  for (const auto& c : cases) {
    const std::string text = GpsFixSentences(c.Lat, c.Lon, kUtc) + "$";
    TSerialFramer framer("$GPRMC", "$");
    std::string rmc;
    framer.OnFrame = [&](const std::string& f) { rmc = f; };
    framer.Feed(text);
    ASSERT_FALSE(rmc.empty()) << text;
    EXPECT_NE(rmc.find('*'), std::string::npos);
    EXPECT_FALSE(NmeaChecksumMismatch(rmc)) << rmc;
    EXPECT_FALSE(NmeaChecksumMismatch(text.substr(0, text.find("\r\n")))) << text;
    const TGpsSentenceRec r = DecodeGpsSentence(rmc);
    ASSERT_TRUE(r.Position) << rmc;
    EXPECT_NEAR(r.Position->Latitude, c.Lat, 1e-6) << rmc;
    EXPECT_NEAR(r.Position->Longitude, c.Lon, 1e-6) << rmc;
    EXPECT_EQ(r.Position->Locator, c.Grid) << rmc;
    ASSERT_TRUE(r.Time) << rmc;
    EXPECT_EQ(r.Time->TimeLabel, "12:34:56.78");
    EXPECT_EQ(r.Time->DateLabel, "05/06/24");
  }
}

TEST(GpsSimTest, FileSentencesGoOutInOrderAtTheRate) {
  TGpsSimOptionsRec o;
  o.Sentences = {"$GPRMC,a", "$GPRMC,b"};
  o.RateFixesPerSecond = 2;
  TGpsSim sim(o);
  EXPECT_EQ(sim.NextLine(0.0), std::string("$GPRMC,a\r\n"));
  EXPECT_EQ(sim.NextLine(0.1), std::nullopt);
  EXPECT_DOUBLE_EQ(sim.SecondsUntilNextLine(0.1), 0.4);
  EXPECT_EQ(sim.NextLine(0.5), std::string("$GPRMC,b\r\n"));
  EXPECT_EQ(sim.NextLine(5.0), std::nullopt);
  EXPECT_LT(sim.SecondsUntilNextLine(5.0), 0);
}

}  // namespace
}  // namespace druv
