#include <vrkcom/VrkDDX.h>

#include <vrkcom/NumberText.h>
#include <afx/afxwin.h>

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

CString TextOf(HWND hEdit)
{
    const int n = ::GetWindowTextLengthW(hEdit);
    if (n <= 0)
        return CString();
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const int got = ::GetWindowTextW(hEdit, &text[0], n + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return CString(std::move(text));
}

}  // namespace

void DDX_Int(CDataExchange* pDX, int nIDC, int& value, int nWidth, int nMaxChars)
{
    HWND hEdit = EditOf(pDX, nIDC, nMaxChars);
    if (!hEdit)
        return;
    const CString text = TextOf(hEdit);
    if (pDX->m_bSaveAndValidate) {
        value = VrkParseIntLenient(text);
        return;
    }
    if (VrkTextMeansInt(text, value))
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
    if (!VrkIsDoubleFormat(fmt))
        fmt = L"%g";
    const CString text = TextOf(hEdit);
    if (pDX->m_bSaveAndValidate) {
        value = VrkParseDoubleLenient(text);
        return;
    }
    if (VrkTextMeansDouble(text, value, fmt))
        return;
    CString shown;
    shown.Format(fmt, value);
    ::SetWindowTextW(hEdit, shown);
}
