#include <host/CCorZel.h>
#include <standin/CStandInEngine.h>
#include <vrkcst/vrkcst.h>
#include <vrkreg/CRegistry.h>

#include "VrkTestUtil.h"

#include <gtest/gtest.h>

namespace {

const UINT kTemplate = 7390;

class ZelDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRegistry::SetRoot(L"Software\\VRKOBS-tests\\vrkcst");
        ASSERT_TRUE(CRegistry::DeleteKey(L""));
    }
    void TearDown() override { CRegistry::DeleteKey(L""); }

    static CRect WindowRect(CWnd& w)
    {
        CRect rc;
        w.GetWindowRect(&rc);
        return rc;
    }
};

}  // namespace

TEST_F(ZelDialog, KeepsItsPlaceUnderItsKey)
{
    CStandInEngine engine;
    CCorZel cor(&engine);
    CRect placed;
    {
        CZelDialog dlg(kTemplate, nullptr);
        dlg.m_strRegKey = L"Dialog\\Test";
        ASSERT_TRUE(dlg.Create(&cor, nullptr));
        EXPECT_EQ(dlg.m_pCor, &cor) << "Create did not keep the engine";
        EXPECT_FALSE(dlg.IsWindowVisible());
        dlg.SetWindowPos(nullptr, 140, 110, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        placed = WindowRect(dlg);
        dlg.DestroyWindow();
    }
    {
        CZelDialog dlg(kTemplate, nullptr);
        dlg.m_strRegKey = L"Dialog\\Test";
        ASSERT_TRUE(dlg.Create(&cor, nullptr));
        EXPECT_EQ(WindowRect(dlg), placed) << "the place was not restored";
        EXPECT_FALSE(dlg.IsWindowVisible()) << "restoring the place showed the dialog";
        dlg.DestroyWindow();
    }
    {
        // With an empty key nothing is read or written.
        CRegistry::DeleteKey(L"");
        CZelDialog dlg(kTemplate, nullptr);
        ASSERT_TRUE(dlg.Create(&cor, nullptr));
        dlg.DestroyWindow();
        CString any;
        HKEY h = nullptr;
        EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\VRKOBS-tests\\vrkcst\\Dialog", 0,
                                KEY_READ, &h),
                  ERROR_SUCCESS)
            << "a dialog without a key wrote settings";
        if (h)
            RegCloseKey(h);
    }
}

TEST_F(ZelDialog, ThemedControlsTakeOverTemplateControls)
{
    CZelDialog dlg(kTemplate, nullptr);
    ASSERT_TRUE(dlg.Create(nullptr, nullptr));
    CZelEdit edit;
    CZelButton button;
    EXPECT_TRUE(edit.Attach(100, &dlg));
    EXPECT_TRUE(button.Attach(101, &dlg, 0, 0xB4B4B4, 0x6B6B6B, 0x9DB600, 1));
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.GetDlgItem(100)->GetSafeHwnd()), &edit);
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_FALSE(CZelEdit().Attach(555, &dlg));
    dlg.DestroyWindow();
}

TEST_F(ZelDialog, MissingTemplateFailsCreate)
{
    CZelDialog dlg(7399, nullptr);
    EXPECT_FALSE(dlg.Create(nullptr, nullptr));
    EXPECT_FALSE(dlg.GetSafeHwnd());
}
