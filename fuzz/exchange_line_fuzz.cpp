// One line of the exchange file: the tokenizer's rules and every keyword row.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "host/data_model.h"
#include "host/exchange_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static bool ready = false;
  if (!ready) {
    ResetDataModel();
    ready = true;
  }
  std::string_view line(reinterpret_cast<const char*>(data), size);

  std::string scratch;
  LineTokens tokens;
  SplitExchangeLine(line, scratch, tokens);
  if (tokens.Count < 1 || tokens.Count > LineTokens::kMaxTokens) __builtin_trap();
  std::size_t tokenBytes = 0;
  for (int i = 0; i < tokens.Count; ++i) tokenBytes += tokens.Tokens[i].size();
  // Tokens are made of the line's bytes, never more.
  if (tokenBytes > line.size()) __builtin_trap();

  // One line as the reader takes it, without the reader's buffer. The model
  // carries over from input to input, like the lines of one file, until it is
  // reset so that it does not grow without bound.
  InterpretExchangeTokens(tokens);
  if (gDataModel.EntityOrder.size() > 100000) ResetDataModel();
  return 0;
}
