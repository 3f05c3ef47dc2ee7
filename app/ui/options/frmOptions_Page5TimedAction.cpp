// Page 5 "Zeitsteuerung": the timed action.
#include "ui/options/OptionsControls.h"

#include "program/basGlobals.h"
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
            {Frame(fraTimeType, 0, 0, 405, 96, L"Art/Zeit", conGrowX),
             Option(optTimedActionType0, 8, 13, 110, conTimedActionTypeCaptions[0], true),
             Option(optTimedActionType1, 8, 26, 110, conTimedActionTypeCaptions[1], false),
             Option(optTimedActionType2, 8, 39, 110, conTimedActionTypeCaptions[2], false),
             Option(optTimedActionType3, 8, 52, 110, conTimedActionTypeCaptions[3], false),
             Option(optTimedActionType4, 8, 65, 110, conTimedActionTypeCaptions[4], false),
             Option(optTimedActionType5, 8, 78, 110, conTimedActionTypeCaptions[5], false),
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
             Frame(fraTimeOptions, 0, 102, 405, 46, L"Optionen", conGrowX),
             Label(lblTimeAction, 8, 117, 40, L"&Aktion"),
             Combo(cboTimeAction, 50, 115, 347, conGrowX),
             Check(chkTimedActionImmediate, 8, 132, 200, L"&Sofort beenden"),
             Frame(fraTimeStatus, 0, 154, 405, 32, L"Status", conGrowX),
             ReadOnly(txtTimeStatus, 8, 167, 389, conGrowX)},
            [](frmOptions& form, const OptionsValues& v) {
                SetDurationFormat(form.Item(dpTimeCountdown));
                SendMessageW(form.Item(updTimeMonthDay), UDM_SETRANGE32, 1, 31);
                std::vector<std::wstring> weekdays;
                // Monday first: the locale's day names 1 (Monday) ... 7 (Sunday).
                for (long item = LOCALE_SDAYNAME1; item <= LOCALE_SDAYNAME7; ++item)
                    weekdays.push_back(Helper().GetRegionalInfo(item));
                form.FillCombo(cboTimeWeekday, weekdays);
                form.SetComboIndex(cboTimeWeekday, v.TimeWeekday - 1);
                const std::vector<std::wstring> actions = TimeActionItems(v);
                form.FillCombo(cboTimeAction, actions);
                form.SetComboIndex(cboTimeAction, FindItem(actions, v.TimeAction));
                form.SelectOption(optTimedActionType0, 6, v.TimeActionType);
                form.SetPickerTime(dpTimeCountdown, v.TimeCountdown);
                form.SetPickerTime(dpTimeForAction, v.TimeForAction);
                form.SetPickerDate(dpDateForAction, v.TimeDateForAction);
                form.SetText(txtTimeMonthDay, v.TimeMonthDay);
                form.SetChecked(chkTimedActionImmediate, v.TimedActionImmediate);
                form.SetText(txtTimeStatus, StatusText(v.TimeActionType));
            },
            [](frmOptions& form, OptionsValues& v) {
                v.TimeActionType = form.SelectedOption(optTimedActionType0, 6);
                const long action = form.ComboIndex(cboTimeAction);
                v.TimeAction = action > 0 ? TimeActionItems(v)[action] : L"";
                v.TimeCountdown = form.PickerTime(dpTimeCountdown);
                v.TimeForAction = form.PickerTime(dpTimeForAction);
                v.TimeDateForAction = form.PickerDate(dpDateForAction);
                v.TimeWeekday = form.ComboIndex(cboTimeWeekday) + 1;
                v.TimeMonthDay = form.Text(txtTimeMonthDay);
                v.TimedActionImmediate = form.Checked(chkTimedActionImmediate);
            }};
}

}  // namespace kvr::options
