// End to end: the built t408q copied beside a JWC_TEMP.TXT and a t407.dat in a
// fresh folder, run from elsewhere, and the files it leaves compared byte for
// byte.
//
// The expected stroke ends of the line arrows were worked out by hand apart
// from the arrows' slanted strokes: an arrow at E with direction a and length
// r = 3 mm x scale ends at E + r * (cos t, sin t) with t = a + 180 +/- 15
// degrees, converted as t / 180 * pi. Those were evaluated in IEEE doubles
// with Python's math.cos/math.sin and printed with 15 significant digits,
// rounded half up on the exact decimal value, trailing zeros removed, the
// number rule of the exchange file.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/support/cp932.h"
#include "tests/support/dialog_fixture.h"
#include "tests/support/examples.h"
#include "tests/support/temp_folder.h"
#include "tool/placement.h"
#include "util/text_to_number.h"

namespace {

struct RunResult {
  int exitCode = -1;
  std::string stderrText;
};

// A folder like Jw_cad's: t408q beside its two files.
class ToolFolder {
 public:
  ToolFolder() {
    std::filesystem::copy_file(T408_QUICK_PASS, folder_ / "t408q");
    std::filesystem::permissions(folder_ / "t408q", std::filesystem::perms::owner_all);
  }

  std::filesystem::path operator/(std::string_view name) const { return folder_ / name; }

  // `arguments` as a batch file's line would pass them, after the program.
  RunResult Run(const std::string& arguments = "") const {
    // Started from the test's own working folder: the tool must find its files
    // beside itself, not in the current folder.
    std::string command = "'";
    command += (folder_ / "t408q").string();
    command += "' " + arguments + " 2>'";
    command += (folder_ / "stderr.txt").string();
    command += "'";
    const int status = std::system(command.c_str());
    RunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.stderrText = ReadBytes(folder_ / "stderr.txt");
    std::filesystem::remove(folder_ / "stderr.txt");
    return result;
  }

 private:
  TempFolder folder_;
};

// An exchange file as Jw_cad writes it: settings, the picked points ("hp1
// x y" ...), the current attributes and a few entities.
std::string ExchangeWith(const std::string& axis, const std::string& scales,
                         const std::string& points, const std::string& layerGroup) {
  return CrLfLines({
      "hq",
      ToCp932("file=C:\\jww\\図面\\sample.jww"),
      "hk " + axis,
      "hs " + scales,
      "hcw 3 2.5 3 4 5 6 7 8 9 10",
      "hch 3 2.5 3 4 5 6 7 8 9 10",
      "hcd 0 0 0.5 0.5 0.5 1 1 1 1 1",
      "hcc    1    1    1    2    2    2    2    2    2    2",
      "hn -5000 -3000 5000 3000",
      points,
      layerGroup,
      "ly0",
      "lc2",
      "lt1",
      "cn1",
      ToCp932("cn\"$<ＭＳ ゴシック>"),
      " -5000 0 5000 0",
      "ci 0 0 500",
      ToCp932("ch -600 -900 1 0 \"寸法の例"),
  });
}

// Along axis angle 0, with picked point 1 only.
std::string Exchange(const std::string& scales, const std::string& pick,
                     const std::string& layerGroup = "lg0") {
  return ExchangeWith("0", scales, "hp1 " + pick, layerGroup);
}

const std::string kScales100 = "100 50 1 1 1 1 1 1 1 1 1 1 1 1 1 1";

std::string ExampleExchange() { return ExampleFile("JWC_TEMP.TXT"); }
std::string ExampleSettings() { return ExampleFile("t407.dat"); }

// The seven attribute lines every added dimension starts with.
std::string Attributes(const std::string& layerGroup) {
  return CrLfLines(
      {layerGroup, "ly0", "lc2", "pn2", "lt1", "lw0", ToCp932("cn\"$<ＭＳ ゴシック>")});
}

std::string RefusalFile(const char* utf8Message) {
  std::string bytes = "he";
  bytes += ToCp932(utf8Message);
  bytes += "\r\n";
  return bytes;
}

}  // namespace

TEST(quick_pass_e2e, the_example_adds_the_dimension_after_the_reference) {
  // Reference (-1000, 0)-(0, 0) at 1:100 with its line through (0, -500);
  // picked (1000, 0): MeasureStart (0, 0) is shared with the reference, so
  // only the extension line at (1000, 0) is drawn, 2 mm x 100 off the point
  // and 2 mm x 100 past the line. The value 1000 (4 half-width characters of
  // 1.5 mm) starts 300 left of the middle and 0.5 mm x 100 above the line.
  // Arrows: 2 x 300 x cos 15 = 579.6 < 1000, not reversed.
  ASSERT_EQ(ExampleSettings(), SettingsBytes());
  ToolFolder tool;
  WriteBytes(tool / "JWC_TEMP.TXT", ExampleExchange());
  WriteBytes(tool / "t407.dat", ExampleSettings());

  const RunResult run = tool.Run();

  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.stderrText, "");
  // The seven attributes, then the commands of the worked example, as
  // examples/expected/ holds them.
  const std::string expectedExchange = ExampleFile("expected/JWC_TEMP.TXT");
  ASSERT_EQ(expectedExchange.substr(0, Attributes("lg0").size()), Attributes("lg0"));
  EXPECT_EQ(ReadBytes(tool / "JWC_TEMP.TXT"), expectedExchange);
  // The reference now runs from (-1000, 0) to the picked point.
  const std::string expectedSettings = ExampleFile("expected/t407.dat");
  ASSERT_EQ(expectedSettings, SettingsBytes({{28, "1000"}}));
  EXPECT_EQ(ReadBytes(tool / "t407.dat"), expectedSettings);
}

TEST(quick_pass_e2e, a_short_dimension_turns_its_arrows_outward) {
  // Picked (400, 0): 579.6 > 400, so both arrows are reversed (start 0
  // degrees, end 180), each with a 2 mm x 100 overshoot line outward. The
  // value 400 starts 225 left of the middle (200).
  ToolFolder tool;
  WriteBytes(tool / "JWC_TEMP.TXT", Exchange(kScales100, "400 0"));
  WriteBytes(tool / "t407.dat", SettingsBytes());

  const RunResult run = tool.Run();

  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(ReadBytes(tool / "JWC_TEMP.TXT"),
            Attributes("lg0") + CrLfLines({
                                    "z3",
                                    "400 -200 400 -700",
                                    "z3",
                                    "0 -500 400 -500",
                                    "cn1",
                                    "cc0",
                                    "z3",
                                    "cs -25 -450 10 0 \"400",
                                    "z3",
                                    "0 -500 -200 -500",
                                    "z3",
                                    "0 -500 -289.777747886721 -577.645713530756",
                                    "z3",
                                    "0 -500 -289.77774788672 -422.354286469244",
                                    "z3",
                                    "z3",
                                    "400 -500 600 -500",
                                    "z3",
                                    "400 -500 689.77774788672 -422.354286469244",
                                    "z3",
                                    "400 -500 689.77774788672 -577.645713530756",
                                }));
  EXPECT_EQ(ReadBytes(tool / "t407.dat"), SettingsBytes({{28, "400"}}));
}

TEST(quick_pass_e2e, a_point_nearer_the_line_than_the_gap_starts_its_extension_line_on_it) {
  // Picked 1 mm past the line at -500 (the gap is 2 mm at 1:100): started a
  // gap from the point, the extension line would float at -400..-300; it
  // runs from the line instead.
  ToolFolder tool;
  WriteBytes(tool / "JWC_TEMP.TXT", Exchange(kScales100, "1000 -600"));
  WriteBytes(tool / "t407.dat", SettingsBytes());

  ASSERT_EQ(tool.Run().exitCode, 0);
  const std::string out = ReadBytes(tool / "JWC_TEMP.TXT");
  EXPECT_NE(out.find("\r\n1000 -500 1000 -300\r\n"), std::string::npos) << out;
}

TEST(quick_pass_e2e, without_t407_dat_the_run_is_refused_with_he) {
  ToolFolder tool;
  WriteBytes(tool / "JWC_TEMP.TXT", ExampleExchange());

  const RunResult run = tool.Run();

  EXPECT_EQ(run.exitCode, 1);
  const char* message = "t407_水平寸法線が一度も実行されていません。先にそちらを実行して下さい。";
  EXPECT_EQ(ReadBytes(tool / "JWC_TEMP.TXT"), RefusalFile(message));
  EXPECT_EQ(run.stderrText, std::string(message) + "\n");
  EXPECT_FALSE(std::filesystem::exists(tool / "t407.dat"));
}

TEST(quick_pass_e2e, a_point_inside_the_reference_is_refused_with_he) {
  ToolFolder tool;
  WriteBytes(tool / "JWC_TEMP.TXT", Exchange(kScales100, "-500 30"));
  WriteBytes(tool / "t407.dat", SettingsBytes());

  const RunResult run = tool.Run();

  EXPECT_EQ(run.exitCode, 1);
  const char* message = "直前作図した水平寸法線の内側を指定する事は出来ません。";
  EXPECT_EQ(ReadBytes(tool / "JWC_TEMP.TXT"), RefusalFile(message));
  EXPECT_EQ(run.stderrText, std::string(message) + "\n");
  EXPECT_EQ(ReadBytes(tool / "t407.dat"), SettingsBytes());
}

TEST(quick_pass_e2e, a_value_failing_its_check_is_named_in_the_refusal) {
  struct {
    int line;
    const char* text;
    const char* message;
  } cases[] = {
      {8, "abc", "設定「端点倍率」の値が正しくありません。"},
      {14, "1000.5", "設定「線矢印の長さ」の値が正しくありません。"},
      {5, "11", "設定「寸法値の文字種」の値が正しくありません。"},
      {16, "-1", "設定「逆矢印の寸法はみだし距離」の値が正しくありません。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    ToolFolder tool;
    WriteBytes(tool / "JWC_TEMP.TXT", Exchange(kScales100, "1000 0"));
    const std::string settings = SettingsBytes({{c.line, c.text}});
    WriteBytes(tool / "t407.dat", settings);

    const RunResult run = tool.Run();

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(ReadBytes(tool / "JWC_TEMP.TXT"), RefusalFile(c.message));
    EXPECT_EQ(ReadBytes(tool / "t407.dat"), settings);
  }
}

TEST(quick_pass_e2e, a_zero_length_dimension_is_refused_after_saving) {
  // Along an axis of 45 degrees, a point far out and almost across the axis
  // passes the inside test by a hair, while its foot on the dimension line
  // lands within 1e-10 of the reference's: the length test refuses it, after
  // t407.dat already holds the extended reference.
  const std::string x = "-100709.50192934152";
  const std::string y = "100709.50192934168";
  PlacementInput input;
  input.AxisAngle = 45;
  input.Picked = Point{TextToReal(x), TextToReal(y)};
  const Placement placement = PlaceDimension(input);
  ASSERT_FALSE(placement.Inside);
  ASSERT_LT(placement.MeasuredLength, 1e-10);

  ToolFolder tool;
  WriteBytes(tool / "JWC_TEMP.TXT", CrLfLines({"hq", "hk 45", "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1",
                                               "hp1 " + x + " " + y}));
  WriteBytes(tool / "t407.dat", SettingsBytes({{24, "1"}, {26, "0"}, {31, "0"}}));

  const RunResult run = tool.Run();

  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(ReadBytes(tool / "JWC_TEMP.TXT"),
            RefusalFile("寸法が「0」になりますので作図出来ません"));
  EXPECT_EQ(ReadBytes(tool / "t407.dat"), SettingsBytes({{24, "1"},
                                                         {25, "45"},
                                                         {26, "0"},
                                                         {28, "-100709.501929342"},
                                                         {29, "100709.501929342"},
                                                         {31, "0"}}));
}

TEST(quick_pass_e2e, three_runs_chain_their_dimensions_through_t407_dat) {
  ToolFolder tool;
  WriteBytes(tool / "t407.dat", SettingsBytes());
  // 1: after the reference, to (1000, 0): the reference becomes (-1000, 0)-(1000, 0).
  WriteBytes(tool / "JWC_TEMP.TXT", Exchange(kScales100, "1000 0"));
  ASSERT_EQ(tool.Run().exitCode, 0);
  // 2: before it, from (-2500, 0): the reference becomes (-2500, 0)-(1000, 0).
  WriteBytes(tool / "JWC_TEMP.TXT", Exchange(kScales100, "-2500 0"));
  ASSERT_EQ(tool.Run().exitCode, 0);
  EXPECT_EQ(ReadBytes(tool / "t407.dat"), SettingsBytes({{26, "-2500"}, {28, "1000"}}));
  // 3: in layer group 1, drawn at 1:50. The reference, recorded at 1:100,
  // keeps its place on the sheet: (-1250, 0)-(500, 0), line through
  // (0, -250). Picked (800, 0) lies after it: a dimension of 300 from
  // (500, 0), whose arrows (2 x 150 x cos 15 = 289.8) still fit. Distances
  // are 2 mm x 50 = 100 and 0.5 mm x 50 = 25; the value 300 starts
  // 3 x 1.5 x 50 / 2 = 112.5 left of the middle (650).
  WriteBytes(tool / "JWC_TEMP.TXT", Exchange(kScales100, "800 0", "lg1"));
  ASSERT_EQ(tool.Run().exitCode, 0);

  EXPECT_EQ(ReadBytes(tool / "JWC_TEMP.TXT"),
            Attributes("lg1") + CrLfLines({
                                    "z3",
                                    "800 -100 800 -350",
                                    "z3",
                                    "500 -250 800 -250",
                                    "cn1",
                                    "cc0",
                                    "z3",
                                    "cs 537.5 -225 10 0 \"300",
                                    "z3",
                                    "500 -250 644.88887394336 -211.177143234622",
                                    "z3",
                                    "500 -250 644.88887394336 -288.822856765378",
                                    "z3",
                                    "z3",
                                    "800 -250 655.11112605664 -288.822856765378",
                                    "z3",
                                    "800 -250 655.11112605664 -211.177143234622",
                                }));
  EXPECT_EQ(ReadBytes(tool / "t407.dat"),
            SettingsBytes({{23, "1"}, {24, "50"}, {26, "-1250"}, {28, "800"}, {31, "-250"}}));
}

// ---- Taking a reference (/k) and chaining from it (/r)

namespace {

// The points Jw_cad passes for a reference: start (0, 0), end (1000, 0), its
// line through (300, -600); and the lines 23 to 31 they become in layer group
// 0 at 1:100, axis angle 0.
const std::string kReferencePicks = "hp1 0 0\r\nhp2 1000 0\r\nhp3 300 -600";
const std::vector<std::string> kReferenceLines = {"0",    "100", "0",   "0",   "0",
                                                  "1000", "0",   "300", "-600"};

std::string WithLines(std::vector<std::string> first, const std::vector<std::string>& rest) {
  first.insert(first.end(), rest.begin(), rest.end());
  return FormatSettingsLines(first);
}

}  // namespace

TEST(quick_pass_e2e, a_reference_taken_without_t407_dat_starts_a_chain) {
  ToolFolder tool;
  WriteBytes(tool / "JWC_TEMP.TXT", ExchangeWith("0", kScales100, kReferencePicks, "lg0"));
  const RunResult taken = tool.Run("/k");
  EXPECT_EQ(taken.exitCode, 0);
  EXPECT_EQ(ReadBytes(tool / "JWC_TEMP.TXT"), "h#" + ToCp932("基準寸法を記憶しました") + "\r\n");
  // Lines 1 to 22: the dialog's defaults and the window at 100,100.
  EXPECT_EQ(ReadBytes(tool / "t407.dat"),
            SettingsBytes({{26, "0"}, {28, "1000"}, {30, "300"}, {31, "-600"}}));

  // Repeating, picked (2500, 0): after the reference, from (1000, 0), whose
  // extension line is the reference's. The value 1500 starts 4 x 1.5 mm x
  // 100 / 2 = 300 left of the middle (1750), 0.5 mm x 100 above the line;
  // the arrows' slanted strokes as the note at the top says.
  WriteBytes(tool / "JWC_TEMP.TXT", Exchange(kScales100, "2500 0"));
  EXPECT_EQ(tool.Run("/r").exitCode, 0);
  EXPECT_EQ(ReadBytes(tool / "JWC_TEMP.TXT"),
            "hr\r\n" + Attributes("lg0") +
                CrLfLines({"z3", "2500 -200 2500 -800", "z3", "1000 -600 2500 -600", "cn1", "cc0",
                           "z3", "cs 1450 -550 10 0 \"1500", "z3",
                           "1000 -600 1289.77774788672 -522.354286469244", "z3",
                           "1000 -600 1289.77774788672 -677.645713530756", "z3", "z3",
                           "2500 -600 2210.22225211328 -677.645713530756", "z3",
                           "2500 -600 2210.22225211328 -522.354286469244"}));

  // Plain, picked (-800, 0): before it, up to (0, 0); the value 800 starts
  // 225 left of -400.
  WriteBytes(tool / "JWC_TEMP.TXT", Exchange(kScales100, "-800 0"));
  EXPECT_EQ(tool.Run().exitCode, 0);
  EXPECT_EQ(ReadBytes(tool / "JWC_TEMP.TXT"),
            Attributes("lg0") + CrLfLines({"z3", "-800 -200 -800 -800", "z3", "-800 -600 0 -600",
                                           "cn1", "cc0", "z3", "cs -625 -550 10 0 \"800", "z3",
                                           "-800 -600 -510.22225211328 -522.354286469244", "z3",
                                           "-800 -600 -510.22225211328 -677.645713530756", "z3",
                                           "z3", "0 -600 -289.777747886721 -677.645713530756", "z3",
                                           "0 -600 -289.77774788672 -522.354286469244"}));
  EXPECT_EQ(ReadBytes(tool / "t407.dat"),
            SettingsBytes({{26, "-800"}, {28, "2500"}, {30, "300"}, {31, "-600"}}));
}

TEST(quick_pass_e2e, a_reference_taken_over_t407_dat_keeps_its_lines_1_to_22) {
  // Lines that loading and saving would rewrite (a blank before a number, a
  // negative index, an index past the list, a check box of 2, Japanese and
  // blank texts); then a file that ends in line 5 without a line end, whose
  // missing lines get the dialog's defaults, as in a new file.
  const std::vector<std::string> odd = {
      " 30", "-7", "-5", "12", "40", "3", "2",  "abc", ToCp932("寸法"), " ", "0.50", "2", "2", "3",
      "15",  "2",  "7",  "0",  "2",  "0", "-1", "x"};
  const std::vector<std::string> oldReference = {"3", "1", "45", "1", "2", "3", "4", "5", "6"};
  std::vector<std::string> newFileLines;
  for (int line = 1; line <= 22; ++line) newFileLines.push_back(DefaultSettingsLine(line));
  std::vector<std::string> shortKept = newFileLines;
  shortKept[4] = "7";
  const struct {
    std::string existing;
    std::vector<std::string> kept;
  } cases[] = {{WithLines(odd, oldReference), odd},
               {"100\r\n100\r\n0\r\n0\r\n7", shortKept},
               // An empty file has none of its lines: all of them are the defaults.
               {"", newFileLines}};
  for (const auto& c : cases) {
    ToolFolder tool;
    WriteBytes(tool / "t407.dat", c.existing);
    WriteBytes(tool / "JWC_TEMP.TXT", ExchangeWith("0", kScales100, kReferencePicks, "lg0"));
    EXPECT_EQ(tool.Run("/k").exitCode, 0);
    EXPECT_EQ(ReadBytes(tool / "t407.dat"), WithLines(c.kept, kReferenceLines));
  }
}

TEST(quick_pass_e2e, a_reference_along_axis_30_at_1_to_50_places_the_next_dimension) {
  // Layer group 1 at 1:50, axis angle 30: reference (0, 0)-(1000, 0), line
  // through (0, -400); then a pass picking (2000, 500). The expected numbers
  // were computed once in Python, following the placement and the extension
  // line step by step in doubles (math.cos and math.sin of degrees / 180 *
  // pi), printed by the number rule of the note at the top.
  ToolFolder tool;
  WriteBytes(tool / "JWC_TEMP.TXT",
             ExchangeWith("30", kScales100, "hp1 0 0\r\nhp2 1000 0\r\nhp3 0 -400", "lg1"));
  EXPECT_EQ(tool.Run("/k").exitCode, 0);
  std::map<int, std::string> lines = {{23, "1"},    {24, "50"}, {25, "30"},  {26, "0"},
                                      {28, "1000"}, {30, "0"},  {31, "-400"}};
  EXPECT_EQ(ReadBytes(tool / "t407.dat"), SettingsBytes(lines));

  // The pass: the extension line at the picked point and the dimension line,
  // right after the attributes (the text and arrows follow from them as at any angle).
  WriteBytes(tool / "JWC_TEMP.TXT", ExchangeWith("30", kScales100, "hp1 2000 500", "lg1"));
  EXPECT_EQ(tool.Run().exitCode, 0);
  const std::string geometry =
      Attributes("lg1") +
      CrLfLines({"z3", "1950 586.602540378444 1839.711431703 777.627944162882", "z3",
                 "923.205080756888 133.012701892219 1889.711431703 691.025403784439"});
  EXPECT_EQ(ReadBytes(tool / "JWC_TEMP.TXT").substr(0, geometry.size()), geometry);
  lines[28] = "2000";
  lines[29] = "500";
  EXPECT_EQ(ReadBytes(tool / "t407.dat"), SettingsBytes(lines));
}

TEST(quick_pass_e2e, a_reference_that_cannot_be_taken_is_refused_with_he) {
  const char* missing = "基準寸法の３点が指示されていません。";
  const char* noLength = "基準寸法の始点と終点が同じ位置です。";
  const struct {
    const char* axis;
    const char* points;
    bool settings;  // a t407.dat to leave untouched; else none may appear
    const char* message;
  } cases[] = {
      {"0", "hp1 0 0\r\nhp2 1000 0", true, missing},
      {"0", "hp2 1000 0\r\nhp3 0 -600", false, missing},
      {"0", "hp1 5 5\r\nhp2 5 900\r\nhp3 0 -600", true, noLength},
      {"0", "hp1 0 0\r\nhp2 0.0000000001 3\r\nhp3 0 -600", false, noLength},
      // Across the axis: (-500, 866.03) lies at 0 along 30 degrees.
      {"30", "hp1 0 0\r\nhp2 -500 866.025403784439\r\nhp3 0 -600", true, noLength},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.points);
    ToolFolder tool;
    WriteBytes(tool / "JWC_TEMP.TXT", ExchangeWith(c.axis, kScales100, c.points, "lg0"));
    if (c.settings) WriteBytes(tool / "t407.dat", SettingsBytes());

    const RunResult run = tool.Run("/k");

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(ReadBytes(tool / "JWC_TEMP.TXT"), RefusalFile(c.message));
    EXPECT_EQ(run.stderrText, std::string(c.message) + "\n");
    EXPECT_EQ(std::filesystem::exists(tool / "t407.dat"), c.settings);
    if (c.settings) {
      EXPECT_EQ(ReadBytes(tool / "t407.dat"), SettingsBytes());
    }
  }
}

TEST(quick_pass_e2e, a_repeating_refusal_or_an_unknown_argument_writes_only_he) {
  // A refusal under /r has no "hr": Jw_cad shows the reason and the chain
  // ends. An argument t408q does not know runs nothing at all.
  const char* unknown =
      "t408q.exe の起動オプションが正しくありません。/k、/r、/a "
      "のどれかを付けるか、何も付けないで下さい。";
  const struct {
    const char* arguments;
    const char* pick;
    int exitCode;
    const char* message;
  } cases[] = {
      {"/r", "-500 30", 1, "直前作図した水平寸法線の内側を指定する事は出来ません。"},
      {"/x", "1000 0", 2, unknown},
      {"/k /r", "1000 0", 2, unknown},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    ToolFolder tool;
    WriteBytes(tool / "JWC_TEMP.TXT", Exchange(kScales100, c.pick));
    WriteBytes(tool / "t407.dat", SettingsBytes());

    const RunResult run = tool.Run(c.arguments);

    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(ReadBytes(tool / "JWC_TEMP.TXT"), RefusalFile(c.message));
    EXPECT_EQ(ReadBytes(tool / "t407.dat"), SettingsBytes());
  }
}
