// Reading speed and memory of ReadExchangeFile on generated drawings of
// 1, 2 and 4 million entities, beside a plain read of the same bytes.
//
//   exchange_reader_bench [dir] [base entities]
//
// Each reading runs in a forked child, so the peak resident size it reports
// is the reader's own (plus the small process it started from).

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/exchange_file_generator.h"
#include "host/data_model.h"
#include "host/exchange_reader.h"

namespace {

using Clock = std::chrono::steady_clock;

struct ChildResult {
  double seconds = 0;     // wall clock
  double cpuSeconds = 0;  // user + system time of the reading
  long baselineKb = 0;    // peak resident size before reading
  long peakKb = 0;        // after reading
  std::size_t entities = 0;
  int ok = 0;
};

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](timeval t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

long PeakKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Runs `work` in a child process and returns what it measured.
template <class Work>
ChildResult InChild(Work work) {
  int fds[2];
  if (pipe(fds) != 0) std::abort();
  pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    ChildResult r = work();
    ssize_t written = write(fds[1], &r, sizeof r);
    _exit(written == sizeof r ? 0 : 1);
  }
  close(fds[1]);
  ChildResult r;
  if (read(fds[0], &r, sizeof r) != static_cast<ssize_t>(sizeof r)) std::abort();
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return r;
}

ChildResult ReadWithReader(const std::filesystem::path& file) {
  return InChild([&] {
    ChildResult r;
    r.baselineKb = PeakKb();
    ResetDataModel();
    const double cpuStart = CpuSeconds();
    auto start = Clock::now();
    r.ok = ReadExchangeFile(file) ? 1 : 0;
    r.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    r.cpuSeconds = CpuSeconds() - cpuStart;
    r.peakKb = PeakKb();
    r.entities = gDataModel.EntityOrder.size();
    return r;
  });
}

// The floor: the same bytes read in the same pieces, only counting lines.
ChildResult PlainRead(const std::filesystem::path& file) {
  return InChild([&] {
    ChildResult r;
    r.baselineKb = PeakKb();
    const double cpuStart = CpuSeconds();
    auto start = Clock::now();
    std::ifstream in(file, std::ios::binary);
    std::vector<char> piece(std::size_t{1} << 20);
    std::size_t lines = 0;
    for (;;) {
      in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
      std::streamsize got = in.gcount();
      lines += static_cast<std::size_t>(std::count(piece.data(), piece.data() + got, '\n'));
      if (got < static_cast<std::streamsize>(piece.size())) break;
    }
    r.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    r.cpuSeconds = CpuSeconds() - cpuStart;
    r.peakKb = PeakKb();
    r.entities = lines;
    r.ok = 1;
    return r;
  });
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void MakeFile(const std::filesystem::path& path, std::size_t entities) {
  if (std::filesystem::exists(path)) return;
  std::ofstream out(path, std::ios::binary);
  GenerateExchangeFile(entities, 408, out);
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path dir =
      argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
  const std::size_t base = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1000000;
  constexpr int kRuns = 3;

  // The machine may be shared: the wall clock is reported beside the CPU time
  // (user + system) that the reading itself took.
  std::printf("%-5s %9s %7s %8s %8s %8s %8s %8s %8s %8s %6s\n", "scale", "entities", "MB", "plain",
              "wall", "cpu", "wall s", "cpu s", "cpu s/1M", "peak MB", "peak/");
  std::printf("%-5s %9s %7s %8s %8s %8s %8s %8s %8s %8s %6s\n", "", "", "", "MB/s", "MB/s", "MB/s",
              "", "", "", "", "file");
  for (int scale : {1, 2, 4}) {
    const std::size_t entities = base * scale;
    const auto path = dir / ("t408_bench_" + std::to_string(entities) + ".txt");
    MakeFile(path, entities);
    const double mb = static_cast<double>(std::filesystem::file_size(path)) / 1e6;

    PlainRead(path);  // into the page cache
    std::vector<double> plain, wall, cpu;
    ChildResult last;
    for (int run = 0; run < kRuns; ++run) {
      plain.push_back(PlainRead(path).seconds);
      last = ReadWithReader(path);
      wall.push_back(last.seconds);
      cpu.push_back(last.cpuSeconds);
      if (!last.ok || last.entities != entities) {
        std::printf("read %zu entities of %zu (ok=%d)\n", last.entities, entities, last.ok);
        return 1;
      }
    }
    const double w = Median(wall), c = Median(cpu);
    const double peakMb = static_cast<double>(last.peakKb) * 1024.0 / 1e6;
    std::printf("%-5s %9zu %7.1f %8.0f %8.1f %8.1f %8.3f %8.3f %8.3f %8.1f %6.2f\n",
                (std::to_string(scale) + "x").c_str(), entities, mb, mb / Median(plain), mb / w,
                mb / c, w, c, c / (static_cast<double>(entities) / 1e6), peakMb, peakMb / mb);
    if (scale == 1) {
      // What the model's memory alone costs: fresh pages of the same size,
      // each written once, as the records are.
      const std::size_t bytes = static_cast<std::size_t>(last.peakKb - last.baselineKb) * 1024;
      ChildResult touch = InChild([&] {
        ChildResult r;
        const double cpuStart = CpuSeconds();
        auto start = Clock::now();
        std::unique_ptr<char[]> memory(new char[bytes]);
        for (std::size_t i = 0; i < bytes; i += 4096) memory[i] = static_cast<char>(i);
        r.ok = memory[bytes / 2];
        r.seconds = std::chrono::duration<double>(Clock::now() - start).count();
        r.cpuSeconds = CpuSeconds() - cpuStart;
        return r;
      });
      std::printf("      (writing %.0f MB of fresh pages alone: wall %.3f s, cpu %.3f s)\n",
                  static_cast<double>(bytes) / 1e6, touch.seconds, touch.cpuSeconds);
    }
  }

  // One text line of 10 MB: the reader may hold a few copies of it, no more.
  {
    const auto path = dir / "t408_bench_long_line.txt";
    {
      std::ofstream out(path, std::ios::binary);
      out << "ch 1 2 3 4 \"" << std::string(10'000'000, 'A') << "\r\n 0 0 1 1\r\n";
    }
    ChildResult r = ReadWithReader(path);
    std::printf("10 MB line: %.3f s, peak %.1f MB over a start of %.1f MB, %zu entities\n",
                r.seconds, static_cast<double>(r.peakKb) * 1024.0 / 1e6,
                static_cast<double>(r.baselineKb) * 1024.0 / 1e6, r.entities);
    std::filesystem::remove(path);
  }
  std::printf("(MB = 10^6 bytes; peak = ru_maxrss of the reading child, start included)\n");
  return 0;
}
