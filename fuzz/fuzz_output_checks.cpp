#include "fuzz/fuzz_output_checks.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

#include "host/data_model.h"

namespace {

constexpr std::size_t kMaxEntryBytes = 255;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

bool AllHexDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (!IsDigit(c) && !(c >= 'A' && c <= 'F')) return false;
  }
  return true;
}

bool IsIntegerText(std::string_view s) {
  if (!s.empty() && s[0] == '-') s.remove_prefix(1);
  return AllDigits(s);
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

// Fields separated by exactly one blank, none empty.
bool SplitFields(std::string_view s, std::vector<std::string_view>& fields) {
  fields.clear();
  std::size_t start = 0;
  for (;;) {
    const std::size_t blank = s.find(' ', start);
    const std::string_view field = s.substr(start, blank - start);
    if (field.empty()) return false;
    fields.push_back(field);
    if (blank == std::string_view::npos) return true;
    start = blank + 1;
  }
}

bool AllNumbers(const std::vector<std::string_view>& fields, std::size_t from) {
  for (std::size_t i = from; i < fields.size(); ++i) {
    if (!IsNumberText(fields[i])) return false;
  }
  return true;
}

bool IsTextKeyword(std::string_view k) {
  for (std::string_view keyword : kTextKeywords) {
    if (k == keyword) return true;
  }
  return false;
}

// A command line of the pass without a double quote.
bool IsKnownCommand(std::string_view line) {
  std::vector<std::string_view> f;
  if (!SplitFields(line, f)) return false;
  const std::string_view k = f[0];
  if (f.size() == 1) {
    if (k == "msg" || k == "hq" || k == "hr") return true;
    if (k.size() == 2 && k[0] == 'z' && k[1] >= '1' && k[1] <= '5') return true;
    if (StartsWith(k, "lg") || StartsWith(k, "ly")) return AllHexDigits(k.substr(2));
    for (std::string_view kw : {"lc", "pn", "lt", "lw", "cc", "cn"}) {
      if (StartsWith(k, kw)) return IsIntegerText(k.substr(2));
    }
  }
  if (k == "cn0") return f.size() == 5 && AllNumbers(f, 1);
  if (k == "pt") return f.size() == 6 && AllNumbers(f, 1);
  return f.size() == 4 && AllNumbers(f, 0);  // a straight line
}

std::string Escaped(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size() && i < 2000; ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out.push_back(static_cast<char>(c));
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  if (bytes.size() > 2000) out += "...";
  return out;
}

}  // namespace

void FuzzFail(std::string_view what, std::string_view bytes) {
  std::fprintf(stderr, "\n*** output rule broken: %.*s\n*** bytes: %s\n",
               static_cast<int>(what.size()), what.data(), Escaped(bytes).c_str());
  std::abort();
}

bool IsValidCp932(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    if (b <= 0x7F || (b >= 0xA1 && b <= 0xDF)) continue;
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    if (!lead || i + 1 >= text.size()) return false;
    const unsigned char t = static_cast<unsigned char>(text[++i]);
    if (!((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC))) return false;
  }
  return true;
}

bool SplitCrLfLines(std::string_view bytes, std::vector<std::string_view>& lines) {
  lines.clear();
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t lf = bytes.find('\n', start);
    if (lf == std::string_view::npos || lf == start || bytes[lf - 1] != '\r') return false;
    const std::string_view line = bytes.substr(start, lf - 1 - start);
    if (line.find('\r') != std::string_view::npos) return false;
    lines.push_back(line);
    start = lf + 1;
  }
  return true;
}

bool IsNumberText(std::string_view s) {
  if (!s.empty() && s[0] == '-') s.remove_prefix(1);
  const std::size_t e = s.find('E');
  std::string_view mantissa = s.substr(0, e);
  if (e != std::string_view::npos && !IsIntegerText(s.substr(e + 1))) return false;
  const std::size_t point = mantissa.find('.');
  if (point == std::string_view::npos) return AllDigits(mantissa);
  return AllDigits(mantissa.substr(0, point)) && AllDigits(mantissa.substr(point + 1));
}

void CheckExchangeOutput(std::string_view bytes, bool inputsValid) {
  std::vector<std::string_view> lines;
  if (bytes.empty() || !SplitCrLfLines(bytes, lines)) FuzzFail("JWC_TEMP.TXT: CR LF lines", bytes);
  if (inputsValid && !IsValidCp932(bytes)) FuzzFail("JWC_TEMP.TXT: valid code page 932", bytes);
  for (std::string_view line : lines) {
    if (StartsWith(line, "he")) {
      // The refusal: the only line of the file.
      if (lines.size() != 1 || line.size() > kMaxEntryBytes) FuzzFail("refusal line", bytes);
      continue;
    }
    if (StartsWith(line, "h#")) {
      // A notice (a reference taken): the only line of the file.
      if (lines.size() != 1 || line.size() > kMaxEntryBytes) FuzzFail("notice line", bytes);
      continue;
    }
    if (StartsWith(line, "cn\"$")) {
      // The font: one entry, read back by Jw_cad as the token cn$<name>.
      if (line.size() > kMaxEntryBytes) FuzzFail("font line over 255 bytes", line);
      continue;
    }
    const std::size_t quote = line.find('"');
    if (quote == std::string_view::npos) {
      if (line.size() > kMaxEntryBytes) FuzzFail("line over 255 bytes", line);
      if (!IsKnownCommand(line)) FuzzFail("a command Jw_cad cannot read", line);
      continue;
    }
    // A text command and its text, joined on one line.
    const std::string_view command = line.substr(0, quote + 1);
    const std::string_view text = line.substr(quote + 1);
    if (command.size() > kMaxEntryBytes || text.size() > kMaxEntryBytes) {
      FuzzFail("text command or text over 255 bytes", line);
    }
    std::vector<std::string_view> f;
    if (command.size() < 2 || command[command.size() - 2] != ' ' ||
        !SplitFields(command.substr(0, command.size() - 2), f) || f.size() != 5 ||
        !IsTextKeyword(f[0]) || !AllNumbers(f, 1)) {
      FuzzFail("a text command Jw_cad cannot read", line);
    }
    if (text.empty()) FuzzFail("a text command without its text", line);
  }
}

void CheckSettingsOutput(std::string_view bytes, bool inputsValid) {
  std::vector<std::string_view> lines;
  if (!SplitCrLfLines(bytes, lines)) FuzzFail("t407.dat: CR LF lines", bytes);
  if (lines.size() != 31) FuzzFail("t407.dat: 31 lines", bytes);
  for (std::string_view line : lines) {
    if (line.find('\x1A') != std::string_view::npos) FuzzFail("t407.dat: 0x1A in a line", bytes);
  }
  if (inputsValid && !IsValidCp932(bytes)) FuzzFail("t407.dat: valid code page 932", bytes);
}

const std::filesystem::path& FuzzFolder() {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "t408-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(FuzzFolder(), ec);
    });
    return std::filesystem::path(pattern);
  }();
  return folder;
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) std::abort();
}

void CheckNoLeftovers(const std::filesystem::path& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name != "JWC_TEMP.TXT" && name != "t407.dat") FuzzFail("file left behind", name);
  }
}
