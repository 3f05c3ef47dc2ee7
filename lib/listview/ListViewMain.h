#pragma once
// The library's one clsMain (formatting helpers and error raising) and the forwarding every
// member of the library wraps its body in.
#include "KVError.h"
#include "clsMain.h"

namespace kv::listview {

inline constexpr const wchar_t* conProject = L"KVWidgets";

// Created on first use and kept for the life of the library.
clsMain& Main();

// Runs body; an error leaving it is raised again through ForwardError with project
// KVWidgets and the given module and member, so the chain records the place.
template <class Body>
decltype(auto) Forwarded(const wchar_t* module, const wchar_t* member, Body&& body) {
    try {
        return body();
    } catch (const KVError& error) {
        Main().ForwardError(conProject, module, member, error);
    }
}

// Error 35600 "Index out of bounds": a row or column outside 1 ... count.
[[noreturn]] void RaiseIndexOutOfBounds();
// Error 35602: a row key that another row of the list already has.
[[noreturn]] void RaiseKeyNotUnique();

}  // namespace kv::listview
