#include "dialogs/procs_dialog.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "addin/addin_state.h"
#include "addin/build_info.h"
#include "addin/connection.h"
#include "addin/session.h"
#include "dialogs/controls.h"
#include "dialogs/dialog_ids.h"
#include "dialogs/dialog_window.h"
#include "dialogs/prompted_step.h"
#include "dialogs/twips.h"
#include "kit/vb_convert.h"
#include "win/failure_log.h"
#include "win/gdi_owners.h"
#include "win/message_box.h"
#include "win/registry.h"

namespace qv {
namespace {

constexpr wchar_t kNotFound[] = L"Функция или процедура не была обнаружена.";
constexpr wchar_t kSortValue[] = L"Procs.Sort";
constexpr wchar_t kDisplayAllValue[] = L"Procs.DisplayAll";
constexpr wchar_t kWidthValue[] = L"Procs.Width";
constexpr wchar_t kHeightValue[] = L"Procs.Height";

// The designed form, in twips.
constexpr int kMargin = 120;  // the list's left
constexpr int kListTop = 480;
constexpr int kFrameHeight = 1935;
constexpr int kColumnWidth = 1215;  // the buttons and "Сортировка", kept at the right edge
// The attributes frame shows only when it leaves the list at least this height.
constexpr int kFrameRoom = 1815;
constexpr SIZE kDesignedSize{6000, 5700};
// A stored size below this would leave no usable window.
constexpr SIZE kSmallestSize{2400, 2400};

struct Box {
  int left, top, width, height;
};
struct Placed {
  int id;
  Box box;  // in the column: from its top left
};
constexpr Placed kColumn[] = {
    {IDOK, {0, 0, kColumnWidth, 375}},
    {IDCANCEL, {0, 480, kColumnWidth, 375}},
    {QV_PROCS_HELP, {0, 960, kColumnWidth, 375}},
    {QV_PROCS_SORT, {0, 1440, kColumnWidth, 255}},
};
constexpr Box kDisplayAll{kMargin, 120, 4500, 255};
constexpr int kLabelLeft = 120;  // in the frame, on both sides
constexpr int kLabelTop = 285;

constexpr int kLists[] = {QV_PROCS_LIST, QV_PROCS_LIST_SORTED};

// The host's procedure kinds.
enum ProcKind : long { kProc = 0, kLet = 1, kSet = 2, kGet = 3 };

// Component types without code: resource file, property page, related document.
bool HoldsNoCode(long type) { return type == 4 || type == 7 || type == 10; }

struct ProcEntry {
  std::wstring name;
  long kind = kProc;
  std::wstring component;  // whole-project entries only
};

std::wstring EntryText(const ProcEntry& entry) {
  std::wstring text = entry.name;
  if (entry.kind == kGet) text += L" [PropertyGet]";
  if (entry.kind == kLet) text += L" [PropertyLet]";
  if (entry.kind == kSet) text += L" [PropertySet]";
  if (!entry.component.empty()) text += L" (" + entry.component + L")";
  return text;
}

// A whole-project entry's module is looked for again by name: it may be renamed or gone by now.
CodeModule ModuleOf(const ProcEntry& entry) {
  if (entry.component.empty()) return VBInstance().ActiveCodePane().CodeModule();
  return VBInstance().ActiveVBProject().VBComponents().Find(entry.component).CodeModule();
}

// The module's own pane shows the line below the header, at column 1; it is activated when another
// pane, or none, was the active one (asking for the pane may open its window).
void ShowProcedure(const CodeModule& module, long body_line) {
  CodePane active;
  Guarded(L"procedure list: active pane", [&] { active = VBInstance().ActiveCodePane(); });
  CodePane pane;
  if (!Guarded(L"procedure list: pane", [&] { pane = module.CodePane(); })) return;
  Guarded(L"procedure list: show", [&] {
    if (!active || !SameObject(active.get(), pane.get())) pane.Show();
  });
  Guarded(L"procedure list: top line", [&] { pane.SetTopLine(body_line); });
  Guarded(L"procedure list: caret", [&] { pane.SetSelection({body_line + 1, 1, body_line + 1, 1}); });
}

// Twips and the screen's pixels.
struct ScreenScale {
  int dpi = GetDeviceCaps(ClientDc(nullptr).get(), LOGPIXELSX);
  int Pixels(int twips) const { return TwipsToPixels(twips, dpi); }
  int Twips(int pixels) const { return MulDiv(pixels, kTwipsPerInch, dpi); }
};

std::optional<std::wstring> Stored(const wchar_t* name) {
  return GetRegValue(HKEY_CURRENT_USER, State().SettingsKey, name);
}

void Store(const wchar_t* name, const std::wstring& text) {
  if (State().SettingsKey.empty()) return;  // closed after the connection: no key of ours to write
  if (SetRegValue(HKEY_CURRENT_USER, State().SettingsKey, name, text) != ERROR_SUCCESS) {
    RecordFailure(name, L"the procedure list's setting was not stored");
  }
}

bool StoredFlag(const wchar_t* name, bool dflt) {
  const std::optional<std::wstring> text = Stored(name);
  bool flag = dflt;
  if (text) Guarded(name, [&] { flag = CBool(*text); });
  return flag;
}

// In twips: the designed size for a value that is missing, no number, zero, negative or too small
// for a usable window; at most the screen's.
int StoredSize(const wchar_t* name, int designed, int smallest, int screen) {
  const std::optional<std::wstring> text = Stored(name);
  const std::optional<double> value = text ? LeadingNumber(*text) : std::nullopt;
  if (!value || *value < smallest) return designed;
  return static_cast<int>(std::min<double>(*value, screen));
}

}  // namespace

class ProcsDialog final : public DialogWindow {
 public:
  explicit ProcsDialog(ModelessDialogs& dialogs) : dialogs_(dialogs) {}

  // Refills both lists and selects the caret's procedure.
  void AddFunctions();
  void FocusList() { SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(VisibleList()), TRUE); }

 protected:
  void OnInit() override;
  void OnCommand(int id, int code) override;
  INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnWindowDestroyed() override { dialogs_.procs.Forget(this); }

 private:
  bool Checked(int id) const { return IsChecked(Item(id)); }
  HWND VisibleList() const { return Item(Checked(QV_PROCS_SORT) ? QV_PROCS_LIST_SORTED : QV_PROCS_LIST); }
  // Every window of the thread waits for the box: nothing can close this one under it.
  static void Warn(std::wstring_view text) {
    ShowMessageBox(nullptr, text, Build().AppTitle, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
  }
  // A failing step of the fill shows its error, and the fill goes on.
  template <class Step>
  static void Reported(Step&& step) {
    RunPrompted(nullptr, MB_TASKMODAL, std::forward<Step>(step));
  }

  void AddProjectFunctions();
  void AddModuleFunctions(const CodeModule& module, const std::wstring& component);
  void AddEntry(ProcEntry entry);
  void SelectCaretEntry(bool whole_project);
  void Select(HWND list, LRESULT row);
  // The other list selects the same entry.
  void FollowSelection(HWND list);
  const ProcEntry* SelectedEntry() const;
  void ShowDescription();
  void GoToSelected();
  void ShowSortedList();
  void PlaceWindow();
  void LayOut();
  void Move(int id, const Box& box, const ScreenScale& scale) const;
  void SaveSettings() const;

  ModelessDialogs& dialogs_;
  std::vector<ProcEntry> entries_;  // by the lists' item data
};

void ProcsDialog::OnInit() {
  dialogs_.keys.Add(hwnd());
  SendMessageW(Item(QV_PROCS_SORT), BM_SETCHECK, StoredFlag(kSortValue, true) ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(Item(QV_PROCS_DISPLAY_ALL), BM_SETCHECK,
               StoredFlag(kDisplayAllValue, false) ? BST_CHECKED : BST_UNCHECKED, 0);
  ShowSortedList();
  PlaceWindow();
}

void ProcsDialog::OnCommand(int id, int code) {
  switch (id) {
    case IDOK:
      GoToSelected();
      return;
    case IDCANCEL:
      DestroyWindow(hwnd());
      return;
    case QV_PROCS_LIST:
    case QV_PROCS_LIST_SORTED:
      if (code == LBN_SELCHANGE) FollowSelection(Item(id));
      if (code == LBN_DBLCLK) GoToSelected();
      return;
    case QV_PROCS_SORT:
      if (code == BN_CLICKED) ShowSortedList();
      return;
    case QV_PROCS_DISPLAY_ALL:
      if (code == BN_CLICKED) AddFunctions();
      return;
    default:
      return;
  }
}

INT_PTR ProcsDialog::OnMessage(UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) LayOut();
      return FALSE;
    case WM_CLOSE:
      DestroyWindow(hwnd());
      return TRUE;
    case WM_DESTROY:
      dialogs_.keys.Remove(hwnd());
      SaveSettings();
      return FALSE;
    default:
      return FALSE;
  }
}

void ProcsDialog::AddFunctions() {
  entries_.clear();
  for (const int id : kLists) {
    SendMessageW(Item(id), WM_SETREDRAW, FALSE, 0);
    SendMessageW(Item(id), LB_RESETCONTENT, 0, 0);
  }
  const bool whole_project = Checked(QV_PROCS_DISPLAY_ALL);
  if (whole_project) {
    AddProjectFunctions();
  } else {
    Reported([&] {
      if (const CodePane pane = VBInstance().ActiveCodePane()) AddModuleFunctions(pane.CodeModule(), {});
    });
  }
  if (!entries_.empty()) Reported([&] { SelectCaretEntry(whole_project); });
  for (const int id : kLists) {
    SendMessageW(Item(id), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Item(id), nullptr, TRUE);
  }
  // At every fill: after an empty one a later fill must bring "Перейти" and Enter back.
  EnableWindow(Item(IDOK), !entries_.empty());
}

void ProcsDialog::AddProjectFunctions() {
  VBComponents components;
  long count = 0;
  Reported([&] {
    if (const VBProject project = VBInstance().ActiveVBProject()) {
      components = project.VBComponents();
      count = components.Count();
    }
  });
  for (long index = 1; index <= count; ++index) {
    Reported([&] {
      const VBComponent component = components.Item(index);
      if (!HoldsNoCode(component.Type())) AddModuleFunctions(component.CodeModule(), component.Name());
    });
  }
}

void ProcsDialog::AddModuleFunctions(const CodeModule& module, const std::wstring& component) {
  const long count = module.CountOfLines();
  for (long line = module.CountOfDeclarationLines() + 1; line <= count;) {
    ProcEntry entry{{}, kProc, component};
    entry.name = module.ProcOfLine(line, entry.kind);
    if (entry.name.empty()) {
      ++line;
      continue;
    }
    // Always forward: a count of 0 from the host must not hold the walk.
    line += std::max(1L, module.ProcCountLines(entry.name, entry.kind));
    AddEntry(std::move(entry));
  }
}

void ProcsDialog::AddEntry(ProcEntry entry) {
  const std::wstring text = EntryText(entry);
  const auto data = static_cast<LPARAM>(entries_.size());
  entries_.push_back(std::move(entry));
  for (const int id : kLists) {
    const LRESULT row = SendMessageW(Item(id), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(Item(id), LB_SETITEMDATA, static_cast<WPARAM>(row), data);
  }
}

// Outside every procedure, or when the caret's procedure is not listed, the first entry.
void ProcsDialog::SelectCaretEntry(bool whole_project) {
  const CodePane pane = VBInstance().ActiveCodePane();
  if (!pane) return;
  const CodeModule module = pane.CodeModule();
  ProcEntry caret;
  caret.name = module.ProcOfLine(pane.GetSelection().start_line, caret.kind);
  LRESULT row = LB_ERR;
  if (!caret.name.empty()) {
    // The pane's own component: the project window may have another one selected.
    if (whole_project) caret.component = module.Parent().Name();
    row = SendMessageW(VisibleList(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(EntryText(caret).c_str()));
  }
  Select(VisibleList(), row == LB_ERR ? 0 : row);
}

void ProcsDialog::Select(HWND list, LRESULT row) {
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
  FollowSelection(list);
}

void ProcsDialog::FollowSelection(HWND list) {
  const HWND other = Item(list == Item(QV_PROCS_LIST) ? QV_PROCS_LIST_SORTED : QV_PROCS_LIST);
  const LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
  const LRESULT data = row == LB_ERR ? LB_ERR : SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(row), 0);
  const LRESULT count = SendMessageW(other, LB_GETCOUNT, 0, 0);
  LRESULT match = LB_ERR;
  for (LRESULT at = 0; at < count && data != LB_ERR && match == LB_ERR; ++at) {
    if (SendMessageW(other, LB_GETITEMDATA, static_cast<WPARAM>(at), 0) == data) match = at;
  }
  SendMessageW(other, LB_SETCURSEL, static_cast<WPARAM>(match), 0);
  ShowDescription();
}

const ProcEntry* ProcsDialog::SelectedEntry() const {
  const HWND list = VisibleList();
  const LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (row == LB_ERR) return nullptr;
  const auto data = static_cast<size_t>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(row), 0));
  return data < entries_.size() ? &entries_[data] : nullptr;
}

// The Visual Basic 6.0 IDE's description of the member; the VBA editor has none.
void ProcsDialog::ShowDescription() {
  const ProcEntry* entry = SelectedEntry();
  if (State().IsVBA || !entry) return;
  std::wstring description;
  // Another procedure's description must not stay when this one's cannot be read.
  Guarded(L"procedure description", [&] { description = ModuleOf(*entry).MemberDescription(entry->name); });
  SetControlText(Item(QV_PROCS_DESCRIPTION), description);
}

void ProcsDialog::GoToSelected() {
  const ProcEntry* entry = SelectedEntry();
  if (!entry) return;
  CodeModule module;
  long body_line = 0;
  try {
    module = ModuleOf(*entry);
    body_line = module.ProcBodyLine(entry->name, entry->kind);
  } catch (const VbError&) {
    Warn(kNotFound);
    return;
  }
  DestroyWindow(hwnd());  // saves the settings; this object goes with its window
  ShowProcedure(module, body_line);
}

void ProcsDialog::ShowSortedList() {
  const bool sorted = Checked(QV_PROCS_SORT);
  const HWND shown = Item(sorted ? QV_PROCS_LIST_SORTED : QV_PROCS_LIST);
  const HWND hidden = Item(sorted ? QV_PROCS_LIST : QV_PROCS_LIST_SORTED);
  ShowWindow(shown, SW_SHOWNA);
  if (GetFocus() == hidden) FocusList();
  ShowWindow(hidden, SW_HIDE);
}

// The stored size, centred on the screen.
void ProcsDialog::PlaceWindow() {
  const ScreenScale scale;
  const int screen_width = GetSystemMetrics(SM_CXSCREEN);
  const int screen_height = GetSystemMetrics(SM_CYSCREEN);
  const int width =
      scale.Pixels(StoredSize(kWidthValue, kDesignedSize.cx, kSmallestSize.cx, scale.Twips(screen_width)));
  const int height =
      scale.Pixels(StoredSize(kHeightValue, kDesignedSize.cy, kSmallestSize.cy, scale.Twips(screen_height)));
  SetWindowPos(hwnd(), nullptr, (screen_width - width) / 2, (screen_height - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  LayOut();
}

void ProcsDialog::LayOut() {
  const ScreenScale scale;
  RECT client;
  GetClientRect(hwnd(), &client);
  const int width = scale.Twips(client.right);
  const int height = scale.Twips(client.bottom);
  const bool frame = height - kListTop - kFrameHeight - kMargin >= kFrameRoom && !State().IsVBA;
  const Box list{kMargin, kListTop, width - 3 * kMargin - kColumnWidth,
                 height - kListTop - kMargin - (frame ? kFrameHeight : 0)};
  for (const int id : kLists) Move(id, list, scale);
  const int column_left = width - kColumnWidth - kMargin;
  for (const Placed& placed : kColumn) {
    const Box& box = placed.box;
    Move(placed.id, {column_left + box.left, kListTop + box.top, box.width, box.height}, scale);
  }
  Move(QV_PROCS_DISPLAY_ALL, kDisplayAll, scale);
  if (frame) {
    const Box box{kMargin, height - kFrameHeight - kMargin, width - 2 * kMargin, kFrameHeight};
    Move(QV_PROCS_FRAME, box, scale);
    Move(QV_PROCS_DESCRIPTION,
         {box.left + kLabelLeft, box.top + kLabelTop, box.width - 2 * kLabelLeft, box.height - kLabelTop - kLabelLeft},
         scale);
  }
  for (const int id : {QV_PROCS_FRAME, QV_PROCS_DESCRIPTION}) ShowWindow(Item(id), frame ? SW_SHOWNA : SW_HIDE);
}

void ProcsDialog::Move(int id, const Box& box, const ScreenScale& scale) const {
  MoveWindow(Item(id), scale.Pixels(box.left), scale.Pixels(box.top), std::max(0, scale.Pixels(box.width)),
             std::max(0, scale.Pixels(box.height)), TRUE);
}

// The size as it is when the window is neither minimised nor maximised.
void ProcsDialog::SaveSettings() const {
  Store(kSortValue, Checked(QV_PROCS_SORT) ? L"True" : L"False");
  Store(kDisplayAllValue, Checked(QV_PROCS_DISPLAY_ALL) ? L"True" : L"False");
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(hwnd(), &placement)) return;
  const RECT& normal = placement.rcNormalPosition;
  const ScreenScale scale;
  Store(kWidthValue, std::to_wstring(scale.Twips(normal.right - normal.left)));
  Store(kHeightValue, std::to_wstring(scale.Twips(normal.bottom - normal.top)));
}

void ShowProcs(ModelessDialogs& dialogs) {
  ProcsDialog* window =
      dialogs.procs.Open([](ProcsDialog& made) { return made.Create(QV_PROCS_DIALOG, HostMainWindow()); }, dialogs);
  if (!window) return RecordFailure(L"ShowProcs", L"the procedure list cannot be created");
  window->AddFunctions();
  ShowInFront(window->hwnd());
  window->FocusList();
}

}  // namespace qv
