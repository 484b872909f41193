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

// The shared part of the owners: `Release` names the value that means "no handle" (None)
// and how a handle is given back (Free).
template <typename Handle, typename Release>
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
    if (handle_ != None()) Release::Free(handle_);
    handle_ = handle;
  }
  Handle release() {
    const Handle handle = handle_;
    handle_ = None();
    return handle;
  }

 private:
  // The release's own form of "none" (an untyped GDI handle, say) as this owner's type.
  static Handle None() { return static_cast<Handle>(Release::None()); }

  Handle handle_;
};

struct DeleteGdiObject {
  static HGDIOBJ None() { return nullptr; }
  static void Free(HGDIOBJ object) { DeleteObject(object); }
};
struct DeleteDeviceContext {
  static HDC None() { return nullptr; }
  static void Free(HDC dc) { DeleteDC(dc); }
};
struct CloseFind {
  static HANDLE None() { return INVALID_HANDLE_VALUE; }
  static void Free(HANDLE search) { FindClose(search); }
};
// CreateFile's failure value is INVALID_HANDLE_VALUE, not null.
struct CloseFile {
  static HANDLE None() { return INVALID_HANDLE_VALUE; }
  static void Free(HANDLE file) { CloseHandle(file); }
};
struct FreeGlobal {
  static HGLOBAL None() { return nullptr; }
  static void Free(HGLOBAL memory) { GlobalFree(memory); }
};
struct DestroyMenuHandle {
  static HMENU None() { return nullptr; }
  static void Free(HMENU menu) { DestroyMenu(menu); }
};

// A pen, brush, font, bitmap or region, deleted with DeleteObject.
template <typename Handle>
using GdiObject = Owned<Handle, DeleteGdiObject>;
// A memory device context, deleted with DeleteDC.
using MemoryDc = Owned<HDC, DeleteDeviceContext>;
// A search from FindFirstFile, ended with FindClose.
using FindHandle = Owned<HANDLE, CloseFind>;
// A file from CreateFile, closed with CloseHandle.
using FileHandle = Owned<HANDLE, CloseFile>;
// Memory from GlobalAlloc, freed with GlobalFree unless a stream has taken it over.
using GlobalMemory = Owned<HGLOBAL, FreeGlobal>;
// A menu from CreatePopupMenu, destroyed with DestroyMenu.
using MenuHandle = Owned<HMENU, DestroyMenuHandle>;

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

// Global memory locked for direct access while this lives; get() is null when the lock
// failed, and then nothing may be written.
class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
  ~GlobalLockGuard() {
    if (data_) GlobalUnlock(memory_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

  void* get() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
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
