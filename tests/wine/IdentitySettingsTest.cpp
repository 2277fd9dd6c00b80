// The identity and window-title settings against the real Wine registry. They live at fixed places
// (HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER\Identities): every value a test touches is saved first and
// put back afterwards, and the user's identities are moved aside into the scratch key meanwhile.
#include <gmock/gmock.h>

#include <algorithm>
#include <set>

#include "registry/IdentitySettings.h"
#include "registry/RegistryApi.h"
#include "wine/RegistryScratch.h"

namespace {

using namespace raw;
const std::string kIdentities(kIdentitiesKey);

class IdentitySettingsTest : public RegistryScratch {
 protected:
  void SetUp() override {
    // Test processes run side by side share these keys: one at a time, never waiting for ever.
    locked_ = WaitForSingleObject(lock_, 60000) == WAIT_OBJECT_0;
    ASSERT_TRUE(locked_);
    RegistryScratch::SetUp();
    for (std::string_view key : {kOwnerKeyNT, kOwnerKey9x}) {
      for (std::string_view name : {kOwnerValue, kOrganizationValue}) saved_.push_back({key, name, Get(key, name)});
    }
    for (std::string_view key : {kIeTitleKeyMachine, kIeTitleKeyUser})
      saved_.push_back({key, kIeTitleValue, Get(key, kIeTitleValue)});
    MoveTree(kIdentities, Path("Identities"));
  }
  void TearDown() override {
    if (!locked_) return;  // another test owns the keys
    for (const auto& [key, name, value] : saved_) {
      if (value) {
        Set(key, name, value->type, value->data);
      } else {
        DeleteValue(key, name);
      }
    }
    DeleteTree(kIdentities);
    MoveTree(Path("Identities"), kIdentities);
    RegistryScratch::TearDown();
    ReleaseMutex(lock_);
  }
  ~IdentitySettingsTest() override { CloseHandle(lock_); }
  static void MoveTree(const std::string& from, const std::string& to) {
    const HKEY source = Open(from, KEY_READ);
    if (source == nullptr) return;
    const HKEY target = Open(to, KEY_ALL_ACCESS, true);
    EXPECT_EQ(RegCopyTreeA(source, nullptr, target), ERROR_SUCCESS);
    RegCloseKey(target);
    RegCloseKey(source);
    DeleteTree(from);
  }
  // An identity key (userName / title nullptr: that value is left out).
  static void MakeIdentity(const std::string& key, const char* userName, const char* title) {
    MakeKey(IdentityKeyPath(key));
    if (userName != nullptr) Set(IdentityKeyPath(key), kUserNameValue, REG_SZ, Sz(userName));
    if (title != nullptr) Set(OeTitleKeyPath(key), kOeTitleValue, REG_SZ, Sz(title));
  }

 private:
  struct Saved {
    std::string_view key, name;
    std::optional<Value> value;
  };
  std::vector<Saved> saved_;
  bool locked_ = false;
  HANDLE lock_ = CreateMutexA(nullptr, FALSE, "OkuIdentitySettingsTest");
};

TEST_F(IdentitySettingsTest, OwnerByWindowsFamilyAndIeTitleFromIe5On) {
  for (const auto& [key, family] : {std::pair{kOwnerKeyNT, "NT"}, std::pair{kOwnerKey9x, "9x"}}) {
    Set(key, kOwnerValue, REG_SZ, Sz(std::string(family) + " Owner"));
    Set(key, kOrganizationValue, REG_SZ, Sz(std::string(family) + " Org"));
  }
  Set(kIeTitleKeyUser, kIeTitleValue, REG_SZ, Sz("User Title"));
  const IdentitySettings nt = ReadIdentitySettings(true, {6, 0, 2800});
  EXPECT_TRUE(nt.owner == "NT Owner" && nt.organization == "NT Org" && nt.ieEnabled);
  EXPECT_EQ(nt.ieLabel, "IE 6.0.2800 Window Title.........");
  EXPECT_EQ(nt.ieTitle, "User Title");
  const IdentitySettings nine = ReadIdentitySettings(false, {4, 72, 3110});
  EXPECT_TRUE(nine.owner == "9x Owner" && nine.organization == "9x Org");
  EXPECT_FALSE(nine.ieEnabled || nine.ieTitle.has_value());
  EXPECT_GE(ReadIeVersion().major, 5u);  // Wine's Shlwapi
  for (const char* library : {"no_such_library_oku.dll", "kernel32.dll"}) {
    EXPECT_EQ(IeLabelText(ReadIeVersion(library)), "IE Not Installed") << library;
  }

  EXPECT_TRUE(WriteOwner(true, "New Owner").AllOk() && WriteOrganization(false, "New Org").AllOk());
  EXPECT_EQ(Get(kOwnerKeyNT, kOwnerValue)->data, Sz("New Owner"));
  EXPECT_EQ(Get(kOwnerKey9x, kOwnerValue)->data, Sz("9x Owner"));
  EXPECT_EQ(Get(kOwnerKey9x, kOrganizationValue)->data, Sz("New Org"));
  EXPECT_EQ(Get(kOwnerKeyNT, kOrganizationValue)->data, Sz("NT Org"));
  const WriteReport ie = WriteIeTitle("Both");
  ASSERT_EQ(ie.writes.size(), 2u);
  EXPECT_TRUE(ie.AllOk() && ie.writes[0].keyPath == kIeTitleKeyMachine);
  EXPECT_EQ(Get(kIeTitleKeyMachine, kIeTitleValue)->data, Sz("Both"));
  EXPECT_EQ(Get(kIeTitleKeyUser, kIeTitleValue)->data, Sz("Both"));
}

TEST_F(IdentitySettingsTest, IdentityListsStayAlignedAndOnlyIdentitiesCount) {
  EXPECT_FALSE(getOE().Any());  // no Identities key
  MakeKey(kIdentities);
  EXPECT_FALSE(getOE().Any());  // an empty one
  MakeIdentity("Default User ID", "Not an identity", "No");
  EXPECT_FALSE(getOE().Any());  // no key beginning with "{"

  MakeIdentity("{A}", "Work", "My OE");
  MakeIdentity("{B}", "Home", nullptr);  // no title, not even its OE key
  MakeIdentity("{C}", nullptr, "   ");   // no user name, a blank title
  const OeIdentities oe = getOE();
  ASSERT_TRUE(oe.names.size() == 3 && oe.titles.size() == 3 && oe.paths.size() == 3);
  for (const auto& [key, name, title] :
       {std::tuple{"{A}", "Work", "My OE"}, std::tuple{"{B}", "Home", "Outlook Express"},
        std::tuple{"{C}", "", "Outlook Express"}}) {
    const size_t i = std::find(oe.paths.begin(), oe.paths.end(), OeTitleKeyPath(key)) - oe.paths.begin();
    ASSERT_LT(i, 3u) << key;
    EXPECT_EQ(oe.names[i], name);
    EXPECT_EQ(oe.titles[i], title);
  }

  EXPECT_TRUE(WriteOeTitle(OeTitleKeyPath("{A}"), "New A").AllOk());
  const OeIdentities after = getOE();
  EXPECT_EQ(after.titles[std::find(after.names.begin(), after.names.end(), "Work") - after.names.begin()], "New A");
  EXPECT_FALSE(WriteOeTitle("", "Nowhere").Attempted());
  EXPECT_EQ(WriteOeTitle(OeTitleKeyPath("{B}"), "Lost").FailureText(),
            OeTitleKeyPath("{B}") + "\r\nKey/Value does not exist.");
  EXPECT_FALSE(Exists(OeTitleKeyPath("{B}")));
}

// Every handle opened below HKEY_LOCAL_MACHINE refuses writing, as for a user without the right.
std::set<HKEY> machineKeys;

TEST_F(IdentitySettingsTest, ARefusedMachineWriteIsReportedAndTheUserWriteStillMade) {
  Set(kIeTitleKeyMachine, kIeTitleValue, REG_SZ, Sz("Machine Title"));
  RegistryApi api;
  api.OpenKeyEx = [](HKEY key, LPCSTR sub, DWORD options, REGSAM rights, PHKEY result) -> LSTATUS {
    const bool machine = key == HKEY_LOCAL_MACHINE || machineKeys.count(key) > 0;
    if (machine && (rights & KEY_SET_VALUE) != 0) return ERROR_ACCESS_DENIED;
    const LSTATUS status = RegOpenKeyExA(key, sub, options, rights, result);
    if (status == ERROR_SUCCESS && machine) machineKeys.insert(*result);
    return status;
  };
  api.CloseKey = [](HKEY key) -> LSTATUS { return machineKeys.erase(key), RegCloseKey(key); };  // values are reused
  ScopedRegistryApi fake(api);

  const WriteReport ie = WriteIeTitle("Blocked");
  ASSERT_EQ(ie.writes.size(), 2u);
  EXPECT_TRUE(!ie.AllOk() && ie.writes[1].ok);
  EXPECT_EQ(ie.FailureText(), std::string(kIeTitleKeyMachine) + "\r\nAccess to Registry Denied.");
  EXPECT_EQ(Get(kIeTitleKeyMachine, kIeTitleValue)->data, Sz("Machine Title"));
  EXPECT_EQ(Get(kIeTitleKeyUser, kIeTitleValue)->data, Sz("Blocked"));
  EXPECT_EQ(WriteOwner(true, "x").FailureText(), std::string(kOwnerKeyNT) + "\r\nAccess to Registry Denied.");
}

TEST_F(IdentitySettingsTest, OddValuesReadAsTextAndDisturbNothingElse) {
  const std::string huge(2 << 20, 'H');
  Set(kOwnerKeyNT, kOwnerValue, REG_SZ, Sz(huge));
  Set(kOwnerKeyNT, kOrganizationValue, REG_BINARY, {0x01, 0x0A, 0xFF});
  Set(kIeTitleKeyUser, kIeTitleValue, REG_MULTI_SZ, B(T("one\0two\0\0")));
  Set(kOwnerKey9x, kOwnerValue, REG_EXPAND_SZ, Sz("%USERNAME%"));
  Set(kOwnerKey9x, kOrganizationValue, REG_SZ, Sz(T("a\0b")));
  Set(IdentityKeyPath("{Bin}"), kUserNameValue, REG_BINARY, {0x41, 0x00});
  Set(OeTitleKeyPath("{Bin}"), kOeTitleValue, REG_DWORD, {0x1A, 0, 0, 0});
  Set(IdentityKeyPath("{Big}"), kUserNameValue, REG_SZ, Sz("Big"));
  Set(OeTitleKeyPath("{Big}"), kOeTitleValue, REG_SZ, Sz(huge));

  const IdentitySettings nt = ReadIdentitySettings(true, {6, 0, 2800});
  EXPECT_EQ(nt.owner, huge);
  EXPECT_EQ(nt.organization, "1 A FF");
  EXPECT_EQ(nt.ieTitle, T("one\0two\0"));
  const IdentitySettings nine = ReadIdentitySettings(false, {});
  EXPECT_EQ(nine.owner, "%USERNAME%");  // not expanded
  EXPECT_EQ(nine.organization, T("a\0b"));
  const OeIdentities oe = getOE();
  ASSERT_EQ(oe.names.size(), 2u);
  const size_t big = oe.names[0] == "Big" ? 0 : 1;
  EXPECT_EQ(oe.names[1 - big], "41 0");
  EXPECT_EQ(oe.titles[1 - big], "0000001A");
  EXPECT_EQ(oe.titles[big], huge);

  // Text with inner NULs goes back whole and touches no neighbour.
  EXPECT_TRUE(WriteOrganization(false, T("x\0y")).AllOk());
  EXPECT_EQ(Get(kOwnerKey9x, kOrganizationValue)->data, Sz(T("x\0y")));
  EXPECT_EQ(Get(kOwnerKey9x, kOwnerValue), (Value{REG_EXPAND_SZ, Sz("%USERNAME%")}));
  EXPECT_EQ(Get(kOwnerKeyNT, kOwnerValue)->data, Sz(huge));
}

}  // namespace
