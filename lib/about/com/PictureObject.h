#pragma once
// A picture object handed to a COM face: its bitmap or icon handle goes to the core.
#include <olectl.h>

#include "ComError.h"
#include "ComPtr.h"
#include "KVError.h"
#include "LateBound.h"

namespace kv::com {

// Hands the picture's handle to the core: a bitmap or an icon; no picture removes it.
template <class Core>
void ApplyPicture(Core& core, IPictureDisp* picture) {
    if (!picture) {
        core.Picture(static_cast<HBITMAP>(nullptr));
        return;
    }
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    ComPtr<IPicture> native;
    if (SUCCEEDED(picture->QueryInterface(IID_IPicture, reinterpret_cast<void**>(native.Put())))) {
        CheckHr(native->get_Type(&type));
        CheckHr(native->get_Handle(&handle));
    } else {  // a picture object of another make: its Type and Handle properties
        type = static_cast<SHORT>(late::GetProperty(picture, L"Type").ToLong());
        handle = static_cast<OLE_HANDLE>(late::GetProperty(picture, L"Handle").ToLong());
    }
    // GDI handles carry 32 significant bits and are sign-extended on 64-bit Windows.
    HANDLE h = LongToHandle(static_cast<LONG>(handle));
    switch (type) {
    case PICTYPE_BITMAP:
        core.Picture(static_cast<HBITMAP>(h));
        break;
    case PICTYPE_ICON:
        core.Picture(static_cast<HICON>(h));
        break;
    case PICTYPE_NONE:
    case PICTYPE_UNINITIALIZED:
        core.Picture(static_cast<HBITMAP>(nullptr));
        break;
    default:  // metafiles cannot be shown at "their own size" in pixels
        throw KVError(380, L"Invalid property value");
    }
}

}  // namespace kv::com
