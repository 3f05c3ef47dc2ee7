#include "AboutMain.h"

namespace kv {

clsMain& AboutMain() {
    static clsMain main;
    return main;
}

}  // namespace kv
