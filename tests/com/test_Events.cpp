// Events through connection points, from a C++ client: what sinks receive, and that sinks
// which cancel, fail, unadvise or end during an event never break the source.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <olectl.h>

#include "ComClient.h"
#include "ComVariant.h"
#include "ProbeClient.h"

using namespace kvtest;
using kv::ComPtr;

namespace {

std::wstring g_log;   // sinks append their name and the index, so the order across sinks shows

// A sink as a client writes one: IDispatch only, recording Counted(index, text, cancel).
class Sink final : public SinkBase {
public:
    explicit Sink(wchar_t name, bool* ended = nullptr) : name_(name), ended_(ended) {}

    long cancelAt = 0;
    HRESULT answer = S_OK;
    std::function<void(long)> during;
    std::vector<std::wstring> texts;

    STDMETHODIMP_(ULONG) Release() override {  // made with new: the last reference ends it
        ULONG n = --refs_;
        if (n == 0) {
            if (ended_) *ended_ = true;
            delete this;
        }
        return n;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                        UINT*) override {
        EXPECT_EQ(id, 1);
        EXPECT_EQ(flags, DISPATCH_METHOD);
        EXPECT_EQ(params->cArgs, 3u);
        EXPECT_EQ(params->rgvarg[2].vt, VT_I4);
        EXPECT_EQ(params->rgvarg[1].vt, VT_BSTR);
        EXPECT_EQ(params->rgvarg[0].vt, VT_BYREF | VT_BOOL);
        const long index = params->rgvarg[2].lVal;
        g_log += name_ + std::to_wstring(index);
        texts.push_back(kv::com::FromBSTR(params->rgvarg[1].bstrVal));
        if (index == cancelAt) *params->rgvarg[0].pboolVal = VARIANT_TRUE;
        if (during) during(index);
        return answer;
    }

private:
    ~Sink() override = default;
    wchar_t name_;
    bool* ended_;
};

class Events : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.clear();
        ASSERT_EQ(NewProbe().As(probe_), S_OK);
        ComPtr<IConnectionPointContainer> container;
        ASSERT_EQ(probe_.As(container), S_OK);
        ASSERT_EQ(container->FindConnectionPoint(DIID___clsProbe, point_.Put()), S_OK);
    }
    // Advises sink; the point holds the only reference afterwards.
    DWORD Advise(Sink* sink) {
        DWORD cookie = 0;
        EXPECT_EQ(point_->Advise(sink, &cookie), S_OK);
        sink->Release();
        return cookie;
    }
    long Count(long to) {
        long reached = -1;
        BSTR text = kv::com::ToBSTR(L"Text ä");
        EXPECT_EQ(probe_->Count(to, text, &reached), S_OK);
        SysFreeString(text);
        return reached;
    }

    ComPtr<IclsProbe> probe_;
    ComPtr<IConnectionPoint> point_;
};

}  // namespace

TEST_F(Events, SinksReceiveEachEventInAdviseOrderAndACancelStopsTheSource) {
    EXPECT_EQ(Count(2), 2);   // no sink: nothing to call
    Sink* a = new Sink(L'a');
    Sink* b = new Sink(L'b');
    b->cancelAt = 2;
    Advise(a);
    Advise(b);
    EXPECT_EQ(Count(5), 2);
    EXPECT_EQ(g_log, L"a1b1a2b2");
    EXPECT_EQ(a->texts, (std::vector<std::wstring>{L"Text ä", L"Text ä"}));
}

TEST_F(Events, AFailingSinkDoesNotStopTheOthers) {
    Sink* a = new Sink(L'a');
    a->answer = E_FAIL;
    Advise(a);
    Advise(new Sink(L'b'));
    EXPECT_EQ(Count(2), 2);
    EXPECT_EQ(g_log, L"a1b1a2b2");
}

TEST_F(Events, ASinkMayUnadviseItselfAndOthersDuringAnEvent) {
    bool aEnded = false;
    Sink* a = new Sink(L'a', &aEnded);
    const DWORD aCookie = Advise(a);
    const DWORD bCookie = Advise(new Sink(L'b'));
    Advise(new Sink(L'c'));
    a->during = [&](long) {
        EXPECT_EQ(point_->Unadvise(bCookie), S_OK);
        EXPECT_EQ(point_->Unadvise(aCookie), S_OK);   // its last reference is the event's own
        EXPECT_FALSE(aEnded);
    };
    EXPECT_EQ(Count(2), 2);
    EXPECT_TRUE(aEnded);
    EXPECT_EQ(g_log, L"a1c1c2");
    EXPECT_EQ(point_->Unadvise(aCookie), CONNECT_E_NOCONNECTION);
}

TEST_F(Events, TheContainerNamesItsSourceAndLetsGoOfSinksWhenItEnds) {
    ComPtr<IProvideClassInfo2> info;
    ASSERT_EQ(probe_.As(info), S_OK);
    GUID source{};
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
    EXPECT_EQ(source, DIID___clsProbe);
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(info->GetClassInfo(coclass.Put()), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->guid, CLSID_clsProbe);
    coclass->ReleaseTypeAttr(attr);

    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(probe_.As(container), S_OK);
    ComPtr<IConnectionPoint> other;
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, other.Put()), CONNECT_E_NOCONNECTION);
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(points.Put()), S_OK);
    ULONG fetched = 0;
    EXPECT_EQ(points->Next(1, other.Put(), &fetched), S_OK);
    EXPECT_EQ(other, point_);
    EXPECT_EQ(points->Next(1, other.Put(), &fetched), S_FALSE);

    bool ended = false;
    const DWORD cookie = Advise(new Sink(L'a', &ended));
    ComPtr<IEnumConnections> connections;
    ASSERT_EQ(point_->EnumConnections(connections.Put()), S_OK);
    CONNECTDATA data{};
    ASSERT_EQ(connections->Next(1, &data, &fetched), S_OK);
    EXPECT_EQ(data.dwCookie, cookie);
    data.pUnk->Release();
    connections = {};   // the snapshot holds the sink too

    info = {};
    container = {};
    probe_ = {};
    EXPECT_TRUE(ended);
    ComPtr<IConnectionPointContainer> gone;
    EXPECT_EQ(point_->GetConnectionPointContainer(gone.Put()), E_UNEXPECTED);
    DWORD late = 0;
    Sink* sink = new Sink(L'z');
    EXPECT_EQ(point_->Advise(sink, &late), E_UNEXPECTED);
    sink->Release();
}
