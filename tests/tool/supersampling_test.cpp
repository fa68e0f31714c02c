#include "tool/supersampling.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {
constexpr std::uint32_t kWhite = 0xFFFFFF, kBlack = 0;
}  // namespace

TEST(supersampling, each_block_becomes_its_mean_colour_rounded) {
  struct {
    const char* name;
    int width, height, factor;
    std::vector<std::uint32_t> large, small;
  } cases[] = {
      {"factor 1 copies", 2, 1, 1, {0x123456, 0xABCDEF}, {0x123456, 0xABCDEF}},
      {"half black: the half rounds up", 1, 1, 2, {kBlack, kWhite, kWhite, kBlack}, {0x808080}},
      {"one sample of sixteen",
       1,
       1,
       4,
       {kBlack, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite,
        kWhite, kWhite, kWhite, kWhite, kWhite},
       {0xEFEFEF}},
      {"colours apart", 1, 1, 2, {0xFF0000, 0x0000FF, 0x00FF00, 0xFF0000}, {0x804040}},
      // Two blocks side by side, each from its own columns, and two rows.
      {"blocks in place",
       2,
       2,
       2,
       {kBlack, kBlack, kWhite, kWhite,  //
        kBlack, kBlack, kWhite, kWhite,  //
        kWhite, kWhite, kBlack, kWhite,  //
        kWhite, kWhite, kWhite, kWhite},
       {kBlack, kWhite, kWhite, 0xBFBFBF}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint32_t> small(c.small.size(), 0x777777);
    AverageBlocks(c.large, c.width, c.height, c.factor, small);
    EXPECT_EQ(small, c.small);
  }
}

TEST(supersampling, sizes_that_do_not_match_leave_the_result_alone) {
  std::vector<std::uint32_t> small(1, 0x777777);
  AverageBlocks(std::vector<std::uint32_t>(3, kBlack), 1, 1, 2, small);
  EXPECT_EQ(small[0], 0x777777u);
}
