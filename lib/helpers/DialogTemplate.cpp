#include "DialogTemplate.h"

namespace kv {

DialogTemplate::DialogTemplate(DWORD style, DWORD exStyle, short cx, short cy, const std::wstring& caption,
                               const std::wstring& font, WORD pointSize, short x, short y) {
    data_.push_back(1);       // dlgVer
    data_.push_back(0xFFFF);  // signature of the extended form
    Dword(0);                 // helpID
    Dword(exStyle);
    Dword(style | DS_SETFONT);
    countAt_ = data_.size();
    data_.push_back(0);  // the item count, counted up by Add
    data_.push_back(static_cast<WORD>(x));
    data_.push_back(static_cast<WORD>(y));
    data_.push_back(static_cast<WORD>(cx));
    data_.push_back(static_cast<WORD>(cy));
    data_.push_back(0);  // no menu
    data_.push_back(0);  // the standard dialog class
    Text(caption);
    data_.push_back(pointSize);
    data_.push_back(FW_NORMAL);
    data_.push_back(MAKEWORD(FALSE, DEFAULT_CHARSET));  // italic, charset
    Text(font);
}

void DialogTemplate::Add(WORD classAtom, DWORD style, DWORD exStyle, short x, short y, short cx, short cy, int id,
                         const std::wstring& text) {
    Item(style, exStyle, x, y, cx, cy, id);
    data_.push_back(0xFFFF);
    data_.push_back(classAtom);
    Text(text);
    data_.push_back(0);  // no creation data
}

void DialogTemplate::Add(const std::wstring& className, DWORD style, DWORD exStyle, short x, short y, short cx,
                         short cy, int id, const std::wstring& text) {
    Item(style, exStyle, x, y, cx, cy, id);
    Text(className);
    Text(text);
    data_.push_back(0);
}

void DialogTemplate::Item(DWORD style, DWORD exStyle, short x, short y, short cx, short cy, int id) {
    if (data_.size() % 2) data_.push_back(0);
    Dword(0);  // helpID
    Dword(exStyle);
    Dword(style | WS_CHILD | WS_VISIBLE);
    data_.push_back(static_cast<WORD>(x));
    data_.push_back(static_cast<WORD>(y));
    data_.push_back(static_cast<WORD>(cx));
    data_.push_back(static_cast<WORD>(cy));
    Dword(static_cast<DWORD>(id));
    ++data_[countAt_];
}

void DialogTemplate::Dword(DWORD value) {
    data_.push_back(LOWORD(value));
    data_.push_back(HIWORD(value));
}

void DialogTemplate::Text(const std::wstring& text) {
    data_.insert(data_.end(), text.begin(), text.end());
    data_.push_back(0);
}

}  // namespace kv
