Option Explicit

Private Sub UserForm_Initialize()
    Me.Caption = "Новый заказ"
    txtQuantity.Value = 1
End Sub

Private Sub cmdOK_Click()
    If Not IsNumeric(txtQuantity.Value) Then
        MsgBox "Количество должно быть числом", vbExclamation
        Exit Sub
    End If
    Me.Hide
End Sub

Private Sub cmdCancel_Click()
    Unload Me
End Sub
