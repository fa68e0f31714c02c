// The handlers of the lines that set the drawing's settings, the attributes of
// the entities after them, the modes, the picked points and the entity tags.

#include <string>
#include <string_view>

#include "host/data_model.h"
#include "host/exchange_handlers.h"

namespace {

// One hexadecimal digit, the byte after a two-letter keyword ("lgA" is layer
// group 10); a missing or bad digit, or a number outside 0..15, gives 0.
int HexDigitAfter(const LineTokens& t, std::size_t keywordLength) {
  char text[2] = {'$', '\0'};
  std::size_t len = 1;
  if (t.Tokens[0].size() > keywordLength) text[len++] = t.Tokens[0][keywordLength];
  int v = TextToInteger(std::string_view(text, len));
  return (v >= 0 && v <= 15) ? v : 0;
}

// The first line of a kind also gives the attribute that was current in
// Jw_cad; every line of the kind sets the attribute of the entities after it.
void SetAttribute(bool& fresh, int& current, int& state, int value) {
  if (fresh) {
    current = value;
    fresh = false;
  }
  state = value;
}

void OnModifier(int bit) {
  int& z = gDataModel.AttrState.ZFlags;
  if ((z & bit) == 0) z += bit;
}

}  // namespace

// Drawing settings.

void OnFileName(const LineTokens& t) { gDataModel.DrawingFileName = std::string(Rest(t, 5)); }

void OnAxisAngle(const LineTokens& t) { gDataModel.AxisAngle = Real(t, 1); }

void OnLayerGroupScales(const LineTokens& t) {
  for (int i = 0; i < 16; ++i) gDataModel.LayerGroupScale[i] = Real(t, i + 1);
}

void OnSheetSize(const LineTokens& t) {
  gDataModel.SheetWidth = Real(t, 1);
  gDataModel.SheetHeight = Real(t, 2);
}

void OnTextTypeWidths(const LineTokens& t) {
  for (int i = 1; i <= 10; ++i) gDataModel.TextTypeTable[i].Width = Real(t, i);
}

void OnTextTypeHeights(const LineTokens& t) {
  for (int i = 1; i <= 10; ++i) gDataModel.TextTypeTable[i].Height = Real(t, i);
}

void OnTextTypeSpacings(const LineTokens& t) {
  for (int i = 1; i <= 10; ++i) gDataModel.TextTypeTable[i].Spacing = Real(t, i);
}

void OnTextTypeColors(const LineTokens& t) {
  for (int i = 1; i <= 10; ++i) gDataModel.TextTypeTable[i].Color = Integer(t, i);
}

void OnBzFlag(const LineTokens&) { gDataModel.BzFlag = true; }

void OnHnValues(const LineTokens& t) {
  for (int i = 1; i <= 4; ++i) gDataModel.HnValues[i] = Real(t, i);
}

// Layers and attributes.

void OnLayerGroupName(const LineTokens& t) {
  gDataModel.LayerGroupName[gDataModel.AttrState.LayerGroup] = std::string(Rest(t, 3));
}

void OnLayerName(const LineTokens& t) {
  const AttributeState& a = gDataModel.AttrState;
  gDataModel.LayerName[a.LayerGroup * 16 + a.Layer] = std::string(Rest(t, 3));
}

void OnLayerGroup(const LineTokens& t) {
  DataModel& m = gDataModel;
  int v = HexDigitAfter(t, 2);
  SetAttribute(m.FreshFlags.LayerGroup, m.CurLayerGroup, m.AttrState.LayerGroup, v);
  if (t.Count >= 2) m.LayerGroupState[v] = Integer(t, 1);
}

void OnLayer(const LineTokens& t) {
  DataModel& m = gDataModel;
  int v = HexDigitAfter(t, 2);
  SetAttribute(m.FreshFlags.Layer, m.CurLayer, m.AttrState.Layer, v);
  if (t.Count >= 2) m.LayerState[m.AttrState.LayerGroup * 16 + v] = Integer(t, 1);
}

void OnPenColor(const LineTokens& t) {
  DataModel& m = gDataModel;
  int v = TextToInteger(Rest(t, 2));
  SetAttribute(m.FreshFlags.PenColor, m.CurPenColor, m.AttrState.PenColor, v);
  // Colour 10 is the solid-colour pen; its second token is the solid's colour.
  if (v == 10 && t.Count >= 2) m.AttrState.SolidColor = Integer(t, 1);
}

void OnLineType(const LineTokens& t) {
  DataModel& m = gDataModel;
  SetAttribute(m.FreshFlags.LineType, m.CurLineType, m.AttrState.LineType,
               TextToInteger(Rest(t, 2)));
}

void OnLineWidth(const LineTokens& t) {
  DataModel& m = gDataModel;
  SetAttribute(m.FreshFlags.LineWidth, m.CurLineWidth, m.AttrState.LineWidth,
               TextToInteger(Rest(t, 2)));
}

void OnFontName(const LineTokens& t) {
  DataModel& m = gDataModel;
  if (m.CurFontName.empty()) m.CurFontName = std::string(Rest(t, 3));
  m.AttrState.FontName = std::string(Rest(t, 3));
}

void OnTextType(const LineTokens& t) {
  DataModel& m = gDataModel;
  AttributeState& a = m.AttrState;
  const int v = TextToInteger(Rest(t, 2));
  const bool freeSize = v == 0 && t.Count >= 5;
  if (m.FreshFlags.TextType) {
    m.CurTextType = v;
    if (freeSize) {
      m.CurFreeTextWidth = Real(t, 1);
      m.CurFreeTextHeight = Real(t, 2);
      m.CurFreeTextSpacing = Real(t, 3);
      m.CurFreeTextColor = Integer(t, 4);
    }
    m.FreshFlags.TextType = false;
  }
  a.TextType = v;
  if (freeSize) {
    a.TextWidth = Real(t, 1);
    a.TextHeight = Real(t, 2);
    a.TextSpacing = Real(t, 3);
    a.TextColor = Integer(t, 4);
  }
}

void OnTextCC(const LineTokens& t) {
  std::string_view digit = Rest(t, 2).substr(0, 1);
  int v = TextToInteger(digit);
  gDataModel.AttrState.TextCC = (v >= 0 && v <= 8) ? v : 0;
}

void OnModifierZ1(const LineTokens&) { OnModifier(kZFlagBits[0]); }
void OnModifierZ2(const LineTokens&) { OnModifier(kZFlagBits[1]); }
void OnModifierZ3(const LineTokens&) { OnModifier(kZFlagBits[2]); }
void OnModifierZ4(const LineTokens&) { OnModifier(kZFlagBits[3]); }
void OnModifierZ5(const LineTokens&) { OnModifier(kZFlagBits[4]); }

void OnPointColor(const LineTokens& t) {
  gDataModel.AttrState.PointColor = TextToInteger(Rest(t, 2));
}

// Modes.

void OnPolyline(const LineTokens&) {
  AttributeState& a = gDataModel.AttrState;
  a.PolylineCount += 1;
  a.InPolyline = true;
  a.InDimension = false;
}

void OnDimensionFigure(const LineTokens&) {
  AttributeState& a = gDataModel.AttrState;
  a.InDimension = true;
  a.InPolyline = false;
}

void OnEndOfMode(const LineTokens&) {
  AttributeState& a = gDataModel.AttrState;
  a.InPolyline = false;
  a.InDimension = false;
}

// Picked points: "hp1 x y", "hp1- x y", "hp1ln x y", "hp1ci x y", "hp1ch x y".
void OnPickedPoint(const LineTokens& t) {
  const std::string_view token = t.Tokens[0];
  std::string_view number = token.substr(2);
  int kind = 0;
  static constexpr std::string_view kMarks[] = {"-", "ln", "ci", "ch"};
  for (int k = 0; k < 4; ++k) {
    std::size_t p = token.find(kMarks[k]);
    if (p != std::string_view::npos && p >= 2) {
      number = token.substr(2, p - 2);
      kind = k + 1;
    }
  }
  int n = TextToInteger(number);
  if (n < 1 || n > 99) return;
  DataModel& m = gDataModel;
  m.PickedPoints[n] = PickedPoint{true, Real(t, 1), Real(t, 2), kind};
  m.PickedPointCount += 1;
}

// Entity tags: "hhp12", or "hhp12ln" / "hhp12ci" / "hhp12ch".
void OnEntityTag(const LineTokens& t) {
  const std::string_view token = t.Tokens[0];
  std::size_t length = token.size();
  for (std::string_view mark :
       {std::string_view("ln"), std::string_view("ci"), std::string_view("ch")}) {
    std::size_t p = token.find(mark);
    if (p != std::string_view::npos && p >= 4) length = p - 3;
  }
  gDataModel.AttrState.EntityTag = TextToInteger(token.substr(3, length));
}
