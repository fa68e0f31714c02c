#include "host/output_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>

#include "host/data_model.h"
#include "tests/support/file_size_limit.h"

namespace {

// The emitters start from what ResetOutputState leaves after a file was read.
class OutputWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDataModel();
    ResetOutputState();
  }
};

struct EmitCase {
  const char* name;
  std::function<void()> emit;
  const char* file;  // the exchange file's bytes
};

TEST_F(OutputWriterTest, writes_each_command_as_jw_cad_reads_it) {
  const EmitCase cases[] = {
      {"nothing emitted", [] {}, "hq\r\n"},
      {"pen colour cached",
       [] {
         OutPenColor(3);
         OutPenColor(3);
       },
       "lc3\r\n"},
      {"first pen colour written even if equal", [] { OutPenColor(1); }, "lc1\r\n"},
      {"a first line goes before the others",
       [] {
         OutPenColor(3);
         AddFirstOutputLine("hr");
       },
       "hr\r\nlc3\r\n"},
      {"a line at exactly the tolerance is drawn, a direction that small is none",
       [] {
         OutLine(0, 0, 1e-8, 0);
         OutText(2, "a", 0, 0, 1e-8, -1e-8);
         OutPoint(1, 0, 0, 1e-8, 0);
       },
       "0 0 1E-8 0\r\npt 0 0 1 0 1\r\n"},
      {"layer follows its group",
       [] {
         OutLayerGroup(2);
         OutLayer(0);
         OutLayerGroup(2);
         OutLayer(0);
         OutLayerGroup(3);
         OutLayer(0);
       },
       "lg2\r\nly0\r\nlg3\r\nly0\r\n"},
      {"hex layer digits",
       [] {
         OutLayerGroup(10);
         OutLayer(15);
       },
       "lgA\r\nlyF\r\n"},
      {"line width out of range", [] { OutLineWidth(40000); }, "lw0\r\n"},
      {"negative line width", [] { OutLineWidth(-5); }, "lw0\r\n"},
      {"line type",
       [] {
         OutLineType(2);
         OutLineType(2);
         OutLineType(5);
       },
       "lt2\r\nlt5\r\n"},
      {"free text type",
       [] {
         OutTextType(0, 1, 2.5, 2.5, 0);
         OutTextType(0, 1, 2.5, 2.5, 0);
         OutTextType(0, 1, 2.5, 2.5, 0.5);
       },
       "cn0 2.5 2.5 0 1\r\ncn0 2.5 2.5 0.5 1\r\n"},
      {"fixed text type cached",
       [] {
         OutTextType(3, 0, 0, 0, 0);
         OutTextType(3, 9, 9, 9, 9);
       },
       "cn3\r\n"},
      {"cc out of range",
       [] {
         OutTextCC(9);
         OutTextCC(0);
       },
       "cc0\r\n"},
      {"point colour", [] { OutPointColor(2); }, "pn2\r\n"},
      {"z flags in order", [] { OutZFlags(1 | 2 | 4 | 8); }, "z1\r\nz2\r\nz3\r\nz4\r\n"},
      {"z4 dropped beside z5", [] { OutZFlags(24); }, "z5\r\n"},
      {"zero-length line dropped",
       [] {
         OutLine(0, 0, 0, 0);
         OutLine(1, 1, 1 + 5e-9, 1);
       },
       "hq\r\n"},
      {"line", [] { OutLine(0, 0, 100, 0); }, "0 0 100 0\r\n"},
      {"line of one tiny step", [] { OutLine(0, 0, 2e-8, 0); }, "0 0 2E-8 0\r\n"},
      {"point code and scale replaced", [] { OutPoint(20, 1, 2, 0, 90); }, "pt 1 2 1 90 -3\r\n"},
      {"point kept", [] { OutPoint(-7, 1.5, -2, 0.5, 359.5); }, "pt 1.5 -2 0.5 359.5 -7\r\n"},
      {"text joined with its command", [] { OutText(2, "100", 10, 20, 1, 0); },
       "cs 10 20 1 0 \"100\r\n"},
      {"unknown text kind is ch", [] { OutText(42, "a b", 0, 0, 1, 0); }, "ch 0 0 1 0 \"a b\r\n"},
      {"blank text dropped", [] { OutText(2, "  ", 10, 20, 1, 0); }, "hq\r\n"},
      {"full-width blank text dropped", [] { OutText(0, "\x81\x40", 10, 20, 1, 0); }, "hq\r\n"},
      {"text without direction dropped", [] { OutText(0, "a", 10, 20, 1e-8, -1e-8); }, "hq\r\n"},
      {"dimension with its length as value", [] { OutDimension("", 0, 0, 100, 0, 50, 5, 1, 0); },
       "msg\r\n0 0 100 0\r\ncs 50 5 1 0 \"100\r\n"},
      {"dimension length rounded to 8 decimals", [] { OutDimension(" ", 0, 0, 1, 1, 0, 0, 1, 0); },
       "msg\r\n0 0 1 1\r\ncs 0 0 1 0 \"1.41421356\r\n"},
      {"dimension with text", [] { OutDimension("L=5", 0, 0, 5, 0, 2, 1, 1, 0); },
       "msg\r\n0 0 5 0\r\ncs 2 1 1 0 \"L=5\r\n"},
      {"zero-length dimension dropped", [] { OutDimension("1", 3, 3, 3, 3, 0, 0, 1, 0); },
       "hq\r\n"},
      {"dimension without direction dropped", [] { OutDimension("1", 0, 0, 3, 3, 0, 0, 0, 0); },
       "hq\r\n"},
      {"quote at the very end has no line end", [] { AddOutputLine("ch 0 0 1 0 \""); },
       "ch 0 0 1 0 \""},
      {"empty entry is an empty line",
       [] {
         AddOutputLine("");
         AddOutputLine("x");
       },
       "\r\nx\r\n"},
  };
  for (const EmitCase& c : cases) {
    SCOPED_TRACE(c.name);
    ResetDataModel();
    ResetOutputState();
    c.emit();
    EXPECT_EQ(FormatOutputLines(), c.file);
  }
}

TEST_F(OutputWriterTest, line_width_minus_one_means_the_current_width) {
  gDataModel.CurLineWidth = 7;
  OutLineWidth(-1);
  EXPECT_EQ(FormatOutputLines(), "lw7\r\n");
}

TEST_F(OutputWriterTest, text_type_outside_range_uses_the_current_type) {
  struct {
    int curType;
    const char* file;
  } cases[] = {
      {4, "cn4\r\n"},
      {0, "cn0 5 6 0.5 3\r\n"},
      // A current type Jw_cad wrote outside 0..10 goes back as it came.
      {12, "cn12\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.curType);
    ResetDataModel();
    ResetOutputState();
    gDataModel.CurTextType = c.curType;
    gDataModel.CurFreeTextWidth = 5;
    gDataModel.CurFreeTextHeight = 6;
    gDataModel.CurFreeTextSpacing = 0.5;
    gDataModel.CurFreeTextColor = 3;
    OutTextType(11, 1, 1, 1, 1);
    EXPECT_EQ(FormatOutputLines(), c.file);
  }
}

TEST_F(OutputWriterTest, font_name_falls_back_to_the_current_font) {
  gDataModel.CurFontName = "<Arial>";
  OutFontName("<>");
  OutFontName("");
  OutFontName("<MS Mincho 1>");
  EXPECT_EQ(FormatOutputLines(), "cn\"$<Arial>\r\ncn\"$<MS Mincho 1>\r\n");
}

TEST_F(OutputWriterTest, entries_are_cut_on_a_character_boundary) {
  // 254 ASCII bytes then a double-byte character: cutting at 255 bytes would
  // split it, so the whole character goes.
  std::string text(254, 'a');
  text += "\x82\xa0";
  AddOutputLine(text);
  ASSERT_EQ(gDataModel.OutputLines.size(), 1u);
  EXPECT_EQ(gDataModel.OutputLines[0], std::string(254, 'a'));

  ResetDataModel();
  std::string longText(300, 'b');
  OutText(0, longText, 0, 0, 1, 0);
  ASSERT_EQ(gDataModel.OutputLines.size(), 2u);
  EXPECT_EQ(gDataModel.OutputLines[1].size(), 255u);
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class WriteExchangeFileTest : public OutputWriterTest {
 protected:
  void SetUp() override {
    OutputWriterTest::SetUp();
    folder_ = std::filesystem::temp_directory_path() /
              ("t408_writer_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::filesystem::path folder_;
};

TEST_F(WriteExchangeFileTest, replaces_the_input_with_the_commands) {
  const auto path = folder_ / "JWC_TEMP.TXT";
  std::ofstream(path, std::ios::binary) << "hq\r\nhp1 5 5\r\n 0 0 1 1\r\n";
  OutPenColor(2);
  OutText(0, "\x8e\x9a", 1, 2, 1, 0);
  ASSERT_TRUE(WriteExchangeFile(path));
  EXPECT_EQ(ReadAll(path), "lc2\r\nch 1 2 1 0 \"\x8e\x9a\r\n");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "JWC_TEMP.TXT.tmp"));
}

TEST_F(WriteExchangeFileTest, failure_leaves_jw_cads_own_file_whole) {
  // A disk that takes no more than 8 bytes of any file makes the write fail.
  const auto path = folder_ / "JWC_TEMP.TXT";
  std::ofstream(path, std::ios::binary) << "hq\r\n 0 0 1 1\r\n";
  std::filesystem::create_directory(folder_ / "JWC_TEMP.TXT.tmp");
  OutPenColor(2);
  OutLine(0, 0, 100, 0);
  FileFailure failure = FileFailure::None;
  {
    ScopedFileSizeLimit limit(8);
    EXPECT_FALSE(WriteExchangeFile(path, &failure));
  }
  EXPECT_EQ(failure, FileFailure::DiskFull);
  // Jw_cad reads its own file, which begins with "hq", as a pass that did
  // not run: never its input as commands, never half the commands.
  EXPECT_EQ(ReadAll(path), "hq\r\n 0 0 1 1\r\n");
  EXPECT_TRUE(std::filesystem::is_directory(folder_ / "JWC_TEMP.TXT.tmp"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                          std::filesystem::directory_iterator()),
            2);
}

TEST_F(WriteExchangeFileTest, a_folder_named_like_the_exchange_file_is_left_alone) {
  const auto path = folder_ / "JWC_TEMP.TXT";
  std::filesystem::create_directory(path);
  OutPenColor(2);
  EXPECT_FALSE(WriteExchangeFile(path));
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "JWC_TEMP.TXT.tmp"));
}

TEST_F(WriteExchangeFileTest, missing_folder_reports_failure) {
  EXPECT_FALSE(WriteExchangeFile(folder_ / "no_such_folder" / "JWC_TEMP.TXT"));
}

}  // namespace
