// The real GetVersionExA under Wine, for the prefix versions: OKU's text matches the record Wine reports.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/WinVer.h"

TEST(WinVer, DefaultPrefixIsClassifiedFromTheRealRecord) {
  const WindowsVersion v = GetWindowsVersion();
  EXPECT_NE(v.kind, OsKind::Unknown);
  EXPECT_TRUE(v.IsNT);  // a fresh 64-bit prefix reports an NT-family Windows
  EXPECT_EQ(v.DisplayText().back(), ')');
}
