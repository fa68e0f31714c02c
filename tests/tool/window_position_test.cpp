#include "tool/window_position.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

std::string Show(ScreenPoint p) { return std::to_string(p.X) + "," + std::to_string(p.Y); }

// The dialog's outer size and caption bar as Wine draws them at 96 DPI (492 x
// 436 client, 3 px frame, 22 px up to the client) and at 144 DPI (738 x 654,
// 31 px); and a caption bar of 40 px at 96 DPI.
struct Frame {
  int width, height, caption, dpi;
};
constexpr Frame kAt96{498, 461, 22, 96};
constexpr Frame kAt144{744, 688, 31, 144};
constexpr Frame kTallCaption{498, 461, 40, 96};
constexpr Frame kNoCaption{498, 461, 0, 96};

}  // namespace

TEST(window_position, saved_positions_convert_by_the_primary_monitors_scaling) {
  struct {
    const char* what;
    ScreenPoint saved;
    int primaryDpi;
    ScreenPoint screen;
  } cases[] = {
      {"100 %: the same numbers", {100, 100}, 96, {100, 100}},
      {"100 %, negative", {-2000, -2000}, 96, {-2000, -2000}},
      {"150 %", {100, 100}, 144, {150, 150}},
      {"125 %, rounded", {194, 107}, 120, {243, 134}},
      {"200 %", {300, 200}, 192, {600, 400}},
      {"150 %, second monitor right of a 2560 px primary", {1800, 200}, 144, {2700, 300}},
      {"150 %, second monitor left of the primary", {-1280, 40}, 144, {-1920, 60}},
      {"150 %, a monitor above", {10, -720}, 144, {15, -1080}},
      {"150 %, far out: clamped", {INT_MAX, INT_MIN}, 144, {INT_MAX, INT_MIN}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ScreenPoint screen = ScreenFromSaved(c.saved, c.primaryDpi);
    EXPECT_EQ(screen.X, c.screen.X) << Show(screen);
    EXPECT_EQ(screen.Y, c.screen.Y) << Show(screen);
  }
}

TEST(window_position, screen_positions_save_in_the_units_t407_uses) {
  struct {
    const char* what;
    ScreenPoint screen;
    int primaryDpi;
    ScreenPoint saved;
  } cases[] = {
      {"100 %", {300, 200}, 96, {300, 200}},
      {"150 %", {150, 150}, 144, {100, 100}},
      {"150 %, between two saved positions: nearest", {151, 152}, 144, {101, 101}},
      {"150 %, second monitor right", {2700, 300}, 144, {1800, 200}},
      {"150 %, second monitor left", {-1921, -1}, 144, {-1281, -1}},
      {"125 %", {243, 134}, 120, {194, 107}},
      {"200 %, odd pixel", {601, 401}, 192, {301, 201}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ScreenPoint saved = SavedFromScreen(c.screen, c.primaryDpi);
    EXPECT_EQ(saved.X, c.saved.X) << Show(saved);
    EXPECT_EQ(saved.Y, c.saved.Y) << Show(saved);
  }
}

// A position read from t407.dat and saved again, with the window left where
// it opened, is the same number at every scaling: t407 and t408 keep opening
// at the same place.
TEST(window_position, a_saved_position_survives_reading_and_saving) {
  for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
    for (int v = -5003; v <= 5003; v += 7) {
      const ScreenPoint saved{v, -v / 3};
      const ScreenPoint again = SavedFromScreen(ScreenFromSaved(saved, dpi), dpi);
      ASSERT_EQ(again.X, saved.X) << dpi << " " << Show(saved);
      ASSERT_EQ(again.Y, saved.Y) << dpi << " " << Show(saved);
    }
  }
}

TEST(window_position, an_unreachable_dialog_moves_onto_the_nearest_work_area) {
  const std::vector<ScreenRect> single = {{0, 0, 1024, 768}};
  const std::vector<ScreenRect> withTaskBar = {{0, 0, 1920, 1040}};
  // A second monitor left of the primary, and the primary alone after it was unplugged.
  const std::vector<ScreenRect> leftAndPrimary = {{0, 0, 1920, 1040}, {-1280, 0, 0, 984}};
  // A primary of 1920 x 1080 and a lower monitor of 1280 x 720 right of it.
  const std::vector<ScreenRect> unevenPair = {{0, 0, 1920, 1080}, {1920, 0, 3200, 720}};
  // A monitor above the primary.
  const std::vector<ScreenRect> stacked = {{0, 0, 1920, 1040}, {0, -1080, 1920, 0}};
  const std::vector<ScreenRect> small = {{0, 0, 400, 300}};
  const std::vector<ScreenRect> none;
  struct {
    const char* what;
    const std::vector<ScreenRect>& areas;
    ScreenPoint place;
    Frame frame;
    ScreenPoint expected;
  } cases[] = {
      {"on screen: stays", single, {300, 200}, kAt96, {300, 200}},
      {"-2000,-2000 with one monitor", single, {-2000, -2000}, kAt96, {0, 0}},
      {"-2000,-2000 at 150 %", single, {-3000, -3000}, kAt144, {0, 0}},
      {"off the left, 100 px of caption left: stays", single, {-398, 100}, kAt96, {-398, 100}},
      {"off the left, 99 px of caption left", single, {-399, 100}, kAt96, {0, 100}},
      {"off the right, 100 px left: stays", single, {924, 300}, kAt96, {924, 300}},
      {"off the right, 99 px left", single, {925, 300}, kAt96, {526, 300}},
      {"off the bottom, whole caption left: stays", single, {300, 746}, kAt96, {300, 746}},
      {"off the bottom, 8 px of caption left: stays", single, {300, 760}, kAt96, {300, 760}},
      {"off the bottom, 7 px of caption left", single, {300, 761}, kAt96, {300, 307}},
      {"dragged to the very top: stays", single, {-20, -5}, kAt96, {-20, -5}},
      {"a little off the top: stays", single, {100, -5}, kAt96, {100, -5}},
      {"off the top, 8 px of caption left: stays", single, {300, -14}, kAt96, {300, -14}},
      {"off the top, 7 px of caption left", single, {300, -15}, kAt96, {300, 0}},
      {"at 150 % 150 px of caption needed: stays", single, {-594, 100}, kAt144, {-594, 100}},
      {"at 150 % 149 px is too little", single, {-595, 100}, kAt144, {0, 80}},
      {"at 150 % 12 px of caption needed: stays", single, {300, -19}, kAt144, {300, -19}},
      {"at 150 % 11 px is too little", single, {300, -20}, kAt144, {280, 0}},
      {"a caption of 40 px needs 8 of them", withTaskBar, {300, 1032}, kTallCaption, {300, 1032}},
      {"a caption of 40 px with 7 left", withTaskBar, {300, 1033}, kTallCaption, {300, 579}},
      {"on the left monitor: stays", leftAndPrimary, {-1000, 100}, kAt96, {-1000, 100}},
      {"left monitor unplugged", withTaskBar, {-1000, 100}, kAt96, {0, 100}},
      {"across two monitors, 60 and 438 px of caption",
       leftAndPrimary,
       {-60, 100},
       kAt96,
       {-60, 100}},
      {"below the lower monitor: the nearer primary", unevenPair, {2000, 900}, kAt96, {1422, 619}},
      {"below the lower monitor, nearer to it", unevenPair, {2600, 730}, kAt96, {2600, 259}},
      {"on the monitor above: stays", stacked, {100, -500}, kAt96, {100, -500}},
      {"larger than the work area: its left and top", small, {-2000, 50}, kAt96, {0, 0}},
      {"no work area known: stays", none, {-2000, -2000}, kAt96, {-2000, -2000}},
      {"far out, no overflow", single, {INT_MAX, INT_MIN}, kAt96, {526, 0}},
      {"no caption height: one row counts", single, {300, 767}, kNoCaption, {300, 767}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ScreenPoint placed = ReachablePosition(c.place, c.frame.width, c.frame.height,
                                                 c.frame.caption, c.frame.dpi, c.areas);
    EXPECT_EQ(placed.X, c.expected.X) << Show(placed);
    EXPECT_EQ(placed.Y, c.expected.Y) << Show(placed);
  }
}
