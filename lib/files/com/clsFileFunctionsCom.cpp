#include "clsFileFunctionsCom.h"

namespace kv::com {

namespace {

double DateOrZero(const VARIANT& date) {
    if (date.vt == VT_ERROR && date.scode == DISP_E_PARAMNOTFOUND) return 0;
    return FromVARIANT(date).ToDouble();
}

}  // namespace

STDMETHODIMP clsFileFunctionsCom::SetFileDate(BSTR strFile, VARIANT datModificationDate, VARIANT datLastAccessDate,
                                              VARIANT datCreationDate) {
    return Guard(IID_IclsFileFunctions, [&] {
        core_.SetFileDate(FromBSTR(strFile), DateOrZero(datModificationDate), DateOrZero(datLastAccessDate),
                          DateOrZero(datCreationDate));
        return S_OK;
    });
}

}  // namespace kv::com
