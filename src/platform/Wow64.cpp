// Gathering the WOW64 facts and carrying out the plan.
#include "platform/Wow64.h"

static_assert(kRegistry64BitView == KEY_WOW64_64KEY);

namespace {

template <class Fn>
Fn Lookup(HMODULE module, const char* name) {
  return module != nullptr ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace

Wow64Api Wow64Api::Real() {
  // Missing before XP SP2 (IsWow64Process) and on every 32-bit Windows (the switch): never imported.
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  Wow64Api api;
  api.isWow64Process = Lookup<IsWow64ProcessFn>(kernel, "IsWow64Process");
  api.disableFsRedirection = Lookup<DisableFsRedirectionFn>(kernel, "Wow64DisableWow64FsRedirection");
  api.revertFsRedirection = Lookup<RevertFsRedirectionFn>(kernel, "Wow64RevertWow64FsRedirection");
  return api;
}

Wow64Facts GatherWow64Facts(const Wow64Api& api) {
  Wow64Facts facts;
  facts.process32Bit = api.process32Bit;
  if (!facts.process32Bit) return facts;
  facts.hasIsWow64Process = api.isWow64Process != nullptr;
  BOOL wow64 = FALSE;
  facts.isWow64 = facts.hasIsWow64Process && api.isWow64Process(GetCurrentProcess(), &wow64) && wow64;
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (api.getVersionEx(&version)) {
    facts.major = version.dwMajorVersion;
    facts.minor = version.dwMinorVersion;
  }
  facts.hasRedirectionSwitch = api.disableFsRedirection != nullptr && api.revertFsRedirection != nullptr;
  return facts;
}

const Wow64Plan& CurrentWow64Plan() {
  Wow64Api& api = win::Calls<Wow64Api>();
  if (!api.plan) api.plan = PlanForWow64(GatherWow64Facts(api));
  return *api.plan;
}

REGSAM RegistryView() { return CurrentWow64Plan().registryView; }

NativeFileSystemScope::NativeFileSystemScope() {
  if (!CurrentWow64Plan().redirectionOff) return;
  const Wow64Api& api = win::Calls<Wow64Api>();
  if (api.disableFsRedirection(&previous_)) revert_ = api.revertFsRedirection;
}

NativeFileSystemScope::~NativeFileSystemScope() {
  if (revert_ != nullptr) revert_(previous_);
}
