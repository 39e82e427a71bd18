#pragma once
// The active code pane of the sandbox host, called by name as the add-in calls it.
#include "codetools/module_view.h"
#include "codetools/code_pane_members.h"
#include "sandbox/testing/late_bound.h"

namespace sbx::test {

class LateBoundPane : public qv::CodePaneMembers {
 public:
  explicit LateBoundPane(IDispatch* vbe)
      : pane_(Get(vbe, L"ActiveCodePane")), module_(Get(pane_.Object(), L"CodeModule")) {}

  qv::ModuleText Snapshot() const {
    const long count = Get(module_.Object(), L"CountOfLines").Long();
    return qv::ModuleText(Get(module_.Object(), L"Lines", {1L, count}).Text());
  }
  void ReplaceLine(long line, const std::wstring& code) override {
    Invoke(module_.Object(), L"ReplaceLine", DISPATCH_METHOD, {line, code});
  }
  void DeleteLines(long start_line, long count) override {
    Invoke(module_.Object(), L"DeleteLines", DISPATCH_METHOD, {start_line, count});
  }
  qv::Selection GetSelection() override {
    qv::Selection s;
    Invoke(pane_.Object(), L"GetSelection", DISPATCH_METHOD,
           {Variant::LongRef(&s.start_line), Variant::LongRef(&s.start_column), Variant::LongRef(&s.end_line),
            Variant::LongRef(&s.end_column)});
    return s;
  }
  void SetSelection(const qv::Selection& s) override {
    Invoke(pane_.Object(), L"SetSelection", DISPATCH_METHOD, {s.start_line, s.start_column, s.end_line, s.end_column});
  }

 private:
  Variant pane_;
  Variant module_;
};

}  // namespace sbx::test
