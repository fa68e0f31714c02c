#include "tool/memory_form.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/cp932.h"

TEST(memory_form, starts_with_the_forms_defaults) {
  MemoryForm form("/nowhere");
  EXPECT_EQ(form.WindowLeft(), 194);
  EXPECT_EQ(form.WindowTop(), 107);
  EXPECT_EQ(form.ItemCount(ControlId::ComboBox1), 12);
  EXPECT_EQ(form.ItemIndex(ControlId::ComboBox4), 3);
  EXPECT_EQ(form.ItemIndex(ControlId::ComboBox5), 2);
  EXPECT_EQ(form.ItemCount(ControlId::ComboBox3), 0);
  EXPECT_EQ(form.Text(ControlId::Edit4), "0.5");
  EXPECT_EQ(form.Text(ControlId::Edit2), "");
  EXPECT_FALSE(form.Checked(ControlId::CheckBox3));
  EXPECT_EQ(form.Status(), ToCp932("　"));
  EXPECT_FALSE(form.CloseRequested());
}

TEST(memory_form, typing_stops_at_the_maximum_length_in_characters) {
  struct {
    ControlId edit;
    std::string typed;
    std::string kept;
  } cases[] = {
      {ControlId::Edit7, "123456789", "12345678"},
      {ControlId::Edit7, "12.5", "12.5"},
      {ControlId::Edit1, "0.12345678901234567", "0.12345678901234"},
      {ControlId::Edit2,
       ToCp932("寸法寸法寸法寸法寸法寸法寸法寸法寸法寸法寸法寸法寸法寸法寸法寸法寸法"),
       ToCp932("寸法寸法寸法寸法寸法寸法寸法寸法寸法寸法寸法寸法寸法寸法寸法寸法")},
      {ControlId::Edit3, ToCp932("Ｌ＝") + std::string(40, 'a'),
       ToCp932("Ｌ＝") + std::string(30, 'a')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    MemoryForm form("/nowhere");
    form.TypeText(c.edit, c.typed);
    EXPECT_EQ(form.Text(c.edit), c.kept);
  }
}

TEST(memory_form, an_index_past_the_items_is_counted_and_clears_the_selection) {
  MemoryForm form("/nowhere");
  form.SetItemIndex(ControlId::ComboBox5, 1);
  EXPECT_EQ(form.ItemIndex(ControlId::ComboBox5), 1);
  EXPECT_EQ(form.InvalidIndexRequests(), 0);
  form.SetItemIndex(ControlId::ComboBox5, 3);
  EXPECT_EQ(form.ItemIndex(ControlId::ComboBox5), -1);
  EXPECT_EQ(form.InvalidIndexRequests(), 1);
}

TEST(memory_form, clearing_a_list_clears_its_selection) {
  MemoryForm form("/nowhere");
  form.ClearItems(ControlId::ComboBox4);
  EXPECT_EQ(form.ItemCount(ControlId::ComboBox4), 0);
  EXPECT_EQ(form.ItemIndex(ControlId::ComboBox4), -1);
  form.AddItem(ControlId::ComboBox4, "x");
  EXPECT_EQ(form.Items(ControlId::ComboBox4), std::vector<std::string>{"x"});
}
