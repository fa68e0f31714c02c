// A whole exchange file, from a fresh data model.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/data_model.h"
#include "host/exchange_reader.h"
#include "tests/support/entity_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ResetDataModel();
  ParseExchangeBytes(std::string_view(reinterpret_cast<const char*>(data), size));

  // Every order entry names a stored record.
  const DataModel& m = gDataModel;
  for (std::size_t i = 0; i < m.EntityOrder.size(); ++i) {
    const EntityOrderEntry& e = m.EntityOrder[i];
    if (e.Index < 0 || static_cast<std::size_t>(e.Index) >= EntityTableSize(m, e.Kind)) {
      __builtin_trap();
    }
  }
  for (std::size_t i = 0; i < m.TextTable.size(); ++i) {
    if (m.TextTable[i].Text.Length > 255 || m.TextTable[i].FontName.Length > 255) __builtin_trap();
  }
  return 0;
}
