#include "host/packed_table.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "host/entity_records.h"

namespace {

EntityHeader Header(int first) {
  return EntityHeader{first, first + 1, first + 2, first + 3, first + 4, first + 5, first + 6};
}

// Appends `record` twice (the second time its shared fields are those of the
// record before) and reads both back: `expected` is the record with its
// numbers set to the tokens' values by the caller.
template <class Record, std::size_t N>
void ExpectKept(const Record& record, const std::array<std::string_view, N>& tokens,
                const Record& expected) {
  PackedTable<Record> table;
  ASSERT_EQ(table.Append(record, tokens), 0u);
  ASSERT_EQ(table.Append(record, tokens), 1u);
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[0], expected);
  EXPECT_EQ(table[1], expected);
}

TEST(packed_table, every_kind_of_record_reads_back_whole) {
  {
    SCOPED_TRACE("line");
    LineRecord r{Header(10), 21};
    LineRecord e = r;
    e.X1 = 1, e.Y1 = -2, e.X2 = 3.5, e.Y2 = 4e3;
    ExpectKept(r, std::array<std::string_view, 4>{"1", "-2", "3.5", "4e3"}, e);
  }
  {
    SCOPED_TRACE("circle");
    CircleRecord r{Header(20)};
    CircleRecord e{Header(20), 1, 2, 3};
    ExpectKept(r, std::array<std::string_view, 3>{"1", "2", "3"}, e);
  }
  {
    SCOPED_TRACE("arc");
    ArcRecord r{Header(30)};
    ArcRecord e{Header(30), {1, 2, 3, 4, 5, 6, 7}};
    ExpectKept(r, std::array<std::string_view, 7>{"1", "2", "3", "4", "5", "6", "7"}, e);
  }
  TextRecord text{Header(40), 3, 4, 5, 6.5, 7.5, -0.0, 0, 0, 0, 0, TextRef{8, 9}, TextRef{10, 11}};
  {
    SCOPED_TRACE("text");
    TextRecord e = text;
    e.X = 1, e.Y = 2, e.DX = 3, e.DY = 4;
    ExpectKept(text, std::array<std::string_view, 4>{"1", "2", "3", "4"}, e);
    PackedTable<TextRecord> table;
    table.Append(text, std::array<std::string_view, 4>{"1", "2", "3", "4"});
    EXPECT_TRUE(std::signbit(table[0].Spacing));  // kept byte for byte
  }
  {
    SCOPED_TRACE("point");
    PointRecord r{Header(50)};
    PointRecord e{Header(50), 1, 2};
    ExpectKept(r, std::array<std::string_view, 2>{"1", "2"}, e);
  }
  {
    SCOPED_TRACE("coded point");
    CodedPointRecord r{Header(60), 0, 0, 0, 0, 61};
    CodedPointRecord e{Header(60), 1, 2, 3, 4, 61};
    ExpectKept(r, std::array<std::string_view, 4>{"1", "2", "3", "4"}, e);
  }
  {
    SCOPED_TRACE("dimension");
    DimensionRecord r{LineRecord{Header(70), 0, 1, 2, 3, -0.0}, text};
    DimensionRecord e = r;
    e.Text.X = 5, e.Text.Y = 6, e.Text.DX = 7, e.Text.DY = 8;
    ExpectKept(r, std::array<std::string_view, 4>{"5", "6", "7", "8"}, e);
  }
  {
    SCOPED_TRACE("block");
    BlockRecord r{Header(80), 0, 0, TextRef{81, 82}};
    BlockRecord e{Header(80), 1, 2, TextRef{81, 82}};
    ExpectKept(r, std::array<std::string_view, 2>{"1", "2"}, e);
  }
  {
    SCOPED_TRACE("solids");
    ExpectKept(Solid2Record{Header(90), 91}, std::array<std::string_view, 4>{"1", "2", "3", "4"},
               Solid2Record{Header(90), 91, 1, 2, 3, 4});
    ExpectKept(Solid3Record{Header(90), 92},
               std::array<std::string_view, 6>{"1", "2", "3", "4", "5", "6"},
               Solid3Record{Header(90), 92, 1, 2, 3, 4, 5, 6});
    ExpectKept(Solid4Record{Header(90), 93},
               std::array<std::string_view, 8>{"1", "2", "3", "4", "5", "6", "7", "8"},
               Solid4Record{Header(90), 93, 1, 2, 3, 4, 5, 6, 7, 8});
    ExpectKept(SolidCodeRecord{Header(90), 94, {}, 95},
               std::array<std::string_view, 7>{"1", "2", "3", "4", "5", "6", "7"},
               SolidCodeRecord{Header(90), 94, {1, 2, 3, 4, 5, 6, 7}, 95});
    ExpectKept(SolidEightRecord{Header(90), 96},
               std::array<std::string_view, 8>{"1", "2", "3", "4", "5", "6", "7", "8"},
               SolidEightRecord{Header(90), 96, {1, 2, 3, 4, 5, 6, 7, 8}});
  }
}

// Records whose shared fields change in runs of every length, across the
// every-64th records that carry them and across blocks, with now and then a
// token longer than a whole block: read back in any order.
TEST(packed_table, records_read_back_in_any_order_across_runs_checkpoints_and_blocks) {
  std::mt19937 random(408);
  PackedTable<LineRecord> table;
  std::vector<LineRecord> expected;
  std::vector<std::string> texts(4);
  int tag = 0;
  for (int i = 0; i < 20000; ++i) {
    if (random() % 40 == 0) tag = static_cast<int>(random() % 5);
    LineRecord r{Header(tag), i % 100 < 3 ? i : 0};
    texts[0] = std::to_string(i);
    texts[0] += ".25";
    texts[1] = "-";
    texts[1] += std::to_string(random() % 100000);
    texts[1] += ".";
    texts[1] += std::to_string(random() % 1000000);
    texts[2] = i % 997 == 0 ? std::string(300000, '1') : "1e";
    texts[2] += std::to_string(i % 300);
    texts[3] = i % 13 == 0 ? "x" : std::to_string(i) + "." + std::to_string(i);
    ASSERT_EQ(
        table.Append(r, std::array<std::string_view, 4>{texts[0], texts[1], texts[2], texts[3]}),
        static_cast<std::size_t>(i));
    // What TextToReal gives, from the C library's correctly rounded reading.
    r.X1 = std::strtod(texts[0].c_str(), nullptr), r.Y1 = std::strtod(texts[1].c_str(), nullptr);
    r.X2 = std::strtod(texts[2].c_str(), nullptr);
    if (std::isinf(r.X2)) r.X2 = 0;
    r.Y2 = i % 13 == 0 ? 0 : std::strtod(texts[3].c_str(), nullptr);
    expected.push_back(r);
  }
  ASSERT_EQ(table.size(), expected.size());
  EXPECT_EQ(table.back(), expected.back());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    ASSERT_EQ(table[i], expected[i]);
  }
  for (int n = 0; n < 2000; ++n) {
    const std::size_t i = random() % expected.size();
    SCOPED_TRACE(i);
    ASSERT_EQ(table[i], expected[i]);
  }
}

TEST(packed_table, clear_empties_and_allows_reuse) {
  PackedTable<PointRecord> table;
  for (int i = 0; i < 100; ++i)
    table.Append(PointRecord{}, std::array<std::string_view, 2>{"1", "2"});
  table.clear();
  EXPECT_TRUE(table.empty());
  EXPECT_EQ(table.Append(PointRecord{}, std::array<std::string_view, 2>{"5", "6"}), 0u);
  EXPECT_EQ(table[0].X, 5);
  EXPECT_EQ(table.size(), 1u);
}

}  // namespace
