#include "host/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              (std::string("t408_atomic_") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    target_ = folder_ / "t407.dat";
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
  fs::path target_;
};

TEST_F(AtomicFileTest, creates_and_replaces_the_whole_file) {
  ASSERT_TRUE(ReplaceFileAtomically(target_, "first\r\n"));
  EXPECT_EQ(ReadAll(target_), "first\r\n");
  ASSERT_TRUE(ReplaceFileAtomically(target_, "2"));
  EXPECT_EQ(ReadAll(target_), "2");
  ASSERT_TRUE(ReplaceFileAtomically(target_, ""));
  EXPECT_EQ(ReadAll(target_), "");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(AtomicFileTest, failure_keeps_the_old_file_and_leaves_no_temporary) {
  struct {
    const char* name;
    void (*obstruct)(const fs::path& folder, const fs::path& target);
    bool targetSurvives;
  } cases[] = {
      {"directory where the temporary goes",
       [](const fs::path&, const fs::path& target) {
         fs::create_directory(fs::path(target) += ".tmp");
       },
       true},
      {"target is a non-empty directory",
       [](const fs::path&, const fs::path& target) {
         fs::remove(target);
         fs::create_directories(target / "inside");
       },
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    std::ofstream(target_, std::ios::binary) << "old settings\r\n";
    c.obstruct(folder_, target_);

    EXPECT_FALSE(ReplaceFileAtomically(target_, "new settings\r\n"));
    if (c.targetSurvives) EXPECT_EQ(ReadAll(target_), "old settings\r\n");
    EXPECT_FALSE(fs::is_regular_file(fs::path(target_) += ".tmp"));
  }
}

TEST_F(AtomicFileTest, missing_folder_is_a_failure_not_a_crash) {
  EXPECT_FALSE(ReplaceFileAtomically(folder_ / "missing" / "t407.dat", "x"));
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
}

}  // namespace
