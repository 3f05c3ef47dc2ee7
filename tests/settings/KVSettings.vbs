' KVSettings.dll from a script client: values of every kind written and read back, For Each
' over ReadAllValues, errors with their numbers and messages, and clsIni. A run-time error
' stops the script and fails the test (run-script).

Const conRoot = "HKCU\software\KelvoTest\Script"
Dim reg, item, names, all, bytes, number, description, source, ini, path, files

Function RunHidden(command)
    RunHidden = shell.Run(command, 0, True)
End Function

RunHidden "reg delete " & conRoot & " /f"
Set reg = CreateObject("KVSettings.clsRegistry")
Check TypeName(CreateObject("KVSettings.clsRegValueItem")) <> "", "clsRegValueItem cannot be created"

reg.SetApplication 0, "KelvoTest", "Script"
Check reg.MainKey = &H80000001 And reg.SubKey = "software\KelvoTest\Script", "key: " & reg.SubKey
Check reg.WriteValue("Text", "ab") And reg.ReadValue("Text") = "ab", "string: " & reg.ReadValue("Text")
Check reg.WriteValue("Number", 42), "WriteValue of a number did not answer True"
Check VarType(reg.ReadValue("Number")) = vbLong And reg.ReadValue("Number") = 42, "number reads back wrong"
' Script languages cannot build a byte array; reg.exe stores one that the class reads.
Check RunHidden("reg add " & conRoot & " /v Seed /t REG_BINARY /d 00FF10 /f") = 0, "reg add failed"
bytes = reg.ReadValue("Seed")
Check VarType(bytes) = vbArray + vbByte, "REG_BINARY reads back as VarType " & VarType(bytes)
Check reg.WriteValue("Bytes", bytes), "WriteValue of a byte array did not answer True"
Check RunHidden("cmd /c reg query " & conRoot & " /v Bytes | find ""REG_BINARY    00FF10""") = 0, _
      "the byte array is not stored as REG_BINARY 00FF10"

For Each item In reg.ReadAllValues
    names = names & "|" & item.Name
    Select Case item.Name
        Case "Text":   Check item.Value = "ab" And item.DataType = 1 And item.DataLength = 4, "Text record"
        Case "Number": Check item.Value = 42 And item.DataType = 4 And item.DataLength = 4, "Number record"
        Case Else:     Check item.DataType = 3 And item.DataLength = 3, item.Name & " record"
    End Select
Next
Check Len(names) = Len("|Text|Number|Seed|Bytes"), "For Each saw " & names
Set all = reg.ReadAllValues
Check all.Count = 4 And all("Text").Value = "ab", "ReadAllValues by key"
Check InStr(names, "|" & reg.ReadValue(1).Name) > 0, "ReadValue(1) gives no record"

On Error Resume Next
reg.ReadValue "Missing"
number = Err.Number : description = Err.Description : source = Err.Source
On Error GoTo 0
' (The script host here has no ChrW, so the umlaut of the message is left to the unit tests.)
Check number = -52002 And source = "KVSettings" And Left(description, 22) = "Wert ""MISSING"" im Schl" And _
      Mid(description, 24) = "ssel ""HKEY_CURRENT_USER\SOFTWARE\KELVOTEST\SCRIPT"" der Registry nicht " & _
      "gefunden. @@@ clsRegistry_ReadValue @@@ KVSettings", "missing value: " & number & " " & description
' What a script can pass that is neither a name nor a position: each raises, none reads as Empty.
' (Wine's script engine stalls on Nothing held in an array, so the values come from a Select.)
Function BadName(index)
    Select Case index
        Case 0: Set BadName = Nothing
        Case 1: BadName = Null
        Case 2: BadName = Empty
        Case 3: BadName = Array(1, 2)
        Case 4: BadName = 1.5
        Case 5: BadName = True
        Case 6: BadName = CByte(1)
    End Select
End Function
Dim badNames, i
badNames = Array("Nothing", "Null", "Empty", "Array(1, 2)", "1.5", "True", "CByte(1)")
For i = 0 To UBound(badNames)
    On Error Resume Next
    reg.ReadValue BadName(i)
    number = Err.Number : description = Err.Description
    On Error GoTo 0
    Check number = -52016 And Left(description, 9) = """vntName""" And _
          InStr(description, " @@@ clsRegistry_ReadValue @@@ KVSettings") > 0, _
          "ReadValue(" & badNames(i) & ") raised " & number & " " & description
Next
On Error Resume Next
reg.WriteValue "Flag", True
number = Err.Number
On Error GoTo 0
Check number = -52000 And Not reg.ExistValue("Flag"), "writing a Boolean raised " & number
reg.Default = 5
Check reg.ReadValue("Missing") = 5, "Default does not replace a missing value"
Check Not reg.ExistValue("Missing") And reg.Default = 5, "ExistValue is wrong or changed Default"

Set files = CreateObject("Scripting.FileSystemObject")
path = files.GetSpecialFolder(2).Path & "\KelvoTestScript.ini"
Set ini = CreateObject("KVSettings.clsIni")
ini.File = path
ini.Section = "boot loader"
Check ini.WriteValue("timeout", "30") And ini.ReadValue("timeout") = "30", "clsIni reads back wrong"
Check ini.ExistFile, "ExistFile does not see " & path
On Error Resume Next
ini.ReadValue "default"
number = Err.Number
On Error GoTo 0
Check number = -52003, "an absent entry raised " & number
files.DeleteFile path

reg.DeleteKeyAllowed = True
Check reg.DeleteKey And Not reg.ExistKey, "DeleteKey left the key"
Set reg = Nothing
RunHidden "reg delete " & conRoot & " /f"
Finish
