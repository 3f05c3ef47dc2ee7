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
#include "basAutoDialog.h"
#include "frmAutoDialog.h"

using namespace kvr;
using kvtest::Stored;

namespace {

const wchar_t* const kCaption = L"System für Neustart - Kelvo Restart";
const std::wstring kProfessional = L"Microsoft Windows XP Professional";  // partition(1)
const std::wstring kHome = L"Microsoft Windows XP Home";                  // partition(2)
const std::wstring kPartition1 = L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS";
const std::wstring kPartition2 = L"multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS";

// ---- What the second thread does ----

HWND WaitForDialog() {
    for (int i = 0; i < 100; ++i) {
        HWND dialog = FindWindowW(L"#32770", kCaption);
        if (dialog && IsWindowVisible(dialog)) return dialog;
        Sleep(50);
    }
    return nullptr;
}

bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 3000) {
    for (int waited = 0; waited < milliseconds; waited += 20) {
        if (condition()) return true;
        Sleep(20);
    }
    return condition();
}

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }

std::wstring Text(HWND control) {
    wchar_t text[256] = {};
    GetWindowTextW(control, text, 256);
    return text;
}

std::vector<std::wstring> ListEntries(HWND dialog) {
    HWND list = Item(dialog, frmAutoDialog::lstRebootOptions);
    std::vector<std::wstring> entries;
    int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        LVITEMW item{};
        item.pszText = text;
        item.cchTextMax = 256;
        SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
        entries.push_back(text);
    }
    return entries;
}

int SelectedIndex(HWND dialog) {
    return static_cast<int>(SendMessageW(Item(dialog, frmAutoDialog::lstRebootOptions), LVM_GETNEXTITEM,
                                         static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool CountdownShown(HWND dialog) {
    return IsWindowVisible(Item(dialog, frmAutoDialog::prgCloseTime)) &&
           IsWindowVisible(Item(dialog, frmAutoDialog::lblCloseTime));
}

long BarPosition(HWND dialog) {
    return static_cast<long>(SendMessageW(Item(dialog, frmAutoDialog::prgCloseTime), PBM_GETPOS, 0, 0));
}

// Posts n ticks of timAutoClose at once and waits until they are taken (or the dialog has
// gone). The real timer may add a tick or two meanwhile.
void Tick(HWND dialog, int n) {
    long before = BarPosition(dialog);
    for (int i = 0; i < n; ++i) PostMessageW(dialog, WM_TIMER, frmAutoDialog::timAutoClose, 0);
    WaitUntil([&] { return !IsWindow(dialog) || BarPosition(dialog) >= before + n; });
}

// Posts n ticks while the automatic close is off, then a mark on the (hidden) bar behind
// them; when the mark shows, the ticks have been taken.
void TickWhileOff(HWND dialog, int n) {
    constexpr long kMark = 77;
    for (int i = 0; i < n; ++i) PostMessageW(dialog, WM_TIMER, frmAutoDialog::timAutoClose, 0);
    PostMessageW(Item(dialog, frmAutoDialog::prgCloseTime), PBM_SETPOS, kMark, 0);
    WaitUntil([&] { return !IsWindow(dialog) || BarPosition(dialog) == kMark; });
}

void Click(HWND dialog, int id) { SendMessageW(Item(dialog, id), BM_CLICK, 0, 0); }

// A real mouse click (or two) on an entry of the list.
void ClickEntry(HWND dialog, int index, int clicks = 1) {
    HWND list = Item(dialog, frmAutoDialog::lstRebootOptions);
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageW(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(list, &p);
    SetCursorPos(p.x, p.y);
    Sleep(50);
    for (int i = 0; i < clicks; ++i) {
        INPUT input[2]{};
        input[0].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[1].type = INPUT_MOUSE;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, input, sizeof(INPUT));
        Sleep(30);
    }
}

void SelectEntry(HWND dialog, int index) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Item(dialog, frmAutoDialog::lstRebootOptions), LVM_SETITEMSTATE, index,
                 reinterpret_cast<LPARAM>(&item));
}

// ---- The fixture ----

class AutoDialog : public kvtest::BootIniTest {
protected:
    void SetUp() override {
        BootIniTest::SetUp();
        for (const auto& v : kTouched) kvtest::Remove(v.root, v.path, v.name);
    }
    void TearDown() override {
        EXPECT_TRUE(boxes.shown.empty()) << (boxes.shown.empty() ? "" : std::string(boxes.shown[0].text.begin(),
                                                                                      boxes.shown[0].text.end()));
        BootIniTest::TearDown();
    }

    // The XP boot.ini with the given default partition.
    static void WriteBootIni(int defaultPartition) {
        std::string text = kvtest::kXpBootIni;
        if (defaultPartition == 2) text.replace(text.find("partition(1)"), 12, "partition(2)");
        kvtest::WriteFileText(kvtest::kBootIni, text);
    }
    static void Settings(long autoClose, const std::wstring& closeTime, long closeType, const std::wstring& last) {
        kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"AutoClose", static_cast<DWORD>(autoClose));
        kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"CloseTime", closeTime);
        kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"CloseType", static_cast<DWORD>(closeType));
        kvtest::Store(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"LastSelectedOptionAutoDialog", last);
    }
    static std::wstring LastSelected() {
        return Stored(HKEY_CURRENT_USER, kvtest::kOptionsKey, L"LastSelectedOptionAutoDialog").text;
    }

    // Runs the dialog on this thread while user() acts on it from another; OpenAutoDialog's
    // answer (True: cancel the session end).
    bool OpenWhile(const std::function<void(HWND)>& user) {
        std::thread second([&] {
            HWND dialog = WaitForDialog();
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

    static inline const std::vector<kvtest::RegValue> kTouched = {
        {HKEY_CURRENT_USER, kvtest::kOptionsKey, L"AutoClose"},
        {HKEY_CURRENT_USER, kvtest::kOptionsKey, L"CloseTime"},
        {HKEY_CURRENT_USER, kvtest::kOptionsKey, L"CloseType"},
        {HKEY_CURRENT_USER, kvtest::kOptionsKey, L"LastSelectedOptionAutoDialog"},
    };
    kvtest::RegistrySnapshot snapshot_{kTouched};
    kvtest::RecordingMessageBox boxes;
};

}  // namespace

TEST_F(AutoDialog, CountdownRunsOutIntoTheStandardSystem) {
    WriteBootIni(1);
    State().StandardSystem = kHome;
    Settings(1, L"10", 0, kProfessional);

    bool cancel = OpenWhile([](HWND dialog) {
        EXPECT_EQ(AutoDialogWindow(), dialog);
        EXPECT_EQ(Text(Item(dialog, frmAutoDialog::Label1)),
                  L"Welches System soll nach dem nächsten Neustart gebootet werden?");
        EXPECT_EQ(Text(Item(dialog, frmAutoDialog::cmdOK)), L"Windows beenden");
        EXPECT_EQ(Text(Item(dialog, frmAutoDialog::cmdCancel)), L"Abbrechen");
        EXPECT_EQ(ListEntries(dialog), (std::vector<std::wstring>{kProfessional, kHome}));
        EXPECT_EQ(SelectedIndex(dialog), 0);
        EXPECT_TRUE(CountdownShown(dialog));
        EXPECT_EQ(Text(Item(dialog, frmAutoDialog::lblCloseTime)), L"10");

        // Five seconds of ticks.
        Tick(dialog, 50);
        EXPECT_EQ(Text(Item(dialog, frmAutoDialog::lblCloseTime)), L"5");
        EXPECT_NEAR(BarPosition(dialog), 50, 4);
        // Nine seconds: the last second runs.
        Tick(dialog, 40);
        EXPECT_TRUE(IsWindow(dialog));
        EXPECT_EQ(Text(Item(dialog, frmAutoDialog::lblCloseTime)), L"1");
        // The dialog accepts when the time, rounded to seconds, reaches ten.
        Tick(dialog, 10);
        EXPECT_FALSE(IsWindow(dialog));
    });

    EXPECT_FALSE(cancel);
    EXPECT_EQ(DefaultEntry(), kPartition2);
    EXPECT_EQ(LastSelected(), kProfessional);
    EXPECT_EQ(AutoDialogWindow(), nullptr);
}

TEST_F(AutoDialog, CountdownWithCloseType1RunsOutIntoTheSelectedSystem) {
    WriteBootIni(1);
    State().StandardSystem = kProfessional;
    Settings(1, L"1", 1, kHome);
    DWORD start = GetTickCount();
    bool cancel = OpenWhile([](HWND) {});  // the real timer runs it out
    EXPECT_GE(GetTickCount() - start, 800u);
    EXPECT_FALSE(cancel);
    EXPECT_EQ(DefaultEntry(), kPartition2);
}

TEST_F(AutoDialog, AClickIntoTheListStopsTheCountdownAndOKWritesTheSelection) {
    WriteBootIni(1);
    State().StandardSystem = kProfessional;
    Settings(1, L"10", 0, L"");

    bool cancel = OpenWhile([](HWND dialog) {
        EXPECT_EQ(SelectedIndex(dialog), -1);
        ClickEntry(dialog, 1);
        EXPECT_TRUE(WaitUntil([&] { return !CountdownShown(dialog); }));
        EXPECT_EQ(SelectedIndex(dialog), 1);
        TickWhileOff(dialog, 200);  // ticks still queued after the stop do nothing
        EXPECT_TRUE(IsWindow(dialog));
        Click(dialog, frmAutoDialog::cmdOK);
    });

    EXPECT_FALSE(cancel);
    EXPECT_EQ(DefaultEntry(), kPartition2);
    EXPECT_EQ(LastSelected(), kHome);
}

TEST_F(AutoDialog, OKDuringTheCountdownWritesTheStandardSystemWithCloseType0) {
    WriteBootIni(2);
    State().StandardSystem = kProfessional;
    Settings(1, L"10", 0, kHome);
    bool cancel = OpenWhile([](HWND dialog) { Click(dialog, frmAutoDialog::cmdOK); });
    EXPECT_FALSE(cancel);
    EXPECT_EQ(DefaultEntry(), kPartition1);
}

TEST_F(AutoDialog, AKeyStopsTheCountdownAndADoubleClickAccepts) {
    WriteBootIni(1);
    State().StandardSystem = kProfessional;
    Settings(1, L"10", 0, kProfessional);

    bool cancel = OpenWhile([](HWND dialog) {
        PostMessageW(Item(dialog, frmAutoDialog::lstRebootOptions), WM_KEYDOWN, VK_SHIFT, 0);
        EXPECT_TRUE(WaitUntil([&] { return !CountdownShown(dialog); }));
        ClickEntry(dialog, 1, 2);
    });

    EXPECT_FALSE(cancel);
    EXPECT_EQ(DefaultEntry(), kPartition2);
    EXPECT_EQ(LastSelected(), kHome);
}

TEST_F(AutoDialog, CancelRefusesAndWritesNothingButRemembersTheSelection) {
    WriteBootIni(1);
    const std::string before = kvtest::ReadFileText(kvtest::kBootIni);
    State().StandardSystem = kProfessional;
    Settings(0, L"10", 0, kProfessional);

    bool cancel = OpenWhile([](HWND dialog) {
        EXPECT_FALSE(CountdownShown(dialog));
        SelectEntry(dialog, 1);
        Click(dialog, frmAutoDialog::cmdCancel);
    });

    EXPECT_TRUE(cancel);
    EXPECT_EQ(kvtest::ReadFileText(kvtest::kBootIni), before);
    EXPECT_EQ(LastSelected(), kHome);
}

TEST_F(AutoDialog, CloseTime999999ShowsNoCountdownAndOKWritesTheSelection) {
    WriteBootIni(1);
    State().StandardSystem = kProfessional;
    Settings(1, L"999999", 0, kHome);

    bool cancel = OpenWhile([](HWND dialog) {
        EXPECT_FALSE(CountdownShown(dialog));
        TickWhileOff(dialog, 20);
        EXPECT_TRUE(IsWindow(dialog));
        Click(dialog, frmAutoDialog::cmdOK);
    });

    EXPECT_FALSE(cancel);
    // No countdown ran, so the entry the user saw selected counts, not the standard system.
    EXPECT_EQ(DefaultEntry(), kPartition2);
}

TEST_F(AutoDialog, WithoutABootSystemSelectedNothingIsWritten) {
    WriteBootIni(2);
    const std::string before = kvtest::ReadFileText(kvtest::kBootIni);
    Settings(0, L"0", 0, L"");
    bool cancel = OpenWhile([](HWND dialog) { Click(dialog, frmAutoDialog::cmdOK); });
    EXPECT_FALSE(cancel);
    EXPECT_EQ(kvtest::ReadFileText(kvtest::kBootIni), before);
    EXPECT_EQ(LastSelected(), L"");
}

TEST_F(AutoDialog, WithoutBootIniTheListHoldsThePlainActionsAndAcceptingWritesNothing) {
    Settings(0, L"0", 0, L"neu starten");
    bool cancel = OpenWhile([](HWND dialog) {
        EXPECT_EQ(ListEntries(dialog), (std::vector<std::wstring>{L"Herunterfahren", L"Neu starten", L"Neu anmelden"}));
        EXPECT_EQ(SelectedIndex(dialog), 1);  // the last choice, whatever its case
        Click(dialog, frmAutoDialog::cmdOK);
    });
    EXPECT_FALSE(cancel);
    EXPECT_FALSE(kvtest::FileExists(kvtest::kBootIni));
    EXPECT_EQ(LastSelected(), L"Neu starten");
}
