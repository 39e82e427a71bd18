Sub Сырые()
10 x = 1
20  If x Then
30    y = 2
40 End If
    50 z = 3
  Метка:   w = 4
Метка2:x = 5
Me.x: y = 6
Else: z = 7
:
Loop:
1e3 q = 1
&H10 q = 2
'TODO: не метка
  '#Region "отступ"
'#End Region
End Sub
