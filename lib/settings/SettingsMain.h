#pragma once
// The library's one clsMain (trimming and error raising), the forwarding every member of
// the library wraps its body in, and the "not found" answer of the Exist* members.
#include <initializer_list>

#include "KVError.h"
#include "clsMain.h"

namespace kv::settings {

inline constexpr const wchar_t* conProject = L"KVSettings";

// Created on first use and kept for the life of the library.
clsMain& Main();

// Runs body; an error leaving it is raised again through ForwardError with project
// KVSettings and the given module and member, so the chain records the place.
template <class Body>
decltype(auto) Forwarded(const wchar_t* module, const wchar_t* member, Body&& body) {
    try {
        return body();
    } catch (const KVError& error) {
        Main().ForwardError(conProject, module, member, error);
    }
}

// What body answers, or false when it raises one of the given "not found" errors; any other
// error passes on. The Exist* members ask this way.
template <class Body>
bool FalseWhenMissing(std::initializer_list<long> missing, Body&& body) {
    try {
        return body();
    } catch (const KVError& error) {
        for (long number : missing)
            if (error.Number == number) return false;
        throw;
    }
}

}  // namespace kv::settings
