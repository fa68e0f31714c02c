#pragma once
// The tool's picture of what Jw_cad wrote into JWC_TEMP.TXT, and the output
// commands collected for it. The whole of it is one process-wide object,
// gDataModel; ResetDataModel() puts it back to its start values, which is
// also how tests begin from a clean state.
//
// Sections: records of the entity tables; attribute state and fresh flags;
// the model itself; the lifecycle operations.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/table.h"

// ---- Entity records ------------------------------------------------------

// A text stored in DataModel::TextPool: `Length` bytes from `Offset`.
struct TextRef {
  std::uint32_t Offset = 0;
  std::uint32_t Length = 0;
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

struct EntityHeader {
  int EntityTag = 0;
  int LayerGroup = kStartAttributes.LayerGroup;
  int Layer = kStartAttributes.Layer;
  int PenColor = kStartAttributes.PenColor;
  int LineType = kStartAttributes.LineType;
  int LineWidth = kStartAttributes.LineWidth;
  int ZFlags = 0;
};

struct LineRecord {
  EntityHeader Header;
  int PolylineNo = 0;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

struct CircleRecord {
  EntityHeader Header;
  double X = 0, Y = 0, R = 0;
};

struct ArcRecord {
  EntityHeader Header;
  double Values[7] = {};
};

// The keywords of Jw_cad's text lines, in the order of their kind numbers.
inline constexpr std::string_view kTextKeywords[] = {"ch", "cv", "cs", "cr", "co",
                                                     "cp", "ct", "ck", "cz", "c2"};

struct TextRecord {
  EntityHeader Header;
  int Kind = 0;  // index into kTextKeywords
  int TextCC = 0;
  int TextType = 0;
  double Width = 0, Height = 0, Spacing = 0;
  double X = 0, Y = 0, DX = 0, DY = 0;
  TextRef FontName;  // at most 255 bytes, cut on a character boundary
  TextRef Text;      // likewise
};

struct PointRecord {
  EntityHeader Header;
  double X = 0, Y = 0;
};

struct CodedPointRecord {
  EntityHeader Header;
  double X = 0, Y = 0, Scale = 0, Angle = 0;
  int Code = 0;
};

struct DimensionRecord {
  LineRecord Line;
  TextRecord Text;
};

struct BlockRecord {
  EntityHeader Header;
  double X = 0, Y = 0;
  TextRef Name;
};

struct Solid2Record {
  EntityHeader Header;
  int SolidColor = 0;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

struct Solid3Record {
  EntityHeader Header;
  int SolidColor = 0;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, X3 = 0, Y3 = 0;
};

struct Solid4Record {
  EntityHeader Header;
  int SolidColor = 0;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, X3 = 0, Y3 = 0, X4 = 0, Y4 = 0;
};

// "sc" and "se": seven reals and one integer.
struct SolidCodeRecord {
  EntityHeader Header;
  int SolidColor = 0;
  double Values[7] = {};
  int Code = 0;
};

// "so" and "sg": eight reals.
struct SolidEightRecord {
  EntityHeader Header;
  int SolidColor = 0;
  double Values[8] = {};
};

enum EntityKind : int {
  kLineEntity = 1,
  kCircleEntity = 2,
  kArcEntity = 3,
  kTextEntity = 4,
  kPointEntity = 5,
  kCodedPointEntity = 6,
  kDimensionEntity = 7,
  kBlockEntity = 8,
  kSolid2Entity = 9,
  kSolid3Entity = 10,
  kSolid4Entity = 11,
  kScEntity = 12,
  kSeEntity = 13,
  kSoEntity = 14,
  kSgEntity = 15,
};

struct EntityOrderEntry {
  int Kind = 0;
  int Index = 0;
};

// ---- Attribute state -----------------------------------------------------

struct TextTypeRecord {
  double Width = 3, Height = 3, Spacing = 0;
  int Color = 2;
};

struct PickedPoint {
  bool IsSet = false;
  double X = 0, Y = 0;
  int Kind = 0;  // 0 plain, 1 "-", 2 "ln", 3 "ci", 4 "ch"
};

// "<ＭＳ ゴシック>" in Shift-JIS: the font the writer assumes Jw_cad starts with.
inline constexpr std::string_view kDefaultFontName =
    "<\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e>";

// While reading: the attributes of the entity lines that follow.
// While writing: the attributes last written, so repeats can be left out.
// The values below are the start values of both.
struct AttributeState {
  int LayerGroup = kStartAttributes.LayerGroup;
  int Layer = kStartAttributes.Layer;
  int PenColor = kStartAttributes.PenColor;
  int LineType = kStartAttributes.LineType;
  int LineWidth = kStartAttributes.LineWidth;
  int TextType = kStartAttributes.TextType;
  double TextWidth = kStartAttributes.TextWidth;
  double TextHeight = kStartAttributes.TextHeight;
  double TextSpacing = kStartAttributes.TextSpacing;
  int TextColor = kStartAttributes.TextColor;
  int TextCC = 0;
  std::string FontName{kDefaultFontName};
  int PointColor = 1;
  int SolidColor = 0;
  // Reading state only: ResetOutputState leaves these as the file left them.
  int EntityTag = 0;
  int ZFlags = 0;
  int PolylineCount = 0;
  bool InPolyline = false;
  bool InDimension = false;
};

// Reading: set until the first line of its kind. Writing: set until the
// attribute's command was first written.
struct FreshFlagSet {
  bool LayerGroup = false;
  bool Layer = false;
  bool PenColor = false;
  bool LineType = false;
  bool LineWidth = false;
  bool TextType = false;
  bool TextCC = false;
  bool FontName = false;
  bool PointColor = false;
};

// ---- The model -------------------------------------------------------------

struct DataModel {
  // Drawing settings.
  double AxisAngle = 0;
  std::string DrawingFileName;
  double LayerGroupScale[16] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  double SheetWidth = 1189, SheetHeight = 841;
  TextTypeRecord TextTypeTable[11];  // index 1..10; 0 unused
  bool BzFlag = false;
  double HnValues[5] = {};  // index 1..4

  // Current attributes: the first value of each kind in the file.
  int CurLayerGroup = kStartAttributes.LayerGroup;
  int CurLayer = kStartAttributes.Layer;
  int CurPenColor = kStartAttributes.PenColor;
  int CurLineType = kStartAttributes.LineType;
  int CurLineWidth = kStartAttributes.LineWidth;
  int CurTextType = kStartAttributes.TextType;
  double CurFreeTextWidth = kStartAttributes.TextWidth;
  double CurFreeTextHeight = kStartAttributes.TextHeight;
  double CurFreeTextSpacing = kStartAttributes.TextSpacing;
  int CurFreeTextColor = kStartAttributes.TextColor;
  std::string CurFontName;

  // Layer tables.
  std::vector<int> LayerGroupState;          // 16
  std::vector<std::string> LayerGroupName;   // 16
  std::vector<int> LayerState;               // 256, group * 16 + layer
  std::vector<std::string> LayerName;        // 256

  // Picked points 1..99; entry 0 is never set.
  std::vector<PickedPoint> PickedPoints;  // 100
  int PickedPointCount = 0;

  AttributeState AttrState;
  FreshFlagSet FreshFlags;

  // Entity tables, in the order of EntityKind.
  Table<LineRecord> LineTable;
  Table<CircleRecord> CircleTable;
  Table<ArcRecord> ArcTable;
  Table<TextRecord> TextTable;
  Table<PointRecord> PointTable;
  Table<CodedPointRecord> CodedPointTable;
  Table<DimensionRecord> DimensionTable;
  Table<BlockRecord> BlockTable;
  Table<Solid2Record> Solid2Table;
  Table<Solid3Record> Solid3Table;
  Table<Solid4Record> Solid4Table;
  Table<SolidCodeRecord> ScTable;
  Table<SolidCodeRecord> SeTable;
  Table<SolidEightRecord> SoTable;
  Table<SolidEightRecord> SgTable;
  Table<EntityOrderEntry> EntityOrder;

  // The line read in dimension mode, waiting for its "cs" text.
  LineRecord PendingDimensionLine;

  // Bytes of every stored text of the entity records (TextRef points here).
  std::vector<char> TextPool;

  // The output-command list: entries of at most 255 bytes, written in order.
  std::vector<std::string> OutputLines;

  std::string_view TextOf(TextRef ref) const {
    return std::string_view(TextPool.data() + ref.Offset, ref.Length);
  }
  // Stores `text` in the pool and returns its reference.
  TextRef StoreText(std::string_view text);
  // Records in the table of `kind` (an EntityKind); 0 for any other number.
  std::size_t TableSize(int kind) const;
};

// The one process-wide instance.
extern DataModel gDataModel;

// ---- Lifecycle -------------------------------------------------------------

// Every value to its start value, all tables and the output list emptied, the
// six reading fresh flags set.
void ResetDataModel();

// Turns the attribute state into the writer's memory of what was last written:
// its start values, with all nine fresh flags set.
void ResetOutputState();

// A new record header from the attribute state.
EntityHeader FillEntityHeader();

void AddEntityOrder(int kind, int index);

// Releases the tables, the picked points and the output list.
void FreeDataModel();
