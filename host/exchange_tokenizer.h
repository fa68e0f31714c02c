#pragma once
// The tokens of one line of JWC_TEMP.TXT, split as Jw_cad writes them:
// blanks and TABs separate tokens; from a double quote on, or from an "=" on,
// the rest of the line is one token, blanks included; a lead byte takes the
// byte after it whatever its value (a lone lead byte at the end is dropped);
// control bytes, 0xFE and 0xFF are dropped.

#include <cstddef>
#include <string>
#include <string_view>

// Up to 32 tokens of one line. Each token's bytes live in the buffer.
struct LineTokens {
  static constexpr int kMaxTokens = 32;
  int Count = 0;
  std::string_view Tokens[kMaxTokens];
};

// Splits one line (without its line end). `scratch` holds the token bytes and
// must outlive the use of the tokens; it is grown as needed.
void SplitExchangeLine(std::string_view line, std::string& scratch, LineTokens& tokens);

// The same on the `size` bytes at `line`, split where they lie: a token's
// bytes are moved back over the bytes dropped inside it, never ahead of where
// they are read, and most tokens drop none and move nothing. The tokens point
// into `line`.
void SplitExchangeLineInPlace(char* line, std::size_t size, LineTokens& tokens);

// The same for a simple line, the most common kind: printable ASCII and
// blanks, no double quote, "=" or TAB; nothing in it moves, and it is split
// sixteen bytes at a time. False for any other line, which is then left to
// SplitExchangeLineInPlace. SplitExchangeLine tries this first.
bool SplitSimpleLine(const char* line, std::size_t size, LineTokens& tokens);
