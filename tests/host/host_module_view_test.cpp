// A module of the sandbox host read through the windowed view: the same lines as a snapshot, and a
// look at a few lines, or an incremental run, costs the same in a short and in a long module.
#include <gtest/gtest.h>

#include <random>

#include "codetools/indent_engine.h"
#include "host/host_code_pane.h"
#include "host/host_module_view.h"
#include "host/vbe.h"
#include "tests/bench/sample_module.h"
#include "tests/sandbox/host/host_fixture.h"

namespace sbx::test {
namespace {

using View = qv::HostModuleView;
constexpr long kWindow = View::kWindow;

class HostModuleViewTest : public HostTest {
 protected:
  qv::CodeModule Open(const std::wstring& text) {
    StartWithModule(text);
    qv::CodeModule module = qv::Vbe(vbe()).ActiveCodePane().CodeModule();
    host_->ResetCalls();
    return module;
  }
  long Reads() const { return host_->Calls(L"CodeModule", L"Lines"); }
};

// A module of `count` lines where every fifth, and those at the windows' edges but the first, are
// empty (an empty module has no lines).
std::wstring Module(long count) {
  std::wstring text;
  for (long line = 1; line <= count; ++line) {
    if (line > 1) text += L"\r\n";
    if (line == 1 || (line % 5 != 0 && line % kWindow > 1)) text += L"x" + std::to_wstring(line) + L" = 1";
  }
  return text;
}

TEST_F(HostModuleViewTest, EveryLineReadsAsInTheSnapshotInAnyOrder) {
  std::mt19937 random(7);
  for (const long count : {1L, 2L, kWindow - 1, kWindow, kWindow + 1, 2 * kWindow, 2 * kWindow + 1, 300L}) {
    SCOPED_TRACE(count);
    const std::wstring text = Module(count);
    const View view(Open(text));
    const qv::ModuleText snapshot(text);
    std::vector<long> order;
    for (long line = -1; line <= count + 2; ++line) order.push_back(line);
    std::shuffle(order.begin(), order.end(), random);
    for (const long line : order) EXPECT_EQ(snapshot.Line(line), view.Line(line)) << line;
    EXPECT_EQ(count, view.CountOfLines());
    EXPECT_EQ((count + kWindow - 1) / kWindow, Reads()) << "each window once";
    host_->ShutDown(0);
    host_.reset();
  }
}

// The custom-code look and the numbering state read around the caret's line: two windows at most,
// whatever the module's length.
TEST_F(HostModuleViewTest, ALookAtNeighbouringLinesReadsAtMostTwoWindows) {
  for (const long count : {100L, 10000L}) {
    Open(Module(count));
    for (const long line : {2L, kWindow, kWindow + 1, count / 2, count - 1}) {
      host_->ResetCalls();
      const View fresh(qv::Vbe(vbe()).ActiveCodePane().CodeModule());
      for (long at = line - 1; at <= line + 1; ++at) fresh.Line(at);
      EXPECT_LE(Reads(), 2) << count << " lines, at " << line;
      EXPECT_LE(host_->TotalCharsRead(), 2 * kWindow * 12) << count << " lines, at " << line;
    }
    host_->ShutDown(0);
    host_.reset();
  }
}

// An incremental run from a line in formatted code reads the lines around it, not the module.
TEST_F(HostModuleViewTest, AnIncrementalRunReadsAsMuchInALongModuleAsInAShortOne) {
  long long chars[2] = {};
  int size = 0;
  for (const long count : {100L, 10000L}) {
    const qv::CodeModule module = Open(qv::bench::MakeModule(count));
    const qv::ModuleText whole = qv::HostCodePane(qv::Vbe(vbe()).ActiveCodePane()).Snapshot();
    qv::FormatRequest all;
    all.selection = {1, 1, count, 1};
    const qv::FormatResult formatted = qv::Formatting(whole, all, {});
    module.DeleteLines(1, count);
    module.InsertLines(1, formatted.FormatText);
    for (long line = count / 4; line < count / 4 + 40; ++line) {
      qv::FormatRequest step;
      step.incremental = true;
      step.FormatStart = line;
      step.selection = {line + 1, 1, line + 1, 1};
      host_->ResetCalls();
      EXPECT_FALSE(qv::Formatting(View(module), step, {}).Edit()) << "formatted code stays";
      chars[size] += host_->TotalCharsRead();
    }
    host_->ShutDown(0);
    host_.reset();
    ++size;
  }
  EXPECT_LE(chars[1], chars[0] * 3 / 2) << chars[0] << " characters in 100 lines";
}

}  // namespace
}  // namespace sbx::test
