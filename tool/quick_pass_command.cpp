#include "tool/quick_pass_command.h"

#include "host/data_model.h"
#include "host/output_writer.h"
#include "tool/form1.h"
#include "tool/quick_pass.h"
#include "tool/ui_texts.h"

namespace {

constexpr int kUnknownArgumentsStatus = 2;

struct ModeSwitch {
  std::string_view Lower, Upper;
  QuickPassMode Mode;
};

constexpr ModeSwitch kModeSwitches[] = {
    {"/k", "/K", QuickPassMode::TakeReference},
    {"/r", "/R", QuickPassMode::RepeatChain},
};

int RefuseArguments(const std::filesystem::path& programFolder, std::string* messageOut) {
  ResetDataModel();
  AddOutputLine("he" + std::string(kMessageUnknownArguments));
  WriteExchangeFile(programFolder / kExchangeFileName);
  FreeDataModel();
  if (messageOut != nullptr) *messageOut = std::string(kMessageUnknownArguments);
  return kUnknownArgumentsStatus;
}

}  // namespace

std::optional<QuickPassMode> QuickPassModeOf(std::span<const std::string> arguments) {
  if (arguments.empty()) return QuickPassMode::AddDimension;
  if (arguments.size() > 1) return std::nullopt;
  for (const ModeSwitch& s : kModeSwitches) {
    if (arguments[0] == s.Lower || arguments[0] == s.Upper) return s.Mode;
  }
  return std::nullopt;
}

int RunQuickPassCommand(const std::filesystem::path& programFolder,
                        std::span<const std::string> arguments, std::string* messageOut) {
  const std::optional<QuickPassMode> mode = QuickPassModeOf(arguments);
  if (!mode) return RefuseArguments(programFolder, messageOut);
  switch (*mode) {
    case QuickPassMode::TakeReference:
      return RunReferencePass(programFolder, messageOut);
    case QuickPassMode::RepeatChain:
      return RunRepeatingQuickPass(programFolder, messageOut);
    case QuickPassMode::AddDimension:
      break;
  }
  return RunQuickPass(programFolder, messageOut);
}
