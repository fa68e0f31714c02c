#include "tool/end_markers.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/cp932.h"

TEST(end_markers, kinds_are_the_list_indexes_and_no_others) {
  ASSERT_EQ(EndMarkers().size(), 12u);
  ASSERT_EQ(EndMarkerLabels().size(), EndMarkers().size());
  const int kinds = static_cast<int>(EndMarkers().size());
  for (int kind = 0; kind < kinds; ++kind) {
    SCOPED_TRACE(kind);
    ASSERT_NE(FindEndMarker(kind), nullptr);
    EXPECT_EQ(FindEndMarker(kind), &EndMarkers()[kind]);
    EXPECT_EQ(EndMarkerLabels()[kind], EndMarkers()[kind].Label);
  }
  EXPECT_EQ(FindEndMarker(-1), nullptr);
  EXPECT_EQ(FindEndMarker(kinds), nullptr);
}

TEST(end_markers, only_the_first_is_a_line_arrow_and_the_two_triangles_differ_in_code) {
  EXPECT_EQ(EndMarkers()[0].Drawing, MarkerDrawing::LineArrow);
  EXPECT_EQ(std::string(EndMarkers()[0].Label), ToCp932("線矢印"));
  for (int kind = 1; kind < static_cast<int>(EndMarkers().size()); ++kind) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(EndMarkers()[kind].Drawing, MarkerDrawing::Point);
  }
  EXPECT_EQ(EndMarkers()[1].Label, EndMarkers()[11].Label);
  EXPECT_NE(EndMarkers()[1].PointCode, EndMarkers()[11].PointCode);
}
