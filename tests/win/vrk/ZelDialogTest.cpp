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

}  // namespace
