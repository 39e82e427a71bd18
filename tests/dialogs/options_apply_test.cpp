#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "dialogs/visual_style.h"
#include "tests/dialogs/options_fixture.h"
#include "win/files.h"

namespace qv::test {
namespace {

class OptionsApplyTest : public OptionsTest {
 protected:
  std::vector<std::wstring> Items(const KeyedCollection<std::wstring>& collection) const {
    return {collection.begin(), collection.end()};
  }
  void ExpectReportedAt(size_t count) const {
    ASSERT_EQ(count, prompts_.shown.size());
    for (const ShownMessage& shown : prompts_.shown) {
      EXPECT_NE(std::wstring::npos, shown.text.find(L"\r\nв строке ")) << shown.text;
      EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), shown.style);
    }
  }
};

TEST_F(OptionsApplyTest, EverySettingIsStoredAsTextAndTakenIntoItsVariable) {
  Open();
  Type(txtШиринаОтступа, L"6");
  Type(txtНумерацияНачатьС, L"13.5");
  Type(txtНумерацияШаг, L"12.5");
  Type(txtX, L"abc");
  Type(txtY, L" -4 ");
  Type(txtВысотаСкролла, L"0");
  Type(txtШаблонТекста, L"a\r\n\r\nb");
  Type(txtHotKeys + 2, L"Нет");
  Click(chkАвтоОтступ);
  dialog_->Apply();
  const struct {
    const wchar_t* name;
    const wchar_t* text;
  } values[] = {
      {L"AutoIndent", L"False"}, {L"AutoIndent.Automatic", L"False"}, {L"CustomIndentWidth", L"True"},
      {L"TabWidth", L"6"}, {L"AutoInsert", L"True"}, {L"AutoInsert.EndConstructions", L"False"},
      {L"AutoInsert.Then", L"True"}, {L"AutoInsert.Comment", L"False"}, {L"AutoInsert.CustomCode", L"True"},
      {L"CustomCode", L"a(CrLf)(CrLf)b"}, {L"AutoText", L"True"}, {L"AutoReplace", L"False"},
      {L"IncrementAndDecrement", L"True"}, {L"ComponentAssignment", L"False"},
      {L"InitializationWithDeclarate", L"True"}, {L"ErrorHandlers", L"True"}, {L"Include", L"True"},
      {L"AutoInclude", L"False"}, {L"ProjectsPath", L"C:\\Проекты\\"}, {L"SyntaxColoring", L"True"},
      {L"SyntaxColoring.Operators", L"False"}, {L"SyntaxColoring.AdditionalOperators", L"True"},
      {L"SyntaxColoring.Texts", L"False"}, {L"TextColor", L"1381814"}, {L"SyntaxColoring.CustomTexts", L"True"},
      {L"SyntaxColoring.ShiftX", L"0"}, {L"SyntaxColoring.ShiftY", L"-4"}, {L"Scrolling", L"True"},
      {L"CustomScrollHeight", L"True"}, {L"ScrollHeight", L"0"}, {L"StyleIDE", L"True"}, {L"ShowPalette", L"True"},
      {L"LanguageIDE", L"True"}, {L"MDITabs", L"(none)"}, {L"MDITabsTop", L"(none)"}, {L"Language", L"(none)"},
      {L"HotKeys", L"True"}, {L"HotKeys.Format", L"Ctrl + Alt + Tab"}, {L"HotKeys.Redo", L"Нет"},
      {L"HotKeys.ProcAndFunc", L"F11"}, {L"Numeration", L"True"}, {L"NumerationStart", L"14"},
      {L"NumerationStep", L"12"}, {L"SkipLinesInOffensive", L"True"}, {L"AutoNumeration", L"False"},
  };
  for (const auto& value : values) EXPECT_EQ(value.text, Stored(value.name)) << value.name;
  const Settings& s = State().settings;
  EXPECT_FALSE(s.AutoIndent);
  EXPECT_EQ(6, s.IndentWidth);
  EXPECT_EQ(14, s.NumerationStart);
  EXPECT_EQ(12, s.NumerationStep);
  EXPECT_EQ(0, s.SyntaxColoring_ShiftX);
  EXPECT_EQ(0, s.ScrollHeight);
  EXPECT_EQ(L"Нет", s.HotKeys_Redo);
  EXPECT_EQ((std::vector<std::wstring>{L"AddErrorHandlers", L"SetIDEStyle 0", L"EnableNumerationButton 1"}),
            effects_.Taken());
  EXPECT_TRUE(prompts_.shown.empty());
}

TEST_F(OptionsApplyTest, AFailingStatementIsReportedWithItsNumberAndTheRestRuns) {
  Open();
  Type(txtНумерацияШаг, L"1e20");
  Type(txtX, L"99999999999");
  dialog_->Apply();
  ExpectReportedAt(2);
  EXPECT_NE(prompts_.shown[0].text, prompts_.shown[1].text) << "each names its own statement";
  EXPECT_EQ(5, State().settings.NumerationStep);
  EXPECT_EQ(9, State().settings.SyntaxColoring_ShiftX);
  EXPECT_EQ(L"(none)", Stored(L"NumerationStep"));
  EXPECT_EQ(L"-2", Stored(L"SyntaxColoring.ShiftY"));
  EXPECT_EQ(L"False", Stored(L"AutoNumeration"));
}

TEST_F(OptionsApplyTest, WhatRunsBesideTheAddinChangesOnlyWhenItsBoxDoes) {
  Open();
  const struct {
    std::function<void()> change;
    std::vector<std::wstring> calls;
  } steps[] = {
      {[] {}, {L"AddErrorHandlers", L"SetIDEStyle 0", L"EnableNumerationButton 1"}},
      {[this] { Click(chkMDIВкладки); }, {L"AddErrorHandlers", L"SetIDEStyle 0", L"StopMDITabs", L"EnableNumerationButton 1"}},
      {[this] { Click(optВверх); }, {L"AddErrorHandlers", L"SetIDEStyle 0", L"EnableNumerationButton 1"}},
      {[this] { Click(chkMDIВкладки); }, {L"AddErrorHandlers", L"SetIDEStyle 0", L"StartMDITabs", L"EnableNumerationButton 1"}},
      {[this] { Click(optВниз); }, {L"AddErrorHandlers", L"SetIDEStyle 0", L"SetTabPosition 1", L"EnableNumerationButton 1"}},
      {[this] { Click(optWindowsXP); Click(chkНумерация); },
       {L"AddErrorHandlers", L"SetIDEStyle 1", L"EnableNumerationButton 0"}},
      {[this] { Click(chkСтильИнтерфейса); }, {L"AddErrorHandlers", L"EnableNumerationButton 0"}},
  };
  for (size_t index = 0; index < std::size(steps); ++index) {
    steps[index].change();
    dialog_->Apply();
    EXPECT_EQ(steps[index].calls, effects_.Taken()) << "step " << index;
  }
  EXPECT_EQ(L"True", Stored(L"MDITabs"));
  EXPECT_EQ(L"False", Stored(L"MDITabsTop"));
}

TEST_F(OptionsApplyTest, TheHostsValuesServeWhileTheCustomOnesAreOff) {
  Open();
  Click(chkШиринаОтступа);
  Click(chkВысотаСкролла);
  for (const std::int32_t lines : {0, 5}) {
    effects_.wheel_lines = lines;
    dialog_->Apply();
    EXPECT_EQ(lines == 0 ? 1 : lines, State().settings.ScrollHeight);
  }
  EXPECT_EQ(8, State().settings.IndentWidth);
  EXPECT_EQ(L"(none)", Stored(L"TabWidth"));
  EXPECT_EQ(L"(none)", Stored(L"ScrollHeight"));
  EXPECT_EQ(L"False", Stored(L"CustomIndentWidth"));
}

TEST_F(OptionsApplyTest, AnotherLanguageIsStoredOnlyWhenTheHostTookIt) {
  WriteList(L"Languages.ini", L"[VB6]\r\nEnglish=en.dll\r\nРусский=ru.dll\r\n");
  const struct {
    bool language_ide;
    bool changes;
    const wchar_t* host_language;
    const wchar_t* stored;
    bool called;
  } cases[] = {
      {true, false, L"Русский", L"(none)", true},
      {true, true, L"English", L"English", true},
      {false, true, L"Русский", L"(none)", false},
  };
  for (const auto& c : cases) {
    State().HostLanguage = L"Русский";
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    effects_.language_changes = c.changes;
    Open();
    Choose(cboЯзыки, 0);
    if (!c.language_ide) Click(chkЯзыкИнтерфейса);
    dialog_->Apply();
    const std::vector<std::wstring> calls = effects_.Taken();
    EXPECT_EQ(c.called, std::find(calls.begin(), calls.end(), L"ChangeLanguageIDE English") != calls.end());
    EXPECT_EQ(c.host_language, State().HostLanguage);
    EXPECT_EQ(c.stored, Stored(L"Language"));
    EXPECT_EQ(c.language_ide ? L"True" : L"False", Stored(L"LanguageIDE"));
    EXPECT_EQ(std::vector<HWND>(c.called ? 2 : 1, dialog_->hwnd()), effects_.owners) << "the dialog owns their boxes";
    effects_.owners.clear();
    dialog_.reset();
  }
}

// The system's own boxes, each answered by a timer once it is up; `dialog_enabled` holds whether the
// dialog took input while the box was up.
class AnsweredBoxes final : public MessageBoxes {
 public:
  explicit AnsweredBoxes(HWND dialog) { dialog_ = dialog; }
  int Show(HWND owner, std::wstring_view text, std::wstring_view caption, UINT style) override {
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, Answer);
    const int answer = MessageBoxW(owner, std::wstring(text).c_str(), std::wstring(caption).c_str(), style);
    KillTimer(nullptr, timer);
    return answer;
  }
  static inline std::vector<bool> dialog_enabled;

 private:
  static void CALLBACK Answer(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0); }
  // The box: the thread's dialog window other than the options dialog.
  static BOOL CALLBACK AnswerBox(HWND window, LPARAM) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (window == dialog_ || std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    dialog_enabled.push_back(IsWindowEnabled(dialog_) != FALSE);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return FALSE;
  }

  static inline HWND dialog_ = nullptr;
  ScopedMessageBoxes scope_{*this};
};

// "Применить" cannot run Apply again behind the box of the style's change: the box disables the dialog.
TEST_F(OptionsApplyTest, TheStyleBoxHoldsTheDialogUntilAnswered) {
  TempFolder host;
  effects_.styling = [&](HWND owner, long style) { SetIDEStyleOf({true, host.File(L"Host.exe")}, style, owner); };
  Open();
  Click(optWindowsXP);
  AnsweredBoxes boxes(dialog_->hwnd());
  AnsweredBoxes::dialog_enabled.clear();
  dialog_->Apply();
  EXPECT_EQ(std::vector<bool>{false}, AnsweredBoxes::dialog_enabled);
  EXPECT_TRUE(IsWindowEnabled(dialog_->hwnd())) << "and gives it back";
  EXPECT_TRUE(FileExists(host.File(L"Host.exe.MANIFEST")));
}

TEST_F(OptionsApplyTest, TheListFilesAreRewrittenPaddedInTheAnsiCodePage) {
  const std::wstring key50(50, L'k');
  WriteList(L"AutoInserts.ini", L"*ab = x\r\nAB = y\r\nab=z\r\n" + key50 + L"=w\r\n");
  WriteList(L"SyntaxColors.ini", L"= = 255\r\n*Ключ = 7\r\n");
  WriteList(L"ErrorHandlers.ini", L"*Стандарт = a|b|1|0\r\nПростой = abc\r\n");
  WriteList(L"IncludingPaths.ini", L"C:\\Lib\\\r\n\r\n* D:\\Общие \r\n");
  Open();
  dialog_->Apply();
  const auto pad = [](std::wstring key, size_t width) { return key + std::wstring(width - key.size(), L' '); };
  EXPECT_EQ(Cp1251(L"*ab" + std::wstring(47, L' ') + L" = x\r\n" + pad(L"AB", 50) + L" = y\r\n" + pad(L"ab", 50) +
                   L" = z\r\n" + key50 + L" = w\r\n"),
            ListBytes(L"AutoInserts.ini"));
  EXPECT_EQ(Cp1251(pad(L"=", 10) + L" = 255\r\n" + pad(L"Ключ", 10) + L" = 7\r\n"), ListBytes(L"SyntaxColors.ini"));
  EXPECT_EQ(Cp1251(pad(L"*Стандарт", 30) + L" = a|b|1|0\r\n" + pad(L"Простой", 30) + L" = abc\r\n"),
            ListBytes(L"ErrorHandlers.ini"));
  EXPECT_EQ(Cp1251(L"C:\\Lib\\\r\n\r\nD:\\Общие\r\n"), ListBytes(L"IncludingPaths.ini"));
  const LoadTables& tables = Tables();
  EXPECT_EQ((std::vector<std::wstring>{L"y", L"w"}), Items(tables.AutoInserts));
  EXPECT_EQ(L"y", *tables.AutoInserts.Find(L"ab"));
  EXPECT_EQ((std::vector<std::wstring>{L"=", L"Ключ"}), Items(tables.SyntaxTexts));
  EXPECT_EQ((std::vector<std::wstring>{L"255", L"7"}), Items(tables.SyntaxTextColors));
  EXPECT_EQ((std::vector<std::wstring>{L"C:\\Lib\\", L"", L"D:\\Общие"}), Items(tables.IncludingPaths));
  EXPECT_TRUE(prompts_.shown.empty());
}

TEST_F(OptionsApplyTest, AFileThatCannotBeReplacedKeepsItsOldTextAndTheRestIsApplied) {
  WriteList(L"AutoInserts.ini", L"ab = y\r\n");
  WriteList(L"IncludingPaths.ini", L"C:\\Lib\\\r\n");
  Open();
  const std::string before = ListBytes(L"AutoInserts.ini");
  {
    const HANDLE held = CreateFileW(folder_.File(L"AutoInserts.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    Tables().AutoInserts = {};
    dialog_->Apply();
    CloseHandle(held);
  }
  ExpectReportedAt(1);
  EXPECT_EQ(before, ListBytes(L"AutoInserts.ini"));
  EXPECT_EQ(L"y", *Tables().AutoInserts.Find(L"ab"));
  EXPECT_EQ(Cp1251(L"C:\\Lib\\\r\n"), ListBytes(L"IncludingPaths.ini"));
  EXPECT_EQ(L"False", Stored(L"AutoNumeration"));
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(folder_.File(L"qv*").c_str(), &found);
  EXPECT_EQ(INVALID_HANDLE_VALUE, search) << "no temporary file is left";
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

// A list file the user may read but not write still loads: read-only, or held by another program that
// shares it for reading only. Apply takes the collection from what was loaded and leaves the file as
// it was when it cannot replace it.
TEST_F(OptionsApplyTest, AListFileThatCannotBeWrittenStillLoads) {
  const std::string written = Cp1251(L"ab" + std::wstring(48, L' ') + L" = y\r\n");
  const std::wstring path = folder_.File(L"AutoInserts.ini");
  for (const bool read_only : {true, false}) {
    ASSERT_TRUE(WriteFileBytes(path, written));
    HANDLE held = INVALID_HANDLE_VALUE;
    if (read_only) {
      ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    } else {
      held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
      ASSERT_NE(INVALID_HANDLE_VALUE, held);
    }
    prompts_.shown.clear();
    Open();
    EXPECT_EQ(std::vector<std::wstring>{L"ab"}, Rows(lstЗамена)) << read_only;
    EXPECT_TRUE(prompts_.shown.empty()) << read_only;
    Tables().AutoInserts = {};
    dialog_->Apply();
    EXPECT_EQ(std::vector<std::wstring>{L"y"}, Items(Tables().AutoInserts)) << read_only;
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(written, ListBytes(L"AutoInserts.ini")) << read_only;
    dialog_.reset();
  }
}

// A list whose file could not be read at all shows nothing of it: Apply neither empties its file nor
// its collection.
TEST_F(OptionsApplyTest, AListThatCouldNotBeReadIsNeitherRewrittenNorEmptied) {
  const wchar_t* const names[] = {L"AutoInserts.ini", L"ErrorHandlers.ini", L"IncludingPaths.ini", L"SyntaxColors.ini"};
  for (const wchar_t* name : names) WriteList(name, L"x = 1\r\n");
  LoadTables& tables = Tables();
  tables.AutoInserts = {};
  tables.AutoInserts.Add(L"1", L"x");
  tables.IncludingPaths = {};
  tables.IncludingPaths.Add(L"C:\\Lib\\");
  tables.SyntaxTexts = {};
  tables.SyntaxTexts.Add(L"x");
  tables.SyntaxTextColors = {};
  tables.SyntaxTextColors.Add(L"1");
  std::vector<HANDLE> held;
  for (const wchar_t* name : names) {
    held.push_back(CreateFileW(folder_.File(name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(INVALID_HANDLE_VALUE, held.back()) << name;
  }
  Open();
  for (const HANDLE handle : held) CloseHandle(handle);
  EXPECT_EQ(4u, prompts_.shown.size()) << "each list reported as it failed";
  dialog_->Apply();
  EXPECT_EQ(4u, prompts_.shown.size());
  for (const wchar_t* name : names) EXPECT_EQ("x = 1\r\n", ListBytes(name)) << name;
  EXPECT_EQ(std::vector<std::wstring>{L"1"}, Items(tables.AutoInserts));
  EXPECT_EQ(std::vector<std::wstring>{L"C:\\Lib\\"}, Items(tables.IncludingPaths));
  EXPECT_EQ(std::vector<std::wstring>{L"x"}, Items(tables.SyntaxTexts));
  EXPECT_EQ(std::vector<std::wstring>{L"1"}, Items(tables.SyntaxTextColors));
}

}  // namespace
}  // namespace qv::test
