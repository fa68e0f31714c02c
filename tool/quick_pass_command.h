#pragma once
// t408q's command line. Jw_cad's batch files start it with at most one
// argument, which picks what the run does. The native t408q and t408q.exe
// both hand their arguments here, so they behave alike.

#include <filesystem>
#include <optional>
#include <span>
#include <string>

enum class QuickPassMode {
  AddDimension,   // no argument (t408q.bat): add one dimension
  RepeatChain,    // "/r" (t408r.bat): add one and have Jw_cad ask for the next point
  TakeReference,  // "/k" (t408k.bat): store the picked dimension as the reference
  WholeRow,       // "/a" (t408a.bat run without the dialog): a row along the selection
};

// The mode selected by the arguments after the program's name (the letter in
// either case), or nothing for an argument t408q does not know or for more
// than one.
std::optional<QuickPassMode> QuickPassModeOf(std::span<const std::string> arguments);

// Runs the selected mode in `programFolder` and returns the exit status.
// Arguments that select no mode run nothing: the exchange file gets an "he"
// line naming the accepted ones, and the status is 2, so a mistyped batch
// file is never taken for a plain pass.
int RunQuickPassCommand(const std::filesystem::path& programFolder,
                        std::span<const std::string> arguments, std::string* messageOut);
