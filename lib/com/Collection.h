#pragma once
// The keyed collection returned by members that give collections: Count, Item by key
// (case-insensitive, as Basic compares collection keys) or 1-based index as the default
// member, and For Each (_NewEnum). Late-bound only (IDispatch without a type library).
#include <windows.h>
#include <oaidl.h>
#include <string>

namespace kv::com {

class Collection;

// Creates an empty collection with one reference for the caller.
HRESULT CreateCollection(Collection** out);

class Collection : public IDispatch {
public:
    // Adds a copy of value (by-reference values are followed) under key; an empty key adds
    // the value without one. A duplicate key raises 457 as KVError.
    virtual void Add(const std::wstring& key, const VARIANT& value) = 0;
    virtual long Count() const = 0;

protected:
    virtual ~Collection() = default;
};

}  // namespace kv::com
