#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestDialog.h"
#include "TestSupport.h"

namespace {

// An automation object that records each call's arguments in call order and answers with a
// configured result.
class FakeDispatch : public IDispatch {
public:
    FakeDispatch() { VariantInit(&m_result); }
    virtual ~FakeDispatch() { VariantClear(&m_result); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_cRef; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_cRef; }  // owned by the test
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override
    {
        m_lastId = id;
        m_lastFlags = flags;
        m_args.clear();
        for (UINT i = 0; i < params->cArgs; ++i) {
            VARIANT& v = params->rgvarg[params->cArgs - 1 - i];
            m_args.push_back(Describe(v));
            if (v.vt == (VT_BYREF | VT_R8)) *v.pdblVal = 100.0 + i;
        }
        if (FAILED(m_hr)) return m_hr;
        if (result) VariantCopy(result, &m_result);
        return S_OK;
    }

    static std::wstring Describe(const VARIANT& v)
    {
        switch (v.vt) {
        case VT_R8: return L"R8:" + std::to_wstring(v.dblVal);
        case VT_BYREF | VT_R8: return L"PR8:" + std::to_wstring(*v.pdblVal);
        case VT_BSTR: return L"BSTR:" + std::wstring(v.bstrVal, SysStringLen(v.bstrVal));
        case VT_I4: return L"I4:" + std::to_wstring(v.lVal);
        case VT_UI4: return L"UI4:" + std::to_wstring(v.ulVal);
        case VT_UI8: return L"UI8:" + std::to_wstring(v.ullVal);
        case VT_BOOL: return L"BOOL:" + std::to_wstring(v.boolVal);
        default: return L"VT:" + std::to_wstring(v.vt);
        }
    }

    void SetResult(VARIANT v) { VariantClear(&m_result); m_result = v; }

    ULONG m_cRef = 1;
    DISPID m_lastId = -1;
    WORD m_lastFlags = 0;
    std::vector<std::wstring> m_args;
    VARIANT m_result;
    HRESULT m_hr = S_OK;
};

VARIANT Bstr(const wchar_t* s)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(s);
    return v;
}

VARIANT I4(long n)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = n;
    return v;
}

VARIANT R8(double d)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.dblVal = d;
    return v;
}

std::vector<std::wstring> Args(std::initializer_list<const wchar_t*> a)
{
    std::vector<std::wstring> v;
    for (const wchar_t* s : a) v.push_back(s);
    return v;
}

const BYTE kR8R8[] = VTS_R8 VTS_R8;
const BYTE kPR8PR8[] = VTS_PR8 VTS_PR8;
const BYTE kBstr[] = VTS_BSTR;
const BYTE kI4[] = VTS_I4;
const BYTE kUI4[] = VTS_UI4;
const BYTE kUI8[] = VTS_UI8;
const BYTE kBool[] = VTS_BOOL;
const BYTE kNone[] = VTS_NONE;

TEST(InvokeHelper, ArgumentsAndResultsCrossIDispatchInvoke)
{
    FakeDispatch fake;
    CWnd ctl;
    ctl.SetControlDispatch(&fake);

    // Arguments arrive in call order (DISPPARAMS holds them reversed).
    ctl.InvokeHelper(4, DISPATCH_METHOD, VT_EMPTY, nullptr, kR8R8, 139.7, 35.25);
    EXPECT_EQ(4, fake.m_lastId);
    EXPECT_EQ(DISPATCH_METHOD, fake.m_lastFlags);
    EXPECT_EQ(Args({L"R8:139.700000", L"R8:35.250000"}), fake.m_args);

    double lng = 1, lat = 2;
    ctl.InvokeHelper(5, DISPATCH_METHOD, VT_EMPTY, nullptr, kPR8PR8, &lng, &lat);
    EXPECT_EQ(Args({L"PR8:1.000000", L"PR8:2.000000"}), fake.m_args);
    EXPECT_EQ(100.0, lng) << "by-reference results not written back to the first pointer";
    EXPECT_EQ(101.0, lat);

    fake.SetResult(Bstr(L"TRUE"));
    CString reply(L"untouched");
    ctl.InvokeHelper(2, DISPATCH_METHOD, VT_BSTR, &reply, kBstr, L"? Solar.Planet.Earth");
    EXPECT_EQ(Args({L"BSTR:? Solar.Planet.Earth"}), fake.m_args);
    EXPECT_STREQ(L"TRUE", reply.GetString());

    fake.SetResult(I4(8));
    long count = 0;
    ctl.InvokeHelper(22, DISPATCH_METHOD, VT_I4, &count, kNone);
    EXPECT_TRUE(fake.m_args.empty());
    EXPECT_EQ(8, count);

    fake.SetResult(Bstr(L"山岳"));
    CString name;
    ctl.InvokeHelper(25, DISPATCH_METHOD, VT_BSTR, &name, kI4, 3L);
    EXPECT_EQ(Args({L"I4:3"}), fake.m_args);
    EXPECT_STREQ(L"山岳", name.GetString());

    ctl.InvokeHelper(33, DISPATCH_METHOD, VT_EMPTY, nullptr, kUI4, 0x00FF8040UL);
    EXPECT_EQ(Args({L"UI4:16744512"}), fake.m_args);
    ctl.InvokeHelper(23, DISPATCH_METHOD, VT_EMPTY, nullptr, kUI8, 0x123456789ABCULL);
    EXPECT_EQ(Args({L"UI8:20015998343868"}), fake.m_args);
    ctl.InvokeHelper(12, DISPATCH_METHOD, VT_EMPTY, nullptr, kBool, TRUE);
    EXPECT_EQ(Args({L"BOOL:-1"}), fake.m_args);

    fake.SetResult(R8(2.5));
    double mag = 0;
    ctl.InvokeHelper(40, DISPATCH_METHOD, VT_R8, &mag, nullptr);
    EXPECT_EQ(2.5, mag);
    EXPECT_EQ(S_OK, ctl.GetLastInvokeResult());

    ctl.SetControlDispatch(nullptr);
    EXPECT_EQ(1u, fake.m_cRef) << "the helper leaks a reference";
}

struct FailureCase {
    const char* fault;
    bool withDispatch;
    HRESULT invokeResult;
    VARIANT result;
};

TEST(InvokeHelper, FailuresLeaveTheResultUntouched)
{
    const FailureCase cases[] = {
        {"failed call writes the result", true, E_FAIL, Bstr(L"garbage")},
        {"unconvertible result written", true, S_OK, Bstr(L"not a number")},
        {"no control crashes", false, S_OK, I4(5)},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.fault);
        FakeDispatch fake;
        fake.m_hr = c.invokeResult;
        fake.SetResult(c.result);
        CWnd ctl;
        if (c.withDispatch) ctl.SetControlDispatch(&fake);
        long n = 99;
        ctl.InvokeHelper(22, DISPATCH_METHOD, VT_I4, &n, kNone);
        EXPECT_EQ(99, n);
        EXPECT_TRUE(FAILED(ctl.GetLastInvokeResult()));
        ctl.SetControlDispatch(nullptr);
    }
}

// {0B9D6E0A-5A43-4F1B-8E21-6A6F1D2C3B4A}
const CLSID kTestControl = {0x0b9d6e0a, 0x5a43, 0x4f1b, {0x8e, 0x21, 0x6a, 0x6f, 0x1d, 0x2c, 0x3b, 0x4a}};
const CLSID kUnknownControl = {0x0b9d6e0b, 0x5a43, 0x4f1b, {0x8e, 0x21, 0x6a, 0x6f, 0x1d, 0x2c, 0x3b, 0x4a}};

FakeDispatch* g_control = nullptr;
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

struct EventCase {
    const char* fault;
    DISPID id;
    std::vector<VARIANT> args;
    HRESULT hr;
    std::vector<std::wstring> log;
    std::vector<double> values;
};

class OleControl : public ScriptedTest {};

TEST_F(OleControl, EventsReachTheContainersEventSinkMap)
{
    FakeDispatch control;
    g_control = &control;
    AfxRegisterControlFactory(kTestControl, TestFactory);
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
    CWnd ctl;
    EXPECT_FALSE(ctl.CreateControl(kUnknownControl, L"map", WS_CHILD, CRect(0, 0, 10, 10), &dlg,
                                   IDC_AFXTEST_CONTROL));
    EXPECT_EQ(nullptr, ctl.m_hWnd);
    ASSERT_TRUE(ctl.CreateControl(kTestControl, L"map", WS_CHILD, CRect(1, 2, 30, 40), &dlg,
                                  IDC_AFXTEST_CONTROL));
    EXPECT_EQ(::GetDlgItem(dlg, IDC_AFXTEST_CONTROL), ctl.m_hWnd);
    EXPECT_FALSE(ctl.IsWindowVisible());
    EXPECT_EQ(&control, ctl.GetControlDispatch());
    ASSERT_NE(nullptr, g_sink);

    const EventCase cases[] = {
        {"R8 R8 event arguments swapped", 8, {R8(139.75), R8(35.5)}, S_OK,
         Args({L"Init", L"SetObsPosition"}), {139.75, 35.5}},
        {"one-argument event lost", 9, {R8(4.0)}, S_OK, Args({L"Init", L"SetMag"}), {4.0}},
        {"integer argument not converted to double", 9, {I4(3)}, S_OK, Args({L"Init", L"SetMag"}), {3.0}},
        {"string and long arguments", 10, {Bstr(L"東京"), I4(3)}, S_OK,
         Args({L"Init", L"Named:東京:3"}), {}},
        {"unmapped event treated as an error", 77, {R8(1.0)}, S_OK, Args({L"Init"}), {}},
        {"wrong argument count reaches the handler", 8, {R8(1.0)}, DISP_E_BADPARAMCOUNT, Args({L"Init"}), {}},
        {"unconvertible argument reaches the handler", 9, {Bstr(L"abc")}, DISP_E_TYPEMISMATCH,
         Args({L"Init"}), {}},
    };
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.fault);
        dlg.m_log = Args({L"Init"});
        dlg.m_eventArgs.clear();
        EXPECT_EQ(c.hr, Fire(c.id, c.args));
        EXPECT_EQ(c.log, dlg.m_log);
        EXPECT_EQ(c.values, dlg.m_eventArgs);
    }

    // Calls to the control go to its IDispatch.
    ctl.InvokeHelper(9, DISPATCH_METHOD, VT_EMPTY, nullptr, reinterpret_cast<const BYTE*>(VTS_R8), 2.0);
    EXPECT_EQ(9, control.m_lastId);

    // Once the dialog is gone its events go nowhere, and the control's references are released.
    dlg.DestroyWindow();
    EXPECT_EQ(nullptr, ctl.m_hWnd);
    EXPECT_EQ(nullptr, ctl.GetControlDispatch());
    EXPECT_EQ(1u, control.m_cRef);
    EXPECT_EQ(S_OK, Fire(8, {R8(1.0), R8(2.0)}));
    EXPECT_EQ(Args({L"Init"}), dlg.m_log);
    g_sink->Release();
    g_sink = nullptr;
    AfxUnregisterControlFactory(kTestControl);
    EXPECT_EQ(nullptr, AfxFindControlFactory(kTestControl));
    g_control = nullptr;
    EXPECT_EQ(L"", JoinedFailures());
}

}  // namespace
