#include "tool/form_scaling.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {
int ToIntRange(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}
}  // namespace

int ScaleRounded(std::int64_t value, int to, int from) {
  if (from <= 0) return ToIntRange(value);
  // An int times a resolution stays far inside 64 bits.
  const std::int64_t product = value * to;
  const std::int64_t magnitude = (std::llabs(product) * 2 + from) / (std::int64_t{2} * from);
  return ToIntRange(product < 0 ? -magnitude : magnitude);
}

int ScaleToDpi(int value, int dpi) {
  return ScaleRounded(value, dpi > 0 ? dpi : kFormDpi, kFormDpi);
}

FormRect ScaleRect(const FormRect& rect, int dpi) {
  const int left = ScaleToDpi(rect.X, dpi);
  const int top = ScaleToDpi(rect.Y, dpi);
  const int right = ScaleToDpi(rect.X + rect.Width, dpi);
  const int bottom = ScaleToDpi(rect.Y + rect.Height, dpi);
  return FormRect{left, top, right - left, bottom - top};
}

FormSize ScaledClientSize(int dpi) {
  const WindowDescription& window = Form1Description().Window;
  return FormSize{ScaleToDpi(window.ClientWidth, dpi), ScaleToDpi(window.ClientHeight, dpi)};
}

int ScaledFontHeight(int height, int dpi) { return ScaleToDpi(height, dpi); }

int DialogFontHeight(int dpi) {
  return ScaledFontHeight(Form1Description().Window.FontHeight, dpi);
}

FormRect ScaledControlBounds(ControlId id, int dpi) {
  return ScaleRect(DescribeControl(id).Bounds, dpi);
}

FormRect ControlWindowBounds(const ControlDescription& control, int dpi) {
  // Windows counts the dropped-down list into a combo box's height.
  constexpr int kDroppedListHeight = 240;
  FormRect bounds = ScaleRect(control.Bounds, dpi);
  if (control.Kind == ControlKind::DropDownList)
    bounds.Height += ScaleToDpi(kDroppedListHeight, dpi);
  return bounds;
}

FormRect ScaledLabelBounds(const LabelDescription& label, int dpi) {
  const int fontHeight = ScaledFontHeight(label.FontHeight, dpi);
  FormRect bounds = ScaleRect(label.Bounds, dpi);
  bounds.Width = std::max(bounds.Width, CaptionExtent(label.Caption, fontHeight));
  bounds.Height = std::max(bounds.Height, fontHeight);
  return bounds;
}

std::vector<FormRect> RadioItemBounds(const ControlDescription& group, int captionHeight, int dpi) {
  // At 96 DPI: the buttons start 8 px inside the box, leave 10 px of its width
  // to the frame, and the caption line and 5 px of frame above and below.
  const FormRect box = ScaleRect(group.Bounds, dpi);
  const int count = static_cast<int>(group.Items.size());
  const int columns = std::max(group.Columns, 1);
  const int perColumn = count > 0 ? (count + columns - 1) / columns : 1;
  const int columnWidth = (box.Width - ScaleToDpi(10, dpi)) / columns;
  const int room = box.Height - captionHeight - ScaleToDpi(5, dpi);
  const int itemHeight = room / perColumn;
  const int topMargin = captionHeight + ScaleToDpi(1, dpi) + (room % perColumn) / 2;
  std::vector<FormRect> items;
  for (int i = 0; i < count; ++i) {
    items.push_back(FormRect{box.X + ScaleToDpi(8, dpi) + (i / perColumn) * columnWidth,
                             box.Y + topMargin + (i % perColumn) * itemHeight, columnWidth,
                             itemHeight});
  }
  return items;
}
