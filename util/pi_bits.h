#pragma once
// Binary expansions of 2/pi and pi/2 for the correctly rounded trigonometry,
// 64 bits a word, most significant word first.

#include <cstdint>

// The bits of 2/pi after the binary point (2/pi < 1): enough for the argument
// reduction of the largest double at the widest working precision.
inline constexpr int kTwoOverPiWordCount = 28;
extern const std::uint64_t kTwoOverPiWords[kTwoOverPiWordCount];

// pi/2 = 1 + the fraction these words hold.
inline constexpr int kHalfPiFractionWordCount = 11;
extern const std::uint64_t kHalfPiFractionWords[kHalfPiFractionWordCount];
