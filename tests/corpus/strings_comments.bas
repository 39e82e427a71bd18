Option Explicit
' Комментарий: с двоеточием, 'апострофом' и "кавычками"

Public Sub Строки()
    Dim s As String
    s = "It's a ""quoted"" text: If x Then" ' комментарий: End If
    s = "ключ: значение" & ":" & "'"
    s = "" ' пустая строка
    If s = "Then" Then ' строка Then
        s = "End If"
    End If
    Rem If s = "" Then
    s = s: Rem комментарий: If x Then
    ' If закомментирован Then
    'Note: not a label
    Debug.Print "двоеточие:"; s
    '#If НеДиректива Then
    s = "'#Region ""нет"""
End Sub
