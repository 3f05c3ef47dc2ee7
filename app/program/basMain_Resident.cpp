// Resident and dialog mode: what follows the command line, the splash screen, the single
// resident instance and the message loop.
#include <windows.h>

#include <memory>

#include "LastError.h"
#include "hotkeys/clsKeyHook.h"
#include "Owned.h"
#include "program/Clock.h"
#include "program/basGlobals.h"
#include "program/basMain.h"
#include "ui/tray/basMenues.h"
#include "work/basTimedAction.h"
#include "update/basVersionCheck.h"
#include "program/basTools.h"
#include "work/basWorkText.h"
#include "clsPersonalData.h"
#include "clsSplash.h"
#include "ui/main/frmMain.h"
#include "res/Pictures.h"
#include "DecimalText.h"

namespace kvr {

namespace {

constexpr const wchar_t* conModule = L"basMain";
constexpr long conCopyrightStartYear = 2001;
constexpr int conSplashPictureSize = 64;

std::unique_ptr<kv::clsSplash> g_splash;
bool g_splashQuitStep = false;
bool g_loopRunning = false;

// The instance mark: held from the first test to the end of the process.
struct InstanceMark {
    bool tested = false;
    bool another = false;
    kv::OwnedHandle mutex;
} g_instance;

bool IsDialogWindow(HWND hwnd) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    return lstrcmpW(name, L"#32770") == 0;
}

}  // namespace

void StartProgram(bool blnFirstStart) {
    Forwarded(conModule, L"StartProgram", [&] {
        ProgramState& s = State();
        const bool dialog = s.Mode == RunMode::Dialog;
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        const work::ReadOnce bootIniOnce;

        // The main window is loaded hidden with its caption; its timer closes the splash. The
        // resident program leaves its controls for the first time it is shown.
        LoadMainWindow(dialog);
        s.ShowSplash = ReadFlagSetting(L"ShowSplash", conSG_Options, true);
        if (s.ShowSplash && !dialog && blnFirstStart && !AnotherInstanceRunning()) ShowSplashScreen();

        if (!ApplyStartupRules(blnFirstStart)) {
            Quit();
            return;
        }
        StartKeyHook();

        if (dialog) {
            // Dialog mode is this one window: without it the run is over.
            if (!OpenMain()) Quit();
        } else {
            if (AnotherInstanceRunning()) {
                Quit();  // nothing is shown; the first instance goes on
                return;
            }
            AddTrayIcon(MainWindow());
            CheckVersionStartup();
            // "Beenden" may have been chosen while the check ran.
            if (s.QuitFlag) return;
            if (s.TimeActionType != conTA_Off) SetTimedActionTimer(true);
            ClearTimedActionDone();
        }
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    });
}

bool AnotherInstanceRunning() {
    return Forwarded(conModule, L"AnotherInstanceRunning", [] {
        if (g_instance.tested) return g_instance.another;
        kv::OwnedHandle mutex(CreateMutexW(nullptr, FALSE, conInstanceMutexName));
        const DWORD error = GetLastError();
        kv::RaiseLastErrorIf(!mutex);
        g_instance.tested = true;
        g_instance.another = error == ERROR_ALREADY_EXISTS;
        // Kept when it is ours: the mark lasts as long as this process.
        if (!g_instance.another) g_instance.mutex = std::move(mutex);
        return g_instance.another;
    });
}

void ShowSplashScreen() {
    Forwarded(conModule, L"ShowSplashScreen", [] {
        auto splash = std::make_unique<kv::clsSplash>();
        // The main window's program picture, at the size the splash shows it.
        const kv::OwnedIcon picture(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                                  MAKEINTRESOURCEW(IDI_PROGRAM_PICTURE), IMAGE_ICON,
                                                                  conSplashPictureSize, conSplashPictureSize, 0)));
        if (picture) splash->Picture(picture.Get());  // copied
        kv::clsPersonalData maker;
        splash->Freeware(true);
        splash->SupressAddress(true);
        splash->EmailAddress(maker.EmailAddress());
        splash->Website(maker.Website());
        splash->CopyrightEndYear(kv::DecimalText(ToSystemTime(Now()).wYear));
        splash->CopyrightStartYear(conCopyrightStartYear);
        splash->Show();
        g_splash = std::move(splash);
        SetSplashTimer(true);
        if (!g_splashQuitStep) {
            g_splashQuitStep = true;
            AddQuitStep([] {
                g_splashQuitStep = false;
                CloseSplash();
            });
        }
    });
}

void CloseSplash() {
    Shown(conModule, L"CloseSplash", [] {
        // Off first: a message from the closing must not meet a second tick.
        SetSplashTimer(false);
        if (!g_splash) return;
        std::unique_ptr<kv::clsSplash> splash = std::move(g_splash);
        splash->CloseWindow();
    });
}

bool GetDontShowDialog() {
    return Forwarded(conModule, L"GetDontShowDialog", [] {
        return ReadFlagSetting(L"DontShowUnloadDialog", conSG_PrgSettings, false);
    });
}

void RunProgramLoop() {
    g_loopRunning = true;
    MSG msg;
    // Every way out (Quit, the end of the session, a closed dialog-mode window) takes the
    // main window with it; a rebuilt program brings a new one and the loop goes on.
    while (MainWindow()) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) break;
        if (got == -1) {
            const DWORD error = GetLastError();
            Shown(conModule, L"RunProgramLoop", [&] { kv::RaiseApiError(static_cast<long>(error)); });
            break;
        }
        HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root && (root == MainWindow() || IsDialogWindow(root)) && IsDialogMessageW(root, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    g_loopRunning = false;
    // A quit message from outside ends the program as "Beenden" does.
    if (MainWindow()) Quit();
}

bool ProgramLoopRunning() { return g_loopRunning; }

}  // namespace kvr
