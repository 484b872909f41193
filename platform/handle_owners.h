// Owners of Win32 handles: each releases its handle when it goes out of scope, so no early
// return leaks a bitmap, a device context, a search, a file, a COM object or a block of
// global memory. A clock runs for weeks; a leaked object per second would show.
//
// Every owner may be empty (it then releases nothing), hands its handle over with
// release() once someone else has taken it (the window system, for a window region), and
// can be moved but not copied.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace tavimore {

// What an owner's empty value is: null for most handles, INVALID_HANDLE_VALUE for the
// ones CreateFile and FindFirstFile return.
enum class NoHandle { kNull, kInvalidHandleValue };

// The shared part of the owners: `Free` is the call that gives a handle back.
template <typename Handle, auto Free, NoHandle kNone = NoHandle::kNull>
class Owned {
 public:
  Owned() : handle_(None()) {}
  explicit Owned(Handle handle) : handle_(handle) {}
  ~Owned() { reset(); }
  Owned(Owned&& other) noexcept : handle_(other.release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != None(); }
  // Frees the handle held, if any, and takes `handle` in its place.
  void reset(Handle handle = None()) {
    if (handle_ != None()) Free(handle_);
    handle_ = handle;
  }
  Handle release() {
    const Handle handle = handle_;
    handle_ = None();
    return handle;
  }

 private:
  static Handle None() {
    if constexpr (kNone == NoHandle::kInvalidHandleValue)
      return static_cast<Handle>(INVALID_HANDLE_VALUE);
    else
      return nullptr;
  }

  Handle handle_;
};

// A pen, brush, font, bitmap or region.
template <typename Handle>
using GdiObject = Owned<Handle, DeleteObject>;
// A memory device context.
using MemoryDc = Owned<HDC, DeleteDC>;
// A search from FindFirstFile.
using FindHandle = Owned<HANDLE, FindClose, NoHandle::kInvalidHandleValue>;
// A file from CreateFile.
using FileHandle = Owned<HANDLE, CloseHandle, NoHandle::kInvalidHandleValue>;
// A menu from CreatePopupMenu.
using MenuHandle = Owned<HMENU, DestroyMenu>;
// A process, or another kernel object whose Open call gives null when it fails.
using KernelHandle = Owned<HANDLE, CloseHandle>;

// An object selected into a device context for as long as this lives; the context's
// previous object goes back in at the end, so that the object can then be deleted.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

  // False when the object could not be selected.
  explicit operator bool() const { return previous_ && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The screen's device context from GetDC(nullptr), given back with ReleaseDC.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// A reference to a COM object, released when it goes out of scope. Pass out() where a
// call returns a new reference.
template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;

  Interface* get() const { return p_; }
  Interface* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // Where a call stores a new reference; any reference held is released first.
  Interface** out() {
    if (p_) p_->Release();
    p_ = nullptr;
    return &p_;
  }

 private:
  Interface* p_ = nullptr;
};

}  // namespace tavimore
