' KVCore.dll from a script host: the helpers with by-reference parameters, caller objects
' and the error convention arriving in Err.

Class OptionButton
    Public Value
End Class

Dim m, folder, file, ext, pos, a, w, h, number, description, uUml, opts, i
Set m = CreateObject("KVCore.clsMain")
uUml = Chr(252)   ' ü (Wine's VBScript has no ChrW; the prefix's code page is 1252)

' Values are the unit tests' concern; here each parameter shape crosses the boundary once.
Check m.TrimChars("\a\b\", "\") = "a\b", "TrimChars"
folder = "old" : file = 1 : ext = Empty
m.SplitFilename "C:\x\my.prog.exe", folder, file, ext
Check folder = "C:\x\" And file = "my" And ext = "prog.exe", "SplitFilename: " & folder & "|" & file & "|" & ext
Check m.FillString(7, "0", 3, 1) = "007", "FillString of a number"
pos = 0
Check m.ExtractItem(pos, "a;b;c", ";", "", 2) = "b" And pos = 3, "ExtractItem and its start position: " & pos
Check m.IsNumber(25, 0, 20, 10) = False And m.IsNumber(15, 0, 20, 10) = True, "IsNumber in a swapped range"
Check m.Round(-2.5, 1) = -3, "Round of doubles"
Check m.Nz(Null, "x") = "x" And m.Nz(5) = 5 And m.Nz(Null) = "", "Nz"

a = Array("M" & uUml & "ller", "Mueller", "Maier")
m.Sort a, 1
Check a(2) = "Maier", "Sort descending: " & a(2)
Dim fixed(2)
fixed(0) = 3 : fixed(1) = 1 : fixed(2) = 2
m.Sort fixed
Check fixed(0) = 1 And fixed(1) = 2 And fixed(2) = 3, "Sort of a fixed-size array"
Dim grid(2, 1)
grid(0, 0) = "c" : grid(0, 1) = 1
grid(1, 0) = "a" : grid(1, 1) = 2
grid(2, 0) = "b" : grid(2, 1) = 3
m.Sort grid, 0, 0
Check grid(0, 0) = "a" And grid(0, 1) = 2 And grid(2, 0) = "c" And grid(2, 1) = 1, "Sort of rows by column 0"

' Option buttons as script objects, which resolve names only through IDispatchEx, held in
' an array object with Count and Item(i).
Set opts = CreateObject("Scripting.Dictionary")
For i = 0 To 2
    opts.Add CLng(i), New OptionButton
    opts(CLng(i)).Value = (i > 0)
Next
Check m.GetSelectedOption(opts) = 1, "GetSelectedOption: first set button"
opts(CLng(1)).Value = False
opts(CLng(2)).Value = False
Check m.GetSelectedOption(opts) = 2, "GetSelectedOption: the last index when none is set"
m.SetSelectedOption opts, 0
Check opts(CLng(0)).Value = True, "SetSelectedOption sets the button's Value"

w = 400 : h = 200
m.TransformSize w, h, 200, 200, True
Check w = 200 And h = 100, "TransformSize: " & w & "x" & h

On Error Resume Next
m.GenerateError -52002, "x", "y"
Check Err.Number = -52002 And Err.Source = "KVCore" And _
      Err.Description = "Wert ""x"" im Schl" & uUml & "ssel ""y"" der Registry nicht gefunden.", _
      "GenerateError: " & Err.Number & " " & Err.Source & " " & Err.Description
Err.Clear

m.ForwardError "KVSettings", "clsRegistry", "ReadValue", -52002, "Wert fehlt"
number = Err.Number : description = Err.Description
Err.Clear
m.ForwardError "KVRestart", "basOptions", "LoadOptions", number, description
Check Err.Number = -52002 And Err.Description = "Wert fehlt @@@ basOptions_LoadOptions --> clsRegistry_ReadValue @@@ KVRestart --> KVSettings", _
      "ForwardError chain: " & Err.Description
Err.Clear

m.CreateAPIError 2, True
Check Err.Number = 2 And Left(Err.Description, 5) = "API: ", "CreateAPIError: " & Err.Number & " " & Err.Description
Err.Clear

' Arguments a member cannot take come back as the class's errors: the script host lives on
' and reads no C++ library text. (Wine's VBScript has no Execute: one call per case.)
Sub BadCall(which)
    Select Case which
        Case 0 : m.FN 1, 1000
        Case 1 : m.FN 1E+300, 0
        Case 2 : m.FN 1, Null
        Case 3 : m.Round 1E+308, 1E-308
        Case 4 : m.FillString "x", "0", 2147483647, 1
        Case 5 : m.ForwardError "P", "M", "F", 5, "kaputt@@@"
        Case 6 : m.ExtractItem pos, "a;b", ";", Array(1)
        Case 7 : m.CommaToDot Array(1)
    End Select
End Sub
Dim expected
expected = Array(5, 6, 13, 6, 14, 5, 13, 13)
For i = 0 To UBound(expected)
    Err.Clear
    BadCall i
    Check Err.Number = expected(i) And Err.Source = "KVCore" And Len(Err.Description) > 0 And _
          InStr(Err.Description, "basic_string") = 0, "bad call " & i & ": " & Err.Number & " " & Err.Source & " " & Err.Description
Next
Err.Clear
On Error GoTo 0

Set m = Nothing
Finish
