// KVCore.dll: the server table (one published class) and the DLL entry points.
#include "ComServer.h"
#include "DispatchObject.h"
#include "KVCore.h"
#include "clsMainCom.h"

const kv::com::ServerInfo& kv::com::Server() {
    static const ServerInfo info{clsMain::conProject, &LIBID_KVCore, 1, 0,
                                 {{&CLSID_clsMain, L"KVCore.clsMain", L"KVCore - Hilfsfunktionen und Fehlerkonvention",
                                   &CreateObject<clsMainCom>}}};
    return info;
}

KV_COM_SERVER_ENTRY_POINTS()
