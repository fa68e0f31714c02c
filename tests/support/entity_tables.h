#pragma once
// Test helper: how many records the table of an entity kind holds.

#include <cstddef>

#include "host/data_model.h"

inline std::size_t EntityTableSize(const DataModel& m, EntityKind kind) {
  switch (kind) {
    case EntityKind::Line:
      return m.LineTable.size();
    case EntityKind::Circle:
      return m.CircleTable.size();
    case EntityKind::Arc:
      return m.ArcTable.size();
    case EntityKind::Text:
      return m.TextTable.size();
    case EntityKind::Point:
      return m.PointTable.size();
    case EntityKind::CodedPoint:
      return m.CodedPointTable.size();
    case EntityKind::Dimension:
      return m.DimensionTable.size();
    case EntityKind::Block:
      return m.BlockTable.size();
    case EntityKind::Solid2:
      return m.Solid2Table.size();
    case EntityKind::Solid3:
      return m.Solid3Table.size();
    case EntityKind::Solid4:
      return m.Solid4Table.size();
    case EntityKind::Sc:
      return m.ScTable.size();
    case EntityKind::Se:
      return m.SeTable.size();
    case EntityKind::So:
      return m.SoTable.size();
    case EntityKind::Sg:
      return m.SgTable.size();
    default:
      return 0;
  }
}
