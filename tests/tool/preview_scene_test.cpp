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

// A stroke may be drawn longer than it is, along its own direction, so that
// it stays visible.
bool Matches(const SceneLine& l, ScenePoint from, ScenePoint to) {
  if (l.Role == SceneLineRole::Stroke && Near(l.From, from)) {
    const double length = std::hypot(to.X - from.X, to.Y - from.Y);
    if (length >= 6) return Near(l.To, to);
    const double drawn = std::hypot(l.To.X - l.From.X, l.To.Y - l.From.Y);
    const double cross =
        (l.To.X - l.From.X) * (to.Y - from.Y) - (l.To.Y - l.From.Y) * (to.X - from.X);
    return std::fabs(drawn - 6) < 0.01 && std::fabs(cross) < 0.01 * drawn;
  }
  return (Near(l.From, from) && Near(l.To, to)) || (Near(l.From, to) && Near(l.To, from));
}

bool DrawsOutput(const SceneLine& l) {
  return l.Role != SceneLineRole::Reference && l.Role != SceneLineRole::PickedMark;
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
        bool found = false;
        for (const SceneMarker& m : scene.Markers) {
          found |= m.Code == static_cast<int>(pt[4]) && Near(m.Tip, tip) &&
                   std::fabs(NormalizeDegrees(m.Angle - (pt[3] - c.axis) + 0.5) - 0.5) < 1e-6;
        }
        EXPECT_TRUE(found) << line;
      } else if (line.rfind("cs ", 0) == 0) {
        ASSERT_LT(i + 1, out.size());
        ASSERT_TRUE(scene.Text.has_value());
        EXPECT_EQ(scene.Text->Text, out[i + 1]);
      } else if (v.size() == 4 && line.find_first_not_of("0123456789.-E ") == std::string::npos) {
        ++lineCommands;
        const ScenePoint from = t.Apply(Point{v[0], v[1]}), to = t.Apply(Point{v[2], v[3]});
        bool found = false;
        for (const SceneLine& l : scene.Lines) found |= DrawsOutput(l) && Matches(l, from, to);
        EXPECT_TRUE(found) << line;
      }
    }
    // Nothing drawn in black that OK would not write (zero-length pieces OK
    // leaves out are the only difference).
    std::size_t sceneLines = 0;
    for (const SceneLine& l : scene.Lines) sceneLines += DrawsOutput(l) ? 1 : 0;
    EXPECT_LE(lineCommands, sceneLines);
    EXPECT_EQ(scene.Markers.size(),
              static_cast<std::size_t>((c.startKind != 0) + (c.endKind != 0)));
  }
}

TEST(preview_scene, text_and_markers_stay_legible_and_inside_the_strip) {
  for (const Case& c : GeneratedCases()) {
    SCOPED_TRACE(c.Name());
    const std::unique_ptr<StartedDialog> started = Start(c);
    StartedDialog& d = *started;
    const PreviewScene scene = d.form.Preview();
    ASSERT_TRUE(scene.Text.has_value());
    const SceneText& text = *scene.Text;
    EXPECT_GE(text.Height, 13);
    const double width = TextRunLength(text.Text, text.Height, 0);
    const bool leftToRight = text.Angle < 90 || text.Angle > 270;
    const double left = leftToRight ? text.Anchor.X : text.Anchor.X - width;
    const double top = leftToRight ? text.Anchor.Y - text.Height : text.Anchor.Y;
    EXPECT_GE(left, 0);
    EXPECT_LE(left + width, scene.Width);
    EXPECT_GE(top, 0);
    EXPECT_LE(top + text.Height, scene.Height);
    for (const SceneMarker& m : scene.Markers) EXPECT_GE(m.Size, 5);
    // The dimension line runs across the strip, horizontal.
    for (const SceneLine& l : scene.Lines) {
      if (l.Role != SceneLineRole::Dimension) continue;
      EXPECT_NEAR(l.From.Y, l.To.Y, 1e-6);
      EXPECT_GE(std::min(l.From.X, l.To.X), 0);
      EXPECT_LE(std::max(l.From.X, l.To.X), scene.Width);
    }
  }
}

// ---- Golden scenes -------------------------------------------------------------

TEST(preview_scene, the_worked_example_and_its_reversed_variant_match_their_golden_scenes) {
  struct {
    const char* golden;
    const char* pick;
  } cases[] = {{"preview.txt", "hp1 1000 0"}, {"preview-reversed.txt", "hp1 400 0"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.golden);
    std::string exchange = ExampleFile("JWC_TEMP.TXT");
    exchange.replace(exchange.find("hp1 1000 0"), 10, c.pick);
    StartedDialog d(ExampleFile("t407.dat"), exchange);
    EXPECT_EQ(FormatScene(d.form.Preview()), ExampleFile(std::string("expected/") + c.golden));
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
