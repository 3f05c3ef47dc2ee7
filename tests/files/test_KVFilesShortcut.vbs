' A script client of KVFiles.clsFileShortcut: registers KVFiles.dll, writes a link with a
' dotted name, the program's command line, an icon index, a working folder and a hotkey, reads
' it back (Wine's script host cannot load a shortcut, so the C++ test reads the file with the
' shell's link object, as it does every error), checks how the errors of a missing folder and of
' a hotkey outside the link's word reach the script; then unregisters the DLL.
' Argument: the path of KVFiles.dll.

Dim root, target
root = ScratchFolder("kvlink_script")
target = root & "\KVRestart.exe"
fso.CreateTextFile(target, True).Write "MZ"

Dim link, args
args = "/T:2 /S:""Microsoft Windows XP Professional"" /C /F"
Set link = CreateObject("KVFiles.clsFileShortcut")
Check link.ViewMode = 1 And link.HotKey = 0 And IsEmpty(link.Icon) And link.LinkFile = "", "initial state"
link.LinkFile = root & "\Neu starten Microsoft Windows XP 5.1"
link.File = target
link.Parameters = args
link.WorkingDirectory = root
link.Icon = 0
link.HotKeyCtrl = True
link.HotKeyAlt = True
link.HotKey = 82
link.Create
Check fso.FileExists(root & "\Neu starten Microsoft Windows XP 5.1.lnk"), "the dotted name keeps its last part"

Dim read
Set read = CreateObject("KVFiles.clsFileShortcut")
read.GetInfos root & "\Neu starten Microsoft Windows XP 5.1.lnk"
Check read.File = target, "File " & read.File
Check read.Parameters = args, "Parameters " & read.Parameters
Check read.WorkingDirectory = root, "WorkingDirectory " & read.WorkingDirectory
Check VarType(read.Icon) = vbLong And read.Icon = 0, "Icon " & read.Icon
Check read.HotKeyCtrl And read.HotKeyAlt And Not read.HotKeyShift And read.HotKey = 82, "hotkey " & read.HotKey

' ---- Errors ----
Dim bad
Set bad = CreateObject("KVFiles.clsFileShortcut")
bad.File = target
On Error Resume Next
bad.LinkFile = root & "\fehlt\x"
bad.Create
Check Err.Number = -52017 And InStr(Err.Description, "clsShortcut_Create") > 0, "missing folder: " & Err.Number & " " & Err.Description
Err.Clear
bad.HotKey = 256
Check Err.Number = -52016, "HotKey outside the word: " & Err.Number
Err.Clear
On Error GoTo 0
Check Not fso.FolderExists(root & "\fehlt"), "no folder made"

Finish
