// Cost of what the dialog does on every keystroke: the dry run of OK and the
// preview strip's scene (TForm1::Preview), on the worked example and on a
// dimension with point markers and a dimension figure, beside the scene
// alone from a computed dimension. The strip is redrawn before the next key
// is handled, so this must stay far below a keystroke's time.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tool/form1.h"
#include "tool/memory_form.h"

namespace {

std::string Example(const char* name) {
  std::ifstream in(std::filesystem::path(T408_SOURCE_DIR) / "examples" / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The worked example's files in a folder of their own.
class ExampleFolder {
 public:
  ExampleFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "t408-bench-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    std::ofstream(path_ / "JWC_TEMP.TXT", std::ios::binary) << Example("JWC_TEMP.TXT");
    std::ofstream(path_ / "t407.dat", std::ios::binary) << Example("t407.dat");
  }
  ~ExampleFolder() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

void Preview(benchmark::State& state, int startKind, int endKind, bool figure) {
  ExampleFolder folder;
  MemoryForm window(folder.Path());
  TForm1 form(window);
  form.FormShow();
  window.SetItemIndex(ControlId::ComboBox1, startKind);
  window.SetItemIndex(ControlId::ComboBox2, endKind);
  window.SetChecked(ControlId::CheckBox4, figure);
  for (auto _ : state) benchmark::DoNotOptimize(form.Preview());
}

void PreviewLineArrows(benchmark::State& state) { Preview(state, 0, 0, false); }
void PreviewPointMarkersAndFigure(benchmark::State& state) { Preview(state, 8, 1, true); }

BENCHMARK(PreviewLineArrows)->Unit(benchmark::kMicrosecond);
BENCHMARK(PreviewPointMarkersAndFigure)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
