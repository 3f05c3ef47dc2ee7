#pragma once
// The published enumerations of the registry class.
#include <cstdint>

namespace kv {

// The platform's predefined key handles themselves; passed to the registry unchanged.
enum enuRegistryKeys : std::int32_t {
    conReg_HKEY_CLASSES_ROOT = -2147483647 - 1,  // 0x80000000
    conReg_HKEY_CURRENT_USER = -2147483647,      // 0x80000001
    conReg_HKEY_LOCAL_MACHINE = -2147483646,
    conReg_HKEY_USERS = -2147483645,
    conReg_HKEY_PERFORMANCE_DATA = -2147483644,
    conReg_HKEY_CURRENT_CONFIG = -2147483643,
    conReg_HKEY_DYN_DATA = -2147483642,
};

enum enuRegistryDataTypes : std::int32_t {
    conReg_REG_SZ = 1,
    conReg_REG_EXPAND_SZ = 2,
    conReg_REG_BINARY = 3,
    conReg_REG_DWORD = 4,
    conReg_REG_DWORD_LITTLE_ENDIAN = 4,
    conReg_REG_DWORD_BIG_ENDIAN = 5,
};

enum enuRegistryAffects : std::int32_t {
    conReg_Aff_User = 0,
    conReg_Aff_Machine = 1,
};

}  // namespace kv
