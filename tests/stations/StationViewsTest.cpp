#include <gtest/gtest.h>

#include <string>

#include "platform/fakes/TFakeClock.h"
#include "stations/StationViews.h"
#include "stations/TStationLog.h"
#include "stations/TStationTable.h"

namespace druv {
namespace {

TEST(StationViews, SymbolNames) {
  struct {
    const char* Symbol;
    const char* Info;
    const char* Name;
  } cases[] = {
      {">", "", "CAR"},
      {"k", "", "TRUCK"},
      {"_", "101251z3234.06N/09715.95W_312/000g000t064", "WX STN"},
      {"_", "3234.06N/09715.95W_PHG5132", "--"},  // a "_" station with PHG is not named a weather station
      {"_", "3234.06N/09715.95W_phg", "--"},
      {"W", "", "Natl WX Srvc"},
      {"`", "", "S. Plane"},
      {"|", "", "TNC Stream"},
      {"K", "", "School"},
      {"x", "", "--"},
      {"", "", "--"},
      {"J", "", "--"},  // codes compare exactly: "j" is JEEP
  };
  for (const auto& c : cases) EXPECT_EQ(SymbolName(c.Symbol, c.Info), c.Name) << c.Symbol << " " << c.Info;
}

struct TLog {
  TFakeClock Clock;
  TStationTable Table;
  TStationLog Log{&Table, &Clock};
  TLog() { Table.CreateDataSet(); }
  const TStationRec& Rec(const std::string& stn) { return Table.Record(Table.FindStn(stn)); }
};

TEST(StationViews, StationLookupTexts) {
  TLog t;
  const std::string first = "QQ5AAA>APRS,WIDE2-1 <UI R>:!3300.00N/09700.00Wk hello";
  t.Log.Process(first);
  TStationLookupRec once = StationLookup(t.Rec("QQ5AAA"));
  EXPECT_EQ(once.Station, "QQ5AAA");
  EXPECT_EQ(once.Packet, first);  // PACKET2 is still empty
  EXPECT_EQ(once.Memo, first);
  EXPECT_EQ(once.Grid, "EM13MA");
  EXPECT_EQ(once.Comment, "Comment;  hello");
  EXPECT_EQ(once.SymbolName, "TRUCK");
  EXPECT_FALSE(once.IsWeatherStation);
  // The second line: monitor line directly followed by the normalized packet text; a line
  // without position still shows the last known position's square.
  const std::string second = "QQ5AAA>APRS:>status";
  t.Log.Process(second);
  TStationLookupRec twice = StationLookup(t.Rec("QQ5AAA"));
  EXPECT_EQ(twice.Packet, second + second);
  EXPECT_EQ(twice.Grid, "EM13MA");
  EXPECT_EQ(t.Rec("QQ5AAA").GRID, "JJ00AA");
  // Never heard with a position.
  t.Log.Process("QQ5WX>APRS:_10090556c220s004g005t077r000p000P000h50b09900wRSW");
  EXPECT_EQ(StationLookup(t.Rec("QQ5WX")).Grid, "JJ00AA");
  t.Log.Process("QQ5WX2>APRS:@101251z3234.06N/09715.95W_312/000g000t064");
  EXPECT_TRUE(StationLookup(t.Rec("QQ5WX2")).IsWeatherStation);
  EXPECT_EQ(StationLookup(t.Rec("QQ5WX2")).SymbolName, "WX STN");
}

TEST(StationViews, RawLineDetails) {
  auto d = RawLineDetails("QQ5BBB-9>T2TP5S,QQ5DDD-3*,WIDE2-1 <UI C>:`|L}l\"Pk/]\"4&}Mobile");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->Station, "QQ5BBB-9");
  EXPECT_EQ(d->Grid, "EN12OQ");
  EXPECT_EQ(d->Course, "Course: 252");
  EXPECT_EQ(d->Speed, "Speed: 0");
  EXPECT_EQ(d->Comment, "Comment: ]\"4&}Mobile");
  EXPECT_NE(d->Verbose.find("QQ5BBB-9"), std::string::npos);
  EXPECT_FALSE(RawLineDetails("*** CONNECTED to QQ5AAA"));
  EXPECT_FALSE(RawLineDetails("QQ5AAA>"));
}

TEST(StationViews, NearestStation) {
  TLog t;
  EXPECT_EQ(NearestStation(t.Table, 33.0, -97.0).Packet, "");  // empty table
  // Two stations in EM13MA, one elsewhere, one without position (its GRID is "JJ00AA").
  const std::string z = "QQ5ZZZ>APRS:!3300.00N/09700.00Wk";
  const std::string a = "QQ5AAA>APRS:!3301.00N/09659.00Wk";
  const std::string far = "QQ1FAR>APRS:!4000.00N/08000.00Wk";
  const std::string none = "QQ0NON>APRS:>status";
  for (const auto& l : {z, a, far, none}) t.Log.Process(l);

  // Insertion order: the first record in the square.
  TNearestStationRec r = NearestStation(t.Table, 33.01, -96.99);
  EXPECT_TRUE(r.Found);
  EXPECT_EQ(r.Grid, "EM13MA");
  EXPECT_EQ(r.StatusText, "The nearest match to EM13MA    QQ5ZZZ");
  EXPECT_EQ(r.Packet, z);
  // Ordered by STN, then GRID, as the map's right click orders it: the call that sorts first.
  t.Table.SetIndexFieldNames("STN;GRID");
  r = NearestStation(t.Table, 33.01, -96.99);
  EXPECT_EQ(r.StatusText, "The nearest match to EM13MA    QQ5AAA");
  EXPECT_EQ(r.Packet, a);
  // No station in the square: the first record's packet still goes to the map.
  r = NearestStation(t.Table, 50.0, 10.0);
  EXPECT_FALSE(r.Found);
  EXPECT_EQ(r.StatusText, "Insufficient resolution. Shift mouse and try again.");
  EXPECT_EQ(r.Packet, none);  // QQ0NON sorts first
  // The square of 0, 0 is "no position": never a match, though QQ0NON carries that grid.
  r = NearestStation(t.Table, 0.01, 0.01);
  EXPECT_EQ(r.Grid, "JJ00AA");
  EXPECT_FALSE(r.Found);
  EXPECT_EQ(r.StatusText, "Insufficient resolution. Shift mouse and try again.");
}

}  // namespace
}  // namespace druv
