// Tests of TForm1, the dialog's logic, driven through the in-memory form.
// Sections: start-up and close; t407.dat loading into the dialog and the
// fields; t407.dat saving; OK's checks; OK's refusals and acceptance.

#include "tool/form1.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/data_model.h"
#include "tests/support/cp932.h"
#include "tests/support/dialog_fixture.h"
#include "tests/support/examples.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"
#include "tool/memory_form.h"
#include "tool/placement.h"
#include "tool/ui_texts.h"

namespace {

// An exchange file with layer group 0 at scale `scale` and picked point 1.
std::string ExchangeBytes(const std::string& scale, const std::string& pickX,
                          const std::string& pickY) {
  return CrLfLines({"hq", "hk 0", "hs " + scale + " 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1",
                    "hp1 " + pickX + " " + pickY, "lg0", "ly0", "lc2", "lt1", "cn1"});
}

// Reference (0, 0) to (100, 0), line through (0, 20), recorded at scale 1.
std::string UnitReference() {
  return SettingsBytes({{24, "1"}, {26, "0"}, {28, "100"}, {30, "0"}, {31, "20"}});
}

}  // namespace

// ---- Start-up and close ---------------------------------------------------------

TEST(form1, start_without_t407_dat_refuses_then_writes_hq) {
  StartedDialog d(std::nullopt, CrLfLines({"hq", "hp1 5 5", " 0 0 10 0"}));
  EXPECT_TRUE(d.form.StartRefused());
  EXPECT_EQ(d.window.Messages(),
            std::vector<std::string>{ToCp932(
                "t407_水平寸法線が一度も実行されていません。先にそちらを実行して下さい。")});
  EXPECT_TRUE(d.window.CloseRequested());
  EXPECT_EQ(d.window.MoveCount(), 0);
  EXPECT_TRUE(d.window.Previews().empty());
  d.form.FormClose();
  EXPECT_EQ(ReadBytes(d.folder / "JWC_TEMP.TXT"), "hq\r\n");
}

TEST(form1, start_moves_the_window_to_the_saved_place_and_shows_the_preview) {
  StartedDialog d(SettingsBytes({{1, "300"}, {2, "250"}}));
  EXPECT_FALSE(d.form.StartRefused());
  EXPECT_TRUE(d.window.Messages().empty());
  EXPECT_FALSE(d.window.CloseRequested());
  EXPECT_EQ(d.window.WindowLeft(), 300);
  EXPECT_EQ(d.window.WindowTop(), 250);
  // The strip shows what OK would add once the dialog is filled, not before.
  ASSERT_EQ(d.window.Previews().size(), 1u);
  EXPECT_EQ(FormatScene(d.window.Previews()[0]), FormatScene(d.form.Preview()));
  EXPECT_EQ(d.form.ProgramFolder, d.folder.Path());
}

TEST(form1, text_type_list_names_the_current_type_then_types_1_to_10) {
  struct {
    std::string exchange;
    std::string item0;
  } cases[] = {
      {CrLfLines({"cn3"}), ToCp932("現在の文字種(No3)")},
      {CrLfLines({"cn0 2 2 0 1"}), ToCp932("現在の文字種(Free)")},
      {CrLfLines({"cn10"}), ToCp932("現在の文字種(No10)")},
      {"", ToCp932("現在の文字種(No1)")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item0);
    StartedDialog d(SettingsBytes(), c.exchange);
    const std::vector<std::string> items = d.window.Items(ControlId::ComboBox3);
    ASSERT_EQ(items.size(), 11u);
    EXPECT_EQ(items[0], c.item0);
  }
}

TEST(form1, text_type_items_print_sizes_by_the_shared_number_rule) {
  StartedDialog d(SettingsBytes(),
                  CrLfLines({"hcw 3 2.5 0.333333333333333 4 5 6 7 8 9 1E15",
                             "hch 3 2.5 3 4 5 6 7 8 9 10", "hcd 0 0.5 0 0 0 0 0 0 0 -1"}));
  const std::vector<std::string> items = d.window.Items(ControlId::ComboBox3);
  ASSERT_EQ(items.size(), 11u);
  EXPECT_EQ(items[1], "No1: W3 H3 D0");
  EXPECT_EQ(items[2], "No2: W2.5 H2.5 D0.5");
  EXPECT_EQ(items[3], "No3: W0.333333333333333 H3 D0");
  EXPECT_EQ(items[10], "No10: W1E15 H10 D-1");
}

TEST(form1, cancel_closes_and_leaves_t407_dat_alone) {
  StartedDialog d(SettingsBytes(), ExchangeBytes("100", "1000", "0"));
  const std::string before = ReadBytes(d.folder / "t407.dat");
  d.form.Button2Click();
  EXPECT_TRUE(d.window.CloseRequested());
  d.form.FormClose();
  EXPECT_EQ(ReadBytes(d.folder / "JWC_TEMP.TXT"), "hq\r\n");
  EXPECT_EQ(ReadBytes(d.folder / "t407.dat"), before);
}

// ---- t407.dat: loading into the dialog and the fields -----------------------------

TEST(form1, check_boxes_are_checked_by_any_nonzero_integer) {
  struct {
    const char* text;
    bool checked;
  } cases[] = {{"1", true},  {"2", true}, {"-1", true},  {" 1", true}, {"0", false},
               {"x", false}, {"", false}, {"1 ", false}, {"$A", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    StartedDialog d(SettingsBytes({{19, c.text}, {22, c.text}}));
    EXPECT_EQ(d.window.Checked(ControlId::CheckBox1), c.checked);
    EXPECT_EQ(d.window.Checked(ControlId::CheckBox4), c.checked);
    EXPECT_FALSE(d.window.Checked(ControlId::CheckBox2));
  }
}

TEST(form1, selection_indexes_follow_each_controls_rule) {
  struct {
    int line;
    const char* text;
    ControlId control;
    int index;
  } cases[] = {
      {3, "-5", ControlId::ComboBox1, 0},    {3, "11", ControlId::ComboBox1, 11},
      {4, "12", ControlId::ComboBox2, -1},   {5, "40", ControlId::ComboBox3, -1},
      {5, "10", ControlId::ComboBox3, 10},   {5, "11", ControlId::ComboBox3, -1},
      {6, "8", ControlId::ComboBox4, 8},     {6, "9", ControlId::ComboBox4, -1},
      {7, "3", ControlId::ComboBox5, -1},    {7, "abc", ControlId::ComboBox5, 0},
      {17, "7", ControlId::RadioGroup1, 1},  {17, "1", ControlId::RadioGroup1, 1},
      {18, "-3", ControlId::RadioGroup2, 0}, {18, "2", ControlId::RadioGroup2, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.line) + ": " + c.text);
    StartedDialog d(SettingsBytes({{c.line, c.text}}));
    EXPECT_EQ(d.window.ItemIndex(c.control), c.index);
    EXPECT_EQ(d.window.InvalidIndexRequests(), 0);
  }
}

TEST(form1, layer_group_outside_0_to_15_reads_as_0) {
  struct {
    const char* text;
    int group;
  } cases[] = {{"16", 0}, {"-1", 0}, {"15", 15}, {"7", 7}, {"", 0}, {"3x", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    StartedDialog d(SettingsBytes({{23, c.text}}));
    EXPECT_EQ(d.form.ReferenceLayerGroup, c.group);
    EXPECT_FALSE(d.form.StartRefused());
  }
}

TEST(form1, scale_not_above_1e_10_reads_as_1) {
  struct {
    const char* text;
    double scale;
  } cases[] = {{"0", 1.0},     {"-2", 1.0},  {"1E-11", 1.0},   {"", 1.0},
               {"1e-10", 1.0}, {"0.5", 0.5}, {"2E-10", 2e-10}, {"1,5", 1.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    StartedDialog d(SettingsBytes({{24, c.text}}));
    EXPECT_EQ(d.form.ReferenceScale, c.scale);
  }
}

TEST(form1, reference_lines_fill_the_reference_fields) {
  StartedDialog d(SettingsBytes({{25, "30"},
                                 {26, "1.5"},
                                 {27, "-2"},
                                 {28, "1E15"},
                                 {29, "0.333333333333333"},
                                 {30, "12a"},
                                 {31, " 7"}}));
  EXPECT_EQ(d.form.ReferenceAxisAngle, 30);
  EXPECT_EQ(d.form.ReferenceStart.X, 1.5);
  EXPECT_EQ(d.form.ReferenceStart.Y, -2);
  EXPECT_EQ(d.form.ReferenceEnd.X, 1e15);
  EXPECT_EQ(d.form.ReferenceEnd.Y, 0.333333333333333);
  EXPECT_EQ(d.form.ReferenceLinePoint.X, 0);  // malformed reads as 0
  EXPECT_EQ(d.form.ReferenceLinePoint.Y, 7);
}

TEST(form1, window_position_may_be_negative_and_is_applied_unchecked) {
  StartedDialog d(SettingsBytes({{1, "-300"}, {2, "-20"}}));
  EXPECT_EQ(d.form.SavedLeft, -300);
  EXPECT_EQ(d.form.SavedTop, -20);
  EXPECT_EQ(d.window.WindowLeft(), -300);
  EXPECT_EQ(d.window.WindowTop(), -20);
}

TEST(form1, texts_longer_than_the_edit_allows_are_shown_in_full) {
  const std::string longNumber = "3.000000000000000000001";  // Edit7 takes 8 when typed
  const std::string longPrefix = ToCp932("寸法値の前に置く長い接頭文字列です。とても長い");  // > 32
  StartedDialog d(SettingsBytes({{14, longNumber}, {9, longPrefix}}));
  EXPECT_EQ(d.window.Text(ControlId::Edit7), longNumber);
  EXPECT_EQ(d.window.Text(ControlId::Edit2), longPrefix);
  // Typing, unlike loading, stops at the limit.
  d.window.TypeText(ControlId::Edit7, longNumber);
  EXPECT_EQ(d.window.Text(ControlId::Edit7), "3.000000");
}

TEST(form1, an_empty_file_reads_every_line_as_empty) {
  StartedDialog d(std::string{});
  EXPECT_FALSE(d.form.StartRefused());
  EXPECT_EQ(d.form.ReferenceLayerGroup, 0);
  EXPECT_EQ(d.form.ReferenceScale, 1.0);
  EXPECT_EQ(d.form.SavedLeft, 0);
  EXPECT_EQ(d.form.SavedTop, 0);
  for (ControlId list :
       {ControlId::ComboBox1, ControlId::ComboBox2, ControlId::ComboBox3, ControlId::ComboBox4,
        ControlId::ComboBox5, ControlId::RadioGroup1, ControlId::RadioGroup2}) {
    SCOPED_TRACE(static_cast<int>(list));
    EXPECT_EQ(d.window.ItemIndex(list), 0);
  }
  for (ControlId edit : {ControlId::Edit1, ControlId::Edit4, ControlId::Edit7, ControlId::Edit9}) {
    SCOPED_TRACE(static_cast<int>(edit));
    EXPECT_EQ(d.window.Text(edit), "");
  }
}

TEST(form1, a_short_file_applies_its_lines_and_empties_the_rest) {
  const std::string tenLines = CrLfLines({"5", "6", "1", "2", "3", "4", "1", "7", "L=", "mm"});
  StartedDialog d(tenLines);
  EXPECT_EQ(d.form.SavedLeft, 5);
  EXPECT_EQ(d.window.ItemIndex(ControlId::ComboBox3), 3);
  EXPECT_EQ(d.window.Text(ControlId::Edit1), "7");
  EXPECT_EQ(d.window.Text(ControlId::Edit3), "mm");
  EXPECT_EQ(d.window.Text(ControlId::Edit4), "");  // line 11, past the end
  EXPECT_EQ(d.form.ReferenceLayerGroup, 0);
  EXPECT_FALSE(d.form.StartRefused());
}

TEST(form1, end_of_file_byte_empties_every_later_line) {
  std::string bytes = SettingsBytes();
  // Cut after line 22: the rest, though present, is never read.
  std::size_t pos = 0;
  for (int i = 0; i < 22; ++i) pos = bytes.find('\n', pos) + 1;
  bytes.insert(pos, 1, '\x1A');
  StartedDialog d(bytes);
  EXPECT_EQ(d.form.ReferenceLayerGroup, 0);
  EXPECT_EQ(d.form.ReferenceScale, 1.0);  // "100" was never read
  EXPECT_EQ(d.form.ReferenceStart.X, 0);  // "-1000" likewise
  EXPECT_EQ(d.window.Text(ControlId::Edit8), "15");
}

TEST(form1, a_missing_file_leaves_the_defaults_and_refuses) {
  StartedDialog d(std::nullopt);
  EXPECT_EQ(d.form.ReferenceLayerGroup, -1);
  EXPECT_EQ(d.form.SavedLeft, 100);
  EXPECT_EQ(d.window.Text(ControlId::Edit7), "3");
  EXPECT_EQ(d.window.ItemIndex(ControlId::ComboBox4), 3);
  EXPECT_TRUE(d.form.StartRefused());
}

TEST(form1, a_folder_named_t407_dat_reads_as_defaults_only) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "t407.dat");
  MemoryForm window(folder.Path());
  TForm1 form(window);
  form.FormShow();
  EXPECT_EQ(form.ReferenceLayerGroup, -1);
  EXPECT_EQ(window.Text(ControlId::Edit7), "3");
  EXPECT_EQ(window.ItemIndex(ControlId::ComboBox5), 2);
  EXPECT_TRUE(form.StartRefused());
}

// ---- t407.dat: saving --------------------------------------------------------------

TEST(form1, saving_what_was_loaded_gives_the_same_bytes) {
  TempFolder folder;
  WriteBytes(folder / "t407.dat", ExampleFile("t407.dat"));
  WriteBytes(folder / "JWC_TEMP.TXT", ExampleFile("JWC_TEMP.TXT"));
  MemoryForm window(folder.Path());
  TForm1 form(window);
  form.FormShow();
  form.SaveSettings(folder / "saved.dat");
  EXPECT_EQ(ReadBytes(folder / "saved.dat"), ReadBytes(folder / "t407.dat"));
}

TEST(form1, round_trip_reproduces_every_control) {
  TempFolder folder;
  WriteBytes(folder / "t407.dat", SettingsBytes());
  MemoryForm first(folder.Path());
  TForm1 form(first);
  form.FormShow();
  struct {
    ControlId edit;
    std::string text;
  } texts[] = {
      {ControlId::Edit1, "2.5"},         {ControlId::Edit2, ToCp932("Ｌ＝ 幅")},
      {ControlId::Edit3, "  "},          {ControlId::Edit4, ""},
      {ControlId::Edit5, ToCp932("　")}, {ControlId::Edit6, "abc"},
      {ControlId::Edit7, "-1"},          {ControlId::Edit8, " 15 "},
      {ControlId::Edit9, "1e3"},
  };
  struct {
    ControlId list;
    int index;
  } indexes[] = {
      {ControlId::ComboBox1, 11},  {ControlId::ComboBox2, 4}, {ControlId::ComboBox3, 10},
      {ControlId::ComboBox4, 0},   {ControlId::ComboBox5, 1}, {ControlId::RadioGroup1, 1},
      {ControlId::RadioGroup2, 1},
  };
  for (const auto& t : texts) first.SetText(t.edit, t.text);
  for (const auto& i : indexes) first.SetItemIndex(i.list, i.index);
  first.SetChecked(ControlId::CheckBox2, true);
  first.SetChecked(ControlId::CheckBox4, true);
  form.SavedLeft = -5;
  form.SavedTop = 2000;
  form.SaveSettings(folder / "t407.dat");

  MemoryForm second(folder.Path());
  TForm1 reloaded(second);
  reloaded.FormShow();
  for (const auto& t : texts) {
    SCOPED_TRACE(static_cast<int>(t.edit));
    EXPECT_EQ(second.Text(t.edit), t.text);
  }
  for (const auto& i : indexes) {
    SCOPED_TRACE(static_cast<int>(i.list));
    EXPECT_EQ(second.ItemIndex(i.list), i.index);
  }
  EXPECT_FALSE(second.Checked(ControlId::CheckBox1));
  EXPECT_TRUE(second.Checked(ControlId::CheckBox2));
  EXPECT_FALSE(second.Checked(ControlId::CheckBox3));
  EXPECT_TRUE(second.Checked(ControlId::CheckBox4));
  EXPECT_EQ(reloaded.SavedLeft, -5);
  EXPECT_EQ(reloaded.SavedTop, 2000);
}

TEST(form1, reference_lines_take_the_data_models_group_scale_and_angle) {
  StartedDialog d(SettingsBytes());
  gDataModel.CurLayerGroup = 10;
  gDataModel.LayerGroupScale[10] = 1.0 / 3;
  gDataModel.AxisAngle = 1e15;
  d.form.ReferenceStart = Point{-0.5, 1e-5};
  d.form.ReferenceEnd = Point{1.2345e-5, 123456789012345678.0};
  d.form.ReferenceLinePoint = Point{0.0001, -0.0};
  d.form.SaveSettings(d.folder / "t407.dat");
  const std::vector<std::string> lines = SettingsFileLines(ReadBytes(d.folder / "t407.dat"));
  ASSERT_EQ(lines.size(), 31u);
  const std::vector<std::string> tail(lines.begin() + 22, lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"10", "0.333333333333333", "1E15", "-0.5", "1E-5",
                                            "1.2345E-5", "1.23456789012346E17", "0.0001", "0"}));
  // The loaded reference group, scale and angle stay as they were.
  EXPECT_EQ(d.form.ReferenceLayerGroup, 0);
  EXPECT_EQ(d.form.ReferenceScale, 100);
}

TEST(form1, a_failed_save_keeps_the_previous_file_and_closes_the_dialog) {
  StartedDialog d(SettingsBytes(), ExchangeBytes("100", "1000", "0"));
  const std::string before = ReadBytes(d.folder / "t407.dat");
  // A disk that takes no more than 16 bytes of any file makes the write fail.
  d.window.SetText(ControlId::Edit1, "9");
  {
    ScopedFileSizeLimit limit(16);
    EXPECT_EQ(d.form.SaveSettings(d.folder / "t407.dat"), FileFailure::DiskFull);
  }
  EXPECT_EQ(ReadBytes(d.folder / "t407.dat"), before);
  // No temporary file is left beside it.
  for (const auto& entry : std::filesystem::directory_iterator(d.folder.Path())) {
    EXPECT_FALSE(entry.path().filename().string().ends_with(".tmp")) << entry.path();
  }
  // OK on such a disk draws nothing, says why, and the dialog closes.
  {
    ScopedFileSizeLimit limit(16);
    d.form.Button1Click();
  }
  EXPECT_EQ(d.form.LastOkOutcome(), OkOutcome::SaveFailed);
  EXPECT_EQ(d.window.Messages().size(), 1u);
  EXPECT_TRUE(d.window.CloseRequested());
  EXPECT_TRUE(gDataModel.OutputLines.empty());
  EXPECT_EQ(ReadBytes(d.folder / "t407.dat"), before);
}

// ---- OK: the checks --------------------------------------------------------------

TEST(form1, a_failed_check_moves_focus_to_the_first_bad_control_only) {
  struct Bad {
    ControlId control;
    std::string text;  // edits
    int index;         // lists
  };
  struct {
    std::vector<Bad> bad;
    ControlId focused;
  } cases[] = {
      {{{ControlId::ComboBox1, "", -1}, {ControlId::Edit1, "abc", 0}}, ControlId::ComboBox1},
      {{{ControlId::ComboBox2, "", -1}}, ControlId::ComboBox2},
      {{{ControlId::Edit5, "abc", 0}, {ControlId::Edit1, "abc", 0}}, ControlId::Edit1},
      {{{ControlId::Edit1, "0", 0}}, ControlId::Edit1},
      {{{ControlId::Edit7, "1000.5", 0}}, ControlId::Edit7},
      {{{ControlId::Edit7, "0", 0}, {ControlId::Edit8, "0", 0}}, ControlId::Edit7},
      {{{ControlId::Edit8, "180", 0}}, ControlId::Edit8},
      {{{ControlId::Edit8, "-15", 0}}, ControlId::Edit8},
      {{{ControlId::ComboBox3, "", -1}}, ControlId::ComboBox3},
      {{{ControlId::ComboBox4, "", -1}, {ControlId::ComboBox5, "", -1}}, ControlId::ComboBox4},
      {{{ControlId::ComboBox5, "", -1}}, ControlId::ComboBox5},
      {{{ControlId::RadioGroup1, "", -1}}, ControlId::RadioGroup1},
      {{{ControlId::RadioGroup2, "", -1}, {ControlId::Edit9, "-1", 0}}, ControlId::RadioGroup2},
      {{{ControlId::Edit5, "-0.1", 0}}, ControlId::Edit5},
      {{{ControlId::Edit6, "-1", 0}, {ControlId::Edit5, "abc", 0}}, ControlId::Edit6},
      {{{ControlId::Edit9, "-2", 0}}, ControlId::Edit9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.focused));
    StartedDialog d(SettingsBytes(), ExchangeBytes("100", "1000", "0"));
    const std::string before = ReadBytes(d.folder / "t407.dat");
    for (const Bad& b : c.bad) {
      if (b.text.empty()) {
        d.window.SetItemIndex(b.control, b.index);
      } else {
        d.window.SetText(b.control, b.text);
      }
    }
    d.form.Button1Click();
    EXPECT_EQ(d.form.LastOkOutcome(), OkOutcome::CheckFailed);
    EXPECT_EQ(d.form.FailedControl(), c.focused);
    EXPECT_EQ(d.window.FocusMoves(), std::vector<ControlId>{c.focused});
    EXPECT_TRUE(d.window.Messages().empty());
    EXPECT_FALSE(d.window.CloseRequested());
    EXPECT_TRUE(gDataModel.OutputLines.empty());
    EXPECT_EQ(ReadBytes(d.folder / "t407.dat"), before);
  }
}

TEST(form1, values_at_the_edge_of_their_checks_are_accepted) {
  struct {
    ControlId edit;
    const char* text;
  } cases[] = {
      {ControlId::Edit7, "1000"}, {ControlId::Edit8, "179.9"}, {ControlId::Edit5, "abc"},
      {ControlId::Edit6, "0"},    {ControlId::Edit9, "0"},     {ControlId::Edit4, "-1"},
      {ControlId::Edit1, "1E-9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    StartedDialog d(SettingsBytes(), ExchangeBytes("100", "1000", "0"));
    d.window.SetText(c.edit, c.text);
    d.form.Button1Click();
    EXPECT_EQ(d.form.LastOkOutcome(), OkOutcome::Added);
  }
}

// ---- OK: refusals and acceptance -----------------------------------------------

TEST(form1, a_point_inside_the_reference_is_refused_and_closes_unsaved) {
  struct {
    const char* x;
    const char* y;
  } cases[] = {{"50", "40"}, {"0", "-3"}, {"100", "0"}, {"100.00000000005", "9"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.x) + "," + c.y);
    StartedDialog d(UnitReference(), ExchangeBytes("1", c.x, c.y));
    const std::string before = ReadBytes(d.folder / "t407.dat");
    d.form.Button1Click();
    EXPECT_EQ(d.form.LastOkOutcome(), OkOutcome::Inside);
    EXPECT_EQ(d.window.Messages(), std::vector<std::string>{ToCp932(
                                       "直前作図した水平寸法線の内側を指定する事は出来ません。")});
    EXPECT_TRUE(d.window.CloseRequested());
    EXPECT_EQ(ReadBytes(d.folder / "t407.dat"), before);
    d.form.FormClose();
    EXPECT_EQ(ReadBytes(d.folder / "JWC_TEMP.TXT"), "hq\r\n");
  }
}

TEST(form1, a_zero_length_dimension_is_refused_after_saving_and_the_window_stays) {
  StartedDialog d(SettingsBytes({{24, "1"}, {26, "0"}, {28, "0"}, {30, "0"}, {31, "0"}}));
  // Far out and almost across the axis of 45 degrees, the picked point lies
  // just outside the (degenerate) reference in the turned frame, while the
  // feet on the dimension line, turned about each measure point, come out
  // closer than 1e-10.
  gDataModel.AxisAngle = 45;
  gDataModel.LayerGroupScale[0] = 1;
  gDataModel.PickedPoints[1].X = -100709.50192934152;
  gDataModel.PickedPoints[1].Y = 100709.50192934168;
  PlacementInput input;
  input.AxisAngle = 45;
  input.Picked = Point{gDataModel.PickedPoints[1].X, gDataModel.PickedPoints[1].Y};
  const Placement expected = PlaceDimension(input);
  ASSERT_FALSE(expected.Inside);
  ASSERT_LT(expected.MeasuredLength, 1e-10);

  d.form.Button1Click();
  EXPECT_EQ(d.form.LastOkOutcome(), OkOutcome::ZeroLength);
  EXPECT_EQ(d.window.Messages(),
            std::vector<std::string>{ToCp932("寸法が「0」になりますので作図出来ません")});
  EXPECT_FALSE(d.window.CloseRequested());
  EXPECT_TRUE(gDataModel.OutputLines.empty());
  EXPECT_TRUE(d.window.StatusTexts().empty());
  // Saved already: the reference now ends at the picked point.
  const std::string saved = ReadBytes(d.folder / "t407.dat");
  EXPECT_NE(saved.find("\r\n45\r\n"), std::string::npos);  // axis angle, line 25
  EXPECT_NE(saved.find("\r\n-100709.501929342\r\n100709.501929342\r\n"), std::string::npos);
}

TEST(form1, an_accepted_ok_saves_emits_shows_progress_and_closes) {
  StartedDialog d(SettingsBytes(), ExchangeBytes("100", "1000", "0"));
  d.window.MoveWindow(400, 50);  // the user moved the window
  d.form.Button1Click();
  EXPECT_EQ(d.form.LastOkOutcome(), OkOutcome::Added);
  EXPECT_EQ(d.window.StatusTexts(),
            (std::vector<std::string>{ToCp932("処理中です"), ToCp932("ファイル生成中です")}));
  EXPECT_TRUE(d.window.Messages().empty());
  EXPECT_TRUE(d.window.CloseRequested());
  ASSERT_FALSE(gDataModel.OutputLines.empty());
  EXPECT_EQ(gDataModel.OutputLines.front(), "lg0");
  // t407.dat changes with JWC_TEMP.TXT, at the close: then it holds the
  // window's place at OK and the reference extended to the picked point.
  EXPECT_EQ(ReadBytes(d.folder / "t407.dat"), SettingsBytes());
  d.form.FormClose();
  EXPECT_EQ(ReadBytes(d.folder / "t407.dat"), SettingsBytes({{1, "400"}, {2, "50"}, {28, "1000"}}));
  EXPECT_EQ(ReadBytes(d.folder / "JWC_TEMP.TXT").substr(0, 5), "lg0\r\n");
  EXPECT_EQ(d.form.ReferenceEnd.X, 1000);
}

TEST(form1, the_whole_row_tells_why_it_cannot_and_closes_only_when_the_dialog_could_not_help) {
  // No picked point 1: no value of the dialog gives the line a place. One
  // place: a finer precision might make two. Three places: added, and the
  // band said how many dimensions and how long the row is.
  const struct {
    const char* what;
    std::string exchange;
    OkOutcome outcome;
    std::vector<std::string> messages;
    bool closes;
    const char* strip;
  } cases[] = {
      {"no picked point 1",
       CrLfLines({"hq", "hs 100", " 0 0 1000 0", " 2500 0 2500 10"}),
       OkOutcome::NoLinePoint,
       {ToCp932("寸法線の位置（点１）が指示されていません。")},
       true,
       "寸法線の位置（点１）が指示されていません。"},
      {"one place",
       CrLfLines({"hq", "hs 100", "hp1 0 -500", " 5 0 5.0004 100"}),
       OkOutcome::TooFewPositions,
       {ToCp932("寸法を入れる位置が２つ以上ありません。選択した図形を確認して下さい。")},
       false,
       "寸法を入れる位置が２つ以上ありません。選択した図形を確認して下さい。"},
      {"three places",
       CrLfLines({"hq", "hs 100", "hp1 0 -500", " 0 0 1000 0", "pt 2500 9"}),
       OkOutcome::Added,
       {},
       true,
       "連続寸法：2個　全長：2500"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // Without t407.dat: the row chains from nothing and starts all the same.
    StartedDialog d(std::nullopt, c.exchange, DimensionMode::WholeRow);
    ASSERT_FALSE(d.form.StartRefused());
    ASSERT_FALSE(d.window.Previews().empty());
    // The band says it; a refusal is what the strip shows too.
    const PreviewScene& strip = d.window.Previews().back();
    EXPECT_EQ(strip.Description.Before, ToCp932(c.strip));
    EXPECT_EQ(strip.Message.has_value(), c.outcome != OkOutcome::Added);
    d.form.Button1Click();
    EXPECT_EQ(d.form.LastOkOutcome(), c.outcome);
    EXPECT_EQ(d.window.Messages(), c.messages);
    EXPECT_EQ(d.window.CloseRequested(), c.closes);
    // t407.dat is made only for a row added, and put in place by the close.
    d.form.FormClose();
    EXPECT_EQ(std::filesystem::exists(d.folder / "t407.dat"), c.outcome == OkOutcome::Added);
  }
}

TEST(form1, clicks_before_start_up_or_once_closing_was_asked_for_do_nothing) {
  // A second Enter reaches the window before it has closed.
  struct {
    const char* closedBy;
    const char* pickX;  // -500 lies inside the reference
    void (TForm1::*close)();
  } cases[] = {
      {"accepted OK", "1000", &TForm1::Button1Click},
      {"refused OK", "-500", &TForm1::Button1Click},
      {"Cancel", "1000", &TForm1::Button2Click},
      {"the title bar", "1000", &TForm1::FormClose},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.closedBy);
    StartedDialog d(SettingsBytes(), ExchangeBytes("100", c.pickX, "0"));
    (d.form.*c.close)();
    const std::vector<std::string> commands = gDataModel.OutputLines;
    const std::vector<std::string> messages = d.window.Messages();
    const std::string saved = ReadBytes(d.folder / "t407.dat");
    d.form.Button1Click();
    d.form.Button2Click();
    EXPECT_EQ(gDataModel.OutputLines, commands);
    EXPECT_EQ(d.window.Messages(), messages);
    EXPECT_EQ(ReadBytes(d.folder / "t407.dat"), saved);
    // A second close must not write the exchange file again from the
    // released model.
    d.form.FormClose();
    const std::string written = ReadBytes(d.folder / "JWC_TEMP.TXT");
    d.form.FormClose();
    EXPECT_EQ(ReadBytes(d.folder / "JWC_TEMP.TXT"), written);
  }
  TempFolder folder;
  MemoryForm window(folder.Path());
  TForm1 notStarted(window);
  notStarted.Button1Click();
  notStarted.Button2Click();
  EXPECT_EQ(notStarted.LastOkOutcome(), OkOutcome::NotRun);
  EXPECT_FALSE(window.CloseRequested());
}

TEST(form1, a_reference_recorded_at_another_scale_is_saved_at_the_current_one) {
  // Recorded at 1:50 from (1000, 0) to (1500, 0); the current group draws at
  // 1:100, so on the sheet it runs from (2000, 0) to (3000, 0).
  StartedDialog d(SettingsBytes({{24, "50"}, {26, "1000"}, {28, "1500"}, {31, "-250"}}),
                  ExchangeBytes("100", "4000", "0"));
  d.form.Button1Click();
  EXPECT_EQ(d.form.LastOkOutcome(), OkOutcome::Added);
  d.form.FormClose();
  EXPECT_EQ(ReadBytes(d.folder / "t407.dat"),
            SettingsBytes({{24, "100"}, {26, "2000"}, {28, "4000"}, {31, "-500"}}));
}

TEST(form1, close_after_an_accepted_ok_writes_the_commands_and_frees_the_model) {
  StartedDialog d(SettingsBytes(), ExchangeBytes("100", "1000", "0"));
  d.form.Button1Click();
  d.form.FormClose();
  const std::string written = ReadBytes(d.folder / "JWC_TEMP.TXT");
  EXPECT_EQ(written.substr(0, 10), "lg0\r\nly0\r\n");
  EXPECT_NE(written.find("cs 200 -450 10 0 \"1000\r\n"), std::string::npos);
  EXPECT_TRUE(gDataModel.OutputLines.empty());
}
