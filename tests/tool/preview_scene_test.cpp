// Tests of the preview strip's scene. Sections: the scene against the
// commands OK writes, on generated cases; the golden scenes of the worked
// example; the dry run; the refusals.

#include "tool/preview_scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "host/data_model.h"
#include "tests/support/cp932.h"
#include "tests/support/dialog_fixture.h"
#include "tests/support/examples.h"
#include "tool/end_markers.h"
#include "tool/ui_texts.h"
#include "util/geometry.h"
#include "util/text_to_number.h"

namespace {

struct Case {
  double axis = 0;
  double scale = 100;
  double length = 1000;  // along the axis, past the reference's end
  int startKind = 0, endKind = 0;
  bool figure = false;
  int textType = 0;
  std::string prefix;
  bool fullWidth = false;
  std::string Name() const {
    std::ostringstream s;
    s << "axis " << axis << " scale " << scale << " length " << length << " markers " << startKind
      << "/" << endKind << (figure ? " figure" : "") << " type " << textType << " prefix '"
      << prefix << "'" << (fullWidth ? " full width" : "");
    return s.str();
  }
};

Point Along(double axis, double along, double across) {
  const double a = DegreesToRadians(axis);
  return Point{along * std::cos(a) - across * std::sin(a),
               along * std::sin(a) + across * std::cos(a)};
}

std::string Num(double v) {
  std::ostringstream s;
  s.precision(17);
  s << v;
  return s.str();
}

struct Files {
  std::string settings, exchange;
};

// A reference from 0 to 1000 along the axis, its line 500 below, recorded at
// the case's scale; picked point 1 `length` past its end and 30 off the line.
Files FilesOf(const Case& c) {
  const Point end = Along(c.axis, 1000, 0), line = Along(c.axis, 0, -500);
  const Point picked = Along(c.axis, 1000 + c.length, 30);
  std::string scales = "hs " + Num(c.scale);
  for (int i = 1; i < 16; ++i) scales += " 1";
  const std::string exchange = CrLfLines(
      {"hq", "hk " + Num(c.axis), scales, "hp1 " + Num(picked.X) + " " + Num(picked.Y), "cn1"});
  const std::string settings = SettingsBytes({{24, Num(c.scale)},
                                              {25, Num(c.axis)},
                                              {26, "0"},
                                              {27, "0"},
                                              {28, Num(end.X)},
                                              {29, Num(end.Y)},
                                              {30, Num(line.X)},
                                              {31, Num(line.Y)}});
  return Files{settings, exchange};
}

// The dialog's values of the case.
void Choose(StartedDialog& d, const Case& c) {
  MemoryForm& w = d.window;
  w.SetItemIndex(ControlId::ComboBox1, c.startKind);
  w.SetItemIndex(ControlId::ComboBox2, c.endKind);
  w.SetChecked(ControlId::CheckBox4, c.figure);
  w.SetItemIndex(ControlId::ComboBox3, c.textType);
  w.SetText(ControlId::Edit2, c.prefix);
  w.SetChecked(ControlId::CheckBox3, c.fullWidth);
}

// The dialog started on the case's files, with the case's values chosen.
std::unique_ptr<StartedDialog> Start(const Case& c) {
  const Files files = FilesOf(c);
  auto d = std::make_unique<StartedDialog>(files.settings, files.exchange);
  Choose(*d, c);
  return d;
}

std::vector<Case> GeneratedCases() {
  std::vector<Case> cases;
  const int kinds = static_cast<int>(EndMarkers().size());
  const double axes[] = {0, 30, 90, 135, 180, 270, 300};
  int n = 0;
  for (double axis : axes) {
    for (double length : {1000.0, 150.0, 5.0}) {
      for (int kind = 0; kind < kinds; ++kind) {
        Case c;
        c.axis = axis;
        c.length = length;
        c.scale = (n % 3 == 0) ? 1 : 100;
        c.startKind = kind;
        c.endKind = (kind + 5) % kinds;
        c.figure = n % 4 == 1;
        c.textType = n % 5 == 2 ? 3 : 0;
        c.prefix = n % 6 == 3 ? ToCp932("寸法 ") : "";
        c.fullWidth = n % 7 == 4;
        cases.push_back(c);
        ++n;
      }
    }
  }
  return cases;
}

std::vector<double> Numbers(std::string_view line) {
  std::vector<double> v;
  std::istringstream in{std::string(line)};
  for (std::string field; in >> field;) v.push_back(TextToReal(field));
  return v;
}

bool Near(ScenePoint a, ScenePoint b, double tolerance = 0.01) {
  return std::fabs(a.X - b.X) <= tolerance && std::fabs(a.Y - b.Y) <= tolerance;
}

bool Inside(ScenePoint p, const SceneRect& r, double tolerance = 1e-6) {
  return p.X >= r.Left - tolerance && p.X <= r.Right + tolerance && p.Y >= r.Top - tolerance &&
         p.Y <= r.Bottom + tolerance;
}

bool OnEdge(ScenePoint p, const SceneRect& r) {
  return Inside(p, r) && (std::fabs(p.X - r.Left) < 1e-6 || std::fabs(p.X - r.Right) < 1e-6 ||
                          std::fabs(p.Y - r.Top) < 1e-6 || std::fabs(p.Y - r.Bottom) < 1e-6);
}

// `p` lies on the segment from `a` to `b`.
bool Between(ScenePoint p, ScenePoint a, ScenePoint b) {
  const double dx = b.X - a.X, dy = b.Y - a.Y, length = std::hypot(dx, dy);
  if (length < 1e-9) return Near(p, a);
  const double cross = (p.X - a.X) * dy - (p.Y - a.Y) * dx;
  const double along = ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length;
  return std::fabs(cross) / length < 0.01 && along > -0.01 && along < length + 0.01;
}

// The scene draws the end `end` of the segment from `end` to `other`: a line
// of the scene starts there (or, where the strip cuts it, at the strip's
// edge) and runs along the segment.
bool DrawsEnd(const PreviewScene& scene, ScenePoint end, ScenePoint other) {
  for (const SceneLine& l : scene.Lines) {
    if (l.Role == SceneLineRole::Reference || l.Role == SceneLineRole::PickedMark) continue;
    if (!Between(l.From, end, other) || !Between(l.To, end, other)) continue;
    for (ScenePoint p : {l.From, l.To}) {
      if (Near(p, end) || (!Inside(end, scene.Inside) && OnEdge(p, scene.Inside))) return true;
    }
  }
  // Wholly beyond the strip: nothing of it is drawn.
  return !Inside(end, scene.Inside) && !Inside(other, scene.Inside);
}

bool DrawsOutput(const SceneLine& l) {
  return l.Role != SceneLineRole::Reference && l.Role != SceneLineRole::PickedMark &&
         l.Role != SceneLineRole::Break;
}

}  // namespace

// ---- The scene against OK's commands -------------------------------------------

TEST(preview_scene, every_command_ok_writes_is_in_the_scene_under_its_transform) {
  for (const Case& c : GeneratedCases()) {
    SCOPED_TRACE(c.Name());
    const std::unique_ptr<StartedDialog> started = Start(c);
    StartedDialog& d = *started;
    const PreviewScene scene = d.form.Preview();
    ASSERT_FALSE(scene.Message.has_value()) << scene.Message->Before;
    d.form.Button1Click();
    ASSERT_EQ(d.form.LastOkOutcome(), OkOutcome::Added);
    const std::vector<std::string>& out = gDataModel.OutputLines;
    const SceneTransform& t = scene.Transform;

    std::size_t lineCommands = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
      const std::string& line = out[i];
      const std::vector<double> v = Numbers(line);
      if (line.rfind("pt ", 0) == 0) {
        const std::vector<double> pt = Numbers(line.substr(3));
        const ScenePoint tip = t.Apply(Point{pt[0], pt[1]});
        // At its paper size times the end-marker scale and the layer scale.
        const EndMarker* marker = nullptr;
        for (const EndMarker& m : EndMarkers()) {
          if (m.PointCode == static_cast<int>(pt[4])) marker = &m;
        }
        ASSERT_NE(marker, nullptr) << line;
        const double size = marker->PaperExtent * pt[2] * c.scale * t.Scale;
        bool found = false;
        for (const SceneMarker& m : scene.Markers) {
          found |= m.Code == static_cast<int>(pt[4]) && Near(m.Tip, tip) &&
                   std::fabs(m.Size - size) < 1e-6 &&
                   std::fabs(NormalizeDegrees(m.Angle - (pt[3] - c.axis) + 0.5) - 0.5) < 1e-6;
        }
        EXPECT_TRUE(found) << line;
      } else if (line.rfind("cs ", 0) == 0) {
        ASSERT_LT(i + 1, out.size());
        ASSERT_EQ(scene.Texts.size(), 1u);
        EXPECT_EQ(scene.Texts[0].Text, out[i + 1]);
        // Where OK puts it; broken, centred on the break as on the line.
        const std::vector<double> cs = Numbers(line.substr(3));
        if (!t.Break) {
          EXPECT_TRUE(Near(scene.Texts[0].Anchor, t.Apply(Point{cs[0], cs[1]}))) << line;
        }
      } else if (v.size() == 4 && line.find_first_not_of("0123456789.-E ") == std::string::npos) {
        ++lineCommands;
        const ScenePoint from = t.Apply(Point{v[0], v[1]}), to = t.Apply(Point{v[2], v[3]});
        EXPECT_TRUE(DrawsEnd(scene, from, to)) << line;
        EXPECT_TRUE(DrawsEnd(scene, to, from)) << line;
      }
    }
    // Nothing drawn in black that OK would not write: a line the strip cuts
    // off entirely is the one piece less, a broken line's second half the
    // one more.
    std::size_t sceneLines = 0;
    for (const SceneLine& l : scene.Lines) sceneLines += DrawsOutput(l) ? 1 : 0;
    EXPECT_LE(sceneLines, lineCommands + (t.Break ? 1 : 0));
    EXPECT_EQ(scene.Markers.size(),
              static_cast<std::size_t>((c.startKind != 0) + (c.endKind != 0)));
  }
}

TEST(preview_scene, everything_stays_inside_the_strip_and_the_value_stays_legible) {
  for (const Case& c : GeneratedCases()) {
    SCOPED_TRACE(c.Name());
    const std::unique_ptr<StartedDialog> started = Start(c);
    const PreviewScene scene = started->form.Preview();
    ASSERT_EQ(scene.Texts.size(), 1u);
    const SceneText& text = scene.Texts[0];
    EXPECT_GE(text.Height, scene.FontHeight);
    // Its box, from the anchor along its direction and up from there.
    const double a = DegreesToRadians(text.Angle);
    for (double along : {0.0, text.Length}) {
      for (double up : {0.0, text.Height}) {
        const ScenePoint corner{text.Anchor.X + along * std::cos(a) - up * std::sin(a),
                                text.Anchor.Y - along * std::sin(a) - up * std::cos(a)};
        EXPECT_TRUE(Inside(corner, scene.Inside, 0.01)) << corner.X << " " << corner.Y;
      }
    }
    for (const SceneLine& l : scene.Lines) {
      EXPECT_TRUE(Inside(l.From, scene.Inside) && Inside(l.To, scene.Inside));
    }
    for (const SceneMarker& m : scene.Markers) {
      for (const ScenePath& p : m.Paths) {
        for (ScenePoint q : p.Points) EXPECT_TRUE(Inside(q, scene.Inside, 0.01));
      }
      for (const SceneEllipse& e : m.Ellipses) {
        EXPECT_TRUE(
            Inside(ScenePoint{e.Centre.X - e.Radius, e.Centre.Y - e.Radius}, scene.Inside, 0.01) &&
            Inside(ScenePoint{e.Centre.X + e.Radius, e.Centre.Y + e.Radius}, scene.Inside, 0.01));
      }
    }
    // The dimension line runs horizontal.
    for (const SceneLine& l : scene.Lines) {
      if (l.Role == SceneLineRole::Dimension) {
        EXPECT_NEAR(l.From.Y, l.To.Y, 1e-6);
      }
    }
  }
}

// ---- Golden scenes -------------------------------------------------------------

TEST(preview_scene, the_worked_example_and_its_variants_match_their_golden_scenes) {
  struct Variant {
    const char* pick;                     // picked point 1
    std::map<int, std::string> settings;  // t407.dat lines replaced
  };
  struct {
    const char* golden;
    std::vector<Variant> variants;  // one scene each, one after the other
  } cases[] = {
      {"preview.txt", {{"hp1 1000 0", {}}}},
      {"preview-reversed.txt", {{"hp1 400 0", {}}}},
      {"preview-arrow-markers.txt",
       {{"hp1 2000 0", {{3, "1"}, {4, "6"}}}, {"hp1 2000 0", {{3, "9"}, {4, "11"}}}}},
      {"preview-box-and-dot-markers.txt",
       {{"hp1 1000 0", {{3, "2"}, {4, "5"}}},
        {"hp1 1000 0", {{3, "5"}, {4, "5"}, {8, "3"}}},
        {"hp1 1000 0", {{3, "3"}, {4, "4"}}},
        {"hp1 1000 0", {{3, "7"}, {4, "7"}}}}},
      {"preview-integral-and-slash.txt", {{"hp1 1000 0", {{3, "8"}, {4, "10"}}}}},
      {"preview-long.txt", {{"hp1 1234567 0", {{19, "1"}}}}},
      {"preview-figure.txt", {{"hp1 1000 0", {{22, "1"}}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.golden);
    std::string scenes;
    for (const Variant& v : c.variants) {
      std::string exchange = ExampleFile("JWC_TEMP.TXT");
      exchange.replace(exchange.find("hp1 1000 0"), 10, v.pick);
      StartedDialog d(SettingsBytes(v.settings), exchange);
      scenes += FormatScene(d.form.Preview());
    }
    EXPECT_EQ(scenes, ExampleFile(std::string("expected/") + c.golden));
  }
}

// ---- The whole row --------------------------------------------------------------

namespace {

// examples/row/ in the whole-row mode; with `places` points 910 apart
// instead of its figures when given.
PreviewScene RowScene(int places = 0) {
  std::string exchange = ExampleFile("row/JWC_TEMP.TXT");
  if (places > 0) {
    exchange = exchange.substr(0, exchange.find(" 0 0 1000 0"));
    for (int i = 0; i < places; ++i) exchange += "pt " + std::to_string(910 * i) + " 0\r\n";
  }
  StartedDialog d(ExampleFile("row/t407.dat"), exchange, DimensionMode::WholeRow);
  return d.form.Preview();
}

}  // namespace

TEST(preview_scene, a_row_and_a_long_row_match_their_golden_scenes) {
  // The example's three dimensions whole; two hundred, broken in the middle
  // with the first and the last at a legible zoom.
  EXPECT_EQ(FormatScene(RowScene()), ExampleFile("expected/preview-row.txt"));
  EXPECT_EQ(FormatScene(RowScene(201)), ExampleFile("expected/preview-row-long.txt"));
}

TEST(preview_scene, a_long_row_shows_its_end_dimensions_whole_and_legible) {
  for (int places : {3, 12, 201, 2001}) {
    SCOPED_TRACE(places);
    const PreviewScene scene = RowScene(places);
    ASSERT_FALSE(scene.Message.has_value());
    ASSERT_FALSE(scene.Texts.empty());
    // Every dimension drawn, or, broken, a whole one at each end at least.
    if (!scene.Transform.Break) {
      EXPECT_EQ(scene.Texts.size(), static_cast<std::size_t>(places - 1));
    } else {
      EXPECT_GE(scene.Texts.size(), 2u);
      EXPECT_LT(scene.Texts.size(), static_cast<std::size_t>(places - 1));
    }
    for (const SceneText& text : scene.Texts) {
      EXPECT_EQ(text.Text, "910");
      EXPECT_GE(text.Height, scene.FontHeight);
    }
    for (const SceneLine& l : scene.Lines) {
      EXPECT_TRUE(Inside(l.From, scene.Inside) && Inside(l.To, scene.Inside));
    }
    EXPECT_EQ(scene.Description.Before, ToCp932("連続寸法：" + std::to_string(places - 1) +
                                                "個　全長：" + std::to_string(910 * (places - 1))));
  }
}

// ---- The dry run ---------------------------------------------------------------

TEST(preview_scene, a_preview_writes_nothing_and_changes_nothing) {
  struct {
    const char* name;
    std::map<int, std::string> settings;
    const char* pickX;
  } cases[] = {
      {"accepted", {}, "1000"},
      {"a value failing its check", {{8, "abc"}}, "1000"},
      {"inside the reference", {}, "-500"},
      {"too large", {{11, "1e307"}}, "1000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StartedDialog d(SettingsBytes(c.settings),
                    CrLfLines({"hq", "hs 100 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1",
                               std::string("hp1 ") + c.pickX + " 0"}));
    const std::string settings = ReadBytes(d.folder / "t407.dat");
    const std::string exchange = ReadBytes(d.folder / "JWC_TEMP.TXT");
    const Point start = d.form.ReferenceStart, end = d.form.ReferenceEnd;
    const AttributeState attributes = gDataModel.AttrState;
    const std::size_t previews = d.window.Previews().size();
    const std::string first = FormatScene(d.form.Preview());
    EXPECT_EQ(FormatScene(d.form.Preview()), first);
    EXPECT_EQ(ReadBytes(d.folder / "t407.dat"), settings);
    EXPECT_EQ(ReadBytes(d.folder / "JWC_TEMP.TXT"), exchange);
    EXPECT_TRUE(gDataModel.OutputLines.empty());
    EXPECT_EQ(gDataModel.AttrState.FontName, attributes.FontName);
    EXPECT_EQ(gDataModel.FreshFlags.PenColor, true);
    EXPECT_EQ(d.form.ReferenceStart.X, start.X);
    EXPECT_EQ(d.form.ReferenceEnd.X, end.X);
    EXPECT_TRUE(d.window.StatusTexts().empty());
    EXPECT_TRUE(d.window.FocusMoves().empty());
    EXPECT_TRUE(d.window.Messages().empty());
    EXPECT_FALSE(d.window.CloseRequested());
    EXPECT_EQ(d.form.LastOkOutcome(), OkOutcome::NotRun);
    EXPECT_EQ(d.window.Previews().size(), previews);
  }
}

// ---- Refusals ------------------------------------------------------------------

TEST(preview_scene, a_refusal_shows_the_text_ok_would_give) {
  struct {
    const char* name;
    std::map<int, std::string> settings;
    const char* pickX;
    const char* message;  // UTF-8
  } cases[] = {
      {"inside", {}, "-500", "直前作図した水平寸法線の内側を指定する事は出来ません。"},
      {"too large",
       {{13, "1e307"}},
       "1000",
       "寸法の座標が大きすぎて作図出来ません。設定の値を確認して下さい。"},
      {"end-marker scale", {{8, "abc"}}, "1000", "設定「端点倍率」の値が正しくありません。"},
      {"arrow angle", {{15, "180"}}, "1000", "設定「線矢印の角度」の値が正しくありません。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StartedDialog d(SettingsBytes(c.settings),
                    CrLfLines({"hq", "hs 100 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1",
                               std::string("hp1 ") + c.pickX + " 0"}));
    const PreviewScene scene = d.form.Preview();
    ASSERT_TRUE(scene.Message.has_value());
    EXPECT_EQ(scene.Message->Before + scene.Message->After, ToCp932(c.message));
    EXPECT_TRUE(scene.Lines.empty());
    d.form.Button1Click();
    EXPECT_EQ(d.form.RefusalMessage(), ToCp932(c.message));
  }
}

TEST(preview_scene, the_band_says_what_ok_would_do_or_what_a_value_has_to_be) {
  struct {
    const char* name;
    std::map<int, std::string> settings;  // UTF-8
    const char* pickX;
    const char* band;  // UTF-8
  } cases[] = {
      {"after the reference", {}, "1000", "基準寸法の右に「1000」を追加"},
      {"before it", {}, "-2000", "基準寸法の左に「1000」を追加"},
      {"markers turned outward", {}, "400", "基準寸法の右に「400」を追加、端点は外向き"},
      {"a dimension figure", {{22, "1"}}, "1000", "基準寸法の右に寸法図形「1000」を追加"},
      {"the reference along another axis angle",
       {{25, "10"}},
       "1000",
       "基準寸法の右に「1000」を追加、軸角が違い一直線になりません"},
      {"a value too long for the line",
       {{9, "寸法値の接頭文字寸法値の接頭文字寸法値の接頭文字寸法値の"}},
       "1000",
       "基準寸法の右に「寸法値の接頭文字寸法値の接…の接頭文字寸法値の1000」を追加"},
      {"a full-width digit", {{8, "５"}}, "1000", "端点倍率「５」：0 より大きい数にして下さい"},
      {"a digit between blanks",
       {{8, " 5 "}},
       "1000",
       "端点倍率「 5 」：0 より大きい数にして下さい"},
      {"an arrow too long",
       {{14, "5099999"}},
       "1000",
       "線矢印の長さ「5099999」：0 より大きく 1000 以下の数にして下さい"},
      {"a half turn",
       {{15, "180"}},
       "1000",
       "線矢印の角度「180」：0 より大きく 180 未満の数にして下さい"},
      {"a negative gap",
       {{12, "-1"}},
       "1000",
       "計測点と寸法補助線の距離「-1」：0 以上の数にして下さい"},
      {"a precision past the list", {{6, "99"}}, "1000", "寸法値の精度：項目を選んで下さい"},
      {"inside", {}, "-500", "直前作図した水平寸法線の内側を指定する事は出来ません。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::map<int, std::string> settings;
    for (const auto& [line, text] : c.settings) settings[line] = ToCp932(text);
    StartedDialog d(SettingsBytes(settings),
                    CrLfLines({"hq", "hs 100 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1",
                               std::string("hp1 ") + c.pickX + " 0"}));
    const PreviewScene scene = d.form.Preview();
    EXPECT_EQ(scene.Description.Before + scene.Description.After, ToCp932(c.band));
    // The band is not the status strip's progress: OK's two texts stay its own.
    EXPECT_TRUE(d.window.StatusTexts().empty());
  }
}

TEST(preview_scene, a_character_jw_cad_cannot_hold_is_named_and_refused_with_the_focus_there) {
  struct {
    const char* name;
    ControlId edit;
    char32_t character;
    const char* before;  // UTF-8
    bool named;          // the character itself sits between before and after
  } cases[] = {
      {"emoji in the suffix", ControlId::Edit3, U'\U0001F600',
       "設定「接尾文字」に Jw_cad で使えない文字「", true},
      {"e acute in the suffix", ControlId::Edit3, U'\u00E9',
       "設定「接尾文字」に Jw_cad で使えない文字「", true},
      {"a TAB in the prefix", ControlId::Edit2, U'\t',
       "設定「接頭文字」に Jw_cad で使えない文字「TAB", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StartedDialog d(SettingsBytes(),
                    CrLfLines({"hq", "hs 100 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1", "hp1 1000 0"}));
    const std::string settings = ReadBytes(d.folder / "t407.dat");
    if (c.character == U'\t') {
      d.window.TypeText(c.edit, "a\tb");
    } else {
      d.window.TypeUnrepresentable(c.edit, c.character);
    }
    const PreviewScene scene = d.form.Preview();
    ASSERT_TRUE(scene.Message.has_value());
    EXPECT_EQ(scene.Message->Before, ToCp932(c.before));
    EXPECT_EQ(scene.Message->Character.has_value(), c.named);
    if (c.named) {
      EXPECT_EQ(*scene.Message->Character, c.character);
    }
    EXPECT_EQ(scene.Message->After, ToCp932("」があります。"));
    EXPECT_TRUE(d.window.FocusMoves().empty());
    d.form.Button1Click();
    EXPECT_EQ(d.form.LastOkOutcome(), OkOutcome::CheckFailed);
    EXPECT_EQ(d.window.FocusMoves(), std::vector<ControlId>{c.edit});
    EXPECT_EQ(ReadBytes(d.folder / "t407.dat"), settings);
  }
}
