// KVCore.dll's face for caller objects: forms and controls arrive as objects exposing hWnd,
// option-button arrays as objects with Count, Item and Value, forms collections for For Each.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Collection.h"
#include "ComServer.h"
#include "ComVariant.h"
#include "ComPtr.h"
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

VARIANT ObjectArg(IDispatch* object) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = object;
    object->AddRef();
    return v;
}

class KVCoreFace : public ::testing::Test {
protected:
    void SetUp() override {
        // Loaded by path, as a client without registration would (the DLL is built alongside).
        module_ = LoadLibraryW(KV_KVCORE_DLL);
        ASSERT_NE(module_, nullptr) << GetLastError();
        auto get = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
            reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
        ASSERT_NE(get, nullptr);
        kv::ComPtr<IClassFactory> factory;
        ASSERT_EQ(get(kClsMain, IID_IClassFactory, reinterpret_cast<void**>(factory.Put())), S_OK);
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(main_.Put())), S_OK);
    }
    void TearDown() override {
        main_.Reset();
        // The module stays loaded: COM may still hold its type library.
    }

    // A real top-level window behind a fake form.
    kv::ComPtr<FakeObject> Form(HWND& window) {
        window = CreateWindowExW(0, L"STATIC", L"form", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        EXPECT_NE(window, nullptr);
        auto form = FakeObject::Make();
        form->On(L"hWnd", [handle = static_cast<long>(reinterpret_cast<LONG_PTR>(window))](auto&, WORD) {
            return kv::Variant(handle);
        });
        return form;
    }

    HMODULE module_ = nullptr;
    kv::ComPtr<IDispatch> main_;
};

}  // namespace

TEST_F(KVCoreFace, OptionButtonsAreReadAndSetThroughTheirObjects) {
    std::vector<bool> values{false, false, false};
    auto options = OptionArray(values);
    CallResult none;
    Call(main_.Get(), L"GetSelectedOption", kGet, {ObjectArg(options.Get())}, none);
    ASSERT_EQ(none.hr, S_OK) << none.Description();
    EXPECT_EQ(none.value.lVal, 2);   // none set: the last index

    CallResult set;
    Call(main_.Get(), L"SetSelectedOption", kGet, {ObjectArg(options.Get()), Long(1)}, set);
    ASSERT_EQ(set.hr, S_OK) << set.Description();
    EXPECT_TRUE(values[1]);

    CallResult selected;
    Call(main_.Get(), L"GetSelectedOption", kGet, {ObjectArg(options.Get())}, selected);
    EXPECT_EQ(selected.value.lVal, 1);
}

TEST_F(KVCoreFace, FormsArriveAsObjectsExposingTheirWindow) {
    HWND window = nullptr;
    auto form = Form(window);
    CallResult top;
    Call(main_.Get(), L"WindowOnTop", kGet, {ObjectArg(form.Get()), Long(0)}, top);
    ASSERT_EQ(top.hr, S_OK) << top.Description();
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    CallResult notTop;
    Call(main_.Get(), L"WindowOnTop", kGet, {ObjectArg(form.Get()), Long(1)}, notTop);
    EXPECT_FALSE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);

    auto noWindow = FakeObject::Make();
    CallResult refused;
    Call(main_.Get(), L"WindowOnTop", kGet, {ObjectArg(noWindow.Get()), Long(0)}, refused);
    EXPECT_EQ(refused.excep.scode, static_cast<SCODE>(0x800A01B6));   // 438
    EXPECT_EQ(refused.Source(), L"KVCore");
    DestroyWindow(window);
}

TEST_F(KVCoreFace, FormsCollectionsAreWalkedLikeForEach) {
    HWND first = nullptr, second = nullptr;
    auto formA = Form(first);
    auto formB = Form(second);
    kv::com::Collection* raw = nullptr;
    ASSERT_EQ(kv::com::CreateCollection(&raw), S_OK);
    auto forms = kv::ComPtr<kv::com::Collection>::Attach(raw);
    kv::com::ComVariant b(kv::Variant(kv::ComPtr<IDispatch>(formB.Get())));
    forms->Add(L"", *b);

    CallResult open;   // another form of the same kind is open
    Call(main_.Get(), L"FormOpen", kGet, {ObjectArg(formA.Get()), ObjectArg(forms.Get())}, open);
    ASSERT_EQ(open.hr, S_OK) << open.Description();
    EXPECT_EQ(open.value.boolVal, VARIANT_TRUE);

    CallResult loaded;   // but formA itself is not in the collection
    Call(main_.Get(), L"IsFormLoaded", kGet, {ObjectArg(formA.Get()), ObjectArg(forms.Get())}, loaded);
    ASSERT_EQ(loaded.hr, S_OK) << loaded.Description();
    EXPECT_EQ(loaded.value.vt, VT_BOOL);
    EXPECT_EQ(loaded.value.boolVal, VARIANT_FALSE);
    CallResult itself;
    Call(main_.Get(), L"IsFormLoaded", kGet, {ObjectArg(formB.Get()), ObjectArg(forms.Get())}, itself);
    EXPECT_EQ(itself.value.boolVal, VARIANT_TRUE);
    DestroyWindow(first);
    DestroyWindow(second);
}
