#pragma once
// EntityOrder: every entity record in the order of the file, as its kind and
// its index in the table of that kind. The reader adds each record as the
// next of its kind, so an entry is kept as one byte, its kind, and its index
// is the count of the entries of that kind before it. An entry added with any
// other index or kind is kept whole aside, and reads back as it was added.

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "host/entity_records.h"
#include "host/table.h"

class EntityOrderList {
 public:
  std::size_t size() const { return kinds_.size(); }
  bool empty() const { return kinds_.empty(); }

  void push_back(const EntityOrderEntry& entry);
  EntityOrderEntry operator[](std::size_t i) const;

  void clear() { *this = EntityOrderList(); }

 private:
  // Counts of the entries of each kind are kept at every 256th entry, so an
  // index is counted over at most 255 entries.
  static constexpr std::size_t kCountStep = 256;
  static constexpr int kKinds = 16;  // kinds 1 to 15; byte 0: kept aside
  using Counts = std::array<std::uint32_t, kKinds>;

  Table<std::uint8_t> kinds_;
  std::vector<Counts> countsBefore_;  // of entries 0, 256, 512, ...
  Counts counts_{};
  std::vector<std::pair<std::size_t, EntityOrderEntry>> asAdded_;  // by position
};
