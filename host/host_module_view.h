#pragma once
// A code module of the host read line by line as the code tools ask for it; each line is fetched
// once. For the few lines a tick looks at; a whole run reads a snapshot instead.
#include <map>
#include <optional>
#include <string>

#include "codetools/module_view.h"
#include "host/code_module.h"

namespace qv {

class HostModuleView : public CodeModuleView {
 public:
  explicit HostModuleView(CodeModule module) : module_(std::move(module)) {}

  long CountOfLines() const override;
  std::wstring_view Line(long line) const override;
  long CountOfDeclarationLines() const override;
  std::wstring ProcOfLine(long line, long& kind) const override;
  long ProcBodyLine(std::wstring_view name, long kind) const override;

 private:
  CodeModule module_;
  mutable std::optional<long> count_;
  mutable std::map<long, std::wstring> lines_;
};

}  // namespace qv
