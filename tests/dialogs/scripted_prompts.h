#pragma once
// In place of the system's message boxes and folder dialog while it lives: keeps what each would
// have shown and answers from a script.
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "dialogs/prompts.h"
#include "tests/win/scripted_boxes.h"

namespace qv::test {

struct FolderRequest {
  HWND owner;
  UINT flags;
  std::wstring title;
  std::wstring start_folder;
};

class ScriptedPrompts final : public ScriptedBoxes, public Prompts {
 public:
  std::vector<FolderRequest> folder_requests;
  std::deque<std::wstring> folders;  // "" when the script has run out: cancelled

  std::wstring PickFolder(HWND owner, UINT flags, std::wstring_view title, std::wstring_view start_folder) override {
    folder_requests.push_back({owner, flags, std::wstring(title), std::wstring(start_folder)});
    if (folders.empty()) return {};
    std::wstring folder = folders.front();
    folders.pop_front();
    return folder;
  }

 private:
  ScopedPrompts scope_{*this};
};

}  // namespace qv::test
