// The options dialog's enable rules, the style options and the hot-key capture.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "dialogs/options_dialog.h"
#include "dialogs/controls.h"
#include "kit/hot_key.h"

namespace qv {
namespace {

// A control that a box enables, given one or two further boxes that must be set as well.
struct Dependent {
  int id;
  int also = 0;
  int also_too = 0;
};

struct EnableRule {
  int box;
  std::vector<Dependent> dependents;
};

std::vector<Dependent> HotKeyDependents() {
  std::vector<Dependent> dependents;
  for (int index = 0; index < QV_HOT_KEY_COUNT; ++index) {
    dependents.push_back({lblHotKeys + index});
    dependents.push_back({txtHotKeys + index});
  }
  return dependents;
}

const std::vector<EnableRule>& EnableRules() {
  static const std::vector<EnableRule> rules = {
      {chkАвтоОтступ,
       {{OptАвтоматическая}, {OptПоReturn}, {chkШиринаОтступа}, {lblПробель}, {txtШиринаОтступа, chkШиринаОтступа}}},
      {chkШиринаОтступа, {{txtШиринаОтступа}}},
      {chkАвтоВставка,
       {{chkВставкаThen},
        {lblПриReturn},
        {chkВставкаКонечныхКонструкторов},
        {chkВставкаЗнак},
        {lblПриДобавленииПроцедуры},
        {chkВставкаПроизвольногоТекста},
        {txtШаблонТекста, chkВставкаПроизвольногоТекста}}},
      {chkВставкаПроизвольногоТекста, {{txtШаблонТекста}}},
      {chkАвтоТекст, {{imgДобавить}, {imgИзменить}, {imgУдалить}, {lstЗамена}, {chkДоступно}, {txtКод, chkДоступно}}},
      {chkДоступно, {{txtКод}}},
      {chkАвтоЗамена,
       {{lblZamena}, {chkИнкрементИДекремент}, {chkСоставноеПрисваивание}, {chkИнициализацийПеременных}}},
      {chkНумерация,
       {{lblНачатьС}, {lblШаг}, {txtНумерацияНачатьС}, {txtНумерацияШаг}, {chkПропускать}, {chkАвтоНумерация}}},
      {chkОбъявление,
       {{chkАвтоОбъявление},
        {lblПути},
        {lstПути},
        {lblКаталогПроектов},
        {txtКаталогПроектов},
        {cmdОбзор},
        {imgДобавитьПуть},
        {imgИзменитьПуть},
        {imgУдалитьПуть}}},
      {chkОбработчикиОшибок,
       {{lblНазвание},
        {cboErrorHandlers},
        {imgДобавитьОбработчик},
        {imgИзменитьОбработчик},
        {imgУдалитьОбработчик},
        {chkДоступностьОбработчик},
        {txtHeader, chkДоступностьОбработчик},
        {txtFooter, chkДоступностьОбработчик},
        {chkНумерацияОбработчик, chkДоступностьОбработчик},
        {chkПропускатьОбработчик, chkНумерацияОбработчик, chkДоступностьОбработчик}}},
      {chkДоступностьОбработчик,
       {{txtHeader}, {txtFooter}, {chkНумерацияОбработчик}, {chkПропускатьОбработчик, chkНумерацияОбработчик}}},
      {chkНумерацияОбработчик, {{chkПропускатьОбработчик}}},
      {chkПодсветкаСинтаксиса,
       {{lblЗаменаЦвета},
        {chkЗаменаЦветаОператоров},
        {chkЗаменаЦветаДопОператоров},
        {chkЗаменаЦветаТекстов},
        {lstЦветТекста},
        {chkЗаменаЦветаСледующих},
        {LblСдвиг},
        {LblX},
        {LblY},
        {txtX},
        {txtY},
        {imgДобавитьПодсветку, chkЗаменаЦветаСледующих},
        {imgИзменитьПодсветку, chkЗаменаЦветаСледующих},
        {imgУдалитьПодсветку, chkЗаменаЦветаСледующих},
        {lstПодсветки, chkЗаменаЦветаСледующих},
        {lblНа, chkЗаменаЦветаСледующих},
        {lstЦветПодсветок, chkЗаменаЦветаСледующих}}},
      {chkЗаменаЦветаСледующих,
       {{imgДобавитьПодсветку},
        {imgИзменитьПодсветку},
        {imgУдалитьПодсветку},
        {lstПодсветки},
        {lblНа},
        {lstЦветПодсветок}}},
      {chkСкроллинг, {{chkВысотаСкролла}, {lblСтрока}, {txtВысотаСкролла, chkВысотаСкролла}}},
      {chkВысотаСкролла, {{txtВысотаСкролла}}},
      {chkСтильИнтерфейса, {{optКлассический}, {optWindowsXP}, {chkПоказПалитры, optWindowsXP}}},
      {chkЯзыкИнтерфейса, {{lblЯзык}, {cboЯзыки}}},
      {chkMDIВкладки, {{lblРасположить}, {optВверх}, {optВниз}}},
      {chkГорячиеКлавиши, HotKeyDependents()},
  };
  return rules;
}

int HeldModifiers() {
  const auto held = [](int key) { return GetKeyState(key) < 0; };
  return (held(VK_SHIFT) ? kShiftHeld : 0) | (held(VK_CONTROL) ? kCtrlHeld : 0) | (held(VK_MENU) ? kAltHeld : 0);
}

}  // namespace

bool OptionsDialog::RunEnableRule(int box) {
  for (const EnableRule& rule : EnableRules()) {
    if (rule.box != box) continue;
    const bool set = Checked(box);
    for (const Dependent& dependent : rule.dependents) {
      const bool enabled = set && (!dependent.also || Checked(dependent.also)) &&
                           (!dependent.also_too || Checked(dependent.also_too));
      EnableWindow(Control(dependent.id), enabled);
    }
    return true;
  }
  return false;
}

void OptionsDialog::PaletteRule() {
  const bool xp = Checked(optWindowsXP);
  EnableWindow(Control(chkПоказПалитры), xp);
  if (!xp) Check(chkПоказПалитры, false);
}

std::optional<LRESULT> OptionsDialog::HotKeyBox::OnMessage(HWND window, UINT& message, WPARAM& wparam,
                                                           LPARAM& lparam) {
  // Every key is the box's to capture: the dialog's loop would make Escape a cancel and Tab a move.
  if (message == WM_GETDLGCODE) return DefSubclassProc(window, message, wparam, lparam) | DLGC_WANTALLKEYS;
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
    const std::wstring text = CapturedHotKey(ControlText(window), static_cast<long>(wparam), HeldModifiers());
    SetControlText(window, text);
  } else if (message == WM_CHAR && (wparam == 86 || wparam == 45)) {
    return 0;
  }
  return std::nullopt;
}

}  // namespace qv
