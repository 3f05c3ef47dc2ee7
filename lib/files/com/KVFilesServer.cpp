// KVFiles.dll: the table of creatable classes and the entry points.
#include "ComServer.h"
#include "DispatchObject.h"
#include "FilesMain.h"
#include "KVFiles.h"
#include "clsExecuteCom.h"
#include "clsFileFunctionsCom.h"
#include "clsFileInfoCom.h"
#include "clsFileOperationsCom.h"
#include "clsFileSearchCom.h"
#include "clsFileShortcutCom.h"

const kv::com::ServerInfo& kv::com::Server() {
    static const ServerInfo info{
        kv::conFilesProject, &LIBID_KVFiles, 1, 0,
        {{&CLSID_clsExecute, L"KVFiles.clsExecute", L"Programme starten und Dokumente öffnen",
          &CreateObject<clsExecuteCom>},
         {&CLSID_clsFileInfo, L"KVFiles.clsFileInfo", L"Dateiinformationen", &CreateObject<clsFileInfoCom>},
         {&CLSID_clsFileOperations, L"KVFiles.clsFileOperations",
          L"Dateien kopieren, verschieben, umbenennen und löschen", &CreateObject<clsFileOperationsCom>},
         {&CLSID_clsFileFunctions, L"KVFiles.clsFileFunctions", L"Datum von Dateien setzen",
          &CreateObject<clsFileFunctionsCom>},
         {&CLSID_clsFileSearch, L"KVFiles.clsFileSearch", L"Dateien suchen", &CreateObject<clsFileSearchCom>},
         {&CLSID_clsFileShortcut, L"KVFiles.clsFileShortcut", L"Verknüpfungen erstellen und lesen",
          &CreateObject<clsFileShortcutCom>}}};
    return info;
}

KV_COM_SERVER_ENTRY_POINTS()
