#pragma once
// What the KVAbout face classes share: their error source and the filling of [out, retval]
// values from the cores, with every exception stopped at the COM boundary.
#include <windows.h>
#include <oaidl.h>

#include <utility>

#include "FaceValue.h"

namespace kv::about {

inline constexpr const wchar_t* conProject = L"KVAbout";

// *out = the core's value; E_POINTER for a missing out pointer, COM error for a failure.
template <class Out, class Getter>
HRESULT GetValue(Out* out, REFIID iid, Getter&& getter) {
    return com::GetValue(out, conProject, iid, std::forward<Getter>(getter));
}

}  // namespace kv::about
