#pragma once
// Memory for the full blocks of the entity tables (host/packed_table.h) and
// of EntityOrder (host/table.h), prepared ahead of use on a second thread
// while a BlockSupplier lives.

#include <cstddef>
#include <memory>
#include <new>

inline constexpr std::size_t kFullBlockBytes = std::size_t{256} << 10;
inline constexpr std::align_val_t kBlockAlignment{64};

// A full block: one the running BlockSupplier has prepared when there is one
// with a block ready, otherwise a fresh one. Freed with
// ::operator delete(block, kBlockAlignment).
void* NewFullBlock();

// Writing a fresh page costs the kernel a page fault, and a million entities
// take some 35 MB of them: a quarter of reading the exchange file when done
// in line with the parsing. While a supplier lives, a second thread allocates
// full blocks a few ahead of use and writes one byte of each page, so the
// faults are taken beside the parsing instead of within it. On a single core
// the thread takes the same faults the reading thread would have taken, at
// the cost of a few switches between the two. Only memory is
// prepared off the reading thread; the tables themselves are touched by the
// reading thread alone. The thread is joined when the supplier is destroyed,
// and blocks not taken by then are freed.
class BlockSupplier {
 public:
  BlockSupplier();
  ~BlockSupplier();
  BlockSupplier(const BlockSupplier&) = delete;
  BlockSupplier& operator=(const BlockSupplier&) = delete;

  // A prepared block, or nullptr when none is ready yet.
  void* Take();

 private:
  struct State;
  std::unique_ptr<State> state_;
};
