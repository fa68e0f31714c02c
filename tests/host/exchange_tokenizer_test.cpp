#include "host/exchange_tokenizer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/cp932.h"

namespace {

using V = std::vector<std::string>;

V Split(std::string_view line) {
  std::string scratch;
  LineTokens tokens;
  SplitExchangeLine(line, scratch, tokens);
  return V(tokens.Tokens, tokens.Tokens + tokens.Count);
}

TEST(exchange_tokenizer, splits_lines_by_the_tokenizer_rules) {
  struct {
    std::string line;
    V tokens;
  } cases[] = {
      {"", V{""}},
      {"   ", V{""}},
      {"ci 10 20 5", V{"ci", "10", "20", "5"}},
      {"ci 10 20 5 ", V{"ci", "10", "20", "5", ""}},
      {"  ci   10\t\t20 \t 5", V{"ci", "10", "20", "5"}},
      {"ch 1 2 3 4 \"A  B", V{"ch", "1", "2", "3", "4", "A  B"}},
      // Literal mode lasts to the line's end: a later double quote and "=" are kept.
      {"ch 1 2 3 4 \"a \"b\" =c", V{"ch", "1", "2", "3", "4", "a \"b\" =c"}},
      {"x=1 2", V{"x=1 2"}},
      {"file=C:\\a b\\c.jww", V{"file=C:\\a b\\c.jww"}},
      {"a\"b c", V{"ab c"}},
      {"\"", V{""}},
      // Control bytes, 0xFE and 0xFF are dropped; in literal mode so is a TAB.
      {std::string("a\x01\x7f"
                   "b\xfe\xff c",
                   8),
       V{"a\x7f"
         "b",
         "c"}},
      {"\"a\tb c", V{"ab c"}},
      {std::string("\x01 x", 3), V{"x"}},
      // A lead byte takes the next byte, whatever it is.
      {"\x82\xa0 \x81\x40", V{"\x82\xa0", "\x81\x40"}},
      {"\x82 x", V{"\x82 x"}},
      {"\x82\"x y", V{"\x82\"x", "y"}},
      {std::string("\x82\x01z", 3), V{std::string("\x82\x01z", 3)}},
      {"\x82=x y", V{"\x82=x", "y"}},
      // 0x80 and 0xFD are lead bytes; half-width katakana are single bytes.
      {"\x80\x20x", V{"\x80\x20x"}},
      {"\xfd\x20x", V{"\xfd\x20x"}},
      {"\xb1\xb2 \xdf", V{"\xb1\xb2", "\xdf"}},
      // A lone lead byte at the end of a line is dropped.
      {"ab\x82", V{"ab"}},
      {"ab \x82", V{"ab", ""}},
      {"\x82", V{""}},
      {"\"a b\x82", V{"a b"}},
      {"ab\x82\xa0", V{"ab\x82\xa0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(Split(c.line), c.tokens);
  }
}

// The sixth token of a text line as Jw_cad writes it: after a double quote it
// keeps blanks, quotes, "=" and double-byte characters whatever their second byte.
TEST(exchange_tokenizer, text_after_a_double_quote_keeps_blanks_quotes_and_shift_jis) {
  struct {
    std::string line;
    std::string text;
  } cases[] = {
      {"ch 1 2 3 4 \"A  B", "A  B"},
      {"ch 1 2 3 4 \"  lead and trail  ", "  lead and trail  "},
      {"ch 1 2 3 4 \"say \"hi\"", "say \"hi\""},
      {"ch 1 2 3 4 \"a=b", "a=b"},
      {"ch 1 2 3 4 word", "word"},
      // 寸法　１００ (full-width space inside), 表示 (second byte 0x5C), ソ (0x83 0x5C)
      {"ch 1 2 3 4 \"" + ToCp932("寸法　１００"), ToCp932("寸法　１００")},
      {"ch 1 2 3 4 \"" + ToCp932("表示 ソ"), ToCp932("表示 ソ")},
      {"ch 1 2 3 4 \"\x95\xbd\x96\xca\x90\x7d", ToCp932("平面図")},
      // A lead byte whose second byte is a blank or a double quote keeps them.
      {"ch 1 2 3 4 \x82 x", "\x82 x"},
      {"ch 1 2 3 4 \x82\"x", "\x82\"x"},
      {"ch 1 2 3 4 \"ab\x82", "ab"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const V tokens = Split(c.line);
    ASSERT_EQ(tokens.size(), 6u);
    EXPECT_EQ(tokens[5], c.text);
  }
}

TEST(exchange_tokenizer, keeps_at_most_thirty_two_tokens) {
  struct {
    int words;
    const char* tail;
    int count;
    std::string last;
  } cases[] = {
      {31, "", 31, "w30"}, {32, "", 32, "w31"},       {32, " ", 32, "w31"},
      {33, "", 32, "w31"}, {40, " \"x y", 32, "w31"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    std::string line;
    for (int i = 0; i < c.words; ++i) line += (i ? " w" : "w") + std::to_string(i);
    line += c.tail;
    V tokens = Split(line);
    EXPECT_EQ(static_cast<int>(tokens.size()), c.count);
    EXPECT_EQ(tokens.back(), c.last);
  }
}

TEST(exchange_tokenizer, scratch_buffer_is_reused_between_lines) {
  std::string scratch;
  LineTokens tokens;
  SplitExchangeLine("a long line of several words", scratch, tokens);
  SplitExchangeLine("b c", scratch, tokens);
  ASSERT_EQ(tokens.Count, 2);
  EXPECT_EQ(tokens.Tokens[0], "b");
  EXPECT_EQ(tokens.Tokens[1], "c");
}

// The tokenizer's rules taken one byte at a time, the plain way: what the
// reader's eight-bytes-at-a-time splitting must agree with on any line.
V SplitByteByByte(std::string_view line) {
  V tokens(1);
  bool literal = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(line[i]);
    if ((b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD)) {  // a lead byte
      if (i + 1 < line.size()) tokens.back() += line.substr(i, 2);
      ++i;
      continue;
    }
    if (!literal && (b == ' ' || b == '\t')) {
      if (!tokens.back().empty()) {
        if (tokens.size() == 32) return tokens;
        tokens.emplace_back();
      }
      continue;
    }
    if (b < 0x20 || b >= 0xFE) continue;
    if (!literal && b == '"') {
      literal = true;
      continue;
    }
    if (!literal && b == '=') literal = true;
    tokens.back() += static_cast<char>(b);
  }
  return tokens;
}

TEST(exchange_tokenizer, splitting_agrees_with_the_byte_by_byte_rules_on_random_lines) {
  // Plain runs of every length around eight bytes, broken by each kind of
  // special byte at every position: blanks, TAB, quote, "=", lead bytes,
  // half-width kana, CR and other control bytes, DEL, 0xFE. Every other line
  // is broken by blanks alone, as the lines of numbers are that the reader
  // splits sixteen bytes at a time, some of them longer than 64 bytes.
  static constexpr char kSpecials[] = {' ',    '\t',   '"',    '=',    '\x82', '\xE0',
                                       '\xFD', '\x80', '\xA0', '\xDF', '\r',   '\x1B',
                                       '\x7F', '\xFE', '\xFF', '\x00'};
  std::mt19937 random(408);
  int simpleLines = 0;
  for (int n = 0; n < 40000; ++n) {
    std::string line;
    const bool blanksOnly = n % 2 == 1;
    const std::size_t length = random() % (blanksOnly ? 200 : 72);
    const unsigned specialsIn16 = random() % 8;  // lines from almost all plain to dense
    while (line.size() < length) {
      if (random() % 16 < specialsIn16) {
        line += blanksOnly ? ' ' : kSpecials[random() % std::size(kSpecials)];
      } else {
        line += "-0123456789.eE+abcxyz"[random() % 21];
      }
    }
    SCOPED_TRACE(testing::PrintToString(line));
    const V expected = SplitByteByByte(line);
    ASSERT_EQ(Split(line), expected);
    // Each way of splitting alone: a simple line either way, any line in place.
    std::string copy = line;
    LineTokens tokens;
    SplitExchangeLineInPlace(copy.data(), copy.size(), tokens);
    ASSERT_EQ(V(tokens.Tokens, tokens.Tokens + tokens.Count), expected);
    if (SplitSimpleLine(line.data(), line.size(), tokens)) {
      ASSERT_EQ(V(tokens.Tokens, tokens.Tokens + tokens.Count), expected);
      simpleLines += 1;
    }
  }
  // Half the lines are simple ones, or nearly so.
  EXPECT_GT(simpleLines, 10000);
}

}  // namespace
