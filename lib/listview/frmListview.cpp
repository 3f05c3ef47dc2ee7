#include "frmListview.h"

#include "LastError.h"
#include "ListViewMain.h"

namespace kv::listview {

frmListview::frmListview() : WindowBase(conProject, L"frmListview") {
    WNDCLASSEXW wc{};
    wc.lpszClassName = conClassName;
    RegisterWindowClass(wc);
    Create(0, conClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE);
}

void frmListview::StopSearchTimer() { KillTimer(Handle(), conTimSearch); }

void frmListview::StartSearchTimer() {
    RaiseLastErrorIf(SetTimer(Handle(), conTimSearch, conTimSearchInterval, nullptr) == 0);
}

bool frmListview::OnTimer(UINT_PTR id) {
    if (id != conTimSearch) return false;
    StopSearchTimer();
    searchText_.clear();
    return true;
}

void frmListview::OnError(const wchar_t*, const KVError& error) {
    Main().ShowError(conProject, L"frmListview", L"timSearch_Timer", error);
}

}  // namespace kv::listview
