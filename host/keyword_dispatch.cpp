// Which handler takes a line of the exchange file: the vocabulary, tried row
// by row as Jw_cad's lines are to be read, and what makes that quick for the
// lines most files are made of (InterpretExchangeTokens).

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "host/exchange_handlers.h"
#include "host/exchange_reader.h"

namespace {

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

enum class Match { kContains, kEquals, kStartsWith, kTextKeyword, kAnything };
enum class Count { kAny, kAtLeast, kExactly };

struct KeywordRow {
  Match match;
  std::string_view keyword;
  Count count;
  int tokens;
  void (*handle)(const LineTokens&);
};

// Tried in this order; the first row whose form and token count both fit
// takes the line. A keyword line with too few tokens goes on to later rows,
// which is how "hs 1 2 3" ends up a straight line.
constexpr KeywordRow kRows[] = {
    {Match::kContains, "file=", Count::kAny, 0, OnFileName},           // 1
    {Match::kEquals, "hk", Count::kAtLeast, 2, OnAxisAngle},           // 2
    {Match::kEquals, "hs", Count::kAtLeast, 17, OnLayerGroupScales},   // 3
    {Match::kEquals, "hzs", Count::kAtLeast, 3, OnSheetSize},          // 4
    {Match::kEquals, "hcw", Count::kAtLeast, 11, OnTextTypeWidths},    // 5
    {Match::kEquals, "hch", Count::kAtLeast, 11, OnTextTypeHeights},   // 6
    {Match::kEquals, "hcd", Count::kAtLeast, 11, OnTextTypeSpacings},  // 7
    {Match::kEquals, "hcc", Count::kAtLeast, 11, OnTextTypeColors},    // 8
    {Match::kEquals, "bz", Count::kAny, 0, OnBzFlag},                  // 9
    {Match::kEquals, "hn", Count::kAtLeast, 5, OnHnValues},            // 10
    {Match::kStartsWith, "lgn", Count::kAny, 0, OnLayerGroupName},     // 11
    {Match::kStartsWith, "lyn", Count::kAny, 0, OnLayerName},          // 12
    {Match::kStartsWith, "lg", Count::kAny, 0, OnLayerGroup},          // 13
    {Match::kStartsWith, "ly", Count::kAny, 0, OnLayer},               // 14
    {Match::kStartsWith, "lc", Count::kAny, 0, OnPenColor},            // 15
    {Match::kStartsWith, "lt", Count::kAny, 0, OnLineType},            // 16
    {Match::kStartsWith, "lw", Count::kAny, 0, OnLineWidth},           // 17
    {Match::kStartsWith, "cn$", Count::kAny, 0, OnFontName},           // 18
    {Match::kStartsWith, "cn", Count::kAny, 0, OnTextType},            // 19
    {Match::kStartsWith, "cc", Count::kAny, 0, OnTextCC},              // 20
    {Match::kEquals, "z1", Count::kAny, 0, OnModifierZ1},              // 21
    {Match::kEquals, "z2", Count::kAny, 0, OnModifierZ2},              // 22
    {Match::kEquals, "z3", Count::kAny, 0, OnModifierZ3},              // 23
    {Match::kEquals, "z4", Count::kAny, 0, OnModifierZ4},              // 24
    {Match::kEquals, "z5", Count::kAny, 0, OnModifierZ5},              // 25
    {Match::kStartsWith, "pn", Count::kAny, 0, OnPointColor},          // 26
    {Match::kEquals, "pl", Count::kAny, 0, OnPolyline},                // 27
    {Match::kEquals, "msg", Count::kAny, 0, OnDimensionFigure},        // 28
    {Match::kEquals, "#", Count::kAny, 0, OnEndOfMode},                // 29
    {Match::kStartsWith, "hp", Count::kAtLeast, 3, OnPickedPoint},     // 30
    {Match::kStartsWith, "hhp", Count::kAny, 0, OnEntityTag},          // 31
    {Match::kEquals, "ci", Count::kExactly, 4, OnCircle},              // 32
    {Match::kEquals, "ci", Count::kAtLeast, 8, OnArc},                 // 33
    {Match::kTextKeyword, "", Count::kAtLeast, 6, OnText},             // 34
    {Match::kEquals, "pt", Count::kExactly, 3, OnPoint},               // 35
    {Match::kEquals, "pt", Count::kAtLeast, 6, OnCodedPoint},          // 36
    {Match::kEquals, "BL", Count::kAtLeast, 4, OnBlock},               // 37
    {Match::kEquals, "sl", Count::kExactly, 5, OnSolid2},              // 38
    {Match::kEquals, "sl", Count::kExactly, 7, OnSolid3},              // 39
    {Match::kEquals, "sl", Count::kAtLeast, 9, OnSolid4},              // 40
    {Match::kEquals, "sc", Count::kAtLeast, 9, OnCurvedSolidSc},       // 41
    {Match::kEquals, "se", Count::kAtLeast, 9, OnCurvedSolidSe},       // 42
    {Match::kEquals, "so", Count::kAtLeast, 9, OnCurvedSolidSo},       // 43
    {Match::kEquals, "sg", Count::kAtLeast, 9, OnCurvedSolidSg},       // 44
    {Match::kAnything, "", Count::kExactly, 4, OnStraightLine},        // 45
    // 46: any other line is ignored.
};
constexpr int kRowCount = static_cast<int>(std::size(kRows));

// Whether `token` holds the byte `c`. A token of 8 to 16 bytes, as most
// numbers are, is tested as two words of eight bytes that lie within it.
bool HasByte(std::string_view token, char c) {
  const std::size_t n = token.size();
  if (n < 8 || n > 16) return token.find(c) != std::string_view::npos;
  constexpr std::uint64_t kEachByte = 0x0101010101010101, kHighBits = kEachByte * 0x80;
  std::uint64_t first, last;
  std::memcpy(&first, token.data(), 8);
  std::memcpy(&last, token.data() + n - 8, 8);
  const auto zeroBytes = [](std::uint64_t x) {
    return ~(((x & ~kHighBits) + ~kHighBits) | x) & kHighBits;
  };
  const std::uint64_t pattern = kEachByte * static_cast<unsigned char>(c);
  return (zeroBytes(first ^ pattern) | zeroBytes(last ^ pattern)) != 0;
}

// Whether `keyword` occurs in `token`; first whether its last byte does ("="
// for "file=", which a token of numbers never holds).
bool Contains(std::string_view token, std::string_view keyword) {
  return HasByte(token, keyword.back()) && token.find(keyword) != std::string_view::npos;
}

bool FormMatches(const KeywordRow& row, std::string_view token) {
  switch (row.match) {
    case Match::kContains:
      return Contains(token, row.keyword);
    case Match::kEquals:
      return token == row.keyword;
    case Match::kStartsWith:
      return StartsWith(token, row.keyword);
    case Match::kTextKeyword:
      return IsTextKeyword(token);
    case Match::kAnything:
      return true;
  }
  return false;
}

bool CountMatches(const KeywordRow& row, int count) {
  switch (row.count) {
    case Count::kAny:
      return true;
    case Count::kAtLeast:
      return count >= row.tokens;
    case Count::kExactly:
      return count == row.tokens;
  }
  return false;
}

// The rows a token starting with a given byte can match, in table order.
// Most lines are straight lines starting with a digit or a blank-separated
// sign, and this lets them skip the forty keyword rows they cannot match.
struct RowList {
  int count = 0;
  unsigned char rows[kRowCount] = {};
};

constexpr bool RowPossible(const KeywordRow& row, int firstByte) {
  switch (row.match) {
    case Match::kContains:
    case Match::kAnything:
      return true;
    case Match::kEquals:
    case Match::kStartsWith:
      return static_cast<unsigned char>(row.keyword[0]) == firstByte;
    case Match::kTextKeyword:
      return firstByte == 'c';
  }
  return false;
}

constexpr std::array<RowList, 256> MakeRowIndex() {
  std::array<RowList, 256> index{};
  for (int b = 0; b < 256; ++b) {
    for (int r = 0; r < kRowCount; ++r) {
      if (RowPossible(kRows[r], b)) index[b].rows[index[b].count++] = static_cast<unsigned char>(r);
    }
  }
  return index;
}
constexpr std::array<RowList, 256> kRowsByFirstByte = MakeRowIndex();

}  // namespace

void InterpretExchangeTokens(const LineTokens& t) {
  const std::string_view token0 = t.Tokens[0];
  if (t.Count == 1 && token0.empty()) return;  // an empty or all-blank line
  const unsigned char first = token0.empty() ? 0 : static_cast<unsigned char>(token0[0]);
  const RowList& rows = kRowsByFirstByte[first];
  for (int i = 0; i < rows.count; ++i) {
    const KeywordRow& row = kRows[rows.rows[i]];
    if (FormMatches(row, token0) && CountMatches(row, t.Count)) {
      row.handle(t);
      return;
    }
  }
}
