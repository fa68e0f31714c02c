#pragma once
// Output commands for Jw_cad, collected in gDataModel.OutputLines and written
// to JWC_TEMP.TXT when the window closes. The attribute emitters leave out a
// command whose value equals the one last written.

#include <filesystem>
#include <string>
#include <string_view>

#include "host/file_failure.h"

void AddOutputLine(std::string_view text);
// The same, before every line already there: Jw_cad looks for some commands
// ("hr") on the first line only.
void AddFirstOutputLine(std::string_view text);

void OutLayerGroup(int group);
void OutLayer(int layer);
void OutPenColor(int colour);
void OutLineType(int type);
void OutLineWidth(int width);
void OutTextType(int type, int colour, double width, double height, double spacing);
void OutTextCC(int value);
void OutFontName(std::string_view name);
void OutPointColor(int colour);
void OutZFlags(int flags);
void OutLine(double x1, double y1, double x2, double y2);
// Jw_cad's point codes; OutPoint writes any other code as -3.
inline constexpr int kLowestPointCode = -7;
inline constexpr int kHighestPointCode = 11;
void OutPoint(int code, double x, double y, double scale, double angle);
void OutText(int kind, std::string_view text, double x, double y, double dx, double dy);
void OutDimension(std::string_view text, double x1, double y1, double x2, double y2, double x,
                  double y, double dx, double dy);

// The bytes WriteExchangeFile writes for the current list: "hq" for an empty
// list, entries ending in a double quote joined with the next, CR LF ends.
std::string FormatOutputLines();

// Replaces the file at `path` with FormatOutputLines(), whole or not at all;
// false on failure, with the reason in `failure` when given.
bool WriteExchangeFile(const std::filesystem::path& path, FileFailure* failure = nullptr);
