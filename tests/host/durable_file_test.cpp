#include "host/durable_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/file_size_limit.h"

namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class DurableFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              (std::string("t408_durable_") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    target_ = folder_ / "t407.dat";
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
  fs::path target_;
};

TEST_F(DurableFileTest, creates_and_replaces_the_whole_file) {
  ASSERT_EQ(ReplaceFileDurably(target_, "first\r\n"), FileFailure::None);
  EXPECT_EQ(ReadAll(target_), "first\r\n");
  ASSERT_EQ(ReplaceFileDurably(target_, "2"), FileFailure::None);
  EXPECT_EQ(ReadAll(target_), "2");
  ASSERT_EQ(ReplaceFileDurably(target_, ""), FileFailure::None);
  EXPECT_EQ(ReadAll(target_), "");
  EXPECT_EQ(Names(folder_), std::vector<std::string>{"t407.dat"});
}

TEST_F(DurableFileTest, failure_keeps_the_old_file_and_leaves_no_temporary) {
  struct {
    const char* name;
    void (*obstruct)(const fs::path& target);
    rlim_t fileSizeLimit;  // 0: none
    FileFailure failure;
    bool targetSurvives;
  } cases[] = {
      {"the disk fills up while writing", [](const fs::path&) {}, 5, FileFailure::DiskFull, true},
      {"target is a non-empty directory",
       [](const fs::path& target) {
         fs::remove(target);
         fs::create_directories(target / "inside");
       },
       0, FileFailure::NotAFile, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    std::ofstream(target_, std::ios::binary) << "old settings\r\n";
    c.obstruct(target_);
    FileFailure failure = FileFailure::None;
    if (c.fileSizeLimit > 0) {
      ScopedFileSizeLimit limit(c.fileSizeLimit);
      failure = ReplaceFileDurably(target_, "new settings\r\n");
    } else {
      failure = ReplaceFileDurably(target_, "new settings\r\n");
    }
    EXPECT_EQ(failure, c.failure);
    if (c.targetSurvives) {
      EXPECT_EQ(ReadAll(target_), "old settings\r\n");
    }
    EXPECT_EQ(Names(folder_), std::vector<std::string>{"t407.dat"});
  }
}

TEST_F(DurableFileTest, leftovers_of_a_killed_run_neither_block_nor_are_taken_for_the_file) {
  // Whatever a killed run left beside the file, under the names a temporary
  // file might have, stays as it was.
  std::ofstream(target_, std::ios::binary) << "old";
  fs::create_directory(fs::path(target_) += ".tmp");
  std::ofstream(fs::path(target_) += ".0123456789abcdef.tmp", std::ios::binary) << "stale";
  ASSERT_EQ(ReplaceFileDurably(target_, "new"), FileFailure::None);
  EXPECT_EQ(ReadAll(target_), "new");
  EXPECT_EQ(Names(folder_), (std::vector<std::string>{"t407.dat", "t407.dat.0123456789abcdef.tmp",
                                                      "t407.dat.tmp"}));
  EXPECT_EQ(ReadAll(fs::path(target_) += ".0123456789abcdef.tmp"), "stale");
}

TEST_F(DurableFileTest, temporaries_of_runs_that_are_gone_are_removed_once_a_minute_old) {
  // A process identifier no system hands out, and this test's own.
  char gone[9], running[9];
  std::snprintf(gone, sizeof gone, "%08x", 0x3ffffffeu);
  std::snprintf(running, sizeof running, "%08x", static_cast<unsigned>(getpid()));
  const std::string t407 = "t407.dat.";
  struct {
    std::string name;
    int ageSeconds;
    bool folder;
    bool removed;
  } cases[] = {
      {t407 + gone + "0000beef.tmp", 120, false, true},
      {t407 + gone + "0000beef.tmp", 10, false, false},  // its run may still be putting it in place
      {t407 + running + "0000beef.tmp", 120, false, false},  // a run still going
      {"JWC_TEMP.TXT." + std::string(gone) + "0000beef.tmp", 120, false, false},  // another file's
      {t407 + gone + "0000beef.tmp", 120, true, false},  // not a plain file
      {t407 + gone + "0000bee.tmp", 120, false, false},  // not a name we give
      {"t407.dat.tmp", 120, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name + (c.folder ? " (a folder)" : ""));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    const fs::path leftover = folder_ / c.name;
    if (c.folder) {
      fs::create_directory(leftover);
    } else {
      std::ofstream(leftover, std::ios::binary) << "stale";
    }
    fs::last_write_time(leftover,
                        fs::file_time_type::clock::now() - std::chrono::seconds(c.ageSeconds));
    RemoveStaleTemporaries(target_);
    EXPECT_EQ(fs::exists(leftover), !c.removed);
  }
}

TEST_F(DurableFileTest, missing_folder_is_a_failure_not_a_crash) {
  EXPECT_EQ(ReplaceFileDurably(folder_ / "missing" / "t407.dat", "x"), FileFailure::Missing);
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
}

TEST(durable_file, a_file_in_use_is_tried_again_for_about_a_second_and_only_then) {
  struct {
    const char* name;
    std::vector<FileFailure> results;  // what the attempts give, in order
    FileFailure outcome;
    std::vector<long> waits;  // milliseconds between the attempts
  } cases[] = {
      {"free at once", {FileFailure::None}, FileFailure::None, {}},
      {"let go after two tries",
       {FileFailure::InUse, FileFailure::InUse, FileFailure::None},
       FileFailure::None,
       {10, 20}},
      {"held for good",
       std::vector<FileFailure>(20, FileFailure::InUse),
       FileFailure::InUse,
       {10, 20, 40, 80, 160, 320, 370}},
      {"read-only is never waited out", {FileFailure::ReadOnly}, FileFailure::ReadOnly, {}},
      {"a full disk is never waited out",
       {FileFailure::InUse, FileFailure::DiskFull},
       FileFailure::DiskFull,
       {10}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::size_t attempts = 0;
    std::vector<long> waits;
    const FileFailure outcome = RetryWhileInUse(
        [&] { return c.results[std::min(attempts++, c.results.size() - 1)]; },
        [&](milliseconds pause) { waits.push_back(static_cast<long>(pause.count())); });
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_EQ(waits, c.waits);
    EXPECT_EQ(attempts, c.waits.size() + 1);
  }
}

TEST_F(DurableFileTest, reading_tells_a_missing_file_and_a_folder_from_a_file) {
  std::string bytes = "stale";
  EXPECT_EQ(ReadFileBytes(target_, bytes), FileFailure::Missing);
  EXPECT_EQ(bytes, "");
  fs::create_directory(target_);
  EXPECT_EQ(ReadFileBytes(target_, bytes), FileFailure::NotAFile);
  fs::remove(target_);
  std::ofstream(target_, std::ios::binary) << std::string("a\0b\r\n", 5);
  EXPECT_EQ(ReadFileBytes(target_, bytes), FileFailure::None);
  EXPECT_EQ(bytes, std::string("a\0b\r\n", 5));
}

}  // namespace
