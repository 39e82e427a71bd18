#include "win/unique_handle.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "win/files.h"

namespace qv {
namespace {

// A file opened without sharing: a second open fails for as long as the first handle is open.
UniqueFile OpenAlone(const std::wstring& path) {
  return UniqueFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool IsOpen(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != FALSE;
}

class UniqueHandleTest : public ::testing::Test {
 protected:
  void TearDown() override { DeleteFileW(path_.c_str()); }
  const std::wstring path_ = AppPath() + L"unique_handle_test.tmp";
};

TEST_F(UniqueHandleTest, AFileIsClosedWhenItsOwnerGoes) {
  {
    const UniqueFile file = OpenAlone(path_);
    ASSERT_TRUE(file.valid());
    EXPECT_FALSE(OpenAlone(path_).valid()) << "held while the owner lives";
  }
  EXPECT_TRUE(OpenAlone(path_).valid());
}

TEST_F(UniqueHandleTest, CloseReportsOnceAndLeavesNothingToClose) {
  UniqueFile file = OpenAlone(path_);
  EXPECT_TRUE(file.Close());
  EXPECT_FALSE(file.valid());
  EXPECT_TRUE(OpenAlone(path_).valid());
  EXPECT_TRUE(file.Close()) << "an empty owner closes nothing";
  EXPECT_FALSE(UniqueFile(INVALID_HANDLE_VALUE).valid());
}

TEST_F(UniqueHandleTest, AMoveHandsTheHandleOverAndAnAssignmentClosesTheOldOne) {
  UniqueFile first = OpenAlone(path_);
  UniqueFile second(std::move(first));
  EXPECT_FALSE(first.valid());
  ASSERT_TRUE(second.valid());
  UniqueObject event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  const HANDLE raw = event.get();
  UniqueObject other;
  EXPECT_FALSE(other.valid());
  other = std::move(event);
  EXPECT_EQ(raw, other.get());
  other = UniqueObject(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  EXPECT_FALSE(IsOpen(raw)) << "the event it held was closed";
  second = UniqueFile();
  EXPECT_TRUE(OpenAlone(path_).valid());
}

TEST_F(UniqueHandleTest, ReleaseGivesTheHandleUpOpen) {
  HANDLE raw = nullptr;
  {
    UniqueObject event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    raw = event.release();
    EXPECT_FALSE(event.valid());
  }
  EXPECT_TRUE(IsOpen(raw));
  CloseHandle(raw);
}

TEST_F(UniqueHandleTest, AFindHandleIsClosedWithFindClose) {
  WIN32_FIND_DATAW found{};
  HANDLE raw = nullptr;
  {
    const UniqueFind search(FindFirstFileW((AppPath() + L"*").c_str(), &found));
    ASSERT_TRUE(search.valid());
    raw = search.get();
  }
  EXPECT_FALSE(FindNextFileW(raw, &found));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
  EXPECT_FALSE(UniqueFind(FindFirstFileW((AppPath() + L"no_such_file.*").c_str(), &found)).valid());
}

}  // namespace
}  // namespace qv
