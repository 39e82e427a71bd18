#pragma once
// '#Include comments in a declarations section: what they name and where the named file is found.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

enum class IncludeTag { kPlain, kFull, kIn, kFile, kRelated };

struct IncludeDirective {
  IncludeTag tag = IncludeTag::kPlain;
  bool commented = false;  // the line starts with "'"
  bool continued = false;  // the line ends with "_"
  bool angle = false;      // <name>, searched in IncludingPaths; otherwise "name", beside the project
  std::wstring argument;   // as written, with its brackets or quotes
  std::wstring name;       // the argument without them
  // Where "#include ... argument" stands in the line as passed: a rewrite replaces just that span,
  // so indentation, the leading "'", a trailing comment and " _" stay.
  std::size_t start = 0;
  std::size_t length = 0;
};

// The directive of one physical line; nullopt when the line is none (no "#include ", an argument
// in neither brackets nor quotes, an empty name, a name holding a NUL).
std::optional<IncludeDirective> ParseIncludeDirective(std::wstring_view line);

// The line with its directive turned into the "#Include Full " or "#Include Related " form; the
// argument keeps its brackets or quotes and the rest of the line stays as it was.
std::wstring RewriteIncludeDirective(std::wstring_view line, const IncludeDirective& directive, IncludeTag tag);

// Folder plus file name with one "\" between; separators normalised to "\".
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// Whether `name` can name a module: a letter, then letters, digits and "_", at most 31 characters.
bool IsIdentifier(std::wstring_view name);

// What the search asks of the file system.
class IncludeFiles {
 public:
  virtual ~IncludeFiles() = default;
  // The file's name as the file system reports it, when `path` names an existing file.
  virtual std::optional<std::wstring> Find(const std::wstring& path) const = 0;
  // The file's lines; none when it cannot be read (the reader has told the user).
  virtual std::vector<std::wstring> ReadLines(const std::wstring& path) const = 0;
};

struct IncludePlaces {
  std::vector<std::wstring> including_paths;  // in IncludingPaths order; empty and NUL entries skipped
  std::wstring program_files;                 // replaces every "(ProgramFiles)" in them
  std::wstring project_file;                  // the active project's FileName, "" when never saved
  std::wstring projects_path;                 // ProjectsPath
};

struct FoundInclude {
  std::wstring path;
  std::wstring file_name;  // as the file system reports it
  std::wstring base_name;  // before its first "."
  std::wstring extension;  // after that "."; "" when none
};

// Angle form: the first folder of IncludingPaths that holds the file. Quoted form: the project
// file's folder, then ProjectsPath. nullopt when found nowhere.
std::optional<FoundInclude> FindInclude(const IncludeDirective& directive, const IncludePlaces& places,
                                        const IncludeFiles& files);

}  // namespace qv
