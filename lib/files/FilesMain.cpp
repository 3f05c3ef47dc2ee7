#include "FilesMain.h"

namespace kv {

clsMain& FilesMain() {
    static clsMain main;
    return main;
}

}  // namespace kv
