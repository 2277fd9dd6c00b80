// The window "Startup Items in Registry".
#include "tools/frmStartUp.h"

#include <commctrl.h>

#include "platform/App.h"
#include "tools/Utilities.h"
#include "shell/misc.h"
#include "tools/StartupItems.h"
#include "tools/frmStartUpIds.h"

namespace {


constexpr TwipsRect kListPlace{0, 0, 6135, 3120};
constexpr TwipsRect kButtonPlace{4920, 3240, 1215, 375};

using C = ui::Control<frmStartUp>;
constexpr C kControls[] = {
    C::ListView(IDL_STARTUP_ITEMS, kListPlace),
    C::Button(IDB_STARTUP_OK, "&OK", kButtonPlace).With(ui::kDefault).OnClick(&frmStartUp::OKButton_Click),
};

struct Column {
  const char* title;
  int widthTwips;
};
constexpr Column kColumns[] = {{"Item Name", 1440}, {"Item", 6000}};

void AddRow(HWND list, int row, const std::string& name, const std::string& data) {
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = const_cast<char*>(name.c_str());
  const int index = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (index < 0) return;
  item.iSubItem = 1;
  item.pszText = const_cast<char*>(data.c_str());
  SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

frmStartUp::frmStartUp() : FormT("frmStartUp", "Startup Items in Registry", 6150, 3660) {
  SetControls(kControls);
  // The user may size the window; the list and button follow (Form_Resize).
  style_ |= WS_THICKFRAME | WS_MAXIMIZEBOX;
}

void frmStartUp::Form_Load() {
  CenterForm(ui::MainFormHandle(), hwnd());
  HWND list = Item(IDL_STARTUP_ITEMS);
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = Px(kColumns[i].widthTwips);
    column.pszText = const_cast<char*>(kColumns[i].title);
    SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < StartupCount; ++i) AddRow(list, i, StartupNames[i], StartupValues[i]);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  Form_Resize();  // the first placement, now that the controls exist
}

void frmStartUp::Form_Resize() {
  RECT inner{};
  if (!hwnd() || !Item(IDL_STARTUP_ITEMS) || !GetClientRect(hwnd(), &inner)) return;
  const std::optional<StartupLayout> layout =
      StartupItemsLayout(Twips(inner.right - inner.left), Twips(inner.bottom - inner.top), kListPlace, kButtonPlace);
  if (!layout) return;  // too small: the controls stay where they are
  MoveControlTwips(IDL_STARTUP_ITEMS, layout->list.left, layout->list.top, layout->list.width, layout->list.height);
  MoveControlTwips(IDB_STARTUP_OK, layout->button.left, layout->button.top, layout->button.width,
                   layout->button.height);
}

void frmStartUp::OKButton_Click() { Close(); }
