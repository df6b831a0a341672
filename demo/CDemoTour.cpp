#include "CDemoTour.h"

#include "CDemoMapView.h"

#include <obs/CDlgObs.h>
#include <res/resource_obs.h>

#include <cstdio>
#include <vector>

namespace {

// Writes the screen's pixels under a window as a 24-bit bitmap file; false on failure.
bool SaveWindowImage(HWND hWnd, const CString& path)
{
    RECT rc;
    if (!::GetWindowRect(hWnd, &rc))
        return false;
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof bih;
    bih.biWidth = w;
    bih.biHeight = h;  // bottom-up, as the file keeps its rows
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HBITMAP bmp = ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS,
                                     &bits, nullptr, 0);
    bool ok = false;
    if (bmp) {
        HDC mem = ::CreateCompatibleDC(screen);
        HGDIOBJ old = ::SelectObject(mem, bmp);
        ok = ::BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY) != FALSE;
        ::GdiFlush();
        ::SelectObject(mem, old);
        ::DeleteDC(mem);
    }
    ::ReleaseDC(nullptr, screen);
    if (ok) {
        const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
        const DWORD size = stride * static_cast<DWORD>(h);
        BITMAPFILEHEADER bfh = {};
        bfh.bfType = 0x4D42;  // "BM"
        bfh.bfOffBits = sizeof bfh + sizeof bih;
        bfh.bfSize = bfh.bfOffBits + size;
        FILE* f = _wfopen(path.GetString(), L"wb");
        ok = f && std::fwrite(&bfh, sizeof bfh, 1, f) == 1 && std::fwrite(&bih, sizeof bih, 1, f) == 1
             && std::fwrite(bits, 1, size, f) == size;
        if (f && std::fclose(f) != 0)
            ok = false;
    }
    if (bmp)
        ::DeleteObject(bmp);
    return ok;
}

}  // namespace

CDemoTour::CDemoTour(CDlgObs& dlg, CDemoMapView& view, const CString& folder)
    : m_dlg(dlg), m_view(view), m_strFolder(folder)
{
    if (!m_strFolder.IsEmpty() && m_strFolder.Right(1) != L"\\")
        m_strFolder += L"\\";
}

void CDemoTour::Settle()
{
    // Two rounds: the host refills the dialog from a posted message, and that paints again.
    for (int i = 0; i < 2; ++i) {
        AfxPumpMessages();
        ::RedrawWindow(m_dlg.GetSafeHwnd(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::Sleep(300);
    }
    AfxPumpMessages();
}

BOOL CDemoTour::Shoot(const wchar_t* name)
{
    Settle();
    CString file;
    file.Format(L"%02d-%s.bmp", ++m_nShot, name);
    return SaveWindowImage(m_dlg.GetSafeHwnd(), m_strFolder + file) ? TRUE : FALSE;
}

BOOL CDemoTour::Click(UINT id)
{
    HWND hCtl = ::GetDlgItem(m_dlg.GetSafeHwnd(), static_cast<int>(id));
    if (!hCtl || !::IsWindowEnabled(hCtl))
        return FALSE;
    ::SendMessageW(hCtl, BM_CLICK, 0, 0);
    return TRUE;
}

BOOL CDemoTour::Check(UINT id)
{
    if (::IsDlgButtonChecked(m_dlg.GetSafeHwnd(), static_cast<int>(id)) == BST_CHECKED)
        return TRUE;
    return Click(id);
}

BOOL CDemoTour::Slide(int pos)
{
    // A drag of the thumb ends with the trackbar at its place and a last scroll notice.
    HWND hSlider = ::GetDlgItem(m_dlg.GetSafeHwnd(), IDC_OBS_SLIDER);
    if (!hSlider)
        return FALSE;
    ::SendMessageW(hSlider, TBM_SETPOS, TRUE, pos);
    ::SendMessageW(m_dlg.GetSafeHwnd(), WM_VSCROLL, MAKEWPARAM(TB_THUMBPOSITION, pos),
                   reinterpret_cast<LPARAM>(hSlider));
    ::SendMessageW(m_dlg.GetSafeHwnd(), WM_VSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                   reinterpret_cast<LPARAM>(hSlider));
    return TRUE;
}

BOOL CDemoTour::Run()
{
    if (!m_dlg.GetSafeHwnd())
        return FALSE;
    ::CreateDirectoryW(m_strFolder, nullptr);
    BOOL ok = Shoot(L"start");
    ok = Slide(40) && Shoot(L"zoomed") && ok;
    ok = Check(IDC_OBS_CHK_FEATURE_ASTRO) && Check(IDC_OBS_CHK_FEATURE_MOUNT)
         && Shoot(L"landmarks") && ok;
    // Osaka, from the demo's city list.
    ok = m_view.ClickAt(135.5023, 34.6937) && Shoot(L"picked") && ok;
    ok = Click(IDC_RD_ALT_AUTO) && Shoot(L"auto-altitude") && ok;
    ok = Click(IDC_OBS_BTN_RESET) && Shoot(L"reset") && ok;
    return Click(IDOK) && ok;
}
