#include <host/CCorZel.h>
#include <standin/CStandInEngine.h>
#include <vrkcst/vrkcst.h>
#include <vrkreg/CRegistry.h>

#include <WinTestKit.h>

#include <gtest/gtest.h>

namespace {

const UINT kTemplate = 7390;

// A dialog is placed where it was last time, under its key; with no key nothing is stored.
TEST(ZelDialog, KeepsItsPlaceUnderItsKey)
{
    CRegistry::SetRoot(L"Software\\VRKOBS-tests\\vrkcst");
    ASSERT_TRUE(CRegistry::DeleteKey(L""));
    CStandInEngine engine;
    CCorZel cor(&engine);
    CRect placed;
    for (const wchar_t* key : {L"", L"Dialog\\Test", L"Dialog\\Test"}) {
        CZelDialog dlg(kTemplate, nullptr);
        dlg.m_strRegKey = key;
        ASSERT_TRUE(dlg.Create(&cor, nullptr));
        EXPECT_EQ(dlg.m_pCor, &cor) << "Create did not keep the engine";
        EXPECT_FALSE(dlg.IsWindowVisible()) << "creating or restoring the place showed the dialog";
        CRect rc;
        dlg.GetWindowRect(&rc);
        if (!::IsRectEmpty(&placed)) { EXPECT_EQ(rc, placed) << "the place was not restored"; }
        if (*key) {
            dlg.SetWindowPos(nullptr, 140, 110, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            dlg.GetWindowRect(&placed);
        }
        dlg.DestroyWindow();
        if (!*key) {
            HKEY h = nullptr;
            EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\VRKOBS-tests\\vrkcst\\Dialog", 0, KEY_READ, &h),
                      ERROR_SUCCESS) << "a dialog without a key wrote settings";
            if (h) RegCloseKey(h);
        }
    }
    CRegistry::DeleteKey(L"");
    // The commands a dialog's switches send are the location dialog's tests'; without an engine
    // there is nothing to send them to.
    EXPECT_FALSE(CZelDialog(7399, nullptr).DoitBool(L"x", TRUE)) << "no engine must report failure";
}

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

TEST(ZelButton, TakesOverTheButtonAndStillClicks)
{
    CButtonHost host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, L"host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, 0));
    HWND hBtn = CreateWindowExW(0, L"BUTTON", L"都市名選択(&N)...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10,
                                120, 30, host.GetSafeHwnd(), reinterpret_cast<HMENU>(7029), nullptr, nullptr);
    CZelButton btn;
    ASSERT_TRUE(btn.Attach(7029, &host, 0, 0xB4B4B4, 0x6B6B6B, 0x9DB600, 1));
    EXPECT_EQ(GetWindowLongW(hBtn, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_FALSE(CZelEdit().Attach(9999, &host)) << "attaching a missing control succeeded";
    SendMessageW(hBtn, BM_CLICK, 0, 0);
    EXPECT_EQ(host.clicks, 1) << "the owner-drawn button stopped clicking";
    host.DestroyWindow();
}

}  // namespace
