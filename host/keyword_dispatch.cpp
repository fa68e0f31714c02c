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

enum class Match { Contains, Equals, StartsWith, TextKeyword, Anything };
enum class Count { Any, AtLeast, Exactly };

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
    {Match::Contains, "file=", Count::Any, 0, OnFileName},           // 1
    {Match::Equals, "hk", Count::AtLeast, 2, OnAxisAngle},           // 2
    {Match::Equals, "hs", Count::AtLeast, 17, OnLayerGroupScales},   // 3
    {Match::Equals, "hzs", Count::AtLeast, 3, OnSheetSize},          // 4
    {Match::Equals, "hcw", Count::AtLeast, 11, OnTextTypeWidths},    // 5
    {Match::Equals, "hch", Count::AtLeast, 11, OnTextTypeHeights},   // 6
    {Match::Equals, "hcd", Count::AtLeast, 11, OnTextTypeSpacings},  // 7
    {Match::Equals, "hcc", Count::AtLeast, 11, OnTextTypeColors},    // 8
    {Match::Equals, "bz", Count::Any, 0, OnBzFlag},                  // 9
    {Match::Equals, "hn", Count::AtLeast, 5, OnHnValues},            // 10
    {Match::StartsWith, "lgn", Count::Any, 0, OnLayerGroupName},     // 11
    {Match::StartsWith, "lyn", Count::Any, 0, OnLayerName},          // 12
    {Match::StartsWith, "lg", Count::Any, 0, OnLayerGroup},          // 13
    {Match::StartsWith, "ly", Count::Any, 0, OnLayer},               // 14
    {Match::StartsWith, "lc", Count::Any, 0, OnPenColor},            // 15
    {Match::StartsWith, "lt", Count::Any, 0, OnLineType},            // 16
    {Match::StartsWith, "lw", Count::Any, 0, OnLineWidth},           // 17
    {Match::StartsWith, "cn$", Count::Any, 0, OnFontName},           // 18
    {Match::StartsWith, "cn", Count::Any, 0, OnTextType},            // 19
    {Match::StartsWith, "cc", Count::Any, 0, OnTextCC},              // 20
    {Match::Equals, "z1", Count::Any, 0, OnModifierZ1},              // 21
    {Match::Equals, "z2", Count::Any, 0, OnModifierZ2},              // 22
    {Match::Equals, "z3", Count::Any, 0, OnModifierZ3},              // 23
    {Match::Equals, "z4", Count::Any, 0, OnModifierZ4},              // 24
    {Match::Equals, "z5", Count::Any, 0, OnModifierZ5},              // 25
    {Match::StartsWith, "pn", Count::Any, 0, OnPointColor},          // 26
    {Match::Equals, "pl", Count::Any, 0, OnPolyline},                // 27
    {Match::Equals, "msg", Count::Any, 0, OnDimensionFigure},        // 28
    {Match::Equals, "#", Count::Any, 0, OnEndOfMode},                // 29
    {Match::StartsWith, "hp", Count::AtLeast, 3, OnPickedPoint},     // 30
    {Match::StartsWith, "hhp", Count::Any, 0, OnEntityTag},          // 31
    {Match::Equals, "ci", Count::Exactly, 4, OnCircle},              // 32
    {Match::Equals, "ci", Count::AtLeast, 8, OnArc},                 // 33
    {Match::TextKeyword, "", Count::AtLeast, 6, OnText},             // 34
    {Match::Equals, "pt", Count::Exactly, 3, OnPoint},               // 35
    {Match::Equals, "pt", Count::AtLeast, 6, OnCodedPoint},          // 36
    {Match::Equals, "BL", Count::AtLeast, 4, OnBlock},               // 37
    {Match::Equals, "sl", Count::Exactly, 5, OnSolid2},              // 38
    {Match::Equals, "sl", Count::Exactly, 7, OnSolid3},              // 39
    {Match::Equals, "sl", Count::AtLeast, 9, OnSolid4},              // 40
    {Match::Equals, "sc", Count::AtLeast, 9, OnCurvedSolidSc},       // 41
    {Match::Equals, "se", Count::AtLeast, 9, OnCurvedSolidSe},       // 42
    {Match::Equals, "so", Count::AtLeast, 9, OnCurvedSolidSo},       // 43
    {Match::Equals, "sg", Count::AtLeast, 9, OnCurvedSolidSg},       // 44
    {Match::Anything, "", Count::Exactly, 4, OnStraightLine},        // 45
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
    case Match::Contains:
      return Contains(token, row.keyword);
    case Match::Equals:
      return token == row.keyword;
    case Match::StartsWith:
      return StartsWith(token, row.keyword);
    case Match::TextKeyword:
      return IsTextKeyword(token);
    case Match::Anything:
      return true;
  }
  return false;
}

bool CountMatches(const KeywordRow& row, int count) {
  switch (row.count) {
    case Count::Any:
      return true;
    case Count::AtLeast:
      return count >= row.tokens;
    case Count::Exactly:
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
    case Match::Contains:
    case Match::Anything:
      return true;
    case Match::Equals:
    case Match::StartsWith:
      return static_cast<unsigned char>(row.keyword[0]) == firstByte;
    case Match::TextKeyword:
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
