Option Explicit

Private Declare PtrSafe Function ПолучитьОкно Lib "user32" Alias "GetForegroundWindow" _
    () As LongPtr

Public Function Длинная(ByVal первый As Long, _
                        ByVal второй As Long, _
                        Optional ByVal третий As String = "x _") As Long
    Dim итог As Long
    итог = первый + _
        второй
    If итог > 0 And _
       третий <> "" Then
        итог = итог * 2
    End If
    ' комментарий, который продолжается _
      на следующей строке
    Длинная = итог
    Select Case _
        итог
        Case 1, _
             2
            итог = 0
    End Select
End Function
