#include "tool/settings_file.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <vector>

#include "host/data_model.h"
#include "tests/support/cp932.h"
#include "tests/tool/dialog_fixture.h"
#include "tests/tool/temp_folder.h"
#include "tool/form1.h"
#include "tool/memory_form.h"

namespace {

std::vector<std::string> ReadAllLines(std::string_view bytes) {
  SettingsLineReader reader(BytesSource(bytes));
  std::vector<std::string> lines;
  std::string line;
  while (reader.ReadLine(line) == SettingsLineStatus::Read) lines.push_back(line);
  return lines;
}

}  // namespace

// ---- Reading lines ------------------------------------------------------------

TEST(settings_file, lines_end_at_lf_with_cr_dropped_and_0x1a_ending_the_file) {
  struct {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\r\r\nb\rc\n", {"a", "bc"}},
      {"", {}},
      {"\n", {""}},
      {"\r\n\r\nx", {"", "", "x"}},
      {"x\r", {"x"}},
      {std::string("a\nb\x1A"
                   "c\nd\n"),
       {"a", "b"}},
      {std::string("\x1A"
                   "a\n"),
       {}},
      {std::string("\x82\xA0\r\n", 4), {"\x82\xA0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(ReadAllLines(c.bytes), c.lines);
  }
}

TEST(settings_file, lines_past_the_end_read_as_empty) {
  SettingsLineReader reader(BytesSource("only\r\n"));
  std::string line;
  EXPECT_EQ(reader.ReadLine(line), SettingsLineStatus::Read);
  EXPECT_EQ(line, "only");
  for (int i = 0; i < 3; ++i) {
    line = "stale";
    EXPECT_EQ(reader.ReadLine(line), SettingsLineStatus::EndOfFile);
    EXPECT_EQ(line, "");
  }
}

TEST(settings_file, a_read_error_stops_reading_and_drops_the_half_line) {
  const int bytes[] = {'1', '\n', '2', SettingsLineReader::kError, '3', '\n'};
  std::size_t next = 0;
  SettingsLineReader reader([&] { return bytes[next++]; });
  std::string line;
  EXPECT_EQ(reader.ReadLine(line), SettingsLineStatus::Read);
  EXPECT_EQ(line, "1");
  EXPECT_EQ(reader.ReadLine(line), SettingsLineStatus::Failed);
  EXPECT_EQ(line, "");
  EXPECT_EQ(reader.ReadLine(line), SettingsLineStatus::Failed);
}

TEST(settings_file, a_stream_that_fails_mid_file_stops_the_reading) {
  // Hands out its bytes, then fails as a disk read would.
  class FailingBuffer : public std::streambuf {
   public:
    explicit FailingBuffer(std::string bytes) : bytes_(std::move(bytes)) {
      setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
    }

   protected:
    int_type underflow() override { throw std::runtime_error("read error"); }

   private:
    std::string bytes_;
  };
  FailingBuffer buffer("100\r\n20");
  std::istream in(&buffer);
  SettingsLineReader reader(StreamSource(in));
  std::string line;
  EXPECT_EQ(reader.ReadLine(line), SettingsLineStatus::Read);
  EXPECT_EQ(line, "100");
  EXPECT_EQ(reader.ReadLine(line), SettingsLineStatus::Failed);

  std::istringstream whole("a\nb");
  SettingsLineReader plain(StreamSource(whole));
  EXPECT_EQ(plain.ReadLine(line), SettingsLineStatus::Read);
  EXPECT_EQ(plain.ReadLine(line), SettingsLineStatus::Read);
  EXPECT_EQ(line, "b");
  EXPECT_EQ(plain.ReadLine(line), SettingsLineStatus::EndOfFile);
}

TEST(settings_file, every_written_line_ends_in_cr_lf) {
  EXPECT_EQ(FormatSettingsLines({"1", "", "\x82\xA0"}), "1\r\n\r\n\x82\xA0\r\n");
  EXPECT_EQ(FormatSettingsLines({}), "");
}

// ---- Loading into the dialog -------------------------------------------------

TEST(settings_file, check_boxes_are_checked_by_any_nonzero_integer) {
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

TEST(settings_file, selection_indexes_follow_each_controls_rule) {
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

TEST(settings_file, layer_group_outside_0_to_15_reads_as_0) {
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

TEST(settings_file, scale_not_above_1e_10_reads_as_1) {
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

TEST(settings_file, reference_lines_fill_the_reference_fields) {
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

TEST(settings_file, window_position_may_be_negative_and_is_applied_unchecked) {
  StartedDialog d(SettingsBytes({{1, "-300"}, {2, "-20"}}));
  EXPECT_EQ(d.form.SavedLeft, -300);
  EXPECT_EQ(d.form.SavedTop, -20);
  EXPECT_EQ(d.window.WindowLeft(), -300);
  EXPECT_EQ(d.window.WindowTop(), -20);
}

TEST(settings_file, texts_longer_than_the_edit_allows_are_shown_in_full) {
  const std::string longNumber = "3.000000000000000000001";  // Edit7 takes 8 when typed
  const std::string longPrefix = ToCp932("寸法値の前に置く長い接頭文字列です。とても長い");  // > 32
  StartedDialog d(SettingsBytes({{14, longNumber}, {9, longPrefix}}));
  EXPECT_EQ(d.window.Text(ControlId::Edit7), longNumber);
  EXPECT_EQ(d.window.Text(ControlId::Edit2), longPrefix);
  // Typing, unlike loading, stops at the limit.
  d.window.TypeText(ControlId::Edit7, longNumber);
  EXPECT_EQ(d.window.Text(ControlId::Edit7), "3.000000");
}

TEST(settings_file, an_empty_file_reads_every_line_as_empty) {
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

TEST(settings_file, a_short_file_applies_its_lines_and_empties_the_rest) {
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

TEST(settings_file, end_of_file_byte_empties_every_later_line) {
  std::string bytes = SettingsBytes();
  // Cut after line 22: the rest, though present, is never read.
  std::size_t pos = 0;
  for (int i = 0; i < 22; ++i) pos = bytes.find('\n', pos) + 1;
  bytes.insert(pos, "\x1A");
  StartedDialog d(bytes);
  EXPECT_EQ(d.form.ReferenceLayerGroup, 0);
  EXPECT_EQ(d.form.ReferenceScale, 1.0);  // "100" was never read
  EXPECT_EQ(d.form.ReferenceStart.X, 0);  // "-1000" likewise
  EXPECT_EQ(d.window.Text(ControlId::Edit8), "15");
}

TEST(settings_file, a_missing_file_leaves_the_defaults_and_refuses) {
  StartedDialog d(std::nullopt);
  EXPECT_EQ(d.form.ReferenceLayerGroup, -1);
  EXPECT_EQ(d.form.SavedLeft, 100);
  EXPECT_EQ(d.window.Text(ControlId::Edit7), "3");
  EXPECT_EQ(d.window.ItemIndex(ControlId::ComboBox4), 3);
  EXPECT_TRUE(d.form.StartRefused());
}

TEST(settings_file, a_folder_named_t407_dat_reads_as_defaults_only) {
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

// ---- Saving ------------------------------------------------------------------

TEST(settings_file, saving_what_was_loaded_gives_the_same_bytes) {
  TempFolder folder;
  std::filesystem::copy_file(T408_SOURCE_DIR "/examples/t407.dat", folder / "t407.dat");
  std::filesystem::copy_file(T408_SOURCE_DIR "/examples/JWC_TEMP.TXT", folder / "JWC_TEMP.TXT");
  MemoryForm window(folder.Path());
  TForm1 form(window);
  form.FormShow();
  form.SaveSettings(folder / "saved.dat");
  EXPECT_EQ(ReadBytes(folder / "saved.dat"), ReadBytes(folder / "t407.dat"));
}

TEST(settings_file, round_trip_reproduces_every_control) {
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

TEST(settings_file, reference_lines_take_the_data_models_group_scale_and_angle) {
  StartedDialog d(SettingsBytes());
  gDataModel.CurLayerGroup = 10;
  gDataModel.LayerGroupScale[10] = 1.0 / 3;
  gDataModel.AxisAngle = 1e15;
  d.form.ReferenceStart = Point{-0.5, 1e-5};
  d.form.ReferenceEnd = Point{1.2345e-5, 123456789012345678.0};
  d.form.ReferenceLinePoint = Point{0.0001, -0.0};
  d.form.SaveSettings(d.folder / "t407.dat");
  const std::vector<std::string> lines = ReadAllLines(ReadBytes(d.folder / "t407.dat"));
  ASSERT_EQ(lines.size(), 31u);
  const std::vector<std::string> tail(lines.begin() + 22, lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"10", "0.333333333333333", "1E15", "-0.5", "1E-5",
                                            "1.2345E-5", "1.23456789012346E17", "0.0001", "0"}));
  // The loaded reference group, scale and angle stay as they were.
  EXPECT_EQ(d.form.ReferenceLayerGroup, 0);
  EXPECT_EQ(d.form.ReferenceScale, 100);
}

TEST(settings_file, a_failed_save_keeps_the_previous_file) {
  StartedDialog d(SettingsBytes());
  const std::string before = ReadBytes(d.folder / "t407.dat");
  // The new content is written beside the file first; a folder in that place
  // makes the write fail.
  std::filesystem::create_directory(d.folder / "t407.dat.tmp");
  d.window.SetText(ControlId::Edit1, "9");
  d.form.SaveSettings(d.folder / "t407.dat");
  EXPECT_EQ(ReadBytes(d.folder / "t407.dat"), before);
  EXPECT_TRUE(std::filesystem::is_directory(d.folder / "t407.dat.tmp"));
}
