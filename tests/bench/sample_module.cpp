#include "tests/bench/sample_module.h"

namespace qv::bench {

std::wstring MakeModule(long lines) {
  static const wchar_t* const kProcedure[] = {
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

}  // namespace qv::bench
