#pragma once
// Reads JWC_TEMP.TXT into gDataModel. Lines end at LF; CR bytes are dropped; a
// 0x1A byte ends the file.

#include <filesystem>
#include <string_view>

#include "host/exchange_tokenizer.h"
#include "host/file_failure.h"

// Interprets the tokens of one line into gDataModel.
void InterpretExchangeTokens(const LineTokens& tokens);

// Reads a whole file's bytes as the reader would read the file.
void ParseExchangeBytes(std::string_view bytes);

// False when the file is missing or could not be read to its end; then
// `failure`, when given, says why (Missing for no file at all). A read error
// keeps the lines read before it.
bool ReadExchangeFile(const std::filesystem::path& path, FileFailure* failure = nullptr);
