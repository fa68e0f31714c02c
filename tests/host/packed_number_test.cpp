#include "host/packed_number.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "util/text_to_number.h"

namespace {

// Packs `token` into a buffer of exactly the bytes it may take, reads it back
// and checks that reading and skipping end at the end of what was written.
// It is read twice: with nothing readable after it, and followed by bytes of
// every code, as the next numbers of a record follow it.
double RoundTrip(const std::string& token, std::size_t* packedBytes = nullptr) {
  std::vector<std::uint8_t> buffer(PackedNumberMaxBytes(token.size()));
  const std::uint8_t* end = PackNumber(token, buffer.data());
  EXPECT_LE(end, buffer.data() + buffer.size());
  const std::size_t bytes = static_cast<std::size_t>(end - buffer.data());
  const std::uint8_t* in = buffer.data();
  const double value = ReadPackedNumber(in, end);
  EXPECT_EQ(in, end);
  EXPECT_EQ(SkipPackedNumber(buffer.data()), end);

  std::vector<std::uint8_t> followed(buffer.begin(), buffer.begin() + bytes);
  for (unsigned b : {0x00u, 0xFFu, 0xE1u, 0x5Du, 0x99u, 0xEEu, 0xF0u, 0x0Fu}) followed.push_back(b);
  const std::uint8_t* at = followed.data();
  const double again = ReadPackedNumber(at, followed.data() + followed.size());
  EXPECT_EQ(at, followed.data() + bytes);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(again), std::bit_cast<std::uint64_t>(value));
  if (packedBytes != nullptr) *packedBytes = bytes;
  return value;
}

TEST(packed_number, reads_back_the_double_text_to_real_gives) {
  const std::string cases[] = {
      "0", "-0", "1.5", "-.5", "5.", "+7", "1e3", "2.5E-1", "1E+2", "-1234.5678",
      // 8 to 15 bytes, packed sixteen bytes at a time; 16 and more one by one.
      "12345678", "-1234.567", "-10000.12345678", "1234567.12345678", "99999.999999999999",
      "0.1000000000000000055511151231257827", "9007199254740993", "1e-320", "1e308",
      // Text TextToReal reads as 0, kept as its value.
      "", "abc", "1,5", " 12", "12 ", "1e", "e5", "--1", "1.2.3", "1e400", "-1e400", "1e-400",
      "inf", "nan", "0x10", "\x82\xa0", "1234567x", "12345678901234x", "x2345678",
      // Signs and points anywhere: the form is TextToReal's to judge.
      "1-2", "1+", ".", "-", "+.e", "1e5.5", "00000000000001.5", std::string(400, '9'),
      "1" + std::string(3000, '0'), "0." + std::string(3000, '0') + "1"};
  for (const std::string& token : cases) {
    SCOPED_TRACE(token.substr(0, 40));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(RoundTrip(token)),
              std::bit_cast<std::uint64_t>(TextToReal(token)));
  }
}

// Two codes to a byte, the first in the low half: a digit's code is its
// value, "e" 0xA, "+" 0xB, "-" 0xD, "." 0xE, the end 0xF.
TEST(packed_number, a_number_takes_half_its_bytes_and_other_text_nine) {
  struct {
    std::string token;
    std::vector<std::uint8_t> bytes;  // empty: only the count below
    std::size_t count;
  } cases[] = {
      {"", {0xFF}, 1},
      {"7", {0xF7}, 1},
      {"1.5", {0xE1, 0xF5}, 2},
      {"1e-5", {0xA1, 0x5D, 0xFF}, 3},
      {"+1E2", {0x1B, 0x2A, 0xFF}, 3},
      {"12345678", {0x21, 0x43, 0x65, 0x87, 0xFF}, 5},
      {"-1234.567", {0x1D, 0x32, 0xE4, 0x65, 0xF7}, 5},
      {"-10000.12345678", {0x1D, 0x00, 0x00, 0x1E, 0x32, 0x54, 0x76, 0xF8}, 8},
      {std::string(40, '1'), {}, 21},
      {"abc", {}, 9},
      {"1,5", {}, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.token);
    std::vector<std::uint8_t> buffer(32);
    buffer.resize(static_cast<std::size_t>(PackNumber(c.token, buffer.data()) - buffer.data()));
    ASSERT_EQ(buffer.size(), c.count);
    if (!c.bytes.empty()) {
      EXPECT_EQ(buffer, c.bytes);
    }
  }
}

// The forms the coordinates of a drawing take: a sign, up to six digits, up
// to fifteen decimals, now and then an exponent.
TEST(packed_number, drawing_numbers_read_back_exactly) {
  std::mt19937_64 random(408);
  for (int i = 0; i < 200000; ++i) {
    std::string token = random() % 2 ? "-" : "";
    const int digits = static_cast<int>(random() % 7), decimals = static_cast<int>(random() % 16);
    for (int d = 0; d < digits; ++d) token += static_cast<char>('0' + random() % 10);
    if (decimals > 0 || random() % 4 == 0) token += '.';
    for (int d = 0; d < decimals; ++d) token += static_cast<char>('0' + random() % 10);
    if (random() % 16 == 0) {
      token += random() % 2 ? 'e' : 'E';
      token += std::to_string(random() % 40);
    }
    SCOPED_TRACE(token);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(RoundTrip(token)),
              std::bit_cast<std::uint64_t>(TextToReal(token)));
  }
}

}  // namespace
