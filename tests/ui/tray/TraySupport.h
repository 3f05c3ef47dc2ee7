#pragma once
// What the tray tests share: a fresh program state for every test.
#include <windows.h>

#include <gtest/gtest.h>

#include "BootIniTest.h"
#include "MenuDriver.h"
#include "RecordingMessageBox.h"
#include "RecordingSessionControl.h"
#include "Waiting.h"
#include "program/basMain.h"
#include "ui/tray/basMenues.h"

namespace kvtest {

// True (and removed) when a WM_QUIT waits in this thread's queue.
inline bool TakeQuitMessage() {
    MSG msg;
    return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

// Every tray test: a fresh program state with boot.ini and the stored QuitImmediate put
// back afterwards, recorded session calls and message boxes, and no program part left over.
class TrayTest : public BootIniTest {
protected:
    void SetUp() override {
        BootIniTest::SetUp();
        // A refused exit must never rebuild a resident program inside the test.
        kvr::State().Mode = kvr::RunMode::CommandLine;
    }
    void TearDown() override {
        kvr::Quit();  // the tray icon, the image list and whatever else registered its removal
        TakeQuitMessage();
        BootIniTest::TearDown();
    }

    RegistrySnapshot settings_{{{HKEY_CURRENT_USER, kOptionsKey, L"QuitImmediate"}}};
    RecordingSessionControl session;
    RecordingMessageBox boxes;
};

}  // namespace kvtest
