// The launcher in-process with the tools missing: the System Information lookup as an unelevated user
// sees the machine's keys, and the main window's boxes for the Registry Editor and the backup tool.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <tuple>

#include "ShellTestSupport.h"
#include "app/frmOKU.h"
#include "platform/App.h"
#include "registry/RegistryApi.h"
#include "tools/msinfo.h"

namespace {

REGSAM gRights = 0;
int gOpen = 0;  // keys opened and not closed yet

// Refuses every right beyond reading values, as the machine's keys do for an unelevated user.
LSTATUS WINAPI OpenForReadersOnly(HKEY root, LPCSTR path, DWORD options, REGSAM rights, PHKEY key) {
  gRights |= rights;
  if (rights & ~KEY_QUERY_VALUE) return ERROR_ACCESS_DENIED;
  const LSTATUS result = RegOpenKeyExA(root, path, options, rights, key);
  gOpen += result == ERROR_SUCCESS;
  return result;
}

LSTATUS WINAPI CountedClose(HKEY key) { return --gOpen, RegCloseKey(key); }

}  // namespace

TEST(LauncherMsinfo, ReadsOnlyTakesStringsAndDwordsAndElseGivesTheNotice) {
  const shelltest::ScratchKey scratch(HKEY_CURRENT_USER, "Software\\OkuTest\\Msinfo");
  const DWORD number = 0x12345678;
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  // The value's type, data and size; what the lookup gives (none: not found).
  const std::tuple<DWORD, const void*, DWORD, std::optional<std::string>> cases[] = {
      {REG_SZ, "C:\\Program Files\\msinfo32.exe", 30, "C:\\Program Files\\msinfo32.exe"},
      {REG_EXPAND_SZ, "%SystemRoot%\\msinfo32.exe", 26, std::string(windows) + "\\msinfo32.exe"},
      {REG_DWORD, &number, 4, "&h12345678"},
      {REG_BINARY, "C:\\x", 5, std::nullopt},
      {REG_SZ, "", 0, std::nullopt}};
  RegistryApi api;
  api.OpenKeyEx = OpenForReadersOnly;
  api.CloseKey = CountedClose;
  const win::ScopedCalls<RegistryApi> scope(api);
  for (const auto& [type, data, size, expected] : cases) {
    ASSERT_EQ(RegSetValueExA(scratch.key, "Value", 0, type, static_cast<const BYTE*>(data), size), 0);
    std::string text = "left from before";
    EXPECT_EQ(QueryKeyValue(HKEY_CURRENT_USER, scratch.path, "Value", text), expected.has_value()) << type;
    EXPECT_EQ(text, expected.value_or("")) << type;
  }
  // The prefix has neither of the machine's values: only the notice, in a plain box.
  shelltest::MessageRecorder boxes;
  LaunchSysInfo();
  EXPECT_EQ(boxes.shown, std::vector<std::string>{"OKU/0: System Information Is Unavailable At This Time"});
  EXPECT_EQ(gRights, static_cast<REGSAM>(KEY_QUERY_VALUE));
  EXPECT_EQ(gOpen, 0) << "every key opened is closed";
}

TEST(LauncherXpHome, CautionReportsAndTheArticleOfferedOnXpHomeOnly) {
  using Texts = std::vector<std::string>;
  shelltest::MessageRecorder boxes;
  Texts opened;  // what the browser was asked to open
  ShellApi shell = ShellApi::Real();
  shell.findExecutable = [](const char*, char* result) -> intptr_t { return lstrcpyA(result, "C:\\b.exe"), 42; };
  shell.execute = [&](const char*, const char* file, const char* parameters, int) -> intptr_t {
    return opened.push_back(std::string(file) + " " + parameters), 42;
  };
  const win::ScopedCalls<ShellApi> fake(shell);
  frmOKU form;
  ui::SetMainForm(&form);
  ASSERT_TRUE(form.Create(nullptr));
  form.IsNT = form.IsXP = true;
  form.SystemDir = form.WindowsDir = "C:\\okunosuchdir\\";
  const std::string backup = "C:\\okunosuchdir\\NTBACKUP.EXE\r\n\r\n53\r\nFile not found";
  const std::string home = "Windows XP Home (5.1.2600 Service Pack 2 v2.0)";
  const std::string prompt = "Error in opening Backup/68: " + backup +
                             "\r\n\r\nOKU has detected that you are running under Windows XP Home\r\n"
                             "and you do not have the backup utility installed. Would you\r\n"
                             "like to get directions on how to install it?";
  const Texts editor = {
      "Caution!!!/16: Use caution when using the Registry Editor! \r\nIf you are not an advanced "
      "user then you \r\nshould not modify the registry.",
      "Error in opening Registry Editor/16: C:\\okunosuchdir\\REGEDIT.EXE\r\n\r\n53\r\nFile not found"};
  const std::string article = "C:\\b.exe http://support.microsoft.com/default.aspx?scid=kb;EN-US;q302894";
  const std::tuple<void (frmOKU::*)(), std::string, int, Texts, Texts> cases[] = {
      {&frmOKU::RegEdCmd_Click, home, kAnswerOk, editor, {}},
      {&frmOKU::RegCmd_Click, home, kAnswerYes, {prompt}, {article}},
      {&frmOKU::RegCmd_Click, home, kAnswerNo, {prompt}, {}},
      {&frmOKU::RegCmd_Click,
       "Windows XP Pro (5.1.2600 Service Pack 3 v3.0)",
       kAnswerYes,
       {"Error in opening Backup/16: " + backup},
       {}}};
  for (const auto& [click, versionLine, reply, expectShown, expectOpened] : cases) {
    SCOPED_TRACE(versionLine + std::to_string(reply));
    form.VersionLine = versionLine;
    boxes.shown.clear(), opened.clear(), boxes.answer = reply;
    (form.*click)();
    EXPECT_EQ(boxes.shown, expectShown);
    EXPECT_EQ(opened, expectOpened);
  }
  form.Close();
}
