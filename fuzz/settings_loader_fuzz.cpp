// t407.dat from any bytes: loaded into the dialog, saved, loaded again. The
// save must be 31 CR LF lines, and the second load must give the dialog and
// the fields the first load gave (and so save the same bytes).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "fuzz/fuzz_output_checks.h"
#include "tool/form1.h"
#include "tool/form_layout.h"
#include "tool/memory_form.h"
#include "util/number_text.h"
#include "util/text_to_number.h"

namespace {

struct ControlState {
  int Index = -1;
  std::string Text;
  bool Checked = false;
};

struct LoadedState {
  std::vector<ControlState> Controls;  // in the order of the form description
  int SavedLeft = 0, SavedTop = 0;
  Point Start, End, LinePoint;
  std::string Saved;  // the bytes SaveSettings writes
};

LoadedState LoadAndSave(const std::filesystem::path& folder, std::string_view settings) {
  WriteWholeFile(folder / "t407.dat", settings);
  MemoryForm window(folder);
  TForm1 form(window);
  form.FormShow();
  // A t407.dat that exists always starts the tool: a missing line 23 reads
  // as layer group 0.
  if (form.StartRefused()) FuzzFail("start refused with a t407.dat", settings);

  LoadedState s;
  for (const ControlDescription& c : Form1Description().Controls) {
    ControlState cs;
    switch (c.Kind) {
      case ControlKind::DropDownList:
      case ControlKind::RadioGroup:
        cs.Index = window.ItemIndex(c.Id);
        break;
      case ControlKind::Edit:
        cs.Text = window.Text(c.Id);
        break;
      case ControlKind::CheckBox:
        cs.Checked = window.Checked(c.Id);
        break;
      default:
        break;
    }
    s.Controls.push_back(cs);
  }
  s.SavedLeft = form.SavedLeft;
  s.SavedTop = form.SavedTop;
  s.Start = form.ReferenceStart;
  s.End = form.ReferenceEnd;
  s.LinePoint = form.ReferenceLinePoint;
  form.SaveSettings(folder / "t407.dat");
  s.Saved = ReadWholeFile(folder / "t407.dat");
  return s;
}

// A coordinate as saved and read back: 15 significant digits.
bool SameAfterSave(double loaded, double reloaded) {
  return TextToReal(RealToText(loaded)) == reloaded;
}

// `b` loaded from what `a` saved. When `listLostSelection` is given, a list
// without a selection in `a` may read as its first item in `b`: it is saved
// as -1, and t407 turns every negative index into 0.
void CompareLoads(const LoadedState& a, const LoadedState& b, bool* listLostSelection) {
  const auto& controls = Form1Description().Controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlState& x = a.Controls[i];
    const ControlState& y = b.Controls[i];
    const bool lost = listLostSelection != nullptr &&
                      controls[i].Kind == ControlKind::DropDownList && x.Index == -1 &&
                      y.Index == 0;
    if (lost) *listLostSelection = true;
    if ((x.Index != y.Index && !lost) || x.Text != y.Text || x.Checked != y.Checked) {
      FuzzFail(std::string("reloaded control differs: ") + std::string(controls[i].Name), a.Saved);
    }
  }
  if (a.SavedLeft != b.SavedLeft || a.SavedTop != b.SavedTop ||
      !SameAfterSave(a.Start.X, b.Start.X) || !SameAfterSave(a.Start.Y, b.Start.Y) ||
      !SameAfterSave(a.End.X, b.End.X) || !SameAfterSave(a.End.Y, b.End.Y) ||
      !SameAfterSave(a.LinePoint.X, b.LinePoint.X) ||
      !SameAfterSave(a.LinePoint.Y, b.LinePoint.Y)) {
    FuzzFail("reloaded fields differ", a.Saved);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::filesystem::path& folder = FuzzFolder();
  std::error_code ec;
  std::filesystem::remove(folder / "JWC_TEMP.TXT", ec);

  const LoadedState first = LoadAndSave(folder, input);
  CheckSettingsOutput(first.Saved, IsValidCp932(input));
  const LoadedState second = LoadAndSave(folder, first.Saved);
  const LoadedState third = LoadAndSave(folder, second.Saved);
  bool listLostSelection = false;
  CompareLoads(first, second, &listLostSelection);
  CompareLoads(second, third, nullptr);
  if (second.Saved != first.Saved && !listLostSelection) {
    FuzzFail("second save differs from the first", second.Saved);
  }
  if (third.Saved != second.Saved) FuzzFail("third save differs from the second", third.Saved);
  CheckNoLeftovers(folder);
  return 0;
}
