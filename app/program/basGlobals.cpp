#include "program/basGlobals.h"

namespace kvr {

ProgramState& State() {
    static ProgramState state;
    return state;
}

kv::clsMain& Helper() {
    static kv::clsMain helper;
    return helper;
}

kv::clsVersionGlobal& VersionGlobal() {
    static kv::clsVersionGlobal record;
    return record;
}

}  // namespace kvr
