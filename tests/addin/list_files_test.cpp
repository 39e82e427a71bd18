// The list files beside the library: created when missing, read in the ANSI code page.
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "win/ansi_file.h"
#include "tests/addin/addin_fixture.h"

namespace sbx::test {
namespace {

const wchar_t* const kListFiles[] = {L"AutoInserts.ini", L"SyntaxColors.ini", L"IncludingPaths.ini"};

using ListFilesTest = AddinTest;

TEST_P(ListFilesTest, MissingListFilesAreCreatedEmptyWhenTheLibraryLoads) {
  ASSERT_EQ(nullptr, Loaded());
  for (const wchar_t* name : kListFiles) std::filesystem::remove(std::filesystem::path(qv::AppPath() + name));
  StartHost();
  ASSERT_TRUE(Connect());
  for (const wchar_t* name : kListFiles) {
    const std::filesystem::path file(qv::AppPath() + name);
    ASSERT_TRUE(std::filesystem::exists(file)) << file;
    EXPECT_EQ(0u, std::filesystem::file_size(file)) << file;
  }
}

INSTANTIATE_TEST_SUITE_P(Libraries, ListFilesTest, ::testing::ValuesIn(OneLibrary()), LibraryName);

TEST(AnsiFileTest, ReadsTheSystemCodePageAndCreatesOnlyWhatIsMissing) {
  const std::wstring path = qv::AppPath() + L"ansi_file_test.ini";
  std::ofstream(std::filesystem::path(path), std::ios::binary) << "\xEF\xF0\xE8\xE2\xE5\xF2 = 1\r\n";
  EXPECT_TRUE(qv::CreateIfMissing(path));  // an existing file stays as it is
  EXPECT_EQ(L"привет = 1\r\n", qv::ReadAnsiFile(path));
  std::filesystem::remove(std::filesystem::path(path));
  EXPECT_FALSE(qv::ReadAnsiFile(path));
  EXPECT_TRUE(qv::CreateIfMissing(path));
  EXPECT_EQ(L"", qv::ReadAnsiFile(path));
  std::filesystem::remove(std::filesystem::path(path));
  EXPECT_FALSE(qv::CreateIfMissing(qv::AppPath() + L"no such folder\\x.ini"));
}

}  // namespace
}  // namespace sbx::test
