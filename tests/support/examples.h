#pragma once
// Test helper: the files of the worked example in examples/. JWC_TEMP.TXT and
// t407.dat are what Jw_cad and t407 leave for the pass; examples/expected/
// holds the two files the pass leaves after adding its dimension, byte for
// byte.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

// `name` relative to examples/, such as "t407.dat" or "expected/t407.dat".
inline std::string ExampleFile(std::string_view name) {
  std::ifstream in(std::filesystem::path(T408_SOURCE_DIR) / "examples" / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The command lines of an output file of examples/ after its seven attribute
// lines, without their CR LF.
inline std::vector<std::string> ExampleCommandsAfterAttributes(std::string_view name) {
  constexpr std::size_t kAttributeLines = 7;
  const std::string bytes = ExampleFile(name);
  std::vector<std::string> lines;
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t end = bytes.find("\r\n", pos);
    if (end == std::string::npos) break;
    lines.push_back(bytes.substr(pos, end - pos));
    pos = end + 2;
  }
  lines.erase(lines.begin(), lines.begin() + std::min(lines.size(), kAttributeLines));
  return lines;
}
