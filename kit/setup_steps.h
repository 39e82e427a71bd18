#pragma once
// The setup wizard's pages and buttons as a function of the user's choices, without a window: the
// window shows what this says and passes the user's clicks in.
#include <string>
#include <string_view>

namespace qv {

class SetupSteps {
 public:
  enum class Page { kWelcome, kAction, kEnvironments, kFolder, kProgress, kFinish };
  enum class Next { kNothing, kShowPage, kRun, kClose };
  static constexpr int kStudio = 0;  // the environments list's items
  static constexpr int kOffice = 1;

  // `installed`: an installation is recorded, so removal can be offered.
  explicit SetupSteps(bool installed, std::wstring folder_text);

  // The user's choices.
  void SelectInstall(bool install);
  void Tick(int item, bool ticked);
  void SetFolderText(std::wstring_view text) { folder_text_ = text; }
  bool installing() const { return installing_; }
  bool ticked(int item) const { return ticked_[item]; }
  const std::wstring& folder_text() const { return folder_text_; }

  // Enter or the Next button; nothing when the button is disabled.
  Next PressNext();
  // The Back button; false when it is hidden or disabled.
  bool PressBack();
  // Esc or the cancel button: whether the close question applies (false when the button is disabled).
  bool PressCancel() const { return cancel_enabled(); }
  // The run has ended: the finish page with "Готово", or, when a line of the run failed, its log
  // with "Готово", so that the failure can be read.
  void Finished(bool succeeded) {
    finished_ = true;
    failed_ = !succeeded;
  }
  // Closing the window asks first while the wizard has not been finished with "Готово".
  bool AsksBeforeClose() const { return step_ < 5; }

  int step() const { return step_; }
  Page page() const;
  bool remove_enabled() const { return installed_; }
  // The step page's text split at its first ":", the theme keeping the colon.
  std::wstring theme() const;
  std::wstring information() const;
  std::wstring next_caption() const;
  bool next_enabled() const;
  bool back_visible() const { return step_ >= 1 && step_ <= 4; }
  bool back_enabled() const { return step_ >= 1 && step_ <= 3; }
  bool cancel_enabled() const { return step_ <= 3; }

  // The folder text after the folder dialog chose `chosen` (empty: cancelled, the text stays).
  static std::wstring BrowsedFolder(std::wstring_view current, std::wstring_view chosen);

 private:
  bool installed_;
  bool installing_ = true;
  bool ticked_[2] = {true, true};
  std::wstring folder_text_;
  int step_ = 0;
  bool finished_ = false;
  bool failed_ = false;
};

// The folder as the actions use it and record it: blanks trimmed and a trailing "\" taken off
// (kept on a drive's root, "C:\"). Empty when nothing but blanks was typed.
std::wstring NormalizedFolder(std::wstring_view text);

}  // namespace qv
