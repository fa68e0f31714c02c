#include "tool/form_scaling.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "tests/support/cp932.h"
#include "tool/ui_texts.h"

namespace {

// 100 %, 125 %, 150 % and 200 % display scaling.
constexpr int kDpis[] = {96, 120, 144, 192};

struct Placed {
  std::string name;
  FormRect bounds;  // at 96 DPI
};

// Every control and every label of the form, at 96 DPI.
std::vector<Placed> EveryRectangle() {
  std::vector<Placed> all;
  for (const ControlDescription& c : Form1Description().Controls) {
    all.push_back({std::string(c.Name), c.Bounds});
  }
  for (const LabelDescription& l : Form1Description().Labels) {
    all.push_back({std::string(l.Name), l.Bounds});
  }
  return all;
}

int Right(const FormRect& r) { return r.X + r.Width; }
int Bottom(const FormRect& r) { return r.Y + r.Height; }

bool Overlap(const FormRect& a, const FormRect& b) {
  return a.X < Right(b) && b.X < Right(a) && a.Y < Bottom(b) && b.Y < Bottom(a);
}

bool Same(const FormRect& a, const FormRect& b) {
  return a.X == b.X && a.Y == b.Y && a.Width == b.Width && a.Height == b.Height;
}

std::string Show(const FormRect& r) {
  return std::to_string(r.X) + "," + std::to_string(r.Y) + " " + std::to_string(r.Width) + "x" +
         std::to_string(r.Height);
}

// The text a button shows: its caption without the mnemonic's '&' (a
// Shift-JIS trail byte is never 0x26).
std::string Shown(std::string_view caption) {
  std::string text;
  for (char c : caption) {
    if (c != '&') text += c;
  }
  return text;
}

// What Windows draws beside a caption at 96 DPI, scaled like everything else:
// the glyph of a check box or radio button and its gap, a push button's frame
// and margins, a group box's inset on both sides, a drop-down list's arrow
// button and frame, a multi-line edit's frame and margins.
constexpr int kGlyphRoom = 13 + 4;
constexpr int kButtonRoom = 2 * 4;
constexpr int kGroupCaptionRoom = 2 * 8;
constexpr int kDropDownRoom = 17 + 2 * 3 + 2;
constexpr int kMemoRoom = 2 * 2 + 2 * 2;

// A line of text as the screen draws it: a little taller than the
// character height (IPA Gothic under Wine: 14 px at 13, 22 px at 20).
int LineHeight(int fontHeight) { return fontHeight + (fontHeight + 7) / 8; }

}  // namespace

TEST(form_scaling, scales_by_the_resolution_to_the_nearest_pixel_halves_away_from_zero) {
  struct {
    long long value;
    int to, from, expected;
  } cases[] = {
      // The fonts: 13 and 11 px at 100, 125, 150 and 200 %.
      {13, 96, 96, 13},
      {13, 120, 96, 16},
      {13, 144, 96, 20},
      {13, 192, 96, 26},
      {11, 120, 96, 14},
      {11, 144, 96, 17},
      // Edges: halves away from zero, on both sides of it.
      {371, 144, 96, 557},
      {347, 144, 96, 521},
      {-3, 144, 96, -5},
      {-1, 144, 96, -2},
      {1, 144, 96, 2},
      {0, 144, 96, 0},
      // Back to 96 DPI.
      {150, 96, 144, 100},
      {-3000, 96, 144, -2000},
      {2, 96, 144, 1},
      {-2, 96, 144, -1},
      {1, 96, 144, 1},
      {-1, 96, 144, -1},
      {3, 96, 192, 2},
      // Far outside the screen: clamped, never overflowing.
      {INT_MAX, 192, 96, INT_MAX},
      {INT_MIN, 192, 96, INT_MIN},
      {INT_MAX, 96, 144, 1431655765},
      {INT_MIN, 96, 144, -1431655765},
      // A failed query of the resolution leaves the value as it is.
      {42, 144, 0, 42},
      {-42, 144, -96, -42},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + " * " + std::to_string(c.to) + " / " +
                 std::to_string(c.from));
    EXPECT_EQ(ScaleRounded(c.value, c.to, c.from), c.expected);
  }
  EXPECT_EQ(ScaleToDpi(13, 0), 13);
}

TEST(form_scaling, at_96_dpi_every_position_size_and_font_is_the_tables) {
  for (const ControlDescription& c : Form1Description().Controls) {
    SCOPED_TRACE(std::string(c.Name));
    EXPECT_TRUE(Same(ScaledControlBounds(c.Id, 96), c.Bounds))
        << Show(ScaledControlBounds(c.Id, 96));
    FormRect window = c.Bounds;
    if (c.Kind == ControlKind::DropDownList) window.Height += 240;
    EXPECT_TRUE(Same(ControlWindowBounds(c, 96), window)) << Show(ControlWindowBounds(c, 96));
  }
  for (const LabelDescription& l : Form1Description().Labels) {
    SCOPED_TRACE(std::string(l.Name));
    EXPECT_TRUE(Same(ScaledLabelBounds(l, 96), l.Bounds)) << Show(ScaledLabelBounds(l, 96));
    EXPECT_EQ(ScaledFontHeight(l.FontHeight, 96), l.FontHeight);
  }
  EXPECT_EQ(DialogFontHeight(96), 13);
}

TEST(form_scaling, client_area_and_fonts_at_each_resolution) {
  struct {
    int dpi, width, height, font, smallFont;
  } cases[] = {
      {96, 492, 436, 13, 11},
      {120, 615, 545, 16, 14},
      {144, 738, 654, 20, 17},
      {192, 984, 872, 26, 22},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    EXPECT_EQ(ScaledClientSize(c.dpi).Width, c.width);
    EXPECT_EQ(ScaledClientSize(c.dpi).Height, c.height);
    EXPECT_EQ(DialogFontHeight(c.dpi), c.font);
    EXPECT_EQ(ScaledFontHeight(11, c.dpi), c.smallFont);
  }
}

TEST(form_scaling, spot_checks_at_150_percent) {
  struct {
    ControlId id;
    FormRect expected;
  } cases[] = {
      {ControlId::ComboBox1, {72, 6, 122, 32}},    {ControlId::Edit1, {108, 168, 86, 32}},
      {ControlId::Button1, {540, 396, 182, 50}},   {ControlId::Memo1, {468, 0, 266, 338}},
      {ControlId::ScrollBox1, {0, 557, 738, 97}},  {ControlId::LabelA1, {0, 521, 738, 36}},
      {ControlId::CheckBox4, {576, 348, 158, 26}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(DescribeControl(c.id).Name));
    EXPECT_TRUE(Same(ScaledControlBounds(c.id, 144), c.expected))
        << Show(ScaledControlBounds(c.id, 144));
  }
}

TEST(form_scaling, strips_stay_docked_full_width_at_the_bottom) {
  for (int dpi : kDpis) {
    SCOPED_TRACE(dpi);
    const FormSize client = ScaledClientSize(dpi);
    const FormRect preview = ScaledControlBounds(ControlId::ScrollBox1, dpi);
    const FormRect status = ScaledControlBounds(ControlId::LabelA1, dpi);
    EXPECT_EQ(Bottom(preview), client.Height);
    EXPECT_EQ(Bottom(status), preview.Y);
    EXPECT_EQ(preview.X, 0);
    EXPECT_EQ(status.X, 0);
    EXPECT_EQ(preview.Width, client.Width);
    EXPECT_EQ(status.Width, client.Width);
  }
}

int OverlapWidth(const FormRect& a, const FormRect& b) {
  return Overlap(a, b) ? std::min(Right(a), Right(b)) - std::max(a.X, b.X) : 0;
}

// The check boxes of the form share one pixel column with their right
// neighbours at 96 DPI (their blank right ends); scaled, that stays within a
// pixel of the scaled overlap, and no other two controls meet.
TEST(form_scaling, controls_meet_only_where_the_table_has_them_meet) {
  const auto& controls = Form1Description().Controls;
  for (int dpi : kDpis) {
    SCOPED_TRACE(dpi);
    const FormSize client = ScaledClientSize(dpi);
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const FormRect a = ScaledControlBounds(controls[i].Id, dpi);
      SCOPED_TRACE(std::string(controls[i].Name) + " " + Show(a));
      EXPECT_GE(a.X, 0);
      EXPECT_GE(a.Y, 0);
      EXPECT_LE(Right(a), client.Width);
      EXPECT_LE(Bottom(a), client.Height);
      for (std::size_t j = i + 1; j < controls.size(); ++j) {
        const FormRect b = ScaledControlBounds(controls[j].Id, dpi);
        SCOPED_TRACE(std::string(controls[j].Name) + " " + Show(b));
        const int at96 = OverlapWidth(controls[i].Bounds, controls[j].Bounds);
        const bool checkBoxes =
            controls[i].Kind == ControlKind::CheckBox && controls[j].Kind == ControlKind::CheckBox;
        EXPECT_EQ(at96, checkBoxes && j == i + 1 ? 1 : 0);
        EXPECT_LE(std::abs(OverlapWidth(a, b) - at96 * dpi / 96.0), 1.0);
        if (at96 == 0) {
          EXPECT_FALSE(Overlap(a, b));
        }
      }
    }
  }
}

// Two rectangles apart along one axis at 96 DPI stay apart in the same order
// at every resolution, their gap within one pixel of the scaled gap; two that
// overlap at 96 DPI (the check boxes, and Label20 on Edit1's right edge, by
// one pixel) are the only ones that overlap.
TEST(form_scaling, neighbours_keep_their_order_and_their_gaps_within_a_pixel) {
  const std::vector<Placed> all = EveryRectangle();
  for (int dpi : kDpis) {
    SCOPED_TRACE(dpi);
    const double k = dpi / 96.0;
    for (const Placed& a : all) {
      for (const Placed& b : all) {
        if (&a == &b) continue;
        const FormRect sa = ScaleRect(a.bounds, dpi);
        const FormRect sb = ScaleRect(b.bounds, dpi);
        SCOPED_TRACE(a.name + " " + Show(sa) + " / " + b.name + " " + Show(sb));
        EXPECT_EQ(Overlap(sa, sb), Overlap(a.bounds, b.bounds));
        if (Right(a.bounds) <= b.bounds.X) {
          const int gap = sb.X - Right(sa);
          EXPECT_GE(gap, 0);
          EXPECT_LE(std::abs(gap - (b.bounds.X - Right(a.bounds)) * k), 1.0);
        }
        if (Bottom(a.bounds) <= b.bounds.Y) {
          const int gap = sb.Y - Bottom(sa);
          EXPECT_GE(gap, 0);
          EXPECT_LE(std::abs(gap - (b.bounds.Y - Bottom(a.bounds)) * k), 1.0);
        }
      }
    }
  }
}

// A label's font is rounded as a length is, so at 150 % its caption can need
// a pixel or two more than its scaled rectangle: the label widens, and must
// not reach a control it did not reach at 96 DPI.
TEST(form_scaling, labels_widen_to_their_caption_without_reaching_a_new_neighbour) {
  const auto& controls = Form1Description().Controls;
  for (int dpi : kDpis) {
    SCOPED_TRACE(dpi);
    for (const LabelDescription& l : Form1Description().Labels) {
      const FormRect plain = ScaleRect(l.Bounds, dpi);
      const FormRect label = ScaledLabelBounds(l, dpi);
      SCOPED_TRACE(std::string(l.Name) + " " + Show(label));
      const int fontHeight = ScaledFontHeight(l.FontHeight, dpi);
      EXPECT_EQ(label.X, plain.X);
      EXPECT_EQ(label.Y, plain.Y);
      EXPECT_GE(label.Width, plain.Width);
      EXPECT_GE(label.Width, CaptionExtent(l.Caption, fontHeight));
      EXPECT_GE(label.Height, fontHeight);
      for (const ControlDescription& c : controls) {
        EXPECT_EQ(Overlap(label, ScaledControlBounds(c.Id, dpi)), Overlap(l.Bounds, c.Bounds))
            << c.Name;
      }
      EXPECT_LE(Right(label), ScaledControlBounds(ControlId::Memo1, dpi).X);
    }
  }
}

TEST(form_scaling, every_caption_and_item_fits_its_control_in_the_scaled_font) {
  const std::string comboBox3Items[] = {ToCp932("現在の文字種(Free)"),
                                        ToCp932("現在の文字種(No10)"), "No2: W2.5 H2.5 D0",
                                        "No10: W10 H10 D1"};
  for (int dpi : kDpis) {
    SCOPED_TRACE(dpi);
    for (const ControlDescription& c : Form1Description().Controls) {
      const FormRect bounds = ScaledControlBounds(c.Id, dpi);
      const int font = ScaledFontHeight(c.FontHeight, dpi);
      SCOPED_TRACE(std::string(c.Name) + " " + Show(bounds));
      auto fits = [&](std::string_view text, int room, int width) {
        EXPECT_LE(CaptionExtent(text, font) + ScaleToDpi(room, dpi), width) << text;
      };
      switch (c.Kind) {
        case ControlKind::CheckBox:
          fits(c.Caption, kGlyphRoom, bounds.Width);
          EXPECT_GE(bounds.Height, font);
          break;
        case ControlKind::PushButton:
          fits(Shown(c.Caption), kButtonRoom, bounds.Width);
          EXPECT_GE(bounds.Height, LineHeight(font) + ScaleToDpi(kButtonRoom, dpi));
          break;
        case ControlKind::RadioGroup: {
          fits(c.Caption, kGroupCaptionRoom, bounds.Width);
          const std::vector<FormRect> items = RadioItemBounds(c, LineHeight(font), dpi);
          ASSERT_EQ(items.size(), c.Items.size());
          for (std::size_t i = 0; i < items.size(); ++i) {
            fits(c.Items[i], kGlyphRoom, items[i].Width);
            EXPECT_GE(items[i].Height, font);
          }
          break;
        }
        case ControlKind::DropDownList:
          for (std::string_view item : c.Items) fits(item, kDropDownRoom, bounds.Width);
          if (c.Id == ControlId::ComboBox3) {
            for (const std::string& item : comboBox3Items) fits(item, kDropDownRoom, bounds.Width);
          }
          EXPECT_GE(bounds.Height, LineHeight(font));
          break;
        case ControlKind::Memo:
          for (std::string_view line : c.Lines) fits(line, kMemoRoom, bounds.Width);
          break;
        case ControlKind::StatusLabel:
          for (std::string_view text : {kStatusInitial, kStatusWorking, kStatusWritingFile}) {
            fits(text, 0, bounds.Width);
          }
          EXPECT_GE(bounds.Height, LineHeight(font));
          break;
        case ControlKind::Edit:
          fits(c.DefaultText, kMemoRoom, bounds.Width);
          EXPECT_GE(bounds.Height, LineHeight(font));
          break;
        case ControlKind::ScrollBox:
          break;
      }
    }
  }
}

TEST(form_scaling, radio_buttons_share_the_group_below_its_caption) {
  // At 96 DPI with the 14 px line of IPA Gothic: as the window has always
  // placed them.
  const ControlDescription& group1 = DescribeControl(ControlId::RadioGroup1);
  const std::vector<FormRect> at96 = RadioItemBounds(group1, 14, 96);
  ASSERT_EQ(at96.size(), 2u);
  EXPECT_TRUE(Same(at96[0], {16, 199, 67, 22})) << Show(at96[0]);
  EXPECT_TRUE(Same(at96[1], {83, 199, 67, 22})) << Show(at96[1]);

  for (int dpi : kDpis) {
    for (ControlId id : {ControlId::RadioGroup1, ControlId::RadioGroup2}) {
      const ControlDescription& group = DescribeControl(id);
      const FormRect box = ScaledControlBounds(id, dpi);
      const int line = LineHeight(DialogFontHeight(dpi));
      const std::vector<FormRect> items = RadioItemBounds(group, line, dpi);
      SCOPED_TRACE(std::string(group.Name) + " at " + std::to_string(dpi));
      ASSERT_EQ(items.size(), 2u);
      for (const FormRect& item : items) {
        SCOPED_TRACE(Show(item));
        EXPECT_GT(item.X, box.X);
        EXPECT_GE(item.Y, box.Y + line);
        EXPECT_LT(Right(item), Right(box));
        EXPECT_LT(Bottom(item), Bottom(box));
      }
      EXPECT_EQ(items[0].Y, items[1].Y);
      EXPECT_EQ(Right(items[0]), items[1].X);
    }
  }
}
