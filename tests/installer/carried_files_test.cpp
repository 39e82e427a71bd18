// What the built setup program carries, and the platform's file, registry and process actions on
// Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "installer/windows_platform.h"
#include "sandbox/testing/registry_fixture.h"
#include "tests/dialogs/temp_folder.h"
#include "tests/installer/setup_folder.h"
#include "win/files.h"
#include "win/registry.h"

namespace qv {
namespace {

std::string ReadBytes(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::wstring Wide(const char* text) { return std::wstring(text, text + std::char_traits<char>::length(text)); }

// Where each carried file comes from in the build.
std::wstring Source(const CarriedFile& file) {
  const std::wstring name = file.name;
  if (name == L"QuorvaneOffice64.dll") return Wide(QV_OFFICE64_DLL);
  if (name == L"Quorvane.chm") return Wide(QV_HELP_FILE);
  if (name.ends_with(L".dll")) return AppPath() + name;
  return Wide(QV_CONFIG_DIR) + L"/" + name;
}

class SetupProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW((test::SetupProgramFolder() + L"QuorvaneSetup.exe").c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override { FreeLibrary(module_); }
  HMODULE module_ = nullptr;
};

TEST_F(SetupProgram, CarriesEveryFileAndWritesItByteForByte) {
  test::TempFolder folder;
  WindowsSetupPlatform platform(nullptr, module_);
  for (const CarriedFile& file : kCarriedFiles) {
    SCOPED_TRACE(std::string(file.name, file.name + wcslen(file.name)));
    const std::string expected = ReadBytes(Source(file));
    ASSERT_GT(expected.size(), 60u);
    EXPECT_EQ(platform.Resource(file), expected);
    // Over a longer, read-only old file: nothing of it may be left.
    const std::wstring target = folder.File(file.name);
    ASSERT_TRUE(platform.WriteBytes(target, std::string(expected.size() + 100, 'x')));
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(platform.WriteBytes(target, *platform.Resource(file)));
    EXPECT_EQ(ReadBytes(target), expected);
  }
  EXPECT_EQ(platform.Resource({L"x", L"QUORVANE", 999}), std::nullopt);
}

TEST_F(SetupProgram, ManifestAsksForCommonControlsSixAndNoElevation) {
  const HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(found, nullptr);
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module_, found))),
                             SizeofResource(module_, found));
  for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                           "processorArchitecture=\"x86\" publicKeyToken=\"6595b64144ccf1df\"",
                           "<requestedExecutionLevel level=\"asInvoker\""}) {
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  }
}

// Not carried but copied from beside the setup program: the hosts' sections, none listing a language.
TEST(SetupFolder, LanguagesIniBesideTheProgramListsNoLanguage) {
  const std::wstring path = test::SetupProgramFolder() + L"Languages.ini";
  EXPECT_EQ(ReadBytes(path), ReadBytes(Wide(QV_CONFIG_DIR) + L"/Languages.ini"));
  wchar_t names[64] = {};
  const DWORD length = GetPrivateProfileSectionNamesW(names, 64, path.c_str());
  EXPECT_EQ(std::wstring(names, length), std::wstring(L"VB6\0VBE6\0VBE7\0", 14));
  for (const wchar_t* section : {L"VB6", L"VBE6", L"VBE7"}) {
    wchar_t lines[64] = {};
    EXPECT_EQ(GetPrivateProfileSectionW(section, lines, 64, path.c_str()), 0u);
  }
  WindowsSetupPlatform platform(nullptr, nullptr);
  EXPECT_NE(GetFileAttributesW((test::SetupProgramFolder() + L"Languages").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(platform.ListFiles(test::SetupProgramFolder() + L"Languages"), std::vector<std::wstring>{});
}

TEST(WindowsSetupPlatform, CopiesListsAndDeletes) {
  test::TempFolder folder;
  WindowsSetupPlatform platform(nullptr, nullptr);
  const std::wstring source = folder.File(L"a.dll");
  ASSERT_TRUE(platform.WriteBytes(source, "abc"));
  SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_READONLY);  // as from a CD
  platform.CreateFolder(folder.File(L"x\\y"));
  ASSERT_TRUE(platform.CopyTo(source, folder.File(L"x\\y\\b.dll")));
  EXPECT_EQ(GetFileAttributesW(folder.File(L"x\\y\\b.dll").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_FALSE(platform.CopyTo(folder.File(L"missing"), folder.File(L"x\\c.dll")));
  EXPECT_EQ(platform.ListFiles(folder.File(L"x\\y")), std::vector<std::wstring>{L"b.dll"});
  EXPECT_EQ(platform.ListFiles(folder.File(L"x")), std::vector<std::wstring>{});  // folders are not listed
  platform.RemoveFolder(folder.File(L"x\\y"));                                    // not empty: stays
  EXPECT_TRUE(platform.DeleteAt(folder.File(L"x\\y\\b.dll")));
  EXPECT_FALSE(platform.DeleteAt(folder.File(L"x\\y\\b.dll")));
  platform.RemoveFolder(folder.File(L"x\\y"));
  EXPECT_EQ(GetFileAttributesW(folder.File(L"x\\y").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(WindowsSetupPlatform, DeletesOnlyKeysWithoutSubkeysAndRecordsTheFolder) {
  const sbx::RegistryFixture registry;
  RegDeleteTreeW(HKEY_CURRENT_USER, kMakerKey);
  WindowsSetupPlatform platform(nullptr, nullptr);
  using Deletion = SetupPlatform::KeyDeletion;
  EXPECT_EQ(platform.DeleteKey(kProductKey, L"VB"), Deletion::kMissing);
  platform.RecordFolder(L"C:\\Q\\Quorvane");
  EXPECT_EQ(RecordedFolder(), L"C:\\Q\\Quorvane");
  EXPECT_EQ(platform.RecordedFiles(), std::nullopt);
  for (const std::vector<std::wstring>& names :
       {std::vector<std::wstring>{L"QuorvaneOffice.dll", L"Languages\\Русский.dll"}, std::vector<std::wstring>{}}) {
    platform.RecordFiles(names);
    EXPECT_EQ(platform.RecordedFiles(), names);
  }
  SetRegValue(HKEY_CURRENT_USER, std::wstring(kProductKey) + L"\\VB", L"x", L"1");
  EXPECT_EQ(platform.DeleteKey(kMakerKey, L"Quorvane"), Deletion::kHasSubkeys);
  EXPECT_EQ(platform.DeleteKey(kProductKey, L"VB"), Deletion::kDeleted);
  EXPECT_EQ(platform.DeleteKey(kMakerKey, L"Quorvane"), Deletion::kDeleted);
  EXPECT_EQ(RecordedFolder(), L"");
  EXPECT_EQ(platform.RecordedFiles(), std::nullopt);
  SetRegValue(HKEY_CURRENT_USER, kProductKey, L"Path", L"  D:\\Apps\\Quorvane\\ ");  // as typed
  EXPECT_EQ(RecordedFolder(), L"D:\\Apps\\Quorvane");
}

TEST(WindowsSetupPlatform, WaitsForTheProcessWithinTheTimeOut) {
  WindowsSetupPlatform platform(nullptr, nullptr);
  const std::wstring cmd = JoinPath(platform.SystemFolder(), L"cmd.exe");
  EXPECT_EQ(platform.RunAndWait(cmd, L"cmd /c exit 3", 60000), 3ul);
  EXPECT_EQ(platform.RunAndWait(cmd, L"cmd /c exit 0", 60000), 0ul);
  EXPECT_EQ(platform.RunAndWait(AppPath() + L"missing.exe", L"missing.exe", 60000), std::nullopt);
  // This program, staying a while: the wait ends at the time-out.
  const std::wstring self = ModuleFileName(nullptr);
  const DWORD start = GetTickCount();
  EXPECT_EQ(platform.RunAndWait(self, L"x --gtest_also_run_disabled_tests --gtest_filter=*DISABLED_StaysAWhile", 300),
            std::nullopt);
  EXPECT_LT(GetTickCount() - start, 10000u);
  EXPECT_NE(platform.NativeSystemFolder(), L"");  // a 32-bit program on 64-bit Windows
}

TEST(WindowsSetupPlatform, DISABLED_StaysAWhile) { Sleep(15000); }

}  // namespace
}  // namespace qv
