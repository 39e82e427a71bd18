#include "win/files.h"

#include "tests/com_server/com_server.h"
#include "tests/win/win_test_support.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(AppPathTest, IsTheModulesFolderWithOneTrailingBackslash) {
  const std::wstring path = AppPath();
  ASSERT_GE(path.size(), 3u);
  EXPECT_EQ(L'\\', path.back());
  EXPECT_NE(L'\\', path[path.size() - 2]);
  EXPECT_TRUE(FileExists(path + L"test_com_server.dll"));
}

TEST(AppPathTest, InADrivesRootHasOneBackslash) {
  // A library of ours in the root of the system drive asks for its own folder.
  wchar_t windows[MAX_PATH] = {};
  ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 2u);
  const std::wstring root = std::wstring(windows, 2) + L"\\";
  const std::wstring copy = root + L"qv_server_root.dll";
  ASSERT_TRUE(CopyFileW((AppPath() + L"test_com_server.dll").c_str(), copy.c_str(), FALSE));
  HMODULE library = LoadLibraryW(copy.c_str());
  ASSERT_NE(nullptr, library);
  const auto serverAppPath = test::GetProc<ServerAppPathFn>(library, "ServerAppPath");
  ASSERT_NE(nullptr, serverAppPath);
  wchar_t buffer[MAX_PATH] = {};
  serverAppPath(buffer, MAX_PATH);
  FreeLibrary(library);
  DeleteFileW(copy.c_str());
  EXPECT_EQ(root, buffer);
}

TEST(FileExistsTest, OnlyReadableFilesCount) {
  EXPECT_TRUE(FileExists(AppPath() + L"test_com_server.dll"));
  EXPECT_FALSE(FileExists(AppPath() + L"no_such_file.txt"));
  EXPECT_FALSE(FileExists(AppPath()));
  EXPECT_FALSE(FileExists(AppPath().substr(0, AppPath().size() - 1)));
  EXPECT_FALSE(FileExists(L""));
  EXPECT_FALSE(FileExists(L"Z:\\no\\such\\folder\\file"));
}

}  // namespace
}  // namespace qv
