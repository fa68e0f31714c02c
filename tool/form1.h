#pragma once
// TForm1: the dialog's logic. Its handlers drive the whole pass: FormShow reads
// JWC_TEMP.TXT and t407.dat, Button1Click places, saves and emits the added
// dimension, FormClose writes the output commands back for Jw_cad.
// TakeReference, which only the quick pass runs, records a dimension the user
// picked as the one to chain from.

#include <filesystem>
#include <string>
#include <vector>

#include "tool/dialog_values.h"
#include "tool/form_toolkit.h"
#include "tool/placement.h"

// The two files in the program's folder: the exchange file Jw_cad writes and
// reads back, and the settings shared with t407.
inline constexpr const char* kExchangeFileName = "JWC_TEMP.TXT";
inline constexpr const char* kSettingsFileName = "t407.dat";

// How the last Button1Click ended.
enum class OkOutcome {
  NotRun,
  CheckFailed,  // focus moved to FailedControl; the window stays open
  Inside,       // refused: the picked point lies inside the reference
  ZeroLength,   // refused after saving: the dimension would measure 0
  Added,        // commands appended; the window was asked to close
};

// How TakeReference ended.
enum class ReferenceOutcome {
  Taken,           // t407.dat holds the picked dimension as the reference
  PointsMissing,   // picked point 1, 2 or 3 was not passed
  NoLength,        // start and end lie at one place along the axis angle
  SettingsFailed,  // t407.dat exists but could not be read, or could not be written
};

class TForm1 {
 public:
  explicit TForm1(FormToolkit& toolkit);

  // Start-up: reads both files; refuses (message, then close) without t407.dat.
  void FormShow();
  // The part of start-up that reads JWC_TEMP.TXT and t407.dat into the data
  // model, the dialog and the fields, without deciding anything.
  void ReadInputFiles();
  // Every close: writes JWC_TEMP.TXT and releases the data model.
  void FormClose();
  // OK and Cancel. Both do nothing before start-up and once closing was
  // asked for: a second Enter must not add the dimension twice.
  void Button1Click();
  void Button2Click();

  void LoadSettings(const std::filesystem::path& path);
  void SaveSettings(const std::filesystem::path& path);

  // Jw_cad's picked points 1, 2 and 3 become the reference dimension (start,
  // end, a point of its dimension line), recorded in the current layer group
  // as OK records the extended one. t407.dat keeps its lines 1 to 22 as they
  // were read; a new one gets the dialog's defaults. Call after ReadInputFiles.
  ReferenceOutcome TakeReference();

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
  // The 31 lines SaveSettings writes, as things stand.
  std::vector<std::string> SettingsLines();
  // Written whole or not at all; false when t407.dat could not be replaced.
  static bool WriteSettingsLines(const std::filesystem::path& path,
                                 const std::vector<std::string>& lines);
  // Reads and checks the dialog; on a failed check moves the focus and
  // returns false.
  bool ReadDialog(DialogValues& values);

  FormToolkit& toolkit_;
  bool started_ = false;
  bool closing_ = false;
  // The exchange file is written once: a later close would write it again
  // from the released model, over the commands of this run.
  bool closed_ = false;
  bool startRefused_ = false;
  OkOutcome lastOkOutcome_ = OkOutcome::NotRun;
  // t407.dat's lines as LoadSettings read them (the missing ones empty), and
  // whether an existing file could not be read to its end.
  std::vector<std::string> loadedSettingsLines_;
  bool settingsUnreadable_ = false;
  ControlId failedControl_ = ControlId::Button1;
};
