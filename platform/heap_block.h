// A block of the process heap that frees itself: the clock's only dynamic memory (its own
// file's payload, its face picture at the screen's scale and a few texts). No exceptions: an allocation that fails is a null block
// the caller checks.
#pragma once

#include <windows.h>

#include <cstddef>

namespace tavimore {

class HeapBlock {
 public:
  HeapBlock() = default;
  // `bytes` zero-filled bytes, or an empty block when the heap has none to give.
  explicit HeapBlock(size_t bytes)
      : data_(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes ? bytes : 1)),
        size_(data_ ? bytes : 0) {}
  ~HeapBlock() {
    if (data_) HeapFree(GetProcessHeap(), 0, data_);
  }
  HeapBlock(HeapBlock&& other) noexcept : data_(other.data_), size_(other.size_) {
    other.data_ = nullptr;
    other.size_ = 0;
  }
  HeapBlock& operator=(HeapBlock&& other) noexcept {
    if (this != &other) {
      if (data_) HeapFree(GetProcessHeap(), 0, data_);
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
