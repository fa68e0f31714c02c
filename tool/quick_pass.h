#pragma once
// The quick pass: one run of the dialog without a window, OK pressed at once
// with the values t407.dat holds. Jw_cad gets either the added dimension or,
// when the run is refused, an "he" line carrying the reason, which Jw_cad
// shows to the user.

#include <filesystem>
#include <string>

// Runs the pass in `programFolder` (JWC_TEMP.TXT and t407.dat). Returns 0
// when the dimension was added, 1 when the run was refused; then
// `messageOut`, when given, receives the reason (Shift-JIS).
int RunQuickPass(const std::filesystem::path& programFolder, std::string* messageOut);
