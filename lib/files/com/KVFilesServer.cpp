// KVFiles.dll: the table of creatable classes and the entry points.
#include "ComServer.h"
#include "DispatchObject.h"
#include "FilesMain.h"
#include "KVFiles.h"
#include "clsExecuteCom.h"

const kv::com::ServerInfo& kv::com::Server() {
    static const ServerInfo info{
        kv::conFilesProject, &LIBID_KVFiles, 1, 0,
        {{&CLSID_clsExecute, L"KVFiles.clsExecute", L"Programme starten und Dokumente öffnen",
          &CreateObject<clsExecuteCom>}}};
    return info;
}

KV_COM_SERVER_ENTRY_POINTS()
