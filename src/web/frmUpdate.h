// The window "Update": asks the maker's server for a newer release, shows its news and opens the
// new installer's address.
#pragma once

#include "platform/Form.h"

class frmUpdate : public ui::FormT<frmUpdate> {
 public:
  frmUpdate();

  void cmdCheck_Click();
  void cmdDown_Click();
  void cmdLink_Click();
  void cmdCancel_Click();

 protected:
  void Form_Load() override;

 private:
  // The check itself; cmdCheck_Click is its boundary.
  void CheckForUpdate();
  // The end of a check that could not finish: the box, then the way to the site.
  void ReportCheckFailure(const std::string& message);
};
