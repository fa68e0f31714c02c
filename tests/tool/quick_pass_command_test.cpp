#include "tool/quick_pass_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/cp932.h"
#include "tests/support/temp_folder.h"

TEST(quick_pass_command, the_one_argument_selects_the_mode) {
  using M = QuickPassMode;
  const struct {
    std::vector<std::string> arguments;
    std::optional<QuickPassMode> mode;
  } cases[] = {
      {{}, M::AddDimension},    {{"/k"}, M::TakeReference}, {{"/K"}, M::TakeReference},
      {{"/r"}, M::RepeatChain}, {{"/R"}, M::RepeatChain},   {{"/k", "/r"}, std::nullopt},
      {{"/a"}, M::WholeRow},    {{"/A"}, M::WholeRow},      {{"/a", "/a"}, std::nullopt},
      {{"-k"}, std::nullopt},   {{"/kr"}, std::nullopt},    {{""}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments[0]);
    EXPECT_EQ(QuickPassModeOf(c.arguments), c.mode);
  }
}

TEST(quick_pass_command, unknown_arguments_say_so_even_when_the_exchange_file_cannot_take_it) {
  struct {
    const char* name;
    bool exchangeIsAFolder;
    const char* message;  // UTF-8
  } cases[] = {
      {"written", false,
       "t408q.exe の起動オプションが正しくありません。/k、/r、/a "
       "のどれかを付けるか、何も付けないで下さい。"},
      {"a folder in its place", true,
       "t408q.exe の起動オプションが正しくありません。/k、/r、/a "
       "のどれかを付けるか、何も付けないで下さい。"
       "JWC_TEMP.TXT を保存出来ませんでした（同じ名前のフォルダがあります）。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    if (c.exchangeIsAFolder) std::filesystem::create_directory(folder / "JWC_TEMP.TXT");
    const std::vector<std::string> arguments = {"/x"};
    std::string message;
    EXPECT_EQ(RunQuickPassCommand(folder.Path(), arguments, &message), 2);
    EXPECT_EQ(message, ToCp932(c.message));
    EXPECT_FALSE(std::filesystem::exists(folder / "t407.dat"));
    if (!c.exchangeIsAFolder) {
      EXPECT_EQ(ReadBytes(folder / "JWC_TEMP.TXT"), "he" + ToCp932(c.message) + "\r\n");
    }
  }
}
