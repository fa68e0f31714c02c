#include "tool/quick_pass_command.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

TEST(quick_pass_command, the_one_argument_selects_the_mode) {
  using M = QuickPassMode;
  const struct {
    std::vector<std::string> arguments;
    std::optional<QuickPassMode> mode;
  } cases[] = {
      {{}, M::AddDimension},    {{"/k"}, M::TakeReference}, {{"/K"}, M::TakeReference},
      {{"/r"}, M::RepeatChain}, {{"/R"}, M::RepeatChain},   {{"/k", "/r"}, std::nullopt},
      {{"-k"}, std::nullopt},   {{"/kr"}, std::nullopt},    {{""}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments[0]);
    EXPECT_EQ(QuickPassModeOf(c.arguments), c.mode);
  }
}
