' The COM test server from a script host: registration with regsvr32, by-reference
' variables, optional and default parameters, properties, errors and For Each.
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
    value = shell.RegRead("HKLM\Software\Classes\KVComTest.clsProbe\CLSID\")
    Registered = (Err.Number = 0)
    On Error GoTo 0
End Function

Check shell.Run("regsvr32 /s """ & dll & """", 0, True) = 0, "regsvr32"
Check Registered(), "ProgID registered machine-wide"

Dim probe, text, length, a, b, colour, left, right, items, item, seen
Set probe = CreateObject("KVComTest.clsProbe")

text = "ab"
length = probe.Append(text, "cd")
Check text = "abcd", "Append writes back: " & text
Check length = 4 And VarType(length) = vbLong, "Append result"

text = 12
probe.Append text, "x"
Check text = "12x" And VarType(text) = vbString, "number variable coerced and written back"

Check probe.Append("literal", "!") = 8, "literal in a by-reference position"
Check probe.Describe() = "missing", "missing optional"
Check probe.Describe(5) = "2:5", "optional given: " & probe.Describe(5)
Check probe.Scale(3) = 6, "default parameter"
Check probe.Scale(3, 4) = 12, "default overridden"

probe.Name = "renamed"
Check probe.Name = "renamed", "property put/get"

a = "7" : b = 3
probe.Swap a, b
Check a = 3 And b = 7, "VARIANT and Long by reference"
colour = 3
probe.NextColour colour
Check colour = 1, "enumeration by reference"
left = "old" : right = Empty
probe.Split "one two", left, right
Check left = "one" And right = "two", "out parameters"

On Error Resume Next
probe.Raise -52002, "Wert fehlt"
Check Err.Number = -52002, "negative error number: " & Err.Number
Check Err.Description = "Wert fehlt", "negative error description: " & Err.Description
Check Err.Source = "KVComTest", "error source: " & Err.Source
Err.Clear
probe.Raise 53, "Datei nicht gefunden"
Check Err.Number = 53, "positive error number: " & Err.Number
Err.Clear
probe.Relay probe, -52013, "a @@@ m_f @@@ P"
Check Err.Number = -52013 And Err.Description = "a @@@ m_f @@@ P", "relayed error: " & Err.Description
Err.Clear
probe.Scale "abc"
Check Err.Number = 13, "type mismatch: " & Err.Number
Err.Clear
On Error GoTo 0

Set items = probe.Items(3)
Check items.Count = 3, "collection count"
Check items("k2") = "V2" And items.Item(3) = "V3", "collection item by key and position"
seen = ""
For Each item In items
    seen = seen & item
Next
Check seen = "V1V2V3", "For Each: " & seen
On Error Resume Next
item = items("none")
Check Err.Number = 5, "unknown key: " & Err.Number
Err.Clear
On Error GoTo 0

Set items = Nothing
Set probe = Nothing
Check shell.Run("regsvr32 /u /s """ & dll & """", 0, True) = 0, "regsvr32 /u"
Check Not Registered(), "ProgID removed"
On Error Resume Next
Set probe = CreateObject("KVComTest.clsProbe")
Check Err.Number <> 0, "CreateObject fails after unregistration"
On Error GoTo 0

If failures > 0 Then WScript.Quit 1
WScript.Quit 0
