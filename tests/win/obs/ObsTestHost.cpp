#include "ObsTestHost.h"

#include "obs/CDlgObs.h"

#include <cstdio>

namespace {

constexpr UINT kMsgClosedMain = WM_USER + 1010;
constexpr UINT kMsgClosedParent = WM_USER + 1000;

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp(_T("VRKOBS obs tests")) {}
};

CTestApp theApp;
CHostMainWnd theMainWnd;

}  // namespace

LRESULT CHostMainWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kMsgClosedMain)
        ++m_nClosedMain;
    if (message == kMsgClosedParent) {
        ++m_nClosedParent;
        m_parentLParams.push_back(lParam);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

CHostMainWnd& HostMainWnd()
{
    return theMainWnd;
}

void ObsDialogTest::SetUp()
{
    CRegistry::DeleteKey(CString());
    AfxClearTestHooks();
    AfxTestScriptMessageBoxes();
    CStandInMap::ResetDefaults();
    CStandInMap::Defaults().classNames = {_T("観測地"), _T("市区町村"), _T("都市"), _T("天文台"),
                                       _T("山岳"),   _T("自然地形"), _T("建造物"), _T("その他")};
    CStandInMap::Register();
    HostMainWnd().Reset();

    wchar_t szTemp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, szTemp);
    const CString strRoot = CString(szTemp) + _T("vrkobs_obs_tests\\");
    CreateDirectoryW(strRoot.GetString(), nullptr);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    CString strName(info->name());
    strName.Replace(L'/', L'_');
    m_strDataDir = strRoot + strName + _T("\\");
    RemoveTree(m_strDataDir);
    CreateDirectoryW(m_strDataDir.GetString(), nullptr);

    m_cor = std::make_unique<CCorZel>(&m_engine);
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
    for (const CString& failure : AfxTestMessageBoxFailures())
        ADD_FAILURE() << "message box: " << CStringA(failure).str();
    AfxClearTestHooks();
    CStandInMap::Unregister();
    DeleteFileW((ModuleDir() + _T("zelkam.obs")).GetString());
    RemoveTree(m_strDataDir);
    CRegistry::DeleteKey(CString());
}

std::unique_ptr<CDlgObs> ObsDialogTest::MakeDialog()
{
    return std::make_unique<CDlgObs>(&HostMainWnd(), m_strDataDir.GetString(), 0);
}

BOOL ObsDialogTest::Open(CDlgObs& dlg, const CString& strMeshFile)
{
    dlg.SetGeoDateObs(&m_obs);
    const BOOL bOk = dlg.DoModeless(m_cor.get(), strMeshFile);
    Pump();
    return bOk;
}

void ObsDialogTest::WriteTextFile(const CString& strPath, const char* pszText)
{
    FILE* fp = _wfopen(strPath.GetString(), L"wb");
    ASSERT_NE(fp, nullptr) << CStringA(strPath).str();
    fputs(pszText, fp);
    fclose(fp);
}

CString ObsDialogTest::ModuleDir()
{
    wchar_t szPath[MAX_PATH] = {};
    GetModuleFileNameW(GetModuleHandleW(L"vrkobs.dll"), szPath, MAX_PATH);
    CString strPath = szPath;
    return strPath.Left(strPath.ReverseFind(L'\\') + 1);
}

void ObsDialogTest::Type(CDlgObs& dlg, int nID, const wchar_t* pszText)
{
    HWND hEdit = ::GetDlgItem(dlg.GetSafeHwnd(), nID);
    ::SendMessageW(hEdit, EM_SETSEL, 0, -1);
    ::SendMessageW(hEdit, WM_CLEAR, 0, 0);
    for (const wchar_t* p = pszText; *p; ++p)
        ::SendMessageW(hEdit, WM_CHAR, *p, 1);
    Pump();
}

void ObsDialogTest::StepUpDown(CDlgObs& dlg, int nID, int nDelta)
{
    HWND hUpDown = ::GetDlgItem(dlg.GetSafeHwnd(), nID);
    NMUPDOWN nm = {};
    nm.hdr.hwndFrom = hUpDown;
    nm.hdr.idFrom = static_cast<UINT_PTR>(nID);
    nm.hdr.code = UDN_DELTAPOS;
    nm.iPos = static_cast<int>(::SendMessageW(hUpDown, UDM_GETPOS32, 0, 0));
    nm.iDelta = nDelta;
    ::SendMessageW(dlg.GetSafeHwnd(), WM_NOTIFY, static_cast<WPARAM>(nID),
                   reinterpret_cast<LPARAM>(&nm));
    Pump();
}

CString ObsDialogTest::Text(CDlgObs& dlg, int nID)
{
    wchar_t szText[256] = {};
    ::GetDlgItemTextW(dlg.GetSafeHwnd(), nID, szText, 256);
    return szText;
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    AfxInitCommonControls();
    CRegistry::SetRoot(_T("Software\\VRKOBS-tests\\obs"));
    theMainWnd.CreateEx(0, nullptr, _T("VRKOBS test host"), WS_OVERLAPPEDWINDOW,
                        CRect(0, 0, 400, 300), nullptr, 0);
    theApp.m_pMainWnd = &theMainWnd;
    const int rc = RUN_ALL_TESTS();
    theApp.m_pMainWnd = nullptr;
    theMainWnd.DestroyWindow();
    OleUninitialize();
    return rc;
}
