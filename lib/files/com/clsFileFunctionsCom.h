#pragma once
// KVFiles.clsFileFunctions: the published face of setting file dates. A date left out
// arrives as a missing optional argument and counts as the zero date.
#include "DispatchObject.h"
#include "KVFiles.h"
#include "clsFileFunctions.h"

namespace kv::com {

class clsFileFunctionsCom final : public DispatchObject<IclsFileFunctions> {
public:
    STDMETHODIMP SetFileDate(BSTR strFile, VARIANT datModificationDate, VARIANT datLastAccessDate,
                             VARIANT datCreationDate) override;

private:
    clsFileFunctions core_;
};

}  // namespace kv::com
