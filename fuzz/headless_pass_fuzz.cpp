// The whole headless pass: an exchange file and a t407.dat in, both files
// out. The input is split at its first 0x00 0xFF pair: the exchange file
// before it, t407.dat after it; without the pair there is no t407.dat. An
// input ending in 0x00 0xFE and a byte runs the mode that byte selects (0 the
// plain pass, 1 /r, 2 /k, by its value modulo 3) on the rest.
//
// Besides the files' form, it checks that the two files agree after each run:
// both unchanged (a refusal), or t407.dat's reference extended by exactly the
// span that was drawn, or (/k) holding exactly the points Jw_cad picked.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "fuzz/fuzz_output_checks.h"
#include "host/data_model.h"
#include "host/exchange_reader.h"
#include "tool/quick_pass_command.h"
#include "tool/settings_file.h"
#include "tool/settings_layout.h"
#include "tool/ui_texts.h"
#include "util/geometry.h"
#include "util/number_text.h"
#include "util/text_to_number.h"

namespace {

constexpr std::string_view kSeparator("\x00\xFF", 2);
constexpr std::string_view kModeMark("\x00\xFE", 2);

enum class Mode { Plain, Repeat, Reference };

std::vector<std::string> SettingsLines(std::string_view bytes) {
  SettingsLineReader reader(BytesSource(bytes));
  std::vector<std::string> lines;
  std::string line;
  for (int i = 0; i < kSettingsLineCount; ++i) {
    reader.ReadLine(line);
    lines.push_back(line);
  }
  return lines;
}

// Where a point lies along the axis angle: its X in the frame turned by minus
// the angle, where the chain runs along +X.
double AlongAxis(Point p, double axisAngle) {
  const double a = DegreesToRadians(axisAngle);
  return p.X * std::cos(a) + p.Y * std::sin(a);
}

// The dimension line the pass drew: the line after "msg", or the numbers line
// before the value text's attributes and "cs".
std::optional<std::pair<Point, Point>> DrawnLine(std::string_view output) {
  std::vector<std::string_view> lines;
  if (!SplitCrLfLines(output, lines)) return std::nullopt;
  auto numbers = [](std::string_view line) -> std::optional<std::pair<Point, Point>> {
    std::vector<double> v;
    std::size_t start = line.find_first_not_of(' ');
    while (start != std::string_view::npos && start < line.size()) {
      const std::size_t end = std::min(line.find(' ', start), line.size());
      const std::string_view field = line.substr(start, end - start);
      if (!IsNumberText(field)) return std::nullopt;
      v.push_back(TextToReal(field));
      start = line.find_first_not_of(' ', end);
    }
    if (v.size() != 4) return std::nullopt;
    return std::make_pair(Point{v[0], v[1]}, Point{v[2], v[3]});
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == "msg" && i + 1 < lines.size()) return numbers(lines[i + 1]);
    if (lines[i].substr(0, 3) != "cs ") continue;
    for (std::size_t j = i; j-- > 0;) {
      const std::string_view l = lines[j];
      if (l.substr(0, 1) == "z" || l.substr(0, 2) == "cn" || l.substr(0, 2) == "cc") continue;
      return numbers(l);
    }
  }
  return std::nullopt;
}

// A successful pass moved the reference's far end by exactly the span it drew:
// along the axis, the new reference covers the old one and the drawn line,
// and the drawn line starts where the old reference ended.
void CheckReferenceExtended(std::string_view exchange, std::string_view settingsBefore,
                            std::string_view settingsAfter, std::string_view output) {
  ResetDataModel();
  ParseExchangeBytes(exchange);
  const DataModel& m = gDataModel;
  const double layerScale = m.LayerGroupScale[m.CurLayerGroup];
  const std::vector<std::string> before = SettingsLines(settingsBefore);
  const std::vector<std::string> after = SettingsLines(settingsAfter);
  double referenceScale = TextToReal(before[23]);
  if (referenceScale <= 1e-10) referenceScale = 1;
  auto old = [&](int line) { return TextToReal(before[line - 1]) / referenceScale * layerScale; };
  auto now = [&](int line) { return TextToReal(after[line - 1]); };
  const double axis = m.AxisAngle;
  const double oldA = AlongAxis(Point{old(26), old(27)}, axis);
  const double oldB = AlongAxis(Point{old(28), old(29)}, axis);
  const double newA = AlongAxis(Point{now(26), now(27)}, axis);
  const double newB = AlongAxis(Point{now(28), now(29)}, axis);
  const std::optional<std::pair<Point, Point>> drawn = DrawnLine(output);
  if (!drawn) FuzzFail("no dimension line in a successful pass", output);
  const double d1 = AlongAxis(drawn->first, axis);
  const double d2 = AlongAxis(drawn->second, axis);
  const double values[] = {oldA, oldB, newA, newB, d1, d2};
  double largest = 1;
  for (double v : values) {
    // Beyond this the printed 15 digits no longer pin the places down.
    if (!std::isfinite(v) || std::fabs(v) > 1e12) return;
    largest = std::max(largest, std::fabs(v));
  }
  // A line drawn shorter than the writer prints is no span to measure.
  if (std::fabs(d2 - d1) < 1e-6 * largest) return;
  const double tolerance = 1e-9 * largest;
  const double oldLow = std::min(oldA, oldB), oldHigh = std::max(oldA, oldB);
  const double drawnLow = std::min(d1, d2), drawnHigh = std::max(d1, d2);
  const double newLow = std::min(newA, newB), newHigh = std::max(newA, newB);
  const bool touches =
      std::fabs(drawnLow - oldHigh) <= tolerance || std::fabs(drawnHigh - oldLow) <= tolerance;
  if (!touches || std::fabs(newLow - std::min(oldLow, drawnLow)) > tolerance ||
      std::fabs(newHigh - std::max(oldHigh, drawnHigh)) > tolerance) {
    FuzzFail("t407.dat's reference is not the old one extended by the drawn span",
             std::string(settingsAfter) + "|" + std::string(output));
  }
}

// /k stores picked points 1, 2 and 3 as the reference, as the shared number
// rule writes them.
void CheckReferenceTaken(std::string_view exchange, std::string_view settingsAfter) {
  ResetDataModel();
  ParseExchangeBytes(exchange);
  const std::vector<std::string> after = SettingsLines(settingsAfter);
  for (int n = 1; n <= 3; ++n) {
    const PickedPoint& p = gDataModel.PickedPoints[static_cast<std::size_t>(n)];
    // Point n is on lines 24 + 2n and 25 + 2n.
    if (after[23 + 2 * n] != RealToText(p.X) || after[24 + 2 * n] != RealToText(p.Y)) {
      FuzzFail("t407.dat does not hold the picked points", settingsAfter);
    }
  }
}

// The pass writes the font it read, and nothing after it on that line.
void CheckFontLines(std::string_view output, std::string_view exchange) {
  ResetDataModel();
  ParseExchangeBytes(exchange);
  const std::string font = gDataModel.CurFontName;
  std::size_t start = 0;
  while (start < output.size()) {
    std::size_t end = output.find("\r\n", start);
    if (end == std::string_view::npos) end = output.size();
    const std::string_view line = output.substr(start, end - start);
    if (line.substr(0, 4) == "cn\"$" &&
        std::string_view(font).substr(0, line.size() - 4) != line.substr(4)) {
      FuzzFail("the font line carries more than the font", line);
    }
    start = end + 2;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  Mode mode = Mode::Plain;
  if (input.size() >= 3 && input.substr(input.size() - 3, 2) == kModeMark) {
    mode = static_cast<Mode>(static_cast<unsigned char>(input.back()) % 3);
    input.remove_suffix(3);
  }
  const std::size_t cut = input.find(kSeparator);
  const std::string_view exchange = input.substr(0, cut);
  const bool haveSettings = cut != std::string_view::npos;
  const std::string_view settings =
      haveSettings ? input.substr(cut + kSeparator.size()) : std::string_view();

  const std::filesystem::path& folder = FuzzFolder();
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::filesystem::remove_all(entry.path(), ec);
  }
  WriteWholeFile(folder / "JWC_TEMP.TXT", exchange);
  if (haveSettings) WriteWholeFile(folder / "t407.dat", settings);

  std::vector<std::string> arguments;
  if (mode == Mode::Repeat) arguments.push_back("/r");
  if (mode == Mode::Reference) arguments.push_back("/k");
  std::string message;
  const int result = RunQuickPassCommand(folder, arguments, &message);
  if (result != 0 && result != 1) FuzzFail("exit status", std::to_string(result));

  const bool inputsValid = IsValidCp932(exchange) && IsValidCp932(settings);
  const std::string output = ReadWholeFile(folder / "JWC_TEMP.TXT");
  CheckExchangeOutput(output, inputsValid);
  if (result == 1 && output != "he" + message + "\r\n") FuzzFail("refusal file", output);
  if (result == 0 && output.substr(0, 2) == "he") FuzzFail("refusal written on success", output);
  if (result == 0 && mode == Mode::Repeat && output.substr(0, 4) != "hr\r\n") {
    FuzzFail("a repeating pass without hr first", output);
  }
  CheckFontLines(output, exchange);

  const bool settingsNow = std::filesystem::exists(folder / "t407.dat");
  const std::string saved = settingsNow ? ReadWholeFile(folder / "t407.dat") : std::string();
  if (mode == Mode::Reference) {
    // Refused: t407.dat exactly as it was, or still absent.
    if (result == 1 && (settingsNow != haveSettings || saved != settings)) {
      FuzzFail("t407.dat changed by a refused /k", saved);
    }
    if (result == 0) {
      CheckSettingsOutput(saved, inputsValid);
      CheckReferenceTaken(exchange, saved);
    }
  } else if (!haveSettings) {
    if (result != 1 || message != kMessageNoSettingsFile || settingsNow) {
      FuzzFail("no t407.dat: refused, nothing written", message);
    }
  } else {
    if (!settingsNow) FuzzFail("t407.dat lost", settings);
    // Refused before the save: t407.dat as it was.
    if (result == 1 && message != kMessageZeroLength && saved != settings) {
      FuzzFail("t407.dat changed by a refused pass", saved);
    }
    if (saved != settings || result == 0) CheckSettingsOutput(saved, inputsValid);
    if (result == 0) CheckReferenceExtended(exchange, settings, saved, output);
  }
  CheckNoLeftovers(folder);
  return 0;
}
