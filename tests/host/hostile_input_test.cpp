// Hostile exchange files, read from disk as Jw_cad's file would be: each one
// gives a model stated in advance, with reading going on after the bad part
// wherever the file has more lines.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "host/data_model.h"
#include "host/exchange_reader.h"
#include "tests/support/temp_folder.h"

namespace {

// The file is written to disk and read through ReadExchangeFile, so that long
// lines cross the reader's pieces.
const DataModel& ReadFile(const std::string& bytes) {
  TempFolder folder;
  WriteBytes(folder / "JWC_TEMP.TXT", bytes);
  ResetDataModel();
  EXPECT_TRUE(ReadExchangeFile(folder / "JWC_TEMP.TXT"));
  return gDataModel;
}

std::string Repeat(std::string_view unit, std::size_t times) {
  std::string s;
  s.reserve(unit.size() * times);
  for (std::size_t i = 0; i < times; ++i) s += unit;
  return s;
}

// Every byte value but LF and 0x1A, on one line.
std::string BinaryLine() {
  std::string s;
  for (int b = 0; b < 256; ++b) {
    if (b != '\n' && b != 0x1A) s.push_back(static_cast<char>(b));
  }
  return s;
}

std::string Numbers(int count) {
  std::string s;
  for (int i = 1; i <= count; ++i) s += std::to_string(i) + " ";
  return s;
}

const std::string kCircle = "ci 1 2 3\r\n";
const std::string kPick = "hp1 7 8\r\n";

}  // namespace

TEST(hostile_input, each_hostile_file_reads_to_its_expected_model) {
  struct {
    const char* name;
    std::string bytes;
    std::size_t circles, arcs, lines, entities;
    bool picked;  // picked point 1 read as (7, 8): reading went on past the bad part
  } cases[] = {
      {"empty file: nothing", "", 0, 0, 0, 0, false},
      {"binary line: ignored, the lines after it read", BinaryLine() + "\r\n" + kCircle + kPick, 1,
       0, 0, 1, true},
      {"NUL bytes are dropped from the line", std::string("ci\0 1 2\0 3\r\nhp1\0 7 8\r\n", 23), 1,
       0, 0, 1, true},
      {"LF-only line ends", "ci 1 2 3\nci 4 5 6\nhp1 7 8\n", 2, 0, 0, 2, true},
      // Lines end at LF only: CR-only line ends make one line, whose CR bytes
      // are dropped: "ci 1 2 3ci 4 5 6hp1 7 8" is "ci" with eight more
      // tokens, an arc.
      {"CR-only line ends: one line, read as an arc", "ci 1 2 3\rci 4 5 6\rhp1 7 8\r", 0, 1, 0, 1,
       false},
      {"0x1A between lines ends the file", kCircle + "\x1A" + kCircle + kPick, 1, 0, 0, 1, false},
      {"0x1A inside a line ends the file after that line's start", "ci 1 2 3\x1A 4\r\n" + kPick, 1,
       0, 0, 1, false},
      {"10 MB line of one token: ignored", kCircle + std::string(10 << 20, 'x') + "\r\n" + kPick, 1,
       0, 0, 1, true},
      {"10 MB line of numbers: over 32 tokens, ignored",
       Repeat("12345 ", (10 << 20) / 6) + "\r\n" + kCircle + kPick, 1, 0, 0, 1, true},
      {"a million blanks inside a line count as one",
       "ci" + std::string(1000000, ' ') + "1 2 3\r\n" + kPick, 1, 0, 0, 1, true},
      {"a line of a million blanks: ignored", std::string(1000000, ' ') + "\r\n" + kPick, 0, 0, 0,
       0, true},
      {"10,000 numbers: over 32 tokens, not a straight line", Numbers(10000) + "\r\n" + kPick, 0, 0,
       0, 0, true},
      // The first 32 tokens are kept: "ci" with 31 numbers is an arc.
      {"ci and 10,000 numbers: an arc from the first seven",
       "ci " + Numbers(10000) + "\r\n" + kPick, 0, 1, 0, 1, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const DataModel& m = ReadFile(c.bytes);
    EXPECT_EQ(m.CircleTable.size(), c.circles);
    EXPECT_EQ(m.ArcTable.size(), c.arcs);
    EXPECT_EQ(m.LineTable.size(), c.lines);
    EXPECT_EQ(m.EntityOrder.size(), c.entities);
    EXPECT_EQ(m.PickedPoints[1].IsSet, c.picked);
    if (c.picked) {
      EXPECT_EQ(m.PickedPoints[1].X, 7);
      EXPECT_EQ(m.PickedPoints[1].Y, 8);
    }
  }
}

TEST(hostile_input, ten_thousand_numbers_after_ci_keep_the_first_seven_as_the_arc) {
  const DataModel& m = ReadFile("ci " + Numbers(10000) + "\r\n");
  ASSERT_EQ(m.ArcTable.size(), 1u);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(m.ArcTable[0].Values[i], i + 1);
}

TEST(hostile_input, a_lone_lead_byte_takes_the_next_byte_wherever_it_stands) {
  // "ci 10 20 5" with 0x82 put in before byte `position`. The lead byte and
  // the byte after it are one character: a blank it takes no longer
  // separates, a digit it takes spoils the number (read as 0).
  enum Outcome { kIgnored, kCircle, kLine };
  struct {
    std::size_t position;
    Outcome outcome;
    double x, y, r;  // the circle's values
  } cases[] = {
      {0, kLine, 0, 0, 0},       // "\x82ci" is no keyword: four tokens, a straight line
      {1, kLine, 0, 0, 0},       // "c\x82i" likewise
      {2, kIgnored, 0, 0, 0},    // the blank after "ci" is taken: three tokens
      {3, kCircle, 0, 20, 5},    // "\x8210"
      {4, kCircle, 0, 20, 5},    // "1\x820"
      {5, kIgnored, 0, 0, 0},    // "10\x82 20": three tokens
      {6, kCircle, 10, 0, 5},    // "\x8220"
      {7, kCircle, 10, 0, 5},    // "2\x820"
      {8, kIgnored, 0, 0, 0},    // "20\x82 5": three tokens
      {9, kCircle, 10, 20, 0},   // "\x825"
      {10, kCircle, 10, 20, 5},  // at the line's end the lead byte is dropped
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position);
    std::string line = "ci 10 20 5";
    line.insert(c.position, 1, '\x82');
    const DataModel& m = ReadFile(line + "\r\n" + kPick);
    EXPECT_EQ(m.CircleTable.size(), c.outcome == kCircle ? 1u : 0u);
    EXPECT_EQ(m.LineTable.size(), c.outcome == kLine ? 1u : 0u);
    EXPECT_TRUE(m.PickedPoints[1].IsSet);
    if (c.outcome == kCircle) {
      EXPECT_EQ(m.CircleTable[0].X, c.x);
      EXPECT_EQ(m.CircleTable[0].Y, c.y);
      EXPECT_EQ(m.CircleTable[0].R, c.r);
    }
  }
}

TEST(hostile_input, huge_and_tiny_numbers_read_as_finite_values) {
  struct {
    std::string text;
    double expected;
  } cases[] = {
      {"1e308", 1e308},   {"-1.7976931348623157e308", -1.7976931348623157e308},
      {"1e-320", 1e-320},  // a denormal keeps its value
      {"1e-400", 0},       // below the smallest denormal
      {"1e400", 0},        // no number Jw_cad could use
      {"-1e400", 0},      {"1" + std::string(400, '0'), 0},
      {"inf", 0},         {"nan", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const DataModel& m = ReadFile("hk " + c.text + "\r\nci " + c.text + " 0 1\r\n");
    EXPECT_EQ(m.AxisAngle, c.expected);
    ASSERT_EQ(m.CircleTable.size(), 1u);
    EXPECT_EQ(m.CircleTable[0].X, c.expected);
  }
}

TEST(hostile_input, layer_digits_out_of_range_select_group_and_layer_0) {
  struct {
    const char* lines;
    int group, layer;
  } cases[] = {
      {"lgG 3\r\nly7\r\n", 0, 7}, {"lg 3\r\nlyZ\r\n", 0, 0},          {"lg-1\r\nly-\r\n", 0, 0},
      {"lgF\r\nlyf\r\n", 15, 15}, {"lg\x82\xA0\r\nly\xFF\r\n", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    const DataModel& m = ReadFile(c.lines);
    EXPECT_EQ(m.CurLayerGroup, c.group);
    EXPECT_EQ(m.CurLayer, c.layer);
  }
}

TEST(hostile_input, picked_point_numbers_out_of_range_store_nothing) {
  struct {
    const char* line;
    int stored;  // the point number set, or 0 for none
  } cases[] = {
      {"hp0 5 6", 0},   {"hp100 5 6", 0}, {"hp-1 5 6", 0},  {"hp99999999999 5 6", 0},
      {"hp-99 5 6", 0}, {"hp 5 6", 0},    {"hp99 5 6", 99}, {"hp1ch 5 6", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const DataModel& m = ReadFile(std::string(c.line) + "\r\n");
    int set = 0, count = 0;
    for (int n = 0; n < static_cast<int>(m.PickedPoints.size()); ++n) {
      if (m.PickedPoints[n].IsSet) set = n, ++count;
    }
    EXPECT_EQ(count, c.stored == 0 ? 0 : 1);
    EXPECT_EQ(set, c.stored);
    EXPECT_EQ(m.PickedPointCount, c.stored == 0 ? 0 : 1);
  }
}
