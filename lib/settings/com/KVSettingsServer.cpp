// KVSettings.dll: the table of published classes and the DLL entry points.
#include "ComServer.h"
#include "DispatchObject.h"
#include "SettingsMain.h"
#include "clsIniCom.h"
#include "clsRegValueItemCom.h"
#include "clsRegistryCom.h"

const kv::com::ServerInfo& kv::com::Server() {
    static const ServerInfo info{
        kv::settings::conProject,
        &LIBID_KVSettings,
        1,
        0,
        {
            {&CLSID_clsRegistry, L"KVSettings.clsRegistry", L"KVSettings - Zugriff auf die Registry",
             &CreateObject<clsRegistryCom>},
            {&CLSID_clsRegValueItem, L"KVSettings.clsRegValueItem", L"KVSettings - Wert der Registry",
             &CreateObject<clsRegValueItemCom>},
            {&CLSID_clsIni, L"KVSettings.clsIni", L"KVSettings - Zugriff auf INI-Dateien",
             &CreateObject<clsIniCom>},
        },
    };
    return info;
}

KV_COM_SERVER_ENTRY_POINTS()
