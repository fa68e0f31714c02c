// Kills the quick pass at random moments of its run and counts how the two
// files it replaces were left: JWC_TEMP.TXT and t407.dat should always be
// either both as they were or both new, and never torn.
//
//   kill_agreement path/to/t408q [runs] [seed]
//
// Each run starts t408q on the worked example in a folder of its own, sends
// SIGKILL after a delay drawn uniformly from 0 to 1.2 times the median time of
// an unkilled run, and compares both files with the example's input and with
// what an unkilled run leaves. Prints one line of counts.
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

struct Inputs {
  std::string exchange, settings;
};

// A folder holding the program (a hard link where the file system allows,
// so that the program finds its files beside it) and the example's inputs.
fs::path PrepareFolder(const fs::path& root, int n, const fs::path& program, const Inputs& in) {
  const fs::path folder = root / std::to_string(n);
  fs::create_directories(folder);
  std::error_code ec;
  fs::create_hard_link(program, folder / "t408q", ec);
  if (ec) fs::copy_file(program, folder / "t408q");
  WriteBytes(folder / "JWC_TEMP.TXT", in.exchange);
  WriteBytes(folder / "t407.dat", in.settings);
  return folder;
}

void SleepFor(Clock::duration d) {
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
  timespec t{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
  while (nanosleep(&t, &t) != 0) {
  }
}

// Runs t408q in `folder`; kills it after `delay` unless that is negative.
// Returns the time from the start to its end.
Clock::duration Run(const fs::path& folder, Clock::duration delay) {
  const std::string exe = (folder / "t408q").string();
  const Clock::time_point start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    freopen("/dev/null", "w", stderr);
    execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  if (delay >= Clock::duration::zero()) {
    SleepFor(delay);
    kill(child, SIGKILL);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return Clock::now() - start;
}

enum class State { Old, New, Torn };

State StateOf(const std::string& bytes, const std::string& before, const std::string& after) {
  if (bytes == before) return State::Old;
  if (bytes == after) return State::New;
  return State::Torn;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s path/to/t408q [runs] [seed]\n", argv[0]);
    return 2;
  }
  const fs::path program = fs::absolute(argv[1]);
  const int runs = argc > 2 ? std::atoi(argv[2]) : 600;
  const unsigned seed = argc > 3 ? static_cast<unsigned>(std::atoi(argv[3])) : 1;
  const fs::path examples = fs::path(T408_SOURCE_DIR) / "examples";
  const Inputs in{ReadBytes(examples / "JWC_TEMP.TXT"), ReadBytes(examples / "t407.dat")};

  std::string pattern = (fs::temp_directory_path() / "t408-kill-XXXXXX").string();
  const fs::path root = mkdtemp(pattern.data());

  // What an unkilled run leaves, and how long one takes.
  std::vector<Clock::duration> times;
  Inputs after;
  for (int i = 0; i < 21; ++i) {
    const fs::path folder = PrepareFolder(root, -1 - i, program, in);
    times.push_back(Run(folder, Clock::duration(-1)));
    after = Inputs{ReadBytes(folder / "JWC_TEMP.TXT"), ReadBytes(folder / "t407.dat")};
  }
  std::nth_element(times.begin(), times.begin() + 10, times.end());
  const Clock::duration median = times[10];

  std::mt19937 random(seed);
  std::uniform_int_distribution<long long> delays(
      0, std::chrono::duration_cast<std::chrono::microseconds>(median).count() * 12 / 10);
  int bothOld = 0, bothNew = 0, disagreeing = 0, torn = 0, leftovers = 0;
  for (int n = 0; n < runs; ++n) {
    const fs::path folder = PrepareFolder(root, n, program, in);
    Run(folder, std::chrono::microseconds(delays(random)));
    const State exchange = StateOf(ReadBytes(folder / "JWC_TEMP.TXT"), in.exchange, after.exchange);
    const State settings = StateOf(ReadBytes(folder / "t407.dat"), in.settings, after.settings);
    if (exchange == State::Torn || settings == State::Torn) {
      ++torn;
    } else if (exchange != settings) {
      ++disagreeing;
    } else if (exchange == State::Old) {
      ++bothOld;
    } else {
      ++bothNew;
    }
    for (const auto& entry : fs::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      if (name != "t408q" && name != "JWC_TEMP.TXT" && name != "t407.dat") ++leftovers;
    }
    fs::remove_all(folder);
  }
  fs::remove_all(root);
  std::printf(
      "runs %d (unkilled run %.2f ms): both as they were %d, both new %d, disagreeing %d, torn "
      "%d; temporary files left %d\n",
      runs, std::chrono::duration<double, std::milli>(median).count(), bothOld, bothNew,
      disagreeing, torn, leftovers);
  return torn == 0 ? 0 : 1;
}
