#pragma once
// Test helper: the built t408q copied into a fresh folder and run there as
// its own process, optionally with a limit on the size of any file it writes
// (a disk that fills up), as another user, or with reads of one file failing
// part-way, reporting how the process ended and what it printed.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

struct ProcessEnd {
  bool exited = false;      // false: ended by a signal
  int status = -1;          // the exit status, or the signal
  std::string errorOutput;  // what the process wrote to stderr
};

struct RunOptions {
  // > 0: every write past that size fails with EFBIG, as a full disk would,
  // with SIGXFSZ ignored so that the write reports the failure.
  long maxFileBytes = 0;
  // >= 0: run as that user and group (a test running as root drops its
  // rights so that file permissions count).
  int user = -1;
  // "<file name>:<offset>": reads of that file fail from the offset on
  // (tests/support/staged_faults.cpp, preloaded).
  std::string failRead;
  // "rename": the process is killed at its first rename, before anything is
  // renamed; "create:<name start>": when it first creates a file whose name
  // starts so (likewise).
  std::string killAt;

  bool StagesFaults() const { return !failRead.empty() || !killAt.empty(); }
};

// Runs `body` in a child process set up as `options` say; its exit status and
// what it wrote to stderr come back. The child never returns into the test.
inline ProcessEnd RunInChild(const RunOptions& options, const std::function<int()>& body) {
  int errors[2];
  if (pipe(errors) != 0) return ProcessEnd{};
  const pid_t child = fork();
  if (child == 0) {
    close(errors[0]);
    if (options.user >= 0 && (setgid(static_cast<gid_t>(options.user)) != 0 ||
                              setuid(static_cast<uid_t>(options.user)) != 0)) {
      _exit(125);
    }
    if (options.maxFileBytes > 0) {
      signal(SIGXFSZ, SIG_IGN);
      rlimit limit{static_cast<rlim_t>(options.maxFileBytes),
                   static_cast<rlim_t>(options.maxFileBytes)};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (!options.failRead.empty()) setenv("T408_FAIL_READ", options.failRead.c_str(), 1);
    if (!options.killAt.empty()) setenv("T408_KILL_AT", options.killAt.c_str(), 1);
    if (dup2(errors[1], STDERR_FILENO) < 0) _exit(126);
    close(errors[1]);
    _exit(body());
  }
  close(errors[1]);
  ProcessEnd end;
  char buffer[512];
  for (ssize_t n; (n = ::read(errors[0], buffer, sizeof buffer)) != 0;) {
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    end.errorOutput.append(buffer, static_cast<std::size_t>(n));
  }
  close(errors[0]);
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return end;
  end.exited = WIFEXITED(status);
  end.status = end.exited ? WEXITSTATUS(status) : WTERMSIG(status);
  return end;
}

class QuickPassFolder {
 public:
  QuickPassFolder() {
    std::filesystem::copy_file(T408_QUICK_PASS, folder_ / "t408q");
    // Any user may run it: some tests run it as another user.
    std::filesystem::permissions(folder_ / "t408q", std::filesystem::perms::owner_all |
                                                        std::filesystem::perms::group_read |
                                                        std::filesystem::perms::group_exec |
                                                        std::filesystem::perms::others_read |
                                                        std::filesystem::perms::others_exec);
  }

  const std::filesystem::path& Path() const { return folder_.Path(); }
  std::filesystem::path operator/(std::string_view name) const { return folder_ / name; }

  // Runs t408q from the test's own working folder with the one argument a
  // batch file passes, if any.
  ProcessEnd Run(const RunOptions& options, const char* argument = nullptr) const {
    const std::string exe = (folder_ / "t408q").string();
    return RunInChild(options, [&] {
      if (options.StagesFaults()) setenv("LD_PRELOAD", T408_STAGED_FAULTS, 1);
      execl(exe.c_str(), exe.c_str(), argument, static_cast<char*>(nullptr));
      return 127;
    });
  }
  ProcessEnd Run(long maxFileBytes = 0, int user = -1, const char* argument = nullptr) const {
    RunOptions options;
    options.maxFileBytes = maxFileBytes;
    options.user = user;
    return Run(options, argument);
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
