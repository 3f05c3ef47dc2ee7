' What every script test begins with (run-script puts it in front of the script, so an error's
' line number counts these lines too): the shell and file system, the DLLs of the command line
' (dlls; dll is the first) registered, the checks, and Finish, which unregisters the DLLs,
' removes the script's scratch folder and ends the run, failed when any check failed.
Option Explicit

Dim shell, fso, dlls, dll, failures, scratch, kvI
Set shell = CreateObject("WScript.Shell")
Set fso = CreateObject("Scripting.FileSystemObject")
failures = 0
scratch = ""
dlls = Array()
If WScript.Arguments.Count > 0 Then ReDim dlls(WScript.Arguments.Count - 1)
For kvI = 0 To UBound(dlls)
    dlls(kvI) = WScript.Arguments(kvI)
Next
If UBound(dlls) >= 0 Then dll = dlls(0)

Sub Finish()
    If scratch <> "" Then
        If fso.FolderExists(scratch) Then fso.DeleteFolder scratch, True
    End If
    For Each kvI In dlls
        shell.Run "regsvr32 /u /s """ & kvI & """", 0, True
    Next
    If failures > 0 Then WScript.Quit 1
    WScript.Quit 0
End Sub

' A failed check is told and counted; the script goes on.
Sub Check(condition, what)
    If condition Then Exit Sub
    WScript.Echo "FAILED: " & what
    failures = failures + 1
End Sub

' A check the rest of the script builds on: when it fails, the run ends here.
Sub Require(condition, what)
    Check condition, what
    If Not condition Then Finish
End Sub

' The error of the last call (under On Error Resume Next) against what is expected.
Sub CheckError(expectedNumber, expectedText, what)
    Check Err.Number = expectedNumber, what & ": error " & Err.Number & " (" & Err.Description & ")"
    Check InStr(Err.Description, expectedText) = 1, what & ": description """ & Err.Description & """"
    Err.Clear
End Sub

' A fresh folder below %TEMP% for the script's files; Finish removes it.
Function ScratchFolder(name)
    scratch = fso.GetSpecialFolder(2).Path & "\" & name
    If fso.FolderExists(scratch) Then fso.DeleteFolder scratch, True
    fso.CreateFolder scratch
    ScratchFolder = scratch
End Function

For Each kvI In dlls
    Require shell.Run("regsvr32 /s """ & kvI & """", 0, True) = 0, "regsvr32 " & kvI
Next
