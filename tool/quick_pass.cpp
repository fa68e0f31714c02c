#include "tool/quick_pass.h"

#include "host/output_writer.h"
#include "tool/dialog_values.h"
#include "tool/form1.h"
#include "tool/memory_form.h"
#include "tool/ui_texts.h"

namespace {

// How the reason names a value that failed its check.
std::string_view ValueName(ControlId control) {
  const DialogValueRow* row = FindDialogValue(control);
  return row != nullptr ? row->MessageName : std::string_view();
}

// The exchange file then holds the single line "he" + message instead of "hq".
int Refuse(TForm1& form, const std::string& message, std::string* messageOut) {
  AddOutputLine("he" + message);
  form.FormClose();
  if (messageOut != nullptr) *messageOut = message;
  return 1;
}

}  // namespace

int RunQuickPass(const std::filesystem::path& programFolder, std::string* messageOut) {
  MemoryForm window(programFolder);
  TForm1 form(window);
  form.FormShow();
  if (form.StartRefused()) return Refuse(form, std::string(kMessageNoSettingsFile), messageOut);

  // The window stands where t407.dat put it, so the save keeps that position.
  form.Button1Click();
  switch (form.LastOkOutcome()) {
    case OkOutcome::CheckFailed:
      return Refuse(form,
                    std::string(kInvalidValueOpen) + std::string(ValueName(form.FailedControl())) +
                        std::string(kInvalidValueClose),
                    messageOut);
    case OkOutcome::Inside:
      return Refuse(form, std::string(kMessageInsideReference), messageOut);
    case OkOutcome::ZeroLength:
      return Refuse(form, std::string(kMessageZeroLength), messageOut);
    case OkOutcome::Added:
    case OkOutcome::NotRun:
      break;
  }
  form.FormClose();
  if (messageOut != nullptr) messageOut->clear();
  return 0;
}
