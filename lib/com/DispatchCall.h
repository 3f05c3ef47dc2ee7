#pragma once
// Late-bound calls on objects a caller hands over (forms, controls, collections): what a
// script would write as obj.Name, obj.Name = v or obj.Name(args). Failures raise KVError:
// 438 when the object has no such member, else the error the object reported.
#include <windows.h>
#include <oaidl.h>
#include <vector>

#include "Variant.h"

namespace kv::com {

DISPID GetDispId(IDispatch* object, const wchar_t* name);

// flags: DISPATCH_METHOD, DISPATCH_PROPERTYGET (or both), DISPATCH_PROPERTYPUT.
// args in the order a caller writes them.
Variant Invoke(IDispatch* object, const wchar_t* name, WORD flags, const std::vector<Variant>& args = {});

inline Variant GetProperty(IDispatch* object, const wchar_t* name, const std::vector<Variant>& args = {}) {
    return Invoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args);
}
inline void PutProperty(IDispatch* object, const wchar_t* name, const Variant& value) {
    Invoke(object, name, DISPATCH_PROPERTYPUT, {value});
}
inline Variant CallMethod(IDispatch* object, const wchar_t* name, const std::vector<Variant>& args = {}) {
    return Invoke(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

// The window of a form or control: its hWnd property.
HWND WindowHandleOf(IDispatch* object);

// The items of a collection, as For Each yields them (through _NewEnum).
std::vector<Variant> EnumerateItems(IDispatch* collection);

}  // namespace kv::com
