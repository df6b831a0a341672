#include <vrkcom/VrkDDX.h>

#include <afx/afxwin.h>

#include <climits>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <string>

namespace {

HWND EditOf(CDataExchange* pDX, int nIDC, int nMaxChars)
{
    if (!pDX || !pDX->m_pDlgWnd)
        return nullptr;
    HWND hEdit = ::GetDlgItem(pDX->m_pDlgWnd->GetSafeHwnd(), nIDC);
    if (hEdit && nMaxChars > 0)
        ::SendMessageW(hEdit, EM_SETLIMITTEXT, static_cast<WPARAM>(nMaxChars), 0);
    return hEdit;
}

std::wstring TextOf(HWND hEdit)
{
    const int n = ::GetWindowTextLengthW(hEdit);
    if (n <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const int got = ::GetWindowTextW(hEdit, &text[0], n + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

// The number the text starts with (after white space): sign, digits and, when allowDot, one
// '.' with more digits, as plain ASCII for the C conversions ("12." and "-.5" are fine for
// strtod); empty when it holds no digit. *pComplete tells whether only white space follows.
std::string LeadingNumber(const std::wstring& s, bool allowDot, bool* pComplete)
{
    size_t i = 0;
    while (i < s.size() && std::iswspace(s[i]))
        ++i;
    const size_t begin = i;
    if (i < s.size() && (s[i] == L'+' || s[i] == L'-'))
        ++i;
    bool digits = false;
    for (bool dot = false; i < s.size(); ++i) {
        if (s[i] >= L'0' && s[i] <= L'9')
            digits = true;
        else if (allowDot && !dot && s[i] == L'.')
            dot = true;
        else
            break;
    }
    std::string number;
    for (size_t k = begin; digits && k < i; ++k)
        number += static_cast<char>(s[k]);
    while (i < s.size() && std::iswspace(s[i]))
        ++i;
    *pComplete = digits && i == s.size();
    return number;
}

// TRUE when fmt is a printf format that takes exactly one double (one of %f %e %E %g %G with
// flags, width and precision as numbers, and any %% around it).
bool IsDoubleFormat(const wchar_t* fmt)
{
    if (!fmt)
        return false;
    int conversions = 0;
    for (const wchar_t* p = fmt; *p; ++p) {
        if (*p != L'%')
            continue;
        ++p;
        if (*p == L'%')
            continue;
        while (*p && wcschr(L"-+ #0", *p))
            ++p;
        while (*p >= L'0' && *p <= L'9')
            ++p;
        if (*p == L'.') {
            ++p;
            while (*p >= L'0' && *p <= L'9')
                ++p;
        }
        if (!*p || !wcschr(L"feEgG", *p))
            return false;
        ++conversions;
    }
    return conversions == 1;
}

}  // namespace

void DDX_Int(CDataExchange* pDX, int nIDC, int& value, int nWidth, int nMaxChars)
{
    HWND hEdit = EditOf(pDX, nIDC, nMaxChars);
    if (!hEdit)
        return;
    bool complete = false;
    const std::string number = LeadingNumber(TextOf(hEdit), false, &complete);
    const long long v = number.empty() ? 0 : std::strtoll(number.c_str(), nullptr, 10);
    const int typed = v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
    if (pDX->m_bSaveAndValidate) {
        value = typed;
        return;
    }
    if (complete && typed == value)
        return;
    CString shown;
    if (nWidth > 0)
        shown.Format(L"%0*d", nWidth, value);
    else
        shown.Format(L"%d", value);
    ::SetWindowTextW(hEdit, shown);
}

void DDX_DoubleFmt(CDataExchange* pDX, int nIDC, double& value, const wchar_t* fmt, int nMaxChars)
{
    HWND hEdit = EditOf(pDX, nIDC, nMaxChars);
    if (!hEdit)
        return;
    // A format that does not take exactly one double would read past the argument.
    if (!IsDoubleFormat(fmt))
        fmt = L"%g";
    bool complete = false;
    const std::string number = LeadingNumber(TextOf(hEdit), true, &complete);
    const double typed = number.empty() ? 0.0 : std::strtod(number.c_str(), nullptr);
    if (pDX->m_bSaveAndValidate) {
        value = typed;
        return;
    }
    CString shown;
    shown.Format(fmt, value);
    if (complete && shown.wstr() == FormatText(fmt, typed))
        return;
    ::SetWindowTextW(hEdit, shown);
}
