Sub Глубоко()
If a0 Then
x0 = 0
For i1 = 1 To 2
x1 = 1
Do While b2
x2 = 2
With c3
x3 = 3
Select Case d4
Case 4
x4 = 4
While e5
x5 = 5
#If f6 Then
x6 = 6
Do
x7 = 7
If a8 Then
x8 = 8
For i9 = 1 To 2
x9 = 9
Do While b10
x10 = 10
With c11
x11 = 11
Select Case d12
Case 12
x12 = 12
While e13
x13 = 13
#If f14 Then
x14 = 14
Do
x15 = 15
If a16 Then
x16 = 16
For i17 = 1 To 2
x17 = 17
Do While b18
x18 = 18
With c19
x19 = 19
Select Case d20
Case 20
x20 = 20
While e21
x21 = 21
#If f22 Then
x22 = 22
Do
x23 = 23
If a24 Then
x24 = 24
For i25 = 1 To 2
x25 = 25
Do While b26
x26 = 26
With c27
x27 = 27
Select Case d28
Case 28
x28 = 28
While e29
x29 = 29
#If f30 Then
x30 = 30
Do
x31 = 31
If a32 Then
x32 = 32
For i33 = 1 To 2
x33 = 33
Do While b34
x34 = 34
With c35
x35 = 35
Select Case d36
Case 36
x36 = 36
While e37
x37 = 37
#If f38 Then
x38 = 38
Do
x39 = 39
If a40 Then
x40 = 40
For i41 = 1 To 2
x41 = 41
Do While b42
x42 = 42
With c43
x43 = 43
Select Case d44
Case 44
x44 = 44
While e45
x45 = 45
#If f46 Then
x46 = 46
Do
x47 = 47
If a48 Then
x48 = 48
For i49 = 1 To 2
x49 = 49
Next i49
End If
Loop Until g47
#End If
Wend
End Select
End With
Loop
Next i41
End If
Loop Until g39
#End If
Wend
End Select
End With
Loop
Next i33
End If
Loop Until g31
#End If
Wend
End Select
End With
Loop
Next i25
End If
Loop Until g23
#End If
Wend
End Select
End With
Loop
Next i17
End If
Loop Until g15
#End If
Wend
End Select
End With
Loop
Next i9
End If
Loop Until g7
#End If
Wend
End Select
End With
Loop
Next i1
End If
End Sub
