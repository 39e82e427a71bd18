#include <algorithm>
#include <utility>

#include "codetools/includes.h"
#include "kit/case_fold.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

bool IsProjectFile(const IncludeDirective& directive, const FoundInclude& found) {
  return directive.tag == IncludeTag::kFile || directive.tag == IncludeTag::kRelated || found.extension == L"res";
}

// Whether a component's first file is the file: the bare names agree, letter case aside, so that
// C:\P\MyHelp.txt is not Help.txt.
bool HoldsFile(IncludeProject& project, std::wstring_view file_name) {
  const std::vector<std::wstring> paths = project.FirstFileNames();
  return std::any_of(paths.begin(), paths.end(), [&](std::wstring_view path) {
    return EqualsNoCase(path.substr(path.find_last_of(L"\\/") + 1), file_name);
  });
}

bool IsDesignerFile(const FoundInclude& found) {
  const std::wstring extension = FoldCase(found.extension);
  return extension == L"cls" || extension == L"ctl" || extension == L"frm";
}

// What a new module receives. Full: the whole file less its Attribute lines and, when it has
// them, the header above the first (a class's VERSION and a form's designer block). Otherwise the
// leading comment block.
std::wstring ModuleCode(const std::vector<std::wstring>& lines, bool full) {
  const auto is_attribute = [](const std::wstring& line) { return StartsWith(line, L"Attribute "); };
  auto line = lines.begin();
  if (full) {
    const auto first_attribute = std::find_if(lines.begin(), lines.end(), is_attribute);
    if (first_attribute != lines.end()) line = first_attribute;
  }
  std::wstring code;
  for (; line != lines.end(); ++line) {
    if (is_attribute(*line)) continue;
    if (!full && !StartsWith(*line, L"'")) break;
    code += *line;
    code += L"\r\n";
  }
  return code;
}

// By position or by base name: the tables stay in step.
template <class At>
void RemoveInclude(IncludeTables& tables, At at) {
  tables.IncludeItems.Remove(at);
  tables.IncludeKeys.Remove(at);
  tables.IncludeModules.Remove(at);
}

class IncludePass {
 public:
  IncludePass(IncludeTables& tables, IncludeProject& project, const IncludeFiles& files, const IncludePlaces& places)
      : tables_(tables), project_(project), files_(files), places_(places) {}

  void Run() {
    const long components = project_.ComponentCount();
    for (long index = 1; index <= components; ++index) {
      if (!project_.IsSelected(index) && project_.ComponentType(index) != kStandardModuleType) continue;
      const CodeModuleView* module = &project_.Module(index);
      const long declarations = module->CountOfDeclarationLines();
      for (long line = 1; line <= declarations; ++line) {
        const std::wstring text(module->Line(line));
        const std::optional<IncludeDirective> directive = ParseIncludeDirective(text);
        if (!directive) continue;
        Process(index, line, text, *directive);
        // A directive may have changed the project, which ends the view's validity.
        module = &project_.Module(index);
      }
    }
    for (long index = tables_.IncludeKeys.Count(); index >= 1; --index) {
      if (!seen_.Contains(tables_.IncludeKeys.Item(index))) RemoveInclude(tables_, index);
    }
  }

 private:
  void Process(long index, long line, const std::wstring& text, IncludeDirective directive) {
    const std::optional<FoundInclude> found = FindInclude(directive, places_, files_);
    if (!found) return;
    std::optional<std::vector<std::wstring>> lines;
    const auto file_lines = [&]() -> const std::vector<std::wstring>& {
      if (!lines) lines = files_.ReadLines(found->path);
      return *lines;
    };
    if (IsProjectFile(directive, *found)) {
      AddProjectFile(index, line, text, directive, *found);
      return;
    }
    if (IsDesignerFile(*found) && directive.tag != IncludeTag::kFull) {
      project_.ReplaceLine(index, line, RewriteIncludeDirective(text, directive, IncludeTag::kFull));
      directive.tag = IncludeTag::kFull;
    }
    const std::wstring& base = found->base_name;
    std::wstring target = base;
    if (directive.tag == IncludeTag::kIn) {
      std::wstring selected = project_.SelectedName();
      if (!selected.empty()) target = std::move(selected);
    }
    // A module is named after the file only when the name can be a module's; the "in" form puts its
    // declarations into the selected component and needs no such module.
    const bool own_module = EqualsNoCase(target, base);
    if (own_module && !IsIdentifier(base)) return;
    // The first directive of a name in a pass is the one that counts.
    if (!seen_.TryAdd(base, base)) return;
    if (const std::wstring* module = tables_.IncludeModules.Find(base); module && !EqualsNoCase(*module, target)) {
      RemoveInclude(tables_, std::wstring_view(base));
    }
    if (!tables_.IncludeItems.Contains(base)) {
      tables_.IncludeItems.Add(GetFileMembers(file_lines()), base);
      tables_.IncludeKeys.Add(base, base);
      tables_.IncludeModules.Add(target, base);
    }
    if (!own_module || project_.HasComponent(base)) return;
    project_.GetOrAddModule(base, ModuleCode(file_lines(), directive.tag == IncludeTag::kFull));
  }

  void AddProjectFile(long index, long line, const std::wstring& text, const IncludeDirective& directive,
                      const FoundInclude& found) {
    if (!project_.HasProjectFiles()) return;
    const bool resource = found.extension == L"res";
    if (!HoldsFile(project_, found.file_name)) {
      project_.AddFile(found.path, directive.tag == IncludeTag::kRelated || resource);
    }
    if (!resource) return;
    std::wstring related = RewriteIncludeDirective(text, directive, IncludeTag::kRelated);
    if (related != text) project_.ReplaceLine(index, line, related);
  }

  IncludeTables& tables_;
  IncludeProject& project_;
  const IncludeFiles& files_;
  const IncludePlaces& places_;
  KeyedCollection<std::wstring> seen_;
};

}  // namespace

void IncludeTables::Clear() {
  IncludeItems.Clear();
  IncludeKeys.Clear();
  IncludeModules.Clear();
}

void ProcessIncludes(IncludeTables& tables, IncludeProject& project, const IncludeFiles& files,
                     const IncludePlaces& places) {
  IncludePass(tables, project, files, places).Run();
}

}  // namespace qv
