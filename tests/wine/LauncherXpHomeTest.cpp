// The launcher's boxes in the real main window, in-process with the tools missing: the caution
// before the Registry Editor's report, and the backup tool's report that on XP Home offers the
// support article instead.
#include <gtest/gtest.h>
#include <windows.h>

#include <tuple>

#include "app/frmOKU.h"
#include "platform/App.h"
#include "ShellTestSupport.h"

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
