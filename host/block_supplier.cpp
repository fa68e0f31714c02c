#include "host/block_supplier.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// The supplier whose blocks NewFullBlock takes; set on the reading thread only.
BlockSupplier* gSupplier = nullptr;

void* AllocateFullBlock() { return ::operator new(kFullBlockBytes, kBlockAlignment); }

}  // namespace

void* NewFullBlock() {
  if (gSupplier) {
    if (void* block = gSupplier->Take()) return block;
  }
  return AllocateFullBlock();
}

struct BlockSupplier::State {
  // A few blocks ahead are enough to hide the faults, and bound what a run
  // can leave prepared but unused to a megabyte.
  static constexpr std::size_t kLookahead = 4;

  // The worker sleeps while kLookahead blocks wait; each block taken wakes it.
  std::mutex mutex;
  std::condition_variable wake;  // room for a block, or stopping
  std::vector<void*> ready;
  bool stopping = false;
  bool started = false;  // touched by the reading thread only
  std::thread worker;

  State() { ready.reserve(kLookahead); }  // so the worker never allocates to queue a block

  void Run() {
    std::unique_lock lock(mutex);
    for (;;) {
      wake.wait(lock, [this] { return stopping || ready.size() < kLookahead; });
      if (stopping) return;
      lock.unlock();
      void* block = nullptr;
      try {
        block = AllocateFullBlock();
      } catch (const std::bad_alloc&) {
        // The reading thread meets the same shortage and reports it.
        lock.lock();
        return;
      }
      // One written byte per page makes the kernel provide the page now.
      auto* bytes = static_cast<volatile char*>(block);
      for (std::size_t i = 0; i < kFullBlockBytes; i += 4096) bytes[i] = 0;
      lock.lock();
      ready.push_back(block);
    }
  }
};

BlockSupplier::BlockSupplier() : state_(std::make_unique<State>()) {
  if (!gSupplier) gSupplier = this;
}

BlockSupplier::~BlockSupplier() {
  if (gSupplier == this) gSupplier = nullptr;
  if (state_->worker.joinable()) {
    {
      std::lock_guard lock(state_->mutex);
      state_->stopping = true;
    }
    state_->wake.notify_one();
    state_->worker.join();
  }
  for (void* block : state_->ready) ::operator delete(block, kBlockAlignment);
}

void* BlockSupplier::Take() {
  State& s = *state_;
  // The thread starts with the first full block: a drawing too small to fill
  // one never has a second thread.
  if (!s.started) {
    s.started = true;
    try {
      s.worker = std::thread([&s] { s.Run(); });
    } catch (const std::system_error&) {
      // No second thread: the reading thread allocates as it goes.
    }
    return nullptr;
  }
  void* block = nullptr;
  {
    std::lock_guard lock(s.mutex);
    if (s.ready.empty()) return nullptr;
    block = s.ready.back();
    s.ready.pop_back();
  }
  s.wake.notify_one();
  return block;
}
