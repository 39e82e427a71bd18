// The declarations dialog: the names that the procedures of the active module use, that an included
// file declares and the project lacks, one check box each. "Добавить" declares the checked ones; the
// unchecked ones stay in DeclaredNames, so the engine skips them.
#include "dialogs/declarations_dialog.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "addin/addin_state.h"
#include "addin/connection.h"
#include "addin/includes.h"
#include "addin/session.h"
#include "dialogs/dialog_ids.h"
#include "dialogs/dialog_window.h"
#include "dialogs/prompted_step.h"
#include "win/failure_log.h"

namespace qv {
namespace {

// What the listing pass read and found.
struct Listing {
  std::wstring text;  // the module from the line after its declarations through its last line
  std::vector<std::wstring> names;
};

Listing ListDeclarations(IncludeState& includes) {
  Listing listing;
  const CodePane pane = VBInstance().ActiveCodePane();
  if (!pane) return listing;
  const CodeModule module = pane.CodeModule();
  const long StartLine = module.CountOfDeclarationLines() + 1;
  const long LineCount = module.CountOfLines() - StartLine + 1;
  includes.DeclaredNames.Clear();
  // The main loop keeps the include tables current only while both settings are on.
  const Settings& settings = State().settings;
  if (!settings.Include || !settings.AutoInclude) RunIncludePass(includes);
  if (LineCount <= 0) return listing;
  listing.text = module.Lines(StartLine, LineCount);
  AddDeclaration(includes, listing.text, true);
  listing.names.assign(includes.DeclaredNames.begin(), includes.DeclaredNames.end());
  return listing;
}

class DeclarationsDialog final : public DialogWindow {
 public:
  DeclarationsDialog(Listing listing, IncludeState& includes) : listing_(std::move(listing)), includes_(includes) {}

 protected:
  void OnInit() override {
    const HWND list = Item(QV_DECLARATIONS_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES);
    const LVCOLUMNW column{};
    ListView_InsertColumn(list, 0, &column);
    for (std::size_t index = 0; index < listing_.names.size(); ++index) {
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(index);
      item.pszText = listing_.names[index].data();
      ListView_InsertItem(list, &item);
      ListView_SetCheckState(list, static_cast<int>(index), TRUE);
    }
    // The one column fills the width that the scroll bar, if any, leaves.
    ListView_SetColumnWidth(list, 0, LVSCW_AUTOSIZE_USEHEADER);
    // Space toggles the entry with the focus.
    ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    EnableWindow(Item(IDOK), !listing_.names.empty());
  }

  void OnCommand(int id, int) override {
    // A click sent to the disabled button still arrives.
    if (id == IDOK && IsWindowEnabled(Item(IDOK))) {
      Add();
      EndModal();
    }
    if (id == IDCANCEL) EndModal();
  }

 private:
  void Add() {
    const HWND list = Item(QV_DECLARATIONS_LIST);
    auto& declared = includes_.DeclaredNames;
    declared.Clear();
    for (std::size_t index = 0; index < listing_.names.size(); ++index) {
      const std::wstring& name = listing_.names[index];
      if (!ListView_GetCheckState(list, static_cast<int>(index))) declared.Add(name, name);
    }
    RunPrompted(hwnd(), 0, [this] { AddDeclaration(includes_, listing_.text, false); });
  }

  Listing listing_;
  IncludeState& includes_;
};

}  // namespace

void ShowDeclarations(IncludeState& includes) {
  const HWND owner = HostMainWindow();
  Listing listing;
  if (!RunPrompted(owner, 0, [&] { listing = ListDeclarations(includes); })) return;
  const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  DeclarationsDialog dialog(std::move(listing), includes);
  if (!dialog.Create(QV_DECLARATIONS_DIALOG, owner)) {
    RecordFailure(L"ShowDeclarations", L"the declarations dialog cannot be created");
    return;
  }
  dialog.RunModal();
}

}  // namespace qv
