#include <gtest/gtest.h>

#include "kit/hot_key.h"
#include "tests/dialogs/options_fixture.h"

namespace qv::test {
namespace {

class OptionsRulesTest : public OptionsTest {
 protected:
  void Set(int id, bool on) const {
    if (id == optWindowsXP) {
      SelectOption(C(on ? optWindowsXP : optКлассический));
    } else {
      SetChecked(C(id), on);
    }
  }
  std::vector<int> EnabledOf(const std::vector<int>& ids) const {
    std::vector<int> enabled;
    for (const int id : ids) {
      if (Enabled(id)) enabled.push_back(id);
    }
    return enabled;
  }
};

std::vector<int> HotKeyControls() {
  std::vector<int> ids;
  for (int index = 0; index < QV_HOT_KEY_COUNT; ++index) {
    ids.push_back(lblHotKeys + index);
    ids.push_back(txtHotKeys + index);
  }
  return ids;
}

// Each master box: what it enables alone, and what needs its second box as well.
TEST_F(OptionsRulesTest, EachBoxEnablesItsControlsAndTheSecondBoxItsOwn) {
  const struct {
    int box;
    std::vector<int> plain;
    std::vector<int> with_second;
    int second;
  } rules[] = {
      {chkАвтоОтступ, {OptАвтоматическая, OptПоReturn, chkШиринаОтступа, lblПробель}, {txtШиринаОтступа}, chkШиринаОтступа},
      {chkАвтоВставка,
       {chkВставкаThen, lblПриReturn, chkВставкаКонечныхКонструкторов, chkВставкаЗнак, lblПриДобавленииПроцедуры,
        chkВставкаПроизвольногоТекста},
       {txtШаблонТекста},
       chkВставкаПроизвольногоТекста},
      {chkАвтоТекст, {imgДобавить, imgИзменить, imgУдалить, lstЗамена, chkДоступно}, {txtКод}, chkДоступно},
      {chkАвтоЗамена, {lblZamena, chkИнкрементИДекремент, chkСоставноеПрисваивание, chkИнициализацийПеременных}, {}, 0},
      {chkНумерация, {lblНачатьС, lblШаг, txtНумерацияНачатьС, txtНумерацияШаг, chkПропускать, chkАвтоНумерация}, {}, 0},
      {chkОбъявление,
       {chkАвтоОбъявление, lblПути, lstПути, lblКаталогПроектов, txtКаталогПроектов, cmdОбзор, imgДобавитьПуть,
        imgИзменитьПуть, imgУдалитьПуть},
       {},
       0},
      {chkОбработчикиОшибок,
       {lblНазвание, cboErrorHandlers, imgДобавитьОбработчик, imgИзменитьОбработчик, imgУдалитьОбработчик,
        chkДоступностьОбработчик},
       {txtHeader, txtFooter, chkНумерацияОбработчик},
       chkДоступностьОбработчик},
      {chkПодсветкаСинтаксиса,
       {lblЗаменаЦвета, chkЗаменаЦветаОператоров, chkЗаменаЦветаДопОператоров, chkЗаменаЦветаТекстов, lstЦветТекста,
        chkЗаменаЦветаСледующих, LblСдвиг, LblX, LblY, txtX, txtY},
       {imgДобавитьПодсветку, imgИзменитьПодсветку, imgУдалитьПодсветку, lstПодсветки, lblНа, lstЦветПодсветок},
       chkЗаменаЦветаСледующих},
      {chkСкроллинг, {chkВысотаСкролла, lblСтрока}, {txtВысотаСкролла}, chkВысотаСкролла},
      {chkСтильИнтерфейса, {optКлассический, optWindowsXP}, {chkПоказПалитры}, optWindowsXP},
      {chkЯзыкИнтерфейса, {lblЯзык, cboЯзыки}, {}, 0},
      {chkMDIВкладки, {lblРасположить, optВверх, optВниз}, {}, 0},
      {chkГорячиеКлавиши, HotKeyControls(), {}, 0},
  };
  WriteList(L"ErrorHandlers.ini", L"Стандарт = a|b|0|0\r\n");
  Open();
  for (const auto& rule : rules) {
    std::vector<int> all = rule.plain;
    all.insert(all.end(), rule.with_second.begin(), rule.with_second.end());
    if (rule.second) Set(rule.second, true);
    Set(rule.box, false);
    EXPECT_EQ(std::vector<int>{}, EnabledOf(all)) << rule.box << " off";
    Set(rule.box, true);
    EXPECT_EQ(all, EnabledOf(all)) << rule.box << " on";
    if (!rule.second) continue;
    Set(rule.second, false);
    EXPECT_EQ(rule.plain, EnabledOf(all)) << rule.second << " off";
    Set(rule.box, false);
    Set(rule.box, true);
    EXPECT_EQ(rule.plain, EnabledOf(all)) << rule.box << " on again, " << rule.second << " off";
    Set(rule.second, true);
    EXPECT_EQ(all, EnabledOf(all)) << rule.second << " on";
  }
}

TEST_F(OptionsRulesTest, TheSkipBoxNeedsTheTemplateAndItsNumberingAndTheMasterOverAll) {
  WriteList(L"ErrorHandlers.ini", L"Стандарт = a|b|1|1\r\n");
  Open();
  ASSERT_TRUE(Checked(chkДоступностьОбработчик));
  const struct {
    bool master;
    bool flag;
    bool numbering;
    bool header;
    bool skip;
  } cases[] = {
      {true, true, true, true, true},     {true, true, false, true, false}, {true, false, true, false, false},
      {false, true, true, false, false},  {true, true, true, true, true},
  };
  for (const auto& c : cases) {
    Set(chkНумерацияОбработчик, c.numbering);
    Set(chkДоступностьОбработчик, c.flag);
    Set(chkОбработчикиОшибок, false);
    Set(chkОбработчикиОшибок, c.master);
    EXPECT_EQ(c.header, Enabled(txtHeader)) << c.master << c.flag << c.numbering;
    EXPECT_EQ(c.header, Enabled(txtFooter)) << c.master << c.flag << c.numbering;
    EXPECT_EQ(c.skip, Enabled(chkПропускатьОбработчик)) << c.master << c.flag << c.numbering;
  }
}

TEST_F(OptionsRulesTest, ClassicStyleUnchecksThePaletteAndWindowsXpOnlyEnablesIt) {
  Open();
  ASSERT_TRUE(Checked(chkПоказПалитры)) << "loading keeps the palette setting under the classic style";
  Set(optWindowsXP, true);
  EXPECT_TRUE(Enabled(chkПоказПалитры));
  Set(optWindowsXP, false);
  EXPECT_FALSE(Enabled(chkПоказПалитры));
  EXPECT_FALSE(Checked(chkПоказПалитры));
  Set(optWindowsXP, true);
  EXPECT_TRUE(Enabled(chkПоказПалитры));
  EXPECT_FALSE(Checked(chkПоказПалитры));
}

TEST_F(OptionsRulesTest, AKeyInAHotKeyBoxBecomesItsText) {
  Open();
  const HWND box = C(txtHotKeys + 5);
  const struct {
    UINT message;
    WPARAM key;
    std::vector<int> held;
    const wchar_t* text;
  } cases[] = {
      {WM_KEYDOWN, VK_F11, {}, L"F11"},
      {WM_KEYDOWN, VK_CONTROL, {VK_CONTROL}, L"F11"},
      {WM_KEYDOWN, VK_ESCAPE, {}, L"Нет"},
      {WM_KEYDOWN, VK_ESCAPE, {VK_CONTROL}, L"Ctrl + Escape"},
      {WM_KEYDOWN, VK_F6, {VK_SHIFT}, L"Shift + F6"},
      {WM_SYSKEYDOWN, 'X', {VK_MENU}, L"Alt + X"},
      {WM_SYSKEYDOWN, VK_MENU, {VK_MENU}, L"Alt + X"},
      {WM_KEYDOWN, VK_DELETE, {VK_CONTROL}, L"Ctrl + Delete"},
      {WM_KEYDOWN, VK_DELETE, {}, L"Нет"},
      {WM_KEYDOWN, 'A', {VK_CONTROL, VK_SHIFT, VK_MENU}, L"Ctrl + Shift + Alt + A"},
  };
  for (const auto& c : cases) {
    BYTE keys[256] = {};
    for (const int held : c.held) keys[held] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(box, c.message, c.key, 1);
    EXPECT_EQ(c.text, Text(txtHotKeys + 5)) << c.key;
  }
  BYTE none[256] = {};
  SetKeyboardState(none);
  // Read-only as it is, the box would drop any character: made writable, it still drops 86 and 45.
  SendMessageW(box, EM_SETREADONLY, FALSE, 0);
  Type(txtHotKeys + 5, L"");
  for (const wchar_t character : {L'V', L'-', L'W'}) SendMessageW(box, WM_CHAR, character, 1);
  EXPECT_EQ(L"W", Text(txtHotKeys + 5));
}

// Keys as the running dialog gets them: through its own modal loop, or a plain loop with the hook of
// a modeless dialog; both hand them to IsDialogMessage, which would make Escape a cancel.
TEST_F(OptionsRulesTest, EscapeReachesAHotKeyBoxThroughTheDialogsLoops) {
  const struct {
    bool modeless;
    BYTE ctrl;
    const wchar_t* text;
  } cases[] = {{false, 0, L"Нет"}, {false, 0x80, L"Ctrl + Escape"}, {true, 0, L"Нет"}, {true, 0x80, L"Ctrl + Escape"}};
  for (const auto& c : cases) {
    Open(c.modeless);
    ASSERT_EQ(L"F6", Text(txtHotKeys + 5));
    BYTE keys[256] = {};
    keys[VK_CONTROL] = c.ctrl;
    SetKeyboardState(keys);
    PostMessageW(C(txtHotKeys + 5), WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageW(C(txtHotKeys + 5), WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001u));
    if (c.modeless) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    } else {
      PostMessageW(dialog_->hwnd(), WM_CLOSE, 0, 0);
      dialog_->RunModal();
    }
    EXPECT_EQ(c.text, Text(txtHotKeys + 5)) << (c.modeless ? "modeless" : "modal");
    EXPECT_TRUE(prompts_.shown.empty());
    DestroyWindow(dialog_->hwnd());  // a modeless one leaves its hook as it goes
    dialog_.reset();
  }
  BYTE none[256] = {};
  SetKeyboardState(none);
}

}  // namespace
}  // namespace qv::test
