// The window "Update": asks the maker's server for a newer release, shows its news and opens the
// new installer's address.
#pragma once

#include <string>

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
  // The web release against the own one, from the version file's payload. Throws Failure for a
  // payload that is no release number.
  void ShowRelease(const std::string& payload);
  // The end of a check that could not finish: the check button back, the box, the way to the site.
  void ReportCheckFailure(const std::string& message);
  // Download New Version itself; cmdDown_Click is its boundary.
  void DownloadNewVersion();
  // The end of a download that could not start: the button back, the box, the way to the site.
  void ReportDownloadFailure();
};
