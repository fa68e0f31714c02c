#pragma once
// Test helper: the files of the worked example in examples/. JWC_TEMP.TXT and
// t407.dat are what Jw_cad and t407 leave for the pass; examples/expected/
// holds the two files the pass leaves after adding its dimension, byte for
// byte.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

// `name` relative to examples/, such as "t407.dat" or "expected/t407.dat".
inline std::string ExampleFile(std::string_view name) {
  std::ifstream in(std::filesystem::path(T408_SOURCE_DIR) / "examples" / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
