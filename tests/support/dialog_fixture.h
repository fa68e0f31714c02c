#pragma once
// Test helper: a dialog started on files in a fresh folder, through the
// in-memory form, exactly as the quick pass and the window start it.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tool/form1.h"
#include "tool/memory_form.h"
#include "tool/settings_file.h"

// The 31 lines of a t407.dat as t407 leaves it (dialog defaults, window at
// 100,100, reference from (-1000, 0) to (0, 0) with its line through
// (0, -500), layer group 0 at scale 100, axis 0), with some lines replaced.
// The worked example's t407.dat holds exactly these (quick_pass_e2e_test).
inline std::string SettingsBytes(const std::map<int, std::string>& replaced = {}) {
  std::vector<std::string> lines;
  for (int line = 1; line <= 22; ++line) lines.push_back(DefaultSettingsLine(line));
  for (const char* reference : {"0", "100", "0", "-1000", "0", "0", "0", "0", "-500"}) {
    lines.push_back(reference);
  }
  for (const auto& [line, text] : replaced) lines[line - 1] = text;
  return FormatSettingsLines(lines);
}

// The lines of a t407.dat's bytes, as TForm1 reads them.
inline std::vector<std::string> SettingsFileLines(std::string_view bytes) {
  SettingsLineReader reader(BytesSource(bytes));
  std::vector<std::string> lines;
  std::string line;
  while (reader.ReadLine(line) == SettingsLineStatus::Read) lines.push_back(line);
  return lines;
}

struct StartedDialog {
  TempFolder folder;
  MemoryForm window{folder.Path()};
  TForm1 form;

  // `settings` becomes t407.dat and `exchange` JWC_TEMP.TXT; either may be
  // left out.
  explicit StartedDialog(std::optional<std::string> settings,
                         std::optional<std::string> exchange = std::nullopt,
                         DimensionMode mode = DimensionMode::OneDimension)
      : form(window, mode) {
    if (settings) WriteBytes(folder / "t407.dat", *settings);
    if (exchange) WriteBytes(folder / "JWC_TEMP.TXT", *exchange);
    form.FormShow();
  }
};
