' The cost of one script call into KVCore: a member with a low and one with a high dispatch
' id, against a call of a VBScript builtin. Prints "name microseconds" lines.
Option Explicit

Dim shell, m, i, t, s, n, builtin
Set shell = CreateObject("WScript.Shell")
shell.Run "regsvr32 /s """ & WScript.Arguments(0) & """", 0, True
Set m = CreateObject("KVCore.clsMain")
n = 50000

Function PerCall(seconds)
    PerCall = seconds * 1000000 / n
End Function

t = Timer
For i = 1 To n: s = Len("x"): Next
builtin = PerCall(Timer - t)
WScript.Echo "builtin " & builtin

t = Timer
For i = 1 To n: s = m.IsNumber(5): Next
WScript.Echo "id4 " & PerCall(Timer - t)

t = Timer
For i = 1 To n: s = m.CharToColumn("B"): Next
WScript.Echo "id54 " & PerCall(Timer - t)

shell.Run "regsvr32 /s /u """ & WScript.Arguments(0) & """", 0, True
