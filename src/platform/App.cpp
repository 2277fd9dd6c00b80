// The run of the program: one user-interface thread, its windows and its exit.
#include "platform/App.h"

#include <algorithm>

#include "platform/Form.h"

namespace ui {
namespace {

struct RunState {
  Form* main = nullptr;
  std::vector<Form*> forms;
  int busyDepth = 0;
  int handlerDepth = 0;
  bool exiting = false;
  bool exitDeferred = false;
  struct Deferred {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
  };
  std::vector<Deferred> deferred;
};

RunState& State() {
  static RunState state;
  return state;
}

void FinishExit() {
  RunState& s = State();
  s.exitDeferred = false;
  if (s.main && s.main->IsOpen()) s.main->Close();
}

// Message boxes are dialogs of our thread; ending them lets the code that opened them go on.
BOOL CALLBACK EndMessageBox(HWND hwnd, LPARAM) {
  char cls[16] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpA(cls, "#32770") == 0) EndDialog(hwnd, IDCANCEL);
  return TRUE;
}

}  // namespace

void SetMainForm(Form* form) { State().main = form; }
Form* MainForm() { return State().main; }
HWND MainFormHandle() { return State().main ? State().main->hwnd() : nullptr; }

void RegisterForm(Form* form) { State().forms.push_back(form); }
void UnregisterForm(Form* form) {
  auto& forms = State().forms;
  forms.erase(std::remove(forms.begin(), forms.end(), form), forms.end());
  if (State().main == form) State().main = nullptr;
}
std::vector<Form*> OpenForms() { return State().forms; }

bool PumpOneMessage() {
  MSG msg;
  if (GetMessageA(&msg, nullptr, 0, 0) <= 0) return false;
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (root && IsDialogMessageA(root, &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

int RunMessageLoop() {
  while (PumpOneMessage()) {
  }
  return 0;
}

BusyScope::BusyScope() { ++State().busyDepth; }
BusyScope::~BusyScope() {
  RunState& s = State();
  if (--s.busyDepth > 0) return;
  // Replay what arrived meanwhile, once each, now that the handler is done.
  std::vector<RunState::Deferred> deferred;
  deferred.swap(s.deferred);
  // Ticks before close requests: a close replayed first would drop the tick with the window.
  std::stable_partition(deferred.begin(), deferred.end(), [](const RunState::Deferred& d) { return d.msg != WM_CLOSE; });
  for (const auto& d : deferred)
    if (IsWindow(d.hwnd)) PostMessageA(d.hwnd, d.msg, d.wParam, 0);
}
bool IsBusy() { return State().busyDepth > 0; }

void DeferWhileBusy(HWND hwnd, UINT msg, WPARAM wParam) {
  auto& deferred = State().deferred;
  const bool known = std::any_of(deferred.begin(), deferred.end(), [&](const RunState::Deferred& d) {
    return d.hwnd == hwnd && d.msg == msg && d.wParam == wParam;
  });
  if (!known) deferred.push_back({hwnd, msg, wParam});
}

HandlerScope::HandlerScope() { ++State().handlerDepth; }
HandlerScope::~HandlerScope() {
  RunState& s = State();
  if (--s.handlerDepth == 0 && s.exitDeferred) FinishExit();
}

void RequestExit() {
  RunState& s = State();
  s.exiting = true;
  EnumThreadWindows(GetCurrentThreadId(), EndMessageBox, 0);
  EndMenu();  // an open pop-up menu (the icon's) ends too, so its handler returns
  for (Form* form : OpenForms())
    if (form != s.main) form->Close();
  if (s.handlerDepth > 0) {
    s.exitDeferred = true;
  } else {
    FinishExit();
  }
}

bool IsExiting() { return State().exiting; }

}  // namespace ui
