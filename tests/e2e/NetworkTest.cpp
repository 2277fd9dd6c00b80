// Host name, addresses and "Network Info" in the real OKU.exe, against the same prefix's resolver.
#include <gtest/gtest.h>
#include <winsock.h>

#include "app/frmOKUIds.h"
#include "driver/Driver.h"
#include "net/frmNetInfoIds.h"

using namespace driver;

namespace {

// What Windows Sockets gives in this prefix: the host name and its addresses in resolver order.
std::vector<std::string> ResolverView() {
  WSADATA data;
  std::vector<std::string> view;
  if (WSAStartup(0x0101, &data) != 0) return view;
  char name[256] = {};
  if (gethostname(name, sizeof name) == 0) {
    view.push_back(name);
    if (hostent* host = gethostbyname(name))
      for (char** address = host->h_addr_list; *address; ++address)
        view.push_back(inet_ntoa(*reinterpret_cast<in_addr*>(*address)));
  }
  WSACleanup();
  return view;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

// The host and its addresses; Network Info's header and the captured output, which names the
// host; Refresh lists nothing twice.
TEST(Network, HostAddressesAndNetworkInfoMatchTheResolverAndRefreshRepeatsNothing) {
  const std::vector<std::string> view = ResolverView();
  ASSERT_GE(view.size(), 1u);
  const std::vector<std::string> addresses(view.begin() + 1, view.end());
  Program oku;
  HWND window = StartOku(oku);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(GetText(Control(window, IDT_OKU_HOST)), Upper(view[0]));
  EXPECT_EQ(ComboItems(Control(window, IDC_OKU_IP)), addresses);
  EXPECT_EQ(ComboIndex(Control(window, IDC_OKU_IP)), addresses.empty() ? -1 : 0);

  Click(Control(window, IDB_OKU_NETINFO));
  HWND info = WaitTopWindow(oku.pid(), "Network Info", Ms(60000));
  ASSERT_NE(info, nullptr) << "the Network Info window did not open";
  char date[64] = {}, system[MAX_PATH] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string header =
      std::string("Generated via OKU on ") + date + "\r\nCommand " + system + "\\ipconfig.exe /all\r\n";
  const std::string text = GetText(Control(info, IDE_NETINFO_TEXT));
  EXPECT_EQ(text.substr(0, header.size()), header);
  EXPECT_NE(text.find(view[0], header.size()), std::string::npos) << "no captured ipconfig output:\n" << text;
  Click(Control(info, IDB_NETINFO_OK));
  EXPECT_TRUE(WaitWindowGone(info));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(window) != FALSE; }, Ms(5000))) << "the main window is usable";

  Click(Control(window, IDB_OKU_REFRESH));
  Sleep(500);
  ASSERT_TRUE(WaitUntil([&] { return GetText(Control(window, IDT_OKU_HOST)) == Upper(view[0]); }));
  EXPECT_EQ(ComboItems(Control(window, IDC_OKU_IP)), addresses) << "Refresh must not list addresses twice";
}
