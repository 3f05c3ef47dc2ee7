// What the pages' controls share beyond their tables.
#include "ui/options/OptionsControls.h"

#include "WindowBase.h"

namespace kvr::options::controls {

void AddOptionColumn(HWND list) {
    if (Header_GetItemCount(ListView_GetHeader(list)) > 0) return;
    RECT r{};
    GetClientRect(list, &r);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(L"Option");
    column.cx = r.right - kv::TwipsToPixelsX(60) - GetSystemMetrics(SM_CXVSCROLL);
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

void SetDurationFormat(HWND picker) {
    SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"HH':'mm':'ss"));
}

}  // namespace kvr::options::controls
