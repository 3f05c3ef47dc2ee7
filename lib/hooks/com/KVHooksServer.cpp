// KVHooks.dll: the table of creatable classes and the entry points.
#include "ComServer.h"
#include "HooksMain.h"
#include "KVHooks.h"
#include "clsHookDataCom.h"
#include "clsSubClassCom.h"
#include "clsSystemHookCom.h"
#include "clsTimerCom.h"

const kv::com::ServerInfo& kv::com::Server() {
    static const ServerInfo info{
        kv::conHooksProject, &LIBID_KVHooks, 1, 0,
        {{&CLSID_clsSystemHook, L"KVHooks.clsSystemHook", L"Tastatur- und Mausereignisse des ganzen Desktops",
          &CreateObject<clsSystemHookCom>},
         {&CLSID_clsSubClass, L"KVHooks.clsSubClass", L"Fensternachrichten abfangen", &CreateObject<clsSubClassCom>},
         {&CLSID_clsTimer, L"KVHooks.clsTimer", L"Timer ohne Fenster", &CreateObject<clsTimerCom>},
         {&CLSID_clsHookData, L"KVHooks.clsHookData", L"Ein abgefangenes Paar aus Fenster und Nachricht",
          &CreateObject<clsHookDataCom>},
         {&CLSID_clsPublicConsts, L"KVHooks.clsPublicConsts", L"Konstanten der Bibliothek",
          &CreateObject<clsPublicConstsCom>}}};
    return info;
}

KV_COM_SERVER_ENTRY_POINTS()
