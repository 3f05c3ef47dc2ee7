#pragma once
// One registry value as clsRegistry reports it: a plain record without behaviour.
#include <cstdint>
#include <string>

#include "Variant.h"

namespace kv {

struct clsRegValueItem {
    std::wstring Name;
    Variant Value;
    std::int32_t DataType = 0;    // enuRegistryDataTypes or any other platform type code
    std::int32_t DataLength = 0;  // size of the stored data in bytes
};

}  // namespace kv
