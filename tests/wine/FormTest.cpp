// The window toolkit: table dispatch, the busy guard (also in the routines that pump) and the exit
// path, on real windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <stdexcept>

#include "platform/App.h"
#include "platform/Boundary.h"
#include "platform/Form.h"
#include "ShellTestSupport.h"
#include "shell/misc.h"

namespace {

class Probe : public ui::FormT<Probe> {
 public:
  explicit Probe(bool main) : FormT(main ? "frmMain" : "frmOther", main ? "Probe main" : "Probe other", 3000, 2000) {
    SetControls(kControls);
    isMain_ = main;
  }
  int clicks = 0;
  int selections = 0;
  int ticks = 0;
  int focusEvents = 0;
  int indexClicked = -1;
  bool cancelClose = false;

  std::function<void()> work;  // what the guarded handler does with the hourglass up

  void cmdGo_Click() { ++clicks; }
  void cmdGuarded_Click() {
    ui::RunHandler(*this, ui::ShortForm("Error in probing"), [this] {
      SetMousePointer(ui::kPointerHourglass);
      work();
    });
  }
  void cboPick_Click() { ++selections; }
  void txtName_GotFocus() { ++focusEvents; }
  void optPick_Click(int index) { indexClicked = index; }

 protected:
  void OnTimer(UINT_PTR) override { ++ticks; }
  bool Form_QueryUnload() override { return cancelClose; }

 private:
  using C = ui::Control<Probe>;
  static constexpr C kControls[] = {
      C::Text(10, {120, 120, 1800, 285}).OnFocus(&Probe::txtName_GotFocus),
      C::Button(11, "&Go", {2000, 120, 900, 330}).OnClick(&Probe::cmdGo_Click),
      C::Button(15, "&Work", {2000, 600, 900, 330}).OnClick(&Probe::cmdGuarded_Click),
      C::Combo(12, {120, 600, 1800, 315}).OnClick(&Probe::cboPick_Click),
      C::Option(13, "A", {120, 1000, 900, 240}).With(ui::kGroupStart).OnClick(&Probe::optPick_Click, 0),
      C::Option(14, "B", {120, 1300, 900, 240}).OnClick(&Probe::optPick_Click, 1),
  };
};

// The main loop's handling of messages, outside any handler.
void PumpFor(DWORD ms) {
  shelltest::PumpUntil([] { return false; }, ms);
}

class FormTest : public testing::Test {
 protected:
  void SetUp() override {
    ui::SetMainForm(&main);
    ASSERT_TRUE(main.Create(nullptr));
    main.Show();
  }
  shelltest::MessageRecorder boxes;
  Probe main{true};
};

TEST_F(FormTest, NotificationsReachTheirRowsHandlers) {
  SendMessageA(main.Item(11), BM_CLICK, 0, 0);
  EXPECT_EQ(main.clicks, 1);
  main.ComboAdd(12, "one");
  main.ComboAdd(12, "two");
  main.ComboSelect(12, 1);
  EXPECT_EQ(main.selections, 1) << "selecting by code runs the click handler";
  main.ComboSelect(12, 5);
  EXPECT_EQ(main.selections, 1) << "an index past the end selects nothing";
  SendMessageA(main.Item(14), BM_CLICK, 0, 0);
  EXPECT_EQ(main.indexClicked, 1);

  main.SetText(10, "some text");
  SetFocus(main.Item(10));
  DWORD start = 1, end = 0;
  SendMessageA(main.Item(10), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(main.focusEvents, 1);
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 9u) << "a text box selects its whole text on focus";
}

TEST_F(FormTest, BusyHandlerDropsCommandsAndDefersCloseAndTicks) {
  {
    ui::BusyScope busy;
    PostMessageA(main.Item(11), BM_CLICK, 0, 0);
    PostMessageA(main.hwnd(), WM_CLOSE, 0, 0);
    PostMessageA(main.hwnd(), WM_TIMER, 7, 0);
    PumpFor(200);
    EXPECT_EQ(main.clicks, 0) << "a second command ran inside the busy handler";
    EXPECT_EQ(main.ticks, 0);
    EXPECT_TRUE(main.IsOpen()) << "the window was closed under the busy handler";
  }
  PumpFor(200);
  EXPECT_EQ(main.ticks, 1) << "the deferred tick runs once the handler is done";
  EXPECT_FALSE(main.IsOpen()) << "the deferred close request runs once the handler is done";
}

// Whatever a handler throws ends at its boundary: the pointer restored, a numbered failure
// reported, the window alive.
TEST_F(FormTest, HandlerBoundaryCatchesEveryException) {
  const std::function<void()> throwers[] = {[] { throw std::bad_alloc(); }, [] { throw std::out_of_range("index 9"); },
                                            [] { throw 42; }, [] { throw Failure(0, "cancelled"); }};
  for (const auto& thrower : throwers) {
    main.work = thrower;
    SendMessageA(main.Item(15), BM_CLICK, 0, 0);
    EXPECT_EQ(main.MousePointer(), ui::kPointerDefault);
  }
  EXPECT_TRUE(main.IsOpen());
  EXPECT_EQ(boxes.shown,
            (std::vector<std::string>{"Error in probing/16: 7\r\nOut of memory", "Error in probing/16: 51\r\nindex 9",
                                      "Error in probing/16: 51\r\nInternal error"}));
}

// The page opening lets messages run (the window repaints); a queued click must not run inside it.
TEST_F(FormTest, OpeningAWebPageRunsNoQueuedCommand) {
  ShellApi noBrowser = ShellApi::Real();
  noBrowser.findExecutable = [](const char*, char*) { return intptr_t{2}; };  // one box
  const win::ScopedCalls<ShellApi> fake(noBrowser);
  PostMessageA(main.Item(11), BM_CLICK, 0, 0);
  OpenWebPage("http://127.0.0.1/", true);
  EXPECT_EQ(main.clicks, 0) << "a queued command ran inside the page opening";
}

TEST_F(FormTest, ExitClosesOtherWindowsFirstAndWaitsForTheRunningHandler) {
  Probe other(false);
  ASSERT_TRUE(other.Create(main.hwnd()));
  other.Show();
  {
    ui::HandlerScope handler;
    ui::RequestExit();
    EXPECT_FALSE(other.IsOpen()) << "other windows close first";
    EXPECT_TRUE(main.IsOpen()) << "the main window waits until the handler returns";
  }
  EXPECT_FALSE(main.IsOpen());
  EXPECT_TRUE(ui::IsExiting());
}

}  // namespace
