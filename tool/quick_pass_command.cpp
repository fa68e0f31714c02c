#include "tool/quick_pass_command.h"

#include "host/data_model.h"
#include "host/output_writer.h"
#include "tool/file_messages.h"
#include "tool/form1.h"
#include "tool/program_arguments.h"
#include "tool/quick_pass.h"
#include "tool/ui_texts.h"

namespace {

constexpr int kUnknownArgumentsStatus = 2;

struct ModeSwitch {
  ProgramSwitch Switch;
  QuickPassMode Mode;
};

constexpr ModeSwitch kModeSwitches[] = {
    {kReferenceSwitch, QuickPassMode::TakeReference},
    {kRepeatSwitch, QuickPassMode::RepeatChain},
    {kWholeRowSwitch, QuickPassMode::WholeRow},
};

// Nothing else is written: t407.dat is never touched. Should even the "he"
// line not be written, the message says so too.
int RefuseArguments(const std::filesystem::path& programFolder, std::string* messageOut) {
  ResetDataModel();
  std::string message(kMessageUnknownArguments);
  AddOutputLine("he" + message);
  FileFailure failure = FileFailure::None;
  if (!WriteExchangeFile(programFolder / kExchangeFileName, &failure)) {
    message += FileMessage(kExchangeFileName, FileAction::Save, failure, "");
  }
  FreeDataModel();
  if (messageOut != nullptr) *messageOut = message;
  return kUnknownArgumentsStatus;
}

}  // namespace

std::optional<QuickPassMode> QuickPassModeOf(std::span<const std::string> arguments) {
  if (arguments.empty()) return QuickPassMode::AddDimension;
  if (arguments.size() > 1) return std::nullopt;
  for (const ModeSwitch& s : kModeSwitches) {
    if (IsSwitch(arguments[0], s.Switch)) return s.Mode;
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
    case QuickPassMode::WholeRow:
      return RunWholeRowPass(programFolder, messageOut);
    case QuickPassMode::AddDimension:
      break;
  }
  return RunQuickPass(programFolder, messageOut);
}
