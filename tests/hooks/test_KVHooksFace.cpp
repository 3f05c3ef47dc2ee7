// KVHooks.dll from a C++ client: events of the system hook and the timer reach a sink
// advised on the published source interfaces.
#include <windows.h>
#include <ocidl.h>
#include <gtest/gtest.h>

#include <vector>

#include "ComClient.h"
#include "InjectedInput.h"
#include "KVHooks.h"

using namespace kvtest;
using kv::ComPtr;

namespace {

// Records dispatch ids and Long arguments.
class Sink final : public SinkBase {
public:
    std::vector<std::vector<long>> calls;   // id, then the arguments in declared order
    bool cancelBefore = false;               // clsSubClass: answer Before with result 99

    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
        std::vector<long> call{id};
        for (UINT i = params->cArgs; i-- > 0;) {
            const VARIANT& arg = params->rgvarg[i];
            call.push_back(arg.vt == (VT_BYREF | VT_I4) ? *arg.plVal
                           : arg.vt == (VT_BYREF | VT_I8) ? static_cast<long>(*arg.pllVal)
                                                          : -999);
        }
        if (cancelBefore && id == 1 && params->cArgs == 6) {
            *params->rgvarg[1].pboolVal = VARIANT_TRUE;   // blnCancel
            *params->rgvarg[0].pllVal = 99;               // lngProcResult
        }
        calls.push_back(call);
        return S_OK;
    }
};

template <class Interface>
ComPtr<Interface> Create(const CLSID& clsid) {
    return CreateFromDll<Interface>(KV_HOOKS_DLL, clsid);
}

}  // namespace

TEST(KVHooksFace, KeyEventsReachAnAdvisedSinkWithTheirCodeAndShiftState) {
    ComPtr<IclsSystemHook> hook = Create<IclsSystemHook>(CLSID_clsSystemHook);
    ASSERT_TRUE(hook);
    Sink sink;
    ComPtr<IConnectionPoint> point;
    const DWORD cookie = Advise(hook.Get(), DIID___clsSystemHook, &sink, point);
    ASSERT_EQ(hook->put_EnableKeyBoard(VARIANT_TRUE), S_OK);
    VARIANT_BOOL on = VARIANT_FALSE;
    EXPECT_EQ(hook->get_EnableKeyBoard(&on), S_OK);
    EXPECT_EQ(on, VARIANT_TRUE);
    SendKeys({{VK_LCONTROL, true}, {'K', true}, {'K', false}, {VK_LCONTROL, false}});
    const auto sawCtrlUp = [&] {
        for (const auto& c : sink.calls)
            if (c == std::vector<long>{5, 17, 0}) return true;
        return false;
    };
    ASSERT_TRUE(PumpUntil(sawCtrlUp));
    EXPECT_NE(std::find(sink.calls.begin(), sink.calls.end(), std::vector<long>{3, 17, 2}), sink.calls.end());
    EXPECT_NE(std::find(sink.calls.begin(), sink.calls.end(), std::vector<long>{5, 'K', 2}), sink.calls.end());

    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    hook = {};   // the last reference ends the hooks
    point = {};
    sink.calls.clear();
    SendKeys({{'K', true}, {'K', false}});
    PumpFor(200);
    EXPECT_TRUE(sink.calls.empty());
}

TEST(KVHooksFace, TheTimerEventReachesAnAdvisedSink) {
    ComPtr<IclsTimer> timer = Create<IclsTimer>(CLSID_clsTimer);
    ASSERT_TRUE(timer);
    Sink sink;
    ComPtr<IConnectionPoint> point;
    Advise(timer.Get(), DIID___clsTimer, &sink, point);
    ASSERT_EQ(timer->put_Interval(10), S_OK);
    ASSERT_EQ(timer->put_Enable(VARIANT_TRUE), S_OK);
    ASSERT_TRUE(PumpUntil([&] { return sink.calls.size() >= 2; }));
    EXPECT_EQ(sink.calls[0], std::vector<long>{1});
    timer = {};   // released while running: no tick reaches the sink afterwards
    point = {};
    const size_t seen = sink.calls.size();
    PumpFor(100);
    EXPECT_EQ(sink.calls.size(), seen);
}

TEST(KVHooksFace, ASubclassSinkSeesTheMessageAndMayAnswerItInstead) {
    ComPtr<IclsSubClass> sub = Create<IclsSubClass>(CLSID_clsSubClass);
    ASSERT_TRUE(sub);
    Sink sink;
    sink.cancelBefore = true;
    ComPtr<IConnectionPoint> point;
    Advise(sub.Get(), DIID___clsSubClass, &sink, point);
    HWND window = CreateWindowW(L"STATIC", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const long handle = static_cast<long>(reinterpret_cast<INT_PTR>(window));
    constexpr UINT kProbe = WM_USER + 5;
    ASSERT_EQ(sub->put_Hook(handle, static_cast<enuWindowMesseges>(kProbe), VARIANT_TRUE), S_OK);
    EXPECT_EQ(SendMessageW(window, kProbe, 3, 0x123456789), 99);
    ASSERT_EQ(sink.calls.size(), 2u);
    EXPECT_EQ(sink.calls[0], (std::vector<long>{1, handle, static_cast<long>(kProbe), 3, 0x23456789, -999, 0}));
    EXPECT_EQ(sink.calls[1], (std::vector<long>{2, handle, static_cast<long>(kProbe), 3, 0x23456789, 99}));
    long hooked = -1;
    EXPECT_EQ(sub->IsHooked(handle, &hooked), S_OK);
    EXPECT_EQ(hooked, 1);
    DestroyWindow(window);
    EXPECT_EQ(sub->IsHooked(handle, &hooked), S_OK);
    EXPECT_EQ(hooked, 0);
}
