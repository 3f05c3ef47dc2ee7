' A script client of KVWidgets.dll: fills, reads, sorts, searches and saves a real list view
' that the test server KVListHost.dll shows in this process, then unregisters both.
' Arguments: the paths of KVWidgets.dll and KVListHost.dll.

Dim host, lv, list, row, i, names, amounts
Set host = CreateObject("KVListHost.clsListHost")
Set lv = CreateObject("KVWidgets.clsListView")
list = host.Handle
Require list <> 0, "the host's list view"

lv.LVInitList list
lv.LVAddColumn list, "Name"
lv.LVAddColumn list, "Betrag", 1, 4, 1500   ' right-aligned, two decimals
names = Array("Otto", "anna", "Berta", "Zoe")
amounts = Array(12.5, 3.25, 100, 7)
For i = 0 To 3
    row = Empty
    lv.LVAddValue list, row, 1, names(i), "k" & names(i)
    Check row = i + 1, "row object of " & names(i) & ": " & row
    lv.LVAddValue list, row, 2, amounts(i)
Next

' Values: numbers come back as shown, exactly; keys and row objects name the same row.
Check lv.LVGetValue(list, Empty, "KANNA", 0, 2) = 3.25, "amount of anna: " & lv.LVGetValue(list, Empty, "KANNA", 0, 2)
Check lv.LVGetValue(list, 3) = "Berta", "row object 3"
Check lv.LVExistItem(list, "kzoe") And Not lv.LVExistItem(list, "nobody"), "keys"

' The index rule: nothing selected names row 0, which is refused.
On Error Resume Next
lv.LVGetValue list
Check Err.Number = 35600, "row 0: error " & Err.Number
Check InStr(Err.Description, "Index out of bounds") = 1, "row 0: " & Err.Description
Err.Clear
On Error GoTo 0

' Sorting by number, then toggled.
lv.LVSortView list, 2
Check lv.LVGetValue(list, 1) = "anna" And lv.LVGetValue(list, 4) = "Berta", "ascending by amount"
lv.LVSortView list, 2
Check lv.LVGetValue(list, 1) = "Berta" And lv.LVGetValue(list, 4) = "anna", "toggled"
Check lv.LVGetValue(list, Empty, "kotto", 0, 2) = 12.5, "the key follows its row"

' Typing: first characters, then the timer's tick ends the sequence.
lv.LVSearch list, Asc("z")
Check lv.LVFirstSelectedItem(list) = 3, "z finds Zoe: " & lv.LVFirstSelectedItem(list)
host.TickSearchTimer
lv.LVSearch list, Asc("a"), 1
Check lv.LVFirstSelectedItem(list) = 4, "a finds anna"

' The view, saved under the list's name and read back.
Check lv.LVSaveView(list, "KelvoScriptTest"), "LVSaveView"
Check shell.RegRead("HKCU\Software\Tormel\KelvoScriptTest\Lists\lstScript") <> "", "saved view"
lv.LVResetView list, "500;500"
lv.LVSetSavedView list, "KelvoScriptTest"
Check lv.LVGetValue(list, 1) = "Berta", "restored sorting"
shell.Run "reg delete ""HKCU\Software\Tormel\KelvoScriptTest"" /f", 0, True

host.Close
Set lv = Nothing
Set host = Nothing
Finish
