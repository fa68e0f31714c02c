// End to end: the built t408q run with /a (t408a.bat's mode, no dialog) on a
// selection in a fresh folder, and the files it leaves compared: a whole row
// byte for byte (examples/row/ and examples/expected/row/); against a chain of
// single passes over the same points; its refusals; and the t407.dat it makes
// where there was none.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/cp932.h"
#include "tests/support/dialog_fixture.h"
#include "tests/support/examples.h"
#include "tests/support/tool_process.h"
#include "util/text_to_number.h"

namespace {

// A selection as Jw_cad passes it for t408a.bat: the header, picked point 1
// (unless `pick` is empty) and the current attributes, then `entities`.
std::string Selection(const std::string& axis, const std::string& scales, const std::string& pick,
                      const std::string& layerGroup, const std::string& entities) {
  std::string bytes = CrLfLines({"hq", "hk " + axis, "hs " + scales});
  if (!pick.empty()) bytes += CrLfLines({"hp1 " + pick});
  bytes += CrLfLines({layerGroup, "ly0", "lc2", "lt1", "cn1", ToCp932("cn\"$<ＭＳ ゴシック>")});
  return bytes + entities;
}

const std::string kScales100 = "100 50 1 1 1 1 1 1 1 1 1 1 1 1 1 1";

std::string Attributes(const std::string& layerGroup) {
  return CrLfLines(
      {layerGroup, "ly0", "lc2", "pn2", "lt1", "lw0", ToCp932("cn\"$<ＭＳ ゴシック>")});
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

TEST(whole_row_e2e, a_row_writes_each_dimension_with_one_set_of_attributes) {
  // examples/row/: places 0, 1000, 2500 and 3000 at 1:100, the line through
  // picked point (0, -500): a line's two ends, a circle's centre and a point,
  // beside a text and a piece of an earlier dimension, which have none. The
  // first dimension has both extension lines, each later one its far one;
  // the text type and "cc0" are written once; the last dimension, 500 long,
  // turns its arrows outward (2 x 300 cos 15 = 579.6 > 500). The whole row is
  // the reference then: (0, 0) to (3000, 200), its line through the point.
  QuickPassFolder tool;
  WriteBytes(tool / "JWC_TEMP.TXT", ExampleFile("row/JWC_TEMP.TXT"));
  WriteBytes(tool / "t407.dat", ExampleFile("row/t407.dat"));

  const ProcessEnd run = tool.Run(0, -1, "/a");

  EXPECT_EQ(run.status, 0) << run.errorOutput;
  const std::string expected = ExampleFile("expected/row/JWC_TEMP.TXT");
  ASSERT_EQ(expected.substr(0, Attributes("lg0").size()), Attributes("lg0"));
  EXPECT_EQ(ReadBytes(tool / "JWC_TEMP.TXT"), expected);
  const std::string expectedSettings = ExampleFile("expected/row/t407.dat");
  ASSERT_EQ(expectedSettings,
            SettingsBytes({{26, "0"}, {28, "3000"}, {29, "200"}, {30, "0"}, {31, "-500"}}));
  EXPECT_EQ(ReadBytes(tool / "t407.dat"), expectedSettings);
}

TEST(whole_row_e2e, without_t407_dat_a_row_takes_the_dialog_defaults_and_makes_one) {
  QuickPassFolder tool;
  WriteBytes(tool / "JWC_TEMP.TXT",
             Selection("0", kScales100, "0 -500", "lg1", CrLfLines({" 0 0 1000 0"})));

  const ProcessEnd run = tool.Run(0, -1, "/a");

  EXPECT_EQ(run.status, 0) << run.errorOutput;
  // Layer group 1 at 1:50; lines 1 to 22 are a new dialog's, 100,100 its place.
  EXPECT_EQ(ReadBytes(tool / "t407.dat"),
            SettingsBytes({{23, "1"}, {24, "50"}, {26, "0"}, {28, "1000"}, {31, "-500"}}));
  EXPECT_EQ(Lines(ReadBytes(tool / "JWC_TEMP.TXT")).at(0), "lg1");
}

TEST(whole_row_e2e, a_refused_row_writes_only_he_and_leaves_t407_dat) {
  const struct {
    const char* what;
    std::string axis;
    std::string pick;
    std::string entities;
    int settingsLine;  // 0: t407.dat as t407 leaves it
    const char* settingsText;
    const char* message;
  } cases[] = {
      {"no picked point 1", "0", "", " 0 0 1000 0", 0, "",
       "寸法線の位置（点１）が指示されていません。"},
      {"one place", "0", "0 -500", " 5 0 5 900\r\nci 5 40 3", 0, "",
       "寸法を入れる位置が２つ以上ありません。選択した図形を確認して下さい。"},
      {"two places less than the 0.001 shown apart", "0", "0 -500", " 5 0 5.0004 900", 0, "",
       "寸法を入れる位置が２つ以上ありません。選択した図形を確認して下さい。"},
      {"only figures without feature points", "0", "0 -500",
       "ch 0 0 1 0 \"a\r\npt 1 1 1 0 3\r\nsc 0 0 1 0 1 1 0 1\r\nz3\r\n 0 0 1000 0", 0, "",
       "寸法を入れる位置が２つ以上ありません。選択した図形を確認して下さい。"},
      {"a value failing its check", "0", "0 -500", " 0 0 1000 0", 8, "abc",
       "設定「端点倍率」の値が正しくありません。"},
      {"a place that is no finite number", "45", "0 -500", " 0 0 1000 0\r\npt 1.5e308 1.5e308", 0,
       "", "寸法の座標が大きすぎて作図出来ません。設定の値を確認して下さい。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QuickPassFolder tool;
    WriteBytes(tool / "JWC_TEMP.TXT",
               Selection(c.axis, kScales100, c.pick, "lg0", c.entities + "\r\n"));
    const std::string settings =
        c.settingsLine == 0 ? SettingsBytes() : SettingsBytes({{c.settingsLine, c.settingsText}});
    WriteBytes(tool / "t407.dat", settings);

    const ProcessEnd run = tool.Run(0, -1, "/a");

    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(ReadBytes(tool / "JWC_TEMP.TXT"), "he" + ToCp932(c.message) + "\r\n");
    EXPECT_EQ(ReadBytes(tool / "t407.dat"), settings);
    EXPECT_EQ(tool.Leftovers(), std::vector<std::string>{});
  }
}

namespace {

// The lines that draw, without the attribute lines: those a row writes once
// and a chain of passes once each.
std::vector<std::string> DrawingLines(const std::string& bytes) {
  std::vector<std::string> drawing;
  for (const std::string& line : Lines(bytes)) {
    const std::string head = line.substr(0, 2);
    if (head == "lg" || head == "ly" || head == "lc" || head == "pn" || head == "lt" ||
        head == "lw" || head == "cn" || head == "cc") {
      continue;
    }
    drawing.push_back(line);
  }
  return drawing;
}

// The same words, numbers equal to within their last digits (relative 1e-11
// of the drawing's size, `size`), a value text byte for byte.
void ExpectSameUpToLastDigits(const std::vector<std::string>& row,
                              const std::vector<std::string>& chain, double size) {
  ASSERT_EQ(row.size(), chain.size());
  for (std::size_t i = 0; i < row.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "line " << i + 1 << ": " << row[i] << " | " << chain[i]);
    const std::size_t quote = row[i].find('"');
    ASSERT_EQ(quote, chain[i].find('"'));
    if (quote != std::string::npos) {
      EXPECT_EQ(row[i].substr(quote), chain[i].substr(quote));
    }
    std::istringstream a(row[i].substr(0, quote)), b(chain[i].substr(0, quote));
    std::string x, y;
    while (a >> x) {
      ASSERT_TRUE(b >> y);
      if (x == y) continue;
      EXPECT_NEAR(TextToReal(x), TextToReal(y), 1e-11 * size) << x << " vs " << y;
    }
    EXPECT_FALSE(b >> y);
  }
}

}  // namespace

TEST(whole_row_e2e, a_row_measures_what_a_chain_of_single_passes_over_its_points_does) {
  // Each point a place of its own, on both sides of the line, some short
  // enough to turn their arrows; at three axis angles and two scales. The
  // chain starts from a reference of no length at the first point, kept at
  // another axis angle so that its first pass draws both extension lines,
  // and picks each next point; it goes through t407.dat's text, the row
  // does not: the numbers agree up to their last digits.
  const struct {
    const char* axis;
    const char* layerGroup;
    const char* group;  // line 23 of t407.dat
    const char* scale;
  } cases[] = {{"0", "lg0", "0", "100"}, {"30", "lg1", "1", "50"}, {"123.5", "lg0", "0", "100"}};
  const double along[] = {0, 1000, 1400, 3000, 3300, 5250.5};
  const double across[] = {0, 30, -40, -900, 10, 120};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.axis);
    const double a = TextToReal(c.axis) / 180 * 3.141592653589793;
    std::vector<std::string> points;
    std::string entities;
    for (std::size_t i = 0; i < std::size(along); ++i) {
      char text[80];
      std::snprintf(text, sizeof text, "%.12g %.12g",
                    along[i] * std::cos(a) - across[i] * std::sin(a),
                    along[i] * std::sin(a) + across[i] * std::cos(a));
      points.push_back(text);
      entities += "pt " + points.back() + "\r\n";
    }
    const std::string pick = "-200 -500";

    QuickPassFolder row;
    WriteBytes(row / "JWC_TEMP.TXT", Selection(c.axis, kScales100, pick, c.layerGroup, entities));
    WriteBytes(row / "t407.dat", SettingsBytes());
    ASSERT_EQ(row.Run(0, -1, "/a").status, 0);

    QuickPassFolder chain;
    const std::string first = points[0];
    const std::string firstX = first.substr(0, first.find(' ')),
                      firstY = first.substr(first.find(' ') + 1);
    WriteBytes(chain / "t407.dat", SettingsBytes({{23, c.group},
                                                  {24, c.scale},
                                                  {25, "7"},
                                                  {26, firstX},
                                                  {27, firstY},
                                                  {28, firstX},
                                                  {29, firstY},
                                                  {30, "-200"},
                                                  {31, "-500"}}));
    std::vector<std::string> chained;
    for (std::size_t i = 1; i < points.size(); ++i) {
      WriteBytes(chain / "JWC_TEMP.TXT",
                 Selection(c.axis, kScales100, points[i], c.layerGroup, ""));
      ASSERT_EQ(chain.Run().status, 0);
      for (const std::string& line : DrawingLines(ReadBytes(chain / "JWC_TEMP.TXT"))) {
        chained.push_back(line);
      }
    }
    ExpectSameUpToLastDigits(DrawingLines(ReadBytes(row / "JWC_TEMP.TXT")), chained, 5000);
    // And both leave the same reference, the first point to the last.
    const std::vector<std::string> rowSettings = SettingsFileLines(ReadBytes(row / "t407.dat"));
    const std::vector<std::string> chainSettings = SettingsFileLines(ReadBytes(chain / "t407.dat"));
    ASSERT_EQ(rowSettings.size(), 31u);
    ASSERT_EQ(chainSettings.size(), 31u);
    for (int line = 23; line <= 31; ++line) {
      SCOPED_TRACE(line);
      EXPECT_NEAR(TextToReal(rowSettings[line - 1]), TextToReal(chainSettings[line - 1]), 1e-8);
    }
  }
}
