#pragma once
// A tree-view control: SysTreeView32 inside a STATIC container of its own, a table of text keys for
// finding items, and events translated from the tree's notifications and from its mouse, scroll and
// key messages. Only QuorvaneOffice carries it.
#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "win/subclass.h"

namespace qv {

// The control's events. Parameters passed by reference may be changed by the handler: texts are
// written back into the notification's buffer, the character of KeyPress into the message.
class TreeViewListener {
 public:
  virtual void Click() {}
  virtual void RightClick(HTREEITEM /*item*/) {}
  virtual void DblClick() {}
  virtual void LostFocusEx() {}
  virtual void GotFocusEx() {}
  virtual void HScroll(int /*code*/, int /*position*/) {}
  virtual void VScroll(int /*code*/, int /*position*/) {}
  virtual void Expanded(HTREEITEM /*item*/) {}
  virtual void ExpandSingle(HTREEITEM /*item*/, HTREEITEM /*old_item*/, LONG& /*value*/) {}
  virtual void Expanding(HTREEITEM /*item*/, LONG& /*value*/) {}
  virtual void SelChanged(HTREEITEM /*item*/, HTREEITEM /*old_item*/, UINT /*action*/) {}
  virtual void SelChanging(HTREEITEM /*item*/, HTREEITEM /*old_item*/, UINT /*action*/, LONG& /*value*/) {}
  virtual void InfoTip(HTREEITEM /*item*/, std::wstring& /*text*/) {}
  virtual void ItemDeleted(HTREEITEM /*item*/, HTREEITEM /*new_item*/) {}
  virtual void LabelEditStart(HTREEITEM /*item*/, std::wstring& /*text*/, LONG& /*value*/) {}
  virtual void LabelEditEnd(HTREEITEM /*item*/, std::wstring& /*text*/, LONG& /*value*/) {}
  virtual void DragBegin(int /*button*/, HTREEITEM /*item*/, int /*x*/, int /*y*/) {}
  virtual void ManualChkCanged(HTREEITEM /*item*/) {}
  virtual void MouseDown(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}
  virtual void MouseMove(int /*shift*/, int /*x*/, int /*y*/) {}
  virtual void MouseUp(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}
  virtual void KeyPress(WPARAM& /*character*/) {}
  virtual void KeyDown(int /*key*/, int /*shift*/) {}
  virtual void KeyUp(int /*key*/, int /*shift*/) {}

 protected:
  ~TreeViewListener() = default;
};

// One item of EnumItems: its depth counts from 0 for the items at the root.
struct TreeItemInfo {
  HTREEITEM item;
  int level;
  std::wstring text;
};

class TreeView {
 public:
  // The container is a child of `parent`; the listener must outlive the object.
  TreeView(HWND parent, TreeViewListener& listener);
  TreeView(const TreeView&) = delete;
  TreeView& operator=(const TreeView&) = delete;
  // Destroys the tree, the container and the normal image list, unless the parent took them first.
  ~TreeView();

  HIMAGELIST ImageListCreate(UINT flags, int initial_images, int grow_images);
  int ImageListAddMasked(HBITMAP image, COLORREF mask);
  int ImageListAddIcon(HICON icon);
  void DeleteItem(HTREEITEM item);
  // TVI_ROOT as the relation puts the item right after the relative item, under the same parent;
  // any other relation (TVI_FIRST, TVI_LAST, TVI_SORT, an item) places it under the relative item.
  // A relative key names the first item whose key begins with it. A selected image of -1 is the image.
  HTREEITEM AddItem(HTREEITEM relative, HTREEITEM relation, const std::wstring& text, const std::wstring& key,
                    int image, int selected_image = -1, LPARAM data = 0, bool bold = false);
  HTREEITEM AddItem(const std::wstring& relative_key, HTREEITEM relation, const std::wstring& text,
                    const std::wstring& key, int image, int selected_image = -1, LPARAM data = 0,
                    bool bold = false);
  // Any state-image index but 1 reads as checked, so every item of a tree without check boxes does:
  // kept so, callers may rely on it.
  bool ItemChecked(HTREEITEM item) const;
  void ItemChecked(HTREEITEM item, bool checked);
  void ItemExpanded(HTREEITEM item, UINT flag);
  HTREEITEM ItemChild(HTREEITEM item) const;
  void ItemSelected(HTREEITEM item);
  void FirstVisible(HTREEITEM item);
  int ItemHeight() const;
  void ItemHeight(int height);
  std::wstring ItemText(HTREEITEM item) const;
  void ItemText(HTREEITEM item, const std::wstring& text);
  HTREEITEM Item(HTREEITEM item, UINT flag) const;
  void BackColor(COLORREF colour);
  COLORREF BackColor() const;
  int ItemImage(HTREEITEM item) const;
  void ItemImage(HTREEITEM item, int image);
  int ItemImageSelected(HTREEITEM item) const;
  void ItemImageSelected(HTREEITEM item, int image);
  COLORREF TextColor() const;
  void TextColor(COLORREF colour);
  HWND ToolTips() const;
  void ToolTips(HWND tips);
  void ImageList(int type, HIMAGELIST list);
  HIMAGELIST ImageList(int type) const;
  void ItemData(HTREEITEM item, LPARAM data);
  LPARAM ItemData(HTREEITEM item) const;
  // The item of key-table entry `index` (from 0); -1 is the last entry. Null when there is none.
  HTREEITEM ItemHandle(int index = -1) const;
  void StartEditLabel(HTREEITEM item);
  // The item at a point of the tree's client area.
  HTREEITEM HitTest(int x, int y) const;
  int Count(bool visible) const;
  std::vector<TreeItemInfo> EnumItems() const;
  void SetFocus();
  // A width or height below 0 stands for the container's client size; the tree fills the container.
  void Move(int left, int top, int width = -1, int height = -1);
  HWND hWnd() const { return tree_; }
  HWND Parent() const { return container_; }
  void Redraw(bool on);
  // The first item whose key BEGINS with `key`, case-sensitive: a prefix match, kept so since callers
  // may rely on it. The table holds each key cut or padded with blanks to 260 characters, so "a "
  // finds the key "a". Deleted items leave the table.
  HTREEITEM FindByKey(const std::wstring& key) const;

 private:
  class WindowHook final : public Subclass {
   public:
    WindowHook(TreeView& owner, HWND& window) : owner_(owner), window_(window) {}

   protected:
    std::optional<LRESULT> OnMessage(HWND window, UINT& message, WPARAM& wparam, LPARAM& lparam) override;

   private:
    TreeView& owner_;
    HWND& window_;  // the owner's handle, cleared when the window goes
  };

  std::optional<LRESULT> OnMessage(UINT& message, WPARAM& wparam, LPARAM& lparam);
  void OnNotify(const NMHDR& header);
  void TrackCheck(UINT message, WPARAM wparam, POINT cursor);
  // Calls the listener; a failure shows its box and the message goes on.
  template <class Event>
  void Raise(const wchar_t* where, int step, Event&& event);
  bool GetItem(TVITEMW& item) const;
  void SetItem(TVITEMW item);
  template <class T>
  T ReadField(HTREEITEM item, UINT mask, T TVITEMW::*field) const;
  template <class T>
  void WriteField(HTREEITEM item, UINT mask, T TVITEMW::*field, T value);

  TreeViewListener* listener_;
  HWND container_ = nullptr;
  HWND tree_ = nullptr;
  WindowHook container_hook_{*this, container_};
  WindowHook tree_hook_{*this, tree_};
  std::vector<std::pair<HTREEITEM, std::wstring>> keys_;
  HTREEITEM press_item_ = nullptr;  // remembered between a press and its release
  int press_kind_ = 0;              // 1 a mouse button, 2 the Space key
  bool press_checked_ = false;
};

}  // namespace qv
