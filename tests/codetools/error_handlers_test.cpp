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

TEST(ErrorHandlersFile, BytesAndEntries) {
  const std::string bytes = test::ReadShipped("ErrorHandlers.ini");
  EXPECT_EQ(bytes.size(), 1220u);
  EXPECT_TRUE(bytes.ends_with("App.Title(CrLf)Resume Next|1|1\r\n"));
  const std::vector<std::wstring> lines = ListLines(test::DecodeAnsi(bytes));
  const std::vector<ListEntry> entries = test::ShippedErrorHandlers();
  const wchar_t* const captions[] = {L"On Error Resume Next", L"On Error Goto ...", L"On Error Goto ... с нумерацией",
                                     L"On Error Goto ... Resume Next", L"On Error Goto ... Resume Next с нумерацией"};
  ASSERT_EQ(entries.size(), std::size(captions));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].key, captions[i]);
    EXPECT_EQ(lines[i].find(L" = "), std::max<std::size_t>(entries[i].key.size(), 30));  // padded to 30
    const ErrorHandlerTemplate handler = SplitTemplate(entries[i].value);
    EXPECT_EQ(handler.header, i == 0 ? L"On Error Resume Next" : L"On Error Goto (MemberName)_Err");
    EXPECT_EQ(handler.numbering && handler.skip_list, i == 2 || i == 4);
    EXPECT_EQ(handler.numbering || handler.skip_list, i == 2 || i == 4);
  }
  EXPECT_EQ(SplitTemplate(entries[3].value).footer, SplitTemplate(entries[1].value).footer + L"(CrLf)Resume Next");
  EXPECT_EQ(SplitTemplate(entries[4].value).footer, SplitTemplate(entries[2].value).footer + L"(CrLf)Resume Next");
}

TEST(SplitTemplate, FourFieldsAndTheirFlags) {
  // template, header, footer, numbering, skip list
  const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, bool, bool> cases[] = {
      {L"", L"", L"", false, false},
      {L"a|b", L"a", L"b", false, false},
      {L"a|b|1|1|c|d", L"a", L"b", true, true},
      {L"||1.0| 2", L"", L"", true, true},
      {L"||2|-1", L"", L"", false, true},
      {L"||01x|0x", L"", L"", true, false},
      {L"||&H1|1e999", L"", L"", true, false},
  };
  for (const auto& [text, header, footer, numbering, skip_list] : cases) {
    const ErrorHandlerTemplate t = SplitTemplate(text);
    EXPECT_EQ(std::tie(t.header, t.footer, t.numbering, t.skip_list),
              std::tuple(std::wstring(header), std::wstring(footer), numbering, skip_list))
        << testing::PrintToString(std::wstring(text));
  }
}

// A procedure between a declarations line and a neighbour with a handler of its own.
std::wstring Around(const Body& procedure) {
  Body lines = {L"Option Explicit"};
  lines.insert(lines.end(), procedure.begin(), procedure.end());
  for (const wchar_t* line :
       {L"", L"' Other", L"Sub Other()", L"    On Error GoTo Other_Err", L"    Exit Sub", L"Other_Err:", L"End Sub"}) {
    lines.emplace_back(line);
  }
  return Lines(lines);
}

TEST(AddErrorHandler, EveryShippedTemplateIntoEveryKindOfProcedure) {
  const std::vector<ListEntry> shipped = test::ShippedErrorHandlers();
  // header lines, End line, name, kind, kind word
  const std::tuple<Body, const wchar_t*, std::wstring, long, std::wstring> kinds[] = {
      {{L"Sub Run()"}, L"End Sub", L"Run", 0, L"Sub"},
      {{L"Private Function Total(ByVal a As Long, _", L"  b As Long) As Long"},
       L"End Function",
       L"Total",
       0,
       L"Function"},
      {{L"Public Property Get Name() As String"}, L"End Property", L"Name", 3, L"Property"},
  };
  for (const auto& [header, end, name, kind, word] : kinds) {
    const auto procedure = [&](const Body& body) {
      Body lines = header;
      lines.insert(lines.end(), body.begin(), body.end());
      lines.emplace_back(end);
      return Around(lines);
    };
    const std::wstring on_error = L"    On Error Goto " + name + L"_Err";
    const std::wstring message = L"           \"в Проект1.Модуль1." + name;
    const Body footer = {L"    Exit " + word, L"    " + name + L"_Err:", L"    MsgBox Err.Description & vbCrLf & _",
                         message + L"\", _", L"           vbExclamation + vbOKOnly, App.Title"};
    const Body numbered = {L"    Exit " + word,
                           L"    " + name + L"_Err:",
                           L"20  MsgBox Err.Description & vbCrLf & _",
                           message + L" \" & _",
                           L"           \"в строке \" & Erl, _",
                           L"           vbExclamation + vbOKOnly, App.Title"};
    std::vector<Body> expected = {{L"    On Error Resume Next", L"    Dim a", L"    a = 1"},
                                  {on_error, L"    Dim a", L"    a = 1"},
                                  {on_error, L"    Dim a", L"10  a = 1"},
                                  {on_error, L"    Dim a", L"    a = 1"},
                                  {on_error, L"    Dim a", L"10  a = 1"}};
    for (std::size_t t = 1; t < expected.size(); ++t) {
      const Body& tail = t == 2 || t == 4 ? numbered : footer;
      expected[t].insert(expected[t].end(), tail.begin(), tail.end());
      if (t >= 3) expected[t].emplace_back(L"    Resume Next");
    }
    const std::wstring before = procedure({L"    Dim a", L"    a = 1"});
    for (std::size_t t = 0; t < shipped.size(); ++t) {
      SCOPED_TRACE(testing::Message() << testing::PrintToString(word) << " " << t + 1);
      const std::wstring after = test::InsertHandler(before, name, shipped[t].value, kind);
      EXPECT_EQ(after, procedure(expected[t]));
      EXPECT_EQ(test::InsertHandler(after, name, shipped[t].value, kind), after) << "inserted twice, it is there once";
      if (!SplitTemplate(shipped[t].value).numbering) {
        EXPECT_EQ(test::DeleteHandler(after, name, kind), before);
      }
    }
  }
}

TEST(AddErrorHandler, AnotherTemplateReplacesTheHandler) {
  const std::vector<ListEntry> shipped = test::ShippedErrorHandlers();
  const std::wstring before = Around({L"Sub Run()", L"    If x Then", L"        Exit Sub", L"    End If", L"End Sub"});
  for (const ListEntry& first : shipped) {
    // A numbering template leaves the body numbered, whatever follows.
    if (SplitTemplate(first.value).numbering) continue;
    const std::wstring once = test::InsertHandler(before, L"Run", first.value);
    for (const ListEntry& second : shipped) {
      EXPECT_EQ(test::InsertHandler(once, L"Run", second.value), test::InsertHandler(before, L"Run", second.value))
          << testing::PrintToString(first.key) << " then " << testing::PrintToString(second.key);
    }
  }
}

TEST(ErrorHandlerEdits, WhatTheRemovalFindsAndWhatItLeaves) {
  const std::wstring go_to = L"On Error Goto (MemberName)_Err|Exit (MemberType)(CrLf)(MemberName)_Err:(CrLf)Beep|0|0";
  // procedure before, template (empty: the delete command), procedure after
  const std::tuple<Body, std::wstring, Body> cases[] = {
      // A one-line On Error under Dim lines is replaced in place; the old footer goes.
      {{L"Sub A()", L"    Dim a", L"    Dim b", L"    On Error GoTo Old", L"    a = 1", L"    Exit Sub", L"Old:",
        L"    MsgBox \"old\"", L"End Sub"},
       go_to,
       {L"Sub A()", L"    Dim a", L"    Dim b", L"    On Error Goto A_Err", L"    a = 1", L"    Exit Sub",
        L"    A_Err:", L"    Beep", L"End Sub"}},
      // A continued one is deleted, and the header becomes the first body line.
      {{L"Sub A()", L"    Dim a", L"    On Error GoTo _", L"        Old", L"    a = 1", L"End Sub"},
       L"On Error Resume Next||0|0",
       {L"Sub A()", L"    On Error Resume Next", L"    Dim a", L"    a = 1", L"End Sub"}},
      {{L"Sub A()", L"    On Error Resume Next", L"    a = 1", L"End Sub"},
       L"||0|0",
       {L"Sub A()", L"    a = 1", L"End Sub"}},
      // Without On Error GoTo there is no footer: the user's Exit and label stay.
      {{L"Sub A()", L"    On Error Resume Next", L"    Exit Sub", L"Done:", L"    b = 2", L"End Sub"},
       L"",
       {L"Sub A()", L"    Exit Sub", L"Done:", L"    b = 2", L"End Sub"}},
      // The user's Cleanup tail is no footer: its label is not the one the header jumps to.
      {{L"Sub A()", L"    On Error GoTo Oops", L"Oops:", L"    Beep", L"    Exit Sub", L"Cleanup:", L"    Close #1",
        L"End Sub"},
       L"",
       {L"Sub A()", L"Oops:", L"    Beep", L"    Exit Sub", L"Cleanup:", L"    Close #1", L"End Sub"}},
      // The label is the next line of code below the Exit, whatever its case; comments and blanks may stand between.
      {{L"Sub A()", L"    On Error GoTo A_Err", L"    Exit Sub", L"    x = 1", L"A_Err:", L"    Exit Sub", L"",
        L"    ' handler", L"A_ERR:  ' it", L"    Beep", L"End Sub"},
       L"",
       {L"Sub A()", L"    Exit Sub", L"    x = 1", L"A_Err:", L"End Sub"}},
      // A handler holding a block is not taken apart.
      {{L"Sub A()", L"    On Error GoTo A_Err", L"    Exit Sub", L"A_Err:", L"    If Err Then Beep", L"    End If",
        L"End Sub"},
       L"",
       {L"Sub A()", L"    Exit Sub", L"A_Err:", L"    If Err Then Beep", L"    End If", L"End Sub"}},
      // Only its own kind word starts a footer.
      {{L"Function F()", L"    On Error GoTo F_Err", L"    Exit Sub", L"F_Err:", L"    Beep", L"End Function"},
       L"",
       {L"Function F()", L"    Exit Sub", L"F_Err:", L"    Beep", L"End Function"}},
      {{L"Function F()", L"    On Error GoTo F_Err", L"    Exit Function", L"F_Err:", L"    Beep", L"End Function"},
       L"",
       {L"Function F()", L"End Function"}},
      // The user's: a statement or a label beside On Error, an On Error below a statement.
      {{L"Sub A()", L"    On Error Resume Next: Beep", L"Top: On Error Resume Next", L"End Sub"},
       L"",
       {L"Sub A()", L"    On Error Resume Next: Beep", L"Top: On Error Resume Next", L"End Sub"}},
      {{L"Sub A()", L"    ' note", L"Start:", L"    Dim a", L"    a = 1", L"    On Error GoTo X", L"End Sub"},
       L"",
       {L"Sub A()", L"    ' note", L"Start:", L"    Dim a", L"    a = 1", L"    On Error GoTo X", L"End Sub"}},
      // Without an End line no footer goes in.
      {{L"Sub A()", L"    a = 1", L"Sub B()", L"End Sub"},
       go_to,
       {L"Sub A()", L"    On Error Goto A_Err", L"    a = 1", L"Sub B()", L"End Sub"}},
      // No body line of its own: nothing goes into the procedure below.
      {{L"Sub A(): End Sub"}, go_to, {L"Sub A(): End Sub"}},
      {{L"Function F() As Long: F = 1: End Function"},
       L"On Error Resume Next||0|0",
       {L"Function F() As Long: F = 1: End Function"}},
      // A statement on the End line stays on the normal path: no footer goes above it, and a footer
      // ending on it is not taken apart.
      {{L"Sub A()", L"    a = 1", L"    Close #1: End Sub"},
       go_to,
       {L"Sub A()", L"    a = 1", L"    Close #1: End Sub"}},
      {{L"Sub A()", L"    Close #1: End Sub"},
       L"On Error Resume Next||0|0",
       {L"Sub A()", L"    On Error Resume Next", L"    Close #1: End Sub"}},
      // The End line is never taken for a handler's On Error, whatever stands before its End.
      {{L"Sub A()", L"On Error End Sub"},
       go_to,
       {L"Sub A()", L"    On Error Goto A_Err", L"    Exit Sub", L"    A_Err:", L"    Beep", L"On Error End Sub"}},
      {{L"Sub A()", L"    On Error GoTo A_Err", L"    a = 1", L"    Exit Sub", L"A_Err:", L"    Close #1: End Sub"},
       L"",
       {L"Sub A()", L"    a = 1", L"    Exit Sub", L"A_Err:", L"    Close #1: End Sub"}},
  };
  for (const auto& [before, Template, after] : cases) {
    SCOPED_TRACE(testing::PrintToString(before));
    const std::wstring text = Around(before);
    const std::wstring name = before[0].starts_with(L"Sub") ? L"A" : L"F";
    EXPECT_EQ(Template.empty() ? test::DeleteHandler(text, name) : test::InsertHandler(text, name, Template),
              Around(after));
  }
}

TEST(ErrorHandlerEdits, AProcedureWithoutABodyLineAtTheModulesEndTakesNoHandler) {
  for (const wchar_t* module : {L"Sub G( _", L"Sub G(): End Sub\r\n' after it", L"Sub G( _\r\n  a) _"}) {
    for (const ListEntry& entry : test::ShippedErrorHandlers()) {
      EXPECT_EQ(test::InsertHandler(module, L"G", entry.value), module)
          << testing::PrintToString(std::wstring(module)) << " " << testing::PrintToString(entry.key);
    }
  }
}

TEST(ErrorHandlerEdits, AShortProcedureAfterOneWithCommentsAboveItsHeaderStays) {
  // The host counts Long's comments to it: a search bounded by Long's header line plus that count
  // would reach into Short's handler.
  const std::wstring head = Lines({L"' Long: one", L"' two", L"' three", L"' four", L"' five", L"Sub Long()"});
  const std::wstring tail = Lines({L"End Sub", L"Sub Short()", L"    On Error GoTo Short_Err", L"    Exit Sub",
                                   L"Short_Err:", L"    Beep", L"End Sub"});
  const std::wstring module = head + L"\r\n    On Error GoTo Long_Err\r\n    x = 1\r\n" + tail;
  EXPECT_EQ(test::DeleteHandler(module, L"Long"), head + L"\r\n    x = 1\r\n" + tail);
  for (const ListEntry& entry : test::ShippedErrorHandlers()) {
    const std::wstring after = test::InsertHandler(module, L"Long", entry.value);
    EXPECT_TRUE(after.starts_with(head + L"\r\n") && after.ends_with(L"\r\n" + tail))
        << testing::PrintToString(entry.key);
  }
}

}  // namespace
}  // namespace qv
