#include "work/EngineHooks.h"

namespace kvr {

EngineHooks& Hooks() {
    static EngineHooks hooks;
    return hooks;
}

}  // namespace kvr
