#pragma once

#include "ObsTestHost.h"

#include "city/CDlgCity.h"
#include <citydb/CCitySession.h>
#include <citydb/CoordFields.h>
#include "res/resource_city.h"

#include <afx/AfxTest.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string_view>

// The city list dialog run modally on the data folder's lists; the script is its user and ends it.
class CityDlgFixture : public ObsDialogTest {
protected:
    CString DataFile(LPCTSTR pszName) const { return m_strDataDir + pszName; }
    void WriteList(const CString& strText) { ASSERT_TRUE(WriteBytes(DataFile(_T("zelkam.obs")), CStringA(strText).str())); }
    // The user's lists gone, so that any write of them shows.
    void DeleteUserLists() { for (LPCTSTR pszFile : {_T("zelkam_user.obs"), _T("zelkam_user_obs.json")}) DeleteFileW(DataFile(pszFile).GetString()); }
    INT_PTR RunCity(const std::function<void(CDlgCity&, HWND)>& script)
    {
        AfxSetModalDialogHook(IDD_CITY, [&](CDialog* pDlg) { script(static_cast<CDlgCity&>(*pDlg), pDlg->GetSafeHwnd()); });
        CDlgCity dlg(&HostMainWnd());
        dlg.m_strObsFile = DataFile(_T("zelkam.obs")), dlg.m_strUserObsFile = DataFile(_T("zelkam_user.obs"));
        dlg.m_strUserJsonFile = DataFile(_T("zelkam_user_obs.json"));
        return dlg.DoModal();
    }
    // pszPath below 場所, the names joined by "/"; empty for 場所 itself.
    static HTREEITEM Find(CDlgCity& dlg, const wchar_t* pszPath)
    {
        std::vector<CString> path = {_T("場所")};
        for (std::wstring_view rest = pszPath; !rest.empty();) {
            const size_t n = std::min(rest.find(L'/'), rest.size());
            path.emplace_back(std::wstring(rest.substr(0, n)).c_str());
            rest.remove_prefix(std::min(n + 1, rest.size()));
        }
        return reinterpret_cast<HTREEITEM>(dlg.Session().Find(path));
    }
    static HTREEITEM Select(CDlgCity& dlg, const wchar_t* pszPath)
    {
        const HTREEITEM hItem = Find(dlg, pszPath);
        EXPECT_NE(nullptr, hItem) << CStringA(pszPath).str();
        TreeView_SelectItem(::GetDlgItem(dlg.GetSafeHwnd(), IDC_CITY_TREE), hItem);
        return hItem;
    }
    // The middle of the item's text, in the tree's client coordinates; an open tree can be taller
    // than the control.
    static POINT Centre(HWND hTree, HTREEITEM hItem)
    {
        TreeView_EnsureVisible(hTree, hItem);
        RECT rc = {};
        TreeView_GetItemRect(hTree, hItem, &rc, TRUE);
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    // The tree from hItem down as "name(child,child)"; a place marked "!" when its record has another name and,
    // with bFlags, with its altitude flag (":1"/":0") and "u" once the user wrote it; with bOpen "+" marks an open folder.
    static CString Shape(CDlgCity& dlg, HTREEITEM hItem, bool bOpen, bool bFlags = false)
    {
        CString s = dlg.m_tree.GetItemText(hItem), strChildren;
        const auto nData = static_cast<std::intptr_t>(dlg.m_tree.GetItemData(hItem));
        const CCityList* p = nData < 0 ? nullptr : &dlg.Session().m_data.CityAt(static_cast<int>(nData));
        s += CString(p && !p->m_strName.IsEmpty() && p->m_strName != s ? L"!" : L"") + (p && bFlags ? CString(p->m_nAltFlag ? L":1" : L":0") + (p->m_nUser ? L"u" : L"") : CString())
            + (bOpen && (TreeView_GetItemState(::GetDlgItem(dlg.GetSafeHwnd(), IDC_CITY_TREE), hItem, TVIS_EXPANDED) & TVIS_EXPANDED) ? L"+" : L"");
        for (HTREEITEM h = dlg.m_tree.GetChildItem(hItem); h; h = dlg.m_tree.GetNextSiblingItem(h))
            strChildren += (strChildren.IsEmpty() ? L"" : L",") + Shape(dlg, h, bOpen, bFlags);
        return strChildren.IsEmpty() ? s : s + L"(" + strChildren + L")";
    }
};
