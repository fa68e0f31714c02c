#include "host/packed_table.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "host/entity_records.h"

namespace {

EntityHeader Header(int first) {
  return EntityHeader{first, first + 1, first + 2, first + 3, first + 4, first + 5, first + 6};
}

// Records whose shared fields change in runs of every length, across the
// every-64th records that carry them and across blocks, with now and then a
// token longer than a whole block: read back in any order.
TEST(packed_table, records_read_back_in_any_order_across_runs_checkpoints_and_blocks) {
  std::mt19937 random(408);
  PackedTable<LineRecord> table;
  std::vector<LineRecord> expected;
  std::vector<std::string> texts(4);
  int tag = 0;
  for (int i = 0; i < 20000; ++i) {
    if (random() % 40 == 0) tag = static_cast<int>(random() % 5);
    LineRecord r{Header(tag), i % 100 < 3 ? i : 0};
    texts[0] = std::to_string(i);
    texts[0] += ".25";
    texts[1] = "-";
    texts[1] += std::to_string(random() % 100000);
    texts[1] += ".";
    texts[1] += std::to_string(random() % 1000000);
    texts[2] = i % 997 == 0 ? std::string(300000, '1') : "1e";
    texts[2] += std::to_string(i % 300);
    texts[3] = i % 13 == 0 ? "x" : std::to_string(i) + "." + std::to_string(i);
    ASSERT_EQ(
        table.Append(r, std::array<std::string_view, 4>{texts[0], texts[1], texts[2], texts[3]}),
        static_cast<std::size_t>(i));
    // What TextToReal gives, from the C library's correctly rounded reading.
    r.X1 = std::strtod(texts[0].c_str(), nullptr), r.Y1 = std::strtod(texts[1].c_str(), nullptr);
    r.X2 = std::strtod(texts[2].c_str(), nullptr);
    if (std::isinf(r.X2)) r.X2 = 0;
    r.Y2 = i % 13 == 0 ? 0 : std::strtod(texts[3].c_str(), nullptr);
    expected.push_back(r);
  }
  ASSERT_EQ(table.size(), expected.size());
  EXPECT_EQ(table.back(), expected.back());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    ASSERT_EQ(table[i], expected[i]);
  }
  for (int n = 0; n < 2000; ++n) {
    const std::size_t i = random() % expected.size();
    SCOPED_TRACE(i);
    ASSERT_EQ(table[i], expected[i]);
  }
  // And in one pass, each decoded once.
  std::size_t visited = 0;
  table.ForEach([&](const LineRecord& r) {
    SCOPED_TRACE(visited);
    ASSERT_LT(visited, expected.size());
    EXPECT_EQ(r, expected[visited]);
    ++visited;
  });
  EXPECT_EQ(visited, expected.size());
}

TEST(packed_table, clear_empties_and_allows_reuse) {
  PackedTable<PointRecord> table;
  for (int i = 0; i < 100; ++i)
    table.Append(PointRecord{}, std::array<std::string_view, 2>{"1", "2"});
  table.clear();
  EXPECT_TRUE(table.empty());
  EXPECT_EQ(table.Append(PointRecord{}, std::array<std::string_view, 2>{"5", "6"}), 0u);
  EXPECT_EQ(table[0].X, 5);
  EXPECT_EQ(table.size(), 1u);
}

}  // namespace
