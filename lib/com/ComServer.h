#pragma once
// The in-process server machinery every library shares: module lifetime, the class
// factory over a table of classes, and registration written as data and undone exactly.
//
// A server DLL defines kv::com::Server() (its table) and places KV_COM_SERVER_ENTRY_POINTS()
// in one source file; its .def file exports the four Dll* functions PRIVATE.
#include <windows.h>
#include <objbase.h>
#include <oaidl.h>
#include <string>
#include <vector>

namespace kv::com {

struct ClassEntry {
    const CLSID* clsid;
    const wchar_t* progId;        // "Library.Class", e.g. L"KVCore.clsMain"
    const wchar_t* description;   // shown as the CLSID key's default value
    // Creates a new object and queries it for riid (aggregation is refused by the factory).
    HRESULT (*create)(REFIID riid, void** ppv);
};

struct ServerInfo {
    const wchar_t* project;       // error source and library name, e.g. L"KVCore"
    const GUID* libid;            // the embedded type library
    WORD majorVersion;
    WORD minorVersion;
    std::vector<ClassEntry> classes;
};

// Each DLL defines this once (its table of published classes).
const ServerInfo& Server();

// Module handle, stored by DllMain (nothing else happens under the loader lock).
void SetModule(HMODULE module);
HMODULE Module();
std::wstring ModulePath();

// Module reference count behind LockServer and DllCanUnloadNow; every live object holds one.
void ModuleAddRef();
void ModuleRelease();

// The bodies of the four standard entry points; like every COM method they let no exception
// out (Guard.h).
HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv);
// The class factory of one class; GetClassObject finds entry in the table. entry must
// outlive the factory.
HRESULT GetClassFactory(const ClassEntry& entry, REFIID riid, void** ppv);
HRESULT CanUnloadNow();
HRESULT RegisterServer();      // machine-wide where allowed, else per user
HRESULT UnregisterServer();    // removes what RegisterServer wrote (from both places)

// Registration below one classes root (HKLM\Software\Classes or HKCU\Software\Classes),
// used by RegisterServer and by the tests of the per-user path.
HRESULT RegisterServerIn(HKEY root, const wchar_t* classesPath);
HRESULT UnregisterServerIn(HKEY root, const wchar_t* classesPath);

// The type library embedded in this module (resource "TYPELIB" 1). Each call hands out a
// new reference; oleaut32 keeps the library loaded while one is alive.
HRESULT GetTypeLib(ITypeLib** out);

}  // namespace kv::com

// The DLL entry points of a server; exported through the DLL's .def file.
#define KV_COM_SERVER_ENTRY_POINTS()                                                        \
    extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {             \
        if (reason == DLL_PROCESS_ATTACH) ::kv::com::SetModule(instance);                  \
        return TRUE;                                                                        \
    }                                                                                       \
    STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {                    \
        return ::kv::com::GetClassObject(clsid, riid, ppv);                                 \
    }                                                                                       \
    STDAPI DllCanUnloadNow() { return ::kv::com::CanUnloadNow(); }                         \
    STDAPI DllRegisterServer() { return ::kv::com::RegisterServer(); }                     \
    STDAPI DllUnregisterServer() { return ::kv::com::UnregisterServer(); }
