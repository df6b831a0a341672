#include "AfxInternal.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cwchar>

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\u3000';
}

CString TextOf(HWND h)
{
    CString s;
    if (CWnd* p = CWnd::FromHandle(h)) p->GetWindowText(s);
    return s;
}

void SetTextIfDifferent(HWND h, const CString& text)
{
    if (TextOf(h) != text) ::SetWindowTextW(h, text);
}

// Field exchange messages of the framework (Japanese UI).
const wchar_t kEnterInteger[] = L"整数を入力してください。";
const wchar_t kEnterUnsigned[] = L"正の整数を入力してください。";
const wchar_t kEnterNumber[] = L"数値を入力してください。";

void ExchangeInteger(CDataExchange* pDX, int nIDC, long long& value, long long minValue,
                     long long maxValue, const wchar_t* format, const wchar_t* message)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    CString text = TextOf(h);
    long long parsed = 0;
    const bool ok = AfxParseInt(text, minValue, maxValue, &parsed) != FALSE;
    if (pDX->m_bSaveAndValidate) {
        if (!ok) {
            AfxMessageBox(message, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = parsed;
        return;
    }
    if (ok && parsed == value) return;
    CString shown;
    shown.Format(format, value);
    ::SetWindowTextW(h, shown);
}

}  // namespace

CUserException::~CUserException() = default;

void AfxThrowUserException()
{
    throw new CUserException;
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND h = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC) : nullptr;
    // A control the template does not have is a programming error.
    if (!h) AfxThrowInvalidArgException();
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND h = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return h;
}

void CDataExchange::Fail()
{
    if (m_idLastControl != 0 && m_pDlgWnd && m_pDlgWnd->GetSafeHwnd()) {
        HWND dlg = m_pDlgWnd->GetSafeHwnd();
        HWND h = ::GetDlgItem(dlg, m_idLastControl);
        if (h) {
            ::SendMessageW(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(h), TRUE);
            if (m_bEditLastControl) ::SendMessageW(h, EM_SETSEL, 0, -1);
        }
    }
    AfxThrowUserException();
}

BOOL AfxParseInt(const wchar_t* text, long long minValue, long long maxValue, long long* pValue)
{
    if (!text) return FALSE;
    const wchar_t* p = text;
    while (IsBlank(*p)) ++p;
    bool negative = false;
    if (*p == L'+' || *p == L'-') negative = *p++ == L'-';
    if (*p < L'0' || *p > L'9') return FALSE;
    unsigned long long magnitude = 0;
    const unsigned long long limit = static_cast<unsigned long long>(LLONG_MAX) + 1;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        magnitude = magnitude * 10 + static_cast<unsigned>(*p - L'0');
        if (magnitude > limit) return FALSE;
    }
    while (IsBlank(*p)) ++p;
    if (*p != L'\0') return FALSE;
    long long value;
    if (negative) {
        value = magnitude == limit ? LLONG_MIN : -static_cast<long long>(magnitude);
    } else {
        if (magnitude == limit) return FALSE;
        value = static_cast<long long>(magnitude);
    }
    if (value < minValue || value > maxValue) return FALSE;
    *pValue = value;
    return TRUE;
}

BOOL AfxParseDouble(const wchar_t* text, double* pValue)
{
    if (!text) return FALSE;
    const wchar_t* p = text;
    while (IsBlank(*p)) ++p;
    // Plain decimal notation only: no hex, inf or nan that wcstod would also take.
    for (const wchar_t* q = p; *q; ++q) {
        const wchar_t c = *q;
        if (!((c >= L'0' && c <= L'9') || c == L'.' || c == L'+' || c == L'-' || c == L'e' ||
              c == L'E' || IsBlank(c)))
            return FALSE;
    }
    if (*p == L'\0') return FALSE;
    wchar_t* end = nullptr;
    errno = 0;
    double v = std::wcstod(p, &end);
    if (end == p) return FALSE;
    if (errno == ERANGE && std::isinf(v)) return FALSE;
    while (IsBlank(*end)) ++end;
    if (*end != L'\0') return FALSE;
    *pValue = v;
    return TRUE;
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    long long v = value;
    ExchangeInteger(pDX, nIDC, v, INT_MIN, INT_MAX, L"%lld", kEnterInteger);
    value = static_cast<int>(v);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    long long v = value;
    ExchangeInteger(pDX, nIDC, v, LONG_MIN, LONG_MAX, L"%lld", kEnterInteger);
    value = static_cast<long>(v);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    long long v = value;
    ExchangeInteger(pDX, nIDC, v, 0, UINT_MAX, L"%lld", kEnterUnsigned);
    value = static_cast<UINT>(v);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    CString text = TextOf(h);
    double parsed = 0;
    const bool ok = AfxParseDouble(text, &parsed) != FALSE;
    if (pDX->m_bSaveAndValidate) {
        if (!ok) {
            AfxMessageBox(kEnterNumber, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = parsed;
        return;
    }
    if (ok && parsed == value) return;
    CString shown;
    shown.Format(L"%.15g", value);
    ::SetWindowTextW(h, shown);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = TextOf(h);
    else
        SetTextIfDifferent(h, value);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND first = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) value = -1;
    int index = 0;
    for (HWND h = first; h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h != first && (::GetWindowLongPtrW(h, GWL_STYLE) & WS_GROUP)) break;
        if (!(::SendMessageW(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
        } else {
            const WPARAM want = index == value ? BST_CHECKED : BST_UNCHECKED;
            if (static_cast<WPARAM>(::SendMessageW(h, BM_GETCHECK, 0, 0)) != want)
                ::SendMessageW(h, BM_SETCHECK, want, 0);
        }
        ++index;
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageW(h, BM_GETCHECK, 0, 0));
    } else {
        const WPARAM state = (value == BST_CHECKED || value == BST_INDETERMINATE) ? value : BST_UNCHECKED;
        ::SendMessageW(h, BM_SETCHECK, state, 0);
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageW(h, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.GetSafeHwnd()) return;
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(h)) AfxThrowInvalidArgException();
}
