// Main of the Windows test programs. GoogleTest also hands every failure to OutputDebugString, which
// raises a debug exception; the x86 half of Wine running under an emulator dies of that exception, so
// a failing assertion would take the whole program down. Failures are printed to standard output only.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>

namespace {

using ::testing::TestEventListener;

class FailuresToStdoutOnly final : public TestEventListener {
 public:
  explicit FailuresToStdoutOnly(TestEventListener* printer) : printer_(printer) {}

  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    if (result.type() == ::testing::TestPartResult::kSuccess) return;
    std::ostringstream text;
    text << result;
    std::printf("%s\n", text.str().c_str());
    std::fflush(stdout);
  }

  void OnTestProgramStart(const ::testing::UnitTest& u) override { printer_->OnTestProgramStart(u); }
  void OnTestIterationStart(const ::testing::UnitTest& u, int i) override { printer_->OnTestIterationStart(u, i); }
  void OnEnvironmentsSetUpStart(const ::testing::UnitTest& u) override { printer_->OnEnvironmentsSetUpStart(u); }
  void OnEnvironmentsSetUpEnd(const ::testing::UnitTest& u) override { printer_->OnEnvironmentsSetUpEnd(u); }
  void OnTestSuiteStart(const ::testing::TestSuite& s) override { printer_->OnTestSuiteStart(s); }
  void OnTestStart(const ::testing::TestInfo& t) override { printer_->OnTestStart(t); }
  void OnTestDisabled(const ::testing::TestInfo& t) override { printer_->OnTestDisabled(t); }
  void OnTestEnd(const ::testing::TestInfo& t) override { printer_->OnTestEnd(t); }
  void OnTestSuiteEnd(const ::testing::TestSuite& s) override { printer_->OnTestSuiteEnd(s); }
  void OnEnvironmentsTearDownStart(const ::testing::UnitTest& u) override { printer_->OnEnvironmentsTearDownStart(u); }
  void OnEnvironmentsTearDownEnd(const ::testing::UnitTest& u) override { printer_->OnEnvironmentsTearDownEnd(u); }
  void OnTestIterationEnd(const ::testing::UnitTest& u, int i) override { printer_->OnTestIterationEnd(u, i); }
  void OnTestProgramEnd(const ::testing::UnitTest& u) override { printer_->OnTestProgramEnd(u); }

 private:
  std::unique_ptr<TestEventListener> printer_;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  auto& listeners = ::testing::UnitTest::GetInstance()->listeners();
  if (TestEventListener* printer = listeners.default_result_printer()) {
    listeners.Release(printer);
    listeners.Append(new FailuresToStdoutOnly(printer));
  }
  return RUN_ALL_TESTS();
}
