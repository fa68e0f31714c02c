#pragma once
// The tool's picture of what Jw_cad wrote into JWC_TEMP.TXT, and the output
// commands collected for it. The whole of it is one process-wide object,
// gDataModel; ResetDataModel() puts it back to its start values, which is
// also how tests begin from a clean state.
//
// Sections: attribute state and fresh flags; the model itself; the lifecycle
// operations. The records of the entity tables are in host/entity_records.h.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/entity_order.h"
#include "host/entity_records.h"
#include "host/packed_table.h"

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

// Of all this the dimension tool reads the axis angle, the layer-group scales,
// the text types, the current attributes, the attribute state and picked
// point 1. The reader keeps the rest too, the entity tables, the layer tables
// and names, the sheet size, the "bz" and "hn" values and the file name,
// because it reads the whole vocabulary of the exchange file, every kind of
// line Jw_cad writes for an external transformation, and settles what each
// line means in one place that the tests check line by line. The entity
// tables, the one part that grows with the drawing, keep their records
// packed (host/packed_table.h): a fraction of the file's size, and no number
// converted until a record is read.
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
  std::vector<int> LayerGroupState;         // 16
  std::vector<std::string> LayerGroupName;  // 16
  std::vector<int> LayerState;              // 256, group * 16 + layer
  std::vector<std::string> LayerName;       // 256

  // Picked points 1..99; entry 0 is never set.
  std::vector<PickedPoint> PickedPoints;  // 100
  int PickedPointCount = 0;

  AttributeState AttrState;
  FreshFlagSet FreshFlags;

  // Entity tables, in the order of EntityKind.
  PackedTable<LineRecord> LineTable;
  PackedTable<CircleRecord> CircleTable;
  PackedTable<ArcRecord> ArcTable;
  PackedTable<TextRecord> TextTable;
  PackedTable<PointRecord> PointTable;
  PackedTable<CodedPointRecord> CodedPointTable;
  PackedTable<DimensionRecord> DimensionTable;
  PackedTable<BlockRecord> BlockTable;
  PackedTable<Solid2Record> Solid2Table;
  PackedTable<Solid3Record> Solid3Table;
  PackedTable<Solid4Record> Solid4Table;
  PackedTable<SolidCodeRecord> ScTable;
  PackedTable<SolidCodeRecord> SeTable;
  PackedTable<SolidEightRecord> SoTable;
  PackedTable<SolidEightRecord> SgTable;
  EntityOrderList EntityOrder;

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

// Appends the record `index` (zero-based) of the table of `kind` to EntityOrder.
void AddEntityOrder(EntityKind kind, int index);

// Releases the tables, the picked points and the output list.
void FreeDataModel();
