#include "dialogs/modeless_instance.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

// Stands for a dialog object: counts the objects alive.
class Counted {
 public:
  explicit Counted(HWND window) : window_(window) { ++alive; }
  Counted(const Counted&) = delete;
  Counted& operator=(const Counted&) = delete;
  ~Counted() { --alive; }
  HWND hwnd() const { return window_; }

  static inline int alive = 0;

 private:
  HWND window_;
};

TEST(ModelessInstanceTest, OneObjectUntilItsWindowIsDestroyed) {
  ModelessInstance<Counted> instance;
  int created = 0;
  const auto create = [&](Counted&) { return ++created > 0; };
  Counted* first = instance.Open(create, GetDesktopWindow());
  ASSERT_NE(nullptr, first);
  EXPECT_EQ(first, instance.Open(create, nullptr));
  EXPECT_EQ(1, created);
  EXPECT_EQ(1, Counted::alive);
  EXPECT_EQ(GetDesktopWindow(), instance.hwnd());
  {
    Counted modal(nullptr);
    instance.Forget(&modal);
  }
  EXPECT_EQ(GetDesktopWindow(), instance.hwnd()) << "another object of the class is not the instance";
  instance.Forget(first);
  EXPECT_EQ(nullptr, instance.hwnd());
  EXPECT_EQ(0, Counted::alive);
  EXPECT_NE(nullptr, instance.Open(create, nullptr));
  EXPECT_EQ(2, created);
  instance.Forget(instance.Open(create, nullptr));
}

TEST(ModelessInstanceTest, AWindowThatCannotBeCreatedLeavesNoObject) {
  ModelessInstance<Counted> instance;
  EXPECT_EQ(nullptr, instance.Open([](Counted&) { return false; }, GetDesktopWindow()));
  EXPECT_EQ(nullptr, instance.hwnd());
  EXPECT_EQ(0, Counted::alive);
}

}  // namespace
}  // namespace qv::test
