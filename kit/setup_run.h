#pragma once
// The setup program's installation and removal runs over a platform interface: the real one in
// installer/, an in-memory one in the tests. Every action shows a status text, does its work and
// logs one result line; no failure stops a run.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// A file the setup program carries as a resource of its own.
struct CarriedFile {
  const wchar_t* name;
  const wchar_t* type;
  int id;
};
inline constexpr CarriedFile kStudioLibrary{L"QuorvaneStudio.dll", L"QUORVANESTUDIO", 101};
inline constexpr CarriedFile kOfficeLibrary{L"QuorvaneOffice.dll", L"QUORVANEOFFICE", 102};
inline constexpr CarriedFile kOffice64Library{L"QuorvaneOffice64.dll", L"QUORVANEOFFICE64", 111};
inline constexpr CarriedFile kAutoInserts{L"AutoInserts.ini", L"AUTOINSERTS", 103};
inline constexpr CarriedFile kErrorHandlers{L"ErrorHandlers.ini", L"ERRORHANDLERS", 108};
inline constexpr CarriedFile kSyntaxColors{L"SyntaxColors.ini", L"SYNTAXCOLORS", 104};
inline constexpr CarriedFile kIncludingPaths{L"IncludingPaths.ini", L"INCLUDINGPATHS", 109};
inline constexpr CarriedFile kHelpFile{L"Quorvane.chm", L"QUORVANE", 110};
inline constexpr CarriedFile kCarriedFiles[] = {kStudioLibrary, kOfficeLibrary, kOffice64Library, kAutoInserts,
                                                kErrorHandlers, kSyntaxColors,  kIncludingPaths,  kHelpFile};

// The product's registry key under HKEY_CURRENT_USER, and its maker's.
inline constexpr wchar_t kMakerKey[] = L"Software\\Velmora";
inline constexpr wchar_t kProductKey[] = L"Software\\Velmora\\Quorvane";

class SetupPlatform {
 public:
  virtual ~SetupPlatform() = default;

  // A carried file's bytes; nothing when the resource is missing.
  virtual std::optional<std::string> Resource(const CarriedFile& file) = 0;
  // Replace `path` whole with `bytes`.
  virtual bool WriteBytes(const std::wstring& path, const std::string& bytes) = 0;
  // Copy, replacing the target; the copy is never read-only.
  virtual bool CopyTo(const std::wstring& source, const std::wstring& target) = 0;
  virtual bool DeleteAt(const std::wstring& path) = 0;
  // Names of the ordinary files in the folder, in the file system's order.
  virtual std::vector<std::wstring> ListFiles(const std::wstring& folder) = 0;
  // With every missing parent; failures show later as the file actions' own.
  virtual void CreateFolder(const std::wstring& path) = 0;
  // Only an empty folder goes.
  virtual void RemoveFolder(const std::wstring& path) = 0;

  // The value `Path` of the product key, as NormalizedFolder leaves it; "" when none is recorded.
  virtual std::wstring RecordedFolder() = 0;
  // Writes the value `Path` of the product key.
  virtual void RecordFolder(const std::wstring& folder) = 0;
  // The names (relative to the recorded folder) of the files the installation copied, kept beside
  // `Path`; nothing when none are recorded, as by a setup program that did not record them.
  virtual std::optional<std::vector<std::wstring>> RecordedFiles() = 0;
  virtual void RecordFiles(const std::vector<std::wstring>& names) = 0;
  enum class KeyDeletion { kDeleted, kMissing, kHasSubkeys, kFailed };
  // Deletes the subkey `name` of `parent` (under HKEY_CURRENT_USER) unless it has subkeys.
  virtual KeyDeletion DeleteKey(const std::wstring& parent, const std::wstring& name) = 0;

  // Starts `program` with `command_line` and waits up to `timeout_ms` without handling input: its
  // exit code, or nothing when it did not start or did not end in time.
  virtual std::optional<unsigned long> RunAndWait(const std::wstring& program, const std::wstring& command_line,
                                                  unsigned long timeout_ms) = 0;
  // The folder of the system's own programs for this process's bitness, and the 64-bit one as a
  // 32-bit process reaches it ("" on 32-bit Windows).
  virtual std::wstring SystemFolder() = 0;
  virtual std::wstring NativeSystemFolder() = 0;
  // The folder the setup program runs from.
  virtual std::wstring SetupFolder() = 0;
};

// The wizard's progress page.
class SetupProgress {
 public:
  virtual ~SetupProgress() = default;
  virtual void Status(const std::wstring& text) = 0;
  virtual void Log(const std::wstring& text) = 0;
};

struct SetupChoice {
  bool install = true;
  bool studio = true;
  bool office = true;
  // Absolute, as NormalizedFolder leaves it: the folder to install into, or the recorded one to remove.
  std::wstring folder;
};

inline constexpr unsigned long kRegistrationTimeoutMs = 60000;

// True when every action logged its success line.
bool RunSetup(SetupPlatform& platform, SetupProgress& progress, const SetupChoice& choice);

// `folder` "\" `name`, without doubling the backslash of a drive's root.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

}  // namespace qv
