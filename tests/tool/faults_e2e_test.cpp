// Faults while t408q writes its two files: a t407.dat or JWC_TEMP.TXT that
// cannot be replaced, a disk that fills up part way, a read-only folder.
// Whatever happens, the previous t407.dat survives byte for byte unless the
// new one was written whole, no temporary file is left behind, JWC_TEMP.TXT
// is either the complete output or absent, and the process ends normally.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/tool/temp_folder.h"
#include "tests/tool/tool_process.h"

namespace {

std::string Example(const char* name) {
  return ReadBytes(std::filesystem::path(T408_SOURCE_DIR) / "examples" / name);
}

struct CleanRun {
  std::string exchange;  // the complete output
  std::string settings;  // t407.dat with the extended reference
};

// The example's pass with nothing in the way.
const CleanRun& Clean() {
  static const CleanRun clean = [] {
    QuickPassFolder folder;
    WriteBytes(folder / "JWC_TEMP.TXT", Example("JWC_TEMP.TXT"));
    WriteBytes(folder / "t407.dat", Example("t407.dat"));
    const ProcessEnd end = folder.Run();
    EXPECT_TRUE(end.exited && end.status == 0);
    return CleanRun{ReadBytes(folder / "JWC_TEMP.TXT"), ReadBytes(folder / "t407.dat")};
  }();
  return clean;
}

void WriteExampleInputs(const QuickPassFolder& folder) {
  WriteBytes(folder / "JWC_TEMP.TXT", Example("JWC_TEMP.TXT"));
  WriteBytes(folder / "t407.dat", Example("t407.dat"));
}

}  // namespace

TEST(faults_e2e, a_file_that_cannot_be_replaced_keeps_or_removes_it_whole) {
  // A directory where the temporary file must go stops the replacement.
  struct {
    const char* blocked;    // the temporary file's name, taken by a directory
    bool exchangePresent;   // JWC_TEMP.TXT afterwards: the complete output, else absent
    bool settingsReplaced;  // t407.dat afterwards: the new one, else the previous one
  } cases[] = {
      {"t407.dat.tmp", true, false},
      {"JWC_TEMP.TXT.tmp", false, true},
  };
  const CleanRun& clean = Clean();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.blocked);
    QuickPassFolder folder;
    WriteExampleInputs(folder);
    std::filesystem::create_directory(folder / c.blocked);
    const ProcessEnd end = folder.Run();
    EXPECT_TRUE(end.exited);
    EXPECT_EQ(end.status, 0);
    EXPECT_EQ(std::filesystem::exists(folder / "JWC_TEMP.TXT"), c.exchangePresent);
    if (c.exchangePresent) {
      EXPECT_EQ(ReadBytes(folder / "JWC_TEMP.TXT"), clean.exchange);
    }
    EXPECT_EQ(ReadBytes(folder / "t407.dat"),
              c.settingsReplaced ? clean.settings : Example("t407.dat"));
    // The directory is not the tool's to remove, and nothing else is left.
    EXPECT_TRUE(std::filesystem::is_directory(folder / c.blocked));
    EXPECT_EQ(folder.Leftovers(), std::vector<std::string>{c.blocked});
  }
}

TEST(faults_e2e, a_disk_filling_up_while_writing_leaves_whole_files_or_none) {
  const CleanRun& clean = Clean();
  const long settingsBytes = static_cast<long>(clean.settings.size());
  const long exchangeBytes = static_cast<long>(clean.exchange.size());
  // Every write past `limit` bytes of one file fails, as on a full disk.
  const long limits[] = {1,
                         16,
                         settingsBytes / 2,
                         settingsBytes - 1,
                         settingsBytes,
                         exchangeBytes - 1,
                         exchangeBytes,
                         1 << 20};
  for (long limit : limits) {
    SCOPED_TRACE(limit);
    QuickPassFolder folder;
    WriteExampleInputs(folder);
    const ProcessEnd end = folder.Run(limit);
    EXPECT_TRUE(end.exited);
    EXPECT_EQ(end.status, 0);
    const bool settingsFit = limit >= settingsBytes;
    const bool exchangeFits = limit >= exchangeBytes;
    EXPECT_EQ(ReadBytes(folder / "t407.dat"), settingsFit ? clean.settings : Example("t407.dat"));
    EXPECT_EQ(std::filesystem::exists(folder / "JWC_TEMP.TXT"), exchangeFits);
    if (exchangeFits) {
      EXPECT_EQ(ReadBytes(folder / "JWC_TEMP.TXT"), clean.exchange);
    }
    EXPECT_EQ(folder.Leftovers(), std::vector<std::string>{});
  }
}

TEST(faults_e2e, a_read_only_folder_keeps_t407_dat_and_rewrites_the_exchange_file_in_place) {
  // Nothing can be created, renamed or removed in the folder; the files
  // themselves stay writable, as Jw_cad's own file is.
  const int nobody = 65534;
  const bool root = geteuid() == 0;
  const CleanRun& clean = Clean();
  QuickPassFolder folder;
  WriteExampleInputs(folder);
  std::filesystem::permissions(folder / "t408q", std::filesystem::perms::owner_all |
                                                     std::filesystem::perms::group_read |
                                                     std::filesystem::perms::group_exec |
                                                     std::filesystem::perms::others_read |
                                                     std::filesystem::perms::others_exec);
  if (root) {
    // Root ignores permissions: the pass runs as nobody, owning the files.
    for (const char* name : {"JWC_TEMP.TXT", "t407.dat"}) {
      ASSERT_EQ(chown((folder / name).c_str(), nobody, nobody), 0);
    }
  }
  ASSERT_EQ(chmod(folder.Path().c_str(), 0555), 0);
  const ProcessEnd end = folder.Run(0, root ? nobody : -1);
  ASSERT_EQ(chmod(folder.Path().c_str(), 0755), 0);
  EXPECT_TRUE(end.exited);
  EXPECT_EQ(end.status, 0);
  EXPECT_EQ(ReadBytes(folder / "t407.dat"), Example("t407.dat"));
  EXPECT_EQ(ReadBytes(folder / "JWC_TEMP.TXT"), clean.exchange);
  EXPECT_EQ(folder.Leftovers(), std::vector<std::string>{});
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
  EXPECT_EQ(ReadBytes(folder / "t407.dat"), Example("t407.dat"));
  EXPECT_EQ(ReadBytes(folder / "JWC_TEMP.TXT").substr(0, 2), "he");
  EXPECT_EQ(folder.Leftovers(), std::vector<std::string>{});
}
