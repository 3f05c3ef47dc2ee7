' KVSettings.dll from a script client: registration, values of every kind written and read
' back, For Each over ReadAllValues, errors with their numbers and messages, clsIni, and
' unregistration. Exit code 0 on success; otherwise the reason is printed.
Option Explicit

Const conRoot = "HKCU\software\KelvoTest\Script"
Const conHKEY_CURRENT_USER = &H80000001

Dim shell, dll, registered, stage
Set shell = CreateObject("WScript.Shell")
dll = WScript.Arguments(0)
registered = False

Function RunHidden(command)
    RunHidden = shell.Run(command, 0, True)
End Function

' True when reg.exe lists the value with that type and data.
Function Stored(name, regType, data)
    Stored = RunHidden("cmd /c reg query " & conRoot & " /v " & name & " | find """ & name & "    " & _
                       regType & "    " & data & """") = 0
End Function

Sub CleanUp()
    RunHidden "reg delete " & conRoot & " /f"
    If registered Then RunHidden "regsvr32 /u /s """ & dll & """"
    registered = False
End Sub

Sub Fail(reason)
    WScript.Echo "FAILED: " & reason
    CleanUp
    WScript.Quit 1
End Sub

Sub Check(condition, reason)
    If Not condition Then Fail reason
End Sub

Sub Registration()
    stage = "Registration"
    Check RunHidden("regsvr32 /s """ & dll & """") = 0, "regsvr32 could not register " & dll
    registered = True
End Sub

Sub ValuesOfEveryKind(reg)
    stage = "ValuesOfEveryKind"
    reg.SetApplication 0, "KelvoTest", "Script"
    Check reg.MainKey = conHKEY_CURRENT_USER, "MainKey is " & reg.MainKey
    Check reg.SubKey = "software\KelvoTest\Script", "SubKey is " & reg.SubKey

    Check reg.WriteValue("Text", "ab"), "WriteValue of a string did not answer True"
    Check reg.ReadValue("Text") = "ab", "the string read back is " & reg.ReadValue("Text")
    Check Stored("Text", "REG_SZ", "ab"), "the string is not stored as REG_SZ"

    Check reg.WriteValue("Number", 42), "WriteValue of a number did not answer True"
    Check VarType(reg.ReadValue("Number")) = vbLong, "a number reads back as VarType " & VarType(reg.ReadValue("Number"))
    Check reg.ReadValue("Number") = 42, "the number read back is " & reg.ReadValue("Number")
    Check Stored("Number", "REG_DWORD", "0x2a"), "the number is not stored as REG_DWORD"

    ' Script languages cannot build a byte array; reg.exe stores one that the class reads.
    Check RunHidden("reg add " & conRoot & " /v Seed /t REG_BINARY /d 00FF10 /f") = 0, "reg add failed"
    Dim bytes
    bytes = reg.ReadValue("Seed")
    Check VarType(bytes) = vbArray + vbByte, "REG_BINARY reads back as VarType " & VarType(bytes)
    Check reg.WriteValue("Bytes", bytes), "WriteValue of a byte array did not answer True"
    Check Stored("Bytes", "REG_BINARY", "00FF10"), "the byte array is not stored as REG_BINARY 00FF10"
    Check VarType(reg.ReadValue("Bytes")) = vbArray + vbByte, "the byte array does not read back as one"
End Sub

Sub WalkAllValues(reg)
    stage = "WalkAllValues"
    Dim item, names, all
    names = ""
    For Each item In reg.ReadAllValues
        names = names & "|" & item.Name
        Select Case item.Name
            Case "Text"
                Check item.Value = "ab" And item.DataType = 1 And item.DataLength = 4, "Text record is wrong"
            Case "Number"
                Check item.Value = 42 And item.DataType = 4 And item.DataLength = 4, "Number record is wrong"
            Case "Seed", "Bytes"
                Check item.DataType = 3 And item.DataLength = 3, item.Name & " record is wrong"
            Case Else
                Fail "unexpected value " & item.Name
        End Select
    Next
    Check Len(names) = Len("|Text|Number|Seed|Bytes"), "For Each saw " & names
    Set all = reg.ReadAllValues
    Check all.Count = 4, "ReadAllValues holds " & all.Count & " records"
    Check all("Text").Value = "ab", "the record keyed Text is wrong"

    Dim first
    Set first = reg.ReadValue(1)
    Check InStr(names, "|" & first.Name) > 0, "ReadValue(1) gives " & first.Name
End Sub

Sub Errors(reg)
    stage = "Errors"
    Dim number, description, source
    On Error Resume Next
    reg.ReadValue "Missing"
    number = Err.Number : description = Err.Description : source = Err.Source
    On Error GoTo 0
    Check number = -52002, "a missing value raised " & number
    ' (The script host here has no ChrW, so the umlaut of the message is left to the unit tests.)
    Check Left(description, 22) = "Wert ""MISSING"" im Schl", "message: " & description
    Check Mid(description, 24) = "ssel ""HKEY_CURRENT_USER\SOFTWARE\KELVOTEST\SCRIPT"" der Registry nicht " & _
          "gefunden. @@@ clsRegistry_ReadValue @@@ KVSettings", "message: " & description
    Check source = "KVSettings", "source: " & source

    On Error Resume Next
    reg.WriteValue "Flag", True
    number = Err.Number
    On Error GoTo 0
    Check number = -52000, "writing a Boolean raised " & number
    Check Not reg.ExistValue("Flag"), "the Boolean was written"

    reg.Default = 5
    Check reg.ReadValue("Missing") = 5, "Default does not replace a missing value"
    Check Not reg.ExistValue("Missing") And reg.Default = 5, "ExistValue is wrong or changed Default"
End Sub

Sub IniFile()
    stage = "IniFile"
    Dim ini, number, path, files
    Set files = CreateObject("Scripting.FileSystemObject")
    path = files.GetSpecialFolder(2).Path & "\KelvoTestScript.ini"
    Set ini = CreateObject("KVSettings.clsIni")
    ini.File = path
    ini.Section = "boot loader"
    Check ini.WriteValue("timeout", "30"), "clsIni.WriteValue did not answer True"
    Check ini.ReadValue("timeout") = "30", "clsIni reads back " & ini.ReadValue("timeout")
    Check ini.ExistFile, "ExistFile does not see " & path
    On Error Resume Next
    ini.ReadValue "default"
    number = Err.Number
    On Error GoTo 0
    Check number = -52003, "an absent entry raised " & number
    files.DeleteFile path
End Sub

Sub Main()
    Registration
    Dim reg
    Set reg = CreateObject("KVSettings.clsRegistry")
    Check TypeName(CreateObject("KVSettings.clsRegValueItem")) <> "", "clsRegValueItem cannot be created"
    ValuesOfEveryKind reg
    WalkAllValues reg
    Errors reg
    IniFile
    reg.DeleteKeyAllowed = True
    Check reg.DeleteKey, "DeleteKey did not answer True"
    Check Not reg.ExistKey, "the key is still there"
    Set reg = Nothing

    Check RunHidden("regsvr32 /u /s """ & dll & """") = 0, "regsvr32 /u failed"
    registered = False
    Dim gone
    On Error Resume Next
    Set gone = CreateObject("KVSettings.clsRegistry")
    gone = (Err.Number <> 0)
    On Error GoTo 0
    Check gone, "KVSettings.clsRegistry can still be created after unregistering"
End Sub

RunHidden "reg delete " & conRoot & " /f"
On Error Resume Next
Main
If Err.Number <> 0 Then
    Dim reason
    reason = stage & ": error " & Err.Number & " (" & Err.Source & "): " & Err.Description
    On Error GoTo 0
    Fail reason
End If
CleanUp
WScript.Quit 0
