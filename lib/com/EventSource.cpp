// Connection points: the sinks of one source interface, the enumerators the interfaces
// require, and the arguments of an event.
#include "EventSource.h"

#include <algorithm>
#include <utility>

#include "ComServer.h"
#include "ComVariant.h"
#include "Guard.h"

namespace kv::com {

namespace {

// What an enumerator hands out: a new reference for the caller.
void GiveOut(const ComPtr<IConnectionPoint>& point, IConnectionPoint** out) {
    (*out = point.Get())->AddRef();
}
struct Connection {
    ComPtr<IUnknown> sink;
    DWORD cookie;
};
void GiveOut(const Connection& connection, CONNECTDATA* out) {
    (out->pUnk = connection.sink.Get())->AddRef();
    out->dwCookie = connection.cookie;
}

// An enumerator over a copy taken when it was made (later advises do not change it).
template <class Enum, class Out, class Held>
class Snapshot final : public ComObject<Enum> {
public:
    Snapshot(const IID& iid, std::vector<Held> items, ULONG position)
        : iid_(iid), items_(std::move(items)), position_(position) {}

    STDMETHODIMP Next(ULONG wanted, Out* out, ULONG* fetched) override {
        if (!out) return E_POINTER;
        if (wanted != 1 && !fetched) return E_INVALIDARG;
        ULONG n = 0;
        for (; n < wanted && position_ < items_.size(); ++n, ++position_) GiveOut(items_[position_], &out[n]);
        if (fetched) *fetched = n;
        return n == wanted ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        ULONG left = static_cast<ULONG>(items_.size()) - position_;
        position_ += std::min(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override {
        position_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(Enum** out) override {
        return Guard(iid_, [&] {
            if (!out) return E_POINTER;
            *out = nullptr;
            *out = new Snapshot(iid_, items_, position_);
            return S_OK;
        });
    }

private:
    void* FindInterface(REFIID riid) override { return riid == iid_ ? static_cast<Enum*>(this) : nullptr; }

    IID iid_;
    std::vector<Held> items_;
    ULONG position_;
};

}  // namespace

// --- EventArgs ---------------------------------------------------------------------------

EventArgs::~EventArgs() {
    for (Arg& arg : args_) VariantClear(&arg.value);
}

EventArgs::Arg& EventArgs::Add(VARTYPE type) {
    Arg& arg = args_.emplace_back();
    VariantInit(&arg.value);
    arg.value.vt = type;
    return arg;
}

EventArgs& EventArgs::Value(long value) {
    Add(VT_I4).value.lVal = value;
    return *this;
}
EventArgs& EventArgs::Value(long long value) {
    Add(VT_I8).value.llVal = value;
    return *this;
}
EventArgs& EventArgs::Value(bool value) {
    Add(VT_BOOL).value.boolVal = ToVariantBool(value);
    return *this;
}
EventArgs& EventArgs::Value(const std::wstring& value) {
    Add(VT_BSTR).value.bstrVal = ToBSTR(value);
    return *this;
}
EventArgs& EventArgs::Ref(long& value) {
    Value(value);
    args_.back().longTarget = &value;
    return *this;
}
EventArgs& EventArgs::Ref(long long& value) {
    Value(value);
    args_.back().wideTarget = &value;
    return *this;
}
EventArgs& EventArgs::Ref(bool& value) {
    Value(value);
    args_.back().boolTarget = &value;
    return *this;
}
EventArgs& EventArgs::Ref(std::wstring& value) {
    Value(value);
    args_.back().textTarget = &value;
    return *this;
}

DISPPARAMS& EventArgs::Params() {
    passed_.assign(args_.size(), VARIANT{});
    for (size_t i = 0; i < args_.size(); ++i) {
        Arg& arg = args_[i];
        VARIANT& pass = passed_[args_.size() - 1 - i];   // DISPPARAMS lists the last argument first
        if (IsRef(arg)) {
            pass.vt = static_cast<VARTYPE>(VT_BYREF | arg.value.vt);
            pass.byref = &arg.value.llVal;   // the union's start, whatever the type
        } else {
            pass = arg.value;                // shallow: args_ keeps ownership
        }
    }
    params_ = DISPPARAMS{passed_.data(), nullptr, static_cast<UINT>(passed_.size()), 0};
    return params_;
}

void EventArgs::WriteBack() {
    for (Arg& arg : args_) {
        if (arg.longTarget) *arg.longTarget = arg.value.lVal;
        if (arg.wideTarget) *arg.wideTarget = arg.value.llVal;
        if (arg.boolTarget) *arg.boolTarget = arg.value.boolVal != VARIANT_FALSE;
        if (arg.textTarget) *arg.textTarget = FromBSTR(arg.value.bstrVal);
    }
}

// --- ConnectionPoint ---------------------------------------------------------------------

void* ConnectionPoint::FindInterface(REFIID riid) {
    return riid == IID_IConnectionPoint ? static_cast<IConnectionPoint*>(this) : nullptr;
}

void ConnectionPoint::Detach() {
    container_ = nullptr;
    std::vector<Sink> released;
    released.swap(sinks_);   // released after sinks_ is consistent: a sink's end may call back
}

bool ConnectionPoint::Advised(DWORD cookie) const {
    return std::any_of(sinks_.begin(), sinks_.end(), [&](const Sink& s) { return s.cookie == cookie; });
}

void ConnectionPoint::Fire(DISPID id, DISPPARAMS& params) {
    // A copy, so sinks may advise and unadvise while they are called; a sink unadvised by an
    // earlier one is skipped.
    const std::vector<Sink> sinks = sinks_;
    for (const Sink& sink : sinks) {
        if (!Advised(sink.cookie)) continue;
        VARIANT result;
        VariantInit(&result);
        EXCEPINFO excep{};
        UINT argErr = 0;
        sink.dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, &excep, &argErr);
        VariantClear(&result);
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
    }
}

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = source_;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (!out) return E_POINTER;
    *out = container_;
    if (!container_) return E_UNEXPECTED;
    container_->AddRef();
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    return Guard(IID_IConnectionPoint, [&] {
        if (!cookie) return E_POINTER;
        *cookie = 0;
        if (!sink) return E_POINTER;
        if (!container_) return E_UNEXPECTED;
        // The source interface is a dispinterface: a sink that only offers IDispatch (a script
        // host's) receives the same calls.
        ComPtr<IDispatch> dispatch;
        if (FAILED(sink->QueryInterface(source_, reinterpret_cast<void**>(dispatch.Put()))) &&
            FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Put()))))
            return CONNECT_E_CANNOTCONNECT;
        sinks_.push_back({nextCookie_, dispatch});
        *cookie = nextCookie_++;
        return S_OK;
    });
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) {
    auto found = std::find_if(sinks_.begin(), sinks_.end(), [&](const Sink& s) { return s.cookie == cookie; });
    if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
    ComPtr<IDispatch> released = found->dispatch;   // let go after the list is consistent
    sinks_.erase(found);
    return S_OK;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** out) {
    return Guard(IID_IConnectionPoint, [&] {
        if (!out) return E_POINTER;
        *out = nullptr;
        std::vector<Connection> connections;
        for (const Sink& sink : sinks_) connections.push_back({ComPtr<IUnknown>(sink.dispatch.Get()), sink.cookie});
        *out = new Snapshot<IEnumConnections, CONNECTDATA, Connection>(IID_IEnumConnections, std::move(connections), 0);
        return S_OK;
    });
}

// --- the container side ------------------------------------------------------------------

HRESULT EnumerateOne(IConnectionPoint* point, IEnumConnectionPoints** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    *out = new Snapshot<IEnumConnectionPoints, IConnectionPoint*, ComPtr<IConnectionPoint>>(
        IID_IEnumConnectionPoints, {ComPtr<IConnectionPoint>(point)}, 0);
    return S_OK;
}

HRESULT ClassTypeInfo(const CLSID& clsid, ITypeInfo** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    ComPtr<ITypeLib> library;
    HRESULT hr = GetTypeLib(library.Put());
    return FAILED(hr) ? hr : library->GetTypeInfoOfGuid(clsid, out);
}

}  // namespace kv::com
