#pragma once
// The one argument Jw_cad's batch files give the two programs: a switch such
// as "/a", its letter in either case. t408q.exe takes /k, /r and /a
// (tool/quick_pass_command.h); t408.exe takes /a. Both programs refuse any
// other argument, so that a mistyped batch file is never taken for a plain
// pass.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tool/dimension_mode.h"

struct ProgramSwitch {
  std::string_view Lower, Upper;
};
inline constexpr ProgramSwitch kReferenceSwitch{"/k", "/K"};  // t408k.bat: take a reference
inline constexpr ProgramSwitch kRepeatSwitch{"/r", "/R"};     // t408r.bat: chain on
inline constexpr ProgramSwitch kWholeRowSwitch{"/a", "/A"};   // t408a.bat: a whole row

// Whether `argument` is the switch `s`, in either case.
bool IsSwitch(std::string_view argument, const ProgramSwitch& s);

// t408.exe's mode: one dimension without an argument, the whole row with
// kWholeRowSwitch; nothing for any other argument or for more than one.
std::optional<DimensionMode> DialogModeOf(std::span<const std::string> arguments);
