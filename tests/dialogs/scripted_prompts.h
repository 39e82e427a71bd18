#pragma once
// In place of the system's boxes while it lives: keeps what each box would have shown and answers
// from a script.
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "dialogs/prompts.h"

namespace qv::test {

struct ShownMessage {
  HWND owner;
  std::wstring text;
  std::wstring caption;
  UINT style;
};

struct FolderRequest {
  HWND owner;
  UINT flags;
  std::wstring title;
  std::wstring start_folder;
};

class ScriptedPrompts final : public Prompts {
 public:
  std::vector<ShownMessage> shown;
  std::deque<int> answers;
  std::vector<FolderRequest> folder_requests;
  std::deque<std::wstring> folders;  // "" when the script has run out: cancelled

  int Message(HWND owner, std::wstring_view text, std::wstring_view caption, UINT style) override {
    shown.push_back({owner, std::wstring(text), std::wstring(caption), style});
    if (answers.empty()) return IDOK;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }

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
