#include "tool/program_arguments.h"

bool IsSwitch(std::string_view argument, const ProgramSwitch& s) {
  return argument == s.Lower || argument == s.Upper;
}

std::optional<DimensionMode> DialogModeOf(std::span<const std::string> arguments) {
  if (arguments.empty()) return DimensionMode::OneDimension;
  if (arguments.size() == 1 && IsSwitch(arguments[0], kWholeRowSwitch)) {
    return DimensionMode::WholeRow;
  }
  return std::nullopt;
}
