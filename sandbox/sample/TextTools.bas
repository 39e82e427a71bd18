Option Explicit

' Строковые помощники, общие для всех модулей проекта.

Public Function ProperCase(ByVal text As String) As String
    ProperCase = StrConv(text, vbProperCase)
End Function

Public Function PadLeft(ByVal text As String, ByVal width As Long, _
                        Optional ByVal fill As String = " ") As String
    If Len(text) >= width Then
        PadLeft = text
    Else
        PadLeft = String$(width - Len(text), fill) & text
    End If
End Function

Public Function CountWords(ByVal text As String) As Long
    Dim parts() As String
    text = Trim$(text)
    If Len(text) = 0 Then Exit Function
    parts = Split(text, " ")
    CountWords = UBound(parts) - LBound(parts) + 1
End Function
