#include <citydb/CCityEditor.h>

#include <citydb/CityName.h>
#include <citydb/CoordFields.h>

#include <afx/CException.h>

namespace {

CString DuplicateFolderMessage(const CString& strName)
{
    CString str;
    str.Format(L"フォルダ[%s]はすでに存在しています。\n別の名称を指定してください。", strName.GetString());
    return str;
}

}  // namespace

CCityEditor::CCityEditor(CCityData& data, CLocationLog& log)
    : m_data(data), m_log(log)
{
}

CString CCityEditor::DuplicatePlaceMessage(const CString& strName)
{
    CString str;
    str.Format(L"都市名[%s]はすでに存在しています。\n別の名称を指定してください。", strName.GetString());
    return str;
}

CString CCityEditor::CheckFolderName(CString& strName)
{
    strName.Trim();
    if (strName.IsEmpty())
        return L"フォルダ名を入力してください。\n";
    return CityNameRefusal(strName, L"フォルダ名");
}

int CCityEditor::EditedAltFlag(const CCoordFields& before, const CCoordFields& after)
{
    if (before.dAlt != after.dAlt)
        return 0;
    return before.nEastWest != after.nEastWest || before.nLngDeg != after.nLngDeg || before.nLngMin != after.nLngMin
        || before.dLngSec != after.dLngSec || before.nNorthSouth != after.nNorthSouth || before.nLatDeg != after.nLatDeg
        || before.nLatMin != after.nLatMin || before.dLatSec != after.dLatSec ? 1 : 0;
}

bool CCityEditor::IsFolder(HCITYITEM hItem) const
{
    return Tree().GetItemData(hItem) == CITY_FOLDER_DATA;
}

void CCityEditor::GetInsertPosition(HCITYITEM hSel, HCITYITEM& hParent, HCITYITEM& hInsertAfter) const
{
    if (!hSel)
        hSel = Tree().GetRootItem();
    if (IsFolder(hSel)) {
        hParent = hSel;
        hInsertAfter = CITY_TVI_FIRST;
    } else {
        hParent = Tree().GetParentItem(hSel);
        hInsertAfter = hSel;
    }
}

BOOL CCityEditor::IsDuplicateItemName(HCITYITEM hParent, const CString& strName,
                                      const CString& strCurrent) const
{
    if (!hParent)
        return TRUE;
    for (HCITYITEM h = Tree().GetChildItem(hParent); h; h = Tree().GetNextSiblingItem(h)) {
        CString strText = Tree().GetItemText(h);
        if (strText.Compare(strName) == 0 && strText.Compare(strCurrent) != 0)
            return TRUE;
    }
    return FALSE;
}

void CCityEditor::ResetCityList()
{
    m_data.ResetLists();
    m_data.LoadCityList();
    m_log.ResetContext();
    m_bModified = 1;
    m_bEditable = 1;
}

void CCityEditor::WritePlace(HCITYITEM hItem, const CCityList& place, int nAltFlag)
{
    std::intptr_t nData = Tree().GetItemData(hItem);
    if (nData < 0 || nData > INT32_MAX)
        AfxThrowInvalidArgException();
    CCityList& city = m_data.CityAt(static_cast<int>(nData));
    city.m_dLon = place.m_dLon;
    city.m_dLat = place.m_dLat;
    city.m_dAlt = place.m_dAlt;
    city.m_dTz = place.m_dTz;
    city.m_nAltFlag = nAltFlag;
    city.m_nUser = 1;
    city.m_nType = place.m_nType;
}

HCITYITEM CCityEditor::InsertNewItem(HCITYITEM hSel, const CString& strName, bool bPlace, CString& strRefusal)
{
    strRefusal.Empty();
    HCITYITEM hParent = nullptr;
    HCITYITEM hAfter = nullptr;
    GetInsertPosition(hSel, hParent, hAfter);
    if (IsDuplicateItemName(hParent, strName, CString())) {
        strRefusal = bPlace ? DuplicatePlaceMessage(strName) : DuplicateFolderMessage(strName);
        return nullptr;
    }
    if (bPlace)
        return Tree().InsertItem(strName, CITY_IMG_PLACE, CITY_IMG_PLACE_SELECTED, m_data.m_nCityNum, hParent, hAfter);
    return Tree().InsertItem(strName, CITY_IMG_FOLDER, CITY_IMG_FOLDER_OPEN, CITY_FOLDER_DATA, hParent, hAfter);
}

HCITYITEM CCityEditor::Added(HCITYITEM hItem)
{
    Tree().SelectItem(hItem);
    m_bModified = 1;
    m_log.AddNodeContext(hItem);
    return hItem;
}

HCITYITEM CCityEditor::AddPlace(HCITYITEM hSel, const CString& strName, const CCityList& place,
                                CString& strRefusal)
{
    HCITYITEM hItem = InsertNewItem(hSel, strName, true, strRefusal);
    if (!hItem)
        return nullptr;
    // The record is appended only once the item is in, so tree and records stay consistent;
    // the list grows instead of overflowing. It is written before the selection shows it.
    m_data.AppendCity(CCityList());
    WritePlace(hItem, place, 0);
    return Added(hItem);
}

HCITYITEM CCityEditor::AddFolder(HCITYITEM hSel, const CString& strName, CString& strRefusal)
{
    HCITYITEM hItem = InsertNewItem(hSel, strName, false, strRefusal);
    return hItem ? Added(hItem) : nullptr;
}

bool CCityEditor::SetNewName(HCITYITEM hItem, const CString& strName, bool bPlace, CString& strOld,
                             CString& strRefusal)
{
    strRefusal.Empty();
    if (!hItem)
        return false;
    strOld = Tree().GetItemText(hItem);
    if (strName.Compare(strOld) != 0 && IsDuplicateItemName(Tree().GetParentItem(hItem), strName, strOld)) {
        strRefusal = bPlace ? DuplicatePlaceMessage(strName) : DuplicateFolderMessage(strName);
        return false;
    }
    Tree().SetItemText(hItem, strName);
    m_bModified = 1;
    return true;
}

bool CCityEditor::EditPlace(HCITYITEM hItem, const CString& strName, const CCityList& place,
                            CString& strRefusal)
{
    CString strOld;
    if (!SetNewName(hItem, strName, true, strOld, strRefusal))
        return false;
    WritePlace(hItem, place, place.m_nAltFlag);
    m_log.UpdateNodeContext(hItem, strOld, strName, 1);
    return true;
}

bool CCityEditor::RenameItem(HCITYITEM hItem, const CString& strName, CString& strRefusal)
{
    // No editor has checked a label's text: the list must be able to hold it, as the editors'.
    strRefusal = CityNameRefusal(strName, IsFolder(hItem) ? L"フォルダ名" : L"都市名");
    if (!strRefusal.IsEmpty())
        return false;
    if (IsFolder(hItem))
        return EditFolder(hItem, strName, strRefusal);
    return EditPlace(hItem, strName, m_data.CityAt(static_cast<int>(Tree().GetItemData(hItem))), strRefusal);
}

bool CCityEditor::EditFolder(HCITYITEM hItem, const CString& strName, CString& strRefusal)
{
    CString strOld;
    if (!SetNewName(hItem, strName, false, strOld, strRefusal))
        return false;
    m_log.UpdateNodeContext(hItem, strOld, strName, 0);
    return true;
}

bool CCityEditor::DeleteItem(HCITYITEM hItem)
{
    // The root folder holds the whole list; the dialog offers no way to delete it.
    if (!hItem || !Tree().GetParentItem(hItem))
        return false;
    m_log.DeleteNodeContext(hItem);
    Tree().DeleteItem(hItem);
    m_bModified = 1;
    return true;
}

bool CCityEditor::DropItem(HCITYITEM hItem, HCITYITEM hTarget, const MoveModeQuery& askMode,
                           CString& strRefusal)
{
    strRefusal.Empty();
    if (!hItem || !hTarget || hTarget == hItem)
        return false;
    HCITYITEM hTargetParent = Tree().GetParentItem(hTarget);
    if (!hTargetParent)
        return false;
    for (HCITYITEM h = hTargetParent; h; h = Tree().GetParentItem(h)) {
        if (h == hItem)
            return false;
    }

    HCITYITEM hNewParent = nullptr;
    HCITYITEM hAfter = nullptr;
    bool bItemFolder = IsFolder(hItem);
    if (!IsFolder(hTarget)) {
        hNewParent = hTargetParent;
        hAfter = hTarget;
    } else if (!bItemFolder) {
        hNewParent = hTarget;
        hAfter = CITY_TVI_FIRST;
    } else {
        int nMode = askMode ? askMode(Tree().GetItemText(hTarget)) : -1;
        if (nMode == 0) {
            hNewParent = hTargetParent;
            hAfter = hTarget;
        } else if (nMode == 1) {
            hNewParent = hTarget;
            hAfter = CITY_TVI_FIRST;
        } else {
            return false;
        }
    }

    // Sibling names identify items in the change log, so a folder may not receive a second
    // child of the same name; within its own folder the item only changes place.
    CString strName = Tree().GetItemText(hItem);
    if (hNewParent != Tree().GetParentItem(hItem)
        && IsDuplicateItemName(hNewParent, strName, CString())) {
        strRefusal = bItemFolder ? DuplicateFolderMessage(strName) : DuplicatePlaceMessage(strName);
        return false;
    }

    // The copy comes first: a tree that refuses an insert leaves the item where it was and the
    // log without a record of a move. The original still stands at its old place, so the
    // records come out as if they were made before the copy.
    HCITYITEM hCopy = CopyTree(hItem, hNewParent, hAfter);
    if (!hCopy)
        return false;
    m_log.DropNodeContext(hItem, hNewParent, hAfter, hCopy);
    DeleteTree(hItem);
    return true;
}

bool CCityEditor::EndOfDrag(BOOL bDrop, HCITYITEM hItem, HCITYITEM hTarget,
                            const MoveModeQuery& askMode, CString& strRefusal)
{
    strRefusal.Empty();
    bool bMoved = bDrop && DropItem(hItem, hTarget, askMode, strRefusal);
    m_bModified = 1;
    return bMoved;
}

HCITYITEM CCityEditor::CopyTree(HCITYITEM hSource, HCITYITEM hParent, HCITYITEM hInsertAfter)
{
    ICityTree& tree = Tree();
    int nImage = 0;
    int nSelectedImage = 0;
    tree.GetItemImage(hSource, nImage, nSelectedImage);
    // Every state bit but the selection: a real tree view draws an item inserted with
    // TVIS_SELECTED highlighted beside the actual selection, and the copy is not selected.
    const unsigned nState = tree.GetItemState(hSource, ~0u) & ~CITY_TVIS_SELECTED;
    const HCITYITEM hNew = tree.InsertItem(tree.GetItemText(hSource), nImage, nSelectedImage,
                                           tree.GetItemData(hSource), hParent, hInsertAfter);
    if (!hNew)
        return nullptr;
    tree.SetItemState(hNew, nState, ~0u);
    for (HCITYITEM hChild = tree.GetChildItem(hSource); hChild; hChild = tree.GetNextSiblingItem(hChild)) {
        // A refused insert anywhere below takes the whole partial copy away.
        if (!CopyTree(hChild, hNew, CITY_TVI_LAST)) {
            DeleteTree(hNew);
            return nullptr;
        }
    }
    return hNew;
}

void CCityEditor::DeleteTree(HCITYITEM hItem)
{
    ICityTree& tree = Tree();
    HCITYITEM hChild = tree.GetChildItem(hItem);
    while (hChild) {
        HCITYITEM hNext = tree.GetNextSiblingItem(hChild);
        DeleteTree(hChild);
        hChild = hNext;
    }
    tree.DeleteItem(hItem);
}
