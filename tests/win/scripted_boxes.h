#pragma once
// In place of the system's message boxes while it lives: keeps what each box would have shown and
// answers from a script.
#include <windows.h>

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "win/message_box.h"

namespace qv::test {

struct ShownMessage {
  HWND owner;
  std::wstring text;
  std::wstring caption;
  UINT style;
};

class ScriptedBoxes : public MessageBoxes {
 public:
  std::vector<ShownMessage> shown;
  std::deque<int> answers;  // IDOK when the script has run out

  int Show(HWND owner, std::wstring_view text, std::wstring_view caption, UINT style) override {
    shown.push_back({owner, std::wstring(text), std::wstring(caption), style});
    if (answers.empty()) return IDOK;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }

 private:
  ScopedMessageBoxes scope_{*this};
};

}  // namespace qv::test
