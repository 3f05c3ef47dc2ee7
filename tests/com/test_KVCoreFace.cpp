// KVCore.dll's face for caller objects: forms arrive as objects exposing hWnd, forms
// collections are walked like For Each. (Option-button arrays: test_KVCore.vbs.)
#include <windows.h>
#include <gtest/gtest.h>

#include "Collection.h"
#include "ComClient.h"
#include "ComServer.h"
#include "FakeAutomation.h"
#include "ScriptCall.h"

using namespace kvtest;

// This executable serves no classes; its collections name it as their error source.
const kv::com::ServerInfo& kv::com::Server() {
    static const ServerInfo info{L"KVCoreFaceTest", &GUID_NULL, 1, 0, {}};
    return info;
}

namespace {

// {C22A3A5C-A818-4FA7-A42C-D67F73B45E9F}: KVCore.clsMain
const CLSID kClsMain = {0xC22A3A5C, 0xA818, 0x4FA7, {0xA4, 0x2C, 0xD6, 0x7F, 0x73, 0xB4, 0x5E, 0x9F}};

VARIANT ObjectArg(IDispatch* object) { return Arg(kv::Variant(kv::ComPtr<IDispatch>(object))); }

class KVCoreFace : public ::testing::Test {
protected:
    void SetUp() override {
        main_ = CreateFromDll(KV_KVCORE_DLL, kClsMain);
        ASSERT_TRUE(main_);
    }
    void TearDown() override {
        for (HWND w : windows_) DestroyWindow(w);
    }

    // A fake form with a real top-level window behind it.
    kv::ComPtr<FakeObject> Form(HWND& window) {
        window = CreateWindowExW(0, L"STATIC", L"form", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        windows_.push_back(window);
        auto form = FakeObject::Make();
        form->On(L"hWnd", [handle = static_cast<long>(reinterpret_cast<LONG_PTR>(window))](auto&, WORD) {
            return kv::Variant(handle);
        });
        return form;
    }

    kv::ComPtr<IDispatch> main_;
    std::vector<HWND> windows_;
};

}  // namespace

TEST_F(KVCoreFace, FormsArriveAsObjectsExposingTheirWindow) {
    HWND window = nullptr;
    auto form = Form(window);
    CallResult top, notTop, refused;
    Call(main_.Get(), L"WindowOnTop", kGet, {ObjectArg(form.Get()), Arg(0L)}, top);
    ASSERT_EQ(top.hr, S_OK) << top.Description();
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    Call(main_.Get(), L"WindowOnTop", kGet, {ObjectArg(form.Get()), Arg(1L)}, notTop);
    EXPECT_FALSE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);

    Call(main_.Get(), L"WindowOnTop", kGet, {ObjectArg(FakeObject::Make().Get()), Arg(0L)}, refused);
    EXPECT_EQ(refused.excep.scode, static_cast<SCODE>(0x800A01B6));   // 438: no hWnd
    EXPECT_EQ(refused.Source(), L"KVCore");
}

TEST_F(KVCoreFace, FormsCollectionsAreWalkedLikeForEach) {
    HWND first = nullptr, second = nullptr;
    auto formA = Form(first);
    auto formB = Form(second);
    kv::com::Collection* raw = nullptr;
    ASSERT_EQ(kv::com::CreateCollection(&raw), S_OK);
    auto forms = kv::ComPtr<kv::com::Collection>::Attach(raw);
    forms->Add(L"", *kv::com::ComVariant(kv::Variant(kv::ComPtr<IDispatch>(formB.Get()))));

    CallResult open, loaded, itself;
    Call(main_.Get(), L"FormOpen", kGet, {ObjectArg(formA.Get()), ObjectArg(forms.Get())}, open);
    ASSERT_EQ(open.hr, S_OK) << open.Description();
    EXPECT_EQ(open.value->boolVal, VARIANT_TRUE);   // another form of the same kind is open
    Call(main_.Get(), L"IsFormLoaded", kGet, {ObjectArg(formA.Get()), ObjectArg(forms.Get())}, loaded);
    ASSERT_EQ(loaded.hr, S_OK) << loaded.Description();
    EXPECT_EQ(loaded.value->vt, VT_BOOL);
    EXPECT_EQ(loaded.value->boolVal, VARIANT_FALSE);   // but formA itself is not in the collection
    Call(main_.Get(), L"IsFormLoaded", kGet, {ObjectArg(formB.Get()), ObjectArg(forms.Get())}, itself);
    EXPECT_EQ(itself.value->boolVal, VARIANT_TRUE);
}
