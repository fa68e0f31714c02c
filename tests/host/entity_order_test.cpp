#include "host/entity_order.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

namespace {

// Entries as the reader adds them, each the next record of its kind, with
// now and then one that is not: every entry reads back as it was added.
TEST(entity_order, entries_read_back_as_added) {
  std::mt19937 random(408);
  EntityOrderList order;
  std::vector<EntityOrderEntry> added;
  std::array<int, 16> next{};
  for (int i = 0; i < 5000; ++i) {
    EntityOrderEntry e;
    if (random() % 50 == 0) {
      // Kinds and indexes the reader never adds.
      const auto kind = [](int k) { return static_cast<EntityKind>(k); };
      const EntityOrderEntry others[] = {{kind(0), 0},  {kind(16), 1}, {kind(-1), 2},
                                         {kind(99), 0}, {kind(3), -1}, {kind(4), 1000}};
      e = others[random() % std::size(others)];
    } else {
      const int k = 1 + static_cast<int>(random() % 15);
      e.Kind = static_cast<EntityKind>(k);
      e.Index = next[k]++;
    }
    order.push_back(e);
    added.push_back(e);
  }
  ASSERT_EQ(order.size(), added.size());
  for (std::size_t i = 0; i < added.size(); ++i) {
    SCOPED_TRACE(i);
    ASSERT_EQ(order[i], added[i]);
  }
}

TEST(entity_order, clear_empties_and_counts_from_zero_again) {
  EntityOrderList order;
  for (int i = 0; i < 300; ++i) order.push_back({EntityKind::Line, i});
  order.clear();
  EXPECT_TRUE(order.empty());
  order.push_back({EntityKind::Line, 0});
  order.push_back({EntityKind::Circle, 0});
  EXPECT_EQ(order[0], (EntityOrderEntry{EntityKind::Line, 0}));
  EXPECT_EQ(order[1], (EntityOrderEntry{EntityKind::Circle, 0}));
}

}  // namespace
