#pragma once
// Replacing a file so that readers only ever see the old or the new content.

#include <filesystem>
#include <string_view>

// Writes `bytes` into a temporary file in the folder of `path`, flushes it and
// renames it over `path`. On any failure the temporary file is removed, `path`
// is left as it was, and false is returned.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);
