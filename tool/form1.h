#pragma once
// TForm1: the dialog's logic. Its handlers drive the whole pass: FormShow reads
// JWC_TEMP.TXT and t407.dat, Button1Click places, saves and emits the added
// dimension, FormClose writes the output commands back for Jw_cad.
// TakeReference, which only the quick pass runs, records a dimension the user
// picked as the one to chain from. Preview shows in the dialog's strip what OK
// would add. In the whole-row mode OK adds a row of dimensions along the
// selected figures instead (tool/dimension_row.h). (form1.cpp: start-up and
// close; form1_settings.cpp: t407.dat; form1_ok.cpp: OK, the preview, taking
// a reference; form1_row.cpp: the whole row.)

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/durable_file.h"
#include "host/file_failure.h"
#include "tool/dialog_values.h"
#include "tool/dimension_figure.h"
#include "tool/dimension_mode.h"
#include "tool/dimension_row.h"
#include "tool/form_toolkit.h"
#include "tool/placement.h"
#include "tool/preview_scene.h"
#include "tool/row_positions.h"

// The two files in the program's folder: the exchange file Jw_cad writes and
// reads back, and the settings shared with t407.
inline constexpr const char* kExchangeFileName = "JWC_TEMP.TXT";
inline constexpr const char* kSettingsFileName = "t407.dat";

// Where the window stands, left and top, until t407.dat says otherwise.
inline constexpr int kDefaultWindowPosition = 100;

// The text line `line` (1..22) of a new t407.dat gets: the window's default
// place, the dialog's defaults.
std::string DefaultSettingsLine(int line);

// How the last Button1Click ended.
enum class OkOutcome {
  NotRun,
  CheckFailed,      // focus moved to FailedControl; the window stays open
  Inside,           // refused: the picked point lies inside the reference
  NoLinePoint,      // refused (whole row): picked point 1, the line's place, was not passed
  TooFewPositions,  // refused (whole row): the selection has fewer than two places
  TooLarge,         // refused: a coordinate would not be a finite number
  SaveFailed,       // refused: t407.dat could not be saved; the window was asked to close
  ZeroLength,       // refused after saving: the dimension would measure 0
  Added,            // commands appended; the window was asked to close
};

// How TakeReference ended.
enum class ReferenceOutcome {
  Taken,          // t407.dat holds the picked dimension as the reference
  PointsMissing,  // picked point 1, 2 or 3 was not passed
  NoLength,       // start and end lie at one place along the axis angle
  FileFailed,     // JWC_TEMP.TXT or t407.dat could not be read, or t407.dat not saved
};

class TForm1 {
 public:
  explicit TForm1(FormToolkit& toolkit, DimensionMode mode = DimensionMode::OneDimension);

  // Start-up: reads both files; refuses (message, then close) without
  // t407.dat, except for the whole row, which needs no reference.
  void FormShow();
  // The part of start-up that reads JWC_TEMP.TXT and t407.dat into the data
  // model, the dialog and the fields, without deciding anything.
  void ReadInputFiles();
  // Every close: writes JWC_TEMP.TXT, and puts the t407.dat that OK (or
  // TakeReference) prepared in place right before it, and releases the data
  // model. When either cannot be written, both files keep what they held
  // before this run (JWC_TEMP.TXT Jw_cad's own content) and the user is told.
  void FormClose();
  // OK and Cancel. Both do nothing before start-up and once closing was
  // asked for: a second Enter must not add the dimension twice.
  void Button1Click();
  void Button2Click();
  // Any value of the dialog changed: the strip shows anew what OK would add.
  void ValuesChanged();

  // What OK would add, or its refusal, as the strip shows it. A dry run of OK:
  // it writes no file and changes no field, no control and no output command.
  PreviewScene Preview();

  void LoadSettings(const std::filesystem::path& path);
  // Written whole or not at all, at once. (OK only prepares its t407.dat, for
  // the close to put in place together with JWC_TEMP.TXT.)
  FileFailure SaveSettings(const std::filesystem::path& path);

  // Jw_cad's picked points 1, 2 and 3 become the reference dimension (start,
  // end, a point of its dimension line), recorded in the current layer group
  // as OK records the extended one. t407.dat keeps its lines 1 to 22 as they
  // were read; a new one gets the dialog's defaults. Call after ReadInputFiles.
  ReferenceOutcome TakeReference();

  // True once FormShow has refused to start (no usable t407.dat, or an input
  // file that could not be read).
  bool StartRefused() const { return startRefused_; }
  // The message of the last refusal or failure (Shift-JIS): of start-up, OK,
  // TakeReference or the close.
  const std::string& RefusalMessage() const { return refusalMessage_; }
  // False once FormClose could not write JWC_TEMP.TXT.
  bool ExchangeWritten() const { return exchangeWritten_; }
  // Without a window to show a box (the quick pass), a JWC_TEMP.TXT that could
  // not take the run's commands is left with the reason for Jw_cad to show,
  // as an "he" line, when even that can be written; the dialog leaves "hq".
  void LeaveFailuresForJwCad(bool on) { failuresForJwCad_ = on; }
  OkOutcome LastOkOutcome() const { return lastOkOutcome_; }
  ControlId FailedControl() const { return failedControl_; }

  // Fields of the window.
  std::filesystem::path ProgramFolder;
  int SavedLeft = kDefaultWindowPosition;
  int SavedTop = kDefaultWindowPosition;
  int ReferenceLayerGroup = -1;
  double ReferenceScale = 1.0;
  double ReferenceAxisAngle = 0;
  Point ReferenceStart, ReferenceEnd, ReferenceLinePoint;

 private:
  // The new t407.dat of this run, prepared beside the file and waiting for
  // the close to put it in place right before JWC_TEMP.TXT; and what the file
  // held, to be put back should JWC_TEMP.TXT then fail after all.
  struct SettingsSave {
    PendingReplacement Pending;
    bool Existed = false;
    std::string Bytes;
    // What a message about a failed close says did not happen.
    std::string_view NotDone;
  };

  // What OK would do with the dialog and the files as they stand, worked out
  // without doing any of it.
  struct OkPlan {
    OkOutcome Outcome = OkOutcome::NotRun;  // any but NotRun and SaveFailed
    ControlId FailedControl = ControlId::Button1;
    std::optional<char32_t> RejectedCharacter;  // of a text that failed its check
    DialogValues Values;
    // One dimension.
    DimensionDrawing Drawing;
    DimensionFigure Figure;
    // The whole row, shared with the cache below.
    std::shared_ptr<const DimensionRow> Row;
    // What t407.dat keeps as the dimension to chain from, once accepted.
    ReferenceDimension NewReference;
  };
  OkPlan PlanOk();
  // The whole row's part of PlanOk, after the dialog was read.
  void PlanRow(OkPlan& plan);
  // The places of the selection for a value text of steps of `step`: found
  // once per step, since the selection cannot change while the dialog is open.
  const RowPositions& RowPositionsFor(double step);
  // The row on `positions` drawn with `values`: computed once for the
  // strip and OK alike, again only when a value changed.
  std::shared_ptr<const DimensionRow> RowFor(const RowDrawing& drawing, const DialogValues& values);
  // The strip's line about the row OK would add.
  PreviewScene RowPreview(const OkPlan& plan, const StripSize& strip) const;
  // OK's refusals that come before anything is saved: true when `plan` is one.
  bool RefusedBeforeSaving(const OkPlan& plan);
  // Prepares the t407.dat OK leaves (at once in place for a dimension of
  // length 0); false, with the refusal shown and the close asked for, when
  // it cannot be saved.
  bool SaveForOk(const OkPlan& plan);
  // How a failed check is named: the value's caption, and a character its
  // text may not hold.
  SceneMessage CheckFailureMessage(const OkPlan& plan) const;
  // What the band says of a failed check: what the value has to be.
  SceneMessage RefusedValueLine(const OkPlan& plan);

  bool TakesClicks() const { return started_ && !closing_; }
  // Every close TForm1 asks for goes through here, so that it takes no more clicks.
  void RequestClose();
  void FillTextTypeList();
  // Without t407.dat the text-type list has no selection (it has no default
  // of its own): a new t407.dat names the current text type, so that the
  // next pass can run.
  void SelectTextTypeForNewSettings();
  // Why the run cannot go on with the input files as read, followed by
  // `notDone`; empty when it can. A missing JWC_TEMP.TXT is no reason.
  std::string InputFailureMessage(std::string_view notDone) const;
  void Refuse(std::string_view message);
  void ApplySettingsLine(int line, const std::string& text);
  std::string SettingsLineText(int line);
  // The 31 lines SaveSettings writes, as things stand.
  std::vector<std::string> SettingsLines();
  // Prepares `lines` as the new t407.dat in settingsSave_, keeping what the
  // file holds; `notDone` says what a failed close did not do.
  FileFailure PrepareSettings(const std::filesystem::path& path,
                              const std::vector<std::string>& lines, std::string_view notDone);
  // Puts the prepared t407.dat in place now, made durable.
  FileFailure PutSettingsInPlace();
  // Puts t407.dat back as settingsSave_ holds it.
  FileFailure RestoreSettings();
  // Puts the prepared t407.dat and JWC_TEMP.TXT in place one right after the
  // other; on failure neither changes, and the reason comes back.
  FileFailure DeliverFiles(std::string& message);
  // After a failed delivery: the message, and what Jw_cad may still be told.
  void ReportUndelivered(const std::string& message);
  // Reads and checks the dialog; false and the control on a failed check.
  bool ReadDialog(DialogValues& values, ControlId& failed);

  FormToolkit& toolkit_;
  DimensionMode mode_;
  struct CachedPositions {
    double Step = 0;
    RowPositions Positions;
  };
  std::optional<CachedPositions> rowPositions_;
  struct CachedRow {
    DialogValues Values;
    std::shared_ptr<const DimensionRow> Row;
  };
  std::optional<CachedRow> row_;
  bool started_ = false;
  bool closing_ = false;
  // The exchange file is written once: a later close would write it again
  // from the released model, over the commands of this run.
  bool closed_ = false;
  bool startRefused_ = false;
  // Start-up has filled the dialog: from now on a change shows in the strip.
  bool previewing_ = false;
  bool exchangeWritten_ = true;
  bool failuresForJwCad_ = false;
  std::string refusalMessage_;
  OkOutcome lastOkOutcome_ = OkOutcome::NotRun;
  // How reading JWC_TEMP.TXT went (Missing: there was none).
  FileFailure exchangeFailure_ = FileFailure::None;
  // t407.dat's lines as LoadSettings read them (the missing ones empty), how
  // many the file had, and how reading it went (Missing: there was none).
  std::vector<std::string> loadedSettingsLines_;
  int loadedLineCount_ = 0;
  FileFailure settingsFailure_ = FileFailure::Missing;
  SettingsSave settingsSave_;
  ControlId failedControl_ = ControlId::Button1;
};
