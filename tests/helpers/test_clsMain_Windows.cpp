// Window, keyboard, system and late-bound helpers of clsMain, against real windows, the
// real shell and registry of the test prefix, and stand-in automation objects.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "ErrorCapture.h"
#include "FakeAutomation.h"
#include "LateBound.h"
#include "LocaleOverride.h"
#include "RecordingMessageBox.h"
#include "clsMain.h"

using kv::clsMain;
using kv::Variant;

namespace {

const wchar_t* TestClass(const wchar_t* name) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    RegisterClassW(&wc);  // a second registration fails harmlessly
    return name;
}

struct Window {
    HWND h;
    explicit Window(const wchar_t* title = L"KV Test", const wchar_t* cls = TestClass(L"KVTestForm"))
        : h(CreateWindowExW(0, cls, title, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr)) {}
    ~Window() { DestroyWindow(h); }
};

HWND Child(HWND parent, const wchar_t* cls, DWORD style, int id) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, id * 20, 100, 20, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}

}  // namespace

TEST(clsMainWindows, XButtonIsReplacedAndRestoredInTheSystemMenu) {
    Window form;
    ASSERT_TRUE(form.h);
    clsMain m;
    HMENU menu = GetSystemMenu(form.h, FALSE);
    ASSERT_EQ(GetMenuItemID(menu, 6), static_cast<UINT>(SC_CLOSE));
    const std::wstring caption = MenuText(menu, 6);

    m.DisableXButton(form.h);
    m.DisableXButton(form.h);  // twice must not lose the close command
    EXPECT_EQ(GetMenuItemID(menu, 6), clsMain::conDisabledCloseId);
    EXPECT_TRUE(GetMenuState(menu, 6, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));

    m.EnableXButton(form.h);
    EXPECT_EQ(GetMenuItemID(menu, 6), static_cast<UINT>(SC_CLOSE));
    EXPECT_FALSE(GetMenuState(menu, 6, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(MenuText(menu, 6), caption);
    EXPECT_NO_THROW(m.EnableXButton(form.h));  // nothing left to restore

    clsMain().DisableXButton(form.h);
    clsMain().EnableXButton(form.h);  // a different object still gives the close command back
    EXPECT_EQ(GetMenuItemID(menu, 6), static_cast<UINT>(SC_CLOSE));
}

TEST(clsMainWindows, ForegroundAndTopmost) {
    Window first(L"KV Erstes"), second(L"KV Zweites");
    ShowWindow(first.h, SW_SHOW);
    ShowWindow(second.h, SW_SHOW);
    clsMain m;
    m.SetForgroundForm(first.h);
    EXPECT_EQ(GetForegroundWindow(), first.h);
    m.SetForgroundForm(second.h);
    EXPECT_EQ(GetForegroundWindow(), second.h);
    EXPECT_TRUE(IsWindowVisible(second.h));

    m.WindowOnTop(first.h, kv::conSysWindowOnTop);
    EXPECT_TRUE(GetWindowLongW(first.h, GWL_EXSTYLE) & WS_EX_TOPMOST);
    m.WindowOnTop(first.h, kv::conSysWindowNotOnTop);
    EXPECT_FALSE(GetWindowLongW(first.h, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_THROW(m.WindowOnTop(nullptr, kv::conSysWindowOnTop), kv::KVError);
}

TEST(clsMainWindows, OptionButtonsFocusAndForms) {
    Window form;
    ShowWindow(form.h, SW_SHOW);
    clsMain m;
    std::vector<HWND> options;
    for (int id = 1; id <= 3; ++id) options.push_back(Child(form.h, L"BUTTON", BS_RADIOBUTTON, id));
    EXPECT_EQ(m.GetSelectedOption(options), 2);  // none set: the last
    m.SetSelectedOption(options, 0);
    m.SetSelectedOption(options, 1);
    EXPECT_EQ(m.GetSelectedOption(options), 1);
    EXPECT_EQ(SendMessageW(options[0], BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(m.GetSelectedOption(std::vector<HWND>{}), -1);
    EXPECT_THROW(m.SetSelectedOption(options, 3), kv::KVError);

    HWND edit = Child(form.h, L"EDIT", 0, 4);
    SetForegroundWindow(form.h);
    EXPECT_TRUE(m.SetFocus(edit));
    EXPECT_EQ(GetFocus(), edit);
    EnableWindow(edit, FALSE);
    EXPECT_FALSE(m.SetFocus(edit));

    Window sameType(L"KV Zweites Formular");
    Window otherType(L"KV Anderes", TestClass(L"KVOtherForm"));
    EXPECT_TRUE(m.FormOpen(sameType.h, {form.h}));
    EXPECT_FALSE(m.FormOpen(otherType.h, {form.h, sameType.h}));
    EXPECT_TRUE(m.IsFormLoaded(sameType.h, clsMain::ThreadForms()));
    EXPECT_FALSE(m.IsFormLoaded(sameType.h, {form.h}));
    EXPECT_EQ(m.SearchWindow(L"zweites formular", false, false), sameType.h);
    EXPECT_EQ(m.SearchWindow(L"KV Zweites", true, true), nullptr);
}

namespace {

using Keys = std::vector<std::pair<DWORD, bool>>;  // (key, up)

// Records keys seen by a low-level keyboard hook on its own message-pumping thread and
// swallows them, so nothing reaches whatever window has the focus.
class KeyRecorder {
public:
    KeyRecorder() : thread_([this] { Run(); }) {
        while (!ready_) Sleep(5);
    }
    ~KeyRecorder() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    bool Hooked() const { return hook_ != nullptr; }
    Keys Wait(size_t count) {
        for (int i = 0; i < 200 && Take(false).size() < count; ++i) Sleep(10);
        return Take(true);
    }

private:
    Keys Take(bool clear) {
        std::lock_guard<std::mutex> lock(mutex_);
        Keys keys = events_;
        if (clear) events_.clear();
        return keys;
    }
    static LRESULT CALLBACK Hook(int code, WPARAM message, LPARAM data) {
        if (code != HC_ACTION) return CallNextHookEx(nullptr, code, message, data);
        DWORD vk = reinterpret_cast<KBDLLHOOKSTRUCT*>(data)->vkCode;
        if (vk >= VK_LSHIFT && vk <= VK_RMENU) vk = VK_SHIFT + (vk - VK_LSHIFT) / 2;  // left/right folded
        std::lock_guard<std::mutex> lock(current_->mutex_);
        current_->events_.emplace_back(vk, message == WM_KEYUP || message == WM_SYSKEYUP);
        return 1;
    }
    void Run() {
        threadId_ = GetCurrentThreadId();
        current_ = this;
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists from here
        hook_ = SetWindowsHookExW(WH_KEYBOARD_LL, Hook, GetModuleHandleW(nullptr), 0);
        ready_ = true;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
        if (hook_) UnhookWindowsHookEx(hook_);
    }

    static inline KeyRecorder* current_ = nullptr;
    std::mutex mutex_;
    Keys events_;
    std::atomic<bool> ready_{false};
    DWORD threadId_ = 0;
    HHOOK hook_ = nullptr;
    std::thread thread_;
};

}  // namespace

TEST(clsMainWindows, SendKeyInjectsModifierAndKeyInOrder) {
    const struct { const wchar_t* key; Keys events; } cases[] = {
        {L"{^c}", {{VK_CONTROL, false}, {'C', false}, {'C', true}, {VK_CONTROL, true}}},
        {L"{ENTER}", {{VK_RETURN, false}, {VK_RETURN, true}}},
        {L"f5", {{VK_F5, false}, {VK_F5, true}}},
        {L"A", {{VK_SHIFT, false}, {'A', false}, {'A', true}, {VK_SHIFT, true}}},  // upper case brings Shift
        {L"{%}", {{VK_MENU, false}, {VK_MENU, true}}},                               // a modifier alone
    };
    KeyRecorder keys;
    ASSERT_TRUE(keys.Hooked());
    clsMain m;
    for (const auto& c : cases) {
        m.SendKey(c.key);
        EXPECT_EQ(keys.Wait(c.events.size()), c.events) << c.key;
    }
    m.SendKey(L".");  // the period key, not Delete (46)
    Keys period = keys.Wait(2);
    ASSERT_FALSE(period.empty());
    EXPECT_NE(period.front().first, static_cast<DWORD>(VK_DELETE));
}

TEST(clsMainSystem, FoldersDrivesAndFiles) {
    clsMain m;
    for (long folder : {long(kv::conWsf_Desktop), long(kv::conWsf_AppData), long(kv::conWsf_Windows),
                        long(kv::conWsf_System), long(kv::conWsf_Temp), long(kv::conWsf_Programs)}) {
        std::wstring path = m.GetSystemFolder(folder);
        ASSERT_FALSE(path.empty()) << folder;
        EXPECT_EQ(path.back(), L'\\') << folder;
        EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << folder;
    }
    EXPECT_EQ(m.GetSystemFolder(kv::conWsf_ControlPanel), L"");  // virtual, no path
    EXPECT_EQ(m.DriveType(L"c:\\windows"), kv::conDt_Fixed);
    EXPECT_EQ(m.DriveType(L"Q"), kv::conDt_NotAvailable);
    EXPECT_EQ(m.ExpandFilename(L"C:\\a\\..\\b.txt"), L"C:\\b.txt");

    std::wstring temp = m.GetTempFile(L"kvt");
    EXPECT_TRUE(DeleteFileW(temp.c_str()));
    std::wstring folder = m.GetSystemFolder(kv::conWsf_Temp) + L"kvcore_maxnum";
    CreateDirectoryW(folder.c_str(), nullptr);
    const wchar_t* names[] = {L"\\log3.txt", L"\\log12.txt", L"\\readme.txt", L"\\20240101123456.bak"};
    for (const wchar_t* name : names)
        CloseHandle(CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_EQ(m.GetMaxFileNumber(folder), 12);
    for (const wchar_t* name : names) DeleteFileW((folder + name).c_str());
    RemoveDirectoryW(folder.c_str());
    EXPECT_THROW(m.GetMaxFileNumber(folder), kv::KVError);
}

TEST(clsMainSystem, RegionalInfoReadsOverrideOrPlatformDefault) {
    clsMain m;
    kvtest::LocaleOverride odd({{LOCALE_SDECIMAL, L"~"}});
    ASSERT_TRUE(odd.ok());
    EXPECT_EQ(m.GetRegionalInfo(kv::conRI_DecimalSeperator), L"~");
    EXPECT_EQ(m.GetRegionalInfo(kv::conRI_DecimalSeperator, true), L"~");
    const std::wstring platform = m.GetRegionalInfo(kv::conRI_DecimalSeperator, false);
    EXPECT_FALSE(platform.empty());
    EXPECT_NE(platform, L"~");
    EXPECT_EQ(m.GetRegionalInfo(0x7FFF), L"");
}

TEST(clsMainSystem, WarningBoxAndMissingOfficeApplication) {
    kvtest::RecordingMessageBox boxes;
    clsMain m;
    m.WarningBox(L"Achtung");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, L"Warnung");
    EXPECT_EQ(boxes.shown[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));

    kv::KVError e = kv::test::Raised([&] { m.GetApplication(kv::conApp_Access); });  // not in the prefix
    EXPECT_LT(e.Number, 0);  // the HRESULT
    EXPECT_NE(e.Description.find(L"\"Access.Application\""), std::wstring::npos);
    EXPECT_NE(e.Description.find(L"@@@ clsMain_GetApplication @@@ KVCore"), std::wstring::npos);
}

TEST(clsMainLateBound, CollectionsAndControls) {
    clsMain m;
    auto button = kvtest::FakeObject::Make();
    auto controls = kvtest::FakeObject::Make();  // Item fails for an unknown key, as a collection's does
    controls->On(L"Item", [b = button->AsDispatch()](const std::vector<Variant>& args, WORD) {
        if (args.at(0).ToString() != L"cmdOK") throw kv::KVError(5, L"Invalid procedure call or argument");
        return Variant(b);
    });
    EXPECT_TRUE(m.ExistCollectionEntry(L"cmdOK", controls.Get()));
    EXPECT_FALSE(m.ExistCollectionEntry(L"cmdAbbrechen", controls.Get()));

    auto form = kvtest::FakeObject::Make();
    form->On(L"Controls", [c = controls->AsDispatch()](auto&, WORD) { return Variant(c); });
    EXPECT_TRUE(m.ExistControl(L"cmdOK", L"", form.Get()).ToBool());
    EXPECT_FALSE(m.ExistControl(L"cmdAbbrechen", L"", form.Get()).ToBool());
    EXPECT_FALSE(m.ExistControl(L"cmdOK", L"CommandButton", form.Get()).ToBool());  // no such type
}

TEST(clsMainLateBound, DictionaryLookupDoesNotAddTheKey) {
    CLSID clsid{};
    ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(L"Scripting.Dictionary", &clsid));
    kv::ComPtr<IDispatch> dict;
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(dict.Put())));
    clsMain m;
    EXPECT_FALSE(m.ExistCollectionEntry(L"NEU STARTEN", dict.Get()));
    kv::late::CallMethod(dict.Get(), L"Add", {Variant(L"SPERREN"), Variant(7L)});
    EXPECT_TRUE(m.ExistCollectionEntry(L"SPERREN", dict.Get()));
    EXPECT_FALSE(m.ExistCollectionEntry(L"NEU STARTEN", dict.Get()));
}
