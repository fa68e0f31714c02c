#include "tool/form_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/support/cp932.h"

namespace {

const ControlId kAllIds[] = {
    ControlId::ComboBox1, ControlId::ComboBox2, ControlId::Edit7,       ControlId::Edit8,
    ControlId::Edit1,     ControlId::ComboBox3, ControlId::Edit2,       ControlId::Edit3,
    ControlId::ComboBox4, ControlId::ComboBox5, ControlId::RadioGroup1, ControlId::RadioGroup2,
    ControlId::CheckBox1, ControlId::CheckBox2, ControlId::CheckBox3,   ControlId::CheckBox4,
    ControlId::Edit4,     ControlId::Edit5,     ControlId::Edit6,       ControlId::Edit9,
    ControlId::Button1,   ControlId::Button2,   ControlId::Memo1,       ControlId::ScrollBox1,
    ControlId::LabelA1,
};

std::vector<std::string> ItemsOf(ControlId id) {
  std::vector<std::string> items;
  for (std::string_view item : DescribeControl(id).Items) items.emplace_back(item);
  return items;
}

std::vector<std::string> Cp932List(std::initializer_list<const char*> utf8) {
  std::vector<std::string> out;
  for (const char* text : utf8) out.push_back(ToCp932(text));
  return out;
}

}  // namespace

TEST(form_layout, every_control_id_has_exactly_one_entry) {
  const FormDescription& form = Form1Description();
  EXPECT_EQ(form.Controls.size(), std::size(kAllIds));
  for (ControlId id : kAllIds) {
    SCOPED_TRACE(static_cast<int>(id));
    int count = 0;
    for (const ControlDescription& c : form.Controls) count += c.Id == id ? 1 : 0;
    EXPECT_EQ(count, 1);
    EXPECT_EQ(DescribeControl(id).Id, id);
  }
}

TEST(form_layout, tab_order_runs_from_0_to_23_in_table_order) {
  const FormDescription& form = Form1Description();
  std::set<int> seen;
  int expected = 0;
  for (const ControlDescription& c : form.Controls) {
    SCOPED_TRACE(std::string(c.Name));
    if (c.Id == ControlId::LabelA1) {
      EXPECT_EQ(c.TabOrder, -1);
      continue;
    }
    EXPECT_EQ(c.TabOrder, expected++);
    EXPECT_TRUE(seen.insert(c.TabOrder).second);
  }
  EXPECT_EQ(seen.size(), 24u);
  EXPECT_EQ(DescribeControl(ControlId::ComboBox1).TabOrder, 0);
  EXPECT_EQ(DescribeControl(ControlId::Edit7).TabOrder, 2);
  EXPECT_EQ(DescribeControl(ControlId::Edit9).TabOrder, 19);
  EXPECT_EQ(DescribeControl(ControlId::ScrollBox1).TabOrder, 23);
}

TEST(form_layout, marker_lists_hold_twelve_items_with_two_triangles) {
  const auto expected =
      Cp932List({"線矢印", "△", "□", "Ｏ", "○", "■", "▲", "●", "～", "＞", "／", "△"});
  EXPECT_EQ(ItemsOf(ControlId::ComboBox1), expected);
  EXPECT_EQ(ItemsOf(ControlId::ComboBox2), expected);
  // Item 3 is the full-width letter O, item 4 the circle.
  EXPECT_NE(expected[3], expected[4]);
}

TEST(form_layout, fixed_lists_and_radio_groups_hold_their_items) {
  struct {
    ControlId id;
    std::vector<std::string> items;
  } cases[] = {
      {ControlId::ComboBox4,
       {"1", "0.1", "0.01", "0.001", "0.0001", "0.00001", "0.000001", "0.0000001", "0.00000001"}},
      {ControlId::ComboBox5, Cp932List({"切り捨て", "切り上げ", "四捨五入"})},
      {ControlId::RadioGroup1, Cp932List({"無", "有"})},
      {ControlId::RadioGroup2, Cp932List({"mm", "ｍ"})},
      {ControlId::ComboBox3, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.id));
    EXPECT_EQ(ItemsOf(c.id), c.items);
  }
}

TEST(form_layout, controls_start_with_their_defaults) {
  struct {
    ControlId id;
    const char* text;
    int index;
    bool checked;
  } cases[] = {
      {ControlId::ComboBox1, "", 0, false},   {ControlId::ComboBox2, "", 0, false},
      {ControlId::Edit7, "3", -1, false},     {ControlId::Edit8, "15", -1, false},
      {ControlId::Edit1, "1", -1, false},     {ControlId::ComboBox3, "", -1, false},
      {ControlId::Edit2, "", -1, false},      {ControlId::Edit3, "", -1, false},
      {ControlId::ComboBox4, "", 3, false},   {ControlId::ComboBox5, "", 2, false},
      {ControlId::RadioGroup1, "", 0, false}, {ControlId::RadioGroup2, "", 0, false},
      {ControlId::CheckBox1, "", -1, false},  {ControlId::CheckBox2, "", -1, false},
      {ControlId::CheckBox3, "", -1, false},  {ControlId::CheckBox4, "", -1, false},
      {ControlId::Edit4, "0.5", -1, false},   {ControlId::Edit5, "2", -1, false},
      {ControlId::Edit6, "2", -1, false},     {ControlId::Edit9, "2", -1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.id));
    const ControlDescription& d = DescribeControl(c.id);
    EXPECT_EQ(d.DefaultText, c.text);
    EXPECT_EQ(d.DefaultIndex, c.index);
    EXPECT_EQ(d.DefaultChecked, c.checked);
  }
}

TEST(form_layout, edits_limit_typing_and_number_fields_turn_the_ime_off) {
  struct {
    ControlId id;
    int maxLength;
    bool imeOff;
  } cases[] = {
      {ControlId::Edit7, 8, true},   {ControlId::Edit8, 8, true},   {ControlId::Edit1, 16, true},
      {ControlId::Edit2, 32, false}, {ControlId::Edit3, 32, false}, {ControlId::Edit4, 16, true},
      {ControlId::Edit5, 16, true},  {ControlId::Edit6, 16, true},  {ControlId::Edit9, 16, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.id));
    EXPECT_EQ(DescribeControl(c.id).Kind, ControlKind::Edit);
    EXPECT_EQ(DescribeControl(c.id).MaxLength, c.maxLength);
    EXPECT_EQ(DescribeControl(c.id).ImeOff, c.imeOff);
  }
}

TEST(form_layout, window_is_the_fixed_white_dialog) {
  const WindowDescription& w = Form1Description().Window;
  EXPECT_EQ(w.Caption, ToCp932("水平寸法線＋"));
  EXPECT_EQ(w.ApplicationTitle, ToCp932("t408_水平寸法線＋"));
  EXPECT_EQ(w.FontFace, ToCp932("ＭＳ ゴシック"));
  struct {
    const char* what;
    int value, expected;
  } cases[] = {
      {"client width", w.ClientWidth, 492}, {"client height", w.ClientHeight, 436},
      {"left", w.DesignLeft, 194},          {"top", w.DesignTop, 107},
      {"font height", w.FontHeight, 13},    {"charset", w.FontCharset, 128},
      {"red", w.Background.Red, 255},       {"green", w.Background.Green, 255},
      {"blue", w.Background.Blue, 255},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.value, c.expected);
  }
}

TEST(form_layout, status_strip_sits_on_the_preview_strip_at_the_bottom) {
  const ControlDescription& status = DescribeControl(ControlId::LabelA1);
  const ControlDescription& preview = DescribeControl(ControlId::ScrollBox1);
  EXPECT_EQ(preview.Bounds.Y + preview.Bounds.Height, 436);
  EXPECT_EQ(preview.Bounds.Width, 492);
  EXPECT_EQ(preview.Bounds.Height, 65);
  EXPECT_EQ(status.Bounds.Y + status.Bounds.Height, preview.Bounds.Y);
  EXPECT_EQ(status.Bounds.Width, 492);
  EXPECT_EQ(status.Bounds.Height, 24);
  EXPECT_EQ(status.Caption, ToCp932("　"));
  ASSERT_TRUE(status.Background.has_value());
  EXPECT_EQ(status.Background->Red, 231);
  EXPECT_EQ(status.Background->Green, 231);
  EXPECT_EQ(status.Background->Blue, 231);
  // The preview strip is the last control in the tab order and no tab stop.
  EXPECT_EQ(preview.TabOrder, 23);
  EXPECT_FALSE(preview.TabStop);
}

TEST(form_layout, no_control_or_label_reaches_into_the_status_strip) {
  const int statusTop = DescribeControl(ControlId::LabelA1).Bounds.Y;
  const FormDescription& form = Form1Description();
  for (const ControlDescription& c : form.Controls) {
    if (c.Id == ControlId::LabelA1 || c.Id == ControlId::ScrollBox1) continue;
    SCOPED_TRACE(std::string(c.Name));
    EXPECT_LE(c.Bounds.Y + c.Bounds.Height, statusTop);
    EXPECT_LE(c.Bounds.X + c.Bounds.Width, 492);
  }
  for (const LabelDescription& l : form.Labels) {
    SCOPED_TRACE(std::string(l.Name));
    EXPECT_LE(l.Bounds.Y + l.Bounds.Height, statusTop);
    // Labels stay left of the notes.
    EXPECT_LE(l.Bounds.X + l.Bounds.Width, DescribeControl(ControlId::Memo1).Bounds.X);
  }
}

TEST(form_layout, labels_stand_at_their_places_with_their_captions) {
  struct {
    const char* name;
    int x, y;
    const char* caption;
  } cases[] = {
      {"Label1", 8, 116, "端点倍率"},
      {"Label2", 136, 8, "寸法値の文字種"},
      {"Label3", 8, 256, "寸法値と水平線との距離"},
      {"Label4", 264, 256, "図寸mm"},
      {"Label5", 8, 280, "計測点と寸法補助線の距離"},
      {"Label6", 8, 8, "始点"},
      {"Label7", 8, 32, "終点"},
      {"Label8", 264, 280, "図寸mm"},
      {"Label9", 8, 304, "寸法補助線のはみ出し距離"},
      {"Label10", 264, 304, "図寸mm"},
      {"Label11", 136, 60, "接頭文字"},
      {"Label12", 136, 84, "接尾文字"},
      {"Label13", 8, 140, "寸法値の精度"},
      {"Label14", 8, 328, "逆矢印の寸法はみだし距離"},
      {"Label15", 8, 52, "（線矢印）"},
      {"Label16", 8, 92, "角度"},
      {"Label17", 8, 68, "長さ"},
      {"Label18", 88, 68, "図寸mm"},
      {"Label19", 88, 92, "°"},
      {"Label20", 128, 116, "（点マーカ　線矢印を除く）"},
      {"Label21", 8, 164, "寸法値の丸め"},
      {"Label22", 264, 328, "図寸mm"},
  };
  const FormDescription& form = Form1Description();
  ASSERT_EQ(form.Labels.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    const LabelDescription& l = form.Labels[i];
    SCOPED_TRACE(c.name);
    EXPECT_EQ(l.Name, c.name);
    EXPECT_EQ(l.Bounds.X, c.x);
    EXPECT_EQ(l.Bounds.Y, c.y);
    EXPECT_EQ(std::string(l.Caption), ToCp932(c.caption));
    EXPECT_EQ(l.FontHeight, std::string_view(c.name) == "Label15" ? 11 : 13);
    EXPECT_EQ(l.Bounds.Height, l.FontHeight);
  }
}

TEST(form_layout, label_width_counts_full_width_characters_double) {
  // 図寸mm: two full-width characters (13 px) and two half-width ones (7 px).
  const LabelDescription& unit = Form1Description().Labels[3];
  EXPECT_EQ(unit.Bounds.Width, 2 * 13 + 2 * 7);
  // （線矢印） in the 11 px font: five full-width characters.
  const LabelDescription& group = Form1Description().Labels[14];
  EXPECT_EQ(group.Bounds.Width, 5 * 11);
}

TEST(form_layout, buttons_captions_and_roles) {
  struct {
    ControlId id;
    const char* caption;
    ButtonRole role;
  } cases[] = {
      {ControlId::Button1, "ＯＫ(&Y)", ButtonRole::Default},
      {ControlId::Button2, "キャンセル(&N)", ButtonRole::Cancel},
      {ControlId::CheckBox1, "３桁毎カンマ付加", ButtonRole::None},
      {ControlId::CheckBox2, "単位の付加", ButtonRole::None},
      {ControlId::CheckBox3, "寸法値を全角化", ButtonRole::None},
      {ControlId::CheckBox4, "寸法図形化", ButtonRole::None},
      {ControlId::RadioGroup1, "小数点以下の０表示", ButtonRole::None},
      {ControlId::RadioGroup2, "寸法値の単位", ButtonRole::None},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    EXPECT_EQ(std::string(DescribeControl(c.id).Caption), ToCp932(c.caption));
    EXPECT_EQ(DescribeControl(c.id).Role, c.role);
  }
  EXPECT_EQ(DescribeControl(ControlId::RadioGroup1).Columns, 2);
  EXPECT_EQ(DescribeControl(ControlId::RadioGroup2).Columns, 2);
}

TEST(form_layout, memo_shows_the_notes_on_pale_cyan_without_a_tab_stop) {
  const ControlDescription& memo = DescribeControl(ControlId::Memo1);
  EXPECT_FALSE(memo.TabStop);
  ASSERT_EQ(memo.Lines.size(), 21u);
  EXPECT_EQ(std::string(memo.Lines[0]), ToCp932("◆設定データは t407と"));
  EXPECT_EQ(std::string(memo.Lines[5]), "");
  EXPECT_EQ(std::string(memo.Lines[11]), ToCp932("　Jw_cadのインストール・"));
  EXPECT_EQ(std::string(memo.Lines[20]), ToCp932("　下さい。"));
  ASSERT_TRUE(memo.Background.has_value());
  EXPECT_EQ(memo.Background->Red, 187);
  EXPECT_EQ(memo.Background->Green, 236);
  EXPECT_EQ(memo.Background->Blue, 244);
}
