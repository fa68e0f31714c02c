#include "host/block_supplier.h"

#include <gtest/gtest.h>

#include <cstddef>

#include "host/data_model.h"
#include "host/table.h"

namespace {

TEST(block_supplier, records_in_blocks_it_prepared_keep_their_values) {
  // While the supplier lives, full blocks come from its second thread.
  BlockSupplier supplier;
  using T = Table<CircleRecord>;
  const std::size_t count = T::kGrowingRecords + 5 * T::kBlockRecords + 7;
  T t;
  for (std::size_t i = 0; i < count; ++i) {
    CircleRecord r;
    r.R = static_cast<double>(i);
    ASSERT_EQ(t.push_back(r), i);
  }
  for (std::size_t i = 0; i < count; ++i) ASSERT_EQ(t[i].R, static_cast<double>(i));
}

}  // namespace
