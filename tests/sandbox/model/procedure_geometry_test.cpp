// Where the host says procedures start and end.
#include "sandbox/model/procedure_geometry.h"

#include <gtest/gtest.h>

#include <sstream>

namespace sbx {
namespace {

std::vector<std::wstring> Module(std::initializer_list<const wchar_t*> lines) { return {lines.begin(), lines.end()}; }

// name, kind, start, body, count, as text for readable failures.
std::string Describe(const ProcedureGeometry& geometry) {
  std::ostringstream out;
  out << "D=" << geometry.declaration_lines;
  for (const Procedure& p : geometry.procedures) {
    out << " " << std::string(p.name.begin(), p.name.end()) << "/" << p.kind << ":" << p.start_line << ","
        << p.body_line << "," << p.count_lines;
  }
  return out.str();
}

const auto kWorkedExample = Module({
    L"Option Explicit",           // 1
    L"Private x As Long",         // 2
    L"",                          // 3
    L"' does A",                  // 4
    L"Sub A()",                   // 5
    L"End Sub",                   // 6
    L"",                          // 7
    L"Property Get B() As Long",  // 8
    L"End Property",              // 9
    L"",                          // 10
});

TEST(ProcedureGeometryTest, WorkedExample) {
  const ProcedureGeometry geometry = ComputeGeometry(kWorkedExample);
  EXPECT_EQ("D=2 A/0:3,5,4 B/3:7,8,4", Describe(geometry));
  const wchar_t* expected[] = {L"", L"", L"A", L"A", L"A", L"A", L"B", L"B", L"B", L"B"};
  for (int line = 1; line <= 10; ++line) {
    const Procedure* p = geometry.OfLine(line);
    EXPECT_EQ(expected[line - 1], p ? p->name : L"") << "line " << line;
  }
  EXPECT_EQ(nullptr, geometry.OfLine(11));
}

TEST(ProcedureGeometryTest, WorkedExampleWithoutTrailingLinesInTheLastProcedure) {
  const ProcedureGeometry geometry = ComputeGeometry(kWorkedExample, false);
  EXPECT_EQ("D=2 A/0:3,5,4 B/3:7,8,3", Describe(geometry));
  EXPECT_EQ(nullptr, geometry.OfLine(10));
  EXPECT_NE(nullptr, geometry.OfLine(9));
}

TEST(ProcedureGeometryTest, EveryHeaderFormAndKind) {
  const ProcedureGeometry geometry = ComputeGeometry(Module({
      L"Sub Plain()",                                   // 1
      L"End Sub",                                       // 2
      L"Public Function F(ByVal a As Long) As Long",    // 3
      L"End Function",                                  // 4
      L"Private Static Sub Counter",                    // 5
      L"End Sub",                                       // 6
      L"Friend Property Let Value(ByVal v As Long)",    // 7
      L"End Property",                                  // 8
      L"public property set Value(ByVal o As Object)",  // 9
      L"end property",                                  // 10
      L"Static Property Get Value() As Long",           // 11
      L"  End   Property   ' trailing comment",         // 12
  }));
  EXPECT_EQ("D=0 Plain/0:1,1,2 F/0:3,3,2 Counter/0:5,5,2 Value/1:7,7,2 Value/2:9,9,2 Value/3:11,11,2",
            Describe(geometry));
  ASSERT_NE(nullptr, geometry.Find(L"VALUE", kProcSet));
  EXPECT_EQ(9, geometry.Find(L"VALUE", kProcSet)->body_line);
  EXPECT_EQ(nullptr, geometry.Find(L"Plain", kProcGet));
  EXPECT_EQ(nullptr, geometry.Find(L"Missing", kProcSubFunction));
  EXPECT_EQ(L"End Function", geometry.Find(L"f", kProcSubFunction)->end_statement);
  EXPECT_EQ(L"End Property", geometry.Find(L"value", kProcLet)->end_statement);
}

TEST(ProcedureGeometryTest, CommentAndBlankLinesAboveAHeaderBelongToIt) {
  const ProcedureGeometry geometry = ComputeGeometry(Module({
      L"Dim a",          // 1
      L"' about a",      // 2
      L"",               // 3
      L"Sub A()",        // 4
      L"End Sub",        // 5
      L"",               // 6
      L"Rem about B",    // 7
      L"' continued _",  // 8  a comment goes on in the next line
      L"Sub Hidden()",   // 9
      L"Function B()",   // 10
      L"End Function",   // 11
  }));
  EXPECT_EQ("D=1 A/0:2,4,4 B/0:6,10,6", Describe(geometry));
}

TEST(ProcedureGeometryTest, DeclarationLinesWithAndWithoutASection) {
  EXPECT_EQ(0, ComputeGeometry(Module({L"Sub A()", L"End Sub"})).declaration_lines);
  EXPECT_EQ(0, ComputeGeometry(Module({L"' only comments", L"", L"Sub A()", L"End Sub"})).declaration_lines);
  EXPECT_EQ(0, ComputeGeometry({}).declaration_lines);
  EXPECT_EQ(0, ComputeGeometry(Module({L"", L"   "})).declaration_lines);
  // Without procedures comments count, trailing blanks do not.
  EXPECT_EQ(2, ComputeGeometry(Module({L"Option Explicit", L"' end", L"", L"  "})).declaration_lines);
  // The last line of a continued declaration.
  EXPECT_EQ(3, ComputeGeometry(Module({L"Const C = 1 ' c", L"Declare Sub Beep Lib \"k\" _", L"  ()", L"' x", L"Sub A()",
                                       L"End Sub"}))
                   .declaration_lines);
}

TEST(ProcedureGeometryTest, DeclareLinesAreDeclarations) {
  const ProcedureGeometry geometry = ComputeGeometry(Module({
      L"Private Declare Function GetTickCount Lib \"kernel32\" () As Long",
      L"Public Declare Sub Sleep Lib \"kernel32\" (ByVal ms As Long)",
      L"Sub A()",
      L"End Sub",
  }));
  EXPECT_EQ("D=2 A/0:3,3,2", Describe(geometry));
}

TEST(ProcedureGeometryTest, HeadersAndEndLinesAreReadAsTheHostReadsStatements) {
  const ProcedureGeometry geometry = ComputeGeometry(Module({
      L"x = \"Sub NotOne()\"",              // 1  a string, not a header
      L"' Sub Commented()",                 // 2
      L"10 Sub Numbered(a, _",              // 3  line number, continued header
      L"    b)",                            // 4
      L"  Debug.Print \"End Sub\": y = 1",  // 5  "End Sub" inside a string
      L"20 End Sub",                        // 6
      L"Sub_Other = 1",                     // 7  not the keyword Sub
      L"Sub NoEnd()",                       // 8  no End line: ends before the next header
      L"' above Last",                      // 9
      L"Sub Last(): End Sub",               // 10 header and End on one line: no later End line
      L"End Function",                      // 11
  }));
  EXPECT_EQ("D=1 Numbered/0:2,3,5 NoEnd/0:7,8,3 Last/0:10,10,2", Describe(geometry));
  EXPECT_EQ(6, geometry.procedures[0].end_line);
  EXPECT_EQ(0, geometry.procedures[1].end_line);
  EXPECT_EQ(11, geometry.procedures[2].end_line);
}

TEST(ProcedureGeometryTest, AHeaderWithoutEndLineRunsToTheModulesEnd) {
  const ProcedureGeometry geometry = ComputeGeometry(Module({L"Sub A()", L"  x = 1", L""}), false);
  EXPECT_EQ("D=0 A/0:1,1,3", Describe(geometry));
}

}  // namespace
}  // namespace sbx
