#pragma once
// A table of entity records kept in a few bytes each. A big drawing holds
// millions of entities that the tool never reads back: a record keeps its
// numbers as the tokens they were read from (host/packed_number.h), and the
// fields most records share with the one before them (the header, mostly)
// once per run of equal values. Reading a record back builds it whole, with
// the doubles TextToReal gives its tokens.
//
// Records follow each other in a byte stream:
//   - a tag byte: 1 when the record's shared fields follow, 0 when they are
//     those of the record before;
//   - the shared fields (FieldRun::Kind::Shared), byte for byte;
//   - the fields of the record alone (FieldRun::Kind::Own), byte for byte;
//   - the numbers (FieldRun::Kind::Numbers), packed from their tokens.
// Every 64th record carries its shared fields and the table keeps where it
// starts, so a record is read by decoding at most 63 records before it.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

#include "host/block_supplier.h"
#include "host/packed_number.h"

// A run of a record's fields and how the table keeps it.
struct FieldRun {
  enum class Kind { Shared, Own, Numbers };
  Kind kind;
  std::size_t offset;  // in the record
  std::size_t bytes;   // Kind::Numbers: of doubles
};

constexpr FieldRun SharedFields(std::size_t offset, std::size_t bytes) {
  return {FieldRun::Kind::Shared, offset, bytes};
}
constexpr FieldRun OwnFields(std::size_t offset, std::size_t bytes) {
  return {FieldRun::Kind::Own, offset, bytes};
}
constexpr FieldRun NumberFields(std::size_t offset, std::size_t count) {
  return {FieldRun::Kind::Numbers, offset, count * sizeof(double)};
}

// Specialised for each record type: `static constexpr FieldRun kRuns[]`, the
// record's fields from first to last.
template <class Record>
struct RecordFields;

template <class Record>
class PackedTable {
  static_assert(std::is_trivially_copyable_v<Record>);
  static constexpr auto& kRuns = RecordFields<Record>::kRuns;

  static constexpr std::size_t BytesOf(FieldRun::Kind kind) {
    std::size_t bytes = 0;
    for (const FieldRun& run : kRuns) bytes += run.kind == kind ? run.bytes : 0;
    return bytes;
  }

  // The runs cover the record from its first byte to its last, leaving out
  // only the padding in front of a double and at the end.
  static constexpr bool RunsCoverTheRecord() {
    std::size_t end = 0;
    for (const FieldRun& run : kRuns) {
      const std::size_t aligned = (end + alignof(double) - 1) / alignof(double) * alignof(double);
      if (run.offset != end && run.offset != aligned) return false;
      if (run.kind == FieldRun::Kind::Numbers && run.offset % alignof(double) != 0) return false;
      end = run.offset + run.bytes;
    }
    return (end + alignof(Record) - 1) / alignof(Record) * alignof(Record) == sizeof(Record);
  }
  static_assert(RunsCoverTheRecord());

 public:
  static constexpr std::size_t kSharedBytes = BytesOf(FieldRun::Kind::Shared);
  static constexpr std::size_t kOwnBytes = BytesOf(FieldRun::Kind::Own);
  static constexpr std::size_t kNumbers = BytesOf(FieldRun::Kind::Numbers) / sizeof(double);
  static constexpr std::size_t kCheckpointRecords = 64;

  PackedTable() = default;
  PackedTable(PackedTable&&) noexcept = default;
  PackedTable& operator=(PackedTable&&) noexcept = default;

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }

  // Appends `record`, whose numbers are read from `tokens` (in the order of
  // the record's number fields) when asked for; the record's own number
  // fields are not looked at. Returns the record's zero-based index.
  std::size_t Append(const Record& record, std::span<const std::string_view, kNumbers> tokens) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
    std::array<std::uint8_t, kSharedBytes> shared;
    CopyRuns(FieldRun::Kind::Shared, bytes, shared.data());
    const bool checkpoint = count_ % kCheckpointRecords == 0;
    const bool withShared = checkpoint || !SameBytes(shared, lastShared_);

    std::size_t most = 1 + (withShared ? kSharedBytes : 0) + kOwnBytes;
    for (std::string_view token : tokens) most += PackedNumberMaxBytes(token.size());
    Block& block = BlockWithRoom(most);
    if (checkpoint) checkpoints_.push_back(Place{blocks_.size() - 1, block.used});
    std::uint8_t* out = block.bytes.get() + block.used;
    *out++ = withShared ? 1 : 0;
    if (withShared) {
      out = std::copy(shared.begin(), shared.end(), out);
      lastShared_ = shared;
    }
    out = CopyRuns(FieldRun::Kind::Own, bytes, out);
    for (std::string_view token : tokens) out = PackNumber(token, out);
    block.used = static_cast<std::size_t>(out - block.bytes.get());
    return count_++;
  }

  // The record at `i` (< size()), built whole.
  Record operator[](std::size_t i) const {
    Place place = checkpoints_[i / kCheckpointRecords];
    const std::uint8_t* shared = nullptr;
    for (std::size_t k = i - i % kCheckpointRecords;; ++k) {
      // A record never spans two blocks: one that did not fit began the next.
      if (place.offset == blocks_[place.block].used) place = Place{place.block + 1, 0};
      const std::uint8_t* const start = blocks_[place.block].bytes.get();
      const std::uint8_t* in = start + place.offset;
      if (*in++ != 0) {
        shared = in;
        in += kSharedBytes;
      }
      if (k == i) return Build(shared, in, start + blocks_[place.block].used);
      in += kOwnBytes;
      for (std::size_t n = 0; n < kNumbers; ++n) in = SkipPackedNumber(in);
      place.offset = static_cast<std::size_t>(in - start);
    }
  }
  Record back() const { return (*this)[count_ - 1]; }

  // Calls `visit(record)` for every record, in order, each decoded once: the
  // way to read a whole table (operator[] decodes up to 63 records before the
  // one it returns). The record passed is built in place and changes for the
  // next one.
  template <class Visit>
  void ForEach(Visit&& visit) const {
    Record record;
    auto* bytes = reinterpret_cast<std::uint8_t*>(&record);
    for (const Block& block : blocks_) {
      const std::uint8_t* in = block.bytes.get();
      const std::uint8_t* const end = in + block.used;
      while (in < end) {
        if (*in++ != 0) {
          CopyRunsInto(FieldRun::Kind::Shared, in, bytes);
          in += kSharedBytes;
        }
        CopyRunsInto(FieldRun::Kind::Own, in, bytes);
        in += kOwnBytes;
        ReadNumbers(in, end, bytes);
        visit(static_cast<const Record&>(record));
      }
    }
  }

  void clear() { *this = PackedTable(); }

 private:
  // The first block is small, so that a small drawing does not take fifteen
  // full blocks; blocks double up to a full block (host/block_supplier.h).
  static constexpr std::size_t kFirstBlockBytes = std::size_t{4} << 10;

  struct FreeBlock {
    void operator()(std::uint8_t* block) const { ::operator delete(block, kBlockAlignment); }
  };
  struct Block {
    std::unique_ptr<std::uint8_t, FreeBlock> bytes;
    std::size_t capacity = 0;
    std::size_t used = 0;
  };
  struct Place {
    std::size_t block;
    std::size_t offset;
  };

  // The shared fields compared word by word: the size is known here, and a
  // call to memcmp would cost more than the comparison.
  static bool SameBytes(const std::array<std::uint8_t, kSharedBytes>& a,
                        const std::array<std::uint8_t, kSharedBytes>& b) {
    std::uint64_t differ = 0;
    std::size_t i = 0;
    for (; i + 8 <= kSharedBytes; i += 8) {
      std::uint64_t x, y;
      std::memcpy(&x, a.data() + i, 8);
      std::memcpy(&y, b.data() + i, 8);
      differ |= x ^ y;
    }
    for (; i < kSharedBytes; ++i) differ |= a[i] ^ b[i];
    return differ == 0;
  }

  // Copies the runs of `kind` from the record's bytes to `out`, one after the other.
  static std::uint8_t* CopyRuns(FieldRun::Kind kind, const std::uint8_t* record,
                                std::uint8_t* out) {
    for (const FieldRun& run : kRuns) {
      if (run.kind != kind) continue;
      std::memcpy(out, record + run.offset, run.bytes);
      out += run.bytes;
    }
    return out;
  }

  // The inverse of CopyRuns: the runs of `kind`, one after the other at
  // `from`, back to their places in the record's bytes.
  static void CopyRunsInto(FieldRun::Kind kind, const std::uint8_t* from, std::uint8_t* record) {
    for (const FieldRun& run : kRuns) {
      if (run.kind != kind) continue;
      std::memcpy(record + run.offset, from, run.bytes);
      from += run.bytes;
    }
  }

  // The packed numbers at `in`, which lie before `end`, into the record's
  // number fields; `in` moves past them.
  static void ReadNumbers(const std::uint8_t*& in, const std::uint8_t* end, std::uint8_t* record) {
    for (const FieldRun& run : kRuns) {
      if (run.kind != FieldRun::Kind::Numbers) continue;
      std::size_t at = 0;
      for (; at + 4 * sizeof(double) <= run.bytes; at += 4 * sizeof(double)) {
        double four[4];
        ReadFourPackedNumbers(in, end, four);
        std::memcpy(record + run.offset + at, four, sizeof four);
      }
      for (; at < run.bytes; at += sizeof(double)) {
        const double value = ReadPackedNumber(in, end);
        std::memcpy(record + run.offset + at, &value, sizeof value);
      }
    }
  }

  // The record whose shared fields are at `shared` and whose own fields and
  // numbers follow at `own`, in a block that ends at `end`.
  static Record Build(const std::uint8_t* shared, const std::uint8_t* own,
                      const std::uint8_t* end) {
    Record record;
    auto* bytes = reinterpret_cast<std::uint8_t*>(&record);
    CopyRunsInto(FieldRun::Kind::Shared, shared, bytes);
    CopyRunsInto(FieldRun::Kind::Own, own, bytes);
    const std::uint8_t* numbers = own + kOwnBytes;
    ReadNumbers(numbers, end, bytes);
    return record;
  }

  Block& BlockWithRoom(std::size_t bytes) {
    if (!blocks_.empty() && blocks_.back().capacity - blocks_.back().used >= bytes) {
      return blocks_.back();
    }
    std::size_t capacity =
        blocks_.empty() ? kFirstBlockBytes : std::min(kFullBlockBytes, 2 * blocks_.back().capacity);
    capacity = std::max(capacity, bytes);
    void* memory =
        capacity == kFullBlockBytes ? NewFullBlock() : ::operator new(capacity, kBlockAlignment);
    blocks_.push_back(Block{
        std::unique_ptr<std::uint8_t, FreeBlock>(static_cast<std::uint8_t*>(memory)), capacity, 0});
    return blocks_.back();
  }

  std::vector<Block> blocks_;
  std::vector<Place> checkpoints_;  // of records 0, 64, 128, ...
  std::array<std::uint8_t, kSharedBytes> lastShared_{};
  std::size_t count_ = 0;
};
