#pragma once
// The rules every file t408 writes must keep, whatever it was given, checked
// by the fuzz targets. A broken rule stops the run with a message naming it.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Stops the fuzzer with `what` and the offending bytes (escaped).
[[noreturn]] void FuzzFail(std::string_view what, std::string_view bytes);

// Code page 932: single bytes 0x00..0x7F and 0xA1..0xDF; a lead byte
// (0x81..0x9F, 0xE0..0xFC) followed by a trail byte 0x40..0x7E or 0x80..0xFC.
bool IsValidCp932(std::string_view text);

// Lines split at CR LF; false when a line end is anything else.
bool SplitCrLfLines(std::string_view bytes, std::vector<std::string_view>& lines);

// A number as the exchange file and t407.dat write it: -?digits[.digits][E-?digits].
bool IsNumberText(std::string_view text);

// JWC_TEMP.TXT as the pass writes it: CR LF lines; each line one entry of at
// most 255 bytes, or a command ending in a double quote joined with its text
// (each part at most 255 bytes); every command field a number or a known
// keyword (no "inf", "nan" or other text Jw_cad cannot read); valid code page
// 932 when `inputsValid`.
void CheckExchangeOutput(std::string_view bytes, bool inputsValid);

// t407.dat as written: exactly 31 lines, each ended by CR LF, with no CR, LF
// or 0x1A inside a line, and valid code page 932 when `inputsValid`.
void CheckSettingsOutput(std::string_view bytes, bool inputsValid);

// A folder of this process's own under the temporary folder, made on first
// use and removed when the process ends.
const std::filesystem::path& FuzzFolder();

std::string ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, std::string_view bytes);
// Anything but the two files t408 owns left in `folder` (a temporary file).
void CheckNoLeftovers(const std::filesystem::path& folder);
