#pragma once
// The options dialog over list files of a folder of its own and settings under a registry key of
// its own, with every box it would show and everything it would start answered or recorded here.
#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "addin/addin_state.h"
#include "dialogs/controls.h"
#include "dialogs/options_dialog.h"
#include "tests/dialogs/scripted_prompts.h"
#include "tests/dialogs/temp_folder.h"
#include "win/ansi_file.h"
#include "win/failure_log.h"
#include "win/registry.h"

namespace qv::test {

class RecordedEffects final : public OptionsEffects {
 public:
  std::vector<std::wstring> calls;
  std::deque<std::wstring> answers;  // the input boxes'; "" when run out
  std::optional<std::int32_t> colour;
  short style = 0;
  bool language_changes = true;
  std::int32_t host_tab_width = 8;
  std::int32_t wheel_lines = 0;
  std::vector<HWND> owners;                 // of the style's and the language's boxes
  std::function<void(HWND, long)> styling;  // in place of recording the style's call

  std::wstring Input(HWND, std::wstring_view prompt, std::wstring_view dflt) override {
    calls.push_back(L"Input " + std::wstring(prompt) + L" [" + std::wstring(dflt) + L"]");
    if (answers.empty()) return {};
    std::wstring answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<std::int32_t> PickColour(HWND, std::int32_t current) override {
    calls.push_back(L"PickColour " + std::to_wstring(current));
    return colour;
  }
  short GetIDEStyle() override { return style; }
  void SetIDEStyle(HWND owner, long value) override {
    owners.push_back(owner);
    if (styling) return styling(owner, value);
    calls.push_back(L"SetIDEStyle " + std::to_wstring(value));
  }
  bool ChangeLanguageIDE(HWND owner, const std::wstring& name) override {
    owners.push_back(owner);
    calls.push_back(L"ChangeLanguageIDE " + name);
    return language_changes;
  }
  void StartMDITabs() override { calls.push_back(L"StartMDITabs"); }
  void StopMDITabs() override { calls.push_back(L"StopMDITabs"); }
  void SetTabPosition(long position) override { calls.push_back(L"SetTabPosition " + std::to_wstring(position)); }
  void AddErrorHandlers() override { calls.push_back(L"AddErrorHandlers"); }
  void EnableNumerationButton(bool enabled) override {
    calls.push_back(L"EnableNumerationButton " + std::to_wstring(enabled));
  }
  std::int32_t HostTabWidth() override { return host_tab_width; }
  std::int32_t WheelScrollLines() override { return wheel_lines; }
  std::wstring HostVersion() override { return L"6.05"; }

  // The calls since the last look, those of the input boxes left out.
  std::vector<std::wstring> Taken() {
    std::vector<std::wstring> taken;
    for (const std::wstring& call : calls) {
      if (call.rfind(L"Input ", 0) != 0) taken.push_back(call);
    }
    calls.clear();
    return taken;
  }
};

// Settings that differ from every default and from each other where they can.
inline Settings SampleSettings() {
  Settings s;
  s.AutoIndent = true;
  s.AutoIndent_Automatic = false;
  s.CustomIndentWidth = true;
  s.IndentWidth = 3;
  s.AutoInsert = true;
  s.AutoInsert_EndConstructions = false;
  s.AutoInsert_Then = true;
  s.AutoInsert_Comment = false;
  s.AutoInsert_CustomCode = true;
  s.CustomCode = L"On Error Goto E(CrLf)Exit (MemberType)";
  s.AutoText = true;
  s.AutoReplace = false;
  s.IncrementAndDecrement = true;
  s.ComponentAssignment = false;
  s.InitializationWithDeclarate = true;
  s.Numeration = true;
  s.NumerationStart = 100;
  s.NumerationStep = 5;
  s.SkipLinesInOffensive = true;
  s.AutoNumeration = false;
  s.ErrorHandlers = true;
  s.Include = true;
  s.AutoInclude = false;
  s.ProjectsPath = L"C:\\Проекты\\";
  s.SyntaxColoring = true;
  s.SyntaxColoring_Operators = false;
  s.SyntaxColoring_AdditionalOperators = true;
  s.SyntaxColoring_Texts = false;
  s.SyntaxColoring_CustomTexts = true;
  s.TextColor = 1381814;
  s.SyntaxColoring_ShiftX = 9;
  s.SyntaxColoring_ShiftY = -2;
  s.Scrolling = true;
  s.CustomScrollHeight = true;
  s.ScrollHeight = 7;
  s.StyleIDE = true;
  s.ShowPalette = true;
  s.LanguageIDE = true;
  s.MDITabs = true;
  s.MDITabsTop = false;
  s.HotKeys = true;
  s.HotKeys_Format = L"Ctrl + Alt + Tab";
  s.HotKeys_Save = L"Ctrl + S";
  s.HotKeys_Redo = L"Ctrl + B";
  s.HotKeys_Comment = L"Ctrl + '";
  s.HotKeys_Uncomment = L"Ctrl + Shift + '";
  s.HotKeys_Bookmark = L"F6";
  s.HotKeys_NextBookmark = L"Shift + F6";
  s.HotKeys_PrevBookmark = L"Нет";
  s.HotKeys_ProcAndFunc = L"F11";
  return s;
}

// Bytes of a text in code page 1251, as the list files hold it.
inline std::string Cp1251(std::wstring_view text) {
  const int size = static_cast<int>(text.size());
  std::string bytes(static_cast<size_t>(WideCharToMultiByte(1251, 0, text.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(1251, 0, text.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
  return bytes;
}

class OptionsTest : public ::testing::Test {
 protected:
  static constexpr wchar_t kKey[] = L"Software\\Velmora\\QuorvaneTest\\Options";

  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    AddinState& state = State();
    state.SettingsKey = kKey;
    state.IsVBA = false;
    state.HostLanguage = L"Русский";
    state.settings = SampleSettings();
    failures_.clear();
    SetFailureSink([](std::wstring_view line) noexcept { failures_ += std::wstring(line) + L"\n"; });
  }

  void TearDown() override {
    dialog_.reset();
    SetFailureSink(nullptr);
    EXPECT_EQ(L"", failures_) << "the dialog procedure recorded failures";
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    State().settings = {};
    State().HostLanguage.clear();
    State().SettingsKey.clear();
  }

  void WriteList(const wchar_t* name, std::wstring_view text) const {
    ASSERT_TRUE(WriteFileBytes(folder_.File(name), Cp1251(text)));
  }
  std::string ListBytes(const wchar_t* name) const { return ReadFileBytes(folder_.File(name)).value_or("(none)"); }

  OptionsDialog& Open(bool modeless = false) {
    dialog_.emplace(folder_.path() + L"\\", effects_);
    EXPECT_TRUE(dialog_->Create(nullptr, modeless ? &modeless_ : nullptr));
    return *dialog_;
  }

  HWND C(int id) const { return dialog_->Control(id); }
  std::wstring Text(int id) const { return ControlText(C(id)); }
  bool Checked(int id) const { return IsChecked(C(id)); }
  bool Enabled(int id) const { return IsWindowEnabled(C(id)) != FALSE; }
  bool Shown(int id) const { return (GetWindowLongW(C(id), GWL_STYLE) & WS_VISIBLE) != 0; }
  void Click(int id) const { SendMessageW(C(id), BM_CLICK, 0, 0); }
  void Type(int id, const wchar_t* text) const { SetWindowTextW(C(id), text); }
  // A row of a list chosen as by the user: the selection, then its notification.
  void Choose(int id, long row) const {
    const bool combo = id == cboErrorHandlers || id == cboЯзыки;
    SendMessageW(C(id), combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageW(GetParent(C(id)), WM_COMMAND, MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(C(id)));
  }
  std::vector<std::wstring> Rows(int id) const {
    const bool combo = id == cboErrorHandlers || id == cboЯзыки;
    std::vector<std::wstring> rows;
    const long count = static_cast<long>(SendMessageW(C(id), combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    for (long row = 0; row < count; ++row) {
      wchar_t text[512] = {};
      SendMessageW(C(id), combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
      rows.push_back(text);
    }
    return rows;
  }
  long Data(int id, long row) const {
    const bool combo = id == cboErrorHandlers;
    return static_cast<long>(SendMessageW(C(id), combo ? CB_GETITEMDATA : LB_GETITEMDATA, static_cast<WPARAM>(row), 0));
  }
  long Selection(int id) const {
    const bool combo = id == cboErrorHandlers || id == cboЯзыки;
    return static_cast<long>(SendMessageW(C(id), combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
  }
  std::wstring Stored(const wchar_t* name) const {
    return GetRegValue(HKEY_CURRENT_USER, kKey, name).value_or(L"(none)");
  }

  static inline std::wstring failures_;
  TempFolder folder_;
  RecordedEffects effects_;
  ScriptedPrompts prompts_;
  ModelessDialogs modeless_;
  std::optional<OptionsDialog> dialog_;
};

}  // namespace qv::test
