// Include processing and automatic declarations against the sandbox host: the module a directive
// names, the declarations the caret's word needs, and what they cost in host calls.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "addin/addin_state.h"
#include "addin/includes.h"
#include "sandbox/host/ansi_file.h"
#include "sandbox/testing/message_box_watcher.h"
#include "tests/addin/code_pane_fixture.h"

namespace sbx::test {
namespace {

constexpr wchar_t kWin32[] =
    L"Attribute VB_Name = \"Win32\"\r\n"
    L"' Declarations for the window tools\r\n"
    L"' (shared)\r\n"
    L"Public Type RECT\r\n"
    L"    Left As Long\r\n"
    L"    Top As Long\r\n"
    L"    Right As Long\r\n"
    L"    Bottom As Long\r\n"
    L"End Type\r\n"
    L"Public Declare Function GetWindowRect Lib \"user32\" (ByVal hWnd As Long, _\r\n"
    L"    lpRect As RECT) As Long\r\n"
    L"Public Declare PtrSafe Function GetTickCount Lib \"kernel32\" () As Long\r\n";

// Each of the 51 modules costs a handful of calls; the count does not depend on their length.
constexpr long kDeclarationCalls = 370;

class IncludesInPaneTest : public CodePaneTest {
 protected:
  void SetUp() override {
    CodePaneTest::SetUp();
    folder_ = std::filesystem::temp_directory_path() / (L"qv_includes_" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::create_directories(folder_);
    WriteAnsiFile((folder_ / L"Win32.bas").wstring(), kWin32);
    WriteAnsiFile((folder_ / L"Extra.bas").wstring(), L"Attribute VB_Name = \"Extra\"\r\nPublic Const E = 1");
    qv::Tables().IncludingPaths.Add(L"");
    qv::Tables().IncludingPaths.Add(folder_.wstring() + L"\\");
  }
  void TearDown() override {
    qv::Tables().IncludingPaths.Clear();
    CodePaneTest::TearDown();
    std::filesystem::remove_all(folder_);
  }
  void Start(std::wstring_view text, HostOptions options = {}) {
    const bool vba = options.personality == Personality::kVba;
    Host& host = HostTest::Start(std::move(options));
    project_ = &host.AddProject(L"VBAProject");
    ComponentObject& module = host.AddComponent(*project_, kStdModule, L"Module1", text);
    Connect();
    host.Open(module);
    qv::State().IsVBA = vba;
    qv::State().settings.ProjectsPath = folder_.wstring();
  }
  // A pass, and the messages that close the window of a module it added.
  void Pass() {
    qv::RunIncludePass(includes_);
    host_->Pump(100);
  }
  std::wstring TextOf(const wchar_t* component) const {
    ComponentObject* found = project_->components().Find(component);
    return found ? found->text().Text() : L"(none)";
  }

  std::filesystem::path folder_;
  ProjectObject* project_ = nullptr;
  MessageBoxWatcher boxes_;
  qv::IncludeState includes_;
};

constexpr wchar_t kUser[] =
    L"'#Include <Win32.bas>\r\n"
    L"Option Explicit\r\n"
    L"\r\n"
    L"Sub A()\r\n"
    L"    x = GetWindowRect\r\n"
    L"End Sub";

TEST_F(IncludesInPaneTest, ADirectiveAddsItsModuleAndTheCaretWordItsDeclarationsOnce) {
  Start(kUser);
  Pass();
  EXPECT_TRUE(TextOf(L"Win32").starts_with(L"' Declarations for the window tools\r\n' (shared)\r\n")) << TextOf(L"Win32");
  ASSERT_EQ(1, includes_.Includes.IncludeKeys.Count());
  Select(5, 22);
  qv::AutoAPIDeclarate(includes_);
  const std::wstring declared = TextOf(L"Win32");
  EXPECT_NE(std::wstring::npos,
            declared.find(L"Public Declare Function GetWindowRect Lib \"user32\" (ByVal hWnd As Long, _\r\n"
                          L"    lpRect As RECT) As Long"))
      << declared;
  EXPECT_NE(std::wstring::npos, declared.find(L"Public Type RECT\r\n    Left As Long")) << declared;
  qv::AutoAPIDeclarate(includes_);
  EXPECT_EQ(declared, TextOf(L"Win32")) << "declared once";
  EXPECT_EQ(kUser, ModuleText());
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(IncludesInPaneTest, AWordTheIncludesLackOrACommentDeclaresNothing) {
  Start(L"'#Include <Win32.bas>\r\nOption Explicit\r\nSub A()\r\n    x = GetTickCountX ' GetTickCount\r\nEnd Sub");
  Pass();
  const std::wstring before = TextOf(L"Win32");
  for (const long column : {1L, 22L, 37L}) {
    Select(4, column);
    qv::AutoAPIDeclarate(includes_);
  }
  EXPECT_EQ(before, TextOf(L"Win32"));
}

// Project files exist only in Visual Basic 6.0; the VBA editor skips such directives and goes on.
class IncludeFileDirectiveTest : public IncludesInPaneTest, public testing::WithParamInterface<Personality> {};

TEST_P(IncludeFileDirectiveTest, AddsTheFileInVisualBasicAndIsSkippedInVba) {
  Start(L"'#Include File \"Extra.bas\"\r\n'#Include <Win32.bas>\r\nOption Explicit\r\nSub A()\r\nEnd Sub", {.personality = GetParam()});
  qv::RunIncludePass(includes_);
  qv::RunIncludePass(includes_);
  EXPECT_EQ(GetParam() == Personality::kVb6 ? L"Public Const E = 1" : L"(none)", TextOf(L"Extra")) << "added once";
  EXPECT_EQ(1, includes_.Includes.IncludeKeys.Count()) << "the pass went on to Win32";
  EXPECT_NE(L"(none)", TextOf(L"Win32"));
}

INSTANTIATE_TEST_SUITE_P(Hosts, IncludeFileDirectiveTest, testing::Values(Personality::kVb6, Personality::kVba));

// One word in a large project: each module is read whole at most once, whatever its length.
class DeclarationCallsTest : public IncludesInPaneTest, public testing::WithParamInterface<long> {};

TEST_P(DeclarationCallsTest, GrowWithTheModulesNotTheirLines) {
  const long lines = GetParam();
  std::wstring body = L"'#Include <Win32.bas>\r\nOption Explicit\r\nSub A()";
  for (long i = 0; i < lines; ++i) body += L"\r\n    y = 1";
  Start(body + L"\r\n    x = GetTickCount\r\nEnd Sub");
  for (int n = 2; n <= 50; ++n) host_->AddComponent(*project_, kStdModule, L"M" + std::to_wstring(n), body);
  Pass();
  Select(lines + 4, 21);
  host_->ResetCalls();
  qv::AutoAPIDeclarate(includes_);
  std::printf("[ one word, 50 modules of %ld lines: %ld host calls ]\n", lines + 4, host_->TotalCalls());
  EXPECT_EQ(kDeclarationCalls, host_->TotalCalls());
  EXPECT_NE(std::wstring::npos, TextOf(L"Win32").find(L"GetTickCount"));
}

INSTANTIATE_TEST_SUITE_P(Lines, DeclarationCallsTest, testing::Values(10L, 1000L));

}  // namespace
}  // namespace sbx::test
