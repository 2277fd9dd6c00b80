// The window "Donation": three link buttons that lead to the maker's site until "Get Links"
// fetches the donation links from the maker's server.
#pragma once

#include <array>
#include <string>

#include "platform/Form.h"

class frmDonate : public ui::FormT<frmDonate> {
 public:
  frmDonate();

  // What cmdLink(i) opens.
  std::array<std::string, 3> Links;

  void cmdUp_Click();
  void cmdLink_Click(int Index);
  void cmdOK_Click();
  void GetLinks();

 protected:
  void Form_Load() override;

 private:
  void PointLinksAtSite();
  // Get Links itself; cmdUp_Click is its boundary.
  void UpdateLinks();
};
