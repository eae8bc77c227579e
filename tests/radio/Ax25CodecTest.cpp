// AX.25 frames to monitor lines and back. The frames of direwolf-frames.txt were captured from
// Dire Wolf (capture-frames.py): real encoder output, not this codec's.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "radio/Ax25Codec.h"

namespace druv {
namespace {

std::string FromHex(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

std::string Unescape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x') {
      out += static_cast<char>(std::stoi(s.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      out += s[i];
    }
  }
  return out;
}

struct TCapturedFrame {
  std::string Frame, Line;
};

std::vector<TCapturedFrame> CapturedFrames() {
  std::ifstream in(DRUV_FIXTURES_DIR "/kiss/direwolf-frames.txt", std::ios::binary);
  std::vector<TCapturedFrame> out;
  std::string row;
  while (std::getline(in, row)) {
    const size_t tab = row.find('\t');
    if (tab != std::string::npos) out.push_back({FromHex(row.substr(0, tab)), Unescape(row.substr(tab + 1))});
  }
  return out;
}

// Dire Wolf sets the C bit in the source address as well (the pre-2.0 convention); this codec
// sends command frames as AX.25 2.x does. Nothing else may differ.
std::string WithoutSourceCBit(std::string frame) {
  if (frame.size() > 13) frame[13] = static_cast<char>(frame[13] & 0x7F);
  return frame;
}

TEST(Ax25Codec, RealFramesToLinesAndBack) {
  const auto frames = CapturedFrames();
  ASSERT_EQ(frames.size(), 25u);
  for (const auto& f : frames) {
    SCOPED_TRACE(f.Line);
    const TFrameDecodeRec d = Ax25ToMonitorLine(f.Frame);
    ASSERT_EQ(d.Verdict, fvLine);
    EXPECT_EQ(d.Line, f.Line);
    const auto back = MonitorLineToAx25(f.Line);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(WithoutSourceCBit(*back), WithoutSourceCBit(f.Frame));
    EXPECT_EQ(Ax25ToMonitorLine(*back).Line, f.Line);
  }
}

// Frames built by hand: the header bytes of QQ5AAA-9 > APRS via two digipeaters.
std::string Address(const std::string& call, int ssid, unsigned char flags) {
  std::string out;
  for (size_t i = 0; i < 6; ++i) out += static_cast<char>((i < call.size() ? call[i] : ' ') << 1);
  out += static_cast<char>(0x60 | (ssid << 1) | flags);
  return out;
}

TEST(Ax25Codec, RepeatedBitsAndOddFrames) {
  const std::string dest = Address("APRS", 0, 0x80), src = Address("QQ5AAA", 9, 0);
  const std::string ui = "\x03\xF0";
  struct {
    const char* Name;
    std::string Frame;
    TFrameVerdict Verdict;
    std::string Line;
  } cases[] = {
      {"no digipeaters", dest + Address("QQ5AAA", 9, 0x01) + ui + ">hi", fvLine, "QQ5AAA-9>APRS:>hi"},
      {"second repeated, first not", dest + src + Address("WIDE1", 1, 0) + Address("WIDE2", 0, 0x81) + ui + ">x",
       fvLine, "QQ5AAA-9>APRS,WIDE1-1,WIDE2*:>x"},
      {"poll bit set", dest + Address("QQ5AAA", 9, 0x01) + "\x13\xF0" + ">p", fvLine, "QQ5AAA-9>APRS:>p"},
      {"empty information", dest + Address("QQ5AAA", 9, 0x01) + ui, fvLine, "QQ5AAA-9>APRS:"},
      {"every byte value kept", dest + Address("QQ5AAA", 9, 0x01) + ui + std::string("\x00\x0d\xc0\xdb\xff", 5),
       fvLine, "QQ5AAA-9>APRS:" + std::string("\x00\x0d\xc0\xdb\xff", 5)},
      {"connected-mode I frame", dest + Address("QQ5AAA", 9, 0x01) + "\x00\xF0" + "x", fvNotAprs, ""},
      {"NET/ROM PID", dest + Address("QQ5AAA", 9, 0x01) + "\x03\xCF" + "x", fvNotAprs, ""},
      {"empty frame", "", fvMalformed, ""},
      {"half an address", dest.substr(0, 5), fvMalformed, ""},
      {"one address only", Address("APRS", 0, 0x81) + ui + "x", fvMalformed, ""},
      {"no end of addresses", dest + src + src + src + src + src + src + src + src + src + src + ui, fvMalformed,
       ""},
      {"nine digipeaters", dest + src + src + src + src + src + src + src + src + src + Address("X", 0, 1) + ui,
       fvMalformed, ""},
      {"addresses, no control", dest + Address("QQ5AAA", 9, 0x01), fvMalformed, ""},
      {"UI without PID", dest + Address("QQ5AAA", 9, 0x01) + "\x03", fvMalformed, ""},
      {"lower-case call", Address("aprs", 0, 0x80) + Address("QQ5AAA", 9, 0x01) + ui + "x", fvMalformed, ""},
      {"blank inside a call", Address("AP RS", 0, 0x80) + Address("QQ5AAA", 9, 0x01) + ui + "x", fvMalformed, ""},
      {"all-blank call", Address("", 0, 0x80) + Address("QQ5AAA", 9, 0x01) + ui + "x", fvMalformed, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TFrameDecodeRec d = Ax25ToMonitorLine(c.Frame);
    EXPECT_EQ(d.Verdict, c.Verdict);
    EXPECT_EQ(d.Line, c.Line);
  }
  // An address byte with the extension bit in a character position.
  std::string stray = dest + Address("QQ5AAA", 9, 0x01) + ui + "x";
  stray[2] = static_cast<char>(stray[2] | 1);
  EXPECT_EQ(Ax25ToMonitorLine(stray).Verdict, fvMalformed);
}

TEST(Ax25Codec, LinesThatMakeNoFrame) {
  const char* bad[] = {
      "QQ5AAA-16>APRS:>ssid too high",
      "QQ5AAAA>APRS:>call too long",
      "QQ5AAA>APRS,TCPIP*,qAC,T2TEXAS:>internet path",
      "QQ5AAA>APRS,D1,D2,D3,D4,D5,D6,D7,D8,D9:>nine digipeaters",
      "qq5aaa>APRS:>lower case",
      "QQ5AAA>APRS*:>starred destination",
      "QQ5AAA-:>no destination",
      "QQ5AAA>APRS,,WIDE2-1:>empty digipeater",
      "QQ5AAA>APRS no colon",
      "QQ5AAA-9x>APRS:>letters after the SSID",
  };
  for (const char* line : bad) EXPECT_FALSE(MonitorLineToAx25(line).has_value()) << line;
  EXPECT_TRUE(MonitorLineToAx25("QQ5AAA>APRS,D1,D2,D3,D4,D5,D6,D7,D8:>eight").has_value());
  // Information may hold anything, a colon and a ">" included.
  const auto f = Ax25UiFrame("QQ5AAA-9", "APDR16", {"WIDE1-1", "WIDE2-1"}, ":QQ5BBB   :a>b:c{1");
  ASSERT_TRUE(f.has_value());
  EXPECT_EQ(Ax25ToMonitorLine(*f).Line, "QQ5AAA-9>APDR16,WIDE1-1,WIDE2-1::QQ5BBB   :a>b:c{1");
}

}  // namespace
}  // namespace druv
