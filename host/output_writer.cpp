#include "host/output_writer.h"

#include <cmath>
#include <string>

#include "host/data_model.h"
#include "host/durable_file.h"
#include "util/geometry.h"
#include "util/number_text.h"
#include "util/sjis.h"
#include "util/text_to_number.h"

namespace {

constexpr std::size_t kMaxEntryBytes = 255;
constexpr char kQuote = '"';

// Jw_cad's tolerance for coordinates, directions and scales. Its two tests
// differ at exactly the tolerance, and Jw_cad's files rely on both: a line
// whose ends lie this far apart is still drawn (SamePoint, strictly less), but
// a direction or a scale this small is no direction or scale at all
// (IsNegligible, up to and including it).
constexpr double kSamePointTolerance = 1e-8;
// A dimension figure without a value shows its length rounded to this step.
constexpr double kBlankValueStep = 1e-8;

// "x y dx dy" and the like: reals separated by single blanks.
std::string JoinReals(std::initializer_list<double> values) {
  std::string joined;
  for (double v : values) {
    if (!joined.empty()) joined += ' ';
    joined += RealToText(v);
  }
  return joined;
}

bool IsBlank(std::string_view text) { return RemoveBlanks(text).empty(); }

bool SamePoint(double x1, double y1, double x2, double y2) {
  return std::fabs(x2 - x1) < kSamePointTolerance && std::fabs(y2 - y1) < kSamePointTolerance;
}

bool IsNegligible(double v) { return std::fabs(v) <= kSamePointTolerance; }

bool IsNoDirection(double dx, double dy) { return IsNegligible(dx) && IsNegligible(dy); }

// An unknown kind is written as the first one, "ch".
std::string_view TextKeyword(int kind) {
  const bool known = kind >= 0 && kind < static_cast<int>(std::size(kTextKeywords));
  return kTextKeywords[known ? kind : 0];
}

}  // namespace

void AddOutputLine(std::string_view text) {
  gDataModel.OutputLines.emplace_back(CutToWholeChars(text, kMaxEntryBytes));
}

void AddFirstOutputLine(std::string_view text) {
  std::vector<std::string>& lines = gDataModel.OutputLines;
  lines.emplace(lines.begin(), CutToWholeChars(text, kMaxEntryBytes));
}

void OutLayerGroup(int group) {
  AttributeState& state = gDataModel.AttrState;
  FreshFlagSet& fresh = gDataModel.FreshFlags;
  if (!fresh.LayerGroup && group == state.LayerGroup) return;
  AddOutputLine("lg" + IntegerToHexText(group, 1));
  state.LayerGroup = group;
  fresh.LayerGroup = false;
  // Jw_cad resets the layer with the group: the next layer must be written.
  fresh.Layer = true;
}

void OutLayer(int layer) {
  AttributeState& state = gDataModel.AttrState;
  FreshFlagSet& fresh = gDataModel.FreshFlags;
  if (!fresh.Layer && layer == state.Layer) return;
  AddOutputLine("ly" + IntegerToHexText(layer, 1));
  state.Layer = layer;
  fresh.Layer = false;
}

namespace {

// The common shape of the integer attribute emitters.
void OutIntegerAttribute(const char* keyword, int value, int& remembered, bool& fresh) {
  if (!fresh && value == remembered) return;
  AddOutputLine(keyword + IntegerToText(value));
  remembered = value;
  fresh = false;
}

}  // namespace

void OutPenColor(int colour) {
  OutIntegerAttribute("lc", colour, gDataModel.AttrState.PenColor, gDataModel.FreshFlags.PenColor);
}

void OutLineType(int type) {
  OutIntegerAttribute("lt", type, gDataModel.AttrState.LineType, gDataModel.FreshFlags.LineType);
}

void OutLineWidth(int width) {
  if (width == -1) width = gDataModel.CurLineWidth;
  if (width < 0 || width > 30000) width = 0;
  OutIntegerAttribute("lw", width, gDataModel.AttrState.LineWidth, gDataModel.FreshFlags.LineWidth);
}

void OutTextCC(int value) {
  if (value < 0 || value > 8) value = 0;
  OutIntegerAttribute("cc", value, gDataModel.AttrState.TextCC, gDataModel.FreshFlags.TextCC);
}

void OutPointColor(int colour) {
  OutIntegerAttribute("pn", colour, gDataModel.AttrState.PointColor,
                      gDataModel.FreshFlags.PointColor);
}

void OutTextType(int type, int colour, double width, double height, double spacing) {
  const DataModel& model = gDataModel;
  if (type < 0 || type > 10) {
    type = model.CurTextType;
    if (type == 0) {
      width = model.CurFreeTextWidth;
      height = model.CurFreeTextHeight;
      spacing = model.CurFreeTextSpacing;
      colour = model.CurFreeTextColor;
    }
  }
  AttributeState& state = gDataModel.AttrState;
  bool& fresh = gDataModel.FreshFlags.TextType;
  const bool freeSizeChanged =
      type == 0 && (width != state.TextWidth || height != state.TextHeight ||
                    spacing != state.TextSpacing || colour != state.TextColor);
  if (!fresh && type == state.TextType && !freeSizeChanged) return;

  if (type == 0) {
    AddOutputLine("cn0 " + JoinReals({width, height, spacing}) + " " + IntegerToText(colour));
    state.TextWidth = width;
    state.TextHeight = height;
    state.TextSpacing = spacing;
    state.TextColor = colour;
  } else {
    // Also a current type outside 0..10 read from the exchange file: it is
    // handed back to Jw_cad as it came.
    AddOutputLine("cn" + IntegerToText(type));
  }
  state.TextType = type;
  fresh = false;
}

void OutFontName(std::string_view name) {
  std::string chosen(name);
  if (chosen.empty() || chosen == "<>") chosen = gDataModel.CurFontName;
  AttributeState& state = gDataModel.AttrState;
  bool& fresh = gDataModel.FreshFlags.FontName;
  if (!fresh && chosen == state.FontName) return;
  // The quote makes Jw_cad read the rest of the line, blanks included, as
  // one token: "cn$" followed by the name.
  std::string line = std::string("cn") + kQuote + "$" + chosen;
  line = std::string(CutToWholeChars(line, kMaxEntryBytes));
  // An entry ending in a quote takes the next entry onto its file line: a
  // name ending in quotes would swallow the command after it. Such a name
  // loses its trailing quotes instead.
  while (line.size() > 4 && line.back() == kQuote) {
    line = std::string(CutToWholeChars(line, line.size() - 1));
  }
  AddOutputLine(line);
  state.FontName = chosen;
  fresh = false;
}

void OutZFlags(int flags) {
  static constexpr std::string_view kModifierLines[] = {"z1", "z2", "z3", "z4", "z5"};
  static_assert(std::size(kModifierLines) == std::size(kZFlagBits));
  const bool z5 = (flags & kZFlagBits[4]) != 0;
  for (std::size_t i = 0; i < std::size(kZFlagBits); ++i) {
    // "z4" is written only without "z5".
    if ((flags & kZFlagBits[i]) == 0 || (i == 3 && z5)) continue;
    AddOutputLine(kModifierLines[i]);
  }
}

void OutLine(double x1, double y1, double x2, double y2) {
  if (SamePoint(x1, y1, x2, y2)) return;
  AddOutputLine(JoinReals({x1, y1, x2, y2}));
}

void OutPoint(int code, double x, double y, double scale, double angle) {
  if (code < kLowestPointCode || code > kHighestPointCode) code = -3;
  if (IsNegligible(scale)) scale = 1;
  AddOutputLine("pt " + JoinReals({x, y, scale, angle}) + " " + IntegerToText(code));
}

void OutText(int kind, std::string_view text, double x, double y, double dx, double dy) {
  if (IsNoDirection(dx, dy) || IsBlank(text)) return;
  AddOutputLine(std::string(TextKeyword(kind)) + " " + JoinReals({x, y, dx, dy}) + " " + kQuote);
  AddOutputLine(text);
}

void OutDimension(std::string_view text, double x1, double y1, double x2, double y2, double x,
                  double y, double dx, double dy) {
  if (SamePoint(x1, y1, x2, y2) || IsNoDirection(dx, dy)) return;
  std::string value(text);
  if (IsBlank(value)) {
    const double length = PointDistance(x1, y1, x2, y2);
    value = RealToText(std::trunc(length / kBlankValueStep + 0.5) * kBlankValueStep);
  }
  AddOutputLine("msg");
  AddOutputLine(JoinReals({x1, y1, x2, y2}));
  AddOutputLine("cs " + JoinReals({x, y, dx, dy}) + " " + kQuote);
  AddOutputLine(value);
}

std::string FormatOutputLines() {
  const std::vector<std::string>& lines = gDataModel.OutputLines;
  if (lines.empty()) return "hq\r\n";
  std::string bytes;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& entry = lines[i];
    bytes += entry;
    // A command ending in a quote carries its text, the next entry, on the
    // same file line.
    if (!entry.empty() && entry.back() == kQuote) {
      if (i + 1 == lines.size()) break;
      bytes += lines[++i];
    }
    bytes += "\r\n";
  }
  return bytes;
}

bool WriteExchangeFile(const std::filesystem::path& path, FileFailure* failure) {
  // Written whole or not at all: on failure the file keeps what Jw_cad wrote,
  // which begins with "hq", so Jw_cad reads it as "not run" and nothing else.
  const FileFailure result = ReplaceFileDurably(path, FormatOutputLines());
  if (failure != nullptr) *failure = result;
  return result == FileFailure::None;
}
