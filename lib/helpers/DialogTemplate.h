#pragma once
// A dialog template built in memory (the extended form, DLGTEMPLATEEX), so a dialog needs no
// resource and works from the program, a component and a test program alike.
//
//   kv::DialogTemplate t(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 200, 100);
//   t.Add(kv::DialogTemplate::conStatic, SS_LEFT, 0, 8, 8, 184, 9, 101, L"Text");
//   t.Add(WC_LISTVIEWW, LVS_REPORT, WS_EX_CLIENTEDGE, 8, 20, 184, 50, 102);
//   dialog.ShowModal(t.Get(), owner);
#include <windows.h>

#include <string>
#include <vector>

namespace kv {

class DialogTemplate {
public:
    // The predefined control classes, by their atoms.
    enum : WORD {
        conButton = 0x0080,
        conEdit = 0x0081,
        conStatic = 0x0082,
        conListBox = 0x0083,
        conScrollBar = 0x0084,
        conComboBox = 0x0085,
    };

    // Sizes and places are dialog units. DS_SETFONT is added: the template always names its
    // font (add DS_FIXEDSYS for DS_SHELLFONT). x and y count only without DS_CENTER.
    DialogTemplate(DWORD style, DWORD exStyle, short cx, short cy, const std::wstring& caption = L"",
                   const std::wstring& font = L"MS Shell Dlg", WORD pointSize = 8, short x = 0, short y = 0);

    // WS_CHILD and WS_VISIBLE are added, as the resource compiler adds them; a control meant
    // to be hidden is hidden when the dialog starts.
    void Add(WORD classAtom, DWORD style, DWORD exStyle, short x, short y, short cx, short cy, int id,
             const std::wstring& text = L"");
    // A control of a registered class by name (a common control: WC_LISTVIEWW, ...; the
    // common controls must be initialised before the dialog is created).
    void Add(const std::wstring& className, DWORD style, DWORD exStyle, short x, short y, short cx, short cy, int id,
             const std::wstring& text = L"");

    WORD Count() const { return data_[countAt_]; }
    // Valid until the next Add.
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

private:
    void Item(DWORD style, DWORD exStyle, short x, short y, short cx, short cy, int id);
    void Dword(DWORD value);
    void Text(const std::wstring& text);

    // In WORDs: every field of the template is a multiple of them, and an item starts on a
    // DWORD, that is at an even count.
    std::vector<WORD> data_;
    size_t countAt_ = 0;
};

}  // namespace kv
