// The wizard's pages and buttons through whole walks, as the window shows them.
#include <gtest/gtest.h>

#include "kit/setup_steps.h"

namespace qv {
namespace {

using Page = SetupSteps::Page;
using Next = SetupSteps::Next;

// What the window shows: page, Next's caption and state, Back's state.
std::string Shown(const SetupSteps& steps) {
  const std::wstring caption = steps.next_caption();
  std::string text = std::to_string(static_cast<int>(steps.page())) + " " +
                     (caption == L"Далее >"      ? "next"
                      : caption == L"Установить" ? "install"
                      : caption == L"Удалить"    ? "remove"
                      : caption == L"Готово"     ? "done"
                                                 : "?");
  if (!steps.next_enabled()) text += " off";
  text += steps.back_visible() ? (steps.back_enabled() ? " back" : " back-off") : "";
  if (!steps.cancel_enabled()) text += " no-cancel";
  return text;
}

TEST(SetupSteps, InstallAndRemoveWalks) {
  struct Case {
    bool install;
    std::vector<std::string> shown;  // after load, then after each Next
    std::vector<Next> results;
  };
  const Case cases[] = {
      {true,
       {"0 next", "1 next back", "2 next back", "3 install back", "4 install off back-off no-cancel"},
       {Next::kShowPage, Next::kShowPage, Next::kShowPage, Next::kRun}},
      {false,
       {"0 next", "1 next back", "2 remove back", "4 remove off back-off no-cancel"},
       {Next::kShowPage, Next::kShowPage, Next::kRun}},
  };
  for (const Case& c : cases) {
    SetupSteps steps(true, L"C:\\Program Files\\Quorvane");
    std::vector<std::string> shown = {Shown(steps)};
    std::vector<Next> results;
    for (std::size_t i = 0; i + 1 < c.shown.size(); ++i) {
      if (steps.step() == 1) steps.SelectInstall(c.install);
      results.push_back(steps.PressNext());
      shown.push_back(Shown(steps));
    }
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(results, c.results);
    EXPECT_EQ(steps.PressNext(), Next::kNothing);  // Enter during the run
    EXPECT_FALSE(steps.PressBack());
    EXPECT_FALSE(steps.PressCancel());  // Esc during the run
    EXPECT_EQ(steps.theme(), L"Выбор каталога установки:");
    EXPECT_EQ(steps.information(), L" Выберите каталог для установки Quorvane 2.0.");
    steps.Finished(true);
    EXPECT_EQ(Shown(steps), "5 done back-off no-cancel");
    EXPECT_TRUE(steps.AsksBeforeClose());
    EXPECT_FALSE(steps.PressCancel());
    EXPECT_EQ(steps.PressNext(), Next::kClose);
    EXPECT_FALSE(steps.AsksBeforeClose());
  }
}

TEST(SetupSteps, ARunWithAFailedLineKeepsItsLogInView) {
  SetupSteps steps(true, L"x");
  while (steps.PressNext() != Next::kRun) {
  }
  steps.Finished(false);
  EXPECT_EQ(Shown(steps), "4 done back-off no-cancel");
  EXPECT_EQ(steps.PressNext(), Next::kClose);
}

TEST(SetupSteps, BackRestoresCaptionsAndTicksEnableNext) {
  SetupSteps steps(true, L"x");
  const std::vector<std::string> expected = {"0 next",        "1 next back", "2 remove back", "2 remove off back",
                                             "2 remove back", "1 next back", "2 next back",   "3 install back",
                                             "2 next back",   "1 next back", "0 next"};
  std::vector<std::string> shown = {Shown(steps)};
  steps.PressNext();
  shown.push_back(Shown(steps));
  steps.SelectInstall(false);
  steps.PressNext();
  shown.push_back(Shown(steps));
  steps.Tick(SetupSteps::kStudio, false);
  steps.Tick(SetupSteps::kOffice, false);
  shown.push_back(Shown(steps));
  EXPECT_EQ(steps.PressNext(), Next::kNothing);
  steps.Tick(SetupSteps::kOffice, true);
  shown.push_back(Shown(steps));
  steps.PressBack();
  shown.push_back(Shown(steps));
  steps.SelectInstall(true);
  steps.PressNext();
  shown.push_back(Shown(steps));
  steps.PressNext();
  shown.push_back(Shown(steps));
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(steps.PressBack());
    shown.push_back(Shown(steps));
  }
  EXPECT_FALSE(steps.PressBack());
  EXPECT_EQ(shown, expected);
  EXPECT_TRUE(steps.PressCancel());
  EXPECT_TRUE(steps.AsksBeforeClose());
}

TEST(SetupSteps, RemovalNeedsARecordedFolderAndInstallingAFolderText) {
  SetupSteps fresh(false, L"x");
  fresh.SelectInstall(false);
  EXPECT_TRUE(fresh.installing());
  EXPECT_FALSE(fresh.remove_enabled());
  for (const auto& [text, enabled] :
       std::vector<std::pair<std::wstring, bool>>{{L"", false}, {L"   ", false}, {L" D:\\Q ", true}, {L"\\", true}}) {
    SetupSteps steps(false, text);
    for (int i = 0; i < 3; ++i) steps.PressNext();
    ASSERT_EQ(steps.page(), Page::kFolder);
    EXPECT_EQ(steps.next_enabled(), enabled) << std::string(text.begin(), text.end());
    EXPECT_EQ(steps.PressNext(), enabled ? Next::kRun : Next::kNothing);
  }
}

TEST(SetupSteps, PageTextsSplitAtTheFirstColon) {
  SetupSteps steps(true, L"x");
  const std::pair<const wchar_t*, const wchar_t*> expected[] = {
      {L"Выбор действия:", L" Выберите тип действие для продолжение работы мастера"},
      {L"Выбор среды разработки:", L" Выберите среды разработки, которые вы хотите установить/удалить."},
      {L"Выбор каталога установки:", L" Выберите каталог для установки Quorvane 2.0."}};
  for (const auto& [theme, information] : expected) {
    steps.PressNext();
    EXPECT_EQ(steps.theme(), theme);
    EXPECT_EQ(steps.information(), information);
  }
}

TEST(SetupSteps, FolderTexts) {
  const std::pair<const wchar_t*, const wchar_t*> browsed[] = {
      {L"D:\\", L"D:\\Quorvane"}, {L"D:\\Apps", L"D:\\Apps\\Quorvane"}, {L"", L"kept"}};
  for (const auto& [chosen, text] : browsed) EXPECT_EQ(SetupSteps::BrowsedFolder(L"kept", chosen), text);
  const std::pair<const wchar_t*, const wchar_t*> normalized[] = {{L"  C:\\Apps\\Quorvane\\  ", L"C:\\Apps\\Quorvane"},
                                                                  {L"C:\\", L"C:\\"},
                                                                  {L"C:\\\\", L"C:\\"},
                                                                  {L"C:\\a\\\\", L"C:\\a"},
                                                                  {L"\\\\srv\\share\\", L"\\\\srv\\share"},
                                                                  {L"   ", L""},
                                                                  {L"rel\\", L"rel"}};
  for (const auto& [text, folder] : normalized) EXPECT_EQ(NormalizedFolder(text), folder);
}

}  // namespace
}  // namespace qv
