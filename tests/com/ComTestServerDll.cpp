// The DLL entry points of the COM test server.
#include "ComServer.h"

KV_COM_SERVER_ENTRY_POINTS()
