// The small window toolkit: a window is a table of its controls (positions in twips) beside
// its handlers. The toolkit creates the controls, scales them for the DPI, gives them the
// system's dialog font and tooltips, and sends each notification back to the row's handler.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "platform/Handles.h"
#include "platform/Twips.h"

namespace ui {

enum class Kind : unsigned char {
  Frame,      // group box
  Label,      // static text
  Text,       // single-line edit
  MultiText,  // multi-line edit with both scroll bars
  Combo,      // drop-down list
  Button,
  Option,    // radio button
  ListView,  // report view
  Line,      // etched horizontal line
};

enum Flags : unsigned {
  kDisabled = 1u << 0,
  kHidden = 1u << 1,
  kGroupStart = 1u << 2,  // first option button of a group
  kTimesFont = 1u << 3,
  kFixedFont = 1u << 4,  // Courier New 8.25 pt
  kReadOnly = 1u << 5,
  kClickable = 1u << 6,  // a label that reports clicks
  kDefault = 1u << 7,    // the window's default button (Enter)
  kNoTabStop = 1u << 9,
  kWrap = 1u << 10,  // label text wraps; a multi-line box wraps its lines (no horizontal scroll)
};

// Mouse buttons as a mouse-down handler receives them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

// One row of a window's control table, written as a sentence with the builders below, for example
//   C::Button(IDB_GO, "&Go", {120, 360, 465, 315}).Tip("Start").OnClick(&frmX::cmdGo_Click)
// Handlers are member functions of the window class F.
template <class F>
struct Control {
  using Handler = void (F::*)();
  using IndexHandler = void (F::*)(int);
  using MouseHandler = void (F::*)(int button);

  Kind kind;
  int id;
  const char* text;
  TwipsRect at;
  unsigned flags = 0;
  const char* tip = nullptr;
  Handler onClick = nullptr;            // button, option, clickable label, combo selection
  Handler onFocus = nullptr;            // a text box got the focus (after its text was selected)
  int enterButton = 0;                  // Enter in this text box presses that button
  IndexHandler onIndexClick = nullptr;  // control arrays: the handler gets `index`
  int index = 0;
  MouseHandler onMouseDown = nullptr;  // a label pressed with any mouse button

  static constexpr Control Frame(int id, const char* caption, TwipsRect at) { return {Kind::Frame, id, caption, at}; }
  static constexpr Control Label(int id, const char* text, TwipsRect at) { return {Kind::Label, id, text, at}; }
  static constexpr Control Text(int id, TwipsRect at) { return {Kind::Text, id, "", at}; }
  static constexpr Control MultiText(int id, TwipsRect at) { return {Kind::MultiText, id, "", at}; }
  static constexpr Control Combo(int id, TwipsRect at) { return {Kind::Combo, id, "", at}; }
  static constexpr Control Button(int id, const char* caption, TwipsRect at) { return {Kind::Button, id, caption, at}; }
  static constexpr Control Option(int id, const char* caption, TwipsRect at) { return {Kind::Option, id, caption, at}; }
  static constexpr Control ListView(int id, TwipsRect at) { return {Kind::ListView, id, "", at}; }
  static constexpr Control Line(int id, TwipsRect at) { return {Kind::Line, id, "", at}; }

  constexpr Control With(unsigned more) const { return Set(&Control::flags, flags | more); }
  constexpr Control Disabled() const { return With(kDisabled); }
  constexpr Control Tip(const char* text) const { return Set(&Control::tip, text); }
  constexpr Control OnClick(Handler handler) const { return Set(&Control::onClick, handler); }
  constexpr Control OnClick(IndexHandler handler, int at) const {
    return Set(&Control::onIndexClick, handler).Set(&Control::index, at);
  }
  constexpr Control OnFocus(Handler handler) const { return Set(&Control::onFocus, handler); }
  constexpr Control EnterPresses(int button) const { return Set(&Control::enterButton, button); }
  constexpr Control OnMouseDown(MouseHandler handler) const { return Set(&Control::onMouseDown, handler); }

 private:
  template <class T>
  constexpr Control Set(T Control::*field, T value) const {
    Control row = *this;
    row.*field = value;
    return row;
  }
};

// One entry of a menu: a command with its handler, or a separator (id 0).
template <class F>
struct MenuItem {
  int id;
  const char* caption;
  void (F::*onClick)() = nullptr;  // none: the entry has no action of its own

  static constexpr MenuItem Command(int id, const char* caption, void (F::*handler)()) {
    return {id, caption, handler};
  }
  static constexpr MenuItem Separator() { return {0, "-"}; }
};

// Appends the entries to `menu` in order; returns `menu`.
template <class F>
HMENU AppendMenuItems(HMENU menu, std::span<const MenuItem<F>> items) {
  for (const MenuItem<F>& item : items)
    AppendMenuA(menu, item.id ? MF_STRING : MF_SEPARATOR, static_cast<UINT_PTR>(item.id),
                item.id ? item.caption : nullptr);
  return menu;
}

// The layout part of a row, without handlers.
struct ControlLayout {
  Kind kind;
  int id;
  const char* text;
  TwipsRect at;
  unsigned flags;
  const char* tip;
  int enterButton;
  bool mouseDown = false;  // the row has a mouse-down handler
};

// Mouse pointer values as the product's busy feedback uses them.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerHourglass = 11;

class Form {
 public:
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form();

  HWND hwnd() const { return hwnd_; }
  bool IsOpen() const { return hwnd_ != nullptr && IsWindow(hwnd_); }
  const std::string& name() const { return name_; }

  // Creates the window (hidden), its controls and menu, then runs Form_Load.
  bool Create(HWND owner);
  // Shows the window without modality.
  void Show();
  // Creates and shows the window modally over `owner`; returns when it is closed (or the
  // program is exiting). The owner is disabled meanwhile.
  void ShowModal(HWND owner);
  // Closes ("unloads") the window.
  void Close();

  // Control access by id.
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  std::string Text(int id) const;
  void SetText(int id, const std::string& text);
  void Enable(int id, bool on);
  bool IsEnabled(int id) const;
  void SetVisible(int id, bool on);
  bool IsVisible(int id) const;
  bool IsChecked(int id) const;
  void SetChecked(int id, bool on);
  void Focus(int id);
  void SetTip(int id, const std::string& text);
  void SetTextColor(int id, COLORREF color);

  // Combo boxes.
  void ComboClear(int id);
  void ComboAdd(int id, const std::string& text);
  int ComboCount(int id) const;
  int ComboIndex(int id) const;
  std::string ComboItem(int id, int index) const;
  // Selecting by code runs the combo's click handler, as a user's choice does; -1 clears.
  void ComboSelect(int id, int index);

  // The window's caption and mouse pointer (0 default, 11 hourglass).
  std::string Caption() const;
  void SetCaption(const std::string& text);
  void SetMousePointer(int pointer);
  int MousePointer() const { return pointer_; }

  // Twips <-> pixels at the window's DPI (15 twips = 1 pixel at 96 DPI).
  int Px(int twips) const { return static_cast<int>(TwipsToPixels(twips, dpi_)); }
  int Twips(int pixels) const { return static_cast<int>(PixelsToTwips(pixels, dpi_)); }
  int dpi() const { return dpi_; }

 protected:
  Form(std::string name, std::string caption, int clientWidthTwips, int clientHeightTwips);

  // Window events; the defaults do nothing (Form_QueryUnload: closing is allowed).
  virtual void Form_Load() {}
  virtual void Form_Resize() {}
  virtual void Form_Unload() {}
  // A close request from the title bar or system menu; return true to cancel it.
  virtual bool Form_QueryUnload() { return false; }
  virtual void OnMenu(int /*id*/) {}
  virtual void OnTimer(UINT_PTR /*id*/) {}
  virtual void OnActivate(bool /*active*/, HWND /*other*/) {}
  // Escape; by default closes every window but the main window.
  virtual void OnEscape();
  // A label with a mouse-down handler was pressed (button: kLeftButton, ...); FormT dispatches.
  virtual void DispatchMouseDown(int /*id*/, int /*button*/) {}
  // Other messages; return true when handled (result in `result`).
  virtual bool OnMessage(UINT /*msg*/, WPARAM, LPARAM, LRESULT& /*result*/) { return false; }
  // Table dispatch, implemented by FormT.
  virtual bool DispatchControl(int id, int code) = 0;
  virtual std::span<const ControlLayout> Layout() const = 0;

  // Window style; the default is a fixed dialog-like window with a title bar and close box.
  DWORD style_ = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  HMENU menu_ = nullptr;  // owned by the window once created
  bool isMain_ = false;
  int defaultButton_ = 0;
  std::string fontFace_;  // the controls' typeface; empty: the system's message font

  void CreateControls();
  void MoveControlTwips(int id, int left, int top, int width, int height);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK MouseDownProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR form);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void CreateFonts();
  HWND CreateControl(const ControlLayout& row);
  void OnCommand(WPARAM wParam, LPARAM lParam);
  const ControlLayout* Row(int id) const;

  std::string name_;
  std::string caption_;
  int clientWidthTwips_;
  int clientHeightTwips_;
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  int dpi_ = 96;
  int pointer_ = kPointerDefault;
  win::UniqueHfont font_;
  win::UniqueHfont timesFont_;
  win::UniqueHfont fixedFont_;
  std::vector<std::pair<int, COLORREF>> colors_;
};

// Binds a window class F to its control table.
template <class F>
class FormT : public Form {
 protected:
  using Form::Form;

  // Set in the constructor: the menus whose commands run through their entries' handlers.
  void AddMenuItems(std::span<const MenuItem<F>> items) { menus_.push_back(items); }

  // Set once in the constructor: the table of F's controls.
  void SetControls(std::span<const Control<F>> table) {
    table_ = table;
    layout_.clear();
    for (const Control<F>& c : table) {
      layout_.push_back({c.kind, c.id, c.text, c.at, c.flags, c.tip, c.enterButton, c.onMouseDown != nullptr});
      if (c.flags & kDefault) defaultButton_ = c.id;
    }
  }

 private:
  std::span<const ControlLayout> Layout() const override { return layout_; }

  bool DispatchControl(int id, int code) override {
    for (const Control<F>& c : table_) {
      if (c.id != id) continue;
      F* self = static_cast<F*>(this);
      const bool isClick = code == BN_CLICKED || (c.kind == Kind::Combo && code == CBN_SELCHANGE) ||
                           (c.kind == Kind::Label && code == STN_CLICKED);
      const bool isFocus = (c.kind == Kind::Text || c.kind == Kind::MultiText) && code == EN_SETFOCUS;
      if (isClick && c.onClick) (self->*c.onClick)();
      if (isClick && c.onIndexClick) (self->*c.onIndexClick)(c.index);
      if (isFocus && c.onFocus) (self->*c.onFocus)();
      return true;
    }
    return false;
  }

  void OnMenu(int id) override {
    for (std::span<const MenuItem<F>> items : menus_)
      for (const MenuItem<F>& item : items)
        if (item.id == id && item.onClick) return (static_cast<F*>(this)->*item.onClick)();
  }

  void DispatchMouseDown(int id, int button) override {
    for (const Control<F>& c : table_)
      if (c.id == id && c.onMouseDown) return (static_cast<F*>(this)->*c.onMouseDown)(button);
  }

  std::span<const Control<F>> table_;
  std::vector<ControlLayout> layout_;
  std::vector<std::span<const MenuItem<F>>> menus_;
};

// Selects the whole text of an edit control, so that typing replaces it.
void SelectAll(HWND edit);

// The screen's dots per inch, by which windows scale their twips (96 when it reports none).
int ScreenDpi();

}  // namespace ui
