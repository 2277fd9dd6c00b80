// A minimal owner for COM interface pointers: released on every path out. COM itself is bound at
// run time, so that ole32 is loaded only by the commands that use a shell object.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <type_traits>
#include <utility>

namespace win {

// ole32 from the System directory by its full path, loaded at the first call of one of these; a
// start that uses no shell object never loads it. Without ole32 (or a function of it) every call
// fails as COM does when it is not there.
namespace com {
struct Ole32Functions {
  HRESULT(WINAPI* initializeEx)(LPVOID, DWORD) = nullptr;
  HRESULT(WINAPI* initialize)(LPVOID) = nullptr;
  void(WINAPI* uninitialize)() = nullptr;
  HRESULT(WINAPI* createInstance)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*) = nullptr;
  void(WINAPI* taskMemFree)(LPVOID) = nullptr;
};

inline const Ole32Functions& Ole32() {
  static const Ole32Functions functions = [] {
    Ole32Functions f;
    constexpr char kName[] = "\\ole32.dll";
    char path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + sizeof kName > MAX_PATH) return f;
    lstrcpyA(path + length, kName);
    const HMODULE module = LoadLibraryA(path);
    if (!module) return f;
    auto bind = [module](auto& function, const char* name) {
      function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
          reinterpret_cast<void*>(GetProcAddress(module, name)));
    };
    bind(f.initializeEx, "CoInitializeEx");
    bind(f.initialize, "CoInitialize");
    bind(f.uninitialize, "CoUninitialize");
    bind(f.createInstance, "CoCreateInstance");
    bind(f.taskMemFree, "CoTaskMemFree");
    return f;
  }();
  return functions;
}

// Single-threaded; CoInitialize where CoInitializeEx is missing (Windows 95 without DCOM).
inline HRESULT InitializeSingleThreaded() {
  const Ole32Functions& f = Ole32();
  if (f.initializeEx) return f.initializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  return f.initialize ? f.initialize(nullptr) : E_NOTIMPL;
}

inline void Uninitialize() {
  if (const auto uninitialize = Ole32().uninitialize) uninitialize();
}

inline HRESULT CreateInstance(REFCLSID classId, REFIID interfaceId, void** object) {
  *object = nullptr;
  const auto create = Ole32().createInstance;
  return create ? create(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId, object) : E_NOTIMPL;
}

inline void TaskMemFree(void* memory) {
  if (memory) {
    if (const auto taskMemFree = Ole32().taskMemFree) taskMemFree(memory);
  }
}
}  // namespace com

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
  // For out-parameters of com::CreateInstance and QueryInterface.
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
  ComApartment() : ok_(SUCCEEDED(com::InitializeSingleThreaded())) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (ok_) com::Uninitialize();
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
    if (ok_) com::Uninitialize();
  }

  // Once per holder; a thread without a holder keeps the apartment its owner made.
  static void Need() {
    ComApartmentOnDemand* holder = current_;
    if (!holder || holder->tried_) return;
    holder->tried_ = true;
    holder->ok_ = SUCCEEDED(com::InitializeSingleThreaded());
  }

 private:
  static inline thread_local ComApartmentOnDemand* current_ = nullptr;
  ComApartmentOnDemand* outer_;
  bool tried_ = false;
  bool ok_ = false;
};

inline void NeedComApartment() { ComApartmentOnDemand::Need(); }

}  // namespace win
