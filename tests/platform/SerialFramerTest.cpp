// Framed delivery of "$GPRMC" ... "$" texts out of a byte stream, however the reads split it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/TSerialFramer.h"

namespace druv {
namespace {

using TFrames = std::vector<std::string>;

struct TRig {
  TSerialFramer Framer{"$GPRMC", "$", 128};
  TFrames Frames;
  TRig() {
    Framer.OnFrame = [this](const std::string& f) { Frames.push_back(f); };
  }
};

// A receiver's output as it comes: noise before the first sentence, other sentences in between,
// and two RMC sentences back to back.
const std::string kStream =
    "\x13junk,*$GP"
    "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"
    "$GPRMC,123519.00,A,4807.038,N,01131.000,E,0.0,0.0,230394,,*hh\r\n"
    "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n"
    "$GPRMC,123520.00,A,4807.038,N,01131.000,E,0.0,0.0,230394,,*hh\r\n"
    "$GPRMC,123521.00,A,4807.038,N,01131.000,E,0.0,0.0,230394,,*hh\r\n"
    "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n";

const TFrames kExpected = {
    "$GPRMC,123519.00,A,4807.038,N,01131.000,E,0.0,0.0,230394,,*hh\r\n$",
    "$GPRMC,123520.00,A,4807.038,N,01131.000,E,0.0,0.0,230394,,*hh\r\n$",
    "$GPRMC,123521.00,A,4807.038,N,01131.000,E,0.0,0.0,230394,,*hh\r\n$",
};

TEST(SerialFramerTest, SameFramesWhateverTheReadSizes) {
  for (size_t chunk : {size_t{1}, size_t{2}, size_t{3}, size_t{7}, size_t{64}, kStream.size()}) {
    TRig rig;
    for (size_t i = 0; i < kStream.size(); i += chunk) rig.Framer.Feed(std::string_view(kStream).substr(i, chunk));
    EXPECT_EQ(rig.Frames, kExpected) << "reads of " << chunk;
  }
  // Every single split point of one read into two.
  for (size_t cut = 0; cut <= kStream.size(); ++cut) {
    TRig rig;
    rig.Framer.Feed(std::string_view(kStream).substr(0, cut));
    rig.Framer.Feed(std::string_view(kStream).substr(cut));
    EXPECT_EQ(rig.Frames, kExpected) << "cut at " << cut;
  }
}

// Multi-constellation receivers send "$GNRMC" (and "$GLRMC", "$GARMC") where older ones send "$GPRMC".
TEST(SerialFramerTest, QuestionMarkInTheStartMatchesAnyByte) {
  TSerialFramer framer{"$G?RMC", "$", 128};
  TFrames frames;
  framer.OnFrame = [&](const std::string& f) { frames.push_back(f); };
  framer.Feed("$GNGGA,1*00\r\n$GNRMC,1,A*00\r\n$GPRMC,2,A*00\r\n$GNRMX,3\r\n$");
  EXPECT_EQ(frames, (TFrames{"$GNRMC,1,A*00\r\n$", "$GPRMC,2,A*00\r\n$"}));
}

TEST(SerialFramerTest, FrameWaitsForItsStopText) {
  TRig rig;
  rig.Framer.Feed("$GPRMC,1,2\r\n");
  EXPECT_TRUE(rig.Frames.empty());
  rig.Framer.Feed("$");
  EXPECT_EQ(rig.Frames, TFrames{"$GPRMC,1,2\r\n$"});
}

TEST(SerialFramerTest, OverlongFrameIsDroppedAndTheNextOneStillComes) {
  TRig rig;
  rig.Framer.Feed("$GPRMC," + std::string(500, 'x'));
  rig.Framer.Feed("$GPRMC,ok\r\n$");
  EXPECT_EQ(rig.Frames, TFrames{"$GPRMC,ok\r\n$"});
}

TEST(SerialFramerTest, ResetForgetsAFrameInProgress) {
  TRig rig;
  rig.Framer.Feed("$GPRMC,old");
  rig.Framer.Reset();
  rig.Framer.Feed(",rest\r\n$GPRMC,new\r\n$");
  EXPECT_EQ(rig.Frames, TFrames{"$GPRMC,new\r\n$"});
}

// The handler may run a nested event loop in which more bytes arrive.
TEST(SerialFramerTest, HandlerThatFeedsMoreBytesKeepsTheOrder) {
  TRig rig;
  bool nested = false;
  rig.Framer.OnFrame = [&](const std::string& f) {
    rig.Frames.push_back(f);
    if (!nested) {
      nested = true;
      rig.Framer.Feed("GPRMC,2\r\n$");
    }
  };
  rig.Framer.Feed("$GPRMC,1\r\n$");
  rig.Framer.Feed("GPRMC,3\r\n$");
  EXPECT_EQ(rig.Frames, (TFrames{"$GPRMC,1\r\n$", "$GPRMC,2\r\n$", "$GPRMC,3\r\n$"}));
}

}  // namespace
}  // namespace druv
