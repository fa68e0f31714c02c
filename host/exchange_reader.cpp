// Reads JWC_TEMP.TXT, the exchange file Jw_cad writes before starting the
// tool, into gDataModel.
//
// Splitting a line into tokens is host/exchange_tokenizer's. Sections:
//   1. Small helpers: numbers, text cuts, storing records
//   2. Keyword handlers, one per row of the vocabulary
//   3. The vocabulary table and its dispatch (InterpretExchangeTokens)
//   4. Cutting bytes into lines (ParseExchangeBytes, ReadExchangeFile)

#include "host/exchange_reader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "host/block_supplier.h"
#include "host/data_model.h"
#include "util/geometry.h"
#include "util/sjis.h"
#include "util/text_to_number.h"

// ---- 1. Small helpers --------------------------------------------------------

namespace {

using Tokens = LineTokens;

// Short-text fields of the records keep at most 255 bytes, never half a
// double-byte character.
constexpr std::size_t kShortTextBytes = 255;

double Real(const Tokens& t, int i) { return TextToReal(t.Tokens[i]); }
int Integer(const Tokens& t, int i) { return TextToInteger(t.Tokens[i]); }

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

// Token 0 after its keyword.
std::string_view Rest(const Tokens& t, std::size_t keywordLength) {
  return t.Tokens[0].substr(std::min(keywordLength, t.Tokens[0].size()));
}

// One hexadecimal digit, the byte after a two-letter keyword ("lgA" is layer
// group 10); a missing or bad digit, or a number outside 0..15, gives 0.
int HexDigitAfter(const Tokens& t, std::size_t keywordLength) {
  char text[2] = {'$', '\0'};
  std::size_t len = 1;
  if (t.Tokens[0].size() > keywordLength) text[len++] = t.Tokens[0][keywordLength];
  int v = TextToInteger(std::string_view(text, len));
  return (v >= 0 && v <= 15) ? v : 0;
}

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
void StoreEntity(PackedTable<Record>& table, int kind, const Record& record, const Tokens& t,
                 int first) {
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
void StoreSolid(PackedTable<Record>& table, int kind, const Tokens& t,
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

void StoreSolid2(const Tokens& t, int a, int b) {
  StoreSolid(gDataModel.Solid2Table, kSolid2Entity, t, {a, b});
}
void StoreSolid3(const Tokens& t, int a, int b, int c) {
  StoreSolid(gDataModel.Solid3Table, kSolid3Entity, t, {a, b, c});
}

// Corner c (1-based) of an "sl" line: tokens 2c - 1 and 2c.
Point Corner(const Tokens& t, int c) { return Point{Real(t, 2 * c - 1), Real(t, 2 * c)}; }

// ---- 2. Keyword handlers -------------------------------------------------------

// Drawing settings.

void OnFileName(const Tokens& t) { gDataModel.DrawingFileName = std::string(Rest(t, 5)); }

void OnAxisAngle(const Tokens& t) { gDataModel.AxisAngle = Real(t, 1); }

void OnLayerGroupScales(const Tokens& t) {
  for (int i = 0; i < 16; ++i) gDataModel.LayerGroupScale[i] = Real(t, i + 1);
}

void OnSheetSize(const Tokens& t) {
  gDataModel.SheetWidth = Real(t, 1);
  gDataModel.SheetHeight = Real(t, 2);
}

void OnTextTypeWidths(const Tokens& t) {
  for (int i = 1; i <= 10; ++i) gDataModel.TextTypeTable[i].Width = Real(t, i);
}

void OnTextTypeHeights(const Tokens& t) {
  for (int i = 1; i <= 10; ++i) gDataModel.TextTypeTable[i].Height = Real(t, i);
}

void OnTextTypeSpacings(const Tokens& t) {
  for (int i = 1; i <= 10; ++i) gDataModel.TextTypeTable[i].Spacing = Real(t, i);
}

void OnTextTypeColors(const Tokens& t) {
  for (int i = 1; i <= 10; ++i) gDataModel.TextTypeTable[i].Color = Integer(t, i);
}

void OnBz(const Tokens&) { gDataModel.BzFlag = true; }

void OnHn(const Tokens& t) {
  for (int i = 1; i <= 4; ++i) gDataModel.HnValues[i] = Real(t, i);
}

// Layers and attributes.

void OnLayerGroupName(const Tokens& t) {
  gDataModel.LayerGroupName[gDataModel.AttrState.LayerGroup] = std::string(Rest(t, 3));
}

void OnLayerName(const Tokens& t) {
  const AttributeState& a = gDataModel.AttrState;
  gDataModel.LayerName[a.LayerGroup * 16 + a.Layer] = std::string(Rest(t, 3));
}

// The first line of a kind also gives the attribute that was current in
// Jw_cad; every line of the kind sets the attribute of the entities after it.
void SetAttribute(bool& fresh, int& current, int& state, int value) {
  if (fresh) {
    current = value;
    fresh = false;
  }
  state = value;
}

void OnLayerGroup(const Tokens& t) {
  DataModel& m = gDataModel;
  int v = HexDigitAfter(t, 2);
  SetAttribute(m.FreshFlags.LayerGroup, m.CurLayerGroup, m.AttrState.LayerGroup, v);
  if (t.Count >= 2) m.LayerGroupState[v] = Integer(t, 1);
}

void OnLayer(const Tokens& t) {
  DataModel& m = gDataModel;
  int v = HexDigitAfter(t, 2);
  SetAttribute(m.FreshFlags.Layer, m.CurLayer, m.AttrState.Layer, v);
  if (t.Count >= 2) m.LayerState[m.AttrState.LayerGroup * 16 + v] = Integer(t, 1);
}

void OnPenColor(const Tokens& t) {
  DataModel& m = gDataModel;
  int v = TextToInteger(Rest(t, 2));
  SetAttribute(m.FreshFlags.PenColor, m.CurPenColor, m.AttrState.PenColor, v);
  // Colour 10 is the solid-colour pen; its second token is the solid's colour.
  if (v == 10 && t.Count >= 2) m.AttrState.SolidColor = Integer(t, 1);
}

void OnLineType(const Tokens& t) {
  DataModel& m = gDataModel;
  SetAttribute(m.FreshFlags.LineType, m.CurLineType, m.AttrState.LineType,
               TextToInteger(Rest(t, 2)));
}

void OnLineWidth(const Tokens& t) {
  DataModel& m = gDataModel;
  SetAttribute(m.FreshFlags.LineWidth, m.CurLineWidth, m.AttrState.LineWidth,
               TextToInteger(Rest(t, 2)));
}

void OnFontName(const Tokens& t) {
  DataModel& m = gDataModel;
  if (m.CurFontName.empty()) m.CurFontName = std::string(Rest(t, 3));
  m.AttrState.FontName = std::string(Rest(t, 3));
}

void OnTextType(const Tokens& t) {
  DataModel& m = gDataModel;
  AttributeState& a = m.AttrState;
  const int v = TextToInteger(Rest(t, 2));
  const bool freeSize = v == 0 && t.Count >= 5;
  if (m.FreshFlags.TextType) {
    m.CurTextType = v;
    if (freeSize) {
      m.CurFreeTextWidth = Real(t, 1);
      m.CurFreeTextHeight = Real(t, 2);
      m.CurFreeTextSpacing = Real(t, 3);
      m.CurFreeTextColor = Integer(t, 4);
    }
    m.FreshFlags.TextType = false;
  }
  a.TextType = v;
  if (freeSize) {
    a.TextWidth = Real(t, 1);
    a.TextHeight = Real(t, 2);
    a.TextSpacing = Real(t, 3);
    a.TextColor = Integer(t, 4);
  }
}

void OnTextCC(const Tokens& t) {
  std::string_view digit = Rest(t, 2).substr(0, 1);
  int v = TextToInteger(digit);
  gDataModel.AttrState.TextCC = (v >= 0 && v <= 8) ? v : 0;
}

void AddZFlag(int bit) {
  int& z = gDataModel.AttrState.ZFlags;
  if ((z & bit) == 0) z += bit;
}
void OnZ1(const Tokens&) { AddZFlag(1); }
void OnZ2(const Tokens&) { AddZFlag(2); }
void OnZ3(const Tokens&) { AddZFlag(4); }
void OnZ4(const Tokens&) { AddZFlag(8); }
void OnZ5(const Tokens&) { AddZFlag(16); }

void OnPointColor(const Tokens& t) { gDataModel.AttrState.PointColor = TextToInteger(Rest(t, 2)); }

// Modes.

void OnPolyline(const Tokens&) {
  AttributeState& a = gDataModel.AttrState;
  a.PolylineCount += 1;
  a.InPolyline = true;
  a.InDimension = false;
}

void OnDimensionFigure(const Tokens&) {
  AttributeState& a = gDataModel.AttrState;
  a.InDimension = true;
  a.InPolyline = false;
}

void OnEndOfMode(const Tokens&) {
  AttributeState& a = gDataModel.AttrState;
  a.InPolyline = false;
  a.InDimension = false;
}

// Picked points: "hp1 x y", "hp1- x y", "hp1ln x y", "hp1ci x y", "hp1ch x y".
void OnPickedPoint(const Tokens& t) {
  const std::string_view token = t.Tokens[0];
  std::string_view number = token.substr(2);
  int kind = 0;
  static constexpr std::string_view kMarks[] = {"-", "ln", "ci", "ch"};
  for (int k = 0; k < 4; ++k) {
    std::size_t p = token.find(kMarks[k]);
    if (p != std::string_view::npos && p >= 2) {
      number = token.substr(2, p - 2);
      kind = k + 1;
    }
  }
  int n = TextToInteger(number);
  if (n < 1 || n > 99) return;
  DataModel& m = gDataModel;
  m.PickedPoints[n] = PickedPoint{true, Real(t, 1), Real(t, 2), kind};
  m.PickedPointCount += 1;
}

// Entity tags: "hhp12", or "hhp12ln" / "hhp12ci" / "hhp12ch".
void OnEntityTag(const Tokens& t) {
  const std::string_view token = t.Tokens[0];
  std::size_t length = token.size();
  for (std::string_view mark :
       {std::string_view("ln"), std::string_view("ci"), std::string_view("ch")}) {
    std::size_t p = token.find(mark);
    if (p != std::string_view::npos && p >= 4) length = p - 3;
  }
  gDataModel.AttrState.EntityTag = TextToInteger(token.substr(3, length));
}

// Entities.

void OnCircle(const Tokens& t) {
  CircleRecord r;
  r.Header = FillEntityHeader();
  StoreEntity(gDataModel.CircleTable, kCircleEntity, r, t, 1);
  EndEntity(true);
}

void OnArc(const Tokens& t) {
  ArcRecord r;
  r.Header = FillEntityHeader();
  StoreEntity(gDataModel.ArcTable, kArcEntity, r, t, 1);
  EndEntity(true);
}

int TextKind(std::string_view keyword) {
  for (int k = 0; k < static_cast<int>(std::size(kTextKeywords)); ++k) {
    if (kTextKeywords[k] == keyword) return k;
  }
  return -1;
}

bool IsTextKeyword(std::string_view token) { return TextKind(token) >= 0; }

TextRecord MakeTextRecord(const Tokens& t) {
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

// A "cs" text in dimension mode closes the figure opened by "msg": the line
// read in between and this text become one dimension record. The text's X,
// Y, DX and DY are tokens 1 to 4.
void OnText(const Tokens& t) {
  DataModel& m = gDataModel;
  if (m.AttrState.InDimension && t.Tokens[0] == "cs") {
    DimensionRecord r;
    r.Line = m.PendingDimensionLine;
    r.Text = MakeTextRecord(t);
    StoreEntity(m.DimensionTable, kDimensionEntity, r, t, 1);
  } else {
    StoreEntity(m.TextTable, kTextEntity, MakeTextRecord(t), t, 1);
  }
  EndEntity(true);
}

void OnPoint(const Tokens& t) {
  PointRecord r;
  r.Header = FillEntityHeader();
  r.Header.PenColor = gDataModel.AttrState.PointColor;
  StoreEntity(gDataModel.PointTable, kPointEntity, r, t, 1);
  EndEntity(true);
}

void OnCodedPoint(const Tokens& t) {
  CodedPointRecord r;
  r.Header = FillEntityHeader();
  r.Header.PenColor = gDataModel.AttrState.PointColor;
  r.Code = Integer(t, 5);
  StoreEntity(gDataModel.CodedPointTable, kCodedPointEntity, r, t, 1);
  EndEntity(true);
}

void OnBlock(const Tokens& t) {
  BlockRecord r;
  r.Header = FillEntityHeader();
  r.Name = gDataModel.StoreText(t.Tokens[3]);
  StoreEntity(gDataModel.BlockTable, kBlockEntity, r, t, 1);
  EndEntity(true);
}

void OnSolid2(const Tokens& t) {
  StoreSolid2(t, 1, 2);
  EndEntity(true);
}

// A three-point solid with two equal corners is stored as the two-point
// solid it really is.
void OnSolid3(const Tokens& t) {
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
void OnSolid4(const Tokens& t) {
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
    StoreSolid(gDataModel.Solid4Table, kSolid4Entity, t, {1, 2, 3, 4});
  }
  EndEntity(true);
}

SolidCodeRecord MakeSolidCode(const Tokens& t) {
  SolidCodeRecord r;
  r.Header = FillEntityHeader();
  r.SolidColor = gDataModel.AttrState.SolidColor;
  r.Code = Integer(t, 8);
  return r;
}

SolidEightRecord MakeSolidEight() {
  SolidEightRecord r;
  r.Header = FillEntityHeader();
  r.SolidColor = gDataModel.AttrState.SolidColor;
  return r;
}

void OnSc(const Tokens& t) {
  StoreEntity(gDataModel.ScTable, kScEntity, MakeSolidCode(t), t, 1);
  EndEntity(true);
}
void OnSe(const Tokens& t) {
  StoreEntity(gDataModel.SeTable, kSeEntity, MakeSolidCode(t), t, 1);
  EndEntity(true);
}
void OnSo(const Tokens& t) {
  StoreEntity(gDataModel.SoTable, kSoEntity, MakeSolidEight(), t, 1);
  EndEntity(true);
}
void OnSg(const Tokens& t) {
  StoreEntity(gDataModel.SgTable, kSgEntity, MakeSolidEight(), t, 1);
  EndEntity(true);
}

// Any line of four tokens is a straight line, a keyword in front reading as 0.
// In dimension mode it is the figure's line, kept until its "cs" text comes;
// it is no entity of its own and leaves the modifiers to the figure.
void OnStraightLine(const Tokens& t) {
  DataModel& m = gDataModel;
  LineRecord r;
  r.Header = FillEntityHeader();
  if (m.AttrState.InDimension) {
    r.X1 = Real(t, 0), r.Y1 = Real(t, 1), r.X2 = Real(t, 2), r.Y2 = Real(t, 3);
    m.PendingDimensionLine = r;
    return;
  }
  r.PolylineNo = m.AttrState.InPolyline ? m.AttrState.PolylineCount : 0;
  StoreEntity(m.LineTable, kLineEntity, r, t, 0);
  EndEntity(false);
}

// ---- 3. The vocabulary -----------------------------------------------------------

enum class Match { kContains, kEquals, kStartsWith, kTextKeyword, kAnything };
enum class Count { kAny, kAtLeast, kExactly };

struct KeywordRow {
  Match match;
  std::string_view keyword;
  Count count;
  int tokens;
  void (*handle)(const Tokens&);
};

// Tried in this order; the first row whose form and token count both fit
// takes the line. A keyword line with too few tokens goes on to later rows,
// which is how "hs 1 2 3" ends up a straight line.
constexpr KeywordRow kRows[] = {
    {Match::kContains, "file=", Count::kAny, 0, OnFileName},           // 1
    {Match::kEquals, "hk", Count::kAtLeast, 2, OnAxisAngle},           // 2
    {Match::kEquals, "hs", Count::kAtLeast, 17, OnLayerGroupScales},   // 3
    {Match::kEquals, "hzs", Count::kAtLeast, 3, OnSheetSize},          // 4
    {Match::kEquals, "hcw", Count::kAtLeast, 11, OnTextTypeWidths},    // 5
    {Match::kEquals, "hch", Count::kAtLeast, 11, OnTextTypeHeights},   // 6
    {Match::kEquals, "hcd", Count::kAtLeast, 11, OnTextTypeSpacings},  // 7
    {Match::kEquals, "hcc", Count::kAtLeast, 11, OnTextTypeColors},    // 8
    {Match::kEquals, "bz", Count::kAny, 0, OnBz},                      // 9
    {Match::kEquals, "hn", Count::kAtLeast, 5, OnHn},                  // 10
    {Match::kStartsWith, "lgn", Count::kAny, 0, OnLayerGroupName},     // 11
    {Match::kStartsWith, "lyn", Count::kAny, 0, OnLayerName},          // 12
    {Match::kStartsWith, "lg", Count::kAny, 0, OnLayerGroup},          // 13
    {Match::kStartsWith, "ly", Count::kAny, 0, OnLayer},               // 14
    {Match::kStartsWith, "lc", Count::kAny, 0, OnPenColor},            // 15
    {Match::kStartsWith, "lt", Count::kAny, 0, OnLineType},            // 16
    {Match::kStartsWith, "lw", Count::kAny, 0, OnLineWidth},           // 17
    {Match::kStartsWith, "cn$", Count::kAny, 0, OnFontName},           // 18
    {Match::kStartsWith, "cn", Count::kAny, 0, OnTextType},            // 19
    {Match::kStartsWith, "cc", Count::kAny, 0, OnTextCC},              // 20
    {Match::kEquals, "z1", Count::kAny, 0, OnZ1},                      // 21
    {Match::kEquals, "z2", Count::kAny, 0, OnZ2},                      // 22
    {Match::kEquals, "z3", Count::kAny, 0, OnZ3},                      // 23
    {Match::kEquals, "z4", Count::kAny, 0, OnZ4},                      // 24
    {Match::kEquals, "z5", Count::kAny, 0, OnZ5},                      // 25
    {Match::kStartsWith, "pn", Count::kAny, 0, OnPointColor},          // 26
    {Match::kEquals, "pl", Count::kAny, 0, OnPolyline},                // 27
    {Match::kEquals, "msg", Count::kAny, 0, OnDimensionFigure},        // 28
    {Match::kEquals, "#", Count::kAny, 0, OnEndOfMode},                // 29
    {Match::kStartsWith, "hp", Count::kAtLeast, 3, OnPickedPoint},     // 30
    {Match::kStartsWith, "hhp", Count::kAny, 0, OnEntityTag},          // 31
    {Match::kEquals, "ci", Count::kExactly, 4, OnCircle},              // 32
    {Match::kEquals, "ci", Count::kAtLeast, 8, OnArc},                 // 33
    {Match::kTextKeyword, "", Count::kAtLeast, 6, OnText},             // 34
    {Match::kEquals, "pt", Count::kExactly, 3, OnPoint},               // 35
    {Match::kEquals, "pt", Count::kAtLeast, 6, OnCodedPoint},          // 36
    {Match::kEquals, "BL", Count::kAtLeast, 4, OnBlock},               // 37
    {Match::kEquals, "sl", Count::kExactly, 5, OnSolid2},              // 38
    {Match::kEquals, "sl", Count::kExactly, 7, OnSolid3},              // 39
    {Match::kEquals, "sl", Count::kAtLeast, 9, OnSolid4},              // 40
    {Match::kEquals, "sc", Count::kAtLeast, 9, OnSc},                  // 41
    {Match::kEquals, "se", Count::kAtLeast, 9, OnSe},                  // 42
    {Match::kEquals, "so", Count::kAtLeast, 9, OnSo},                  // 43
    {Match::kEquals, "sg", Count::kAtLeast, 9, OnSg},                  // 44
    {Match::kAnything, "", Count::kExactly, 4, OnStraightLine},        // 45
    // 46: any other line is ignored.
};
constexpr int kRowCount = static_cast<int>(std::size(kRows));

// Whether `token` holds the byte `c`. A token of 8 to 16 bytes, as most
// numbers are, is tested as two words of eight bytes that lie within it.
bool HasByte(std::string_view token, char c) {
  const std::size_t n = token.size();
  if (n < 8 || n > 16) return token.find(c) != std::string_view::npos;
  constexpr std::uint64_t kEachByte = 0x0101010101010101, kHighBits = kEachByte * 0x80;
  std::uint64_t first, last;
  std::memcpy(&first, token.data(), 8);
  std::memcpy(&last, token.data() + n - 8, 8);
  const auto zeroBytes = [](std::uint64_t x) {
    return ~(((x & ~kHighBits) + ~kHighBits) | x) & kHighBits;
  };
  const std::uint64_t pattern = kEachByte * static_cast<unsigned char>(c);
  return (zeroBytes(first ^ pattern) | zeroBytes(last ^ pattern)) != 0;
}

// Whether `keyword` occurs in `token`; first whether its last byte does ("="
// for "file=", which a token of numbers never holds).
bool Contains(std::string_view token, std::string_view keyword) {
  return HasByte(token, keyword.back()) && token.find(keyword) != std::string_view::npos;
}

bool FormMatches(const KeywordRow& row, std::string_view token) {
  switch (row.match) {
    case Match::kContains:
      return Contains(token, row.keyword);
    case Match::kEquals:
      return token == row.keyword;
    case Match::kStartsWith:
      return StartsWith(token, row.keyword);
    case Match::kTextKeyword:
      return IsTextKeyword(token);
    case Match::kAnything:
      return true;
  }
  return false;
}

bool CountMatches(const KeywordRow& row, int count) {
  switch (row.count) {
    case Count::kAny:
      return true;
    case Count::kAtLeast:
      return count >= row.tokens;
    case Count::kExactly:
      return count == row.tokens;
  }
  return false;
}

// The rows a token starting with a given byte can match, in table order.
// Most lines are straight lines starting with a digit or a blank-separated
// sign, and this lets them skip the forty keyword rows they cannot match.
struct RowList {
  int count = 0;
  unsigned char rows[kRowCount] = {};
};

constexpr bool RowPossible(const KeywordRow& row, int firstByte) {
  switch (row.match) {
    case Match::kContains:
    case Match::kAnything:
      return true;
    case Match::kEquals:
    case Match::kStartsWith:
      return static_cast<unsigned char>(row.keyword[0]) == firstByte;
    case Match::kTextKeyword:
      return firstByte == 'c';
  }
  return false;
}

constexpr std::array<RowList, 256> MakeRowIndex() {
  std::array<RowList, 256> index{};
  for (int b = 0; b < 256; ++b) {
    for (int r = 0; r < kRowCount; ++r) {
      if (RowPossible(kRows[r], b)) index[b].rows[index[b].count++] = static_cast<unsigned char>(r);
    }
  }
  return index;
}
constexpr std::array<RowList, 256> kRowsByFirstByte = MakeRowIndex();

}  // namespace

void InterpretExchangeTokens(const LineTokens& t) {
  const std::string_view token0 = t.Tokens[0];
  if (t.Count == 1 && token0.empty()) return;  // an empty or all-blank line
  const unsigned char first = token0.empty() ? 0 : static_cast<unsigned char>(token0[0]);
  const RowList& rows = kRowsByFirstByte[first];
  for (int i = 0; i < rows.count; ++i) {
    const KeywordRow& row = kRows[rows.rows[i]];
    if (FormMatches(row, token0) && CountMatches(row, t.Count)) {
      row.handle(t);
      return;
    }
  }
}

// ---- 4. Cutting bytes into lines --------------------------------------------------

namespace {

// The file is read in pieces of this size: a drawing of any size costs one
// piece of memory besides the model, never a copy of the whole file.
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

// Takes the file's bytes in pieces of any size and hands each complete line
// to the interpreter. The pieces are the cutter's to change: a line complete
// within one is split in place there, without a copy; a line across pieces is
// gathered first.
class LineCutter {
 public:
  // False once a 0x1A byte ended the file: later bytes are not read.
  // `bytesAfter`, when known, is how many bytes of the file follow the piece.
  bool Feed(char* piece, std::size_t size, std::size_t bytesAfter = 0) {
    if (ended_) return false;
    if (const void* eof = std::memchr(piece, 0x1A, size)) {
      size = static_cast<std::size_t>(static_cast<const char*>(eof) - piece);
      ended_ = true;
    }
    std::size_t pos = 0;
    while (pos < size) {
      const void* lf = std::memchr(piece + pos, '\n', size - pos);
      if (!lf) {
        // A line already longer than a piece can be no longer than what the
        // file has left: its buffer is sized once for that instead of doubling
        // through copies of it. Pages never written cost no memory.
        if (!carry_.empty() && bytesAfter > 0) {
          carry_.reserve(carry_.size() + (size - pos) + bytesAfter);
        }
        carry_.append(piece + pos, size - pos);
        break;
      }
      const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(lf) - piece);
      if (carry_.empty()) {
        Line(piece + pos, end - pos);
      } else {
        carry_.append(piece + pos, end - pos);
        Line(carry_.data(), carry_.size());
        ReleaseCarry();
      }
      pos = end + 1;
    }
    if (ended_) Finish();
    return !ended_;
  }

  // The last line, when the file does not end in a line feed.
  void Finish() {
    if (!carry_.empty()) Line(carry_.data(), carry_.size());
    ReleaseCarry();
  }

 private:
  void Line(char* line, std::size_t size) {
    if (size > 0 && line[size - 1] == '\r') --size;
    if (!SplitSimpleLine(line, size, tokens_)) {
      // A CR inside a line is dropped before the line is split, so it never
      // becomes the second byte of a double-byte character.
      if (std::memchr(line, '\r', size)) {
        size = static_cast<std::size_t>(std::remove(line, line + size, '\r') - line);
      }
      SplitExchangeLineInPlace(line, size, tokens_);
    }
    InterpretExchangeTokens(tokens_);
  }

  void ReleaseCarry() {
    carry_.clear();
    // A buffer grown by one long line is given back after it.
    if (carry_.capacity() > kPieceBytes) std::string().swap(carry_);
  }

  std::string carry_;  // a line begun in an earlier piece
  LineTokens tokens_;
  bool ended_ = false;
};

}  // namespace

void ParseExchangeBytes(std::string_view bytes) {
  std::vector<char> piece;
  LineCutter cutter;
  for (std::size_t pos = 0; pos < bytes.size(); pos += kPieceBytes) {
    const std::string_view part = bytes.substr(pos, kPieceBytes);
    piece.assign(part.begin(), part.end());
    if (!cutter.Feed(piece.data(), piece.size(), bytes.size() - pos - part.size())) return;
  }
  cutter.Finish();
}

bool ReadExchangeFile(const std::filesystem::path& path, FileFailure* failure) {
  FileFailure ignored;
  FileFailure& why = failure != nullptr ? *failure : ignored;
  why = FileFailure::None;
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status)) {
    why = FileFailure::Missing;
    return false;
  }
  if (!std::filesystem::is_regular_file(status)) {
    why = FileFailure::NotAFile;
    return false;
  }
  errno = 0;
  std::ifstream file(path, std::ios::binary);
  if (!file.is_open()) {
    why = FailureOf(std::error_code(errno, std::generic_category()), FileFailure::ReadError);
    return false;
  }

  const std::uintmax_t fileBytes = std::filesystem::file_size(path, error);
  // A typical file is a header and one picked point: zero-filling a whole
  // piece for it would cost more than reading it.
  const std::size_t pieceBytes =
      error ? kPieceBytes
            : static_cast<std::size_t>(std::min<std::uintmax_t>(kPieceBytes, fileBytes + 1));
  std::vector<char> piece(pieceBytes);
  BlockSupplier supplier;
  LineCutter cutter;
  std::uintmax_t readBytes = 0;
  for (;;) {
    file.read(piece.data(), static_cast<std::streamsize>(piece.size()));
    std::size_t got = static_cast<std::size_t>(file.gcount());
    if (file.bad()) {
      // A read error stops at the last complete line read; the line it cut
      // off is not read.
      char* end = piece.data() + got;
      char* lastLf =
          std::find(std::make_reverse_iterator(end), std::make_reverse_iterator(piece.data()), '\n')
              .base();
      got = static_cast<std::size_t>(lastLf - piece.data());
      if (got > 0) cutter.Feed(piece.data(), got, 0);
      why = FileFailure::ReadError;
      return false;
    }
    readBytes += got;
    const std::size_t bytesAfter =
        !error && fileBytes > readBytes ? static_cast<std::size_t>(fileBytes - readBytes) : 0;
    if (got > 0 && !cutter.Feed(piece.data(), got, bytesAfter)) return true;
    if (got < piece.size()) break;
  }
  cutter.Finish();
  return true;
}
