#pragma once
// A growable table of records stored in blocks that are never moved:
// appending costs O(1) with no reallocation copy, so a drawing of a million
// entities is read in linear time without holding two copies of a table.
// EntityOrder keeps its bytes in one (host/entity_order.h).
//
// The first blocks double in size (64, 64, 128, ... 2048 records) so that a
// small drawing does not pay for a full block; from record 4096 on every
// block is a full block of kFullBlockBytes, whatever the record, so that one
// BlockSupplier (host/block_supplier.h) can prepare full blocks for every
// table.

#include <bit>
#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "host/block_supplier.h"

template <class T>
class Table {
  // Records are plain values: a block is raw storage that each push_back
  // fills by one copy, with no earlier pass of default values over it.
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);
  static_assert(alignof(T) <= static_cast<std::size_t>(kBlockAlignment));

 public:
  static constexpr std::size_t kFirstBlockRecords = 64;
  static constexpr std::size_t kGrowingRecords = 4096;  // held by the doubling blocks
  static constexpr std::size_t kBlockRecords = kFullBlockBytes / sizeof(T);

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }

  T& operator[](std::size_t i) {
    Place p = PlaceOf(i);
    return blocks_[p.block].get()[p.offset];
  }
  const T& operator[](std::size_t i) const {
    Place p = PlaceOf(i);
    return blocks_[p.block].get()[p.offset];
  }
  T& back() { return (*this)[count_ - 1]; }
  const T& back() const { return (*this)[count_ - 1]; }

  // Appends `record` and returns its zero-based index.
  std::size_t push_back(const T& record) {
    if (count_ == capacity_) AddBlock();
    std::construct_at(next_, record);
    ++next_;
    return count_++;
  }

  void clear() {
    blocks_.clear();
    count_ = 0;
    capacity_ = 0;
    next_ = nullptr;
  }

 private:
  // Blocks 0 to kGrowingBlocks - 1 together hold the first kGrowingRecords records.
  static constexpr std::size_t kGrowingBlocks =
      std::bit_width(kGrowingRecords / kFirstBlockRecords);  // 7

  static constexpr std::size_t BlockSize(std::size_t block) {
    if (block >= kGrowingBlocks) return kBlockRecords;
    return block == 0 ? kFirstBlockRecords : kFirstBlockRecords << (block - 1);
  }

  void AddBlock() {
    const std::size_t block = blocks_.size();
    const std::size_t records = BlockSize(block);
    std::unique_ptr<T, FreeBlock> storage(static_cast<T*>(
        block >= kGrowingBlocks ? NewFullBlock()
                                : ::operator new(records * sizeof(T), kBlockAlignment)));
    blocks_.push_back(std::move(storage));
    next_ = blocks_.back().get();
    capacity_ += records;
  }

  struct Place {
    std::size_t block;
    std::size_t offset;
  };

  static Place PlaceOf(std::size_t i) {
    if (i >= kGrowingRecords) {
      const std::size_t j = i - kGrowingRecords;
      return Place{kGrowingBlocks + j / kBlockRecords, j % kBlockRecords};
    }
    if (i < kFirstBlockRecords) return Place{0, i};
    // Block b >= 1 starts at kFirstBlockRecords << (b - 1).
    std::size_t block = std::bit_width(i / kFirstBlockRecords);
    return Place{block, i - (kFirstBlockRecords << (block - 1))};
  }

  struct FreeBlock {
    void operator()(T* block) const { ::operator delete(block, kBlockAlignment); }
  };

  std::vector<std::unique_ptr<T, FreeBlock>> blocks_;
  std::size_t count_ = 0;
  std::size_t capacity_ = 0;
  T* next_ = nullptr;  // where the next record goes while count_ < capacity_
};
