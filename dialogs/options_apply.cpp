// Apply: every control of the options dialog into its setting and the registry, the four lists into
// their files and the collections the code tools read, and what can change at once switched.
#include <type_traits>
#include <variant>

#include "addin/addin_state.h"
#include "addin/build_info.h"
#include "dialogs/controls.h"
#include "dialogs/options_dialog.h"
#include "kit/load_settings.h"
#include "kit/settings_table.h"
#include "kit/vb_strings.h"
#include "win/ansi_file.h"
#include "win/message_box.h"
#include "win/registry.h"

namespace qv {
namespace {

template <class T>
std::wstring_view NameOf(T Settings::*member) {
  for (const SettingDescriptor& descriptor : SettingsTable()) {
    std::wstring_view name;
    std::visit(
        [&](const auto& field) {
          if constexpr (std::is_same_v<decltype(field.member), T Settings::*>) {
            if (field.member == member) name = descriptor.name;
          }
        },
        descriptor.field);
    if (!name.empty()) return name;
  }
  throw InvalidCallError();
}

std::wstring TextOf(bool value) { return value ? L"True" : L"False"; }
std::wstring TextOf(std::int32_t value) { return std::to_wstring(value); }
const std::wstring& TextOf(const std::wstring& value) { return value; }

void SaveValue(std::wstring_view name, const std::wstring& text) {
  const LSTATUS status = SetRegValue(HKEY_CURRENT_USER, State().SettingsKey, name, text);
  if (status != ERROR_SUCCESS) throw VbError(5, L"Не удаётся записать параметр " + std::wstring(name));
}

// The member takes the value, and the registry its text.
template <class T, class V>
void Store(T Settings::*member, V value) {
  State().settings.*member = T(std::move(value));
  SaveValue(NameOf(member), TextOf(State().settings.*member));
}

}  // namespace

void OptionsDialog::StoreFocusedEntry() {
  const HWND focus = GetFocus();
  if (focus == Control(txtКод)) StoreExpansion();
  if (focus == Control(txtHeader) || focus == Control(txtFooter)) ToParameter();
}

void OptionsDialog::Apply() {
  // Enter presses OK without moving the focus: what it holds is stored first.
  StoreFocusedEntry();
  Settings& s = State().settings;
  long statement = 0;
  const auto step = [&](auto&& run) {
    ++statement;
    RunStep([&](const VbError& error) { ReportApplyError(error, statement); }, run);
  };
  const auto flag = [&](bool Settings::*member, int id) { step([&] { Store(member, Checked(id)); }); };
  const auto number = [&](std::int32_t Settings::*member, int id) {
    step([&] { Store(member, NumberOfText(Text(id))); });
  };

  flag(&Settings::AutoIndent, chkАвтоОтступ);
  flag(&Settings::AutoIndent_Automatic, OptАвтоматическая);
  flag(&Settings::CustomIndentWidth, chkШиринаОтступа);
  step([&] {
    if (s.CustomIndentWidth) {
      Store(&Settings::IndentWidth, NumberOfText(Text(txtШиринаОтступа)));
    } else {
      s.IndentWidth = effects_.HostTabWidth();
    }
  });
  flag(&Settings::AutoInsert, chkАвтоВставка);
  flag(&Settings::AutoInsert_EndConstructions, chkВставкаКонечныхКонструкторов);
  flag(&Settings::AutoInsert_Then, chkВставкаThen);
  flag(&Settings::AutoInsert_Comment, chkВставкаЗнак);
  flag(&Settings::AutoInsert_CustomCode, chkВставкаПроизвольногоТекста);
  step([&] { Store(&Settings::CustomCode, StoredText(Text(txtШаблонТекста))); });
  flag(&Settings::AutoText, chkАвтоТекст);
  flag(&Settings::AutoReplace, chkАвтоЗамена);
  flag(&Settings::IncrementAndDecrement, chkИнкрементИДекремент);
  flag(&Settings::ComponentAssignment, chkСоставноеПрисваивание);
  flag(&Settings::InitializationWithDeclarate, chkИнициализацийПеременных);
  step([&] { ApplyAbbreviations(); });
  flag(&Settings::ErrorHandlers, chkОбработчикиОшибок);
  step([&] { ApplyTemplates(); });
  step([&] { effects_.AddErrorHandlers(); });
  flag(&Settings::Include, chkОбъявление);
  flag(&Settings::AutoInclude, chkАвтоОбъявление);
  step([&] { ApplyPaths(); });
  step([&] { Store(&Settings::ProjectsPath, Text(txtКаталогПроектов)); });
  flag(&Settings::SyntaxColoring, chkПодсветкаСинтаксиса);
  flag(&Settings::SyntaxColoring_Operators, chkЗаменаЦветаОператоров);
  flag(&Settings::SyntaxColoring_AdditionalOperators, chkЗаменаЦветаДопОператоров);
  flag(&Settings::SyntaxColoring_Texts, chkЗаменаЦветаТекстов);
  step([&] { Store(&Settings::TextColor, text_colour_); });
  flag(&Settings::SyntaxColoring_CustomTexts, chkЗаменаЦветаСледующих);
  number(&Settings::SyntaxColoring_ShiftX, txtX);
  number(&Settings::SyntaxColoring_ShiftY, txtY);
  step([&] { ApplyHighlights(); });
  flag(&Settings::Scrolling, chkСкроллинг);
  flag(&Settings::CustomScrollHeight, chkВысотаСкролла);
  step([&] {
    if (s.CustomScrollHeight) {
      Store(&Settings::ScrollHeight, NumberOfText(Text(txtВысотаСкролла)));
    } else {
      s.ScrollHeight = ScrollHeightOfWheelLines(effects_.WheelScrollLines());
    }
  });
  flag(&Settings::StyleIDE, chkСтильИнтерфейса);
  step([&] {
    if (s.StyleIDE) effects_.SetIDEStyle(hwnd(), Checked(optWindowsXP) ? 1 : 0);
  });
  flag(&Settings::ShowPalette, chkПоказПалитры);
  flag(&Settings::LanguageIDE, chkЯзыкИнтерфейса);
  step([&] {
    const std::wstring language = Text(cboЯзыки);
    AddinState& state = State();
    if (!s.LanguageIDE || language == state.HostLanguage || !effects_.ChangeLanguageIDE(hwnd(), language)) return;
    state.HostLanguage = language;
    SaveValue(L"Language", language);
  });
  step([&] {
    if (Checked(chkMDIВкладки) == s.MDITabs) return;
    Store(&Settings::MDITabs, Checked(chkMDIВкладки));
    s.MDITabs ? effects_.StartMDITabs() : effects_.StopMDITabs();
  });
  step([&] {
    if (Checked(optВверх) == s.MDITabsTop) return;
    Store(&Settings::MDITabsTop, Checked(optВверх));
    if (s.MDITabs) effects_.SetTabPosition(s.MDITabsTop ? 0 : 1);
  });
  flag(&Settings::HotKeys, chkГорячиеКлавиши);
  for (int index = 0; index < QV_HOT_KEY_COUNT; ++index) {
    step([&] { Store(kHotKeySettings[index], Text(txtHotKeys + index)); });
  }
  step([&] {
    Store(&Settings::Numeration, Checked(chkНумерация));
    effects_.EnableNumerationButton(s.Numeration);
  });
  number(&Settings::NumerationStart, txtНумерацияНачатьС);
  number(&Settings::NumerationStep, txtНумерацияШаг);
  flag(&Settings::SkipLinesInOffensive, chkПропускать);
  flag(&Settings::AutoNumeration, chkАвтоНумерация);
}

void OptionsDialog::ReportApplyError(const VbError& error, long statement) {
  ShowMessageBox(hwnd(), StepFailureText(error, statement), Build().AppTitle, MB_OK | MB_ICONEXCLAMATION);
}

void OptionsDialog::ApplyAbbreviations() {
  if (Unread(L"AutoInserts.ini")) return;
  KeyedCollection<std::wstring>& inserts = Tables().AutoInserts;
  inserts = {};
  std::vector<std::wstring> lines;
  for (long row = 0; row < RowCount(lstЗамена); ++row) {
    const std::wstring key = RowText(lstЗамена, row);
    const bool on = RowData(lstЗамена, row) != 0;
    lines.push_back(ListEntryLine(key, on, 50, lstZamena_[At(row)]));
    // Of two keys that differ in case only, the first wins.
    if (on) inserts.TryAdd(lstZamena_[At(row)], key);
  }
  ReplaceListFile(L"AutoInserts.ini", lines);
}

void OptionsDialog::ApplyTemplates() {
  if (Unread(L"ErrorHandlers.ini")) return;
  std::vector<std::wstring> lines;
  for (long row = 0; row < RowCount(cboErrorHandlers); ++row) {
    lines.push_back(ListEntryLine(RowText(cboErrorHandlers, row), RowData(cboErrorHandlers, row) != 0, 30,
                                  lstErrorHandlers_[At(row)]));
  }
  ReplaceListFile(L"ErrorHandlers.ini", lines);
}

void OptionsDialog::ApplyPaths() {
  if (Unread(L"IncludingPaths.ini")) return;
  KeyedCollection<std::wstring>& paths = Tables().IncludingPaths;
  paths = {};
  std::vector<std::wstring> lines;
  for (long row = 0; row < RowCount(lstПути); ++row) {
    lines.push_back(RowText(lstПути, row));
    paths.Add(TrimBlanks(lines.back()));
  }
  ReplaceListFile(L"IncludingPaths.ini", lines);
}

void OptionsDialog::ApplyHighlights() {
  if (Unread(L"SyntaxColors.ini")) return;
  LoadTables& tables = Tables();
  tables.SyntaxTexts = {};
  tables.SyntaxTextColors = {};
  std::vector<std::wstring> lines;
  for (long row = 0; row < RowCount(lstПодсветки); ++row) {
    const std::wstring text = RowText(lstПодсветки, row);
    const std::wstring colour = std::to_wstring(RowData(lstПодсветки, row));
    lines.push_back(ListEntryLine(text, true, 10, colour));
    tables.SyntaxTexts.Add(text);
    tables.SyntaxTextColors.Add(colour);
  }
  ReplaceListFile(L"SyntaxColors.ini", lines);
}

// A failure leaves the old file as it was.
void OptionsDialog::ReplaceListFile(const wchar_t* name, const std::vector<std::wstring>& lines) {
  const std::wstring path = folder_ + name;
  if (!ReplaceAnsiFile(path, ListFileText(lines))) throw PathFileAccessError(path);
}

}  // namespace qv
