#include "host/entity_order.h"

#include <algorithm>

void EntityOrderList::push_back(const EntityOrderEntry& entry) {
  const std::size_t position = kinds_.size();
  if (position % kCountStep == 0) countsBefore_.push_back(counts_);
  const int kind = static_cast<int>(entry.Kind);
  const bool implied = kind >= 1 && kind < kKinds && entry.Index >= 0 &&
                       static_cast<std::uint32_t>(entry.Index) == counts_[kind];
  if (implied) {
    kinds_.push_back(static_cast<std::uint8_t>(kind));
    ++counts_[kind];
  } else {
    kinds_.push_back(0);
    asAdded_.emplace_back(position, entry);
  }
}

EntityOrderEntry EntityOrderList::operator[](std::size_t i) const {
  const int kind = kinds_[i];
  if (kind == 0) {
    const auto at =
        std::lower_bound(asAdded_.begin(), asAdded_.end(), i,
                         [](const auto& kept, std::size_t p) { return kept.first < p; });
    return at->second;
  }
  std::uint32_t index = countsBefore_[i / kCountStep][kind];
  for (std::size_t k = i - i % kCountStep; k < i; ++k) index += kinds_[k] == kind ? 1 : 0;
  return EntityOrderEntry{static_cast<EntityKind>(kind), static_cast<int>(index)};
}
