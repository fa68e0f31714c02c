#include "tool/form1.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/data_model.h"
#include "tests/support/cp932.h"
#include "tests/tool/dialog_fixture.h"
#include "tests/tool/temp_folder.h"
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
  EXPECT_TRUE(d.window.NavigatedPages().empty());
  d.form.FormClose();
  EXPECT_EQ(ReadBytes(d.folder / "JWC_TEMP.TXT"), "hq\r\n");
}

TEST(form1, start_moves_the_window_to_the_saved_place_and_opens_the_page) {
  StartedDialog d(SettingsBytes({{1, "300"}, {2, "250"}}));
  EXPECT_FALSE(d.form.StartRefused());
  EXPECT_TRUE(d.window.Messages().empty());
  EXPECT_FALSE(d.window.CloseRequested());
  EXPECT_EQ(d.window.WindowLeft(), 300);
  EXPECT_EQ(d.window.WindowTop(), 250);
  EXPECT_EQ(d.form.PageAddress, kPromotionalPageAddress);
  EXPECT_EQ(d.window.NavigatedPages(),
            std::vector<std::string>{std::string(kPromotionalPageAddress)});
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
  // The window's place at OK and the reference extended to the picked point.
  EXPECT_EQ(ReadBytes(d.folder / "t407.dat"), SettingsBytes({{1, "400"}, {2, "50"}, {28, "1000"}}));
  EXPECT_EQ(d.form.ReferenceEnd.X, 1000);
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
