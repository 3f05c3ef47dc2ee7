#pragma once
// Late-bound calls on objects a caller hands over (forms, controls, option-button arrays,
// collections, databases, script objects): what a script writes as obj.Name, obj.Name = v
// or obj.Name(args). Failures raise KVError: 91 for no object, 438 when the object has no
// such member, else the error the object reported (its own number and description).
#include <windows.h>
#include <oaidl.h>

#include <vector>

#include "ComPtr.h"
#include "Variant.h"

namespace kv::late {

// The member's id. Objects that answer GetIDsOfNames with E_NOTIMPL (Wine's VBScript class
// objects) are asked through IDispatchEx::GetDispID, case-insensitively.
DISPID GetDispId(IDispatch* object, const wchar_t* name);
// Whether the object has a member of that name.
bool HasMember(IDispatch* object, const wchar_t* name);

// flags: DISPATCH_METHOD, DISPATCH_PROPERTYGET (or both), DISPATCH_PROPERTYPUT(REF).
// args in the order a caller writes them.
Variant Invoke(IDispatch* object, const wchar_t* name, WORD flags, const std::vector<Variant>& args = {});

// Property get, or a method call with a result: obj.Name(args).
inline Variant GetProperty(IDispatch* object, const wchar_t* name, const std::vector<Variant>& args = {}) {
    return Invoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args);
}
inline void PutProperty(IDispatch* object, const wchar_t* name, const Variant& value) {
    Invoke(object, name, DISPATCH_PROPERTYPUT, {value});
}
// Method call; the result, if any.
inline Variant CallMethod(IDispatch* object, const wchar_t* name, const std::vector<Variant>& args = {}) {
    return Invoke(object, name, DISPATCH_METHOD, args);
}

// The object of a result; 424 "Object required" when it is none.
ComPtr<IDispatch> AsObject(const Variant& value);

// The window of a form or control: its hWnd property.
HWND WindowHandleOf(IDispatch* object);

// The items of a collection, as For Each yields them (through _NewEnum).
std::vector<Variant> EnumerateItems(IDispatch* collection);

}  // namespace kv::late
