#include "city/CDlgCity.h"

#include "city/CAddCty.h"
#include "city/CCityTreeAdapter.h"
#include "city/CEdtCty.h"
#include "city/CEdtFld.h"
#include "res/resource_city.h"
#include "res/resource_strings.h"

#include <citydb/CoordFields.h>

#include <citydb/CCitySession.h>

void CDlgCity::OnEndlabeleditSetObsTreeCity(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_pSession->m_editor.m_bEditable)
        return;
    const TVITEMW& item = reinterpret_cast<NMTVDISPINFOW*>(pNMHDR)->item;
    if (item.pszText != nullptr && item.hItem != nullptr) {
        // Through the editor, so that the new name is also in the log and survives the next
        // load; a bare text change would be undone by the replay.
        const CString strName(item.pszText);
        CString strRefusal;
        const bool bDone = m_pSession->m_editor.RenameItem(CCityTreeAdapter::Item(item.hItem), strName, strRefusal);
        if (!bDone && !strRefusal.IsEmpty())
            AfxMessageBox(strRefusal, MB_OK | MB_ICONINFORMATION);
    }
    m_pSession->m_editor.m_bModified = 1;
}

bool CDlgCity::RunPlaceEditor(CString& strName, int& nType, CCoordFields& fields)
{
    CEdtCty edit;
    edit.SetCorMapPtr(m_pCorMap);
    edit.m_strName = strName;
    edit.SetFields(Fields());
    edit.m_nType = nType;
    if (edit.DoModal() != IDOK)
        return false;
    strName = edit.m_strName;
    nType = edit.m_nType;
    fields = edit.Fields();
    return true;
}

void CDlgCity::OnCityAdd()
{
    CAddCty add;
    add.m_nAddType = 0;
    if (add.DoModal() != IDOK)
        return;
    CCityEditor& editor = m_pSession->m_editor;
    CString strRefusal;
    if (add.m_nAddType == 0) {
        CString strName;
        strName.LoadString(IDS_NEW_CITY);
        int nType = 0;
        CCoordFields fields;
        if (!RunPlaceEditor(strName, nType, fields))
            return;
        // Selecting the new place shows it in the fields.
        if (editor.AddPlace(CCityTreeAdapter::Item(m_hSelItem), strName, PlaceOfFields(fields, nType), strRefusal)) {
            SetFields(fields);
            WriteFields();
        }
    } else {
        CEdtFld folder;
        if (folder.DoModal() != IDOK)
            return;
        editor.AddFolder(CCityTreeAdapter::Item(m_hSelItem), folder.m_strName, strRefusal);
    }
    ReportRefusal(strRefusal);
}

void CDlgCity::ReportRefusal(const CString& strRefusal)
{
    if (strRefusal.IsEmpty())
        return;
    AfxMessageBox(strRefusal, MB_OK | MB_ICONINFORMATION);
    // Nothing changed: the members and the fields show the selected item again, so that what
    // is stored as the default or compared by the next edit is what the user sees.
    ShowSelection();
}

void CDlgCity::OnCityEdit()
{
    if (m_hSelItem == nullptr)
        return;
    const HCITYITEM hItem = CCityTreeAdapter::Item(m_hSelItem);
    CString strName = m_tree.GetItemText(m_hSelItem);
    CString strRefusal;
    if (m_bSelCity) {
        const CCityList& record = m_pSession->m_data.CityAt(static_cast<int>(m_tree.GetItemData(m_hSelItem)));
        int nType = record.m_nType;
        const CCoordFields before = Fields();
        CCoordFields fields;
        if (!RunPlaceEditor(strName, nType, fields))
            return;
        CCityList after = PlaceOfFields(fields, nType);
        after.m_nAltFlag = CCityEditor::EditedAltFlag(before, fields);
        if (m_pSession->m_editor.EditPlace(hItem, strName, after, strRefusal)) {
            SetFields(fields);
            WriteFields();
        }
    } else {
        CEdtFld folder;
        folder.m_strName = strName;
        if (folder.DoModal() != IDOK)
            return;
        m_pSession->m_editor.EditFolder(hItem, folder.m_strName, strRefusal);
    }
    ReportRefusal(strRefusal);
}

void CDlgCity::OnCityDel()
{
    if (m_hSelItem == nullptr)
        return;
    CString strPrompt;
    AfxFormatString1(strPrompt, m_bSelFolder ? IDS_DELETE_FOLDER : IDS_DELETE_ITEM, m_tree.GetItemText(m_hSelItem));
    if (AfxMessageBox(strPrompt, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    if (!m_pSession->m_editor.DeleteItem(CCityTreeAdapter::Item(m_hSelItem)))
        return;
    ShowSelection();
}
