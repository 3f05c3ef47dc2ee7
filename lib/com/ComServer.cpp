// Module lifetime and the class factory over the server's table of classes.
#include "ComServer.h"

#include "ComObject.h"
#include "DispatchObject.h"
#include "Guard.h"

namespace kv::com {

namespace {

HMODULE g_module = nullptr;
LONG g_moduleRefs = 0;

const ClassEntry* FindClass(REFCLSID clsid) {
    for (const ClassEntry& entry : Server().classes)
        if (*entry.clsid == clsid) return &entry;
    return nullptr;
}

// One factory object per request; it holds a module reference like any other object.
class ClassFactory final : public ComObject<IClassFactory> {
public:
    explicit ClassFactory(const ClassEntry& entry) : entry_(entry) {}

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        return Guard(IID_IClassFactory, [&] {
            if (!ppv) return E_POINTER;
            *ppv = nullptr;
            if (outer) return CLASS_E_NOAGGREGATION;
            return entry_.create(riid, ppv);
        });
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        return Guard(IID_IClassFactory, [&] {
            if (lock) ModuleAddRef();
            else ModuleRelease();
            return S_OK;
        });
    }

private:
    void* FindInterface(REFIID riid) override {
        return riid == IID_IClassFactory ? static_cast<IClassFactory*>(this) : nullptr;
    }

    const ClassEntry& entry_;
};

}  // namespace

const wchar_t* ErrorSource() noexcept {
    try {
        return Server().project;
    } catch (...) {
        return L"";   // the table itself failed; the error number still goes out
    }
}

void SetModule(HMODULE module) { g_module = module; }
HMODULE Module() { return g_module; }

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return L"";
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void ModuleAddRef() { InterlockedIncrement(&g_moduleRefs); }
void ModuleRelease() { InterlockedDecrement(&g_moduleRefs); }

HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    return Guard(IID_NULL, [&] {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        const ClassEntry* entry = FindClass(clsid);
        if (!entry) return CLASS_E_CLASSNOTAVAILABLE;
        return GetClassFactory(*entry, riid, ppv);
    });
}

HRESULT GetClassFactory(const ClassEntry& entry, REFIID riid, void** ppv) {
    return Guard(IID_NULL, [&] {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        auto* factory = new ClassFactory(entry);
        HRESULT hr = factory->QueryInterface(riid, ppv);
        factory->Release();
        return hr;
    });
}

HRESULT CanUnloadNow() {
    return Guard(IID_NULL, [&] {
        if (g_moduleRefs != 0) return S_FALSE;
        // Objects hold their own references to the tables, so one created meanwhile keeps its table.
        ReleaseDispatchTables();
        return S_OK;
    });
}

HRESULT GetTypeLib(ITypeLib** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    std::wstring path = ModulePath();
    if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
    // The module path loads resource TYPELIB 1; REGKIND_NONE keeps the registry untouched.
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, out);
}

}  // namespace kv::com
