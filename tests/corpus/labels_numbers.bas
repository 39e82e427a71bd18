Option Explicit

Public Function Нумерованная(ByVal a As Long) As Long
10  On Error GoTo Ошибка
20  If a > 0 Then
30      a = a - 1
40  End If
50  Нумерованная = a
60  Exit Function
Ошибка: 
70  Нумерованная = -1
End Function

Private Sub Длинные(ByVal x As Long)
1000 x = 1
1010 If x Then
1020    Do While x < 10
1030        x = x + 1
1040    Loop
1050 End If
End Sub

Public Sub Метки()
    Dim n As Long
Повтор: 
    n = n + 1
    If n < 3 Then GoTo Повтор
    ИндентированнаяМетка:
    On Error GoTo ErrorHandler
    If n > 3 Then
Retry:  n = n - 1
ErrorHandler: Resume Next
    End If
    Exit Sub
ErrorHandler2: 
    Resume Retry
End Sub
