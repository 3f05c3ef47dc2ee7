#pragma once
// The control identifiers of the options dialog: page n's controls are n * 100 + i, so the
// page of a control is its identifier / 100.
#include <windows.h>

namespace kvr::options {

inline constexpr long conPageCount = 10;
inline constexpr int PageOf(int id) { return id / 100; }

enum : int {
    // the frame
    cmdOK = IDOK,
    cmdCancel = IDCANCEL,
    cmdHelp = 11,
    tabOptions = 12,
    imgResize = 13,
    // 1 "Anzeige"
    fraView = 101, lstView,
    // 2 "Menü"
    fraViewMenu = 201, lstViewMenu, lblViewMenuInfo,
    // 3 "Standard"
    fraStandard = 301, lstStandard,
    // 4 "Autodialog"
    fraAutoDialog = 401, chkAutoDialog, chkAutoclose, lblCloseTime, txtCloseTime, updAutoClose, lblCloseTimeUnit,
    fraCloseType, optCloseType0, optCloseType1,
    // 5 "Zeitsteuerung"
    fraTimeType = 501, optTimedActionType0, optTimedActionType1, optTimedActionType2, optTimedActionType3,
    optTimedActionType4, optTimedActionType5, optTimedActionType6, optTimedActionType7, lblTimeCountdown, dpTimeCountdown, lblTimeCountdownUnit,
    lblTimeForAction, dpTimeForAction, lblDateForAction, dpDateForAction, lblTimeWeekday, cboTimeWeekday,
    lblTimeMonthDay, txtTimeMonthDay, updTimeMonthDay, fraTimeOptions, lblTimeAction, cboTimeAction,
    chkTimedActionImmediate, fraTimeStatus, txtTimeStatus, lblTimeIdle, txtTimeIdleMinutes, updTimeIdle,
    lblTimeIdleUnit, chkTimeIdleNoFullScreen, lblTimeProcess, cboTimeProcess, lblTimeWarningLead,
    txtTimeWarningLead, updTimeWarningLead, lblTimeWarningUnit,
    // 6 "Logon"
    fraLogonGeneral = 601, chkAutoLogon, chkRepeatAutoLogon, fraLogonData, lblUsername, txtUsername, lblPassword,
    txtPassword, lblDomain, txtDomain, fraLogonOptions, chkHideUsername, chkForceLogon, fraLogonInfo, lblLogonInfo1,
    lblLogonInfo2, lblLogonInfo3,
    // 7 "Verknüpfung"
    fraLinkFor = 701, lblLinks, cboLinks, lblLinkName, txtLinkName, fraLinkTarget, optPath0, optPath1, optPath2,
    optPath3, lblLinkPath, txtLinkPath, cmdBrowse, fraLinkOptions, chkConfirmation, chkQuitImmediateLink,
    fraLinkRun, cmdCreateLink,
    // 8 "Fernsteuerung"
    fraRemoteBasic = 801, lblRemoteComputer, txtRemoteComputer, cmdBrowseComputer, optRemoteAction0,
    optRemoteAction1, lblRemoteAction, dpRemoteAction, lblRemoteActionUnit, lblRemoteMessage, txtRemoteMessage,
    fraRemoteOptions, chkRemoteQuitImmediate, chkRemoteMessage, fraRemoteRun, cmdRemoteShutdown, cmdRemoteStop,
    fraRemoteStatus, txtRemoteStatus,
    // 9 "Tastenkürzel"
    fraShortcuts = 901, lstShortcuts, fraShortcutChange, cmdShortcutDefine, cmdShortcutDelete, lblShortcutInfo,
    fraShortcutOptions, chkShortcutConfirmationMsg, chkShortcutQuitImmediate,
    // 10 "Optionen"
    fraBootManager = 1001, lblBootmenutime, txtBootmenutime, updBootMenuTime, lblBootmenutimeUnit, cmdEditBootIni,
    fraMisc, chkSwitchoff, chkShowSplash, fraQuitImmediate, chkAllowUnsaveQuit, chkSaveQuitImmediateState,
    fraProgramStart, chkAutoStart, chkResetToStandard,
};

}  // namespace kvr::options
