// Reads JWC_TEMP.TXT, the exchange file Jw_cad writes before starting the
// tool, into gDataModel: the file is cut into lines, each line into tokens
// (host/exchange_tokenizer.h), and each line's tokens go to the handler its
// keyword selects (host/keyword_dispatch.cpp).

#include "host/exchange_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/block_supplier.h"

namespace {

// The file is read in pieces of this size: a drawing of any size costs one
// piece of memory besides the model, never a copy of the whole file.
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

// Takes the file's bytes in pieces of any size and hands each complete line
// to the interpreter. The pieces are the cutter's to change: a line complete
// within one is split in place there, without a copy; a line across pieces is
// gathered first.
class LineCutter {
 public:
  // False once a 0x1A byte ended the file: later bytes are not read.
  // `bytesAfter`, when known, is how many bytes of the file follow the piece.
  bool Feed(char* piece, std::size_t size, std::size_t bytesAfter = 0) {
    if (ended_) return false;
    if (const void* eof = std::memchr(piece, 0x1A, size)) {
      size = static_cast<std::size_t>(static_cast<const char*>(eof) - piece);
      ended_ = true;
    }
    std::size_t pos = 0;
    while (pos < size) {
      const void* lf = std::memchr(piece + pos, '\n', size - pos);
      if (!lf) {
        // A line already longer than a piece can be no longer than what the
        // file has left: its buffer is sized once for that instead of doubling
        // through copies of it. Pages never written cost no memory.
        if (!carry_.empty() && bytesAfter > 0) {
          carry_.reserve(carry_.size() + (size - pos) + bytesAfter);
        }
        carry_.append(piece + pos, size - pos);
        break;
      }
      const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(lf) - piece);
      if (carry_.empty()) {
        Line(piece + pos, end - pos);
      } else {
        carry_.append(piece + pos, end - pos);
        Line(carry_.data(), carry_.size());
        ReleaseCarry();
      }
      pos = end + 1;
    }
    if (ended_) Finish();
    return !ended_;
  }

  // The last line, when the file does not end in a line feed.
  void Finish() {
    if (!carry_.empty()) Line(carry_.data(), carry_.size());
    ReleaseCarry();
  }

 private:
  void Line(char* line, std::size_t size) {
    if (size > 0 && line[size - 1] == '\r') --size;
    if (!SplitSimpleLine(line, size, tokens_)) {
      // A CR inside a line is dropped before the line is split, so it never
      // becomes the second byte of a double-byte character.
      if (std::memchr(line, '\r', size)) {
        size = static_cast<std::size_t>(std::remove(line, line + size, '\r') - line);
      }
      SplitExchangeLineInPlace(line, size, tokens_);
    }
    InterpretExchangeTokens(tokens_);
  }

  void ReleaseCarry() {
    carry_.clear();
    // A buffer grown by one long line is given back after it.
    if (carry_.capacity() > kPieceBytes) std::string().swap(carry_);
  }

  std::string carry_;  // a line begun in an earlier piece
  LineTokens tokens_;
  bool ended_ = false;
};

}  // namespace

void ParseExchangeBytes(std::string_view bytes) {
  std::vector<char> piece;
  LineCutter cutter;
  for (std::size_t pos = 0; pos < bytes.size(); pos += kPieceBytes) {
    const std::string_view part = bytes.substr(pos, kPieceBytes);
    piece.assign(part.begin(), part.end());
    if (!cutter.Feed(piece.data(), piece.size(), bytes.size() - pos - part.size())) return;
  }
  cutter.Finish();
}

bool ReadExchangeFile(const std::filesystem::path& path, FileFailure* failure) {
  FileFailure ignored;
  FileFailure& why = failure != nullptr ? *failure : ignored;
  why = FileFailure::None;
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status)) {
    why = FileFailure::Missing;
    return false;
  }
  if (!std::filesystem::is_regular_file(status)) {
    why = FileFailure::NotAFile;
    return false;
  }
  errno = 0;
  std::ifstream file(path, std::ios::binary);
  if (!file.is_open()) {
    why = FailureOf(std::error_code(errno, std::generic_category()), FileFailure::ReadError);
    return false;
  }

  const std::uintmax_t fileBytes = std::filesystem::file_size(path, error);
  // A typical file is a header and one picked point: zero-filling a whole
  // piece for it would cost more than reading it.
  const std::size_t pieceBytes =
      error ? kPieceBytes
            : static_cast<std::size_t>(std::min<std::uintmax_t>(kPieceBytes, fileBytes + 1));
  std::vector<char> piece(pieceBytes);
  BlockSupplier supplier;
  LineCutter cutter;
  std::uintmax_t readBytes = 0;
  for (;;) {
    file.read(piece.data(), static_cast<std::streamsize>(piece.size()));
    std::size_t got = static_cast<std::size_t>(file.gcount());
    if (file.bad()) {
      // A read error stops at the last complete line read; the line it cut
      // off is not read.
      char* end = piece.data() + got;
      char* lastLf =
          std::find(std::make_reverse_iterator(end), std::make_reverse_iterator(piece.data()), '\n')
              .base();
      got = static_cast<std::size_t>(lastLf - piece.data());
      if (got > 0) cutter.Feed(piece.data(), got, 0);
      why = FileFailure::ReadError;
      return false;
    }
    readBytes += got;
    const std::size_t bytesAfter =
        !error && fileBytes > readBytes ? static_cast<std::size_t>(fileBytes - readBytes) : 0;
    if (got > 0 && !cutter.Feed(piece.data(), got, bytesAfter)) return true;
    if (got < piece.size()) break;
  }
  cutter.Finish();
  return true;
}
