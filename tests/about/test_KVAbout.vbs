' A script client of KVAbout.dll and KVFiles.dll: registers both, uses the system information,
' the splash screen, the message to the maker and the information dialog before and after the
' application identity is set, and program execution,
' then unregisters them again. Arguments: the paths of KVAbout.dll and KVFiles.dll.
' ---- System information ----

Dim info, os
Set info = CreateObject("KVAbout.clsSystemInfo")
Set os = info.OperatingSystem
Check Left(os.VersionName, 7) = "Windows" And os.PlattformID = 2, "VersionName " & os.VersionName
Check info.OperatingSystem Is os, "OperatingSystem is handed out once"
Check os.IsOS(os.Version, 0) And Not os.IsOS(os.Version, (os.VersionType Mod 7) + 1), "IsOS with edition"
Check info.CPU.Count >= 1 And info.Memory.Physical > 0 And info.Video.ColorDeepthText <> "", "details"
On Error Resume Next
CreateObject "KVAbout.clsOperatingSystemInfo"
Check Err.Number <> 0, "the detail classes must not be creatable"
Err.Clear
On Error GoTo 0

' ---- Splash screen and the application identity: one record for the process ----
Dim splash, identity
Set splash = CreateObject("KVAbout.clsSplash")
Set identity = CreateObject("KVAbout.clsVersionGlobal")
Check splash.BarMax = 0 And splash.CopyrightStartYear = 0 And splash.CopyrightEndYear = "" And _
      Not splash.AlwaysOnTop And splash.Picture Is Nothing, "splash defaults"
Check identity.InfoApplication = "" And identity.InfoBuild = -1, "identity before the application set it"
On Error Resume Next
splash.Show
CheckError -52013, "Version oder Anwendungsname wurde in ""clsVersionGlobal"" nicht gesetzt.", "Show"
CreateObject("KVAbout.clsSendMessage").Send
CheckError -52013, "Version oder Anwendungsname wurde in ""clsVersionGlobal"" nicht gesetzt.", "Send"
CreateObject("KVAbout.clsInfoDialog").Show
CheckError -52013, "Version oder Anwendungsname wurde in ""clsVersionGlobal"" nicht gesetzt.", "Info Show"
On Error GoTo 0
identity.InfoApplication = "Kelvo Restart"
identity.InfoMajorVersion = 1
identity.InfoMinorVersion = 0
identity.InfoBuild = 0
Check CreateObject("KVAbout.clsVersionGlobal").InfoApplication = "Kelvo Restart", "identity of a second instance"
Check CreateObject("KVAbout.clsPersonalData").Company = "Tormel", "Company"

' In the order the program sets them.
splash.Freeware = True
splash.SupressAddress = True
splash.CopyrightEndYear = "0"
splash.CopyrightStartYear = 2001
splash.BarMax = 10
splash.Show
splash.BarValue = 4
splash.AlwaysOnTop = True
Check splash.Freeware And splash.CopyrightEndYear = "0" And splash.BarValue = 4 And splash.AlwaysOnTop, _
      "splash properties read back"
splash.CloseWindow

' ---- Message to the maker and the information dialog (their windows are tested in C++) ----
Dim sender, dialog, texts
Set sender = CreateObject("KVAbout.clsSendMessage")
Check sender.EmailAddress = "" And Not sender.Freeware, "clsSendMessage defaults"
sender.EmailAddress = "support@tormel.example"
sender.Freeware = True
Check sender.EmailAddress = "support@tormel.example" And sender.Freeware And Not sender.ShiftPressed, _
      "clsSendMessage properties"
Set dialog = CreateObject("KVAbout.clsInfoDialog")
Check dialog.SpeedStartTime = 2500 And dialog.SpeedIntervallTime = 100 And dialog.SpeedEndTime = 2400 And _
      dialog.SpeedPicture = 8 And dialog.SpeedCatch = 1000 And dialog.SpeedCredits = 1 And _
      Not dialog.SupressAddress And Not dialog.Freeware And dialog.Picture Is Nothing, "clsInfoDialog defaults"
texts = dialog.Texts
Check UBound(texts) = 3 And texts(0) = "Programmierung:" And texts(2) = "Test:", "default credits"
dialog.Texts = Array("Eins", "Zwei")
texts = dialog.Texts
Check UBound(texts) = 1 And texts(1) = "Zwei", "Texts read back"
dialog.CopyrightStartYear = 2001
dialog.CopyrightEndYear = "2005"
dialog.VersionDate = "01.02.2005"
dialog.Description = "Beschreibung"
dialog.SupressAddress = True
dialog.SpeedCatch = 50
Check dialog.CopyrightStartYear = 2001 And dialog.CopyrightEndYear = "2005" And dialog.VersionDate = "01.02.2005" And _
      dialog.Description = "Beschreibung" And dialog.SupressAddress And dialog.SpeedCatch = 50, "clsInfoDialog properties"

' ---- Program execution ----
Dim ex, cmd, number
Set ex = CreateObject("KVFiles.clsExecute")
cmd = shell.ExpandEnvironmentStrings("%SystemRoot%\system32\cmd.exe")
ex.ViewMode = 0
ex.WaitMode = 2
ex.Run cmd, "/c exit 6"
Check ex.ExitCode = 6, "ExitCode after WaitDead: " & ex.ExitCode
Check ex.Program = cmd And ex.Parameters = "/c exit 6", "Run stores program and parameters"
On Error Resume Next
ex.WaitMode = 0
number = ex.ExitCode
CheckError -52010, "Um diese Eigenschaft ""Exitcode""", "ExitCode in NoWait"
ex.Run "C:\kv-no-such-folder\no-such-program.exe"
CheckError -52009, "Programm oder Dokument ""C:\kv-no-such-folder\no-such-program.exe"" nicht gefunden." & _
    " @@@ clsExecute_Run @@@ KVFiles", "missing program"
On Error GoTo 0

Finish
