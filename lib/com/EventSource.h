#pragma once
// Events of a published class, as connection points. The object is an
// IConnectionPointContainer with one IConnectionPoint for its source dispinterface (the
// coclass's [default, source] in the type library), and IProvideClassInfo2 names that
// interface to hosts that connect by it.
//
//   class clsFileSearchCom : public kv::com::EventObject<IclsFileSearch> {
//   public:
//       clsFileSearchCom() : EventObject(DIID___clsFileSearch, CLSID_clsFileSearch) {}
//       void NewPath(const std::wstring& path, bool& cancel) {
//           RaiseEvent(1, EventArgs().Value(path).Ref(cancel));
//       }
//   };
//
// Raising calls every sink advised when the event starts, in the order they were advised, on
// the caller's thread. A sink that fails, unadvises (itself or another sink) or releases
// its last reference during the event never breaks the source or the other sinks.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "ComPtr.h"
#include "DispatchObject.h"

namespace kv::com {

// The arguments of one event, in declared order. By-reference arguments start with the
// caller's value; after the event the caller's variable holds what the last sink left.
class EventArgs {
public:
    EventArgs() = default;
    EventArgs(const EventArgs&) = delete;
    EventArgs& operator=(const EventArgs&) = delete;
    ~EventArgs();

    EventArgs& Value(long value);
    EventArgs& Value(long long value);   // pointer-sized values (window messages' parameters)
    EventArgs& Value(bool value);
    EventArgs& Value(const std::wstring& value);
    EventArgs& Ref(long& value);
    EventArgs& Ref(long long& value);
    EventArgs& Ref(bool& value);
    EventArgs& Ref(std::wstring& value);

    // The DISPPARAMS a sink receives (arguments in reverse order, by-reference ones pointing
    // into this object); valid until the next call of Value/Ref.
    DISPPARAMS& Params();
    // Copies the by-reference values back into the caller's variables.
    void WriteBack();

private:
    struct Arg {
        VARIANT value;
        long* longTarget = nullptr;
        long long* wideTarget = nullptr;
        bool* boolTarget = nullptr;
        std::wstring* textTarget = nullptr;
    };
    Arg& Add(VARTYPE type);
    bool IsRef(const Arg& arg) const { return arg.longTarget || arg.wideTarget || arg.boolTarget || arg.textTarget; }

    std::vector<Arg> args_;
    std::vector<VARIANT> passed_;
    DISPPARAMS params_{};
};

// The connection point of one source interface. Kept alive by its container; a client that
// still holds it after the container ended gets CONNECT_E_... / E_UNEXPECTED.
class ConnectionPoint final : public ComObject<IConnectionPoint> {
public:
    explicit ConnectionPoint(const IID& source) : source_(source) {}

    // The container, not owned (it owns this point); Detach when it ends drops every sink.
    void Attach(IConnectionPointContainer* container) { container_ = container; }
    void Detach();
    bool HasSinks() const { return !sinks_.empty(); }
    // Calls member id of every sink advised now; failures of a sink are ignored.
    void Fire(DISPID id, DISPPARAMS& params);

    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** out) override;

private:
    struct Sink {
        DWORD cookie;
        ComPtr<IDispatch> dispatch;
    };
    void* FindInterface(REFIID riid) override;
    bool Advised(DWORD cookie) const;

    IID source_;
    IConnectionPointContainer* container_ = nullptr;
    std::vector<Sink> sinks_;
    DWORD nextCookie_ = 1;
};

// The container side shared by every class with events.
HRESULT EnumerateOne(IConnectionPoint* point, IEnumConnectionPoints** out);
HRESULT ClassTypeInfo(const CLSID& clsid, ITypeInfo** out);

template <class Interface>
class EventObject : public DispatchObject<Interface, IConnectionPointContainer, IProvideClassInfo2> {
public:
    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override {
        return Guard(IID_IConnectionPointContainer, [&] { return EnumerateOne(point_.Get(), out); });
    }
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (riid != source_) return CONNECT_E_NOCONNECTION;
        (*out = point_.Get())->AddRef();
        return S_OK;
    }

    // IProvideClassInfo2
    STDMETHODIMP GetClassInfo(ITypeInfo** out) override {
        return Guard(IID_IProvideClassInfo, [&] { return ClassTypeInfo(clsid_, out); });
    }
    STDMETHODIMP GetGUID(DWORD kind, GUID* out) override {
        if (!out) return E_POINTER;
        if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
        *out = source_;
        return S_OK;
    }

protected:
    EventObject(const IID& source, const CLSID& clsid)
        : source_(source), clsid_(clsid), point_(ComPtr<ConnectionPoint>::Attach(new ConnectionPoint(source))) {
        point_->Attach(this);
    }
    ~EventObject() override { point_->Detach(); }

    bool HasSinks() const { return point_->HasSinks(); }

    // Raises event id to every sink. The object stays alive until the last sink returned; if
    // a sink released the client's last reference, it ends when RaiseEvent returns, so a caller
    // touches nothing of the object after RaiseEvent.
    void RaiseEvent(DISPID id, EventArgs& args) {
        if (!point_->HasSinks()) return;
        ComPtr<ConnectionPoint> point = point_;
        this->AddRef();
        point->Fire(id, args.Params());
        args.WriteBack();
        this->Release();
    }
    void RaiseEvent(DISPID id, EventArgs&& args) { RaiseEvent(id, args); }

    void* FindInterface(REFIID riid) override {
        if (riid == IID_IConnectionPointContainer) return static_cast<IConnectionPointContainer*>(this);
        if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2)
            return static_cast<IProvideClassInfo2*>(this);
        return DispatchObject<Interface, IConnectionPointContainer, IProvideClassInfo2>::FindInterface(riid);
    }

private:
    IID source_;
    CLSID clsid_;
    ComPtr<ConnectionPoint> point_;
};

}  // namespace kv::com
