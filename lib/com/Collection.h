#pragma once
// The keyed collection returned by members that give collections: Count, Item by key
// (case-insensitive) or 1-based index, and For Each (_NewEnum). Late-bound only.
#include <windows.h>
#include <oaidl.h>
#include <string>

namespace kv::com {

class Collection;

// Creates an empty collection with one reference for the caller.
HRESULT CreateCollection(Collection** out);

class Collection : public IDispatch {
public:
    // Adds a copy of value under key; a duplicate key raises error 457 as KVError.
    virtual void Add(const std::wstring& key, const VARIANT& value) = 0;
    virtual long Count() const = 0;
};

}  // namespace kv::com
