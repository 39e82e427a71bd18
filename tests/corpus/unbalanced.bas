End If
Next
Sub Лишние()
x = 1
End If
Next i, j
Loop
Wend
End Select
Case 5
Else
End With
End Sub
    End Sub
End Function
#End If
'#End Region
ElseIf x Then
y = 2
