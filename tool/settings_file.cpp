#include "tool/settings_file.h"

#include <memory>

SettingsLineReader::SettingsLineReader(std::function<int()> nextByte)
    : nextByte_(std::move(nextByte)) {}

SettingsLineStatus SettingsLineReader::ReadLine(std::string& line) {
  line.clear();
  if (failed_) return SettingsLineStatus::Failed;
  if (ended_) return SettingsLineStatus::EndOfFile;
  bool any = false;
  for (;;) {
    const int b = nextByte_();
    if (b == kError) {
      // A half-read line is not applied.
      failed_ = true;
      line.clear();
      return SettingsLineStatus::Failed;
    }
    if (b == kEnd || b == 0x1A) {
      ended_ = true;
      return any ? SettingsLineStatus::Read : SettingsLineStatus::EndOfFile;
    }
    any = true;
    if (b == '\n') return SettingsLineStatus::Read;
    if (b == '\r') continue;
    line.push_back(static_cast<char>(b));
  }
}

std::function<int()> BytesSource(std::string_view bytes) {
  auto position = std::make_shared<std::size_t>(0);
  return [bytes, position]() -> int {
    if (*position >= bytes.size()) return SettingsLineReader::kEnd;
    return static_cast<unsigned char>(bytes[(*position)++]);
  };
}

std::function<int()> StreamSource(std::istream& in) {
  return [&in]() -> int {
    const std::istream::int_type c = in.get();
    if (in.bad()) return SettingsLineReader::kError;
    if (c == std::istream::traits_type::eof()) return SettingsLineReader::kEnd;
    return static_cast<unsigned char>(std::istream::traits_type::to_char_type(c));
  };
}

std::string FormatSettingsLines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}
