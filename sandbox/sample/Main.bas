Option Explicit

' Точка входа отчёта: собирает заказы за месяц и выводит итоги.
Private Const REPORT_TITLE As String = "Итоги за месяц"
Private mTotal As Currency

Public Sub BuildMonthlyReport(ByVal monthStart As Date)
    Dim customer As Customer
    Dim orders As Collection
    Dim i As Long

    Set orders = LoadOrders(monthStart, DateAdd("m", 1, monthStart))
    mTotal = 0
    For i = 1 To orders.Count
        Set customer = orders(i)
        If customer.IsActive Then
            mTotal = mTotal + customer.Balance
        End If
    Next i
    Debug.Print REPORT_TITLE & ": " & Format$(mTotal, "#,##0.00")
End Sub

' Заказы, поступившие в интервале [fromDate, toDate).
Private Function LoadOrders(ByVal fromDate As Date, ByVal toDate As Date) As Collection
    Dim result As New Collection
    Dim customer As Customer

    Set customer = New Customer
    customer.Name = TextTools.ProperCase("ООО ""ромашка""")
    customer.Balance = 1250.5
    result.Add customer, customer.Name
    Set LoadOrders = result
End Function

'#region Итоги
Public Property Get Total() As Currency
    Total = mTotal
End Property
'#End Region

Public Sub ShowOrderForm()
    OrderForm.Show vbModal
End Sub
