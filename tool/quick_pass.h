#pragma once
// The quick passes: runs of the dialog without a window. Jw_cad gets either
// what the pass made or, when the run is refused, an "he" line carrying the
// reason, which Jw_cad shows to the user.

#include <filesystem>
#include <string>

// OK pressed at once with the values t407.dat holds, in `programFolder`
// (JWC_TEMP.TXT and t407.dat). Returns 0 when the dimension was added, 1 when
// the run was refused; then `messageOut`, when given, receives the reason
// (Shift-JIS).
int RunQuickPass(const std::filesystem::path& programFolder, std::string* messageOut);

// The same pass, one link of a chain: when the dimension was added, the
// exchange file begins with "hr", so Jw_cad draws it and starts the pass
// again for the next point. A refusal leaves only its "he" line, which ends
// the chain with the reason shown.
int RunRepeatingQuickPass(const std::filesystem::path& programFolder, std::string* messageOut);

// OK pressed at once in the dialog's whole-row mode (t408a.bat), with the
// values t407.dat holds or, without one, the dialog's defaults: a row of
// dimensions along the selected figures, on a line through picked point 1.
// Returns 0 when the row was added, 1 when it was refused, as RunQuickPass.
int RunWholeRowPass(const std::filesystem::path& programFolder, std::string* messageOut);

// Picked points 1, 2 and 3 become the reference dimension in t407.dat
// (TForm1::TakeReference); nothing is drawn. Returns 0 with an "h#" notice
// for Jw_cad, or 1 with the reason in an "he" line.
int RunReferencePass(const std::filesystem::path& programFolder, std::string* messageOut);
