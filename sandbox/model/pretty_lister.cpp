#include "sandbox/model/pretty_lister.h"

#include <optional>
#include <string>
#include <utility>

#include "sandbox/model/caret.h"
#include "sandbox/model/keyword_case.h"

namespace sbx {

PrettyLister::PrettyLister(ModuleText& text) : text_(text) {
  listener_ = text_.Subscribe([this](const LineChange& change, EditOrigin origin) { OnTextChanged(change, origin); });
}

PrettyLister::~PrettyLister() { text_.Unsubscribe(listener_); }

void PrettyLister::CaretOn(int line, bool case_keywords) {
  std::set<int> left = std::exchange(changed_, {});
  if (left.erase(line)) changed_.insert(line);
  if (!case_keywords) return;
  // Each rewrite keeps the number of lines, so the others keep their numbers.
  for (int changed : left) {
    std::wstring cased = CaseKeywordsOfLine(text_.AllLines(), changed);
    if (cased != text_.Line(changed)) text_.RewriteLine(changed, std::move(cased));
  }
}

void PrettyLister::OnTextChanged(const LineChange& change, EditOrigin origin) {
  std::set<int> moved;
  for (int line : changed_) {
    // A line the change wrote over is the writer's now.
    const bool written = line >= change.first && line < change.first + change.removed;
    if (!written) moved.insert(*FollowLine(line, change));
  }
  if (origin == EditOrigin::kKeyboard || origin == EditOrigin::kUndo || origin == EditOrigin::kRedo) {
    for (int i = 0; i < change.inserted; ++i) moved.insert(change.first + i);
  }
  changed_ = std::move(moved);
}

}  // namespace sbx
