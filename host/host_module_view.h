#pragma once
// A code module of the host read as the code tools ask for it: in windows of lines around the
// lines they look at, each window once, so that a look at a few lines costs the same in any module.
// A whole run over the module reads a snapshot instead.
#include <map>
#include <optional>
#include <string>

#include "codetools/module_view.h"
#include "host/code_module.h"

namespace qv {

class HostModuleView : public CodeModuleView {
 public:
  // `count`: the module's CountOfLines when the caller has just read it.
  explicit HostModuleView(CodeModule module, std::optional<long> count = std::nullopt)
      : module_(std::move(module)), count_(count) {}

  long CountOfLines() const override;
  std::wstring_view Line(long line) const override;
  long CountOfDeclarationLines() const override;
  std::wstring ProcOfLine(long line, long& kind) const override;
  long ProcBodyLine(std::wstring_view name, long kind) const override;

  // Lines per window; windows start at lines 1, 1 + kWindow, ...
  static constexpr long kWindow = 32;

 private:
  CodeModule module_;
  mutable std::optional<long> count_;
  mutable std::map<long, ModuleText> windows_;  // by first line
};

}  // namespace qv
