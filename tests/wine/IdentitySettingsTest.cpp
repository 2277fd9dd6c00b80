// The identity and window-title settings against the real Wine registry. The settings live at
// fixed places (HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER\Identities): every value and tree a test
// touches is saved first and put back afterwards.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <set>

#include "registry/IdentitySettings.h"
#include "registry/RegistryApi.h"
#include "wine/RegistryScratch.h"

namespace {

using scratch::Bytes;
using scratch::FromText;
using scratch::Text;
using ::testing::ElementsAre;

// "\HKEY_LOCAL_MACHINE\SOFTWARE\..." -> root handle and sub-path, for the raw helpers.
std::pair<HKEY, std::string> Split(std::string_view path) {
  path.remove_prefix(1);
  const size_t slash = path.find('\\');
  const std::string_view root = path.substr(0, slash);
  std::string sub(path.substr(slash + 1));
  while (!sub.empty() && sub.back() == '\\') sub.pop_back();
  return {root == "HKEY_LOCAL_MACHINE" ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, sub};
}

std::optional<scratch::RawValue> RawGet(std::string_view keyPath, std::string_view name) {
  const auto [root, sub] = Split(keyPath);
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, sub.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
  const std::string valueName(name);
  scratch::RawValue value{};
  DWORD length = 0;
  std::optional<scratch::RawValue> result;
  if (RegQueryValueExA(key, valueName.c_str(), nullptr, &value.type, nullptr, &length) == ERROR_SUCCESS) {
    value.data.resize(length);
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, &value.type, value.data.data(), &length) == ERROR_SUCCESS) {
      value.data.resize(length);
      result = value;
    }
  }
  RegCloseKey(key);
  return result;
}

void RawSet(std::string_view keyPath, std::string_view name, DWORD type, const Bytes& data) {
  const auto [root, sub] = Split(keyPath);
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, sub.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
  const std::string valueName(name);
  ASSERT_EQ(RegSetValueExA(key, valueName.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

void RawSetText(std::string_view keyPath, std::string_view name, std::string_view text) {
  Bytes data = FromText(text);
  data.push_back(0);
  RawSet(keyPath, name, REG_SZ, data);
}

void RawDelete(std::string_view keyPath, std::string_view name) {
  const auto [root, sub] = Split(keyPath);
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, sub.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, std::string(name).c_str());
  RegCloseKey(key);
}

// A value restored (or removed again) when the guard goes.
class ValueGuard {
 public:
  ValueGuard(std::string keyPath, std::string name)
      : keyPath_(std::move(keyPath)), name_(std::move(name)), saved_(RawGet(keyPath_, name_)) {}
  ~ValueGuard() {
    if (saved_) {
      RawSet(keyPath_, name_, saved_->type, saved_->data);
    } else {
      RawDelete(keyPath_, name_);
    }
  }

 private:
  std::string keyPath_;
  std::string name_;
  std::optional<scratch::RawValue> saved_;
};

class IdentitySettingsTest : public scratch::RegistryScratch {
 protected:
  void SetUp() override {
    RegistryScratch::SetUp();
    for (std::string_view key : {kOwnerKeyNT, kOwnerKey9x}) {
      for (std::string_view name : {kOwnerValue, kOrganizationValue}) {
        guards_.push_back(std::make_unique<ValueGuard>(std::string(key), std::string(name)));
      }
    }
    for (std::string_view key : {kIeTitleKeyMachine, kIeTitleKeyUser}) {
      guards_.push_back(std::make_unique<ValueGuard>(std::string(key), std::string(kIeTitleValue)));
    }
    // The user's identities are moved aside into the scratch key and brought back afterwards.
    identitiesExisted_ = RegOpenKeyExA(HKEY_CURRENT_USER, "Identities", 0, KEY_READ, &saved_) == ERROR_SUCCESS;
    if (identitiesExisted_) {
      MakeRaw("SavedIdentities");
      HKEY backup = nullptr;
      ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Sub("SavedIdentities").c_str(), 0, KEY_ALL_ACCESS, &backup),
                ERROR_SUCCESS);
      ASSERT_EQ(RegCopyTreeA(saved_, nullptr, backup), ERROR_SUCCESS);
      RegCloseKey(backup);
      RegCloseKey(saved_);
      RegDeleteTreeA(HKEY_CURRENT_USER, "Identities");
      RegDeleteKeyA(HKEY_CURRENT_USER, "Identities");
    }
  }

  void TearDown() override {
    guards_.clear();
    RegDeleteTreeA(HKEY_CURRENT_USER, "Identities");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Identities");
    if (identitiesExisted_) {
      HKEY identities = nullptr, backup = nullptr;
      RegCreateKeyExA(HKEY_CURRENT_USER, "Identities", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &identities, nullptr);
      RegOpenKeyExA(HKEY_CURRENT_USER, Sub("SavedIdentities").c_str(), 0, KEY_READ, &backup);
      EXPECT_EQ(RegCopyTreeA(backup, nullptr, identities), ERROR_SUCCESS);
      RegCloseKey(backup);
      RegCloseKey(identities);
    }
    RegistryScratch::TearDown();
  }

  // An identity key with the given values (nullptr leaves a value out).
  static void MakeIdentity(const std::string& key, const char* userName, const char* title) {
    RawSet(IdentityKeyPath(key), "Marker", REG_DWORD, {1, 0, 0, 0});
    if (userName != nullptr) RawSetText(IdentityKeyPath(key), kUserNameValue, userName);
    if (title != nullptr) RawSetText(OeTitleKeyPath(key), kOeTitleValue, title);
  }

 private:
  std::vector<std::unique_ptr<ValueGuard>> guards_;
  bool identitiesExisted_ = false;
  HKEY saved_ = nullptr;
};

TEST_F(IdentitySettingsTest, OwnerAndOrganisationFollowTheWindowsFamily) {
  RawSetText(kOwnerKeyNT, kOwnerValue, "NT Owner");
  RawSetText(kOwnerKeyNT, kOrganizationValue, "NT Org");
  RawSetText(kOwnerKey9x, kOwnerValue, "9x Owner");
  RawSetText(kOwnerKey9x, kOrganizationValue, "9x Org");
  const IdentitySettings nt = ReadIdentitySettings(true, {});
  EXPECT_EQ(nt.owner, "NT Owner");
  EXPECT_EQ(nt.organization, "NT Org");
  const IdentitySettings nine = ReadIdentitySettings(false, {});
  EXPECT_EQ(nine.owner, "9x Owner");
  EXPECT_EQ(nine.organization, "9x Org");

  const WriteReport owner = WriteOwner(true, "New NT Owner");
  EXPECT_TRUE(owner.AllOk());
  ASSERT_EQ(owner.writes.size(), 1u);
  EXPECT_EQ(owner.writes[0].keyPath, kOwnerKeyNT);
  const WriteReport org = WriteOrganization(false, "New 9x Org");
  EXPECT_TRUE(org.AllOk());
  EXPECT_EQ(RawGet(kOwnerKeyNT, kOwnerValue)->data, FromText(Text("New NT Owner\0")));
  EXPECT_EQ(RawGet(kOwnerKeyNT, kOrganizationValue)->data, FromText(Text("NT Org\0")));
  EXPECT_EQ(RawGet(kOwnerKey9x, kOrganizationValue)->data, FromText(Text("New 9x Org\0")));
  EXPECT_EQ(RawGet(kOwnerKey9x, kOwnerValue)->data, FromText(Text("9x Owner\0")));
}

TEST_F(IdentitySettingsTest, IeTitleIsShownFromIe5OnAndWrittenToBothRoots) {
  RawSetText(kIeTitleKeyUser, kIeTitleValue, "User Title");
  RawSetText(kIeTitleKeyMachine, kIeTitleValue, "Machine Title");
  const struct {
    IeVersion version;
    std::string label;
    std::optional<std::string> title;
  } cases[] = {
      {{6, 0, 2800}, "IE 6.0.2800 Window Title.........", "User Title"},
      {{4, 72, 3110}, "IE 4.72.3110 Window Title.........", std::nullopt},
      {{0, 0, 0}, "IE Not Installed", std::nullopt},
  };
  for (const auto& c : cases) {
    const IdentitySettings settings = ReadIdentitySettings(true, c.version);
    EXPECT_EQ(settings.ieLabel, c.label);
    EXPECT_EQ(settings.ieEnabled, c.title.has_value()) << c.label;
    EXPECT_EQ(settings.ieTitle, c.title) << c.label;
  }

  const WriteReport report = WriteIeTitle("Both");
  EXPECT_TRUE(report.AllOk());
  ASSERT_EQ(report.writes.size(), 2u);
  EXPECT_EQ(report.writes[0].keyPath, kIeTitleKeyMachine);
  EXPECT_EQ(report.writes[1].keyPath, kIeTitleKeyUser);
  EXPECT_EQ(RawGet(kIeTitleKeyMachine, kIeTitleValue)->data, FromText(Text("Both\0")));
  EXPECT_EQ(RawGet(kIeTitleKeyUser, kIeTitleValue)->data, FromText(Text("Both\0")));
}

TEST_F(IdentitySettingsTest, IeVersionComesFromShlwapiOrIsZero) {
  const IeVersion real = ReadIeVersion();
  EXPECT_GE(real.major, 5u);
  EXPECT_NE(IeLabelText(real), "IE Not Installed");
  for (const char* library : {"no_such_library_oku.dll", "kernel32.dll"}) {
    const IeVersion none = ReadIeVersion(library);
    EXPECT_EQ(none.major + none.minor + none.build, 0u) << library;
  }
}

TEST_F(IdentitySettingsTest, IdentityListsStayAlignedAndSkipOtherKeys) {
  EXPECT_FALSE(getOE().Any());  // no Identities key at all

  RawSet(std::string(kIdentitiesKey), "Marker", REG_DWORD, {1, 0, 0, 0});
  EXPECT_FALSE(getOE().Any());  // an empty Identities key

  MakeIdentity("Default User ID", "Not an identity", "No");
  EXPECT_FALSE(getOE().Any());  // only keys that are not identities: still none added

  MakeIdentity("{A}", "Work", "My OE");
  MakeIdentity("{B}", "Home", nullptr);  // no title, not even its OE key
  MakeIdentity("{C}", nullptr, "   ");   // no user name, a blank title
  const OeIdentities oe = getOE();
  ASSERT_TRUE(oe.Any());
  ASSERT_EQ(oe.names.size(), 3u);
  ASSERT_EQ(oe.titles.size(), 3u);
  ASSERT_EQ(oe.paths.size(), 3u);
  const struct {
    std::string key, name, title;
  } expected[] = {{"{A}", "Work", "My OE"}, {"{B}", "Home", "Outlook Express"}, {"{C}", "", "Outlook Express"}};
  for (const auto& e : expected) {
    const auto at = std::find(oe.paths.begin(), oe.paths.end(), OeTitleKeyPath(e.key));
    ASSERT_NE(at, oe.paths.end()) << e.key;
    const size_t i = at - oe.paths.begin();
    EXPECT_EQ(oe.names[i], e.name) << e.key;
    EXPECT_EQ(oe.titles[i], e.title) << e.key;
  }
}

TEST_F(IdentitySettingsTest, OeTitleIsWrittenToTheChosenIdentityOnly) {
  MakeIdentity("{A}", "Work", "Old A");
  MakeIdentity("{B}", "Home", "Old B");
  MakeIdentity("{C}", "NoOeKey", nullptr);

  const WriteReport written = WriteOeTitle(OeTitleKeyPath("{A}"), "New A");
  EXPECT_TRUE(written.AllOk());
  const OeIdentities oe = getOE();
  const auto a = std::find(oe.names.begin(), oe.names.end(), "Work") - oe.names.begin();
  EXPECT_EQ(oe.titles[a], "New A");
  EXPECT_EQ(RawGet(OeTitleKeyPath("{B}"), kOeTitleValue)->data, FromText(Text("Old B\0")));

  EXPECT_FALSE(WriteOeTitle("", "Nowhere").Attempted());

  const WriteReport missing = WriteOeTitle(OeTitleKeyPath("{C}"), "Lost");
  EXPECT_FALSE(missing.AllOk());
  EXPECT_EQ(missing.FailureText(), OeTitleKeyPath("{C}") + "\r\nKey/Value does not exist.");
  EXPECT_FALSE(RawGet(OeTitleKeyPath("{C}"), kOeTitleValue).has_value());
}

// A machine key that refuses writes, made by a fake of the registry calls: every handle opened
// below HKEY_LOCAL_MACHINE refuses KEY_SET_VALUE.
std::set<HKEY> machineHandles;

LSTATUS WINAPI MachineReadOnlyOpenKeyEx(HKEY key, LPCSTR sub, DWORD options, REGSAM rights, PHKEY result) {
  const bool machine = key == HKEY_LOCAL_MACHINE || machineHandles.count(key) > 0;
  if (machine && (rights & KEY_SET_VALUE) != 0) return ERROR_ACCESS_DENIED;
  const LSTATUS status = RegOpenKeyExA(key, sub, options, rights, result);
  if (status == ERROR_SUCCESS && machine) machineHandles.insert(*result);
  return status;
}

LSTATUS WINAPI MachineReadOnlyCloseKey(HKEY key) {
  machineHandles.erase(key);  // the handle value is free for reuse by any key
  return RegCloseKey(key);
}

TEST_F(IdentitySettingsTest, ARefusedMachineWriteIsReportedAndTheUserWriteStillMade) {
  RawSetText(kIeTitleKeyMachine, kIeTitleValue, "Machine Title");
  RawSetText(kIeTitleKeyUser, kIeTitleValue, "User Title");
  RawSetText(kOwnerKeyNT, kOwnerValue, "Owner");
  machineHandles.clear();
  RegistryApi api;
  api.OpenKeyEx = MachineReadOnlyOpenKeyEx;
  api.CloseKey = MachineReadOnlyCloseKey;
  ScopedRegistryApi fake(api);

  const WriteReport ie = WriteIeTitle("Blocked");
  ASSERT_EQ(ie.writes.size(), 2u);
  EXPECT_FALSE(ie.AllOk());
  EXPECT_FALSE(ie.writes[0].ok);
  EXPECT_TRUE(ie.writes[1].ok);
  EXPECT_EQ(ie.FailureText(), std::string(kIeTitleKeyMachine) + "\r\nAccess to Registry Denied.");
  EXPECT_EQ(RawGet(kIeTitleKeyMachine, kIeTitleValue)->data, FromText(Text("Machine Title\0")));
  EXPECT_EQ(RawGet(kIeTitleKeyUser, kIeTitleValue)->data, FromText(Text("Blocked\0")));

  const WriteReport owner = WriteOwner(true, "Blocked");
  EXPECT_EQ(owner.FailureText(), std::string(kOwnerKeyNT) + "\r\nAccess to Registry Denied.");
  EXPECT_EQ(RawGet(kOwnerKeyNT, kOwnerValue)->data, FromText(Text("Owner\0")));
  EXPECT_EQ(ReadIdentitySettings(true, {}).owner, "Owner");  // reading is still allowed
}

TEST_F(IdentitySettingsTest, OddValuesReadAsTextAndDisturbNothingElse) {
  const std::string huge(2 << 20, 'H');
  RawSetText(kOwnerKeyNT, kOwnerValue, huge);
  RawSet(kOwnerKeyNT, kOrganizationValue, REG_BINARY, {0x01, 0x0A, 0xFF});
  RawSet(kIeTitleKeyUser, kIeTitleValue, REG_MULTI_SZ, FromText(Text("one\0two\0\0")));
  RawSet(kOwnerKey9x, kOwnerValue, REG_EXPAND_SZ, FromText(Text("%USERNAME%\0")));
  RawSet(kOwnerKey9x, kOrganizationValue, REG_SZ, FromText(Text("a\0b\0")));
  RawSet(IdentityKeyPath("{Bin}"), kUserNameValue, REG_BINARY, {0x41, 0x00});
  RawSet(OeTitleKeyPath("{Bin}"), kOeTitleValue, REG_DWORD, {0x1A, 0, 0, 0});
  RawSet(IdentityKeyPath("{Big}"), kUserNameValue, REG_SZ, FromText(Text("Big\0")));
  RawSet(OeTitleKeyPath("{Big}"), kOeTitleValue, REG_SZ, FromText(huge + '\0'));
  const auto before = RawGet(kOwnerKeyNT, kOwnerValue);

  const IdentitySettings nt = ReadIdentitySettings(true, {6, 0, 2800});
  EXPECT_EQ(nt.owner, huge);
  EXPECT_EQ(nt.organization, "1 A FF");
  EXPECT_EQ(nt.ieTitle, Text("one\0two\0"));
  const IdentitySettings nine = ReadIdentitySettings(false, {});
  EXPECT_EQ(nine.owner, "%USERNAME%");  // not expanded
  EXPECT_EQ(nine.organization, Text("a\0b"));

  const OeIdentities oe = getOE();
  ASSERT_EQ(oe.names.size(), 2u);
  const size_t big = oe.names[0] == "Big" ? 0 : 1;
  EXPECT_EQ(oe.names[1 - big], "41 0");
  EXPECT_EQ(oe.titles[1 - big], "0000001A");
  EXPECT_EQ(oe.titles[big], huge);
  EXPECT_EQ(RawGet(kOwnerKeyNT, kOwnerValue)->data, before->data);

  // Writing text with inner NULs back keeps every byte and touches no neighbour.
  EXPECT_TRUE(WriteOrganization(false, Text("x\0y")).AllOk());
  EXPECT_EQ(RawGet(kOwnerKey9x, kOrganizationValue)->data, FromText(Text("x\0y\0")));
  EXPECT_EQ(RawGet(kOwnerKey9x, kOwnerValue)->type, static_cast<DWORD>(REG_EXPAND_SZ));
}

}  // namespace
