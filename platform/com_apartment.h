// The thread's COM apartment, entered for as long as the owner lives. References to COM
// objects are held by ComRef (handle_owners.h).
#pragma once

#include <objbase.h>

namespace tavimore {

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
