#include "host/table.h"

#include <gtest/gtest.h>

#include <cstddef>

#include "host/data_model.h"

namespace {

TEST(table, records_across_block_borders_keep_their_values) {
  Table<EntityOrderEntry> t;
  for (int i = 0; i < 10000; ++i) {
    EXPECT_EQ(t.push_back(EntityOrderEntry{static_cast<EntityKind>(i % 15 + 1), i}),
              static_cast<std::size_t>(i));
  }
  const std::size_t probes[] = {0,    63,   64,   127,  128,  255,  256,  999, 1000,
                                1001, 2047, 2048, 4095, 4096, 8191, 8192, 9999};
  for (std::size_t i : probes) {
    SCOPED_TRACE(i);
    EXPECT_EQ(t[i].Index, static_cast<int>(i));
    EXPECT_EQ(t[i].Kind, static_cast<EntityKind>(i % 15 + 1));
  }
  EXPECT_EQ(t.back().Index, 9999);
}

TEST(table, records_larger_than_a_power_of_two_keep_their_values_across_full_blocks) {
  // A full block holds kFullBlockBytes / 184 = 1424 dimension records; the
  // records are counted into blocks by division, not by shifts.
  using T = Table<DimensionRecord>;
  const std::size_t count = T::kGrowingRecords + 3 * T::kBlockRecords + 1;
  T t;
  for (std::size_t i = 0; i < count; ++i) {
    DimensionRecord r;
    r.Line.PolylineNo = static_cast<int>(i);
    r.Text.Kind = static_cast<int>(i % 10);
    ASSERT_EQ(t.push_back(r), i);
  }
  const std::size_t full = T::kGrowingRecords;
  const std::size_t probes[] = {0,
                                63,
                                64,
                                4095,
                                full,
                                full + T::kBlockRecords - 1,
                                full + T::kBlockRecords,
                                full + 2 * T::kBlockRecords,
                                count - 1};
  for (std::size_t i : probes) {
    SCOPED_TRACE(i);
    EXPECT_EQ(t[i].Line.PolylineNo, static_cast<int>(i));
    EXPECT_EQ(t[i].Text.Kind, static_cast<int>(i % 10));
  }
  for (std::size_t i = 0; i < count; ++i) ASSERT_EQ(t[i].Line.PolylineNo, static_cast<int>(i));
}

TEST(table, records_never_move_while_the_table_grows) {
  Table<LineRecord> t;
  t.push_back(LineRecord{});
  const LineRecord* first = &t[0];
  t.push_back(LineRecord{});
  const LineRecord* second = &t[1];
  for (int i = 0; i < 20000; ++i) t.push_back(LineRecord{});
  EXPECT_EQ(&t[0], first);
  EXPECT_EQ(&t[1], second);
}

TEST(table, clear_empties_and_allows_reuse) {
  Table<PointRecord> t;
  for (int i = 0; i < 100; ++i) t.push_back(PointRecord{});
  t.clear();
  EXPECT_TRUE(t.empty());
  PointRecord p;
  p.X = 5;
  EXPECT_EQ(t.push_back(p), 0u);
  EXPECT_EQ(t[0].X, 5);
}

}  // namespace
