#include "util/full_width.h"

#include <cstdint>

#include "util/sjis.h"

namespace {

// The tables hold code page 932 byte pairs (lead byte high). They were made
// once with iconv from the Unicode full-width forms (U+3000, U+FF01..U+FF5E,
// the NFKC forms of U+FF61..U+FF9D, and U+309B/U+309C for the two marks), so
// every system maps alike, with no locale service at run time.

// Full-width forms of the blank and of ASCII 0x21..0x7E, indexed by byte - 0x20.
constexpr std::uint16_t kAsciiFullWidth[0x7F - 0x20] = {
    0x8140 /*　*/, 0x8149 /*！*/, 0xFA57 /*＂*/, 0x8194 /*＃*/, 0x8190 /*＄*/, 0x8193 /*％*/,
    0x8195 /*＆*/, 0xFA56 /*＇*/, 0x8169 /*（*/, 0x816A /*）*/, 0x8196 /*＊*/, 0x817B /*＋*/,
    0x8143 /*，*/, 0x817C /*－*/, 0x8144 /*．*/, 0x815E /*／*/, 0x824F /*０*/, 0x8250 /*１*/,
    0x8251 /*２*/, 0x8252 /*３*/, 0x8253 /*４*/, 0x8254 /*５*/, 0x8255 /*６*/, 0x8256 /*７*/,
    0x8257 /*８*/, 0x8258 /*９*/, 0x8146 /*：*/, 0x8147 /*；*/, 0x8183 /*＜*/, 0x8181 /*＝*/,
    0x8184 /*＞*/, 0x8148 /*？*/, 0x8197 /*＠*/, 0x8260 /*Ａ*/, 0x8261 /*Ｂ*/, 0x8262 /*Ｃ*/,
    0x8263 /*Ｄ*/, 0x8264 /*Ｅ*/, 0x8265 /*Ｆ*/, 0x8266 /*Ｇ*/, 0x8267 /*Ｈ*/, 0x8268 /*Ｉ*/,
    0x8269 /*Ｊ*/, 0x826A /*Ｋ*/, 0x826B /*Ｌ*/, 0x826C /*Ｍ*/, 0x826D /*Ｎ*/, 0x826E /*Ｏ*/,
    0x826F /*Ｐ*/, 0x8270 /*Ｑ*/, 0x8271 /*Ｒ*/, 0x8272 /*Ｓ*/, 0x8273 /*Ｔ*/, 0x8274 /*Ｕ*/,
    0x8275 /*Ｖ*/, 0x8276 /*Ｗ*/, 0x8277 /*Ｘ*/, 0x8278 /*Ｙ*/, 0x8279 /*Ｚ*/, 0x816D /*［*/,
    0x815F /*＼*/, 0x816E /*］*/, 0x814F /*＾*/, 0x8151 /*＿*/, 0x814D /*｀*/, 0x8281 /*ａ*/,
    0x8282 /*ｂ*/, 0x8283 /*ｃ*/, 0x8284 /*ｄ*/, 0x8285 /*ｅ*/, 0x8286 /*ｆ*/, 0x8287 /*ｇ*/,
    0x8288 /*ｈ*/, 0x8289 /*ｉ*/, 0x828A /*ｊ*/, 0x828B /*ｋ*/, 0x828C /*ｌ*/, 0x828D /*ｍ*/,
    0x828E /*ｎ*/, 0x828F /*ｏ*/, 0x8290 /*ｐ*/, 0x8291 /*ｑ*/, 0x8292 /*ｒ*/, 0x8293 /*ｓ*/,
    0x8294 /*ｔ*/, 0x8295 /*ｕ*/, 0x8296 /*ｖ*/, 0x8297 /*ｗ*/, 0x8298 /*ｘ*/, 0x8299 /*ｙ*/,
    0x829A /*ｚ*/, 0x816F /*｛*/, 0x8162 /*｜*/, 0x8170 /*｝*/, 0x8160 /*～*/,
};

// Full-width forms of the half-width katakana and signs 0xA1..0xDF.
constexpr std::uint16_t kKanaFullWidth[0xE0 - 0xA1] = {
    0x8142 /*。*/, 0x8175 /*「*/, 0x8176 /*」*/, 0x8141 /*、*/, 0x8145 /*・*/, 0x8392 /*ヲ*/,
    0x8340 /*ァ*/, 0x8342 /*ィ*/, 0x8344 /*ゥ*/, 0x8346 /*ェ*/, 0x8348 /*ォ*/, 0x8383 /*ャ*/,
    0x8385 /*ュ*/, 0x8387 /*ョ*/, 0x8362 /*ッ*/, 0x815B /*ー*/, 0x8341 /*ア*/, 0x8343 /*イ*/,
    0x8345 /*ウ*/, 0x8347 /*エ*/, 0x8349 /*オ*/, 0x834A /*カ*/, 0x834C /*キ*/, 0x834E /*ク*/,
    0x8350 /*ケ*/, 0x8352 /*コ*/, 0x8354 /*サ*/, 0x8356 /*シ*/, 0x8358 /*ス*/, 0x835A /*セ*/,
    0x835C /*ソ*/, 0x835E /*タ*/, 0x8360 /*チ*/, 0x8363 /*ツ*/, 0x8365 /*テ*/, 0x8367 /*ト*/,
    0x8369 /*ナ*/, 0x836A /*ニ*/, 0x836B /*ヌ*/, 0x836C /*ネ*/, 0x836D /*ノ*/, 0x836E /*ハ*/,
    0x8371 /*ヒ*/, 0x8374 /*フ*/, 0x8377 /*ヘ*/, 0x837A /*ホ*/, 0x837D /*マ*/, 0x837E /*ミ*/,
    0x8380 /*ム*/, 0x8381 /*メ*/, 0x8382 /*モ*/, 0x8384 /*ヤ*/, 0x8386 /*ユ*/, 0x8388 /*ヨ*/,
    0x8389 /*ラ*/, 0x838A /*リ*/, 0x838B /*ル*/, 0x838C /*レ*/, 0x838D /*ロ*/, 0x838F /*ワ*/,
    0x8393 /*ン*/, 0x814A /*゛*/, 0x814B /*゜*/,
};

// clang-format off
// The combined katakana of 0xA1..0xDF followed by the voiced mark 0xDE; 0
// where code page 932 has none.
constexpr std::uint16_t kKanaVoiced[0xE0 - 0xA1] = {
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0x8394 /*ヴ*/, 0, 0, 0x834B /*ガ*/, 0x834D /*ギ*/, 0x834F /*グ*/,
    0x8351 /*ゲ*/, 0x8353 /*ゴ*/, 0x8355 /*ザ*/, 0x8357 /*ジ*/, 0x8359 /*ズ*/, 0x835B /*ゼ*/,
    0x835D /*ゾ*/, 0x835F /*ダ*/, 0x8361 /*ヂ*/, 0x8364 /*ヅ*/, 0x8366 /*デ*/, 0x8368 /*ド*/,
    0, 0, 0, 0, 0, 0x836F /*バ*/,
    0x8372 /*ビ*/, 0x8375 /*ブ*/, 0x8378 /*ベ*/, 0x837B /*ボ*/, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0,
};

// The same for the semi-voiced mark 0xDF.
constexpr std::uint16_t kKanaSemiVoiced[0xE0 - 0xA1] = {
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0x8370 /*パ*/,
    0x8373 /*ピ*/, 0x8376 /*プ*/, 0x8379 /*ペ*/, 0x837C /*ポ*/, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0, 0, 0,
};
// clang-format on

void AppendPair(std::string& out, std::uint16_t code) {
  out.push_back(static_cast<char>(code >> 8));
  out.push_back(static_cast<char>(code & 0xFF));
}

}  // namespace

WholeChars CopyWholeChars(std::string_view text, int start, int maxBytes) {
  WholeChars result;
  const long long size = static_cast<long long>(text.size());
  if (size == 0 || start < 1 || start > size || maxBytes <= 0) return result;
  const long long last = static_cast<long long>(start) + maxBytes - 1;  // 1-based, inclusive

  long long i = 1;
  while (i <= size && i <= last) {
    const int width = static_cast<int>(CharByteCount(text, static_cast<std::size_t>(i - 1)));
    if (i >= start && i + width - 1 <= last) {
      result.Part.append(text.substr(static_cast<std::size_t>(i - 1), width));
      result.ByteCount += width;
    }
    i += width;
  }
  return result;
}

// One pass over the whole text. The Windows locale mapping had to be fed
// pieces of at most 126 bytes to fit a fixed buffer; those pieces end on
// character boundaries, so a single pass gives the same bytes, with one
// difference chosen on purpose: a half-width kana and its voiced mark still
// combine where a piece boundary would have parted them, so a long prefix or
// suffix maps the same wherever its characters lie.
std::string ToFullWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    if (CharByteCount(text, i) == 2) {
      const unsigned char trail = static_cast<unsigned char>(text[i + 1]);
      if (b == 0x82 && trail >= 0x9F && trail <= 0xF1) {
        // Hiragana ぁ..ん to katakana ァ..ン: both runs are in the same order,
        // but the katakana skip the trail byte 0x7F.
        unsigned katakana = trail - 0x9F + 0x40;
        if (katakana >= 0x7F) ++katakana;
        out.push_back(static_cast<char>(0x83));
        out.push_back(static_cast<char>(katakana));
      } else if (b == 0x81 && (trail == 0x54 || trail == 0x55)) {
        // The hiragana iteration marks ゝゞ (81 54, 81 55) become ヽヾ (81 52, 81 53).
        out.push_back(static_cast<char>(0x81));
        out.push_back(static_cast<char>(trail - 2));
      } else {
        out.append(text.substr(i, 2));
      }
      i += 2;
    } else if (b >= 0x20 && b <= 0x7E) {
      AppendPair(out, kAsciiFullWidth[b - 0x20]);
      ++i;
    } else if (b >= 0xA1 && b <= 0xDF) {
      const unsigned char next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
      std::uint16_t combined = 0;
      if (next == 0xDE) combined = kKanaVoiced[b - 0xA1];
      if (next == 0xDF) combined = kKanaSemiVoiced[b - 0xA1];
      if (combined != 0) {
        AppendPair(out, combined);
        i += 2;
      } else {
        AppendPair(out, kKanaFullWidth[b - 0xA1]);
        ++i;
      }
    } else {
      // Control bytes, 0x7F, 0xA0, 0xFE, 0xFF and a lone lead byte at the end.
      out.push_back(text[i]);
      ++i;
    }
  }
  return out;
}
