// Class factory, module lifetime, the error translation and the registration as data.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ComError.h"
#include "ComServer.h"
#include "ErrorCapture.h"
#include "ProbeClient.h"

using namespace kvtest;
using kv::test::Raised;

TEST(ClassFactory, RefusesUnknownClassesAndAggregation) {
    kv::ComPtr<IClassFactory> factory = ProbeFactory();
    EXPECT_EQ(kv::com::GetClassObject(IID_IDispatch, IID_IClassFactory, reinterpret_cast<void**>(factory.Put())),
              CLASS_E_CLASSNOTAVAILABLE);
    factory = ProbeFactory();
    kv::ComPtr<IUnknown> object;
    EXPECT_EQ(factory->CreateInstance(factory.Get(), IID_IUnknown, reinterpret_cast<void**>(object.Put())),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, reinterpret_cast<void**>(object.Put())),
              E_NOINTERFACE);
    EXPECT_FALSE(object);
}

TEST(ClassFactory, ModuleStaysLoadedWhileObjectsOrLocksLive) {
    EXPECT_EQ(kv::com::CanUnloadNow(), S_OK);
    {
        auto probe = NewProbe();
        EXPECT_EQ(kv::com::CanUnloadNow(), S_FALSE);
        CallResult name;   // what the module let go when it could unload is read again
        Call(probe.Get(), L"Name", kGet, {}, name);
        EXPECT_EQ(name.hr, S_OK);
    }
    EXPECT_EQ(kv::com::CanUnloadNow(), S_OK);
    ProbeFactory()->LockServer(TRUE);
    EXPECT_EQ(kv::com::CanUnloadNow(), S_FALSE);
    ProbeFactory()->LockServer(FALSE);
    EXPECT_EQ(kv::com::CanUnloadNow(), S_OK);
}

// A create function of the server table that throws: the factory hands the error on as the
// HRESULT with its description instead of letting the exception reach the COM caller.
TEST(ClassFactory, CreationThatThrowsReturnsItsError) {
    static const kv::com::ClassEntry throwing{&CLSID_clsProbe, L"KVComTest.clsProbe", L"",
                                              [](REFIID, void**) -> HRESULT {
                                                  throw kv::KVError(-52016, L"\"x\" ungültig oder nicht gesetzt.");
                                              }};
    kv::ComPtr<IClassFactory> factory;
    ASSERT_EQ(kv::com::GetClassFactory(throwing, IID_IClassFactory, reinterpret_cast<void**>(factory.Put())), S_OK);
    kv::ComPtr<IUnknown> object;
    const HRESULT hr = factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(object.Put()));
    EXPECT_EQ(hr, static_cast<HRESULT>(-52016));
    EXPECT_FALSE(object);
    EXPECT_EQ(Raised([&] { kv::com::ThrowComError(hr); }).Description, L"\"x\" ungültig oder nicht gesetzt.");
}

TEST(ComError, NumbersAndHResultsTranslateBothWays) {
    EXPECT_EQ(kv::com::ErrorNumberToHResult(-52002), static_cast<HRESULT>(-52002));
    EXPECT_EQ(kv::com::ErrorNumberToHResult(13), static_cast<HRESULT>(0x800A000D));
    EXPECT_EQ(kv::com::ErrorNumberToHResult(0), E_FAIL);
    EXPECT_EQ(kv::com::ErrorNumberToHResult(0x10000), E_FAIL);
    EXPECT_EQ(kv::com::HResultToErrorNumber(static_cast<HRESULT>(0x800A000D)), 13);
    EXPECT_EQ(kv::com::HResultToErrorNumber(static_cast<HRESULT>(-52002)), -52002);
    EXPECT_EQ(kv::com::HResultToErrorNumber(E_ACCESSDENIED), static_cast<long>(E_ACCESSDENIED));
}

TEST(ComError, ThrownErrorsBecomeErrorInfoAndComeBackAsTheSameError) {
    auto translated = [](auto&& thrown) {
        try {
            throw thrown;
        } catch (...) {
            return kv::com::CurrentExceptionToHResult(L"KVComTest", IID_IclsProbe);
        }
    };
    HRESULT hr = translated(kv::KVError(-52016, L"\"x\" ungültig oder nicht gesetzt."));
    EXPECT_EQ(hr, static_cast<HRESULT>(-52016));
    kv::KVError back = Raised([&] { kv::com::CheckHr(hr); });
    EXPECT_EQ(back.Number, -52016);
    EXPECT_EQ(back.Description, L"\"x\" ungültig oder nicht gesetzt.");

    // Without error info the system's text stands in.
    const HRESULT missing = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    kv::KVError system = Raised([&] { kv::com::ThrowComError(missing); });
    EXPECT_EQ(system.Number, static_cast<long>(missing));
    EXPECT_FALSE(system.Description.empty());
    EXPECT_EQ(translated(std::bad_alloc()), E_OUTOFMEMORY);
}

namespace {

// "key|value name" -> data for every value; "key\" -> "" for every key left empty.
using RegTree = std::map<std::wstring, std::wstring>;

void ReadTree(HKEY key, const std::wstring& path, RegTree& out) {
    wchar_t name[512];
    BYTE data[2048];
    DWORD values = 0, keys = 0;
    for (;; ++values) {
        DWORD nameLen = 512, dataLen = sizeof data, type = 0;
        if (RegEnumValueW(key, values, name, &nameLen, nullptr, &type, data, &dataLen) != ERROR_SUCCESS) break;
        out[path + L"|" + name] = type == REG_SZ ? reinterpret_cast<wchar_t*>(data) : L"<not REG_SZ>";
    }
    for (;; ++keys) {
        DWORD nameLen = 512;
        HKEY child = nullptr;
        if (RegEnumKeyExW(key, keys, name, &nameLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
        ReadTree(child, path.empty() ? name : path + L"\\" + name, out);
        RegCloseKey(child);
    }
    if (values == 0 && keys == 0 && !path.empty()) out[path + L"\\"] = L"";
}

RegTree TreeOf(HKEY root, const wchar_t* path) {
    RegTree tree;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        ReadTree(key, L"", tree);
        RegCloseKey(key);
    }
    return tree;
}

std::wstring Guid(REFGUID g) {
    wchar_t text[40];
    StringFromGUID2(g, text, 40);
    return text;
}

void CreateKey(const std::wstring& path) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

}  // namespace

// Registration below a throwaway classes root of the user; the machine-wide path through
// regsvr32 is test_ComServer.vbs's.
class Registration : public ::testing::Test {
protected:
    static constexpr const wchar_t* kRoot = L"Software\\KVComTest\\Classes";
    Registration() {
        kv::com::SetModule(GetModuleHandleW(nullptr));
        path = kv::com::ModulePath();
        folder = path.substr(0, path.find_last_of(L'\\'));
    }
    void SetUp() override {
        TearDown();
        CreateKey(kRoot);
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KVComTest"); }
    static RegTree Tree() { return TreeOf(HKEY_CURRENT_USER, kRoot); }

    std::wstring path, folder;
    const std::wstring clsid = L"CLSID\\" + Guid(CLSID_clsProbe), typelib = L"TypeLib\\" + Guid(LIBID_KVComTest),
                       iface = L"Interface\\" + Guid(IID_IclsProbe), source = L"Interface\\" + Guid(DIID___clsProbe);
};

TEST_F(Registration, WritesExactlyTheServerKeysAndRemovesThemAgain) {
    ASSERT_EQ(kv::com::RegisterServerIn(HKEY_CURRENT_USER, kRoot), S_OK);
    const RegTree expected{
        {clsid + L"|", L"Probe of the COM machinery"},
        {clsid + L"\\InprocServer32|", path},
        {clsid + L"\\InprocServer32|ThreadingModel", L"Apartment"},
        {clsid + L"\\ProgID|", L"KVComTest.clsProbe"},
        {clsid + L"\\TypeLib|", Guid(LIBID_KVComTest)},
        {clsid + L"\\Version|", L"1.0"},
        {L"KVComTest.clsProbe|", L"Probe of the COM machinery"},
        {L"KVComTest.clsProbe\\CLSID|", Guid(CLSID_clsProbe)},
        {typelib + L"\\1.0|", L"Kelvo Restart COM test server"},
        {typelib + L"\\1.0\\0\\win64|", path},
        {typelib + L"\\1.0\\FLAGS|", L"0"},
        {typelib + L"\\1.0\\HELPDIR|", folder},
        {iface + L"|", L"IclsProbe"},
        {iface + L"\\ProxyStubClsid32|", L"{00020424-0000-0000-C000-000000000046}"},
        {iface + L"\\TypeLib|", Guid(LIBID_KVComTest)},
        {iface + L"\\TypeLib|Version", L"1.0"},
        // The event interface is a pure dispinterface: the automation marshaller's own stub.
        {source + L"|", L"__clsProbe"},
        {source + L"\\ProxyStubClsid32|", L"{00020420-0000-0000-C000-000000000046}"},
        {source + L"\\TypeLib|", Guid(LIBID_KVComTest)},
        {source + L"\\TypeLib|Version", L"1.0"},
    };
    EXPECT_EQ(Tree(), expected);
    ASSERT_EQ(kv::com::UnregisterServerIn(HKEY_CURRENT_USER, kRoot), S_OK);
    // Only the shared top-level keys stay, empty.
    EXPECT_EQ(Tree(), (RegTree{{L"CLSID\\", L""}, {L"TypeLib\\", L""}, {L"Interface\\", L""}}));
}

TEST_F(Registration, UnregisteringLeavesWhatOthersWroteBesideIt) {
    CreateKey(std::wstring(kRoot) + L"\\" + typelib + L"\\2.0");
    ASSERT_EQ(kv::com::RegisterServerIn(HKEY_CURRENT_USER, kRoot), S_OK);
    CreateKey(std::wstring(kRoot) + L"\\" + clsid + L"\\Implemented Categories");
    ASSERT_EQ(kv::com::UnregisterServerIn(HKEY_CURRENT_USER, kRoot), S_OK);
    EXPECT_EQ(Tree(), (RegTree{{clsid + L"\\Implemented Categories\\", L""}, {typelib + L"\\2.0\\", L""},
                               {L"Interface\\", L""}}));
}
