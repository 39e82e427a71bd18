#pragma once
// In place of the system's boxes while it lives: keeps what each box would have shown and answers
// from a script (IDOK when the script has run out).
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

class ScriptedPrompts final : public Prompts {
 public:
  std::vector<ShownMessage> shown;
  std::deque<int> answers;

  int Message(HWND owner, std::wstring_view text, std::wstring_view caption, UINT style) override {
    shown.push_back({owner, std::wstring(text), std::wstring(caption), style});
    if (answers.empty()) return IDOK;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }

 private:
  ScopedPrompts scope_{*this};
};

}  // namespace qv::test
