#include <standin/CStandInMap.h>

#include <host/CCorZelMap.h>

#include <cstdint>

namespace {

const wchar_t kClassName[] = L"VrkStandInMapWindow";
CStandInMap* g_pLast = nullptr;

CString Number(double d)
{
    CString s;
    s.Format(L"%.10g", d);
    return s;
}

bool ToArg(const VARIANT& v, StandInMapArg& arg)
{
    arg.vt = v.vt;
    switch (v.vt) {
    case VT_R8: arg.d = v.dblVal; return true;
    case VT_BOOL: arg.n = v.boolVal ? 1 : 0; return true;
    case VT_I4: arg.n = v.lVal; return true;
    case VT_UI4: arg.n = v.ulVal; return true;
    case VT_UI8: arg.n = static_cast<long long>(v.ullVal); return true;
    case VT_BSTR:
        arg.s = CString(v.bstrVal ? v.bstrVal : L"", v.bstrVal ? SysStringLen(v.bstrVal) : 0);
        return true;
    case VT_BYREF | VT_R8: arg.d = v.pdblVal ? *v.pdblVal : 0.0; return v.pdblVal != nullptr;
    default: return false;
    }
}

}  // namespace

CString StandInMapArg::Text() const
{
    switch (vt) {
    case VT_R8:
    case VT_BYREF | VT_R8: return Number(d);
    case VT_BOOL: return n ? L"TRUE" : L"FALSE";
    case VT_BSTR: return L"\"" + s + L"\"";
    default: {
        CString t;
        t.Format(L"%lld", n);
        return t;
    }
    }
}

CString StandInMapCall::Text() const
{
    CString t;
    t.Format(L"%ld(", static_cast<long>(id));
    for (size_t i = 0; i < args.size(); ++i) {
        if (i)
            t += L", ";
        t += args[i].Text();
    }
    return t + L")";
}

CStandInMap::Settings& CStandInMap::Defaults()
{
    static Settings s;
    static bool init = false;
    if (!init) {
        init = true;
        ResetDefaults();
    }
    return s;
}

void CStandInMap::ResetDefaults()
{
    Settings& s = Defaults();
    s = Settings();
    s.classNames = {L"観測地", L"市区町村", L"都市", L"天文台", L"山岳", L"自然地形", L"建造物",
                    L"その他"};
}

void CStandInMap::Register()
{
    AfxRegisterControlFactory(CLSID_CorZelMap, &CStandInMap::Factory);
}

void CStandInMap::Unregister()
{
    AfxUnregisterControlFactory(CLSID_CorZelMap);
}

CStandInMap* CStandInMap::Last()
{
    return g_pLast;
}

CStandInMap* CStandInMap::FromHwnd(HWND hWnd)
{
    if (!hWnd || !IsWindow(hWnd))
        return nullptr;
    wchar_t cls[64] = {};
    GetClassNameW(hWnd, cls, 64);
    if (lstrcmpW(cls, kClassName) != 0)
        return nullptr;
    return reinterpret_cast<CStandInMap*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
}

HRESULT CStandInMap::Factory(HWND hParent, DWORD dwStyle, const RECT& rc, UINT nID,
                          IDispatch* pEventSink, HWND* phWnd, IDispatch** ppDispatch)
{
    if (!phWnd || !ppDispatch)
        return E_POINTER;
    *phWnd = nullptr;
    *ppDispatch = nullptr;
    if (FAILED(Defaults().createResult))
        return Defaults().createResult;

    static ATOM atom = 0;
    HINSTANCE hInst = GetModuleHandleW(nullptr);
    if (!atom) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &CStandInMap::WndProc;
        wc.hInstance = hInst;
        wc.hCursor = LoadCursorW(nullptr, IDC_CROSS);
        wc.hbrBackground = CreateSolidBrush(RGB(0xD8, 0xE8, 0xF4));
        wc.lpszClassName = kClassName;
        atom = RegisterClassExW(&wc);
        if (!atom)
            return HRESULT_FROM_WIN32(GetLastError());
    }

    CStandInMap* p = new CStandInMap;  // one reference: the window's
    p->m_settings = Defaults();
    HWND hWnd = CreateWindowExW(0, kClassName, L"map", (dwStyle | WS_CHILD) & ~WS_POPUP, rc.left,
                                rc.top, rc.right - rc.left, rc.bottom - rc.top, hParent,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), hInst, p);
    if (!hWnd) {
        const HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
        p->Release();
        return FAILED(hr) ? hr : E_FAIL;
    }
    if (pEventSink) {
        p->m_pSink = pEventSink;
        pEventSink->AddRef();
    }
    g_pLast = p;
    p->AddRef();  // the caller's
    *phWnd = hWnd;
    *ppDispatch = p;
    return S_OK;
}

LRESULT CALLBACK CStandInMap::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* p = static_cast<CStandInMap*>(cs->lpCreateParams);
        p->m_hWnd = hWnd;
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(p));
    } else if (msg == WM_NCDESTROY) {
        auto* p = reinterpret_cast<CStandInMap*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        if (p) {
            p->m_hWnd = nullptr;
            if (p->m_pSink) {
                p->m_pSink->Release();
                p->m_pSink = nullptr;
            }
            p->Release();
        }
    }
    return DefWindowProcW(hWnd, msg, wParam, lParam);
}

CStandInMap::CStandInMap() = default;

CStandInMap::~CStandInMap()
{
    if (g_pLast == this)
        g_pLast = nullptr;
    if (m_pSink)
        m_pSink->Release();
}

HRESULT CStandInMap::Fire(DISPID id, std::vector<double> args)
{
    if (!m_pSink)
        return E_POINTER;
    // Arguments go last first.
    std::vector<VARIANT> v(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
        VariantInit(&v[i]);
        v[i].vt = VT_R8;
        v[i].dblVal = args[args.size() - 1 - i];
    }
    DISPPARAMS dp = {v.data(), nullptr, static_cast<UINT>(v.size()), 0};
    return m_pSink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &dp, nullptr,
                           nullptr, nullptr);
}

HRESULT CStandInMap::FireSetObsPosition(double lng, double lat)
{
    return Fire(8, {lng, lat});
}

HRESULT CStandInMap::FireSetMag(double mag)
{
    return Fire(9, {mag});
}

std::vector<StandInMapCall> CStandInMap::CallsOf(DISPID id) const
{
    std::vector<StandInMapCall> out;
    for (const StandInMapCall& c : m_calls)
        if (c.id == id)
            out.push_back(c);
    return out;
}

int CStandInMap::CountOf(DISPID id) const
{
    int n = 0;
    for (const StandInMapCall& c : m_calls)
        n += c.id == id;
    return n;
}

std::vector<DISPID> CStandInMap::Ids() const
{
    std::vector<DISPID> out;
    for (const StandInMapCall& c : m_calls)
        out.push_back(c.id);
    return out;
}

HRESULT STDMETHODCALLTYPE CStandInMap::Invoke(DISPID dispId, REFIID, LCID, WORD wFlags,
                                           DISPPARAMS* pParams, VARIANT* pResult, EXCEPINFO*,
                                           UINT* puArgErr)
{
    StandInMapCall call;
    call.id = dispId;
    call.wFlags = wFlags;
    const UINT n = pParams ? pParams->cArgs : 0;
    for (UINT i = 0; i < n; ++i) {
        StandInMapArg arg;
        if (!ToArg(pParams->rgvarg[n - 1 - i], arg)) {
            if (puArgErr)
                *puArgErr = n - 1 - i;
            Keep(call);
            return DISP_E_TYPEMISMATCH;
        }
        call.args.push_back(arg);
    }

    auto argIs = [&](size_t i, VARTYPE vt) { return call.args.size() > i && call.args[i].vt == vt; };
    HRESULT hr = S_OK;
    switch (dispId) {
    case CCorZelMap::DISPID_SET_CENTER:
        if (argIs(0, VT_R8) && argIs(1, VT_R8)) {
            m_settings.centerLng = call.args[0].d;
            m_settings.centerLat = call.args[1].d;
        }
        break;
    case CCorZelMap::DISPID_GET_CENTER:
        if (argIs(0, VT_BYREF | VT_R8) && argIs(1, VT_BYREF | VT_R8)) {
            VARIANT& lng = pParams->rgvarg[n - 1];
            VARIANT& lat = pParams->rgvarg[n - 2];
            *lng.pdblVal = m_settings.centerLng;
            *lat.pdblVal = m_settings.centerLat;
            call.args[0].d = m_settings.centerLng;
            call.args[1].d = m_settings.centerLat;
        } else {
            hr = DISP_E_TYPEMISMATCH;
        }
        break;
    case CCorZelMap::DISPID_LANDMARK_CLASS_COUNT:
        if (pResult) {
            VariantInit(pResult);
            pResult->vt = VT_I4;
            pResult->lVal = static_cast<LONG>(m_settings.classNames.size());
        }
        break;
    case CCorZelMap::DISPID_SET_LANDMARK_FLAGS:
        if (argIs(0, VT_UI8) && call.args[0].n != 0) {
            const int* flags = reinterpret_cast<const int*>(static_cast<uintptr_t>(call.args[0].n));
            m_landmarkFlags.assign(flags, flags + m_settings.classNames.size());
        }
        break;
    case CCorZelMap::DISPID_LANDMARK_CLASS_NAME:
        if (pResult) {
            CString name;
            if (argIs(0, VT_I4) && call.args[0].n >= 0
                && call.args[0].n < static_cast<long long>(m_settings.classNames.size()))
                name = m_settings.classNames[static_cast<size_t>(call.args[0].n)];
            VariantInit(pResult);
            pResult->vt = VT_BSTR;
            pResult->bstrVal = SysAllocStringLen(name.GetString(), static_cast<UINT>(name.GetLength()));
        }
        break;
    default:
        break;
    }
    Keep(call);
    return hr;
}

void CStandInMap::Keep(const StandInMapCall& call)
{
    m_calls.push_back(call);
    if (m_settings.onCall)
        m_settings.onCall(call);
}
