#include "ListRecord.h"

#include <commctrl.h>

#include <set>
#include <string>

#include "LastError.h"
#include "ListViewMain.h"
#include "clsMainInternal.h"

namespace kv::listview {

namespace {

// One property name per module: the program and a loaded KVWidgets.dll each keep their own
// records on a window, never reading the other's layout.
const std::wstring& PropertyName() {
    static const std::wstring name = [] {
        wchar_t text[64];
        wsprintfW(text, L"KVWidgets.ListRecord.%p", static_cast<void*>(CodeModule()));
        return std::wstring(text);
    }();
    return name;
}

long RowCount(HWND list) { return static_cast<long>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

LPARAM ItemValue(HWND list, long zeroBased) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = zeroBased;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

// A triangle in the shadow colour on a transparent square, pointing up or down.
void AddTriangle(HIMAGELIST images, int size, bool up) {
    WindowDC screen(nullptr);
    OwnedMemoryDC dc(CreateCompatibleDC(screen.Get()));
    OwnedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), size, size));
    RaiseLastErrorIf(!dc || !bitmap);
    const COLORREF transparent = RGB(255, 0, 255);
    {
        SelectedObject selected(dc.Get(), bitmap.Get());
        OwnedBrush background(CreateSolidBrush(transparent));
        RECT all{0, 0, size, size};
        FillRect(dc.Get(), &all, background.Get());
        OwnedBrush shadow(CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)));
        OwnedPen outline(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
        SelectedObject brush(dc.Get(), shadow.Get());
        SelectedObject pen(dc.Get(), outline.Get());
        const int top = size / 4, bottom = size - size / 4 - 1, mid = size / 2;
        POINT points[3] = {{1, up ? bottom : top}, {size - 2, up ? bottom : top}, {mid, up ? top : bottom}};
        Polygon(dc.Get(), points, 3);
    }
    RaiseLastErrorIf(ImageList_AddMasked(images, bitmap.Get(), transparent) < 0);
}

}  // namespace

ListRecord::ListRecord(HWND list) : WindowSubclass(conProject, L"clsListView"), list_(list) {}


ListRecord& ListRecord::Of(HWND list) {
    if (ListRecord* record = Find(list)) return *record;
    DWORD process = 0;
    if (!IsWindow(list) || !GetWindowThreadProcessId(list, &process)) RaiseApiError(ERROR_INVALID_WINDOW_HANDLE);
    if (process != GetCurrentProcessId()) RaiseApiError(ERROR_ACCESS_DENIED);
    auto* record = new ListRecord(list);
    try {
        record->Attach(list);
        RaiseLastErrorIf(!SetPropW(list, PropertyName().c_str(), record));
    } catch (...) {
        delete record;
        throw;
    }
    return *record;
}

ListRecord* ListRecord::Find(HWND list) noexcept {
    return list ? static_cast<ListRecord*>(GetPropW(list, PropertyName().c_str())) : nullptr;
}

void ListRecord::OnFinalMessage() {
    RemovePropW(list_, PropertyName().c_str());
    delete this;
}

ColumnSetting ListRecord::Column(long zeroBased) const {
    return zeroBased >= 0 && zeroBased < static_cast<long>(columns.size()) ? columns[zeroBased] : ColumnSetting{};
}

HIMAGELIST ListRecord::SortMarks() {
    if (!sortMarks_) {
        const int size = GetSystemMetrics(SM_CXSMICON) / 2 + 1;
        OwnedImageList images(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 2, 0));
        RaiseLastErrorIf(!images);
        AddTriangle(images.Get(), size, true);
        AddTriangle(images.Get(), size, false);
        sortMarks_ = std::move(images);
    }
    return sortMarks_.Get();
}

void ListRecord::MakeItemValuesUnique() {
    std::set<LPARAM> seen;
    const long count = RowCount(list_);
    for (long i = 0; i < count; ++i) {
        LPARAM value = ItemValue(list_, i);
        if (value > 0 && value < nextItemValue_ && seen.insert(value).second) continue;
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = i;
        item.lParam = NewItemValue();
        RaiseLastErrorIf(!SendMessageW(list_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        seen.insert(item.lParam);
    }
}

long ListRecord::RowOfItemValue(LPARAM value) const {
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = value;
    return static_cast<long>(SendMessageW(list_, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find))) + 1;
}

std::wstring ListRecord::ControlKey(const std::wstring& key) { return L"K" + detail::UpperCase(key); }

void ListRecord::SetKey(LPARAM itemValue, const std::wstring& key) {
    if (RowOfKey(key) != 0) RaiseKeyNotUnique();
    keys_[itemValue] = ControlKey(key);
}

long ListRecord::RowOfKey(const std::wstring& key) {
    const std::wstring wanted = ControlKey(key);
    for (auto it = keys_.begin(); it != keys_.end();) {
        if (it->second != wanted) {
            ++it;
        } else if (long row = RowOfItemValue(it->first)) {
            return row;
        } else {
            it = keys_.erase(it);  // its row was removed by other means
        }
    }
    return 0;
}

std::wstring ListRecord::KeyOfRow(long row) const {
    auto it = keys_.find(ItemValue(list_, row - 1));
    return it == keys_.end() ? std::wstring() : it->second.substr(1);
}

void ListRecord::DropKey(long row) { keys_.erase(ItemValue(list_, row - 1)); }

}  // namespace kv::listview
