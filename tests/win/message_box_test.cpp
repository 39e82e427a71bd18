#include "win/message_box.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "tests/win/scripted_boxes.h"

namespace qv::test {
namespace {

TEST(MessageBoxTest, TheInnermostStandInAnswersWhileItLives) {
  ScriptedBoxes outer;
  {
    ScriptedBoxes inner;
    inner.answers = {IDNO};
    EXPECT_EQ(IDNO, ShowMessageBox(GetDesktopWindow(), L"Сохранить проект?", L"QuorvaneOffice", MB_YESNOCANCEL));
    ASSERT_EQ(1u, inner.shown.size());
    EXPECT_EQ(GetDesktopWindow(), inner.shown[0].owner);
    EXPECT_EQ(L"Сохранить проект?", inner.shown[0].text);
    EXPECT_EQ(L"QuorvaneOffice", inner.shown[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL), inner.shown[0].style);
  }
  EXPECT_EQ(IDOK, ShowMessageBox(nullptr, L"Текст", L"Application Error", MB_OK));
  ASSERT_EQ(1u, outer.shown.size());
  EXPECT_EQ(L"Application Error", outer.shown[0].caption);
}

// A step's failure reaches its box as the user reads it; the sequence goes on after it.
TEST(MessageBoxTest, AFailedStepIsReportedWithItsNumber) {
  std::vector<std::wstring> reported;
  const auto report = [&](const VbError& error) { reported.push_back(StepFailureText(error, 7)); };
  bool ran = false;
  RunStep(report, [&] { ran = true; });
  RunStep(report, [] { throw VbError(53, L"Файл не найден"); });
  RunStep(report, [] { throw std::runtime_error("not a VbError"); });
  EXPECT_TRUE(ran);
  EXPECT_EQ(
      (std::vector<std::wstring>{L"Файл не найден\r\nв строке 7", InvalidCallError().description + L"\r\nв строке 7"}),
      reported);
}

}  // namespace
}  // namespace qv::test
