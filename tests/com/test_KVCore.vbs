' KVCore.dll from a script host: registration, the helpers with by-reference parameters
' and the error convention arriving in Err.
Option Explicit

Dim shell, dll, failures
Set shell = CreateObject("WScript.Shell")
dll = WScript.Arguments(0)
failures = 0

Sub Check(condition, what)
    If Not condition Then
        WScript.Echo "FAILED: " & what
        failures = failures + 1
    End If
End Sub

Function Registered()
    Dim value
    On Error Resume Next
    value = shell.RegRead("HKLM\Software\Classes\KVCore.clsMain\CLSID\")
    Registered = (Err.Number = 0)
    On Error GoTo 0
End Function

Check shell.Run("regsvr32 /s """ & dll & """", 0, True) = 0, "regsvr32"
Check Registered(), "ProgID registered machine-wide"

Class OptionButton
    Public Value
End Class

Class OptionButtons
    Public Buttons
    Public Property Get Count()
        Count = UBound(Buttons) + 1
    End Property
    Public Function Item(index)
        Set Item = Buttons(index)
    End Function
End Class

Function NewButton(value)
    Dim button
    Set button = New OptionButton
    button.Value = value
    Set NewButton = button
End Function

Dim m, folder, file, ext, pos, a, b, w, h, number, description, uUml, opts
Set m = CreateObject("KVCore.clsMain")
uUml = Chr(252)   ' ü (Wine's VBScript has no ChrW; the prefix's code page is 1252)

Check m.TrimChars("\a\b\", "\") = "a\b", "TrimChars"
Check m.TrimChars("\\\", "\") = "", "TrimChars of removable characters only"
Check m.DirAddBackslash("") = "\" And m.DirRemoveBackslash("C:\x\") = "C:\x", "DirAdd/RemoveBackslash"

folder = "old" : file = 1 : ext = Empty
m.SplitFilename "C:\x\my.prog.exe", folder, file, ext
Check folder = "C:\x\" And file = "my" And ext = "prog.exe", "SplitFilename: " & folder & "|" & file & "|" & ext

Check m.FillString(7, "0", 3, 1) = "007", "FillString before"
Check m.FillString("7", "0", 3, 2) = "700", "FillString after"
Check m.FillString("1234", "0", 3, 1) = "1234", "FillString of a longer text"

pos = 0
Check m.ExtractItem(pos, "a;b;c", ";", "", 2) = "b", "ExtractItem column 2"
Check pos = 3, "ExtractItem start position: " & pos
pos = 0
Check m.ExtractItem(pos, "a;b;c", ";", "", 5) = "" And pos = 0, "ExtractItem not found"

Check m.CountItemsInList("a;b;c", ";") = 3 And m.CountItemsInList("", ";") = 0, "CountItemsInList"

Check m.IsNumber(25, 0, 20, 10) = False, "IsNumber outside swapped range"
Check m.IsNumber(15, 0, 20, 10) = True, "IsNumber inside swapped range"
Check m.IsNumber("12a") = False And m.IsNumber(Null) = False And m.IsNumber("") = False, "IsNumber of non-numbers"

Check m.Round(2.5, 1) = 3 And m.Round(-2.5, 1) = -3, "Round halves away from zero"
Check Abs(m.Round(1.234, 0.01) - 1.23) < 0.0000001, "Round to 0.01"

Check m.Nz(Null, "x") = "x" And m.Nz(5) = 5 And m.Nz(Null) = "", "Nz"

a = Array("M" & uUml & "ller", "Mueller", "Maier")
m.Sort a
Check a(0) = "Maier", "Sort puts Maier first: " & a(0)
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

' An option-button array as a script builds it: Count, Item(i) and buttons with a Value.
' Script class objects resolve names only through IDispatchEx.
Set opts = New OptionButtons
opts.Buttons = Array(NewButton(False), NewButton(True), NewButton(True))
Check m.GetSelectedOption(opts) = 1, "GetSelectedOption: first set button"
opts.Item(1).Value = False
opts.Item(2).Value = False
Check m.GetSelectedOption(opts) = 2, "GetSelectedOption: the last index when none is set"
m.SetSelectedOption opts, 0
Check opts.Item(0).Value = True, "SetSelectedOption sets the button's Value"
Check m.GetSelectedOption(opts) = 0, "GetSelectedOption after SetSelectedOption"

w = 400 : h = 200
m.TransformSize w, h, 200, 200, True
Check w = 200 And h = 100, "TransformSize: " & w & "x" & h

On Error Resume Next
m.GenerateError -52002, "x", "y"
Check Err.Number = -52002, "GenerateError number: " & Err.Number
Check Err.Description = "Wert ""x"" im Schl" & uUml & "ssel ""y"" der Registry nicht gefunden.", _
      "GenerateError message: " & Err.Description
Check Err.Source = "KVCore", "error source: " & Err.Source
Err.Clear

m.GenerateError -52001, Null
Check Err.Description = "Schl" & uUml & "ssel """" in der Registry nicht gefunden.", "Null parameter: " & Err.Description
Err.Clear

m.ForwardError "KVSettings", "clsRegistry", "ReadValue", -52002, "Wert fehlt"
number = Err.Number : description = Err.Description
Err.Clear
m.ForwardError "KVRestart", "basOptions", "LoadOptions", number, description
Check Err.Number = -52002, "ForwardError number: " & Err.Number
Check Err.Description = "Wert fehlt @@@ basOptions_LoadOptions --> clsRegistry_ReadValue @@@ KVRestart --> KVSettings", _
      "ForwardError chain: " & Err.Description
Err.Clear

m.CreateAPIError 2, True
Check Err.Number = 2 And Left(Err.Description, 5) = "API: ", "CreateAPIError: " & Err.Number & " " & Err.Description
Err.Clear
m.CreateAPIError 2, False
Check Err.Number = 0, "CreateAPIError without condition"

m.Sort "text"
Check Err.Number = 13 And Err.Description = "Only array allowed @@@ clsMain_Sort @@@ KVCore", _
      "Sort of a non-array: " & Err.Description
Err.Clear
On Error GoTo 0

Set m = Nothing
Check shell.Run("regsvr32 /u /s """ & dll & """", 0, True) = 0, "regsvr32 /u"
Check Not Registered(), "ProgID removed"
On Error Resume Next
Set m = CreateObject("KVCore.clsMain")
Check Err.Number <> 0, "CreateObject fails after unregistration"
On Error GoTo 0

If failures > 0 Then WScript.Quit 1
WScript.Quit 0
