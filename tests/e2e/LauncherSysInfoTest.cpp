// "System Information" in the real OKU.exe: the tool found through the two registry values, a
// small probe program standing in for it in folders whose names hold blanks.
#include <gtest/gtest.h>

#include "LauncherTestSupport.h"
#include "app/frmOKUIds.h"
#include "driver/Driver.h"

using namespace driver;
using namespace launchertest;

TEST(LauncherSysInfo, ToolFromEitherValueStartsAndAnythingElseGivesTheNotice) {
  const SavedKeyValues path(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
  const SavedKeyValues location(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location");

  const std::string folder = MakeTempDir("oku sys info");
  const std::string probe = ExeDir() + "\\ShellOpenProbe.exe";
  const std::string tool = folder + "\\probe tool.exe";
  const std::string tools = folder + "\\Shared Tools";
  const std::string msinfo = tools + "\\MSINFO32.EXE";
  const std::string empty = folder + "\\Empty Folder";
  CreateDirectoryA(tools.c_str(), nullptr);
  CreateDirectoryA(empty.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(probe.c_str(), tool.c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(probe.c_str(), msinfo.c_str(), FALSE));

  // The probe writes its id, window mode and command line here (OKU passes its environment on).
  const std::string report = folder + "\\started.txt";
  Program oku = Program::Start("OKU.exe", "", {{"OKU_SHELL_PROBE_OUT", report}});
  HWND window = WaitTopWindow(oku.pid(), "Okumatic");
  ASSERT_NE(window, nullptr);

  using Text = std::optional<std::string>;
  struct Case {
    const char* what;
    Text pathValue, locationValue;
    Text started;  // the command line the tool got; none: the notice
  };
  const Case cases[] = {
      {"neither value", {}, {}, {}},
      {"PATH names a program", tool, {}, "\"" + tool + "\""},
      {"PATH names a missing file", folder + "\\missing tool.exe", tools, {}},
      {"the location holds MSINFO32.EXE", {}, tools, "\"" + msinfo + "\""},
      {"an empty PATH counts as none", "", tools, "\"" + msinfo + "\""},
      {"the location lacks MSINFO32.EXE", {}, empty, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    path.Put("PATH", c.pathValue);
    location.Put("MSINFO", c.locationValue);
    DeleteFileA(report.c_str());
    Click(Control(window, IDB_OKU_SYSINFO));
    if (c.started) {
      std::string text;
      ASSERT_TRUE(WaitUntil([&] {
        text = ReadWholeFile(report);
        return !text.empty();
      })) << "the tool did not start";
      const std::string pid = text.substr(0, text.find('\n'));
      EXPECT_EQ(text, pid + "\n1\n" + *c.started + "\n");
      EndProcessById(static_cast<DWORD>(std::stoul(pid)));
      Sleep(300);
      EXPECT_EQ(FindMessageBox(oku.pid()), nullptr);
    } else {
      const MessageBoxInfo box = WaitMessageBox(oku.pid());
      ASSERT_NE(box.hwnd, nullptr) << "no notice";
      EXPECT_EQ(box.caption, "OKU");
      EXPECT_EQ(box.text, "System Information Is Unavailable At This Time");
      EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
      EXPECT_TRUE(ShowsIcon(box.hwnd, BoxIcon::None));
      EXPECT_TRUE(Answer(box, "OK"));
      EXPECT_EQ(GetFileAttributesA(report.c_str()), INVALID_FILE_ATTRIBUTES) << "something started";
    }
  }
  oku.Kill();
  RemoveTree(folder);
}
