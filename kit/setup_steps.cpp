#include "kit/setup_steps.h"

#include <utility>

namespace qv {
namespace {

// The step pages' texts, theme and information parted at the first ":"; the progress page shows the
// folder page's text.
constexpr const wchar_t* kPageTexts[] = {
    L"Выбор действия: Выберите тип действие для продолжение работы мастера",
    L"Выбор среды разработки: Выберите среды разработки, которые вы хотите установить/удалить.",
    L"Выбор каталога установки: Выберите каталог для установки Quorvane 2.0.",
    L"Выбор каталога установки: Выберите каталог для установки Quorvane 2.0.",
};

std::wstring_view PageText(int step) {
  return step >= 1 && step <= 4 ? std::wstring_view(kPageTexts[step - 1]) : std::wstring_view();
}

}  // namespace

SetupSteps::SetupSteps(bool installed, std::wstring folder_text)
    : installed_(installed), folder_text_(std::move(folder_text)) {}

void SetupSteps::SelectInstall(bool install) {
  if (install || installed_) installing_ = install;
}

void SetupSteps::Tick(int item, bool ticked) {
  if (item == kStudio || item == kOffice) ticked_[item] = ticked;
}

SetupSteps::Next SetupSteps::PressNext() {
  if (!next_enabled()) return Next::kNothing;
  if (step_ == 4) {
    step_ = 5;
    return Next::kClose;
  }
  ++step_;
  if ((step_ == 3 && !installing_) || step_ == 4) {
    step_ = 4;
    return Next::kRun;
  }
  return Next::kShowPage;
}

bool SetupSteps::PressBack() {
  if (!back_enabled()) return false;
  --step_;
  return true;
}

SetupSteps::Page SetupSteps::page() const {
  switch (step_) {
    case 1:
      return Page::kAction;
    case 2:
      return Page::kEnvironments;
    case 3:
      return Page::kFolder;
    case 4:
      return finished_ && !failed_ ? Page::kFinish : Page::kProgress;
    default:
      return step_ == 0 ? Page::kWelcome : Page::kFinish;
  }
}

std::wstring SetupSteps::theme() const {
  const std::wstring_view text = PageText(step_);
  return std::wstring(text.substr(0, text.find(L':') + 1));
}

std::wstring SetupSteps::information() const {
  const std::wstring_view text = PageText(step_);
  const std::size_t colon = text.find(L':');
  return colon == std::wstring_view::npos ? std::wstring() : std::wstring(text.substr(colon + 1));
}

std::wstring SetupSteps::next_caption() const {
  if (step_ == 4 && finished_) return L"Готово";
  if (installing_ && (step_ == 3 || step_ == 4)) return L"Установить";
  if (!installing_ && (step_ == 2 || step_ == 4)) return L"Удалить";
  return L"Далее >";
}

bool SetupSteps::next_enabled() const {
  switch (step_) {
    case 2:
      return ticked_[kStudio] || ticked_[kOffice];
    case 3:
      return !NormalizedFolder(folder_text_).empty();
    case 4:
      return finished_;
    default:
      return step_ < 4;
  }
}

std::wstring SetupSteps::BrowsedFolder(std::wstring_view current, std::wstring_view chosen) {
  if (chosen.empty()) return std::wstring(current);
  std::wstring folder(chosen);
  if (!folder.ends_with(L'\\')) folder += L'\\';
  return folder + L"Quorvane";
}

std::wstring NormalizedFolder(std::wstring_view text) {
  const std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  text = text.substr(first, text.find_last_not_of(L' ') - first + 1);
  // "C:\" is a folder of its own; "C:" would mean the drive's current folder.
  const std::size_t keep = text.size() >= 3 && text[1] == L':' ? 3 : 1;
  while (text.size() > keep && text.back() == L'\\') text.remove_suffix(1);
  return std::wstring(text);
}

}  // namespace qv
