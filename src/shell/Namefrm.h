// The name prompt of the Send To command: "What would you like to call the shortcut?".
#pragma once

#include "platform/Form.h"

class Namefrm : public ui::FormT<Namefrm> {
 public:
  Namefrm();
  void Command1_Click();  // OK
  void Command2_Click();  // Cancel

 protected:
  void Form_Load() override;
};
