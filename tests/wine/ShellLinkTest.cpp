// cShellLink under Wine: shortcuts written and read back; a refused write gives 0. The description
// and window mode in the file are checked by lnkinfo (tests/scripts/ShellLinkLnkinfo.sh).
#include <gtest/gtest.h>

#include <memory>

#include "ShellTestSupport.h"
#include "platform/ComPtr.h"
#include "shell/cShellLink.h"

namespace {
// Whether this thread is in a single-threaded apartment, asked without leaving one behind.
bool InSingleThreadedApartment() {
  const HRESULT probe = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (SUCCEEDED(probe)) CoUninitialize();
  return probe == RPC_E_CHANGED_MODE;
}
}  // namespace

// With the run's on-demand apartment, as the program holds it: COM starts with the first link.
TEST(ShellLinkClass, WritesAndReadsBackEveryValue) {
  auto com = std::make_unique<win::ComApartmentOnDemand>();
  EXPECT_FALSE(InSingleThreadedApartment());
  shelltest::ScratchFolder scratch;
  cShellLink links;
  const std::string folder = scratch.Folder("Target Folder"), lnk = scratch.Path() + "a.lnk";
  struct Values {
    std::string exeFile, workDir, exeArgs, iconFile;
    int32_t iconIdx = 0, showCmd = 0;
  };
  // Into the same file one after the other, so the second also replaces the first.
  for (const Values& c : {Values{scratch.File("prog.exe", "MZ"), "C:\\windows", "--x \"a b\"",
                                 "C:\\windows\\system32\\shell32.dll", 3, SW_SHOWMAXIMIZED},
                          Values{folder, "", "", "", 0, SW_SHOWNORMAL}}) {
    ASSERT_EQ(links.CreateShellLink(lnk, c.exeFile, c.workDir, c.exeArgs, c.iconFile, c.iconIdx, c.showCmd), -1);
    Values r;
    ASSERT_EQ(links.GetShellLinkInfo(lnk, r.exeFile, r.workDir, r.exeArgs, r.iconFile, r.iconIdx, r.showCmd), -1);
    // Wine's resolve step fills a missing icon location with the target itself.
    EXPECT_EQ(std::tie(r.exeFile, r.workDir, r.exeArgs, r.iconIdx),
              std::tie(c.exeFile, c.workDir, c.exeArgs, c.iconIdx));
    EXPECT_EQ(r.iconFile == c.exeFile && c.iconFile.empty() ? "" : r.iconFile, c.iconFile);
  }
  EXPECT_EQ(links.CreateShellLink(scratch.Path() + "no folder\\b.lnk", folder, "", "", "", 0, 1), 0);
  EXPECT_TRUE(InSingleThreadedApartment());
  com.reset();  // the holder ends the apartment it made
  EXPECT_FALSE(InSingleThreadedApartment());
}
