#include "codetools/include_directive.h"

#include <algorithm>

#include "kit/case_fold.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

struct Form {
  const wchar_t* folded;  // the beginning that selects it, lower case
  IncludeTag tag;
  const wchar_t* written;  // as a rewrite writes it
};

// Tried in this order: "#include " would take every other form as a plain one.
constexpr Form kForms[] = {
    {L"#include full ", IncludeTag::kFull, L"#Include Full "},
    {L"#include in ", IncludeTag::kIn, L"#Include In "},
    {L"#include file ", IncludeTag::kFile, L"#Include File "},
    {L"#include related ", IncludeTag::kRelated, L"#Include Related "},
    {L"#include ", IncludeTag::kPlain, L"#Include "},
};

// Every cleaning step only narrows the line, so the cleaned text is one span [begin, end) of it.
struct Span {
  std::size_t begin = 0;
  std::size_t end = 0;
  void Trim(std::wstring_view line) {
    while (begin < end && line[begin] == L' ') ++begin;
    while (end > begin && line[end - 1] == L' ') --end;
  }
};

std::wstring WithProgramFiles(std::wstring_view folder, const std::wstring& program_files) {
  static constexpr std::wstring_view kMark = L"(ProgramFiles)";
  std::wstring result(folder);
  for (std::size_t at = result.find(kMark); at != std::wstring::npos;
       at = result.find(kMark, at + program_files.size())) {
    result.replace(at, kMark.size(), program_files);
  }
  return result;
}

// A folder worth searching: empty or blank entries would search the drive root, and a NUL cuts
// the path short where the file system reads it.
bool IsSearchFolder(std::wstring_view folder) {
  return folder.find_first_not_of(L' ') != std::wstring_view::npos && folder.find(L'\0') == std::wstring_view::npos;
}

std::optional<FoundInclude> FindIn(std::wstring_view folder, const std::wstring& name, const IncludeFiles& files) {
  if (!IsSearchFolder(folder)) return std::nullopt;
  const std::wstring path = JoinPath(folder, name);
  std::optional<std::wstring> file_name = files.Find(path);
  if (!file_name) return std::nullopt;
  FoundInclude found;
  // The name may hold a subfolder; the reported name replaces only its last part.
  found.path = JoinPath(GetDirectory(path), *file_name);
  found.file_name = std::move(*file_name);
  const std::size_t dot = found.file_name.find(L'.');
  found.base_name = found.file_name.substr(0, dot);
  found.extension = dot == std::wstring::npos ? std::wstring() : found.file_name.substr(dot + 1);
  return found;
}

}  // namespace

bool IsIdentifier(std::wstring_view name) {
  // Latin, Latin-1 and Cyrillic letters: what the host's code pages let a module name hold.
  const auto is_letter = [](wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7) ||
           (c >= 0x400 && c <= 0x4FF);
  };
  if (name.empty() || name.size() > 31 || !is_letter(name[0])) return false;
  return std::all_of(name.begin(), name.end(),
                     [&](wchar_t c) { return is_letter(c) || (c >= L'0' && c <= L'9') || c == L'_'; });
}

std::optional<IncludeDirective> ParseIncludeDirective(std::wstring_view line) {
  IncludeDirective directive;
  Span span{0, line.size()};
  span.Trim(line);
  if (span.begin < span.end && line[span.begin] == L'\'') {
    directive.commented = true;
    ++span.begin;
  }
  if (span.begin < span.end && line[span.end - 1] == L'_') {
    directive.continued = true;
    --span.end;
    span.Trim(line);
  }
  const std::size_t comment = line.substr(span.begin, span.end - span.begin).find(L'\'');
  if (comment != std::wstring_view::npos) span.end = span.begin + comment;
  span.Trim(line);
  const std::wstring_view cleaned = line.substr(span.begin, span.end - span.begin);
  const std::wstring folded = FoldCase(cleaned);
  const auto form =
      std::find_if(std::begin(kForms), std::end(kForms), [&](const Form& f) { return folded.starts_with(f.folded); });
  if (form == std::end(kForms)) return std::nullopt;
  Span argument{span.begin + std::wstring_view(form->folded).size(), span.end};
  argument.Trim(line);
  directive.tag = form->tag;
  directive.argument = line.substr(argument.begin, argument.end - argument.begin);
  const std::wstring& text = directive.argument;
  if (text.size() < 3) return std::nullopt;
  directive.angle = text.front() == L'<' && text.back() == L'>';
  if (!directive.angle && !(text.front() == L'"' && text.back() == L'"')) return std::nullopt;
  directive.name = text.substr(1, text.size() - 2);
  if (directive.name.find(L'\0') != std::wstring::npos) return std::nullopt;
  directive.start = span.begin;
  directive.length = argument.end - span.begin;
  return directive;
}

std::wstring RewriteIncludeDirective(std::wstring_view line, const IncludeDirective& directive, IncludeTag tag) {
  std::wstring result(line.substr(0, directive.start));
  result += std::find_if(std::begin(kForms), std::end(kForms), [&](const Form& f) { return f.tag == tag; })->written;
  result += directive.argument;
  result += line.substr(directive.start + directive.length);
  return result;
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  std::wstring path(folder);
  while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  path += L'\\';
  path += name;
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

std::optional<FoundInclude> FindInclude(const IncludeDirective& directive, const IncludePlaces& places,
                                        const IncludeFiles& files) {
  if (directive.angle) {
    for (const std::wstring& folder : places.including_paths) {
      if (auto found = FindIn(WithProgramFiles(folder, places.program_files), directive.name, files)) return found;
    }
    return std::nullopt;
  }
  if (!places.project_file.empty()) {
    if (auto found = FindIn(GetDirectory(places.project_file), directive.name, files)) return found;
  }
  return FindIn(places.projects_path, directive.name, files);
}

}  // namespace qv
