// Hostile JWC_TEMP.TXT and t407.dat files through the built t408q, each with
// its expected outcome: the exit status, and the files it leaves, byte for
// byte where the outcome is the example's own dimension.
//
// The base is examples/: picked point 1 at (1000, 0) after the reference
// (-1000, 0)-(0, 0) of t407.dat, at 1:100.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/support/cp932.h"
#include "tests/support/examples.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_process.h"

namespace {

struct Outcome {
  ProcessEnd end;
  std::string exchange;  // JWC_TEMP.TXT afterwards
  std::string settings;  // t407.dat afterwards ("" when missing)
};

// `settings` null: t407.dat is a directory.
Outcome RunPass(const std::string& exchange, const std::string* settings) {
  QuickPassFolder folder;
  WriteBytes(folder / "JWC_TEMP.TXT", exchange);
  if (settings != nullptr) {
    WriteBytes(folder / "t407.dat", *settings);
  } else {
    std::filesystem::create_directory(folder / "t407.dat");
  }
  Outcome o;
  o.end = folder.Run();
  o.exchange = ReadBytes(folder / "JWC_TEMP.TXT");
  if (std::filesystem::is_regular_file(folder / "t407.dat")) {
    o.settings = ReadBytes(folder / "t407.dat");
  }
  EXPECT_EQ(settings == nullptr, std::filesystem::is_directory(folder / "t407.dat"));
  EXPECT_EQ(folder.Leftovers(), std::vector<std::string>{});
  return o;
}

// The example's own pass: what every ignored hostile line must leave as it is.
const Outcome& CleanPass() {
  static const Outcome clean = [] {
    const std::string settings = ExampleFile("t407.dat");
    return RunPass(ExampleFile("JWC_TEMP.TXT"), &settings);
  }();
  return clean;
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  std::string out;
  std::size_t start = 0;
  for (std::size_t p = s.find(from); p != std::string_view::npos; p = s.find(from, start)) {
    out.append(s.substr(start, p - start));
    out.append(to);
    start = p + from.size();
  }
  out.append(s.substr(start));
  return out;
}

std::vector<std::string> Lines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    lines.emplace_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// t407.dat with lines (1-based) replaced.
std::string SettingsWith(std::initializer_list<std::pair<int, std::string>> replaced) {
  std::vector<std::string> lines = Lines(ExampleFile("t407.dat"));
  for (const auto& [number, text] : replaced) lines[number - 1] = text;
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

std::string SettingsWithLine(int number, const std::string& text) {
  return SettingsWith({{number, text}});
}

std::string BinaryBytes() {
  std::string s;
  for (int b = 0; b < 256; ++b) s.push_back(static_cast<char>(b));
  return s;
}

std::string Refusal(std::string_view utf8) { return "he" + ToCp932(utf8) + "\r\n"; }

const char* const kInside = "直前作図した水平寸法線の内側を指定する事は出来ません。";
const char* const kNoSettings =
    "t407_水平寸法線が一度も実行されていません。先にそちらを実行して下さい。";
const char* const kBadEndMarkerScale = "設定「端点倍率」の値が正しくありません。";
const char* const kTooLarge = "寸法の座標が大きすぎて作図出来ません。設定の値を確認して下さい。";
const char* const kSettingsIsAFolder =
    "t407.dat を読み込めませんでした（同じ名前のフォルダがあります）。寸法は追加していません。";

// Every line one entry of at most 255 bytes (or a text command and its text,
// each at most 255), and no field Jw_cad cannot read as a number.
void ExpectReadableOutput(const std::string& bytes) {
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  for (const std::string& line : Lines(bytes)) {
    SCOPED_TRACE(line);
    if (line.rfind("cn\"$", 0) == 0 || line.rfind("he", 0) == 0) {
      EXPECT_LE(line.size(), 255u);
      continue;
    }
    const std::size_t quote = line.find('"');
    const std::string command = line.substr(0, quote == std::string::npos ? line.size() : quote);
    EXPECT_LE(command.size() + 1, 256u);
    if (quote != std::string::npos) {
      EXPECT_LE(line.size() - quote - 1, 255u);
    }
    std::string lower = command;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(lower.find("inf"), std::string::npos);
    EXPECT_EQ(lower.find("nan"), std::string::npos);
  }
}

}  // namespace

TEST(hostile_files_e2e, ignored_hostile_exchange_lines_leave_the_example_dimension) {
  const std::string example = ExampleFile("JWC_TEMP.TXT");
  const std::string settings = ExampleFile("t407.dat");
  std::string leadBytes;
  for (std::size_t p = 0; p <= 10; ++p) {
    std::string line = "ci 10 20 5";
    line.insert(p, 1, '\x82');
    leadBytes += line + "\r\n";
  }
  std::string tenThousand;
  for (int i = 1; i <= 10000; ++i) tenThousand += std::to_string(i) + " ";
  struct {
    const char* name;
    std::string exchange;
  } cases[] = {
      {"binary line first", ReplaceAll(BinaryBytes(), "\x1A", "") + "\r\n" + example},
      {"NUL bytes in lines", std::string("\0\0\r\nci\0 1 2 3\0\r\n", 16) + example},
      {"a lone lead byte at every position of an entity line", leadBytes + example},
      {"a lone lead byte ending the file", example + "\x82"},
      {"LF-only line ends", ReplaceAll(example, "\r\n", "\n")},
      {"0x1A hides a picked point inside the reference", example + "\x1Ahp1 -500 0\r\n"},
      {"a 10 MB line", std::string(10 << 20, '7') + "\r\n" + example},
      {"a million blanks", std::string(1000000, ' ') + "\r\n" + example},
      {"10,000 tokens", tenThousand + "\r\n" + example},
      {"huge and tiny numbers in an entity", "1e308 1e-320 1e400 5\r\n" + example},
      {"an axis angle of 1e400 reads as 0", example + "hk 1e400\r\n"},
      {"layer digits out of range read as 0", "lgG\r\nlyZ\r\n" + example},
      {"picked-point numbers out of range", example + "hp0 1 2\r\nhp100 3 4\r\nhp-1 5 6\r\n"},
  };
  const Outcome& clean = CleanPass();
  ASSERT_TRUE(clean.end.exited);
  ASSERT_EQ(clean.end.status, 0);
  EXPECT_EQ(clean.exchange, ExampleFile("expected/JWC_TEMP.TXT"));
  EXPECT_EQ(clean.settings, ExampleFile("expected/t407.dat"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome o = RunPass(c.exchange, &settings);
    EXPECT_TRUE(o.end.exited);
    EXPECT_EQ(o.end.status, 0);
    EXPECT_EQ(o.exchange, clean.exchange);
    EXPECT_EQ(o.settings, clean.settings);
  }
}

TEST(hostile_files_e2e, hostile_files_give_their_refusal_and_keep_t407_dat) {
  const std::string example = ExampleFile("JWC_TEMP.TXT");
  const std::string settings = ExampleFile("t407.dat");
  struct {
    const char* name;
    std::string exchange;
    std::string settings;  // "/" stands for a t407.dat that is a directory
    const char* message;
  } cases[] = {
      // No picked point 1 is the point (0, 0), on the reference's end.
      {"empty exchange file: inside", "", settings, kInside},
      {"binary exchange file: inside", BinaryBytes(), settings, kInside},
      // One line: only "file=" is understood, so no picked point either.
      {"CR-only exchange file: inside", ReplaceAll(example, "\r\n", "\r"), settings, kInside},
      {"picked point at 1e400 reads as 0: inside", ReplaceAll(example, "hp1 1000 0", "hp1 1e400 0"),
       settings, kInside},
      // A missing line 8 leaves the end-marker scale empty: 0 fails its check.
      {"empty t407.dat: end-marker scale", example, "", kBadEndMarkerScale},
      {"binary t407.dat: 0x1A ends it on line 2", example, BinaryBytes(), kBadEndMarkerScale},
      {"NUL after the end-marker scale", example, SettingsWithLine(8, std::string("1\0", 2)),
       kBadEndMarkerScale},
      {"CR-only t407.dat is one line", example, ReplaceAll(settings, "\r\n", "\r"),
       kBadEndMarkerScale},
      // A reference end at 1e308 at scale 1 is infinite at 1:100: every
      // point lies inside it.
      {"reference end at 1e308", example, SettingsWith({{24, "1"}, {28, "1e308"}}), kInside},
      {"t407.dat is a directory", example, "/", kSettingsIsAFolder},
      // At 1:100 a distance of 1e307 paper mm is no finite place: refused,
      // rather than written as 0, which would put the text at the origin. (A
      // gap that large starts the extension line on the dimension line.)
      {"text gap 1e307", example, SettingsWithLine(11, "1e307"), kTooLarge},
      {"extension overshoot 1e307", example, SettingsWithLine(13, "1e307"), kTooLarge},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const bool directory = c.settings == "/";
    const Outcome o = RunPass(c.exchange, directory ? nullptr : &c.settings);
    EXPECT_TRUE(o.end.exited);
    EXPECT_EQ(o.end.status, 1);
    EXPECT_EQ(o.exchange, Refusal(c.message));
    if (!directory) {
      EXPECT_EQ(o.settings, c.settings);
    }
  }
}

TEST(hostile_files_e2e, hostile_t407_dat_values_give_the_expected_dimension) {
  const std::string example = ExampleFile("JWC_TEMP.TXT");
  const Outcome& clean = CleanPass();
  using Saved = std::vector<std::string>;
  struct {
    const char* name;
    std::string settings;
    Saved reference;  // lines 23 to 31 saved; empty: everything as for the example
  } cases[] = {
      {"LF-only line ends", ReplaceAll(ExampleFile("t407.dat"), "\r\n", "\n"), {}},
      {"reference layer group 16 reads as 0", SettingsWithLine(23, "16"), {}},
      {"reference layer group -1 reads as 0", SettingsWithLine(23, "-1"), {}},
      // The reference (-1000, 0)-(0, 0), line point (0, -500), read at scale
      // 1.0 is 100 times larger at the drawing's 1:100: the pass measures
      // from (0, 0) to (1000, 0) on the line y = -50000.
      {"scale 1e-320 is no scale: 1.0",
       SettingsWithLine(24, "1e-320"),
       {"0", "100", "0", "-100000", "0", "1000", "0", "0", "-50000"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome o = RunPass(example, &c.settings);
    EXPECT_TRUE(o.end.exited);
    EXPECT_EQ(o.end.status, 0);
    ExpectReadableOutput(o.exchange);
    const std::vector<std::string> saved = Lines(o.settings);
    ASSERT_EQ(saved.size(), 31u);
    if (c.reference.empty()) {
      EXPECT_EQ(o.exchange, clean.exchange);
      EXPECT_EQ(o.settings, clean.settings);
    } else {
      EXPECT_EQ(Saved(saved.begin() + 22, saved.end()), c.reference);
      EXPECT_NE(o.exchange.find("\r\n0 -50000 1000 -50000\r\n"), std::string::npos);
    }
  }
}

TEST(hostile_files_e2e, t407_dat_ending_after_line_22_gives_a_reference_at_the_origin) {
  // 0x1A ends the file: lines 23 to 31 read as empty, so the reference is
  // the point (0, 0) with its line through (0, 0), at scale 1.0.
  std::string settings;
  const std::vector<std::string> lines = Lines(ExampleFile("t407.dat"));
  for (int i = 0; i < 22; ++i) settings += lines[i] + "\r\n";
  settings +=
      "\x1A"
      "0\r\n100\r\n";
  const Outcome o = RunPass(ExampleFile("JWC_TEMP.TXT"), &settings);
  EXPECT_TRUE(o.end.exited);
  EXPECT_EQ(o.end.status, 0);
  const std::vector<std::string> saved = Lines(o.settings);
  ASSERT_EQ(saved.size(), 31u);
  // The new reference runs from (0, 0) to the picked point (1000, 0).
  EXPECT_EQ(std::vector<std::string>(saved.begin() + 22, saved.end()),
            (std::vector<std::string>{"0", "100", "0", "0", "0", "1000", "0", "0", "0"}));
  EXPECT_NE(o.exchange.find("\r\n0 0 1000 0\r\n"), std::string::npos);
}

TEST(hostile_files_e2e, a_ten_megabyte_prefix_is_cut_to_255_bytes_in_the_output_only) {
  const std::string prefix(10 << 20, 'x');
  const std::string settings = SettingsWithLine(9, prefix);
  const Outcome o = RunPass(ExampleFile("JWC_TEMP.TXT"), &settings);
  EXPECT_TRUE(o.end.exited);
  EXPECT_EQ(o.end.status, 0);
  ExpectReadableOutput(o.exchange);
  // The value text is the prefix and the number, cut to its first 255 bytes.
  EXPECT_NE(o.exchange.find("\"" + std::string(255, 'x') + "\r\n"), std::string::npos);
  // t407.dat keeps the prefix whole, as the dialog shows it.
  const std::vector<std::string> saved = Lines(o.settings);
  ASSERT_EQ(saved.size(), 31u);
  EXPECT_EQ(saved[8], prefix);
}

TEST(hostile_files_e2e, huge_coordinates_never_write_inf_or_nan) {
  const std::string example = ExampleFile("JWC_TEMP.TXT");
  const std::string settings = ExampleFile("t407.dat");
  struct {
    const char* pick;
  } cases[] = {{"hp1 1e308 0"},
               {"hp1 1e308 1e308"},
               {"hp1 -1e308 0"},
               {"hp1 1.7976931348623157e308 -1.7976931348623157e308"},
               {"hp1 1e-320 1e-320"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pick);
    const Outcome o = RunPass(ReplaceAll(example, "hp1 1000 0", c.pick), &settings);
    EXPECT_TRUE(o.end.exited);
    EXPECT_TRUE(o.end.status == 0 || o.end.status == 1);
    ExpectReadableOutput(o.exchange);
    if (o.settings != settings) {
      EXPECT_EQ(Lines(o.settings).size(), 31u);
    }
  }
}

TEST(hostile_files_e2e, a_font_name_ending_in_a_quote_keeps_the_next_command_on_its_own_line) {
  // The font line is written as cn"$<name>; a name ending in a quote would
  // take the next command (here the extension line's z3) onto its line.
  const std::string example =
      ReplaceAll(ExampleFile("JWC_TEMP.TXT"), ToCp932("cn\"$<ＭＳ ゴシック>"), "cn\"$abc\"\"");
  const std::string settings = ExampleFile("t407.dat");
  const Outcome o = RunPass(example, &settings);
  EXPECT_EQ(o.end.status, 0);
  const std::vector<std::string> lines = Lines(o.exchange);
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[6], "cn\"$abc");
  EXPECT_EQ(lines[7], "z3");
  // Apart from the font line, the clean example's commands.
  std::vector<std::string> clean = Lines(CleanPass().exchange);
  clean[6] = lines[6];
  EXPECT_EQ(lines, clean);
}
