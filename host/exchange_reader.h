#pragma once
// Reads JWC_TEMP.TXT into gDataModel. Lines end at LF; CR bytes are dropped; a
// 0x1A byte ends the file.

#include <cstddef>
#include <filesystem>
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

// Interprets one line into gDataModel.
void ParseExchangeLine(std::string_view line);

// Reads a whole file's bytes as the reader would read the file.
void ParseExchangeBytes(std::string_view bytes);

// False when the file is missing or a read error stopped reading.
bool ReadExchangeFile(const std::filesystem::path& path);
