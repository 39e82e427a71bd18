#include "dialogs/options_dialog.h"

#include <commctrl.h>

#include <stdexcept>

#include "addin/addin_state.h"
#include "addin/build_info.h"
#include "addin/command_bar_refs.h"
#include "addin/connection.h"
#include "addin/error_handler_menu.h"
#include "addin/session.h"
#include "addin/shell_open.h"
#include "dialogs/colour_dialog.h"
#include "dialogs/controls.h"
#include "dialogs/folder_browser.h"
#include "dialogs/input_box.h"
#include "dialogs/interface_language.h"
#include "dialogs/visual_style.h"
#include "kit/vb_strings.h"
#include "win/failure_log.h"
#include "win/files.h"
#include "win/host_settings.h"

namespace qv {
namespace {

struct PageRow {
  const wchar_t* caption;
  long page;  // 0 for a group heading
  const wchar_t* description;
};

constexpr PageRow kPageRows[] = {
    {L"Форматирование кода", 0, L""},
    {L"Авто-отступ", 1, L"Настройки авто-отступа"},
    {L"Авто-вставка", 2, L"Настройки авто-вставки"},
    {L"Авто-текст", 3, L"Настройки авто-текста"},
    {L"Авто-замена", 4, L"Настройки авто-замены"},
    {L"Нумерация", 5, L"Настройки нумерации"},
    {L"Объявление", 6, L"Настройки объявление функций, типов и констант"},
    {L"Обработчики ошибок", 7, L"Настройки обработчиков ошибок"},
    {L"Подсветка синтаксиса", 8, L"Настройки подсветки синтаксиса"},
    {L"Интерфейс", 0, L""},
    {L"Скроллинг", 9, L"Настройки скроллинга с помощью мышиного колеса"},
    {L"Стиль", 10, L"Настройки стиля интерфейса"},
    {L"Язык", 11, L"Настройки языка интерфейса"},
    {L"MDI вкладки", 12, L"Настройки MDI закладок"},
    {L"Горячие клавиши", 13, L"Настройки горячих клавиш"},
};

const wchar_t* PageDescription(int page) {
  for (const PageRow& row : kPageRows) {
    if (row.page == page) return row.description;
  }
  return L"";
}

struct Tooltip {
  int id;
  const wchar_t* text;
};

constexpr Tooltip kTooltips[] = {
    {chkВставкаThen, L"Вставка Then для If-ElseIf, в случае его отсутствии"},
    {chkВставкаКонечныхКонструкторов, L"Вставка конечных конструкторов после таких как If, For, Do, Select Case, ..."},
    {chkВставкаЗнак, L"Вставка знак комментария, в случае отсутсвии точки (.) на предыдущем линии"},
};

constexpr const wchar_t* kButtonTips[] = {L"Добавить (Ins)", L"Изменить (F2)", L"Удалить (Del)"};

}  // namespace

// A page: what its controls tell goes on to the frame, which handles every control alike.
class OptionsDialog::PagePanel final : public DialogWindow {
 protected:
  void OnCommand(int id, int code) override {
    SendMessageW(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
  }
  INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == WM_DRAWITEM || message == WM_VKEYTOITEM) {
      return SendMessageW(GetParent(hwnd()), message, wparam, lparam);
    }
    return FALSE;
  }
};

std::wstring OptionsEffects::Input(HWND owner, std::wstring_view prompt, std::wstring_view dflt) {
  return InputBox(owner, prompt, dflt);
}

std::optional<std::int32_t> OptionsEffects::PickColour(HWND owner, std::int32_t colour) {
  ColourDialog dialog;
  if (!dialog.Create(owner)) return std::nullopt;
  dialog.SetColour(colour);
  dialog.RunModal();
  if (dialog.Result() != 1) return std::nullopt;
  return dialog.PreviewColour();
}

short OptionsEffects::GetIDEStyle() { return qv::GetIDEStyle(); }
void OptionsEffects::SetIDEStyle(HWND owner, long style) { qv::SetIDEStyle(style, owner); }
bool OptionsEffects::ChangeLanguageIDE(HWND owner, const std::wstring& name) {
  return qv::ChangeLanguageIDE(name, owner);
}

// At an external start there is neither toolbar nor hidden command window.
void OptionsEffects::AddErrorHandlers() {
  if (IsConnected() && Bars().ErrorHandlersPopup) qv::AddErrorHandlers();
}

void OptionsEffects::EnableNumerationButton(bool enabled) {
  if (IsConnected() && Bars().NumerationButton) Bars().NumerationButton.SetEnabled(enabled);
}

std::int32_t OptionsEffects::HostTabWidth() { return qv::HostTabWidth(State().IDESettingsKey); }

std::int32_t OptionsEffects::WheelScrollLines() { return qv::WheelScrollLines(); }

std::wstring OptionsEffects::HostVersion() { return IsConnected() ? VBInstance().Version() : std::wstring(); }

OptionsDialog::OptionsDialog(std::wstring folder, OptionsEffects& effects)
    : folder_(std::move(folder)),
      effects_(effects),
      buttons_{{{imgДобавить, ButtonPicture::kAdd},
                {imgИзменить, ButtonPicture::kEdit},
                {imgУдалить, ButtonPicture::kDelete},
                {imgДобавитьПуть, ButtonPicture::kAdd},
                {imgИзменитьПуть, ButtonPicture::kEdit},
                {imgУдалитьПуть, ButtonPicture::kDelete},
                {imgДобавитьОбработчик, ButtonPicture::kAdd},
                {imgИзменитьОбработчик, ButtonPicture::kEdit},
                {imgУдалитьОбработчик, ButtonPicture::kDelete},
                {imgДобавитьПодсветку, ButtonPicture::kAdd},
                {imgИзменитьПодсветку, ButtonPicture::kEdit},
                {imgУдалитьПодсветку, ButtonPicture::kDelete}}} {}

OptionsDialog::~OptionsDialog() {
  // The hooks come off before the windows they hook go.
  for (PictureButton& button : buttons_) button.mouse.Unhook();
  text_swatch_.Unhook();
  highlight_swatch_.Unhook();
  for (HotKeyBox& box : hot_key_boxes_) box.Unhook();
}

bool OptionsDialog::Create(HWND owner, ModelessDialogs* modeless) {
  modeless_ = modeless;
  return DialogWindow::Create(QV_OPTIONS_DIALOG, owner);
}

HWND OptionsDialog::Control(int id) const {
  const int page = (id - QV_OPTIONS_FIRST_ID) / QV_OPTIONS_PAGE_IDS;
  if (page < 1 || page > QV_OPTIONS_PAGES) return Item(id);
  const auto& panel = pages_[static_cast<std::size_t>(page - 1)];
  return panel ? panel->Item(id) : nullptr;
}

void OptionsDialog::OnInit() {
  CreatePages();
  Load();
  if (modeless_) modeless_->keys.Add(hwnd());
}

void OptionsDialog::CreatePages() {
  RECT area;
  GetWindowRect(Item(QV_OPTIONS_PAGE_AREA), &area);
  MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&area), 2);
  ShowWindow(Item(QV_OPTIONS_PAGE_AREA), SW_HIDE);
  for (std::size_t index = 0; index < pages_.size(); ++index) {
    pages_[index] = std::make_unique<PagePanel>();
    if (!pages_[index]->Create(QV_OPTIONS_PAGE + static_cast<int>(index), hwnd())) {
      throw std::runtime_error("options page");
    }
    SetWindowPos(pages_[index]->hwnd(), Item(QV_OPTIONS_PAGE_AREA), area.left, area.top, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE);
  }
  // "Классический" is selected as designed: loading it again is no click.
  SendMessageW(Control(optКлассический), BM_SETCHECK, BST_CHECKED, 0);
  // The page title in bold.
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0)), sizeof font, &font);
  font.lfWeight = FW_BOLD;
  title_font_.reset(CreateFontIndirectW(&font));
  SendMessageW(Item(lblНастройка), WM_SETFONT, reinterpret_cast<WPARAM>(title_font_.get()), FALSE);
  LOGFONTW code{};
  code.lfHeight = font.lfHeight;
  code.lfCharSet = DEFAULT_CHARSET;
  lstrcpyW(code.lfFaceName, L"Courier New");
  code_font_.reset(CreateFontIndirectW(&code));
  SendMessageW(Control(txtКод), WM_SETFONT, reinterpret_cast<WPARAM>(code_font_.get()), FALSE);

  for (PictureButton& button : buttons_) button.mouse.Hook(Control(button.id));
  text_swatch_.Hook(Control(lstЦветТекста));
  highlight_swatch_.Hook(Control(lstЦветПодсветок));
  for (std::size_t index = 0; index < hot_key_boxes_.size(); ++index) {
    hot_key_boxes_[index].Hook(Control(txtHotKeys + static_cast<int>(index)));
  }

  const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&classes);
  tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, nullptr, nullptr);
  const auto add_tip = [this](int id, const wchar_t* text) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(Control(id));
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  };
  for (const Tooltip& tip : kTooltips) add_tip(tip.id, tip.text);
  for (const PictureButton& button : buttons_) add_tip(button.id, kButtonTips[static_cast<int>(button.picture)]);
}

void OptionsDialog::AddItem(const std::wstring& item, long item_data) {
  const long row = static_cast<long>(SendMessageW(Item(lstOptions), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str())));
  SendMessageW(Item(lstOptions), LB_SETITEMDATA, static_cast<WPARAM>(row), item_data);
}

std::wstring OptionsDialog::GetRootCaption(long index) const {
  for (long row = index; row >= 0; --row) {
    const std::wstring text = RowText(lstOptions, row);
    if (!text.empty() && text.front() != L' ') return text;
  }
  return {};
}

void OptionsDialog::SwitchPage() {
  const long row = Selected(lstOptions);
  if (row < 0) return;
  const long page = RowData(lstOptions, row);
  if (page == 0) return;
  page_ = static_cast<int>(page);
  for (std::size_t index = 0; index < pages_.size(); ++index) {
    ShowWindow(pages_[index]->hwnd(), static_cast<long>(index) == page - 1 ? SW_SHOWNA : SW_HIDE);
  }
  SetText(lblНастройка, GetRootCaption(row) + L" - " + TrimBlanks(RowText(lstOptions, row)));
  SetText(lblИнформация, PageDescription(page_));
}

void OptionsDialog::Close() {
  if (modeless_) {
    DestroyWindow(hwnd());
  } else {
    EndModal();
  }
}

void OptionsDialog::OnCommand(int id, int code) {
  if (OnListCommand(id, code)) return;
  if (id == lstOptions) {
    if (code == LBN_SELCHANGE) SwitchPage();
    return;
  }
  if (id >= txtHotKeys && id < txtHotKeys + QV_HOT_KEY_COUNT) return;
  if (code != BN_CLICKED) return;
  switch (id) {
    case cmdOK:
      Apply();
      Close();
      return;
    case cmdОтмена:
      Close();
      return;
    case cmdApply:
      Apply();
      return;
    case cmdHelp:
      ShellOpen(hwnd(), folder_ + L"Quorvane.chm", L"C:\\");
      return;
    case cmdОбзор:
      SetText(txtКаталогПроектов, GetDir(hwnd(), L"Выберите каталог", Text(txtКаталогПроектов)));
      SetFocus(Control(txtКаталогПроектов));
      return;
    case optWindowsXP:
    case optКлассический:
      PaletteRule();
      return;
    default:
      RunEnableRule(id);
  }
}

INT_PTR OptionsDialog::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      const int id = static_cast<int>(item.CtlID);
      if (id == lstЦветТекста) DrawSwatch(item, text_colour_);
      if (id == lstЦветПодсветок) DrawSwatch(item, highlight_colour_);
      for (const PictureButton& button : buttons_) {
        if (button.id == id) DrawImageButton(item, button.picture, button.mouse.pressed());
      }
      return TRUE;
    }
    case WM_VKEYTOITEM:
      return OnListKey(reinterpret_cast<HWND>(lparam), LOWORD(wparam));
    case WM_CLOSE:  // the close box: as "Отмена"
      Close();
      return TRUE;
    case WM_DESTROY:
      if (modeless_) modeless_->keys.Remove(hwnd());
      if (tooltip_) DestroyWindow(tooltip_);
      tooltip_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

void OptionsDialog::OnWindowDestroyed() {
  if (modeless_) modeless_->options.Forget(this);
}

bool OptionsDialog::Checked(int id) const { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) != BST_UNCHECKED; }
void OptionsDialog::Check(int id, bool checked) { SetChecked(Control(id), checked); }
std::wstring OptionsDialog::Text(int id) const { return ControlText(Control(id)); }
void OptionsDialog::SetText(int id, std::wstring_view text) { SetControlText(Control(id), text); }

namespace {
bool IsCombo(int id) { return id == cboErrorHandlers || id == cboЯзыки; }
}  // namespace

long OptionsDialog::Selected(int id) const {
  return static_cast<long>(SendMessageW(Control(id), IsCombo(id) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

void OptionsDialog::Select(int id, long row) {
  SendMessageW(Control(id), IsCombo(id) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

std::wstring OptionsDialog::RowText(int id, long row) const {
  const bool combo = IsCombo(id);
  const LRESULT length = SendMessageW(Control(id), combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
  if (length < 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(Control(id), combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

long OptionsDialog::RowData(int id, long row) const {
  return static_cast<long>(SendMessageW(Control(id), IsCombo(id) ? CB_GETITEMDATA : LB_GETITEMDATA, static_cast<WPARAM>(row), 0));
}

void OptionsDialog::SetRowData(int id, long row, long data) {
  SendMessageW(Control(id), IsCombo(id) ? CB_SETITEMDATA : LB_SETITEMDATA, static_cast<WPARAM>(row), data);
}

long OptionsDialog::AddRow(int id, const std::wstring& text, long data) {
  const long row = static_cast<long>(
      SendMessageW(Control(id), IsCombo(id) ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
  SetRowData(id, row, data);
  return row;
}

void OptionsDialog::DeleteRow(int id, long row) {
  SendMessageW(Control(id), IsCombo(id) ? CB_DELETESTRING : LB_DELETESTRING, static_cast<WPARAM>(row), 0);
}

long OptionsDialog::RowCount(int id) const {
  return static_cast<long>(SendMessageW(Control(id), IsCombo(id) ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
}

void OptionsDialog::LoadPageList() {
  for (const auto& row : kPageRows) AddItem(row.page ? L"     " + std::wstring(row.caption) : row.caption, row.page);
  Select(lstOptions, 1);
  SwitchPage();
}

void ShowOptions(bool modal, OptionsEffects& effects, ModelessDialogs& dialogs) {
  if (modal) {
    OptionsDialog dialog(AppPath(), effects);
    if (!dialog.Create(HostMainWindow(), nullptr)) {
      RecordFailure(L"ShowOptions", L"the options dialog cannot be created");
      return;
    }
    dialog.RunModal();
    return;
  }
  const OptionsDialog* dialog =
      dialogs.options.Open([&](OptionsDialog& made) { return made.Create(nullptr, &dialogs); }, AppPath(), effects);
  if (!dialog) return RecordFailure(L"ShowOptions", L"the options dialog cannot be created");
  ShowInFront(dialog->hwnd());
}

}  // namespace qv
