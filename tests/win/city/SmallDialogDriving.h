#pragma once

#include <WinTestKit.h>

#include <gtest/gtest.h>

// The owner-drawn OK and Cancel paint their face inside the frame; nothing paints a bare one.
inline void ExpectButtonsDrawn(CDialog* d)
{
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, ::CreateBitmap(8, 8, 1, 32, nullptr));
    for (int nID : {IDOK, IDCANCEL}) {
        ::PatBlt(hdc, 0, 0, 8, 8, WHITENESS);
        ::SendMessageW(Item(*d, nID), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), PRF_CLIENT);
        EXPECT_EQ(0xB4B4B4u, ::GetPixel(hdc, 3, 3)) << "button " << nID << " is not drawn";
    }
    ::DeleteObject(::SelectObject(hdc, hOld));
    ::DeleteDC(hdc);
}
