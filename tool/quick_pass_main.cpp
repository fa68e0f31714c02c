// t408q: the quick pass for Linux. Jw_cad (under Wine, through a batch file)
// starts it with no arguments; it works on the files beside the executable.

#include <iconv.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "tool/quick_pass.h"

namespace {

// The reason for the terminal, in UTF-8; the bytes unchanged if the
// conversion is not available.
std::string Cp932ToUtf8(const std::string& text) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  std::string in = text;
  std::string out(in.size() * 3 + 8, '\0');
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1)) return text;
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace

int main() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  const std::filesystem::path folder = ec ? std::filesystem::current_path() : exe.parent_path();
  std::string message;
  const int result = RunQuickPass(folder, &message);
  if (result != 0) std::fprintf(stderr, "%s\n", Cp932ToUtf8(message).c_str());
  return result;
}
