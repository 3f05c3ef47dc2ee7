// Window, keyboard, system and late-bound helpers of clsMain, against real windows, the
// real shell and registry of the test prefix, and stand-in automation objects.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "FakeAutomation.h"
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
    explicit Window(const wchar_t* title = L"KV Test", const wchar_t* cls = TestClass(L"KVTestForm"),
                    DWORD style = WS_OVERLAPPEDWINDOW)
        : h(CreateWindowExW(0, cls, title, style, 10, 10, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr),
                            nullptr)) {}
    ~Window() { DestroyWindow(h); }
};

HWND Child(HWND parent, const wchar_t* cls, DWORD style, int id) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, id * 20, 100, 20, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

TEST(clsMainWindows, XButtonIsReplacedAndRestoredInTheSystemMenu) {
    Window form;
    ASSERT_TRUE(form.h);
    clsMain m;
    HMENU menu = GetSystemMenu(form.h, FALSE);
    ASSERT_EQ(GetMenuItemID(menu, 6), static_cast<UINT>(SC_CLOSE));
    wchar_t caption[64] = {};
    GetMenuStringW(menu, 6, caption, 64, MF_BYPOSITION);

    m.DisableXButton(form.h);
    m.DisableXButton(form.h);  // twice must not lose the close command
    EXPECT_EQ(GetMenuItemID(menu, 6), clsMain::conDisabledCloseId);
    EXPECT_TRUE(GetMenuState(menu, 6, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(m.SavedCloseItemId(), SC_CLOSE);

    m.EnableXButton(form.h);
    EXPECT_EQ(GetMenuItemID(menu, 6), static_cast<UINT>(SC_CLOSE));
    EXPECT_FALSE(GetMenuState(menu, 6, MF_BYPOSITION) & MF_GRAYED);
    wchar_t restored[64] = {};
    GetMenuStringW(menu, 6, restored, 64, MF_BYPOSITION);
    EXPECT_STREQ(restored, caption);
    EXPECT_NO_THROW(m.EnableXButton(form.h));  // nothing left to restore

    clsMain other;
    other.DisableXButton(form.h);
    clsMain fresh;
    fresh.EnableXButton(form.h);  // a different object still gives the close command back
    EXPECT_EQ(GetMenuItemID(menu, 6), static_cast<UINT>(SC_CLOSE));
}

TEST(clsMainWindows, SetForgroundFormActivatesTheForm) {
    Window first(L"KV Erstes"), second(L"KV Zweites");
    ShowWindow(first.h, SW_SHOW);
    ShowWindow(second.h, SW_SHOW);
    clsMain m;
    m.SetForgroundForm(first.h);
    EXPECT_EQ(GetForegroundWindow(), first.h);
    m.SetForgroundForm(second.h);
    EXPECT_EQ(GetForegroundWindow(), second.h);
    EXPECT_TRUE(IsWindowVisible(second.h));
}

TEST(clsMainWindows, WindowOnTopTogglesTopmost) {
    Window form;
    clsMain m;
    m.WindowOnTop(form.h, kv::conSysWindowOnTop);
    EXPECT_TRUE(GetWindowLongW(form.h, GWL_EXSTYLE) & WS_EX_TOPMOST);
    m.WindowOnTop(form.h, kv::conSysWindowNotOnTop);
    EXPECT_FALSE(GetWindowLongW(form.h, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_THROW(m.WindowOnTop(nullptr, kv::conSysWindowOnTop), kv::KVError);
}

TEST(clsMainWindows, OptionButtonsFocusAndForms) {
    Window form;
    ShowWindow(form.h, SW_SHOW);
    clsMain m;
    std::vector<HWND> options{Child(form.h, L"BUTTON", BS_RADIOBUTTON, 1), Child(form.h, L"BUTTON", BS_RADIOBUTTON, 2),
                              Child(form.h, L"BUTTON", BS_RADIOBUTTON, 3)};
    EXPECT_EQ(m.GetSelectedOption(options), 2);  // none set: the last
    m.SetSelectedOption(options, 0);
    EXPECT_EQ(m.GetSelectedOption(options), 0);
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
    EXPECT_EQ(m.SearchWindow(L"zweites formular", false, true), nullptr);
    EXPECT_EQ(m.SearchWindow(L"KV Zweites", true, true), nullptr);
}

namespace {

// Records keys seen by a low-level keyboard hook on its own message-pumping thread and
// swallows them, so nothing reaches whatever window has the focus.
class KeyRecorder {
public:
    KeyRecorder() : thread_([this] { Run(); }) {
        while (!ready_) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ~KeyRecorder() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    bool Hooked() const { return hook_ != nullptr; }

    // (key, up) pairs; left/right modifier codes folded into the plain ones.
    std::vector<std::pair<DWORD, bool>> Wait(size_t count) {
        for (int i = 0; i < 200 && Size() < count; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::lock_guard<std::mutex> lock(mutex_);
        auto result = events_;
        events_.clear();
        return result;
    }

private:
    size_t Size() {
        std::lock_guard<std::mutex> lock(mutex_);
        return events_.size();
    }
    static LRESULT CALLBACK Hook(int code, WPARAM message, LPARAM data) {
        if (code == HC_ACTION) {
            auto* key = reinterpret_cast<KBDLLHOOKSTRUCT*>(data);
            DWORD vk = key->vkCode;
            if (vk == VK_LSHIFT || vk == VK_RSHIFT) vk = VK_SHIFT;
            if (vk == VK_LCONTROL || vk == VK_RCONTROL) vk = VK_CONTROL;
            if (vk == VK_LMENU || vk == VK_RMENU) vk = VK_MENU;
            std::lock_guard<std::mutex> lock(current_->mutex_);
            current_->events_.emplace_back(vk, message == WM_KEYUP || message == WM_SYSKEYUP);
            return 1;
        }
        return CallNextHookEx(nullptr, code, message, data);
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
    std::vector<std::pair<DWORD, bool>> events_;
    std::atomic<bool> ready_{false};
    DWORD threadId_ = 0;
    HHOOK hook_ = nullptr;
    std::thread thread_;
};

using Keys = std::vector<std::pair<DWORD, bool>>;

}  // namespace

TEST(clsMainWindows, SendKeyInjectsModifierAndKeyInOrder) {
    KeyRecorder keys;
    ASSERT_TRUE(keys.Hooked());
    clsMain m;
    m.SendKey(L"{^c}");
    EXPECT_EQ(keys.Wait(4), (Keys{{VK_CONTROL, false}, {'C', false}, {'C', true}, {VK_CONTROL, true}}));
    m.SendKey(L"{ENTER}");
    EXPECT_EQ(keys.Wait(2), (Keys{{VK_RETURN, false}, {VK_RETURN, true}}));
    m.SendKey(L"f5");
    EXPECT_EQ(keys.Wait(2), (Keys{{VK_F5, false}, {VK_F5, true}}));
    m.SendKey(L"A");  // an upper-case letter brings Shift
    EXPECT_EQ(keys.Wait(4), (Keys{{VK_SHIFT, false}, {'A', false}, {'A', true}, {VK_SHIFT, true}}));
    m.SendKey(L"{%}");  // a modifier alone
    EXPECT_EQ(keys.Wait(2), (Keys{{VK_MENU, false}, {VK_MENU, true}}));
    m.SendKey(L".");  // the period key, not Delete (46)
    auto period = keys.Wait(2);
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

    std::wstring temp = m.GetTempFile(L"kvt");
    ASSERT_NE(GetFileAttributesW(temp.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileW(temp.c_str());

    std::wstring folder = m.GetSystemFolder(kv::conWsf_Temp) + L"kvcore_maxnum";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* name : {L"\\log3.txt", L"\\log12.txt", L"\\readme.txt", L"\\20240101123456.bak"})
        CloseHandle(CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_EQ(m.GetMaxFileNumber(folder), 12);
    for (const wchar_t* name : {L"\\log3.txt", L"\\log12.txt", L"\\readme.txt", L"\\20240101123456.bak"})
        DeleteFileW((folder + name).c_str());
    RemoveDirectoryW(folder.c_str());
    EXPECT_THROW(m.GetMaxFileNumber(folder), kv::KVError);

    EXPECT_EQ(m.ExpandFilename(L"C:\\a\\..\\b.txt"), L"C:\\b.txt");
    long w = 0, h = 0, tw = -1, th = -1;
    m.GetDesktopSize(w, h, tw, th);
    EXPECT_EQ(w, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_GE(tw, 0);
    EXPECT_GE(th, 0);
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

TEST(clsMainSystem, MissingOfficeApplicationIsAClearError) {
    clsMain m;
    try {
        m.GetApplication(kv::conApp_Access);
        FAIL() << "Access is not installed in the test prefix";
    } catch (const kv::KVError& e) {
        EXPECT_LT(e.Number, 0);  // the HRESULT
        EXPECT_NE(e.Description.find(L"\"Access.Application\""), std::wstring::npos) << std::string(e.Description.begin(), e.Description.end());
        EXPECT_NE(e.Description.find(L"@@@ clsMain_GetApplication @@@ KVCore"), std::wstring::npos);
    }
}

TEST(clsMainSystem, WarningBoxGoesThroughTheSeam) {
    kvtest::RecordingMessageBox boxes;
    clsMain().WarningBox(L"Achtung");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, L"Warnung");
    EXPECT_EQ(boxes.shown[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

TEST(clsMainLateBound, OptionArraysCollectionsAndDatabases) {
    clsMain m;
    std::vector<bool> values{false, true, true};
    auto options = kvtest::OptionArray(values);
    EXPECT_EQ(m.GetSelectedOption(options.Get()), 1);
    values = {false, false, false};
    EXPECT_EQ(m.GetSelectedOption(options.Get()), 2);
    m.SetSelectedOption(options.Get(), 0);
    EXPECT_TRUE(values[0]);

    auto collection = kvtest::FakeObject::Make();
    collection->On(L"Item", [](const std::vector<Variant>& args, WORD) {
        if (args.at(0).ToString() != L"F5") throw kv::KVError(5, L"Invalid procedure call or argument");
        return Variant(L"Neu starten");
    });
    EXPECT_TRUE(m.ExistCollectionEntry(L"F5", collection.Get()));
    EXPECT_FALSE(m.ExistCollectionEntry(L"F6", collection.Get()));

    std::wstring sql;
    bool closed = false;
    bool empty = false;
    auto field = kvtest::FakeObject::Make();
    field->On(L"Value", [](auto&, WORD) { return Variant(L"Kelvo"); });
    auto fields = kvtest::FakeObject::Make();
    fields->On(L"Item", [f = field->AsDispatch()](auto&, WORD) { return Variant(f); });
    auto records = kvtest::FakeObject::Make();
    records->On(L"EOF", [&empty](auto&, WORD) { return Variant(empty); });
    records->On(L"Fields", [f = fields->AsDispatch()](auto&, WORD) { return Variant(f); });
    records->On(L"Close", [&closed](auto&, WORD) { closed = true; return Variant(); });
    auto db = kvtest::FakeObject::Make();
    db->On(L"OpenRecordset", [&sql, r = records->AsDispatch()](const std::vector<Variant>& args, WORD) {
        sql = args.at(0).ToString();
        return Variant(r);
    });
    EXPECT_EQ(m.DLookup(L"Name", L"Programme", L"Id = 1", db.Get()).ToString(), L"Kelvo");
    EXPECT_EQ(sql, L"SELECT Name FROM Programme WHERE Id = 1");
    EXPECT_TRUE(closed);
    empty = true;
    EXPECT_TRUE(m.DLookup(L"Name", L"Programme", L"Id = 2", db.Get()).IsNull());

    auto controls = kvtest::FakeObject::Make();
    controls->On(L"Item", [f = field->AsDispatch()](const std::vector<Variant>& args, WORD) {
        if (args.at(0).ToString() != L"cmdOK") throw kv::KVError(730, L"Steuerelement nicht gefunden");
        return Variant(f);
    });
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
    DISPID add = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"Add");
    ASSERT_HRESULT_SUCCEEDED(dict->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &add));
    VARIANT args[2];
    args[1].vt = VT_BSTR;
    args[1].bstrVal = SysAllocString(L"SPERREN");
    args[0].vt = VT_I4;
    args[0].lVal = 7;
    DISPPARAMS params{args, nullptr, 2, 0};
    ASSERT_HRESULT_SUCCEEDED(dict->Invoke(add, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                                          nullptr, nullptr));
    SysFreeString(args[1].bstrVal);
    EXPECT_TRUE(m.ExistCollectionEntry(L"SPERREN", dict.Get()));
    EXPECT_FALSE(m.ExistCollectionEntry(L"NEU STARTEN", dict.Get()));
}
