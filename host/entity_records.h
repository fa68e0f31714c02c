#pragma once
// The records of the entity tables, one type per kind of entity line of
// JWC_TEMP.TXT, and how a PackedTable keeps each (host/packed_table.h): the
// fields a run of records shares, the fields of each record alone, and the
// numbers read from the line's tokens.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/packed_table.h"

// A text stored in DataModel::TextPool: `Length` bytes from `Offset`.
struct TextRef {
  std::uint32_t Offset = 0;
  std::uint32_t Length = 0;
  bool operator==(const TextRef&) const = default;
};

// Jw_cad's attributes before the exchange file names any. The current
// attributes, the attribute state and a record header all start from them.
struct StartAttributeValues {
  int LayerGroup = 0;
  int Layer = 0;
  int PenColor = 1;
  int LineType = 1;
  int LineWidth = 0;
  int TextType = 1;
  double TextWidth = 2, TextHeight = 2, TextSpacing = 0;
  int TextColor = 1;
};
inline constexpr StartAttributeValues kStartAttributes;

// The modifier lines "z1" to "z5" that may stand before an entity line, as
// the bits of EntityHeader::ZFlags, in this order. The writer puts "z3" before
// every piece of a dimension it draws; Jw_cad marks a dimension's pieces so.
inline constexpr int kZFlagBits[] = {1, 2, 4, 8, 16};
inline constexpr int kDimensionPieceZFlag = kZFlagBits[2];

struct EntityHeader {
  int EntityTag = 0;
  int LayerGroup = kStartAttributes.LayerGroup;
  int Layer = kStartAttributes.Layer;
  int PenColor = kStartAttributes.PenColor;
  int LineType = kStartAttributes.LineType;
  int LineWidth = kStartAttributes.LineWidth;
  int ZFlags = 0;
  bool operator==(const EntityHeader&) const = default;
};

struct LineRecord {
  EntityHeader Header;
  int PolylineNo = 0;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  bool operator==(const LineRecord&) const = default;
};

struct CircleRecord {
  EntityHeader Header;
  double X = 0, Y = 0, R = 0;
  bool operator==(const CircleRecord&) const = default;
};

struct ArcRecord {
  EntityHeader Header;
  double Values[7] = {};
  bool operator==(const ArcRecord&) const = default;
};

// The keywords of Jw_cad's text lines, in the order of their kind numbers.
inline constexpr std::string_view kTextKeywords[] = {"ch", "cv", "cs", "cr", "co",
                                                     "cp", "ct", "ck", "cz", "c2"};
// The kind of text a dimension's value is written as, "cs": the text that
// closes a dimension figure.
inline constexpr int kDimensionValueTextKind = 2;
static_assert(kTextKeywords[kDimensionValueTextKind] == "cs");

struct TextRecord {
  EntityHeader Header;
  int Kind = 0;  // index into kTextKeywords
  int TextCC = 0;
  int TextType = 0;
  double Width = 0, Height = 0, Spacing = 0;
  double X = 0, Y = 0, DX = 0, DY = 0;
  TextRef FontName;  // at most 255 bytes, cut on a character boundary
  TextRef Text;      // likewise
  bool operator==(const TextRecord&) const = default;
};

struct PointRecord {
  EntityHeader Header;
  double X = 0, Y = 0;
  bool operator==(const PointRecord&) const = default;
};

struct CodedPointRecord {
  EntityHeader Header;
  double X = 0, Y = 0, Scale = 0, Angle = 0;
  int Code = 0;
  bool operator==(const CodedPointRecord&) const = default;
};

struct DimensionRecord {
  LineRecord Line;
  TextRecord Text;
  bool operator==(const DimensionRecord&) const = default;
};

struct BlockRecord {
  EntityHeader Header;
  double X = 0, Y = 0;
  TextRef Name;
  bool operator==(const BlockRecord&) const = default;
};

struct Solid2Record {
  EntityHeader Header;
  int SolidColor = 0;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  bool operator==(const Solid2Record&) const = default;
};

struct Solid3Record {
  EntityHeader Header;
  int SolidColor = 0;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, X3 = 0, Y3 = 0;
  bool operator==(const Solid3Record&) const = default;
};

struct Solid4Record {
  EntityHeader Header;
  int SolidColor = 0;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, X3 = 0, Y3 = 0, X4 = 0, Y4 = 0;
  bool operator==(const Solid4Record&) const = default;
};

// "sc" and "se": seven reals and one integer.
struct SolidCodeRecord {
  EntityHeader Header;
  int SolidColor = 0;
  double Values[7] = {};
  int Code = 0;
  bool operator==(const SolidCodeRecord&) const = default;
};

// "so" and "sg": eight reals.
struct SolidEightRecord {
  EntityHeader Header;
  int SolidColor = 0;
  double Values[8] = {};
  bool operator==(const SolidEightRecord&) const = default;
};

// The kinds of entity record, numbered as EntityOrder keeps them.
enum class EntityKind : int {
  Line = 1,
  Circle = 2,
  Arc = 3,
  Text = 4,
  Point = 5,
  CodedPoint = 6,
  Dimension = 7,
  Block = 8,
  Solid2 = 9,
  Solid3 = 10,
  Solid4 = 11,
  Sc = 12,
  Se = 13,
  So = 14,
  Sg = 15,
};

struct EntityOrderEntry {
  EntityKind Kind = EntityKind::Line;
  int Index = 0;
  bool operator==(const EntityOrderEntry&) const = default;
};

// ---- How a PackedTable keeps each record --------------------------------------
// The header, and whatever else changes only with the attribute lines, is
// shared; a text's own bytes are the record's alone; every real read from the
// line is a number.

template <>
struct RecordFields<LineRecord> {
  static constexpr FieldRun kRuns[] = {
      SharedFields(0, offsetof(LineRecord, X1)),  // header and polyline number
      NumberFields(offsetof(LineRecord, X1), 4),
  };
};

template <>
struct RecordFields<CircleRecord> {
  static constexpr FieldRun kRuns[] = {
      SharedFields(0, sizeof(EntityHeader)),
      NumberFields(offsetof(CircleRecord, X), 3),
  };
};

template <>
struct RecordFields<ArcRecord> {
  static constexpr FieldRun kRuns[] = {
      SharedFields(0, sizeof(EntityHeader)),
      NumberFields(offsetof(ArcRecord, Values), 7),
  };
};

template <>
struct RecordFields<TextRecord> {
  static constexpr FieldRun kRuns[] = {
      SharedFields(0, offsetof(TextRecord, X)),  // header, kind, type and sizes
      NumberFields(offsetof(TextRecord, X), 4),
      SharedFields(offsetof(TextRecord, FontName), sizeof(TextRef)),
      OwnFields(offsetof(TextRecord, Text), sizeof(TextRef)),
  };
};

template <>
struct RecordFields<PointRecord> {
  static constexpr FieldRun kRuns[] = {
      SharedFields(0, sizeof(EntityHeader)),
      NumberFields(offsetof(PointRecord, X), 2),
  };
};

template <>
struct RecordFields<CodedPointRecord> {
  static constexpr FieldRun kRuns[] = {
      SharedFields(0, sizeof(EntityHeader)),
      NumberFields(offsetof(CodedPointRecord, X), 4),
      SharedFields(offsetof(CodedPointRecord, Code), sizeof(int)),
  };
};

// The figure's line was read in full before its text: it is shared with the
// text's header (a record of its own nearly always).
template <>
struct RecordFields<DimensionRecord> {
  static constexpr std::size_t kText = offsetof(DimensionRecord, Text);
  static constexpr FieldRun kRuns[] = {
      SharedFields(0, kText + offsetof(TextRecord, X)),
      NumberFields(kText + offsetof(TextRecord, X), 4),
      SharedFields(kText + offsetof(TextRecord, FontName), sizeof(TextRef)),
      OwnFields(kText + offsetof(TextRecord, Text), sizeof(TextRef)),
  };
};

template <>
struct RecordFields<BlockRecord> {
  static constexpr FieldRun kRuns[] = {
      SharedFields(0, sizeof(EntityHeader)),
      NumberFields(offsetof(BlockRecord, X), 2),
      OwnFields(offsetof(BlockRecord, Name), sizeof(TextRef)),
  };
};

template <>
struct RecordFields<Solid2Record> {
  static constexpr FieldRun kRuns[] = {
      SharedFields(0, offsetof(Solid2Record, X1)),  // header and solid colour
      NumberFields(offsetof(Solid2Record, X1), 4),
  };
};

template <>
struct RecordFields<Solid3Record> {
  static constexpr FieldRun kRuns[] = {
      SharedFields(0, offsetof(Solid3Record, X1)),
      NumberFields(offsetof(Solid3Record, X1), 6),
  };
};

template <>
struct RecordFields<Solid4Record> {
  static constexpr FieldRun kRuns[] = {
      SharedFields(0, offsetof(Solid4Record, X1)),
      NumberFields(offsetof(Solid4Record, X1), 8),
  };
};

template <>
struct RecordFields<SolidCodeRecord> {
  static constexpr FieldRun kRuns[] = {
      SharedFields(0, offsetof(SolidCodeRecord, Values)),
      NumberFields(offsetof(SolidCodeRecord, Values), 7),
      SharedFields(offsetof(SolidCodeRecord, Code), sizeof(int)),
  };
};

template <>
struct RecordFields<SolidEightRecord> {
  static constexpr FieldRun kRuns[] = {
      SharedFields(0, offsetof(SolidEightRecord, Values)),
      NumberFields(offsetof(SolidEightRecord, Values), 8),
  };
};
