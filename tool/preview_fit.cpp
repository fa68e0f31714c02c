#include "tool/preview_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// How much of the reference beside the shared end is kept room for: at most
// this share of the new dimension's drawing.
constexpr double kReferenceShare = 0.25;
// The same for a broken dimension, as a share of the strip's width.
constexpr double kBrokenReferenceShare = 0.1;

constexpr double kNoLimit = std::numeric_limits<double>::infinity();

double Width(const SceneRect& r) { return r.Right - r.Left; }
double Height(const SceneRect& r) { return r.Bottom - r.Top; }

// The largest scale at which `span` drawing units fit into `room` pixels.
double Fitting(double room, double span) { return span > 0 ? room / span : kNoLimit; }

// A line on a pixel's middle is drawn crisp; one between two pixels is
// smoothed into two grey ones. The dimension line, the longest, and its start
// are moved by less than half a pixel onto the nearest middle (the fit keeps
// that half pixel free at the edges).
double OnPixelMiddle(double v) { return std::round(v - 0.5) + 0.5; }

double VerticalOffset(const BandExtent& band, const FitRoom& room, double scale) {
  return OnPixelMiddle((room.Inside.Top + room.Inside.Bottom) / 2 +
                       (band.LowV + band.HighV) / 2 * scale);
}

// The room less the half pixel a move onto a pixel's middle may take.
SceneRect Snappable(const SceneRect& r) {
  return SceneRect{r.Left + 0.5, r.Top + 0.5, r.Right - 0.5, r.Bottom - 0.5};
}

FitResult Unbroken(const BandExtent& band, const FitRoom& room) {
  double low = band.LowU, high = band.HighU;
  const double stub = std::min(band.ReferenceLength, kReferenceShare * (high - low));
  if (band.ReferenceBefore) {
    low = std::min(low, -stub);
  } else {
    high = std::max(high, band.LineLength + stub);
  }
  FitResult fit;
  fit.Scale = std::min(Fitting(Width(room.Inside), high - low),
                       Fitting(Height(room.Inside), band.HighV - band.LowV));
  if (!std::isfinite(fit.Scale)) fit.Scale = 1;
  fit.OffsetX =
      OnPixelMiddle((room.Inside.Left + room.Inside.Right) / 2 - (low + high) / 2 * fit.Scale);
  fit.OffsetY = VerticalOffset(band, room, fit.Scale);
  return fit;
}

}  // namespace

FitResult FitBand(const BandExtent& band, const FitRoom& given) {
  FitRoom room = given;
  room.Inside = Snappable(given.Inside);
  const FitResult whole = Unbroken(band, room);
  if (band.TextHeight * whole.Scale >= room.FontHeight) return whole;

  // Broken: the band's height sets the zoom, as far as the two ends, the
  // break mark and the value between them still fit the width.
  const double roomX = Width(room.Inside);
  const double outer = -band.LowU + (band.HighU - band.LineLength);
  const double byHeight = Fitting(Height(room.Inside), band.HighV - band.LowV);
  const double stub = std::min(band.ReferenceLength * byHeight, kBrokenReferenceShare * roomX);
  const double pads = 2 * room.TextClearance;
  // Each end keeps, from the end to the middle of the break, the value's half
  // and its clearance, and its marker with the break mark's half beside it.
  const double byText = Fitting(roomX - stub - pads, outer + band.TextLength);
  const double byMarkers =
      Fitting(roomX - stub - pads - room.BreakGap, outer + 2 * band.InwardReach);
  const double byEnds = band.KeptAtEachEnd > 0
                            ? Fitting(roomX - stub - room.BreakGap, outer + 2 * band.KeptAtEachEnd)
                            : kNoLimit;
  const double scale = std::min({byHeight, byText, byMarkers, byEnds});
  if (!(scale > whole.Scale) || !std::isfinite(scale)) return whole;

  // What width is left goes to the two ends, equally.
  const double half = (roomX - stub - outer * scale) / 2;
  const double kept = (half - room.BreakGap / 2) / scale;
  if (!(kept > 0) || 2 * kept >= band.LineLength) return whole;

  FitResult fit;
  fit.Scale = scale;
  fit.Break = SceneBreak{kept, band.LineLength - kept, room.BreakGap};
  // From the left end of what is drawn to the right end, in pixels from
  // LineStart; the reference's room on its side.
  const double left =
      band.ReferenceBefore ? std::max(stub, -band.LowU * scale) : -band.LowU * scale;
  const double endsAfter = (band.HighU - band.LineLength) * scale;
  const double right = 2 * half + (band.ReferenceBefore ? endsAfter : std::max(stub, endsAfter));
  fit.OffsetX = OnPixelMiddle(room.Inside.Left + (roomX - (left + right)) / 2 + left);
  fit.OffsetY = VerticalOffset(band, room, scale);
  return fit;
}
