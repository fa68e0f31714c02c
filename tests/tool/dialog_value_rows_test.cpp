#include "tool/dialog_value_rows.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/cp932.h"
#include "tool/form_layout.h"
#include "tool/settings_layout.h"

TEST(dialog_value_rows, each_value_has_its_own_line_of_t407_dat) {
  struct {
    ControlId id;
    int line;
  } cases[] = {
      {ControlId::ComboBox1, 3},    {ControlId::ComboBox2, 4},  {ControlId::ComboBox3, 5},
      {ControlId::ComboBox4, 6},    {ControlId::ComboBox5, 7},  {ControlId::Edit1, 8},
      {ControlId::Edit2, 9},        {ControlId::Edit3, 10},     {ControlId::Edit4, 11},
      {ControlId::Edit5, 12},       {ControlId::Edit6, 13},     {ControlId::Edit7, 14},
      {ControlId::Edit8, 15},       {ControlId::Edit9, 16},     {ControlId::RadioGroup1, 17},
      {ControlId::RadioGroup2, 18}, {ControlId::CheckBox1, 19}, {ControlId::CheckBox2, 20},
      {ControlId::CheckBox3, 21},   {ControlId::CheckBox4, 22}, {ControlId::Button1, 0},
      {ControlId::Button2, 0},      {ControlId::Memo1, 0},      {ControlId::ScrollBox1, 0},
      {ControlId::LabelA1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.id));
    const DialogValueRow* row = FindDialogValue(c.id);
    EXPECT_EQ(SettingsLineOf(c.id).value_or(0), c.line);
    EXPECT_EQ(row != nullptr, c.line != 0);
    if (row != nullptr) {
      EXPECT_EQ(DialogValueOnLine(c.line), row);
    }
  }
}

TEST(dialog_value_rows, checked_values_are_named_by_their_dialog_captions) {
  struct {
    ControlId id;
    const char* name;
  } cases[] = {
      {ControlId::ComboBox1, "始点"},
      {ControlId::ComboBox2, "終点"},
      {ControlId::Edit1, "端点倍率"},
      {ControlId::Edit7, "線矢印の長さ"},
      {ControlId::Edit8, "線矢印の角度"},
      {ControlId::ComboBox3, "寸法値の文字種"},
      {ControlId::ComboBox4, "寸法値の精度"},
      {ControlId::ComboBox5, "寸法値の丸め"},
      {ControlId::RadioGroup1, "小数点以下の０表示"},
      {ControlId::RadioGroup2, "寸法値の単位"},
      {ControlId::Edit5, "計測点と寸法補助線の距離"},
      {ControlId::Edit6, "寸法補助線のはみ出し距離"},
      {ControlId::Edit9, "逆矢印の寸法はみだし距離"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const DialogValueRow* row = FindDialogValue(c.id);
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(row->Accepted.has_value());
    EXPECT_EQ(std::string(row->MessageName), ToCp932(c.name));
  }
  // No other value is checked.
  int checked = 0;
  for (const DialogValueRow& row : DialogValueRows()) checked += row.Accepted.has_value() ? 1 : 0;
  EXPECT_EQ(checked, static_cast<int>(std::size(cases)));
}

TEST(dialog_value_rows, each_value_is_read_the_way_its_control_holds_it) {
  for (const DialogValueRow& row : DialogValueRows()) {
    const ControlDescription& control = DescribeControl(row.Control);
    SCOPED_TRACE(std::string(control.Name));
    switch (row.Form) {
      case ValueForm::ListIndex:
        EXPECT_EQ(control.Kind, ControlKind::DropDownList);
        break;
      case ValueForm::RadioIndex:
        EXPECT_EQ(control.Kind, ControlKind::RadioGroup);
        break;
      case ValueForm::Number:
      case ValueForm::Text:
        EXPECT_EQ(control.Kind, ControlKind::Edit);
        // Numbers are typed with the input method off, texts with it on.
        EXPECT_EQ(control.ImeOff, row.Form == ValueForm::Number);
        break;
      case ValueForm::Check:
        EXPECT_EQ(control.Kind, ControlKind::CheckBox);
        break;
    }
  }
}

TEST(dialog_value_rows, the_defaults_are_the_dialogs_as_a_new_t407_dat_keeps_them) {
  const DialogValues v = DefaultDialogValues();
  const struct {
    const char* name;
    double value, expected;
  } cases[] = {
      {"start marker: line arrow", static_cast<double>(v.StartMarkerKind), 0},
      {"end marker: line arrow", static_cast<double>(v.EndMarkerKind), 0},
      {"end-marker scale", v.EndMarkerScale, 1},
      {"arrow length", v.ArrowLength, 3},
      {"arrow angle", v.ArrowAngle, 15},
      {"text type: the current one", static_cast<double>(v.TextTypeChoice), 0},
      {"precision 0.001", static_cast<double>(v.PrecisionIndex), 3},
      {"rounding: half up", static_cast<double>(v.RoundingMode), 2},
      {"trailing zeros removed", static_cast<double>(v.ShowTrailingZeros), 0},
      {"unit mm", static_cast<double>(v.ValueUnit), 0},
      {"text gap", v.TextGapPaper, 0.5},
      {"extension gap", v.ExtensionGapPaper, 2},
      {"extension overshoot", v.ExtensionOvershootPaper, 2},
      {"reverse overshoot", v.ReverseOvershootPaper, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.value, c.expected);
  }
  EXPECT_EQ(v.ValuePrefix, "");
  EXPECT_EQ(v.ValueSuffix, "");
  EXPECT_FALSE(v.AddThousandsCommas || v.AddUnitText || v.FullWidthValue || v.MakeDimensionFigure);
}
