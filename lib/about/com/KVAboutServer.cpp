// KVAbout.dll: the table of creatable classes and the entry points. The detail classes of
// clsSystemInfo are published in the type library only; clsSystemInfo hands them out.
#include "AboutMain.h"
#include "ComServer.h"
#include "DispatchObject.h"
#include "KVAbout.h"
#include "clsInfoDialogCom.h"
#include "clsPersonalDataCom.h"
#include "clsSendMessageCom.h"
#include "clsSplashCom.h"
#include "clsSystemInfoCom.h"
#include "clsVersionGlobalCom.h"

const kv::com::ServerInfo& kv::com::Server() {
    static const ServerInfo info{
        kv::conAboutProject, &LIBID_KVAbout, 1, 0,
        {{&CLSID_clsSystemInfo, L"KVAbout.clsSystemInfo", L"Systeminformationen", &CreateObject<clsSystemInfoCom>},
         {&CLSID_clsVersionGlobal, L"KVAbout.clsVersionGlobal", L"Name und Version der Anwendung",
          &CreateObject<clsVersionGlobalCom>},
         {&CLSID_clsPersonalData, L"KVAbout.clsPersonalData", L"Kontaktdaten des Herstellers",
          &CreateObject<clsPersonalDataCom>},
         {&CLSID_clsSplash, L"KVAbout.clsSplash", L"Startbildschirm", &CreateObject<clsSplashCom>},
         {&CLSID_clsSendMessage, L"KVAbout.clsSendMessage", L"Nachricht an den Hersteller",
          &CreateObject<clsSendMessageCom>},
         {&CLSID_clsInfoDialog, L"KVAbout.clsInfoDialog", L"Programm Info", &CreateObject<clsInfoDialogCom>}}};
    return info;
}

KV_COM_SERVER_ENTRY_POINTS()
