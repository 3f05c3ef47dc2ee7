// The enumerations of the type library are the core's, value for value: a constant that
// differs between KVSettings.idl and the core headers stops the build here.
#include "RegistryEnums.h"
#include "KVSettings.h"

#define KV_SAME(name) static_assert(static_cast<long>(kv::name) == static_cast<long>(::name), #name)

KV_SAME(conReg_HKEY_CLASSES_ROOT);
KV_SAME(conReg_HKEY_CURRENT_USER);
KV_SAME(conReg_HKEY_LOCAL_MACHINE);
KV_SAME(conReg_HKEY_USERS);
KV_SAME(conReg_HKEY_PERFORMANCE_DATA);
KV_SAME(conReg_HKEY_CURRENT_CONFIG);
KV_SAME(conReg_HKEY_DYN_DATA);
KV_SAME(conReg_REG_SZ);
KV_SAME(conReg_REG_EXPAND_SZ);
KV_SAME(conReg_REG_BINARY);
KV_SAME(conReg_REG_DWORD);
KV_SAME(conReg_REG_DWORD_LITTLE_ENDIAN);
KV_SAME(conReg_REG_DWORD_BIG_ENDIAN);
KV_SAME(conReg_Aff_User);
KV_SAME(conReg_Aff_Machine);
