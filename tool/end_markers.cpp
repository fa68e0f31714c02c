#include "tool/end_markers.h"

#include <array>
#include <cstddef>
#include <numbers>

#include "host/output_writer.h"
#include "tool/ui_texts.h"

namespace {

constexpr MarkerDrawing kLineArrow = MarkerDrawing::LineArrow;
constexpr MarkerDrawing kPoint = MarkerDrawing::Point;

// The extents are what Jw_cad's shapes measure along the line; the shapes
// follow the names Jw_cad's documentation gives the codes. Items 1 and 11
// read alike but are two shapes with their own codes.
constexpr EndMarker kEndMarkers[] = {
    {kMarkerLineArrow, kLineArrow, 0, 0, PointShape::None},
    {kMarkerTriangle, kPoint, 1, 7.5, PointShape::BlankArrow},
    {kMarkerSquare, kPoint, 2, 1.25, PointShape::BlankBox},
    {kMarkerLetterO, kPoint, 3, 1.25, PointShape::BlankDot},
    {kMarkerCircle, kPoint, 4, 1.25, PointShape::Ring},
    {kMarkerFilledSquare, kPoint, 5, 1.25, PointShape::FilledBox},
    {kMarkerFilledTriangle, kPoint, 6, 7.5, PointShape::FilledArrow},
    {kMarkerFilledCircle, kPoint, 7, 1.25, PointShape::FilledDot},
    {kMarkerWave, kPoint, 8, 1.25 * std::numbers::sqrt2, PointShape::Integral},
    {kMarkerChevron, kPoint, 9, 7.5, PointShape::OpenArrow},
    {kMarkerSlash, kPoint, 10, 1.25 * std::numbers::sqrt2, PointShape::Slash},
    {kMarkerTriangle, kPoint, 11, 7.5, PointShape::UnfilledArrow},
};
constexpr std::size_t kCount = std::size(kEndMarkers);

// A code the writer does not accept would silently become another shape.
constexpr bool CodesAreWritable() {
  for (const EndMarker& m : kEndMarkers) {
    if (m.Drawing == kPoint &&
        (m.PointCode < kLowestPointCode || m.PointCode > kHighestPointCode)) {
      return false;
    }
  }
  return true;
}
static_assert(CodesAreWritable(), "a point marker's code is outside what OutPoint writes");

constexpr std::array<std::string_view, kCount> MakeLabels() {
  std::array<std::string_view, kCount> labels{};
  for (std::size_t i = 0; i < kCount; ++i) labels[i] = kEndMarkers[i].Label;
  return labels;
}
constexpr std::array<std::string_view, kCount> kLabels = MakeLabels();

}  // namespace

std::span<const EndMarker> EndMarkers() { return kEndMarkers; }

std::span<const std::string_view> EndMarkerLabels() { return kLabels; }

const EndMarker* FindEndMarker(int kind) {
  if (kind < 0 || kind >= static_cast<int>(kCount)) return nullptr;
  return &kEndMarkers[kind];
}
