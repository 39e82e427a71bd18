Option Explicit

Public Sub ОдноСтрочные(ByVal x As Long)
    Dim y As Long, z As Long: y = 0: z = 0
    If x > 0 Then y = 1 Else z = 2
    If x > 1 Then y = 2
    If x > 2 Then y = 3 Else If x > 3 Then z = 4
    With Me: If x > 3 Then
            y = 4
        End If
    End With
    Select Case x
        Case 1: y = 2
        Case 2: If z = 0 Then
                z = 1
            End If
        Case Else: y = 0
    End Select
    If y = 0 Then
        z = 1
    Else: If z = 1 Then y = 1
    End If
    If y = 0 Then
        z = 1
    Else: If z = 1 Then
            y = 1
        End If
    End If
    For x = 1 To 3: y = y + x: Next x
    Do: x = x + 1: Loop While x < 10
    If Проверить(Значение:=1) Then
        MsgBox Prompt:="да", Buttons:=vbOKOnly
    End If
    For x = 1 To 2
        For y = 1 To 2
            z = z + x * y
    Next y, x
    z = 0
End Sub

Private Function Проверить(Optional ByVal Значение As Long) As Boolean
    Проверить = Значение <> 0: Exit Function
End Function
