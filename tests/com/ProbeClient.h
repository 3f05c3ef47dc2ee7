#pragma once
// A fresh probe of the COM test server, made by the class factory of this executable
// (which embeds the test type library), for calls through ScriptCall.h.
#include <windows.h>
#include <gtest/gtest.h>

#include "ComPtr.h"
#include "ComServer.h"
#include "ComTestServer.h"
#include "ScriptCall.h"

namespace kvtest {

inline kv::ComPtr<IClassFactory> ProbeFactory() {
    kv::com::SetModule(GetModuleHandleW(nullptr));
    kv::ComPtr<IClassFactory> factory;
    EXPECT_EQ(kv::com::GetClassObject(CLSID_clsProbe, IID_IClassFactory, reinterpret_cast<void**>(factory.Put())), S_OK);
    return factory;
}

inline kv::ComPtr<IDispatch> NewProbe() {
    kv::ComPtr<IDispatch> probe;
    if (auto factory = ProbeFactory()) {
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(probe.Put())), S_OK);
    }
    return probe;
}

}  // namespace kvtest
