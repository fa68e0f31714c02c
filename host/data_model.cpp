#include "host/data_model.h"

#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

DataModel gDataModel;

TextRef DataModel::StoreText(std::string_view text) {
  // Offsets are 32-bit: a pool that would pass 4 GiB stores the text as empty
  // rather than wrapping an offset onto other records' bytes.
  constexpr std::size_t kMaxPool = std::numeric_limits<std::uint32_t>::max();
  if (text.empty() || text.size() > kMaxPool - TextPool.size()) return TextRef{};
  TextRef ref;
  ref.Offset = static_cast<std::uint32_t>(TextPool.size());
  ref.Length = static_cast<std::uint32_t>(text.size());
  TextPool.insert(TextPool.end(), text.begin(), text.end());
  return ref;
}

void ResetDataModel() {
  // A fresh object gives every start value written in the declarations and
  // releases what an earlier run had stored.
  gDataModel = DataModel{};
  DataModel& m = gDataModel;
  m.LayerGroupState.assign(16, 0);
  m.LayerGroupName.assign(16, std::string());
  m.LayerState.assign(256, 0);
  m.LayerName.assign(256, std::string());
  m.PickedPoints.assign(100, PickedPoint{});

  m.FreshFlags = FreshFlagSet{};
  m.FreshFlags.LayerGroup = true;
  m.FreshFlags.Layer = true;
  m.FreshFlags.PenColor = true;
  m.FreshFlags.LineType = true;
  m.FreshFlags.LineWidth = true;
  m.FreshFlags.TextType = true;

  // With no line read in dimension mode, a dimension figure still gets a line
  // of unit length instead of a zero-length one.
  m.PendingDimensionLine = LineRecord{};
  m.PendingDimensionLine.X2 = 1;
}

void ResetOutputState() {
  AttributeState& a = gDataModel.AttrState;
  AttributeState start;
  start.EntityTag = a.EntityTag;
  start.ZFlags = a.ZFlags;
  start.PolylineCount = a.PolylineCount;
  start.InPolyline = a.InPolyline;
  start.InDimension = a.InDimension;
  a = std::move(start);

  FreshFlagSet& f = gDataModel.FreshFlags;
  f.LayerGroup = f.Layer = f.PenColor = f.LineType = f.LineWidth = true;
  f.TextType = f.TextCC = f.FontName = f.PointColor = true;
}

EntityHeader FillEntityHeader() {
  const AttributeState& a = gDataModel.AttrState;
  EntityHeader h;
  h.EntityTag = a.EntityTag;
  h.LayerGroup = a.LayerGroup;
  h.Layer = a.Layer;
  h.PenColor = a.PenColor;
  h.LineType = a.LineType;
  h.LineWidth = a.LineWidth;
  h.ZFlags = a.ZFlags;
  return h;
}

void AddEntityOrder(EntityKind kind, int index) {
  gDataModel.EntityOrder.push_back(EntityOrderEntry{kind, index});
}

namespace {
template <class T>
void Release(T& container) {
  T().swap(container);
}
}  // namespace

void FreeDataModel() {
  DataModel& m = gDataModel;
  Release(m.LayerGroupState);
  Release(m.LayerGroupName);
  Release(m.LayerState);
  Release(m.LayerName);
  Release(m.PickedPoints);
  m.PickedPointCount = 0;
  m.EntityOrder.clear();
  m.LineTable.clear();
  m.CircleTable.clear();
  m.ArcTable.clear();
  m.TextTable.clear();
  m.PointTable.clear();
  m.CodedPointTable.clear();
  m.DimensionTable.clear();
  m.BlockTable.clear();
  m.Solid2Table.clear();
  m.Solid3Table.clear();
  m.Solid4Table.clear();
  m.ScTable.clear();
  m.SeTable.clear();
  m.SoTable.clear();
  m.SgTable.clear();
  // The texts belong to the records just released.
  Release(m.TextPool);
  Release(m.OutputLines);
}
