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
  explicit HeapBlock(size_t bytes) : data_(HeapMemory(bytes)), size_(data_ ? bytes : 0) {}
  ~HeapBlock() { FreeHeapMemory(data_); }
  HeapBlock(HeapBlock&& other) noexcept : data_(other.data_), size_(other.size_) {
    other.data_ = nullptr;
    other.size_ = 0;
  }
  HeapBlock& operator=(HeapBlock&& other) noexcept {
    if (this != &other) {
      FreeHeapMemory(data_);
      data_ = other.data_;
      size_ = other.size_;
      other.data_ = nullptr;
      other.size_ = 0;
    }
    return *this;
  }
  HeapBlock(const HeapBlock&) = delete;
  HeapBlock& operator=(const HeapBlock&) = delete;

  explicit operator bool() const { return data_ != nullptr; }
  size_t size() const { return size_; }
  template <typename T>
  T* as() const {
    return static_cast<T*>(data_);
  }

 private:
  void* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace tavimore
