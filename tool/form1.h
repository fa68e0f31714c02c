#pragma once
// TForm1: the dialog's logic. Its handlers drive the whole pass: FormShow reads
// JWC_TEMP.TXT and t407.dat, Button1Click places, saves and emits the added
// dimension, FormClose writes the output commands back for Jw_cad.

#include <filesystem>
#include <string>

#include "tool/dialog_values.h"
#include "tool/form_toolkit.h"
#include "tool/placement.h"

// How the last Button1Click ended.
enum class OkOutcome {
  NotRun,
  CheckFailed,  // focus moved to FailedControl; the window stays open
  Inside,       // refused: the picked point lies inside the reference
  ZeroLength,   // refused after saving: the dimension would measure 0
  Added,        // commands appended; the window was asked to close
};

class TForm1 {
 public:
  explicit TForm1(FormToolkit& toolkit);

  // Start-up: reads both files; refuses (message, then close) without t407.dat.
  void FormShow();
  // Every close: writes JWC_TEMP.TXT and releases the data model.
  void FormClose();
  // OK and Cancel. Both do nothing before start-up and once closing was
  // asked for: a second Enter must not add the dimension twice.
  void Button1Click();
  void Button2Click();

  void LoadSettings(const std::filesystem::path& path);
  void SaveSettings(const std::filesystem::path& path);

  // True once FormShow has refused to start (no usable t407.dat).
  bool StartRefused() const { return startRefused_; }
  OkOutcome LastOkOutcome() const { return lastOkOutcome_; }
  ControlId FailedControl() const { return failedControl_; }

  // Fields of the window.
  std::filesystem::path ProgramFolder;
  int SavedLeft = 100;
  int SavedTop = 100;
  int ReferenceLayerGroup = -1;
  double ReferenceScale = 1.0;
  double ReferenceAxisAngle = 0;
  Point ReferenceStart, ReferenceEnd, ReferenceLinePoint;
  std::string PageAddress;

 private:
  bool TakesClicks() const { return started_ && !closing_; }
  // Every close TForm1 asks for goes through here, so that it takes no more clicks.
  void RequestClose();
  void FillTextTypeList();
  void ApplySettingsLine(int line, const std::string& text);
  std::string SettingsLineText(int line);
  // Reads and checks the dialog; on a failed check moves the focus and
  // returns false.
  bool ReadDialog(DialogValues& values);

  FormToolkit& toolkit_;
  bool started_ = false;
  bool closing_ = false;
  bool startRefused_ = false;
  OkOutcome lastOkOutcome_ = OkOutcome::NotRun;
  ControlId failedControl_ = ControlId::Button1;
};
