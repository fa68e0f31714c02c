#include "tool/preview_band.h"

#include <cmath>
#include <string>
#include <vector>

#include "tool/ui_texts.h"
#include "tool/value_text.h"
#include "util/geometry.h"
#include "util/number_text.h"
#include "util/sjis.h"

namespace {

// Widths in the dialog's font, where a full-width character is one.
double Ems(std::string_view text) { return TextRunLength(text, 1, 0); }

// `text` with its middle left out for the elision mark, so that it is at
// most `room` wide: as many characters from its start as from its end.
std::string Elided(std::string_view text, double room) {
  if (Ems(text) <= room) return std::string(text);
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); i += CharByteCount(text, i)) starts.push_back(i);
  starts.push_back(text.size());
  // Taking characters from both ends in turn, while they still fit.
  double used = Ems(kBandElision);
  std::size_t head = 0, tail = 0;
  const std::size_t count = starts.size() - 1;
  while (head + tail < count) {
    const bool fromStart = head <= tail;
    const std::size_t i = fromStart ? head : count - 1 - tail;
    const double width = Ems(text.substr(starts[i], starts[i + 1] - starts[i]));
    if (used + width > room) break;
    used += width;
    (fromStart ? head : tail) += 1;
  }
  return std::string(text.substr(0, starts[head])) + std::string(kBandElision) +
         std::string(text.substr(starts[count - tail]));
}

std::string AdditionLine(const DimensionFigure& f, const DimensionDrawing& d,
                         std::string_view value) {
  std::string line(d.Geometry.AddedSide == 1 ? kBandRightOfReference : kBandLeftOfReference);
  line += f.AsDimensionFigure ? kBandFigureOpen : kBandValueOpen;
  line += value;
  line += kBandAddClose;
  if (f.Reversed) line += kBandReversed;
  if (!AlongReferenceAxis(d)) line += kBandAxisDiffers;
  return line;
}

std::string Limit(double v) { return RealToText(v); }

// What AcceptedRange holds, in words: "0 より大きく 1000 以下の数".
std::string RangeText(const AcceptedRange& r) {
  if (std::isinf(r.High)) return Limit(r.Low) + std::string(r.LowIncluded ? kBandFrom : kBandAbove);
  return Limit(r.Low) + std::string(r.LowIncluded ? kBandFromAnd : kBandAboveAnd) + Limit(r.High) +
         std::string(r.HighIncluded ? kBandUpTo : kBandBelow);
}

}  // namespace

SceneMessage DescribeAddition(const DimensionFigure& figure, const DimensionDrawing& drawing,
                              const StripSize& strip) {
  const double room = strip.FontHeight > 0 ? double(strip.Width) / strip.FontHeight : 0;
  SceneMessage m;
  m.Before = AdditionLine(figure, drawing, figure.ValueText);
  if (Ems(m.Before) > room) {
    const double rest = Ems(m.Before) - Ems(figure.ValueText);
    m.Before = AdditionLine(figure, drawing, Elided(figure.ValueText, room - rest));
  }
  return m;
}

SceneMessage DescribeRow(const DimensionRow& row, const DialogValues& v, const StripSize&) {
  SceneMessage m;
  m.Before = std::string(kRowSummaryOpen);
  m.Before += IntegerToText(static_cast<int>(row.Figures.size()));
  m.Before += kRowSummaryTotal;
  // The row's length as its dimensions read, without their prefix and suffix.
  ValueTextSettings settings = ValueTextSettingsOf(v);
  settings.Prefix.clear();
  settings.Suffix.clear();
  m.Before += FormatDimensionValue(row.TotalLength, settings);
  return m;
}

SceneMessage DescribeRefusedValue(std::string_view name,
                                  const std::optional<AcceptedRange>& accepted,
                                  std::string_view typed) {
  SceneMessage m;
  m.Before = std::string(name);
  if (accepted) {
    m.Before += kBandValueOpen;
    m.Before += typed;
    m.Before += kBandTypedClose;
    m.Before += RangeText(*accepted);
    m.Before += kBandPleaseMake;
  } else {
    m.Before += kBandChooseItem;
  }
  return m;
}
