#include <citydb/CLocationLog.h>

#include <citydb/CLogRecordView.h>

#include <afx/CException.h>

#include <cstdint>
#include <vector>

namespace {

// The value of a string key, or null when the key is missing or holds another type.
const std::string* StringOf(const picojson::object& rec, const char* pszKey)
{
    auto it = rec.find(pszKey);
    if (it == rec.end() || !it->second.is<std::string>())
        return nullptr;
    return &it->second.get<std::string>();
}

bool ActionIs(const picojson::object& rec, const char* pszAction)
{
    const std::string* pAction = StringOf(rec, "action");
    return pAction && *pAction == pszAction;
}

}  // namespace

picojson::object* CLocationLog::AppendPath(picojson::array& aRecord, HCITYITEM hItem, const CString& strName)
{
    aRecord.push_back(picojson::value(GenerateNewJsonObject(strName, L"path", L"node", L"", L"")));
    picojson::object* pRec = &aRecord.back().get<picojson::object>();
    Claim(hItem, pRec);
    return pRec;
}

picojson::object* CLocationLog::GetCurrentNodeObject(picojson::array& aRecord, HCITYITEM hItem,
                                                     const CString& strName)
{
    auto itClaim = m_itemRecord.find(hItem);
    if (itClaim != m_itemRecord.end())
        return itClaim->second;

    // An item without a record is either one the system list gave, untouched so far, or the
    // copy of a moved subtree, whose "add" record waits in the array. A move never puts a copy
    // beside a same-named item without a record (DropNodeContext sees to that), so the copies
    // above this item of its name have the first of the waiting records.
    ICityTree& tree = *m_data.m_pTree;
    std::vector<HCITYITEM> aAbove;
    for (HCITYITEM h = tree.GetChildItem(tree.GetParentItem(hItem)); h && h != hItem; h = tree.GetNextSiblingItem(h)) {
        if (h != m_hLeaving && h != m_hArriving && !m_itemRecord.count(h) && tree.GetItemText(h).Compare(strName) == 0)
            aAbove.push_back(h);
    }
    size_t nWaiting = 0;
    for (picojson::value& v : aRecord) {
        CLogRecordView rec;
        if (!rec.Read(v) || *rec.pAction != "add" || m_recordItem.count(&v.get<picojson::object>()))
            continue;
        if (WideName(*rec.pName).Compare(strName) == 0 && nWaiting++ == aAbove.size()) {
            Claim(hItem, &v.get<picojson::object>());
            return &v.get<picojson::object>();
        }
    }

    // An untouched item: each record of its name takes the next such item of the system list,
    // so the untouched ones above it get theirs first.
    for (HCITYITEM h : aAbove)
        AppendPath(aRecord, h, tree.GetItemText(h));
    return AppendPath(aRecord, hItem, strName);
}

picojson::array& CLocationLog::ChildRecords(HCITYITEM hParent)
{
    ICityTree& tree = *m_data.m_pTree;
    if (!m_itemRecord.empty() && m_pClaimedTop != &TopArray())
        ClearClaims();
    // The ancestors from the top-level item down; walked without recursion so that no depth of
    // tree can exhaust the stack.
    std::vector<HCITYITEM> aChain;
    for (HCITYITEM h = hParent; h; h = tree.GetParentItem(h))
        aChain.push_back(h);

    picojson::array* pArray = &TopArray();
    for (auto it = aChain.rbegin(); it != aChain.rend(); ++it) {
        picojson::object* pRec = GetCurrentNodeObject(*pArray, *it, tree.GetItemText(*it));
        picojson::value& next = (*pRec)["next"];
        // A record found here stands for an item, so its "next" must hold its children's
        // records; a hand-edited file may have something else there.
        if (!next.is<picojson::array>())
            next = picojson::value(picojson::array());
        pArray = &next.get<picojson::array>();
    }
    return *pArray;
}

picojson::object* CLocationLog::TrackJsonCursor(HCITYITEM hItem, const CString& strName,
                                                picojson::array** ppOwner)
{
    picojson::array& aOwner = ChildRecords(m_data.m_pTree->GetParentItem(hItem));
    if (ppOwner)
        *ppOwner = &aOwner;
    return GetCurrentNodeObject(aOwner, hItem, strName);
}

picojson::object CLocationLog::GetNewNodeItem(HCITYITEM hItem, const CString& strName)
{
    if (!hItem || !m_data.m_pTree)
        return picojson::object();
    ICityTree& tree = *m_data.m_pTree;
    std::intptr_t nData = tree.GetItemData(hItem);
    CString strType = L"node";
    CString strData;
    if (nData != CITY_FOLDER_DATA) {
        strType = L"leaf";
        if (nData < 0 || nData > INT32_MAX)
            AfxThrowInvalidArgException();
        strData = m_data.GetLocationData(static_cast<int>(nData));
    }
    HCITYITEM hPrev = tree.GetPrevSiblingItem(hItem);
    CString strOffset = hPrev ? tree.GetItemText(hPrev) : CString();
    return GenerateNewJsonObject(strName, L"add", strType, strOffset, strData);
}

picojson::object CLocationLog::GenerateWholeNodeObjects(HCITYITEM hItem)
{
    if (!hItem || !m_data.m_pTree)
        return picojson::object();
    ICityTree& tree = *m_data.m_pTree;
    picojson::array aChild;
    for (HCITYITEM hChild = tree.GetChildItem(hItem); hChild; hChild = tree.GetNextSiblingItem(hChild))
        aChild.push_back(picojson::value(GenerateWholeNodeObjects(hChild)));
    picojson::object rec = GetNewNodeItem(hItem, tree.GetItemText(hItem));
    rec["next"] = picojson::value(std::move(aChild));
    return rec;
}

void CLocationLog::AddNodeContext(HCITYITEM hItem)
{
    if (!hItem || !m_data.m_pTree)
        return;
    CString strName = m_data.m_pTree->GetItemText(hItem);
    picojson::array& aOwner = ChildRecords(m_data.m_pTree->GetParentItem(hItem));
    // A record of this name that stands for no item (left from an item that a replay over a
    // newer system list did not find) becomes the new item's record in its place.
    picojson::object* pRec = nullptr;
    for (picojson::value& v : aOwner) {
        CLogRecordView rec;
        if (!rec.Read(v) || *rec.pAction == "delete" || m_recordItem.count(&v.get<picojson::object>()))
            continue;
        const std::string& name = *rec.pAction == "update" ? *rec.pLatest : *rec.pName;
        if (WideName(name).Compare(strName) == 0) {
            pRec = &v.get<picojson::object>();
            break;
        }
    }
    if (pRec)
        Claim(hItem, pRec);
    else
        pRec = AppendPath(aOwner, hItem, strName);
    *pRec = GetNewNodeItem(hItem, strName);
}

void CLocationLog::UpdateNodeContext(HCITYITEM hItem, const CString& strOldName,
                                     const CString& strNewName, int nLeaf)
{
    if (!hItem || !m_data.m_pTree)
        return;
    picojson::object& rec = *TrackJsonCursor(hItem, strOldName);
    if (ActionIs(rec, "add")) {
        rec["original_name"] = picojson::value(Narrow(strNewName));
    } else {
        rec["action"] = picojson::value(std::string("update"));
        rec["latest_name"] = picojson::value(Narrow(strNewName));
    }
    if (nLeaf) {
        std::intptr_t nData = m_data.m_pTree->GetItemData(hItem);
        if (nData < 0 || nData > INT32_MAX)
            AfxThrowInvalidArgException();
        rec["type"] = picojson::value(std::string("leaf"));
        rec["data"] = picojson::value(Narrow(m_data.GetLocationData(static_cast<int>(nData))));
    } else if (!ActionIs(rec, "add")) {
        // A "path" record always says "node"; only a hand-edited one can say otherwise, and the
        // replay would then skip the rename.
        const std::string* pType = StringOf(rec, "type");
        if (!pType || *pType != "node")
            rec["type"] = picojson::value(std::string("node"));
    }
}

void CLocationLog::DeleteNodeContext(HCITYITEM hItem)
{
    if (!hItem || !m_data.m_pTree)
        return;
    picojson::array* pOwner = nullptr;
    picojson::object* pRec = TrackJsonCursor(hItem, m_data.m_pTree->GetItemText(hItem), &pOwner);
    ForgetClaims(hItem);
    if (ActionIs(*pRec, "add")) {
        // The item exists only through this record: remove it with everything below it.
        for (auto it = pOwner->begin(); it != pOwner->end(); ++it) {
            if (it->is<picojson::object>() && &it->get<picojson::object>() == pRec) {
                pOwner->erase(it);
                break;
            }
        }
        return;
    }
    (*pRec)["action"] = picojson::value(std::string("delete"));
    (*pRec)["next"] = picojson::value(std::string());
}

void CLocationLog::DropNodeContext(HCITYITEM hItem, HCITYITEM hNewParent, HCITYITEM hInsertAfter,
                                  HCITYITEM hCopy)
{
    if (!hItem || !hNewParent || !m_data.m_pTree)
        return;
    ICityTree& tree = *m_data.m_pTree;
    m_hArriving = hCopy;
    DeleteNodeContext(hItem);
    // Recorded as deleted, the item is still in the tree until the move is done.
    m_hLeaving = hItem;
    picojson::object built = GenerateWholeNodeObjects(hItem);
    picojson::array& aDest = ChildRecords(hNewParent);
    built["vertical_offset"] = picojson::value(
        hInsertAfter == CITY_TVI_FIRST ? std::string() : Narrow(tree.GetItemText(hInsertAfter)));
    // The copy will have no record of its own until it is looked up; its same-named new
    // siblings get theirs now, so that it cannot be taken for one of them.
    CString strName = tree.GetItemText(hItem);
    for (HCITYITEM h = tree.GetChildItem(hNewParent); h; h = tree.GetNextSiblingItem(h)) {
        if (h != hItem && h != hCopy && tree.GetItemText(h).Compare(strName) == 0)
            GetCurrentNodeObject(aDest, h, strName);
    }
    aDest.push_back(picojson::value(std::move(built)));
    if (hCopy)
        ClaimSubtree(hCopy, &aDest.back().get<picojson::object>());
    m_hLeaving = nullptr;
    m_hArriving = nullptr;
}
