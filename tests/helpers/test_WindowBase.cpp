// The window/dialog base: what reaches the handlers of a window, a dialog and a subclassed
// control, errors that stay out of user32, and the in-memory dialog template.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "DialogTemplate.h"
#include "RecordingMessageBox.h"
#include "WindowBase.h"

using kv::KVError;

namespace {

constexpr const wchar_t* kClass = L"KVTestBaseWindow";
constexpr UINT kAsk = WM_APP + 1;    // answered by HandleMessage
constexpr int kThrowKV = 901;        // OnCommand raises a KVError
constexpr int kThrowOther = 902;     // OnCommand raises a C++ library exception

// Records what reached it; raises on request.
template <class Base>
class Recorder : public Base {
public:
    explicit Recorder(const wchar_t* module) : Base(L"KVTest", module) {}

    std::vector<std::wstring> calls;
    int lastCommand = 0, lastCode = 0;
    HWND handleAtStart = nullptr;
    bool failCreate = false;

protected:
    bool OnCreate(const CREATESTRUCTW& create) override {
        calls.push_back(L"OnCreate " + std::wstring(create.lpszName));
        handleAtStart = this->Handle();
        if (failCreate) throw KVError(-7, L"no controls");
        return true;
    }
    bool OnInit() override {
        calls.push_back(L"OnInit");
        handleAtStart = this->Handle();
        return true;
    }
    bool OnCommand(int id, int code, HWND) override {
        if (id == kThrowKV) throw KVError(-5, L"Befehl misslungen");
        if (id == kThrowOther) throw std::runtime_error("internal");
        calls.push_back(L"OnCommand");
        lastCommand = id;
        lastCode = code;
        return true;
    }
    bool OnNotify(const NMHDR& header, LRESULT& result) override {
        calls.push_back(L"OnNotify");
        result = static_cast<LRESULT>(header.code) * 2;
        return true;
    }
    bool OnTimer(UINT_PTR id) override {
        calls.push_back(L"OnTimer " + std::to_wstring(id));
        return true;
    }
    void OnDestroy() override {
        calls.push_back(L"OnDestroy");
        // Still whole: the controls are there.
        if (this->Item(IDOK)) calls.push_back(L"controls there");
    }
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (msg != kAsk) return false;
        result = static_cast<LRESULT>(wParam) + 1;
        return true;
    }
    void OnFinalMessage() override { calls.push_back(this->Handle() ? L"final, bound" : L"final"); }
};

using TestWindow = Recorder<kv::WindowBase>;
using TestSubclass = Recorder<kv::WindowSubclass>;

void RegisterTestClass() {
    WNDCLASSEXW wc{};
    wc.lpszClassName = kClass;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    kv::WindowBase::RegisterWindowClass(wc);
    kv::WindowBase::RegisterWindowClass(wc);  // again: no error
}

void CreateTestWindow(TestWindow& w) {
    w.Create(0, kClass, L"Basis", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200);
}

kv::DialogTemplate TestDialog() {
    kv::DialogTemplate t(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, 200, 100,
                         L"Testdialog");
    t.Add(kv::DialogTemplate::conStatic, SS_RIGHT, 0, 7, 9, 120, 10, 101, L"Beschriftung");
    t.Add(kv::DialogTemplate::conButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 140, 80, 50, 14, IDOK, L"OK");
    t.Add(L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 7, 30, 120, 12, 102, L"Vorgabe");
    return t;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// Sends a command that raises; the test fails if anything comes out of SendMessage.
void SendRaisingCommand(HWND window, int id) {
    try {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    } catch (...) {
        ADD_FAILURE() << "an exception crossed user32";
    }
}

}  // namespace

TEST(WindowBase, WindowReceivesItsMessagesFromCreationToTheLast) {
    RegisterTestClass();
    TestWindow w(L"frmTest");
    CreateTestWindow(w);
    HWND hwnd = w.Handle();
    ASSERT_TRUE(hwnd);
    EXPECT_EQ(w.handleAtStart, hwnd) << "the handle is known from the first handler on";

    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(42, BN_CLICKED), 0);
    EXPECT_EQ(w.lastCommand, 42);
    EXPECT_EQ(w.lastCode, BN_CLICKED);
    NMHDR header{hwnd, 7, 21};
    EXPECT_EQ(SendMessageW(hwnd, WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&header)), 42) << "OnNotify's answer";
    SendMessageW(hwnd, WM_TIMER, 3, 0);
    EXPECT_EQ(SendMessageW(hwnd, kAsk, 9, 0), 10) << "HandleMessage's answer";
    EXPECT_EQ(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0), 5) << "the rest goes to the default processing";

    w.Destroy();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(w.Handle(), nullptr);
    const std::vector<std::wstring> expected{L"OnCreate Basis", L"OnCommand", L"OnNotify", L"OnTimer 3",
                                             L"OnDestroy", L"final"};
    EXPECT_EQ(w.calls, expected);

    CreateTestWindow(w);  // the object takes a new window after the last one went
    EXPECT_TRUE(IsWindow(w.Handle()));
}

TEST(WindowBase, ErrorOfAHandlerIsShownOnce_AndNeverReachesUser32) {
    RegisterTestClass();
    kvtest::RecordingMessageBox boxes;
    TestWindow w(L"frmTest");
    CreateTestWindow(w);

    SendRaisingCommand(w.Handle(), kThrowKV);
    SendRaisingCommand(w.Handle(), kThrowOther);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].title, L"KVTest");
    EXPECT_EQ(boxes.shown[0].text, L"(frmTest_WindowProc) - \r-5: Befehl misslungen");
    EXPECT_EQ(boxes.shown[0].style & MB_ICONMASK, static_cast<UINT>(MB_ICONHAND));
    EXPECT_EQ(boxes.shown[1].text, L"(frmTest_WindowProc) - \r" + std::to_wstring(E_UNEXPECTED) +
                                       L": Unerwarteter Fehler.")
        << "a library exception shows no English text";
    EXPECT_TRUE(IsWindow(w.Handle())) << "the window carries on";
}

TEST(WindowBase, ErrorInOnCreateFailsTheCreationAndReachesTheCreator) {
    RegisterTestClass();
    kvtest::RecordingMessageBox boxes;
    TestWindow w(L"frmTest");
    w.failCreate = true;
    try {
        CreateTestWindow(w);
        ADD_FAILURE() << "the creation did not fail";
    } catch (const KVError& e) {
        EXPECT_EQ(e.Number, -7);
        EXPECT_EQ(e.Description, L"no controls");
    }
    EXPECT_EQ(w.Handle(), nullptr);
    EXPECT_TRUE(boxes.shown.empty()) << "the creator decides; nothing is shown on the way";
}

TEST(WindowBase, DialogHandlersAnswerThroughTheDialogManager) {
    kvtest::RecordingMessageBox boxes;
    kv::DialogTemplate t = TestDialog();
    TestWindow d(L"frmTestDialog");
    d.CreateModeless(t.Get(), nullptr);
    HWND dialog = d.Handle();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(d.calls.front(), L"OnInit");
    EXPECT_EQ(ClassOf(GetDlgItem(dialog, 102)), L"Edit") << "the template's controls are there";

    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(d.lastCommand, IDOK);
    NMHDR header{dialog, 102, 50};
    EXPECT_EQ(SendMessageW(dialog, WM_NOTIFY, 102, reinterpret_cast<LPARAM>(&header)), 100)
        << "the answer travels in DWLP_MSGRESULT";
    EXPECT_EQ(SendMessageW(dialog, kAsk, 1, 0), 2);

    SendRaisingCommand(dialog, kThrowKV);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, L"(frmTestDialog_DialogProc) - \r-5: Befehl misslungen");

    d.Destroy();
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(d.Handle(), nullptr);
    const std::vector<std::wstring> tail(d.calls.end() - 3, d.calls.end());
    const std::vector<std::wstring> expected{L"OnDestroy", L"controls there", L"final"};
    EXPECT_EQ(tail, expected);
}

TEST(WindowBase, ModalDialogRunsUntilEndModalAndAnswersItsResult) {
    class Modal : public kv::WindowBase {
    public:
        Modal() : WindowBase(L"KVTest", L"frmModal") {}
        int commands = 0;

    private:
        bool OnInit() override {
            // The user's click, once the dialog's loop runs.
            PostMessageW(Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return true;
        }
        bool OnCommand(int id, int, HWND) override {
            ++commands;
            EndModal(id == IDCANCEL ? 77 : 0);
            return true;
        }
    } modal;
    kv::DialogTemplate t = TestDialog();
    EXPECT_EQ(modal.ShowModal(t.Get(), nullptr), 77);
    EXPECT_EQ(modal.commands, 1);
    EXPECT_EQ(modal.Handle(), nullptr);
}

TEST(WindowBase, SubclassStandsInFrontOfAControlUntilDetached) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND control = CreateWindowExW(0, L"STATIC", L"alt", WS_CHILD, 0, 0, 50, 20, parent, nullptr, nullptr, nullptr);
    {
        TestSubclass s(L"ctlTest");
        s.Attach(control);
        EXPECT_EQ(s.Handle(), control);
        EXPECT_EQ(SendMessageW(control, kAsk, 4, 0), 5);
        SetWindowTextW(control, L"neu");  // left to the control's own procedure
        wchar_t text[16] = {};
        GetWindowTextW(control, text, 16);
        EXPECT_STREQ(text, L"neu");
        s.Detach();
        EXPECT_EQ(SendMessageW(control, kAsk, 4, 0), 0) << "the control's own procedure again";
        EXPECT_EQ(s.Handle(), nullptr);

        s.Attach(control);
        DestroyWindow(parent);  // the control goes first: the subclass lets go by itself
        EXPECT_EQ(s.Handle(), nullptr);
        EXPECT_EQ(s.calls.back(), L"final");
    }
}
