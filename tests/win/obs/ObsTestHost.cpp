#include "ObsTestHost.h"

namespace {

CWinApp theApp(_T("VRKOBS obs tests"));

}  // namespace

LRESULT CHostMainWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER + 1010 || message == WM_USER + 1000)
        m_notices.emplace_back(message, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

void ObsDialogTest::SetUp()
{
    ScriptedTest::SetUp();
    // A root of the test's own: ctest runs tests side by side, and each clears its root.
    CRegistry::SetRoot(_T("Software\\VRKOBS-tests\\obs\\") +
                       CString(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    CRegistry::DeleteKey(CString());
    CStandInMap::ResetDefaults();
    CStandInMap::Defaults().classNames.assign(8, CString(_T("class")));  // one per check box
    CStandInMap::Register();
    HostMainWnd().m_notices.clear();
    m_obs.m_nLocationObject = CGeoDateObs::kEarth;
    m_obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLat] = 35.689236;
    m_obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLng] = 139.691772;
    m_obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kHeight] = 39.0;
    m_obs.m_nTimeSystem = 0;
    m_obs.m_dUserTimeZone = 9.0;
}

void ObsDialogTest::TearDown()
{
    Pump();
    ScriptedTest::TearDown();
    CStandInMap::Unregister();
    CRegistry::DeleteKey(CString());
}

BOOL ObsDialogTest::Open(CDlgObs& dlg, const CString& strMeshFile)
{
    dlg.SetGeoDateObs(&m_obs);
    const BOOL bOk = dlg.DoModeless(m_cor.get(), strMeshFile);
    Pump();
    return bOk;
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    AfxInitCommonControls();
    HostMainWnd().CreateEx(0, nullptr, _T("VRKOBS test host"), WS_OVERLAPPEDWINDOW,
                        CRect(0, 0, 400, 300), nullptr, 0);
    theApp.m_pMainWnd = &HostMainWnd();
    const int rc = RUN_ALL_TESTS();
    theApp.m_pMainWnd = nullptr;
    HostMainWnd().DestroyWindow();
    OleUninitialize();
    return rc;
}
