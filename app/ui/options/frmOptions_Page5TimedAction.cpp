// Page 5 "Zeitsteuerung": the timed action.
#include "ui/options/OptionsControls.h"

#include "program/basGlobals.h"
#include "work/TimedActionChecks.h"
#include "work/basTimedAction.h"
#include "work/basWork.h"

namespace kvr::options {

using namespace controls;

namespace {

// The action entries with an empty first item ("Windows beenden..." is no timed action).
std::vector<std::wstring> TimeActionItems(const OptionsValues& v) {
    std::vector<std::wstring> items{L""};
    for (const ActionRow& row : v.View) items.push_back(row.Text);
    return items;
}

std::wstring StatusText(long lngType) {
    if (lngType == conTA_Off || !TimedActionTimerOn()) return L"Nicht aktiv";
    std::wstring caption;
    for (const wchar_t* c = conTimedActionTypeCaptions[lngType]; *c; ++c)
        if (*c != L'&') caption += *c;
    return L"'" + caption + L"' läuft...";
}

}  // namespace

PageSpec Page5TimedAction() {
    return {L"Zeitsteuerung",
            L"Zeitsteuerung.htm",
            0,
            {Frame(fraTimeType, 0, 0, 405, 122, L"Art/Zeit", conGrowX),
             Option(optTimedActionType0, 8, 13, 110, conTimedActionTypeCaptions[0], true),
             Option(optTimedActionType1, 8, 26, 110, conTimedActionTypeCaptions[1], false),
             Option(optTimedActionType2, 8, 39, 110, conTimedActionTypeCaptions[2], false),
             Option(optTimedActionType3, 8, 52, 110, conTimedActionTypeCaptions[3], false),
             Option(optTimedActionType4, 8, 65, 110, conTimedActionTypeCaptions[4], false),
             Option(optTimedActionType5, 8, 78, 110, conTimedActionTypeCaptions[5], false),
             Option(optTimedActionType6, 8, 91, 110, conTimedActionTypeCaptions[6], false),
             Option(optTimedActionType7, 8, 104, 110, conTimedActionTypeCaptions[7], false),
             Label(lblTimeCountdown, 130, 15, 40, L"&Nach"),
             Picker(dpTimeCountdown, 175, 13, 60, DTS_TIMEFORMAT | DTS_UPDOWN),
             Label(lblTimeCountdownUnit, 240, 15, 60, L"Stunden"),
             Label(lblTimeForAction, 130, 30, 40, L"Uhr&zeit"),
             Picker(dpTimeForAction, 175, 28, 60, DTS_TIMEFORMAT | DTS_UPDOWN),
             Label(lblDateForAction, 130, 45, 40, L"Dat&um"),
             Picker(dpDateForAction, 175, 43, 90, DTS_SHORTDATEFORMAT),
             Label(lblTimeWeekday, 130, 60, 40, L"Ta&g"),
             Combo(cboTimeWeekday, 175, 58, 90),
             Label(lblTimeMonthDay, 130, 76, 40, L"Ta&g"),
             Edit(txtTimeMonthDay, 175, 74, 30, ES_NUMBER),
             UpDown(updTimeMonthDay),
             Label(lblTimeIdle, 130, 92, 40, L"Leerlau&f"),
             Edit(txtTimeIdleMinutes, 175, 90, 30, ES_NUMBER),
             UpDown(updTimeIdle),
             Label(lblTimeIdleUnit, 210, 92, 80, L"Minuten ohne Eingabe"),
             Check(chkTimeIdleNoFullScreen, 295, 91, 105, L"Nicht bei &Vollbild"),
             Label(lblTimeProcess, 130, 107, 40, L"P&rogramm"),
             Combo(cboTimeProcess, 175, 105, 222, conGrowX),
             Frame(fraTimeOptions, 0, 128, 405, 46, L"Optionen", conGrowX),
             Label(lblTimeAction, 8, 143, 40, L"&Aktion"),
             Combo(cboTimeAction, 50, 141, 347, conGrowX),
             Check(chkTimedActionImmediate, 8, 158, 150, L"&Sofort beenden"),
             Label(lblTimeWarningLead, 175, 159, 58, L"Warnung vor&her"),
             Edit(txtTimeWarningLead, 235, 157, 34, ES_NUMBER),
             UpDown(updTimeWarningLead),
             Label(lblTimeWarningUnit, 274, 159, 90, L"Sekunden (0: keine)"),
             Frame(fraTimeStatus, 0, 180, 405, 32, L"Status", conGrowX),
             ReadOnly(txtTimeStatus, 8, 193, 389, conGrowX)},
            [](frmOptions& form, const OptionsValues& v) {
                SetDurationFormat(form.Item(dpTimeCountdown));
                SendMessageW(form.Item(updTimeMonthDay), UDM_SETRANGE32, 1, 31);
                SendMessageW(form.Item(updTimeIdle), UDM_SETRANGE32, 1, conIdleMinutesMax);
                SendMessageW(form.Item(updTimeWarningLead), UDM_SETRANGE32, 0, conWarningLeadMax);
                std::vector<std::wstring> processes;
                for (const ProcessChoice& p : v.Processes) processes.push_back(ProcessChoiceText(p));
                form.FillCombo(cboTimeProcess, processes);
                long chosen = -1;
                for (size_t i = 0; i < v.Processes.size(); ++i)
                    if (v.Processes[i].ProcessId == v.TimeProcess.ProcessId && v.Processes[i].Name == v.TimeProcess.Name)
                        chosen = static_cast<long>(i);
                form.SetComboIndex(cboTimeProcess, chosen);
                form.SetText(txtTimeIdleMinutes, v.TimeIdleMinutes);
                form.SetChecked(chkTimeIdleNoFullScreen, v.TimeIdleNoFullScreen);
                form.SetText(txtTimeWarningLead, v.TimeWarningLead);
                std::vector<std::wstring> weekdays;
                // Monday first: the locale's day names 1 (Monday) ... 7 (Sunday).
                for (long item = LOCALE_SDAYNAME1; item <= LOCALE_SDAYNAME7; ++item)
                    weekdays.push_back(Helper().GetRegionalInfo(item));
                form.FillCombo(cboTimeWeekday, weekdays);
                form.SetComboIndex(cboTimeWeekday, v.TimeWeekday - 1);
                const std::vector<std::wstring> actions = TimeActionItems(v);
                form.FillCombo(cboTimeAction, actions);
                form.SetComboIndex(cboTimeAction, FindItem(actions, v.TimeAction));
                form.SelectOption(optTimedActionType0, 8, v.TimeActionType);
                form.SetPickerTime(dpTimeCountdown, v.TimeCountdown);
                form.SetPickerTime(dpTimeForAction, v.TimeForAction);
                form.SetPickerDate(dpDateForAction, v.TimeDateForAction);
                form.SetText(txtTimeMonthDay, v.TimeMonthDay);
                form.SetChecked(chkTimedActionImmediate, v.TimedActionImmediate);
                form.SetText(txtTimeStatus, StatusText(v.TimeActionType));
            },
            [](frmOptions& form, OptionsValues& v) {
                v.TimeActionType = form.SelectedOption(optTimedActionType0, 8);
                const long action = form.ComboIndex(cboTimeAction);
                v.TimeAction = action > 0 ? TimeActionItems(v)[action] : L"";
                v.TimeCountdown = form.PickerTime(dpTimeCountdown);
                v.TimeForAction = form.PickerTime(dpTimeForAction);
                v.TimeDateForAction = form.PickerDate(dpDateForAction);
                v.TimeWeekday = form.ComboIndex(cboTimeWeekday) + 1;
                v.TimeMonthDay = form.Text(txtTimeMonthDay);
                v.TimedActionImmediate = form.Checked(chkTimedActionImmediate);
                v.TimeIdleMinutes = form.Text(txtTimeIdleMinutes);
                v.TimeIdleNoFullScreen = form.Checked(chkTimeIdleNoFullScreen);
                const long process = form.ComboIndex(cboTimeProcess);
                v.TimeProcess = process >= 0 && process < static_cast<long>(v.Processes.size()) ? v.Processes[process]
                                                                                              : ProcessChoice{};
                v.TimeWarningLead = form.Text(txtTimeWarningLead);
            }};
}

}  // namespace kvr::options
