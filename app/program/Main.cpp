// Entry point of KVRestart.exe.
#include <windows.h>

#include "program/basMain.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return kvr::Main();
}
