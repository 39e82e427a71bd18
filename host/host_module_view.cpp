#include "host/host_module_view.h"

namespace qv {

long HostModuleView::CountOfLines() const {
  if (!count_) count_ = Get(module_.Object(), L"CountOfLines").Long();
  return *count_;
}

std::wstring_view HostModuleView::Line(long line) const {
  if (line < 1 || line > CountOfLines()) return {};
  auto found = lines_.find(line);
  if (found == lines_.end()) found = lines_.emplace(line, Get(module_.Object(), L"Lines", {line, 1L}).Text()).first;
  return found->second;
}

long HostModuleView::CountOfDeclarationLines() const {
  return Get(module_.Object(), L"CountOfDeclarationLines").Long();
}

std::wstring HostModuleView::ProcOfLine(long line, long& kind) const {
  return Get(module_.Object(), L"ProcOfLine", {line, Variant::LongRef(&kind)}).Text();
}

long HostModuleView::ProcBodyLine(std::wstring_view name, long kind) const {
  return Get(module_.Object(), L"ProcBodyLine", {name, kind}).Long();
}

}  // namespace qv
