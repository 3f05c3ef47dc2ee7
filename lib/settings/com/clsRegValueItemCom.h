#pragma once
// KVSettings.clsRegValueItem: the published face of one value record. Objects handed out
// by clsRegistry share their record with the core.
#include <memory>

#include "ComPtr.h"
#include "DispatchObject.h"
#include "KVSettings.h"
#include "clsRegValueItem.h"

namespace kv::com {

class clsRegValueItemCom final : public DispatchObject<IclsRegValueItem> {
public:
    clsRegValueItemCom() : item_(std::make_shared<clsRegValueItem>()) {}

    // A new object over item.
    static ComPtr<IDispatch> Wrap(std::shared_ptr<clsRegValueItem> item);

    STDMETHODIMP get_Name(BSTR* value) override;
    STDMETHODIMP put_Name(BSTR value) override;
    STDMETHODIMP get_Value(VARIANT* value) override;
    STDMETHODIMP put_Value(VARIANT value) override;
    STDMETHODIMP get_DataType(::enuRegistryDataTypes* value) override;
    STDMETHODIMP put_DataType(::enuRegistryDataTypes value) override;
    STDMETHODIMP get_DataLength(LONG* value) override;
    STDMETHODIMP put_DataLength(LONG value) override;

private:
    std::shared_ptr<clsRegValueItem> item_;
};

}  // namespace kv::com
