// KVAbout.dll: the table of creatable classes and the entry points. The detail classes of
// clsSystemInfo are published in the type library only; clsSystemInfo hands them out.
#include "AboutFace.h"
#include "ComServer.h"
#include "IdentityFaces.h"
#include "KVAbout.h"
#include "SplashFace.h"
#include "SystemInfoFaces.h"

const kv::com::ServerInfo& kv::com::Server() {
    using namespace kv::about;
    static const ServerInfo info{
        conProject, &LIBID_KVAbout, 1, 0,
        {{&CLSID_clsSystemInfo, L"KVAbout.clsSystemInfo", L"Systeminformationen", &SystemInfoFace::Create},
         {&CLSID_clsVersionGlobal, L"KVAbout.clsVersionGlobal", L"Name und Version der Anwendung",
          &VersionGlobalFace::Create},
         {&CLSID_clsPersonalData, L"KVAbout.clsPersonalData", L"Kontaktdaten des Herstellers",
          &PersonalDataFace::Create},
         {&CLSID_clsSplash, L"KVAbout.clsSplash", L"Startbildschirm", &SplashFace::Create}}};
    return info;
}

KV_COM_SERVER_ENTRY_POINTS()
