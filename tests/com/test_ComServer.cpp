// Class factory, module lifetime, the error translation and the registration as data.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ComError.h"
#include "ComServer.h"
#include "ProbeClient.h"

using namespace kvtest;

TEST(ClassFactory, RefusesUnknownClassesAndAggregation) {
    kv::com::SetModule(GetModuleHandleW(nullptr));
    kv::ComPtr<IClassFactory> factory;
    EXPECT_EQ(kv::com::GetClassObject(IID_IDispatch, IID_IClassFactory, reinterpret_cast<void**>(factory.Put())),
              CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_EQ(kv::com::GetClassObject(CLSID_clsProbe, IID_IClassFactory, reinterpret_cast<void**>(factory.Put())), S_OK);
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
    }
    EXPECT_EQ(kv::com::CanUnloadNow(), S_OK);
    kv::ComPtr<IClassFactory> factory;
    ASSERT_EQ(kv::com::GetClassObject(CLSID_clsProbe, IID_IClassFactory, reinterpret_cast<void**>(factory.Put())), S_OK);
    factory->LockServer(TRUE);
    factory.Reset();
    EXPECT_EQ(kv::com::CanUnloadNow(), S_FALSE);
    ASSERT_EQ(kv::com::GetClassObject(CLSID_clsProbe, IID_IClassFactory, reinterpret_cast<void**>(factory.Put())), S_OK);
    factory->LockServer(FALSE);
    factory.Reset();
    EXPECT_EQ(kv::com::CanUnloadNow(), S_OK);
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
    HRESULT hr = S_OK;
    try {
        throw kv::KVError(-52016, L"\"x\" ungültig oder nicht gesetzt.");
    } catch (...) {
        hr = kv::com::CurrentExceptionToHResult(L"KVComTest", IID_IclsProbe);
    }
    EXPECT_EQ(hr, static_cast<HRESULT>(-52016));
    try {
        kv::com::CheckHr(hr);
        FAIL() << "no error raised";
    } catch (const kv::KVError& e) {
        EXPECT_EQ(e.Number, -52016);
        EXPECT_EQ(e.Description, L"\"x\" ungültig oder nicht gesetzt.");
    }
    // Without error info the system's text stands in.
    try {
        kv::com::ThrowComError(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    } catch (const kv::KVError& e) {
        EXPECT_EQ(e.Number, static_cast<long>(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)));
        EXPECT_FALSE(e.Description.empty());
    }
    try {
        throw std::bad_alloc();
    } catch (...) {
        EXPECT_EQ(kv::com::CurrentExceptionToHResult(L"KVComTest", IID_IclsProbe), E_OUTOFMEMORY);
    }
}

namespace {

using RegTree = std::map<std::wstring, std::wstring>;   // "key|value name" -> data

void ReadTree(HKEY key, const std::wstring& path, RegTree& out) {
    wchar_t name[512];
    BYTE data[2048];
    for (DWORD i = 0;; ++i) {
        DWORD nameLen = 512, dataLen = sizeof(data), type = 0;
        if (RegEnumValueW(key, i, name, &nameLen, nullptr, &type, data, &dataLen) != ERROR_SUCCESS) break;
        out[path + L"|" + name] = type == REG_SZ ? reinterpret_cast<wchar_t*>(data) : L"<not REG_SZ>";
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLen = 512;
        if (RegEnumKeyExW(key, i, name, &nameLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
            std::wstring childPath = path.empty() ? name : path + L"\\" + name;
            out[childPath + L"\\"] = L"<key>";
            ReadTree(child, childPath, out);
            RegCloseKey(child);
        }
    }
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

bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

}  // namespace

class Registration : public ::testing::Test {
protected:
    void SetUp() override {
        kv::com::SetModule(GetModuleHandleW(nullptr));
        path = kv::com::ModulePath();
        folder = path.substr(0, path.find_last_of(L'\\'));
        clsid = L"CLSID\\" + Guid(CLSID_clsProbe);
        typelib = L"TypeLib\\" + Guid(LIBID_KVComTest);
        iface = L"Interface\\" + Guid(IID_IclsProbe);
    }
    std::wstring path, folder, clsid, typelib, iface;
};

TEST_F(Registration, PerUserWritesExactlyTheServerKeysAndRemovesThemAgain) {
    const wchar_t* root = L"Software\\KVComTest\\Classes";
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KVComTest");
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, root, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(created);

    ASSERT_EQ(kv::com::RegisterServerIn(HKEY_CURRENT_USER, root), S_OK);
    const RegTree expected{
        {L"CLSID\\", L"<key>"},
        {clsid + L"\\", L"<key>"},
        {clsid + L"|", L"Probe of the COM machinery"},
        {clsid + L"\\InprocServer32\\", L"<key>"},
        {clsid + L"\\InprocServer32|", path},
        {clsid + L"\\InprocServer32|ThreadingModel", L"Apartment"},
        {clsid + L"\\ProgID\\", L"<key>"},
        {clsid + L"\\ProgID|", L"KVComTest.clsProbe"},
        {clsid + L"\\TypeLib\\", L"<key>"},
        {clsid + L"\\TypeLib|", Guid(LIBID_KVComTest)},
        {clsid + L"\\Version\\", L"<key>"},
        {clsid + L"\\Version|", L"1.0"},
        {L"KVComTest.clsProbe\\", L"<key>"},
        {L"KVComTest.clsProbe|", L"Probe of the COM machinery"},
        {L"KVComTest.clsProbe\\CLSID\\", L"<key>"},
        {L"KVComTest.clsProbe\\CLSID|", Guid(CLSID_clsProbe)},
        {L"TypeLib\\", L"<key>"},
        {typelib + L"\\", L"<key>"},
        {typelib + L"\\1.0\\", L"<key>"},
        {typelib + L"\\1.0|", L"Kelvo Restart COM test server"},
        {typelib + L"\\1.0\\0\\", L"<key>"},
        {typelib + L"\\1.0\\0\\win64\\", L"<key>"},
        {typelib + L"\\1.0\\0\\win64|", path},
        {typelib + L"\\1.0\\FLAGS\\", L"<key>"},
        {typelib + L"\\1.0\\FLAGS|", L"0"},
        {typelib + L"\\1.0\\HELPDIR\\", L"<key>"},
        {typelib + L"\\1.0\\HELPDIR|", folder},
        {L"Interface\\", L"<key>"},
        {iface + L"\\", L"<key>"},
        {iface + L"|", L"IclsProbe"},
        {iface + L"\\ProxyStubClsid32\\", L"<key>"},
        {iface + L"\\ProxyStubClsid32|", L"{00020424-0000-0000-C000-000000000046}"},
        {iface + L"\\TypeLib\\", L"<key>"},
        {iface + L"\\TypeLib|", Guid(LIBID_KVComTest)},
        {iface + L"\\TypeLib|Version", L"1.0"},
    };
    EXPECT_EQ(TreeOf(HKEY_CURRENT_USER, root), expected);

    ASSERT_EQ(kv::com::UnregisterServerIn(HKEY_CURRENT_USER, root), S_OK);
    // Only the shared top-level keys stay, empty.
    const RegTree shared{{L"CLSID\\", L"<key>"}, {L"TypeLib\\", L"<key>"}, {L"Interface\\", L"<key>"}};
    EXPECT_EQ(TreeOf(HKEY_CURRENT_USER, root), shared);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KVComTest");
}

TEST_F(Registration, UnregisteringLeavesWhatOthersWroteBesideIt) {
    const wchar_t* root = L"Software\\Classes";
    const std::wstring other = std::wstring(root) + L"\\" + typelib + L"\\2.0";
    const std::wstring extra = std::wstring(root) + L"\\" + clsid + L"\\Implemented Categories";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, other.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);

    ASSERT_EQ(kv::com::RegisterServerIn(HKEY_CURRENT_USER, root), S_OK);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, extra.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(kv::com::UnregisterServerIn(HKEY_CURRENT_USER, root), S_OK);

    const std::wstring base = std::wstring(root) + L"\\";
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, other));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base + typelib + L"\\1.0"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, extra));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base + clsid + L"\\InprocServer32"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base + L"KVComTest.clsProbe"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base + iface));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, base + L"CLSID"));

    RegDeleteTreeW(HKEY_CURRENT_USER, (base + typelib).c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, (base + clsid).c_str());
}

TEST_F(Registration, MachineWideWhereTheProcessMayWrite) {
    // Under Wine the prefix's machine-wide classes are writable, as for an administrator.
    ASSERT_EQ(kv::com::RegisterServer(), S_OK);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Classes\\" + clsid + L"\\InprocServer32"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\Classes\\" + clsid));
    ASSERT_EQ(kv::com::UnregisterServer(), S_OK);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Classes\\" + clsid));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Classes\\" + typelib));
}
