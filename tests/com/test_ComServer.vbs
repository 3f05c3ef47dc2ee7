' The COM test server from a script host: registration with regsvr32, by-reference
' variables, optional and default parameters, properties, errors and For Each.

Function Registered()
    Dim value
    On Error Resume Next
    value = shell.RegRead("HKLM\Software\Classes\KVComTest.clsProbe\CLSID\")
    Registered = (Err.Number = 0)
    On Error GoTo 0
End Function

Check Registered(), "ProgID registered machine-wide"

Dim probe, text, length, five, a, b, colour, left, right, items, item, seen
Set probe = CreateObject("KVComTest.clsProbe")

text = "ab"
length = probe.Append(text, "cd")
Check text = "abcd" And length = 4 And VarType(length) = vbLong, "Append: " & text & " " & length
text = 12
probe.Append text, "x"
Check text = "12x" And VarType(text) = vbString, "number variable coerced and written back"
Check probe.Append("literal", "!") = 8, "literal in a by-reference position"

five = 5
Check probe.Describe() = "missing", "missing optional"
Check probe.Describe(five) = "2:5", "by-value VARIANT sees the variable's value: " & probe.Describe(five)
Check probe.Scale(3) = 6 And probe.Scale(3, 4) = 12, "default parameter"
probe.Name = "renamed"
Check probe.Name = "renamed", "property put/get"

a = "7" : b = 3
probe.Swap a, b
Check a = 3 And VarType(a) = vbLong And b = 7, "VARIANT and Long by reference"
colour = 3
probe.NextColour colour
Check colour = 1, "enumeration by reference"
left = "old" : right = 5
probe.Split "one two", left, right
Check left = "one" And right = "two", "out parameters replace what the variables held"

On Error Resume Next
probe.Raise -52002, "Wert fehlt"
Check Err.Number = -52002 And Err.Description = "Wert fehlt" And Err.Source = "KVComTest", _
      "negative error: " & Err.Number & " " & Err.Description & " " & Err.Source
Err.Clear
probe.Raise 53, "Datei nicht gefunden"
Check Err.Number = 53, "positive error number: " & Err.Number
Err.Clear
probe.Relay probe, -52013, "a @@@ m_f @@@ P"
Check Err.Number = -52013 And Err.Description = "a @@@ m_f @@@ P", "relayed error: " & Err.Description
Err.Clear
probe.Relay Nothing, 1, "x"
Check Err.Number = 91, "no object to relay to: " & Err.Number
Err.Clear
probe.Scale "abc"
Check Err.Number = 13, "type mismatch: " & Err.Number
Err.Clear
On Error GoTo 0

Set items = probe.Items(3)
Check items.Count = 3 And items("k2") = "V2" And items.Item(3) = "V3", "collection count and items by key and position"
seen = ""
For Each item In items
    seen = seen & item
Next
Check seen = "V1V2V3", "For Each: " & seen
On Error Resume Next
item = items("none")
Check Err.Number = 5, "unknown key: " & Err.Number
On Error GoTo 0

Set items = Nothing
Set probe = Nothing
Check shell.Run("regsvr32 /u /s """ & dll & """", 0, True) = 0, "regsvr32 /u"
Check Not Registered(), "ProgID removed"
On Error Resume Next
Set probe = CreateObject("KVComTest.clsProbe")
Check Err.Number <> 0, "CreateObject fails after unregistration"
On Error GoTo 0

Finish
