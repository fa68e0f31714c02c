#include "bench/exchange_file_generator.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>
#include <string_view>

namespace {

// Texts as Jw_cad users write them: Shift-JIS, some with blanks.
constexpr std::string_view kTexts[] = {
    "\x95\xbd\x96\xca\x90\x7d",                                          // 平面図
    "\x90\xa1\x96\x40 1:100",                                            // 寸法 1:100
    "\x8a\x4a\x8c\xfb\x95\x94 W=1800",                                   // 開口部 W=1800
    "\x8b\x8f\x8a\xd4\x81\x40\x82\x50\x82\x4f\x81\x44\x82\x54\x8f\xe4",  // 居間　１０．５畳
    "A-A' section",
    "\x83\x4c\x83\x62\x83\x60\x83\x93  (2F)",  // キッチン  (2F)
    "3640",
    "\x93\x56\x88\xe4\x8d\x82 CH=2400",  // 天井高 CH=2400
};

constexpr std::string_view kBlockNames[] = {"door1", "window_900", "wc", "stair"};

class Writer {
 public:
  Writer(std::uint64_t seed, std::ostream& out) : random_(seed), out_(out) {}
  ~Writer() { Flush(); }

  // A whole number in [0, n).
  std::uint64_t Below(std::uint64_t n) { return random_() % n; }

  void Text(std::string_view s) { buffer_.append(s); }
  void EndLine() {
    buffer_.append("\r\n");
    if (buffer_.size() >= (1u << 20)) Flush();
  }
  void Integer(long long v) {
    char digits[24];
    auto r = std::to_chars(digits, digits + sizeof digits, v);
    buffer_.append(std::string_view(digits, static_cast<std::size_t>(r.ptr - digits)));
  }
  // A blank, then a number with up to `decimals` fraction digits and no
  // trailing zeros, like Jw_cad's shortest forms.
  void Number(double v, int decimals) {
    char digits[48];
    int n = std::snprintf(digits, sizeof digits, "%.*f", decimals, v);
    std::string_view s(digits, n);
    if (s.find('.') != std::string_view::npos) {
      while (s.back() == '0') s.remove_suffix(1);
      if (s.back() == '.') s.remove_suffix(1);
    }
    if (s == "-0") s = "0";
    buffer_.push_back(' ');
    buffer_.append(s);
  }
  // A coordinate of a floor plan some 10 m across, drawn at various precisions.
  void Coordinate() {
    Number(static_cast<double>(Below(20'000'000'000'000)) / 1e9 - 10000.0, Decimals());
  }
  int Decimals() {
    static constexpr int kChoices[] = {2, 3, 4, 4, 5, 6, 7, 8};
    return kChoices[Below(8)];
  }

  void Flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
  }

 private:
  std::mt19937_64 random_;
  std::ostream& out_;
  std::string buffer_;
};

void WriteHeader(Writer& w) {
  w.Text("hq");
  w.EndLine();
  w.Text("file=C:\\jww\\\x90\x7d\x96\xca sample 01.jww");  // 図面
  w.EndLine();
  w.Text("hk 0");
  w.EndLine();
  w.Text("hs 100 50 50 100 100 1 1 1 1 1 1 1 1 1 1 20");
  w.EndLine();
  w.Text("hcw 2 2.5 3 4 5 6 7 8 9 10");
  w.EndLine();
  w.Text("hch 2 2.5 3 4 5 6 7 8 9 10");
  w.EndLine();
  w.Text("hcd 0 0 0.5 0.5 1 1 1 1 1 1");
  w.EndLine();
  w.Text("hcc 1 1 1 2 2 2 3 3 3 4");
  w.EndLine();
  w.Text("hn 0 0 0 0");
  w.EndLine();
  w.Text("lg0");
  w.EndLine();
  w.Text("ly0");
  w.EndLine();
  w.Text("lc1");
  w.EndLine();
  w.Text("lt1");
  w.EndLine();
  w.Text("lw0");
  w.EndLine();
  w.Text("cn0 2.5 2.5 0 1");
  w.EndLine();
  w.Text("cn$\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e");  // ＭＳ ゴシック
  w.EndLine();
  w.Text("hp1");
  w.Coordinate();
  w.Coordinate();
  w.EndLine();
}

void WriteAttributeChange(Writer& w) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  switch (w.Below(6)) {
    case 0:
      w.Text("lg");
      w.Text(std::string_view(&kHex[w.Below(16)], 1));
      break;
    case 1:
      w.Text("ly");
      w.Text(std::string_view(&kHex[w.Below(16)], 1));
      break;
    case 2:
      w.Text("lc");
      w.Integer(static_cast<long long>(1 + w.Below(9)));
      break;
    case 3:
      w.Text("lt");
      w.Integer(static_cast<long long>(1 + w.Below(9)));
      break;
    case 4:
      w.Text("lw");
      w.Integer(static_cast<long long>(w.Below(4)));
      break;
    default:
      w.Text("cn");
      w.Integer(static_cast<long long>(1 + w.Below(10)));
      break;
  }
  w.EndLine();
}

void WriteStraightLine(Writer& w) {
  // Jw_cad writes a straight line with a leading blank and no keyword.
  for (int i = 0; i < 4; ++i) w.Coordinate();
  w.EndLine();
}

void WriteText(Writer& w) {
  w.Text("ch");
  w.Coordinate();
  w.Coordinate();
  w.Number(static_cast<double>(w.Below(2000)) / 100.0, 2);
  w.Number(0, 0);
  w.Text(" \"");
  w.Text(kTexts[w.Below(std::size(kTexts))]);
  w.EndLine();
}

// Writes one entity or one group of them; returns the records it makes.
std::size_t WriteEntity(Writer& w, std::size_t room) {
  const std::uint64_t pick = w.Below(1000);
  if (pick < 700 || room < 3) {
    WriteStraightLine(w);
    return 1;
  }
  if (pick < 780) {
    w.Text("ci");
    w.Coordinate();
    w.Coordinate();
    w.Number(static_cast<double>(1 + w.Below(200000)) / 100.0, w.Decimals());
    w.EndLine();
    return 1;
  }
  if (pick < 830) {
    w.Text("ci");
    w.Coordinate();
    w.Coordinate();
    w.Number(static_cast<double>(1 + w.Below(200000)) / 100.0, w.Decimals());
    w.Number(static_cast<double>(w.Below(36000)) / 100.0, 2);
    w.Number(static_cast<double>(w.Below(36000)) / 100.0, 2);
    w.Number(1, 0);
    w.Number(0, 0);
    w.EndLine();
    return 1;
  }
  if (pick < 890) {
    WriteText(w);
    return 1;
  }
  if (pick < 920) {
    w.Text("pt");
    w.Coordinate();
    w.Coordinate();
    w.EndLine();
    return 1;
  }
  if (pick < 940) {
    w.Text("sl");
    for (int i = 0; i < 8; ++i) w.Coordinate();
    w.EndLine();
    return 1;
  }
  if (pick < 960) {
    w.Text("BL");
    w.Coordinate();
    w.Coordinate();
    w.Text(" ");
    w.Text(kBlockNames[w.Below(std::size(kBlockNames))]);
    w.EndLine();
    return 1;
  }
  if (pick < 980) {
    // A dimension figure: its line and its "cs" value text make one record.
    w.Text("msg");
    w.EndLine();
    WriteStraightLine(w);
    w.Text("cs");
    w.Coordinate();
    w.Coordinate();
    w.Number(1, 0);
    w.Number(0, 0);
    w.Text(" \"");
    w.Integer(static_cast<long long>(100 + w.Below(9000)));
    w.EndLine();
    return 1;
  }
  w.Text("pl");
  w.EndLine();
  for (int i = 0; i < 3; ++i) WriteStraightLine(w);
  w.Text("#");
  w.EndLine();
  return 3;
}

// A straight line from one of `places` grid places to another, anywhere across.
void WriteLineBetweenPlaces(Writer& w, std::size_t places) {
  for (int end = 0; end < 2; ++end) {
    w.Number(-5000.0 + 10.25 * static_cast<double>(w.Below(places)), 2);
    w.Coordinate();
  }
  w.EndLine();
}

void WriteEntities(Writer& w, std::size_t entities) {
  std::size_t written = 0;
  std::size_t nextChange = 20 + w.Below(40);
  while (written < entities) {
    if (written >= nextChange) {
      WriteAttributeChange(w);
      nextChange = written + 20 + w.Below(40);
    }
    written += WriteEntity(w, entities - written);
  }
}

}  // namespace

void GenerateExchangeFile(std::size_t entities, std::uint64_t seed, std::ostream& out) {
  Writer w(seed, out);
  WriteHeader(w);
  WriteEntities(w, entities);
}

void GenerateRowSelection(std::size_t lines, std::size_t places, std::uint64_t seed,
                          std::ostream& out) {
  Writer w(seed, out);
  WriteHeader(w);
  std::size_t nextChange = 20 + w.Below(40);
  for (std::size_t written = 0; written < lines; ++written) {
    if (written >= nextChange) {
      WriteAttributeChange(w);
      nextChange = written + 20 + w.Below(40);
    }
    WriteLineBetweenPlaces(w, places);
  }
}

std::string GenerateEntityLines(std::size_t entities, std::uint64_t seed) {
  std::ostringstream out;
  {
    Writer w(seed, out);
    WriteEntities(w, entities);
  }
  return std::move(out).str();
}

std::string GenerateExchangeText(std::size_t entities, std::uint64_t seed) {
  std::ostringstream out;
  GenerateExchangeFile(entities, seed, out);
  return std::move(out).str();
}
