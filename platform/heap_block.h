// A block of the process heap that frees itself: the clock's only dynamic memory (its own
// file's payload, its face images, its face picture at the screen's scale and a few
// texts). No exceptions: an allocation that fails is a null block the caller checks.
#pragma once

#include <cstddef>

namespace tavimore {

// The process heap, zero-filled; null when it has nothing to give. Out of line, with
// FreeHeapMemory, so that each use is one call rather than two through the import table.
void* HeapMemory(size_t bytes);
void FreeHeapMemory(void* memory);  // null is allowed

class HeapBlock {
 public:
  HeapBlock() = default;
  // `bytes` zero-filled bytes, or an empty block when the heap has none to give.
  explicit HeapBlock(size_t bytes) : data_(HeapMemory(bytes)) {}
  ~HeapBlock() { FreeHeapMemory(data_); }
  HeapBlock(HeapBlock&& other) noexcept : data_(other.data_) { other.data_ = nullptr; }
  HeapBlock& operator=(HeapBlock&& other) noexcept {
    if (this != &other) {
      FreeHeapMemory(data_);
      data_ = other.data_;
      other.data_ = nullptr;
    }
    return *this;
  }
  HeapBlock(const HeapBlock&) = delete;
  HeapBlock& operator=(const HeapBlock&) = delete;

  explicit operator bool() const { return data_ != nullptr; }
  template <typename T>
  T* as() const {
    return static_cast<T*>(data_);
  }

 private:
  // The address only: every owner knows the size it asked for, and a second member would
  // be stored, moved and cleared in each of the clock's many blocks for no reader.
  void* data_ = nullptr;
};

}  // namespace tavimore
