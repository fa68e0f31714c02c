#include "tool/dialog_values.h"

#include <gtest/gtest.h>

TEST(dialog_values, each_value_has_its_own_line_of_t407_dat) {
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
    EXPECT_EQ(row != nullptr ? row->SettingLine : 0, c.line);
    if (row != nullptr) {
      EXPECT_EQ(DialogValueOnLine(c.line), row);
    }
  }
}
