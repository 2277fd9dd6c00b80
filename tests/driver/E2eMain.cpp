// The end-to-end tests' entry point. The first failed check of a test saves the Wine desktop as
// it stands at that moment, e2e-failure-<suite>.<test>.bmp beside the test programs, so a failure
// on a headless machine can be seen afterwards.
#include <gtest/gtest.h>

#include "driver/Driver.h"

namespace {

class ScreenshotOnFailure : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override { taken_ = false; }
  void OnTestPartResult(const testing::TestPartResult& result) override {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    if (!result.failed() || taken_ || !test) return;
    taken_ = true;
    driver::Screenshot(driver::ExeDir() + "\\e2e-failure-" + test->test_suite_name() + "." + test->name() + ".bmp");
  }
  bool taken_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new ScreenshotOnFailure);
  return RUN_ALL_TESTS();
}
