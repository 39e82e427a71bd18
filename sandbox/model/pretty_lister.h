#pragma once
// The editors' pretty-lister, as far as the sandbox imitates it: a line the user changed is rewritten
// with its keywords cased once the caret leaves it; text the object model wrote is kept as written
// (assumed host behaviour).
#include <set>

#include "sandbox/model/module_text.h"

namespace sbx {

class PrettyLister {
 public:
  explicit PrettyLister(ModuleText& text);
  PrettyLister(const PrettyLister&) = delete;
  PrettyLister& operator=(const PrettyLister&) = delete;
  ~PrettyLister();

  // The caret is on `line` now: every other changed line is left, rewritten when `case_keywords`
  // is set, and forgotten.
  void CaretOn(int line, bool case_keywords);

 private:
  void OnTextChanged(const LineChange& change, EditOrigin origin);

  ModuleText& text_;
  int listener_ = 0;
  std::set<int> changed_;  // lines written by the keyboard, undo or redo that the caret has not left
};

}  // namespace sbx
