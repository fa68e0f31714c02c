#pragma once
// Line-level reading and writing of t407.dat, the settings file shared with
// t407: lines of Shift-JIS text, one value a line, CR LF when written (its
// layout: tool/settings_layout.h).

#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

enum class SettingsLineStatus {
  Read,       // `line` holds the next line
  EndOfFile,  // the file has ended: `line` is empty, as is every line after it
  Failed,     // reading failed: nothing more is to be applied
};

// Reads lines as t407 does: a line ends at LF, CR bytes are dropped, a 0x1A
// byte ends the file, and a last line without LF still counts.
class SettingsLineReader {
 public:
  static constexpr int kEnd = -1;
  static constexpr int kError = -2;

  // `nextByte` returns the next byte (0..255), kEnd or kError.
  explicit SettingsLineReader(std::function<int()> nextByte);

  SettingsLineStatus ReadLine(std::string& line);

 private:
  std::function<int()> nextByte_;
  bool ended_ = false;
  bool failed_ = false;
};

// A byte source over bytes in memory.
std::function<int()> BytesSource(std::string_view bytes);
// A byte source over an open stream: kError once the stream reports a read
// error (a bad stream), kEnd at its end.
std::function<int()> StreamSource(std::istream& in);

// The file's bytes: each line followed by CR LF.
std::string FormatSettingsLines(const std::vector<std::string>& lines);
