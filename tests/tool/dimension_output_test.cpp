// Tests of the added dimension's output commands. Sections: the drawing
// set-up and line helpers; whole runs compared line by line (worked example,
// reversed markers, dimension figure); extension lines; value text angle and
// place; end markers and their fit; text types and their restore.

#include "tool/dimension_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "host/data_model.h"
#include "host/output_writer.h"
#include "tests/support/cp932.h"
#include "tests/support/examples.h"
#include "tool/dialog_value_rows.h"

namespace {

// "ＭＳ 明朝" in Shift-JIS (checked against iconv below).
constexpr const char* kMinchoFont = "\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9";

// A drawing as Jw_cad would hand it over, with attributes that differ from
// the writer's start values so a wrong field shows.
void StartDrawing() {
  ResetDataModel();
  gDataModel.CurLayerGroup = 10;
  gDataModel.CurLayer = 11;
  gDataModel.CurPenColor = 3;
  gDataModel.CurLineType = 2;
  gDataModel.CurLineWidth = 5;
  gDataModel.CurFontName = kMinchoFont;
  ResetOutputState();
}

const std::vector<std::string> kAttributeLines = {
    "lgA", "lyB", "lc3", "pn3", "lt2", "lw5", std::string("cn\"$") + kMinchoFont};

// The scene of the added dimension: axis angle 0, layer scale 100, measure
// points (0, 0) and (endX, 0), dimension line through (0, -500), added after
// the reference, which was drawn at the same axis angle.
DimensionDrawing Scene(double endX = 1000) {
  DimensionDrawing d;
  d.LayerScale = 100;
  d.Geometry.AddedSide = 1;
  d.Geometry.MeasureStart = {0, 0};
  d.Geometry.MeasureEnd = {endX, 0};
  d.Geometry.LinePoint = {0, -500};
  d.Geometry.LineStart = {0, -500};
  d.Geometry.LineEnd = {endX, -500};
  d.Geometry.MeasuredLength = endX;
  return d;
}

// The file lines FormatOutputLines() gives, each ended by CR LF.
std::vector<std::string> OutputFileLines() {
  const std::string text = FormatOutputLines();
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find("\r\n", pos);
    EXPECT_NE(end, std::string::npos) << "last line without CR LF";
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

// The dimension OK computes for the drawing and the values, its text type
// resolved from the data model as it stands.
DimensionFigure Figure(DimensionDrawing d, const DialogValues& v) {
  d.ValueTextStyle = ResolveValueTextType(v.TextTypeChoice, gDataModel);
  return ComputeDimensionFigure(d, v);
}

// What OK writes for it, from a fresh drawing (StartDrawing) unless the test
// set the drawing up itself.
std::vector<std::string> EmittedAsSetUp(const DimensionDrawing& d, const DialogValues& v) {
  EmitDimensionFigure(Figure(d, v));
  return OutputFileLines();
}

std::vector<std::string> Emitted(const DimensionDrawing& d, const DialogValues& v) {
  StartDrawing();
  return EmittedAsSetUp(d, v);
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  for (const auto& l : lines) {
    if (l == line) return true;
  }
  return false;
}

int Count(const std::vector<std::string>& lines, const std::string& line) {
  int n = 0;
  for (const auto& l : lines) n += l == line;
  return n;
}

std::vector<double> Numbers(const std::string& line) {
  std::istringstream in(line);
  std::vector<double> v;
  for (double x; in >> x;) v.push_back(x);
  return v;
}

void ExpectLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "line " << i + 1);
    EXPECT_EQ(actual[i], expected[i]);
  }
}

// The worked example's lines after its seven attribute lines, as
// examples/expected/JWC_TEMP.TXT holds them. Its stroke coordinates were
// derived outside this program: python3 replaying the described arithmetic
// (angles deg / 180 * pi, tip + r * cos, r = 3 * 100), whose cosines and
// sines of these angles are the correctly rounded ones the program computes
// itself (util/trigonometry.h), then printed with "%.15g". By hand, 300 cos
// 15 deg = 289.77774788672049 and 300 sin 15 deg = 77.645713530756, which
// fixes every digit but the last; the last one follows the exact double
// (1000 - 289.7777478867205 sits at a 15th-digit half).
TEST(dimension_output, worked_example_writes_the_expected_lines) {
  EXPECT_EQ(ToCp932("ＭＳ 明朝"), kMinchoFont);
  const std::vector<std::string> expected = ExampleCommandsAfterAttributes("expected/JWC_TEMP.TXT");
  ASSERT_EQ(expected.size(), 17u);
  ExpectLines(Emitted(Scene(), DefaultDialogValues()), Concat(kAttributeLines, expected));
}

TEST(dimension_output, short_dimension_reverses_the_markers_with_overshoot) {
  // 2 x 300 cos 15 deg = 579.6 > 400: markers outside, dimension line carried
  // 2 x 100 beyond each end.
  ExpectLines(
      Emitted(Scene(400), DefaultDialogValues()),
      Concat(kAttributeLines, ExampleCommandsAfterAttributes("expected/reversed/JWC_TEMP.TXT")));
}

TEST(dimension_output, dimension_figure_replaces_line_and_text) {
  DialogValues v = DefaultDialogValues();
  v.MakeDimensionFigure = true;
  ExpectLines(Emitted(Scene(), v),
              Concat(kAttributeLines, {
                                          "z3",
                                          "1000 -200 1000 -700",
                                          "cn1",
                                          "msg",
                                          "0 -500 1000 -500",
                                          "cs 200 -450 10 0 \"1000",
                                          "z3",
                                          "0 -500 289.77774788672 -422.354286469244",
                                          "z3",
                                          "0 -500 289.77774788672 -577.645713530756",
                                          "z3",
                                          "z3",
                                          "1000 -500 710.222252113279 -577.645713530756",
                                          "z3",
                                          "1000 -500 710.22225211328 -422.354286469244",
                                      }));
}

TEST(dimension_output, shared_end_has_no_extension_line_only_at_equal_axis_angles) {
  const std::string atStart = "0 -200 0 -700";
  const std::string atEnd = "1000 -200 1000 -700";
  struct {
    int side;
    double referenceAxisAngle;
    bool startLine, endLine;
  } cases[] = {
      {1, 0, false, true},      {1, 360, false, true},
      {1, -1e-11, false, true},  // a difference of 1e-11 counts as equal
      {1, 1e-12, true, true},    // -1e-12 folds to just under 360: not equal
      {1, 5, true, true},       {0, 0, true, false},
      {0, -360, true, false},   {0, 1e-12, true, true},
      {0, 5, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "side " << c.side << ", " << c.referenceAxisAngle);
    DimensionDrawing d = Scene();
    d.Geometry.AddedSide = c.side;
    d.ReferenceAxisAngle = c.referenceAxisAngle;
    const auto lines = Emitted(d, DefaultDialogValues());
    EXPECT_EQ(Contains(lines, atStart), c.startLine);
    EXPECT_EQ(Contains(lines, atEnd), c.endLine);
  }
}

TEST(dimension_output, extension_line_runs_from_the_gap_past_the_dimension_line) {
  struct {
    const char* name;
    Point m, linePoint;
    double axisAngle;
    double x1, y1, x2, y2;
  } cases[] = {
      {"line below", {0, 0}, {0, -10}, 0, 0, -2, 0, -13},
      {"line above", {5, 1}, {0, 11}, 0, 5, 3, 5, 14},
      {"line through the point: from it, on the + side", {0, 0}, {50, 0}, 0, 0, 0, 0, 3},
      {"line nearer than the gap: from the line", {0, 0}, {0, -1}, 0, 0, -1, 0, -4},
      {"line exactly the gap away", {0, 0}, {0, 2}, 0, 0, 2, 0, 5},
      {"axis 90, line nearer than the gap", {0, 0}, {-1, 7}, 90, -1, 0, -4, 0},
      {"axis 90, line to the left", {0, 0}, {-20, 0}, 90, -2, 0, -23, 0},
      {"axis 90, line to the right", {0, 100}, {20, 0}, 90, 2, 100, 23, 100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Segment s = ExtensionLineOf(c.m, c.linePoint, c.axisAngle, 2, 3);
    EXPECT_NEAR(s.From.X, c.x1, 1e-9);
    EXPECT_NEAR(s.From.Y, c.y1, 1e-9);
    EXPECT_NEAR(s.To.X, c.x2, 1e-9);
    EXPECT_NEAR(s.To.Y, c.y2, 1e-9);
  }
}

TEST(dimension_output, value_text_never_reads_upside_down) {
  struct {
    double axisAngle, textAngle;
  } cases[] = {
      {0, 0},    {90, 90},   {90.5, 270.5}, {135, 315}, {180, 0},
      {270, 90}, {300, 300}, {-45, 315},    {450, 90},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.axisAngle);
    const TextPlacement t = PlaceValueText("100", TextStyle{1, 3, 3, 0, 1},
                                           ValueTextLine{{{0, 0}, {0, 0}}, c.axisAngle, 1, 1});
    EXPECT_NEAR(std::sqrt(t.DX * t.DX + t.DY * t.DY), 10, 1e-12);
    double got = std::atan2(t.DY, t.DX) * 180 / std::numbers::pi;
    if (got < -1e-9) got += 360;
    EXPECT_NEAR(got, c.textAngle, 1e-9);
  }
}

TEST(dimension_output, value_text_is_centred_and_lifted_by_the_gap) {
  // "100" is 3 half-width characters of width 4 with spacing 1: w = 6 + 1 = 7,
  // so half its drawn length at layer scale 10 is 35; the gap is 5.
  struct {
    double axisAngle;
    Point lineStart, lineEnd;
    double x, y;
  } cases[] = {
      {0, {0, 0}, {200, 0}, 100 - 35, 5},
      {90, {0, 0}, {0, 200}, -5, 100 - 35},
      {180, {200, 0}, {0, 0}, 100 - 35, 5},  // read left to right all the same
      {270, {0, 200}, {0, 0}, -5, 100 - 35},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.axisAngle);
    const TextPlacement t =
        PlaceValueText("100", TextStyle{1, 4, 3, 1, 1},
                       ValueTextLine{{c.lineStart, c.lineEnd}, c.axisAngle, 10, 5});
    EXPECT_NEAR(t.X, c.x, 1e-9);
    EXPECT_NEAR(t.Y, c.y, 1e-9);
  }
}

TEST(dimension_output, end_marker_extents_by_kind) {
  // Arrow length 3, angle 15, end-marker scale 2, layer scale 10. Kind 0 is
  // 3 cos 15 deg x 10 (python3: 28.97777478867205) without the marker scale.
  struct {
    int kind;
    double arrowAngle;
    double extent;
  } cases[] = {
      {0, 15, 28.97777478867205},
      {0, 120, -15},
      {1, 15, 150},
      {2, 15, 25},
      {3, 15, 25},
      {4, 15, 25},
      {5, 15, 25},
      {6, 15, 150},
      {7, 15, 25},
      {8, 15, 35.35533905932738},
      {9, 15, 150},
      {10, 15, 35.35533905932738},
      {11, 15, 150},
      // No list offers these: they take up no room.
      {12, 15, 0},
      {-1, 15, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    EndMarkerStyle style;
    style.ArrowLength = 3;
    style.ArrowAngle = c.arrowAngle;
    style.EndMarkerScale = 2;
    style.LayerScale = 10;
    EXPECT_NEAR(EndMarkerExtent(c.kind, style), c.extent, 1e-9);
  }
}

TEST(dimension_output, point_markers_write_their_kind_as_code) {
  struct {
    int kind;
    std::string line;
  } cases[] = {
      {1, "pt 0 -500 2.5 180 1"},
      {11, "pt 0 -500 2.5 180 11"},
      {5, "pt 0 -500 2.5 180 5"},
      {2, "pt 0 -500 2.5 180 2"},
      {3, "pt 0 -500 2.5 180 3"},
      {4, "pt 0 -500 2.5 180 4"},
      {6, "pt 0 -500 2.5 180 6"},
      {7, "pt 0 -500 2.5 180 7"},
      {8, "pt 0 -500 2.5 180 8"},
      {9, "pt 0 -500 2.5 180 9"},
      {10, "pt 0 -500 2.5 180 10"},
      // A kind no list offers goes to the writer as it is, which writes -3.
      {12, "pt 0 -500 2.5 180 -3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    DialogValues v = DefaultDialogValues();
    v.StartMarkerKind = c.kind;
    // The point scale is the dialog's own value, not times the layer scale.
    v.EndMarkerScale = 2.5;
    // Long enough for any marker to fit inside: the start points outward, at 180.
    const auto lines = Emitted(Scene(10000), v);
    const auto point = std::find_if(lines.begin(), lines.end(),
                                    [](const std::string& l) { return l.starts_with("pt "); });
    ASSERT_NE(point, lines.end());
    EXPECT_EQ(*point, c.line);
    EXPECT_EQ(*(point - 1), "z3");
  }
}

TEST(dimension_output, marker_extents_equal_to_the_length_still_fit) {
  // Two kind-2 markers take 1.25 x 100 each: 250 in all.
  struct {
    double length;
    std::string startMarker, endMarker;
    bool overshoot;
  } cases[] = {
      {250, "pt 0 -500 1 180 2", "pt 250 -500 1 0 2", false},
      {249.5, "pt 0 -500 1 0 2", "pt 249.5 -500 1 180 2", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    DialogValues v = DefaultDialogValues();
    v.StartMarkerKind = 2;
    v.EndMarkerKind = 2;
    const auto lines = Emitted(Scene(c.length), v);
    EXPECT_TRUE(Contains(lines, c.startMarker));
    EXPECT_TRUE(Contains(lines, c.endMarker));
    EXPECT_EQ(Contains(lines, "0 -500 -200 -500"), c.overshoot);
  }
}

TEST(dimension_output, no_overshoot_lines_without_reverse_overshoot) {
  for (double paper : {0.0, 1e-13}) {  // 1e-13 x 100 is still below 1e-10
    SCOPED_TRACE(paper);
    DialogValues v = DefaultDialogValues();
    v.ReverseOvershootPaper = paper;
    const auto lines = Emitted(Scene(400), v);
    // Markers turned outward all the same, but the line is not carried on.
    EXPECT_TRUE(Contains(lines, "0 -500 -289.777747886721 -577.645713530756"));
    EXPECT_FALSE(Contains(lines, "0 -500 -200 -500"));
    EXPECT_FALSE(Contains(lines, "400 -500 600 -500"));
    // 7 attributes, 2 extension, 2 dimension line, cn1 cc0 z3 cs, 2 x 4
    // strokes, 1 extra z3.
    EXPECT_EQ(lines.size(), 7u + 2 + 2 + 4 + 8 + 1);
  }
}

TEST(dimension_output, end_marker_follows_one_extra_z3) {
  DialogValues v = DefaultDialogValues();
  v.StartMarkerKind = 3;
  v.EndMarkerKind = 4;
  const auto lines = Emitted(Scene(), v);
  ASSERT_GE(lines.size(), 5u);
  const std::vector<std::string> tail(lines.end() - 5, lines.end());
  ExpectLines(tail, {"z3", "pt 0 -500 1 180 3", "z3", "z3", "pt 1000 -500 1 0 4"});
}

TEST(dimension_output, free_size_current_text_type_writes_cn0_with_its_values) {
  StartDrawing();
  gDataModel.CurTextType = 0;
  gDataModel.CurFreeTextWidth = 2.5;
  gDataModel.CurFreeTextHeight = 3.5;
  gDataModel.CurFreeTextSpacing = 0.5;
  gDataModel.CurFreeTextColor = 4;
  const auto lines = EmittedAsSetUp(Scene(), DefaultDialogValues());
  // "1000" at width 2.5, spacing 0.5: w = 4 x 1.25 + 3 x 0.25 = 5.75, so the
  // text starts 287.5 left of the middle.
  const std::vector<std::string> expected = {"cn0 2.5 3.5 0.5 4", "cc0", "z3",
                                             "cs 212.5 -450 10 0 \"1000"};
  ASSERT_GE(lines.size(), 15u);
  ExpectLines(std::vector<std::string>(lines.begin() + 11, lines.begin() + 15), expected);
  // The restore finds the same free-size type already written.
  EXPECT_EQ(Count(lines, "cn0 2.5 3.5 0.5 4"), 1);
  EXPECT_EQ(lines.back(), "1000 -500 710.22225211328 -422.354286469244");
}

TEST(dimension_output, out_of_range_current_text_type_uses_type_1_for_the_value) {
  StartDrawing();
  gDataModel.CurTextType = 12;
  gDataModel.TextTypeTable[1].Width = 4;  // "1000" is then 8 wide: 400 at scale 100
  const auto lines = EmittedAsSetUp(Scene(), DefaultDialogValues());
  EXPECT_TRUE(Contains(lines, "cn1"));
  EXPECT_TRUE(Contains(lines, "cs 100 -450 10 0 \"1000"));
  // The restore hands Jw_cad its own type back, which differs from 1.
  EXPECT_EQ(lines.back(), "cn12");
}

TEST(dimension_output, restore_writes_the_host_text_type_only_when_changed) {
  struct {
    int choice;
    const char* valueType;
    const char* lastLine;
  } cases[] = {
      {0, "cn1", "1000 -500 710.22225211328 -422.354286469244"},
      {1, "cn1", "1000 -500 710.22225211328 -422.354286469244"},
      {3, "cn3", "cn1"},
      {10, "cn10", "cn1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.choice);
    DialogValues v = DefaultDialogValues();
    v.TextTypeChoice = c.choice;
    const auto lines = Emitted(Scene(), v);
    EXPECT_EQ(lines[11], c.valueType);
    EXPECT_EQ(lines.back(), c.lastLine);
  }
}

TEST(dimension_output, value_text_type_resolution) {
  struct {
    int choice;
    int curTextType;
    int type;
    double width;
    int color;
  } cases[] = {
      {0, 1, 1, 1.5, 11},  {0, 7, 7, 7.5, 17}, {0, 0, 0, 2.25, 9},    {0, 12, 1, 1.5, 11},
      {0, -1, 1, 1.5, 11}, {4, 0, 4, 4.5, 14}, {10, 7, 10, 10.5, 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.choice << ", current " << c.curTextType);
    ResetDataModel();
    for (int k = 1; k <= 10; ++k) {
      gDataModel.TextTypeTable[k] = {k + 0.5, k + 0.25, k * 0.1, k + 10};
    }
    gDataModel.CurTextType = c.curTextType;
    gDataModel.CurFreeTextWidth = 2.25;
    gDataModel.CurFreeTextColor = 9;
    const TextStyle s = ResolveValueTextType(c.choice, gDataModel);
    EXPECT_EQ(s.Type, c.type);
    EXPECT_EQ(s.Width, c.width);
    EXPECT_EQ(s.Color, c.color);
  }
}

TEST(dimension_output, paper_distances_scale_by_the_layer_scale) {
  DialogValues v = DefaultDialogValues();
  v.TextGapPaper = -1;
  v.ExtensionGapPaper = 1.5;
  v.ExtensionOvershootPaper = 2.5;
  v.ReverseOvershootPaper = 3.5;
  const ScaledDistances d = ScaleDistances(v, 10);
  EXPECT_EQ(d.TextGap, -10);
  EXPECT_EQ(d.ExtensionGap, 15);
  EXPECT_EQ(d.ExtensionOvershoot, 25);
  EXPECT_EQ(d.ReverseOvershoot, 35);
}

TEST(dimension_output, writes_the_value_text_of_its_figure) {
  DialogValues v = DefaultDialogValues();
  v.ValueUnit = 1;
  v.AddUnitText = true;
  StartDrawing();
  const DimensionFigure figure = Figure(Scene(1500), v);
  EmitDimensionFigure(figure);
  EXPECT_EQ(figure.ValueText, "1.5\x82\x8D");  // 1.5ｍ
  // Three half-width characters and a full-width one at width 3: 7.5 wide.
  EXPECT_TRUE(Contains(OutputFileLines(), "cs 375 -450 10 0 \"1.5\x82\x8D"));
}

}  // namespace
