// NMEA sentence texts: how a sentence splits into fields, and which checksums mark it as noise.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gps/GpsNmea.h"

namespace druv {
namespace {

using TFields = std::vector<std::string>;

TEST(GpsNmeaTest, FieldsSplitAtCommasBlanksAndLineBreaksWithQuotesGrouping) {
  const struct {
    const char* Text;
    TFields Fields;
  } cases[] = {
      {"$GPRMC,a,,b", {"$GPRMC", "a", "", "b"}},
      {"a b\tc", {"a", "b", "c"}},
      {"  a  ,  b  ", {"a", "b"}},                 // blanks around a comma count once
      {"a,\r\n$", {"a", "$"}},                      // the line end after a field separates it too
      {"a,", {"a", ""}},                            // a trailing comma closes an empty field
      {",a", {"", "a"}},
      {"\"x,y z\",w", {"x,y z", "w"}},
      {"\"say \"\"hi\"\"\",q", {"say \"hi\"", "q"}},
      {"\"open to the end", {"open to the end"}},
      {"\"ab\"cd", {"ab", "cd"}},
      {"", {}},
      {" \r\n ", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitNmeaFields(c.Text), c.Fields) << c.Text;
}

TEST(GpsNmeaTest, ReceivedSentenceKeepsItsEmptyFieldsAndEndsWithTheNextDollar) {
  const TFields f = SplitNmeaFields("$GPRMC,123519.00,A,4807.038,N,01131.000,E,0.0,0.0,230394,,*hh\r\n$");
  ASSERT_EQ(f.size(), 13u);
  EXPECT_EQ(f[3], "4807.038");
  EXPECT_EQ(f[9], "230394");
  EXPECT_EQ(f[10], "");
  EXPECT_EQ(f[11], "*hh");
  EXPECT_EQ(f[12], "$");
}

TEST(GpsNmeaTest, OnlyTwoHexDigitsThatDisagreeMarkASentenceAsNoise) {
  // The well-known example sentence, whose checksum is 6A.
  const std::string body = "GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W";
  ASSERT_EQ(NmeaChecksum(body), "6A");
  const struct {
    std::string Sentence;
    bool Mismatch;
  } cases[] = {
      {"$" + body + "*6A\r\n$", false},
      {"$" + body + "*6a\r\n$", false},          // lower-case digits are the same number
      {"$" + body + "*6A", false},               // at the very end of the text
      {"$" + body + "*6B\r\n$", true},
      {"$" + body + "*00", true},
      {"$GPRMC,123519,A,4807.938,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n$", true},  // noise hit a digit
      {"$" + body + "\r\n$", false},             // no checksum at all
      {"$" + body + "*hh\r\n$", false},          // a placeholder, not a checksum
      {"$" + body + "*6", false},                // cut short
      {"$" + body + "*6\r\n$", false},
      {"*", false},
  };
  for (const auto& c : cases) EXPECT_EQ(NmeaChecksumMismatch(c.Sentence), c.Mismatch) << c.Sentence;
}

}  // namespace
}  // namespace druv
