#include "dialogs/tree_view.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "win/ansi_file.h"
#include "win/files.h"
#include "tests/win/win_test_support.h"

namespace qv::test {
namespace {

// Keeps every event as text; rewrites texts and characters when told to.
struct Recorder final : TreeViewListener {
  std::vector<std::wstring> events;
  std::wstring reply;                // written into info tips and label edits when not empty
  WPARAM rewrite_from = 0, rewrite_to = 0;

  static std::wstring H(HTREEITEM item) { return std::to_wstring(reinterpret_cast<UINT_PTR>(item)); }
  void Add(std::wstring text) { events.push_back(std::move(text)); }
  void SelChanging(HTREEITEM item, HTREEITEM old, UINT, LONG&) override { Add(L"changing " + H(item) + L" " + H(old)); }
  void SelChanged(HTREEITEM item, HTREEITEM old, UINT) override { Add(L"changed " + H(item) + L" " + H(old)); }
  void InfoTip(HTREEITEM, std::wstring& text) override { Edit(L"tip ", text); }
  void LabelEditStart(HTREEITEM, std::wstring& text, LONG&) override { Edit(L"start ", text); }
  void LabelEditEnd(HTREEITEM, std::wstring& text, LONG&) override { Edit(L"end ", text); }
  void Edit(const wchar_t* what, std::wstring& text) {
    Add(what + text);
    if (!reply.empty()) text = reply;
  }
  void MouseDown(int button, int shift, int x, int y) override { Mouse(L"down", button, shift, x, y); }
  void MouseMove(int shift, int x, int y) override { Mouse(L"move", 0, shift, x, y); }
  void MouseUp(int button, int shift, int x, int y) override { Mouse(L"up", button, shift, x, y); }
  void Mouse(const wchar_t* what, int button, int shift, int x, int y) {
    Add(std::wstring(what) + L" " + std::to_wstring(button) + L" " + std::to_wstring(shift) + L" " +
        std::to_wstring(x) + L"," + std::to_wstring(y));
  }
  void Click() override { Add(L"click"); }
  void RightClick(HTREEITEM item) override { Add(L"rightclick " + H(item)); }
  void DblClick() override { Add(L"dblclick"); }
  void LostFocusEx() override { Add(L"lostfocus"); }
  void GotFocusEx() override { Add(L"gotfocus"); }
  void KeyDown(int key, int shift) override { Add(L"keydown " + std::to_wstring(key) + L" " + std::to_wstring(shift)); }
  void ManualChkCanged(HTREEITEM item) override { Add(L"check " + H(item)); }
  void KeyPress(WPARAM& character) override {
    if (character == rewrite_from) character = rewrite_to;
  }
};

class TreeViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = CreateWindowExW(0, L"STATIC", L"tree", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 300, nullptr,
                              nullptr, nullptr, nullptr);
    ASSERT_TRUE(window_);
    tree_ = std::make_unique<TreeView>(window_, events_);
    ASSERT_TRUE(tree_->hWnd());
  }
  void TearDown() override {
    tree_.reset();
    DestroyWindow(window_);
  }
  HTREEITEM Add(HTREEITEM relative, HTREEITEM relation, const wchar_t* text) {
    return tree_->AddItem(relative, relation, text, text, 0);
  }
  // The tree as "text level" entries in walking order.
  std::wstring Shape() const {
    std::wstring shape;
    for (const TreeItemInfo& info : tree_->EnumItems()) shape += info.text + std::to_wstring(info.level) + L" ";
    return shape;
  }

  HWND window_ = nullptr;
  Recorder events_;
  std::unique_ptr<TreeView> tree_;
};

TEST_F(TreeViewTest, AddItemPlacesByRelation) {
  struct Step {
    const wchar_t* relative_key;  // nullptr: no relative item
    HTREEITEM relation;
    const wchar_t* text;
  };
  const struct {
    std::vector<Step> steps;
    const wchar_t* shape;
  } cases[] = {
      {{{nullptr, TVI_LAST, L"a"}, {nullptr, TVI_LAST, L"b"}}, L"a0 b0 "},
      {{{nullptr, TVI_LAST, L"a"}, {nullptr, TVI_LAST, L"b"}, {L"a", TVI_ROOT, L"c"}}, L"a0 c0 b0 "},
      {{{nullptr, TVI_LAST, L"a"}, {L"a", TVI_LAST, L"x"}, {L"a", TVI_FIRST, L"y"}}, L"a0 y1 x1 "},
      {{{nullptr, TVI_LAST, L"a"}, {L"a", TVI_LAST, L"x"}, {L"x", TVI_ROOT, L"z"}, {nullptr, TVI_LAST, L"b"}},
       L"a0 x1 z1 b0 "},
      {{{nullptr, TVI_LAST, L"a"}, {L"a", TVI_LAST, L"x"}, {L"x", TVI_LAST, L"q"}, {nullptr, TVI_LAST, L"b"}},
       L"a0 x1 q2 b0 "},
      {{{nullptr, TVI_LAST, L"apple"}, {nullptr, TVI_LAST, L"ap"}, {L"ap", TVI_LAST, L"seed"}},
       L"apple0 seed1 ap0 "},
  };
  for (const auto& c : cases) {
    SendMessageW(tree_->hWnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    for (const Step& s : c.steps) {
      if (s.relative_key) {
        tree_->AddItem(s.relative_key, s.relation, s.text, s.text, 0);
      } else {
        Add(nullptr, s.relation, s.text);
      }
    }
    EXPECT_EQ(c.shape, Shape());
  }
}

TEST_F(TreeViewTest, FindByKeyMatchesAPrefixAndForgetsDeletedItems) {
  const HTREEITEM alpha = Add(nullptr, TVI_LAST, L"alpha");
  const HTREEITEM al = Add(nullptr, TVI_LAST, L"al");
  const HTREEITEM beta = Add(nullptr, TVI_LAST, L"beta");
  Add(beta, TVI_LAST, L"gamma");
  const struct {
    const wchar_t* key;
    HTREEITEM found;
  } cases[] = {{L"al", alpha}, {L"alp", alpha}, {L"", alpha}, {L"b", beta}, {L"Al", nullptr}, {L"alphas", nullptr}};
  for (const auto& c : cases) EXPECT_EQ(c.found, tree_->FindByKey(c.key)) << c.key;
  EXPECT_TRUE(tree_->FindByKey(L"gamma"));
  tree_->DeleteItem(alpha);
  tree_->DeleteItem(beta);
  EXPECT_EQ(al, tree_->FindByKey(L"al"));
  EXPECT_EQ(al, tree_->ItemHandle(-1));
  EXPECT_EQ(nullptr, tree_->FindByKey(L"gamma"));
  EXPECT_EQ(nullptr, tree_->FindByKey(L"b"));
}

TEST_F(TreeViewTest, KeysAreHeldAsTextOf260BlankPaddedCharacters) {
  const std::wstring long_key = std::wstring(259, L'k') + L"xy";
  const HTREEITEM a = tree_->AddItem(nullptr, TVI_LAST, L"a", L"a", 0);
  const HTREEITEM longer = tree_->AddItem(nullptr, TVI_LAST, L"long", long_key, 0);
  const struct {
    std::wstring key;
    HTREEITEM found;
  } cases[] = {{L"a ", a}, {L"a" + std::wstring(259, L' '), a}, {L"a" + std::wstring(260, L' '), nullptr},
               {long_key.substr(0, 260), longer}, {long_key, nullptr}};
  for (const auto& c : cases) EXPECT_EQ(c.found, tree_->FindByKey(c.key)) << c.key.size();
}

// Codes that carry no NMTREEVIEWW come with a shorter structure, here ending where readable memory ends.
TEST_F(TreeViewTest, AShortNotificationIsReadNoFurtherThanItsStructure) {
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  const size_t page = system.dwPageSize;
  auto* memory = static_cast<char*>(VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  ASSERT_NE(nullptr, memory);
  DWORD old_protection = 0;
  ASSERT_TRUE(VirtualProtect(memory + page, page, PAGE_NOACCESS, &old_protection));
  const struct {
    UINT code;
    size_t size;
    const wchar_t* event;  // nullptr: none
  } cases[] = {{NM_CLICK, sizeof(NMHDR), L"click"},          {NM_DBLCLK, sizeof(NMHDR), L"dblclick"},
               {NM_SETFOCUS, sizeof(NMHDR), L"gotfocus"},     {NM_KILLFOCUS, sizeof(NMHDR), L"lostfocus"},
               {NM_RCLICK, sizeof(NMHDR), L"rightclick 0"},   {NM_CUSTOMDRAW, sizeof(NMTVCUSTOMDRAW), nullptr}};
  for (const auto& c : cases) {
    auto* header = reinterpret_cast<NMHDR*>(memory + page - c.size);
    ZeroMemory(header, c.size);
    *header = {tree_->hWnd(), 0, c.code};
    events_.events.clear();
    SendMessageW(tree_->Parent(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(header));
    EXPECT_EQ(c.event ? std::vector<std::wstring>{c.event} : std::vector<std::wstring>{}, events_.events) << c.code;
  }
  VirtualFree(memory, 0, MEM_RELEASE);
}

// The control is QuorvaneOffice's although nothing in it calls the control, and not QuorvaneStudio's.
TEST(TreeViewLibraryTest, OnlyQuorvaneOfficeCarriesTheControl) {
  const std::wstring_view name = WC_TREEVIEWW;
  const std::string utf16(reinterpret_cast<const char*>(name.data()), name.size() * sizeof(wchar_t));
  const auto carries = [&utf16](const wchar_t* library) {
    const std::optional<std::string> bytes = ReadFileBytes(AppPath() + library);
    EXPECT_TRUE(bytes) << library;
    return bytes && bytes->find(utf16) != std::string::npos;
  };
  EXPECT_TRUE(carries(L"QuorvaneOffice.dll"));
#ifndef _WIN64
  EXPECT_FALSE(carries(L"QuorvaneStudio.dll"));
#endif
}

TEST_F(TreeViewTest, ItemPropertiesRoundTrip) {
  const LPARAM wide = sizeof(LPARAM) == 8 ? static_cast<LPARAM>(0x7123456789ABCDEFLL) : LPARAM{0x71234567};
  const HTREEITEM plain = tree_->AddItem(nullptr, TVI_LAST, L"plain", L"p", 3);
  const HTREEITEM bold = tree_->AddItem(nullptr, TVI_LAST, L"bold", L"b", 1, 5, wide, true);
  EXPECT_EQ(3, tree_->ItemImageSelected(plain));
  EXPECT_EQ(5, tree_->ItemImageSelected(bold));
  EXPECT_EQ(wide, tree_->ItemData(bold));
  EXPECT_EQ(0u, SendMessageW(tree_->hWnd(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(plain), TVIS_BOLD));
  EXPECT_EQ(TVIS_BOLD, SendMessageW(tree_->hWnd(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(bold), TVIS_BOLD));
  for (const wchar_t* text : {L"", L"текст", L"x y"}) {
    tree_->ItemText(plain, text);
    EXPECT_EQ(text, tree_->ItemText(plain));
  }
  tree_->ItemImage(plain, 7);
  tree_->ItemImageSelected(plain, 8);
  tree_->ItemData(plain, -wide);
  EXPECT_EQ(7, tree_->ItemImage(plain));
  EXPECT_EQ(8, tree_->ItemImageSelected(plain));
  EXPECT_EQ(-wide, tree_->ItemData(plain));
  EXPECT_TRUE(tree_->ItemChecked(plain));  // no check boxes: every item reads as checked
  for (bool checked : {false, true, false}) {
    tree_->ItemChecked(plain, checked);
    EXPECT_EQ(checked, tree_->ItemChecked(plain));
  }
}

TEST_F(TreeViewTest, SelectingRaisesTheEventsWithNewAndOldItems) {
  const HTREEITEM a = Add(nullptr, TVI_LAST, L"a");
  const HTREEITEM b = Add(nullptr, TVI_LAST, L"b");
  tree_->ItemSelected(a);
  events_.events.clear();
  tree_->ItemSelected(b);
  const std::wstring pair = Recorder::H(b) + L" " + Recorder::H(a);
  EXPECT_EQ((std::vector<std::wstring>{L"changing " + pair, L"changed " + pair}), events_.events);
}

TEST_F(TreeViewTest, TipAndLabelTextsAreWrittenBackCutToTheBuffer) {
  const HTREEITEM item = Add(nullptr, TVI_LAST, L"a");
  const struct {
    UINT code;
    const wchar_t* reply;
    int size;
    const wchar_t* event;
    std::wstring buffer;
  } cases[] = {
      {TVN_GETINFOTIPW, L"new tip", 20, L"tip old", L"new tip"},
      {TVN_GETINFOTIPW, L"new tip", 4, L"tip old", L"new"},
      {TVN_GETINFOTIPW, L"", 2, L"tip ol", L"o"},
      {TVN_BEGINLABELEDITW, L"label", 20, L"start old", L"label"},
      {TVN_ENDLABELEDITW, L"edited", 5, L"end old", L"edit"},
      {TVN_ENDLABELEDITW, L"edited", 1, L"end o", L""},
  };
  for (const auto& c : cases) {
    wchar_t buffer[32] = L"old";
    NMTVDISPINFOW edit{};
    edit.hdr = {tree_->hWnd(), 0, c.code};
    edit.item.hItem = item;
    edit.item.pszText = buffer;
    edit.item.cchTextMax = c.size;
    NMTVGETINFOTIPW tip{{tree_->hWnd(), 0, c.code}, buffer, c.size, item, 0};
    const bool is_tip = c.code == TVN_GETINFOTIPW;
    events_.events.clear();
    events_.reply = c.reply;
    SendMessageW(tree_->Parent(), WM_NOTIFY, 0, is_tip ? reinterpret_cast<LPARAM>(&tip) : reinterpret_cast<LPARAM>(&edit));
    EXPECT_EQ(std::vector<std::wstring>{c.event}, events_.events);
    EXPECT_EQ(c.buffer, std::wstring(buffer)) << c.event << " " << c.size;
  }
}

TEST_F(TreeViewTest, MouseAndKeyEventsCarryClientPointsAndShift) {
  SetForegroundWindow(window_);
  const struct {
    bool shift;
    UINT message;
    WPARAM wparam;
    const wchar_t* event;
  } cases[] = {
      {false, WM_MOUSEMOVE, 0, L"move 0 0 7,9"},      {true, WM_MOUSEMOVE, 0, L"move 0 1 7,9"},
      {true, WM_MBUTTONDOWN, 0, L"down 4 1 7,9"},     {false, WM_MBUTTONUP, 0, L"up 4 0 7,9"},
      {true, WM_KEYDOWN, VK_F2, L"keydown 113 1"}, {false, WM_KEYDOWN, VK_F2, L"keydown 113 0"},
  };
  for (const auto& c : cases) {
    POINT point{7, 9};
    ClientToScreen(tree_->hWnd(), &point);
    SetCursorPos(point.x, point.y);
    INPUT shift{};
    shift.type = INPUT_KEYBOARD;
    shift.ki.wVk = VK_SHIFT;
    shift.ki.dwFlags = c.shift ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &shift, sizeof shift);
    // The input queue is read asynchronously: wait until the key state shows the change.
    ASSERT_TRUE(PumpUntil(2000, [&] { return ((GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0) == c.shift; }));
    events_.events.clear();
    SendMessageW(tree_->hWnd(), c.message, c.wparam, 0);
    EXPECT_EQ(std::vector<std::wstring>{c.event}, events_.events);
  }
}

TEST_F(TreeViewTest, ACheckChangedBetweenSpaceAndItsReleaseIsReported) {
  const HTREEITEM item = Add(nullptr, TVI_LAST, L"a");
  tree_->ItemSelected(item);
  for (const auto& [before, after] : {std::pair{true, false}, {false, true}, {true, true}, {false, false}}) {
    tree_->ItemChecked(item, before);
    SendMessageW(tree_->hWnd(), WM_KEYDOWN, VK_SPACE, 0);
    tree_->ItemChecked(item, after);
    events_.events.clear();
    SendMessageW(tree_->hWnd(), WM_KEYUP, VK_SPACE, 0);
    const std::vector<std::wstring> expected(before != after ? 1 : 0, L"check " + Recorder::H(item));
    EXPECT_EQ(expected, events_.events) << before << " to " << after;
  }
}

TEST_F(TreeViewTest, ARewrittenCharacterReachesTheTree) {
  Add(nullptr, TVI_LAST, L"apple");
  const HTREEITEM banana = Add(nullptr, TVI_LAST, L"banana");
  Add(nullptr, TVI_LAST, L"cherry");
  events_.rewrite_from = L'c';
  events_.rewrite_to = L'b';
  SendMessageW(tree_->hWnd(), WM_CHAR, L'c', 1);
  EXPECT_EQ(banana, tree_->Item(nullptr, TVGN_CARET));
}

TEST_F(TreeViewTest, EitherTheWindowOrTheObjectMayGoFirst) {
  Add(nullptr, TVI_LAST, L"a");
  const HWND container = tree_->Parent();
  tree_.reset();
  EXPECT_FALSE(IsWindow(container));
  tree_ = std::make_unique<TreeView>(window_, events_);
  Add(nullptr, TVI_LAST, L"a");
  DestroyWindow(window_);
  EXPECT_EQ(nullptr, tree_->hWnd());
  EXPECT_EQ(nullptr, tree_->Parent());
  tree_.reset();
}

}  // namespace
}  // namespace qv::test
