#include "host/atomic_file.h"

#include <fstream>
#include <system_error>

namespace {

// Beside the target, so that the final rename never crosses file systems.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& path) {
  std::filesystem::path temp = path;
  temp += ".tmp";
  return temp;
}

bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  out.close();
  return !out.fail();
}

}  // namespace

bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  const std::filesystem::path temp = TemporaryPathFor(path);
  std::error_code ec;
  // A directory (or anything but a plain file) in the way of the temporary
  // file is not ours to remove.
  if (std::filesystem::exists(std::filesystem::symlink_status(temp, ec)) &&
      !std::filesystem::is_regular_file(std::filesystem::symlink_status(temp, ec))) {
    return false;
  }
  if (!WriteWholeFile(temp, bytes)) {
    std::filesystem::remove(temp, ec);
    return false;
  }
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    return false;
  }
  return true;
}
