#include "kit/tab_strip_layout.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Windows = std::vector<std::intptr_t>;

// Tabs of these widths in a row from x = 3, on the top position's rows.
std::vector<PixelRect> Row(const std::vector<int>& widths) {
  std::vector<PixelRect> tabs;
  int left = 3;
  for (const int width : widths) tabs.push_back({left, 3, left += width, 22});
  return tabs;
}

TEST(TabStripLayoutTest, SyncKeepsTheUsersOrderAppendsNewWindowsAndDropsClosedOnes) {
  const struct {
    Windows order, found, after;
  } cases[] = {
      {{}, {5, 3, 4}, {5, 3, 4}},      {{5, 3, 4}, {3, 4, 5}, {5, 3, 4}}, {{5, 3, 4}, {9, 3, 4, 5}, {5, 3, 4, 9}},
      {{5, 3, 4}, {4, 5}, {5, 4}},     {{5, 3, 4}, {}, {}},               {{5, 3}, {7, 3, 6}, {3, 7, 6}},
  };
  for (const auto& c : cases) {
    TabOrder order;
    order.Sync(c.order);
    order.Sync(c.found);
    EXPECT_EQ(c.after, order.Tabs());
  }
}

TEST(TabStripLayoutTest, MovingATabKeepsTheOthersInOrder) {
  const struct {
    int from, to;
    Windows after;
  } cases[] = {{0, 2, {2, 3, 1, 4}}, {3, 0, {4, 1, 2, 3}}, {1, 2, {1, 3, 2, 4}}, {2, 2, {1, 2, 3, 4}}};
  for (const auto& c : cases) {
    TabOrder order;
    order.Sync({1, 2, 3, 4});
    order.Move(c.from, c.to);
    EXPECT_EQ(c.after, order.Tabs()) << c.from << " to " << c.to;
  }
}

TEST(TabStripLayoutTest, ClassesAndCaptions) {
  EXPECT_TRUE(IsDocumentClass(L"VbaWindow"));
  EXPECT_TRUE(IsDocumentClass(L"DesignerWindow"));
  EXPECT_FALSE(IsDocumentClass(L"vbawindow"));
  EXPECT_FALSE(IsDocumentClass(L"WINDOW"));
  EXPECT_FALSE(IsDocumentClass(L""));
  const struct {
    std::wstring_view title;
    std::wstring caption;
  } cases[] = {{L"Project1 - Module1 (Code)", L"Module1 (Code)"},
               {L"A - B - C", L"B - C"},
               {L"Module1", L"Module1"},
               {std::wstring_view(L"P - M\0 - x", 10), L"M"},
               {L"", L""}};
  for (const auto& c : cases) EXPECT_EQ(c.caption, TabCaption(c.title));
}

TEST(TabStripLayoutTest, GeometryOfBothPositions) {
  const StripGeometry top(400, 300, false), bottom(400, 300, true);
  EXPECT_EQ((PixelRect{1, 1, 399, 22}), top.Strip());
  EXPECT_EQ((PixelRect{1, 278, 399, 299}), bottom.Strip());
  EXPECT_EQ(351, top.ButtonsLeft());
  EXPECT_EQ((PixelRect{351, 4, 399, 25}), top.ButtonsRect());
  EXPECT_EQ((PixelRect{367, 4, 383, 20}), top.Button(StripButton::kScrollRight));
  EXPECT_EQ((PixelRect{383, 281, 399, 297}), bottom.Button(StripButton::kClose));
  EXPECT_EQ((std::vector<PixelRect>{{3, 3, 53, 22}, {53, 3, 61, 22}, {61, 3, 81, 22}}), top.Layout({34, 0, 4}));
  EXPECT_EQ((std::vector<PixelRect>{{3, 278, 29, 297}}), bottom.Layout({10}));
  EXPECT_EQ((PixelRect{12, 44, 106, 78}), ClientInsideStrip({10, 20, 108, 80}, false));
  EXPECT_EQ((PixelRect{12, 22, 106, 56}), ClientInsideStrip({10, 20, 108, 80}, true));
}

TEST(TabStripLayoutTest, ScrollingFigures) {
  const StripGeometry geometry(400, 300, false);  // buttons from x = 351
  const struct {
    PixelRect tab;
    int offset, shown;
  } show[] = {{{500, 3, 600, 22}, 0, 484}, {{20, 3, 60, 22}, 100, 0},  {{30, 3, 60, 22}, 100, 0},
              {{40, 3, 60, 22}, 100, 24}, {{100, 3, 200, 22}, 50, 50}, {{3, 3, 60, 22}, 10, 0},   {{32, 3, 60, 22}, 100, 0}};
  for (const auto& c : show) EXPECT_EQ(c.shown, ScrollToShow(c.tab, c.offset, geometry)) << c.tab.left;
  const struct {
    std::vector<int> widths;
    int offset, width, clamped;
  } clamp[] = {{{500}, 0, 400, 0},      {{500}, 200, 400, 155}, {{500}, 100, 400, 100}, {{500}, 160, 400, 155},
               {{100}, 50, 400, 0},     {{}, 50, 400, 50},      {{349}, 30, 400, 30}};
  for (const auto& c : clamp) EXPECT_EQ(c.clamped, ClampScroll(c.offset, Row(c.widths), c.width)) << c.offset;
  const struct {
    std::vector<int> widths;
    int width, step;
  } steps[] = {{{100, 100}, 1000, 900}, {{50, 150}, 1000, 900}, {{300}, 500, 500}, {{100}, 200, 200}, {{}, 500, 0}, {{30}, -100, 15}};
  for (const auto& c : steps) EXPECT_EQ(c.step, ScrollStep(Row(c.widths), c.width)) << c.width;
}

TEST(TabStripLayoutTest, HitTests) {
  const StripGeometry geometry(400, 300, false);
  const std::vector<PixelRect> tabs = Row({100, 100, 200, 100});  // 3, 103, 203, 403, 503
  const struct {
    int x, y, offset, tab;
  } tab_hits[] = {{3, 3, 0, 0},    {102, 21, 0, 0}, {103, 10, 0, 1}, {2, 10, 0, kNoTab}, {50, 22, 0, kNoTab},
                  {50, 10, 100, 1}, {360, 10, 0, kNoTab}, {300, 10, 100, 2}, {310, 10, 100, 3}, {200, 2, 0, kNoTab}};
  for (const auto& c : tab_hits) {
    EXPECT_EQ(c.tab, HitTestTab(c.x, c.y, tabs, geometry.ButtonsRect(), c.offset)) << c.x << ',' << c.y;
  }
  const struct {
    int x, y, offset;
    bool no_tabs;
    StripButton button;
  } button_hits[] = {{351, 4, 1, false, StripButton::kScrollLeft},  {351, 4, 0, false, StripButton::kNone},
                     {370, 19, 0, false, StripButton::kScrollRight}, {370, 19, 200, false, StripButton::kNone},
                     {398, 10, 0, false, StripButton::kClose},       {398, 10, 0, true, StripButton::kNone},
                     {370, 20, 0, false, StripButton::kNone},        {350, 10, 1, false, StripButton::kNone}};
  for (const auto& c : button_hits) {
    const auto row = c.no_tabs ? std::vector<PixelRect>{} : tabs;
    EXPECT_EQ(c.button, HitTestButton(c.x, c.y, geometry, row, c.offset)) << c.x << ',' << c.y;
  }
}

TEST(TabStripLayoutTest, DragTargetsAndThreshold) {
  const std::vector<PixelRect> tabs = Row({100, 100, 100});  // 3, 103, 203, 303
  const struct {
    int x, y, target;
  } targets[] = {{0, 10, 0},    {400, 10, 2},       {150, 10, 1},       {103, 10, 0},      {150, -60, 1},
                 {150, -61, kNoTab}, {150, 85, 1}, {150, 86, kNoTab}, {400, 200, kNoTab}};
  for (const auto& c : targets) EXPECT_EQ(c.target, DragTarget(c.x, c.y, tabs)) << c.x << ',' << c.y;
  const struct {
    int hit, distance;
    bool passes;
  } threshold[] = {{0, 0, true}, {1, 50, false}, {1, 51, true}, {1, -51, true}, {kNoTab, -50, false}};
  for (const auto& c : threshold) EXPECT_EQ(c.passes, DragPassesThreshold(c.hit, 0, c.distance, tabs[0])) << c.distance;
}

TEST(TabStripLayoutTest, BlendRoundsEachChannel) {
  const struct {
    std::uint32_t first, second;
    int weight;
    std::uint32_t blend;
  } cases[] = {{0xC0C0C0, 0xFFFFFF, 80, 0xEBEBEB}, {0xC0C0C0, 0x404040, 192, 0xA0A0A0}, {0x0000FF, 0xFF0000, 255, 0x0000FF},
               {0x0000FF, 0xFF0000, 0, 0xFF0000},   {0x000001, 0, 128, 0x000001},        {0x000002, 0, 64, 0x000001}};
  for (const auto& c : cases) EXPECT_EQ(c.blend, BlendColor(c.first, c.second, c.weight)) << c.weight;
}

}  // namespace
}  // namespace qv
