#include "codetools/error_handlers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/codetools/format_properties.h"
#include "tests/codetools/procedures.h"
#include "tests/codetools/test_support.h"

namespace qv {
namespace {

using test::Lines;
using Body = std::vector<std::wstring>;

const std::vector<std::wstring> kCaptions = {L"On Error Resume Next", L"On Error Goto ...",
                                             L"On Error Goto ... с нумерацией", L"On Error Goto ... Resume Next",
                                             L"On Error Goto ... Resume Next с нумерацией"};

TEST(ErrorHandlersFile, BytesAndEntries) {
  const std::string bytes = test::ReadShipped("ErrorHandlers.ini");
  EXPECT_EQ(bytes.size(), 1220u);
  EXPECT_TRUE(bytes.ends_with("App.Title(CrLf)Resume Next|1|1\r\n"));
  const std::vector<ListEntry> entries = test::ShippedErrorHandlers();
  ASSERT_EQ(entries.size(), kCaptions.size());
  std::vector<ErrorHandlerTemplate> templates;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].key, kCaptions[i]);
    templates.push_back(SplitTemplate(entries[i].value));
    EXPECT_EQ(templates[i].numbering, i == 2 || i == 4);
    EXPECT_EQ(templates[i].skip_list, i == 2 || i == 4);
  }
  EXPECT_EQ(templates[0].header, L"On Error Resume Next");
  EXPECT_EQ(templates[0].footer, L"");
  for (std::size_t i = 1; i < templates.size(); ++i) EXPECT_EQ(templates[i].header, L"On Error Goto (MemberName)_Err");
  EXPECT_TRUE(templates[1].footer.starts_with(L"Exit (MemberType)(CrLf)(MemberName)_Err:(CrLf)MsgBox Err"));
  EXPECT_EQ(templates[3].footer, templates[1].footer + L"(CrLf)Resume Next");
  EXPECT_EQ(templates[4].footer, templates[2].footer + L"(CrLf)Resume Next");
  // Each caption padded to 30 characters, then " = ".
  const std::vector<std::wstring> lines = ListLines(test::DecodeAnsi(bytes));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].find(L" = "), std::max<std::size_t>(kCaptions[i].size(), 30)) << i;
  }
}

TEST(SplitTemplate, FourFieldsAndTheirFlags) {
  struct Case {
    const wchar_t* text;
    ErrorHandlerTemplate expected;
  };
  const Case cases[] = {
      {L"", {}},
      {L"On Error Resume Next||0|0", {L"On Error Resume Next", L"", false, false}},
      {L"a|b", {L"a", L"b", false, false}},
      {L"a|b|1|1|extra|more", {L"a", L"b", true, true}},
      {L"||1.0| 2", {L"", L"", true, true}},
      {L"||2|-1", {L"", L"", false, true}},
      {L"||01x|0x", {L"", L"", true, false}},
      {L"||&H1|1e999", {L"", L"", true, false}},
  };
  for (const Case& c : cases) {
    const ErrorHandlerTemplate t = SplitTemplate(c.text);
    EXPECT_EQ(t.header, c.expected.header) << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(t.footer, c.expected.footer);
    EXPECT_EQ(t.numbering, c.expected.numbering);
    EXPECT_EQ(t.skip_list, c.expected.skip_list);
  }
}

// A procedure of each kind between a declarations line and a neighbour with a handler of its own.
struct Kind {
  const wchar_t* header;
  const wchar_t* end;
  const wchar_t* name;
  long kind;
  const wchar_t* word;
};
const Kind kKinds[] = {
    {L"Sub Run()", L"End Sub", L"Run", 0, L"Sub"},
    {L"Private Function Total(ByVal a As Long, _", L"End Function", L"Total", 0, L"Function"},
    {L"Public Property Get Name() As String", L"End Property", L"Name", 3, L"Property"},
};
const Body kNeighbour = {L"",
                         L"' Other",
                         L"Sub Other()",
                         L"    On Error GoTo Other_Err",
                         L"    Exit Sub",
                         L"Other_Err:",
                         L"    MsgBox \"other\"",
                         L"End Sub"};

std::wstring ModuleOf(const Kind& kind, const Body& body) {
  Body lines = {L"Option Explicit", kind.header};
  if (kind.word == std::wstring(L"Function")) lines.push_back(L"        ByVal b As Long) As Long");
  lines.insert(lines.end(), body.begin(), body.end());
  lines.push_back(kind.end);
  lines.insert(lines.end(), kNeighbour.begin(), kNeighbour.end());
  return Lines(lines);
}

// The footer the shipped templates give, with or without the line number reported.
Body Footer(const Kind& kind, bool numbered, bool resume) {
  const std::wstring name = kind.name;
  Body footer = {L"    Exit " + std::wstring(kind.word), L"    " + name + L"_Err:"};
  if (numbered) {
    footer.insert(footer.end(),
                  {L"20  MsgBox Err.Description & vbCrLf & _", L"           \"в Проект1.Модуль1." + name + L" \" & _",
                   L"           \"в строке \" & Erl, _", L"           vbExclamation + vbOKOnly, App.Title"});
  } else {
    footer.insert(footer.end(),
                  {L"    MsgBox Err.Description & vbCrLf & _", L"           \"в Проект1.Модуль1." + name + L"\", _",
                   L"           vbExclamation + vbOKOnly, App.Title"});
  }
  if (resume) footer.push_back(L"    Resume Next");
  return footer;
}

TEST(AddErrorHandler, EveryShippedTemplateIntoEveryKindOfProcedure) {
  const std::vector<ListEntry> shipped = test::ShippedErrorHandlers();
  ASSERT_EQ(shipped.size(), 5u);
  const Body body = {L"    Dim a As Long", L"    a = 1"};
  for (const Kind& kind : kKinds) {
    const std::wstring name = kind.name;
    const std::wstring header = L"    On Error Goto " + name + L"_Err";
    const std::wstring numbered_a = L"10  a = 1";
    std::vector<Body> expected = {
        {L"    On Error Resume Next", body[0], body[1]},
        {header, body[0], body[1]},
        {header, body[0], numbered_a},
        {header, body[0], body[1]},
        {header, body[0], numbered_a},
    };
    for (std::size_t t = 1; t < expected.size(); ++t) {
      const Body footer = Footer(kind, t == 2 || t == 4, t >= 3);
      expected[t].insert(expected[t].end(), footer.begin(), footer.end());
    }
    const std::wstring before = ModuleOf(kind, body);
    for (std::size_t t = 0; t < shipped.size(); ++t) {
      SCOPED_TRACE(testing::Message() << kind.word << " " << t + 1);
      const std::wstring after = test::InsertHandler(before, kind.name, shipped[t].value, kind.kind);
      EXPECT_EQ(after, ModuleOf(kind, expected[t]));
      // Inserted twice, it is there once.
      EXPECT_EQ(test::InsertHandler(after, kind.name, shipped[t].value, kind.kind), after);
      if (!SplitTemplate(shipped[t].value).numbering) {
        EXPECT_EQ(test::DeleteHandler(after, kind.name, kind.kind), before);
      }
    }
  }
}

TEST(AddErrorHandler, AnotherTemplateReplacesTheHandler) {
  const std::vector<ListEntry> shipped = test::ShippedErrorHandlers();
  const std::wstring before = ModuleOf(kKinds[0], {L"    x = 1", L"    If x Then", L"        Exit Sub", L"    End If"});
  for (const ListEntry& first : shipped) {
    // A numbering template leaves the body numbered; the second template's numbers are then its own.
    if (SplitTemplate(first.value).numbering) continue;
    const std::wstring once = test::InsertHandler(before, L"Run", first.value);
    for (const ListEntry& second : shipped) {
      SCOPED_TRACE(testing::Message() << testing::PrintToString(first.key) << " then "
                                      << testing::PrintToString(second.key));
      EXPECT_EQ(test::InsertHandler(once, L"Run", second.value), test::InsertHandler(before, L"Run", second.value));
    }
  }
}

TEST(ErrorHandlerEdits, WhatTheRemovalFindsAndLeaves) {
  const std::wstring go_to = L"On Error Goto (MemberName)_Err|Exit (MemberType)(CrLf)(MemberName)_Err:(CrLf)Beep|0|0";
  struct Case {
    const char* what;
    Body module;
    const wchar_t* procedure;
    std::wstring Template;  // empty: the delete command
    Body expected;
  };
  const Case cases[] = {
      {"a one-line On Error under Dim lines is replaced in place; the old footer goes",
       {L"Sub A()", L"    Dim a As Long", L"    Dim b As Long", L"    On Error GoTo Old_Err", L"    a = 1",
        L"    Exit Sub", L"Old_Err:", L"    MsgBox \"old\"", L"End Sub"},
       L"A",
       go_to,
       {L"Sub A()", L"    Dim a As Long", L"    Dim b As Long", L"    On Error Goto A_Err", L"    a = 1",
        L"    Exit Sub", L"    A_Err:", L"    Beep", L"End Sub"}},
      {"a continued On Error is deleted; the header becomes the first body line",
       {L"Sub A()", L"    Dim a As Long", L"    On Error GoTo _", L"        Old_Err", L"    a = 1", L"End Sub"},
       L"A",
       L"On Error Resume Next||0|0",
       {L"Sub A()", L"    On Error Resume Next", L"    Dim a As Long", L"    a = 1", L"End Sub"}},
      {"an empty header deletes the old one-line statement",
       {L"Sub A()", L"    On Error Resume Next", L"    a = 1", L"End Sub"},
       L"A",
       L"||0|0",
       {L"Sub A()", L"    a = 1", L"End Sub"}},
      {"On Error Resume Next has no footer: the user's Exit and label stay",
       {L"Sub A()", L"    On Error Resume Next", L"    a = 1", L"    Exit Sub", L"Done:", L"    b = 2", L"End Sub"},
       L"A",
       L"",
       {L"Sub A()", L"    a = 1", L"    Exit Sub", L"Done:", L"    b = 2", L"End Sub"}},
      {"a user's Cleanup tail is no footer: its label is not the one the header jumps to",
       {L"Sub A()", L"    On Error GoTo Oops", L"    Open f For Input As #1", L"Oops:", L"    Beep", L"    Exit Sub",
        L"Cleanup:", L"    Close #1", L"End Sub"},
       L"A",
       L"",
       {L"Sub A()", L"    Open f For Input As #1", L"Oops:", L"    Beep", L"    Exit Sub", L"Cleanup:", L"    Close #1",
        L"End Sub"}},
      {"the label must be the next line of code below the Exit; comments and blanks may stand between",
       {L"Sub A()", L"    On Error GoTo A_Err", L"    Exit Sub", L"    x = 1", L"A_Err:", L"    Exit Sub", L"",
        L"    ' handler", L"A_ERR:  ' it", L"    Beep", L"End Sub"},
       L"A",
       L"",
       {L"Sub A()", L"    Exit Sub", L"    x = 1", L"A_Err:", L"End Sub"}},
      {"a handler holding a block is not taken apart",
       {L"Sub A()", L"    On Error GoTo A_Err", L"    Exit Sub", L"A_Err:", L"    If Err Then", L"        Beep",
        L"    End If", L"End Sub"},
       L"A",
       L"",
       {L"Sub A()", L"    Exit Sub", L"A_Err:", L"    If Err Then", L"        Beep", L"    End If", L"End Sub"}},
      {"in a Function, Exit Sub starts no footer",
       {L"Function F() As Long", L"    On Error GoTo F_Err", L"    Exit Sub", L"F_Err:", L"    Beep", L"End Function"},
       L"F",
       L"",
       {L"Function F() As Long", L"    Exit Sub", L"F_Err:", L"    Beep", L"End Function"}},
      {"in a Function, Exit Function does",
       {L"Function F() As Long", L"    On Error GoTo F_Err", L"    Exit Function", L"F_Err:", L"    Beep",
        L"End Function"},
       L"F",
       L"",
       {L"Function F() As Long", L"End Function"}},
      {"an On Error that shares its line with another statement or a label is the user's",
       {L"Sub A()", L"    On Error Resume Next: Beep", L"Top: On Error Resume Next", L"End Sub"},
       L"A",
       L"",
       {L"Sub A()", L"    On Error Resume Next: Beep", L"Top: On Error Resume Next", L"End Sub"}},
      {"an On Error below the first statement other than Dim is not the handler's",
       {L"Sub A()", L"    ' note", L"", L"Start:", L"    Dim a", L"    a = 1", L"    On Error GoTo A_Err", L"End Sub"},
       L"A",
       L"",
       {L"Sub A()", L"    ' note", L"", L"Start:", L"    Dim a", L"    a = 1", L"    On Error GoTo A_Err", L"End Sub"}},
      {"without an End line no footer goes in",
       {L"Sub A()", L"    a = 1", L"Sub B()", L"End Sub"},
       L"A",
       go_to,
       {L"Sub A()", L"    On Error Goto A_Err", L"    a = 1", L"Sub B()", L"End Sub"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::wstring text = Lines(c.module);
    const std::wstring after = c.Template.empty() ? test::DeleteHandler(text, c.procedure)
                                                  : test::InsertHandler(text, c.procedure, c.Template);
    EXPECT_EQ(after, Lines(c.expected));
  }
}

TEST(ErrorHandlerEdits, NeighboursStayByteIdentical) {
  // Short follows a procedure with many comment lines above its header: a search bounded by the
  // header's line plus the host's count would reach into Short's handler.
  const std::wstring module = Lines({
      L"Option Explicit",
      L"' Long: one",
      L"' two",
      L"' three",
      L"' four",
      L"' five",
      L"' six",
      L"Sub Long()",
      L"    On Error GoTo Long_Err",
      L"    x = 1",
      L"End Sub",
      L"Sub Short()",
      L"    On Error GoTo Short_Err",
      L"    Exit Sub",
      L"Short_Err:",
      L"    Beep",
      L"End Sub",
  });
  const std::wstring head =
      Lines({L"Option Explicit", L"' Long: one", L"' two", L"' three", L"' four", L"' five", L"' six", L"Sub Long()"});
  const std::wstring tail = Lines({L"End Sub", L"Sub Short()", L"    On Error GoTo Short_Err", L"    Exit Sub",
                                   L"Short_Err:", L"    Beep", L"End Sub"});
  EXPECT_EQ(test::DeleteHandler(module, L"Long"), head + L"\r\n    x = 1\r\n" + tail);
  for (const ListEntry& entry : test::ShippedErrorHandlers()) {
    const std::wstring after = test::InsertHandler(module, L"Long", entry.value);
    EXPECT_TRUE(after.starts_with(head + L"\r\n")) << testing::PrintToString(entry.key);
    EXPECT_TRUE(after.ends_with(L"\r\n" + tail)) << testing::PrintToString(entry.key);
  }
}

TEST(ErrorHandlerEdits, PlacedFromTheTopOrFromTheEndInTheOrderOfTheSteps) {
  const ModuleText module =
      test::WithProcedures(Lines({L"Sub A()", L"    Dim a", L"    On Error GoTo _", L"      A_Err", L"    Exit Sub",
                                  L"A_Err:", L"    Beep", L"End Sub", L""}));
  test::ModuleTemplateHost names(module);
  const std::vector<HandlerEdit> edits = PlanErrorHandler(module, test::Procedure(module, L"A"), L"Sub",
                                                          SplitTemplate(L"On Error GoTo X|X:|0|0"), 2, names);
  struct Expected {
    HandlerEdit::Kind kind;
    bool from_end;
    long offset;
    long count;
    const wchar_t* text;
  };
  // The old statement, the old footer (the trailing blank line is the procedure's too), the
  // header, the footer.
  const Expected expected[] = {
      {HandlerEdit::kDelete, false, 1, 2, L""},
      {HandlerEdit::kDelete, true, 4, 3, L""},
      {HandlerEdit::kInsert, false, 0, 0, L"  On Error GoTo X"},
      {HandlerEdit::kInsert, true, 1, 0, L"  X:"},
  };
  ASSERT_EQ(edits.size(), std::size(expected));
  for (std::size_t i = 0; i < edits.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(edits[i].kind, expected[i].kind);
    EXPECT_EQ(edits[i].from_end, expected[i].from_end);
    EXPECT_EQ(edits[i].offset, expected[i].offset);
    EXPECT_EQ(edits[i].count, expected[i].count);
    EXPECT_EQ(edits[i].text, expected[i].text);
  }
}

}  // namespace
}  // namespace qv
