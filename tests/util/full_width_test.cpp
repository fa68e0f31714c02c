#include "util/full_width.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/support/cp932.h"

namespace {

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (unsigned char b : bytes) {
    if (!text.empty()) text += ' ';
    text += digits[b >> 4];
    text += digits[b & 0xF];
  }
  return text;
}

}  // namespace

TEST(full_width, maps_digits_letters_signs_and_the_blank) {
  struct {
    const char* in;   // UTF-8, converted to code page 932 for the call
    const char* out;  // UTF-8 of the expected code page 932 text
  } cases[] = {
      {"12.5", "１２．５"},
      {"", ""},
      {" ", "　"},
      {"0123456789", "０１２３４５６７８９"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ"},
      {"abcdefghijklmnopqrstuvwxyz", "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ"},
      {"!\"#$%&'()*+,-./", "！＂＃＄％＆＇（）＊＋，－．／"},
      {":;<=>?@", "：；＜＝＞？＠"},
      {"[\\]^_`", "［＼］＾＿｀"},
      {"{|}~", "｛｜｝～"},
      {"φ12.5mm", "φ１２．５ｍｍ"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(Hex(ToFullWidth(ToCp932(c.in))), Hex(ToCp932(c.out)));
  }
}

TEST(full_width, maps_half_width_katakana_and_signs) {
  struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"｡｢｣､･ｰﾞﾟ", "。「」、・ー゛゜"},
      {"ｦｧｨｩｪｫｬｭｮｯ", "ヲァィゥェォャュョッ"},
      {"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿ", "アイウエオカキクケコサシスセソ"},
      {"ﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎ", "タチツテトナニヌネノハヒフヘホ"},
      {"ﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝ", "マミムメモヤユヨラリルレロワン"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(Hex(ToFullWidth(ToCp932(c.in))), Hex(ToCp932(c.out)));
  }
}

TEST(full_width, combines_kana_with_a_following_voiced_mark) {
  struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"ｶﾞｷﾞｸﾞｹﾞｺﾞ", "ガギグゲゴ"},
      {"ｻﾞｼﾞｽﾞｾﾞｿﾞ", "ザジズゼゾ"},
      {"ﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞ", "ダヂヅデド"},
      {"ﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ", "バビブベボ"},
      {"ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", "パピプペポ"},
      {"ｳﾞ", "ヴ"},
      // No combined form in code page 932: kana and mark stay two characters.
      {"ﾜﾞ", "ワ゛"},
      {"ｦﾞ", "ヲ゛"},
      {"ｱﾞ", "ア゛"},
      {"ｶﾟ", "カ゜"},
      {"ｰﾞ", "ー゛"},
      // A mark combines once only, and never with a full-width kana.
      {"ﾊﾞﾟ", "バ゜"},
      {"ﾞｶ", "゛カ"},
      {"カﾞ", "カ゛"},
      {"ｶﾞﾞ", "ガ゛"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(Hex(ToFullWidth(ToCp932(c.in))), Hex(ToCp932(c.out)));
  }
}

TEST(full_width, turns_hiragana_into_katakana) {
  struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"ぁあぃいぅうぇえぉおかがきぎくぐけげこご", "ァアィイゥウェエォオカガキギクグケゲコゴ"},
      {"さざしじすずせぜそぞただちぢっつづてでとど", "サザシジスズセゼソゾタダチヂッツヅテデトド"},
      {"なにぬねのはばぱひびぴふぶぷへべぺほぼぽ", "ナニヌネノハバパヒビピフブプヘベペホボポ"},
      // み and む sit on both sides of the katakana's gap at trail byte 0x7F.
      {"まみむめもゃやゅゆょよらりるれろゎわゐゑをん",
       "マミムメモャヤュユョヨラリルレロヮワヰヱヲン"},
      // The iteration marks follow their script.
      {"ゝゞすゞ", "ヽヾスヾ"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(Hex(ToFullWidth(ToCp932(c.in))), Hex(ToCp932(c.out)));
  }
}

TEST(full_width, leaves_other_double_byte_characters_alone) {
  const char* cases[] = {
      "漢字", "カタカナ", "ヴヵヶ", "１２．５", "　", "℃±×÷", "ヽヾ", "①Ⅱ", "゛゜",
  };
  for (const char* c : cases) {
    SCOPED_TRACE(c);
    EXPECT_EQ(Hex(ToFullWidth(ToCp932(c))), Hex(ToCp932(c)));
  }
}

TEST(full_width, matches_the_known_bytes_of_a_mixed_text) {
  EXPECT_EQ(Hex(ToFullWidth(ToCp932("12.5 ab ｶﾞ"))),
            "82 50 82 51 81 44 82 54 81 40 82 81 82 82 81 40 83 4B");
}

TEST(full_width, keeps_bytes_without_a_full_width_form) {
  struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"\t\r\n", "\t\r\n"},
      {"\x7F\xA0\xFE\xFF", "\x7F\xA0\xFE\xFF"},
      // 0x80 and 0xFD lead a pair whose second byte is not mapped.
      {"\x80"
       "a",
       "\x80"
       "a"},
      {"\xFD"
       "1",
       "\xFD"
       "1"},
      // A lone lead byte at the end stays one byte.
      {"1\x82", "\x82\x50\x82"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Hex(c.in));
    EXPECT_EQ(Hex(ToFullWidth(c.in)), Hex(c.out));
  }
}

TEST(full_width, maps_long_texts_whole) {
  struct {
    std::string in;
    std::string out;
  } cases[] = {
      // 300 digits: formerly pieces of 126, 126 and 48 bytes.
      {std::string(300, '7'),
       [] {
         std::string s;
         for (int i = 0; i < 300; ++i) s += ToCp932("７");
         return s;
       }()},
      // Kana at byte 126 and its mark at byte 127 still combine.
      {std::string(125, 'a') + ToCp932("ｶﾞ"),
       [] {
         std::string s;
         for (int i = 0; i < 125; ++i) s += ToCp932("ａ");
         return s + ToCp932("ガ");
       }()},
      // A double-byte character on bytes 126 and 127 is kept whole.
      {std::string(125, 'a') + ToCp932("あ") + "b",
       [] {
         std::string s;
         for (int i = 0; i < 125; ++i) s += ToCp932("ａ");
         return s + ToCp932("アｂ");
       }()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in.size());
    EXPECT_EQ(ToFullWidth(c.in).size(), c.out.size());
    EXPECT_EQ(Hex(ToFullWidth(c.in)), Hex(c.out));
  }
}

TEST(full_width, copy_takes_only_characters_wholly_inside_the_window) {
  const std::string text = ToCp932("あab");  // 82 A0 61 62
  struct {
    std::string text;
    int start;
    int maxBytes;
    std::string part;
    int count;
  } cases[] = {
      {text, 2, 2, "a", 1},
      {text, 1, 1, "", 0},
      {text, 1, 2, "\x82\xA0", 2},
      {text, 1, 3,
       "\x82\xA0"
       "a",
       3},
      {text, 3, 100, "ab", 2},
      {text, 4, 1, "b", 1},
      {text, 1, INT_MAX, text, 4},
      {text, 2, INT_MAX, "ab", 2},
      {text, 5, 1, "", 0},
      {text, 0, 4, "", 0},
      {text, -3, 4, "", 0},
      {text, 1, 0, "", 0},
      {text, 1, -1, "", 0},
      {"", 1, 10, "", 0},
      // A lone lead byte at the end is a character of one byte.
      {"ab\x82", 3, 5, "\x82", 1},
      {"ab\x82", 1, 3, "ab\x82", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Hex(c.text) + " / " + std::to_string(c.start) + " / " +
                 std::to_string(c.maxBytes));
    WholeChars got = CopyWholeChars(c.text, c.start, c.maxBytes);
    EXPECT_EQ(Hex(got.Part), Hex(c.part));
    EXPECT_EQ(got.ByteCount, c.count);
  }
}
