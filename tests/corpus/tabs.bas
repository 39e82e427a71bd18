Sub Табы()
	If x Then
		y = 1
	End If
  	z = 2
	Метка:
End Sub
