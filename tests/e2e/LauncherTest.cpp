// The tool buttons of the real OKU.exe under Wine: the tools started, the report of one Wine
// lacks, System Information and the startup items window. The boxes' exact texts and styles are
// checked in-process (tests/wine/Launcher*), the availability by version in MainWindowTest.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <optional>

#include "app/frmOKUIds.h"
#include "driver/BoxesAndKeys.h"
#include "driver/Driver.h"
#include "tools/frmStartUpIds.h"
#include "wine/ShellTestSupport.h"

using namespace driver;
using shelltest::ScratchKey;
using Rows = std::vector<std::vector<std::string>>;

TEST(Launcher, EditTheRegistryWarnsFirstThenStartsTheRegistryEditor) {
  Program oku;
  Click(Control(StartOku(oku), IDB_OKU_REGEDIT));
  const MessageBoxInfo box = WaitMessageBox(oku.pid());
  EXPECT_EQ(box.caption, "Caution!!!");
  Sleep(300);
  EXPECT_EQ(FindWindowA(nullptr, "Registry Editor"), nullptr) << "started before the box closed";
  ASSERT_TRUE(Answer(box, "OK"));
  HWND editor = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (editor = FindWindowA(nullptr, "Registry Editor")) != nullptr; }));
  DWORD pid = 0;
  GetWindowThreadProcessId(editor, &pid);
  HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid);  // ended by its id
  TerminateProcess(process, 1), CloseHandle(process);
  EXPECT_EQ(FindMessageBox(oku.pid()), nullptr);
}

// Wine has no mmc; an mmc.exe planted in OKU's own folder must not run in its place.
TEST(Launcher, DeviceManagerShowsTheLongReportAndAPlantedMmcNeverRuns) {
  const std::string planted = ExeDir() + "\\mmc.exe", ran = MakeTempDir("oku-planted") + "\\ran.txt";
  ASSERT_TRUE(CopyFileA((ExeDir() + "\\ShellOpenProbe.exe").c_str(), planted.c_str(), FALSE));
  Program oku;
  Click(Control(StartOku(oku, "OKU.exe", {{"OKU_SHELL_PROBE_OUT", ran}}), IDB_OKU_DEVMGR));
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_EQ(TakeBox(oku.pid(), 16), "Error in opening Device Manager|mmc " + std::string(system) +
                                        "\\devmgmt.msc\r\n\r\n53\r\nFile not found|16");
  EXPECT_EQ(GetFileAttributesA(ran.c_str()), INVALID_FILE_ATTRIBUTES) << "the planted mmc ran";
  oku.Kill();
  DeleteFileA(planted.c_str());
  RemoveTree(ran.substr(0, ran.rfind('\\')));
}

// The tool comes from the PATH value, or else from MSINFO32.EXE in the second value's folder;
// probe programs stand in for it in folders whose names hold blanks.
TEST(LauncherSysInfo, ToolFromEitherValueStartsQuotedAndAnythingElseGivesTheNotice) {
  const ScratchKey path(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
  const ScratchKey location(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location");
  const std::string folder = MakeTempDir("oku sys info"), tools = folder + "\\Shared Tools";
  const std::string tool = folder + "\\probe tool.exe", msinfo = tools + "\\MSINFO32.EXE";
  const std::string report = folder + "\\started.txt";  // the probe's id, show mode and command line
  CreateDirectoryA(tools.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA((ExeDir() + "\\ShellOpenProbe.exe").c_str(), tool.c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(tool.c_str(), msinfo.c_str(), FALSE));
  Program oku;
  HWND window = StartOku(oku, "OKU.exe", {{"OKU_SHELL_PROBE_OUT", report}});
  using Text = std::optional<std::string>;
  // PATH, MSINFO, and the command line the tool gets (none: the notice).
  // Neither value is checked in-process (LauncherMsinfo).
  const std::tuple<Text, Text, Text> cases[] = {
      {tool, {}, "\"" + tool + "\""}, {folder + "\\missing tool.exe", tools, {}}, {{}, tools, "\"" + msinfo + "\""}};
  for (const auto& [pathValue, locationValue, started] : cases) {
    SCOPED_TRACE(pathValue.value_or("-") + " / " + locationValue.value_or("-"));
    path.Put("PATH", pathValue);
    location.Put("MSINFO", locationValue);
    DeleteFileA(report.c_str());
    Click(Control(window, IDB_OKU_SYSINFO));
    EXPECT_EQ(TakeBox(oku.pid(), 0, "OK", Ms(started ? 1000 : 20000)),
              started ? "" : "OKU|System Information Is Unavailable At This Time|0");
    std::string text;
    WaitUntil([&] { return !(text = shelltest::ReadWholeFile(report)).empty(); }, Ms(started ? 20000 : 0));
    EXPECT_EQ(text.substr(text.find('\n') + 1), started ? "1\n" + *started + "\n" : "");
  }
  oku.Kill();
  RemoveTree(folder);
}

// "Check your Startup Items" on the NT family: "Startup Items in Registry" lists the machine-wide
// Run key as stored, less blank rows, and its list and button follow the window's size.
TEST(StartupItems, MachineRunValuesAreListedAsStoredLessBlankRowsAndTheLayoutFollowsTheSize) {
  const ScratchKey machine(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
  const ScratchKey user(HKEY_CURRENT_USER, machine.path);
  Program oku;
  HWND window = StartOku(oku);
  const auto open = [&] {
    Click(Control(window, IDB_OKU_STARTUP));
    return WaitTopWindow(oku.pid(), "Startup Items in Registry");
  };
  HWND viewer = open();
  HWND list = Control(viewer, IDL_STARTUP_ITEMS), button = Control(viewer, IDB_STARTUP_OK);
  EXPECT_EQ(ListViewRows(list, 2), Rows{});
  HDC dc = GetDC(nullptr);
  const double px = GetDeviceCaps(dc, LOGPIXELSY) / 1440.0;  // pixels per twip
  ReleaseDC(nullptr, dc);
  const auto placed = [&](HWND control) {  // in the window's client area
    RECT rc = WindowRect(control);
    MapWindowPoints(nullptr, viewer, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  };
  RECT in{};
  SetWindowPos(viewer, nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetClientRect(viewer, &in);
  const RECT l = placed(list), b = placed(button);
  EXPECT_EQ(std::pair(l.left, l.top), std::pair(0L, 0L));
  EXPECT_EQ(in.right - l.right, std::lround(10 * px));  // under a pixel at 96 DPI: no tolerance
  EXPECT_NEAR(l.bottom, in.bottom - 575 * px, 1);
  EXPECT_NEAR(b.left, in.right - 1225 * px, 1);
  EXPECT_NEAR(b.top, l.bottom + 115 * px, 1);
  EXPECT_EQ(in.right - b.right, std::lround(10 * px));
  EXPECT_NEAR(b.bottom, l.bottom + 490 * px, 1);
  // Too low for the list: both stay where they were.
  SetWindowPos(viewer, nullptr, 0, 0, 300, 60, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetClientRect(viewer, &in);
  ASSERT_LT(in.bottom, 575 * px);
  const RECT lowList = placed(list), lowButton = placed(button);
  EXPECT_TRUE(EqualRect(&l, &lowList) && EqualRect(&b, &lowButton));
  Click(button);
  ASSERT_TRUE(WaitWindowGone(viewer));

  ASSERT_EQ(user.Put("UserOnly", "C:\\user only.exe"), ERROR_SUCCESS);
  ASSERT_EQ(machine.Put("", "C:\\unnamed.exe"), ERROR_SUCCESS);  // the default value: a row without a name
  ASSERT_EQ(machine.Put("  Padded  ", "  C:\\padded.exe /x  "), ERROR_SUCCESS);
  ASSERT_EQ(machine.Put("   ", "  "), ERROR_SUCCESS);  // blank in name and data: no row
  list = Control(open(), IDL_STARTUP_ITEMS);
  EXPECT_EQ(ListViewRows(list, 2), Rows({{"", "C:\\unnamed.exe"}, {"  Padded  ", "  C:\\padded.exe /x  "}}));
  EXPECT_EQ(ListViewColumnTitle(list, 0) + "|" + ListViewColumnTitle(list, 1), "Item Name|Item");
}
