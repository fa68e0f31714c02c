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
#include <string>

#include "tests/support/cp932.h"
#include "tests/support/examples.h"
#include "tests/tool/dialog_fixture.h"
#include "tests/tool/temp_folder.h"
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

  RunResult Run() const {
    // Started from the test's own working folder: the tool must find its files
    // beside itself, not in the current folder.
    std::string command = "'";
    command += (folder_ / "t408q").string();
    command += "' 2>'";
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

// An exchange file as Jw_cad writes it: settings, picked point 1, the
// current attributes and a few entities.
std::string Exchange(const std::string& scales, const std::string& pick,
                     const std::string& layerGroup = "lg0") {
  return CrLfLines({
      "hq",
      ToCp932("file=C:\\jww\\図面\\sample.jww"),
      "hk 0",
      "hs " + scales,
      "hcw 3 2.5 3 4 5 6 7 8 9 10",
      "hch 3 2.5 3 4 5 6 7 8 9 10",
      "hcd 0 0 0.5 0.5 0.5 1 1 1 1 1",
      "hcc    1    1    1    2    2    2    2    2    2    2",
      "hn -5000 -3000 5000 3000",
      "hp1 " + pick,
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
