// Owners for COM: a reference released when it goes out of scope, and the thread's COM
// apartment, entered for as long as the owner lives.
#pragma once

#include <objbase.h>

namespace tavimore {

template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  // For the calls that hand out a new reference; only on an empty owner.
  T** out() { return &p_; }

 private:
  T* p_ = nullptr;
};

// COM on the calling thread. A thread that already has COM (the editor's, after the
// common dialogs) keeps it; the owner only undoes what its own call did.
class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  // COM can be used: entered here, or already there in another model.
  bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

}  // namespace tavimore
