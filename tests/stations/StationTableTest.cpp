#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "common/Error.h"
#include "stations/TStationTable.h"

namespace druv {
namespace {

using TValues = std::array<std::string, StationFieldCount>;

TValues Values(const std::string& stn, const std::string& grid = "JJ00AA", const std::string& lat = "   0.000",
               const std::string& lon = "   0.000") {
  return {"12:00:00", stn, "info", "comment", lat, lon, stn + ">APRS:>x", "", ">", "/", grid};
}

std::vector<std::string> OrderOfStn(const TStationTable& t) {
  std::vector<std::string> out;
  t.ForEachInOrder([&](TStationTable::TRecordId, const TStationRec& r) { out.push_back(r.STN); });
  return out;
}

std::vector<std::string> CursorWalk(TStationTable& t) {
  std::vector<std::string> out;
  for (t.First(); !t.Eof(); t.Next()) out.push_back(t.FieldByName("STN").AsString());
  return out;
}

TEST(StationTable, FieldsInOrderWithTypesAndWidths) {
  const char* names[] = {"TIME", "STN", "INFO", "COMMENT", "LAT", "LON", "PACKET", "PACKET2", "Symbol", "TABLEID", "GRID"};
  const size_t widths[] = {11, 15, 70, 70, 0, 0, 200, 200, 5, 5, 8};
  for (int i = 0; i < StationFieldCount; ++i) {
    SCOPED_TRACE(names[i]);
    EXPECT_EQ(StationFieldDefs[i].Name, names[i]);
    EXPECT_EQ(StationFieldDefs[i].IsFloat, i == sfLat || i == sfLon);
    EXPECT_EQ(StationFieldDefs[i].Width, widths[i]);
  }
}

TEST(StationTable, AppendRecordCutsTextsAndConvertsPositions) {
  TStationTable t;
  t.CreateDataSet();
  TValues v;
  for (int i = 0; i < StationFieldCount; ++i) v[i] = std::string(300, static_cast<char>('a' + i));
  v[sfLat] = "  32.568";
  v[sfLon] = " -97.266";
  v[sfStn] = std::string(20, '\xE9');  // 8-bit bytes stay bytes
  v[sfComment] = std::string("ab\0cd", 5);  // a text field ends at NUL
  t.AppendRecord(v);
  ASSERT_EQ(t.RecordCount(), 1u);
  const TStationRec& r = t.Record(0);
  EXPECT_EQ(r.TIME, std::string(11, 'a'));
  EXPECT_EQ(r.STN, std::string(15, '\xE9'));
  EXPECT_EQ(r.INFO.size(), 70u);
  EXPECT_EQ(r.COMMENT, "ab");
  EXPECT_DOUBLE_EQ(r.LAT, 32.568);
  EXPECT_DOUBLE_EQ(r.LON, -97.266);
  EXPECT_EQ(r.PACKET.size(), 200u);
  EXPECT_EQ(r.PACKET2.size(), 200u);
  EXPECT_EQ(r.Symbol, "iiiii");
  EXPECT_EQ(r.TABLEID, "jjjjj");
  EXPECT_EQ(r.GRID, "kkkkkkkk");
  // The appended record becomes current; fields read by name, ignoring the name's case.
  EXPECT_EQ(t.FieldByName("grid").AsString(), "kkkkkkkk");
  EXPECT_DOUBLE_EQ(t.FieldByName("LAT").AsFloat(), 32.568);
  EXPECT_EQ(t.FieldByName("LON").AsString(), "-97.266");
  EXPECT_THROW(t.FieldByName("SPEED"), Error);
}

TEST(StationTable, RefusedValuesLeaveTheTableAsItWas) {
  TStationTable t;
  t.CreateDataSet();
  t.AppendRecord(Values("QQ5AAA"));
  // A position that is no number, and a second record for the same call.
  EXPECT_THROW(t.AppendRecord(Values("QQ5BBB", "JJ00AA", "north")), Error);
  EXPECT_THROW(t.AppendRecord(Values("QQ5AAA")), Error);
  EXPECT_EQ(t.RecordCount(), 1u);
  EXPECT_EQ(t.State(), TStationTable::tsBrowse);
  t.AppendRecord(Values("QQ5BBB"));
  ASSERT_TRUE(t.Locate("STN", "QQ5BBB"));
  t.Edit();
  t.FieldByName("STN").SetAsString("QQ5AAA");
  EXPECT_THROW(t.Post(), Error);
  t.Cancel();
  EXPECT_EQ(OrderOfStn(t), (std::vector<std::string>{"QQ5AAA", "QQ5BBB"}));
  // Fields are written only while editing or appending.
  EXPECT_THROW(t.FieldByName("INFO").SetAsString("x"), Error);
}

TEST(StationTable, LocateEditAndPost) {
  TStationTable t;
  t.CreateDataSet();
  EXPECT_FALSE(t.Locate("STN", "QQ5AAA"));
  EXPECT_THROW(t.Edit(), Error);  // nothing to edit in an empty table
  t.AppendRecord(Values("QQ5AAA-9", "EM12KN"));
  t.AppendRecord(Values("QQ5AAA", "EM12KN"));
  t.AppendRecord(Values("QQ4BBB"));
  // Exact values: case and SSID count.
  EXPECT_FALSE(t.Locate("STN", "qq5aaa"));
  EXPECT_EQ(t.CurrentId(), 2u) << "a failed locate leaves the cursor";
  ASSERT_TRUE(t.Locate("STN", "QQ5AAA"));
  EXPECT_EQ(t.CurrentId(), 1u);
  // Other fields: the first match from the first record.
  ASSERT_TRUE(t.Locate("GRID", "EM12KN"));
  EXPECT_EQ(t.CurrentId(), 0u);
  ASSERT_TRUE(t.Locate("LAT", "0"));
  EXPECT_EQ(t.CurrentId(), 0u);

  ASSERT_TRUE(t.Locate("STN", "QQ4BBB"));
  t.Edit();
  t.FieldByName("PACKET2").SetAsString("normalized");
  t.FieldByName("LAT").SetAsString("  -0.500");
  t.FieldByName("LON").SetAsFloat(12.25);
  EXPECT_EQ(t.Record(2).PACKET2, "") << "unchanged until posted";
  t.Post();
  EXPECT_EQ(t.Record(2).PACKET2, "normalized");
  EXPECT_DOUBLE_EQ(t.Record(2).LAT, -0.5);
  EXPECT_DOUBLE_EQ(t.Record(2).LON, 12.25);
  // Moving the cursor posts a pending edit.
  t.Edit();
  t.FieldByName("INFO").SetAsString("moved");
  t.First();
  EXPECT_EQ(t.Record(2).INFO, "moved");
  EXPECT_EQ(CursorWalk(t), (std::vector<std::string>{"QQ5AAA-9", "QQ5AAA", "QQ4BBB"}));
}

TEST(StationTable, IndexFieldListOrdersRecordsAndFollowsChanges) {
  TStationTable t;
  t.CreateDataSet();
  t.AppendRecord(Values("QQ5ZZZ", "EM12KN"));
  t.AppendRecord(Values("QQ5MMM", "EM12KN"));
  t.SetIndexFieldNames("STN;GRID");
  t.AppendRecord(Values("QQ5AAA", "EM12KN"));
  t.AppendRecord(Values("QQ5CCC", "JJ00AA"));
  EXPECT_EQ(CursorWalk(t), (std::vector<std::string>{"QQ5AAA", "QQ5CCC", "QQ5MMM", "QQ5ZZZ"}));
  // The first match in this order: the call that sorts first.
  ASSERT_TRUE(t.Locate("GRID", "EM12KN"));
  EXPECT_EQ(t.FieldByName("STN").AsString(), "QQ5AAA");
  // A renamed record moves to its new place.
  t.Edit();
  t.FieldByName("STN").SetAsString("QQ5ZZA");
  t.Post();
  EXPECT_EQ(OrderOfStn(t), (std::vector<std::string>{"QQ5CCC", "QQ5MMM", "QQ5ZZA", "QQ5ZZZ"}));
  ASSERT_TRUE(t.Locate("GRID", "EM12KN"));
  EXPECT_EQ(t.FieldByName("STN").AsString(), "QQ5MMM");
  EXPECT_TRUE(t.Locate("STN", "QQ5ZZA"));
  EXPECT_FALSE(t.Locate("STN", "QQ5AAA"));
  // Back to insertion order.
  t.SetIndexFieldNames("");
  EXPECT_EQ(CursorWalk(t), (std::vector<std::string>{"QQ5ZZZ", "QQ5MMM", "QQ5ZZA", "QQ5CCC"}));
  EXPECT_THROW(t.SetIndexFieldNames("STN;SPEED"), Error);
  t.EmptyDataSet();
  EXPECT_EQ(t.RecordCount(), 0u);
  EXPECT_FALSE(t.Locate("STN", "QQ5ZZZ"));
}

// The hash locate and the kept order against a plain scan and a fresh sort, over random changes.
TEST(StationTable, LocateAndOrderAgreeWithScanAndSort) {
  std::mt19937 rng(7);
  TStationTable t;
  t.CreateDataSet();
  std::vector<TStationRec> model;
  auto call = [&] { return "Q" + std::to_string(rng() % 60); };
  auto grid = [&] { return std::string("EM1") + static_cast<char>('0' + rng() % 3) + "AA"; };
  for (int step = 0; step < 2000; ++step) {
    if (step == 700) t.SetIndexFieldNames("STN;GRID");
    if (step == 1400) t.SetIndexFieldNames("GRID");
    std::string stn = call();
    auto it = std::find_if(model.begin(), model.end(), [&](const TStationRec& r) { return r.STN == stn; });
    if (it == model.end()) {
      std::string g = grid();
      t.AppendRecord(Values(stn, g));
      model.push_back(t.Record(t.CurrentId()));
    } else {
      ASSERT_TRUE(t.Locate("STN", stn));
      ASSERT_EQ(t.Record(t.CurrentId()).STN, stn);
      t.Edit();
      std::string g = grid();
      t.FieldByName("GRID").SetAsString(g);
      t.Post();
      it->GRID = g;
    }
    std::vector<size_t> expected(model.size());
    for (size_t i = 0; i < expected.size(); ++i) expected[i] = i;
    if (step >= 1400)
      std::stable_sort(expected.begin(), expected.end(),
                       [&](size_t a, size_t b) { return model[a].GRID < model[b].GRID; });
    else if (step >= 700)
      std::stable_sort(expected.begin(), expected.end(), [&](size_t a, size_t b) {
        return std::tie(model[a].STN, model[a].GRID) < std::tie(model[b].STN, model[b].GRID);
      });
    std::vector<size_t> got;
    t.ForEachInOrder([&](TStationTable::TRecordId id, const TStationRec& r) {
      got.push_back(id);
      EXPECT_EQ(r.GRID, model[id].GRID);
    });
    ASSERT_EQ(got, expected) << "step " << step;
    std::string g = grid();
    size_t scan = model.size();
    for (size_t i : expected)
      if (model[i].GRID == g) {
        scan = i;
        break;
      }
    t.First();
    bool found = t.Locate("GRID", g);
    ASSERT_EQ(found, scan != model.size());
    if (found) {
      ASSERT_EQ(t.CurrentId(), scan);
    }
  }
}

}  // namespace
}  // namespace druv
