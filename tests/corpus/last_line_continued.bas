Option Explicit
Sub ’вост()
If x Then
y = 1 + _
2
End If
End Sub
' последн€€ строка _
