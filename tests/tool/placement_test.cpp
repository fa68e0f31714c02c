#include "tool/placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kTolerance = 1e-9;

void ExpectNear(Point actual, Point expected, const char* what) {
  SCOPED_TRACE(what);
  EXPECT_NEAR(actual.X, expected.X, kTolerance);
  EXPECT_NEAR(actual.Y, expected.Y, kTolerance);
}

// The usual scene: axis angle 0, both scales 1, reference (0, 0)-(100, 0)
// with its dimension line through (0, 20).
PlacementInput Scene(Point picked) {
  PlacementInput in;
  in.Reference = {{0, 0}, {100, 0}, {0, 20}};
  in.Picked = picked;
  return in;
}

struct Expected {
  int AddedSide;
  Point MeasureStart, MeasureEnd, LineStart, LineEnd;
  double MeasuredLength;
  ReferenceDimension NewReference;
};

void ExpectPlacement(const Placement& p, const Expected& e) {
  ASSERT_FALSE(p.Inside);
  EXPECT_EQ(p.AddedSide, e.AddedSide);
  ExpectNear(p.MeasureStart, e.MeasureStart, "MeasureStart");
  ExpectNear(p.MeasureEnd, e.MeasureEnd, "MeasureEnd");
  ExpectNear(p.LineStart, e.LineStart, "LineStart");
  ExpectNear(p.LineEnd, e.LineEnd, "LineEnd");
  EXPECT_NEAR(p.MeasuredLength, e.MeasuredLength, kTolerance);
  ExpectNear(p.NewReference.Start, e.NewReference.Start, "new reference start");
  ExpectNear(p.NewReference.End, e.NewReference.End, "new reference end");
  ExpectNear(p.NewReference.LinePoint, e.NewReference.LinePoint, "new reference line point");
}

const Expected kAfter = {
    1, {100, 0}, {150, -5}, {100, 20}, {150, 20}, 50, {{0, 0}, {150, -5}, {0, 20}}};
const Expected kBefore = {
    0, {-30, 7}, {0, 0}, {-30, 20}, {0, 20}, 30, {{-30, 7}, {100, 0}, {0, 20}}};

// Turns a point about the origin by 30 degrees and moves it, computed here
// with its own cos/sin so the rotated expectations do not come from the code
// under test.
Point Moved30(Point p) {
  const double c = std::cos(std::numbers::pi / 6);
  const double s = std::sin(std::numbers::pi / 6);
  return {1000 + p.X * c - p.Y * s, -2000 + p.X * s + p.Y * c};
}

ReferenceDimension Moved30(ReferenceDimension r) {
  return {Moved30(r.Start), Moved30(r.End), Moved30(r.LinePoint)};
}

Expected Moved30(Expected e) {
  return {e.AddedSide,        Moved30(e.MeasureStart), Moved30(e.MeasureEnd),  Moved30(e.LineStart),
          Moved30(e.LineEnd), e.MeasuredLength,        Moved30(e.NewReference)};
}

TEST(placement, picked_point_after_the_reference_adds_at_its_end) {
  ExpectPlacement(PlaceDimension(Scene({150, -5})), kAfter);
}

TEST(placement, picked_point_before_the_reference_adds_at_its_start) {
  ExpectPlacement(PlaceDimension(Scene({-30, 7})), kBefore);
}

TEST(placement, points_within_the_reference_extent_are_inside) {
  struct {
    Point picked;
    bool inside;
  } cases[] = {
      {{50, 40}, true},
      {{0, -3}, true},
      {{100, 0}, true},
      {{100.00000000005, 9}, true},  // within 1e-10 of the end
      {{-0.00000000005, 9}, true},   // within 1e-10 of the start
      {{100.0000000002, 0}, false},  // just beyond the tolerance
      {{-0.0000000002, 0}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.picked.X << ", " << c.picked.Y);
    EXPECT_EQ(PlaceDimension(Scene(c.picked)).Inside, c.inside);
  }
}

TEST(placement, reference_ends_stored_in_reverse_order_give_the_same_result) {
  struct {
    Point picked;
    Expected expected;
  } cases[] = {{{150, -5}, kAfter}, {{-30, 7}, kBefore}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.picked.X);
    PlacementInput in = Scene(c.picked);
    in.Reference.Start = {100, 0};
    in.Reference.End = {0, 0};
    ExpectPlacement(PlaceDimension(in), c.expected);
  }
}

TEST(placement, degenerate_reference_rejects_only_its_own_position) {
  struct {
    Point picked;
    bool inside;
    int side;
  } cases[] = {
      {{0, 50}, true, 0},
      {{0.00000000005, 3}, true, 0},
      {{-40, 10}, false, 0},
      {{40, 10}, false, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.picked.X << ", " << c.picked.Y);
    PlacementInput in = Scene(c.picked);
    in.Reference = {{0, 0}, {0, 0}, {0, 20}};
    const Placement p = PlaceDimension(in);
    EXPECT_EQ(p.Inside, c.inside);
    if (c.inside) continue;
    EXPECT_EQ(p.AddedSide, c.side);
    // Either way the dimension runs between the reference point and the pick.
    const Point first = c.side == 0 ? c.picked : Point{0, 0};
    const Point last = c.side == 0 ? Point{0, 0} : c.picked;
    ExpectNear(p.MeasureStart, first, "MeasureStart");
    ExpectNear(p.MeasureEnd, last, "MeasureEnd");
    EXPECT_NEAR(p.MeasuredLength, 40, kTolerance);
  }
}

TEST(placement, axis_angle_90_measures_along_y) {
  PlacementInput in;
  in.AxisAngle = 90;
  in.Reference = {{0, 0}, {0, 100}, {-20, 0}};
  in.Picked = {3, 150};
  ExpectPlacement(
      PlaceDimension(in),
      {1, {0, 100}, {3, 150}, {-20, 100}, {-20, 150}, 50, {{0, 0}, {3, 150}, {-20, 0}}});
}

TEST(placement, axis_angle_30_matches_the_same_scene_turned) {
  struct {
    const char* name;
    ReferenceDimension reference;  // unturned
    Point picked;                  // unturned
    Expected expected;             // unturned
  } cases[] = {
      {"after", {{0, 0}, {100, 0}, {0, 20}}, {150, -5}, kAfter},
      {"before", {{0, 0}, {100, 0}, {0, 20}}, {-30, 7}, kBefore},
      {"ends exchanged", {{100, 0}, {0, 0}, {0, 20}}, {150, -5}, kAfter},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PlacementInput in;
    in.AxisAngle = 30;
    in.Reference = Moved30(c.reference);
    in.Picked = Moved30(c.picked);
    ExpectPlacement(PlaceDimension(in), Moved30(c.expected));
  }
  PlacementInput inside;
  inside.AxisAngle = 30;
  inside.Reference = Moved30(ReferenceDimension{{0, 0}, {100, 0}, {0, 20}});
  // Far from the reference in drawing X, but within its extent along 30 degrees.
  inside.Picked = Moved30(Point{60, 300});
  EXPECT_TRUE(PlaceDimension(inside).Inside);
}

TEST(placement, reference_is_moved_to_the_current_layer_group_scale) {
  PlacementInput in;
  in.ReferenceScale = 50;
  in.LayerScale = 100;
  in.Reference = {{1000, 0}, {1500, 0}, {1000, 100}};  // (2000, 0)-(3000, 0) at scale 100
  in.Picked = {3500, 0};
  ExpectPlacement(PlaceDimension(in), {1,
                                       {3000, 0},
                                       {3500, 0},
                                       {3000, 200},
                                       {3500, 200},
                                       500,
                                       {{2000, 0}, {3500, 0}, {2000, 200}}});
  // Inside the converted reference, though outside the stored numbers.
  in.Picked = {2500, 0};
  EXPECT_TRUE(PlaceDimension(in).Inside);
}

TEST(placement, scale_conversion_divides_before_multiplying) {
  // 0.27 / 30 * 100 is 0.9000000000000001 in doubles, while 0.27 * 100 / 30
  // gives 0.9 (both checked with python3); the settings file must keep the
  // divide-first value.
  PlacementInput in;
  in.ReferenceScale = 30;
  in.LayerScale = 100;
  in.Reference = {{0.27, 0}, {30, 0}, {0, 30}};
  in.Picked = {500, 0};
  const Placement p = PlaceDimension(in);
  ASSERT_FALSE(p.Inside);
  EXPECT_EQ(p.NewReference.Start.X, 0.9000000000000001);
}

TEST(placement, chained_runs_extend_from_the_saved_reference) {
  const Placement first = PlaceDimension(Scene({150, -5}));
  ASSERT_FALSE(first.Inside);

  PlacementInput second;
  second.Reference = first.NewReference;
  second.Picked = {200, 0};
  ExpectPlacement(PlaceDimension(second),
                  {1, {150, -5}, {200, 0}, {150, 20}, {200, 20}, 50, {{0, 0}, {200, 0}, {0, 20}}});

  second.Picked = {120, 0};
  EXPECT_TRUE(PlaceDimension(second).Inside);
}

TEST(placement, missing_picked_point_counts_as_the_origin) {
  // A missing picked point reaches the placement as (0, 0).
  EXPECT_TRUE(PlaceDimension(Scene({0, 0})).Inside);

  PlacementInput in = Scene({0, 0});
  in.Reference = {{10, 0}, {100, 0}, {10, 20}};
  ExpectPlacement(PlaceDimension(in),
                  {0, {0, 0}, {10, 0}, {0, 20}, {10, 20}, 10, {{0, 0}, {100, 0}, {10, 20}}});
}

}  // namespace
