#include "hotkeys/basShortcuts.h"

#include <memory>
#include <optional>
#include <set>

#include "MessageBoxSeam.h"
#include "clsListView.h"
#include "hotkeys/basKeyCodes.h"
#include "program/basGlobals.h"
#include "program/basTools.h"
#include "work/basWork.h"
#include "work/basWorkText.h"

namespace kvr {

namespace {

constexpr const wchar_t* conRecordSeparator = L"||";
constexpr long conHotkeyColumn = 2;

// Records are shared so that a key release keeps the ones it walks alive while an action
// it performs reloads or drops the list.
using Records = std::vector<std::shared_ptr<const clsShortcutData>>;
std::optional<Records> g_shortcuts;   // absent before the first load and after exit began

// The definition mode: the page's list and the keys pressed since it started.
struct Definition {
    bool active = false;
    HWND list = nullptr;
    std::set<long> pressed;
} g_definition;

int Ask(const std::wstring& strText) {
    return kv::MessageBoxes().Show(nullptr, strText, VersionGlobal().InfoApplication(), MB_YESNOCANCEL | MB_ICONQUESTION);
}

std::vector<std::wstring> SplitRecords(const std::wstring& strList) {
    std::vector<std::wstring> items;
    size_t start = 0;
    while (start <= strList.size()) {
        size_t end = strList.find(conRecordSeparator, start);
        if (end == std::wstring::npos) end = strList.size();
        if (end > start) items.push_back(strList.substr(start, end - start));
        start = end + 2;
    }
    return items;
}

const clsShortcutData* Find(const Records& records, const std::wstring& strAction) {
    for (const auto& record : records)
        if (work::SameText(record->Action, strAction)) return record.get();
    return nullptr;
}

void PerformMatching(long lngKeyCode, long lngShift) {
    const long wanted = KeyCodeValue(lngKeyCode, lngShift);
    const Records records = *g_shortcuts;   // a copy: an action may reload or drop the list
    for (const auto& record : records) {
        if (!g_shortcuts) return;   // the program is ending
        if (KeyCodeValue(record->Key) != wanted) continue;
        if (State().ShortcutConfirmationMsg && !work::SameText(record->Action, conActionShowMain) &&
            Ask(L"Aktion \"" + record->Action + L"\" durchführen?") != IDYES)
            continue;
        RebootWindows(record->Action, State().ShortcutQuitImmedate);
    }
}

void AssignCaptured(long lngKeyCode, long lngShift) {
    HWND list = g_definition.list;
    CancelShortcutDefinition();
    if (lngKeyCode == VK_ESCAPE || !IsWindow(list)) return;
    kv::clsListView view;
    const long modifierFree = KeyCodeValue(lngKeyCode, lngShift) % 1000;
    const std::wstring code = CreateKeyCode(lngKeyCode, modifierFree);
    const long selected = view.LVFirstSelectedItem(list);
    if (selected == 0) return;
    const long rows = ListView_GetItemCount(list);
    // Every question asked must be answered Yes; a No or Cancel anywhere changes nothing.
    std::vector<long> taken;
    for (long row = 1; row <= rows; ++row) {
        const std::wstring text = view.LVGetValue(list, 0, L"", row, conHotkeyColumn).ToString();
        if (text.empty()) continue;
        if (row != selected && StringToKeycode(text) == code) {
            if (Ask(L"Tastenkürzel wird bereits verwendet. Soll das Tastenkürzel gelöscht und der aktuellen "
                    L"Auswahl zugewiesen werden?") != IDYES)
                return;
            taken.push_back(row);
        } else if (row == selected) {
            if (Ask(L"Der gewählten Aktion ist bereits ein Tastenkürzel zugewiesen. Überschreiben?") != IDYES) return;
        }
    }
    for (long row : taken) view.LVSetValue(list, L"", 0, L"", row, conHotkeyColumn);
    view.LVSetValue(list, KeycodeToString(code), 0, L"", selected, conHotkeyColumn);
}

}  // namespace

void ReadShortcuts() {
    Records records;
    for (const std::wstring& item : SplitRecords(ReadTextSetting(L"Shortcuts", conSG_Options, L""))) {
        const size_t separator = item.find(L';');
        const std::wstring action = item.substr(0, separator);
        const std::wstring key = separator == std::wstring::npos ? L"" : item.substr(separator + 1, item.find(L';', separator + 1) - separator - 1);
        // A code that is not six digits could never match and would fail on every key release.
        if (action.empty() || !IsKeyCode(key) || Find(records, action)) continue;
        records.push_back(std::make_shared<const clsShortcutData>(clsShortcutData{action, key}));
    }
    g_shortcuts = std::move(records);
}

void DiscardShortcuts() {
    g_shortcuts.reset();
    g_definition = Definition{};
}

std::vector<clsShortcutData> Shortcuts() {
    std::vector<clsShortcutData> out;
    if (g_shortcuts)
        for (const auto& record : *g_shortcuts) out.push_back(*record);
    return out;
}

std::wstring GetShortcut(const std::wstring& strAction) {
    if (!g_shortcuts) return L"";
    const clsShortcutData* record = Find(*g_shortcuts, strAction);
    return record ? KeycodeToString(record->Key) : L"";
}

void WriteShortcuts(const std::vector<std::pair<std::wstring, std::wstring>>& rows) {
    Forwarded(L"basShortcuts", L"WriteShortcuts", [&] {
        std::wstring stored;
        const auto add = [&](const std::wstring& action, const std::wstring& code) {
            if (!stored.empty()) stored += conRecordSeparator;
            stored += action + L";" + code;
        };
        for (const auto& [action, text] : rows)
            if (!text.empty()) add(action, StringToKeycode(text));
        // An action the list does not show now (hidden from the list) keeps its hotkey.
        if (g_shortcuts) {
            for (const auto& record : *g_shortcuts) {
                bool listed = false;
                for (const auto& row : rows) listed = listed || work::SameText(row.first, record->Action);
                if (!listed) add(record->Action, record->Key);
            }
        }
        WriteSetting(L"Shortcuts", conSG_Options, stored);
        ReadShortcuts();
    });
}

void WriteShortcuts(HWND lstShortcuts) {
    kv::clsListView view;
    std::vector<std::pair<std::wstring, std::wstring>> rows;
    const long count = ListView_GetItemCount(lstShortcuts);
    for (long row = 1; row <= count; ++row)
        rows.emplace_back(view.LVGetValue(lstShortcuts, 0, L"", row, 1).ToString(),
                          view.LVGetValue(lstShortcuts, 0, L"", row, conHotkeyColumn).ToString());
    WriteShortcuts(rows);
}

void HandleKeys(long lngKeyCode, long lngShift) {
    Shown(L"clsKeyHook", L"HandleKeys", [&] {
        if (!g_shortcuts) return;
        if (!g_definition.active) {
            PerformMatching(lngKeyCode, lngShift);
            return;
        }
        // The release of the key that started the mode (Alt+D on the button) is not the
        // combination the user is about to press.
        if (!g_definition.pressed.count(lngKeyCode)) return;
        AssignCaptured(lngKeyCode, lngShift);
    });
}

void NoteKeyDown(long lngKeyCode) {
    if (g_definition.active) g_definition.pressed.insert(lngKeyCode);
}

void StartShortcutDefinition(HWND lstShortcuts, HWND cmdShortcutDefine) {
    kv::clsListView view;
    const long selected = view.LVFirstSelectedItem(lstShortcuts);
    if (selected == 0) return;
    view.LVUnselectAllItems(lstShortcuts);
    ListView_SetItemState(lstShortcuts, selected - 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(lstShortcuts, selected - 1, FALSE);
    g_definition = Definition{true, lstShortcuts, {}};
    SetFocus(cmdShortcutDefine);
}

void CancelShortcutDefinition() {
    const HWND list = g_definition.list;
    g_definition = Definition{};
    if (IsWindow(list)) SetFocus(list);
}

bool ShortcutDefinitionActive() { return g_definition.active; }

}  // namespace kvr
