#pragma once
// Modules whose procedures are where the sandbox host puts them (its own reading of the code, not
// the engine's), and handler edits applied as the host glue applies them.
#include <string>
#include <string_view>
#include <vector>

#include "codetools/error_handlers.h"
#include "codetools/module_view.h"

namespace qv::test {

// A module's lines as the host splits them.
std::vector<std::wstring> LinesOf(std::wstring_view text);
// The module's text, knowing its procedures.
ModuleText WithProcedures(std::wstring text);
// Its procedure of that name and kind.
ProcedureInfo Procedure(const ModuleText& module, std::wstring_view name, long kind = 0);

// The edits written through InsertLines, ReplaceLine and DeleteLines, each placed by the
// procedure's extent as the host reports it after the edits before. Throws when an edit falls
// outside the module or would delete no line.
std::wstring ApplyHandlerEdits(const ModuleText& module, const ProcedureInfo& procedure,
                               const std::vector<HandlerEdit>& edits);

// The names of the tests' project and component; the pane is the module planned on.
struct ModuleTemplateHost : TemplateHost {
  explicit ModuleTemplateHost(const ModuleText& text) : module(text) {}
  const CodeModuleView* CodePane() override { return &module; }
  std::optional<std::wstring> ProjectName() override { return L"Проект1"; }
  std::optional<std::wstring> ComponentName() override { return L"Модуль1"; }
  const ModuleText& module;
};

// The handler of `Template` given to the procedure as the command gives it: planned, written, and
// the procedure numbered from 10 in steps of 10 when the template asks. IndentWidth 4.
std::wstring InsertHandler(const std::wstring& text, std::wstring_view procedure, std::wstring_view Template,
                           long kind = 0);
// The procedure's handler deleted, as the command "Удалить обработчика ошибок" deletes it.
std::wstring DeleteHandler(const std::wstring& text, std::wstring_view procedure, long kind = 0);

}  // namespace qv::test
