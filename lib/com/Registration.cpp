// Registration written as data: the list of values a server needs, written below one
// classes root and undone value by value, removing only the keys this left empty.
#include <algorithm>
#include <string>
#include <vector>

#include "ComPtr.h"
#include "ComServer.h"
#include "Owned.h"
#include "Guard.h"

namespace kv::com {

namespace {

struct RegValue {
    std::wstring key;    // below the classes root
    std::wstring name;   // empty: the key's default value
    std::wstring data;
};

// Top-level keys that other servers share; never removed.
bool IsSharedRoot(const std::wstring& key) {
    return _wcsicmp(key.c_str(), L"CLSID") == 0 || _wcsicmp(key.c_str(), L"TypeLib") == 0 ||
           _wcsicmp(key.c_str(), L"Interface") == 0;
}

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring Number(unsigned value, bool hex) {
    wchar_t text[16];
    wsprintfW(text, hex ? L"%x" : L"%u", value);
    return text;
}

std::wstring FolderOf(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// The dual and dispatch interfaces of the type library, each with its proxy/stub class:
// the automation marshaller for vtable-capable ones, the dispatch marshaller otherwise.
HRESULT InterfaceValues(ITypeLib* library, const std::wstring& libid, const std::wstring& version,
                        std::vector<RegValue>& out) {
    UINT count = library->GetTypeInfoCount();
    std::vector<GUID> seen;
    for (UINT i = 0; i < count; ++i) {
        ComPtr<ITypeInfo> info;
        HRESULT hr = library->GetTypeInfo(i, info.Put());
        if (FAILED(hr)) return hr;
        TYPEATTR* attr = nullptr;
        if (FAILED(hr = info->GetTypeAttr(&attr))) return hr;
        GUID guid = attr->guid;
        bool dual = (attr->wTypeFlags & TYPEFLAG_FDUAL) != 0;
        bool wanted = attr->typekind == TKIND_DISPATCH ||
                      (attr->typekind == TKIND_INTERFACE && (attr->wTypeFlags & TYPEFLAG_FOLEAUTOMATION));
        bool vtable = dual || attr->typekind == TKIND_INTERFACE;
        info->ReleaseTypeAttr(attr);
        if (!wanted || std::find(seen.begin(), seen.end(), guid) != seen.end()) continue;
        seen.push_back(guid);

        BSTR name = nullptr;
        if (FAILED(hr = library->GetDocumentation(static_cast<INT>(i), &name, nullptr, nullptr, nullptr))) return hr;
        std::wstring key = L"Interface\\" + GuidText(guid);
        out.push_back({key, L"", name ? name : L""});
        SysFreeString(name);
        out.push_back({key + L"\\ProxyStubClsid32", L"",
                       vtable ? L"{00020424-0000-0000-C000-000000000046}" : L"{00020420-0000-0000-C000-000000000046}"});
        out.push_back({key + L"\\TypeLib", L"", libid});
        out.push_back({key + L"\\TypeLib", L"Version", version});
    }
    return S_OK;
}

HRESULT ServerValues(std::vector<RegValue>& out) {
    const ServerInfo& server = Server();
    const std::wstring path = ModulePath();
    if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
    const std::wstring libid = GuidText(*server.libid);
    const std::wstring version = Number(server.majorVersion, false) + L"." + Number(server.minorVersion, false);

    for (const ClassEntry& c : server.classes) {
        const std::wstring key = L"CLSID\\" + GuidText(*c.clsid);
        out.push_back({key, L"", c.description});
        out.push_back({key + L"\\InprocServer32", L"", path});
        out.push_back({key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"});
        out.push_back({key + L"\\ProgID", L"", c.progId});
        out.push_back({key + L"\\TypeLib", L"", libid});
        out.push_back({key + L"\\Version", L"", version});
        out.push_back({c.progId, L"", c.description});
        out.push_back({std::wstring(c.progId) + L"\\CLSID", L"", GuidText(*c.clsid)});
    }

    ComPtr<ITypeLib> library;
    HRESULT hr = GetTypeLib(library.Put());
    if (FAILED(hr)) return hr;
    BSTR name = nullptr, doc = nullptr;
    if (FAILED(hr = library->GetDocumentation(-1, &name, &doc, nullptr, nullptr))) return hr;
    std::wstring title = doc && *doc ? doc : (name ? name : L"");
    SysFreeString(name);
    SysFreeString(doc);
    // Type library versions are written in hexadecimal, as LoadRegTypeLib reads them.
    const std::wstring tlb = L"TypeLib\\" + libid + L"\\" + Number(server.majorVersion, true) + L"." +
                             Number(server.minorVersion, true);
    out.push_back({tlb, L"", title});
#ifdef _WIN64
    out.push_back({tlb + L"\\0\\win64", L"", path});
#else
    out.push_back({tlb + L"\\0\\win32", L"", path});
#endif
    out.push_back({tlb + L"\\FLAGS", L"", L"0"});
    out.push_back({tlb + L"\\HELPDIR", L"", FolderOf(path)});
    return InterfaceValues(library.Get(), libid, version, out);
}

std::wstring Below(const wchar_t* classesPath, const std::wstring& key) {
    return std::wstring(classesPath) + L"\\" + key;
}

// Removes key when it holds neither values nor subkeys; then its parent likewise, up to
// (not including) the classes root and the shared top-level keys.
LONG RemoveIfEmpty(HKEY root, const wchar_t* classesPath, std::wstring key) {
    for (;;) {
        if (key.find(L'\\') == std::wstring::npos && IsSharedRoot(key)) return ERROR_SUCCESS;
        OwnedKey handle;
        LONG rc = RegOpenKeyExW(root, Below(classesPath, key).c_str(), 0, KEY_READ, handle.Receive());
        if (rc == ERROR_FILE_NOT_FOUND) rc = ERROR_SUCCESS;
        else if (rc == ERROR_SUCCESS) {
            DWORD subkeys = 0, values = 0;
            rc = RegQueryInfoKeyW(handle.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                                  nullptr, nullptr, nullptr, nullptr);
            handle.Reset();  // closed before the key may be deleted
            if (rc != ERROR_SUCCESS) return rc;
            if (subkeys != 0 || values != 0) return ERROR_SUCCESS;
            rc = RegDeleteKeyW(root, Below(classesPath, key).c_str());
            if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) return rc;
        } else {
            return rc;
        }
        size_t slash = key.rfind(L'\\');
        if (slash == std::wstring::npos) return ERROR_SUCCESS;
        key.resize(slash);
    }
}

LONG DeleteValues(HKEY root, const wchar_t* classesPath, const std::vector<RegValue>& values) {
    for (auto it = values.rbegin(); it != values.rend(); ++it) {
        OwnedKey handle;
        LONG rc = RegOpenKeyExW(root, Below(classesPath, it->key).c_str(), 0, KEY_SET_VALUE, handle.Receive());
        if (rc == ERROR_FILE_NOT_FOUND) continue;
        if (rc != ERROR_SUCCESS) return rc;
        rc = RegDeleteValueW(handle.Get(), it->name.empty() ? nullptr : it->name.c_str());
        if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) return rc;
    }
    // Deepest keys first, so parents are examined after their children went.
    std::vector<std::wstring> keys;
    for (const RegValue& v : values)
        if (std::find(keys.begin(), keys.end(), v.key) == keys.end()) keys.push_back(v.key);
    std::sort(keys.begin(), keys.end(), [](const std::wstring& a, const std::wstring& b) {
        return std::count(a.begin(), a.end(), L'\\') > std::count(b.begin(), b.end(), L'\\');
    });
    for (const std::wstring& key : keys) {
        LONG rc = RemoveIfEmpty(root, classesPath, key);
        if (rc != ERROR_SUCCESS) return rc;
    }
    return ERROR_SUCCESS;
}

bool IsAccessDenied(HRESULT hr) { return hr == HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED) || hr == E_ACCESSDENIED; }

}  // namespace

HRESULT RegisterServerIn(HKEY root, const wchar_t* classesPath) {
    return Guard(IID_NULL, [&] {
        std::vector<RegValue> values;
        HRESULT hr = ServerValues(values);
        if (FAILED(hr)) return hr;
        for (const RegValue& v : values) {
            OwnedKey handle;
            LONG rc = RegCreateKeyExW(root, Below(classesPath, v.key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_SET_VALUE, nullptr, handle.Receive(), nullptr);
            if (rc == ERROR_SUCCESS) {
                rc = RegSetValueExW(handle.Get(), v.name.empty() ? nullptr : v.name.c_str(), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(v.data.c_str()),
                                    static_cast<DWORD>((v.data.size() + 1) * sizeof(wchar_t)));
                handle.Reset();
            }
            if (rc != ERROR_SUCCESS) {
                DeleteValues(root, classesPath, values);   // leave no half registration behind
                return HRESULT_FROM_WIN32(rc);
            }
        }
        return S_OK;
    });
}

HRESULT UnregisterServerIn(HKEY root, const wchar_t* classesPath) {
    return Guard(IID_NULL, [&] {
        std::vector<RegValue> values;
        HRESULT hr = ServerValues(values);
        if (FAILED(hr)) return hr;
        LONG rc = DeleteValues(root, classesPath, values);
        return rc == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(rc);
    });
}

HRESULT RegisterServer() {
    return Guard(IID_NULL, [&] {
        HRESULT hr = RegisterServerIn(HKEY_LOCAL_MACHINE, L"Software\\Classes");
        if (!IsAccessDenied(hr)) return hr;
        return RegisterServerIn(HKEY_CURRENT_USER, L"Software\\Classes");
    });
}

HRESULT UnregisterServer() {
    return Guard(IID_NULL, [&] {
        HRESULT machine = UnregisterServerIn(HKEY_LOCAL_MACHINE, L"Software\\Classes");
        HRESULT user = UnregisterServerIn(HKEY_CURRENT_USER, L"Software\\Classes");
        if (FAILED(machine) && !IsAccessDenied(machine)) return machine;
        return user;
    });
}

}  // namespace kv::com
