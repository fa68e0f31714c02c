// Tests of the exchange-file reader.
//
// Sections: settings and attributes (every keyword row and its
// count, the fall-through of short lines); picked points and entity tags;
// entities (tables, fields, colours, texts, solids); modes (polylines,
// dimension figures); bytes into lines (line ends, CR, 0x1A, long lines,
// reading a file).

#include "host/exchange_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "host/data_model.h"
#include "tests/support/cp932.h"
#include "tests/support/entity_tables.h"

namespace {

const DataModel& Read(std::string_view file) {
  ResetDataModel();
  ParseExchangeBytes(file);
  return gDataModel;
}

// ---- Settings and attributes ---------------------------------------------------

TEST(exchange_reader, settings_rows_need_their_token_counts) {
  struct {
    const char* file;
    double (*get)();
    double expected;
  } cases[] = {
      {"hk 30\n", [] { return gDataModel.AxisAngle; }, 30},
      {"hk\n", [] { return gDataModel.AxisAngle; }, 0},
      {"HK 30\n", [] { return gDataModel.AxisAngle; }, 0},
      {"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\n", [] { return gDataModel.LayerGroupScale[15]; },
       16},
      {"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\n", [] { return gDataModel.LayerGroupScale[0]; },
       1 * 1.0},
      {"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15\n", [] { return gDataModel.LayerGroupScale[14]; },
       1},
      {"hzs 420 297\n", [] { return gDataModel.SheetHeight; }, 297},
      {"hzs 420\n", [] { return gDataModel.SheetWidth; }, 1189},
      {"hcw 1 2 3 4 5 6 7 8 9 10\n", [] { return gDataModel.TextTypeTable[10].Width; }, 10},
      {"hcw 1 2 3 4 5 6 7 8 9\n", [] { return gDataModel.TextTypeTable[1].Width; }, 3},
      {"hch 1 2 3 4 5 6 7 8 9 10\n", [] { return gDataModel.TextTypeTable[2].Height; }, 2},
      {"hcd 1 2 3 4 5 6 7 8 9 .5\n", [] { return gDataModel.TextTypeTable[10].Spacing; }, 0.5},
      {"hcc 1 2 3 4 5 6 7 8 9 10\n", [] { return double(gDataModel.TextTypeTable[9].Color); }, 9},
      {"hcc 1 2 3 4 5 6 7 8 9 1.5\n", [] { return double(gDataModel.TextTypeTable[10].Color); }, 0},
      {"bz\n", [] { return double(gDataModel.BzFlag); }, 1},
      {"bz 1 2\n", [] { return double(gDataModel.BzFlag); }, 1},
      {"hn 1 2 3 4\n", [] { return gDataModel.HnValues[4]; }, 4},
      {"hn 1 2 3\n", [] { return gDataModel.HnValues[1]; }, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    Read(c.file);
    EXPECT_EQ(c.get(), c.expected);
  }
}

TEST(exchange_reader, short_keyword_lines_fall_through_to_later_rows) {
  struct {
    const char* file;
    std::size_t lines, circles, points, texts;
    double x1, y1, x2, y2;  // of the first straight line
  } cases[] = {
      {"hs 1 2 3\n", 1, 0, 0, 0, 0, 1, 2, 3},
      {"hcw 1 2 3\n", 1, 0, 0, 0, 0, 1, 2, 3},
      {"hn 7 8 9\n", 1, 0, 0, 0, 0, 7, 8, 9},
      {"pt 1 2 3\n", 1, 0, 0, 0, 0, 1, 2, 3},
      {"sl 1 2 3\n", 1, 0, 0, 0, 0, 1, 2, 3},
      {"ch 1 2 3\n", 1, 0, 0, 0, 0, 1, 2, 3},
      {"ci 1 2 3\n", 0, 1, 0, 0, 0, 0, 0, 0},
      {"ci 1 2\n", 0, 0, 0, 0, 0, 0, 0, 0},
      {"ci 1 2 3 4 5\n", 0, 0, 0, 0, 0, 0, 0, 0},
      {"ci 1 2 3 4 5 6\n", 0, 0, 0, 0, 0, 0, 0, 0},
      {"pt 1 2 3 4\n", 0, 0, 0, 0, 0, 0, 0, 0},
      {"ch 1 2 3 4\n", 0, 0, 0, 0, 0, 0, 0, 0},
      {"ch 1 2 3 4 \"t\n", 0, 0, 0, 1, 0, 0, 0, 0},
      {"hp1 2 3\n", 0, 0, 0, 0, 0, 0, 0, 0},
      // Rows that take any count never fall through, whatever follows.
      {"lc 1 2 3\n", 0, 0, 0, 0, 0, 0, 0, 0},
      {"hhp1 1 2 3\n", 0, 0, 0, 0, 0, 0, 0, 0},
      {"hp1 2\n", 0, 0, 0, 0, 0, 0, 0, 0},
      {"hp1 2 3 4\n", 0, 0, 0, 0, 0, 0, 0, 0},
      {"pt 1 2\n", 0, 0, 1, 0, 0, 0, 0, 0},
      {"abc 1.5 -2 1e1\n", 1, 0, 0, 0, 0, 1.5, -2, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const DataModel& m = Read(c.file);
    EXPECT_EQ(m.LineTable.size(), c.lines);
    EXPECT_EQ(m.CircleTable.size(), c.circles);
    EXPECT_EQ(m.PointTable.size(), c.points);
    EXPECT_EQ(m.TextTable.size(), c.texts);
    if (c.lines > 0) {
      EXPECT_EQ(m.LineTable[0].X1, c.x1);
      EXPECT_EQ(m.LineTable[0].Y1, c.y1);
      EXPECT_EQ(m.LineTable[0].X2, c.x2);
      EXPECT_EQ(m.LineTable[0].Y2, c.y2);
    }
  }
}

TEST(exchange_reader, first_attribute_line_sets_current_and_later_ones_the_state) {
  struct {
    const char* file;
    int current, state;
    int DataModel::*cur;
    int AttributeState::*attr;
  } cases[] = {
      {"lg2\nlg3\n", 2, 3, &DataModel::CurLayerGroup, &AttributeState::LayerGroup},
      {"lgA\n", 10, 10, &DataModel::CurLayerGroup, &AttributeState::LayerGroup},
      {"lgf\n", 15, 15, &DataModel::CurLayerGroup, &AttributeState::LayerGroup},
      {"lgG\n", 0, 0, &DataModel::CurLayerGroup, &AttributeState::LayerGroup},
      {"lg\n", 0, 0, &DataModel::CurLayerGroup, &AttributeState::LayerGroup},
      {"lg12\n", 1, 1, &DataModel::CurLayerGroup, &AttributeState::LayerGroup},
      {"ly5\nlyB\n", 5, 11, &DataModel::CurLayer, &AttributeState::Layer},
      {"ly-\n", 0, 0, &DataModel::CurLayer, &AttributeState::Layer},
      {"lc3\nlc10 4\n", 3, 10, &DataModel::CurPenColor, &AttributeState::PenColor},
      {"lt2\nlt9\n", 2, 9, &DataModel::CurLineType, &AttributeState::LineType},
      {"lw1\nlw$A\n", 1, 10, &DataModel::CurLineWidth, &AttributeState::LineWidth},
      {"cn4\ncn7\n", 4, 7, &DataModel::CurTextType, &AttributeState::TextType},
      {"cnx\n", 0, 0, &DataModel::CurTextType, &AttributeState::TextType},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const DataModel& m = Read(c.file);
    EXPECT_EQ(m.*c.cur, c.current);
    EXPECT_EQ(m.AttrState.*c.attr, c.state);
  }
}

TEST(exchange_reader, no_attribute_lines_leave_the_current_start_values) {
  const DataModel& m = Read("hk 0\n 0 0 1 1\n");
  int got[] = {m.CurLayerGroup, m.CurLayer,     m.CurPenColor,
               m.CurLineType,   m.CurLineWidth, m.CurTextType};
  int expected[] = {0, 0, 1, 1, 0, 1};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got[i], expected[i]);
  }
}

TEST(exchange_reader, layer_lines_set_states_and_names_of_the_current_group) {
  const DataModel& m = Read("lg2 7\nly3 5\nlgnName word\nlynLayer\nlg4\nlyF 9\nlgn\nlgnG4\n");
  EXPECT_EQ(m.LayerGroupState[2], 7);
  EXPECT_EQ(m.LayerState[2 * 16 + 3], 5);
  EXPECT_EQ(m.LayerGroupName[2], "Name");
  EXPECT_EQ(m.LayerName[2 * 16 + 3], "Layer");
  EXPECT_EQ(m.LayerState[4 * 16 + 15], 9);
  EXPECT_EQ(m.LayerGroupName[4], "G4");
  EXPECT_EQ(m.LayerGroupState[4], 0);
}

TEST(exchange_reader, text_type_zero_sets_free_sizes_only_with_four_values) {
  struct {
    const char* file;
    int curType;
    double curWidth, curHeight, curSpacing;
    int curColor;
    double stateWidth;
    int stateColor;
  } cases[] = {
      {"cn0 5 6 .5 3\n", 0, 5, 6, 0.5, 3, 5, 3},
      {"cn0 5 6 .5\n", 0, 2, 2, 0, 1, 2, 1},
      {"cn3 5 6 .5 3\n", 3, 2, 2, 0, 1, 2, 1},
      // Only the first "cn" line sets the current values; every one the state.
      {"cn1\ncn0 7 8 9 4\n", 1, 2, 2, 0, 1, 7, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const DataModel& m = Read(c.file);
    EXPECT_EQ(m.CurTextType, c.curType);
    EXPECT_EQ(m.CurFreeTextWidth, c.curWidth);
    EXPECT_EQ(m.CurFreeTextHeight, c.curHeight);
    EXPECT_EQ(m.CurFreeTextSpacing, c.curSpacing);
    EXPECT_EQ(m.CurFreeTextColor, c.curColor);
    EXPECT_EQ(m.AttrState.TextWidth, c.stateWidth);
    EXPECT_EQ(m.AttrState.TextColor, c.stateColor);
  }
}

TEST(exchange_reader, font_lines_keep_the_first_as_current) {
  struct {
    const char* file;
    const char* current;
    const char* state;
  } cases[] = {
      {"cn$A\ncn$B\n", "A", "B"},
      {"cn$\ncn$B\n", "B", "B"},
      {"cn$A B\n", "A", "A"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const DataModel& m = Read(c.file);
    EXPECT_EQ(m.CurFontName, c.current);
    EXPECT_EQ(m.AttrState.FontName, c.state);
  }
}

TEST(exchange_reader, small_attribute_rows_read_their_values) {
  struct {
    const char* file;
    int (*get)();
    int expected;
  } cases[] = {
      {"cc3\n", [] { return gDataModel.AttrState.TextCC; }, 3},
      {"cc8\n", [] { return gDataModel.AttrState.TextCC; }, 8},
      {"cc9\n", [] { return gDataModel.AttrState.TextCC; }, 0},
      {"cc35\n", [] { return gDataModel.AttrState.TextCC; }, 3},
      {"cc\n", [] { return gDataModel.AttrState.TextCC; }, 0},
      {"pn4\n", [] { return gDataModel.AttrState.PointColor; }, 4},
      {"lc10 6\n", [] { return gDataModel.AttrState.SolidColor; }, 6},
      {"lc10\n", [] { return gDataModel.AttrState.SolidColor; }, 0},
      {"lc9 6\n", [] { return gDataModel.AttrState.SolidColor; }, 0},
      {"z1\nz3\nz1\n", [] { return gDataModel.AttrState.ZFlags; }, 5},
      {"z2\nz4\nz5\n", [] { return gDataModel.AttrState.ZFlags; }, 26},
      {"z6\n", [] { return gDataModel.AttrState.ZFlags; }, 0},
      {"pl\npl\n", [] { return gDataModel.AttrState.PolylineCount; }, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    Read(c.file);
    EXPECT_EQ(c.get(), c.expected);
  }
}

TEST(exchange_reader, file_name_is_everything_after_file_equals) {
  struct {
    const char* file;
    const char* name;
  } cases[] = {
      {"file=C:\\jww\\a b.jww\n", "C:\\jww\\a b.jww"},
      {"file=\n", ""},
      {"xfile=abc\n", "=abc"},
      {"1 2 3 file=x\n", ""},
      // "file=" anywhere in tokens of 8 to 16 bytes, tested as two words.
      {"file=abc\n", "abc"},
      {"abcfile=\n", "le="},
      {"123456789file=\n", "6789file="},
      {"abcdfile=1234567\n", "ile=1234567"},
      // After "=" the rest of the line is one token.
      {"12345678=abc file=\n", "678=abc file="},
      {"123456file\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(Read(c.file).DrawingFileName, c.name);
  }
}

// ---- Picked points and entity tags ---------------------------------------------

TEST(exchange_reader, picked_points_are_stored_for_numbers_1_to_99) {
  struct {
    const char* file;
    int number;  // 0: nothing stored
    int kind;
  } cases[] = {
      {"hp1 5 6\n", 1, 0},
      {"hp1- 5 6\n", 1, 1},
      {"hp1ln 5 6\n", 1, 2},
      {"hp1ci 5 6\n", 1, 3},
      {"hp1ch 5 6\n", 1, 4},
      {"hp99 5 6\n", 99, 0},
      {"hp0 5 6\n", 0, 0},
      {"hp100 5 6\n", 0, 0},
      {"hp-1 5 6\n", 0, 0},
      {"hp 5 6\n", 0, 0},
      {"hp12ch 5 6 7 8\n", 12, 4},
      // Later marks override earlier ones, number text included.
      {"hp3-ln 5 6\n", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const DataModel& m = Read(c.file);
    EXPECT_EQ(m.PickedPointCount, c.number ? 1 : 0);
    int stored = 0;
    for (int i = 0; i < 100; ++i) {
      if (m.PickedPoints[i].IsSet) stored = i;
    }
    EXPECT_EQ(stored, c.number);
    if (c.number) {
      const PickedPoint& p = m.PickedPoints[c.number];
      EXPECT_EQ(p.X, 5);
      EXPECT_EQ(p.Y, 6);
      EXPECT_EQ(p.Kind, c.kind);
    }
  }
}

TEST(exchange_reader, entity_tags_read_the_number_before_the_mark) {
  struct {
    const char* file;
    int tag;
  } cases[] = {
      {"hhp7\n", 7}, {"hhp12ci\n", 12}, {"hhp12ln\n", 12}, {"hhp3ch\n", 3},
      {"hhp\n", 0},  {"hhpln\n", 0},    {"hhp5x\n", 0},    {"hhp1\nhhp2\n", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(Read(c.file).AttrState.EntityTag, c.tag);
  }
}

TEST(exchange_reader, entity_tag_and_attributes_go_into_every_header) {
  const DataModel& m = Read("hhp4\nlg2\nly3\nlc5\nlt6\nlw7\nz2\n 0 0 1 1\nci 0 0 1\n");
  ASSERT_EQ(m.LineTable.size(), 1u);
  const EntityHeader& h = m.LineTable[0].Header;
  int got[] = {h.EntityTag, h.LayerGroup, h.Layer, h.PenColor, h.LineType, h.LineWidth, h.ZFlags};
  int expected[] = {4, 2, 3, 5, 6, 7, 2};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got[i], expected[i]);
  }
  // z flags are modifiers of one entity only.
  EXPECT_EQ(m.CircleTable[0].Header.ZFlags, 0);
  EXPECT_EQ(m.CircleTable[0].Header.EntityTag, 4);
}

// ---- Entities ---------------------------------------------------------------------

TEST(exchange_reader, each_entity_row_fills_its_table_and_the_order) {
  struct {
    const char* line;
    EntityKind kind;
  } cases[] = {
      {" 1 2 3 4", EntityKind::Line},         {"ci 1 2 3", EntityKind::Circle},
      {"ci 1 2 3 4 5 6 7", EntityKind::Arc},  {"ch 1 2 3 4 \"t", EntityKind::Text},
      {"pt 1 2", EntityKind::Point},          {"pt 1 2 3 4 5", EntityKind::CodedPoint},
      {"BL 1 2 name", EntityKind::Block},     {"sl 1 2 3 4", EntityKind::Solid2},
      {"sl 1 2 3 4 5 6", EntityKind::Solid3}, {"sl 1 2 3 4 5 6 7 8", EntityKind::Solid4},
      {"sc 1 2 3 4 5 6 7 8", EntityKind::Sc}, {"se 1 2 3 4 5 6 7 8", EntityKind::Se},
      {"so 1 2 3 4 5 6 7 8", EntityKind::So}, {"sg 1 2 3 4 5 6 7 8", EntityKind::Sg},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const DataModel& m = Read(std::string(c.line) + "\n" + c.line + "\n");
    for (int k = 1; k <= 15; ++k) {
      SCOPED_TRACE(k);
      const EntityKind kind = static_cast<EntityKind>(k);
      EXPECT_EQ(EntityTableSize(m, kind), kind == c.kind ? 2u : 0u);
    }
    ASSERT_EQ(m.EntityOrder.size(), 2u);
    ASSERT_EQ(m.EntityOrder[0].Kind, c.kind);
    EXPECT_EQ(m.EntityOrder[1].Kind, c.kind);
    EXPECT_EQ(m.EntityOrder[0].Index, 0);
    EXPECT_EQ(m.EntityOrder[1].Index, 1);
  }
}

TEST(exchange_reader, entity_fields_are_read_in_order) {
  const DataModel& m = Read(
      "ci 1 2 3 4 5 6 7 8\npt 1 2 3 4 5\nBL 1 2 door one\nsc 1 2 3 4 5 6 7 8\n"
      "so 1 2 3 4 5 6 7 8 9\n");
  for (int i = 0; i < 7; ++i) EXPECT_EQ(m.ArcTable[0].Values[i], i + 1);
  const CodedPointRecord& p = m.CodedPointTable[0];
  EXPECT_EQ(p.X + 10 * p.Y + 100 * p.Scale + 1000 * p.Angle, 4321);
  EXPECT_EQ(p.Code, 5);
  EXPECT_EQ(m.BlockTable[0].X, 1);
  EXPECT_EQ(m.BlockTable[0].Y, 2);
  EXPECT_EQ(m.TextOf(m.BlockTable[0].Name), "door");
  for (int i = 0; i < 7; ++i) EXPECT_EQ(m.ScTable[0].Values[i], i + 1);
  EXPECT_EQ(m.ScTable[0].Code, 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(m.SoTable[0].Values[i], i + 1);
}

TEST(exchange_reader, points_take_the_point_colour_and_solids_the_solid_colour) {
  const DataModel& m =
      Read("lc3\npn7\npt 1 2\npt 1 2 1 0 4\nlc10 5\nsl 0 0 1 1\nse 1 2 3 4 5 6 7 8\n");
  EXPECT_EQ(m.PointTable[0].Header.PenColor, 7);
  EXPECT_EQ(m.CodedPointTable[0].Header.PenColor, 7);
  EXPECT_EQ(m.Solid2Table[0].SolidColor, 5);
  EXPECT_EQ(m.Solid2Table[0].Header.PenColor, 10);
  EXPECT_EQ(m.SeTable[0].SolidColor, 5);
}

TEST(exchange_reader, text_sizes_come_from_the_text_type_or_the_free_size) {
  struct {
    const char* attributes;
    int type;
    double width, height, spacing;
    int colour;
  } cases[] = {
      {"cn3\n", 3, 3, 4, 0.3, 7},
      {"cn10\n", 10, 10, 11, 1, 8},
      {"cn0 5 6 .5 9\n", 0, 5, 6, 0.5, 9},
      {"cn11\n", 11, 2, 2, 0, 1},
      {"cn0 5 6 .5 9\ncn11\n", 11, 5, 6, 0.5, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.attributes);
    const DataModel& m =
        Read(std::string("hcw 1 2 3 4 5 6 7 8 9 10\nhch 2 3 4 5 6 7 8 9 10 11\n"
                         "hcd .1 .2 .3 .4 .5 .6 .7 .8 .9 1\nhcc 1 2 7 4 5 6 7 8 9 8\n") +
             c.attributes + "lc4\ncc2\nch 1 2 3 4 \"x\n");
    ASSERT_EQ(m.TextTable.size(), 1u);
    const TextRecord& t = m.TextTable[0];
    EXPECT_EQ(t.TextType, c.type);
    EXPECT_EQ(t.Width, c.width);
    EXPECT_EQ(t.Height, c.height);
    EXPECT_EQ(t.Spacing, c.spacing);
    EXPECT_EQ(t.Header.PenColor, c.colour);
    EXPECT_EQ(t.TextCC, 2);
  }
}

TEST(exchange_reader, text_keywords_give_their_kinds) {
  const char* keywords[] = {"ch", "cv", "cs", "cr", "co", "cp", "ct", "ck", "cz", "c2"};
  std::string file;
  for (const char* k : keywords) file += std::string(k) + " 1 2 3 4 \"" + k + "\n";
  const DataModel& m = Read(file);
  ASSERT_EQ(m.TextTable.size(), 10u);
  for (int i = 0; i < 10; ++i) {
    SCOPED_TRACE(keywords[i]);
    EXPECT_EQ(m.TextTable[i].Kind, i);
    EXPECT_EQ(m.TextOf(m.TextTable[i].Text), keywords[i]);
  }
}

// How a line is split is the tokenizer's (exchange_tokenizer_test); the text
// of a text record is its sixth token, whole.
TEST(exchange_reader, text_is_the_sixth_token) {
  struct {
    std::string line;
    std::string text;
  } cases[] = {
      {"ch 1 2 3 4 \"A  B", "A  B"},
      {"ch 1 2 3 4 word", "word"},
      {"ch 1 2 3 4 two words", "two"},
      {"ch 1 2 3 4 \"" + ToCp932("表示 ソ"), ToCp932("表示 ソ")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const DataModel& m = Read(c.line + "\r\n");
    ASSERT_EQ(m.TextTable.size(), 1u);
    EXPECT_EQ(m.TextOf(m.TextTable[0].Text), c.text);
  }
}

TEST(exchange_reader, short_texts_are_cut_to_255_bytes_on_a_character_boundary) {
  struct {
    std::string text;
    std::size_t kept;
  } cases[] = {
      {std::string(255, 'a'), 255},
      {std::string(256, 'a'), 255},
      {std::string(254, 'a') + "\x82\xa0", 254},
      {std::string(253, 'a') + "\x82\xa0" + "b", 255},
      {std::string(100, 'a') + std::string(300, 'b'), 255},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.size());
    const DataModel& m = Read("cn$" + c.text + "\nch 1 2 3 4 \"" + c.text + "\n");
    ASSERT_EQ(m.TextTable.size(), 1u);
    EXPECT_EQ(m.TextOf(m.TextTable[0].Text), c.text.substr(0, c.kept));
    EXPECT_EQ(m.TextOf(m.TextTable[0].FontName), c.text.substr(0, c.kept));
    // Unbounded texts are kept whole.
    EXPECT_EQ(m.AttrState.FontName, c.text);
    EXPECT_EQ(m.CurFontName, c.text);
  }
}

TEST(exchange_reader, unbounded_texts_are_not_cut) {
  const std::string name(1000, 'n');
  const DataModel& m =
      Read("BL 1 2 " + name + "\nlgn" + name + "\nlyn" + name + "\nfile=" + name + "\n");
  EXPECT_EQ(m.TextOf(m.BlockTable[0].Name), name);
  EXPECT_EQ(m.LayerGroupName[0], name);
  EXPECT_EQ(m.LayerName[0], name);
  EXPECT_EQ(m.DrawingFileName, name);
}

TEST(exchange_reader, texts_carry_the_font_in_force_when_read) {
  const DataModel& m =
      Read("ch 0 0 1 0 \"a\ncn$F1\nch 0 0 1 0 \"b\nch 0 0 1 0 \"c\ncn$F2\nch 0 0 1 0 \"d\n");
  const char* fonts[] = {"", "F1", "F1", "F2"};
  ASSERT_EQ(m.TextTable.size(), 4u);
  EXPECT_EQ(m.TextOf(m.TextTable[0].FontName), kDefaultFontName);
  for (int i = 1; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(m.TextOf(m.TextTable[i].FontName), fonts[i]);
  }
}

TEST(exchange_reader, three_point_solids_drop_a_repeated_corner) {
  struct {
    const char* line;
    EntityKind kind;
    double x[3];  // X of the corners kept
  } cases[] = {
      {"sl 1 0 1 0 3 0", EntityKind::Solid2, {1, 3, 0}},
      {"sl 1 0 1.00000000001 0 3 0", EntityKind::Solid2, {1, 3, 0}},
      {"sl 1 0 2 0 2 0", EntityKind::Solid2, {1, 2, 0}},
      {"sl 1 0 2 0 1 0", EntityKind::Solid3, {1, 2, 1}},
      {"sl 1 0 1 1e-9 3 0", EntityKind::Solid3, {1, 1, 3}},
      {"sl 1 0 2 0 3 0", EntityKind::Solid3, {1, 2, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const DataModel& m = Read(std::string(c.line) + "\n");
    ASSERT_EQ(m.EntityOrder.size(), 1u);
    ASSERT_EQ(m.EntityOrder[0].Kind, c.kind);
    if (c.kind == EntityKind::Solid2) {
      EXPECT_EQ(m.Solid2Table[0].X1, c.x[0]);
      EXPECT_EQ(m.Solid2Table[0].X2, c.x[1]);
    } else {
      EXPECT_EQ(m.Solid3Table[0].X1, c.x[0]);
      EXPECT_EQ(m.Solid3Table[0].X2, c.x[1]);
      EXPECT_EQ(m.Solid3Table[0].X3, c.x[2]);
    }
  }
}

TEST(exchange_reader, four_point_solids_follow_the_corner_rules_in_order) {
  // Corners are (x, 0) with the x given; equal x means equal corners.
  struct {
    double p[4];
    EntityKind kind;
    double kept[4];
  } cases[] = {
      {{1, 1, 1, 4}, EntityKind::Solid2, {1, 4}},     // P1 = P2 = P3
      {{1, 1, 1, 1}, EntityKind::Solid2, {1, 1}},     // all equal: first rule
      {{1, 2, 2, 2}, EntityKind::Solid2, {1, 2}},     // P2 = P3 = P4
      {{1, 1, 3, 3}, EntityKind::Solid2, {1, 3}},     // P1 = P2 and P3 = P4
      {{1, 2, 3, 1}, EntityKind::Solid3, {1, 2, 3}},  // P4 = P1
      {{1, 2, 3, 2}, EntityKind::Solid3, {1, 2, 3}},  // P4 = P2
      {{1, 2, 3, 3}, EntityKind::Solid3, {1, 2, 3}},  // P4 = P3
      {{1, 2, 1, 4}, EntityKind::Solid3, {1, 2, 4}},  // P3 = P1
      {{1, 2, 2, 4}, EntityKind::Solid3, {1, 2, 4}},  // P3 = P2
      {{1, 1, 3, 4}, EntityKind::Solid3, {1, 3, 4}},  // P2 = P1
      {{1, 2, 3, 4}, EntityKind::Solid4, {1, 2, 3, 4}},
  };
  for (const auto& c : cases) {
    char line[128];
    std::snprintf(line, sizeof line, "sl %g 0 %g 0 %g 0 %g 0 99 99\n", c.p[0], c.p[1], c.p[2],
                  c.p[3]);
    SCOPED_TRACE(line);
    const DataModel& m = Read(line);
    ASSERT_EQ(m.EntityOrder.size(), 1u);
    ASSERT_EQ(m.EntityOrder[0].Kind, c.kind);
    if (c.kind == EntityKind::Solid2) {
      EXPECT_EQ(m.Solid2Table[0].X1, c.kept[0]);
      EXPECT_EQ(m.Solid2Table[0].X2, c.kept[1]);
    } else if (c.kind == EntityKind::Solid3) {
      const Solid3Record& s = m.Solid3Table[0];
      EXPECT_EQ(s.X1, c.kept[0]);
      EXPECT_EQ(s.X2, c.kept[1]);
      EXPECT_EQ(s.X3, c.kept[2]);
    } else {
      const Solid4Record& s = m.Solid4Table[0];
      EXPECT_EQ(s.X1 + 10 * s.X2 + 100 * s.X3 + 1000 * s.X4, 4321);
    }
  }
}

TEST(exchange_reader, solid_with_p1_equal_to_p2_keeps_p1_p3_p4) {
  const DataModel& m = Read("sl 0 0 0 0 5 5 9 9\n");
  ASSERT_EQ(m.Solid3Table.size(), 1u);
  const Solid3Record& s = m.Solid3Table[0];
  double got[] = {s.X1, s.Y1, s.X2, s.Y2, s.X3, s.Y3};
  double expected[] = {0, 0, 5, 5, 9, 9};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got[i], expected[i]);
  }
}

// ---- Modes ---------------------------------------------------------------------

TEST(exchange_reader, polyline_numbers_last_until_another_entity_or_mark) {
  struct {
    const char* file;
    std::vector<int> numbers;  // PolylineNo of each straight line
  } cases[] = {
      {"pl\n0 0 1 0\n1 0 1 1\nci 0 0 1\n2 2 3 3\n", {1, 1, 0}},
      {"pl\n0 0 1 0\n#\n1 0 1 1\n", {1, 0}},
      {"pl\n0 0 1 0\npl\n1 0 1 1\n", {1, 2}},
      {"pl\n0 0 1 0\nmsg\n1 0 1 1\npl\n2 0 2 1\n", {1, 2}},
      {"pl\nz1\nlc3\n0 0 1 0\n", {1}},
      {"0 0 1 0\n", {0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const DataModel& m = Read(c.file);
    std::vector<int> got;
    for (std::size_t i = 0; i < m.LineTable.size(); ++i) got.push_back(m.LineTable[i].PolylineNo);
    EXPECT_EQ(got, c.numbers);
  }
}

TEST(exchange_reader, dimension_figure_is_one_record_of_line_and_text) {
  const DataModel& m = Read("msg\n0 0 100 0\ncs 50 5 1 0 \"100\n");
  EXPECT_EQ(m.LineTable.size(), 0u);
  EXPECT_EQ(m.TextTable.size(), 0u);
  ASSERT_EQ(m.DimensionTable.size(), 1u);
  ASSERT_EQ(m.EntityOrder.size(), 1u);
  EXPECT_EQ(m.EntityOrder[0].Kind, EntityKind::Dimension);
  const DimensionRecord& d = m.DimensionTable[0];
  EXPECT_EQ(d.Line.X2, 100);
  EXPECT_EQ(d.Line.PolylineNo, 0);
  EXPECT_EQ(d.Text.Kind, 2);
  EXPECT_EQ(d.Text.X, 50);
  EXPECT_EQ(d.Text.Y, 5);
  EXPECT_EQ(m.TextOf(d.Text.Text), "100");
  EXPECT_FALSE(m.AttrState.InDimension);
}

TEST(exchange_reader, dimension_mode_cases) {
  struct {
    const char* file;
    std::size_t dimensions, lines, texts;
    double lineX2;  // of the first dimension's line
  } cases[] = {
      // The last line read in dimension mode is the figure's line.
      {"msg\n0 0 5 0\n0 0 7 0\ncs 1 2 3 4 \"t\n", 1, 0, 0, 7},
      // With no line read, the figure takes the unit line set at reset.
      {"msg\ncs 1 2 3 4 \"t\n", 1, 0, 0, 1},
      // Only "cs" closes a figure; another text is a text and ends the mode.
      {"msg\n0 0 5 0\nch 1 2 3 4 \"t\ncs 1 2 3 4 \"t\n", 0, 0, 2, 0},
      {"msg\n0 0 5 0\n#\ncs 1 2 3 4 \"t\n", 0, 0, 1, 0},
      {"msg\n0 0 5 0\npl\n0 0 1 1\ncs 1 2 3 4 \"t\n", 0, 1, 1, 0},
      {"msg\n0 0 5 0\nci 0 0 1\ncs 1 2 3 4 \"t\n", 0, 0, 1, 0},
      // A pending line no "cs" followed stays for the next figure.
      {"msg\n0 0 5 0\n#\nmsg\ncs 1 2 3 4 \"t\n", 1, 0, 0, 5},
      {"cs 1 2 3 4 \"t\n", 0, 0, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const DataModel& m = Read(c.file);
    EXPECT_EQ(m.DimensionTable.size(), c.dimensions);
    EXPECT_EQ(m.LineTable.size(), c.lines);
    EXPECT_EQ(m.TextTable.size(), c.texts);
    if (c.dimensions) {
      EXPECT_EQ(m.DimensionTable[0].Line.X2, c.lineX2);
    }
  }
}

TEST(exchange_reader, dimension_line_keeps_the_attributes_it_was_read_with) {
  const DataModel& m = Read("msg\nlc3\n0 0 5 0\nlc6\ncn0 2 2 0 4\ncs 1 2 3 4 \"t\n");
  ASSERT_EQ(m.DimensionTable.size(), 1u);
  EXPECT_EQ(m.DimensionTable[0].Line.Header.PenColor, 3);
  EXPECT_EQ(m.DimensionTable[0].Text.Header.PenColor, 4);
}

// The line of a figure is no entity of its own: z flags given before it
// stay for the figure and are cleared by the "cs" text that closes it.
TEST(exchange_reader, z_flags_before_a_dimension_line_go_to_the_figure) {
  const DataModel& m = Read("msg\nz4\n0 0 5 0\ncs 1 2 3 4 \"t\nci 0 0 1\n");
  ASSERT_EQ(m.DimensionTable.size(), 1u);
  EXPECT_EQ(m.DimensionTable[0].Line.Header.ZFlags, 8);
  EXPECT_EQ(m.DimensionTable[0].Text.Header.ZFlags, 8);
  EXPECT_EQ(m.CircleTable[0].Header.ZFlags, 0);
}

// ---- Bytes into lines -------------------------------------------------------------

TEST(exchange_reader, line_ends_cr_bytes_and_end_of_file_mark) {
  struct {
    std::string bytes;
    std::size_t circles;
    double lastRadius;
  } cases[] = {
      {"ci 0 0 1\r\nci 0 0 2\r\n", 2, 2},
      {"ci 0 0 1\nci 0 0 2", 2, 2},
      {"ci 0 0 1\rci 0 0 2\n", 0, 0},
      {"ci 0 0 1\r\r\n", 1, 1},
      {"ci 0\r 0 1\n", 1, 1},
      {"ci 0 0 1\n\x1a"
       "ci 0 0 2\n",
       1, 1},
      {"ci 0 0 1\nci 0 0 2\x1a\n", 2, 2},
      {"ci 0 0 1\nci 0 0 3\x1a", 2, 3},
      {std::string("ci 0 0 1\n\0ci 0 0 2\n", 19), 2, 2},
      {"\n\n\r\n   \n\t\nci 0 0 4\n", 1, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    const DataModel& m = Read(c.bytes);
    ASSERT_EQ(m.CircleTable.size(), c.circles);
    if (c.circles) {
      EXPECT_EQ(m.CircleTable.back().R, c.lastRadius);
    }
  }
}

TEST(exchange_reader, cr_after_a_lead_byte_is_dropped_before_splitting) {
  // Without the CR, the lead byte is the last byte of the text and is dropped.
  const DataModel& m = Read("ch 1 2 3 4 \"ab\x82\r\n");
  ASSERT_EQ(m.TextTable.size(), 1u);
  EXPECT_EQ(m.TextOf(m.TextTable[0].Text), "ab");
}

TEST(exchange_reader, a_lf_always_ends_the_line_even_after_a_lead_byte) {
  const DataModel& m = Read("ch 1 2 3 4 \"a\x82\nci 0 0 1\n");
  ASSERT_EQ(m.TextTable.size(), 1u);
  EXPECT_EQ(m.TextOf(m.TextTable[0].Text), "a");
  EXPECT_EQ(m.CircleTable.size(), 1u);
}

TEST(exchange_reader, trailing_blank_makes_an_extra_token) {
  EXPECT_EQ(Read("ci 10 20 5\n").CircleTable.size(), 1u);
  EXPECT_EQ(Read("ci 10 20 5 \n").CircleTable.size(), 0u);
  EXPECT_EQ(Read("ci 10 20 5 \n").EntityOrder.size(), 0u);
}

TEST(exchange_reader, very_long_lines_are_read_whole) {
  struct {
    std::string line;
    std::size_t lines, texts;
  } cases[] = {
      {std::string(100000, ' ') + "1 2 3 4", 1, 0},
      {std::string("1").append(100000, ' ') + "2 3 4", 1, 0},
      {"ch 1 2 3 4 \"" + std::string(3'000'000, 'x'), 0, 1},
      {std::string(3'000'000, '1') + " 2 3 4", 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line.size());
    const DataModel& m = Read(c.line + "\r\n");
    EXPECT_EQ(m.LineTable.size(), c.lines);
    EXPECT_EQ(m.TextTable.size(), c.texts);
    if (c.texts) {
      EXPECT_EQ(m.TextTable[0].Text.Length, 255u);
    }
  }
}

class ExchangeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ =
        std::filesystem::temp_directory_path() /
        ("t408_reader_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
  }
  void TearDown() override { std::filesystem::remove(path_); }
  void Write(const std::string& bytes) {
    std::ofstream out(path_, std::ios::binary);
    out << bytes;
  }
  std::filesystem::path path_;
};

TEST_F(ExchangeFileTest, missing_file_reads_nothing_and_fails) {
  ResetDataModel();
  EXPECT_FALSE(ReadExchangeFile(path_));
  EXPECT_EQ(gDataModel.AxisAngle, 0);
}

TEST_F(ExchangeFileTest, file_reads_like_its_bytes_across_piece_borders) {
  // Lines of 23 bytes never line up with the reader's 1 MiB pieces, so lines,
  // CR LF pairs and double-byte characters fall across the borders.
  std::string bytes = "hk 12.5\r\n";
  for (int i = 0; bytes.size() < 3'300'000; ++i) {
    bytes += i % 3 ? " 1 2 3 " + std::to_string(i % 10) + "\r\n"
                   : "ch 1 2 3 4 \"\x82\xa0 " + std::to_string(i % 100) + "\r\n";
  }
  bytes += "ci 0 0 7";  // no line end
  Write(bytes);
  ResetDataModel();
  ASSERT_TRUE(ReadExchangeFile(path_));
  const std::size_t lines = gDataModel.LineTable.size(), texts = gDataModel.TextTable.size();
  std::vector<std::string> fileTexts;
  for (std::size_t i = 0; i < texts; ++i)
    fileTexts.emplace_back(gDataModel.TextOf(gDataModel.TextTable[i].Text));
  EXPECT_EQ(gDataModel.AxisAngle, 12.5);
  ASSERT_EQ(gDataModel.CircleTable.size(), 1u);
  EXPECT_EQ(gDataModel.CircleTable[0].R, 7);

  const DataModel& m = Read(bytes);
  EXPECT_EQ(m.LineTable.size(), lines);
  ASSERT_EQ(m.TextTable.size(), texts);
  for (std::size_t i = 0; i < texts; ++i) {
    ASSERT_EQ(m.TextOf(m.TextTable[i].Text), fileTexts[i]);
  }
  EXPECT_GT(lines, 100000u);
}

TEST_F(ExchangeFileTest, records_in_blocks_prepared_ahead_keep_their_values) {
  // Enough circles and lines for several full blocks of each table, which the
  // reader prepares on its second thread: every record must land once, in
  // its place.
  constexpr int kEach = 40000;
  std::string bytes;
  for (int i = 1; i <= kEach; ++i) {
    bytes += "ci 0 0 " + std::to_string(i) + "\r\n 0 0 " + std::to_string(i) + " 1\r\n";
  }
  Write(bytes);
  ResetDataModel();
  ASSERT_TRUE(ReadExchangeFile(path_));
  const DataModel& m = gDataModel;
  ASSERT_EQ(m.CircleTable.size(), std::size_t{kEach});
  ASSERT_EQ(m.LineTable.size(), std::size_t{kEach});
  ASSERT_EQ(m.EntityOrder.size(), std::size_t{2 * kEach});
  for (int i = 0; i < kEach; ++i) {
    SCOPED_TRACE(i);
    ASSERT_EQ(m.CircleTable[i].R, i + 1);
    ASSERT_EQ(m.LineTable[i].X2, i + 1);
    ASSERT_EQ(m.EntityOrder[2 * i].Kind, EntityKind::Circle);
    ASSERT_EQ(m.EntityOrder[2 * i].Index, i);
    ASSERT_EQ(m.EntityOrder[2 * i + 1].Kind, EntityKind::Line);
    ASSERT_EQ(m.EntityOrder[2 * i + 1].Index, i);
  }
}

TEST_F(ExchangeFileTest, end_of_file_mark_stops_reading_the_file) {
  Write(std::string("ci 0 0 1\r\n\x1a") + std::string(2'000'000, 'x') + "\nci 0 0 2\r\n");
  ResetDataModel();
  EXPECT_TRUE(ReadExchangeFile(path_));
  EXPECT_EQ(gDataModel.CircleTable.size(), 1u);
}

TEST_F(ExchangeFileTest, a_folder_is_no_readable_file) {
  ResetDataModel();
  EXPECT_FALSE(ReadExchangeFile(std::filesystem::temp_directory_path()));
  EXPECT_TRUE(gDataModel.EntityOrder.empty());
}

}  // namespace
