// The owner, organisation, IE and Outlook Express titles in the real main window: shown from the
// registry at start and on Refresh, changed through their buttons, refused writes reported.
// These settings live at fixed places of the prefix's registry: every value touched is saved and
// put back, the user's identities are moved aside meanwhile, and the tests take turns with the
// registry class's own tests through one named mutex.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/frmOKUIds.h"
#include "driver/Driver.h"

using namespace driver;

namespace {

const std::string kOwnerNT = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const std::string kOwner9x = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const std::string kIeMain = "Software\\Microsoft\\Internet Explorer\\Main";
const std::string kIdentities = "Identities";
const std::string kAside = "Software\\OkuTest\\IdentityE2E";
const std::string kWork = "{11111111-0000-0000-0000-000000000001}";
const std::string kHome = "{22222222-0000-0000-0000-000000000002}";

std::string OeKey(const std::string& identity) {
  return kIdentities + "\\" + identity + "\\Software\\Microsoft\\Outlook Express\\5.0";
}
void MakeIdentity(const std::string& key, const std::string& user, const std::string& title) {
  SetRegistryString(HKEY_CURRENT_USER, kIdentities + "\\" + key, "Username", user);
  SetRegistryString(HKEY_CURRENT_USER, OeKey(key), "WindowTitle", title);
}
std::string Read(HKEY root, const std::string& key, const char* name) { return ReadRegistryString(root, key, name); }

// A value as it was, of whatever type, or its absence.
struct SavedValue {
  HKEY root;
  std::string key, name;
  std::optional<std::pair<DWORD, std::string>> data;
};
SavedValue Save(HKEY root, const std::string& key, const std::string& name) {
  SavedValue saved{root, key, name, std::nullopt};
  DWORD type = 0, size = 0;
  if (SHGetValueA(root, key.c_str(), name.c_str(), &type, nullptr, &size) != ERROR_SUCCESS) return saved;
  std::string bytes(size, '\0');
  if (SHGetValueA(root, key.c_str(), name.c_str(), &type, bytes.data(), &size) == ERROR_SUCCESS)
    saved.data = std::pair{type, bytes.substr(0, size)};
  return saved;
}
void Restore(const SavedValue& v) {
  if (v.data)
    SHSetValueA(v.root, v.key.c_str(), v.name.c_str(), v.data->first, v.data->second.data(),
                static_cast<DWORD>(v.data->second.size()));
  else
    SHDeleteValueA(v.root, v.key.c_str(), v.name.c_str());
}
void CopyTree(const std::string& from, const std::string& to) {
  HKEY source = nullptr, target = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, from.c_str(), 0, KEY_READ, &source) != ERROR_SUCCESS) return;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr) ==
      ERROR_SUCCESS) {
    RegCopyTreeA(source, nullptr, target);
    RegCloseKey(target);
  }
  RegCloseKey(source);
}

// The text of the tool tip that the window's tool-tip control holds for `control`, read in the
// program's own memory (the message carries pointers).
std::string TooltipOf(HWND window, HWND control) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  std::pair<DWORD, std::vector<HWND>> search{pid, {}};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(p);
        DWORD owner = 0;
        char cls[64] = {};
        GetWindowThreadProcessId(w, &owner);
        GetClassNameA(w, cls, sizeof cls);
        if (owner == s->first && lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0) s->second.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  constexpr size_t kText = 512;
  char* remote =
      static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(TOOLINFOA) + kText, MEM_COMMIT, PAGE_READWRITE));
  std::string text;
  for (HWND tip : search.second) {
    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = window;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = remote + sizeof info;
    char buffer[kText] = {};
    WriteProcessMemory(process, remote, &info, sizeof info, nullptr);
    WriteProcessMemory(process, info.lpszText, buffer, kText, nullptr);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(tip, TTM_GETTEXTA, kText, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000, &ignored);
    ReadProcessMemory(process, info.lpszText, buffer, kText - 1, nullptr);
    if (*buffer) text = buffer;
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return text;
}

// The button a message box presses on Enter, without its "&".
std::string DefaultButton(const MessageBoxInfo& box) {
  for (HWND child = GetWindow(box.hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      std::string text = GetText(child);
      std::erase(text, '&');
      return text;
    }
  return {};
}

// The message box's icon by its colour as painted on the screen: 'r' stop, 'b' information,
// 'y' exclamation, 0 none. (Icon handles cannot be compared across processes under Wine.)
char IconColour(const MessageBoxInfo& box) {
  HWND icon = nullptr;
  for (HWND child = GetWindow(box.hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) icon = child;
  if (icon == nullptr) return 0;
  char colour = 0;
  WaitUntil(
      [&] {
        const RECT r = WindowRect(icon);
        const int width = r.right - r.left, height = r.bottom - r.top;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
        int red = 0, blue = 0, yellow = 0;
        for (int i = 0; bits && i < width * height; ++i) {
          const auto* p = static_cast<const BYTE*>(bits) + 4 * i;  // blue, green, red
          red += p[2] > 160 && p[1] < 110 && p[0] < 110;
          blue += p[0] > 160 && p[2] < 110;
          yellow += p[2] > 160 && p[1] > 160 && p[0] < 110;
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        const int most = std::max({red, blue, yellow});
        colour = most < 20 ? 0 : most == red ? 'r' : most == blue ? 'b' : 'y';
        return colour != 0;
      },
      Ms(3000));
  return colour;
}

class IdentityWindow : public testing::Test {
 protected:
  void SetUp() override {
    locked_ = WaitForSingleObject(lock_, 60000) == WAIT_OBJECT_0;
    ASSERT_TRUE(locked_) << "the identity keys stayed busy";
    for (const std::string& key : {kOwnerNT, kOwner9x})
      for (const char* name : {"RegisteredOwner", "RegisteredOrganization"})
        saved_.push_back(Save(HKEY_LOCAL_MACHINE, key, name));
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) saved_.push_back(Save(root, kIeMain, "Window Title"));
    DeleteRegistryTree(HKEY_CURRENT_USER, kAside);
    CopyTree(kIdentities, kAside);
    DeleteRegistryTree(HKEY_CURRENT_USER, kIdentities);

    SetRegistryString(HKEY_LOCAL_MACHINE, kOwnerNT, "RegisteredOwner", "Ann Owner");
    SetRegistryString(HKEY_LOCAL_MACHINE, kOwnerNT, "RegisteredOrganization", "Ann Org");
    SetRegistryString(HKEY_CURRENT_USER, kIeMain, "Window Title", "Ann's Browser");
    MakeIdentity(kWork, "Work", "Work Mail");
    MakeIdentity(kHome, "Home", "   ");  // blank: shown as "Outlook Express"
    SetRegistryString(HKEY_CURRENT_USER, kIdentities + "\\Default User", "Username", "Not an identity");
  }
  void TearDown() override {
    if (!locked_) return;
    oku.Kill();
    for (const SavedValue& v : saved_) Restore(v);
    DeleteRegistryTree(HKEY_CURRENT_USER, kIdentities);
    CopyTree(kAside, kIdentities);
    DeleteRegistryTree(HKEY_CURRENT_USER, kAside);
    SetWineVersionFor("OKU.exe", "");
    ReleaseMutex(lock_);
  }
  ~IdentityWindow() override { CloseHandle(lock_); }

  void Start(const std::string& exe = "OKU.exe", const std::map<std::string, std::string>& env = {}) {
    oku = Program::Start(exe, "", env);
    window = WaitTopWindow(oku.pid(), "Okumatic");
    ASSERT_NE(window, nullptr);
  }
  HWND Item(int id) const { return Control(window, id); }
  std::string TextOf(int id) const { return GetText(Item(id)); }
  void SelectIdentity(int index) {
    SendMessageA(Item(IDC_OKU_OE_IDENTITY), CB_SETCURSEL, index, 0);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_OKU_OE_IDENTITY, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(IDC_OKU_OE_IDENTITY)));
  }
  void Refresh(int watchedId, const std::string& expected) {
    Click(Item(IDB_OKU_REFRESH));
    ASSERT_TRUE(WaitUntil([&] { return TextOf(watchedId) == expected; })) << TextOf(watchedId);
  }
  // Presses a change button and answers its question; returns the box that follows, if any.
  MessageBoxInfo Change(int button, const std::string& prompt, const std::string& answer) {
    Click(Item(button));
    const MessageBoxInfo question = WaitMessageBox(oku.pid());
    EXPECT_EQ(std::tie(question.caption, question.text), std::tie("Changing Registry...", prompt));
    EXPECT_EQ(question.buttons, (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_EQ(IconColour(question), 'y') << "exclamation";
    EXPECT_EQ(DefaultButton(question), "No");
    EXPECT_TRUE(Answer(question, answer));
    return WaitMessageBox(oku.pid(), answer == "Yes" ? kDefaultWait : Ms(1500));
  }

  Program oku;
  HWND window = nullptr;

 private:
  std::vector<SavedValue> saved_;
  bool locked_ = false;
  HANDLE lock_ = CreateMutexA(nullptr, FALSE, "OkuIdentitySettingsTest");
};

}  // namespace

TEST_F(IdentityWindow, ShowsTheRegistryAtStartAndAgainAfterRefresh) {
  Start();
  EXPECT_EQ(TextOf(IDE_OKU_OWNER), "Ann Owner");
  EXPECT_EQ(TextOf(IDE_OKU_ORG), "Ann Org");
  EXPECT_EQ(TextOf(IDT_OKU_IE_CAPTION), "IE 6.0.2800 Window Title.........");
  EXPECT_EQ(TextOf(IDE_OKU_IE_TITLE), "Ann's Browser");
  for (int id : {IDT_OKU_IE_CAPTION, IDE_OKU_IE_TITLE, IDB_OKU_IE_TITLE, IDC_OKU_OE_IDENTITY, IDE_OKU_OE_TITLE})
    EXPECT_TRUE(IsEnabled(Item(id))) << id;
  // Exactly the two "{" identities, in the registry's order, the first one chosen.
  EXPECT_EQ(ComboItems(Item(IDC_OKU_OE_IDENTITY)), (std::vector<std::string>{"Work", "Home"}));
  EXPECT_EQ(ComboIndex(Item(IDC_OKU_OE_IDENTITY)), 0);
  for (const auto& [index, title, tip] :
       {std::tuple{1, "Outlook Express", "Home"}, std::tuple{0, "Work Mail", "Work"}}) {
    SelectIdentity(index);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(IDE_OKU_OE_TITLE) == title; })) << TextOf(IDE_OKU_OE_TITLE);
    EXPECT_EQ(TooltipOf(window, Item(IDC_OKU_OE_IDENTITY)),
              std::string(tip) + " - The user's identity in Outlook Express");
  }

  SetRegistryString(HKEY_LOCAL_MACHINE, kOwnerNT, "RegisteredOrganization", "Bob Org");
  SetRegistryString(HKEY_CURRENT_USER, kIeMain, "Window Title", "Bob's Browser");
  SetRegistryString(HKEY_CURRENT_USER, OeKey(kHome), "WindowTitle", "Home Mail");
  DeleteRegistryTree(HKEY_CURRENT_USER, kIdentities + "\\" + kWork);
  SetRegistryString(HKEY_LOCAL_MACHINE, kOwnerNT, "RegisteredOwner", "Bob Owner");
  Refresh(IDE_OKU_OWNER, "Bob Owner");
  EXPECT_EQ(TextOf(IDE_OKU_ORG), "Bob Org");
  EXPECT_EQ(TextOf(IDE_OKU_IE_TITLE), "Bob's Browser");
  EXPECT_EQ(ComboItems(Item(IDC_OKU_OE_IDENTITY)), std::vector<std::string>{"Home"}) << "listed once, not added twice";
  EXPECT_EQ(TextOf(IDE_OKU_OE_TITLE), "Home Mail");
}

// With no identity to work on the OE controls are off; a Refresh that finds one turns them on.
// An identity without "Username" and with a title far longer than the box still keeps its place.
TEST_F(IdentityWindow, OutlookExpressControlsFollowWhetherAnyIdentityExists) {
  DeleteRegistryTree(HKEY_CURRENT_USER, kIdentities + "\\" + kWork);
  DeleteRegistryTree(HKEY_CURRENT_USER, kIdentities + "\\" + kHome);
  Start();
  EXPECT_TRUE(ComboItems(Item(IDC_OKU_OE_IDENTITY)).empty());
  for (int id : {IDC_OKU_OE_IDENTITY, IDE_OKU_OE_TITLE, IDB_OKU_OE_TITLE}) EXPECT_FALSE(IsEnabled(Item(id))) << id;

  MakeIdentity(kWork, "Work", "Work Mail");
  const std::string longTitle(40000, 'x');
  SetRegistryString(HKEY_CURRENT_USER, OeKey(kHome), "WindowTitle", longTitle);
  Refresh(IDE_OKU_OE_TITLE, "Work Mail");
  for (int id : {IDC_OKU_OE_IDENTITY, IDE_OKU_OE_TITLE, IDB_OKU_OE_TITLE}) EXPECT_TRUE(IsEnabled(Item(id))) << id;
  EXPECT_EQ(ComboItems(Item(IDC_OKU_OE_IDENTITY)), (std::vector<std::string>{"Work", ""}));
  SelectIdentity(1);
  EXPECT_TRUE(WaitUntil([&] { return TextOf(IDE_OKU_OE_TITLE) == longTitle; }));
}

// Each button asks first (No by default); No leaves the registry alone, Yes writes every place.
TEST_F(IdentityWindow, EachChangeAsksThenWritesOnlyOnYes) {
  const std::string oeHome = OeKey(kHome);
  struct Case {
    int box, button;
    const char* prompt;
    std::vector<std::pair<HKEY, std::string>> keys;
    const char* value;
  };
  // clang-format off
  const Case cases[] = {
      {IDE_OKU_OWNER, IDB_OKU_OWNER, "Change the Registered Owner in the registry?", {{HKEY_LOCAL_MACHINE, kOwnerNT}}, "RegisteredOwner"},
      {IDE_OKU_ORG, IDB_OKU_ORG, "Change the Registered Organization in the registry?", {{HKEY_LOCAL_MACHINE, kOwnerNT}}, "RegisteredOrganization"},
      {IDE_OKU_IE_TITLE, IDB_OKU_IE_TITLE, "Change the IE Window Title in the registry?",
       {{HKEY_LOCAL_MACHINE, kIeMain}, {HKEY_CURRENT_USER, kIeMain}}, "Window Title"},
      {IDE_OKU_OE_TITLE, IDB_OKU_OE_TITLE, "Change the OE Window Title in the registry?", {{HKEY_CURRENT_USER, oeHome}}, "WindowTitle"},
  };
  // clang-format on
  Start();
  SelectIdentity(1);  // Home: the second identity must be the one written and stay chosen
  ASSERT_TRUE(WaitUntil([&] { return TextOf(IDE_OKU_OE_TITLE) == "Outlook Express"; }));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.prompt);
    std::vector<std::string> before;
    for (const auto& [root, key] : c.keys) before.push_back(Read(root, key, c.value));
    SetText(Item(c.box), "Changed by the test");
    EXPECT_EQ(Change(c.button, c.prompt, "No").hwnd, nullptr) << "nothing more after No";
    for (size_t i = 0; i < c.keys.size(); ++i) EXPECT_EQ(Read(c.keys[i].first, c.keys[i].second, c.value), before[i]);

    const MessageBoxInfo done = Change(c.button, c.prompt, "Yes");
    EXPECT_EQ(std::tie(done.caption, done.text), std::tie("Changing Registry...", "It has been done!"));
    EXPECT_EQ(done.buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(IconColour(done), 'b') << "information";
    EXPECT_TRUE(Answer(done, "OK"));
    for (const auto& [root, key] : c.keys) EXPECT_EQ(Read(root, key, c.value), "Changed by the test") << key;
  }
  EXPECT_EQ(ComboIndex(Item(IDC_OKU_OE_IDENTITY)), 1) << "the changed identity stays chosen";
  EXPECT_EQ(TextOf(IDE_OKU_OE_TITLE), "Changed by the test");
  EXPECT_EQ(Read(HKEY_CURRENT_USER, OeKey(kWork), "WindowTitle"), "Work Mail");
}

// The NT family keeps the owner under "Windows NT", Windows 98 under "Windows": read and written there.
TEST_F(IdentityWindow, OwnerPathFollowsTheWindowsFamily) {
  SetRegistryString(HKEY_LOCAL_MACHINE, kOwner9x, "RegisteredOwner", "Nine Owner");
  for (const auto& [version, used, other, shown] :
       {std::tuple{"", kOwnerNT, kOwner9x, "Ann Owner"}, std::tuple{"win98", kOwner9x, kOwnerNT, "Nine Owner"}}) {
    SCOPED_TRACE(version);
    SetWineVersionFor("OKU.exe", version);
    Start();
    EXPECT_EQ(TextOf(IDE_OKU_OWNER), shown);
    const std::string untouched = Read(HKEY_LOCAL_MACHINE, other, "RegisteredOwner");
    SetText(Item(IDE_OKU_OWNER), std::string("New ") + version);
    const MessageBoxInfo done = Change(IDB_OKU_OWNER, "Change the Registered Owner in the registry?", "Yes");
    EXPECT_EQ(done.text, "It has been done!");
    Answer(done, "OK");
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, used, "RegisteredOwner"), std::string("New ") + version);
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, other, "RegisteredOwner"), untouched);
    oku.Kill();
  }
}

// A refused write is reported with its key and reason, never as done; writes that succeeded stay.
TEST_F(IdentityWindow, RefusedMachineWritesAreReportedNotDone) {
  Start("OKU_test.exe", {{"OKU_TEST_REFUSE_HKLM_WRITES", "1"}});
  const std::pair<int, int> boxAndButton[] = {{IDE_OKU_OWNER, IDB_OKU_OWNER}, {IDE_OKU_IE_TITLE, IDB_OKU_IE_TITLE}};
  const char* prompts[] = {"Change the Registered Owner in the registry?",
                           "Change the IE Window Title in the registry?"};
  const char* refusedKeys[] = {"\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                               "\\HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Main"};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(prompts[i]);
    SetText(Item(boxAndButton[i].first), "Refused");
    const MessageBoxInfo error = Change(boxAndButton[i].second, prompts[i], "Yes");
    EXPECT_EQ(error.caption, "Error in writing to registry");
    EXPECT_EQ(error.text, std::string(refusedKeys[i]) + "\r\nAccess to Registry Denied.");
    EXPECT_EQ(IconColour(error), 'r') << "stop";
    EXPECT_TRUE(Answer(error, "OK"));
  }
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kOwnerNT, "RegisteredOwner"), "Ann Owner");
  EXPECT_NE(Read(HKEY_LOCAL_MACHINE, kIeMain, "Window Title"), "Refused");
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kIeMain, "Window Title"), "Refused") << "the user's copy was written";
}
