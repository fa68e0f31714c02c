// Where a row measures: the feature points of a selection as the exchange
// file gives it, their places along the axis, and the point measured to at
// each; and the bins against sorting every point.

#include "tool/row_positions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "host/data_model.h"
#include "host/exchange_reader.h"
#include "tool/feature_points.h"

namespace {

const DataModel& Selection(const std::string& lines) {
  ResetDataModel();
  ParseExchangeBytes(lines);
  return gDataModel;
}

void ExpectPoints(const std::vector<Point>& actual, const std::vector<Point>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(actual[i].X, expected[i].X);
    EXPECT_EQ(actual[i].Y, expected[i].Y);
  }
}

std::vector<Point> FeaturePoints(const DataModel& m) {
  std::vector<Point> points;
  ForEachFeaturePoint(m, [&](Point p) { points.push_back(p); });
  return points;
}

}  // namespace

TEST(row_positions, a_table_of_selections_gives_its_measure_points) {
  // Unless a row says otherwise: axis 0, the dimension line through (0, -50),
  // places one step of 0.001 apart are two.
  struct {
    const char* what;
    const char* lines;
    double axis;
    Point line;
    double step;
    std::vector<Point> expected;
  } cases[] = {
      {"both ends of a line", " 0 0 100 5\n", 0, {0, -50}, 0.001, {{0, 0}, {100, 5}}},
      {"polyline pieces, the shared end nearest the line",
       "pl\n 0 0 50 80\n 50 80 50 0\n#\n",
       0,
       {0, -50},
       0.001,
       {{0, 0}, {50, 0}}},
      {"centres of a circle, an arc and an elliptic arc",
       "ci 10 20 5\nci 30 40 5 0 90 1 0\nci 60 -10 8 0 180 0.5 30\n",
       0,
       {0, -50},
       0.001,
       {{10, 20}, {30, 40}, {60, -10}}},
      {"a plain point and a block's insertion point",
       "pt 5 5\nBL 15 6 door\n",
       0,
       {0, -50},
       0.001,
       {{5, 5}, {15, 6}}},
      {"every corner of a solid of four, three and two",
       "sl 0 0 10 0 10 10 0 10\nsl 20 9 30 5 25 0\nsl 40 1 45 2\n",
       0,
       {0, -50},
       0.001,
       {{0, 0}, {10, 0}, {20, 9}, {25, 0}, {30, 5}, {40, 1}, {45, 2}}},
      {"texts, marker points, dimension figures and curved solids have none",
       "ch 1 0 1 0 \"t\ncs 2 0 1 0 \"u\npt 3 0 1 0 3\nmsg\n 4 0 5 0\ncs 4 0 1 0 \"1\n"
       "sc 6 0 1 2 3 4 5 6\nse 7 0 1 2 3 4 5 6\nso 8 0 1 2 3 4 5 6\nsg 9 0 1 2 3 4 5 6\n"
       " 100 0 200 0\n",
       0,
       {0, -50},
       0.001,
       {{100, 0}, {200, 0}}},
      {"what an earlier dimension drew (z3) has none",
       "z3\n 0 0 1000 0\nz3\nci 500 0 5\nz3\npt 600 0\n 100 0 200 0\n",
       0,
       {0, -50},
       0.001,
       {{100, 0}, {200, 0}}},
      {"places less than a step apart are one, the nearest point measured",
       " 0 0 0.0004 10\n 0.0008 -3 100 0\n",
       0,
       {0, -50},
       0.001,
       {{0.0008, -3}, {100, 0}}},
      {"a step apart they are two", " 0 0 0.001 0\n", 0, {0, -50}, 0.001, {{0, 0}, {0.001, 0}}},
      {"a coarser step merges more",
       " 0 0 60 5\n 250 0 320 0\n",
       0,
       {0, -50},
       100,
       {{0, 0}, {250, 0}}},
      {"points on both sides of the line: the nearer",
       " 10 30 10 -20\n 40 -5 40 8\n",
       0,
       {0, 0},
       0.001,
       {{10, -20}, {40, -5}}},
      {"axis 90: along Y, in order",
       " 0 0 5 100\npt -7 50\n",
       90,
       {-200, 0},
       0.001,
       {{0, 0}, {-7, 50}, {5, 100}}},
      {"axis 30: across the axis is one place",
       " 0 0 -50 86.6025403784439\npt 100 0\n",
       30,
       {0, -100},
       0.001,
       {{0, 0}, {100, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const RowPositions positions =
        FindRowPositions(Selection(c.lines), RowRules{c.axis, c.line, c.step});
    EXPECT_TRUE(positions.AllFinite);
    ExpectPoints(positions.MeasurePoints, c.expected);
  }
}

TEST(row_positions, bins_give_what_sorting_every_point_gives) {
  // Points on a few places with a jitter of about a step, so that places
  // merge, split and meet at bin edges; along several axes. Then places too
  // far out for a bin, which the sorting finds.
  std::mt19937_64 random(408);
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE(round);
    const double axis = std::vector<double>{0, 30, 90, 123.4, 300}[round % 5];
    const double step = round % 2 == 0 ? 0.001 : 1;
    // The last rounds lie so far out that a double's own steps are 2048 and
    // their places, in steps, fit no bin's key.
    const double far = round >= 36 ? 1e19 : 0;
    const double unit = far > 0 ? 4096 : step;
    const double c = std::cos(axis / 180 * 3.141592653589793);
    const double s = std::sin(axis / 180 * 3.141592653589793);
    std::string lines;
    for (int i = 0; i < 600; ++i) {
      const double place = static_cast<double>(random() % 12) * 3 * unit;
      const double along = far + place + static_cast<double>(random() % 2001) * unit / 1000;
      const double across = static_cast<double>(random() % 10000) - 5000;
      char line[80];
      std::snprintf(line, sizeof line, "pt %.17g %.17g\n", along * c - across * s,
                    along * s + across * c);
      lines += line;
    }
    const DataModel& m = Selection(lines);
    const RowRules rules{axis, Point{-3, 7}, step};
    const RowPositions binned = FindRowPositions(m, rules);
    const RowPositions sorted = SortRowPositions(FeaturePoints(m), rules);
    ASSERT_GT(sorted.MeasurePoints.size(), 1u);
    ExpectPoints(binned.MeasurePoints, sorted.MeasurePoints);
  }
}

TEST(row_positions, a_place_that_is_no_finite_number_is_said) {
  // Along 45 degrees the place of (1.5e308, 1.5e308) overflows.
  const RowPositions positions =
      FindRowPositions(Selection(" 0 0 1 1\npt 1.5e308 1.5e308\n"), RowRules{45, {0, 0}, 0.001});
  EXPECT_FALSE(positions.AllFinite);
  EXPECT_TRUE(positions.MeasurePoints.empty());
}
