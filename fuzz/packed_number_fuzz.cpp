// The numbers of the entity tables are kept packed and read when asked for:
// whatever the token, reading it back must give the very double TextToReal
// gives the token, bit for bit, whether or not the bytes after it may be read.
// Each input is tried three ways:
//   - the whole input as one token, any bytes at all;
//   - a number of the forms a drawing holds, built from the input's bytes:
//     a sign, digits, a point, decimals, now and then an exponent;
//   - the input split at blanks, the tokens packed one after another and read
//     back in order, as a record's numbers are: one by one, and four at a
//     time as a line's are.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "host/packed_number.h"
#include "util/text_to_number.h"

namespace {

void ExpectSameDouble(double packed, std::string_view token) {
  const double expected = TextToReal(token);
  if (std::memcmp(&packed, &expected, sizeof packed) != 0) __builtin_trap();
}

void CheckOne(std::string_view token) {
  std::vector<std::uint8_t> buffer(PackedNumberMaxBytes(token.size()));
  const std::uint8_t* end = PackNumber(token, buffer.data());
  if (end > buffer.data() + buffer.size()) __builtin_trap();
  if (SkipPackedNumber(buffer.data()) != end) __builtin_trap();
  const std::uint8_t* in = buffer.data();
  ExpectSameDouble(ReadPackedNumber(in, end), token);
  if (in != end) __builtin_trap();
  // Followed by the bytes of another number, as in a record.
  std::vector<std::uint8_t> followed(buffer.data(), buffer.data() + (end - buffer.data()));
  for (std::uint8_t b : {0x21, 0x43, 0xE5, 0xFF, 0x00, 0xDD, 0x0F, 0xF0}) followed.push_back(b);
  in = followed.data();
  ExpectSameDouble(ReadPackedNumber(in, followed.data() + followed.size()), token);
  if (in != followed.data() + (end - buffer.data())) __builtin_trap();
}

// A number as Jw_cad writes coordinates, its parts chosen by the input.
std::string DrawingNumber(const std::uint8_t* data, std::size_t size) {
  std::size_t at = 0;
  auto next = [&]() -> unsigned { return at < size ? data[at++] : 0; };
  std::string number;
  const unsigned form = next();
  if (form & 1) number += '-';
  if (form & 2) number += '+';
  const unsigned digits = next() % 20, decimals = next() % 24;
  for (unsigned i = 0; i < digits; ++i) number += static_cast<char>('0' + next() % 10);
  if (decimals > 0 || (form & 4)) number += '.';
  for (unsigned i = 0; i < decimals; ++i) number += static_cast<char>('0' + next() % 10);
  if (form & 8) {
    number += (form & 16) ? 'E' : 'e';
    if (form & 32) number += (form & 64) ? '-' : '+';
    const unsigned exponentDigits = 1 + next() % 4;
    for (unsigned i = 0; i < exponentDigits; ++i) number += static_cast<char>('0' + next() % 10);
  }
  return number;
}

void CheckRun(std::string_view line) {
  std::vector<std::string_view> tokens;
  std::size_t bytes = 0;
  for (std::size_t start = 0; start <= line.size();) {
    std::size_t blank = line.find(' ', start);
    if (blank == std::string_view::npos) blank = line.size();
    tokens.push_back(line.substr(start, blank - start));
    bytes += PackedNumberMaxBytes(blank - start);
    start = blank + 1;
  }
  std::vector<std::uint8_t> buffer(bytes);
  std::uint8_t* out = buffer.data();
  for (std::string_view token : tokens) out = PackNumber(token, out);
  const std::uint8_t* in = buffer.data();
  const std::uint8_t* skipped = buffer.data();
  for (std::string_view token : tokens) {
    ExpectSameDouble(ReadPackedNumber(in, out), token);
    skipped = SkipPackedNumber(skipped);
    if (skipped != in) __builtin_trap();
  }
  if (in != out) __builtin_trap();

  // Four at a time, with bytes after the last that may be read (a table's
  // block has room after its records).
  const std::size_t packed = static_cast<std::size_t>(out - buffer.data());
  buffer.resize(packed + 64, 0xF7);
  in = buffer.data();
  std::size_t next = 0;
  for (; next + 4 <= tokens.size(); next += 4) {
    double four[4];
    ReadFourPackedNumbers(in, buffer.data() + buffer.size(), four);
    for (int i = 0; i < 4; ++i) ExpectSameDouble(four[i], tokens[next + i]);
  }
  for (; next < tokens.size(); ++next) {
    ExpectSameDouble(ReadPackedNumber(in, buffer.data() + buffer.size()), tokens[next]);
  }
  if (in != buffer.data() + packed) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckOne(bytes);
  CheckOne(DrawingNumber(data, size));
  CheckRun(bytes);
  return 0;
}
