// The options dialog's four list editors: abbreviations, highlighted texts, include folders and
// error-handler templates, with the entry shown beside each list and the colour swatches.
#include "addin/build_info.h"
#include "codetools/error_handlers.h"
#include "dialogs/controls.h"
#include "dialogs/folder_browser.h"
#include "dialogs/options_dialog.h"
#include "win/message_box.h"

namespace qv {
namespace {

constexpr WORD kInsertKey = VK_INSERT;
constexpr WORD kF2Key = VK_F2;
constexpr WORD kDeleteKey = VK_DELETE;

std::wstring PackTemplate(const ErrorHandlerTemplate& fields) {
  return StoredText(fields.header) + L"|" + StoredText(fields.footer) + L"|" + (fields.numbering ? L"1" : L"0") +
         L"|" + (fields.skip_list ? L"1" : L"0");
}

}  // namespace

bool OptionsDialog::OnListCommand(int id, int code) {
  struct Operation {
    int id;
    int code;
    void (OptionsDialog::*run)();
  };
  static constexpr Operation kOperations[] = {
      {imgДобавить, BN_CLICKED, &OptionsDialog::Добавить},
      {imgИзменить, BN_CLICKED, &OptionsDialog::Изменить},
      {imgУдалить, BN_CLICKED, &OptionsDialog::Удалить},
      {imgДобавитьПодсветку, BN_CLICKED, &OptionsDialog::ДобавитьПодсветку},
      {imgИзменитьПодсветку, BN_CLICKED, &OptionsDialog::ИзменитьПодсветку},
      {imgУдалитьПодсветку, BN_CLICKED, &OptionsDialog::УдалитьПодсветку},
      {imgДобавитьПуть, BN_CLICKED, &OptionsDialog::ДобавитьПуть},
      {imgИзменитьПуть, BN_CLICKED, &OptionsDialog::ИзменитьПуть},
      {imgУдалитьПуть, BN_CLICKED, &OptionsDialog::УдалитьПуть},
      {imgДобавитьОбработчик, BN_CLICKED, &OptionsDialog::ДобавитьОбработчик},
      {imgИзменитьОбработчик, BN_CLICKED, &OptionsDialog::ИзменитьОбработчик},
      {imgУдалитьОбработчик, BN_CLICKED, &OptionsDialog::УдалитьОбработчик},
      {lstЗамена, LBN_SELCHANGE, &OptionsDialog::ShowAbbreviation},
      {lstЗамена, LBN_DBLCLK, &OptionsDialog::Изменить},
      {lstПодсветки, LBN_SELCHANGE, &OptionsDialog::ShowHighlight},
      {lstПодсветки, LBN_DBLCLK, &OptionsDialog::ИзменитьПодсветку},
      {lstПути, LBN_DBLCLK, &OptionsDialog::ИзменитьПуть},
      {txtКод, EN_KILLFOCUS, &OptionsDialog::StoreExpansion},
      {chkДоступно, BN_CLICKED, &OptionsDialog::StoreAbbreviationFlag},
      {cboErrorHandlers, CBN_SELCHANGE, &OptionsDialog::ShowTemplate},
      {chkДоступностьОбработчик, BN_CLICKED, &OptionsDialog::TemplateFlagClicked},
      {txtHeader, EN_KILLFOCUS, &OptionsDialog::ToParameter},
      {txtFooter, EN_KILLFOCUS, &OptionsDialog::ToParameter},
      {chkПропускатьОбработчик, BN_CLICKED, &OptionsDialog::ToParameter},
  };
  if (id == chkНумерацияОбработчик && code == BN_CLICKED) {
    RunEnableRule(id);
    ToParameter();
    return true;
  }
  if ((id == lstЦветТекста || id == lstЦветПодсветок) && code == BN_CLICKED) {
    PickSwatchColour(id);
    return true;
  }
  for (const Operation& operation : kOperations) {
    if (operation.id != id || operation.code != code) continue;
    (this->*operation.run)();
    return true;
  }
  return false;
}

// The keys act whatever modifiers are held; the folder list has none.
INT_PTR OptionsDialog::OnListKey(HWND list, WORD key) {
  const bool abbreviations = list == Control(lstЗамена);
  if (!abbreviations && list != Control(lstПодсветки)) return -1;
  switch (key) {
    case kInsertKey:
      abbreviations ? Добавить() : ДобавитьПодсветку();
      return -2;
    case kF2Key:
      abbreviations ? Изменить() : ИзменитьПодсветку();
      return -2;
    case kDeleteKey:
      abbreviations ? Удалить() : УдалитьПодсветку();
      return -2;
    default:
      return -1;
  }
}

std::optional<std::wstring> OptionsDialog::AskName(ListName list, std::wstring_view prompt, std::wstring_view dflt) {
  const std::wstring answer = effects_.Input(hwnd(), prompt, dflt);
  if (answer.empty()) return std::nullopt;
  const std::wstring refusal = NameRefusal(list, answer);
  if (refusal.empty()) return answer;
  ShowMessageBox(hwnd(), refusal, Build().AppTitle, MB_OK | MB_ICONEXCLAMATION);
  return std::nullopt;
}

bool OptionsDialog::Confirmed(std::wstring_view question, std::wstring_view name) {
  const std::wstring text = std::wstring(question) + std::wstring(name);
  return ShowMessageBox(hwnd(), text, Build().AppTitle, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void OptionsDialog::RenameRow(int id, long row, const std::wstring& text) {
  const long data = RowData(id, row);
  const bool selected = Selected(id) == row;
  DeleteRow(id, row);
  const bool combo = id == cboErrorHandlers;
  SendMessageW(Control(id), combo ? CB_INSERTSTRING : LB_INSERTSTRING, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(text.c_str()));
  SetRowData(id, row, data);
  if (selected) Select(id, row);
}

void OptionsDialog::Добавить() {
  const std::optional<std::wstring> name = AskName(ListName::kAbbreviation, L"Введите ключ", L"");
  if (!name) return;
  const long row = AddRow(lstЗамена, *name, 0);
  lstZamena_.insert(lstZamena_.begin() + row, std::wstring());
  Select(lstЗамена, row);
  ShowAbbreviation();
}

void OptionsDialog::Изменить() {
  const long row = Selected(lstЗамена);
  if (row < 0) return;
  const std::optional<std::wstring> name = AskName(ListName::kAbbreviation, L"Введите новый ключ", RowText(lstЗамена, row));
  if (name) RenameRow(lstЗамена, row, *name);
}

void OptionsDialog::Удалить() {
  const long row = Selected(lstЗамена);
  if (row < 0 || !Confirmed(L"Действительно хотите удалить ключ: ", RowText(lstЗамена, row))) return;
  DeleteRow(lstЗамена, row);
  lstZamena_.erase(lstZamena_.begin() + row);
  Select(lstЗамена, -1);
}

void OptionsDialog::ДобавитьПодсветку() {
  const std::optional<std::wstring> text = AskName(ListName::kHighlight, L"Введите текст подсветки", L"");
  if (text) AddRow(lstПодсветки, *text, 0);
}

void OptionsDialog::ИзменитьПодсветку() {
  const long row = Selected(lstПодсветки);
  if (row < 0) return;
  const std::optional<std::wstring> text =
      AskName(ListName::kHighlight, L"Введите новый текст подсветки", RowText(lstПодсветки, row));
  if (text) RenameRow(lstПодсветки, row, *text);
}

void OptionsDialog::УдалитьПодсветку() {
  const long row = Selected(lstПодсветки);
  if (row < 0 || !Confirmed(L"Действительно хотите удалить текст подсветки: ", RowText(lstПодсветки, row))) return;
  DeleteRow(lstПодсветки, row);
  if (RowCount(lstПодсветки) > 0) return;
  ShowWindow(Control(lblНа), SW_HIDE);
  ShowWindow(Control(lstЦветПодсветок), SW_HIDE);
}

void OptionsDialog::ДобавитьПуть() {
  const std::wstring folder = GetDir(hwnd(), L"Выберите путь", L"");
  if (!folder.empty()) AddRow(lstПути, folder, 0);
}

void OptionsDialog::ИзменитьПуть() {
  const long row = Selected(lstПути);
  if (row < 0) return;
  const std::wstring folder = GetDir(hwnd(), L"Выберите новый путь", RowText(lstПути, row));
  if (!folder.empty()) RenameRow(lstПути, row, folder);
}

void OptionsDialog::УдалитьПуть() {
  const long row = Selected(lstПути);
  if (row < 0 || !Confirmed(L"Действительно хотите удалить путь: ", RowText(lstПути, row))) return;
  DeleteRow(lstПути, row);
}

void OptionsDialog::ДобавитьОбработчик() {
  const std::optional<std::wstring> name = AskName(ListName::kTemplate, L"Введите название обработчика ошибок", L"");
  if (!name) return;
  const long row = AddRow(cboErrorHandlers, *name, 0);
  lstErrorHandlers_.insert(lstErrorHandlers_.begin() + row, std::wstring());
}

void OptionsDialog::ИзменитьОбработчик() {
  const long row = Selected(cboErrorHandlers);
  if (row < 0) return;
  const std::optional<std::wstring> name =
      AskName(ListName::kTemplate, L"Введите новое название обработчика ошибок", RowText(cboErrorHandlers, row));
  if (name) RenameRow(cboErrorHandlers, row, *name);
}

void OptionsDialog::УдалитьОбработчик() {
  const long row = Selected(cboErrorHandlers);
  if (row < 0 ||
      !Confirmed(L"Действительно хотите удалить этот обработчик ошибок: ", RowText(cboErrorHandlers, row))) {
    return;
  }
  DeleteRow(cboErrorHandlers, row);
  lstErrorHandlers_.erase(lstErrorHandlers_.begin() + row);
  if (RowCount(cboErrorHandlers) == 0) {
    Check(chkДоступностьОбработчик, false);
    TemplateFlagClicked();
    return;
  }
  Select(cboErrorHandlers, 0);
  ShowTemplate();
}

void OptionsDialog::ToParameter() {
  const long row = Selected(cboErrorHandlers);
  if (row < 0) return;
  lstErrorHandlers_[At(row)] =
      PackTemplate({Text(txtHeader), Text(txtFooter), Checked(chkНумерацияОбработчик), Checked(chkПропускатьОбработчик)});
}

void OptionsDialog::ShowAbbreviation() {
  const long row = Selected(lstЗамена);
  if (row < 0) return;
  SetText(txtКод, ShownText(lstZamena_[At(row)]));
  Check(chkДоступно, RowData(lstЗамена, row) != 0);
  RunEnableRule(chkДоступно);
}

void OptionsDialog::StoreExpansion() {
  const long row = Selected(lstЗамена);
  if (row >= 0) lstZamena_[At(row)] = StoredText(Text(txtКод));
}

void OptionsDialog::StoreAbbreviationFlag() {
  const long row = Selected(lstЗамена);
  if (row >= 0) SetRowData(lstЗамена, row, Checked(chkДоступно) ? 1 : 0);
  RunEnableRule(chkДоступно);
}

void OptionsDialog::ShowHighlight() {
  const long row = Selected(lstПодсветки);
  if (row < 0) return;
  highlight_colour_ = static_cast<std::int32_t>(RowData(lstПодсветки, row));
  InvalidateRect(Control(lstЦветПодсветок), nullptr, TRUE);
  ShowWindow(Control(lblНа), SW_SHOWNA);
  ShowWindow(Control(lstЦветПодсветок), SW_SHOWNA);
}

void OptionsDialog::ShowTemplate() {
  const long row = Selected(cboErrorHandlers);
  if (row < 0) return;
  const ErrorHandlerTemplate fields = SplitTemplate(ShownText(lstErrorHandlers_[At(row)]));
  Check(chkДоступностьОбработчик, RowData(cboErrorHandlers, row) != 0);
  TemplateFlagClicked();
  SetText(txtHeader, fields.header);
  SetText(txtFooter, fields.footer);
  Check(chkНумерацияОбработчик, fields.numbering);
  Check(chkПропускатьОбработчик, fields.skip_list);
}

void OptionsDialog::TemplateFlagClicked() {
  const long row = Selected(cboErrorHandlers);
  if (row >= 0) SetRowData(cboErrorHandlers, row, Checked(chkДоступностьОбработчик) ? 1 : 0);
  RunEnableRule(chkДоступностьОбработчик);
}

void OptionsDialog::PickSwatchColour(int swatch) {
  std::int32_t& colour = swatch == lstЦветТекста ? text_colour_ : highlight_colour_;
  const std::optional<std::int32_t> picked = effects_.PickColour(hwnd(), colour);
  if (!picked) return;
  colour = *picked;
  InvalidateRect(Control(swatch), nullptr, TRUE);
  if (swatch != lstЦветПодсветок) return;
  const long row = Selected(lstПодсветки);
  if (row >= 0) SetRowData(lstПодсветки, row, colour);
}

}  // namespace qv
