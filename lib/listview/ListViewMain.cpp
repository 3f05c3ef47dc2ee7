#include "ListViewMain.h"

namespace kv::listview {

clsMain& Main() {
    static clsMain main;
    return main;
}

void RaiseIndexOutOfBounds() { throw KVError(35600, L"Index out of bounds"); }

void RaiseKeyNotUnique() { throw KVError(35602, L"Key is not unique in collection"); }

}  // namespace kv::listview
