#include "SettingsMain.h"

namespace kv::settings {

clsMain& Main() {
    static clsMain instance;
    return instance;
}

}  // namespace kv::settings
