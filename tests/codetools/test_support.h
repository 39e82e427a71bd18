#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "codetools/templates.h"
#include "kit/keyed_collection.h"
#include "kit/list_file.h"
#include "kit/settings.h"

namespace qv::test {

// The corpus modules: ANSI (code page 1251) files with CR LF; the line break
// that ends the file is not a line of the module.
std::vector<std::string> CorpusNames();
std::wstring ReadCorpus(const std::string& name);

// A file shipped in config/, as bytes.
std::string ReadShipped(const std::string& name);
// The shipped AutoInserts.ini as the add-in reads it.
KeyedCollection<std::wstring> ShippedAutoInserts();
// The entries of the shipped ErrorHandlers.ini in file order, as the error-handler menu reads them.
std::vector<ListEntry> ShippedErrorHandlers();

// No code pane, project or component: for expansions that name no member.
struct NoTemplateHost : TemplateHost {
  const CodeModuleView* CodePane() override { return nullptr; }
  std::optional<std::wstring> ProjectName() override { return std::nullopt; }
  std::optional<std::wstring> ComponentName() override { return std::nullopt; }
};

// Every option of the line tools on, IndentWidth 4.
Settings ToolSettings();

// Lines joined by CR LF, as the host gives a module's text.
std::wstring Lines(std::initializer_list<std::wstring_view> lines);
std::wstring Lines(const std::vector<std::wstring>& lines);

}  // namespace qv::test
