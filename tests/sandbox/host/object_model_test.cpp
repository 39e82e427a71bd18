// The object model through IDispatch by name, as the add-in calls it.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "win/files.h"
#include "sandbox/host/code_pane.h"
#include "tests/sandbox/host/host_fixture.h"

namespace sbx::test {
namespace {

// The geometry example: D = 2, A at 3..6 (body 5), B (Get) at 7..10 (body 8).
constexpr wchar_t kTwoProcedures[] =
    L"Option Explicit\r\nPrivate x As Long\r\n\r\n' does A\r\nSub A()\r\nEnd Sub\r\n\r\n"
    L"Property Get B() As Long\r\nEnd Property\r\n";

using ObjectModelTest = HostTest;

TEST_F(ObjectModelTest, TypeNamesAreTheHostsRunTimeNames) {
  StartWithModule(L"");
  EXPECT_EQ(L"VBE", TypeName(vbe()));
  EXPECT_EQ(L"CodeModule", TypeName(CodeModule().Object()));
  EXPECT_EQ(L"CodePane", TypeName(Pane().Object()));
  EXPECT_EQ(L"CommandBarPopup", TypeName(ControlOf(L"Menu Bar", 1).Object()));
  EXPECT_EQ(L"CommandBarButton", TypeName(ControlOf(L"Edit", 8).Object()));
  const Variant edit = Get(Bar(L"Edit").Object(), L"Controls");
  // A control of another type (2, an edit box) is a plain CommandBarControl.
  EXPECT_EQ(L"CommandBarControl", TypeName(Invoke(edit.Object(), L"Add", DISPATCH_METHOD, {2}).Object()));
}

TEST_F(ObjectModelTest, NamesResolveWithoutRegardToCaseAndItemIsTheDefaultMember) {
  StartWithModule(L"x");
  EXPECT_EQ(1, Path(vbe(), {L"ACTIVECODEPANE", L"codemodule", L"CountOfLines"}).Long());
  const Variant bars = Get(vbe(), L"CommandBars");
  const Variant toggle = Get(Get(Get(bars.Object(), L"item", {L"edit"}).Object(), L"controls").Object(), L"item", {8});
  EXPECT_EQ(L"F9", Get(toggle.Object(), L"ShortCutText").Text());
  // DISPID_VALUE with an argument is Item.
  const Variant components = Path(vbe(), {L"ActiveVBProject", L"VBComponents"});
  Variant index(L"module1");
  DISPPARAMS params{index.get(), nullptr, 1, 0};
  Variant result;
  ASSERT_EQ(S_OK, components.Object()->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYGET, &params, result.get(),
                                              nullptr, nullptr));
  EXPECT_EQ(L"Module1", Get(result.Object(), L"Name").Text());
}

TEST_F(ObjectModelTest, ReplaceLineWithLineBreaksReplacesOneLineBySeveral) {
  ComponentObject& module = StartWithModule(L"a\r\nb\r\nc");
  Invoke(CodeModule().Object(), L"ReplaceLine", DISPATCH_METHOD, {2, L"x\r\ny\nz"});
  EXPECT_EQ(5, Get(CodeModule().Object(), L"CountOfLines").Long());
  EXPECT_EQ(L"a\r\nx\r\ny\r\nz\r\nc", module.text().Text());
}

TEST_F(ObjectModelTest, InsertLinesAtCountPlusOneAppendsAndPastItRaises) {
  ComponentObject& module = StartWithModule(L"a\r\nb");
  Invoke(CodeModule().Object(), L"InsertLines", DISPATCH_METHOD, {3, L"c\r\nd"});
  EXPECT_EQ(L"a\r\nb\r\nc\r\nd", module.text().Text());
  ExpectVbError(9, [&] { Invoke(CodeModule().Object(), L"InsertLines", DISPATCH_METHOD, {6, L"e"}); });
  ExpectVbError(9, [&] { Invoke(CodeModule().Object(), L"ReplaceLine", DISPATCH_METHOD, {0, L"e"}); });
}

TEST_F(ObjectModelTest, OptionalArgumentsMayBeLeftOutOrPassedAsMissing) {
  ComponentObject& module = StartWithModule(L"a\r\nb\r\nc");
  Invoke(CodeModule().Object(), L"DeleteLines", DISPATCH_METHOD, {2});
  EXPECT_EQ(L"a\r\nc", module.text().Text());
  Invoke(CodeModule().Object(), L"DeleteLines", DISPATCH_METHOD, {1, Variant::Missing()});
  EXPECT_EQ(L"c", module.text().Text());
  const Variant controls = Get(Bar(L"Add-Ins").Object(), L"Controls");
  const Variant added = Invoke(controls.Object(), L"Add", DISPATCH_METHOD, {Variant::Missing(), Variant::Missing()});
  EXPECT_EQ(L"CommandBarButton", TypeName(added.Object()));
}

TEST_F(ObjectModelTest, ByValueArgumentsAreCoerced) {
  ComponentObject& module = StartWithModule(L"a\r\nb");
  // A Double from Val, a number as text, a Boolean into a Long.
  Invoke(CodeModule().Object(), L"ReplaceLine", DISPATCH_METHOD, {2.0, L"x"});
  EXPECT_EQ(L"a", Get(CodeModule().Object(), L"Lines", {L"1", 1}).Text());
  EXPECT_EQ(L"a\r\nx", module.text().Text());
  const Variant toggle = ControlOf(L"Edit", 8);
  Put(toggle.Object(), L"State", true);
  EXPECT_EQ(-1, Get(toggle.Object(), L"State").Long());
}

TEST_F(ObjectModelTest, ProcedureGeometryThroughTheObjectModel) {
  StartWithModule(kTwoProcedures);
  const Variant module = CodeModule();
  IDispatch* code = module.Object();
  EXPECT_EQ(2, Get(code, L"CountOfDeclarationLines").Long());
  long kind = -1;
  EXPECT_EQ(L"B", Get(code, L"ProcOfLine", {8, Variant::LongRef(&kind)}).Text());
  EXPECT_EQ(3, kind);
  EXPECT_EQ(L"A", Get(code, L"ProcOfLine", {4, Variant::LongRef(&kind)}).Text());
  EXPECT_EQ(0, kind);
  kind = 3;
  EXPECT_EQ(L"", Get(code, L"ProcOfLine", {2, Variant::LongRef(&kind)}).Text());
  EXPECT_EQ(0, kind);
  EXPECT_EQ(5, Get(code, L"ProcBodyLine", {L"a", 0}).Long());
  EXPECT_EQ(3, Get(code, L"ProcStartLine", {L"A", 0}).Long());
  EXPECT_EQ(4, Get(code, L"ProcCountLines", {L"A", 0}).Long());
  EXPECT_EQ(8, Get(code, L"ProcBodyLine", {L"B", 3}).Long());
  EXPECT_EQ(4, Get(code, L"ProcCountLines", {L"B", 3}).Long());
  ExpectVbError(35, [&] { Get(code, L"ProcBodyLine", {L"B", 1}); });
  ExpectVbError(35, [&] { Get(code, L"ProcBodyLine", {L"C", 0}); });
  ExpectVbError(5, [&] { Get(code, L"ProcBodyLine", {L"B", 4}); });
  ExpectVbError(9, [&] { Get(code, L"ProcOfLine", {11, Variant::LongRef(&kind)}); });
}

TEST_F(ObjectModelTest, DeclarationLinesWithoutProceduresCountCommentsButNotTrailingBlanks) {
  ComponentObject& module = StartWithModule(L"Option Explicit\r\n' note\r\n\r\n");
  EXPECT_EQ(2, Get(CodeModule().Object(), L"CountOfDeclarationLines").Long());
  module.text().DeleteLines(1, module.text().CountOfLines());
  EXPECT_EQ(0, Get(CodeModule().Object(), L"CountOfDeclarationLines").Long());
}

TEST_F(ObjectModelTest, SetSelectionClampsColumnsPastTheLineEndAndChecksLines) {
  StartWithModule(L"abc\r\nde");
  Invoke(Pane().Object(), L"SetSelection", DISPATCH_METHOD, {2, 99, 1, 0});
  long start_line = 0, start_column = 0, end_line = 0, end_column = 0;
  Invoke(Pane().Object(), L"GetSelection", DISPATCH_METHOD,
         {Variant::LongRef(&start_line), Variant::LongRef(&start_column), Variant::LongRef(&end_line),
          Variant::LongRef(&end_column)});
  EXPECT_EQ((std::vector<long>{1, 1, 2, 3}), (std::vector<long>{start_line, start_column, end_line, end_column}));
  ExpectVbError(9, [&] { Invoke(Pane().Object(), L"SetSelection", DISPATCH_METHOD, {3, 1, 3, 1}); });
}

TEST_F(ObjectModelTest, StrictSelectionSwitchRaisesForAColumnPastTheEnd) {
  StartWithModule(L"abc", {.strict_selection_columns = true});
  Invoke(Pane().Object(), L"SetSelection", DISPATCH_METHOD, {1, 4, 1, 4});
  ExpectVbError(5, [&] { Invoke(Pane().Object(), L"SetSelection", DISPATCH_METHOD, {1, 5, 1, 5}); });
}

TEST_F(ObjectModelTest, TopLinePastTheEndShowsTheLastLineAndBelowOneRaises) {
  StartWithModule(L"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10");
  Put(Pane().Object(), L"TopLine", 500);
  EXPECT_EQ(10, Get(Pane().Object(), L"TopLine").Long());
  ExpectVbError(5, [&] { Put(Pane().Object(), L"TopLine", 0); });
}

TEST_F(ObjectModelTest, APaneIsOneObjectOnEveryPath) {
  StartWithModule(L"x");
  const Variant active = Pane();
  EXPECT_TRUE(SameObject(active.Object(), Get(Get(vbe(), L"CodePanes").Object(), L"Item", {1}).Object()));
  EXPECT_TRUE(SameObject(active.Object(), Get(CodeModule().Object(), L"CodePane").Object()));
  EXPECT_TRUE(SameObject(Get(active.Object(), L"Window").Object(), Get(vbe(), L"ActiveWindow").Object()));
}

TEST_F(ObjectModelTest, CodePaneOfAModuleWithoutWindowOpensOneWithoutActivatingIt) {
  StartWithModule(L"x");
  ComponentObject& other = host_->AddComponent(*host_->state().projects.front().Get(), kStdModule, L"", L"y");
  EXPECT_EQ(L"Module2", other.name());
  const Variant before = Pane();
  const Variant pane = Get(Get(other.AsDispatch(), L"CodeModule").Object(), L"CodePane");
  EXPECT_EQ(2, Get(Get(vbe(), L"CodePanes").Object(), L"Count").Long());
  EXPECT_TRUE(SameObject(before.Object(), Pane().Object()));
  EXPECT_FALSE(SameObject(pane.Object(), Pane().Object()));
}

TEST_F(ObjectModelTest, AddingAStandardModuleNamesItAndActivatesItsWindow) {
  StartWithModule(L"x");
  const Variant components = Path(vbe(), {L"ActiveVBProject", L"VBComponents"});
  const Variant added = Invoke(components.Object(), L"Add", DISPATCH_METHOD, {1});
  EXPECT_EQ(L"Module2", Get(added.Object(), L"Name").Text());
  EXPECT_EQ(L"Module2", Path(vbe(), {L"ActiveCodePane", L"CodeModule", L"Parent", L"Name"}).Text());
  EXPECT_EQ(L"Module2", Path(vbe(), {L"SelectedVBComponent", L"Name"}).Text());
  ExpectVbError(5, [&] { Invoke(components.Object(), L"Add", DISPATCH_METHOD, {7}); });
}

TEST_F(ObjectModelTest, EnumeratingComponentsWalksASnapshotInProjectOrder) {
  StartWithModule(L"x");
  const Variant components = Path(vbe(), {L"ActiveVBProject", L"VBComponents"});
  const Variant enumerator = Get(components.Object(), L"_NewEnum");
  IEnumVARIANT* items = nullptr;
  ASSERT_EQ(S_OK, V_UNKNOWN(enumerator.get())->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&items)));
  Invoke(components.Object(), L"Add", DISPATCH_METHOD, {1});
  std::vector<std::wstring> names;
  Variant item;
  while (items->Next(1, item.get(), nullptr) == S_OK) {
    names.push_back(Get(item.Object(), L"Name").Text());
    item = Variant();
  }
  items->Release();
  EXPECT_EQ((std::vector<std::wstring>{L"ThisDocument", L"Module1"}), names);
}

TEST_F(ObjectModelTest, VbaLacksTheVb6MembersAndVb6HasThem) {
  ComponentObject& module = StartWithModule(L"Sub Foo()\r\nEnd Sub");
  const auto unknown = [](IDispatch* object, const wchar_t* member) {
    std::wstring name = member;
    LPOLESTR names[] = {name.data()};
    DISPID id = 0;
    return object->GetIDsOfNames(IID_NULL, names, 1, 0, &id) == DISP_E_UNKNOWNNAME;
  };
  EXPECT_TRUE(unknown(vbe(), L"FullName"));
  EXPECT_TRUE(unknown(module.AsDispatch(), L"FileCount"));
  EXPECT_TRUE(unknown(module.AsDispatch(), L"FileNames"));
  EXPECT_TRUE(unknown(module.AsDispatch(), L"SaveAs"));
  EXPECT_TRUE(unknown(Path(vbe(), {L"ActiveVBProject", L"VBComponents"}).Object(), L"AddFile"));
  EXPECT_TRUE(unknown(CodeModule().Object(), L"Members"));

  host_->ShutDown(0);
  ComponentObject& vb6 = StartWithModule(L"Sub Foo()\r\nEnd Sub", {.personality = Personality::kVb6});
  host_->SetFullName(L"C:\\VB98\\VB6.EXE");
  EXPECT_EQ(L"C:\\VB98\\VB6.EXE", Get(vbe(), L"FullName").Text());
  EXPECT_EQ(0, Get(vb6.AsDispatch(), L"FileCount").Long());
  vb6.SetMemberDescription(L"foo", L"Does foo");
  EXPECT_EQ(
      L"Does foo",
      Get(Get(Get(CodeModule().Object(), L"Members").Object(), L"Item", {L"Foo"}).Object(), L"Description").Text());
}

TEST_F(ObjectModelTest, Vb6SaveAsWritesTheModuleAndBecomesItsFile) {
  ComponentObject& module = StartWithModule(L"Sub Привет()\r\nEnd Sub", {.personality = Personality::kVb6});
  const std::wstring file = qv::AppPath() + L"sandbox_save_as.bas";
  Invoke(module.AsDispatch(), L"SaveAs", DISPATCH_METHOD, {file});
  EXPECT_EQ(1, Get(module.AsDispatch(), L"FileCount").Long());
  EXPECT_EQ(file, Get(module.AsDispatch(), L"FileNames", {1}).Text());
  EXPECT_EQ(1, host_->Calls(L"VBComponent", L"SaveAs"));
  std::ifstream saved(file.c_str(), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  EXPECT_EQ("Sub \xCF\xF0\xE8\xE2\xE5\xF2()\r\nEnd Sub\r\n", bytes);  // code page 1251
  saved.close();
  DeleteFileW(file.c_str());
}

TEST_F(ObjectModelTest, Vb6AddFileTakesTheCodeAfterTheHeaderAndTheTypeFromTheExtension) {
  StartWithModule(L"", {.personality = Personality::kVb6});
  const std::wstring file = qv::AppPath() + L"Helpers.bas";
  std::ofstream(file.c_str(), std::ios::binary) << "Attribute VB_Name = \"Helpers\"\r\nSub Help()\r\nEnd Sub\r\n";
  const Variant components = Path(vbe(), {L"ActiveVBProject", L"VBComponents"});
  const Variant added = Invoke(components.Object(), L"AddFile", DISPATCH_METHOD, {file});
  EXPECT_EQ(1, Get(added.Object(), L"Type").Long());
  EXPECT_EQ(L"Helpers", Get(added.Object(), L"Name").Text());
  EXPECT_EQ(file, Get(added.Object(), L"FileNames", {1}).Text());
  EXPECT_EQ(L"Sub Help()", Get(Get(added.Object(), L"CodeModule").Object(), L"Lines", {1, 1}).Text());
  const Variant related = Invoke(components.Object(), L"AddFile", DISPATCH_METHOD, {file, true});
  EXPECT_EQ(10, Get(related.Object(), L"Type").Long());
  EXPECT_EQ(0, Path(related.Object(), {L"CodeModule", L"CountOfLines"}).Long());
  DeleteFileW(file.c_str());
  try {
    Invoke(components.Object(), L"AddFile", DISPATCH_METHOD, {file});
    FAIL() << "a missing file was added";
  } catch (const CallFailure& failure) {
    EXPECT_EQ(static_cast<long>(0x800A0035), failure.scode);  // 53: file not found
  }
}

TEST_F(ObjectModelTest, ErrorsComeBackAsExceptionsWithTheVbNumber) {
  StartWithModule(L"x");
  try {
    Get(CodeModule().Object(), L"Lines", {5, 1});
    FAIL() << "no error";
  } catch (const CallFailure& failure) {
    EXPECT_EQ(DISP_E_EXCEPTION, failure.hr);
    EXPECT_EQ(static_cast<long>(0x800A0009), failure.scode);
    EXPECT_FALSE(failure.description.empty());
  }
}

TEST_F(ObjectModelTest, FaultsCountersAndRemovedMembers) {
  StartWithModule(L"a\r\nb");
  host_->ResetCalls();
  Get(CodeModule().Object(), L"Lines", {1, 1});
  Get(CodeModule().Object(), L"lines", {2, 1});
  EXPECT_EQ(2, host_->Calls(L"CodeModule", L"Lines"));
  EXPECT_EQ(2, host_->Calls(L"VBE", L"ActiveCodePane"));

  host_->InjectFault(L"CodeModule", L"CountOfLines", qv::VbError(91, L"injected"));
  ExpectVbError(91, [&] { Get(CodeModule().Object(), L"CountOfLines"); });
  host_->ClearFaults();
  EXPECT_EQ(2, Get(CodeModule().Object(), L"CountOfLines").Long());

  host_->RemoveMember(L"CodePane", L"TopLine");
  try {
    Get(Pane().Object(), L"TopLine");
    FAIL() << "no error";
  } catch (const CallFailure& failure) {
    EXPECT_EQ(DISP_E_UNKNOWNNAME, failure.hr);
  }
  host_->ResetCalls();
  EXPECT_EQ(0, host_->TotalCalls());
}

TEST_F(ObjectModelTest, VbaProjectFileNameSavedAndDocumentProperties) {
  ComponentObject& module = StartWithModule(L"x");
  const Variant active_project = Get(vbe(), L"ActiveVBProject");
  IDispatch* project = active_project.Object();
  ExpectVbError(76, [&] { Get(project, L"FileName"); });
  EXPECT_TRUE(Get(project, L"Saved").Bool());
  module.text().ReplaceLine(1, L"y");
  EXPECT_FALSE(Get(project, L"Saved").Bool());
  // The VBA editor's save command is the File menu's third control.
  const Variant file_menu = ControlOf(L"Menu Bar", 1);
  const Variant save = Get(Get(file_menu.Object(), L"Controls").Object(), L"Item", {3});
  Invoke(save.Object(), L"Execute", DISPATCH_METHOD);
  EXPECT_TRUE(Get(project, L"Saved").Bool());

  host_->state().projects.front()->SetFileName(L"C:\\Docs\\Report.docm");
  EXPECT_EQ(L"C:\\Docs\\Report.docm", Get(project, L"FileName").Text());
  const Variant document = Get(Get(project, L"VBComponents").Object(), L"Item", {1});
  EXPECT_EQ(100, Get(document.Object(), L"Type").Long());
  const Variant properties = Get(document.Object(), L"Properties");
  EXPECT_EQ(L"C:\\Docs", Get(Get(properties.Object(), L"Item", {L"Path"}).Object(), L"Value").Text());
  EXPECT_EQ(L"Report.docm", Get(Get(properties.Object(), L"Item", {L"Name"}).Object(), L"Value").Text());
}

TEST_F(ObjectModelTest, MainWindowSetFocusMakesTheFrameTheForegroundWindow) {
  StartWithModule(L"x");
  SetForegroundWindow(GetDesktopWindow());
  Invoke(Get(vbe(), L"MainWindow").Object(), L"SetFocus", DISPATCH_METHOD);
  EXPECT_EQ(host_->workspace().MainWindow(), GetForegroundWindow());
  EXPECT_EQ(12, Path(vbe(), {L"MainWindow", L"Type"}).Long());
}

TEST_F(ObjectModelTest, ActiveWindowIsTheCodeWindowATestWindowOrTheMainWindow) {
  StartWithModule(L"x");
  EXPECT_EQ(0, Path(vbe(), {L"ActiveWindow", L"Type"}).Long());
  EXPECT_EQ(L"VBAProject - Module1 (Code)", Path(vbe(), {L"ActiveWindow", L"Caption"}).Text());
  host_->SetActiveWindow(kWindowProperties, L"Properties - Form1");
  EXPECT_EQ(L"Properties - Form1", Path(vbe(), {L"ActiveWindow", L"Caption"}).Text());
  host_->FollowActiveWindow();
  host_->SelectComponent(*host_->state().projects.front()->components().Find(L"ThisDocument"));
  EXPECT_EQ(L"ThisDocument", Path(vbe(), {L"SelectedVBComponent", L"Name"}).Text());
  SendMessageW(host_->workspace().ActiveCodeWindow()->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(12, Path(vbe(), {L"ActiveWindow", L"Type"}).Long());
  EXPECT_EQ(nullptr, Get(vbe(), L"ActiveCodePane").Object());
}

}  // namespace
}  // namespace sbx::test
