#include "tool/quick_pass.h"

#include "host/output_writer.h"
#include "tool/form1.h"
#include "tool/memory_form.h"
#include "tool/ui_texts.h"

namespace {

// How the reason names a value that failed its check: the caption the user
// knows it by in the dialog.
std::string_view ValueName(ControlId control) {
  switch (control) {
    case ControlId::ComboBox1:
      return kValueNameStartMarker;
    case ControlId::ComboBox2:
      return kValueNameEndMarker;
    case ControlId::Edit1:
      return kValueNameEndMarkerScale;
    case ControlId::Edit7:
      return kValueNameArrowLength;
    case ControlId::Edit8:
      return kValueNameArrowAngle;
    case ControlId::ComboBox3:
      return kValueNameTextType;
    case ControlId::ComboBox4:
      return kValueNamePrecision;
    case ControlId::ComboBox5:
      return kValueNameRounding;
    case ControlId::RadioGroup1:
      return kValueNameTrailingZeros;
    case ControlId::RadioGroup2:
      return kValueNameUnit;
    case ControlId::Edit5:
      return kValueNameExtensionGap;
    case ControlId::Edit6:
      return kValueNameExtensionOvershoot;
    case ControlId::Edit9:
      return kValueNameReverseOvershoot;
    default:
      return {};
  }
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
