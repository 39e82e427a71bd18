#include <gtest/gtest.h>

#include "dialogs/about_box.h"
#include "tests/dialogs/open_dialog.h"
#include "tests/dialogs/options_fixture.h"
#include "win/module_lifetime.h"

namespace qv::test {
namespace {

class OptionsLoadTest : public OptionsTest {
 protected:
  void WriteSampleLists() {
    WriteList(L"AutoInserts.ini", L"*abc = x\r\nab   = y(CrLf)z  \r\nno separator\r\n");
    WriteList(L"SyntaxColors.ini", L"=          = 255\r\n*qq = 12\r\nbad = abc\r\nbig = 99999999999\r\nok = 7\r\n");
    WriteList(L"ErrorHandlers.ini", L"*Стандарт = a|b|1|0|x\r\nПростой = abc\r\n");
    WriteList(L"IncludingPaths.ini", L"C:\\Lib\\\r\n\r\n* D:\\Общие \r\n");
    WriteList(L"Languages.ini", L"[VB6]\r\nEnglish=en.dll\r\n Русский = ru.dll\r\n[VBE6]\r\nDeutsch=de.dll\r\n");
  }
};

TEST_F(OptionsLoadTest, ControlsShowTheSettingsInForce) {
  Open();
  const struct {
    int id;
    bool checked;
  } boxes[] = {
      {chkАвтоОтступ, true}, {OptАвтоматическая, false}, {OptПоReturn, true}, {chkШиринаОтступа, true},
      {chkАвтоВставка, true}, {chkВставкаКонечныхКонструкторов, false}, {chkВставкаThen, true},
      {chkВставкаЗнак, false}, {chkВставкаПроизвольногоТекста, true}, {chkАвтоТекст, true},
      {chkАвтоЗамена, false}, {chkИнкрементИДекремент, true}, {chkСоставноеПрисваивание, false},
      {chkИнициализацийПеременных, true}, {chkНумерация, true}, {chkПропускать, true},
      {chkАвтоНумерация, false}, {chkОбработчикиОшибок, true}, {chkОбъявление, true},
      {chkАвтоОбъявление, false}, {chkПодсветкаСинтаксиса, true}, {chkЗаменаЦветаОператоров, false},
      {chkЗаменаЦветаДопОператоров, true}, {chkЗаменаЦветаТекстов, false}, {chkЗаменаЦветаСледующих, true},
      {chkСкроллинг, true}, {chkВысотаСкролла, true}, {chkСтильИнтерфейса, true}, {optКлассический, true},
      {optWindowsXP, false}, {chkПоказПалитры, true}, {chkЯзыкИнтерфейса, true}, {chkMDIВкладки, true},
      {optВверх, false}, {optВниз, true}, {chkГорячиеКлавиши, true},
  };
  for (const auto& box : boxes) EXPECT_EQ(box.checked, Checked(box.id)) << box.id;
  const struct {
    int id;
    const wchar_t* text;
  } texts[] = {
      {txtШиринаОтступа, L"3"}, {txtШаблонТекста, L"On Error Goto E\r\nExit (MemberType)"},
      {txtНумерацияНачатьС, L"100"}, {txtНумерацияШаг, L"5"}, {txtКаталогПроектов, L"C:\\Проекты\\"},
      {txtX, L"9"}, {txtY, L"-2"}, {txtВысотаСкролла, L"7"}, {txtHotKeys + 0, L"Ctrl + Alt + Tab"},
      {txtHotKeys + 4, L"Ctrl + Shift + '"}, {txtHotKeys + 7, L"Нет"}, {txtHotKeys + 8, L"F11"},
      {lblHotKeys + 8, L"Вызов окна перехода к функ./проц.-ам"}, {LblX, L"X:"}, {LblY, L"Y:"},
      {chkСоставноеПрисваивание, L"операций составного присваивание (+=, -=, *=, /=, \\=, &&=)"},
      {lblНастройка, L"Форматирование кода - Авто-отступ"}, {lblИнформация, L"Настройки авто-отступа"},
  };
  for (const auto& text : texts) EXPECT_EQ(text.text, Text(text.id)) << text.id;
  EXPECT_EQ(1381814, dialog_->TextColour());
  EXPECT_EQ(L"Настройки Quorvane", ControlText(dialog_->hwnd()));
}

TEST_F(OptionsLoadTest, TheListFilesFillTheListsWithTheirFlags) {
  WriteSampleLists();
  Open();
  EXPECT_EQ((std::vector<std::wstring>{L"abc", L"ab"}), Rows(lstЗамена));
  EXPECT_EQ(0, Data(lstЗамена, 0));
  EXPECT_EQ(-1, Data(lstЗамена, 1));
  EXPECT_EQ((std::vector<std::wstring>{L"x", L"y(CrLf)z  "}), dialog_->Expansions());
  // Row 0 shown: switched off, so its code box is disabled.
  EXPECT_EQ(0, Selection(lstЗамена));
  EXPECT_EQ(L"x", Text(txtКод));
  EXPECT_FALSE(Checked(chkДоступно));
  EXPECT_FALSE(Enabled(txtКод));

  EXPECT_EQ((std::vector<std::wstring>{L"=", L"qq", L"bad", L"big", L"ok"}), Rows(lstПодсветки));
  const long colours[] = {255, 12, 0, 0, 7};
  for (long row = 0; row < 5; ++row) EXPECT_EQ(colours[row], Data(lstПодсветки, row)) << row;
  EXPECT_EQ(255, dialog_->HighlightColour());
  EXPECT_TRUE(Shown(lstЦветПодсветок));
  // The colour that does not fit is reported once, and what follows still loads.
  ASSERT_EQ(1u, prompts_.shown.size());
  EXPECT_EQ(static_cast<UINT>(MB_OK), prompts_.shown[0].style);

  EXPECT_EQ((std::vector<std::wstring>{L"Стандарт", L"Простой"}), Rows(cboErrorHandlers));
  EXPECT_EQ(0, Data(cboErrorHandlers, 0));
  EXPECT_EQ(-1, Data(cboErrorHandlers, 1));
  EXPECT_EQ(L"a", Text(txtHeader));
  EXPECT_EQ(L"b", Text(txtFooter));
  EXPECT_TRUE(Checked(chkНумерацияОбработчик));
  EXPECT_FALSE(Checked(chkПропускатьОбработчик));
  EXPECT_FALSE(Checked(chkДоступностьОбработчик));
  EXPECT_FALSE(Enabled(txtHeader));

  EXPECT_EQ((std::vector<std::wstring>{L"C:\\Lib\\", L"", L"D:\\Общие"}), Rows(lstПути));
  EXPECT_EQ(0, Selection(lstПути));
  EXPECT_EQ((std::vector<std::wstring>{L"English", L"Русский"}), Rows(cboЯзыки));
  EXPECT_EQ(1, Selection(cboЯзыки));
}

// A colour that is no number or does not fit loads as 0, and the first of them is reported, once.
TEST_F(OptionsLoadTest, ABadColourIsReportedOnceAndItsRowKeptWithColourZero) {
  const struct {
    const wchar_t* file;
    std::vector<long> colours;
    std::vector<std::wstring> reports;
  } cases[] = {
      {L"bad = abc\r\nok = 7  \r\n", {0, 7}, {TypeMismatchError().description}},
      {L"big = 99999999999\r\n", {0}, {OverflowError().description}},
      {L"part = 12abc\r\nbig = 99999999999\r\nbad = abc\r\n", {0, 0, 0}, {TypeMismatchError().description}},
      {L"hex = &HFF\r\nneg = -1\r\n", {255, -1}, {}},
  };
  for (const auto& c : cases) {
    WriteList(L"SyntaxColors.ini", c.file);
    prompts_.shown.clear();
    Open();
    std::vector<long> colours;
    for (long row = 0; row < static_cast<long>(Rows(lstПодсветки).size()); ++row) colours.push_back(Data(lstПодсветки, row));
    EXPECT_EQ(c.colours, colours) << c.file;
    std::vector<std::wstring> reports;
    for (const ShownMessage& shown : prompts_.shown) reports.push_back(shown.text);
    EXPECT_EQ(c.reports, reports) << c.file;
    dialog_.reset();
  }
}

TEST_F(OptionsLoadTest, MissingFilesAreCreatedEmptyAndTheLanguageListFallsBackToTheHosts) {
  const struct {
    bool is_vba;
    const wchar_t* host_language;
    std::vector<std::wstring> rows;
    long selected;
  } cases[] = {
      {false, L"Русский", {L"Русский"}, 0},
      {false, L"", {L""}, 0},
      {true, L"Deutsch", {L"Deutsch"}, 0},
  };
  for (const auto& c : cases) {
    State().IsVBA = c.is_vba;
    State().HostLanguage = c.host_language;
    Open();
    EXPECT_EQ(c.rows, Rows(cboЯзыки));
    EXPECT_EQ(c.selected, Selection(cboЯзыки));
    dialog_.reset();
  }
  for (const wchar_t* name : {L"AutoInserts.ini", L"SyntaxColors.ini", L"ErrorHandlers.ini", L"IncludingPaths.ini"}) {
    EXPECT_EQ("", ListBytes(name)) << name;
  }
  EXPECT_FALSE(Shown(lstЦветПодсветок));
  EXPECT_TRUE(prompts_.shown.empty());
  // The VBA editor's section is named after the host's major version.
  WriteList(L"Languages.ini", L"[VB6]\r\nEnglish=en.dll\r\n[VBE6]\r\nDeutsch=de.dll\r\nEnglish=en.dll\r\n");
  State().IsVBA = true;
  Open();
  EXPECT_EQ((std::vector<std::wstring>{L"Deutsch", L"English"}), Rows(cboЯзыки));
  EXPECT_EQ(0, Selection(cboЯзыки));
}

TEST_F(OptionsLoadTest, TheStyleInForceChoosesItsOption) {
  for (const short style : {short{0}, short{1}}) {
    effects_.style = style;
    Open();
    EXPECT_EQ(style == 1, Checked(optWindowsXP));
    EXPECT_EQ(style == 0, Checked(optКлассический));
    dialog_.reset();
  }
}

TEST_F(OptionsLoadTest, EachPageRowShowsItsPageAndHeadingsChangeNothing) {
  Open();
  const std::vector<std::wstring> rows = Rows(lstOptions);
  ASSERT_EQ(15u, rows.size());
  EXPECT_EQ(L"Форматирование кода", rows[0]);
  EXPECT_EQ(L"     Авто-отступ", rows[1]);
  EXPECT_EQ(L"Интерфейс", rows[9]);
  const struct {
    long row;
    int page;
    const wchar_t* title;
    const wchar_t* description;
  } cases[] = {
      {2, 2, L"Форматирование кода - Авто-вставка", L"Настройки авто-вставки"},
      {9, 2, L"Форматирование кода - Авто-вставка", L"Настройки авто-вставки"},
      {6, 6, L"Форматирование кода - Объявление", L"Настройки объявление функций, типов и констант"},
      {10, 9, L"Интерфейс - Скроллинг", L"Настройки скроллинга с помощью мышиного колеса"},
      {0, 9, L"Интерфейс - Скроллинг", L"Настройки скроллинга с помощью мышиного колеса"},
      {14, 13, L"Интерфейс - Горячие клавиши", L"Настройки горячих клавиш"},
      {13, 12, L"Интерфейс - MDI вкладки", L"Настройки MDI закладок"},
  };
  for (const auto& c : cases) {
    Choose(lstOptions, c.row);
    EXPECT_EQ(c.page, dialog_->Page()) << c.row;
    EXPECT_EQ(c.title, Text(lblНастройка)) << c.row;
    EXPECT_EQ(c.description, Text(lblИнформация)) << c.row;
    for (int page = 1; page <= QV_OPTIONS_PAGES; ++page) {
      const HWND panel = GetParent(C(QV_OPTIONS_FIRST_ID + QV_OPTIONS_PAGE_IDS * page + 1));
      EXPECT_EQ(page == c.page, (GetWindowLongW(panel, GWL_STYLE) & WS_VISIBLE) != 0) << c.row << " " << page;
    }
  }
}

// A modeless dialog holds the library until the add-in's shutdown destroys it.
TEST_F(OptionsLoadTest, TheModelessDialogHoldsTheLibraryUntilTheShutdownUnloadsIt) {
  ASSERT_FALSE(ModuleInUse());
  ShowOptions(false, effects_, modeless_);
  ASSERT_NE(nullptr, OpenDialog(kOptionsCaption));
  EXPECT_TRUE(IsWindowVisible(OpenDialog(kOptionsCaption)));
  EXPECT_EQ(nullptr, GetWindow(OpenDialog(kOptionsCaption), GW_OWNER));
  EXPECT_TRUE(ModuleInUse());
  UnloadDialogs(modeless_);
  EXPECT_EQ(nullptr, OpenDialog(kOptionsCaption));
  EXPECT_FALSE(ModuleInUse());
}

}  // namespace
}  // namespace qv::test
