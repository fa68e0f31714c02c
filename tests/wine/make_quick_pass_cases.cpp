// make_quick_pass_cases <count> <seed> <folder>: writes <count> folders of
// quick-pass inputs, each a JWC_TEMP.TXT as Jw_cad writes it and, unless the
// case is about its absence, a t407.dat, plus <folder>/cases.txt saying in one
// line per folder what it holds. scripts/test-wine runs the Windows t408q.exe
// under Wine and the native t408q on every folder and compares what they leave.
//
// Folders are named <kind>-<number>; the kinds take turns, so every count of
// at least eight covers each. The same count and seed give the same bytes.
//
// Sections: random numbers and number texts; the case and its files; where
// the reference and the picked point lie; the kinds; main.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "bench/exchange_file_generator.h"
#include "tests/support/utf8_to_cp932.h"
#include "tool/end_markers.h"
#include "tool/placement.h"
#include "tool/settings_file.h"

namespace {

// ---- Random numbers and number texts ----------------------------------------

// Only the engine's raw output is used: the distributions of the standard
// library differ between implementations, and a seed must mean the same cases
// wherever the generator was built.
class Random {
 public:
  explicit Random(std::uint64_t seed) : engine_(seed) {}

  std::uint64_t Below(std::uint64_t n) { return engine_() % n; }
  bool OneIn(std::uint64_t n) { return Below(n) == 0; }
  double Between(double low, double high) {
    return low + (high - low) * static_cast<double>(engine_() >> 11) * 0x1p-53;
  }
  template <typename T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(N)];
  }

 private:
  std::mt19937_64 engine_;
};

std::string Printed(const char* format, int digits, double v) {
  char text[64];
  std::snprintf(text, sizeof text, format, digits, v);
  std::string s = text;
  if (s == "-0") s = "0";
  return s;
}

// At most `decimals` fraction digits and no trailing zeros, as Jw_cad writes
// a coordinate.
std::string Fixed(double v, int decimals) {
  std::string s = Printed("%.*f", decimals, v);
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  return s == "-0" ? "0" : s;
}

// 15 significant digits, as t407 and t408 write t407.dat.
std::string Shortest(double v) { return Printed("%.*g", 15, v); }

// Every digit: the text reads back as exactly `v`.
std::string Exact(double v) { return Printed("%.*g", 17, v); }

// A coordinate at a precision Jw_cad users meet: whole units to 8 decimals.
std::string Coordinate(Random& r, double v) {
  static constexpr int kDecimals[] = {0, 1, 2, 3, 4, 5, 6, 8};
  return Fixed(v, r.Pick(kDecimals));
}

// A check box as t407.dat keeps it.
std::string Flag(bool on) { return on ? "1" : "0"; }

std::string Hex(int digit) { return std::string(1, "0123456789ABCDEF"[digit & 15]); }

double Number(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// ---- The case and its files ---------------------------------------------------

// Everything one folder holds, texts in UTF-8 until they are written.
struct Case {
  std::string note;       // what the case is about, for cases.txt
  std::string arguments;  // t408q's argument, if any

  // JWC_TEMP.TXT
  std::string axis = "0";
  std::array<std::string, 16> scales;
  int layerGroup = 0;
  std::string textWidths = "2 2.5 3 4 5 6 7 8 9 10";
  std::string textHeights = "2 2.5 3 4 5 6 7 8 9 10";
  std::string textSpacings = "0 0 0.5 0.5 0.5 1 1 1 1 1";
  std::string textColours = "1 1 1 2 2 2 2 2 2 2";
  std::string pickKeyword = "hp1";
  std::optional<std::string> pick;  // "x y"; none: no picked point 1
  std::vector<std::string> attributes;
  std::string currentTextType = "cn1";
  std::string font = "<ＭＳ ゴシック>";
  std::string entities;  // Shift-JIS already

  // t407.dat; none: t407 has never run
  std::optional<std::vector<std::string>> settings;

  std::string& Setting(int line) { return (*settings)[static_cast<std::size_t>(line - 1)]; }
  const std::string& Setting(int line) const {
    return (*settings)[static_cast<std::size_t>(line - 1)];
  }
  std::string& LayerScaleText() { return scales[static_cast<std::size_t>(layerGroup)]; }
  double LayerScale() const { return Number(scales[static_cast<std::size_t>(layerGroup)]); }
};

// t407.dat as t407 leaves it with the dialog's defaults; the reference lines
// 23 to 31 are filled in by the layout.
std::vector<std::string> DefaultSettings() {
  return {"100", "100", "0", "0", "0", "3", "2", "1", "",  "",  "0.5", "2", "2", "3", "15", "2",
          "0",   "0",   "0", "0", "0", "0", "0", "1", "0", "0", "0",   "0", "0", "0", "0"};
}

std::string Cp932(const std::string& utf8) {
  std::optional<std::string> bytes = Utf8ToCp932(utf8);
  if (!bytes) {
    std::fprintf(stderr, "no Shift-JIS form for %s\n", utf8.c_str());
    std::exit(1);
  }
  return *bytes;
}

std::string ExchangeBytes(const Case& c, const std::string& name) {
  std::vector<std::string> lines = {
      "hq",
      "file=C:\\jww\\図面\\" + name + ".jww",
      "hk " + c.axis,
      "hs",
      "hzs 420 297",
      "hcw " + c.textWidths,
      "hch " + c.textHeights,
      "hcd " + c.textSpacings,
      "hcc " + c.textColours,
      "hn -5000 -3000 5000 3000",
  };
  for (const std::string& scale : c.scales) lines[3] += " " + scale;
  if (c.pick) lines.push_back(c.pickKeyword + " " + *c.pick);
  lines.push_back("lg" + Hex(c.layerGroup));
  lines.insert(lines.end(), c.attributes.begin(), c.attributes.end());
  lines.push_back(c.currentTextType);
  lines.push_back("cn\"$" + c.font);
  std::string bytes;
  for (const std::string& line : lines) bytes += Cp932(line) + "\r\n";
  return bytes + c.entities;
}

std::string SettingsBytes(const std::vector<std::string>& lines) {
  std::vector<std::string> converted;
  for (const std::string& line : lines) converted.push_back(Cp932(line));
  return FormatSettingsLines(converted);
}

// One line of cases.txt: the note, then the inputs that shape the output.
std::string Describe(const Case& c) {
  std::string d = c.note + (c.arguments.empty() ? "" : " (" + c.arguments + ")") + " | hk " +
                  c.axis + ", lg" + Hex(c.layerGroup) +
                  " 1:" + c.scales[static_cast<std::size_t>(c.layerGroup)] + ", " +
                  c.currentTextType;
  if (!c.pick) d += ", no hp1";
  if (!c.settings) return d + " | no t407.dat";
  const std::vector<std::string>& s = *c.settings;
  d += " | ref lg" + s[22] + " 1:" + s[23] + " hk " + s[24] + ", markers " + s[2] + "/" + s[3] +
       " x" + s[7] + " arrow " + s[13] + "/" + s[14] + ", text " + s[4] + " gap " + s[10] +
       ", value p" + s[5] + " r" + s[6] + " zeros " + s[16] + " unit " + s[17] + " flags " + s[18] +
       s[19] + s[20] + " figure " + s[21];
  if (!s[8].empty() || !s[9].empty()) d += " [" + s[8] + "|" + s[9] + "]";
  return d;
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
    std::exit(1);
  }
}

// ---- Where the reference and the picked point lie ----------------------------

// The drawing's horizontal and its upward normal.
struct Axes {
  Point along;
  Point across;
};

Axes AxesOf(double axisDegrees) {
  const double a = axisDegrees / 180 * std::numbers::pi;
  return {{std::cos(a), std::sin(a)}, {-std::sin(a), std::cos(a)}};
}

Point Offset(Point origin, const Axes& axes, double along, double across) {
  return {origin.X + along * axes.along.X + across * axes.across.X,
          origin.Y + along * axes.along.Y + across * axes.across.Y};
}

// In real units of the current layer group, along and across the axis angle
// from the reference's first end.
struct Layout {
  Point origin;
  double referenceLength = 0;
  double lineAlong = 0;   // where the reference's line point lies
  double lineAcross = 0;  // how far the dimension line runs off the measured points
  double pickAlong = 0;
  double pickAcross = 0;
  bool swapEnds = false;                // t407.dat holds the later end first
  bool exactPick = false;               // the picked point with every digit, for cases on an edge
  std::optional<std::string> pickText;  // the picked point, when the kind chose its text
};

// Lines 26 to 31 of t407.dat and the picked point. t407.dat keeps the
// reference in real units of its own layer group's scale (line 24).
void ApplyLayout(Case& c, const Layout& layout, Random& r) {
  const Axes axes = AxesOf(Number(c.axis));
  const Point a = layout.origin;
  const Point b = Offset(a, axes, layout.referenceLength, 0);
  const Point l = Offset(a, axes, layout.lineAlong, layout.lineAcross);
  const Point p = Offset(a, axes, layout.pickAlong, layout.pickAcross);
  if (c.pick) {
    if (layout.pickText) {
      c.pick = *layout.pickText;
    } else if (layout.exactPick) {
      c.pick = Exact(p.X) + " " + Exact(p.Y);
    } else {
      c.pick = Coordinate(r, p.X) + " " + Coordinate(r, p.Y);
    }
  }
  if (!c.settings) return;
  double referenceScale = Number(c.Setting(24));
  if (referenceScale <= 1e-10) referenceScale = 1;
  const double toStored = referenceScale / c.LayerScale();
  const Point first = layout.swapEnds ? b : a;
  const Point last = layout.swapEnds ? a : b;
  const Point stored[] = {first, last, l};
  for (int i = 0; i < 3; ++i) {
    c.Setting(26 + 2 * i) = Shortest(stored[i].X * toStored);
    c.Setting(27 + 2 * i) = Shortest(stored[i].Y * toStored);
  }
}

// The extent of an end marker along the dimension line, in real units.
double MarkerExtent(int kind, const Case& c) {
  const double scale = c.LayerScale();
  if (kind == 0) {
    return std::cos(Number(c.Setting(15)) / 180 * std::numbers::pi) * Number(c.Setting(14)) * scale;
  }
  const double markerScale = Number(c.Setting(8));
  switch (kind) {
    case 1:
    case 6:
    case 9:
    case 11:
      return 7.5 * markerScale * scale;
    case 8:
    case 10:
      return 1.25 * std::sqrt(2.0) * markerScale * scale;
    default:
      return 1.25 * markerScale * scale;
  }
}

// A dimension of `length` added on the picked point's side (0 before the
// reference, 1 after it), the point a little off the measure line.
void PlaceDimensionOf(Layout& layout, double length, int side, Random& r, double layerScale) {
  layout.pickAlong = side == 0 ? -length : layout.referenceLength + length;
  layout.pickAcross = r.OneIn(3) ? 0 : r.Between(-30, 30) * layerScale;
}

// ---- The kinds --------------------------------------------------------------------

constexpr const char* kAxisAngles[] = {
    "0", "90", "180", "270", "45", "30", "-30", "60", "135", "225", "315", "-90", "360", "-180",
    "120", "15", "1", "0.5", "-45", "720", "89.5", "90.5",
    // The value text turns over above 90.00000001 degrees.
    "90.00000001", "90.000000011", "270.00000001", "269.99999999"};

// Just off a multiple of 90 degrees, where the residues of sine and cosine
// are smallest and their last digits most fragile.
std::string NearRightAngle(Random& r) {
  static constexpr double kOffsets[] = {1e-6, 1e-8, 1e-9, 1e-10, 1e-11, 1e-12, 3e-13};
  const double k = static_cast<double>(static_cast<int>(r.Below(7)) - 2);
  const double offset = r.Pick(kOffsets) * (r.OneIn(2) ? 1 : -1);
  return Shortest(k * 90 + offset);
}

std::string RandomAxisAngle(Random& r) {
  switch (r.Below(3)) {
    case 0:
      return r.Pick(kAxisAngles);
    case 1:
      return Fixed(r.Between(-360, 360), 1 + static_cast<int>(r.Below(8)));
    default:
      return NearRightAngle(r);
  }
}

constexpr const char* kScales[] = {"1",    "2",   "5",    "10",  "20",  "25",   "30",
                                   "50",   "100", "150",  "200", "250", "300",  "500",
                                   "1000", "0.5", "12.5", "1.5", "3",   "0.25", "600"};

constexpr const char* kAffixes[] = {"",   "",  "",  "L=",   "寸法", "約", "W=", "全長 ", "　",
                                    "  ", "(", ")", "ｍｍ", " x ",  "H=", "～", "㎜",    "表示\\"};

constexpr const char* kFonts[] = {"<ＭＳ ゴシック>", "<ＭＳ 明朝>", "<ＭＳ Ｐゴシック>", "<Arial>"};

std::string RandomTextTypes(Random& r, double low, double high, int decimals) {
  std::string s;
  for (int i = 0; i < 10; ++i) {
    if (i > 0) s += " ";
    s += Fixed(r.Between(low, high), decimals);
  }
  return s;
}

std::string FreeTextType(Random& r) {
  return "cn0 " + Fixed(r.Between(1, 8), 2) + " " + Fixed(r.Between(1, 8), 2) + " " +
         Fixed(r.Between(0, 2), 1) + " " + std::to_string(1 + r.Below(9));
}

// Realistic settings for every kind: mostly the dialog's defaults, now and
// then something else, so each kind meets the others' settings too.
void RandomiseDialog(Case& c, Random& r) {
  static constexpr const char* kArrowLengths[] = {"3", "2", "1.5", "5", "10", "0.8"};
  static constexpr const char* kArrowAngles[] = {"15", "20", "30", "45", "10", "60", "12.5"};
  static constexpr const char* kMarkerScales[] = {"1", "1", "0.5", "2", "1.5"};
  static constexpr const char* kTextGaps[] = {"0.5", "0.5", "1", "0.25", "2"};
  static constexpr const char* kDistances[] = {"2", "2", "1", "0", "3.5"};
  c.Setting(1) = std::to_string(r.Below(900));
  c.Setting(2) = std::to_string(r.Below(600));
  if (r.OneIn(3)) {
    c.Setting(3) = std::to_string(r.Below(12));
    c.Setting(4) = std::to_string(r.Below(12));
  }
  if (r.OneIn(3)) c.Setting(5) = std::to_string(r.Below(11));
  if (r.OneIn(3)) {
    c.Setting(6) = std::to_string(r.Below(9));
    c.Setting(7) = std::to_string(r.Below(3));
  }
  c.Setting(8) = r.Pick(kMarkerScales);
  if (r.OneIn(4)) c.Setting(9) = r.Pick(kAffixes);
  if (r.OneIn(4)) c.Setting(10) = r.Pick(kAffixes);
  c.Setting(11) = r.Pick(kTextGaps);
  c.Setting(12) = r.Pick(kDistances);
  c.Setting(13) = r.Pick(kDistances);
  c.Setting(14) = r.Pick(kArrowLengths);
  c.Setting(15) = r.Pick(kArrowAngles);
  c.Setting(16) = r.Pick(kDistances);
  for (int line = 17; line <= 22; ++line) c.Setting(line) = Flag(r.OneIn(4));
}

Case BaseCase(Random& r) {
  Case c;
  c.axis = RandomAxisAngle(r);
  for (std::string& scale : c.scales) scale = r.OneIn(2) ? "100" : r.Pick(kScales);
  c.layerGroup = static_cast<int>(r.Below(4));
  c.attributes = {"ly" + Hex(static_cast<int>(r.Below(16))), "lc" + std::to_string(1 + r.Below(9)),
                  "lt" + std::to_string(1 + r.Below(9)), "lw" + std::to_string(r.Below(4))};
  c.currentTextType = r.OneIn(5) ? FreeTextType(r) : "cn" + std::to_string(1 + r.Below(10));
  c.font = r.Pick(kFonts);
  static constexpr const char* kPickKeywords[] = {"hp1", "hp1", "hp1", "hp1ln", "hp1-", "hp1ci"};
  c.pickKeyword = r.Pick(kPickKeywords);
  c.pick = "0 0";
  c.entities = r.OneIn(3) ? "" : GenerateEntityLines(r.Below(30), r.Below(1u << 30));

  c.settings = DefaultSettings();
  RandomiseDialog(c, r);
  c.Setting(23) = std::to_string(c.layerGroup);
  c.Setting(24) = c.scales[static_cast<std::size_t>(c.layerGroup)];
  c.Setting(25) = c.axis;
  if (r.OneIn(4)) c.Setting(24) = r.Pick(kScales);
  return c;
}

// A reference of 0 to 200 paper mm somewhere on the sheet, its dimension line
// a little off its measured points, and a dimension of 2 to 300 paper mm added
// on either side.
Layout BaseLayout(const Case& c, Random& r) {
  const double scale = c.LayerScale();
  Layout layout;
  layout.origin = {r.Between(-200, 200) * scale, r.Between(-150, 150) * scale};
  layout.referenceLength = r.OneIn(10) ? 0 : r.Between(2, 200) * scale;
  layout.lineAlong = r.Between(-1, 1) * layout.referenceLength;
  layout.lineAcross = r.Between(-40, 40) * scale;
  layout.swapEnds = r.OneIn(4);
  PlaceDimensionOf(layout, r.Between(2, 300) * scale, static_cast<int>(r.Below(2)), r, scale);
  return layout;
}

void AxisKind(Case& c, Layout&, Random& r, int index) {
  const std::size_t specials = std::size(kAxisAngles);
  if (static_cast<std::size_t>(index) < specials) {
    c.axis = kAxisAngles[index];
  } else {
    c.axis = index % 2 == 0 ? NearRightAngle(r) : Fixed(r.Between(-720, 720), 1 + index % 10);
  }
  c.Setting(25) = c.axis;
  // A reference drawn along another axis angle: both extension lines are
  // drawn. Off by -1e-12 it folds to just under a full turn: still another.
  if (index % 4 == 3) c.Setting(25) = RandomAxisAngle(r);
  if (index % 9 == 8) c.Setting(25) = Exact(Number(c.axis) - 1e-12);
  c.note = "axis angle " + c.axis;
}

void ScaleKind(Case& c, Layout& layout, Random& r, int index) {
  for (std::string& scale : c.scales) scale = r.Pick(kScales);
  c.layerGroup = index % 16;
  c.Setting(23) = std::to_string(r.Below(16));
  c.Setting(24) = r.Pick(kScales);
  // A reference scale that reads as 1 (0, empty, tiny or negative).
  static constexpr const char* kUnreadableScales[] = {"0", "", "1E-11", "-2"};
  if (index % 7 == 6) c.Setting(24) = r.Pick(kUnreadableScales);
  c.note = "layer group " + Hex(c.layerGroup) + " at 1:" + c.LayerScaleText() +
           ", reference at 1:" + c.Setting(24);
  layout = BaseLayout(c, r);
}

void MarkerKind(Case& c, Layout& layout, Random& r, int index) {
  static constexpr const char* kArrowLengths[] = {"3", "1.5", "10", "0.8", "1000", "2.5", "4"};
  static constexpr const char* kArrowAngles[] = {"15", "30", "45",  "10",    "60",
                                                 "89", "90", "120", "179.5", "7.5"};
  static constexpr const char* kMarkerScales[] = {"1", "0.5", "2", "1.5", "3", "0.8"};
  static constexpr const char* kOvershoots[] = {"2", "0", "0.5", "1E-11", "5"};
  // Every kind at each end: a kind added to the table is generated too.
  const int kinds = static_cast<int>(EndMarkers().size());
  const int start = index % kinds;
  const int end = (index * 5 + 3) % kinds;
  const bool reversed = (index / kinds) % 2 == 1;
  c.Setting(3) = std::to_string(start);
  c.Setting(4) = std::to_string(end);
  c.Setting(8) = r.Pick(kMarkerScales);
  c.Setting(14) = r.Pick(kArrowLengths);
  c.Setting(15) = r.Pick(kArrowAngles);
  c.Setting(16) = r.Pick(kOvershoots);
  double extents = MarkerExtent(start, c) + MarkerExtent(end, c);
  if (reversed && extents <= 0) {
    c.Setting(15) = "15";
    extents = MarkerExtent(start, c) + MarkerExtent(end, c);
  }
  const double scale = c.LayerScale();
  const double length =
      reversed ? extents * r.Between(0.1, 0.95)
               : std::max(extents, 0.0) * r.Between(1.05, 6) + r.Between(1, 50) * scale;
  PlaceDimensionOf(layout, length, static_cast<int>(r.Below(2)), r, scale);
  c.note = "markers " + std::to_string(start) + "/" + std::to_string(end) +
           (reversed ? " reversed" : " inside");
  if (index % 25 == 24) {
    // Extents summing to the length exactly: not reversed. Axis 0 and whole
    // numbers at 1:1 keep every step exact.
    c.axis = "0";
    c.Setting(25) = "0";
    c.LayerScaleText() = "1";
    c.Setting(24) = "1";
    c.Setting(3) = "2";
    c.Setting(4) = "3";
    c.Setting(8) = "1";
    layout.origin = {static_cast<double>(r.Below(200)), -static_cast<double>(r.Below(200))};
    layout.referenceLength = 10;
    layout.lineAlong = 0;
    layout.lineAcross = -7;
    layout.pickAlong = 12.5;
    layout.pickAcross = 0;
    layout.swapEnds = false;
    c.note = "markers 2/3, extents equal to the length";
  }
}

void TextKind(Case& c, Layout&, Random& r, int index) {
  static constexpr const char* kTextGaps[] = {"0.5", "1", "-1", "0", "abc", "2.25", "0.75"};
  c.Setting(5) = std::to_string(index % 11);
  switch ((index / 11) % 3) {
    case 0:
      c.currentTextType = "cn" + std::to_string(1 + r.Below(10));
      break;
    case 1:
      c.currentTextType = FreeTextType(r);
      break;
    default:
      c.currentTextType = r.OneIn(2) ? "cn12" : "cn0";
      break;
  }
  c.textWidths = RandomTextTypes(r, 0.5, 20, 1 + static_cast<int>(r.Below(2)));
  c.textHeights = RandomTextTypes(r, 0.5, 20, 1);
  c.textSpacings = RandomTextTypes(r, 0, 3, 2);
  c.textColours = RandomTextTypes(r, 1, 9.4, 0);
  c.Setting(11) = r.Pick(kTextGaps);
  c.Setting(22) = Flag(index % 2 == 0);
  if (r.OneIn(3)) c.Setting(9) = r.Pick(kAffixes);
  c.note = "text type " + c.Setting(5) + " with " + c.currentTextType +
           (index % 2 == 0 ? ", dimension figure" : "");
}

void ValueKind(Case& c, Layout& layout, Random& r, int index) {
  c.Setting(6) = std::to_string(index % 9);
  c.Setting(7) = std::to_string((index / 9) % 3);
  c.Setting(17) = std::to_string(r.Below(2));
  c.Setting(18) = std::to_string((index / 3) % 2);
  for (int line = 19; line <= 21; ++line) c.Setting(line) = Flag(r.OneIn(2));
  c.Setting(9) = r.Pick(kAffixes);
  c.Setting(10) = r.Pick(kAffixes);
  // Lengths from a hundredth of a unit to kilometres, some on a rounding edge
  // of the chosen precision.
  double length = std::pow(10.0, r.Between(-2, 7));
  if (r.OneIn(3)) {
    const double unit = std::pow(10.0, -(index % 9)) * (c.Setting(18) == "1" ? 1000 : 1);
    length = (std::floor(length / unit) + 0.5) * unit;
  }
  PlaceDimensionOf(layout, length, static_cast<int>(r.Below(2)), r, c.LayerScale());
  c.note =
      "value of " + Shortest(length) + ", precision " + c.Setting(6) + " rounding " + c.Setting(7);
}

void ChainKind(Case& c, Layout& layout, Random& r, int index) {
  const int side = index % 2;
  const double scale = c.LayerScale();
  layout.swapEnds = (index / 2) % 2 == 1;
  switch ((index / 4) % 3) {
    case 0:
      layout.lineAcross = r.Between(5, 60) * scale;
      break;
    case 1:
      layout.lineAcross = -r.Between(5, 60) * scale;
      break;
    default:
      layout.lineAcross = 0;  // the dimension line through the measured points
      break;
  }
  if (index % 10 == 9) layout.referenceLength = 0;
  PlaceDimensionOf(layout, r.Between(1, 400) * scale, side, r, scale);
  layout.pickAcross = r.Between(-80, 80) * scale;
  if (index % 6 == 5) c.Setting(25) = RandomAxisAngle(r);
  c.note = std::string(side == 0 ? "before" : "after") + " the reference" +
           (layout.swapEnds ? ", ends stored the other way round" : "");
}

// A whole row (/a) along a selection: a drawing's entities among points on 2
// to 30 places along the axis, a few at each, some nearer each other than the
// value's step, on both sides of the line; now and then some marked as part
// of a dimension, no picked point 1, a single place, or no t407.dat.
void RowKind(Case& c, Layout& layout, Random& r, int index) {
  c.arguments = "/a";
  const double scale = c.LayerScale();
  const Axes axes = AxesOf(Number(c.axis));
  const int places = index % 10 == 4 ? 1 : 2 + static_cast<int>(r.Below(29));
  std::string lines;
  double along = 0;
  for (int place = 0; place < places; ++place) {
    along += r.OneIn(8) ? r.Between(0.0001, 0.001) : r.Between(0.5, 120) * scale;
    for (std::uint64_t n = 1 + r.Below(3); n > 0; --n) {
      const Point p = Offset(layout.origin, axes, along + (r.OneIn(4) ? r.Between(0, 0.0005) : 0),
                             r.Between(-100, 100) * scale);
      if (r.OneIn(10)) lines += "z3\r\n";
      lines += "pt " + Coordinate(r, p.X) + " " + Coordinate(r, p.Y) + "\r\n";
    }
  }
  c.entities = lines + c.entities;
  layout.pickAlong = r.Between(-50, 50) * scale;
  layout.pickAcross = r.Between(-150, 150) * scale;
  if (index % 10 == 9) c.pick.reset();
  if (index % 10 == 7) c.settings.reset();
  c.note = "whole row, " + std::to_string(places) + " places";
}

// A picked point just past the end of a reference at the origin, far out
// across the axis: it passes the inside test, but its foot on the dimension
// line falls within 1e-10 of the reference's, so the run is refused after
// saving t407.dat.
void ZeroLengthCase(Case& c, Layout& layout, Random& r) {
  static constexpr const char* kAxes[] = {"45", "30", "60", "135", "-30", "17.5", "100.25"};
  c.axis = r.Pick(kAxes);
  c.Setting(25) = c.axis;
  c.LayerScaleText() = "1";
  c.Setting(24) = "1";
  layout = Layout{};
  const Axes axes = AxesOf(Number(c.axis));
  PlacementInput input;
  input.AxisAngle = Number(c.axis);
  for (int attempt = 0; attempt < 100000; ++attempt) {
    const double across = r.Between(1e5, 1e7) * (r.OneIn(2) ? 1 : -1);
    const Point p = Offset({0, 0}, axes, r.Between(1e-10, 3e-9), across);
    layout.pickText = Exact(p.X) + " " + Exact(p.Y);
    input.Picked = {Number(Exact(p.X)), Number(Exact(p.Y))};
    const Placement placement = PlaceDimension(input);
    if (!placement.Inside && placement.MeasuredLength < 1e-10) {
      c.note = "refused: zero length";
      return;
    }
  }
  c.note = "refused? a length near zero (no zero-length point found)";
}

void RefusalKind(Case& c, Layout& layout, Random& r, int index) {
  struct BadValue {
    int line;
    const char* text;
  };
  static constexpr BadValue kBadValues[] = {
      {3, "12"}, {8, "abc"}, {14, "1000.5"}, {15, "180"}, {5, "11"},
      {6, "9"},  {7, "3"},   {12, "-0.5"},   {4, "40"},   {8, "0"},
      {14, "0"}, {15, "0"},  {13, "-2"},     {16, "-1"},  {8, "-1"},
  };
  static constexpr const char* kPattern[] = {"no t407.dat", "inside",     "bad value", "no hp1",
                                             "zero length", "bad value",  "inside",    "bad value",
                                             "no hp1",      "zero length"};
  const std::string what = kPattern[index % 10];
  const double scale = c.LayerScale();
  if (what == "no t407.dat") {
    c.settings.reset();
    c.note = "refused: no t407.dat";
  } else if (what == "inside") {
    const int at = (index / 10) % 3;
    if (at == 0) {
      layout.referenceLength = r.Between(10, 200) * scale;
      layout.pickAlong = r.Between(0, 1) * layout.referenceLength;
    } else {
      // On the first end, or 5e-11 past the last: within 1e-10 counts as
      // inside. Whole numbers at 1:1 along axis 0 keep every step exact.
      c.axis = "0";
      c.Setting(25) = "0";
      c.LayerScaleText() = "1";
      c.Setting(24) = "1";
      layout.origin = {static_cast<double>(r.Below(2000)) - 1000,
                       static_cast<double>(r.Below(500))};
      layout.referenceLength = static_cast<double>(10 + r.Below(200));
      layout.pickAlong = at == 1 ? 0 : layout.referenceLength + 5e-11;
      layout.pickAcross = static_cast<double>(r.Below(40)) - 20;
      layout.exactPick = true;
    }
    c.note = "refused: picked point inside the reference";
  } else if (what == "bad value") {
    // Three of every ten cases hold a bad value, each the next one of the list.
    const int round = index % 10 == 2 ? 0 : index % 10 == 5 ? 1 : 2;
    const BadValue& bad =
        kBadValues[static_cast<std::size_t>((index / 10) * 3 + round) % std::size(kBadValues)];
    c.Setting(bad.line) = bad.text;
    c.note = "refused: t407.dat line " + std::to_string(bad.line) + " reads " + bad.text;
  } else if (what == "no hp1") {
    // Picked point 1 then counts as (0, 0): inside a reference round the
    // origin, or the end of a dimension from the nearer end otherwise.
    c.pick.reset();
    const bool inside = (index / 10) % 2 == 0;
    const Axes axes = AxesOf(Number(c.axis));
    const double length = r.Between(10, 200) * scale;
    const double originAlong = inside ? -length * r.Between(0.1, 0.9) : r.Between(5, 100) * scale;
    layout.origin = Offset({0, 0}, axes, originAlong, r.Between(-50, 50) * scale);
    layout.referenceLength = length;
    c.note = inside ? "refused: no picked point, the origin inside the reference"
                    : "no picked point: a dimension to the origin";
  } else {
    ZeroLengthCase(c, layout, r);
  }
}

using KindMaker = void (*)(Case&, Layout&, Random&, int);
struct Kind {
  const char* name;
  KindMaker make;
};
constexpr Kind kKinds[] = {{"axis", AxisKind},       {"scale", ScaleKind}, {"marker", MarkerKind},
                           {"text", TextKind},       {"value", ValueKind}, {"chain", ChainKind},
                           {"refusal", RefusalKind}, {"row", RowKind}};

}  // namespace

// ---- main ----------------------------------------------------------------------------

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_quick_pass_cases <count> <seed> <folder>\n");
    return 2;
  }
  const long count = std::strtol(argv[1], nullptr, 10);
  const std::uint64_t seed = std::strtoull(argv[2], nullptr, 10);
  const std::filesystem::path folder = argv[3];
  std::filesystem::create_directories(folder);
  std::string list;
  const long kinds = static_cast<long>(std::size(kKinds));
  for (long i = 0; i < count; ++i) {
    const Kind& kind = kKinds[i % kinds];
    const int index = static_cast<int>(i / kinds);
    // Each case from its own stream: changing one kind leaves the others' bytes.
    Random r(seed * 0x9E3779B97F4A7C15u + static_cast<std::uint64_t>(i));
    Case c = BaseCase(r);
    Layout layout = BaseLayout(c, r);
    kind.make(c, layout, r, index);
    ApplyLayout(c, layout, r);

    char name[64];
    std::snprintf(name, sizeof name, "%s-%03d", kind.name, index);
    const std::filesystem::path dir = folder / name;
    std::filesystem::create_directories(dir);
    WriteBytes(dir / "JWC_TEMP.TXT", ExchangeBytes(c, name));
    if (c.settings) WriteBytes(dir / "t407.dat", SettingsBytes(*c.settings));
    if (!c.arguments.empty()) WriteBytes(dir / "arguments", c.arguments);
    list += std::string(name) + "\t" + Describe(c) + "\n";
  }
  WriteBytes(folder / "cases.txt", list);
  return 0;
}
