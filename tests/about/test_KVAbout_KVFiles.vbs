' A script client of KVAbout.dll and KVFiles.dll: registers both, uses the system information,
' the application identity and program execution, and unregisters them again.
' Arguments: the paths of KVAbout.dll and KVFiles.dll.
Option Explicit

Dim shell, dlls, registered
Set shell = CreateObject("WScript.Shell")
dlls = Array(WScript.Arguments(0), WScript.Arguments(1))
registered = 0

Sub Unregister()
    Dim i
    For i = 0 To registered - 1
        shell.Run "regsvr32 /u /s """ & dlls(i) & """", 0, True
    Next
    registered = 0
End Sub

Sub Fail(reason)
    WScript.Echo "FAIL: " & reason
    Unregister
    WScript.Quit 1
End Sub

Sub Check(condition, reason)
    If Not condition Then Fail reason
End Sub

' The error number and description of a failed call, checked against what is expected.
Sub CheckError(number, expectedNumber, description, expectedText, what)
    Check number = expectedNumber, what & ": error " & number & " (" & description & "), expected " & expectedNumber
    Check InStr(description, expectedText) = 1, what & ": description """ & description & """"
End Sub

Dim d
For Each d In dlls
    Check shell.Run("regsvr32 /s """ & d & """", 0, True) = 0, "regsvr32 " & d
    registered = registered + 1
Next

' ---- System information ----
Dim info, os
Set info = CreateObject("KVAbout.clsSystemInfo")
Set os = info.OperatingSystem
WScript.Echo "System: " & os.VersionName & " " & os.MajorVersion & "." & os.MinorVersion & _
             " Build " & os.Build & " " & os.VersionTypeName & " (" & os.Version & "/" & os.VersionType & ")"
Check Left(os.VersionName, 7) = "Windows", "VersionName " & os.VersionName
Check os.PlattformID = 2, "PlattformID " & os.PlattformID
Check info.OperatingSystem Is os, "OperatingSystem is handed out once"
Check os.IsOS(os.Version), "IsOS(own version)"
Check os.IsOS(os.Version, 0), "IsOS(own version, no edition)"
Check Not os.IsOS((os.Version + 1) Mod 8), "IsOS(other version)"
Check Not os.IsOS(os.Version, (os.VersionType Mod 7) + 1), "IsOS(own version, other edition)"
Check Not (os.Is95 Or os.Is98 Or os.IsME), "9x flags on an NT system"
Check info.CPU.Count >= 1, "CPU.Count"
Check info.Memory.Physical > 0 And info.Memory.Virtual > 0, "Memory"
Check info.Video.ScreenSizeX > 0 And info.Video.ColorDeepthText <> "", "Video"

On Error Resume Next
Dim detail
Set detail = CreateObject("KVAbout.clsOperatingSystemInfo")
Check Err.Number <> 0, "the detail classes must not be creatable"
Err.Clear
On Error GoTo 0

' ---- Application identity: one record for the process ----
Dim first, second
Set first = CreateObject("KVAbout.clsVersionGlobal")
Check first.InfoApplication = "" And first.InfoMajorVersion = -1 And first.InfoMinorVersion = -1 _
      And first.InfoBuild = -1, "identity before the application set it"
first.InfoApplication = "Kelvo Restart"
first.InfoMajorVersion = 2
first.InfoMinorVersion = 0
first.InfoBuild = 17
Set second = CreateObject("KVAbout.clsVersionGlobal")
Check second.InfoApplication = "Kelvo Restart" And second.InfoMajorVersion = 2 And _
      second.InfoMinorVersion = 0 And second.InfoBuild = 17, "identity seen by a second instance"
Check CreateObject("KVAbout.clsPersonalData").Company = "Tormel", "Company"

' ---- Program execution ----
Dim ex, cmd, number, description
Set ex = CreateObject("KVFiles.clsExecute")
cmd = shell.ExpandEnvironmentStrings("%SystemRoot%\system32\cmd.exe")
ex.ViewMode = 0
ex.WaitMode = 2
ex.Run cmd, "/c exit 6"
Check ex.ExitCode = 6, "ExitCode after WaitDead: " & ex.ExitCode
ex.WaitMode = 1
ex.Run cmd, "/c exit 8"
Check ex.ExitCode = 8, "ExitCode after Wait: " & ex.ExitCode
Check ex.Program = cmd And ex.Parameters = "/c exit 8", "Run stores program and parameters"

On Error Resume Next
ex.WaitMode = 0
number = ex.ExitCode
CheckError Err.Number, -52010, Err.Description, "Um diese Eigenschaft ""Exitcode""", "ExitCode in NoWait"
Err.Clear
ex.Run "C:\kv-no-such-folder\no-such-program.exe"
CheckError Err.Number, -52009, Err.Description, _
    "Programm oder Dokument ""C:\kv-no-such-folder\no-such-program.exe"" nicht gefunden. @@@ clsExecute_Run @@@ KVFiles", _
    "missing program"
Err.Clear
Dim fresh
Set fresh = CreateObject("KVFiles.clsExecute")
fresh.Run
CheckError Err.Number, -52008, Err.Description, "Programm zum Starten nicht angegeben.", "no program"
Err.Clear
On Error GoTo 0

Unregister
WScript.Echo "OK"
WScript.Quit 0
