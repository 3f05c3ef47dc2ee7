// The entry procedure, RunMain, the tear-down and the help file.
#include "program/basMain.h"

#include <commctrl.h>
#include <htmlhelp.h>
#include <objbase.h>
#include <ole2.h>

#include <optional>
#include <vector>

#include "LastError.h"
#include "MessageBoxSeam.h"
#include "Owned.h"
#include "program/basGlobals.h"
#include "program/basTools.h"
#include "ui/main/frmMain.h"
#include "ui/tray/basMenues.h"
#include "work/EngineHooks.h"

namespace kvr {

namespace {

constexpr const wchar_t* conModule = L"basMain";

std::vector<std::function<void()>>& QuitSteps() {
    static std::vector<std::function<void()>> steps;
    return steps;
}

// The action engine's requests, answered by the windows. Installed with this module, which
// every build of the program links (the engine's tear-down calls Quit).
const bool g_hooksInstalled = [] {
    EngineHooks& hooks = Hooks();
    hooks.ShowMainWindow = [] { OpenMain(); };
    hooks.RebuildAfterRefusedExit = [] { RunMain(false); };
    hooks.ShowArmedAction = SetArmedTrayTip;
    return true;
}();

// OLE and the common controls: not started, started, or failed to start.
enum class Windowing { Off, On, Failed } g_windowing = Windowing::Off;
// OLE while the program has windows: from the first window to the end of Main.
std::optional<kv::OleInitialization> g_ole;

}  // namespace

int Main() {
    RunMain(true);
    g_ole.reset();
    return g_windowing == Windowing::Failed ? 1 : 0;
}

bool StartWindowing() {
    if (g_windowing != Windowing::Off) return g_windowing == Windowing::On;
    kv::OleInitialization ole;  // undone at once unless everything starts
    const bool started = Shown(conModule, L"Main", [&] {
        if (!ole.Succeeded()) kv::RaiseApiError(ole.Result());
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
        kv::RaiseLastErrorIf(!InitCommonControlsEx(&icc));
    });
    if (started) g_ole = std::move(ole);
    g_windowing = started ? Windowing::On : Windowing::Failed;
    return started;
}

void RunMain(bool blnFirstStart) {
    bool started = Shown(conModule, L"RunMain", [&] {
        ProgramState& state = State();

        // The identity first: the settings key and every message title are made from it.
        state.QuitFlag = false;
        VersionGlobal().InfoApplication(conProjectName);
        VersionGlobal().InfoMajorVersion(KV_VERSION_MAJOR);
        VersionGlobal().InfoMinorVersion(KV_VERSION_MINOR);
        VersionGlobal().InfoBuild(KV_VERSION_BUILD);

        state.SwitchOff = ReadFlagSetting(L"SwitchOff", conSG_Options, false);

        // A command line performs its action and ends, except type 4 (dialog mode).
        std::wstring line = Helper().TrimChars(CommandLineArguments(), conBlanks);
        if (!line.empty()) {
            if (!EvaluateCommandLine(line)) return;
            state.QuitFlag = true;
            state.Mode = RunMode::Dialog;
        } else {
            state.Mode = RunMode::Resident;
        }
        // Dialog mode shows its window at once; the resident program starts the window
        // machinery with its first visible window (an idle tray program holds none of it).
        if (state.Mode == RunMode::Dialog && !StartWindowing()) return;
        StartProgram(blnFirstStart);
    });
    // A start-up that stopped half way leaves nothing behind that runs on unseen.
    if (!started) {
        Quit();
        return;
    }
    if (MainWindow() && !ProgramLoopRunning()) RunProgramLoop();
}

void Quit() {
    State().QuitFlag = true;
    // Taken out first: a step may lead to a new registration (a rebuilt program).
    std::vector<std::function<void()>> steps;
    steps.swap(QuitSteps());
    for (auto& step : steps) step();
}

void AddQuitStep(std::function<void()> step) {
    QuitSteps().push_back(std::move(step));
}

std::wstring GetHelpfile() {
    std::wstring program = ProgramFileName();
    return program.substr(0, program.size() - 4) + L".chm";  // ".exe" -> ".chm"
}

void OpenHelp(HWND hwndOwner, const std::wstring& strTopic) {
    Shown(conModule, L"OpenHelp", [&] {
        const std::wstring file = GetHelpfile();
        HWND help = nullptr;
        // A missing file needs no help viewer to be reported.
        if (GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES) {
            using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
            static HMODULE viewer = LoadLibraryW(L"hhctrl.ocx");  // kept: the help window lives on
            auto htmlHelp = viewer ? reinterpret_cast<HtmlHelpFn>(
                                         reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpW")))
                                   : nullptr;
            if (htmlHelp) {
                const std::wstring topic = L"Html\\" + strTopic;
                help = strTopic.empty()
                           ? htmlHelp(hwndOwner, file.c_str(), HH_DISPLAY_TOC, 0)
                           : htmlHelp(hwndOwner, file.c_str(), HH_DISPLAY_TOPIC,
                                      reinterpret_cast<DWORD_PTR>(topic.c_str()));
            }
        }
        if (!help)
            kv::MessageBoxes().Show(hwndOwner, L"Hilfe \"" + file + L"\" konnte nicht angezeigt werden.",
                                    VersionGlobal().InfoApplication(), MB_OK | MB_ICONEXCLAMATION);
    });
}

}  // namespace kvr
