// The main window "Okumatic": its fields, its load sequence and every handler of its controls.
// The handlers of each subsystem are defined in that subsystem's folder (registry/, tools/, ...).
#pragma once

#include <string>
#include <vector>

#include "platform/Form.h"

class frmOKU : public ui::FormT<frmOKU> {
 public:
  frmOKU();
  ~frmOKU() override;

  // Version flags and directories set by the load sequence.
  bool IsNT = false;
  bool IsXP = false;
  bool IsMe = false;
  std::string SystemDir;   // always ends in "\" (or is empty when the lookup failed)
  std::string WindowsDir;  // likewise
  std::string CommandLine;  // the command line a launcher or the network button last tried

  // The hidden identity lists, index-aligned with cboOEident.
  std::vector<std::string> cboOEWinT;
  std::vector<std::string> cboRegOE;

  // The notification-area menu's shutdown entry; present only while a shutdown is armed.
  std::string mnuRemCaption = "Shutdown at --";
  bool mnuRemVisible = false;

  // True when the load sequence decided that the program must end (Windows Sockets unusable).
  bool endProgram = false;

  // The load sequence (at start and on Refresh). Returns false when the program must end.
  bool RunLoadSequence();

  // The notification-area pop-up menu, built from its entries as they stand now. Caller destroys.
  HMENU BuildPopupMenu() const;
  // A text dump of both menus as built, for the test build's menu check.
  std::string DescribeMenus() const;

  // --- app: main window
  void cmdRefresh_Click();
  void cmdExit_Click();
  void ExitMnu_Click();
  void mnuExit_Click();
  void AboutMnu_Click();
  void mnuAbout_Click();
  void mnuDonate_Click();
  void UpMnu_Click();
  void mnuQLlink_Click();
  void ApplyDesignDefaults();  // step 3

  // --- app: notification area
  void mnuRestore_Click();
  void mnuMin_Click();

  // --- registry: identity and window titles
  void ReadIdentitySettings();
  void getOE();
  void cboOEident_Click();
  void RegOwnCmd_Click();
  void RegOrgCmd_Click();
  void cmdIEwint_Click();
  void cmdOEwint_Click();

  // --- tools: launchers and startup items
  void ApplyUtilityAvailability();  // step 9
  void RegEdCmd_Click();
  void RegCmd_Click();
  void DefragCmd_Click();
  void ScanCmd_Click();
  void SysInfoCmd_Click();
  void SfcCmd_Click();
  void ConfigCmd_Click();
  void cmdCtrlP_Click();
  void cmdDM_Click();
  void cmdCM_Click();
  void StartCmd_Click();

  // --- shell: Send To and the directory listing
  void LoadSendToFolder();  // step 10
  void SendBrCmd_Click();
  void SendGoCmd_Click();
  void cmdListBr_Click();
  void cmdListGo_Click();

  // --- net: host, addresses and network information
  bool ShowHostAddresses();  // step 7; false: Windows Sockets is unusable, the program ends
  void cmdNetInfo_Click();

  // --- shutdown: the timer
  void SetShutdownDefaults();  // step 11
  void cmdAct_Click();
  void cmdDeAct_Click();
  void optExitOption_Click(int index);
  void Timer1_Timer();

 protected:
  void Form_Load() override;
  bool Form_QueryUnload() override;
  void Form_Unload() override;
  void OnTimer(UINT_PTR id) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// The one main window of the process.
frmOKU& MainWindow();

// Runs the program with `window` as its main window until it ends; returns the exit code.
int RunMainWindow(frmOKU& window);
