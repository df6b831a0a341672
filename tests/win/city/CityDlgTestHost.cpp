#include "CityDlgTestHost.h"

#include <commctrl.h>

const wchar_t kTestList[] =
    L"# test list\r\n@日本\r\n"
    L"東京,139.7667000E,35.6833000N,40,+09.00, 0, 0, 3\r\n"
    L"大阪,135.5000000E,34.5000000N,5,+09.00, 0, 0, 3\r\n#\r\n@世界\r\n"
    L"東端,139.9999900E,89.9999900N,0,+09.00, 0, 0, 2\r\n"
    L"日付変更線,179.9999900E,10.0000000S,0,+05.75, 0, 0, 2\r\n"
    L"西,0.5000000W,51.5000000N,0,-03.50, 0, 0, 2\r\n#\r\n";

namespace {

std::vector<std::pair<UINT, WPARAM>> g_notices;

LRESULT CALLBACK RecordNotices(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (uMsg == WM_USER + 701 || uMsg == WM_USER + 112)
        g_notices.emplace_back(uMsg, wParam);
    return DefSubclassProc(hWnd, uMsg, wParam, lParam);
}

}  // namespace

void CityDlgTest::SetUp()
{
    ObsDialogTest::SetUp();
    g_notices.clear();
    SetWindowSubclass(HostMainWnd().GetSafeHwnd(), RecordNotices, 1, 0);
    WriteList(DataFile(_T("zelkam.obs")), kTestList);
}

void CityDlgTest::TearDown()
{
    RemoveWindowSubclass(HostMainWnd().GetSafeHwnd(), RecordNotices, 1);
    ObsDialogTest::TearDown();
}

void CityDlgTest::ClearNotices()
{
    g_notices.clear();
}

std::vector<WPARAM> CityDlgTest::Notices(UINT nMsg)
{
    std::vector<WPARAM> result;
    for (const auto& notice : g_notices)
        if (notice.first == nMsg)
            result.push_back(notice.second);
    return result;
}

void CityDlgTest::WriteList(const CString& strPath, const CString& strText)
{
    ASSERT_TRUE(WriteBytes(strPath, CStringA(strText).str()));
}

INT_PTR CityDlgTest::RunCity(const std::function<void(CDlgCity&)>& script)
{
    CDlgCity dlg(&HostMainWnd());
    dlg.m_strObsFile = DataFile(_T("zelkam.obs"));
    dlg.m_strUserObsFile = DataFile(_T("zelkam_user.obs"));
    dlg.m_strUserJsonFile = DataFile(_T("zelkam_user_obs.json"));
    AfxSetModalDialogHook(IDD_CITY, [&](CDialog* pDlg) { script(static_cast<CDlgCity&>(*pDlg)); });
    return dlg.DoModal();
}

void CityDlgTest::RunHandOff(CDlgObs& dlg, const std::function<void(CDlgCity&)>& script)
{
    AfxSetModalDialogHook(IDD_CITY, [&](CDialog* pDlg) { script(static_cast<CDlgCity&>(*pDlg)); });
    Click(dlg, IDC_OBS_BTN_CITY);
}

void CityDlgTest::Select(CDlgCity& dlg, const std::vector<CString>& path)
{
    const LPARAM hItem = reinterpret_cast<LPARAM>(dlg.m_session.Find(path));
    ASSERT_NE(hItem, 0) << CStringA(path.back()).str();
    ::SendMessageW(::GetDlgItem(dlg.GetSafeHwnd(), IDC_CITY_TREE), TVM_SELECTITEM, TVGN_CARET, hItem);
}

void CityDlgTest::TypeText(HWND hDlg, int nID, const wchar_t* pszText)
{
    HWND hEdit = ::GetDlgItem(hDlg, nID);
    // The first character replaces the selection: the field is never seen empty.
    ::SendMessageW(hEdit, EM_SETSEL, 0, -1);
    for (const wchar_t* p = pszText; *p; ++p)
        ::SendMessageW(hEdit, WM_CHAR, *p, 1);
}

void CityDlgTest::Step(HWND hDlg, int nID, int nDelta)
{
    NMUPDOWN nm = {};
    nm.hdr.hwndFrom = ::GetDlgItem(hDlg, nID);
    nm.hdr.idFrom = static_cast<UINT_PTR>(nID);
    nm.hdr.code = UDN_DELTAPOS;
    nm.iDelta = nDelta;
    ::SendMessageW(hDlg, WM_NOTIFY, static_cast<WPARAM>(nID), reinterpret_cast<LPARAM>(&nm));
}

CString CityDlgTest::Text(HWND hDlg, int nID)
{
    wchar_t szText[256] = {};
    ::GetDlgItemTextW(hDlg, nID, szText, 256);
    return szText;
}
