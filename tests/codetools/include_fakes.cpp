#include "tests/codetools/include_fakes.h"

#include <algorithm>

#include "kit/case_fold.h"
#include "kit/vb_strings.h"

namespace qv::test {
namespace {

std::vector<std::wstring> SplitLines(std::wstring_view text) {
  std::vector<std::wstring> lines;
  if (text.empty()) return lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(L"\r\n", start);
    lines.emplace_back(text.substr(start, end == std::wstring_view::npos ? end : end - start));
    if (end == std::wstring_view::npos) return lines;
    start = end + 2;
  }
}

}  // namespace

std::vector<std::wstring> Win32File() {
  return SplitLines(
      L"Attribute VB_Name = \"Win32\"\r\n' Win32 API\r\n' for the examples\r\nOption Explicit\r\n"
      L"Public Declare Function GetTickCount Lib \"kernel32\" () As Long\r\n"
      L"Public Declare PtrSafe Function GetClientRect Lib \"user32\" (ByVal hwnd As LongPtr, _\r\n"
      L"    lpRect As RECT) As Long\r\n"
      L"Public Type RECT\r\n    Left As Long\r\n    Top As Long\r\n"
      L"    Right As Long\r\n    Bottom As Long\r\nEnd Type\r\n"
      L"Public Const SW_SHOW As Long = 5\r\nPrivate Const SECRET = 7\r\n"
      L"Public Enum ShowModes\r\n    smHide = 0\r\nEnd Enum\r\n"
      L"Public Function Twice(ByVal x As Long) As Long\r\n    Twice = x * 2\r\nEnd Function\r\n"
      L"Public Declare Sub Sleep Lib \"kernel32\" (ByVal ms As Long)");
}

IncludeWorld::IncludeWorld() {
  places.including_paths = {L"C:\\Empty\\", L"(ProgramFiles)\\VB\\Include\\"};
  places.program_files = L"C:\\Program Files";
  places.project_file = L"C:\\Proj\\App.vbp";
  places.projects_path = L"C:\\Projects";
  files.Add(L"C:\\Program Files\\VB\\Include\\Win32.bas", Win32File());
  files.Add(L"C:\\Proj\\Tools.bas", {L"Attribute VB_Name = \"Tools\"", L"' Tools", L"Option Explicit",
                                     L"Attribute X.VB_Description = \"x\"", L"Public Const TOOLS_A = 1"});
  files.Add(L"C:\\Projects\\Tools.bas", {L"Public Const TOOLS_B = 2"});
}

void IncludeWorld::WithClass(std::wstring_view directive) {
  project.Add(L"Module1", std::wstring(directive) + L"\r\nOption Explicit");
  project.Add(L"Class1", L"Option Explicit\r\n\r\nSub Work()\r\nEnd Sub", 2, true);
  Pass();
  project.writes.clear();
}

std::wstring Win32Lines(std::size_t first, std::size_t last) {
  const std::vector<std::wstring> file = Win32File();
  std::wstring text = file.at(first);
  while (first < last) text += L"\r\n" + file.at(++first);
  return text;
}

void FakeProject::Add(std::wstring name, std::wstring_view text, long type, bool selected) {
  components_.push_back({std::move(name), type, selected, {}});
  SetLines(components_.back(), SplitLines(text));
}

FakeComponent* FakeProject::Find(std::wstring_view name) {
  const auto found = std::find_if(components_.begin(), components_.end(),
                                  [&](const FakeComponent& component) { return EqualsNoCase(component.name, name); });
  return found == components_.end() ? nullptr : &*found;
}

std::wstring FakeProject::Text(std::wstring_view name) { return Find(name) ? Find(name)->module.Text() : L""; }

std::vector<std::wstring> FakeProject::Names() const {
  std::vector<std::wstring> names;
  for (const FakeComponent& component : components_) names.push_back(component.name);
  return names;
}

FakeComponent& FakeProject::At(long index) {
  ++calls;
  return components_.at(static_cast<std::size_t>(index - 1));
}

void FakeProject::SetLines(FakeComponent& component, const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (const std::wstring& line : lines) text += (&line == lines.data() ? L"" : L"\r\n") + line;
  std::size_t declarations = 0;
  while (declarations < lines.size() && DeclarationKind(lines[declarations]) < kSubKind) ++declarations;
  while (declarations > 0 && TrimBlanks(lines[declarations - 1]).empty()) --declarations;
  component.module = ModuleText(std::move(text));
  component.module.SetDeclarationLines(static_cast<long>(declarations));
}

const CodeModuleView& FakeProject::Module(long index) {
  if (fail_modules) throw VbError(440, L"Automation error");
  return At(index).module;
}

std::wstring FakeProject::SelectedName() {
  ++calls;
  const auto found = std::find_if(components_.begin(), components_.end(), [](auto& c) { return c.selected; });
  return found == components_.end() ? L"" : found->name;
}

void FakeProject::Edit(long index, long line, const std::wstring& code, bool replace) {
  FakeComponent& component = At(index);
  std::vector<std::wstring> lines = SplitLines(component.module.Text());
  const auto at = lines.begin() + std::min<std::ptrdiff_t>(line - 1, std::ssize(lines));
  const std::vector<std::wstring> added = SplitLines(code);
  lines.insert(lines.erase(at, replace ? at + 1 : at), added.begin(), added.end());
  SetLines(component, lines);
  writes.push_back((replace ? L"ReplaceLine " : L"InsertLines ") + component.name + L" " + std::to_wstring(line) +
                   L": " + code);
}

std::optional<long> FakeProject::GetOrAddModule(const std::wstring& name, const std::wstring& code) {
  ++calls;
  if (const FakeComponent* found = Find(name)) return static_cast<long>(found - components_.data()) + 1;
  writes.push_back(L"GetOrAddModule " + name + L": " + code);
  if (std::find(refused.begin(), refused.end(), name) != refused.end()) return std::nullopt;
  // As the host reads a module's text, a final line break ends the last line.
  Add(name, code.ends_with(L"\r\n") ? std::wstring_view(code).substr(0, code.size() - 2) : code);
  return ComponentCount();
}

void FakeProject::AddFile(const std::wstring& path, bool related) {
  ++calls;
  files.push_back(path);
  writes.push_back(L"AddFile " + path + (related ? L" related" : L""));
}

void FakeFiles::Add(std::wstring path, std::vector<std::wstring> lines) {
  std::wstring key = FoldCase(path);  // before the path moves
  files_[key] = {std::move(path), std::move(lines)};
}

std::optional<std::wstring> FakeFiles::Find(const std::wstring& path) const {
  probes.push_back(path);
  const auto found = files_.find(FoldCase(path));
  if (found == files_.end()) return std::nullopt;
  return found->second.first.substr(found->second.first.rfind(L'\\') + 1);
}

std::vector<std::wstring> FakeFiles::ReadLines(const std::wstring& path) const {
  const auto found = files_.find(FoldCase(path));
  return found == files_.end() ? std::vector<std::wstring>() : found->second.second;
}

std::vector<std::wstring> Items(const KeyedCollection<std::wstring>& collection) {
  return std::vector<std::wstring>(collection.begin(), collection.end());
}
std::vector<std::wstring> Keys(const IncludeTables& tables) { return Items(tables.IncludeKeys); }
std::vector<std::wstring> Modules(const IncludeTables& tables) { return Items(tables.IncludeModules); }

bool InStep(const IncludeTables& tables) {
  const long count = tables.IncludeKeys.Count();
  bool same = tables.IncludeItems.Count() == count && tables.IncludeModules.Count() == count;
  for (long i = 1; same && i <= count; ++i) {
    const std::optional<std::wstring> key = tables.IncludeKeys.KeyAt(i);
    same = key == tables.IncludeKeys.Item(i) && tables.IncludeItems.KeyAt(i) == key &&
           tables.IncludeModules.KeyAt(i) == key;
  }
  return same;
}

}  // namespace qv::test
