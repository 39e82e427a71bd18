#include "tests/bench/sample_module.h"

#include <cstddef>
#include <iterator>

namespace qv::bench {
namespace {

const wchar_t* const kProcedure[] = {
    L"Public Function Расчёт{n}(ByVal a As Long, _",
    L"ByVal b As String) As Long",
    L"' Считает итог по строкам: \"a\" и 'b'",
    L"Dim i As Long, j As Long, s As String",
    L"On Error GoTo ErrorHandler",
    L"For i = 1 To a",
    L"If i Mod 2 = 0 Then",
    L"s = s & \"чёт: \" & CStr(i) ' чётные",
    L"ElseIf i Mod 3 = 0 Then",
    L"s = s & \"x:y\"",
    L"Else",
    L"Select Case i",
    L"Case 1, 2",
    L"j = j + 1",
    L"Case Is > 10",
    L"With Application: j = j - 1: End With",
    L"Case Else",
    L"Do While j < i",
    L"j = j + 2",
    L"Loop",
    L"End Select",
    L"End If",
    L"Next i",
    L"While j > 0",
    L"j = j - 1",
    L"Wend",
    L"If a > b Then a = b Else b = a",
    L"Расчёт{n} = j + Len(s)",
    L"Exit Function",
    L"ErrorHandler:",
    L"MsgBox Err.Description, vbExclamation, \"Ошибка\"",
    L"End Function",
    L"",
};

// The body lines of kProcedure: from the first after the header's continuation to the one before its End line.
constexpr std::size_t kBodyStart = 2;
constexpr std::size_t kBodyEnd = std::size(kProcedure) - 2;

}  // namespace

std::wstring MakeModule(long lines) {
  std::wstring text = L"Option Explicit\r\nPrivate Const Имя As String = \"Модуль\"\r\n";
  long count = 2;
  for (long n = 0; count < lines; ++n) {
    for (const wchar_t* line : kProcedure) {
      std::wstring own(line);
      for (std::size_t at = own.find(L"{n}"); at != std::wstring::npos; at = own.find(L"{n}")) {
        own.replace(at, 3, std::to_wstring(n));
      }
      text += own;
      if (++count >= lines) break;
      text += L"\r\n";
    }
  }
  return text;
}

std::wstring MakeProcedure(long lines) {
  std::wstring text = L"Public Sub Большая()";
  for (long count = 2; count < lines; ++count) {
    text += L"\r\n";
    text += kProcedure[kBodyStart + static_cast<std::size_t>(count) % (kBodyEnd - kBodyStart)];
  }
  return text + L"\r\nEnd Sub";
}

}  // namespace qv::bench
