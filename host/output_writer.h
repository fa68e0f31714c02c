#pragma once
// Output commands for Jw_cad, collected in gDataModel.OutputLines and written
// to JWC_TEMP.TXT when the window closes. The attribute emitters leave out a
// command whose value equals the one last written.

#include <filesystem>
#include <string>
#include <string_view>

#include "host/file_failure.h"

// Appends `text`, cut to 255 bytes on a character boundary, as one entry.
void AddOutputLine(std::string_view text);
// The same, before every line already there: Jw_cad looks for some commands
// ("hr") on the first line only.
void AddFirstOutputLine(std::string_view text);

// The attribute commands ("lg", "ly", "lc", "lt", "lw", "cn", "cc", the font
// line "cn\"$", "pn"): each is left out when its value equals the one last
// written, unless nothing of its kind was written since ResetOutputState. A
// new layer group makes the next layer count as not yet written. A width of
// -1 is the current one, and widths outside 0..30000, text types outside
// 0..10 (the current type) and TextCC values outside 0..8 are replaced.
void OutLayerGroup(int group);
void OutLayer(int layer);
void OutPenColor(int colour);
void OutLineType(int type);
void OutLineWidth(int width);
void OutTextType(int type, int colour, double width, double height, double spacing);
void OutTextCC(int value);
void OutFontName(std::string_view name);
void OutPointColor(int colour);
// One modifier line ("z1" .. "z5") per bit of `flags` (kZFlagBits), for the
// next drawing line; "z4" only without "z5".
void OutZFlags(int flags);
// A straight line in real units; left out when its ends lie within 1e-8.
void OutLine(double x1, double y1, double x2, double y2);
// Jw_cad's point codes; OutPoint writes any other code as -3.
inline constexpr int kLowestPointCode = -7;
inline constexpr int kHighestPointCode = 11;
// A point marker drawn by Jw_cad from its code, at `scale` (paper size; a
// scale within 1e-8 of 0 is written 1) and `angle` in degrees.
void OutPoint(int code, double x, double y, double scale, double angle);
// A text of kind `kind` (an index into kTextKeywords) starting at (x, y) along
// (dx, dy); left out for a direction within 1e-8 of none or a blank text.
void OutText(int kind, std::string_view text, double x, double y, double dx, double dy);
// A dimension figure: its line and its value text as one object ("msg"). A
// blank text becomes the line's length; left out like OutLine and OutText.
void OutDimension(std::string_view text, double x1, double y1, double x2, double y2, double x,
                  double y, double dx, double dy);

// The bytes WriteExchangeFile writes for the current list: "hq" for an empty
// list, entries ending in a double quote joined with the next, CR LF ends.
std::string FormatOutputLines();

// Replaces the file at `path` with FormatOutputLines(), whole or not at all;
// false on failure, with the reason in `failure` when given.
bool WriteExchangeFile(const std::filesystem::path& path, FileFailure* failure = nullptr);
