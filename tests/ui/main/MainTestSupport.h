#pragma once
// What the main-window tests share: a fresh profile (settings, boot.ini and the machine
// values put back afterwards), Windows XP as the running system, recorded session calls and
// message boxes, and no window of the program left over.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "RecordingMessageBox.h"
#include "RecordingSessionControl.h"
#include "Waiting.h"
#include "program/basGlobals.h"
#include "program/basMain.h"
#include "ui/main/frmMain.h"

namespace kvtest {

// The entries of the main window for kXpBootIni on Windows XP, in order.
inline const std::vector<std::wstring> kXpEntries = {
    L"Herunterfahren: Standard",
    L"Herunterfahren: Microsoft Windows XP Professional",
    L"Herunterfahren: Microsoft Windows XP Home",
    L"",
    L"Neu starten: Standard",
    L"Neu starten: Microsoft Windows XP Professional",
    L"Neu starten: Microsoft Windows XP Home",
    L"",
    L"Neu anmelden",
    L"",
    L"Standby-Modus",
    L"Ruhezustand",
    L"Sperren",
};

inline std::vector<std::wstring> MainListTexts() {
    std::vector<std::wstring> texts;
    for (int i = 0; i < kvr::MainListCount(); ++i) texts.push_back(kvr::MainListText(i));
    return texts;
}

inline int IndexOf(const std::wstring& text) {
    for (int i = 0; i < kvr::MainListCount(); ++i)
        if (kvr::MainListText(i) == text) return i;
    return -1;
}

class MainWindowTest : public FreshProfileTest {
protected:
    void SetUp() override {
        FreshProfileTest::SetUp();
        // A refused exit must never rebuild a resident program inside the test.
        kvr::State().Mode = kvr::RunMode::CommandLine;
        WriteFileText(kBootIni, kXpBootIni);
    }
    void TearDown() override {
        kvr::Quit();  // the main window and whatever else registered its removal
        PumpFor(50);
        FreshProfileTest::TearDown();
    }

    RunningWindows xp_{Windows::XP};
    RecordingSessionControl session;
    RecordingMessageBox boxes;
};

}  // namespace kvtest
