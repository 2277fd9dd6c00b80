// The owner, organisation, IE and Outlook Express titles in the real main window: shown from the
// registry, changed through their buttons, refused writes reported. The prefix's keys are put back
// afterwards and the user's identities moved aside meanwhile.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <tuple>

#include "app/frmOKUIds.h"
#include "driver/Driver.h"
#include "driver/BoxesAndKeys.h"

using namespace driver;

namespace {

const std::string kOwnerNT = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const std::string kOwner9x = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const std::string kIeMain = "Software\\Microsoft\\Internet Explorer\\Main";
const std::string kAside = "Software\\OkuTest\\IdentityE2E";
const std::string kWork = "Identities\\{11111111-0000-0000-0000-000000000001}";
const std::string kHome = "Identities\\{22222222-0000-0000-0000-000000000002}";
const std::string kOe = "\\Software\\Microsoft\\Outlook Express\\5.0";

// Moves a key of HKEY_CURRENT_USER with everything below it; nothing happens when it is missing.
void MoveTree(const std::string& from, const std::string& to) {
  HKEY source = nullptr, target = nullptr;
  const bool copied = RegOpenKeyExA(HKEY_CURRENT_USER, from.c_str(), 0, KEY_READ, &source) == ERROR_SUCCESS &&
                      RegCreateKeyA(HKEY_CURRENT_USER, to.c_str(), &target) == ERROR_SUCCESS &&
                      SHCopyKeyA(source, nullptr, target, 0) == ERROR_SUCCESS;
  RegCloseKey(target);
  RegCloseKey(source);
  if (copied) DeleteRegistryTree(HKEY_CURRENT_USER, from);
}

class IdentityWindow : public testing::Test {
 protected:
  void SetUp() override {
    MoveTree("Identities", kAside);
    SetRegistryString(HKEY_CURRENT_USER, kWork, "Username", "Work");
    SetRegistryString(HKEY_CURRENT_USER, kWork + kOe, "WindowTitle", "Work Mail");
    SetRegistryString(HKEY_CURRENT_USER, kHome + kOe, "WindowTitle", "Home Mail");  // no "Username"
    SetRegistryString(HKEY_CURRENT_USER, "Identities\\Default User", "Username", "Not an identity");
  }
  void TearDown() override {
    oku.Kill();
    SetWineVersionFor("OKU_test.exe", "");
    DeleteRegistryTree(HKEY_CURRENT_USER, "Identities");
    MoveTree(kAside, "Identities");
  }
  void Start(const std::map<std::string, std::string>& env = {}) {
    window = StartOku(oku, env.empty() ? "OKU.exe" : "OKU_test.exe", env);
    ASSERT_NE(window, nullptr);
  }
  HWND Item(int id) const { return Control(window, id); }
  void ChooseSecondIdentity() const {  // as the user picks it from the list
    SendMessageA(Item(IDC_OKU_OE_IDENTITY), CB_SETCURSEL, 1, 0);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_OKU_OE_IDENTITY, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(IDC_OKU_OE_IDENTITY)));
  }
  std::string TextOf(int id) const { return GetText(Item(id)); }
  // Presses a change button and answers its question (kept in `question`); returns the box that
  // follows, answered ("" when none came).
  std::string Change(int button, const std::string& answer, unsigned style) {
    Click(Item(button));
    question = TakeBox(oku.pid(), 308, answer);
    return TakeBox(oku.pid(), style, "OK", answer == "Yes" ? kDefaultWait : Ms(1500));
  }

  SavedKeyValues keys_[4] = {{HKEY_LOCAL_MACHINE, kOwnerNT},
                             {HKEY_LOCAL_MACHINE, kOwner9x},
                             {HKEY_LOCAL_MACHINE, kIeMain},
                             {HKEY_CURRENT_USER, kIeMain}};
  Program oku;
  HWND window = nullptr;
  std::string question;
};

}  // namespace

// Refresh reads every setting again; one that no longer finds the IE version leaves the IE
// controls in their defaults. The version comes from a stand-in library that the test removes.
TEST_F(IdentityWindow, IdentityListsStayAlignedAndRefreshReadsEverySettingAgain) {
  const std::string folder = MakeTempDir("oku-ie"), library = folder + "\\ie.dll";
  ASSERT_TRUE(CopyFileA((ExeDir() + "\\IeVersionProbe.dll").c_str(), library.c_str(), FALSE));
  Start({{"OKU_TEST_IE_LIBRARY", library}});
  const std::string ieLabel = "IE 5.50.4807 Window Title.........";
  EXPECT_EQ(TextOf(IDT_OKU_IE_CAPTION), ieLabel);
  // Exactly the two "{" identities; the one without a user name still keeps its place.
  EXPECT_EQ(ComboItems(Item(IDC_OKU_OE_IDENTITY)), (std::vector<std::string>{"Work", ""}));
  ChooseSecondIdentity();
  EXPECT_TRUE(WaitUntil([&] { return TextOf(IDE_OKU_OE_TITLE) == "Home Mail"; })) << TextOf(IDE_OKU_OE_TITLE);

  // With no identity left, only a key that is none, the OE controls go off and their command does nothing.
  DeleteRegistryTree(HKEY_CURRENT_USER, kWork);
  DeleteRegistryTree(HKEY_CURRENT_USER, kHome);
  SetRegistryString(HKEY_LOCAL_MACHINE, kOwnerNT, "RegisteredOwner", "Bob Owner");
  SetRegistryString(HKEY_LOCAL_MACHINE, kOwnerNT, "RegisteredOrganization", "Bob Org");
  SetRegistryString(HKEY_CURRENT_USER, kIeMain, "Window Title", "Bob Title");
  Click(Item(IDB_OKU_REFRESH));
  ASSERT_TRUE(WaitUntil([&] { return TextOf(IDE_OKU_OWNER) == "Bob Owner"; }));
  EXPECT_EQ(TextOf(IDE_OKU_ORG) + "|" + TextOf(IDE_OKU_IE_TITLE) + "|" + TextOf(IDT_OKU_IE_CAPTION),
            "Bob Org|Bob Title|" + ieLabel);
  EXPECT_TRUE(ComboItems(Item(IDC_OKU_OE_IDENTITY)).empty());
  for (int id : {IDC_OKU_OE_IDENTITY, IDE_OKU_OE_TITLE, IDB_OKU_OE_TITLE}) EXPECT_FALSE(IsEnabled(Item(id))) << id;
  PostMessageA(window, WM_COMMAND, IDB_OKU_OE_TITLE, reinterpret_cast<LPARAM>(Item(IDB_OKU_OE_TITLE)));
  EXPECT_EQ(WaitMessageBox(oku.pid(), Ms(1500)).hwnd, nullptr);

  ASSERT_TRUE(DeleteFileA(library.c_str()));
  SetRegistryString(HKEY_LOCAL_MACHINE, kOwnerNT, "RegisteredOwner", "Carol Owner");  // shown once the reading is done
  Click(Item(IDB_OKU_REFRESH));
  ASSERT_TRUE(WaitUntil([&] { return TextOf(IDE_OKU_OWNER) == "Carol Owner"; }));
  EXPECT_EQ(TextOf(IDT_OKU_IE_CAPTION) + "|" + TextOf(IDE_OKU_IE_TITLE), "IE Not Installed|");
  for (int id : {IDT_OKU_IE_CAPTION, IDE_OKU_IE_TITLE, IDB_OKU_IE_TITLE}) EXPECT_FALSE(IsEnabled(Item(id))) << id;
  RemoveTree(folder);
}

// Each button asks first; No leaves the registry alone, Yes writes every place of the value.
TEST_F(IdentityWindow, EachChangeAsksThenWritesOnlyOnYes) {
  using Keys = std::vector<std::pair<HKEY, std::string>>;
  const Keys nt{{HKEY_LOCAL_MACHINE, kOwnerNT}}, ie{{HKEY_LOCAL_MACHINE, kIeMain}, {HKEY_CURRENT_USER, kIeMain}};
  // The text box, its button, what the question names, the keys written and the value.
  const std::tuple<int, int, const char*, Keys, const char*> cases[] = {
      {IDE_OKU_OWNER, IDB_OKU_OWNER, "Registered Owner", nt, "RegisteredOwner"},
      {IDE_OKU_ORG, IDB_OKU_ORG, "Registered Organization", nt, "RegisteredOrganization"},
      {IDE_OKU_IE_TITLE, IDB_OKU_IE_TITLE, "IE Window Title", ie, "Window Title"},
      {IDE_OKU_OE_TITLE, IDB_OKU_OE_TITLE, "OE Window Title", {{HKEY_CURRENT_USER, kHome + kOe}}, "WindowTitle"}};
  Start();
  // The second identity is the one written, and stays chosen.
  ChooseSecondIdentity();
  ASSERT_TRUE(WaitUntil([&] { return TextOf(IDE_OKU_OE_TITLE) == "Home Mail"; }));
  for (const auto& [box, button, prompt, keys, value] : cases) {
    SCOPED_TRACE(prompt);  // 308: No by default
    std::vector<std::string> before;
    for (const auto& [root, key] : keys) before.push_back(ReadRegistryString(root, key, value));
    const std::string asked = "Changing Registry...|Change the " + std::string(prompt) + " in the registry?|308";
    SetText(Item(box), "Changed by the test");
    EXPECT_EQ(Change(button, "No", 0), "") << "nothing more after No";
    EXPECT_EQ(question, asked);
    for (size_t i = 0; i < keys.size(); ++i)
      EXPECT_EQ(ReadRegistryString(keys[i].first, keys[i].second, value), before[i]);
    EXPECT_EQ(Change(button, "Yes", 64), "Changing Registry...|It has been done!|64");
    EXPECT_EQ(question, asked);
    for (const auto& [root, key] : keys) EXPECT_EQ(ReadRegistryString(root, key, value), "Changed by the test") << key;
  }
  EXPECT_EQ(ComboIndex(Item(IDC_OKU_OE_IDENTITY)), 1);
  EXPECT_EQ(TextOf(IDE_OKU_OE_TITLE), "Changed by the test");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kWork + kOe, "WindowTitle"), "Work Mail");
}

// A refused write is reported with its key and reason, never as done; writes that succeeded stay.
// Run as Windows 98, whose owner lives under "Windows" rather than "Windows NT".
TEST_F(IdentityWindow, RefusedMachineWritesAreReportedNotDone) {
  SetRegistryString(HKEY_LOCAL_MACHINE, kOwner9x, "RegisteredOwner", "Nine Owner");
  SetWineVersionFor("OKU_test.exe", "win98");
  Start({{"OKU_TEST_REFUSE_HKLM_WRITES", "1"}});
  EXPECT_EQ(TextOf(IDE_OKU_OWNER), "Nine Owner");
  for (const auto& [box, button, key] :
       {std::tuple{IDE_OKU_OWNER, IDB_OKU_OWNER, "\\HKEY_LOCAL_MACHINE\\" + kOwner9x},
        std::tuple{IDE_OKU_IE_TITLE, IDB_OKU_IE_TITLE, "\\HKEY_LOCAL_MACHINE\\" + kIeMain}}) {
    SetText(Item(box), "Refused");
    EXPECT_EQ(Change(button, "Yes", 16), "Error in writing to registry|" + key + "\r\nAccess to Registry Denied.|16");
  }
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, kOwner9x, "RegisteredOwner"), "Nine Owner");
  EXPECT_NE(ReadRegistryString(HKEY_LOCAL_MACHINE, kIeMain, "Window Title"), "Refused");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kIeMain, "Window Title"), "Refused") << "the user's copy was written";
}
