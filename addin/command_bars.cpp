#include "addin/command_bars.h"

#include <string>
#include <utility>

#include "addin/addin_state.h"
#include "addin/button_faces.h"
#include "addin/command_bar_controls.h"
#include "addin/command_bar_refs.h"
#include "addin/command_handlers.h"
#include "addin/entry_points.h"
#include "addin/error_handler_menu.h"
#include "addin/quiet_step.h"
#include "kit/vb_convert.h"
#include "win/registry.h"

namespace qv {
namespace {

constexpr wchar_t kName[] = L"Quorvane";

using Ref = Variant CommandBarRefs::*;

// A control of the add-in: where it goes, what it is and which handler its click reaches.
struct OwnControl {
  Ref ref;
  Ref parent;
  ControlSpec spec;
  void (*handler)(IDispatch*);  // none for a popup
};

constexpr OwnControl kAddinsEntries[] = {
    {&CommandBarRefs::OptionsButton,
     &CommandBarRefs::AddinsPopup,
     {kButton, L"Настройки...", {}, L"imgOptions"},
     OptionsMenuHandler_Click},
    {&CommandBarRefs::AboutButton,
     &CommandBarRefs::AddinsPopup,
     {kButton, L"О программе...", true, L"imgIcon"},
     AboutMenuHandler_Click},
};

constexpr OwnControl kToolbarControls[] = {
    {&CommandBarRefs::FormatButton,
     &CommandBarRefs::Toolbar,
     {kButton, L"Форматировать блок", false, L"imgFormat"},
     FormatHandler_Click},
    {&CommandBarRefs::DeclarateButton,
     &CommandBarRefs::Toolbar,
     {kButton, L"Объявление переменных", {}, L"imgDeclarate"},
     DeclarateHandler_Click},
    {&CommandBarRefs::NumerationButton,
     &CommandBarRefs::Toolbar,
     {kButton, L"Нумерация строк", true, L"imgNumeration"},
     NumerationHandler_Click},
    {&CommandBarRefs::NumerationPopup, &CommandBarRefs::Toolbar, {kPopup, L" ", {}, nullptr}, nullptr},
    {&CommandBarRefs::NumerationMenuItem,
     &CommandBarRefs::NumerationPopup,
     {kButton, L"Нумерация", {}, nullptr},
     NumerationMenuHandler_Click},
    {&CommandBarRefs::UnNumerationMenuItem,
     &CommandBarRefs::NumerationPopup,
     {kButton, L"Убрать нумерацию", true, nullptr},
     UnNumerationMenuHandler_Click},
    {&CommandBarRefs::ErrorHandlersPopup,
     &CommandBarRefs::Toolbar,
     {kPopup, L"Обработчики ошибок", true, nullptr},
     nullptr},
    {&CommandBarRefs::ProcsButton,
     &CommandBarRefs::Toolbar,
     {kButton, L"Функции и процедуры", true, L"imgFuncAndProcs"},
     ProcHandler_Click},
    {&CommandBarRefs::BackupButton,
     &CommandBarRefs::Toolbar,
     {kButton, L"Архивировать", {}, L"imgBackup"},
     BackupHandler_Click},
    {&CommandBarRefs::HelpButton, &CommandBarRefs::Toolbar, {kButton, L"Справка", true, L"imgHelp"}, HelpHandler_Click},
};

// The host's edit commands, counted from the button after the last one showing "F9".
constexpr Ref kEditCommands[] = {&CommandBarRefs::CommentControl, &CommandBarRefs::UncommentControl,
                                 &CommandBarRefs::BookmarkControl, &CommandBarRefs::NextBookmarkControl,
                                 &CommandBarRefs::PrevBookmarkControl};

// The toolbar's place, kept in the settings between connections.
struct PositionValue {
  const wchar_t* property;
  const wchar_t* value_name;
  const wchar_t* dflt;
};
constexpr PositionValue kPosition[] = {
    {L"Position", L"CommandBar.Position", L"1"},
    {L"RowIndex", L"CommandBar.RowIndex", L"3"},
    {L"Left", L"CommandBar.Left", L"720"},
    {L"Top", L"CommandBar.Top", L"23"},
};

void AddAndBind(const OwnControl& control) {
  CommandBarRefs& bars = Bars();
  Quietly([&] {
    bars.*control.ref = AddControl(bars.*control.parent, control.spec);
    if (control.handler) {
      bars.EventMembers.emplace_back(State().VBInstance.Object(), (bars.*control.ref).Object(), control.handler);
    }
  });
}

// A new entry at the end of the Add-Ins menu starts a group after fewer than two entries, or when the
// entry before it starts one and the entry before that does not.
bool StartsGroup(const Variant& addins_menu) {
  const long before = Get(Get(addins_menu.Object(), L"Controls").Object(), L"Count").Long() - 1;
  if (before < 2) return true;
  const auto group = [&](long index) { return Get(ControlAt(addins_menu, index).Object(), L"BeginGroup").Bool(); };
  return group(before) && !group(before - 1);
}

void AddAddinsPopup(CommandBarRefs& bars) {
  const Variant menu = CommandBar(L"Add-Ins");
  bars.AddinsPopup = AddControl(menu, {kPopup, kName, {}, nullptr});
  if (StartsGroup(menu)) Put(bars.AddinsPopup.Object(), L"BeginGroup", true);
}

void TakeHostControls(CommandBarRefs& bars) {
  const bool is_vba = State().IsVBA;
  Quietly([&] { bars.SaveProjectControl = ControlAt(ControlAt(CommandBar(L"Menu Bar"), 1), is_vba ? 3 : 5); });
  Quietly([&] { bars.RedoControl = ControlAt(ControlAt(CommandBar(L"Menu Bar"), 2), 2); });
  long index = 0;  // the "F9" button's; without one the commands are the bar's first five
  Quietly([&] { index = Get(FindByShortCut(CommandBar(L"Edit").Object(), L"F9").Object(), L"Index").Long(); });
  for (const Ref command : kEditCommands) {
    ++index;
    Quietly([&] { bars.*command = ControlAt(CommandBar(L"Edit"), index); });
  }
}

// A crash leaves the add-in's controls in the host: its toolbar, which would refuse a new one of the
// same name, and its entry at the end of the Add-Ins menu.
void DeleteLeftoverEntry() {
  const Variant menu = CommandBar(L"Add-Ins");
  const Variant last = ControlAt(menu, Get(Get(menu.Object(), L"Controls").Object(), L"Count").Long());
  if (Get(last.Object(), L"Caption").Text() == kName) Delete(last);
}

// Each value is a step of its own: a refused Position leaves the others to apply.
void PlaceToolbar(const Variant& toolbar) {
  const std::wstring& key = State().SettingsKey;
  for (const PositionValue& value : kPosition) {
    Quietly([&] {
      const std::wstring text = GetRegValue(HKEY_CURRENT_USER, key, value.value_name).value_or(value.dflt);
      Put(toolbar.Object(), value.property, Val(text));
    });
  }
}

void SaveToolbarPlace(const Variant& toolbar) {
  const std::wstring& key = State().SettingsKey;
  for (const PositionValue& value : kPosition) {
    Quietly([&] {
      const long number = Get(toolbar.Object(), value.property).Long();
      SetRegValue(HKEY_CURRENT_USER, key, value.value_name, std::to_wstring(number));
    });
  }
}

}  // namespace

Variant FindByShortCut(IDispatch* CommandBar, const std::wstring& ShortCutText) {
  Variant found;
  const Variant controls = Get(CommandBar, L"Controls");
  const long count = Get(controls.Object(), L"Count").Long();
  for (long index = 1; index <= count; ++index) {
    Variant control = Get(controls.Object(), L"Item", {index});
    if (TypeName(control.Object()) == L"CommandBarButton" &&
        Get(control.Object(), L"ShortCutText").Text() == ShortCutText) {
      found = std::move(control);
    }
  }
  return found;
}

void AddCommandBarButtons() {
  CommandBarRefs& bars = Bars();
  Quietly([&] {
    const bool english = Path(CommandBar(L"Add-Ins").Object(), {L"Parent", L"Caption"}).Text() == L"&Add-Ins";
    bars.HostLanguage = english ? L"Английский" : L"Русский";
  });
  Quietly([] { DeleteLeftoverEntry(); });
  Quietly([&] { AddAddinsPopup(bars); });
  for (const OwnControl& entry : kAddinsEntries) AddAndBind(entry);
  TakeHostControls(bars);
  Quietly([] { Delete(CommandBar(kName)); });  // left by a crash
  Quietly([&] {
    bars.Toolbar = Invoke(Get(State().VBInstance.Object(), L"CommandBars").Object(), L"Add", DISPATCH_METHOD, {kName});
  });
  PlaceToolbar(bars.Toolbar);
  for (const OwnControl& control : kToolbarControls) {
    AddAndBind(control);
    if (control.ref == &CommandBarRefs::ErrorHandlersPopup) AddErrorHandlers();
  }
  ClearClipboard();
  Quietly([&] { Put(bars.Toolbar.Object(), L"Visible", true); });
}

void RemoveCommandBarButtons() {
  CommandBarRefs& bars = Bars();
  for (const Ref entry : {&CommandBarRefs::OptionsButton, &CommandBarRefs::AboutButton, &CommandBarRefs::AddinsPopup}) {
    Quietly([&] { Delete(bars.*entry); });
  }
  SaveToolbarPlace(bars.Toolbar);
  Quietly([&] { Delete(bars.Toolbar); });
  // The bindings and the host's objects go with the controls; only the language stays known.
  std::wstring language = std::move(bars.HostLanguage);
  bars = CommandBarRefs{};
  bars.HostLanguage = std::move(language);
}

}  // namespace qv
