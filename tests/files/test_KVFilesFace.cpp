// KVFiles.dll's file search from a C++ client (Wine's script host connects no events):
// the events in order through the connection point, a cancel through the by-reference
// argument, Files as a collection, and a handler that tries to start the search again.
#include <windows.h>
#include <olectl.h>
#include <gtest/gtest.h>

#include <functional>

#include "ComClient.h"
#include "ScriptCall.h"
#include "TempFolder.h"

using namespace kvtest;
using kv::ComPtr;

namespace {

// {B4E50695-A185-41E5-A6EA-C0949A79344A}: KVFiles.clsFileSearch; its events __clsFileSearch.
const CLSID kClsFileSearch = {0xB4E50695, 0xA185, 0x41E5, {0xA6, 0xEA, 0xC0, 0x94, 0x9A, 0x79, 0x34, 0x4A}};
const IID kSearchEvents = {0xE02A9F70, 0x9229, 0x4EF8, {0x95, 0xFB, 0xA4, 0x50, 0x43, 0xCC, 0x75, 0x80}};

// Records "NewPath:<path>", "NewFile:<file>", "FileFound:<file>"; `during` runs in each event
// and may set the cancel argument.
class Sink final : public SinkBase {
public:
    Sink() : SinkBase(kSearchEvents) {}
    std::vector<std::wstring> log;
    std::function<void(const std::wstring&, VARIANT_BOOL*)> during;

    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
        static const wchar_t* const names[] = {L"", L"NewPath:", L"NewFile:", L"FileFound:"};
        if (id < 1 || id > 3) return DISP_E_MEMBERNOTFOUND;
        const bool withCancel = id != 3;
        EXPECT_EQ(params->cArgs, withCancel ? 2u : 1u);
        const VARIANT& text = params->rgvarg[params->cArgs - 1];
        EXPECT_EQ(text.vt, VT_BSTR);
        std::wstring record = names[id] + std::wstring(text.bstrVal, SysStringLen(text.bstrVal));
        log.push_back(record);
        VARIANT_BOOL* cancel = nullptr;
        if (withCancel) {
            EXPECT_EQ(params->rgvarg[0].vt, VT_BYREF | VT_BOOL);
            cancel = params->rgvarg[0].pboolVal;
        }
        if (during) during(record, cancel);
        return S_OK;
    }
};

class KVFilesFace : public ::testing::Test {
protected:
    void SetUp() override {
        search_ = CreateFromDll(KV_FILES_DLL, kClsFileSearch);
        ASSERT_TRUE(search_);
        cookie_ = Advise(search_.Get(), kSearchEvents, &sink_, point_);
    }
    void TearDown() override {
        if (point_) point_->Unadvise(cookie_);
    }

    void Put(const wchar_t* name, const kv::Variant& value) {
        CallResult r;
        Call(search_.Get(), name, DISPATCH_PROPERTYPUT, {Arg(value)}, r);
        ASSERT_EQ(r.hr, S_OK) << testing::PrintToString(std::wstring(name));
    }
    void FindFiles(CallResult& r) { Call(search_.Get(), L"FindFiles", DISPATCH_METHOD, {}, r); }
    std::vector<std::wstring> Files() {
        CallResult files;
        Call(search_.Get(), L"Files", kGet, {}, files);
        EXPECT_EQ(files.hr, S_OK);
        std::vector<std::wstring> paths;
        CallResult count;
        Call(files.value.Get()->pdispVal, L"Count", kGet, {}, count);
        for (long i = 1; i <= count.value.Get()->lVal; ++i) {
            CallResult item;
            Call(files.value.Get()->pdispVal, L"Item", kGet, {Arg(kv::Variant(i))}, item);
            paths.push_back(item.value.Get()->bstrVal);
        }
        return paths;
    }

    TempFolder root{L"kvface"};
    ComPtr<IDispatch> search_;
    ComPtr<IConnectionPoint> point_;
    Sink sink_;
    DWORD cookie_ = 0;
};

}  // namespace

TEST_F(KVFilesFace, EventsInOrder_CancelByReference_FilesAsCollection) {
    root.Put(L"a.txt");
    root.Put(L"sub\\b.txt");
    Put(L"StartPath", root.Path());
    Put(L"FilesToFind", L"*.txt");
    Put(L"Recursive", true);
    Put(L"FoundEvent", true);
    Put(L"EventRaise", 2L);  // conEr_OnNewPath
    CallResult r;
    FindFiles(r);
    ASSERT_EQ(r.hr, S_OK) << r.Description();
    EXPECT_EQ(sink_.log, (std::vector<std::wstring>{L"NewPath:" + root.Path(), L"FileFound:" + (root / L"a.txt"),
                                                    L"NewPath:" + (root / L"sub\\"),
                                                    L"FileFound:" + (root / L"sub\\b.txt")}));
    EXPECT_EQ(Files(), (std::vector<std::wstring>{root / L"a.txt", root / L"sub\\b.txt"}));

    sink_.log.clear();
    sink_.during = [&](const std::wstring& record, VARIANT_BOOL* cancel) {
        if (record == L"NewPath:" + (root / L"sub\\")) *cancel = VARIANT_TRUE;
    };
    FindFiles(r);
    EXPECT_EQ(sink_.log.size(), 3u);
    EXPECT_EQ(Files(), (std::vector<std::wstring>{root / L"a.txt"})) << "what was found before the cancel";
}

TEST_F(KVFilesFace, AHandlerCannotStartTheRunningSearchAgain) {
    root.Put(L"a.txt");
    Put(L"StartPath", root.Path());
    Put(L"EventRaise", 2L);
    CallResult again;
    sink_.during = [&](const std::wstring&, VARIANT_BOOL*) {
        if (again.hr == S_OK) FindFiles(again);
    };
    CallResult r;
    FindFiles(r);
    EXPECT_EQ(r.hr, S_OK);
    EXPECT_EQ(again.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(again.excep.scode, -52302);
    EXPECT_EQ(again.Source(), L"KVFiles");
    EXPECT_EQ(Files(), (std::vector<std::wstring>{root / L"a.txt"}));
}
