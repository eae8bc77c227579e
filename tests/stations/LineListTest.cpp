#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "stations/TLineList.h"

namespace druv {
namespace {

using TLines = std::vector<std::string>;

TEST(SortedLineList, CaseInsensitiveOrderEachOnce) {
  TSortedLineList list;
  for (const char* s : {"QQ5BBB", "qq5aaa", "QQ5AAA", "QQ5AAA-9", "QQ5AA", "Qq5bbb", "QQ5aaa-9"}) list.Add(s);
  // The first spelling stays; "-" sorts below the digits and letters.
  EXPECT_EQ(list.ToVector(), (TLines{"QQ5AA", "qq5aaa", "QQ5AAA-9", "QQ5BBB"}));
  EXPECT_EQ(list.IndexOf("QQ5AAA"), 1u);
  EXPECT_EQ(list.IndexOf("QQ9"), list.Count());
  EXPECT_LT(CompareTextIgnoringCase("a-", "A0"), 0);
  EXPECT_EQ(CompareTextIgnoringCase("abc", "ABC"), 0);
  EXPECT_GT(CompareTextIgnoringCase("\xE9", "z"), 0);  // 8-bit bytes above ASCII
}

// Across many blocks: the items, the hook indexes and At() against a sorted copy.
TEST(SortedLineList, AgreesWithASortedVectorOverManyBlocks) {
  std::mt19937 rng(3);
  TSortedLineList list;
  TLines model;
  size_t announced = SIZE_MAX;
  list.OnAboutToInsert = [&](size_t i) { announced = i; };
  list.OnInserted = [&](size_t i) {
    ASSERT_EQ(i, announced);
    ASSERT_EQ(CompareTextIgnoringCase(list.At(i), model[i]), 0);
  };
  for (int n = 0; n < 6000; ++n) {
    std::string call = "Q" + std::to_string(rng() % 5000);
    if (rng() % 2) std::transform(call.begin(), call.end(), call.begin(), ::tolower);
    auto it = std::lower_bound(model.begin(), model.end(), call,
                               [](const std::string& a, const std::string& b) { return CompareTextIgnoringCase(a, b) < 0; });
    bool present = it != model.end() && CompareTextIgnoringCase(*it, call) == 0;
    if (!present) model.insert(it, call);
    ASSERT_EQ(list.Add(call), !present);
  }
  ASSERT_GT(model.size(), 2 * TSortedLineList::MaxBlock);
  EXPECT_EQ(list.ToVector(), model);
  bool cleared = false;
  list.OnCleared = [&] { cleared = true; };
  const auto generation = list.Generation();
  list.Clear();
  EXPECT_TRUE(cleared);
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(list.Generation(), generation + 1);
  list.OnInserted = {};
  list.Add("X");
  EXPECT_EQ(list.ToVector(), TLines{"X"});
}

}  // namespace
}  // namespace druv
