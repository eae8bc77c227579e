#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/DateTime.h"
#include "parser/TAprsPacket.h"
#include "platform/fakes/TFakeClock.h"
#include "stations/TStationLog.h"
#include "stations/TStationTable.h"

namespace druv {
namespace {

using TLines = std::vector<std::string>;

struct TLog {
  TFakeClock Clock;
  TStationTable Table;
  TStationLog Log{&Table, &Clock};
  TLog() {
    Table.CreateDataSet();
    Clock.Local = *EncodeDateTime(2025, 3, 15, 14, 5, 9);
  }
  const TStationRec& Rec(const std::string& stn) {
    auto id = Table.FindStn(stn);
    EXPECT_NE(id, TStationTable::NoRecord) << stn;
    static const TStationRec none;
    return id == TStationTable::NoRecord ? none : Table.Record(id);
  }
};

const std::string kStatus = "QQ5AAA>APRS:>status text";
const std::string kPosition = "QQ5AAA>APRS,WIDE2-1:!3300.00N/09700.00Wk comment";
const std::string kOther = "QQ5AAA>APRS:>second status";

TEST(StationLog, RecordFollowsTheStationsLines) {
  TLog t;
  // First line without position: LAT and LON 0, "JJ00AA", no PACKET2 yet.
  EXPECT_TRUE(t.Log.Process(kStatus));
  ASSERT_EQ(t.Table.RecordCount(), 1u);
  {
    const TStationRec& r = t.Rec("QQ5AAA");
    EXPECT_EQ(r.TIME, "14:05:09");
    EXPECT_EQ(r.INFO, "status text");
    EXPECT_EQ(r.COMMENT, "status text");
    EXPECT_EQ(r.LAT, 0);
    EXPECT_EQ(r.LON, 0);
    EXPECT_EQ(r.PACKET, kStatus);
    EXPECT_EQ(r.PACKET2, "");
    EXPECT_EQ(r.Symbol, "");
    EXPECT_EQ(r.TABLEID, "");
    EXPECT_EQ(r.GRID, "JJ00AA");
  }
  // Second line with position: the same record gets it, and PACKET2 the normalized text.
  t.Clock.Local += 1.0 / 86400;
  EXPECT_TRUE(t.Log.Process(kPosition));
  ASSERT_EQ(t.Table.RecordCount(), 1u);
  {
    const TStationRec& r = t.Rec("QQ5AAA");
    EXPECT_EQ(r.TIME, "14:05:10");
    EXPECT_DOUBLE_EQ(r.LAT, 33.0);
    EXPECT_DOUBLE_EQ(r.LON, -97.0);
    EXPECT_EQ(r.GRID, "EM13MA");
    EXPECT_EQ(r.PACKET2, kPosition);
    EXPECT_EQ(r.Symbol, "k");
    EXPECT_EQ(r.TABLEID, "/");
  }
  // Third line without position: the last position stays, the grid says none, the symbol code
  // stays (a packet without one does not clear it) but the table identifier follows the packet.
  EXPECT_TRUE(t.Log.Process(kOther));
  {
    const TStationRec& r = t.Rec("QQ5AAA");
    EXPECT_EQ(r.PACKET, kOther);
    EXPECT_EQ(r.PACKET2, kOther);
    EXPECT_EQ(r.INFO, "second status");
    EXPECT_DOUBLE_EQ(r.LAT, 33.0);
    EXPECT_DOUBLE_EQ(r.LON, -97.0);
    EXPECT_EQ(r.GRID, "JJ00AA");
    EXPECT_EQ(r.Symbol, "k");
    EXPECT_EQ(r.TABLEID, "");
  }
  EXPECT_EQ(t.Log.Stations.ToVector(), TLines{"QQ5AAA"});
}

TEST(StationLog, PositionsRoundedAndTheEquatorKeepsThePreviousLatitude) {
  TLog t;
  // On first appearance a latitude of 0 is stored as 0.
  t.Log.Process("QQ1EQU>APRS:!0000.00N/09700.00Wk");
  EXPECT_EQ(t.Rec("QQ1EQU").LAT, 0);
  EXPECT_DOUBLE_EQ(t.Rec("QQ1EQU").LON, -97.0);
  // Rounded to 3 decimals through "%8.3f".
  t.Log.Process("QQ1EQU>APRS:@101251z3234.06N/09715.95W_312/000g000t064");
  EXPECT_DOUBLE_EQ(t.Rec("QQ1EQU").LAT, 32.568);
  EXPECT_DOUBLE_EQ(t.Rec("QQ1EQU").LON, -97.266);
  // Back on the equator: LAT keeps 32.568, LON and GRID follow the packet.
  t.Log.Process("QQ1EQU>APRS:!0000.00N/09800.00Wk");
  EXPECT_DOUBLE_EQ(t.Rec("QQ1EQU").LAT, 32.568);
  EXPECT_DOUBLE_EQ(t.Rec("QQ1EQU").LON, -98.0);
  EXPECT_EQ(t.Rec("QQ1EQU").GRID, "EJ10AA");
  EXPECT_EQ(FormatFixed8_3(-97.2658), " -97.266");
  EXPECT_EQ(FormatFixed8_3(0), "   0.000");
  EXPECT_EQ(FormatFixed8_3(-123.4567), "-123.457");
}

TEST(StationLog, ListsFiledByDataType) {
  TLog t;
  const std::string wx = "QQ5AAA>APRS:_10090556c220s004g005t077r000p000P000h50b09900wRSW";
  const std::string wxAt = "QQ5WWW>APRS:@101251z3234.06N/09715.95W_312/000g000t064r000P001p001h89b10167Rendon";
  const std::string carAt = "QQ5CAR-9>APRS:@101251z3234.06N/09715.95W>moving";
  const std::string message = "QQ5AAA-9>APRS::QQ4BBB   :hello there{12";
  const std::string third = "QQ5AAA>APRS:}QQ6CCC>APRS,TCPIP,QQ5AAA*:!3300.00N/09700.00Wk";
  const std::string thirdSemi = "QQ7GAT>APRS:}QQ6CCC>APRS,TCPIP:;OBJECT   *111111z3300.00N/09700.00Wk";
  for (const std::string& l : {wx, wxAt, carAt, message, third, thirdSemi, kPosition}) EXPECT_TRUE(t.Log.Process(l)) << l;
  // Weather without position: filed and a record with "JJ00AA". Every "@" report with messaging
  // lands in the weather-station list, a car's too.
  EXPECT_EQ(t.Log.WeatherStations.Items(), (TLines{wx, wxAt, carAt}));
  // Addressee, " * ", the sender without SSID, four blanks, the text; the record is the sender's.
  EXPECT_EQ(t.Log.Messages.Items(), TLines{"QQ4BBB * QQ5AAA    hello there"});
  EXPECT_NE(t.Table.FindStn("QQ5AAA-9"), TStationTable::NoRecord);
  EXPECT_EQ(t.Table.FindStn("QQ4BBB"), TStationTable::NoRecord);
  // The relayed text after the first ";", or the whole information field without one.
  EXPECT_EQ(t.Log.ThirdParty.Items(),
            (TLines{"QQ5AAA   QQ6CCC>APRS,TCPIP,QQ5AAA*:!3300.00N/09700.00Wk",
                    "QQ7GAT   OBJECT   *111111z3300.00N/09700.00Wk"}));
  // A call with "-9" and the same call without SSID are two stations; the list is sorted, each once.
  EXPECT_EQ(t.Log.Stations.ToVector(), (TLines{"QQ5AAA", "QQ5AAA-9", "QQ5CAR-9", "QQ5WWW", "QQ7GAT"}));
  EXPECT_EQ(t.Table.RecordCount(), 5u);
  EXPECT_EQ(t.Rec("QQ5AAA").GRID, "EM13MA");
}

TEST(StationLog, LinesThatAreNoPacketChangeNothing) {
  TLog t;
  size_t seen = 0;
  t.Log.OnPacket = [&](const TAprsPacket&, const std::string&) { ++seen; };
  const char* skipped[] = {
      "Turn TNC on using the Packet ON button to start receiving APRS packets  . . . set port first please.",
      "waiting on data ..",
      "cmd:QQ5AAA>APRS:>hello",  // the TNC's prompt in front
      "EH?",
      "QQ5AAA>",                 // no information field: the parser refuses it
  };
  for (const char* l : skipped) EXPECT_FALSE(t.Log.Process(l)) << l;
  EXPECT_EQ(t.Table.RecordCount(), 0u);
  EXPECT_EQ(t.Log.Stations.Count() + t.Log.WeatherStations.Count() + t.Log.Messages.Count(), 0u);
  EXPECT_EQ(seen, 0u);
  EXPECT_EQ(t.Log.PacketsMade(), 0u);
}

TEST(StationLog, ObserverSeesEachPacketAfterTheTableChanged) {
  TLog t;
  std::vector<std::string> seen;
  t.Log.OnPacket = [&](const TAprsPacket& p, const std::string& line) {
    seen.push_back(p.SourceCallSign.StationCall + "|" + line);
    EXPECT_NE(t.Table.FindStn(p.SourceCallSign.StationCall), TStationTable::NoRecord);
  };
  t.Log.Process(kStatus);
  t.Log.Process("QQ4BBB>APRS:>x");
  EXPECT_EQ(seen, (TLines{"QQ5AAA|" + kStatus, "QQ4BBB|QQ4BBB>APRS:>x"}));
  // An observer's error is swallowed with the rest: the line still counts as a packet.
  t.Log.OnPacket = [](const TAprsPacket&, const std::string&) { throw std::runtime_error("x"); };
  EXPECT_TRUE(t.Log.Process(kPosition));
}

TEST(StationLog, TimeTextIsCutToItsWidthAndRefusedChangesStayLocal) {
  TLog t;
  t.Log.SetTimeFormat([](TDateTime) { return std::string("2:05:09 PM Central Time"); });
  t.Log.Process(kStatus);
  EXPECT_EQ(t.Rec("QQ5AAA").TIME, "2:05:09 PM ");
  // Without a table the lists still fill.
  TStationLog bare;
  EXPECT_TRUE(bare.Process(kPosition));
  EXPECT_EQ(bare.Stations.ToVector(), TLines{"QQ5AAA"});
  // A closed table is opened by the update.
  t.Table.Close();
  t.Log.Process("QQ4BBB>APRS:>x");
  EXPECT_TRUE(t.Table.Active());
  EXPECT_EQ(t.Table.RecordCount(), 2u);
}

TEST(StationLog, ClearRawDataEmptiesWeatherAndStationListsOnly) {
  TLog t;
  t.Log.Process("QQ5AAA>APRS:_10090556c220s004g005t077r000p000P000h50b09900wRSW");
  t.Log.Process("QQ5AAA-9>APRS::QQ4BBB   :hello there{12");
  t.Log.ClearRawData();
  EXPECT_EQ(t.Log.WeatherStations.Count(), 0u);
  EXPECT_EQ(t.Log.Stations.Count(), 0u);
  EXPECT_EQ(t.Log.Messages.Count(), 1u);
  EXPECT_EQ(t.Table.RecordCount(), 2u);
  // Rebuilt only from lines processed after the clearing, known stations too.
  t.Log.Process(kPosition);
  EXPECT_EQ(t.Log.Stations.ToVector(), TLines{"QQ5AAA"});
  // A table emptied under the log: its new records are listed afresh.
  t.Log.Stations.Clear();
  t.Table.EmptyDataSet();
  t.Log.Process("QQ4BBB>APRS:>x");
  t.Log.Process("QQ4BBB>APRS:>y");
  EXPECT_EQ(t.Log.Stations.ToVector(), TLines{"QQ4BBB"});
}

}  // namespace
}  // namespace druv
