// Messages, objects, items, status reports, beacons and locator beacons: each decoder driven
// directly on a fresh packet, then whole monitor lines through ParsePacket.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "common/DateTime.h"
#include "common/Text.h"
#include "parser/APRSParser.h"
#include "parser/Decoders.h"

namespace druv {
namespace {

const TDateTime kReceived = *EncodeDateTime(2024, 3, 5, 12, 34, 56);

TAprsPacket FreshPacket(TAprsDataType type) {
  TAprsPacket p;
  p.DataTypeID = type;
  p.TimeReceived = kReceived;
  p.TimeStamp.DateTime = kReceived;
  p.TimeStamp.Valid = true;
  return p;
}

// ---- Messages ------------------------------------------------------------------------------

struct MessageCase {
  std::string_view info;
  std::string_view addressee, seqId, text;
  TMessageType type;
  std::string_view nwsState = {};
  std::string_view replyAck = {};
};

const MessageCase kMessageCases[] = {
    {"QQ5AAA   :Hello{12", "QQ5AAA", "12", "Hello", mtGeneral},
    {"QQ5AAA   :ack12", "QQ5AAA", "12", "", mtAck},
    {"QQ5AAA   :REJ7", "QQ5AAA", "7", "", mtRej},
    {"QQ5AAA   :ack", "QQ5AAA", "", "ack", mtGeneral},  // nothing after "ack": plain text
    {"QQ5AAA   :Hi {x{ 34 ", "QQ5AAA", "34", "Hi {x", mtGeneral},  // the last "{" starts the number
    {"QQ5AAA   :{5", "QQ5AAA", "5", "", mtGeneral},
    {"BLN3     :Snow expected", "BLN3", "", "Snow expected", mtBulletin},
    {"BLNX     :Club meeting", "BLNX", "", "Club meeting", mtAnnouncement},
    {"blnq     :lower case", "blnq", "", "lower case", mtAnnouncement},
    {"BLN      :Hi", "BLN", "", "Hi", mtGeneral},
    {"BLN#     :AA:x", "BLN#", "", "AA:x", mtGeneral},  // a BLN addressee is never an auto-answer
    {"BLN1     :AA:x", "BLN1", "", "AA:x", mtBulletin},
    {"QQ5AAA   :aa:on vacation", "QQ5AAA", "", "aa:on vacation", mtAutoAnswer},
    {"NWS_WARN :a,b,TXyz", "NWS-WARN", "", "a,b,TXyz", mtNWS, "TX"},
    {"NWS-ADVIS:one,two", "NWS-ADVIS", "", "one,two", mtNWS, ""},
    {"NWS-ADVIS:a,b,T", "NWS-ADVIS", "", "a,b,T", mtNWS, "T"},
    {"NWS_WARN :", "NWS_WARN", "", "", mtGeneral},  // empty text: not classified
    {"QQ5", "QQ5", "", "", mtGeneral},
    {"", "", "", "", mtGeneral},
    // Reply-acks: "{MM}AA" numbers the message and acknowledges AA; "ackMM}AA" acknowledges MM.
    {"OH7LZB   :Testing, 1 2 3{1}f001", "OH7LZB", "1", "Testing, 1 2 3", mtGeneral, {}, "f001"},
    {"OH7LZB   :Testing, 1 2 3{42}", "OH7LZB", "42", "Testing, 1 2 3", mtGeneral, {}, ""},
    {"KG6HWF   :yo{AB}07", "KG6HWF", "AB", "yo", mtGeneral, {}, "07"},
    {"KG6HWF   :ack01}1", "KG6HWF", "01", "", mtAck, {}, "1"},
    {"KB3KBR   :ackRG}", "KB3KBR", "RG", "", mtAck, {}, ""},
    {"KB3KBR   :rej5}AB", "KB3KBR", "5", "", mtRej, {}, "AB"},
    {"OH7LZB   :a}b{42", "OH7LZB", "42", "a}b", mtGeneral},  // a "}" before the number is text
};

TEST(DecodeMessage, AddresseeTypeSeqAndText) {
  for (const MessageCase& c : kMessageCases) {
    SCOPED_TRACE(c.info);
    TAprsPacket p = FreshPacket(dtMessage);
    DecodeMessage(c.info, p);
    EXPECT_EQ(p.MessageData.Addressee, c.addressee);
    EXPECT_EQ(p.MessageData.SeqID, c.seqId);
    EXPECT_EQ(p.MessageData.MsgText, c.text);
    EXPECT_EQ(p.MessageData.MsgType, c.type);
    EXPECT_EQ(p.MessageData.NWSState, c.nwsState);
    EXPECT_EQ(p.MessageData.ReplyAck, c.replyAck);
    EXPECT_EQ(p.MessageData.MsgIndex, 0);
    EXPECT_EQ(p.Comment, "");
    EXPECT_FALSE(p.Position.Valid);
  }
}

// ---- Objects and items ---------------------------------------------------------------------

TEST(DecodeObject, LiveAndKilledBothDecodeTimeAndPosition) {
  for (char marker : {'*', '_'}) {
    SCOPED_TRACE(marker);
    TAprsPacket p = FreshPacket(dtObject);
    const std::string info = std::string("LEADER   ") + marker + "092345z3300.00N/09700.00W>Lead car";
    DecodeObject(info, p);
    EXPECT_EQ(p.ObjectData.Name, "LEADER");
    EXPECT_EQ(p.ObjectData.Active, marker == '*');
    EXPECT_TRUE(p.TimeStamp.Valid);
    EXPECT_EQ(p.TimeStamp.DateTime, *EncodeDateTime(2024, 3, 9, 23, 45, 0));
    EXPECT_TRUE(p.Position.Valid);
    EXPECT_DOUBLE_EQ(p.Position.Latitude.Value, 33.0);
    EXPECT_DOUBLE_EQ(p.Position.Longitude.Value, -97.0);
    EXPECT_EQ(p.SymbolCode, '>');
    EXPECT_EQ(p.Comment, "Lead car");
  }
}

TEST(DecodeObject, TruncatedTextGivesNoPosition) {
  for (std::string_view info : {"", "AB", "LEADER   *0923", "LEADER   *092345z"}) {
    SCOPED_TRACE(info);
    TAprsPacket p = FreshPacket(dtObject);
    DecodeObject(info, p);
    EXPECT_EQ(p.ObjectData.Name, TrimView(info.substr(0, std::min<size_t>(9, info.size()))));
    EXPECT_FALSE(p.Position.Valid);
    EXPECT_EQ(p.Comment, "");
  }
}

struct ItemCase {
  std::string_view info;
  std::string_view name;
  bool active, positionValid;
  std::string_view comment;
};

const ItemCase kItemCases[] = {
    {"ABC!3300.00N/09700.00Wk", "ABC", true, true, ""},
    {"ABC_3300.00N/09700.00Wk", "ABC", false, true, ""},
    {"AID #2!3300.00N/09700.00WkFirst aid_tent", "AID #2", true, true, "First aid_tent"},
    // A "!" in the comment of a killed item does not revive it or swallow its position.
    {"ABC_3300.00N/09700.00WkGone!", "ABC", false, true, "Gone!"},
    {"NO MARKER HERE", "", false, false, ""},
    {"", "", false, false, ""},
};

TEST(DecodeItem, NameStateAndPosition) {
  for (const ItemCase& c : kItemCases) {
    SCOPED_TRACE(c.info);
    TAprsPacket p = FreshPacket(dtItem);
    DecodeItem(c.info, p);
    EXPECT_EQ(p.ObjectData.Name, c.name);
    EXPECT_EQ(p.ObjectData.Active, c.active);
    EXPECT_EQ(p.Position.Valid, c.positionValid);
    if (c.positionValid) {
      EXPECT_DOUBLE_EQ(p.Position.Latitude.Value, 33.0);
      EXPECT_DOUBLE_EQ(p.Position.Longitude.Value, -97.0);
    }
    EXPECT_EQ(p.Comment, c.comment);
  }
}

// ---- Status --------------------------------------------------------------------------------

struct StatusCase {
  std::string_view info;
  std::string_view comment;
  bool positionValid = false;
  std::string_view grid = {};
  double lat = 0, lon = 0;
  char table = 0, code = 0;
  bool beam = false;
  int heading = 0, power = 0;
};

const StatusCase kStatusCases[] = {
    {"IO91/G hello", "hello", true, "IO91", 51.5, -1.0, '/', 'G'},
    {"EM13ab/- x", "x", true, "EM13ab", 33.0625, -97.9583, '/', '-'},
    {"io91/G lower", "lower", true, "io91", 51.5, -1.0, '/', 'G'},
    {"JJ00ZZ/- refused", "refused", false, "JJ00ZZ", 0, 0, '/', '-'},  // sub-square beyond X
    {"ZZ91/G x", "ZZ91/G x"},   // field letters beyond R
    {"IO9/G hello", "IO9/G hello"},  // blank at the wrong place
    {"IO91/Gx hello", "IO91/Gx hello"},
    {"Hello^B7", "Hello", false, {}, 0, 0, 0, 0, true, 110, 490},
    {"^B7", "", false, {}, 0, 0, 0, 0, true, 110, 490},
    {"x^b?", "x", false, {}, 0, 0, 0, 0, true, 110, 2250},
    {"x^0K", "x", false, {}, 0, 0, 0, 0, true, 0, 7290},
    {"x^Z!", "x", false, {}, 0, 0, 0, 0, true, 350, 0},
    {"Net^B7 tonight", "Net^B7 tonight"},  // "^" not two characters from the end
    {"a^b^12", "a^b^12"},                  // measured from the first "^"
    {"EM13/- Net^99", "Net", true, "EM13", 33.5, -97.0, '/', '-', true, 90, 810},
    {"OK", "OK"},
    {"", ""},
};

TEST(DecodeStatus, LocatorSymbolBeamAndComment) {
  for (const StatusCase& c : kStatusCases) {
    SCOPED_TRACE(c.info);
    TAprsPacket p = FreshPacket(dtStatus);
    DecodeStatus(c.info, p);
    EXPECT_EQ(p.Comment, c.comment);
    EXPECT_EQ(p.Position.Valid, c.positionValid);
    EXPECT_EQ(p.Position.Gridsquare, c.grid);
    EXPECT_DOUBLE_EQ(p.Position.Latitude.Value, c.lat);
    EXPECT_DOUBLE_EQ(p.Position.Longitude.Value, c.lon);
    EXPECT_EQ(p.SymbolTableIdentifier, c.table);
    EXPECT_EQ(p.SymbolCode, c.code);
    EXPECT_EQ(p.StationCapabilities.Valid, c.beam);
    EXPECT_EQ(p.StationCapabilities.Antenna.Heading, c.heading);
    EXPECT_EQ(p.StationCapabilities.Power, c.power);
    EXPECT_EQ(p.TimeStamp.DateTime, kReceived);
  }
}

TEST(DecodeStatus, LocatorPositionCarriesNmeaAndMobileSymbol) {
  TAprsPacket p = FreshPacket(dtStatus);
  DecodeStatus("EM13/> on the road", p);
  EXPECT_TRUE(p.Position.Valid);
  EXPECT_EQ(p.Position.Latitude.NMEA, "3330.00N");
  EXPECT_EQ(p.Position.Longitude.NMEA, "09700.00W");
  EXPECT_TRUE(p.Position.MobileUnit);
}

TEST(DecodeStatus, TimestampNeedsSevenCharacters) {
  struct Case {
    std::string_view info, comment;
    TDateTime stamp;
  };
  const Case cases[] = {
      {"092345zAt home", "At home", *EncodeDateTime(2024, 3, 9, 23, 45, 0)},
      {"092345ZAt home", "At home", kReceived},  // upper-case Z: receive time
      {"092345z", "", *EncodeDateTime(2024, 3, 9, 23, 45, 0)},
      {"4 buzz", "4 buzz", kReceived},  // too short to be a timestamp: kept as text
      {"5z", "5z", kReceived},
      {"092345z^B7", "", *EncodeDateTime(2024, 3, 9, 23, 45, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.info);
    TAprsPacket p = FreshPacket(dtStatus);
    DecodeStatus(c.info, p);
    EXPECT_EQ(p.Comment, c.comment);
    EXPECT_TRUE(p.TimeStamp.Valid);
    EXPECT_EQ(p.TimeStamp.DateTime, c.stamp);
    EXPECT_FALSE(p.Position.Valid);
  }
}

// ---- Beacons and locator beacons -----------------------------------------------------------

struct LocatorCase {
  std::string_view info;
  bool valid;
  std::string_view grid;
  double lat = 0, lon = 0;
  std::string_view comment = {};
};

const LocatorCase kBeaconCases[] = {
    {"Meet at EM13 tonight", true, "EM13", 33.5, -97.0},
    {"  qth em13ab  ", true, "EM13AB", 33.0625, -97.9583},
    {"EM13YZ then FN42", true, "FN42", 42.5, -71.0},  // a refused candidate does not stop the scan
    {"ends with IO91", true, "IO91", 51.5, -1.0},
    {"IO9", false, ""},
    // Only a word of its own: not inside "dumm21" or "KPC382"; punctuation around it is fine.
    {"dumm21", false, ""},
    {"ZS4OIL-1 <WIDE4&5 ON DELETE> KPC382 on 1200bps", false, ""},
    {"grid:FN42,", true, "FN42", 42.5, -71.0},
    {"EM13abc FN42", true, "FN42", 42.5, -71.0},
    {"no locator here", false, ""},
    {"", false, ""},
};

TEST(DecodeBeacon, FindsTheFirstUsableLocator) {
  for (const LocatorCase& c : kBeaconCases) {
    SCOPED_TRACE(c.info);
    TAprsPacket p = FreshPacket(dtBeacon);
    DecodeBeacon(c.info, p);
    EXPECT_EQ(p.Comment, c.info);
    EXPECT_EQ(p.Position.Valid, c.valid);
    if (c.valid) {
      EXPECT_EQ(p.Position.Gridsquare, c.grid);
      EXPECT_DOUBLE_EQ(p.Position.Latitude.Value, c.lat);
      EXPECT_DOUBLE_EQ(p.Position.Longitude.Value, c.lon);
    }
  }
}

const LocatorCase kGridLocatorCases[] = {
    {"EM13]hello", true, "EM13", 33.5, -97.0, "hello"},
    {" IO91 ]  73 de QQ5AAA ", true, "IO91", 51.5, -1.0, "73 de QQ5AAA"},
    {"IO91", true, "IO91", 51.5, -1.0, ""},
    {"] x", false, "", 0, 0, "x"},
    {"XX99]y", false, "XX99", 0, 0, "y"},
    {"", false, "", 0, 0, ""},
};

TEST(DecodeGridLocator, LocatorAndRest) {
  for (const LocatorCase& c : kGridLocatorCases) {
    SCOPED_TRACE(c.info);
    TAprsPacket p = FreshPacket(dtMaidenheadGridLoc);
    DecodeGridLocator(c.info, p);
    EXPECT_EQ(p.Position.Valid, c.valid);
    EXPECT_EQ(p.Position.Gridsquare, c.grid);
    EXPECT_DOUBLE_EQ(p.Position.Latitude.Value, c.lat);
    EXPECT_DOUBLE_EQ(p.Position.Longitude.Value, c.lon);
    EXPECT_EQ(p.Comment, c.comment);
  }
}

// ---- Whole lines ---------------------------------------------------------------------------

TEST(ParsePacketTextTypes, MessageLine) {
  auto p = ParsePacket("QQ5AAA>APRS,WIDE2-1::QQ5BBB   :Hello{12", 0, kReceived);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->DataTypeID, dtMessage);
  EXPECT_EQ(p->MessageData.Addressee, "QQ5BBB");
  EXPECT_EQ(p->MessageData.MsgText, "Hello");
  EXPECT_EQ(p->MessageData.SeqID, "12");
  EXPECT_EQ(p->Comment, "");
  EXPECT_FALSE(p->StationCapabilities.Valid);
}

TEST(ParsePacketTextTypes, ObjectWithPhg) {
  auto p = ParsePacket("QQ5AAA>APRS:;LEADER   *092345z3300.00N/09700.00W-PHG5132 club", 0, kReceived);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->DataTypeID, dtObject);
  EXPECT_EQ(p->ObjectData.Name, "LEADER");
  EXPECT_TRUE(p->ObjectData.Active);
  EXPECT_EQ(p->TimeStamp.DateTime, *EncodeDateTime(2024, 3, 9, 23, 45, 0));
  EXPECT_EQ(p->Position.Gridsquare, "EM13MA");
  EXPECT_EQ(p->Comment, "PHG5132 club");
  EXPECT_EQ(p->StationCapabilities.PHGValue, "PHG5132");
  EXPECT_EQ(p->StationCapabilities.Power, 25);
  EXPECT_FALSE(p->StationCapabilities.DefaultValues);
}

TEST(ParsePacketTextTypes, ItemGetsDefaultCapabilities) {
  auto p = ParsePacket("QQ5AAA>APRS:)ABC!3300.00N/09700.00Wk", 0, kReceived);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->DataTypeID, dtItem);
  EXPECT_EQ(p->ObjectData.Name, "ABC");
  EXPECT_TRUE(p->Position.Valid);
  EXPECT_TRUE(p->StationCapabilities.DefaultValues);
  EXPECT_EQ(p->StationCapabilities.Antenna.Height, 10);  // "k" is a moving symbol
}

TEST(ParsePacketTextTypes, StatusBeamSurvivesDefaults) {
  auto p = ParsePacket("QQ5AAA>APRS:>EM13/- Net^B7", 0, kReceived);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->DataTypeID, dtStatus);
  EXPECT_TRUE(p->Position.Valid);
  EXPECT_EQ(p->Position.Gridsquare, "EM13");
  EXPECT_EQ(p->Comment, "Net");
  EXPECT_TRUE(p->StationCapabilities.Valid);
  EXPECT_FALSE(p->StationCapabilities.DefaultValues);
  EXPECT_EQ(p->StationCapabilities.Antenna.Heading, 110);
  EXPECT_EQ(p->StationCapabilities.Power, 490);
}

TEST(ParsePacketTextTypes, BeaconLocatorWithoutDefaults) {
  auto p = ParsePacket("QQ5AAA>BEACON:Meet at EM13 tonight", 0, kReceived);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->DataTypeID, dtBeacon);
  EXPECT_EQ(p->InformationField, "Meet at EM13 tonight");
  EXPECT_TRUE(p->Position.Valid);
  EXPECT_DOUBLE_EQ(p->Position.Latitude.Value, 33.5);
  EXPECT_DOUBLE_EQ(p->Position.Longitude.Value, -97.0);
  EXPECT_FALSE(p->StationCapabilities.Valid);
}

TEST(ParsePacketTextTypes, GridLocatorBeacon) {
  auto p = ParsePacket("QQ5AAA>APRS:[IO91]73", 0, kReceived);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->DataTypeID, dtMaidenheadGridLoc);
  EXPECT_EQ(p->Position.Gridsquare, "IO91");
  EXPECT_TRUE(p->Position.Valid);
  EXPECT_EQ(p->Comment, "73");
  EXPECT_TRUE(p->StationCapabilities.DefaultValues);
}

TEST(ParsePacketTextTypes, ShortInformationFieldsDoNotFail) {
  for (std::string_view line : {"QQ5AAA>APRS::", "QQ5AAA>APRS:;", "QQ5AAA>APRS:)", "QQ5AAA>APRS:>",
                                "QQ5AAA>APRS:[", "QQ5AAA>APRS:;X", "QQ5AAA>APRS:)X!", "QQ5AAA>APRS:>1"}) {
    SCOPED_TRACE(line);
    auto p = ParsePacket(line, 0, kReceived);
    ASSERT_TRUE(p);
    EXPECT_FALSE(p->Position.Valid);
    EXPECT_FALSE(p->StationCapabilities.Valid);
  }
}

}  // namespace
}  // namespace druv
