// Faults while a run reads or writes its two files: a read error part-way
// through either input, a read-only folder, a disk that fills up, a t407.dat
// marked read-only, a folder in the way of a temporary name, a JWC_TEMP.TXT
// that cannot be replaced once t407.dat was saved, a run killed before its
// files take their places. Whatever happens, the run
// has one outcome: either both files hold the new dimension (or reference), or
// neither does and the run says why; no temporary file is left behind.
//
// The same table runs for t408q, t408q /r, t408q /k, t408q /a and the
// dialog's OK, of one dimension and of a whole row (TForm1 through the
// in-memory form, in a child process).

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/cp932.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_process.h"
#include "tool/form1.h"
#include "tool/memory_form.h"

namespace {

std::string Example(const char* name) {
  return ReadBytes(std::filesystem::path(T408_SOURCE_DIR) / "examples" / name);
}

// The worked example with picked points 2 and 3 too, so that /k has a
// reference to take; the other runs use point 1 only.
std::string ExchangeInput() {
  std::string exchange = Example("JWC_TEMP.TXT");
  const std::size_t point1 = exchange.find("hp1 ");
  exchange.insert(exchange.find('\n', point1) + 1, "hp2 0 0\r\nhp3 0 -500\r\n");
  return exchange;
}

enum class Mode { Plain, Repeat, Reference, WholeRow, Dialog, DialogWholeRow };

struct ModeRow {
  Mode mode;
  const char* name;
  const char* argument;
};

constexpr ModeRow kModes[] = {
    {Mode::Plain, "t408q", nullptr},
    {Mode::Repeat, "t408q /r", "/r"},
    {Mode::Reference, "t408q /k", "/k"},
    {Mode::WholeRow, "t408q /a", "/a"},
    {Mode::Dialog, "the dialog's OK", nullptr},
    {Mode::DialogWholeRow, "the dialog's OK on a whole row", nullptr},
};

bool IsDialog(const ModeRow& mode) {
  return mode.mode == Mode::Dialog || mode.mode == Mode::DialogWholeRow;
}

// The dialog as its window runs it: start-up, OK unless refused, close. The
// boxes it showed go to stderr, one a line; the status says whether the
// dimension reached the exchange file.
int RunDialog(const std::filesystem::path& folder, DimensionMode dimensionMode) {
  MemoryForm window(folder);
  TForm1 form(window, dimensionMode);
  form.FormShow();
  if (!form.StartRefused()) form.Button1Click();
  form.FormClose();
  for (const std::string& message : window.Messages())
    std::fprintf(stderr, "%s\n", message.c_str());
  return form.LastOkOutcome() == OkOutcome::Added && form.ExchangeWritten() ? 0 : 1;
}

ProcessEnd RunMode(const ModeRow& mode, const QuickPassFolder& folder, const RunOptions& options) {
  if (!IsDialog(mode)) return folder.Run(options, mode.argument);
  const DimensionMode dimensionMode =
      mode.mode == Mode::DialogWholeRow ? DimensionMode::WholeRow : DimensionMode::OneDimension;
  return RunInChild(options, [&] { return RunDialog(folder.Path(), dimensionMode); });
}

void WriteInputs(const QuickPassFolder& folder) {
  WriteBytes(folder / "JWC_TEMP.TXT", ExchangeInput());
  WriteBytes(folder / "t407.dat", Example("t407.dat"));
}

struct CleanRun {
  std::string exchange;  // the complete output
  std::string settings;  // t407.dat with the new reference
};

CleanRun Clean(const ModeRow& mode) {
  QuickPassFolder folder;
  WriteInputs(folder);
  const ProcessEnd end = RunMode(mode, folder, RunOptions{});
  EXPECT_EQ(end.status, 0) << end.errorOutput;
  return CleanRun{ReadBytes(folder / "JWC_TEMP.TXT"), ReadBytes(folder / "t407.dat")};
}

// What a fault leads to.
enum class Outcome {
  Drawn,               // both files new
  ExchangeUnreadable,  // refused at start: nothing written but the reason
  SettingsUnreadable,
  SettingsNotSaved,  // refused before anything was drawn
  ExchangeNotSaved,  // t407.dat was saved, then put back
  BySize,            // a full disk: which file it cuts decides
};

struct Fault {
  const char* name;
  Outcome outcome;
  const char* reason = "";  // the reason the message gives, when it names one
  RunOptions options;
  // How the folder is prepared before the run, besides the input files.
  void (*prepare)(const QuickPassFolder& folder, bool asNobody) = nullptr;
  bool exchangeWritable = true;  // whether even a short reason can be written
  // Made of permissions, which root ignores: a test run as root runs the
  // pass as nobody.
  bool byPermissions = false;
};

constexpr int kNobody = 65534;

// The folder and its files belong to nobody, who runs the pass.
void GiveToNobody(const QuickPassFolder& folder) {
  for (const char* name : {"", "JWC_TEMP.TXT", "t407.dat"}) {
    ASSERT_EQ(chown((folder / name).c_str(), kNobody, kNobody), 0);
  }
}

// The message in UTF-8.
std::string Message(const ModeRow& mode, const char* file, const char* verb, const char* reason) {
  return std::string(file) + " を" + verb + "（" + reason + "）。" +
         (mode.mode == Mode::Reference ? "基準寸法は記憶されていません。"
                                       : "寸法は追加していません。");
}

struct Expected {
  int status = 0;
  std::string message;  // UTF-8; empty: none
  bool drawn = true;
};

// t408q tells the terminal in UTF-8; the dialog's boxes show Shift-JIS.
std::string ErrorOutput(const ModeRow& mode, const Expected& expected) {
  if (expected.message.empty()) return "";
  return (IsDialog(mode) ? ToCp932(expected.message) : expected.message) + "\n";
}

Expected Expect(const ModeRow& mode, const Fault& fault, const CleanRun& clean) {
  Outcome outcome = fault.outcome;
  if (outcome == Outcome::BySize) {
    const long limit = fault.options.maxFileBytes;
    outcome = limit < static_cast<long>(clean.settings.size())   ? Outcome::SettingsNotSaved
              : limit < static_cast<long>(clean.exchange.size()) ? Outcome::ExchangeNotSaved
                                                                 : Outcome::Drawn;
  }
  switch (outcome) {
    case Outcome::Drawn:
    case Outcome::BySize:
      return Expected{};
    case Outcome::ExchangeUnreadable:
      return {1, Message(mode, "JWC_TEMP.TXT", "読み込めませんでした", fault.reason), false};
    case Outcome::SettingsUnreadable:
      return {1, Message(mode, "t407.dat", "読み込めませんでした", fault.reason), false};
    case Outcome::SettingsNotSaved:
      return {1, Message(mode, "t407.dat", "保存出来ませんでした", fault.reason), false};
    case Outcome::ExchangeNotSaved:
      return {1, Message(mode, "JWC_TEMP.TXT", "保存出来ませんでした", fault.reason), false};
  }
  return Expected{};
}

// What JWC_TEMP.TXT holds after a run that drew nothing: the reason for
// Jw_cad ("hq" after the dialog's box), or, when not even that could be
// written, Jw_cad's own file, which it reads as a pass that did not run.
std::string ExchangeWithoutDrawing(const ModeRow& mode, const Fault& fault,
                                   const std::string& message) {
  const std::string reason = IsDialog(mode) ? "hq\r\n" : "he" + ToCp932(message) + "\r\n";
  const long limit = fault.options.maxFileBytes;
  const bool fits = limit == 0 || static_cast<long>(reason.size()) <= limit;
  return fault.exchangeWritable && fits ? reason : ExchangeInput();
}

RunOptions FailRead(const char* file, long offset) {
  RunOptions options;
  options.failRead = std::string(file) + ":" + std::to_string(offset);
  return options;
}

RunOptions FileSizeLimit(long bytes) {
  RunOptions options;
  options.maxFileBytes = bytes;
  return options;
}

std::vector<Fault> Faults(const CleanRun& clean) {
  const long exchangeIn = static_cast<long>(ExchangeInput().size());
  const long settingsIn = static_cast<long>(Example("t407.dat").size());
  const char* kReadError = "読み込み中にエラーが起きました";
  const char* kDiskFull = "ディスクの空き容量が足りません";
  const char* kReadOnly = "読み取り専用になっています";
  return {
      {"read error after 1 byte of JWC_TEMP.TXT", Outcome::ExchangeUnreadable, kReadError,
       FailRead("JWC_TEMP.TXT", 1)},
      {"read error in the middle of JWC_TEMP.TXT", Outcome::ExchangeUnreadable, kReadError,
       FailRead("JWC_TEMP.TXT", exchangeIn / 2)},
      {"read error before the last byte of JWC_TEMP.TXT", Outcome::ExchangeUnreadable, kReadError,
       FailRead("JWC_TEMP.TXT", exchangeIn - 1)},
      {"read error inside line 1 of t407.dat", Outcome::SettingsUnreadable, kReadError,
       FailRead("t407.dat", 2)},
      {"read error inside line 24 of t407.dat", Outcome::SettingsUnreadable, kReadError,
       FailRead("t407.dat", 75)},
      {"read error before the last byte of t407.dat", Outcome::SettingsUnreadable, kReadError,
       FailRead("t407.dat", settingsIn - 1)},
      {"a folder that takes no new file", Outcome::Drawn, "", RunOptions{},
       [](const QuickPassFolder& folder, bool asNobody) {
         if (asNobody) GiveToNobody(folder);
         ASSERT_EQ(chmod(folder.Path().c_str(), 0555), 0);
       },
       true, true},
      {"a disk that takes 16 bytes", Outcome::BySize, kDiskFull, FileSizeLimit(16)},
      {"a disk that takes t407.dat less a byte", Outcome::BySize, kDiskFull,
       FileSizeLimit(static_cast<long>(clean.settings.size()) - 1)},
      {"a disk that takes JWC_TEMP.TXT less a byte", Outcome::BySize, kDiskFull,
       FileSizeLimit(static_cast<long>(clean.exchange.size()) - 1)},
      {"a disk that takes both", Outcome::BySize, kDiskFull,
       FileSizeLimit(static_cast<long>(std::max(clean.exchange.size(), clean.settings.size())))},
      {"t407.dat marked read-only", Outcome::SettingsNotSaved, kReadOnly, RunOptions{},
       [](const QuickPassFolder& folder, bool asNobody) {
         if (asNobody) GiveToNobody(folder);
         ASSERT_EQ(chmod((folder / "t407.dat").c_str(), 0444), 0);
       },
       true, true},
      {"folders named like temporary files", Outcome::Drawn, "", RunOptions{},
       [](const QuickPassFolder& folder, bool) {
         std::filesystem::create_directory(folder / "t407.dat.tmp");
         std::filesystem::create_directory(folder / "JWC_TEMP.TXT.tmp");
       }},
      {"JWC_TEMP.TXT marked read-only", Outcome::ExchangeNotSaved, kReadOnly, RunOptions{},
       [](const QuickPassFolder& folder, bool asNobody) {
         if (asNobody) GiveToNobody(folder);
         ASSERT_EQ(chmod((folder / "JWC_TEMP.TXT").c_str(), 0444), 0);
       },
       false, true},
  };
}

}  // namespace

TEST(faults_e2e, every_fault_leaves_both_files_new_or_both_as_they_were) {
  const bool root = geteuid() == 0;
  for (const ModeRow& mode : kModes) {
    SCOPED_TRACE(mode.name);
    const CleanRun clean = Clean(mode);
    for (Fault fault : Faults(clean)) {
      SCOPED_TRACE(fault.name);
      // Root ignores permissions: a fault made of them runs as nobody.
      const bool asNobody = root && fault.byPermissions;
      if (asNobody) fault.options.user = kNobody;
      QuickPassFolder folder;
      WriteInputs(folder);
      if (fault.prepare != nullptr) fault.prepare(folder, asNobody);
      const ProcessEnd end = RunMode(mode, folder, fault.options);
      chmod(folder.Path().c_str(), 0755);

      const Expected expected = Expect(mode, fault, clean);
      EXPECT_TRUE(end.exited);
      EXPECT_EQ(end.status, expected.status) << end.errorOutput;
      EXPECT_EQ(end.errorOutput, ErrorOutput(mode, expected));
      if (expected.drawn) {
        EXPECT_EQ(ReadBytes(folder / "JWC_TEMP.TXT"), clean.exchange);
        EXPECT_EQ(ReadBytes(folder / "t407.dat"), clean.settings);
      } else {
        EXPECT_EQ(ReadBytes(folder / "JWC_TEMP.TXT"),
                  ExchangeWithoutDrawing(mode, fault, expected.message));
        EXPECT_EQ(ReadBytes(folder / "t407.dat"), Example("t407.dat"));
      }
      // Folders in the way are not the tool's to remove; nothing else is left.
      std::vector<std::string> left = folder.Leftovers();
      std::erase(left, "t407.dat.tmp");
      std::erase(left, "JWC_TEMP.TXT.tmp");
      EXPECT_EQ(left, std::vector<std::string>{});
    }
  }
}

TEST(faults_e2e, a_reference_is_not_taken_over_a_t407_dat_that_cannot_be_read) {
  // The folder is writable, so the new file could replace the unreadable one
  // and lose the settings in it: the pass refuses instead.
  const int nobody = 65534;
  const bool root = geteuid() == 0;
  QuickPassFolder folder;
  WriteBytes(folder / "JWC_TEMP.TXT", "hq\r\nhp1 0 0\r\nhp2 1000 0\r\nhp3 0 -500\r\n");
  WriteBytes(folder / "t407.dat", Example("t407.dat"));
  ASSERT_EQ(chmod((folder / "t407.dat").c_str(), 0), 0);
  if (root) {
    // Root reads anything: the pass runs as nobody, owning all but t407.dat.
    for (const char* name : {"", "t408q", "JWC_TEMP.TXT"}) {
      ASSERT_EQ(chown((folder / name).c_str(), nobody, nobody), 0);
    }
  }
  const ProcessEnd end = folder.Run(0, root ? nobody : -1, "/k");
  ASSERT_EQ(chmod((folder / "t407.dat").c_str(), 0644), 0);
  EXPECT_TRUE(end.exited);
  EXPECT_EQ(end.status, 1);
  EXPECT_EQ(end.errorOutput,
            "t407.dat を読み込めませんでした（読み込む権限がありません）。"
            "基準寸法は記憶されていません。\n");
  EXPECT_EQ(ReadBytes(folder / "t407.dat"), Example("t407.dat"));
  EXPECT_EQ(ReadBytes(folder / "JWC_TEMP.TXT").substr(0, 2), "he");
  EXPECT_EQ(folder.Leftovers(), std::vector<std::string>{});
}

TEST(faults_e2e, a_run_killed_before_its_replacements_leaves_both_files_as_they_were) {
  // Killed while the new JWC_TEMP.TXT is being written, or at the first
  // rename: neither file has taken its new content yet. The next run a
  // minute later, when the killed one is long gone, clears what it left and
  // adds the dimension.
  struct {
    const char* killAt;
    std::size_t leftovers;  // the new files made ready so far
  } moments[] = {
      {"create:JWC_TEMP.TXT.", 1},
      {"rename", 2},
  };
  for (const ModeRow& mode : kModes) {
    SCOPED_TRACE(mode.name);
    const CleanRun clean = Clean(mode);
    for (const auto& moment : moments) {
      SCOPED_TRACE(moment.killAt);
      QuickPassFolder folder;
      WriteInputs(folder);
      RunOptions killed;
      killed.killAt = moment.killAt;
      const ProcessEnd end = RunMode(mode, folder, killed);
      EXPECT_FALSE(end.exited);
      EXPECT_EQ(end.status, SIGKILL);
      EXPECT_EQ(ReadBytes(folder / "JWC_TEMP.TXT"), ExchangeInput());
      EXPECT_EQ(ReadBytes(folder / "t407.dat"), Example("t407.dat"));
      const std::vector<std::string> left = folder.Leftovers();
      EXPECT_EQ(left.size(), moment.leftovers);
      for (const std::string& name : left) {
        EXPECT_TRUE(name.ends_with(".tmp")) << name;
        std::filesystem::last_write_time(
            folder / name, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(2));
      }

      const ProcessEnd next = RunMode(mode, folder, RunOptions{});
      EXPECT_EQ(next.status, 0) << next.errorOutput;
      EXPECT_EQ(ReadBytes(folder / "JWC_TEMP.TXT"), clean.exchange);
      EXPECT_EQ(ReadBytes(folder / "t407.dat"), clean.settings);
      EXPECT_EQ(folder.Leftovers(), std::vector<std::string>{});
    }
  }
}
