// The shutdown-time dialog, shown for real: the test thread runs it modally while a second
// thread acts as the user (clicks, keys, timer ticks) and reads what the dialog shows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "BootIniTest.h"
#include "RecordingMessageBox.h"
#include "Waiting.h"
#include "ui/autodialog/basAutoDialog.h"
#include "ui/autodialog/frmAutoDialog.h"

using namespace kvr;

namespace {

const std::wstring kProfessional = L"Microsoft Windows XP Professional";  // partition(1)
const std::wstring kHome = L"Microsoft Windows XP Home";                  // partition(2)
const std::wstring kPartition1 = L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS";
const std::wstring kPartition2 = L"multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS";

// ---- What the second thread does ----

using kvtest::WaitUntil;

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }
HWND List(HWND dialog) { return Item(dialog, frmAutoDialog::lstRebootOptions); }

std::wstring Text(HWND dialog, int id) {
    wchar_t text[256] = {};
    GetWindowTextW(Item(dialog, id), text, 256);
    return text;
}

std::vector<std::wstring> ListEntries(HWND dialog) {
    std::vector<std::wstring> entries(ListView_GetItemCount(List(dialog)));
    for (size_t i = 0; i < entries.size(); ++i) {
        wchar_t text[256] = {};
        ListView_GetItemText(List(dialog), static_cast<int>(i), 0, text, 256);
        entries[i] = text;
    }
    return entries;
}

int SelectedIndex(HWND dialog) { return ListView_GetNextItem(List(dialog), -1, LVNI_SELECTED); }

bool CountdownShown(HWND dialog) {
    return IsWindowVisible(Item(dialog, frmAutoDialog::prgCloseTime)) &&
           IsWindowVisible(Item(dialog, frmAutoDialog::lblCloseTime));
}

long BarPosition(HWND dialog) {
    return static_cast<long>(SendMessageW(Item(dialog, frmAutoDialog::prgCloseTime), PBM_GETPOS, 0, 0));
}

// Posts n ticks of timAutoClose at once and waits until they are taken (or the dialog has
// gone). While the countdown runs, the bar shows it (the real timer may add a tick or two);
// while it is off, a mark set on the hidden bar behind the ticks does.
void Tick(HWND dialog, int n, bool countdownRuns = true) {
    const long until = countdownRuns ? BarPosition(dialog) + n : 77;
    for (int i = 0; i < n; ++i) PostMessageW(dialog, WM_TIMER, frmAutoDialog::timAutoClose, 0);
    if (!countdownRuns) PostMessageW(Item(dialog, frmAutoDialog::prgCloseTime), PBM_SETPOS, until, 0);
    WaitUntil([&] { return !IsWindow(dialog) || BarPosition(dialog) >= until; });
}

void Click(HWND dialog, int id) { SendMessageW(Item(dialog, id), BM_CLICK, 0, 0); }

// A real mouse click (or two) on an entry of the list.
void ClickEntry(HWND dialog, int index, int clicks = 1) {
    RECT r{};
    ListView_GetItemRect(List(dialog), index, &r, LVIR_LABEL);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(List(dialog), &p);
    SetCursorPos(p.x, p.y);
    Sleep(50);
    for (int i = 0; i < clicks; ++i) {
        mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        Sleep(30);
    }
}

// Runs the dialog on this thread while user() acts on it from another; OpenAutoDialog's
// answer (True: cancel the session end).
bool OpenWhile(const std::function<void(HWND)>& user) {
    std::thread second([&] {
        HWND dialog = kvtest::WaitForDialog(L"System für Neustart - Kelvo Restart");
        if (!dialog) {
            ADD_FAILURE() << "the dialog did not appear";
            return;
        }
        user(dialog);
        if (!WaitUntil([&] { return !IsWindow(dialog); })) {
            ADD_FAILURE() << "the dialog is still open";
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
    bool cancel = OpenAutoDialog();
    second.join();
    return cancel;
}

using AutoDialog = kvtest::BootIniTest;

}  // namespace

TEST_F(AutoDialog, WhatTheUserDoes_DecidesTheBootSystem) {
    struct Case {
        const char* what;
        int bootIniDefault;  // 0: no boot.ini
        long autoClose;
        const wchar_t* closeTime;
        long closeType;
        std::wstring last;
        std::function<void(HWND)> user;
        bool cancel;
        std::wstring defaultEntry;  // "": boot.ini unchanged
        std::wstring remembered;
    } cases[] = {
        {"ten seconds without input: the standard system with CloseType 0", 2, 1, L"10", 0, kHome,
         [](HWND d) {
             EXPECT_EQ(AutoDialogWindow(), d);
             EXPECT_EQ(Text(d, frmAutoDialog::Label1), L"Welches System soll nach dem nächsten Neustart gebootet werden?");
             EXPECT_EQ(Text(d, frmAutoDialog::cmdOK), L"Windows beenden");
             EXPECT_EQ(Text(d, frmAutoDialog::cmdCancel), L"Abbrechen");
             EXPECT_EQ(ListEntries(d), (std::vector<std::wstring>{kProfessional, kHome}));
             EXPECT_EQ(SelectedIndex(d), 1);
             EXPECT_TRUE(CountdownShown(d));
             EXPECT_EQ(Text(d, frmAutoDialog::lblCloseTime), L"10");
             Tick(d, 50);  // five seconds
             EXPECT_EQ(Text(d, frmAutoDialog::lblCloseTime), L"5");
             EXPECT_NEAR(BarPosition(d), 50, 4);
             Tick(d, 40);  // nine seconds: the last second runs
             EXPECT_EQ(Text(d, frmAutoDialog::lblCloseTime), L"1");
             Tick(d, 10);  // accepted when the time, rounded to seconds, reaches ten
             EXPECT_FALSE(IsWindow(d));
         },
         false, kPartition1, kHome},
        {"CloseType 1 runs out into the selection", 1, 1, L"1", 1, kHome,
         [](HWND d) {
             Sleep(500);  // the real timer runs it out after a second
             EXPECT_TRUE(IsWindow(d));
         },
         false, kPartition2, kHome},
        {"OK during the countdown takes the standard system with CloseType 0", 2, 1, L"10", 0, kHome,
         [](HWND d) { Click(d, frmAutoDialog::cmdOK); }, false, kPartition1, kHome},
        {"a click into the list stops the countdown; OK takes the selection", 1, 1, L"10", 0, L"",
         [](HWND d) {
             EXPECT_EQ(SelectedIndex(d), -1);
             ClickEntry(d, 1);
             EXPECT_TRUE(WaitUntil([&] { return !CountdownShown(d); }));
             Tick(d, 200, false);  // ticks still queued after the stop do nothing
             Click(d, frmAutoDialog::cmdOK);
         },
         false, kPartition2, kHome},
        {"a key stops the countdown; a double click takes the selection", 1, 1, L"10", 0, kProfessional,
         [](HWND d) {
             PostMessageW(List(d), WM_KEYDOWN, VK_SHIFT, 0);
             EXPECT_TRUE(WaitUntil([&] { return !CountdownShown(d); }));
             ClickEntry(d, 1, 2);
         },
         false, kPartition2, kHome},
        {"CloseTime 999999: no countdown; OK takes the selection", 1, 1, L"999999", 0, kHome,
         [](HWND d) {
             EXPECT_FALSE(CountdownShown(d));
             Click(d, frmAutoDialog::cmdOK);
         },
         false, kPartition2, kHome},
        {"Abbrechen writes nothing but remembers the selection", 1, 0, L"10", 0, kProfessional,
         [](HWND d) {
             EXPECT_FALSE(CountdownShown(d));
             ListView_SetItemState(List(d), 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
             Click(d, frmAutoDialog::cmdCancel);
         },
         true, L"", kHome},
        {"nothing selected: nothing written", 2, 0, L"0", 0, L"", [](HWND d) { Click(d, frmAutoDialog::cmdOK); },
         false, L"", L""},
        {"without boot.ini: the plain actions, the last choice whatever its case", 0, 0, L"0", 0, L"neu starten",
         [](HWND d) {
             EXPECT_EQ(ListEntries(d), (std::vector<std::wstring>{L"Herunterfahren", L"Neu starten", L"Neu anmelden"}));
             EXPECT_EQ(SelectedIndex(d), 1);
             Click(d, frmAutoDialog::cmdOK);
         },
         false, L"", L"Neu starten"},
    };
    const std::wstring key = kvtest::kOptionsKey;
    kvtest::RegistrySnapshot snapshot({{HKEY_CURRENT_USER, key, L"AutoClose"},
                                       {HKEY_CURRENT_USER, key, L"CloseTime"},
                                       {HKEY_CURRENT_USER, key, L"CloseType"},
                                       {HKEY_CURRENT_USER, key, L"LastSelectedOptionAutoDialog"}});
    kvtest::RecordingMessageBox boxes;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bootIni = kvtest::kXpBootIni;
        if (c.bootIniDefault == 2) bootIni.replace(bootIni.find("partition(1)"), 12, "partition(2)");
        if (c.bootIniDefault == 0) {
            kvtest::RemoveFile(kvtest::kBootIni);
        } else {
            kvtest::WriteFileText(kvtest::kBootIni, bootIni);
        }
        const std::string before = kvtest::ReadFileText(kvtest::kBootIni);
        State().StandardSystem = kProfessional;
        kvtest::Store(HKEY_CURRENT_USER, key, L"AutoClose", static_cast<DWORD>(c.autoClose));
        kvtest::Store(HKEY_CURRENT_USER, key, L"CloseTime", c.closeTime);
        kvtest::Store(HKEY_CURRENT_USER, key, L"CloseType", static_cast<DWORD>(c.closeType));
        kvtest::Store(HKEY_CURRENT_USER, key, L"LastSelectedOptionAutoDialog", c.last);

        EXPECT_EQ(OpenWhile(c.user), c.cancel);
        if (c.defaultEntry.empty()) {
            EXPECT_EQ(kvtest::ReadFileText(kvtest::kBootIni), before);
        } else {
            EXPECT_EQ(DefaultEntry(), c.defaultEntry);
        }
        EXPECT_EQ(kvtest::FileExists(kvtest::kBootIni), c.bootIniDefault != 0);
        EXPECT_EQ(kvtest::Stored(HKEY_CURRENT_USER, key, L"LastSelectedOptionAutoDialog").text, c.remembered);
        EXPECT_EQ(AutoDialogWindow(), nullptr);
    }
    EXPECT_TRUE(boxes.shown.empty());
}
