// The COM face of the splash screen, driven late-bound as a script client would: KVAbout.dll
// is loaded and its class factory asked directly, so nothing is registered. The DLL has its
// own identity record, set through its own clsVersionGlobal.
#include <gtest/gtest.h>

#include <olectl.h>

#include <string>

#include "ComError.h"
#include "ComPtr.h"
#include "LateBound.h"
#include "FakeAutomation.h"
#include "KVError.h"
#include "SplashProbe.h"

using kv::ComPtr;
using kv::Variant;
using namespace kvtest;

namespace {

std::wstring WindowsPath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* c = unixPath; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

// A published class of KVAbout.dll, found by name in its embedded type library.
ComPtr<IDispatch> CreateFromDll(const wchar_t* className) {
    const std::wstring dll = WindowsPath(KV_ABOUT_DLL);
    static HMODULE module = LoadLibraryW(dll.c_str());
    if (!module) throw kv::KVError(static_cast<long>(GetLastError()), L"KVAbout.dll not loaded");
    ComPtr<ITypeLib> library;
    kv::com::CheckHr(LoadTypeLibEx(dll.c_str(), REGKIND_NONE, library.Put()));
    ComPtr<ITypeInfo> info;
    MEMBERID member = 0;
    USHORT found = 1;
    std::wstring name = className;
    kv::com::CheckHr(library->FindName(name.data(), 0, info.Put(), &member, &found));
    if (found == 0) throw kv::KVError(5, L"class not in the type library");
    TYPEATTR* attributes = nullptr;
    kv::com::CheckHr(info->GetTypeAttr(&attributes));
    const CLSID clsid = attributes->guid;
    info->ReleaseTypeAttr(attributes);

    auto getClassObject = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    ComPtr<IClassFactory> factory;
    kv::com::CheckHr(getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.Put())));
    ComPtr<IDispatch> object;
    kv::com::CheckHr(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(object.Put())));
    return object;
}

void PutRef(IDispatch* object, const wchar_t* name, IDispatch* value) {
    kv::late::Invoke(object, name, DISPATCH_PROPERTYPUTREF, {Variant(ComPtr<IDispatch>(value))});
}

ComPtr<IPictureDisp> BitmapPicture(HBITMAP bitmap) {
    PICTDESC description{};
    description.cbSizeofstruct = sizeof(description);
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    ComPtr<IPictureDisp> picture;
    kv::com::CheckHr(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE,
                                              reinterpret_cast<void**>(picture.Put())));
    return picture;
}

}  // namespace

TEST(SplashFace, RaisesWithoutIdentity_ThenTakesPictureObjectAndOwnerForm) {
    ComPtr<IDispatch> splash = CreateFromDll(L"clsSplash");
    ComPtr<IDispatch> identity = CreateFromDll(L"clsVersionGlobal");
    try {
        kv::late::CallMethod(splash.Get(), L"Show");
        ADD_FAILURE() << "shown without identity";
    } catch (const kv::KVError& e) {
        EXPECT_EQ(e.Number, -52013);
    }
    EXPECT_EQ(ShownSplash(), nullptr);

    kv::late::PutProperty(identity.Get(), L"InfoApplication", Variant(std::wstring(L"Kelvo Restart")));
    for (const wchar_t* number : {L"InfoMajorVersion", L"InfoMinorVersion", L"InfoBuild"})
        kv::late::PutProperty(identity.Get(), number, Variant(1L));

    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KVSplashFaceTestOwner";
    RegisterClassW(&wc);
    HWND owner = CreateWindowExW(0, wc.lpszClassName, L"Owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                 nullptr, wc.hInstance, nullptr);
    ComPtr<FakeObject> form = FakeObject::Make();
    form->On(L"hWnd", [&](const std::vector<Variant>&, WORD) {
        return Variant(static_cast<long>(reinterpret_cast<LONG_PTR>(owner)));
    });

    ComPtr<IPictureDisp> picture = BitmapPicture(SolidBitmap(40, 30, RGB(0, 0, 210)));
    PutRef(splash.Get(), L"Picture", picture.Get());
    PutRef(splash.Get(), L"Owner", form->AsDispatch().Get());
    kv::late::PutProperty(splash.Get(), L"Website", Variant(std::wstring(L"http://www.kelvo.example")));
    kv::late::PutProperty(splash.Get(), L"AlwaysOnTop", Variant(true));
    kv::late::CallMethod(splash.Get(), L"Show");

    HWND shown = ShownSplash();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(GetWindow(shown, GW_OWNER), owner);
    EXPECT_EQ(Pixel(shown, 16 + 39, 16 + 29), RGB(0, 0, 210)) << "the picture object's bitmap";
    EXPECT_EQ(LabelText(shown, kv::frmSplash::conLblVersion), L"Version 1.1 Build 1");
    EXPECT_EQ(LabelText(shown, kv::frmSplash::conLblWebsite), L"http://www.kelvo.example");

    Variant back = kv::late::GetProperty(splash.Get(), L"Picture");
    ASSERT_TRUE(back.IsObject());
    ComPtr<IUnknown> same, original;
    back.Get<ComPtr<IDispatch>>()->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(same.Put()));
    picture->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(original.Put()));
    EXPECT_EQ(same.Get(), original.Get());

    kv::late::CallMethod(splash.Get(), L"CloseWindow");
    EXPECT_FALSE(IsWindow(shown));
    DestroyWindow(owner);
}
