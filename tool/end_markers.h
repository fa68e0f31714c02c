#pragma once
// The end markers offered at either end of the dimension line (ComboBox1 and
// ComboBox2): one row each, in the order of the lists' items. A marker's kind
// is its item index, which t407.dat keeps.

#include <span>
#include <string_view>

enum class MarkerDrawing {
  // Two strokes the tool draws itself, from ArrowLength and ArrowAngle
  // (Edit7, Edit8); its extent along the line is cos(angle) x length, not
  // scaled by the end-marker scale.
  LineArrow,
  // One point command: Jw_cad draws the shape that belongs to its code.
  Point,
};

// The shape Jw_cad draws for a point code, as the preview stands for it
// (tool/preview_markers.h).
enum class PointShape {
  None,        // the line arrow: no point command
  BlankArrow,  // hides the line inside it
  FilledArrow,
  OpenArrow,      // two strokes
  UnfilledArrow,  // the line shows through
  BlankBox,
  FilledBox,
  BlankDot,
  Ring,  // the dimension origin
  FilledDot,
  Integral,
  Slash,
};

struct EndMarker {
  std::string_view Label;  // the list item (Shift-JIS, tool/ui_texts.h)
  MarkerDrawing Drawing = MarkerDrawing::Point;
  int PointCode = 0;  // the point command's code
  // Point markers: the length the shape takes up along the dimension line, in
  // paper millimetres at end-marker scale 1: what decides whether the markers
  // fit, and how large the preview draws them.
  double PaperExtent = 0;
  PointShape Shape = PointShape::None;
};

// The line arrow's angle a new dialog offers (Edit8's default), in degrees:
// the preview draws Jw_cad's arrowhead point markers as wide, for want of
// their own angle.
inline constexpr std::string_view kDefaultArrowAngleText = "15";

// Every marker, indexed by kind.
std::span<const EndMarker> EndMarkers();
// The items of ComboBox1 and ComboBox2: the labels in the order of the rows.
std::span<const std::string_view> EndMarkerLabels();
// The row of `kind`, or null for a kind the lists do not offer.
const EndMarker* FindEndMarker(int kind);
