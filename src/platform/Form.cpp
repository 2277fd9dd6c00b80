// The window toolkit: creation from the control table, DPI scaling, fonts, tooltips, dispatch.
#include "platform/Form.h"

#include <commctrl.h>

#include "platform/App.h"

namespace ui {
namespace {

constexpr const char* kFormClass = "OKUForm";
constexpr int kDefaultIconId = 1;

void RegisterFormClass(WNDPROC proc) {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(kDefaultIconId));
  wc.hIconSm = static_cast<HICON>(LoadImageA(wc.hInstance, MAKEINTRESOURCEA(kDefaultIconId), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFormClass;
  registered = RegisterClassExA(&wc) != 0;
}

}  // namespace

int ScreenDpi() {
  HDC dc = GetDC(nullptr);
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return UsableDpi(dpi);
}

void SelectAll(HWND edit) { SendMessageA(edit, EM_SETSEL, 0, -1); }

Form::Form(std::string name, std::string caption, int clientWidthTwips, int clientHeightTwips)
    : name_(std::move(name)),
      caption_(std::move(caption)),
      clientWidthTwips_(clientWidthTwips),
      clientHeightTwips_(clientHeightTwips) {}

Form::~Form() {
  if (IsOpen()) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  UnregisterForm(this);
}

bool Form::Create(HWND owner) {
  if (IsOpen()) return true;
  RegisterFormClass(&Form::WindowProc);
  dpi_ = ScreenDpi();
  RECT rc{0, 0, Px(clientWidthTwips_), Px(clientHeightTwips_)};
  AdjustWindowRectEx(&rc, style_, menu_ != nullptr, WS_EX_CONTROLPARENT);
  HWND hwnd = CreateWindowExA(WS_EX_CONTROLPARENT, kFormClass, caption_.c_str(), style_, CW_USEDEFAULT, CW_USEDEFAULT,
                              rc.right - rc.left, rc.bottom - rc.top, owner, menu_, GetModuleHandleA(nullptr), this);
  if (!hwnd) return false;
  RegisterForm(this);
  CreateFonts();
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  CreateControls();
  {
    HandlerScope scope;
    Form_Load();
  }
  return IsOpen();
}

void Form::Show() {
  if (!IsOpen()) return;
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  if (first && !GetFocus()) SetFocus(first);
}

void Form::ShowModal(HWND owner) {
  if (!IsOpen() && !Create(owner)) return;
  // The owner and the main window take no input while the modal window is open.
  HWND disabled[2] = {owner, MainForm() && MainForm() != this ? MainForm()->hwnd() : nullptr};
  bool wasEnabled[2] = {};
  for (int i = 0; i < 2; ++i)
    if (disabled[i] && disabled[i] != hwnd_ && !(i == 1 && disabled[1] == disabled[0]))
      wasEnabled[i] = !EnableWindow(disabled[i], FALSE);
  Show();
  while (IsOpen() && !IsExiting()) {
    if (!PumpOneMessage()) {
      PostQuitMessage(0);  // leave it for the main loop
      break;
    }
  }
  for (int i = 0; i < 2; ++i)
    if (wasEnabled[i] && IsWindow(disabled[i])) EnableWindow(disabled[i], TRUE);
  if (IsOpen()) Close();
  if (owner && IsWindow(owner) && IsWindowVisible(owner)) SetForegroundWindow(owner);
}

void Form::Close() {
  if (IsOpen()) DestroyWindow(hwnd_);
}

void Form::CreateFonts() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTA lf{};
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    lf = metrics.lfMessageFont;
  } else {
    lf.lfHeight = -MulDiv(8, dpi_, 72);
    lstrcpyA(lf.lfFaceName, "Tahoma");
  }
  if (!fontFace_.empty()) lstrcpynA(lf.lfFaceName, fontFace_.c_str(), LF_FACESIZE);
  font_.reset(CreateFontIndirectA(&lf));
  LOGFONTA times = lf;
  lstrcpyA(times.lfFaceName, "Times New Roman");
  times.lfWeight = FW_BOLD;
  timesFont_.reset(CreateFontIndirectA(&times));
  LOGFONTA fixed{};
  fixed.lfHeight = -MulDiv(825, dpi_, 7200);  // 8.25 points
  fixed.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpyA(fixed.lfFaceName, "Courier New");
  fixedFont_.reset(CreateFontIndirectA(&fixed));
}

void Form::CreateControls() {
  tooltip_ =
      CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, GetModuleHandleA(nullptr), nullptr);
  for (const ControlLayout& row : Layout()) {
    HWND control = CreateControl(row);
    if (control && row.tip && *row.tip) SetTip(row.id, row.tip);
  }
}

HWND Form::CreateControl(const ControlLayout& row) {
  const char* cls = "STATIC";
  DWORD style = WS_CHILD;
  DWORD exStyle = 0;
  int height = Px(row.at.height);
  const bool designedMnemonic = row.text && strchr(row.text, '&');
  switch (row.kind) {
    case Kind::Frame:
      cls = "BUTTON";
      style |= BS_GROUPBOX;
      break;
    case Kind::Label:
      // A label takes the mouse only with SS_NOTIFY; without it, presses fall through to the window.
      style |= (row.flags & kWrap ? SS_LEFT : SS_LEFTNOWORDWRAP) |
               (row.flags & kClickable || row.mouseDown ? SS_NOTIFY : 0) | (designedMnemonic ? 0 : SS_NOPREFIX);
      break;
    case Kind::Text:
      cls = "EDIT";
      style |= ES_AUTOHSCROLL | WS_TABSTOP | (row.flags & kReadOnly ? ES_READONLY : 0);
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case Kind::MultiText:
      cls = "EDIT";
      style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP |
               (row.flags & kWrap ? 0 : ES_AUTOHSCROLL | WS_HSCROLL) | (row.flags & kReadOnly ? ES_READONLY : 0);
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case Kind::Combo:
      cls = "COMBOBOX";
      style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
      height = Px(row.at.height) * 10;  // the drop-down list's room
      break;
    case Kind::Button:
      cls = "BUTTON";
      style |= (row.flags & kDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
      break;
    case Kind::Option:
      cls = "BUTTON";
      style |= BS_AUTORADIOBUTTON | (row.flags & kGroupStart ? WS_TABSTOP : 0);
      break;
    case Kind::ListView:
      cls = WC_LISTVIEWA;
      style |= LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case Kind::Line:
      style |= SS_ETCHEDHORZ;
      break;
  }
  // Every control but the options after the first starts its own group, so arrow keys move
  // only within an option group and Tab visits each control once.
  if (row.kind != Kind::Option || (row.flags & kGroupStart)) style |= WS_GROUP;
  if (row.flags & kNoTabStop) style &= ~WS_TABSTOP;
  if (row.flags & kDisabled) style |= WS_DISABLED;
  if (!(row.flags & kHidden)) style |= WS_VISIBLE;
  HWND control = CreateWindowExA(exStyle, cls, row.text ? row.text : "", style, Px(row.at.left), Px(row.at.top),
                                 Px(row.at.width), height, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                 GetModuleHandleA(nullptr), nullptr);
  if (!control) return nullptr;
  HFONT font = row.flags & kFixedFont ? fixedFont_.get() : row.flags & kTimesFont ? timesFont_.get() : font_.get();
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (row.kind == Kind::ListView)
    SendMessageA(control, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  if (row.kind == Kind::Text) SendMessageA(control, EM_SETLIMITTEXT, 0, 0);
  if (row.mouseDown) SetWindowSubclass(control, &Form::MouseDownProc, 0, reinterpret_cast<DWORD_PTR>(this));
  return control;
}

// A label with a mouse-down handler: every button's press reaches the handler, as a user command.
LRESULT CALLBACK Form::MouseDownProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR form) {
  const int button = msg == WM_LBUTTONDOWN   ? kLeftButton
                     : msg == WM_RBUTTONDOWN ? kRightButton
                     : msg == WM_MBUTTONDOWN ? kMiddleButton
                                             : 0;
  if (button && !IsBusy()) {
    Form* self = reinterpret_cast<Form*>(form);
    try {
      HandlerScope scope;
      self->DispatchMouseDown(GetDlgCtrlID(control), button);
    } catch (...) {
      // Handlers report their own failures; nothing may unwind through Windows.
    }
    if (!IsWindow(control)) return 0;  // the handler closed the window
  }
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(control, &Form::MouseDownProc, 0);
  return DefSubclassProc(control, msg, wParam, lParam);
}

const ControlLayout* Form::Row(int id) const {
  for (const ControlLayout& row : Layout())
    if (row.id == id) return &row;
  return nullptr;
}

std::string Form::Text(int id) const {
  HWND control = Item(id);
  if (!control) return {};
  const int length = GetWindowTextLengthA(control);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(control, text.data(), length + 1)));
  return text;
}

void Form::SetText(int id, const std::string& text) { SetWindowTextA(Item(id), text.c_str()); }
void Form::Enable(int id, bool on) { EnableWindow(Item(id), on); }
bool Form::IsEnabled(int id) const { return IsWindowEnabled(Item(id)); }
void Form::SetVisible(int id, bool on) { ShowWindow(Item(id), on ? SW_SHOWNA : SW_HIDE); }
bool Form::IsVisible(int id) const { return (GetWindowLongA(Item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
bool Form::IsChecked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Form::SetChecked(int id, bool on) { SendMessageA(Item(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
void Form::Focus(int id) {
  if (HWND control = Item(id)) SetFocus(control);
}

void Form::SetTip(int id, const std::string& text) {
  HWND control = Item(id);
  if (!tooltip_ || !control) return;
  TOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = hwnd_;
  ti.uId = reinterpret_cast<UINT_PTR>(control);
  ti.lpszText = const_cast<char*>(text.c_str());
  TOOLINFOA existing = ti;
  existing.lpszText = nullptr;
  if (SendMessageA(tooltip_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&existing)))
    SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
  else
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void Form::SetTextColor(int id, COLORREF color) {
  for (auto& entry : colors_)
    if (entry.first == id) {
      entry.second = color;
      InvalidateRect(Item(id), nullptr, TRUE);
      return;
    }
  colors_.emplace_back(id, color);
  InvalidateRect(Item(id), nullptr, TRUE);
}

void Form::ComboClear(int id) { SendMessageA(Item(id), CB_RESETCONTENT, 0, 0); }
void Form::ComboAdd(int id, const std::string& text) {
  SendMessageA(Item(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
int Form::ComboCount(int id) const { return static_cast<int>(SendMessageA(Item(id), CB_GETCOUNT, 0, 0)); }
int Form::ComboIndex(int id) const { return static_cast<int>(SendMessageA(Item(id), CB_GETCURSEL, 0, 0)); }
std::string Form::ComboItem(int id, int index) const {
  const LRESULT length = SendMessageA(Item(id), CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT copied = SendMessageA(Item(id), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
  return text;
}
void Form::ComboSelect(int id, int index) {
  if (index >= ComboCount(id)) return;
  SendMessageA(Item(id), CB_SETCURSEL, index, 0);
  if (index >= 0) DispatchControl(id, CBN_SELCHANGE);
}

std::string Form::Caption() const {
  char text[512] = {};
  GetWindowTextA(hwnd_, text, sizeof text);
  return text;
}
void Form::SetCaption(const std::string& text) {
  caption_ = text;
  if (hwnd_) SetWindowTextA(hwnd_, text.c_str());
}

void Form::SetMousePointer(int pointer) {
  pointer_ = pointer;
  POINT pt;
  if (hwnd_ && GetCursorPos(&pt)) {
    HWND under = WindowFromPoint(pt);
    if (under == hwnd_ || IsChild(hwnd_, under))
      SetCursor(LoadCursorA(nullptr, pointer == kPointerHourglass ? IDC_WAIT : IDC_ARROW));
  }
}

void Form::MoveControlTwips(int id, int left, int top, int width, int height) {
  MoveWindow(Item(id), Px(left), Px(top), Px(width), Px(height), TRUE);
}

void Form::OnEscape() {
  if (!isMain_) Close();
}

void Form::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (lParam == 0 && code == 0 && id == IDCANCEL) return OnEscape();
  if (lParam == 0 && (code == 0 || code == 1)) {
    if (id == IDOK) return;  // Enter with no default button
    return OnMenu(id);
  }
  if (id == IDCANCEL && !Row(IDCANCEL)) return OnEscape();
  // Every text box selects its whole text when it gets the focus.
  if (code == EN_SETFOCUS) {
    const ControlLayout* row = Row(id);
    if (row && row->kind == Kind::Text) SelectAll(reinterpret_cast<HWND>(lParam));
  }
  DispatchControl(id, code);
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Form* self = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  try {
    return self->HandleMessage(msg, wParam, lParam);
  } catch (...) {
    // Handlers report their own failures; nothing may unwind through Windows.
    return 0;
  }
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  switch (msg) {
    case WM_COMMAND:
      if (IsBusy()) return 0;  // a handler is working: user commands are dropped
      {
        HandlerScope scope;
        OnCommand(wParam, lParam);
      }
      return 0;
    case WM_TIMER:
      if (IsBusy()) {
        DeferWhileBusy(hwnd_, WM_TIMER, wParam);
        return 0;
      }
      {
        HandlerScope scope;
        OnTimer(wParam);
      }
      return 0;
    case WM_CLOSE:
      if (IsBusy()) {
        DeferWhileBusy(hwnd_, WM_CLOSE, 0);
        return 0;
      }
      {
        HandlerScope scope;
        if (Form_QueryUnload()) return 0;
      }
      Close();
      return 0;
    case DM_GETDEFID: {
      HWND focus = GetFocus();
      const ControlLayout* row = focus && GetParent(focus) == hwnd_ ? Row(GetDlgCtrlID(focus)) : nullptr;
      const int id = row && row->enterButton ? row->enterButton : defaultButton_;
      return id && IsWindowEnabled(Item(id)) ? MAKELRESULT(id, DC_HASDEFID) : 0;
    }
    case WM_SETCURSOR:
      if (pointer_ == kPointerHourglass) {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // Labels, frames and read-only boxes sit on the window's face colour, like a dialog's.
      HDC dc = reinterpret_cast<HDC>(wParam);
      for (const auto& [id, color] : colors_)
        if (reinterpret_cast<HWND>(lParam) == Item(id)) ::SetTextColor(dc, color);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) Form_Resize();
      break;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE, reinterpret_cast<HWND>(lParam));
      break;
    case WM_DESTROY: {
      Form_Unload();
      if (tooltip_) DestroyWindow(tooltip_);
      tooltip_ = nullptr;
      const bool wasMain = MainForm() == this;
      UnregisterForm(this);
      if (wasMain) PostQuitMessage(0);
      break;
    }
    case WM_NCDESTROY: {
      HWND hwnd = hwnd_;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    default:
      break;
  }
  if (OnMessage(msg, wParam, lParam, result)) return result;
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

}  // namespace ui
