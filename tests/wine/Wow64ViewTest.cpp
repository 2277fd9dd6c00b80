// WOW64 facts from a fake table, and what they change for real: the access masks that reach the
// registry from the registry class, the identity settings and the System Information lookup, and
// the redirection switch around the start of a tool.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ShellTestSupport.h"
#include "net/cmdpipe.h"
#include "platform/Wow64.h"
#include "registry/IdentitySettings.h"
#include "registry/RegistryApi.h"
#include "registry/clsEasyRegistry.h"
#include "tools/msinfo.h"

namespace {

struct {
  BOOL callSucceeds = TRUE;
  BOOL answer = FALSE;
  DWORD major = 0, minor = 0;
  int asked = 0, disabled = 0, reverted = 0;
  std::vector<std::pair<std::string, REGSAM>> opens;  // sub-path (or "") and mask of every open and create
} f;

BOOL WINAPI FakeIsWow64Process(HANDLE, PBOOL wow64) { return ++f.asked, *wow64 = f.answer, f.callSucceeds; }
BOOL WINAPI FakeGetVersionEx(OSVERSIONINFOA* version) {
  ++f.asked;
  version->dwMajorVersion = f.major, version->dwMinorVersion = f.minor;
  return TRUE;
}
BOOL WINAPI FakeDisable(PVOID* previous) { return ++f.disabled, *previous = &f, TRUE; }
BOOL WINAPI FakeRevert(PVOID previous) { return f.reverted += previous == &f, TRUE; }

// Passes every call on, noting its mask; refuses writes, so that the machine's keys stay as they are.
LSTATUS WINAPI NotedOpen(HKEY key, LPCSTR sub, DWORD options, REGSAM rights, PHKEY result) {
  f.opens.emplace_back(sub ? sub : "", rights);
  if (rights & KEY_SET_VALUE) return ERROR_ACCESS_DENIED;
  return RegOpenKeyExA(key, sub, options, rights, result);
}
LSTATUS WINAPI NotedCreate(HKEY key, LPCSTR sub, DWORD reserved, LPSTR cls, DWORD options, REGSAM rights,
                           LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition) {
  f.opens.emplace_back(sub, rights);
  return RegCreateKeyExA(key, sub, reserved, cls, options, rights, security, result, disposition);
}

}  // namespace

TEST(Wow64View, FactsDecideTheRegistryViewAndTheRedirectionSwitch) {
  const shelltest::ScratchKey key(HKEY_CURRENT_USER, "Software\\OkuTest\\Wow64View");
  const std::string& scratch = key.path;
  key.Put("V", "x");
  RegistryApi registry;
  registry.OpenKeyEx = NotedOpen;
  registry.CreateKeyEx = NotedCreate;
  const win::ScopedCalls<RegistryApi> noted(registry);
  struct Case {
    const char* name;
    bool process32Bit, hasIsWow64Process, hasSwitch;
    BOOL callSucceeds, answer;
    DWORD major, minor;
    bool view, redirectionOff;
  };
  const Case cases[] = {
      {"64-bit build on Windows 7", false, true, true, TRUE, TRUE, 6, 1, false, false},
      {"32-bit XP SP1: no run-time functions", true, false, false, TRUE, TRUE, 5, 1, false, false},
      {"IsWow64Process fails", true, true, true, FALSE, TRUE, 6, 1, false, false},
      {"32-bit Windows 7", true, true, false, TRUE, FALSE, 6, 1, false, false},
      {"WOW64 reporting Windows 2000", true, true, true, TRUE, TRUE, 5, 0, false, true},
      {"XP x64", true, true, true, TRUE, TRUE, 5, 2, true, true},
      {"Windows 7 x64", true, true, true, TRUE, TRUE, 6, 1, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    f = {};
    f.callSucceeds = c.callSucceeds, f.answer = c.answer, f.major = c.major, f.minor = c.minor;
    Wow64Api api{c.process32Bit, c.hasIsWow64Process ? FakeIsWow64Process : nullptr,
                 c.hasSwitch ? FakeDisable : nullptr, c.hasSwitch ? FakeRevert : nullptr, FakeGetVersionEx};
    const win::ScopedCalls<Wow64Api> fake(api);

    clsEasyRegistry reg;
    ASSERT_TRUE(reg.Cd("\\HKEY_CURRENT_USER\\" + scratch));
    RegValueType type = RegValueType::BINARY;
    EXPECT_EQ(reg.ValueOf("V", type).text, "x");
    EXPECT_TRUE(reg.MakeKey("Sub"));
    EXPECT_FALSE(reg.DeleteKeyExt("Sub"));  // its reopen for the delete is refused, but noted
    std::string text;
    EXPECT_TRUE(QueryKeyValue(HKEY_CURRENT_USER, scratch, "V", text) && text == "x");
    ReadIdentitySettings(true, IeVersion{});
    EXPECT_FALSE(WriteOwner(true, "Wow64View").AllOk());
    bool ownerKey = false;
    for (const auto& [sub, rights] : f.opens) {
      EXPECT_EQ((rights & KEY_WOW64_64KEY) != 0, c.view) << sub;
      ownerKey |= sub == "SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION";
    }
    EXPECT_TRUE(ownerKey);
    if (!c.process32Bit) {
      EXPECT_EQ(f.asked, 0) << "the 64-bit build asks nothing";
    }

    {
      const NativeFileSystemScope native;
      EXPECT_EQ(f.disabled, c.redirectionOff ? 1 : 0);
      EXPECT_EQ(f.reverted, 0);
    }
    EXPECT_EQ(f.reverted, c.redirectionOff ? 1 : 0);
    // The capture's start is inside the switch, and the switch is put back.
    EXPECT_EQ(RunCaptured("writes_nothing.exe"), "");
    EXPECT_EQ(f.disabled, c.redirectionOff ? 2 : 0);
    EXPECT_EQ(f.reverted, f.disabled);
  }
}
