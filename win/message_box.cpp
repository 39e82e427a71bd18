#include "win/message_box.h"

namespace qv {
namespace {

class SystemBoxes final : public MessageBoxes {
 public:
  int Show(HWND owner, std::wstring_view text, std::wstring_view caption, UINT style) override {
    return MessageBoxW(owner, std::wstring(text).c_str(), std::wstring(caption).c_str(), style);
  }
};

MessageBoxes*& Current() {
  static SystemBoxes system;
  static MessageBoxes* current = &system;
  return current;
}

}  // namespace

int ShowMessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT style) {
  return Current()->Show(owner, text, caption, style);
}

ScopedMessageBoxes::ScopedMessageBoxes(MessageBoxes& boxes) : previous_(Current()) { Current() = &boxes; }

ScopedMessageBoxes::~ScopedMessageBoxes() { Current() = previous_; }

std::wstring StepFailureText(const VbError& error, long step) {
  return error.description + L"\r\nв строке " + std::to_wstring(step);
}

}  // namespace qv
