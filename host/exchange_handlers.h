#pragma once
// The handlers of the exchange file's vocabulary, one for each kind of line
// host/keyword_dispatch.cpp's table tells apart: the drawing settings, the
// attributes, modes, picked points and entity tags (host/setting_handlers.cpp),
// and the entities (host/entity_handlers.cpp). Each interprets the tokens of
// one line into gDataModel. Internal to the reader.

#include <algorithm>
#include <string_view>

#include "host/exchange_tokenizer.h"
#include "util/text_to_number.h"

// Token `i` as a number; malformed reads as 0.
inline double Real(const LineTokens& t, int i) { return TextToReal(t.Tokens[i]); }
inline int Integer(const LineTokens& t, int i) { return TextToInteger(t.Tokens[i]); }

// Token 0 after its keyword.
inline std::string_view Rest(const LineTokens& t, std::size_t keywordLength) {
  return t.Tokens[0].substr(std::min(keywordLength, t.Tokens[0].size()));
}

// Whether `token` is the keyword of a text line ("ch", "cs", ...).
bool IsTextKeyword(std::string_view token);

// Drawing settings: "file=", "hk", "hs", "hzs", "hcw", "hch", "hcd", "hcc",
// "bz", "hn".
void OnFileName(const LineTokens& t);
void OnAxisAngle(const LineTokens& t);
void OnLayerGroupScales(const LineTokens& t);
void OnSheetSize(const LineTokens& t);
void OnTextTypeWidths(const LineTokens& t);
void OnTextTypeHeights(const LineTokens& t);
void OnTextTypeSpacings(const LineTokens& t);
void OnTextTypeColors(const LineTokens& t);
void OnBzFlag(const LineTokens& t);
void OnHnValues(const LineTokens& t);

// Layers and attributes: "lgn", "lyn", "lg", "ly", "lc", "lt", "lw", "cn$",
// "cn", "cc", "pn"; the modifiers "z1" to "z5" of the next entity.
void OnLayerGroupName(const LineTokens& t);
void OnLayerName(const LineTokens& t);
void OnLayerGroup(const LineTokens& t);
void OnLayer(const LineTokens& t);
void OnPenColor(const LineTokens& t);
void OnLineType(const LineTokens& t);
void OnLineWidth(const LineTokens& t);
void OnFontName(const LineTokens& t);
void OnTextType(const LineTokens& t);
void OnTextCC(const LineTokens& t);
void OnPointColor(const LineTokens& t);
void OnModifierZ1(const LineTokens& t);
void OnModifierZ2(const LineTokens& t);
void OnModifierZ3(const LineTokens& t);
void OnModifierZ4(const LineTokens& t);
void OnModifierZ5(const LineTokens& t);

// Modes ("pl", "msg", "#"), picked points ("hp") and entity tags ("hhp").
void OnPolyline(const LineTokens& t);
void OnDimensionFigure(const LineTokens& t);
void OnEndOfMode(const LineTokens& t);
void OnPickedPoint(const LineTokens& t);
void OnEntityTag(const LineTokens& t);

// Entities: circles and arcs ("ci"), texts, points ("pt"), blocks ("BL"),
// solids ("sl"), curved solids ("sc", "se", "so", "sg") and straight lines.
void OnCircle(const LineTokens& t);
void OnArc(const LineTokens& t);
void OnText(const LineTokens& t);
void OnPoint(const LineTokens& t);
void OnCodedPoint(const LineTokens& t);
void OnBlock(const LineTokens& t);
void OnSolid2(const LineTokens& t);
void OnSolid3(const LineTokens& t);
void OnSolid4(const LineTokens& t);
void OnCurvedSolidSc(const LineTokens& t);
void OnCurvedSolidSe(const LineTokens& t);
void OnCurvedSolidSo(const LineTokens& t);
void OnCurvedSolidSg(const LineTokens& t);
void OnStraightLine(const LineTokens& t);
