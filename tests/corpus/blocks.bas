Option Explicit

'#Region "Типы и перечисления"
    Private Type ТочкаНаПлоскости
        X As Double
        Y As Double
    End Type
    
    Public Enum Цвет
        Красный = 1
        Зелёный = 2
    End Enum
    
    Friend Enum Пусто
    End Enum
'#End Region

#If ОТЛАДКА Then
    Private Const Режим As String = "отладка"
#ElseIf ТРАССИРОВКА Then
    Private Const Режим As String = "трассировка"
#Else
    Private Const Режим As String = "работа"
#End If

Public Sub ВсеБлоки(ByVal n As Long)
    Dim i As Long, j As Long
    #If ОТЛАДКА Then
        Debug.Print "вход: "; n
    #End If
    If n > 0 Then
        For i = 1 To n
            For j = 1 To i
                Select Case (i + j) Mod 3
                    Case 0
                        Do While j < 0
                            j = j + 1
                        Loop
                    Case 1, 2
                        
                        Do
                            j = j - 1
                        Loop Until j < 0
                    Case Else
                        While False
                            Debug.Print j
                        Wend
                End Select
            Next j
        Next i
    ElseIf n < 0 Then
        With ActiveSheet
            With .Range("A1")
                .Value = n
            End With
        End With
    Else
        Do Until n > 10
            n = n + 1
        Loop
    End If
    For Each ячейка In Selection
        '#Region "Внутри цикла"
            ячейка.Value = Empty
        '#End Region
    Next
End Sub

Private Static Function Счётчик() As Long
    Dim k As Long
    k = k + 1
    Счётчик = k
End Function

Public Property Get Имя() As String
    Имя = "Блоки"
End Property

Friend Static Property Let Значение(ByVal v As Variant)
    If IsEmpty(v) Then
        Exit Property
    End If
End Property

Private Sub Class_Terminate()
End Sub
