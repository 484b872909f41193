// Owners of graphics handles: each releases its handle when it goes out of scope, so no
// early return leaks a bitmap or a region. A clock runs for weeks; a leaked object per
// second would show.
#pragma once

#include <windows.h>

namespace tavimore {

// A pen, brush, bitmap or region, deleted with DeleteObject unless released.
template <typename Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle handle = nullptr) : handle_(handle) {}
  ~GdiObject() {
    if (handle_) DeleteObject(handle_);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle get() const { return handle_; }
  // Hands the handle to whoever takes it over (the window system, for a window region).
  Handle release() {
    Handle h = handle_;
    handle_ = nullptr;
    return h;
  }

 private:
  Handle handle_;
};

// A memory device context, deleted with DeleteDC.
class MemoryDc {
 public:
  explicit MemoryDc(HDC dc = nullptr) : dc_(dc) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace tavimore
