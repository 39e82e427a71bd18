#include "addin/command_bars.h"

#include <string>
#include <utility>

#include "addin/addin_state.h"
#include "addin/button_faces.h"
#include "addin/command_bar_controls.h"
#include "addin/connection.h"
#include "addin/error_handler_menu.h"
#include "kit/vb_convert.h"
#include "win/failure_log.h"
#include "win/registry.h"

namespace qv {
namespace {

constexpr wchar_t kName[] = L"Quorvane";

using Ref = CommandBarControl CommandBarRefs::*;

// A control of the add-in: where it goes (a popup, or the toolbar when none), what it is and which
// handler its click reaches.
struct OwnControl {
  Ref ref;
  Ref popup;
  ControlSpec spec;
  ClickHandler CommandHandlers::*handler;  // none for a popup
};

constexpr OwnControl kAddinsEntries[] = {
    {&CommandBarRefs::OptionsButton,
     &CommandBarRefs::AddinsPopup,
     {kButton, L"Настройки...", {}, L"imgOptions"},
     &CommandHandlers::Options},
    {&CommandBarRefs::AboutButton,
     &CommandBarRefs::AddinsPopup,
     {kButton, L"О программе...", true, L"imgIcon"},
     &CommandHandlers::About},
};

constexpr OwnControl kToolbarControls[] = {
    {&CommandBarRefs::FormatButton, nullptr, {kButton, L"Форматировать блок", false, L"imgFormat"}, &CommandHandlers::Format},
    {&CommandBarRefs::DeclarateButton,
     nullptr,
     {kButton, L"Объявление переменных", {}, L"imgDeclarate"},
     &CommandHandlers::Declarate},
    {&CommandBarRefs::NumerationButton,
     nullptr,
     {kButton, L"Нумерация строк", true, L"imgNumeration"},
     &CommandHandlers::Numeration},
    {&CommandBarRefs::NumerationPopup, nullptr, {kPopup, L" ", {}, nullptr}, nullptr},
    {&CommandBarRefs::NumerationMenuItem,
     &CommandBarRefs::NumerationPopup,
     {kButton, L"Нумерация", {}, nullptr},
     &CommandHandlers::NumerationMenu},
    {&CommandBarRefs::UnNumerationMenuItem,
     &CommandBarRefs::NumerationPopup,
     {kButton, L"Убрать нумерацию", true, nullptr},
     &CommandHandlers::UnNumerationMenu},
    {&CommandBarRefs::ErrorHandlersPopup, nullptr, {kPopup, L"Обработчики ошибок", true, nullptr}, nullptr},
    {&CommandBarRefs::ProcsButton,
     nullptr,
     {kButton, L"Функции и процедуры", true, L"imgFuncAndProcs"},
     &CommandHandlers::Proc},
    {&CommandBarRefs::BackupButton, nullptr, {kButton, L"Архивировать", {}, L"imgBackup"}, &CommandHandlers::Backup},
    {&CommandBarRefs::HelpButton, nullptr, {kButton, L"Справка", true, L"imgHelp"}, &CommandHandlers::Help},
};

// The host's edit commands, counted from the button after the last one showing "F9".
constexpr Ref kEditCommands[] = {&CommandBarRefs::CommentControl, &CommandBarRefs::UncommentControl,
                                 &CommandBarRefs::BookmarkControl, &CommandBarRefs::NextBookmarkControl,
                                 &CommandBarRefs::PrevBookmarkControl};

// The toolbar's place, kept in the settings between connections.
struct PositionValue {
  BarPlace property;
  const wchar_t* value_name;
  const wchar_t* dflt;
};
constexpr PositionValue kPosition[] = {
    {BarPlace::kPosition, L"CommandBar.Position", L"1"},
    {BarPlace::kRowIndex, L"CommandBar.RowIndex", L"3"},
    {BarPlace::kLeft, L"CommandBar.Left", L"720"},
    {BarPlace::kTop, L"CommandBar.Top", L"23"},
};

void AddAndBind(const OwnControl& control, const CommandHandlers& handlers, HWND form) {
  CommandBarRefs& bars = Bars();
  Guarded(control.spec.caption, [&] {
    const ControlParent& parent =
        control.popup ? static_cast<const ControlParent&>(bars.*control.popup) : bars.Toolbar;
    bars.*control.ref = AddControl(parent, control.spec, form);
    if (control.handler) {
      bars.EventMembers.emplace_back(VBInstance().Events(), bars.*control.ref, handlers.*control.handler);
    }
  });
}

// A new entry at the end of the Add-Ins menu starts a group after fewer than two entries, or when the
// entry before it starts one and the entry before that does not.
bool StartsGroup(const CommandBar& addins_menu) {
  const CommandBarControls controls = addins_menu.Controls();
  const long before = controls.Count() - 1;
  if (before < 2) return true;
  return controls.Item(before).BeginGroup() && !controls.Item(before - 1).BeginGroup();
}

void AddAddinsPopup(CommandBarRefs& bars) {
  const CommandBar menu = NamedBar(L"Add-Ins");
  bars.AddinsPopup = AddControl(menu, {kPopup, kName, {}, nullptr});
  if (StartsGroup(menu)) bars.AddinsPopup.SetBeginGroup(true);
}

CommandBarControl MenuCommand(long menu, long command) {
  return NamedBar(L"Menu Bar").Controls().Item(menu).Controls().Item(command);
}

void TakeHostControls(CommandBarRefs& bars) {
  const bool is_vba = State().IsVBA;
  Guarded(L"Save command", [&] { bars.SaveProjectControl = MenuCommand(1, is_vba ? 3 : 5); });
  Guarded(L"Redo command", [&] { bars.RedoControl = MenuCommand(2, 2); });
  long index = 0;  // the "F9" button's; without one the commands are the bar's first five
  Guarded(L"F9 button", [&] { index = FindByShortCut(NamedBar(L"Edit"), L"F9").Index(); });
  for (const Ref command : kEditCommands) {
    ++index;
    Guarded(L"Edit command", [&] { bars.*command = NamedBar(L"Edit").Controls().Item(index); });
  }
}

// A crash leaves the add-in's controls in the host: its toolbar, which would refuse a new one of the
// same name, and its entry at the end of the Add-Ins menu.
void DeleteLeftoverEntry() {
  const CommandBarControls entries = NamedBar(L"Add-Ins").Controls();
  const CommandBarControl last = entries.Item(entries.Count());
  if (last.Caption() == kName) last.Delete();
}

// Each value is a step of its own: a refused Position leaves the others to apply.
void PlaceToolbar(const CommandBar& toolbar) {
  const std::wstring& key = State().SettingsKey;
  for (const PositionValue& value : kPosition) {
    Guarded(value.value_name, [&] {
      const std::wstring text = GetRegValue(HKEY_CURRENT_USER, key, value.value_name).value_or(value.dflt);
      toolbar.SetPlace(value.property, Val(text));
    });
  }
}

void SaveToolbarPlace(const CommandBar& toolbar) {
  const std::wstring& key = State().SettingsKey;
  for (const PositionValue& value : kPosition) {
    Guarded(value.value_name, [&] {
      SetRegValue(HKEY_CURRENT_USER, key, value.value_name, std::to_wstring(toolbar.Place(value.property)));
    });
  }
}

}  // namespace

CommandBarControl FindByShortCut(const CommandBar& bar, const std::wstring& ShortCutText) {
  CommandBarControl found;
  const CommandBarControls controls = bar.Controls();
  const long count = controls.Count();
  for (long index = 1; index <= count; ++index) {
    CommandBarControl control = controls.Item(index);
    if (control.TypeName() == L"CommandBarButton" && control.ShortCutText() == ShortCutText) {
      found = std::move(control);
    }
  }
  return found;
}

void AddCommandBarButtons(const CommandHandlers& handlers, HWND form) {
  CommandBarRefs& bars = Bars();
  Guarded(L"host language", [&] {
    const bool english = NamedBar(L"Add-Ins").Parent().Caption() == L"&Add-Ins";
    State().HostLanguage = english ? L"Английский" : L"Русский";
  });
  Guarded(L"leftover Add-Ins entry", [] { DeleteLeftoverEntry(); });
  Guarded(L"Add-Ins popup", [&] { AddAddinsPopup(bars); });
  for (const OwnControl& entry : kAddinsEntries) AddAndBind(entry, handlers, form);
  TakeHostControls(bars);
  Guarded(L"leftover toolbar", [] {
    if (const CommandBar leftover = VBInstance().CommandBars().Find(kName)) leftover.Delete();
  });
  Guarded(L"toolbar", [&] { bars.Toolbar = VBInstance().CommandBars().Add(kName); });
  PlaceToolbar(bars.Toolbar);
  for (const OwnControl& control : kToolbarControls) {
    AddAndBind(control, handlers, form);
    if (control.ref == &CommandBarRefs::ErrorHandlersPopup) AddErrorHandlers();
  }
  ClearClipboard(form);
  Guarded(L"toolbar visibility", [&] { bars.Toolbar.SetVisible(true); });
}

void RemoveCommandBarButtons() {
  CommandBarRefs& bars = Bars();
  for (const Ref entry : {&CommandBarRefs::OptionsButton, &CommandBarRefs::AboutButton, &CommandBarRefs::AddinsPopup}) {
    Guarded(L"Add-Ins entry removal", [&] { (bars.*entry).Delete(); });
  }
  SaveToolbarPlace(bars.Toolbar);
  Guarded(L"toolbar removal", [&] { bars.Toolbar.Delete(); });
  // The bindings and the host's objects go with the controls; the bindings first, as they are
  // declared last.
  { const CommandBarRefs released = std::exchange(bars, CommandBarRefs{}); }
}

}  // namespace qv
