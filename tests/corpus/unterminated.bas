Sub Незакрытые()
s = "abc
If x = "a Then
y = 1
End If
s = "x" & "y
s = """
If s = """" Then
z = 1: s = "a:b
End If
End Sub
