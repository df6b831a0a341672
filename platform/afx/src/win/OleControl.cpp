#include "AfxInternal.h"

#include <cstring>
#include <vector>

using namespace afx_internal;

namespace {

struct FactoryEntry {
    CLSID clsid;
    AfxControlFactory factory;
};

std::vector<FactoryEntry>& Factories()
{
    static std::vector<FactoryEntry> factories;
    return factories;
}

AfxControlFactory FindControlFactory(REFCLSID clsid)
{
    for (const FactoryEntry& e : Factories())
        if (IsEqualCLSID(e.clsid, clsid)) return e.factory;
    return nullptr;
}

// The IDispatch a control fires its events into: Invoke(dispid) goes to the event sink map of
// the container's permanent object, looked up at each call so a closed dialog is never reached.
class AfxEventSink final : public IDispatch {
public:
    AfxEventSink(HWND hContainer, UINT nCtlID) : m_hContainer(hContainer), m_nCtlID(nCtlID) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_cRef; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ULONG n = --m_cRef;
        if (n == 0) delete this;
        return n;
    }
    // No type information and no names: controls fire by dispatch id.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override
    {
        if (pctinfo) *pctinfo = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* pParams,
                                     VARIANT* pResult, EXCEPINFO*, UINT*) override
    {
        if (pResult) VariantInit(pResult);
        CWnd* container = CWnd::FromHandlePermanent(m_hContainer);
        if (!container) return S_OK;
        DISPPARAMS none{};
        HRESULT hr = S_OK;
        if (!CallGuarded([&] { hr = container->OnEvent(m_nCtlID, dispid, pParams ? pParams : &none); }))
            return DISP_E_EXCEPTION;
        // Events nobody listens to are fine.
        return hr == DISP_E_MEMBERNOTFOUND ? S_OK : hr;
    }

private:
    ~AfxEventSink() = default;
    ULONG m_cRef = 1;
    HWND m_hContainer;
    UINT m_nCtlID;
};

// One argument of InvokeHelper from the variable list, by its VTS byte. False for an
// unknown type.
bool PopArgument(BYTE vts, va_list& args, VARIANT& v)
{
    VariantInit(&v);
    if (vts & VT_AFXBYREF) {
        v.vt = static_cast<VARTYPE>(VT_BYREF | (vts & ~VT_AFXBYREF));
        v.byref = va_arg(args, void*);
        return true;
    }
    switch (vts) {
    case VT_I4: v.vt = VT_I4; v.lVal = va_arg(args, long); return true;
    case VT_R8: v.vt = VT_R8; v.dblVal = va_arg(args, double); return true;
    case VT_BOOL: v.vt = VT_BOOL; v.boolVal = va_arg(args, BOOL) ? VARIANT_TRUE : VARIANT_FALSE; return true;
    case VT_UI4: v.vt = VT_UI4; v.ulVal = va_arg(args, unsigned long); return true;
    case VT_UI8: v.vt = VT_UI8; v.ullVal = va_arg(args, ULONGLONG); return true;
    case VT_BSTR: {
        const wchar_t* s = va_arg(args, const wchar_t*);
        v.vt = VT_BSTR;
        v.bstrVal = ::SysAllocString(s ? s : L"");
        return v.bstrVal != nullptr;
    }
    default:
        return false;
    }
}

// Stores the result as the caller asked; fails (leaving pvRet alone) when it cannot convert.
HRESULT StoreResult(VARIANT& result, VARTYPE vtRet, void* pvRet)
{
    if (vtRet == VT_EMPTY || !pvRet) return S_OK;
    HRESULT hr = ::VariantChangeType(&result, &result, 0, vtRet);
    if (FAILED(hr)) return hr;
    switch (vtRet) {
    case VT_BSTR:
        *static_cast<CString*>(pvRet) =
            CString(result.bstrVal ? result.bstrVal : L"",
                    result.bstrVal ? static_cast<int>(::SysStringLen(result.bstrVal)) : 0);
        return S_OK;
    case VT_I4: *static_cast<long*>(pvRet) = result.lVal; return S_OK;
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

}  // namespace

void AfxRegisterControlFactory(REFCLSID clsid, AfxControlFactory factory)
{
    AfxUnregisterControlFactory(clsid);
    if (factory) Factories().push_back({clsid, factory});
}

void AfxUnregisterControlFactory(REFCLSID clsid)
{
    auto& list = Factories();
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (IsEqualCLSID(it->clsid, clsid)) {
            list.erase(it);
            return;
        }
    }
}

namespace afx_detail {

HRESULT EventArgToDouble(const VARIANT& in, double& out)
{
    VARIANT src;
    VariantInit(&src);
    // By-reference arguments are converted from the value they point at.
    HRESULT hr = ::VariantCopyInd(&src, const_cast<VARIANT*>(&in));
    if (SUCCEEDED(hr)) hr = ::VariantChangeType(&src, &src, 0, VT_R8);
    if (SUCCEEDED(hr)) out = src.dblVal;
    ::VariantClear(&src);
    return hr;
}

}  // namespace afx_detail

BOOL CWnd::CreateControl(REFCLSID clsid, LPCTSTR, DWORD dwStyle, const RECT& rect,
                         CWnd* pParentWnd, UINT nID)
{
    if (m_hWnd || !pParentWnd || !pParentWnd->GetSafeHwnd()) return FALSE;
    AfxControlFactory factory = FindControlFactory(clsid);
    if (!factory) return FALSE;
    auto* sink = new AfxEventSink(pParentWnd->m_hWnd, nID);
    HWND hCtl = nullptr;
    IDispatch* pDispatch = nullptr;
    HRESULT hr = factory(pParentWnd->m_hWnd, dwStyle, rect, nID, sink, &hCtl, &pDispatch);
    if (FAILED(hr) || !hCtl || !::IsWindow(hCtl) || !SubclassWindow(hCtl)) {
        if (pDispatch) pDispatch->Release();
        if (hCtl && ::IsWindow(hCtl)) ::DestroyWindow(hCtl);
        sink->Release();
        return FALSE;
    }
    m_bOwnsWindow = TRUE;
    AfxWindowAccess::ReleaseControl(*this);
    m_pCtrlDispatch = pDispatch;
    m_pCtrlEventSink = sink;
    return TRUE;
}

void CWnd::SetControlDispatch(IDispatch* pDispatch)
{
    if (pDispatch) pDispatch->AddRef();
    if (m_pCtrlDispatch) m_pCtrlDispatch->Release();
    m_pCtrlDispatch = pDispatch;
}

void CWnd::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                        const BYTE* pbParamInfo, ...)
{
    if (!m_pCtrlDispatch) {
        m_hrLastInvoke = E_NOINTERFACE;
        return;
    }
    std::vector<VARIANT> forward;
    bool ok = true;
    va_list args;
    va_start(args, pbParamInfo);
    for (const BYTE* p = pbParamInfo; p && *p && ok; ++p) {
        VARIANT v;
        ok = PopArgument(*p, args, v);
        if (ok) forward.push_back(v);
    }
    va_end(args);
    if (!ok) {
        for (VARIANT& v : forward) ::VariantClear(&v);
        m_hrLastInvoke = E_INVALIDARG;
        return;
    }
    // DISPPARAMS holds the arguments last first.
    std::vector<VARIANT> reversed(forward.rbegin(), forward.rend());
    DISPPARAMS params{};
    params.cArgs = static_cast<UINT>(reversed.size());
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    DISPID putId = DISPID_PROPERTYPUT;
    if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.cNamedArgs = 1;
        params.rgdispidNamedArgs = &putId;
    }
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO excep{};
    UINT argErr = 0;
    HRESULT hr = m_pCtrlDispatch->Invoke(dwDispID, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params,
                                         &result, &excep, &argErr);
    for (VARIANT& v : reversed) ::VariantClear(&v);
    ::SysFreeString(excep.bstrSource);
    ::SysFreeString(excep.bstrDescription);
    ::SysFreeString(excep.bstrHelpFile);
    if (SUCCEEDED(hr)) hr = StoreResult(result, vtRet, pvRet);
    ::VariantClear(&result);
    m_hrLastInvoke = hr;
}
