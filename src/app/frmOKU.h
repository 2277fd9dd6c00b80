// The main window "Okumatic": its fields, its load sequence and the handlers of its controls. Each
// frame's work is done by its controller in that frame's subsystem (registry/, tools/, ...), built
// with a narrow view of this window; the handlers here forward to them.
#pragma once

#include <memory>
#include <string>

#include "app/SysTray.h"
#include "net/NetworkRow.h"
#include "platform/Form.h"
#include "platform/FrameView.h"
#include "registry/IdentityRows.h"
#include "shell/ListingFrame.h"
#include "shell/SendToFrame.h"
#include "shutdown/ShutdownFrame.h"
#include "tools/Utilities.h"

class frmAbout;

// The machine facts (IsNT, IsXP, IsMe, SystemDir, WindowsDir) are the load sequence's fields.
class frmOKU : public ui::FormT<frmOKU>, public MachineFacts {
 public:
  frmOKU();
  ~frmOKU() override;

  std::string CommandLine;  // the command line a launcher or the network button last tried

  // True when the load sequence decided that the program must end (Windows Sockets unusable).
  bool endProgram = false;

  // The load sequence (at start and on Refresh). Returns false when the program must end.
  bool RunLoadSequence();

  // The notification-area pop-up menu, built from its entries as they stand now. Caller destroys.
  HMENU BuildPopupMenu() const;
  // A text dump of both menus as built, for the test build's menu check.
  std::string DescribeMenus() const;

  TrayIcon& Tray() { return tray_; }
  const ShutdownFrame& Shutdown() const { return shutdown_; }

  // --- main window
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

  // --- notification area
  void mnuRestore_Click();
  void mnuMin_Click();

  // --- identity and window titles
  void cboOEident_Click() { identity_.ShowIdentity(); }
  void RegOwnCmd_Click() { identity_.ChangeOwner(); }
  void RegOrgCmd_Click() { identity_.ChangeOrganization(); }
  void cmdIEwint_Click() { identity_.ChangeIeTitle(); }
  void cmdOEwint_Click() { identity_.ChangeOeTitle(); }

  // --- launchers and startup items
  void RegEdCmd_Click() { utilities_.Launch(Launcher::RegEdit); }
  void RegCmd_Click() { utilities_.CheckRegistry(); }
  void DefragCmd_Click() { utilities_.Launch(Launcher::Defrag); }
  void ScanCmd_Click() { utilities_.Launch(Launcher::ScanDisk); }
  void SysInfoCmd_Click() { utilities_.ShowSystemInfo(); }
  void SfcCmd_Click() { utilities_.Launch(Launcher::Sfc); }
  void ConfigCmd_Click() { utilities_.Launch(Launcher::Config); }
  void cmdCtrlP_Click() { utilities_.Launch(Launcher::ControlPanel); }
  void cmdDM_Click() { utilities_.Launch(Launcher::DeviceManager); }
  void cmdCM_Click() { utilities_.Launch(Launcher::ComputerManagement); }
  void StartCmd_Click() { utilities_.ShowStartupItems(); }

  // --- Send To and the directory listing
  void SendBrCmd_Click() { sendTo_.Browse(); }
  void SendGoCmd_Click() { sendTo_.Add(); }
  void cmdListBr_Click() { listing_.Browse(); }
  void cmdListGo_Click() { listing_.Write(); }

  // --- network information
  void cmdNetInfo_Click() { network_.ShowNetInfo(); }

  // --- the shutdown timer
  void cmdAct_Click() { shutdown_.Activate(); }
  void cmdDeAct_Click() { shutdown_.Deactivate(); }
  void optExitOption_Click(int index) { shutdown_.SelectOption(index); }
  void Timer1_Timer() { shutdown_.Tick(); }

 protected:
  void Form_Load() override;
  bool Form_QueryUnload() override;
  void Form_Unload() override;
  void OnTimer(UINT_PTR id) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  ui::FrameView View() { return {*this, *this, CommandLine}; }

  NetworkRow network_{View()};
  IdentityRows identity_{View()};
  Utilities utilities_{View()};
  SendToFrame sendTo_{View()};
  ListingFrame listing_{View()};
  ShutdownFrame shutdown_{View()};
  TrayIcon tray_;
  std::unique_ptr<frmAbout> about_;  // the icon menu's modeless About, one at a time
};

// Runs the program with `window` as its main window until it ends; returns the exit code.
int RunMainWindow(frmOKU& window);
