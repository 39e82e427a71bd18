#include "kit/setup_run.h"

#include <algorithm>
#include <iterator>

#include "kit/case_fold.h"

namespace qv {
namespace {

constexpr wchar_t kSucceeded[] = L" прошла успешно.";
constexpr wchar_t kFailed[] = L" не произошла.";
constexpr wchar_t kLanguages[] = L"Languages";
constexpr wchar_t kLanguagesPrefix[] = L"Languages\\";
// Removed only when both environments go, in this order.
constexpr const wchar_t* kSharedFiles[] = {L"AutoInserts.ini", L"ErrorHandlers.ini",  L"SyntaxColors.ini",
                                           L"Languages.ini",   L"IncludingPaths.ini", L"Quorvane.chm"};

bool Holds(const std::vector<std::wstring>& names, std::wstring_view name) {
  return std::any_of(names.begin(), names.end(), [&](const std::wstring& held) { return EqualsNoCase(held, name); });
}

class Run {
 public:
  Run(SetupPlatform& platform, SetupProgress& progress, const SetupChoice& choice)
      : platform_(platform), progress_(progress), choice_(choice), native_(platform.NativeSystemFolder()) {}

  bool Install() {
    // What an earlier installation into the same folder copied is this one's to remove as well.
    if (EqualsNoCase(platform_.RecordedFolder(), choice_.folder)) installed_ = Installed();
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
    platform_.RecordFiles(installed_);
    return !failed_;
  }

  // Only what the installation copied goes. A library that is still registered or loaded stays with
  // its list files and settings, and the product key with `Path` and the record of what is left stays
  // while anything failed, so that removal is offered again.
  bool Remove() {
    installed_ = Installed();
    struct Library {
      const wchar_t* name;
      std::wstring system_folder;  // its regsvr32's
      bool unregistered = false;
    };
    std::vector<Library> libraries;
    if (choice_.studio) libraries.push_back({kStudioLibrary.name, platform_.SystemFolder()});
    if (choice_.office) {
      libraries.push_back({kOfficeLibrary.name, platform_.SystemFolder()});
      if (!native_.empty()) libraries.push_back({kOffice64Library.name, native_});
    }
    std::erase_if(libraries, [&](const Library& library) { return !Holds(installed_, library.name); });
    for (Library& library : libraries) library.unregistered = Registration(library.name, library.system_folder, true);
    for (const Library& library : libraries) {
      if (library.unregistered) {
        RemoveFile(library.name);
      } else {
        Report(L"Удаление " + std::wstring(library.name), false);
      }
    }
    const bool studio_left = Holds(installed_, kStudioLibrary.name);
    const bool office_left = Holds(installed_, kOfficeLibrary.name) || Holds(installed_, kOffice64Library.name);
    const bool both = choice_.studio && choice_.office;
    if (both && !studio_left && !office_left) {
      for (const wchar_t* name : kSharedFiles) {
        if (Holds(installed_, name)) RemoveFile(name);
      }
      for (const std::wstring& name : std::vector<std::wstring>(installed_)) {
        if (name.starts_with(kLanguagesPrefix)) RemoveFile(name);
      }
      platform_.RemoveFolder(JoinPath(choice_.folder, kLanguages));
      const std::size_t slash = choice_.folder.find_last_of(L'\\');
      if (slash != std::wstring::npos && choice_.folder.substr(slash + 1) == L"Quorvane") {
        platform_.RemoveFolder(choice_.folder);
      }
    }
    platform_.RecordFiles(installed_);
    RemoveRegistry(choice_.studio && !studio_left, choice_.office && !office_left, both && !failed_);
    return !failed_;
  }

 private:
  bool Report(const std::wstring& subject, bool ok) {
    progress_.Log(subject + (ok ? kSucceeded : kFailed));
    failed_ = failed_ || !ok;
    return ok;
  }

  // The installation's files that are there: those it recorded, or, where it recorded none (an
  // earlier setup program), the names that program wrote on every run. The files of the Languages
  // folder cannot be told from others there, so they are left to the user.
  std::vector<std::wstring> Installed() {
    std::vector<std::wstring> present = platform_.ListFiles(choice_.folder);
    for (const std::wstring& name : platform_.ListFiles(JoinPath(choice_.folder, kLanguages))) {
      present.push_back(kLanguagesPrefix + name);
    }
    std::vector<std::wstring> names;
    if (const std::optional<std::vector<std::wstring>> recorded = platform_.RecordedFiles()) {
      names = *recorded;
    } else {
      for (const CarriedFile& library : {kStudioLibrary, kOfficeLibrary, kOffice64Library})
        names.push_back(library.name);
      names.insert(names.end(), std::begin(kSharedFiles), std::end(kSharedFiles));
    }
    std::erase_if(names, [&](const std::wstring& name) { return !Holds(present, name); });
    return names;
  }

  void Keep(const std::wstring& name) {
    if (!Holds(installed_, name)) installed_.push_back(name);
  }

  void Extract(const CarriedFile& file) {
    const std::wstring subject = L"Извлечение " + std::wstring(file.name);
    progress_.Status(subject + L" ...");
    const std::optional<std::string> bytes = platform_.Resource(file);
    if (Report(subject, bytes && platform_.WriteBytes(JoinPath(choice_.folder, file.name), *bytes))) Keep(file.name);
  }

  void ExtractAndRegister(const CarriedFile& file, const std::wstring& system_folder) {
    Extract(file);
    Registration(file.name, system_folder, false);
  }

  // regsvr32 of `system_folder` by its full path (never one found beside the setup program), waited
  // for, so that removal deletes no library that is still registered or loaded.
  bool Registration(const std::wstring& file, const std::wstring& system_folder, bool remove) {
    const std::wstring subject = (remove ? L"Разрегистрация " : L"Регистрация ") + file;
    progress_.Status(subject);
    const std::wstring program = JoinPath(system_folder, L"regsvr32.exe");
    const std::wstring command_line =
        L"\"" + program + L"\" " + (remove ? L"/u /s" : L"/s") + L" \"" + JoinPath(choice_.folder, file) + L"\"";
    const std::optional<unsigned long> exit_code = platform_.RunAndWait(program, command_line, kRegistrationTimeoutMs);
    return Report(subject, exit_code == 0ul);
  }

  void Copy(const std::wstring& source, const std::wstring& shown, const std::wstring& target) {
    const std::wstring subject = L"Копирование " + shown;
    progress_.Status(subject + L" ...");
    if (Report(subject, platform_.CopyTo(source, JoinPath(choice_.folder, target)))) Keep(target);
  }

  void CopyLanguages() {
    const std::wstring source = platform_.SetupFolder();
    Copy(JoinPath(source, L"Languages.ini"), L"Languages.ini", L"Languages.ini");
    const std::wstring languages = JoinPath(source, kLanguages);
    for (const std::wstring& name : platform_.ListFiles(languages)) {
      Copy(JoinPath(languages, name), L"\\" + (kLanguagesPrefix + name), kLanguagesPrefix + name);
    }
  }

  void RemoveFile(const std::wstring& name) {
    const std::wstring subject = L"Удаление " + name;
    progress_.Status(subject + L" ...");
    if (Report(subject, platform_.DeleteAt(JoinPath(choice_.folder, name)))) {
      std::erase_if(installed_, [&](const std::wstring& held) { return EqualsNoCase(held, name); });
    }
  }

  // The settings of each library that went, and the product's and maker's keys when asked.
  void RemoveRegistry(bool studio, bool office, bool product) {
    const std::wstring subject = L"Удаление ветки реестра";
    progress_.Status(subject);
    bool ok = true;
    // A key that still holds subkeys stays, as the maker's key does with other products under it.
    const auto remove = [&](const wchar_t* parent, const wchar_t* name) {
      ok = platform_.DeleteKey(parent, name) != SetupPlatform::KeyDeletion::kFailed && ok;
    };
    if (studio) remove(kProductKey, L"VB");
    if (office) remove(kProductKey, L"VBA");
    if (product) {
      remove(kMakerKey, L"Quorvane");
      remove(L"Software", L"Velmora");
    }
    Report(subject, ok);
  }

  SetupPlatform& platform_;
  SetupProgress& progress_;
  const SetupChoice& choice_;
  const std::wstring native_;
  std::vector<std::wstring> installed_;  // names relative to the folder, as recorded
  bool failed_ = false;
};

}  // namespace

bool RunSetup(SetupPlatform& platform, SetupProgress& progress, const SetupChoice& choice) {
  Run run(platform, progress, choice);
  return choice.install ? run.Install() : run.Remove();
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  std::wstring path(folder);
  if (!path.ends_with(L'\\')) path += L'\\';
  return path.append(name);
}

}  // namespace qv
