// The main window "Okumatic": its control table, menus, load sequence, Refresh and exit.
#include "app/frmOKU.h"

#include <commctrl.h>

#include "BuildConfig.h"
#include "app/SysTray.h"
#include "platform/TestHooks.h"
#include "app/WinFolders.h"
#include "app/WinVer.h"
#include "app/frmOKUIds.h"
#include "app/mdlAppMutex.h"
#include "platform/App.h"
#include "platform/Boundary.h"
#include "platform/ComPtr.h"
#include "platform/Handles.h"
#include "platform/Failure.h"
#include "platform/Pump.h"
#include "web/frmAbout.h"

namespace {

using C = ui::Control<frmOKU>;

// Frame origins (twips, client area 6945 x 7875).
constexpr int F2x = 120, F2y = 120;    // Windows Information
constexpr int F1x = 120, F1y = 2760;   // Windows Utilities
constexpr int F3x = 120, F3y = 4320;   // Send To
constexpr int F6x = 4320, F6y = 4320;  // Misc
constexpr int F4x = 120, F4y = 5160;   // directory content
constexpr int F5x = 240, F5y = 6200;   // Auto Shut Down: the option area inside Frame5

// Identity rows of Windows Information: label, text box, button.
constexpr int kIdRow0 = F2y + 1260, kIdPitch = 330;
constexpr int kIdLabelX = F2x + 120, kIdTextX = F2x + 2580, kIdTextW = 2520, kIdButtonX = F2x + 5220, kIdButtonW = 1320;
// The utility rows: two columns of four rows, 300 twips apart.
constexpr int kUtilRow0 = F1y + 300, kUtilPitch = 300;
constexpr int kUtilLeftLabel = F1x + 240, kUtilLeftButton = F1x + 2820;
constexpr int kUtilRightLabel = F1x + 3480, kUtilRightButton = F1x + 6060;

constexpr C kControls[] = {
    // Windows Information
    C::Frame(IDG_OKU_WININFO, "Windows Information", {F2x, F2y, 6735, 2655}),
    C::Label(IDT_OKU_VERSION_CAPTION, "Windows Version:", {F2x + 120, F2y + 285, 1500, 210}),
    C::Label(IDT_OKU_VERSION, "---", {F2x + 1620, F2y + 285, 5000, 210}).Tip("MS Windows name and version"),
    C::Label(IDT_OKU_HOST_CAPTION, "Host Name:", {F2x + 120, F2y + 585, 1500, 210}),
    C::Label(IDT_OKU_HOST, "---", {F2x + 1620, F2y + 585, 2100, 210})
        .Tip("The name of the computer as seen on a network"),
    C::Label(IDT_OKU_IP_CAPTION, "IP Addresses:", {F2x + 120, F2y + 870, 1500, 210}),
    C::Combo(IDC_OKU_IP, {F2x + 1620, F2y + 825, 2100, 315})
        .Tip("The IP address(es) associated with the user's computer"),
    C::Button(IDB_OKU_NETINFO, "More &Network Info...", {F2x + 4020, F2y + 660, 2520, 375})
        .Tip("Detailed network information")
        .OnClick(&frmOKU::cmdNetInfo_Click),
    C::Label(IDT_OKU_OWNER_CAPTION, "Registered Owner......................", {kIdLabelX, kIdRow0 + 45, 2400, 210}),
    C::Text(IDE_OKU_OWNER, {kIdTextX, kIdRow0, kIdTextW, 285}).EnterPresses(IDB_OKU_OWNER),
    C::Button(IDB_OKU_OWNER, "&Change It", {kIdButtonX, kIdRow0 - 8, kIdButtonW, 300})
        .Tip("Change the value in the registry")
        .OnClick(&frmOKU::RegOwnCmd_Click),
    C::Label(IDT_OKU_ORG_CAPTION, "Registered Organization............",
             {kIdLabelX, kIdRow0 + kIdPitch + 45, 2400, 210}),
    C::Text(IDE_OKU_ORG, {kIdTextX, kIdRow0 + kIdPitch, kIdTextW, 285}).EnterPresses(IDB_OKU_ORG),
    C::Button(IDB_OKU_ORG, "Change &It", {kIdButtonX, kIdRow0 + kIdPitch - 8, kIdButtonW, 300})
        .Tip("Change the value in the registry")
        .OnClick(&frmOKU::RegOrgCmd_Click),
    C::Label(IDT_OKU_IE_CAPTION, "IE 5.0 Window Title...................",
             {kIdLabelX, kIdRow0 + 2 * kIdPitch + 45, 2400, 210})
        .Disabled(),
    C::Text(IDE_OKU_IE_TITLE, {kIdTextX, kIdRow0 + 2 * kIdPitch, kIdTextW, 285})
        .Disabled()
        .EnterPresses(IDB_OKU_IE_TITLE),
    C::Button(IDB_OKU_IE_TITLE, "Change I&t", {kIdButtonX, kIdRow0 + 2 * kIdPitch - 8, kIdButtonW, 300})
        .Disabled()
        .Tip("Change the value in the registry")
        .OnClick(&frmOKU::cmdIEwint_Click),
    C::Label(IDT_OKU_OE_CAPTION, "OE Window Title.........", {kIdLabelX, kIdRow0 + 3 * kIdPitch + 45, 1620, 210}),
    C::Combo(IDC_OKU_OE_IDENTITY, {F2x + 1740, kIdRow0 + 3 * kIdPitch - 15, 1320, 315})
        .Tip("The user's identity in Outlook Express")
        .OnClick(&frmOKU::cboOEident_Click),
    C::Text(IDE_OKU_OE_TITLE, {F2x + 3120, kIdRow0 + 3 * kIdPitch, kIdTextX + kIdTextW - (F2x + 3120), 285})
        .EnterPresses(IDB_OKU_OE_TITLE),
    C::Button(IDB_OKU_OE_TITLE, "Change It", {kIdButtonX, kIdRow0 + 3 * kIdPitch - 8, kIdButtonW, 300})
        .Tip("Change the value in the registry")
        .OnClick(&frmOKU::cmdOEwint_Click),

    // Windows Utilities: each small button stands right of the label that names its tool.
    C::Frame(IDG_OKU_UTILITIES, "Windows Utilities", {F1x, F1y, 6735, 1575}),
    C::Label(IDT_OKU_STARTUP, "Check your Startup Items...........", {kUtilLeftLabel, kUtilRow0 + 30, 2520, 210}),
    C::Button(IDB_OKU_STARTUP, "", {kUtilLeftButton, kUtilRow0, 375, 275})
        .With(ui::kTimesFont)
        .OnClick(&frmOKU::StartCmd_Click),
    C::Label(IDT_OKU_SCANDISK, "Scan Disk..................................",
             {kUtilRightLabel, kUtilRow0 + 30, 2520, 210})
        .Disabled(),
    C::Button(IDB_OKU_SCANDISK, "", {kUtilRightButton, kUtilRow0, 375, 275})
        .With(ui::kTimesFont)
        .Disabled()
        .OnClick(&frmOKU::ScanCmd_Click),
    C::Label(IDT_OKU_CONFIG, "Check your Configuration Files...",
             {kUtilLeftLabel, kUtilRow0 + kUtilPitch + 30, 2520, 210}),
    C::Button(IDB_OKU_CONFIG, "", {kUtilLeftButton, kUtilRow0 + kUtilPitch, 375, 275})
        .With(ui::kTimesFont)
        .OnClick(&frmOKU::ConfigCmd_Click),
    C::Label(IDT_OKU_DEFRAG, "Disk Defragmenter.....................",
             {kUtilRightLabel, kUtilRow0 + kUtilPitch + 30, 2520, 210}),
    C::Button(IDB_OKU_DEFRAG, "", {kUtilRightButton, kUtilRow0 + kUtilPitch, 375, 275})
        .With(ui::kTimesFont)
        .OnClick(&frmOKU::DefragCmd_Click),
    C::Label(IDT_OKU_SFC, "System File Checker...................",
             {kUtilLeftLabel, kUtilRow0 + 2 * kUtilPitch + 30, 2520, 210})
        .Disabled(),
    C::Button(IDB_OKU_SFC, "", {kUtilLeftButton, kUtilRow0 + 2 * kUtilPitch, 375, 275})
        .With(ui::kTimesFont)
        .Disabled()
        .OnClick(&frmOKU::SfcCmd_Click),
    C::Label(IDT_OKU_REGCHECK, "Registry Checker........................",
             {kUtilRightLabel, kUtilRow0 + 2 * kUtilPitch + 30, 2520, 210}),
    C::Button(IDB_OKU_REGCHECK, "", {kUtilRightButton, kUtilRow0 + 2 * kUtilPitch, 375, 275})
        .With(ui::kTimesFont)
        .OnClick(&frmOKU::RegCmd_Click),
    C::Label(IDT_OKU_SYSINFO, "System Information.....................",
             {kUtilLeftLabel, kUtilRow0 + 3 * kUtilPitch + 30, 2520, 210}),
    C::Button(IDB_OKU_SYSINFO, "", {kUtilLeftButton, kUtilRow0 + 3 * kUtilPitch, 375, 275})
        .With(ui::kTimesFont)
        .OnClick(&frmOKU::SysInfoCmd_Click),
    C::Label(IDT_OKU_REGEDIT, "Edit the Registry.........................",
             {kUtilRightLabel, kUtilRow0 + 3 * kUtilPitch + 30, 2520, 210}),
    C::Button(IDB_OKU_REGEDIT, "", {kUtilRightButton, kUtilRow0 + 3 * kUtilPitch, 375, 275})
        .With(ui::kTimesFont)
        .OnClick(&frmOKU::RegEdCmd_Click),

    // Add Folder Shortcut to the SendTo Menu: (enabled once the Send To folder is known)
    C::Frame(IDG_OKU_SENDTO, "Add Folder Shortcut to the SendTo Menu:", {F3x, F3y, 4095, 855}).Disabled(),
    C::Text(IDE_OKU_SENDTO_FOLDER, {F3x + 120, F3y + 375, 2940, 285}).Disabled().EnterPresses(IDB_OKU_SENDTO_GO),
    C::Button(IDB_OKU_SENDTO_BROWSE, "...", {F3x + 3120, F3y + 360, 330, 315})
        .With(ui::kTimesFont)
        .Disabled()
        .OnClick(&frmOKU::SendBrCmd_Click),
    C::Button(IDB_OKU_SENDTO_GO, "&Go", {F3x + 3510, F3y + 360, 465, 315}).Disabled().OnClick(&frmOKU::SendGoCmd_Click),

    // Misc
    C::Frame(IDG_OKU_MISC, "Misc", {F6x, F6y, 2535, 1695}),
    C::Button(IDB_OKU_DEVMGR, "&Device Manager", {F6x + 360, F6y + 300, 1815, 300})
        .Tip("Open the Device Manager")
        .OnClick(&frmOKU::cmdDM_Click),
    C::Button(IDB_OKU_COMPMGMT, "Computer &Management", {F6x + 360, F6y + 720, 1815, 300})
        .Disabled()
        .Tip("Open Computer Management")
        .OnClick(&frmOKU::cmdCM_Click),
    C::Button(IDB_OKU_CONTROLPANEL, "Control &Panel", {F6x + 360, F6y + 1140, 1815, 300})
        .OnClick(&frmOKU::cmdCtrlP_Click),

    // Generate directory content:
    C::Frame(IDG_OKU_LISTING, "Generate directory content:", {F4x, F4y, 4095, 855}),
    C::Text(IDE_OKU_LIST_FOLDER, {F4x + 120, F4y + 375, 2940, 285}).EnterPresses(IDB_OKU_LIST_GO),
    C::Button(IDB_OKU_LIST_BROWSE, "...", {F4x + 3120, F4y + 360, 330, 315})
        .With(ui::kTimesFont)
        .OnClick(&frmOKU::cmdListBr_Click),
    C::Button(IDB_OKU_LIST_GO, "G&o", {F4x + 3510, F4y + 360, 465, 315}).OnClick(&frmOKU::cmdListGo_Click),

    // Auto Shut Down: the options by index from the top, the time and the two buttons at the right.
    C::Frame(IDG_OKU_SHUTDOWN, "Auto Shut Down", {120, 6000, 5415, 1815}),
    C::Label(IDT_OKU_SHUTDOWN_TYPE, "Type:", {F5x, F5y, 2040, 210}),
    C::Option(IDO_OKU_EXIT_OPTION0 + 0, "&Shutdown && Powerdown", {F5x, F5y + 240, 2160, 240})
        .With(ui::kGroupStart)
        .OnClick(&frmOKU::optExitOption_Click, 0),
    C::Option(IDO_OKU_EXIT_OPTION0 + 1, "Normal Shutdo&wn", {F5x, F5y + 480, 2160, 240})
        .OnClick(&frmOKU::optExitOption_Click, 1),
    C::Option(IDO_OKU_EXIT_OPTION0 + 2, "Forced Sh&utdown", {F5x, F5y + 720, 2160, 240})
        .OnClick(&frmOKU::optExitOption_Click, 2),
    C::Option(IDO_OKU_EXIT_OPTION0 + 3, "Re&boot", {F5x, F5y + 960, 2160, 240})
        .OnClick(&frmOKU::optExitOption_Click, 3),
    C::Option(IDO_OKU_EXIT_OPTION0 + 4, "&Log Off", {F5x, F5y + 1200, 2160, 240})
        .OnClick(&frmOKU::optExitOption_Click, 4),
    C::Label(IDT_OKU_SHUTDOWN_TIME_CAPTION, "Time To Shutdown:", {F5x + 2280, F5y, 1935, 210}),
    C::Text(IDE_OKU_SHUTDOWN_TIME, {F5x + 2280, F5y + 240, 1935, 285})
        .Tip("Input the time to shutdown")
        .EnterPresses(IDB_OKU_ACTIVATE),
    C::Button(IDB_OKU_ACTIVATE, "&Activate", {F5x + 2280, F5y + 600, 1935, 300})
        .Tip("Activate the timer")
        .OnClick(&frmOKU::cmdAct_Click),
    C::Button(IDB_OKU_DEACTIVATE, "DeActi&vate", {F5x + 2280, F5y + 960, 1935, 300})
        .Disabled()
        .Tip("DeActivate the timer")
        .OnClick(&frmOKU::cmdDeAct_Click),

    // Bottom right
    C::Line(IDT_OKU_LINE, {5760, 6840, 1095, 30}),
    C::Button(IDB_OKU_REFRESH, "&Refresh", {5760, 6960, 1095, 375})
        .Tip("Refresh all the information")
        .OnClick(&frmOKU::cmdRefresh_Click),
    C::Button(IDB_OKU_EXIT, "&Exit", {5760, 7440, 1095, 375}).Tip("Exit").OnClick(&frmOKU::cmdExit_Click),
};

using M = ui::MenuItem<frmOKU>;
constexpr M kFileMenu[] = {M::Command(IDM_OKU_EXIT, "&Exit", &frmOKU::ExitMnu_Click)};
constexpr M kHelpMenu[] = {
    M::Command(IDM_OKU_WEBSITE, "&Quillon on the Web...", &frmOKU::mnuQLlink_Click),
    M::Command(IDM_OKU_UPDATE, "&Check for Update...", &frmOKU::UpMnu_Click),
    M::Command(IDM_OKU_DONATE, "&Donate...", &frmOKU::mnuDonate_Click),
    M::Separator(),
    M::Command(IDM_OKU_ABOUT, "&About OKU...", &frmOKU::AboutMnu_Click),
};
// The notification-area menu below the shutdown entry (mnuRem and mnuSep6 come first while armed;
// mnuRem has no action of its own).
constexpr M kTrayMenu[] = {
    M::Command(IDM_OKU_TRAY_RESTORE, "&Restore", &frmOKU::mnuRestore_Click),
    M::Separator(),
    M::Command(IDM_OKU_TRAY_MINIMIZE, "&Minimize", &frmOKU::mnuMin_Click),
    M::Separator(),
    M::Command(IDM_OKU_TRAY_ABOUT, "&About OKU", &frmOKU::mnuAbout_Click),
    M::Command(IDM_OKU_TRAY_EXIT, "&Exit", &frmOKU::mnuExit_Click),
};

struct Popup {
  const char* caption;
  std::span<const M> items;
};
constexpr Popup kMenuBar[] = {{"&File", kFileMenu}, {"&Help", kHelpMenu}};

HMENU BuildMenuBar() {
  HMENU bar = CreateMenu();
  for (const Popup& popup : kMenuBar)
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(ui::AppendMenuItems<frmOKU>(CreatePopupMenu(), popup.items)),
                popup.caption);
  return bar;
}

// One line per entry: caption (or "-"), with "[default]" for the default entry.
void DescribeMenu(HMENU menu, const std::string& indent, std::string& out) {
  const int count = GetMenuItemCount(menu);
  const UINT defaultId = GetMenuDefaultItem(menu, FALSE, 0);
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text - 1;
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    out += indent + ((info.fType & MFT_SEPARATOR) ? std::string("-") : std::string(text));
    if (!(info.fType & MFT_SEPARATOR) && info.wID == defaultId && defaultId != static_cast<UINT>(-1))
      out += " [default]";
    out += "\n";
    if (info.hSubMenu) DescribeMenu(info.hSubMenu, indent + "  ", out);
  }
}

constexpr ULONG_PTR kTestDumpMenus = 0x4F4B5501;  // WM_COPYDATA request of the test build

}  // namespace

int RunMainWindow(frmOKU& window) {
  // Form_Initialize: the common controls (visual styles need them) before the window loads.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  // Shell objects (links, the folder picker, shell execute) need a single-threaded apartment on
  // this thread; it is made at their first use, not before the window shows.
  win::ComApartmentOnDemand com;
  ui::SetMainForm(&window);
  if (!window.Create(nullptr)) return 1;
  if (window.endProgram) return 0;  // Windows Sockets is unusable; the message was shown
  window.Show();
  return ui::RunMessageLoop();
}

frmOKU::frmOKU() : FormT("frmOKU", "Okumatic", 6945, 7875), tray_(*this, [this] { return BuildPopupMenu(); }) {
  SetControls(kControls);
  menu_ = BuildMenuBar();
  for (const Popup& popup : kMenuBar) AddMenuItems(popup.items);
  AddMenuItems(kTrayMenu);
  isMain_ = true;
}

frmOKU::~frmOKU() = default;

HMENU frmOKU::BuildPopupMenu() const {
  HMENU popup = CreatePopupMenu();
  if (shutdown_.ReminderShown()) {
    AppendMenuA(popup, MF_STRING, IDM_OKU_TRAY_REMINDER, shutdown_.Reminder().c_str());  // mnuRem
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);                                        // mnuSep6
  }
  ui::AppendMenuItems<frmOKU>(popup, kTrayMenu);
  SetMenuDefaultItem(popup, IDM_OKU_TRAY_RESTORE, FALSE);
  return popup;
}

std::string frmOKU::DescribeMenus() const {
  std::string out = "[menu bar]\n";
  DescribeMenu(GetMenu(hwnd()), "", out);
  out += "[pop-up]\n";
  HMENU popup = BuildPopupMenu();
  DescribeMenu(popup, "", out);
  DestroyMenu(popup);
  return out;
}

// --- Load sequence -------------------------------------------------------------------------

void frmOKU::Form_Load() {
  if (!RunLoadSequence()) endProgram = true;
}

bool frmOKU::RunLoadSequence() {
  // Each step goes on whatever happened before it; only unusable Windows Sockets ends the run.
  auto step = [](auto&& fn) {
    try {
      fn();
    } catch (...) {
    }
  };
  step([] { CreateAppMutex(); });            // 1
  step([this] { shutdown_.Deactivate(); });  // 2
  step([this] { ApplyDesignDefaults(); });   // 3
  step([this] {                              // 4
    SystemDir = GetWindowsFolder(kSystemFolder);
    if (!SystemDir.empty() && SystemDir.back() != '\\') SystemDir += '\\';
  });
  step([this] {  // 5
    WindowsDir = GetWindowsFolder(kWindowsFolder);
    if (!WindowsDir.empty() && WindowsDir.back() != '\\') WindowsDir += '\\';
  });
  step([this] {  // 6
    const WindowsVersion version = GetWindowsVersion();
    IsNT = version.IsNT;
    IsXP = version.IsXP;
    IsMe = version.IsMe;
    VersionLine = version.DisplayText();
    SetText(IDT_OKU_VERSION, VersionLine);
    NTFamily = IsNT ? 1 : 0;
  });
  bool socketsUsable = true;
  step([&] { socketsUsable = network_.ShowHostAddresses(); });  // 7
  if (!socketsUsable) return false;
  step([this] { identity_.Read(); });                // 8
  step([this] { utilities_.ApplyAvailability(); });  // 9
  step([this] { sendTo_.Load(); });                  // 10
  step([this] { shutdown_.SetDefaults(); });         // 11
  Err().Clear();                                     // 12
  return true;
}

void frmOKU::ApplyDesignDefaults() {
  for (int id : {IDT_OKU_IE_CAPTION, IDT_OKU_SFC, IDB_OKU_SFC, IDE_OKU_IE_TITLE, IDB_OKU_IE_TITLE}) Enable(id, false);
  SetText(IDT_OKU_REGCHECK, "Registry Checker........................");
  SetText(IDT_OKU_IE_CAPTION, "IE Not Installed");
  for (int id : {IDT_OKU_SCANDISK, IDB_OKU_SCANDISK, IDE_OKU_SENDTO_FOLDER, IDB_OKU_SENDTO_BROWSE, IDB_OKU_SENDTO_GO,
                 IDB_OKU_COMPMGMT, IDG_OKU_SENDTO})
    Enable(id, false);
}

void frmOKU::cmdRefresh_Click() {
  // The load sequence handles its own failures; anything else still ends here.
  ui::RunHandler(*this, ui::ShortForm("Error in refreshing"), [this] {
    ui::Hourglass hourglass(*this);
    DoEvents();
    shutdown_.Deactivate();
    network_.Clear();
    identity_.Clear();
    sendTo_.Clear();
    listing_.Clear();
    if (!RunLoadSequence()) {
      // Windows Sockets became unusable: the program ends at once, leaving nothing behind.
      tray_.Remove();
      ExitProcess(0);
    }
  });
}

// --- Exit ----------------------------------------------------------------------------------

void frmOKU::cmdExit_Click() { ui::RequestExit(); }
void frmOKU::ExitMnu_Click() { ui::RequestExit(); }
void frmOKU::mnuExit_Click() { ui::RequestExit(); }

bool frmOKU::Form_QueryUnload() {
  // The close box sends the window to the notification area; the program goes on.
  if (!tray_.MinimizeToTray()) ui::RequestExit();
  return true;
}

void frmOKU::Form_Unload() {
  tray_.Remove();
  for (ui::Form* form : ui::OpenForms())
    if (form != this) form->Close();
}

// --- Messages ------------------------------------------------------------------------------

void frmOKU::mnuRestore_Click() { tray_.BringBack(); }

void frmOKU::mnuMin_Click() {
  ShowWindow(hwnd(), SW_MINIMIZE);
  tray_.Remove();
  tray_.RestoreWindow();
}

void frmOKU::OnTimer(UINT_PTR id) {
  if (id == IDTIMER_OKU_SHUTDOWN) Timer1_Timer();
}

bool frmOKU::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_QUERYENDSESSION) {
    result = TRUE;
    return true;
  }
  if (msg == WM_ENDSESSION) {
    if (wParam) tray_.Remove();  // Windows is ending the session, and the program with it
    result = 0;
    return true;
  }
  if (msg == WM_COPYDATA && hooks::IsTestBuild()) {
    // The test build writes its menus, as built, to the file the driver names.
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data && data->dwData == kTestDumpMenus && data->cbData > 0) {
      std::string path(static_cast<const char*>(data->lpData), data->cbData);
      path.resize(strnlen(path.c_str(), path.size()));
      const std::string text = DescribeMenus();
      win::UniqueHandle file = win::OwnFileHandle(
          CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
      DWORD written = 0;
      if (file) WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
      result = TRUE;
      return true;
    }
  }
  return tray_.HandleMessage(msg, wParam, lParam, result);
}
