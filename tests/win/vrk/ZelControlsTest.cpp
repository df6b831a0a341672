#include <vrkcst/vrkcst.h>

#include "VrkTestUtil.h"

#include <gtest/gtest.h>

namespace {

class CButtonHost : public CWnd {
public:
    int clicks = 0;

protected:
    void OnClick() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CButtonHost, CWnd)
    ON_BN_CLICKED(7029, &CButtonHost::OnClick)
END_MESSAGE_MAP()

}  // namespace

TEST(ZelButton, DrawsFaceAndFrameInItsColoursAndStillClicks)
{
    CButtonHost host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, L"host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200),
                              nullptr, 0));
    HWND hBtn = CreateWindowExW(0, L"BUTTON", L"都市名選択(&N)...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                10, 10, 120, 30, host.GetSafeHwnd(),
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(7029)),
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(hBtn);
    CZelButton btn;
    ASSERT_TRUE(btn.Attach(7029, &host, 0, 0xB4B4B4, 0x6B6B6B, 0x9DB600, 1));
    EXPECT_EQ(GetWindowLongW(hBtn, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);

    // Paint into a memory bitmap: the button asks its parent, which reflects to DrawItem.
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 120, 30);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT all = {0, 0, 120, 30};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SendMessageW(hBtn, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    EXPECT_EQ(GetPixel(mem, 0, 0), 0x6B6B6Bu) << "frame not in the border colour";
    EXPECT_EQ(GetPixel(mem, 119, 29), 0x6B6B6Bu) << "frame not in the border colour";
    // Above and below the caption.
    EXPECT_EQ(GetPixel(mem, 3, 3), 0xB4B4B4u) << "face not in the face colour";
    EXPECT_EQ(GetPixel(mem, 116, 26), 0xB4B4B4u) << "face not in the face colour";
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);

    SendMessageW(hBtn, BM_CLICK, 0, 0);
    EXPECT_EQ(host.clicks, 1) << "the owner-drawn button stopped clicking";

    CZelEdit missing;
    EXPECT_FALSE(missing.Attach(9999, &host)) << "attaching a missing control succeeded";
    host.DestroyWindow();
}

TEST(ZelTheme, SetWindowThemeIsHarmless)
{
    HWND h = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(h);
    // Wine's uxtheme refuses empty names (ERROR_INVALID_NAME); either way the window lives on.
    CZelTheme::SetWindowTheme(h, L"", L"");
    EXPECT_TRUE(IsWindow(h));
    EXPECT_EQ(CZelTheme::SetWindowTheme(static_cast<HWND>(nullptr), L"", L""), E_INVALIDARG);
    DestroyWindow(h);
}
