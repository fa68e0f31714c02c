#include "tool/settings_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <vector>

#include "tests/support/dialog_fixture.h"

TEST(settings_file, lines_end_at_lf_with_cr_dropped_and_0x1a_ending_the_file) {
  struct {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\r\r\nb\rc\n", {"a", "bc"}},
      {"", {}},
      {"\n", {""}},
      {"\r\n\r\nx", {"", "", "x"}},
      {"x\r", {"x"}},
      {std::string("a\nb\x1A"
                   "c\nd\n"),
       {"a", "b"}},
      {std::string("\x1A"
                   "a\n"),
       {}},
      {std::string("\x82\xA0\r\n", 4), {"\x82\xA0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(SettingsFileLines(c.bytes), c.lines);
  }
}

TEST(settings_file, lines_past_the_end_read_as_empty) {
  SettingsLineReader reader(BytesSource("only\r\n"));
  std::string line;
  EXPECT_EQ(reader.ReadLine(line), SettingsLineStatus::Read);
  EXPECT_EQ(line, "only");
  for (int i = 0; i < 3; ++i) {
    line = "stale";
    EXPECT_EQ(reader.ReadLine(line), SettingsLineStatus::EndOfFile);
    EXPECT_EQ(line, "");
  }
}

TEST(settings_file, a_read_error_stops_reading_and_drops_the_half_line) {
  const int bytes[] = {'1', '\n', '2', SettingsLineReader::kError, '3', '\n'};
  std::size_t next = 0;
  SettingsLineReader reader([&] { return bytes[next++]; });
  std::string line;
  EXPECT_EQ(reader.ReadLine(line), SettingsLineStatus::Read);
  EXPECT_EQ(line, "1");
  EXPECT_EQ(reader.ReadLine(line), SettingsLineStatus::Failed);
  EXPECT_EQ(line, "");
  EXPECT_EQ(reader.ReadLine(line), SettingsLineStatus::Failed);
}

TEST(settings_file, a_stream_that_fails_mid_file_stops_the_reading) {
  // Hands out its bytes, then fails as a disk read would.
  class FailingBuffer : public std::streambuf {
   public:
    explicit FailingBuffer(std::string bytes) : bytes_(std::move(bytes)) {
      setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
    }

   protected:
    int_type underflow() override { throw std::runtime_error("read error"); }

   private:
    std::string bytes_;
  };
  FailingBuffer buffer("100\r\n20");
  std::istream in(&buffer);
  SettingsLineReader reader(StreamSource(in));
  std::string line;
  EXPECT_EQ(reader.ReadLine(line), SettingsLineStatus::Read);
  EXPECT_EQ(line, "100");
  EXPECT_EQ(reader.ReadLine(line), SettingsLineStatus::Failed);

  std::istringstream whole("a\nb");
  SettingsLineReader plain(StreamSource(whole));
  EXPECT_EQ(plain.ReadLine(line), SettingsLineStatus::Read);
  EXPECT_EQ(plain.ReadLine(line), SettingsLineStatus::Read);
  EXPECT_EQ(line, "b");
  EXPECT_EQ(plain.ReadLine(line), SettingsLineStatus::EndOfFile);
}

TEST(settings_file, every_written_line_ends_in_cr_lf) {
  EXPECT_EQ(FormatSettingsLines({"1", "", "\x82\xA0"}), "1\r\n\r\n\x82\xA0\r\n");
  EXPECT_EQ(FormatSettingsLines({}), "");
}
