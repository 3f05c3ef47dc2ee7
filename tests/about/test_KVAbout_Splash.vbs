' A script client of the splash screen in KVAbout.dll: it must refuse to show before the
' application has set its identity, then show, take its settings and close.
' Argument: the path of KVAbout.dll.
Option Explicit

Dim shell, dll
Set shell = CreateObject("WScript.Shell")
dll = WScript.Arguments(0)

Sub Fail(reason)
    WScript.Echo "FAIL: " & reason
    shell.Run "regsvr32 /u /s """ & dll & """", 0, True
    WScript.Quit 1
End Sub

Sub Check(condition, reason)
    If Not condition Then Fail reason
End Sub

Check shell.Run("regsvr32 /s """ & dll & """", 0, True) = 0, "regsvr32 " & dll

Dim splash, number, description
Set splash = CreateObject("KVAbout.clsSplash")
Check splash.BarMax = 0 And splash.CopyrightStartYear = 0 And splash.CopyrightEndYear = "" And _
      Not splash.AlwaysOnTop And splash.Alignment = 0 And splash.Picture Is Nothing, "defaults"

On Error Resume Next
splash.Show
number = Err.Number
description = Err.Description
On Error GoTo 0
Check number = -52013, "Show before the identity: error " & number & " (" & description & ")"
Check InStr(description, "Version oder Anwendungsname wurde in ""clsVersionGlobal"" nicht gesetzt.") = 1, _
      "description """ & description & """"

Dim identity
Set identity = CreateObject("KVAbout.clsVersionGlobal")
identity.InfoApplication = "Kelvo Restart"
identity.InfoMajorVersion = 1
identity.InfoMinorVersion = 0
identity.InfoBuild = 0

' In the order the program sets them.
splash.Freeware = True
splash.SupressAddress = True
splash.EmailAddress = "support@kelvo.example"
splash.Website = ""
splash.CopyrightEndYear = "0"
splash.CopyrightStartYear = 2001
splash.BarMax = 10
splash.Show
splash.BarValue = 4
splash.AlwaysOnTop = True
splash.Alignment = 1
Check splash.Freeware And splash.SupressAddress And splash.EmailAddress = "support@kelvo.example" And _
      splash.CopyrightEndYear = "0" And splash.CopyrightStartYear = 2001 And splash.BarValue = 4 And _
      splash.AlwaysOnTop And splash.Alignment = 1, "properties read back"
splash.CloseWindow
splash.CloseWindow

shell.Run "regsvr32 /u /s """ & dll & """", 0, True
WScript.Echo "OK"
WScript.Quit 0
