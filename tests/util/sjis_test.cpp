#include "util/sjis.h"

#include <gtest/gtest.h>

#include <string>

TEST(sjis, lead_bytes_include_0x80_and_0xfd) {
  struct {
    unsigned char byte;
    bool lead;
  } cases[] = {
      {0x7F, false}, {0x80, true},  {0x81, true},  {0x9F, true},  {0xA0, false},
      {0xA1, false}, {0xDF, false}, {0xE0, true},  {0xFC, true},  {0xFD, true},
      {0xFE, false}, {0xFF, false}, {0x00, false}, {0x41, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.byte));
    EXPECT_EQ(IsLeadByte(c.byte), c.lead);
  }
}

TEST(sjis, a_lead_byte_takes_the_next_byte_unless_it_is_the_last) {
  // "aあ" then a lone lead byte: 61 82 A0 82.
  const std::string text = "a\x82\xA0\x82";
  struct {
    std::size_t at;
    std::size_t bytes;
  } cases[] = {{0, 1}, {1, 2}, {2, 1}, {3, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.at);
    EXPECT_EQ(CharByteCount(text, c.at), c.bytes);
  }
  // The byte after a lead byte belongs to it whatever its value.
  EXPECT_EQ(CharByteCount("\x82\x0A", 0), 2u);
}

TEST(sjis, cut_never_splits_a_double_byte_character) {
  // "aあb" is 61 82 A0 62 in code page 932.
  const std::string text =
      "a\x82\xA0"
      "b";
  struct {
    std::size_t maxBytes;
    std::size_t kept;
  } cases[] = {
      {0, 0}, {1, 1}, {2, 1}, {3, 3}, {4, 4}, {100, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.maxBytes);
    EXPECT_EQ(CutToWholeChars(text, c.maxBytes), std::string_view(text).substr(0, c.kept));
  }
}

TEST(sjis, cut_counts_a_trailing_lone_lead_byte_as_one_byte) {
  const std::string text = "ab\x82";
  struct {
    std::size_t maxBytes;
    std::size_t kept;
  } cases[] = {
      {2, 2},
      {3, 3},
      {4, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.maxBytes);
    EXPECT_EQ(CutToWholeChars(text, c.maxBytes), std::string_view(text).substr(0, c.kept));
  }
}

TEST(sjis, cut_takes_the_byte_after_a_lead_byte_whatever_its_value) {
  // 0x82 pairs with the following "a" and with the 0x82 after it alike.
  struct {
    std::string text;
    std::size_t maxBytes;
    std::size_t kept;
  } cases[] = {
      {"\x82"
       "ab",
       1, 0},
      {"\x82"
       "ab",
       2, 2},
      {"\x82\x82"
       "a",
       1, 0},
      {"\x82\x82"
       "a",
       2, 2},
      {"\x82\x82"
       "a",
       3, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + " / " + std::to_string(c.maxBytes));
    EXPECT_EQ(CutToWholeChars(c.text, c.maxBytes).size(), c.kept);
  }
}
