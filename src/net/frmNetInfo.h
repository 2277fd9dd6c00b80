// The window "Network Info": the captured network configuration in a fixed-pitch font.
#pragma once

#include "platform/Form.h"

class frmNetInfo : public ui::FormT<frmNetInfo> {
 public:
  frmNetInfo();
  void OKButton_Click();

 protected:
  void Form_Load() override;
};
