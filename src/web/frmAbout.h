// The window "About OKU - Okumatic": product, maker, version and release history, with links to
// the maker's site, a mail to the author and the update check.
#pragma once

#include "platform/Form.h"

class frmAbout : public ui::FormT<frmAbout> {
 public:
  frmAbout();

  void cmdOK_Click();
  void Form_LostFocus();
  void lblProduct_MouseDown(int Button);
  void lblURL_MouseDown(int Button);
  void lblCopyright_MouseDown(int Button);
  void lblVersionUpdate_Click();

 protected:
  void Form_Load() override;
  void OnActivate(bool active, HWND other) override;

 private:
  void OpenSite(int label);
};
