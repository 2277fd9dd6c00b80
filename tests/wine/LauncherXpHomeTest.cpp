// The backup button of the real main window, in-process: on XP Home a missing backup tool offers
// the support article, and a failure to open the article does not escape the handler.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/frmOKU.h"
#include "app/frmOKUIds.h"
#include "platform/App.h"
#include "platform/MessageBox.h"
#include "shell/ShellApi.h"

namespace {

struct Shown {
  std::string text, caption;
  unsigned style;
};

}  // namespace

TEST(LauncherXpHome, MissingBackupOffersTheArticleOnXpHomeOnly) {
  std::vector<Shown> shown;
  int answer = kAnswerNo;
  SetMessageBoxHook([&](const std::string& text, const std::string& caption, unsigned style) {
    shown.push_back({text, caption, style});
    return answer;
  });
  std::vector<std::string> opened;  // what the browser was asked to open
  ShellApi& shell = CurrentShellApi();
  const ShellApi saved = shell;
  shell.findExecutable = [](const char*, char* result) -> intptr_t {
    lstrcpyA(result, "C:\\browser.exe");
    return 42;
  };
  shell.execute = [&](const char*, const char* file, const char* parameters, int) -> intptr_t {
    opened.push_back(std::string(file) + " " + (parameters ? parameters : ""));
    return 42;
  };

  frmOKU form;
  ui::SetMainForm(&form);
  ASSERT_TRUE(form.Create(nullptr));
  form.IsNT = form.IsXP = true;
  form.SystemDir = "C:\\okunosuchdir\\";
  const std::string report = "C:\\okunosuchdir\\NTBACKUP.EXE\r\n\r\n53\r\nFile not found";
  const std::string prompt = report +
                             "\r\n\r\nOKU has detected that you are running under Windows XP Home\r\n"
                             "and you do not have the backup utility installed. Would you\r\n"
                             "like to get directions on how to install it?";
  const std::string article = "C:\\browser.exe http://support.microsoft.com/default.aspx?scid=kb;EN-US;q302894";
  struct Case {
    const char* versionLine;
    int answer;
    std::string text;
    unsigned style;
    std::vector<std::string> opened;
  };
  const Case cases[] = {
      {"Windows XP Home (5.1.2600 Service Pack 2 v2.0)", kAnswerYes, prompt, kMbYesNoInformation, {article}},
      {"Windows XP Home (5.1.2600 Service Pack 2 v2.0)", kAnswerNo, prompt, kMbYesNoInformation, {}},
      {"Windows XP Pro (5.1.2600 Service Pack 3 v3.0)", kAnswerYes, report, kMbStop, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.versionLine + std::to_string(c.answer));
    form.SetText(IDT_OKU_VERSION, c.versionLine);
    shown.clear();
    opened.clear();
    answer = c.answer;
    form.RegCmd_Click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, c.text);
    EXPECT_EQ(shown[0].caption, "Error in opening Backup");
    EXPECT_EQ(shown[0].style, c.style);
    EXPECT_EQ(opened, c.opened);
    EXPECT_EQ(form.CommandLine, "C:\\okunosuchdir\\NTBACKUP.EXE");
  }

  // The article's probe file cannot be written (a folder has its name): the handler still returns.
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string blocker = std::string(temp) + "tempzink777.htm";
  ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
  form.SetText(IDT_OKU_VERSION, "Windows XP Home (5.1.2600 Service Pack 2 v2.0)");
  answer = kAnswerYes;
  opened.clear();
  EXPECT_NO_THROW(form.RegCmd_Click());
  EXPECT_TRUE(opened.empty());
  EXPECT_TRUE(form.IsOpen());
  RemoveDirectoryA(blocker.c_str());

  form.Close();
  shell = saved;
  SetMessageBoxHook(nullptr);
}
