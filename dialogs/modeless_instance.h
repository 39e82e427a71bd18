#pragma once
// A dialog the add-in keeps one of: the first Open makes it, every later Open finds the same one,
// and it is forgotten, and its object deleted, once its window is destroyed.
#include <windows.h>

#include <memory>
#include <utility>

namespace qv {

template <class Window>
class ModelessInstance {
 public:
  HWND hwnd() const { return window_ ? window_->hwnd() : nullptr; }

  // The instance. When there is none, a new object is made from `args` and `create` creates its
  // window; nullptr when it cannot, and the object is gone again.
  template <class Create, class... Args>
  Window* Open(Create&& create, Args&&... args) {
    if (window_) return window_;
    auto window = std::make_unique<Window>(std::forward<Args>(args)...);
    if (!std::forward<Create>(create)(*window)) return nullptr;
    window_ = window.release();
    return window_;
  }

  // From the window's OnWindowDestroyed: the instance is forgotten and deleted. Any other object of
  // the class (a modal one, or one whose creation failed) belongs to someone else.
  void Forget(Window* window) {
    if (window != window_) return;
    window_ = nullptr;
    delete window;
  }

 private:
  Window* window_ = nullptr;
};

// Shows the window and brings it to the front, as every Show of a modeless dialog does.
inline void ShowInFront(HWND window) {
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
}

}  // namespace qv
