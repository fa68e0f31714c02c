#pragma once
// Test helper: the built t408q copied into a fresh folder and run there as
// its own process, optionally with a limit on the size of any file it writes
// (a disk that fills up), reporting how the process ended.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/tool/temp_folder.h"

struct ProcessEnd {
  bool exited = false;  // false: ended by a signal
  int status = -1;      // the exit status, or the signal
};

class QuickPassFolder {
 public:
  QuickPassFolder() {
    std::filesystem::copy_file(T408_QUICK_PASS, folder_ / "t408q");
    std::filesystem::permissions(folder_ / "t408q", std::filesystem::perms::owner_all);
  }

  const std::filesystem::path& Path() const { return folder_.Path(); }
  std::filesystem::path operator/(std::string_view name) const { return folder_ / name; }

  // Runs t408q from the test's own working folder. `maxFileBytes` > 0 makes
  // every write past that size fail with EFBIG, as a full disk would, with
  // SIGXFSZ ignored so that the write reports the failure.
  // `user` >= 0: run as that user and group (a test running as root drops
  // its rights so that file permissions count). `argument`: the one a batch
  // file passes, if any.
  ProcessEnd Run(long maxFileBytes = 0, int user = -1, const char* argument = nullptr) const {
    const std::string exe = (folder_ / "t408q").string();
    const pid_t child = fork();
    if (child == 0) {
      if (user >= 0 &&
          (setgid(static_cast<gid_t>(user)) != 0 || setuid(static_cast<uid_t>(user)) != 0)) {
        _exit(125);
      }
      if (maxFileBytes > 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{static_cast<rlim_t>(maxFileBytes), static_cast<rlim_t>(maxFileBytes)};
        setrlimit(RLIMIT_FSIZE, &limit);
      }
      // The reason goes to stderr; keep the test's output clean.
      if (freopen("/dev/null", "w", stderr) == nullptr) _exit(126);
      execl(exe.c_str(), exe.c_str(), argument, static_cast<char*>(nullptr));
      _exit(127);
    }
    ProcessEnd end;
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return end;
    end.exited = WIFEXITED(status);
    end.status = end.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    return end;
  }

  // Names in the folder besides t408q and the two files.
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.Path())) {
      const std::string name = entry.path().filename().string();
      if (name != "t408q" && name != "JWC_TEMP.TXT" && name != "t407.dat") names.push_back(name);
    }
    return names;
  }

 private:
  TempFolder folder_;
};
