// "Check your Startup Items" in the real OKU.exe on the NT family: the machine-wide Run key's
// values in the window "Startup Items in Registry", and the window's layout as it is sized.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <map>

#include "LauncherTestSupport.h"
#include "app/frmOKUIds.h"
#include "driver/Driver.h"
#include "tools/frmStartUpIds.h"

using namespace driver;
using namespace launchertest;

namespace {

constexpr const char* kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kCaption = "Startup Items in Registry";

class StartupItems : public testing::Test {
 protected:
  void SetUp() override {
    machine.Clear();
    user.Clear();
    ASSERT_TRUE(user.WriteText("UserOnly", "C:\\user only.exe"));
  }

  // Starts OKU, clicks the button and waits for the window.
  HWND OpenViewer() {
    oku = Program::Start("OKU.exe");
    main = WaitTopWindow(oku.pid(), "Okumatic");
    if (!main) return nullptr;
    Click(Control(main, IDB_OKU_STARTUP));
    return WaitTopWindow(oku.pid(), kCaption);
  }

  SavedKeyValues machine{HKEY_LOCAL_MACHINE, kRun};
  SavedKeyValues user{HKEY_CURRENT_USER, kRun};
  Program oku;
  HWND main = nullptr;
};

using Rows = std::vector<std::vector<std::string>>;

int Dpi() {
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi;
}

// A control's rectangle in its window's client area, in pixels.
RECT ClientRect(HWND window, HWND control) {
  RECT rc = WindowRect(control);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

}  // namespace

TEST_F(StartupItems, RunValuesAreListedAsBuiltInEnumerationOrder) {
  char separator[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
  // Value name -> the text its row shows; the blank row is written but not listed.
  std::map<std::string, std::string> shown = {
      {"", "C:\\Default Program.exe"},
      {"  Padded  ", "  C:\\padded.exe /x  "},
      {"Counter", std::string("0000001A (0") + separator + "000" + separator + "000" + separator + "026)"},
      {"Blob", "1 A FF"},
  };
  ASSERT_TRUE(machine.WriteText("", shown[""]));
  ASSERT_TRUE(machine.WriteText("  Padded  ", shown["  Padded  "]));
  ASSERT_TRUE(machine.WriteText("   ", "  "));
  ASSERT_TRUE(machine.Write("Counter", REG_DWORD, {0x1A, 0, 0, 0}));
  ASSERT_TRUE(machine.Write("Blob", REG_BINARY, {0x01, 0x0A, 0xFF}));
  for (int i = 199; i >= 0; --i) {
    char name[16], data[32];
    std::snprintf(name, sizeof name, "Item%03d", i);
    std::snprintf(data, sizeof data, "C:\\item\\%d.exe", i * 7);
    shown[name] = data;
    ASSERT_TRUE(machine.WriteText(name, data));
  }
  // The order is the registry's own, as this process enumerates it.
  Rows expected;
  const auto values = machine.Read();
  ASSERT_EQ(values.size(), 205u);
  for (const auto& value : values)
    if (shown.count(value.name)) expected.push_back({value.name, shown[value.name]});

  HWND viewer = OpenViewer();
  ASSERT_NE(viewer, nullptr) << "the startup items window did not open";
  HWND list = Control(viewer, IDL_STARTUP_ITEMS);
  EXPECT_EQ(ListViewRows(list, 2), expected);
  EXPECT_EQ(ListViewColumnTitle(list, 0), "Item Name");
  EXPECT_EQ(ListViewColumnTitle(list, 1), "Item");
  EXPECT_NEAR(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 1440.0 * Dpi() / 1440, 1);
  EXPECT_NEAR(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), 6000.0 * Dpi() / 1440, 1);
  EXPECT_FALSE(IsWindowEnabled(main)) << "the window is modal";

  Click(Control(viewer, IDB_STARTUP_OK));
  EXPECT_TRUE(WaitWindowGone(viewer));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }));
}

TEST_F(StartupItems, EmptyMachineKeyGivesAnEmptyListWhateverTheUserKeyHolds) {
  HWND viewer = OpenViewer();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(ListViewRows(Control(viewer, IDL_STARTUP_ITEMS), 2), Rows{});
  EXPECT_EQ(FindMessageBox(oku.pid()), nullptr);
}

TEST_F(StartupItems, ListAndButtonFollowTheWindowSize) {
  ASSERT_TRUE(machine.WriteText("One", "C:\\one.exe"));
  HWND viewer = OpenViewer();
  ASSERT_NE(viewer, nullptr);
  HWND list = Control(viewer, IDL_STARTUP_ITEMS);
  HWND button = Control(viewer, IDB_STARTUP_OK);
  const double px = Dpi() / 1440.0;  // pixels per twip

  const auto expectPlaced = [&](const char* when) {
    SCOPED_TRACE(when);
    RECT inner{};
    GetClientRect(viewer, &inner);
    const RECT l = ClientRect(viewer, list), b = ClientRect(viewer, button);
    EXPECT_EQ(l.left, 0);
    EXPECT_EQ(l.top, 0);
    EXPECT_NEAR(l.right, inner.right - 10 * px, 1);
    EXPECT_NEAR(l.bottom, inner.bottom - 575 * px, 1);
    EXPECT_NEAR(b.right - b.left, 1215 * px, 1);
    EXPECT_NEAR(b.bottom - b.top, 375 * px, 1);
    EXPECT_NEAR(b.right, inner.right - 10 * px, 1);
    EXPECT_NEAR(b.top, l.bottom + 115 * px, 1);
  };
  expectPlaced("as first shown");
  for (const auto [width, height] : {std::pair{800, 600}, {420, 260}, {1000, 120}}) {
    SetWindowPos(viewer, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    expectPlaced((std::to_string(width) + "x" + std::to_string(height)).c_str());
  }

  // Too low for the list: everything stays where it was.
  const RECT listBefore = ClientRect(viewer, list), buttonBefore = ClientRect(viewer, button);
  SetWindowPos(viewer, nullptr, 0, 0, 300, 60, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT inner{};
  GetClientRect(viewer, &inner);
  ASSERT_LT(inner.bottom, 575 * px) << "the window could not be made that low";
  const RECT listAfter = ClientRect(viewer, list), buttonAfter = ClientRect(viewer, button);
  EXPECT_TRUE(EqualRect(&listBefore, &listAfter));
  EXPECT_TRUE(EqualRect(&buttonBefore, &buttonAfter));
}
