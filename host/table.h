#pragma once
// A growable table of records stored in fixed blocks that are never moved:
// appending costs O(1) with no reallocation copy, so a drawing of a million
// entities is read in linear time without holding two copies of a table.

#include <cstddef>
#include <memory>
#include <vector>

template <class T>
class Table {
 public:
  static constexpr std::size_t kBlockRecords = 4096;

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }

  T& operator[](std::size_t i) { return blocks_[i / kBlockRecords][i % kBlockRecords]; }
  const T& operator[](std::size_t i) const {
    return blocks_[i / kBlockRecords][i % kBlockRecords];
  }
  T& back() { return (*this)[count_ - 1]; }
  const T& back() const { return (*this)[count_ - 1]; }

  // Appends `record` and returns its zero-based index.
  std::size_t push_back(const T& record) {
    if (count_ == blocks_.size() * kBlockRecords) {
      blocks_.push_back(std::make_unique_for_overwrite<T[]>(kBlockRecords));
    }
    (*this)[count_] = record;
    return count_++;
  }

  void clear() {
    blocks_.clear();
    count_ = 0;
  }

 private:
  std::vector<std::unique_ptr<T[]>> blocks_;
  std::size_t count_ = 0;
};
