// The keyword case the host gives a line it lists: keywords of the code only.
#include "sandbox/model/keyword_case.h"

#include <gtest/gtest.h>

#include <vector>

namespace sbx {
namespace {

struct CaseRow {
  const wchar_t* typed;
  const wchar_t* listed;
};

void ExpectCased(std::initializer_list<CaseRow> rows) {
  for (const CaseRow& row : rows) EXPECT_EQ(row.listed, CaseKeywords(row.typed)) << "typed: " << row.typed;
}

TEST(KeywordCaseTest, StatementsOperatorsConstantsAndTypesTakeTheirOwnCase) {
  ExpectCased({
      {L"end if", L"End If"},
      {L"goto skip", L"GoTo skip"},
      {L"if x then y = 1 else y = 2", L"If x Then y = 1 Else y = 2"},
      {L"elseif a and not b or c xor d then", L"ElseIf a And Not b Or c Xor d Then"},
      {L"private sub form_load()", L"Private Sub form_load()"},
      {L"public function f(byval a as long, optional byref b as string) as boolean",
       L"Public Function f(ByVal a As Long, Optional ByRef b As String) As Boolean"},
      {L"friend property get p() as variant", L"Friend Property Get p() As Variant"},
      {L"dim o as new collection, d as date, c as currency", L"Dim o As New collection, d As Date, c As Currency"},
      {L"for each item in items: next", L"For Each item In items: Next"},
      {L"for i = 1 to 10 step 2", L"For i = 1 To 10 Step 2"},
      {L"do while x < 3: loop until y", L"Do While x < 3: Loop Until y"},
      {L"select case k: case is > 1, 2 to 3", L"Select Case k: Case Is > 1, 2 To 3"},
      {L"on error resume next", L"On Error Resume Next"},
      {L"on error goto 0: gosub here: return", L"On Error GoTo 0: GoSub here: Return"},
      {L"exit sub: call go(paramarray)", L"Exit Sub: Call go(ParamArray)"},
      {L"set me.obj = nothing", L"Set Me.obj = Nothing"},
      {L"let z = true or false", L"Let z = True Or False"},
      {L"z = a mod b like \"x*\"", L"z = a Mod b Like \"x*\""},
      {L"private declare ptrsafe function f lib \"k\" alias \"g\" () as longptr",
       L"Private Declare PtrSafe Function f Lib \"k\" Alias \"g\" () As LongPtr"},
      {L"option explicit", L"Option Explicit"},
      {L"option compare binary: option base 1", L"Option Compare binary: Option Base 1"},
      {L"public type t: x as integer: y as double: end type", L"Public Type t: x As Integer: y As Double: End Type"},
      {L"enum e: end enum", L"Enum e: End Enum"},
      {L"static s as single, b as byte, o as object", L"Static s As Single, b As Byte, o As Object"},
      {L"with x: wend", L"With x: Wend"},
      {L"#if win64 then", L"#If win64 Then"},
      {L"END IF", L"End If"},
      {L"eNd iF", L"End If"},
  });
}

TEST(KeywordCaseTest, StringsCommentsAndRemAreKeptAsTyped) {
  ExpectCased({
      {L"msgbox \"end if\"", L"msgbox \"end if\""},
      {L"s = \"say \"\"if\"\" then\" & x", L"s = \"say \"\"if\"\" then\" & x"},
      {L"s = \"open string then", L"s = \"open string then"},
      {L"x = 1 ' end if here", L"x = 1 ' end if here"},
      {L"' goto end", L"' goto end"},
      {L"s = \"it's\" ' if", L"s = \"it's\" ' if"},
      {L"rem end if", L"Rem end if"},
      {L"    REM then else", L"    Rem then else"},
      {L"x = 1: rem goto", L"x = 1: Rem goto"},
      {L"10 rem end", L"10 Rem end"},
      {L"rem", L"Rem"},
  });
}

TEST(KeywordCaseTest, KeywordsInsideIdentifiersAndMemberNamesAreNot) {
  ExpectCased({
      {L"endif_flag = 1", L"endif_flag = 1"},
      {L"remark = ifx + toEnd", L"remark = ifx + toEnd"},
      {L"if_ = end_", L"if_ = end_"},
      {L"x = range.end(xlup).type", L"x = range.end(xlup).type"},
      {L"with r: .select: end with", L"With r: .select: End With"},
      {L"ifЖ = 1: Жif = 2", L"ifЖ = 1: Жif = 2"},
      {L"d$ = date$", L"d$ = Date$"},
      {L"Dim x As Long", L"Dim x As Long"},
      {L"", L""},
  });
}

struct ModuleRow {
  const char* what;
  std::vector<std::wstring> lines;
  int line;
  const wchar_t* listed;
};

TEST(KeywordCaseTest, ContinuedLinesAndContinuedComments) {
  const ModuleRow rows[] = {
      {"the first line of a statement", {L"if a _", L"    and b then"}, 1, L"If a _"},
      {"a continuation line", {L"if a _", L"    and b then"}, 2, L"    And b Then"},
      {"a comment after code goes on", {L"x = 1 ' note _", L"end if"}, 2, L"end if"},
      {"a comment over three lines", {L"' a _", L"  b _", L"  then"}, 3, L"  then"},
      {"a Rem goes on", {L"rem a _", L"goto x"}, 2, L"goto x"},
      {"a comment that does not go on", {L"' a", L"end if"}, 2, L"End If"},
      {"an empty line ends the comment", {L"' a _", L"", L"end if"}, 3, L"End If"},
      {"a quote in a string is no comment", {L"s = \"' no comment\" _", L"  & then"}, 2, L"  & Then"},
      {"code, then a comment that goes on", {L"x = 1 _", L"' c _", L"if"}, 3, L"if"},
      {"\"_\" not at the end", {L"' not continued _x", L"end if"}, 2, L"End If"},
  };
  for (const ModuleRow& row : rows) EXPECT_EQ(row.listed, CaseKeywordsOfLine(row.lines, row.line)) << row.what;
}

}  // namespace
}  // namespace sbx
