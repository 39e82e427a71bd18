// The sample project on disk as each host keeps a project: the object model names the real files,
// an edit leaves the project unsaved, and the host's save command writes the files back.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sandbox/sample/sample_project.h"
#include "tests/sandbox/host/host_fixture.h"
#include "win/ansi_file.h"

namespace sbx::test {
namespace {

namespace fs = std::filesystem;

class SampleOnDiskTest : public HostTest, public ::testing::WithParamInterface<Personality> {
 protected:
  void TearDown() override {
    HostTest::TearDown();
    fs::remove_all(folder_);
  }
  bool IsVba() const { return GetParam() == Personality::kVba; }
  std::wstring File(const wchar_t* name) const { return folder_ + L"\\" + name; }

  const std::wstring folder_ =
      (fs::temp_directory_path() / (L"qv_sample_" + std::to_wstring(GetCurrentProcessId()))).wstring();
};

TEST_P(SampleOnDiskTest, TheObjectModelNamesItsFilesAndTheSaveCommandWritesThemBack) {
  OpenSampleProject(Start({.personality = GetParam()}), folder_);
  const Variant project = Get(vbe(), L"ActiveVBProject");
  const Variant components = Get(project.Object(), L"VBComponents");
  std::vector<std::wstring> named{Get(project.Object(), L"FileName").Text()};
  std::vector<std::wstring> expected{File(L"Sample.xls")};
  if (IsVba()) {
    const Variant properties = Get(Get(components.Object(), L"Item", {1L}).Object(), L"Properties");
    EXPECT_EQ(folder_, Get(Get(properties.Object(), L"Item", {L"Path"}).Object(), L"Value").Text());
    EXPECT_EQ(L"Sample.xls", Get(Get(properties.Object(), L"Item", {L"Name"}).Object(), L"Value").Text());
  } else {
    expected = {File(L"Sample.vbp"), File(L"Main.bas"), File(L"TextTools.bas"), File(L"Customer.cls"),
                File(L"OrderForm.frm")};
    for (long i = 1; i <= Get(components.Object(), L"Count").Long(); ++i) {
      const Variant component = Get(components.Object(), L"Item", {i});
      EXPECT_EQ(1, Get(component.Object(), L"FileCount").Long());
      named.push_back(Get(component.Object(), L"FileNames", {1L}).Text());
    }
    EXPECT_EQ(
        L"Type=Exe\r\nModule=Main; Main.bas\r\nModule=TextTools; TextTools.bas\r\nClass=Customer; Customer.cls\r\n"
        L"Form=OrderForm.frm\r\nName=\"Sample\"\r\nMajorVer=1\r\nMinorVer=0\r\nRevisionVer=0\r\n",
        qv::ReadAnsiFile(File(L"Sample.vbp")));
  }
  EXPECT_EQ(expected, named);
  for (const std::wstring& file : expected) EXPECT_TRUE(fs::exists(file)) << testing::PrintToString(file);

  // Main, the active module, edited: unsaved until the File menu's save command runs.
  const std::wstring main_file = IsVba() ? File(L"Sample.xls") : File(L"Main.bas");
  const std::wstring edited = L"Attribute VB_Name = \"Main\"\r\n' правка\r\nOption Explicit\r\n";
  EXPECT_TRUE(Get(project.Object(), L"Saved").Bool());
  Invoke(CodeModule().Object(), L"InsertLines", DISPATCH_METHOD, {1L, L"' правка"});
  EXPECT_FALSE(Get(project.Object(), L"Saved").Bool());
  EXPECT_EQ(std::wstring::npos, qv::ReadAnsiFile(main_file).value_or(L"").find(edited));
  const Variant file_menu = ControlOf(L"Menu Bar", 1);
  Invoke(Get(Get(file_menu.Object(), L"Controls").Object(), L"Item", {IsVba() ? 3L : 5L}).Object(), L"Execute",
         DISPATCH_METHOD);
  EXPECT_TRUE(Get(project.Object(), L"Saved").Bool());
  EXPECT_NE(std::wstring::npos, qv::ReadAnsiFile(main_file).value_or(L"").find(edited));
}

INSTANTIATE_TEST_SUITE_P(Hosts, SampleOnDiskTest, ::testing::Values(Personality::kVba, Personality::kVb6),
                         [](const auto& test) { return test.param == Personality::kVba ? "Vba" : "Vb6"; });

}  // namespace
}  // namespace sbx::test
