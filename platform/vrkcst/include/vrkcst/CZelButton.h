#pragma once

#include <vrkcst/vrkcstdefs.h>
#include <afx/afxwin.h>

// A flat owner-drawn push button. Attach takes over a template button and makes it owner-drawn;
// the parent reflects WM_DRAWITEM to DrawItem. Colours are COLORREF (0x00BBGGRR):
//   crText   caption (the dialogs pass 0, black)
//   crFace   face (0xB4B4B4, light grey)
//   crBorder frame (0x6B6B6B, dark grey)
//   crFocus  frame while the button has the focus or is pressed (0x9DB600, teal)
//   nBorder  frame width in pixels (1)
// A disabled button draws its caption grey.
class VRKCST_API CZelButton : public CButton {
public:
    BOOL Attach(UINT nID, CWnd* pParent, COLORREF crText = 0, COLORREF crFace = 0xB4B4B4,
                COLORREF crBorder = 0x6B6B6B, COLORREF crFocus = 0x9DB600, int nBorder = 1);
    void DrawItem(LPDRAWITEMSTRUCT lpDIS);

    COLORREF m_crText = 0;
    COLORREF m_crFace = 0xB4B4B4;
    COLORREF m_crBorder = 0x6B6B6B;
    COLORREF m_crFocus = 0x9DB600;
    int m_nBorder = 1;

protected:
    DECLARE_MESSAGE_MAP()
};
