#pragma once
// t407.dat's layout, shared with t407: 31 lines of one value each, in this
// order. Lines 1 and 2 keep the window's place, lines 3 to 22 the dialog's
// values, one control a line, and lines 23 to 31 the reference dimension.
// Everything that reads or writes the file goes by this table.

#include <cstddef>
#include <iterator>
#include <optional>

#include "tool/control_id.h"

enum class SettingsLine : int {
  WindowLeft = 1,
  WindowTop,
  StartMarker,
  EndMarker,
  ValueTextType,
  Precision,
  Rounding,
  EndMarkerScale,
  Prefix,
  Suffix,
  TextGap,
  ExtensionGap,
  ExtensionOvershoot,
  ArrowLength,
  ArrowAngle,
  ReverseOvershoot,
  TrailingZeros,
  Unit,
  ThousandsCommas,
  UnitText,
  FullWidth,
  DimensionFigure,
  ReferenceLayerGroup,
  ReferenceScale,
  ReferenceAxisAngle,
  ReferenceStartX,
  ReferenceStartY,
  ReferenceEndX,
  ReferenceEndY,
  ReferenceLinePointX,
  ReferenceLinePointY,
};

// Whose value a line keeps.
enum class SettingsOwner {
  Window,     // the window's place
  Dialog,     // a control of the dialog
  Reference,  // the dimension the next one chains from
};

struct SettingsLineRow {
  SettingsLine Line;
  SettingsOwner Owner;
  std::optional<ControlId> Control;  // the dialog's lines only
};

inline constexpr SettingsLineRow kSettingsLines[] = {
    {SettingsLine::WindowLeft, SettingsOwner::Window, std::nullopt},
    {SettingsLine::WindowTop, SettingsOwner::Window, std::nullopt},
    {SettingsLine::StartMarker, SettingsOwner::Dialog, ControlId::ComboBox1},
    {SettingsLine::EndMarker, SettingsOwner::Dialog, ControlId::ComboBox2},
    {SettingsLine::ValueTextType, SettingsOwner::Dialog, ControlId::ComboBox3},
    {SettingsLine::Precision, SettingsOwner::Dialog, ControlId::ComboBox4},
    {SettingsLine::Rounding, SettingsOwner::Dialog, ControlId::ComboBox5},
    {SettingsLine::EndMarkerScale, SettingsOwner::Dialog, ControlId::Edit1},
    {SettingsLine::Prefix, SettingsOwner::Dialog, ControlId::Edit2},
    {SettingsLine::Suffix, SettingsOwner::Dialog, ControlId::Edit3},
    {SettingsLine::TextGap, SettingsOwner::Dialog, ControlId::Edit4},
    {SettingsLine::ExtensionGap, SettingsOwner::Dialog, ControlId::Edit5},
    {SettingsLine::ExtensionOvershoot, SettingsOwner::Dialog, ControlId::Edit6},
    {SettingsLine::ArrowLength, SettingsOwner::Dialog, ControlId::Edit7},
    {SettingsLine::ArrowAngle, SettingsOwner::Dialog, ControlId::Edit8},
    {SettingsLine::ReverseOvershoot, SettingsOwner::Dialog, ControlId::Edit9},
    {SettingsLine::TrailingZeros, SettingsOwner::Dialog, ControlId::RadioGroup1},
    {SettingsLine::Unit, SettingsOwner::Dialog, ControlId::RadioGroup2},
    {SettingsLine::ThousandsCommas, SettingsOwner::Dialog, ControlId::CheckBox1},
    {SettingsLine::UnitText, SettingsOwner::Dialog, ControlId::CheckBox2},
    {SettingsLine::FullWidth, SettingsOwner::Dialog, ControlId::CheckBox3},
    {SettingsLine::DimensionFigure, SettingsOwner::Dialog, ControlId::CheckBox4},
    {SettingsLine::ReferenceLayerGroup, SettingsOwner::Reference, std::nullopt},
    {SettingsLine::ReferenceScale, SettingsOwner::Reference, std::nullopt},
    {SettingsLine::ReferenceAxisAngle, SettingsOwner::Reference, std::nullopt},
    {SettingsLine::ReferenceStartX, SettingsOwner::Reference, std::nullopt},
    {SettingsLine::ReferenceStartY, SettingsOwner::Reference, std::nullopt},
    {SettingsLine::ReferenceEndX, SettingsOwner::Reference, std::nullopt},
    {SettingsLine::ReferenceEndY, SettingsOwner::Reference, std::nullopt},
    {SettingsLine::ReferenceLinePointX, SettingsOwner::Reference, std::nullopt},
    {SettingsLine::ReferenceLinePointY, SettingsOwner::Reference, std::nullopt},
};

inline constexpr int kSettingsLineCount = static_cast<int>(std::size(kSettingsLines));

// The row of line `line` (1-based); every line 1..kSettingsLineCount has one.
constexpr const SettingsLineRow& SettingsLineRowOf(int line) { return kSettingsLines[line - 1]; }

// The line that keeps `control`'s value, or nothing for a control that keeps none.
constexpr std::optional<int> SettingsLineOf(ControlId control) {
  for (const SettingsLineRow& row : kSettingsLines) {
    if (row.Control == control) return static_cast<int>(row.Line);
  }
  return std::nullopt;
}

namespace settings_layout_checks {

// The rows stand in the order of their lines; only the dialog's lines name a
// control, and each names another.
constexpr bool RowsAreInOrder() {
  for (std::size_t i = 0; i < std::size(kSettingsLines); ++i) {
    const SettingsLineRow& row = kSettingsLines[i];
    if (static_cast<std::size_t>(row.Line) != i + 1) return false;
    if (row.Control.has_value() != (row.Owner == SettingsOwner::Dialog)) return false;
    for (std::size_t j = i + 1; j < std::size(kSettingsLines); ++j) {
      if (row.Control && row.Control == kSettingsLines[j].Control) return false;
    }
  }
  return kSettingsLineCount == 31;
}
static_assert(RowsAreInOrder());

}  // namespace settings_layout_checks
