#include <gtest/gtest.h>

#include "tests/dialogs/options_fixture.h"

namespace qv::test {
namespace {

class OptionsListsTest : public OptionsTest {
 protected:
  void Key(int list, WPARAM key) const { SendMessageW(C(list), WM_KEYDOWN, key, 1); }
  void Press(int id, UINT down, UINT up, LPARAM up_at = 0) const {
    SendMessageW(C(id), down, 0, 0);
    SendMessageW(C(id), up, 0, up_at);
  }
  // The dialog shown and active, so that the focus can move in it.
  void ShowAndFocus(int id) const {
    ShowWindow(dialog_->hwnd(), SW_SHOW);
    SetForegroundWindow(dialog_->hwnd());
    SetFocus(C(id));
  }
  // Keys as the modal loop treats them.
  void PumpKey(int id, WPARAM key) const {
    PostMessageW(C(id), WM_KEYDOWN, key, 1);
    PostMessageW(C(id), WM_KEYUP, key, 1);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (dialog_->hwnd() && IsDialogMessageW(dialog_->hwnd(), &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
};

TEST_F(OptionsListsTest, AbbreviationsAreAddedRenamedAndDeletedByKeysAndButtons) {
  WriteList(L"AutoInserts.ini", L"ab = x(CrLf)y\r\n");
  Open();
  EXPECT_EQ(L"x\r\ny", Text(txtКод));
  effects_.answers = {L"new"};
  Key(lstЗамена, VK_INSERT);
  EXPECT_EQ((std::vector<std::wstring>{L"ab", L"new"}), Rows(lstЗамена));
  EXPECT_EQ(1, Selection(lstЗамена));
  EXPECT_EQ(0, Data(lstЗамена, 1));
  EXPECT_EQ(L"", Text(txtКод));
  EXPECT_FALSE(Checked(chkДоступно));
  EXPECT_FALSE(Enabled(txtКод));

  Click(chkДоступно);
  EXPECT_TRUE(Enabled(txtКод));
  ShowAndFocus(txtКод);
  Type(txtКод, L"p\r\nq");
  SetFocus(C(lstЗамена));
  EXPECT_EQ((std::vector<std::wstring>{L"x(CrLf)y", L"p(CrLf)q"}), dialog_->Expansions());
  EXPECT_NE(0, Data(lstЗамена, 1));

  effects_.answers = {L"renamed"};
  Key(lstЗамена, VK_F2);
  effects_.answers = {L""};
  Press(imgИзменить, WM_LBUTTONDOWN, WM_LBUTTONUP);
  EXPECT_EQ((std::vector<std::wstring>{L"ab", L"renamed"}), Rows(lstЗамена));
  EXPECT_NE(0, Data(lstЗамена, 1));
  prompts_.answers = {IDNO, IDYES};
  Key(lstЗамена, VK_DELETE);
  Key(lstЗамена, VK_DELETE);
  EXPECT_EQ((std::vector<std::wstring>{L"ab"}), Rows(lstЗамена));
  EXPECT_EQ((std::vector<std::wstring>{L"x(CrLf)y"}), dialog_->Expansions());
  EXPECT_EQ(-1, Selection(lstЗамена));
  EXPECT_EQ(L"p\r\nq", Text(txtКод)) << "the boxes keep what they showed";
  ASSERT_EQ(2u, prompts_.shown.size());
  EXPECT_EQ(L"Действительно хотите удалить ключ: renamed", prompts_.shown[1].text);
  EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), prompts_.shown[1].style);
  EXPECT_EQ((std::vector<std::wstring>{L"Input Введите ключ []", L"Input Введите новый ключ [new]",
                                       L"Input Введите новый ключ [renamed]"}),
            effects_.calls);
}

TEST_F(OptionsListsTest, NamesThatWouldReadBackOtherwiseAreRefused) {
  WriteList(L"SyntaxColors.ini", L"x = 1\r\n");
  Open();
  const struct {
    int button;
    const wchar_t* answer;
    int list;
  } cases[] = {{imgДобавить, L"a=b", lstЗамена}, {imgДобавить, L"*a", lstЗамена},
               {imgДобавитьПодсветку, L"a=", lstПодсветки}, {imgИзменитьПодсветку, L"*x", lstПодсветки},
               {imgДобавитьОбработчик, L"Мой=", cboErrorHandlers}};
  for (const auto& c : cases) {
    const std::vector<std::wstring> before = Rows(c.list);
    prompts_.shown.clear();
    effects_.answers = {c.answer};
    Press(c.button, WM_LBUTTONDOWN, WM_LBUTTONUP);
    EXPECT_EQ(before, Rows(c.list)) << c.answer;
    EXPECT_EQ(1u, prompts_.shown.size()) << c.answer;
  }
}

TEST_F(OptionsListsTest, HighlightedTextsKeepTheirColoursThroughTheSwatch) {
  WriteList(L"SyntaxColors.ini", L"x = 1\r\n");
  Open();
  effects_.answers = {L"="};
  Key(lstПодсветки, VK_INSERT);
  EXPECT_EQ((std::vector<std::wstring>{L"x", L"="}), Rows(lstПодсветки));
  EXPECT_EQ(0, Selection(lstПодсветки)) << "adding does not move the selection";
  EXPECT_EQ(0, Data(lstПодсветки, 1));
  effects_.colour = std::nullopt;
  Press(lstЦветПодсветок, WM_RBUTTONDOWN, WM_RBUTTONUP);
  EXPECT_EQ(1, Data(lstПодсветки, 0)) << "a cancelled colour dialog changes nothing";
  effects_.colour = 4321;
  SendMessageW(C(lstЦветПодсветок), WM_LBUTTONDOWN, 0, 0);
  EXPECT_EQ(4321, Data(lstПодсветки, 0));
  EXPECT_EQ(4321, dialog_->HighlightColour());
  SendMessageW(C(lstЦветТекста), WM_MBUTTONDOWN, 0, 0);
  EXPECT_EQ(4321, dialog_->TextColour());
  EXPECT_EQ((std::vector<std::wstring>{L"PickColour 1", L"PickColour 1", L"PickColour 1381814"}), effects_.Taken());
  Choose(lstПодсветки, 1);
  EXPECT_EQ(0, dialog_->HighlightColour());
  prompts_.answers = {IDYES, IDYES};
  Key(lstПодсветки, VK_DELETE);
  EXPECT_TRUE(Shown(lstЦветПодсветок));
  Choose(lstПодсветки, 0);
  Key(lstПодсветки, VK_DELETE);
  EXPECT_FALSE(Shown(lstЦветПодсветок));
  EXPECT_FALSE(Shown(lblНа));
}

TEST_F(OptionsListsTest, FoldersComeFromTheFolderBrowserAndNoKeyActsOnThem) {
  WriteList(L"IncludingPaths.ini", L"C:\\Lib\\\r\n");
  Open();
  for (const WPARAM key : {WPARAM{VK_INSERT}, WPARAM{VK_F2}, WPARAM{VK_DELETE}}) Key(lstПути, key);
  EXPECT_TRUE(prompts_.folder_requests.empty());
  EXPECT_TRUE(prompts_.shown.empty());
  prompts_.folders = {L"D:\\Общие", L""};
  Press(imgДобавитьПуть, WM_LBUTTONDOWN, WM_LBUTTONUP);
  Press(imgИзменитьПуть, WM_LBUTTONDOWN, WM_LBUTTONUP);
  EXPECT_EQ((std::vector<std::wstring>{L"C:\\Lib\\", L"D:\\Общие\\"}), Rows(lstПути));
  ASSERT_EQ(2u, prompts_.folder_requests.size());
  EXPECT_EQ(L"Выберите путь", prompts_.folder_requests[0].title);
  EXPECT_EQ(L"Выберите новый путь", prompts_.folder_requests[1].title);
  EXPECT_EQ(L"C:\\Lib\\", prompts_.folder_requests[1].start_folder);
  prompts_.answers = {IDYES};
  Press(imgУдалитьПуть, WM_LBUTTONDOWN, WM_LBUTTONUP);
  EXPECT_EQ((std::vector<std::wstring>{L"D:\\Общие\\"}), Rows(lstПути));
}

TEST_F(OptionsListsTest, TemplatesShowTheirFieldsAndTheLastOneGoneDisablesThem) {
  WriteList(L"ErrorHandlers.ini", L"Стандарт = a|b|1|0|x\r\n");
  Open();
  effects_.answers = {L"Новый"};
  Press(imgДобавитьОбработчик, WM_LBUTTONDOWN, WM_LBUTTONUP);
  EXPECT_EQ((std::vector<std::wstring>{L"Стандарт", L"Новый"}), Rows(cboErrorHandlers));
  EXPECT_EQ(0, Selection(cboErrorHandlers));
  EXPECT_EQ(0, Data(cboErrorHandlers, 1));
  // The shown template was packed again as its boxes were set: the fifth field is gone.
  EXPECT_EQ((std::vector<std::wstring>{L"a|b|1|0", L""}), dialog_->Parameters());
  ShowAndFocus(txtHeader);
  Type(txtHeader, L"h1\r\nh2");
  SetFocus(C(txtFooter));
  Click(chkПропускатьОбработчик);
  EXPECT_EQ(L"h1(CrLf)h2|b|1|1", dialog_->Parameters()[0]);
  Choose(cboErrorHandlers, 1);
  EXPECT_EQ(L"", Text(txtHeader));
  EXPECT_FALSE(Checked(chkДоступностьОбработчик));
  EXPECT_FALSE(Enabled(txtHeader));
  prompts_.answers = {IDYES, IDYES};
  Press(imgУдалитьОбработчик, WM_LBUTTONDOWN, WM_LBUTTONUP);
  EXPECT_EQ(0, Selection(cboErrorHandlers));
  EXPECT_EQ(L"h1\r\nh2", Text(txtHeader));
  EXPECT_TRUE(Checked(chkДоступностьОбработчик)) << "the first template is shown again";
  Press(imgУдалитьОбработчик, WM_LBUTTONDOWN, WM_LBUTTONUP);
  EXPECT_TRUE(Rows(cboErrorHandlers).empty());
  EXPECT_FALSE(Checked(chkДоступностьОбработчик));
  EXPECT_FALSE(Enabled(txtHeader));
  EXPECT_FALSE(Enabled(chkНумерацияОбработчик));
  EXPECT_EQ(L"h1\r\nh2", Text(txtHeader)) << "the texts stay visible";
}

// A line broken by a lone LF or CR, as pasted from elsewhere, is stored with the list's break mark: the
// entry stays one line of its file.
TEST_F(OptionsListsTest, ALoneLineBreakIsStoredAsABreakMark) {
  WriteList(L"AutoInserts.ini", L"ab = x\r\n");
  WriteList(L"ErrorHandlers.ini", L"Стандарт = a|b|0|0\r\n");
  Open();
  ShowAndFocus(txtКод);
  Type(txtКод, L"If x Then\nFoo = 1\rEnd If");
  SetFocus(C(txtHeader));
  Type(txtHeader, L"h1\nh2");
  SetFocus(C(txtFooter));
  Type(txtFooter, L"f1\rf2");
  SetFocus(C(txtШаблонТекста));
  Type(txtШаблонТекста, L"c1\nc2");
  dialog_->Apply();
  EXPECT_EQ(Cp1251(L"ab" + std::wstring(48, L' ') + L" = If x Then(CrLf)Foo = 1(CrLf)End If\r\n"),
            ListBytes(L"AutoInserts.ini"));
  EXPECT_EQ(Cp1251(L"Стандарт" + std::wstring(22, L' ') + L" = h1(CrLf)h2|f1(CrLf)f2|0|0\r\n"),
            ListBytes(L"ErrorHandlers.ini"));
  EXPECT_EQ(L"c1(CrLf)c2", Stored(L"CustomCode"));
}

TEST_F(OptionsListsTest, AnImageButtonActsOnReleaseEvenOutsideIt) {
  Open();
  SendMessageW(C(imgДобавить), WM_LBUTTONDOWN, 0, 0);
  EXPECT_TRUE(effects_.calls.empty());
  SendMessageW(C(imgДобавить), WM_MOUSEMOVE, 0, MAKELPARAM(500, 500));
  SendMessageW(C(imgДобавить), WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
  EXPECT_EQ(1u, effects_.calls.size());
  SendMessageW(C(imgДобавить), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(1u, effects_.calls.size()) << "a release without a press does nothing";
}

TEST_F(OptionsListsTest, EnterBreaksTheLineInTextBoxesAndPressesOkElsewhere) {
  WriteList(L"AutoInserts.ini", L"ab = x\r\n");
  Open();
  ASSERT_TRUE(Enabled(txtКод));
  ShowAndFocus(txtКод);
  SendMessageW(C(txtКод), EM_SETSEL, 1, 1);
  PumpKey(txtКод, VK_RETURN);
  EXPECT_EQ(L"x\r\n", Text(txtКод));
  EXPECT_EQ(L"(none)", Stored(L"AutoIndent"));
  // OK while the focus is still in the code box: what it holds is stored before the file is written.
  SetFocus(C(txtX));
  SetFocus(C(txtКод));
  Type(txtКод, L"y\r\nz");
  dialog_->Apply();
  EXPECT_EQ(Cp1251(L"ab" + std::wstring(48, L' ') + L" = y(CrLf)z\r\n"), ListBytes(L"AutoInserts.ini"));
  SetFocus(C(txtX));
  RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
  PumpKey(txtX, VK_RETURN);
  EXPECT_EQ(L"True", Stored(L"AutoIndent"));
  EXPECT_FALSE(IsWindowVisible(dialog_->hwnd())) << "OK closes the dialog";
}

}  // namespace
}  // namespace qv::test
