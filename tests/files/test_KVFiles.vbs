' A script client of KVFiles.dll: registers it, reads file information (version resource,
' attributes, icon, the 32-bit size's error), sets dates, copies, renames and deletes through
' the shell with a list holding an empty item, and searches a folder; then unregisters it.
' Argument: the path of KVFiles.dll.

Dim root

Sub Touch(path)
    fso.CreateTextFile(path, True).Write "abc"
End Sub

root = ScratchFolder("kvfiles_script")
fso.CreateFolder root & "\sub"
Touch root & "\a.txt"
Touch root & "\b.log"
Touch root & "\sub\c.txt"

' ---- File information ----
Dim info, major, minor, build
Set info = CreateObject("KVFiles.clsFileInfo")
info.GetDatas dll
Check info.NameCompany = "Tormel" And info.Description = "Kelvo Restart: Dateifunktionen", "version strings"
Check info.Name = "KVFiles" And info.Extension = "dll" And Len(info.Drive) = 2, "names " & info.Name & "." & info.Extension
Check info.Size > 0 And info.Size64 = info.Size, "sizes"
Check Not info.AttrDirectory And info.ModificationTime <> "", "attributes and time"
Check info.Icon(2, 0).Handle <> 0, "icon"
info.SplitVersion info.Version, major, minor, build
Check major = "1" And minor = "0" And build = "0", "SplitVersion " & major & "|" & minor & "|" & build
info.GetDatas root & "\sub\"
Check info.AttrDirectory And Right(info.Folder, 5) = "\sub\" And info.Name = "", "folder " & info.Folder
On Error Resume Next
info.GetDatas root & "\missing.txt"
Check Err.Number = 2 And Left(Err.Description, 5) = "API: ", "missing file: " & Err.Number & " " & Err.Description
Err.Clear
On Error GoTo 0

' ---- File dates ----
Dim functions, written
Set functions = CreateObject("KVFiles.clsFileFunctions")
written = DateSerial(2004, 3, 15) + TimeSerial(10, 20, 30)
functions.SetFileDate root & "\a.txt", written
Check fso.GetFile(root & "\a.txt").DateLastModified = written, "SetFileDate " & fso.GetFile(root & "\a.txt").DateLastModified
On Error Resume Next
functions.SetFileDate root & "\missing.txt", written
Check Err.Number = -52015, "SetFileDate on a missing file: " & Err.Number
Err.Clear
On Error GoTo 0

' ---- File operations ----
Dim ops
Set ops = CreateObject("KVFiles.clsFileOperations")
Check ops.DeleteToRecycleBin And ops.ConfirmActions And ops.ListSeparator = "|" And ops.WindowPosition = 3, "defaults"
ops.ConfirmActions = False
ops.ConfirmMkdir = False
ops.ShowErrorMessages = False
ops.ShowProgressWindow = False
ops.Source = root & "\a.txt||" & root & "\b.log"
ops.Destination = root & "\copy"
Check ops.Copy(), "Copy"
Check fso.FileExists(root & "\copy\a.txt") And fso.FileExists(root & "\copy\b.log"), "both copied"
ops.Source = root & "\copy\b.log"
ops.Destination = "renamed.log"
Check ops.Rename() And fso.FileExists(root & "\copy\renamed.log"), "Rename"
ops.DeleteToRecycleBin = False
ops.Source = Array(root & "\copy\a.txt", root & "\copy\renamed.log")
Check ops.Delete() And Not fso.FileExists(root & "\copy\a.txt"), "Delete"
On Error Resume Next
ops.ListSeparator = ""
Check Err.Number = -52016, "empty ListSeparator: " & Err.Number
Err.Clear
On Error GoTo 0

' ---- File search (events: see the C++ client) ----
Dim search, found, f
Set search = CreateObject("KVFiles.clsFileSearch")
search.StartPath = root & ";;" & root & "\missing"
search.FilesToFind = "*.txt;a.*"
search.Recursive = True
search.FindFiles
found = ""
For Each f In search.Files
    found = found & Mid(f, Len(root) + 2) & ";"
Next
Check search.Files.Count = 2 And InStr(found, "a.txt;") > 0 And InStr(found, "sub\c.txt;") > 0, "search: " & found
Check search.Files.Item(1) = root & "\a.txt", "Files.Item(1) " & search.Files.Item(1)

Finish
