#include "about/browser_host_win.h"

#include <exdisp.h>
#include <idispids.h>
#include <ocidl.h>
#include <ole2.h>
#include <oleidl.h>

#include <utility>

#include "runtime/window_win.h"

namespace velmora {

namespace {

constexpr wchar_t kBrowserProgId[] = L"Shell.Explorer.2";

// Owns one reference to a COM object.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    void Reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For calls that hand out a new reference.
    T** Out() {
        Reset();
        return &p_;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }

private:
    T* p_ = nullptr;
};

// One variant as text: by-reference values read through, objects and
// other values that have no text give the empty text.
std::wstring VariantText(VARIANTARG& arg) {
    VARIANT value, text;
    VariantInit(&value);
    VariantInit(&text);
    std::wstring out;
    if (SUCCEEDED(VariantCopyInd(&value, &arg)) &&
        SUCCEEDED(VariantChangeType(&text, &value, VARIANT_ALPHABOOL, VT_BSTR)) && text.bstrVal) {
        out.assign(text.bstrVal, SysStringLen(text.bstrVal));
    }
    VariantClear(&text);
    VariantClear(&value);
    return out;
}

// The container side of one browser. Reference-counted by COM: the
// browser may hold it a little longer than the Win32Browser that made it,
// so Detach() cuts it off from the panel first.
class Site final : public IOleClientSite,
                   public IOleInPlaceSite,
                   public IOleInPlaceFrame,
                   public IDispatch {
public:
    Site(HWND parent, std::function<void(const BrowserEvent&)> onEvent)
        : parent_(parent), onEvent_(std::move(onEvent)) {}

    void Detach() { onEvent_ = nullptr; }
    void SetEventNames(ComRef<ITypeInfo> names) { names_ = std::move(names); }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
            *out = static_cast<IOleClientSite*>(this);
        } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
            *out = static_cast<IOleInPlaceSite*>(this);
        } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
            *out = static_cast<IOleInPlaceFrame*>(this);
        } else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) {
            *out = static_cast<IDispatch*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override {
        ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* out) override {
        *out = parent_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  LPRECT position, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override {
        *frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *document = nullptr;
        GetClientRect(parent_, position);
        *clip = *position;
        info->fMDIApp = FALSE;
        info->hwndFrame = parent_;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow and IOleInPlaceFrame: no menus, toolbars or
    // accelerators of the browser's own.
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDispatch: the browser's events.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override {
        // The browser also asks its site for ambient properties: silent, so
        // that an advert's script errors never open a dialog.
        if (flags & DISPATCH_PROPERTYGET) {
            if (id != DISPID_AMBIENT_SILENT || !result) return DISP_E_MEMBERNOTFOUND;
            VariantInit(result);
            result->vt = VT_BOOL;
            result->boolVal = VARIANT_TRUE;
            return S_OK;
        }
        if (!onEvent_) return S_OK;  // the panel let go of this browser
        BrowserEvent event{EventName(id), {}};
        // The arguments come last first.
        for (UINT i = params ? params->cArgs : 0; i > 0; --i) {
            event.parameters.push_back(VariantText(params->rgvarg[i - 1]));
        }
        // The handler may let go of the browser, and with it of this site.
        auto onEvent = onEvent_;
        onEvent(event);
        return S_OK;
    }

private:
    std::wstring EventName(DISPID id) {
        BSTR name = nullptr;
        UINT count = 0;
        if (names_ && SUCCEEDED(names_->GetNames(id, &name, 1, &count)) && count == 1) {
            std::wstring out(name, SysStringLen(name));
            SysFreeString(name);
            return out;
        }
        return L"#" + std::to_wstring(id);
    }

    ULONG refs_ = 1;
    HWND parent_;
    std::function<void(const BrowserEvent&)> onEvent_;
    ComRef<ITypeInfo> names_;
};

// The event interface's type information, for the events' names.
ComRef<ITypeInfo> EventTypeInfo(IWebBrowser2* browser) {
    ComRef<ITypeInfo> info, events;
    ComRef<ITypeLib> library;
    UINT index = 0;
    if (SUCCEEDED(browser->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Out())) &&
        SUCCEEDED(info->GetContainingTypeLib(library.Out(), &index))) {
        library->GetTypeInfoOfGuid(DIID_DWebBrowserEvents2, events.Out());
    }
    return events;
}

class Win32Browser : public Browser {
public:
    explicit Win32Browser(HWND parent) : parent_(parent) {}

    ~Win32Browser() override {
        if (site_) site_->Detach();
        if (events_) events_->Unadvise(cookie_);
        if (object_) {
            object_->Close(OLECLOSE_NOSAVE);
            object_->SetClientSite(nullptr);
        }
    }

    bool Open(std::function<void(const BrowserEvent&)> onEvent) {
        CLSID clsid;
        if (FAILED(CLSIDFromProgID(kBrowserProgId, &clsid))) return false;
        *site_.Out() = new Site(parent_, std::move(onEvent));
        if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                    object_.OutVoid()))) {
            return false;
        }
        if (FAILED(object_->SetClientSite(site_.get()))) return false;
        RECT none{0, 0, 0, 0};
        if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.get(), 0, parent_,
                                   &none))) {
            return false;
        }
        if (FAILED(object_->QueryInterface(IID_IWebBrowser2, web_.OutVoid())) ||
            FAILED(object_->QueryInterface(IID_IOleInPlaceObject, inPlace_.OutVoid())) ||
            FAILED(inPlace_->GetWindow(&window_))) {
            return false;
        }
        ShowWindow(window_, SW_HIDE);
        site_->SetEventNames(EventTypeInfo(web_.get()));
        ComRef<IConnectionPointContainer> points;
        if (FAILED(object_->QueryInterface(IID_IConnectionPointContainer, points.OutVoid())) ||
            FAILED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, events_.Out())) ||
            FAILED(events_->Advise(static_cast<IDispatch*>(site_.get()), &cookie_))) {
            events_.Reset();
            return false;
        }
        return true;
    }

    bool Navigate(std::wstring_view address) override {
        BSTR url = SysAllocStringLen(address.data(), UINT(address.size()));
        if (!url) return false;
        VARIANT empty;
        VariantInit(&empty);
        HRESULT hr = web_->Navigate(url, &empty, &empty, &empty, &empty);
        SysFreeString(url);
        return SUCCEEDED(hr);
    }

    bool Show() override {
        if (FAILED(web_->put_Visible(VARIANT_TRUE))) return false;
        ShowWindow(window_, SW_SHOW);
        // Visible as soon as its parent is.
        return (GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
    }

    bool Place(int left, int top, int width, int height) override {
        const int dpi = WindowDpi(parent_);
        RECT r{TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), TwipsToPixels(left + width, dpi),
               TwipsToPixels(top + height, dpi)};
        return SUCCEEDED(inPlace_->SetObjectRects(&r, &r));
    }

private:
    HWND parent_;
    ComRef<Site> site_;  // released last, after the browser let go of it
    ComRef<IOleObject> object_;
    ComRef<IWebBrowser2> web_;
    ComRef<IOleInPlaceObject> inPlace_;
    ComRef<IConnectionPoint> events_;
    DWORD cookie_ = 0;
    HWND window_ = nullptr;
};

}  // namespace

Win32Browsers::Win32Browsers(HWND parent) : parent_(parent) {}

Win32Browsers::~Win32Browsers() {
    if (oleStarted_) OleUninitialize();
}

std::unique_ptr<Browser> Win32Browsers::Create(std::function<void(const BrowserEvent&)> onEvent) {
    // The browser needs OLE on this thread, a single-threaded apartment.
    if (!oleStarted_) oleStarted_ = SUCCEEDED(OleInitialize(nullptr));
    if (!oleStarted_) return nullptr;
    auto browser = std::make_unique<Win32Browser>(parent_);
    if (!browser->Open(std::move(onEvent))) return nullptr;
    return browser;
}

}  // namespace velmora
