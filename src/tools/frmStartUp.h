// The window "Startup Items in Registry": the machine-wide Run key's programs in a two-column list.
#pragma once

#include "platform/Form.h"

class frmStartUp : public ui::FormT<frmStartUp> {
 public:
  frmStartUp();
  void OKButton_Click();

 protected:
  void Form_Load() override;
  void Form_Resize() override;
};
