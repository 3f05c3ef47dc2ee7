// KVSettings.dll: the table of published classes and the DLL entry points.
#include "ComServer.h"
#include "DispatchObject.h"
#include "clsIniCom.h"
#include "clsRegValueItemCom.h"
#include "clsRegistryCom.h"

namespace kv::com {

const ServerInfo& Server() {
    using namespace kv::settings::com;
    static const ServerInfo info{
        conProject,
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

}  // namespace kv::com

KV_COM_SERVER_ENTRY_POINTS()
