#pragma once
// The running executable's path and folder: where Jw_cad leaves JWC_TEMP.TXT
// and where t407.dat lives. Both Windows programs look it up here.

#include <filesystem>

// Empty when Windows cannot tell the executable's path.
std::filesystem::path RunningProgramPath();
std::filesystem::path RunningProgramFolder();
