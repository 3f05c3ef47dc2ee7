// The cost of the system hook's keyboard callback, per injected key: a hook installed last
// (called first) times its CallNextHookEx, once with nothing between it and an empty hook
// installed first (the reference), once with clsSystemHook's hook between them.
// Prints: "<name> <median-us> <p99-us>" for "reference" and "hook".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "clsSystemHook.h"

namespace {

constexpr int conKeys = 10000;
LARGE_INTEGER g_frequency;
std::vector<double> g_costs;

LRESULT CALLBACK EmptyProc(int code, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK TimingProc(int code, WPARAM wParam, LPARAM lParam) {
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    const LRESULT result = CallNextHookEx(nullptr, code, wParam, lParam);
    QueryPerformanceCounter(&after);
    if (code == HC_ACTION) g_costs.push_back((after.QuadPart - before.QuadPart) * 1e6 / g_frequency.QuadPart);
    return result;
}

void Inject() {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = VK_F24;   // a key nothing reacts to
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

// Median and 99th percentile of conKeys timed callbacks.
void Measure(const char* name, bool withSystemHook) {
    HHOOK empty = SetWindowsHookExW(WH_KEYBOARD_LL, EmptyProc, GetModuleHandleW(nullptr), 0);
    kv::clsSystemHook hook;
    if (withSystemHook) hook.EnableKeyBoard(true);
    HHOOK timing = SetWindowsHookExW(WH_KEYBOARD_LL, TimingProc, GetModuleHandleW(nullptr), 0);
    g_costs.clear();
    const ULONGLONG end = GetTickCount64() + 120000;
    for (int sent = 0; g_costs.size() < static_cast<size_t>(conKeys) && GetTickCount64() < end;) {
        if (sent < conKeys && static_cast<size_t>(sent) <= g_costs.size() + 64) {
            Inject();
            sent += 2;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    UnhookWindowsHookEx(timing);
    UnhookWindowsHookEx(empty);
    std::sort(g_costs.begin(), g_costs.end());
    if (g_costs.empty()) g_costs.push_back(0);
    std::printf("%s %.1f %.1f\n", name, g_costs[g_costs.size() / 2], g_costs[g_costs.size() * 99 / 100]);
}

}  // namespace

int wmain() {
    QueryPerformanceFrequency(&g_frequency);
    Measure("reference", false);
    Measure("hook", true);
    return 0;
}
