// A throw-away window for proving the GUI driver: one control of each kind the driver reads.
#include <windows.h>
#include <commctrl.h>

#include "platform/App.h"
#include "platform/Form.h"
#include "platform/MessageBox.h"

namespace {

class TargetForm : public ui::FormT<TargetForm> {
 public:
  TargetForm() : FormT("frmTarget", "Driver Target", 6000, 4000) {
    SetControls(kControls);
    isMain_ = true;
  }

  void cmdShow_Click() { ShowMessage("You typed: " + Text(101), "Target says", kMbYesNoQuestion); }

 protected:
  void Form_Load() override {
    ComboAdd(103, "alpha");
    ComboAdd(103, "beta & gamma");
    ComboSelect(103, 1);
    HWND list = Item(104);
    const char* titles[] = {"Name", "Value"};
    for (int i = 0; i < 2; ++i) {
      LVCOLUMNA column{LVCF_TEXT | LVCF_WIDTH, 0, Px(1800), const_cast<char*>(titles[i])};
      SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    const char* cells[2][2] = {{"first", "1"}, {"  second  ", ""}};
    for (int row = 0; row < 2; ++row) {
      LVITEMA item{LVIF_TEXT, row, 0};
      item.pszText = const_cast<char*>(cells[row][0]);
      SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
      item.iSubItem = 1;
      item.pszText = const_cast<char*>(cells[row][1]);
      SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }
    SetChecked(106, true);
  }

 private:
  static constexpr ui::Control<TargetForm> kControls[] = {
      {ui::Kind::Label, 100, "&Name:", 120, 120, 900, 240},
      {ui::Kind::Text, 101, "initial", 1080, 120, 2400, 285, 0, nullptr, nullptr, nullptr, 102},
      {ui::Kind::Button, 102, "&Show", 3600, 100, 1200, 330, 0, "Shows a message", &TargetForm::cmdShow_Click},
      {ui::Kind::Combo, 103, "", 1080, 600, 2400, 315},
      {ui::Kind::ListView, 104, "", 120, 1080, 4800, 1500},
      {ui::Kind::Option, 105, "One", 120, 2760, 1500, 240, ui::kGroupStart},
      {ui::Kind::Option, 106, "Two", 120, 3060, 1500, 240},
      {ui::Kind::Button, 107, "Off", 3600, 2760, 1200, 330, ui::kDisabled},
  };
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  TargetForm form;
  ui::SetMainForm(&form);
  if (!form.Create(nullptr)) return 1;
  form.Show();
  return ui::RunMessageLoop();
}
