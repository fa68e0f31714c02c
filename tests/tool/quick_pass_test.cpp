#include "tool/quick_pass.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/cp932.h"
#include "tests/support/dialog_fixture.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"
#include "tool/ui_texts.h"

namespace {

const std::string kExchange =
    CrLfLines({"hq", "hk 0", "hs 100 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1", "hp1 1000 0", "lg0", "cn1"});

}  // namespace

TEST(quick_pass, a_value_failing_its_check_is_named_by_its_dialog_caption) {
  // Radio groups cannot fail from t407.dat: any index selects an item.
  struct {
    int line;
    const char* text;
    const char* name;
  } cases[] = {
      {3, "12", "始点"},
      {4, "12", "終点"},
      {8, "0", "端点倍率"},
      {14, "0", "線矢印の長さ"},
      {15, "180", "線矢印の角度"},
      {5, "11", "寸法値の文字種"},
      {6, "9", "寸法値の精度"},
      {7, "3", "寸法値の丸め"},
      {12, "-1", "計測点と寸法補助線の距離"},
      {13, "-1", "寸法補助線のはみ出し距離"},
      {16, "-1", "逆矢印の寸法はみだし距離"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    WriteBytes(folder / "JWC_TEMP.TXT", kExchange);
    WriteBytes(folder / "t407.dat", SettingsBytes({{c.line, c.text}}));
    std::string message;
    EXPECT_EQ(RunQuickPass(folder.Path(), &message), 1);
    const std::string expected =
        ToCp932(std::string("設定「") + c.name + "」の値が正しくありません。");
    EXPECT_EQ(message, expected);
    EXPECT_EQ(ReadBytes(folder / "JWC_TEMP.TXT"), "he" + expected + "\r\n");
  }
}

TEST(quick_pass, an_added_dimension_returns_0_with_no_message) {
  TempFolder folder;
  WriteBytes(folder / "JWC_TEMP.TXT", kExchange);
  WriteBytes(folder / "t407.dat", SettingsBytes());
  std::string message = "stale";
  EXPECT_EQ(RunQuickPass(folder.Path(), &message), 0);
  EXPECT_EQ(message, "");
  EXPECT_EQ(ReadBytes(folder / "JWC_TEMP.TXT").substr(0, 5), "lg0\r\n");
  // Without a place for the message the pass runs the same.
  WriteBytes(folder / "JWC_TEMP.TXT", CrLfLines({"hq", "hp1 0 0"}));
  EXPECT_EQ(RunQuickPass(folder.Path(), nullptr), 1);
}

TEST(quick_pass, a_reference_that_cannot_replace_t407_dat_is_refused_and_keeps_it) {
  // A disk that takes no more than 120 bytes of a file stops the replacement
  // of t407.dat (the points' long numbers make it longer), and still takes
  // the reason.
  TempFolder folder;
  WriteBytes(folder / "JWC_TEMP.TXT", CrLfLines({"hq", "hp1 0.123456789012345 0.123456789012345",
                                                 "hp2 1000.12345678901 0.123456789012345",
                                                 "hp3 0.123456789012345 -500.123456789012"}));
  WriteBytes(folder / "t407.dat", SettingsBytes());
  const std::string expected = ToCp932(
      "t407.dat を保存出来ませんでした（ディスクの空き容量が足りません）。"
      "基準寸法は記憶されていません。");
  ASSERT_LT(expected.size() + 4, 120u);
  std::string message;
  {
    ScopedFileSizeLimit limit(120);
    EXPECT_EQ(RunReferencePass(folder.Path(), &message), 1);
  }
  EXPECT_EQ(message, expected);
  EXPECT_EQ(ReadBytes(folder / "JWC_TEMP.TXT"), "he" + message + "\r\n");
  EXPECT_EQ(ReadBytes(folder / "t407.dat"), SettingsBytes());
}
