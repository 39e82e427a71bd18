#pragma once
// Include processing and automatic declarations over an abstract project, so that the host glue
// only reads and writes and the rules are tested without a host.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codetools/declaration_file.h"
#include "codetools/include_directive.h"
#include "codetools/module_view.h"
#include "kit/keyed_collection.h"

namespace qv {

constexpr long kStandardModuleType = 1;

// What a pass and the declarations need of the active project. Components are 1-based in project
// order; a module added during a run is appended at the end. Host failures throw VbError.
class IncludeProject {
 public:
  virtual ~IncludeProject() = default;

  virtual long ComponentCount() = 0;
  virtual std::wstring ComponentName(long index) = 0;
  virtual long ComponentType(long index) = 0;
  virtual bool IsSelected(long index) = 0;
  // The component's lines and CountOfDeclarationLines; valid until the next change to the project.
  virtual const CodeModuleView& Module(long index) = 0;
  virtual std::wstring SelectedName() = 0;  // "" when no component is selected
  virtual bool HasComponent(std::wstring_view name) = 0;
  virtual void ReplaceLine(long index, long line, const std::wstring& code) = 0;
  virtual void InsertLines(long index, long line, const std::wstring& code) = 0;
  // The standard module `name`, added holding `code` when missing (an added module whose name
  // the host refuses is removed again); nullopt after a failure the user has been shown.
  virtual std::optional<long> GetOrAddModule(const std::wstring& name, const std::wstring& code) = 0;
  // Project files exist in the Visual Basic 6.0 personality only.
  virtual bool HasProjectFiles() = 0;
  // The first file name (a path) of each component that has files.
  virtual std::vector<std::wstring> FirstFileNames() = 0;
  virtual void AddFile(const std::wstring& path, bool related) = 0;
  // A message box with the description.
  virtual void ShowError(const std::wstring& description) = 0;
};

// Three tables in step: same keys (base names, letter case ignored), same order.
struct IncludeTables {
  KeyedCollection<MemberCollection> IncludeItems;
  KeyedCollection<std::wstring> IncludeKeys;
  KeyedCollection<std::wstring> IncludeModules;  // the module that receives the file's declarations

  void Clear();
};

// One pass over the directives of the selected component and the standard modules. A directive
// whose base name this pass has already seen is skipped; project-file directives are skipped where
// the project has no files; a base name that cannot name a module (IsIdentifier) is skipped unless
// the "in" form sends the declarations to the selected component. Includes no directive names any
// more leave the tables. Host failures propagate.
void ProcessIncludes(IncludeTables& tables, IncludeProject& project, const IncludeFiles& files,
                     const IncludePlaces& places);

// The word the caret ends on line `line` at `column`, from the line's code text (strings and
// comments blanked); "" at column 1.
std::wstring DeclarationWord(const CodeModuleView& module, long line, long column);

// Whether the project declares `name`: in the selected component and the standard modules, Private
// counting in the selected component and in the include target modules; Sub and Function bodies
// are skipped. A host failure is shown and counts as declared.
bool IsDeclared(std::wstring_view name, const IncludeTables& tables, IncludeProject& project);

// A declaration as it goes into a module that is not a standard module: Private in front of a bare
// "Type "/"Declare ", "Public " of "Public Type/Declare/Const " replaced by "Private ".
std::wstring PrivateDeclaration(std::wstring_view declaration);

// Declares every word of the code part of `text` (strings and comments left out; split at blanks,
// TABs, line breaks, ",", ":", "(" and ")") that an include defines and the project lacks, with the
// names those declarations use; `DeclaredNames` gains each and stops a second insertion. With
// `ListOnly` the names are only collected, in first-use order.
void AddDeclaration(std::wstring_view text, bool ListOnly, const IncludeTables& tables, IncludeProject& project,
                    KeyedCollection<std::wstring>& DeclaredNames);

}  // namespace qv
