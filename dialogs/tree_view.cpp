#include "dialogs/tree_view.h"

#include <algorithm>

#include "kit/vb_error.h"
#include "win/message_box.h"
#include "win/this_module.h"

namespace qv {
namespace {

constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                             TVS_SHOWSELALWAYS | TVS_INFOTIP;
constexpr UINT kStateImageMask = 0xF000;
constexpr int kTextSize = 260;

TVITEMW ItemOf(UINT mask, HTREEITEM item) {
  TVITEMW data{};
  data.mask = mask;
  data.hItem = item;
  return data;
}

int ShiftMask() {
  int mask = 0;
  if (GetAsyncKeyState(VK_SHIFT) & 0x8000) mask |= 1;
  if (GetAsyncKeyState(VK_CONTROL) & 0x8000) mask |= 2;
  if (GetAsyncKeyState(VK_MENU) & 0x8000) mask |= 4;
  return mask;
}

// The mouse button of a press or release message: 1 left, 2 right, 4 middle; 0 for any other.
int ButtonOf(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return 2;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return 4;
    default:
      return 0;
  }
}

bool IsPress(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

// The text of a notification's buffer, cut at its size and at the first NUL.
std::wstring BufferText(const wchar_t* buffer, int size) {
  if (!buffer || size <= 0) return {};
  const wchar_t* end = std::find(buffer, buffer + size, L'\0');
  return std::wstring(buffer, end);
}

// Writes `text` back into the buffer, cut to fit with its NUL.
void WriteBack(const std::wstring& text, wchar_t* buffer, int size) {
  if (!buffer || size <= 0) return;
  const size_t count = std::min(text.size(), static_cast<size_t>(size) - 1);
  std::copy_n(text.data(), count, buffer);
  buffer[count] = L'\0';
}

// A key as the table holds it: 260 characters, cut or padded with blanks.
std::wstring FixedKey(const std::wstring& key) {
  std::wstring fixed = key.substr(0, kTextSize);
  fixed.resize(kTextSize, L' ');
  return fixed;
}

// The product's own error box for a failing event handler. The text names QuorvaneStudio although
// only QuorvaneOffice carries the control: kept as the users know it.
void ShowEventError(const std::wstring& description, const wchar_t* where, int step) {
  const std::wstring text = description + L"\r\nin QuorvaneStudio.TreeView." + where + L" at line " +
                            std::to_wstring(step);
  ShowMessageBox(nullptr, text, L"Application Error", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

TreeView::TreeView(HWND parent, TreeViewListener& listener) : listener_(&listener) {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  container_ = CreateWindowExW(0, L"STATIC", L"TreeView", WS_CHILD | WS_VISIBLE, 10, 10, 200, 100, parent,
                               nullptr, ThisModule(), nullptr);
  if (!container_) return;
  // Hooked before the tree exists, so the tree's first question of the notification format is
  // answered: Unicode.
  container_hook_.Hook(container_);
  tree_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"", kTreeStyle, 0, 0, 200, 100, container_, nullptr,
                          ThisModule(), nullptr);
  if (!tree_) return;
  tree_hook_.Hook(tree_);
  SendMessageW(tree_, TVM_SETBKCOLOR, 0, -1);
  SendMessageW(tree_, TVM_SETTEXTCOLOR, 0, -1);
  SendMessageW(tree_, TVM_SETINDENT, 16, 0);
  SendMessageW(tree_, TVM_SETITEMHEIGHT, 16, 0);
}

TreeView::~TreeView() {
  listener_ = nullptr;  // no events while the windows go
  if (container_) DestroyWindow(container_);  // the tree with it
}

std::optional<LRESULT> TreeView::WindowHook::OnMessage(HWND window, UINT& message, WPARAM& wparam, LPARAM& lparam) {
  if (message == WM_NCDESTROY) {
    window_ = nullptr;
    return std::nullopt;
  }
  // The normal image list goes with the tree, whichever of the object and the parent ends it.
  if (message == WM_DESTROY && window == owner_.tree_) {
    if (HIMAGELIST list = owner_.ImageList(TVSIL_NORMAL)) {
      owner_.ImageList(TVSIL_NORMAL, nullptr);
      ImageList_Destroy(list);
    }
  }
  return owner_.OnMessage(message, wparam, lparam);
}

template <class Event>
void TreeView::Raise(const wchar_t* where, int step, Event&& event) {
  if (!listener_) return;
  RunStep([&](const VbError& error) { ShowEventError(error.description, where, step); }, [&] { event(*listener_); });
}

std::optional<LRESULT> TreeView::OnMessage(UINT& message, WPARAM& wparam, LPARAM& lparam) {
  if (message == WM_NOTIFYFORMAT) return NFR_UNICODE;
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lparam);
    if (header && tree_ && header->hwndFrom == tree_) OnNotify(*header);
    return std::nullopt;
  }
  POINT cursor{};
  if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
    GetCursorPos(&cursor);
    ScreenToClient(tree_, &cursor);
  }
  TrackCheck(message, wparam, cursor);
  const int button = ButtonOf(message);
  const int key = static_cast<int>(wparam);
  switch (message) {
    case WM_HSCROLL:
      Raise(L"Free_Message", 6, [&](TreeViewListener& l) { l.HScroll(LOWORD(wparam), HIWORD(wparam)); });
      break;
    case WM_VSCROLL:
      Raise(L"Free_Message", 7, [&](TreeViewListener& l) { l.VScroll(LOWORD(wparam), HIWORD(wparam)); });
      break;
    case WM_MOUSEMOVE:
      Raise(L"Free_Message", 20, [&](TreeViewListener& l) { l.MouseMove(ShiftMask(), cursor.x, cursor.y); });
      break;
    case WM_CHAR:
      Raise(L"Free_Message", 22, [&](TreeViewListener& l) { l.KeyPress(wparam); });
      break;
    case WM_KEYDOWN:
      Raise(L"Free_Message", 23, [&](TreeViewListener& l) { l.KeyDown(key, ShiftMask()); });
      break;
    case WM_KEYUP:
      Raise(L"Free_Message", 24, [&](TreeViewListener& l) { l.KeyUp(key, ShiftMask()); });
      break;
    default:
      if (button && IsPress(message)) {
        Raise(L"Free_Message", 19,
              [&](TreeViewListener& l) { l.MouseDown(button, ShiftMask(), cursor.x, cursor.y); });
      } else if (button) {
        Raise(L"Free_Message", 21, [&](TreeViewListener& l) { l.MouseUp(button, ShiftMask(), cursor.x, cursor.y); });
      }
  }
  return std::nullopt;
}

// A change of an item's check state by the user: remembered at the press, compared at the release.
void TreeView::TrackCheck(UINT message, WPARAM wparam, POINT cursor) {
  const int button = ButtonOf(message);
  HTREEITEM current = nullptr;
  if (button && IsPress(message)) {
    current = HitTest(cursor.x, cursor.y);
    press_kind_ = 1;
  } else if (message == WM_KEYDOWN && wparam == VK_SPACE) {
    current = Item(nullptr, TVGN_CARET);
    press_kind_ = 2;
  } else {
    const bool released = (button && press_kind_ == 1 && HitTest(cursor.x, cursor.y) == press_item_) ||
                          (message == WM_KEYUP && press_kind_ == 2 && Item(nullptr, TVGN_CARET) == press_item_);
    if (released && press_item_ && ItemChecked(press_item_) != press_checked_) {
      HTREEITEM item = press_item_;
      Raise(L"Free_Message", 18, [&](TreeViewListener& l) { l.ManualChkCanged(item); });
    }
    return;
  }
  press_item_ = current;
  press_checked_ = current && ItemChecked(current);
}

void TreeView::OnNotify(const NMHDR& header) {
  // A whole NMTREEVIEWW comes only with the codes that read it below; the others' are shorter.
  const auto& tree = reinterpret_cast<const NMTREEVIEWW&>(header);
  LONG value = 0;
  switch (header.code) {
    case NM_CLICK:
      Raise(L"zTVpCallBack", 1, [](TreeViewListener& l) { l.Click(); });
      break;
    case NM_RCLICK: {
      POINT cursor{};
      GetCursorPos(&cursor);
      ScreenToClient(tree_, &cursor);
      HTREEITEM under = HitTest(cursor.x, cursor.y);
      Raise(L"zTVpCallBack", 2, [&](TreeViewListener& l) { l.RightClick(under); });
      break;
    }
    case NM_DBLCLK:
      Raise(L"zTVpCallBack", 3, [](TreeViewListener& l) { l.DblClick(); });
      break;
    case NM_KILLFOCUS:
      Raise(L"zTVpCallBack", 4, [](TreeViewListener& l) { l.LostFocusEx(); });
      break;
    case NM_SETFOCUS:
      Raise(L"zTVpCallBack", 5, [](TreeViewListener& l) { l.GotFocusEx(); });
      break;
    case TVN_ITEMEXPANDEDW:
      Raise(L"zTVpCallBack", 8, [&](TreeViewListener& l) { l.Expanded(tree.itemNew.hItem); });
      break;
    case TVN_SINGLEEXPAND:
      Raise(L"zTVpCallBack", 9,
            [&](TreeViewListener& l) { l.ExpandSingle(tree.itemNew.hItem, tree.itemOld.hItem, value); });
      break;
    case TVN_ITEMEXPANDINGW:
      Raise(L"zTVpCallBack", 10, [&](TreeViewListener& l) { l.Expanding(tree.itemNew.hItem, value); });
      break;
    case TVN_SELCHANGEDW:
      Raise(L"zTVpCallBack", 11,
            [&](TreeViewListener& l) { l.SelChanged(tree.itemNew.hItem, tree.itemOld.hItem, tree.action); });
      break;
    case TVN_SELCHANGINGW:
      Raise(L"zTVpCallBack", 12, [&](TreeViewListener& l) {
        l.SelChanging(tree.itemNew.hItem, tree.itemOld.hItem, tree.action, value);
      });
      break;
    case TVN_GETINFOTIPW: {
      const auto& tip = reinterpret_cast<const NMTVGETINFOTIPW&>(header);
      std::wstring text = BufferText(tip.pszText, tip.cchTextMax);
      Raise(L"zTVpCallBack", 13, [&](TreeViewListener& l) { l.InfoTip(tip.hItem, text); });
      WriteBack(text, tip.pszText, tip.cchTextMax);
      break;
    }
    case TVN_DELETEITEMW: {
      // The item's key goes with it; the tree reports each deleted descendant the same way.
      const HTREEITEM deleted = tree.itemOld.hItem;
      std::erase_if(keys_, [&](const auto& entry) { return entry.first == deleted; });
      if (press_item_ == deleted) press_item_ = nullptr;
      Raise(L"zTVpCallBack", 14, [&](TreeViewListener& l) { l.ItemDeleted(deleted, tree.itemNew.hItem); });
      break;
    }
    case TVN_BEGINLABELEDITW:
    case TVN_ENDLABELEDITW: {
      const auto& edit = reinterpret_cast<const NMTVDISPINFOW&>(header);
      std::wstring text = BufferText(edit.item.pszText, edit.item.cchTextMax);
      if (header.code == TVN_BEGINLABELEDITW) {
        Raise(L"zTVpCallBack", 15, [&](TreeViewListener& l) { l.LabelEditStart(edit.item.hItem, text, value); });
      } else {
        Raise(L"zTVpCallBack", 16, [&](TreeViewListener& l) { l.LabelEditEnd(edit.item.hItem, text, value); });
      }
      WriteBack(text, edit.item.pszText, edit.item.cchTextMax);
      break;
    }
    case TVN_BEGINDRAGW:
    case TVN_BEGINRDRAGW: {
      const int button = header.code == TVN_BEGINDRAGW ? 1 : 2;
      Raise(L"zTVpCallBack", 17, [&](TreeViewListener& l) {
        l.DragBegin(button, tree.itemNew.hItem, tree.ptDrag.x, tree.ptDrag.y);
      });
      break;
    }
    default:
      break;
  }
}

HIMAGELIST TreeView::ImageListCreate(UINT flags, int initial_images, int grow_images) {
  return ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), flags, initial_images,
                          grow_images);
}

int TreeView::ImageListAddMasked(HBITMAP image, COLORREF mask) {
  return ImageList_AddMasked(ImageList(TVSIL_NORMAL), image, mask);
}

int TreeView::ImageListAddIcon(HICON icon) { return ImageList_ReplaceIcon(ImageList(TVSIL_NORMAL), -1, icon); }

void TreeView::DeleteItem(HTREEITEM item) { SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)); }

HTREEITEM TreeView::AddItem(HTREEITEM relative, HTREEITEM relation, const std::wstring& text,
                            const std::wstring& key, int image, int selected_image, LPARAM data, bool bold) {
  TVINSERTSTRUCTW insert{};
  if (relation == TVI_ROOT) {
    insert.hParent = Item(relative, TVGN_PARENT);
    insert.hInsertAfter = relative;
  } else {
    insert.hParent = relative;
    insert.hInsertAfter = relation;
  }
  std::wstring buffer = text;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = buffer.data();
  insert.item.iImage = image;
  insert.item.iSelectedImage = selected_image == -1 ? image : selected_image;
  insert.item.stateMask = TVIS_BOLD;
  insert.item.state = bold ? TVIS_BOLD : 0;
  auto* item = reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  if (!item) return nullptr;
  keys_.emplace_back(item, FixedKey(key));
  ItemData(item, data);
  return item;
}

HTREEITEM TreeView::AddItem(const std::wstring& relative_key, HTREEITEM relation, const std::wstring& text,
                            const std::wstring& key, int image, int selected_image, LPARAM data, bool bold) {
  return AddItem(FindByKey(relative_key), relation, text, key, image, selected_image, data, bold);
}

bool TreeView::GetItem(TVITEMW& item) const {
  return SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

void TreeView::SetItem(TVITEMW item) { SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)); }

template <class T>
T TreeView::ReadField(HTREEITEM item, UINT mask, T TVITEMW::*field) const {
  TVITEMW data = ItemOf(mask, item);
  GetItem(data);
  return data.*field;
}

template <class T>
void TreeView::WriteField(HTREEITEM item, UINT mask, T TVITEMW::*field, T value) {
  TVITEMW data = ItemOf(mask, item);
  data.*field = value;
  SetItem(data);
}

bool TreeView::ItemChecked(HTREEITEM item) const {
  TVITEMW data = ItemOf(TVIF_STATE, item);
  data.stateMask = kStateImageMask;
  GetItem(data);
  return (data.state & kStateImageMask) != INDEXTOSTATEIMAGEMASK(1);
}

void TreeView::ItemChecked(HTREEITEM item, bool checked) {
  TVITEMW data = ItemOf(TVIF_STATE, item);
  data.stateMask = kStateImageMask;
  data.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  SetItem(data);
}

void TreeView::ItemExpanded(HTREEITEM item, UINT flag) {
  SendMessageW(tree_, TVM_EXPAND, flag, reinterpret_cast<LPARAM>(item));
}

HTREEITEM TreeView::ItemChild(HTREEITEM item) const { return Item(item, TVGN_CHILD); }

void TreeView::ItemSelected(HTREEITEM item) {
  SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

void TreeView::FirstVisible(HTREEITEM item) {
  SendMessageW(tree_, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(item));
}

int TreeView::ItemHeight() const { return static_cast<int>(SendMessageW(tree_, TVM_GETITEMHEIGHT, 0, 0)); }

void TreeView::ItemHeight(int height) { SendMessageW(tree_, TVM_SETITEMHEIGHT, static_cast<WPARAM>(height), 0); }

std::wstring TreeView::ItemText(HTREEITEM item) const {
  wchar_t buffer[kTextSize] = {};
  TVITEMW data = ItemOf(TVIF_TEXT, item);
  data.pszText = buffer;
  data.cchTextMax = kTextSize;
  if (!GetItem(data)) return {};
  return BufferText(data.pszText, kTextSize);
}

void TreeView::ItemText(HTREEITEM item, const std::wstring& text) {
  std::wstring buffer = text;
  TVITEMW data = ItemOf(TVIF_TEXT, item);
  data.pszText = buffer.data();
  SetItem(data);
}

HTREEITEM TreeView::Item(HTREEITEM item, UINT flag) const {
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_GETNEXTITEM, flag, reinterpret_cast<LPARAM>(item)));
}

void TreeView::BackColor(COLORREF colour) { SendMessageW(tree_, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour)); }

COLORREF TreeView::BackColor() const { return static_cast<COLORREF>(SendMessageW(tree_, TVM_GETBKCOLOR, 0, 0)); }

int TreeView::ItemImage(HTREEITEM item) const { return ReadField(item, TVIF_IMAGE, &TVITEMW::iImage); }

void TreeView::ItemImage(HTREEITEM item, int image) { WriteField(item, TVIF_IMAGE, &TVITEMW::iImage, image); }

int TreeView::ItemImageSelected(HTREEITEM item) const {
  return ReadField(item, TVIF_SELECTEDIMAGE, &TVITEMW::iSelectedImage);
}

void TreeView::ItemImageSelected(HTREEITEM item, int image) {
  WriteField(item, TVIF_SELECTEDIMAGE, &TVITEMW::iSelectedImage, image);
}

COLORREF TreeView::TextColor() const { return static_cast<COLORREF>(SendMessageW(tree_, TVM_GETTEXTCOLOR, 0, 0)); }

void TreeView::TextColor(COLORREF colour) { SendMessageW(tree_, TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colour)); }

HWND TreeView::ToolTips() const { return reinterpret_cast<HWND>(SendMessageW(tree_, TVM_GETTOOLTIPS, 0, 0)); }

void TreeView::ToolTips(HWND tips) { SendMessageW(tree_, TVM_SETTOOLTIPS, reinterpret_cast<WPARAM>(tips), 0); }

void TreeView::ImageList(int type, HIMAGELIST list) {
  SendMessageW(tree_, TVM_SETIMAGELIST, static_cast<WPARAM>(type), reinterpret_cast<LPARAM>(list));
}

HIMAGELIST TreeView::ImageList(int type) const {
  return reinterpret_cast<HIMAGELIST>(SendMessageW(tree_, TVM_GETIMAGELIST, static_cast<WPARAM>(type), 0));
}

void TreeView::ItemData(HTREEITEM item, LPARAM data) { WriteField(item, TVIF_PARAM, &TVITEMW::lParam, data); }

LPARAM TreeView::ItemData(HTREEITEM item) const { return ReadField(item, TVIF_PARAM, &TVITEMW::lParam); }

HTREEITEM TreeView::ItemHandle(int index) const {
  if (index == -1) return keys_.empty() ? nullptr : keys_.back().first;
  if (index < 0 || static_cast<size_t>(index) >= keys_.size()) return nullptr;
  return keys_[static_cast<size_t>(index)].first;
}

void TreeView::StartEditLabel(HTREEITEM item) {
  SendMessageW(tree_, TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(item));
}

HTREEITEM TreeView::HitTest(int x, int y) const {
  TVHITTESTINFO hit{};
  hit.pt = {x, y};
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

int TreeView::Count(bool visible) const {
  return static_cast<int>(SendMessageW(tree_, visible ? TVM_GETVISIBLECOUNT : TVM_GETCOUNT, 0, 0));
}

// Depth first, without pumping messages: nothing may re-enter while the walk holds item handles.
std::vector<TreeItemInfo> TreeView::EnumItems() const {
  std::vector<TreeItemInfo> items;
  HTREEITEM item = Item(nullptr, TVGN_ROOT);
  int level = 0;
  while (item) {
    items.push_back({item, level, ItemText(item)});
    if (HTREEITEM child = ItemChild(item)) {
      item = child;
      ++level;
      continue;
    }
    while (item && !Item(item, TVGN_NEXT)) {
      item = Item(item, TVGN_PARENT);
      --level;
    }
    if (item) item = Item(item, TVGN_NEXT);
  }
  return items;
}

void TreeView::SetFocus() { ::SetFocus(tree_); }

void TreeView::Move(int left, int top, int width, int height) {
  RECT client{};
  GetClientRect(container_, &client);
  if (width < 0) width = client.right;
  if (height < 0) height = client.bottom;
  MoveWindow(container_, left, top, width, height, TRUE);
  MoveWindow(tree_, 0, 0, width, height, TRUE);
}

void TreeView::Redraw(bool on) {
  SendMessageW(tree_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
  if (!on) return;
  InvalidateRect(tree_, nullptr, TRUE);
  UpdateWindow(tree_);
}

HTREEITEM TreeView::FindByKey(const std::wstring& key) const {
  for (const auto& [item, stored] : keys_) {
    if (stored.starts_with(key)) return item;
  }
  return nullptr;
}

}  // namespace qv
