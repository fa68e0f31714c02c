// The whole headless pass: an exchange file and a t407.dat in, both files
// out. The input is split at its first 0x00 0xFF pair: the exchange file
// before it, t407.dat after it; without the pair there is no t407.dat.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

#include "fuzz/fuzz_output_checks.h"
#include "host/data_model.h"
#include "host/exchange_reader.h"
#include "tool/quick_pass.h"
#include "tool/ui_texts.h"

namespace {

constexpr std::string_view kSeparator("\x00\xFF", 2);

// The pass writes the font it read, and nothing after it on that line.
void CheckFontLines(std::string_view output, std::string_view exchange) {
  ResetDataModel();
  ParseExchangeBytes(exchange);
  const std::string font = gDataModel.CurFontName;
  std::size_t start = 0;
  while (start < output.size()) {
    std::size_t end = output.find("\r\n", start);
    if (end == std::string_view::npos) end = output.size();
    const std::string_view line = output.substr(start, end - start);
    if (line.substr(0, 4) == "cn\"$" &&
        std::string_view(font).substr(0, line.size() - 4) != line.substr(4)) {
      FuzzFail("the font line carries more than the font", line);
    }
    start = end + 2;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = input.find(kSeparator);
  const std::string_view exchange = input.substr(0, cut);
  const bool haveSettings = cut != std::string_view::npos;
  const std::string_view settings =
      haveSettings ? input.substr(cut + kSeparator.size()) : std::string_view();

  const std::filesystem::path& folder = FuzzFolder();
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::filesystem::remove_all(entry.path(), ec);
  }
  WriteWholeFile(folder / "JWC_TEMP.TXT", exchange);
  if (haveSettings) WriteWholeFile(folder / "t407.dat", settings);

  std::string message;
  const int result = RunQuickPass(folder, &message);
  if (result != 0 && result != 1) FuzzFail("exit status", std::to_string(result));

  const bool inputsValid = IsValidCp932(exchange) && IsValidCp932(settings);
  const std::string output = ReadWholeFile(folder / "JWC_TEMP.TXT");
  CheckExchangeOutput(output, inputsValid);
  if (result == 1 && output != "he" + message + "\r\n") FuzzFail("refusal file", output);
  if (result == 0 && output.substr(0, 2) == "he") FuzzFail("refusal written on success", output);
  CheckFontLines(output, exchange);

  const bool settingsNow = std::filesystem::exists(folder / "t407.dat");
  if (!haveSettings) {
    if (result != 1 || message != kMessageNoSettingsFile || settingsNow) {
      FuzzFail("no t407.dat: refused, nothing written", message);
    }
  } else {
    const std::string saved = ReadWholeFile(folder / "t407.dat");
    if (!settingsNow) FuzzFail("t407.dat lost", settings);
    // Refused before the save: t407.dat as it was.
    if (result == 1 && message != kMessageZeroLength && saved != settings) {
      FuzzFail("t407.dat changed by a refused pass", saved);
    }
    if (saved != settings || result == 0) CheckSettingsOutput(saved, inputsValid);
  }
  CheckNoLeftovers(folder);
  return 0;
}
