// t408q: the quick pass as a native program (Linux). It works on
// JWC_TEMP.TXT and t407.dat beside the executable, in the mode its one
// optional argument selects (tool/quick_pass_command.h); a refusal's reason
// goes to the terminal as well. The Windows t408q.exe has an entry of its own
// in tool/win32/.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "tool/quick_pass_command.h"
#include "util/iconv_text.h"

namespace {

// The reason for the terminal, in UTF-8; the Shift-JIS bytes unchanged if
// no conversion is available.
std::string Cp932ToUtf8(const std::string& text) {
  return ConvertText(text, "CP932", "UTF-8").value_or(text);
}

// The folder of the running executable: the kernel's link to it where there
// is one, else the path the program was started by.
std::filesystem::path ProgramFolder(const char* argv0) {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) return exe.parent_path();
  const std::filesystem::path started = std::filesystem::absolute(argv0 ? argv0 : "", ec);
  return ec ? std::filesystem::current_path(ec) : started.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::string message;
  const int result =
      RunQuickPassCommand(ProgramFolder(argc > 0 ? argv[0] : nullptr), arguments, &message);
  if (result != 0) std::fprintf(stderr, "%s\n", Cp932ToUtf8(message).c_str());
  return result;
}
