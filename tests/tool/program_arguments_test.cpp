#include "tool/program_arguments.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

TEST(program_arguments, t408_exe_takes_no_argument_or_a_for_the_whole_row) {
  using M = DimensionMode;
  const struct {
    std::vector<std::string> arguments;
    std::optional<DimensionMode> mode;
  } cases[] = {
      {{}, M::OneDimension},  {{"/a"}, M::WholeRow},   {{"/A"}, M::WholeRow},
      {{"/r"}, std::nullopt}, {{"/k"}, std::nullopt},  {{"/a", "/a"}, std::nullopt},
      {{"a"}, std::nullopt},  {{"/ab"}, std::nullopt}, {{""}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments[0]);
    EXPECT_EQ(DialogModeOf(c.arguments), c.mode);
  }
}
