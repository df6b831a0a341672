#pragma once

#include "../obs/ObsTestHost.h"

#include "city/CDlgCity.h"
#include "res/resource_city.h"

#include <afx/AfxTest.h>

#include <functional>
#include <utility>
#include <vector>

// The location dialog's host with a small system list in the data folder, recording what the
// host's main window is told (1725 and 1136, by wParam).
class CityDlgTest : public ObsDialogTest {
protected:
    void SetUp() override;
    void TearDown() override;

    CString DataFile(LPCTSTR pszName) const { return m_strDataDir + pszName; }
    // A city list in the ANSI code page, lines ending in CR LF.
    static void WriteList(const CString& strPath, const CString& strText);
    // Runs the city dialog on the data folder's lists; the script is the user and ends it.
    INT_PTR RunCity(const std::function<void(CDlgCity&)>& script);
    // Clicks the location dialog's city button with the script on the city dialog.
    void RunHandOff(CDlgObs& dlg, const std::function<void(CDlgCity&)>& script);

public:
    static void Select(CDlgCity& dlg, const std::vector<CString>& path);
    static void TypeText(HWND hDlg, int nID, const wchar_t* pszText);
    static void Step(HWND hDlg, int nID, int nDelta);
    static CString Text(HWND hDlg, int nID);
    static bool Enabled(HWND hDlg, int nID) { return ::IsWindowEnabled(::GetDlgItem(hDlg, nID)) != FALSE; }
    static void Press(HWND hDlg, int nID) { ::SendMessageW(::GetDlgItem(hDlg, nID), BM_CLICK, 0, 0); }

    static std::vector<WPARAM> Notices(UINT nMsg);
    static void ClearNotices();
};

// The test list: each place is a carry or a sign the fields must show.
extern const wchar_t kTestList[];
