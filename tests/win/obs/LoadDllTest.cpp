#include "obs/CDlgObs.h"
#include "res/resource_obs.h"

#include <afx/afxwin.h>
#include <host/CCorZel.h>
#include <standin/CStandInEngine.h>
#include <standin/CStandInMap.h>
#include <vrkcom/CGeoDateObs.h>
#include <vrkreg/CRegistry.h>

#include <gtest/gtest.h>

// A host that knows vrkobs.dll only through its exports: it loads the library, finds the
// dialog's resources through the framework's chain, and runs the dialog's whole life.

namespace {

class CHostApp : public CWinApp {
public:
    CHostApp() : CWinApp(_T("VRKOBS load test")) {}
};
CHostApp theApp;

}  // namespace

TEST(VrkObsDll, HostLoadsOpensAndClosesTheDialog)
{
    HMODULE hDll = LoadLibraryW(L"vrkobs.dll");
    ASSERT_NE(hDll, nullptr);
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(IDD_OBS), RT_DIALOG), hDll)
        << "the DLL did not join the resource chain at load";
    CWnd mainWnd;
    ASSERT_TRUE(mainWnd.CreateEx(0, nullptr, _T("host"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200),
                                 nullptr, 0));
    theApp.m_pMainWnd = &mainWnd;
    CRegistry::SetRoot(_T("Software\\VRKOBS-tests\\obsload"));
    CStandInMap::Register();
    AfxTestScriptMessageBoxes();
    CStandInEngine engine;
    CCorZel cor(&engine);
    CGeoDateObs obs;
    {
        CDlgObs dlg(&mainWnd, L"C:\\nowhere\\", 1);
        dlg.SetGeoDateObs(&obs);
        ASSERT_TRUE(dlg.DoModeless(&cor, CString()));
        AfxPumpMessages();
        CString strCaption;
        dlg.GetWindowText(strCaption);
        EXPECT_EQ(strCaption, L"場所");
        EXPECT_TRUE(dlg.IsWindowVisible());
        ::SendMessageW(::GetDlgItem(dlg.GetSafeHwnd(), IDOK), BM_CLICK, 0, 0);
        AfxPumpMessages();
        EXPECT_FALSE(dlg.IsWindowVisible());
    }
    EXPECT_EQ(CStandInMap::Last(), nullptr) << "the map outlived the dialog";
    EXPECT_TRUE(AfxTestMessageBoxFailures().empty());
    CStandInMap::Unregister();
    CRegistry::DeleteKey(CString());
    theApp.m_pMainWnd = nullptr;
    mainWnd.DestroyWindow();
    FreeLibrary(hDll);
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    const int rc = RUN_ALL_TESTS();
    OleUninitialize();
    return rc;
}
