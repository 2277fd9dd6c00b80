// The program's run: its open windows, the message loop, the busy guard and the exit path.
#pragma once

#include <windows.h>

#include <vector>

namespace ui {

class Form;

// The main window owns the run: the program ends when it is destroyed.
void SetMainForm(Form* form);
Form* MainForm();
// The main window's handle, for centring a window over it; null while there is none.
HWND MainFormHandle();

// Every created window registers itself, so the exit path can close the others first.
void RegisterForm(Form* form);
void UnregisterForm(Form* form);
std::vector<Form*> OpenForms();

// Runs until the main window is gone; returns the exit code.
int RunMessageLoop();

// Handles one message the way the main loop does (dialog keys included). False on WM_QUIT.
bool PumpOneMessage();

// A handler that lets pending messages run (DoEvents) holds a BusyScope: meanwhile user commands
// to the program's windows are ignored and close requests and timer ticks are deferred until the
// outermost scope ends, so no second handler runs inside the first. Painting goes on.
class BusyScope {
 public:
  BusyScope();
  ~BusyScope();
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
};
bool IsBusy();
// Records a close request or timer tick that arrived while busy, to be replayed afterwards.
void DeferWhileBusy(HWND hwnd, UINT msg, WPARAM wParam);

// Every dispatch of a user command, timer tick or tray message runs inside a HandlerScope, so
// that an exit requested from within a handler waits until the handler has returned.
class HandlerScope {
 public:
  HandlerScope();
  ~HandlerScope();
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;
};

// The program's normal exit ("Exit" button and menus, the shutdown tick): closes message boxes
// and every other window first, then, once no handler is running, the main window.
void RequestExit();
bool IsExiting();

}  // namespace ui
