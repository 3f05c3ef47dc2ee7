// The server table of the COM test server (the test DLL and the test executable share it).
#include "ComServer.h"
#include "DispatchObject.h"
#include "ComTestServer.h"
#include "ProbeObject.h"

const kv::com::ServerInfo& kv::com::Server() {
    static const ServerInfo info{L"KVComTest", &LIBID_KVComTest, 1, 0,
                                 {{&CLSID_clsProbe, L"KVComTest.clsProbe", L"Probe of the COM machinery",
                                   &CreateObject<kvtest::ProbeObject>}}};
    return info;
}
