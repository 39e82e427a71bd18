#include "dialogs/prompts.h"

#include <string>

#include "dialogs/folder_browser.h"

namespace qv {
namespace {

class SystemPrompts final : public Prompts {
 public:
  std::wstring PickFolder(HWND owner, UINT flags, std::wstring_view title, std::wstring_view start_folder) override {
    return tsGetPathFromUser(owner, flags, title, start_folder);
  }
};

Prompts*& Current() {
  static SystemPrompts system;
  static Prompts* current = &system;
  return current;
}

}  // namespace

Prompts& CurrentPrompts() { return *Current(); }

ScopedPrompts::ScopedPrompts(Prompts& prompts) : previous_(Current()) { Current() = &prompts; }

ScopedPrompts::~ScopedPrompts() { Current() = previous_; }

}  // namespace qv
