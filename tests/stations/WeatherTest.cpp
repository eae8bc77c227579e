#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Error.h"
#include "stations/TLineList.h"
#include "stations/TWeatherGrid.h"
#include "stations/WeatherText.h"

namespace druv {
namespace {

using TLines = std::vector<std::string>;

const std::string kPositionless = "QQ5AAA>APRS:_10090556c220s004g005t077r000p000P000h50b09900wRSW";
const std::string kAt =
    "QQ5WWW>APRS:@101251z3234.06N/09715.95W_312/000g000t064r000P001p001h89b10167Rendon TX. WX {UIV32N}";
const std::string kCarAt = "QQ5CAR-9>APRS:@101251z3234.06N/09715.95W>moving";
const std::string kPhg = "QQ5PHG>APRS:@101251z3234.06N/09715.95W_PHG5132";

TLines Cells(const TWeatherGrid& g, size_t row, int from = 0, int to = 13) {
  TLines out;
  for (int c = from; c <= to; ++c) out.push_back(g.Cell(c, row));
  return out;
}

TLineList ListOf(const TLines& lines) {
  TLineList l;
  for (const auto& s : lines) l.Append(s);
  return l;
}

TEST(WeatherGrid, CellsOfBothForms) {
  TWeatherGrid g;
  g.WriteHeaders();
  TLineList list = ListOf({kPositionless, kAt, "QQ5NOP>APRS:_10090556c220s004g005t077wRSW"});
  g.Refresh(list);
  EXPECT_EQ(Cells(g, 0, 0, 12), (TLines{"Call", "Date", "Time", "WindDir.", "W.Speed", "W.Gusts", "Temp.", "RainLHour",
                                        "RainL24", "RainSMidNight", "Humidity", "BarP", "Units"}));
  EXPECT_EQ(Cells(g, 1), (TLines{"QQ5AAA", "1009", "0556", "220", "004", "005", "077", "000", "000", "000", "50",
                                 "09900", "..", ".."}));
  EXPECT_EQ(Cells(g, 2), (TLines{"QQ5WWW", "10", "1251", "312", "000", "000", "064", "000", "001", "001", "89", "10167",
                                 "..", "Rendon TX. WX {UIV32N"}));
  // Letters a positionless report lacks show the first characters of its weather text.
  EXPECT_EQ(Cells(g, 3, 7, 11), (TLines{"100", "100", "100", "10", "10090"}));
  // In the "@" form they show "..".
  TLineList bare = ListOf({"QQ5BAR>APRS:@101251z3234.06N/09715.95W_312/000g000t064r000"});
  TWeatherGrid g2;
  g2.Refresh(bare);
  // The last character of the information field is not read.
  EXPECT_EQ(Cells(g2, 1, 5, 12), (TLines{"000", "064", "00", "..", "..", "..", "..", ".."}));
}

TEST(WeatherGrid, RowsPerStation) {
  TWeatherGrid g;
  g.WriteHeaders();
  // Index 0 and 1 take rows 1 and 2; the first station again (ignoring case) updates row 1.
  TLineList list = ListOf({kPositionless, kAt, "qq5aaa>APRS:_10090600c111s004g005t077r000p000P000h50b09900wRSW"});
  g.Refresh(list);
  EXPECT_EQ(g.Cell(0, 1), "QQ5AAA");
  EXPECT_EQ(g.Cell(2, 1), "0600");
  EXPECT_EQ(g.Cell(3, 1), "111");
  EXPECT_EQ(g.Cell(0, 2), "QQ5WWW");
  EXPECT_EQ(g.Cell(0, 3), "");
  EXPECT_EQ(g.WrittenRows(), (std::vector<size_t>{0, 1, 2}));
  // A station called like the header is a station, not the header row.
  list.Append("CALL>APRS:_10090556c220s004g005t077r000p000P000h50b09900wRSW");
  g.Refresh(list);
  EXPECT_EQ(g.Cell(0, 0), "Call");
  EXPECT_EQ(g.Cell(0, 4), "CALL");
}

TEST(WeatherGrid, ReportsThatAreNoWeatherArePassedOver) {
  // A car's timestamped position, and a "_PHG" report, at indexes 1 and 2: the station after them
  // still gets its row (index 3, row 4).
  TWeatherGrid g;
  TLineList list = ListOf({kPositionless, kCarAt, kPhg, kAt});
  g.Refresh(list);
  EXPECT_EQ(g.Cell(0, 1), "QQ5AAA");
  EXPECT_EQ(g.Cell(0, 2), "");
  EXPECT_EQ(g.Cell(0, 3), "");
  EXPECT_EQ(g.Cell(0, 4), "QQ5WWW");
}

TEST(WeatherGrid, GrowsSoEveryRowIsShownAndKeepsEachStationsRow) {
  TWeatherGrid g;
  TLineList list;
  for (int k = 0; k < 60; ++k)
    list.Append("QQ" + std::to_string(k) + ">APRS:_10090556c220s004g005t077r000p000P000h50b09900wRSW");
  g.Refresh(list);
  EXPECT_EQ(g.RowCount(), 61u);
  EXPECT_EQ(g.Cell(0, 50), "QQ49");
  EXPECT_EQ(g.Cell(0, 60), "QQ59");
  // Seen again at index 60 and later: their rows stay, no row is added.
  list.Append("QQ55>APRS:_10090700c220s004g005t077r000p000P000h50b09900wRSW");
  list.Append("QQ2>APRS:_10090701c220s004g005t077r000p000P000h50b09900wRSW");
  g.Refresh(list);
  EXPECT_EQ(g.RowCount(), 61u);
  EXPECT_EQ(g.Cell(2, 56), "0700");
  EXPECT_EQ(g.Cell(2, 3), "0701");
  // After the list is cleared the grid keeps its rows; the new list's lines are read from the start.
  list.Clear();
  list.Append("QQ55>APRS:_10090800c220s004g005t077r000p000P000h50b09900wRSW");
  g.Refresh(list);
  EXPECT_EQ(g.Cell(2, 56), "0800");
  EXPECT_EQ(g.Cell(0, 60), "QQ59");
}

TEST(WeatherText, DetailItems) {
  EXPECT_EQ(WeatherDetailItems(kPositionless),
            (TLines{"QQ5AAA STATION", "1009 Date", "0556 Time", "220 WindDirection", "004 WindSpeed", "005 WindGusts",
                    "077 Temperature", "000 RainLastHour", "000 RainLast24", "000 RainSinceMidNight", "50 Humidity",
                    "09900 BarPressure"}));
  // The "@" form: wind direction and speed after the symbol have no letters and are not listed.
  EXPECT_EQ(WeatherDetailItems(kAt),
            (TLines{"QQ5WWW STATION", "1012 Time", "000 WindGusts", "064 Temperature", "000 RainLastHour",
                    "001 RainLast24", "001 RainSinceMidNight", "89 Humidity", "10167 BarPressure"}));
  // A unit hint in the last 11 characters.
  EXPECT_EQ(WeatherDetailItems("QQ5UNT>APRS:_10090556c220s004h50b09900 tU2k").back(), "U2k Unit ");
  EXPECT_EQ(Pos("b", "abc"), 2u);
  EXPECT_EQ(Pos("x", "abc"), 0u);
  EXPECT_EQ(Copy("abcdef", 0, 2), "ab");
  EXPECT_EQ(Copy("abcdef", 5, 9), "ef");
  EXPECT_EQ(Copy("abcdef", 7, 1), "");
}

TEST(WeatherText, Breakdown) {
  const std::string s = "QQ5AAA>APRS:_10090556c220s004g005t077r000p000P000h50b09900wRSW";
  // The first "P" is the one in APRS.
  EXPECT_EQ(WeatherBreakdown(s, "QQ5AAA"),
            (TLines{"QQ5AAA", "220 WindDirection", "004 WindSpeed", "005 WindGusts", "077 Temperature",
                    "000 RainLastHour", "000 RainLast24", "RS: RainSinceMidNight", "50 Humidity", "09900 BarPressure"}));
  EXPECT_EQ(WeatherBreakdown("QQ5AAA>APRS:>calm day", "QQ5AAA"), TLines{});
  // A "t" followed by a letter (a word like "test" before the weather data) is a conversion error.
  EXPECT_THROW(WeatherBreakdown("QQ5AAA>APRS:>test t077", "QQ5AAA"), Error);
  EXPECT_THROW(WeatherBreakdown("QQ5AAA>APRS:>at", "QQ5AAA"), Error);
  EXPECT_EQ(WeatherBreakdown("QQ5AAA>APRS:_t070 t3xyz", "QQ5AAA").back(), "070 t Unit ");
}

}  // namespace
}  // namespace druv
