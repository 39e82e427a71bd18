#include "installer/setup_wizard.h"

#include <commctrl.h>
#include <shlobj.h>

#include <utility>

#include "dialogs/controls.h"
#include "dialogs/prompts.h"
#include "installer/setup_ids.h"
#include "installer/windows_platform.h"
#include "win/message_box.h"

namespace qv {
namespace {

constexpr int kMainPage[] = {QV_SETUP_PICTURE, QV_SETUP_LABEL0, QV_SETUP_LABEL1, QV_SETUP_LABEL2, QV_SETUP_LABEL3};
constexpr int kStepFrame[] = {QV_SETUP_THEME, QV_SETUP_INFORMATION, QV_SETUP_RULE};
struct StepPage {
  SetupSteps::Page page;
  int controls[4];
};
constexpr StepPage kStepPages[] = {
    {SetupSteps::Page::kAction, {QV_SETUP_INSTALL, QV_SETUP_REMOVE, QV_SETUP_ACTION_TEXT}},
    {SetupSteps::Page::kEnvironments, {QV_SETUP_COMPONENTS_TITLE, QV_SETUP_COMPONENTS, QV_SETUP_COMPONENTS_TEXT}},
    {SetupSteps::Page::kFolder, {QV_SETUP_FOLDER_FRAME, QV_SETUP_FOLDER, QV_SETUP_BROWSE, QV_SETUP_FOLDER_TEXT}},
    {SetupSteps::Page::kProgress, {QV_SETUP_PROCESS, QV_SETUP_LOG}},
};

// The four labels of the welcome and the finish page, from the top down.
struct Label {
  int id;
  const wchar_t* welcome;
  const wchar_t* finish;
};
constexpr Label kLabels[] = {
    {QV_SETUP_LABEL3, L"Добро пожаловать в мастер установки / удаление Quorvane 2.0",
     L"Завершение мастера установки / удаление Quorvane 2.0"},
    {QV_SETUP_LABEL0, L"Эта программа установит или удаляет Quorvane 2.0 по вашему выбору.",
     L"Установка / удаление Quorvane 2.0 выполнено."},
    {QV_SETUP_LABEL1,
     L"Перед началом работы программы рекомендуется закрыть все работающие приложения. Это позволить программе "
     L"обновить системные файлы без перезагрузки компьютера.",
     L"Нажмите на кнопку \"Готово\" для выхода из программы."},
    {QV_SETUP_LABEL2, L"Нажмите на кнопку \"Далее\", чтобы продолжить работу программы.", L""},
};

constexpr const wchar_t* kEnvironments[] = {L"Visual Basic 6.x", L"Visual Basic for Application"};

void DiscardQueuedInput() {
  constexpr std::pair<UINT, UINT> kInput[] = {
      {WM_KEYFIRST, WM_KEYLAST}, {WM_MOUSEFIRST, WM_MOUSELAST}, {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}};
  MSG message;
  for (const auto& [first, last] : kInput) {
    while (PeekMessageW(&message, nullptr, first, last, PM_REMOVE)) {
    }
  }
}

// Without administrator rights the programs folder of the user's own profile is writable.
std::wstring ProposedFolder() {
  wchar_t local[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local))) return L"";
  return JoinPath(local, L"Programs\\Quorvane");
}

}  // namespace

SetupWizard::SetupWizard() : recorded_(RecordedFolder()), steps_(!recorded_.empty(), ProposedFolder()) {}

bool SetupWizard::Open() {
  if (!Create(QV_SETUP_DIALOG, nullptr)) return false;
  ShowWindow(hwnd(), SW_SHOW);
  return true;
}

void SetupWizard::OnInit() {
  const HWND list = Item(QV_SETUP_COMPONENTS);
  ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  RECT client{};
  GetClientRect(list, &client);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
  ListView_InsertColumn(list, 0, &column);
  for (int i = 0; i < 2; ++i) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<wchar_t*>(kEnvironments[i]);
    ListView_InsertItem(list, &item);
    ListView_SetCheckState(list, i, TRUE);
  }
  list_ready_ = true;
  SetControlText(Item(QV_SETUP_FOLDER), steps_.folder_text());
  CheckRadioButton(hwnd(), QV_SETUP_INSTALL, QV_SETUP_REMOVE, QV_SETUP_INSTALL);
  Show();
}

void SetupWizard::Show() {
  const SetupSteps::Page page = steps_.page();
  const bool main_page = page == SetupSteps::Page::kWelcome || page == SetupSteps::Page::kFinish;
  for (const int id : kMainPage) ShowWindow(Item(id), main_page ? SW_SHOW : SW_HIDE);
  for (const int id : kStepFrame) ShowWindow(Item(id), main_page ? SW_HIDE : SW_SHOW);
  for (const StepPage& step : kStepPages) {
    for (const int id : step.controls) {
      if (id) ShowWindow(Item(id), step.page == page ? SW_SHOW : SW_HIDE);
    }
  }
  for (const Label& label : kLabels) {
    SetDlgItemTextW(hwnd(), label.id, page == SetupSteps::Page::kFinish ? label.finish : label.welcome);
  }
  SetDlgItemTextW(hwnd(), QV_SETUP_THEME, steps_.theme().c_str());
  SetDlgItemTextW(hwnd(), QV_SETUP_INFORMATION, steps_.information().c_str());
  EnableWindow(Item(QV_SETUP_REMOVE), steps_.remove_enabled());
  SetDlgItemTextW(hwnd(), IDOK, steps_.next_caption().c_str());
  EnableWindow(Item(IDOK), steps_.next_enabled());
  ShowWindow(Item(QV_SETUP_BACK), steps_.back_visible() ? SW_SHOW : SW_HIDE);
  EnableWindow(Item(QV_SETUP_BACK), steps_.back_enabled());
  EnableWindow(Item(IDCANCEL), steps_.cancel_enabled());
}

void SetupWizard::OnCommand(int id, int code) {
  switch (id) {
    case IDOK:
      switch (steps_.PressNext()) {
        case SetupSteps::Next::kShowPage:
          Show();
          break;
        case SetupSteps::Next::kRun:
          Start();
          break;
        case SetupSteps::Next::kClose:
          DestroyWindow(hwnd());
          break;
        case SetupSteps::Next::kNothing:
          break;
      }
      break;
    case QV_SETUP_BACK:
      if (steps_.PressBack()) Show();
      break;
    case IDCANCEL:
      if (steps_.PressCancel()) Close();
      break;
    case QV_SETUP_INSTALL:
    case QV_SETUP_REMOVE:
      if (code == BN_CLICKED) {
        steps_.SelectInstall(IsChecked(Item(QV_SETUP_INSTALL)));
        Show();
      }
      break;
    case QV_SETUP_FOLDER:
      if (code == EN_CHANGE) {
        steps_.SetFolderText(ControlText(Item(QV_SETUP_FOLDER)));
        Show();
      }
      break;
    case QV_SETUP_BROWSE: {
      const std::wstring chosen = CurrentPrompts().PickFolder(hwnd(), 1, L"Выберите каталог", L"");
      SetControlText(Item(QV_SETUP_FOLDER), SetupSteps::BrowsedFolder(steps_.folder_text(), chosen));
      SetFocus(Item(QV_SETUP_FOLDER));
      break;
    }
    default:
      break;
  }
}

INT_PTR SetupWizard::OnMessage(UINT message, WPARAM, LPARAM lparam) {
  if (message == WM_CLOSE) {
    Close();
    return TRUE;
  }
  if (message == WM_NOTIFY && list_ready_) {
    const auto* header = reinterpret_cast<const NMHDR*>(lparam);
    if (header->idFrom == QV_SETUP_COMPONENTS && header->code == LVN_ITEMCHANGED) {
      for (int i = 0; i < 2; ++i) steps_.Tick(i, ListView_GetCheckState(header->hwndFrom, i) != 0);
      Show();
    }
  }
  return FALSE;
}

void SetupWizard::Close() {
  if (steps_.AsksBeforeClose() &&
      ShowMessageBox(hwnd(), L"Вы действительно хотите отменить установку Quorvane 2.0",
                     L"Установка / удаление Quorvane", MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return;
  }
  DestroyWindow(hwnd());
}

// The run takes the user-interface thread for itself: no input is handled until it has ended, and
// what the user pressed meanwhile is dropped then, or a queued Enter would press "Готово" before the
// result could be read.
void SetupWizard::Start() {
  Show();
  Repaint();
  SetupChoice choice;
  choice.install = steps_.installing();
  choice.studio = steps_.ticked(SetupSteps::kStudio);
  choice.office = steps_.ticked(SetupSteps::kOffice);
  choice.folder = choice.install ? AbsoluteFolder(steps_.folder_text()) : recorded_;
  WindowsSetupPlatform platform(hwnd(), GetModuleHandleW(nullptr));
  const bool succeeded = RunSetup(platform, *this, choice);
  if (choice.install) recorded_ = choice.folder;
  // The finish page hides the log, which stays in sight a while first; a log with a failed line stays.
  if (succeeded) Sleep(3000);
  DiscardQueuedInput();
  steps_.Finished(succeeded);
  Show();
}

void SetupWizard::Status(const std::wstring& text) {
  SetDlgItemTextW(hwnd(), QV_SETUP_PROCESS, text.c_str());
  Repaint();
}

void SetupWizard::Log(const std::wstring& text) {
  const HWND log = Item(QV_SETUP_LOG);
  const LRESULT count = SendMessageW(log, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())) + 1;
  SendMessageW(log, LB_SETTOPINDEX, static_cast<WPARAM>(count - 1), 0);
  Repaint();
}

void SetupWizard::Repaint() const {
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace qv
