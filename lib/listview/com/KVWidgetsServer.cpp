// KVWidgets.dll: the table of creatable classes and the entry points.
#include "ComServer.h"
#include "DispatchObject.h"
#include "KVWidgets.h"
#include "ListViewMain.h"
#include "clsListViewCom.h"

const kv::com::ServerInfo& kv::com::Server() {
    static const ServerInfo info{
        kv::listview::conProject, &LIBID_KVWidgets, 1, 0,
        {{&CLSID_clsListView, L"KVWidgets.clsListView", L"Listenansicht: Spalten, Werte, Sortierung und Ansichten",
          &CreateObject<clsListViewCom>}}};
    return info;
}

KV_COM_SERVER_ENTRY_POINTS()
