#include "kit/setup_run.h"

namespace qv {
namespace {

constexpr wchar_t kSucceeded[] = L" прошла успешно.";
constexpr wchar_t kFailed[] = L" не произошла.";
constexpr wchar_t kLanguages[] = L"Languages";
// Removed only when both environments go, in this order.
constexpr const wchar_t* kSharedFiles[] = {L"AutoInserts.ini", L"ErrorHandlers.ini",  L"SyntaxColors.ini",
                                           L"Languages.ini",   L"IncludingPaths.ini", L"Quorvane.chm"};

class Run {
 public:
  Run(SetupPlatform& platform, SetupProgress& progress, const SetupChoice& choice)
      : platform_(platform), progress_(progress), choice_(choice), native_(platform.NativeSystemFolder()) {}

  void Install() {
    platform_.CreateFolder(choice_.folder);
    platform_.CreateFolder(JoinPath(choice_.folder, kLanguages));
    if (choice_.studio) ExtractAndRegister(kStudioLibrary, platform_.SystemFolder());
    if (choice_.office) {
      // The 64-bit library first: where the per-user classes are one view for both bitnesses (Wine),
      // the 32-bit registration the 32-bit hosts read is the one that stays.
      if (!native_.empty()) ExtractAndRegister(kOffice64Library, native_);
      ExtractAndRegister(kOfficeLibrary, platform_.SystemFolder());
    }
    for (const CarriedFile& file : {kAutoInserts, kErrorHandlers, kSyntaxColors, kIncludingPaths}) Extract(file);
    CopyLanguages();
    Extract(kHelpFile);
    platform_.RecordFolder(choice_.folder);
  }

  void Remove() {
    if (choice_.studio) Registration(kStudioLibrary.name, platform_.SystemFolder(), true);
    if (choice_.office) {
      Registration(kOfficeLibrary.name, platform_.SystemFolder(), true);
      if (!native_.empty()) Registration(kOffice64Library.name, native_, true);
    }
    if (choice_.studio) RemoveFile(kStudioLibrary.name);
    if (choice_.office) {
      RemoveFile(kOfficeLibrary.name);
      if (!native_.empty()) RemoveFile(kOffice64Library.name);
    }
    const bool both = choice_.studio && choice_.office;
    if (both) {
      for (const wchar_t* name : kSharedFiles) RemoveFile(name);
      const std::wstring languages = JoinPath(choice_.folder, kLanguages);
      for (const std::wstring& name : platform_.ListFiles(languages)) RemoveFile(L"Languages\\" + name);
      platform_.RemoveFolder(languages);
      const std::size_t slash = choice_.folder.find_last_of(L'\\');
      if (slash != std::wstring::npos && choice_.folder.substr(slash + 1) == L"Quorvane") {
        platform_.RemoveFolder(choice_.folder);
      }
    }
    RemoveRegistry(both);
  }

 private:
  void Report(const std::wstring& subject, bool ok) { progress_.Log(subject + (ok ? kSucceeded : kFailed)); }

  void Extract(const CarriedFile& file) {
    const std::wstring subject = L"Извлечение " + std::wstring(file.name);
    progress_.Status(subject + L" ...");
    const std::optional<std::string> bytes = platform_.Resource(file);
    Report(subject, bytes && platform_.WriteBytes(JoinPath(choice_.folder, file.name), *bytes));
  }

  void ExtractAndRegister(const CarriedFile& file, const std::wstring& system_folder) {
    Extract(file);
    Registration(file.name, system_folder, false);
  }

  // regsvr32 of `system_folder` by its full path (never one found beside the setup program), waited
  // for, so that removal deletes no library that is still registered or loaded.
  void Registration(const std::wstring& file, const std::wstring& system_folder, bool remove) {
    const std::wstring subject = (remove ? L"Разрегистрация " : L"Регистрация ") + file;
    progress_.Status(subject);
    const std::wstring program = JoinPath(system_folder, L"regsvr32.exe");
    const std::wstring command_line =
        L"\"" + program + L"\" " + (remove ? L"/u /s" : L"/s") + L" \"" + JoinPath(choice_.folder, file) + L"\"";
    const std::optional<unsigned long> exit_code = platform_.RunAndWait(program, command_line, kRegistrationTimeoutMs);
    Report(subject, exit_code == 0ul);
  }

  void Copy(const std::wstring& source, const std::wstring& shown, const std::wstring& target) {
    const std::wstring subject = L"Копирование " + shown;
    progress_.Status(subject + L" ...");
    Report(subject, platform_.CopyTo(source, JoinPath(choice_.folder, target)));
  }

  void CopyLanguages() {
    const std::wstring source = platform_.SetupFolder();
    Copy(JoinPath(source, L"Languages.ini"), L"Languages.ini", L"Languages.ini");
    const std::wstring languages = JoinPath(source, kLanguages);
    for (const std::wstring& name : platform_.ListFiles(languages)) {
      Copy(JoinPath(languages, name), L"\\Languages\\" + name, L"Languages\\" + name);
    }
  }

  void RemoveFile(const std::wstring& name) {
    const std::wstring subject = L"Удаление " + name;
    progress_.Status(subject + L" ...");
    Report(subject, platform_.DeleteAt(JoinPath(choice_.folder, name)));
  }

  void RemoveRegistry(bool both) {
    const std::wstring subject = L"Удаление ветки реестра";
    progress_.Status(subject);
    bool ok = true;
    // A key that still holds subkeys stays, as the maker's key does with other products under it.
    const auto remove = [&](const wchar_t* parent, const wchar_t* name) {
      ok = platform_.DeleteKey(parent, name) != SetupPlatform::KeyDeletion::kFailed && ok;
    };
    if (choice_.studio) remove(kProductKey, L"VB");
    if (choice_.office) remove(kProductKey, L"VBA");
    if (both) {
      remove(kMakerKey, L"Quorvane");
      remove(L"Software", L"Velmora");
    }
    Report(subject, ok);
  }

  SetupPlatform& platform_;
  SetupProgress& progress_;
  const SetupChoice& choice_;
  const std::wstring native_;
};

}  // namespace

void RunSetup(SetupPlatform& platform, SetupProgress& progress, const SetupChoice& choice) {
  Run run(platform, progress, choice);
  if (choice.install) {
    run.Install();
  } else {
    run.Remove();
  }
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  std::wstring path(folder);
  if (!path.ends_with(L'\\')) path += L'\\';
  return path.append(name);
}

}  // namespace qv
