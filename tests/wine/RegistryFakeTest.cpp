// clsEasyRegistry over fakes of the registry calls: failures the real registry will not produce on
// demand (access denied, a corrupt database, a value that grows between two calls), calls on a
// null key, and every key handle opened and closed.
#include <gmock/gmock.h>

#include <set>

#include "registry/RegistryApi.h"
#include "registry/clsEasyRegistry.h"
#include "wine/RegistryScratch.h"

namespace {

using namespace raw;

struct {
  REGSAM refusedRights = 0;  // opens asking for these rights are denied
  LONG infoError = ERROR_SUCCESS;
  DWORD failingIndex = MAXDWORD;  // EnumValue of this index fails with enumError
  LONG enumError = ERROR_SUCCESS;
  bool grows = false;       // the read after the size query finds more data than announced
  bool overstates = false;  // successful calls report lengths past the caller's buffer
  DWORD platformId = 0;     // nonzero: the Windows family GetVersionExA reports
  int nullKeyCalls = 0;
  int changes = 0;
  std::set<HKEY> live;
} g;

bool Predefined(HKEY key) { return reinterpret_cast<ULONG_PTR>(key) >= reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT); }
void Saw(HKEY key) { g.nullKeyCalls += key == nullptr; }

RegistryApi Fakes() {
  RegistryApi api;
  api.OpenKeyEx = [](HKEY key, LPCSTR sub, DWORD options, REGSAM rights, PHKEY result) -> LSTATUS {
    Saw(key);
    if ((rights & g.refusedRights) != 0) return ERROR_ACCESS_DENIED;
    const LSTATUS status = RegOpenKeyExA(key, sub, options, rights, result);
    if (status == ERROR_SUCCESS && !Predefined(*result)) g.live.insert(*result);
    return status;
  };
  api.CloseKey = [](HKEY key) -> LSTATUS {
    Saw(key);
    EXPECT_EQ(g.live.erase(key), 1u) << "closed a key it does not own";
    return RegCloseKey(key);
  };
  api.QueryInfoKey = [](HKEY key, LPSTR c, LPDWORD cl, LPDWORD r, LPDWORD sk, LPDWORD msk, LPDWORD mc, LPDWORD v,
                        LPDWORD mn, LPDWORD md, LPDWORD s, PFILETIME t) -> LSTATUS {
    Saw(key);
    return g.infoError != ERROR_SUCCESS ? g.infoError : RegQueryInfoKeyA(key, c, cl, r, sk, msk, mc, v, mn, md, s, t);
  };
  api.EnumValue = [](HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD r, LPDWORD type, LPBYTE data,
                     LPDWORD dataLength) -> LSTATUS {
    Saw(key);
    const LSTATUS status =
        index == g.failingIndex ? g.enumError : RegEnumValueA(key, index, name, nameLength, r, type, data, dataLength);
    if (index == g.failingIndex || g.overstates) *nameLength += 5000, *dataLength += 5000;
    return status;
  };
  api.QueryValueEx = [](HKEY key, LPCSTR name, LPDWORD r, LPDWORD type, LPBYTE data, LPDWORD length) -> LSTATUS {
    Saw(key);
    if (data != nullptr && g.grows) return *length += 1000, ERROR_MORE_DATA;
    const LSTATUS status = RegQueryValueExA(key, name, r, type, data, length);
    if (data != nullptr && g.overstates) *length += 5000;
    return status;
  };
  api.SetValueEx = [](HKEY key, LPCSTR n, DWORD r, DWORD t, const BYTE* d, DWORD l) -> LSTATUS {
    Saw(key);
    ++g.changes;
    return RegSetValueExA(key, n, r, t, d, l);
  };
  api.CreateKeyEx = [](HKEY key, LPCSTR sub, DWORD r, LPSTR c, DWORD o, REGSAM sam, LPSECURITY_ATTRIBUTES sa,
                       PHKEY result, LPDWORD d) -> LSTATUS {
    Saw(key);
    const LSTATUS status = RegCreateKeyExA(key, sub, r, c, o, sam, sa, result, d);
    if (status == ERROR_SUCCESS) g.live.insert(*result);
    return status;
  };
  api.GetVersionEx = [](LPOSVERSIONINFOA version) -> BOOL {
    const BOOL ok = GetVersionExA(version);
    if (g.platformId != 0) version->dwPlatformId = g.platformId;
    return ok;
  };
  api.DeleteKey = [](HKEY key, LPCSTR name) -> LSTATUS { return Saw(key), ++g.changes, RegDeleteKeyA(key, name); };
  api.DeleteValue = [](HKEY key, LPCSTR name) -> LSTATUS { return Saw(key), ++g.changes, RegDeleteValueA(key, name); };
  return api;
}

class RegistryFake : public RegistryScratch {
 protected:
  void SetUp() override {
    RegistryScratch::SetUp();
    g = {};
    Set(Path(), "V1", REG_SZ, Sz("one"));
    Set(Path(), "V2", REG_SZ, Sz("two"));
    MakeKey(Path("Child\\Sub"));
  }
  void TearDown() override {
    EXPECT_EQ(g.nullKeyCalls, 0);
    RegistryScratch::TearDown();
  }
  ScopedRegistryApi fakes_{Fakes()};
};

TEST_F(RegistryFake, RefusedRightsStopEachChangeBeforeItsCallAndKeepTheReason) {
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  g.refusedRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
  EXPECT_FALSE(reg.ValueOf("V1", RegValueType::STRING, std::string("after")));
  EXPECT_EQ(Recorded(), "Access to Registry Denied.");
  Err().Clear();
  EXPECT_FALSE(reg.MakeKey("New") || reg.DeleteKey("Child") || reg.DeleteKeyExt("Child") || reg.DeleteValue("V1"));
  EXPECT_EQ(Recorded(), "Access to Registry Denied.");
  EXPECT_EQ(g.changes, 0);
  EXPECT_EQ(Get(Path(), "V1")->data, Sz("one"));
  RegValueType type{};
  EXPECT_EQ(reg.ValueOf("V1", type).text, "one");  // found again for a member whose rights are granted
}

TEST_F(RegistryFake, BrokenAnswersGiveNullListingsOrEmptyRowsAndNeverReadPastABuffer) {
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  g.infoError = ERROR_BADDB;
  EXPECT_EQ(reg.DirKey(), std::nullopt);
  EXPECT_EQ(reg.DirValue(), std::nullopt);
  EXPECT_EQ(Recorded(), "Corrupt Registry Database!");
  g.infoError = ERROR_SUCCESS;
  for (const LONG error : {ERROR_BADDB, ERROR_MORE_DATA}) {  // a failed row, even one claiming huge lengths
    g.failingIndex = 0;
    g.enumError = error;
    EXPECT_THAT(*reg.DirValue(), ::testing::ElementsAre(ValueRow{}, ValueRow{"V2", "two", "0"}));
  }
  g.failingIndex = MAXDWORD;
  g.grows = true;  // the value outgrew its announced size: nothing of it is read
  RegValueType type = RegValueType::BINARY;
  const ValueReading reading = reg.ValueOf("V1", type);
  EXPECT_TRUE(reading.text.empty() && !reading.bytes && type == RegValueType::STRING);
  EXPECT_EQ(Recorded(), "Undefined key error code!");

  g.grows = false;
  g.overstates = true;  // a successful call claims more than the buffer holds
  EXPECT_EQ(reg.ValueOf("V1", type).text, "one");
  const auto rows = reg.DirValue();
  ASSERT_EQ(rows->size(), 2u);
  const size_t buffer = (*rows)[0].name.size();
  EXPECT_LT(buffer, 100u);  // longest name + longest data + 1, not the 5000 claimed
  EXPECT_EQ((*rows)[0].name.substr(0, 3), std::string("V1\0", 3));
  EXPECT_LE((*rows)[0].data.size(), buffer);
}

TEST_F(RegistryFake, OutsideTheNTFamilyATreeGoesInOneDeleteCall) {
  g.platformId = VER_PLATFORM_WIN32_WINDOWS;
  EXPECT_FALSE(clsEasyRegistry::IsWindowsNT());
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  reg.DeleteKeyExt("Child");  // Wine itself refuses a tree here; what counts is how it was asked
  EXPECT_EQ(g.changes, 1);    // one delete call, no walk through the subtree
  g.platformId = VER_PLATFORM_WIN32_NT;
  EXPECT_TRUE(clsEasyRegistry::IsWindowsNT());
}

TEST_F(RegistryFake, OneKeyOpenAtATimeAndNoneLeftOverThousandsOfMoves) {
  HKEY probe = Open(Path(), KEY_QUERY_VALUE);
  const auto firstFree = reinterpret_cast<ULONG_PTR>(probe);
  RegCloseKey(probe);
  size_t mostAtRest = 0;  // a reopen holds the new handle briefly before it closes the old one
  {
    clsEasyRegistry reg;
    const std::string moves[] = {
        Path(), "Child", "..", ".", "\\", Path("Missing"), "Deeper", "\\HKEY_NOWHERE\\X", "..", "\\HKEY_CURRENT_USER",
        "..",   Path()};
    for (int round = 0; round < 250; ++round) {
      RegValueType type{};
      const std::function<void()> calls[] = {[&] { reg.ValueOf("V1", type); }, [&] { reg.DirKey(); },
                                             [&] { reg.DirValue(); },          [&] { reg.MakeKey("Child"); },
                                             [&] { reg.DeleteKeyExt("No"); },  [&] { reg.DeleteValue("No"); }};
      for (const std::string& move : moves) {
        reg.Cd(move);
        mostAtRest = std::max(mostAtRest, g.live.size());
      }
      for (const auto& call : calls) {
        call();
        mostAtRest = std::max(mostAtRest, g.live.size());
      }
    }
    EXPECT_EQ(g.live.size(), 1u);  // the current key, until the object goes
  }
  EXPECT_EQ(mostAtRest, 1u);
  EXPECT_TRUE(g.live.empty());
  // The process agrees: the next handle takes the slot the first one had. (Wine's
  // GetProcessHandleCount always answers 0, so the handle values are the measure here.)
  probe = Open(Path(), KEY_QUERY_VALUE);
  EXPECT_LE(reinterpret_cast<ULONG_PTR>(probe), firstFree + 64);
  RegCloseKey(probe);
}

}  // namespace
