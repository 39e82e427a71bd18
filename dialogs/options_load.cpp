// Loading the options dialog: the settings in force, the language list, the page list and the four
// list files. Each step and each line stands on its own: a failure is reported once and the rest
// still loads.
#include "addin/addin_state.h"
#include "addin/build_info.h"
#include "dialogs/controls.h"
#include "dialogs/options_dialog.h"
#include "kit/list_file.h"
#include "kit/vb_error.h"
#include "kit/vb_strings.h"
#include "win/ansi_file.h"
#include "win/failure_log.h"
#include "win/message_box.h"

namespace qv {

void OptionsDialog::ReportLoadError(const std::wstring& description) {
  ShowMessageBox(hwnd(), description, Build().AppTitle, MB_OK);
}

void OptionsDialog::Load() {
  const auto step = [this](void (OptionsDialog::*run)()) {
    RunStep([this](const VbError& error) { ReportLoadError(error.description); }, [this, run] { (this->*run)(); });
  };
  step(&OptionsDialog::LoadSettings);
  step(&OptionsDialog::LoadLanguages);
  step(&OptionsDialog::LoadPageList);
  step(&OptionsDialog::LoadAbbreviations);
  step(&OptionsDialog::LoadHighlights);
  step(&OptionsDialog::LoadTemplates);
  step(&OptionsDialog::LoadPaths);
  for (const int box : {chkАвтоОтступ, chkАвтоВставка, chkАвтоТекст, chkАвтоЗамена, chkНумерация,
                        chkОбработчикиОшибок, chkОбъявление, chkПодсветкаСинтаксиса, chkСкроллинг,
                        chkСтильИнтерфейса, chkЯзыкИнтерфейса, chkMDIВкладки, chkГорячиеКлавиши}) {
    RunEnableRule(box);
  }
}

void OptionsDialog::LoadSettings() {
  Settings& s = State().settings;
  const struct {
    int id;
    bool value;
  } flags[] = {
      {chkАвтоОтступ, s.AutoIndent},
      {chkШиринаОтступа, s.CustomIndentWidth},
      {chkАвтоВставка, s.AutoInsert},
      {chkВставкаКонечныхКонструкторов, s.AutoInsert_EndConstructions},
      {chkВставкаThen, s.AutoInsert_Then},
      {chkВставкаЗнак, s.AutoInsert_Comment},
      {chkВставкаПроизвольногоТекста, s.AutoInsert_CustomCode},
      {chkАвтоТекст, s.AutoText},
      {chkАвтоЗамена, s.AutoReplace},
      {chkИнкрементИДекремент, s.IncrementAndDecrement},
      {chkСоставноеПрисваивание, s.ComponentAssignment},
      {chkИнициализацийПеременных, s.InitializationWithDeclarate},
      {chkОбработчикиОшибок, s.ErrorHandlers},
      {chkОбъявление, s.Include},
      {chkАвтоОбъявление, s.AutoInclude},
      {chkПодсветкаСинтаксиса, s.SyntaxColoring},
      {chkЗаменаЦветаОператоров, s.SyntaxColoring_Operators},
      {chkЗаменаЦветаДопОператоров, s.SyntaxColoring_AdditionalOperators},
      {chkЗаменаЦветаТекстов, s.SyntaxColoring_Texts},
      {chkЗаменаЦветаСледующих, s.SyntaxColoring_CustomTexts},
      {chkСкроллинг, s.Scrolling},
      {chkВысотаСкролла, s.CustomScrollHeight},
      {chkСтильИнтерфейса, s.StyleIDE},
      {chkПоказПалитры, s.ShowPalette},
      {chkMDIВкладки, s.MDITabs},
      {chkГорячиеКлавиши, s.HotKeys},
      {chkЯзыкИнтерфейса, s.LanguageIDE},
      {chkНумерация, s.Numeration},
      {chkПропускать, s.SkipLinesInOffensive},
      {chkАвтоНумерация, s.AutoNumeration},
  };
  for (const auto& flag : flags) Check(flag.id, flag.value);
  SelectOption(Control(s.AutoIndent_Automatic ? OptАвтоматическая : OptПоReturn));
  SetText(txtШиринаОтступа, std::to_wstring(s.IndentWidth));
  SetText(txtШаблонТекста, ShownText(s.CustomCode));
  SetText(txtКаталогПроектов, s.ProjectsPath);
  text_colour_ = s.TextColor;
  SetText(txtX, std::to_wstring(s.SyntaxColoring_ShiftX));
  SetText(txtY, std::to_wstring(s.SyntaxColoring_ShiftY));
  SetText(txtВысотаСкролла, std::to_wstring(s.ScrollHeight));
  SelectOption(Control(optВверх + (s.MDITabsTop ? 0 : 1)));
  for (int index = 0; index < QV_HOT_KEY_COUNT; ++index) SetText(txtHotKeys + index, s.*kHotKeySettings[index]);
  SetText(txtНумерацияНачатьС, std::to_wstring(s.NumerationStart));
  SetText(txtНумерацияШаг, std::to_wstring(s.NumerationStep));
  SelectOption(Control(effects_.GetIDEStyle() == 1 ? optWindowsXP : optКлассический));
}

void OptionsDialog::LoadLanguages() {
  const AddinState& state = State();
  SendMessageW(Control(cboЯзыки), CB_RESETCONTENT, 0, 0);
  const std::wstring version = state.IsVBA ? effects_.HostVersion() : std::wstring();
  const std::wstring section = state.IsVBA ? L"VBE" + version.substr(0, 1) : L"VB6";
  const std::wstring file = folder_ + L"Languages.ini";
  // The section whole: the profile functions give at most 32767 characters.
  std::wstring buffer(32767, L'\0');
  const DWORD got = GetPrivateProfileSectionW(section.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                              file.c_str());
  buffer.resize(got);
  for (size_t at = 0; at < buffer.size();) {
    size_t end = buffer.find(L'\0', at);
    if (end == std::wstring::npos) end = buffer.size();
    const std::wstring piece = buffer.substr(at, end - at);
    at = end + 1;
    const size_t equals = piece.find(L'=');
    if (equals == std::wstring::npos) continue;
    const std::wstring name = TrimBlanks(piece.substr(0, equals));
    const long row = AddRow(cboЯзыки, name, 0);
    if (name == state.HostLanguage) Select(cboЯзыки, row);
  }
  if (RowCount(cboЯзыки) > 0) return;
  AddRow(cboЯзыки, state.HostLanguage, 0);
  Select(cboЯзыки, 0);
}

std::vector<std::wstring> OptionsDialog::ListFileLines(const wchar_t* name) {
  const std::wstring path = folder_ + name;
  const std::optional<std::wstring> text = CreateIfMissing(path) ? ReadAnsiFile(path) : std::nullopt;
  if (!text) {
    unread_lists_.insert(name);
    throw PathFileAccessError(path);
  }
  return ListLines(*text);
}

void OptionsDialog::LoadAbbreviations() {
  lstZamena_.clear();
  SendMessageW(Control(lstЗамена), LB_RESETCONTENT, 0, 0);
  for (const std::wstring& line : ListFileLines(L"AutoInserts.ini")) {
    const std::optional<DialogListRow> row = DialogRowOfLine(line, false);
    if (!row) continue;
    AddRow(lstЗамена, row->key, row->on ? -1 : 0);
    lstZamena_.push_back(row->value);
  }
  if (lstZamena_.empty()) return;
  Select(lstЗамена, 0);
  ShowAbbreviation();
}

void OptionsDialog::LoadHighlights() {
  SendMessageW(Control(lstПодсветки), LB_RESETCONTENT, 0, 0);
  std::optional<std::wstring> bad_colour;
  for (const std::wstring& line : ListFileLines(L"SyntaxColors.ini")) {
    const std::optional<DialogListRow> row = DialogRowOfLine(line, true);
    if (!row) continue;
    std::int32_t colour = 0;
    try {
      colour = ColourOfText(row->value);
    } catch (const VbError& error) {
      if (!bad_colour) bad_colour = error.description;
    }
    AddRow(lstПодсветки, row->key, colour);
  }
  if (RowCount(lstПодсветки) > 0) {
    Select(lstПодсветки, 0);
    ShowHighlight();
  }
  if (bad_colour) ReportLoadError(*bad_colour);
}

void OptionsDialog::LoadTemplates() {
  lstErrorHandlers_.clear();
  SendMessageW(Control(cboErrorHandlers), CB_RESETCONTENT, 0, 0);
  for (const std::wstring& line : ListFileLines(L"ErrorHandlers.ini")) {
    const std::optional<DialogListRow> row = DialogRowOfLine(line, true);
    if (!row) continue;
    AddRow(cboErrorHandlers, row->key, row->on ? -1 : 0);
    lstErrorHandlers_.push_back(row->value);
  }
  if (lstErrorHandlers_.empty()) return;
  Select(cboErrorHandlers, 0);
  ShowTemplate();
}

void OptionsDialog::LoadPaths() {
  SendMessageW(Control(lstПути), LB_RESETCONTENT, 0, 0);
  for (const std::wstring& line : ListFileLines(L"IncludingPaths.ini")) AddRow(lstПути, DialogPathOfLine(line), 0);
  if (RowCount(lstПути) > 0) Select(lstПути, 0);
}

}  // namespace qv
