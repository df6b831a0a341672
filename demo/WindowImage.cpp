#include "WindowImage.h"

#include <cstdio>

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
