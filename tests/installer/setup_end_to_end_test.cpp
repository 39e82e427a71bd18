// The built setup program driven through its window like a user: installing both environments into a
// folder of the test, the sandbox host loading the installed add-in, and removing both again.
#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include "kit/case_fold.h"
#include "kit/setup_run.h"
#include "tests/dialogs/temp_folder.h"
#include "tests/installer/setup_folder.h"
#include "tests/sandbox/host/host_fixture.h"
#include "win/files.h"
#include "win/registry.h"

namespace sbx::test {
namespace {

constexpr wchar_t kOfficeClsid[] = L"{1910B8DC-CA40-4B03-AF03-F82C37C81A24}";
constexpr wchar_t kStudioClsid[] = L"{6F9E01BA-103E-47FF-87CE-841EC246220B}";
constexpr int kNext = IDOK, kRemoveOption = 231, kInstallOption = 230, kFolder = 251, kLog = 261;

constexpr wchar_t kOfficeAddins[] = L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins";
constexpr wchar_t kOfficeAddins64[] = L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins64";
constexpr wchar_t kStudioAddins[] = L"Software\\Microsoft\\Visual Basic\\6.0\\Addins";

// The in-process server's file as the 32-bit hosts read it; "" when it is not registered.
std::wstring ServerFile(const wchar_t* clsid) {
  const auto file = qv::GetRegValue(HKEY_CURRENT_USER,
                                    std::wstring(L"Software\\Classes\\CLSID\\") + clsid + L"\\InprocServer32", L"");
  return file ? *file : L"";
}

// Every key the installation and the libraries' registration touch (the host's own settings aside).
std::vector<std::pair<std::wstring, RegistryFixture::Key>> Watched() {
  std::vector<std::pair<std::wstring, RegistryFixture::Key>> keys;
  const std::wstring clsids = L"Software\\Classes\\CLSID\\";
  for (const std::wstring& path : std::vector<std::wstring>{L"Software\\Velmora", L"Software\\Microsoft\\VBA\\VBE",
                                                            kStudioAddins, L"Software\\Classes\\QuorvaneOffice.Connect",
                                                            L"Software\\Classes\\QuorvaneStudio.Connect",
                                                            clsids + kOfficeClsid, clsids + kStudioClsid}) {
    keys.emplace_back(path, RegistryFixture::Read(path));
  }
  return keys;
}

// The keys of a tree, for failure messages.
std::string Describe(const RegistryFixture::Key& key, const std::string& indent = "") {
  std::string text;
  for (const auto& value : key.values) text += indent + "=" + std::string(value.name.begin(), value.name.end()) + "\n";
  for (const auto& [name, subkey] : key.subkeys) {
    text += indent + std::string(name.begin(), name.end()) + "\n" + Describe(subkey, indent + "  ");
  }
  return text;
}

// The setup program's process and wizard window.
class Wizard {
 public:
  // `folder`: the program's, ending in "\".
  explicit Wizard(const std::wstring& folder = qv::test::SetupProgramFolder()) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = L"QuorvaneSetup.exe";
    if (!CreateProcessW((folder + line).c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_)) {
      return;
    }
    for (int i = 0; i < 600 && !window_; ++i) {
      Sleep(50);
      EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(this));
    }
  }
  ~Wizard() {
    if (process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, 10000);
    }
    if (process_.hProcess) CloseHandle(process_.hProcess);
    if (process_.hThread) CloseHandle(process_.hThread);
  }

  HWND window() const { return window_; }
  HWND Item(int id) const { return GetDlgItem(window_, id); }
  std::wstring Text(int id) const {
    wchar_t text[256] = {};
    GetWindowTextW(Item(id), text, 256);
    return text;
  }
  void Click(int id) const {
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
  }
  void Next(const wchar_t* caption) const {
    ASSERT_TRUE(WaitFor([&] { return Text(kNext) == caption && IsWindowEnabled(Item(kNext)); }, 10000)) << Text(kNext);
    Click(kNext);
  }
  void ChooseRemoval() const {
    ASSERT_TRUE(IsWindowEnabled(Item(kRemoveOption)));
    SendMessageW(Item(kInstallOption), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(Item(kRemoveOption), BM_SETCHECK, BST_CHECKED, 0);
    Click(kRemoveOption);
  }
  void SetFolder(const std::wstring& folder) const {
    SendMessageW(Item(kFolder), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
  }
  // Enter, and a click on the Next button, queued while the run holds the wizard.
  void PressEnter() const {
    PostMessageW(window_, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(window_, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC0000001u));
  }
  void ClickNext() const {
    PostMessageW(Item(kNext), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(Item(kNext), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  }
  // Waits for "Готово", then gives the log; nothing when the window went first.
  std::vector<std::wstring> Log() const {
    std::vector<std::wstring> lines;
    if (!WaitFor([&] { return !IsWindow(window_) || Text(kNext) == L"Готово"; }, 240000) || !IsWindow(window_)) {
      return lines;
    }
    const auto count = static_cast<WPARAM>(SendMessageW(Item(kLog), LB_GETCOUNT, 0, 0));
    for (WPARAM i = 0; i < count; ++i) {
      std::wstring line(static_cast<std::size_t>(SendMessageW(Item(kLog), LB_GETTEXTLEN, i, 0)), L'\0');
      SendMessageW(Item(kLog), LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
      lines.push_back(line);
    }
    return lines;
  }
  // The file a library named `name` is loaded from when the program asks for it by name, as the
  // system's own libraries it calls on do.
  std::wstring LoadedByName(const std::wstring& name) const {
    const SIZE_T bytes = (name.size() + 1) * sizeof(wchar_t);
    void* text = VirtualAllocEx(process_.hProcess, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!text || !WriteProcessMemory(process_.hProcess, text, name.c_str(), bytes, nullptr)) return L"";
    // kernel32 lies at one address in every process of a bitness: LoadLibraryW runs there as a thread.
    const auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
    const HANDLE thread = CreateRemoteThread(process_.hProcess, nullptr, 0, load, text, 0, nullptr);
    DWORD module = 0;
    if (thread) {
      WaitForSingleObject(thread, 30000);
      GetExitCodeThread(thread, &module);
      CloseHandle(thread);
    }
    VirtualFreeEx(process_.hProcess, text, 0, MEM_RELEASE);
    wchar_t file[MAX_PATH] = {};
    if (module)
      GetModuleFileNameExW(process_.hProcess, reinterpret_cast<HMODULE>(static_cast<UINT_PTR>(module)), file, MAX_PATH);
    return file;
  }
  // "Готово" ends the program without a question.
  bool Finish() const {
    Click(kNext);
    DWORD code = 1;
    return WaitForSingleObject(process_.hProcess, 30000) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(process_.hProcess, &code) && code == 0;
  }

 private:
  static BOOL CALLBACK FindWindowOf(HWND window, LPARAM self) {
    auto* wizard = reinterpret_cast<Wizard*>(self);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != wizard->process_.dwProcessId || !IsWindowVisible(window)) return TRUE;
    wizard->window_ = window;
    return FALSE;
  }

  template <class Done>
  static bool WaitFor(Done done, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 50) {
      if (done()) return true;
      Sleep(50);
    }
    return done();
  }

  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

std::vector<std::wstring> Lines(std::initializer_list<const wchar_t*> subjects) {
  std::vector<std::wstring> lines;
  for (const wchar_t* subject : subjects) lines.push_back(std::wstring(subject) + L" прошла успешно.");
  return lines;
}

class SetupEndToEnd : public HostTest, public ::testing::WithParamInterface<bool> {
 protected:
  RegistryFixture classes_{{L"Software\\Classes\\CLSID\\{1910B8DC-CA40-4B03-AF03-F82C37C81A24}",
                            L"Software\\Classes\\CLSID\\{6F9E01BA-103E-47FF-87CE-841EC246220B}",
                            L"Software\\Classes\\QuorvaneOffice.Connect",
                            L"Software\\Classes\\QuorvaneStudio.Connect"}};
  qv::test::TempFolder temp_;
};

TEST_P(SetupEndToEnd, InstallsBothLoadsTheAddinAndRemovesBothWithoutTrace) {
  RegDeleteTreeW(HKEY_CURRENT_USER, qv::kMakerKey);
  // An installed host has its add-ins keys already.
  for (const wchar_t* key : {kOfficeAddins, kOfficeAddins64, kStudioAddins})
    qv::SetRegValue(HKEY_CURRENT_USER, key, L"x", L"");
  if (GetParam()) qv::SetRegValue(HKEY_CURRENT_USER, L"Software\\Velmora\\Other", L"x", L"1");
  const auto before = Watched();
  const std::wstring folder = temp_.File(L"Quorvane");
  {
    Wizard wizard;
    ASSERT_NE(wizard.window(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(wizard.Item(kRemoveOption)));
    wizard.Next(L"Далее >");
    wizard.Next(L"Далее >");
    wizard.Next(L"Далее >");
    wizard.SetFolder(L"  " + folder + L"\\ ");  // blanks and a backslash as a user might leave them
    wizard.Next(L"Установить");
    wizard.ClickNext();  // not taken for "Готово"
    EXPECT_EQ(
        wizard.Log(),
        Lines({L"Извлечение QuorvaneStudio.dll", L"Регистрация QuorvaneStudio.dll", L"Извлечение QuorvaneOffice64.dll",
               L"Регистрация QuorvaneOffice64.dll", L"Извлечение QuorvaneOffice.dll", L"Регистрация QuorvaneOffice.dll",
               L"Извлечение AutoInserts.ini", L"Извлечение ErrorHandlers.ini", L"Извлечение SyntaxColors.ini",
               L"Извлечение IncludingPaths.ini", L"Копирование Languages.ini", L"Извлечение Quorvane.chm"}));
    EXPECT_TRUE(wizard.Finish());
  }
  EXPECT_EQ(qv::GetRegValue(HKEY_CURRENT_USER, qv::kProductKey, L"Path"), folder);
  EXPECT_EQ(ServerFile(kOfficeClsid), folder + L"\\QuorvaneOffice.dll");
  EXPECT_EQ(ServerFile(kStudioClsid), folder + L"\\QuorvaneStudio.dll");
  // Only the 64-bit library lists itself under Addins64: its own regsvr32 ran it.
  for (const std::wstring& addins : std::vector<std::wstring>{kOfficeAddins, kOfficeAddins64, kStudioAddins}) {
    EXPECT_TRUE(
        RegistryFixture::Read(addins + L"\\Quorvane" + (addins == kStudioAddins ? L"Studio" : L"Office") + L".Connect")
            .exists)
        << std::string(addins.begin(), addins.end());
  }
  EXPECT_TRUE(qv::FileExists(folder + L"\\Languages.ini"));

  Host& host = Start();
  host.add_ins().StartUp();
  EXPECT_TRUE(host.add_ins().IsConnected(L"QuorvaneOffice.Connect"));
  EXPECT_TRUE(host.add_ins().failures().empty());
  EXPECT_NE(GetModuleHandleW((folder + L"\\QuorvaneOffice.dll").c_str()), nullptr);
  host.ShutDown();
  host_.reset();
  CoFreeUnusedLibrariesEx(0, 0);

  {
    Wizard wizard;
    ASSERT_NE(wizard.window(), nullptr);
    wizard.Next(L"Далее >");
    wizard.ChooseRemoval();
    wizard.Next(L"Далее >");
    wizard.Next(L"Удалить");
    wizard.PressEnter();
    EXPECT_EQ(wizard.Log(),
              Lines({L"Разрегистрация QuorvaneStudio.dll", L"Разрегистрация QuorvaneOffice.dll",
                     L"Разрегистрация QuorvaneOffice64.dll", L"Удаление QuorvaneStudio.dll",
                     L"Удаление QuorvaneOffice.dll", L"Удаление QuorvaneOffice64.dll", L"Удаление AutoInserts.ini",
                     L"Удаление ErrorHandlers.ini", L"Удаление SyntaxColors.ini", L"Удаление Languages.ini",
                     L"Удаление IncludingPaths.ini", L"Удаление Quorvane.chm", L"Удаление ветки реестра"}));
    EXPECT_TRUE(wizard.Finish());
  }
  const auto after = Watched();
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(after[i].second, before[i].second)
        << std::string(before[i].first.begin(), before[i].first.end()) << "\nbefore:\n"
        << Describe(before[i].second) << "after:\n"
        << Describe(after[i].second);
  }
  EXPECT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(RegistryFixture::Read(L"Software\\Velmora").exists, GetParam());
}

class SetupWizard : public ::testing::Test {
 protected:
  RegistryFixture registry_;
  qv::test::TempFolder temp_;
};

// A library planted beside the setup program (in a downloads folder, say) under a system library's
// name is not the one the program gets.
TEST_F(SetupWizard, LoadsSystemLibrariesFromTheSystemFolderOnly) {
  const std::wstring folder = temp_.path() + L"\\";
  ASSERT_TRUE(CopyFileW((qv::test::SetupProgramFolder() + L"QuorvaneSetup.exe").c_str(),
                        (folder + L"QuorvaneSetup.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileW((qv::AppPath() + L"QuorvaneOffice.dll").c_str(), (folder + L"hid.dll").c_str(), FALSE));
  Wizard wizard(folder);
  ASSERT_NE(wizard.window(), nullptr);
  const std::wstring loaded = wizard.LoadedByName(L"hid.dll");
  ASSERT_FALSE(loaded.empty());
  EXPECT_FALSE(qv::FoldCase(loaded).starts_with(qv::FoldCase(folder))) << std::string(loaded.begin(), loaded.end());
}

// A run with a failed line keeps its log in view with "Готово"; an Enter pressed while the run held
// the wizard is not taken for "Готово" before the log could be read.
TEST_F(SetupWizard, AFailedRunKeepsItsLogInView) {
  RegDeleteTreeW(HKEY_CURRENT_USER, qv::kMakerKey);
  const std::wstring folder = temp_.File(L"Quorvane");
  // Folders in the libraries' places: they cannot be written, and nothing gets registered.
  for (const wchar_t* name : {L"", L"\\QuorvaneStudio.dll", L"\\QuorvaneOffice.dll", L"\\QuorvaneOffice64.dll"}) {
    ASSERT_TRUE(CreateDirectoryW((folder + name).c_str(), nullptr));
  }
  Wizard wizard;
  ASSERT_NE(wizard.window(), nullptr);
  wizard.Next(L"Далее >");
  wizard.Next(L"Далее >");
  wizard.Next(L"Далее >");
  wizard.SetFolder(folder);
  wizard.Next(L"Установить");
  wizard.PressEnter();
  const std::vector<std::wstring> log = wizard.Log();
  ASSERT_FALSE(log.empty()) << "the wizard closed";
  EXPECT_EQ(log.front(), L"Извлечение QuorvaneStudio.dll не произошла.");
  EXPECT_TRUE(IsWindowVisible(wizard.Item(kLog)));
  EXPECT_TRUE(IsWindowEnabled(wizard.Item(kNext)));
  EXPECT_TRUE(wizard.Finish());
}

INSTANTIATE_TEST_SUITE_P(MakersKey, SetupEndToEnd, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& param) {
                           return param.param ? "HoldingAnotherProduct" : "Alone";
                         });

}  // namespace
}  // namespace sbx::test
