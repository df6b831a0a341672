#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestDialog.h"
#include <WinTestKit.h>

namespace {

using Texts = std::vector<std::wstring>;

// An automation object owned by the test that answers every call with a configured result.
class CAnsweringDispatch : public IDispatch {
public:
    CAnsweringDispatch() { VariantInit(&m_result); }
    virtual ~CAnsweringDispatch() { VariantClear(&m_result); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ? this : nullptr;
        return *ppv ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_cRef; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_cRef; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override
    {
        return FAILED(m_hr) || !result ? m_hr : VariantCopy(result, &m_result);
    }
    void SetResult(VARIANT v) { VariantClear(&m_result); m_result = v; }

    ULONG m_cRef = 1;
    VARIANT m_result;
    HRESULT m_hr = S_OK;
};

VARIANT Bstr(const wchar_t* s) { VARIANT v{}; v.vt = VT_BSTR; v.bstrVal = SysAllocString(s); return v; }
VARIANT I4(long n) { VARIANT v{}; v.vt = VT_I4; v.lVal = n; return v; }
VARIANT R8(double d) { VARIANT v{}; v.vt = VT_R8; v.dblVal = d; return v; }

// The arguments and results of every call the product makes are checked end to end by the
// host's map wrapper test, and so are a call with no control and two doubles of an event in
// order; here, what a failing call must leave alone.
TEST(InvokeHelper, FailuresLeaveTheResultUntouched)
{
    const struct { const char* fault; HRESULT invokeResult; VARIANT result; } cases[] = {
        {"failed call writes the result", E_FAIL, Bstr(L"garbage")},
        {"unconvertible result written", S_OK, Bstr(L"not a number")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CAnsweringDispatch disp;
        disp.m_hr = c.invokeResult;
        disp.SetResult(c.result);
        CWnd ctl;
        ctl.SetControlDispatch(&disp);
        long n = 99;
        ctl.InvokeHelper(22, DISPATCH_METHOD, VT_I4, &n, reinterpret_cast<const BYTE*>(VTS_NONE));
        EXPECT_EQ(99, n);
        EXPECT_TRUE(FAILED(ctl.GetLastInvokeResult()));
        ctl.SetControlDispatch(nullptr);
    }
}

const CLSID kTestControl = {0x0b9d6e0a, 0x5a43, 0x4f1b, {0x8e, 0x21, 0x6a, 0x6f, 0x1d, 0x2c, 0x3b, 0x4a}};
const CLSID kUnknownControl = {0x0b9d6e0b, 0x5a43, 0x4f1b, {0x8e, 0x21, 0x6a, 0x6f, 0x1d, 0x2c, 0x3b, 0x4a}};

CAnsweringDispatch* g_control = nullptr;
IDispatch* g_sink = nullptr;

HRESULT TestFactory(HWND hParent, DWORD dwStyle, const RECT& rc, UINT nID, IDispatch* pEventSink,
                    HWND* phWnd, IDispatch** ppDispatch)
{
    HWND h = ::CreateWindowExW(0, L"STATIC", L"", dwStyle, rc.left, rc.top, rc.right - rc.left,
                               rc.bottom - rc.top, hParent,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), nullptr, nullptr);
    if (!h) return E_FAIL;
    pEventSink->AddRef();
    g_sink = pEventSink;
    g_control->AddRef();
    *phWnd = h;
    *ppDispatch = g_control;
    return S_OK;
}

HRESULT Fire(DISPID id, std::vector<VARIANT> argsInCallOrder)
{
    std::vector<VARIANT> reversed(argsInCallOrder.rbegin(), argsInCallOrder.rend());
    DISPPARAMS params{};
    params.cArgs = static_cast<UINT>(reversed.size());
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    HRESULT hr = g_sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                                nullptr, nullptr);
    for (VARIANT& v : reversed) VariantClear(&v);
    return hr;
}

class OleControl : public ScriptedTest {};

TEST_F(OleControl, EventsReachTheContainersEventSinkMap)
{
    CAnsweringDispatch control;
    g_control = &control;
    AfxRegisterControlFactory(kTestControl, TestFactory);
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
    CWnd ctl;
    EXPECT_FALSE(ctl.CreateControl(kUnknownControl, L"map", WS_CHILD, CRect(0, 0, 10, 10), &dlg,
                                   IDC_AFXTEST_CONTROL));
    ASSERT_TRUE(ctl.CreateControl(kTestControl, L"map", WS_CHILD, CRect(1, 2, 30, 40), &dlg,
                                  IDC_AFXTEST_CONTROL));
    EXPECT_EQ(::GetDlgItem(dlg, IDC_AFXTEST_CONTROL), ctl.m_hWnd);
    EXPECT_EQ(2u, control.m_cRef) << "the control's dispatch was not kept";
    ASSERT_NE(nullptr, g_sink);

    const struct { const char* fault; DISPID id; std::vector<VARIANT> args; HRESULT hr; Texts log; } cases[] = {
        {"integer argument not converted to double", 9, {I4(3)}, S_OK, {L"SetMag:3"}},
        {"unmapped event treated as an error", 77, {R8(1.0)}, S_OK, {}},
        {"wrong argument count reaches the handler", 8, {R8(1.0)}, DISP_E_BADPARAMCOUNT, {}},
        {"unconvertible argument reaches the handler", 9, {Bstr(L"abc")}, DISP_E_TYPEMISMATCH, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        dlg.m_log.clear();
        EXPECT_EQ(c.hr, Fire(c.id, c.args));
        EXPECT_EQ(c.log, dlg.m_log);
    }

    AfxUnregisterControlFactory(kTestControl);
    EXPECT_FALSE(CWnd().CreateControl(kTestControl, L"map", WS_CHILD, CRect(0, 0, 10, 10), &dlg, 1))
        << "an unregistered factory still made controls";
    // Once the dialog is gone its events go nowhere, and the control's references are released.
    dlg.DestroyWindow();
    EXPECT_EQ(1u, control.m_cRef);
    EXPECT_EQ(S_OK, Fire(8, {R8(1.0), R8(2.0)}));
    EXPECT_EQ(Texts(), dlg.m_log);
    g_sink->Release();
    g_sink = nullptr;
    g_control = nullptr;
}

}  // namespace
