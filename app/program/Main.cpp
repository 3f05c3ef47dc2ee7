// Entry point of KVRestart.exe.
#include <windows.h>

#include "basMain.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return kvr::Main();
}
