#pragma once
// Late-bound calls on a caller's automation object (IDispatch::Invoke by member name), for
// the helpers that take objects with no window equivalent. Failures raise KVError with the
// object's own error number and description.
#include <windows.h>
#include <oaidl.h>

#include <initializer_list>

#include "Variant.h"

namespace kv::late {

// Property get (or method call with a result), e.g. Get(collection, L"Item", {key}).
Variant Get(IDispatch* object, const wchar_t* name, std::initializer_list<Variant> args = {});
// Method call; the result, if any.
Variant Call(IDispatch* object, const wchar_t* name, std::initializer_list<Variant> args = {});
// Property let.
void Put(IDispatch* object, const wchar_t* name, const Variant& value);
// Whether the object has a member of that name.
bool HasMember(IDispatch* object, const wchar_t* name);
// The object of a result; 424 "Object required" when it is none.
ComPtr<IDispatch> AsObject(const Variant& value);

}  // namespace kv::late
