// OKU copied beside DLLs named like system ones that are no KnownDLLs loads the system's own. Wine
// searches the program's folder first only for DLLs set to native first: ctest sets WINEDLLOVERRIDES.
#include <filesystem>

#include "app/frmOKUIds.h"
#include "driver/Driver.h"
#include "web/frmUpdateIds.h"
#include "wine/HttpTestSupport.h"

using namespace driver;
namespace fs = std::filesystem;

TEST(PlantedDlls, SocketsAndTheWebLoadTheSystemsOwnDlls) {
  REQUIRE_TEST_HTTP_SERVER();
  if (httptest::Env("WINEDLLOVERRIDES").find("wsock32") == std::string::npos) {
    GTEST_SKIP() << "Wine loads its own DLLs here; ctest runs this with WINEDLLOVERRIDES=...=n,b";
  }
  const std::string folder = "planted-" + std::to_string(GetCurrentProcessId());
  const fs::path dir = fs::path(ExeDir()) / folder;
  fs::create_directories(dir);
  fs::copy_file(fs::path(ExeDir()) / "OKU_test.exe", dir / "OKU_test.exe", fs::copy_options::overwrite_existing);
  int planted = 0;
  for (const auto& dll : fs::directory_iterator(fs::path(ExeDir()) / "planted")) {
    fs::copy_file(dll.path(), dir / dll.path().filename(), fs::copy_options::overwrite_existing);
    ++planted;
  }
  ASSERT_GE(planted, 3);
  httptest::WriteServedFile(folder + "/files/OKU2.ver", "QLN_VER 1.3.9");

  {
    Program oku = Program::Start(folder + "\\OKU_test.exe", "",
                                 {{"OKU_TEST_UPDATE_URL", "http://" + httptest::ServerAddress() + "/" + folder}});
    const HWND main = WaitTopWindow(oku.pid(), "Okumatic");  // the load sequence has used the sockets
    EXPECT_NE(main, nullptr) << "the main window did not appear";
    if (main) {
      PostMessageA(main, WM_COMMAND, IDM_OKU_UPDATE, 0);
      const HWND update = WaitTopWindow(oku.pid(), "Update");
      if (update) Click(Control(update, IDB_UPDATE_CHECK));
      const MessageBoxInfo box = WaitMessageBox(oku.pid());
      EXPECT_EQ(box.caption, "OKU update") << "the version file was not fetched: " << box.text;
      if (box.hwnd) Answer(box, "OK");
    }
    oku.Kill();
  }
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() == ".loaded") ADD_FAILURE() << entry.path().stem().string() << " was loaded";
  }
  RemoveTree(dir.string());
}
