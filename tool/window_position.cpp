#include "tool/window_position.h"

#include <algorithm>
#include <cstdint>

#include "tool/form_scaling.h"

ScreenPoint ScreenFromSaved(ScreenPoint saved, int primaryDpi) {
  return ScreenPoint{ScaleRounded(saved.X, primaryDpi, kFormDpi),
                     ScaleRounded(saved.Y, primaryDpi, kFormDpi)};
}

ScreenPoint SavedFromScreen(ScreenPoint screen, int primaryDpi) {
  return ScreenPoint{ScaleRounded(screen.X, kFormDpi, primaryDpi),
                     ScaleRounded(screen.Y, kFormDpi, primaryDpi)};
}

namespace {

// The height of caption bar, at 96 DPI, that a user can still take hold of
// to drag the window back: a window dragged to the very top of the screen
// keeps about this much, or more, above its client area.
constexpr int kGrabbableCaptionHeight = 8;

// Length of the overlap of [a0, a1) and [b0, b1); 0 when they do not meet.
std::int64_t Overlap(std::int64_t a0, std::int64_t a1, std::int64_t b0, std::int64_t b1) {
  return std::max<std::int64_t>(0, std::min(a1, b1) - std::max(a0, b0));
}

// Length of the gap between [a0, a1) and [b0, b1); 0 when they overlap.
std::int64_t Gap(std::int64_t a0, std::int64_t a1, std::int64_t b0, std::int64_t b1) {
  return std::max<std::int64_t>({0, b0 - a1, a0 - b1});
}

// The start that puts [start, start + length) inside [low, high) with the
// least movement; `low` when it does not fit.
int Clamp(int start, std::int64_t length, int low, int high) {
  const std::int64_t lastStart = std::int64_t{high} - length;
  return static_cast<int>(std::max<std::int64_t>(low, std::min<std::int64_t>(start, lastStart)));
}

}  // namespace

ScreenPoint ReachablePosition(ScreenPoint place, int width, int height, int captionHeight, int dpi,
                              std::span<const ScreenRect> workAreas) {
  if (workAreas.empty()) return place;
  const std::int64_t left = place.X;
  const std::int64_t top = place.Y;
  const std::int64_t right = left + std::max(width, 1);
  const std::int64_t bottom = top + std::max(height, 1);
  const int caption = std::max(captionHeight, 1);
  const std::int64_t neededWidth = std::min<std::int64_t>(ScaleToDpi(100, dpi), right - left);
  const std::int64_t neededHeight = std::min(ScaleToDpi(kGrabbableCaptionHeight, dpi), caption);
  for (const ScreenRect& area : workAreas) {
    if (Overlap(left, right, area.Left, area.Right) >= neededWidth &&
        Overlap(top, top + caption, area.Top, area.Bottom) >= neededHeight) {
      return place;
    }
  }
  const ScreenRect* nearest = &workAreas.front();
  double nearestDistance = -1;
  for (const ScreenRect& area : workAreas) {
    // Gaps can reach 2^32 pixels, whose squares do not fit 64 bits.
    const double dx = static_cast<double>(Gap(left, right, area.Left, area.Right));
    const double dy = static_cast<double>(Gap(top, bottom, area.Top, area.Bottom));
    const double distance = dx * dx + dy * dy;
    if (nearestDistance < 0 || distance < nearestDistance) {
      nearest = &area;
      nearestDistance = distance;
    }
  }
  return ScreenPoint{Clamp(place.X, right - left, nearest->Left, nearest->Right),
                     Clamp(place.Y, bottom - top, nearest->Top, nearest->Bottom)};
}
