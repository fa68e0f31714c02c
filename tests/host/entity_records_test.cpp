#include "host/entity_records.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string_view>

#include "host/packed_table.h"

// The field runs of each record type cover every field: a record of every
// kind, each field a value of its own, reads back whole from a PackedTable.

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

TEST(entity_records, every_kind_of_record_reads_back_whole) {
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

}  // namespace
