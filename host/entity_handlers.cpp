// The handlers of the entity lines: each stores its record in its table of
// gDataModel, with the attributes in force, and ends the modifiers given for
// it.

#include <cmath>
#include <span>
#include <string>

#include "host/data_model.h"
#include "host/exchange_handlers.h"
#include "util/geometry.h"
#include "util/sjis.h"

namespace {

// Short-text fields of the records keep at most 255 bytes, never half a
// double-byte character.
constexpr std::size_t kShortTextBytes = 255;

void StoreFontName(TextRef& field) {
  // Texts of one run nearly always share one font: the last stored font name
  // is used again when its bytes are still in the pool and unchanged, which
  // keeps a million texts from storing a million copies. The check on the
  // bytes keeps this right after ResetDataModel emptied the pool too.
  static TextRef last;
  DataModel& m = gDataModel;
  std::string_view font = CutToWholeChars(m.AttrState.FontName, kShortTextBytes);
  if (std::size_t{last.Offset} + last.Length <= m.TextPool.size() && m.TextOf(last) == font) {
    field = last;
    return;
  }
  field = last = m.StoreText(font);
}

// Each entity ends the modifiers that were given for it.
void EndEntity(bool endsModes) {
  AttributeState& a = gDataModel.AttrState;
  a.ZFlags = 0;
  if (endsModes) {
    a.InPolyline = false;
    a.InDimension = false;
  }
}

// Stores `record` with its numbers to be read, when asked for, from the
// tokens from `first` on, as many as the record has.
template <class Record>
void StoreEntity(PackedTable<Record>& table, EntityKind kind, const Record& record,
                 const LineTokens& t, int first) {
  constexpr std::size_t kNumbers = PackedTable<Record>::kNumbers;
  const std::size_t index =
      table.Append(record, std::span<const std::string_view, kNumbers>(t.Tokens + first, kNumbers));
  AddEntityOrder(kind, static_cast<int>(index));
}

bool SamePoint(Point a, Point b) {
  return std::fabs(a.X - b.X) <= kGeometryTolerance && std::fabs(a.Y - b.Y) <= kGeometryTolerance;
}

// Stores a solid of the given corners of an "sl" line (see Corner).
template <class Record, std::size_t kCorners>
void StoreSolid(PackedTable<Record>& table, EntityKind kind, const LineTokens& t,
                const int (&corners)[kCorners]) {
  static_assert(PackedTable<Record>::kNumbers == 2 * kCorners);
  Record r;
  r.Header = FillEntityHeader();
  r.SolidColor = gDataModel.AttrState.SolidColor;
  std::string_view tokens[2 * kCorners];
  for (std::size_t i = 0; i < kCorners; ++i) {
    tokens[2 * i] = t.Tokens[2 * corners[i] - 1];
    tokens[2 * i + 1] = t.Tokens[2 * corners[i]];
  }
  AddEntityOrder(kind, static_cast<int>(table.Append(r, tokens)));
}

void StoreSolid2(const LineTokens& t, int a, int b) {
  StoreSolid(gDataModel.Solid2Table, EntityKind::Solid2, t, {a, b});
}
void StoreSolid3(const LineTokens& t, int a, int b, int c) {
  StoreSolid(gDataModel.Solid3Table, EntityKind::Solid3, t, {a, b, c});
}

// Corner c (1-based) of an "sl" line: tokens 2c - 1 and 2c.
Point Corner(const LineTokens& t, int c) { return Point{Real(t, 2 * c - 1), Real(t, 2 * c)}; }

int TextKind(std::string_view keyword) {
  for (int k = 0; k < static_cast<int>(std::size(kTextKeywords)); ++k) {
    if (kTextKeywords[k] == keyword) return k;
  }
  return -1;
}

TextRecord MakeTextRecord(const LineTokens& t) {
  const DataModel& m = gDataModel;
  const AttributeState& a = m.AttrState;
  TextRecord r;
  r.Header = FillEntityHeader();
  r.Kind = TextKind(t.Tokens[0]);
  r.TextCC = a.TextCC;
  r.TextType = a.TextType;
  if (a.TextType >= 1 && a.TextType <= 10) {
    const TextTypeRecord& type = m.TextTypeTable[a.TextType];
    r.Width = type.Width, r.Height = type.Height, r.Spacing = type.Spacing;
    r.Header.PenColor = type.Color;
  } else {
    r.Width = a.TextWidth, r.Height = a.TextHeight, r.Spacing = a.TextSpacing;
    r.Header.PenColor = a.TextColor;
  }
  StoreFontName(r.FontName);
  r.Text = gDataModel.StoreText(CutToWholeChars(t.Tokens[5], kShortTextBytes));
  return r;
}

void OnCodedCurvedSolid(PackedTable<SolidCodeRecord>& table, EntityKind kind, const LineTokens& t) {
  SolidCodeRecord r;
  r.Header = FillEntityHeader();
  r.SolidColor = gDataModel.AttrState.SolidColor;
  r.Code = Integer(t, 8);
  StoreEntity(table, kind, r, t, 1);
  EndEntity(true);
}

void OnEightValueCurvedSolid(PackedTable<SolidEightRecord>& table, EntityKind kind,
                             const LineTokens& t) {
  SolidEightRecord r;
  r.Header = FillEntityHeader();
  r.SolidColor = gDataModel.AttrState.SolidColor;
  StoreEntity(table, kind, r, t, 1);
  EndEntity(true);
}

}  // namespace

bool IsTextKeyword(std::string_view token) { return TextKind(token) >= 0; }

void OnCircle(const LineTokens& t) {
  CircleRecord r;
  r.Header = FillEntityHeader();
  StoreEntity(gDataModel.CircleTable, EntityKind::Circle, r, t, 1);
  EndEntity(true);
}

void OnArc(const LineTokens& t) {
  ArcRecord r;
  r.Header = FillEntityHeader();
  StoreEntity(gDataModel.ArcTable, EntityKind::Arc, r, t, 1);
  EndEntity(true);
}

// A "cs" text in dimension mode closes the figure opened by "msg": the line
// read in between and this text become one dimension record. The text's X,
// Y, DX and DY are tokens 1 to 4.
void OnText(const LineTokens& t) {
  DataModel& m = gDataModel;
  if (m.AttrState.InDimension && t.Tokens[0] == kTextKeywords[kDimensionValueTextKind]) {
    DimensionRecord r;
    r.Line = m.PendingDimensionLine;
    r.Text = MakeTextRecord(t);
    StoreEntity(m.DimensionTable, EntityKind::Dimension, r, t, 1);
  } else {
    StoreEntity(m.TextTable, EntityKind::Text, MakeTextRecord(t), t, 1);
  }
  EndEntity(true);
}

void OnPoint(const LineTokens& t) {
  PointRecord r;
  r.Header = FillEntityHeader();
  r.Header.PenColor = gDataModel.AttrState.PointColor;
  StoreEntity(gDataModel.PointTable, EntityKind::Point, r, t, 1);
  EndEntity(true);
}

void OnCodedPoint(const LineTokens& t) {
  CodedPointRecord r;
  r.Header = FillEntityHeader();
  r.Header.PenColor = gDataModel.AttrState.PointColor;
  r.Code = Integer(t, 5);
  StoreEntity(gDataModel.CodedPointTable, EntityKind::CodedPoint, r, t, 1);
  EndEntity(true);
}

void OnBlock(const LineTokens& t) {
  BlockRecord r;
  r.Header = FillEntityHeader();
  r.Name = gDataModel.StoreText(t.Tokens[3]);
  StoreEntity(gDataModel.BlockTable, EntityKind::Block, r, t, 1);
  EndEntity(true);
}

void OnSolid2(const LineTokens& t) {
  StoreSolid2(t, 1, 2);
  EndEntity(true);
}

// A three-point solid with two equal corners is stored as the two-point
// solid it really is.
void OnSolid3(const LineTokens& t) {
  const Point p1 = Corner(t, 1), p2 = Corner(t, 2), p3 = Corner(t, 3);
  if (SamePoint(p1, p2)) {
    StoreSolid2(t, 1, 3);
  } else if (SamePoint(p2, p3)) {
    StoreSolid2(t, 1, 2);
  } else {
    StoreSolid3(t, 1, 2, 3);
  }
  EndEntity(true);
}

// Likewise a four-point solid with equal corners becomes a two- or
// three-point solid; the order of the tests decides which corners are kept.
void OnSolid4(const LineTokens& t) {
  const Point p1 = Corner(t, 1), p2 = Corner(t, 2), p3 = Corner(t, 3), p4 = Corner(t, 4);
  if (SamePoint(p1, p2) && SamePoint(p1, p3)) {
    StoreSolid2(t, 1, 4);
  } else if (SamePoint(p2, p3) && SamePoint(p2, p4)) {
    StoreSolid2(t, 1, 2);
  } else if (SamePoint(p1, p2) && SamePoint(p3, p4)) {
    StoreSolid2(t, 1, 3);
  } else if (SamePoint(p4, p1) || SamePoint(p4, p2) || SamePoint(p4, p3)) {
    StoreSolid3(t, 1, 2, 3);
  } else if (SamePoint(p3, p1) || SamePoint(p3, p2)) {
    StoreSolid3(t, 1, 2, 4);
  } else if (SamePoint(p2, p1)) {
    StoreSolid3(t, 1, 3, 4);
  } else {
    StoreSolid(gDataModel.Solid4Table, EntityKind::Solid4, t, {1, 2, 3, 4});
  }
  EndEntity(true);
}

void OnCurvedSolidSc(const LineTokens& t) {
  OnCodedCurvedSolid(gDataModel.ScTable, EntityKind::Sc, t);
}
void OnCurvedSolidSe(const LineTokens& t) {
  OnCodedCurvedSolid(gDataModel.SeTable, EntityKind::Se, t);
}
void OnCurvedSolidSo(const LineTokens& t) {
  OnEightValueCurvedSolid(gDataModel.SoTable, EntityKind::So, t);
}
void OnCurvedSolidSg(const LineTokens& t) {
  OnEightValueCurvedSolid(gDataModel.SgTable, EntityKind::Sg, t);
}

// Any line of four tokens is a straight line, a keyword in front reading as 0.
// In dimension mode it is the figure's line, kept until its "cs" text comes;
// it is no entity of its own and leaves the modifiers to the figure.
void OnStraightLine(const LineTokens& t) {
  DataModel& m = gDataModel;
  LineRecord r;
  r.Header = FillEntityHeader();
  if (m.AttrState.InDimension) {
    r.X1 = Real(t, 0), r.Y1 = Real(t, 1), r.X2 = Real(t, 2), r.Y2 = Real(t, 3);
    m.PendingDimensionLine = r;
    return;
  }
  r.PolylineNo = m.AttrState.InPolyline ? m.AttrState.PolylineCount : 0;
  StoreEntity(m.LineTable, EntityKind::Line, r, t, 0);
  EndEntity(false);
}
