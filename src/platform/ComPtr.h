// A minimal owner for COM interface pointers: released on every path out.
#pragma once

#include <objbase.h>

#include <utility>

namespace win {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }
  ~ComPtr() { Reset(); }

  void Reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For out-parameters of CoCreateInstance and QueryInterface.
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }

 private:
  T* p_ = nullptr;
};

// Initialises COM single-threaded for the lifetime of the object (a test or a helper program).
class ComApartment {
 public:
  ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (ok_) CoUninitialize();
  }

 private:
  bool ok_;
};

// The user-interface thread's apartment, initialised single-threaded only when the first shell
// object (a link, the folder picker, a shell execute) is about to be used: the first paint needs
// none, so a start that uses none never pays for COM. The run holds one for its lifetime and
// ends COM with it; the shell routines call NeedComApartment() before their first COM call.
class ComApartmentOnDemand {
 public:
  ComApartmentOnDemand() : outer_(std::exchange(current_, this)) {}
  ComApartmentOnDemand(const ComApartmentOnDemand&) = delete;
  ComApartmentOnDemand& operator=(const ComApartmentOnDemand&) = delete;
  ~ComApartmentOnDemand() {
    current_ = outer_;
    if (ok_) CoUninitialize();
  }

  // Once per holder; a thread without a holder keeps the apartment its owner made.
  static void Need() {
    ComApartmentOnDemand* holder = current_;
    if (!holder || holder->tried_) return;
    holder->tried_ = true;
    holder->ok_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }

 private:
  static inline thread_local ComApartmentOnDemand* current_ = nullptr;
  ComApartmentOnDemand* outer_;
  bool tried_ = false;
  bool ok_ = false;
};

inline void NeedComApartment() { ComApartmentOnDemand::Need(); }

}  // namespace win
