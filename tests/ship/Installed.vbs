' What a silent installation leaves: one class of each library created through its registration,
' which names the installed DLL; the start-menu links to the program and the help; the autostart
' value and the entry of the installed programs. Any fault fails the run.

Dim folder, menu
' Wine's ExpandEnvironmentStrings keeps the terminating null character in the string.
folder = Replace(shell.ExpandEnvironmentStrings("%LOCALAPPDATA%"), Chr(0), "") & "\Programs\Kelvo Restart"
' The user's start-menu programs (CSIDL_PROGRAMS; Wine's script host has no SpecialFolders).
menu = CreateObject("Shell.Application").Namespace(2).Self.Path & "\Kelvo Restart"

Function ReadValue(path)
    On Error Resume Next
    ReadValue = shell.RegRead(path)
    If Err.Number <> 0 Then ReadValue = "(missing: " & path & ")"
    On Error GoTo 0
End Function

Sub CheckClass(progId, dll)
    Dim clsid, server, obj
    clsid = ReadValue("HKCR\" & progId & "\CLSID\")
    server = ReadValue("HKCR\CLSID\" & clsid & "\InprocServer32\")
    Check LCase(server) = LCase(folder & "\" & dll), progId & " is served by " & server
    On Error Resume Next
    Set obj = CreateObject(progId)
    Check Err.Number = 0, progId & " cannot be created: " & Err.Description
    On Error GoTo 0
End Sub

CheckClass "KVCore.clsMain", "KVCore.dll"
CheckClass "KVSettings.clsRegistry", "KVSettings.dll"
CheckClass "KVFiles.clsFileInfo", "KVFiles.dll"
CheckClass "KVWidgets.clsListView", "KVWidgets.dll"
CheckClass "KVHooks.clsTimer", "KVHooks.dll"
CheckClass "KVAbout.clsVersionGlobal", "KVAbout.dll"

' A created object works: the core answers through the installed library.
Dim core
Set core = CreateObject("KVCore.clsMain")
Check core.CountItemsInList("a;b;c", ";") = 3, "KVCore.clsMain.CountItemsInList"

Sub CheckLink(name, target)
    Dim path
    path = menu & "\" & name & ".lnk"
    Check fso.FileExists(path), "no start-menu link " & path
    If fso.FileExists(path) Then
        ' Read with the installed KVFiles (Wine's script host cannot load a link).
        Dim link
        Set link = CreateObject("KVFiles.clsFileShortcut")
        link.GetInfos path
        Check LCase(link.File) = LCase(target), name & " points to " & link.File
    End If
End Sub
CheckLink "Kelvo Restart", folder & "\KVRestart.exe"
CheckLink "Kelvo Restart Hilfe", folder & "\KVRestart.chm"

Check ReadValue("HKCU\Software\Microsoft\Windows\CurrentVersion\Run\Kelvo Restart") = folder & "\KVRestart.exe", _
      "autostart value: " & ReadValue("HKCU\Software\Microsoft\Windows\CurrentVersion\Run\Kelvo Restart")
Dim uninstall
uninstall = "HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvo Restart\"
Check ReadValue(uninstall & "UninstallString") = """" & folder & "\Uninstall.exe""", "uninstall entry: " & ReadValue(uninstall & "UninstallString")
Check ReadValue(uninstall & "Publisher") = "Tormel", "publisher: " & ReadValue(uninstall & "Publisher")

Finish
