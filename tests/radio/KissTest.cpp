// KISS framing: escapes in every position, any split of the stream, frames to skip, and the
// KISS protocol turning frames into lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "radio/Ax25Codec.h"
#include "radio/TKissDecoder.h"
#include "radio/TKissProtocol.h"

namespace druv {
namespace {

using TFrames = std::vector<std::string>;

struct TDecoded {
  TKissDecoder Kiss;
  TFrames Frames;
  std::vector<int> Ports;
  TDecoded() {
    Kiss.OnFrame = [this](int port, std::string_view f) {
      Ports.push_back(port);
      Frames.emplace_back(f);
    };
  }
};

const std::string kFend(1, '\xC0'), kFesc(1, '\xDB');

TEST(Kiss, EscapesInEveryPositionAndEverySplit) {
  // A frame with FEND and FESC at the start, in the middle, side by side and at the end.
  const std::string special[] = {kFend, kFesc, kFend + kFesc, kFesc + kFend, kFend + kFend, kFesc + kFesc};
  for (const std::string& s : special) {
    for (const std::string& frame : {s + "abc", "ab" + s + "c", "abc" + s, s}) {
      const std::string stream = KissDataFrame(0, frame) + KissDataFrame(5, "plain") + KissDataFrame(15, frame);
      EXPECT_EQ(stream.find(kFend, 1), KissDataFrame(0, frame).size() - 1);  // escaped: no FEND inside
      for (size_t split = 0; split <= stream.size(); ++split) {
        TDecoded d;
        d.Kiss.Feed(std::string_view(stream).substr(0, split));
        d.Kiss.Feed(std::string_view(stream).substr(split));
        ASSERT_EQ(d.Frames, (TFrames{frame, "plain", frame})) << "split at " << split;
        ASSERT_EQ(d.Ports, (std::vector<int>{0, 5, 15}));
      }
      TDecoded bytewise;
      for (char c : stream) bytewise.Kiss.Feed(std::string_view(&c, 1));
      EXPECT_EQ(bytewise.Frames, (TFrames{frame, "plain", frame}));
      EXPECT_EQ(bytewise.Kiss.Malformed(), 0u);
    }
  }
}

TEST(Kiss, BadFramesAreSkippedAndCounted) {
  const std::string good = KissDataFrame(0, "good");
  struct {
    const char* Name;
    std::string Bad;
    uint64_t Malformed, Other;
  } cases[] = {
      {"unknown escape", kFend + '\0' + "ab" + kFesc + "x" + "cd" + kFend, 1, 0},
      {"escape before FEND", kFend + '\0' + "ab" + kFesc + kFend, 1, 0},
      {"type byte only", kFend + '\0' + kFend, 1, 0},
      {"TXDELAY command", kFend + "\x01\x32" + kFend, 0, 1},
      {"return from KISS", kFend + "\xFF" + kFend, 0, 1},
      {"over-long", kFend + '\0' + std::string(TKissDecoder::MaxFrameLength + 10, 'x') + kFend, 1, 0},
      {"FENDs between frames", kFend + kFend + kFend, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TDecoded d;
    d.Kiss.Feed(good + c.Bad + good);
    EXPECT_EQ(d.Frames, (TFrames{"good", "good"}));
    EXPECT_EQ(d.Kiss.Malformed(), c.Malformed);
    EXPECT_EQ(d.Kiss.OtherCommands(), c.Other);
  }
  // The longest frame that is kept.
  TDecoded d;
  d.Kiss.Feed(KissDataFrame(0, std::string(TKissDecoder::MaxFrameLength - 1, 'y')));
  EXPECT_EQ(d.Frames.size(), 1u);
}

TEST(Kiss, ResetDropsTheFrameInProgress) {
  TDecoded d;
  const std::string frame = KissDataFrame(0, "first half only");
  d.Kiss.Feed(frame.substr(0, 8));
  d.Kiss.Reset();
  // What follows a lost link starts with a FEND of its own.
  d.Kiss.Feed("tail of nothing" + KissDataFrame(0, "next"));
  EXPECT_EQ(d.Frames, (TFrames{"next"}));
}

TEST(Kiss, ProtocolFilesAprsFramesAndCountsTheRest) {
  TKissProtocol kiss;
  std::vector<std::string> lines;
  kiss.OnLine = [&](const std::string& l) { lines.push_back(l); };
  const std::string aprs = *MonitorLineToAx25("QQ5AAA-9>APRS,WIDE2-1*:!3300.00N/09700.00Wk");
  std::string iFrame = aprs;
  iFrame[21] = '\0';  // control (after three addresses) of an I frame
  std::string stream = KissDataFrame(0, aprs) + KissDataFrame(0, iFrame) + KissDataFrame(0, "garbage") +
                       kFend + "\x01\x10" + kFend + KissDataFrame(1, aprs);
  kiss.Feed(stream);
  EXPECT_EQ(lines, (std::vector<std::string>{"QQ5AAA-9>APRS,WIDE2-1*:!3300.00N/09700.00Wk",
                                             "QQ5AAA-9>APRS,WIDE2-1*:!3300.00N/09700.00Wk"}));
  EXPECT_EQ(kiss.Skipped(), 2u);
  EXPECT_EQ(kiss.Malformed(), 1u);
  EXPECT_EQ(kiss.Counters(), "2 frames skipped, 1 malformed");

  // Own packets: UI frames on port 0.
  const TEncodedRec e = kiss.Encode({"QQ5AAA-9", "APRS", {"WIDE1-1"}, ">on the air"});
  EXPECT_EQ(e.Result, srSent);
  EXPECT_EQ(e.Bytes, KissDataFrame(0, *MonitorLineToAx25("QQ5AAA-9>APRS,WIDE1-1:>on the air")));
  EXPECT_EQ(kiss.Encode({"XXXXXXX", "APRS", {}, ">x"}).Result, srBadAddress);
  EXPECT_EQ(kiss.Encode({"QQ5AAA", "APRS", {}, "two\rlines"}).Result, srBadText);
}

}  // namespace
}  // namespace druv
