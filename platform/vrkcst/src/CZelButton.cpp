#include <vrkcst/CZelButton.h>

#include <string>

BEGIN_MESSAGE_MAP(CZelButton, CButton)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

BOOL CZelButton::Attach(UINT nID, CWnd* pParent, COLORREF crText, COLORREF crFace,
                        COLORREF crBorder, COLORREF crFocus, int nBorder)
{
    m_crText = crText;
    m_crFace = crFace;
    m_crBorder = crBorder;
    m_crFocus = crFocus;
    m_nBorder = nBorder < 0 ? 0 : nBorder;
    if (!SubclassDlgItem(nID, pParent))
        return FALSE;
    // BS_OWNERDRAW replaces the button type; a default push button keeps being the dialog's
    // default through DM_GETDEFID, so nothing is lost.
    const LONG_PTR style = GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return TRUE;
}

void CZelButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (!lpDIS || lpDIS->CtlType != ODT_BUTTON)
        return;
    HDC hdc = lpDIS->hDC;
    RECT rc = lpDIS->rcItem;
    const bool pressed = (lpDIS->itemState & ODS_SELECTED) != 0;
    const bool focused = (lpDIS->itemState & ODS_FOCUS) != 0;
    const bool disabled = (lpDIS->itemState & ODS_DISABLED) != 0;

    HBRUSH face = CreateSolidBrush(m_crFace);
    FillRect(hdc, &rc, face);
    DeleteObject(face);

    if (m_nBorder > 0) {
        HBRUSH frame = CreateSolidBrush((pressed || focused) ? m_crFocus : m_crBorder);
        RECT r = rc;
        for (int i = 0; i < m_nBorder && r.right - r.left > 2 && r.bottom - r.top > 2; ++i) {
            FrameRect(hdc, &r, frame);
            InflateRect(&r, -1, -1);
        }
        DeleteObject(frame);
    }

    const int len = ::GetWindowTextLengthW(lpDIS->hwndItem);
    std::wstring text(static_cast<size_t>(len) + 1, L'\0');
    const int got = ::GetWindowTextW(lpDIS->hwndItem, &text[0], len + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);

    if (pressed)
        OffsetRect(&rc, 1, 1);
    const int oldMode = SetBkMode(hdc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(hdc, disabled ? GetSysColor(COLOR_GRAYTEXT) : m_crText);
    UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (::SendMessageW(lpDIS->hwndItem, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL)
        format |= DT_HIDEPREFIX;
    DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &rc, format);
    SetTextColor(hdc, oldColor);
    SetBkMode(hdc, oldMode);
}
