#include "host/data_model.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "host/exchange_reader.h"
#include "tests/support/cp932.h"

namespace {

TEST(data_model, default_font_name_is_ms_gothic_in_cp932) {
  EXPECT_EQ(std::string(kDefaultFontName), ToCp932("<ＭＳ ゴシック>"));
}

TEST(data_model, reset_restores_every_start_value) {
  ResetDataModel();
  ParseExchangeBytes(
      "hk 30\nhs 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2\nhzs 10 20\nhcw 9 9 9 9 9 9 9 9 9 9\n"
      "hcc 5 5 5 5 5 5 5 5 5 5\nbz\nhn 1 2 3 4\nfile=x\nlg3\nly4 1\nlc5\nlt6\nlw7\n"
      "cn0 5 6 7 8\ncn$F\nlgnG\nhp1 1 1\nhhp9\npl\nz1\n 0 0 1 1\nmsg\n 5 5 6 6\n");
  ResetDataModel();
  const DataModel& m = gDataModel;
  struct {
    const char* name;
    double actual, expected;
  } cases[] = {
      {"AxisAngle", m.AxisAngle, 0},
      {"LayerGroupScale[15]", m.LayerGroupScale[15], 1},
      {"SheetWidth", m.SheetWidth, 1189},
      {"SheetHeight", m.SheetHeight, 841},
      {"TextTypeTable[1].Width", m.TextTypeTable[1].Width, 3},
      {"TextTypeTable[10].Height", m.TextTypeTable[10].Height, 3},
      {"TextTypeTable[10].Spacing", m.TextTypeTable[10].Spacing, 0},
      {"TextTypeTable[5].Color", double(m.TextTypeTable[5].Color), 2},
      {"BzFlag", double(m.BzFlag), 0},
      {"HnValues[4]", m.HnValues[4], 0},
      {"CurLayerGroup", double(m.CurLayerGroup), 0},
      {"CurLayer", double(m.CurLayer), 0},
      {"CurPenColor", double(m.CurPenColor), 1},
      {"CurLineType", double(m.CurLineType), 1},
      {"CurLineWidth", double(m.CurLineWidth), 0},
      {"CurTextType", double(m.CurTextType), 1},
      {"CurFreeTextWidth", m.CurFreeTextWidth, 2},
      {"CurFreeTextHeight", m.CurFreeTextHeight, 2},
      {"CurFreeTextSpacing", m.CurFreeTextSpacing, 0},
      {"CurFreeTextColor", double(m.CurFreeTextColor), 1},
      {"PickedPointCount", double(m.PickedPointCount), 0},
      {"PickedPoints[1].X", m.PickedPoints[1].X, 0},
      {"AttrState.EntityTag", double(m.AttrState.EntityTag), 0},
      {"AttrState.TextType", double(m.AttrState.TextType), 1},
      {"AttrState.TextWidth", m.AttrState.TextWidth, 2},
      {"AttrState.PenColor", double(m.AttrState.PenColor), 1},
      {"AttrState.ZFlags", double(m.AttrState.ZFlags), 0},
      {"AttrState.PolylineCount", double(m.AttrState.PolylineCount), 0},
      {"AttrState.InPolyline", double(m.AttrState.InPolyline), 0},
      {"AttrState.InDimension", double(m.AttrState.InDimension), 0},
      {"AttrState.PointColor", double(m.AttrState.PointColor), 1},
      {"AttrState.SolidColor", double(m.AttrState.SolidColor), 0},
      {"LineTable", double(m.LineTable.size()), 0},
      {"EntityOrder", double(m.EntityOrder.size()), 0},
      {"PendingDimensionLine.X1", m.PendingDimensionLine.X1, 0},
      {"PendingDimensionLine.X2", m.PendingDimensionLine.X2, 1},
      {"PendingDimensionLine.Y2", m.PendingDimensionLine.Y2, 0},
      {"PendingDimensionLine.Header.PenColor", double(m.PendingDimensionLine.Header.PenColor), 1},
      {"PendingDimensionLine.Header.LineType", double(m.PendingDimensionLine.Header.LineType), 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual, c.expected);
  }
  EXPECT_TRUE(m.DrawingFileName.empty());
  EXPECT_TRUE(m.CurFontName.empty());
  EXPECT_EQ(m.AttrState.FontName, kDefaultFontName);
  EXPECT_EQ(m.LayerGroupState.size(), 16u);
  EXPECT_EQ(m.LayerGroupName.size(), 16u);
  EXPECT_TRUE(m.LayerGroupName[3].empty());
  EXPECT_EQ(m.LayerState.size(), 256u);
  EXPECT_EQ(m.LayerState[3 * 16 + 4], 0);
  EXPECT_EQ(m.LayerName.size(), 256u);
  ASSERT_EQ(m.PickedPoints.size(), 100u);
  EXPECT_FALSE(m.PickedPoints[1].IsSet);
}

TEST(data_model, reset_sets_only_the_six_reading_fresh_flags) {
  ResetDataModel();
  const FreshFlagSet& f = gDataModel.FreshFlags;
  EXPECT_TRUE(f.LayerGroup && f.Layer && f.PenColor && f.LineType && f.LineWidth && f.TextType);
  EXPECT_FALSE(f.TextCC || f.FontName || f.PointColor);
}

TEST(data_model, output_state_resets_attributes_and_keeps_reading_state) {
  ResetDataModel();
  ParseExchangeBytes(
      "lg5\nly6\nlc10 7\nlt3\nlw4\ncn0 5 6 7 8\ncc3\ncn$F\npn9\nhhp12\npl\npl\nz2\n"
      "msg\n");
  ResetOutputState();
  const DataModel& m = gDataModel;
  const AttributeState& a = m.AttrState;
  struct {
    const char* name;
    double actual, expected;
  } cases[] = {
      {"LayerGroup", double(a.LayerGroup), 0},
      {"Layer", double(a.Layer), 0},
      {"PenColor", double(a.PenColor), 1},
      {"LineType", double(a.LineType), 1},
      {"LineWidth", double(a.LineWidth), 0},
      {"TextType", double(a.TextType), 1},
      {"TextWidth", a.TextWidth, 2},
      {"TextHeight", a.TextHeight, 2},
      {"TextSpacing", a.TextSpacing, 0},
      {"TextColor", double(a.TextColor), 1},
      {"TextCC", double(a.TextCC), 0},
      {"PointColor", double(a.PointColor), 1},
      {"SolidColor", double(a.SolidColor), 0},
      // Reading state stays as the file left it.
      {"EntityTag", double(a.EntityTag), 12},
      {"ZFlags", double(a.ZFlags), 2},
      {"PolylineCount", double(a.PolylineCount), 2},
      {"InDimension", double(a.InDimension), 1},
      {"InPolyline", double(a.InPolyline), 0},
      // Current attributes stay as read.
      {"CurLayerGroup", double(m.CurLayerGroup), 5},
      {"CurPenColor", double(m.CurPenColor), 10},
      {"CurTextType", double(m.CurTextType), 0},
      {"CurFreeTextColor", double(m.CurFreeTextColor), 8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual, c.expected);
  }
}

TEST(data_model, output_state_forgets_the_font_read_but_current_font_keeps_it) {
  ResetDataModel();
  ParseExchangeBytes("cn$MyFont\n");
  ResetOutputState();
  EXPECT_EQ(gDataModel.AttrState.FontName, kDefaultFontName);
  EXPECT_EQ(gDataModel.CurFontName, "MyFont");
}

TEST(data_model, output_state_sets_all_nine_fresh_flags) {
  ResetDataModel();
  ParseExchangeBytes("lg1\nly1\nlc1\nlt1\nlw1\ncn1\n");
  ResetOutputState();
  const FreshFlagSet& f = gDataModel.FreshFlags;
  EXPECT_TRUE(f.LayerGroup && f.Layer && f.PenColor && f.LineType && f.LineWidth && f.TextType &&
              f.TextCC && f.FontName && f.PointColor);
}

TEST(data_model, entity_header_copies_the_seven_attribute_fields) {
  ResetDataModel();
  AttributeState& a = gDataModel.AttrState;
  a.EntityTag = 11, a.LayerGroup = 12, a.Layer = 13, a.PenColor = 14;
  a.LineType = 15, a.LineWidth = 16, a.ZFlags = 17, a.TextColor = 99, a.PointColor = 98;
  EntityHeader h = FillEntityHeader();
  int got[] = {h.EntityTag, h.LayerGroup, h.Layer, h.PenColor, h.LineType, h.LineWidth, h.ZFlags};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got[i], 11 + i);
  }
}

TEST(data_model, entity_order_keeps_kind_and_index_in_order) {
  ResetDataModel();
  AddEntityOrder(EntityKind::Circle, 0);
  AddEntityOrder(EntityKind::Line, 7);
  ASSERT_EQ(gDataModel.EntityOrder.size(), 2u);
  EXPECT_EQ(gDataModel.EntityOrder[0].Kind, EntityKind::Circle);
  EXPECT_EQ(gDataModel.EntityOrder[1].Kind, EntityKind::Line);
  EXPECT_EQ(gDataModel.EntityOrder[1].Index, 7);
}

TEST(data_model, stored_texts_read_back_byte_for_byte) {
  ResetDataModel();
  const std::string a = "abc", b = std::string("\x82\xa0\0z", 4), c;
  TextRef ra = gDataModel.StoreText(a), rb = gDataModel.StoreText(b), rc = gDataModel.StoreText(c);
  EXPECT_EQ(gDataModel.TextOf(ra), a);
  EXPECT_EQ(gDataModel.TextOf(rb), b);
  EXPECT_EQ(gDataModel.TextOf(rc), c);
}

TEST(data_model, free_releases_tables_points_and_output) {
  ResetDataModel();
  ParseExchangeBytes("hp1 1 2\nci 0 0 1\n 0 0 1 1\nch 0 0 1 0 \"t\n");
  gDataModel.OutputLines.push_back("hq");
  FreeDataModel();
  const DataModel& m = gDataModel;
  EXPECT_TRUE(m.PickedPoints.empty());
  EXPECT_TRUE(m.LayerName.empty());
  EXPECT_TRUE(m.LayerGroupState.empty());
  EXPECT_TRUE(m.LineTable.empty());
  EXPECT_TRUE(m.CircleTable.empty());
  EXPECT_TRUE(m.TextTable.empty());
  EXPECT_TRUE(m.EntityOrder.empty());
  EXPECT_TRUE(m.OutputLines.empty());
  EXPECT_TRUE(m.TextPool.empty());
}

// A table does not grow in steps of 1000 records: the 1000th and 1001st
// records of a file are both stored all the same.
TEST(data_model, thousandth_and_next_records_are_both_stored) {
  ResetDataModel();
  std::string file;
  for (int i = 1; i <= 1001; ++i) file += "ci 0 0 " + std::to_string(i) + "\n";
  ParseExchangeBytes(file);
  ASSERT_EQ(gDataModel.CircleTable.size(), 1001u);
  EXPECT_EQ(gDataModel.CircleTable[999].R, 1000);
  EXPECT_EQ(gDataModel.CircleTable[1000].R, 1001);
  EXPECT_EQ(gDataModel.EntityOrder[1000].Index, 1000);
}

}  // namespace
