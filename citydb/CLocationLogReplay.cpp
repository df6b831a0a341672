#include <citydb/CLocationLog.h>

#include <citydb/CLogRecordView.h>

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

// The children of one parent while the records of one array apply to them. The first few
// lookups scan the children; then an index by name takes over, so that each record finds its
// item at once however many children there are.
class ChildIndex {
public:
    ChildIndex(const ICityTree& tree, HCITYITEM hParent) : m_tree(tree), m_hParent(hParent) {}

    // The first child named strName that no earlier record took, now taken; null when none
    // is left. An untaken child keeps its name and place, since only the record that takes it
    // can rename or delete it.
    HCITYITEM Take(const CString& strName)
    {
        if (Scanning()) {
            for (HCITYITEM h = m_tree.GetChildItem(m_hParent); h; h = m_tree.GetNextSiblingItem(h)) {
                if (std::find(m_taken.begin(), m_taken.end(), h) == m_taken.end()
                    && m_tree.GetItemText(h).Compare(strName) == 0) {
                    m_taken.push_back(h);
                    return h;
                }
            }
            return nullptr;
        }
        auto it = m_names.find(strName.wstr());
        if (it == m_names.end() || it->second.nTaken >= it->second.untaken.size())
            return nullptr;
        return it->second.untaken[it->second.nTaken++];
    }

    // The first child whose text is strText now.
    HCITYITEM Find(const CString& strText)
    {
        if (!Scanning()) {
            auto it = m_names.find(strText.wstr());
            if (it == m_names.end() || it->second.current.empty())
                return nullptr;
            if (it->second.current.size() == 1)
                return it->second.current.front();
        }
        // Namesakes are found in tree order.
        for (HCITYITEM h = m_tree.GetChildItem(m_hParent); h; h = m_tree.GetNextSiblingItem(h)) {
            if (m_tree.GetItemText(h).Compare(strText) == 0)
                return h;
        }
        return nullptr;
    }

    // A new item, taken from the start.
    void Added(HCITYITEM hItem, const CString& strText)
    {
        if (m_bBuilt)
            m_names[strText.wstr()].current.push_back(hItem);
        else
            m_taken.push_back(hItem);
    }
    // An item renamed or deleted by the record that took it.
    void Removed(HCITYITEM hItem, const CString& strText)
    {
        if (!m_bBuilt)
            return;
        std::vector<HCITYITEM>& items = m_names[strText.wstr()].current;
        items.erase(std::remove(items.begin(), items.end(), hItem), items.end());
    }

private:
    static constexpr int MaxScans = 4;

    bool Scanning()
    {
        if (m_bBuilt || ++m_nLookups <= MaxScans)
            return !m_bBuilt;
        std::unordered_set<HCITYITEM> taken(m_taken.begin(), m_taken.end());
        for (HCITYITEM h = m_tree.GetChildItem(m_hParent); h; h = m_tree.GetNextSiblingItem(h)) {
            Name& name = m_names[m_tree.GetItemText(h).wstr()];
            if (!taken.count(h))
                name.untaken.push_back(h);
            name.current.push_back(h);
        }
        m_bBuilt = true;
        return false;
    }

    struct Name {
        // The untaken children of this name when the index was built, in tree order; the
        // first nTaken of them are taken since.
        std::vector<HCITYITEM> untaken;
        size_t nTaken = 0;
        // The children of this name now, in no particular order.
        std::vector<HCITYITEM> current;
    };
    const ICityTree& m_tree;
    HCITYITEM m_hParent;
    int m_nLookups = 0;
    bool m_bBuilt = false;
    // While scanning: the children taken so far and those added.
    std::vector<HCITYITEM> m_taken;
    std::unordered_map<std::wstring, Name> m_names;
};

}  // namespace

void CLocationLog::AnalyzeNodeContext(picojson::array& aRecord, HCITYITEM hParent)
{
    ReplayArray(aRecord, hParent, 0);
}

void CLocationLog::ReplayArray(picojson::array& aRecord, HCITYITEM hParent, int nDepth)
{
    if (!hParent || aRecord.empty() || !m_data.m_pTree || nDepth > MaxReplayDepth)
        return;
    ICityTree& tree = *m_data.m_pTree;
    // The top level holds the root folder alone; records that would add or remove a
    // top-level item would leave the city list without its root.
    bool bTop = hParent == CITY_TVI_ROOT;
    ChildIndex children(tree, bTop ? nullptr : hParent);

    for (picojson::value& v : aRecord) {
        CLogRecordView rec;
        if (!rec.Read(v))
            continue;
        picojson::object* pRec = &v.get<picojson::object>();
        const std::string& action = *rec.pAction;
        CString strName = WideName(*rec.pName);

        if (action == "path") {
            HCITYITEM hItem = children.Take(strName);
            if (!hItem)
                continue;
            Claim(hItem, pRec);
            if (rec.pNext)
                ReplayArray(*rec.pNext, hItem, nDepth + 1);
        } else if (action == "add") {
            if (bTop)
                continue;
            int bFolder = rec.IsFolder();
            // Data strings are all different: widened directly, not kept.
            CString strData = bFolder ? CString() : CString(rec.pData->c_str());
            HCITYITEM hAfter = rec.pOffset->empty() ? nullptr : children.Find(WideName(*rec.pOffset));
            HCITYITEM hNew = InsertFromContextData(hParent, strName, hAfter ? hAfter : CITY_TVI_FIRST, strData, bFolder);
            if (hNew) {
                children.Added(hNew, strName);
                Claim(hNew, pRec);
            }
            if (rec.pNext) {
                if (!hNew)
                    return;
                ReplayArray(*rec.pNext, hNew, nDepth + 1);
            }
        } else if (action == "update") {
            HCITYITEM hItem = children.Take(strName);
            if (!hItem)
                continue;
            // The record stays the item's even when it cannot apply, so that a later edit
            // goes into it and makes it apply.
            Claim(hItem, pRec);
            int bFolder = rec.IsFolder();
            // A place's values cannot go into a folder (a newer system list may have made the
            // name a folder's).
            if (!bFolder && tree.GetItemData(hItem) == CITY_FOLDER_DATA)
                continue;
            CString strData = bFolder ? CString() : CString(rec.pData->c_str());
            UpdTreeViewFromContextData(hItem, WideName(*rec.pLatest), strData, bFolder);
            children.Removed(hItem, strName);
            children.Added(hItem, tree.GetItemText(hItem));
            if (rec.pNext)
                ReplayArray(*rec.pNext, hItem, nDepth + 1);
        } else {
            if (bTop)
                continue;
            HCITYITEM hItem = children.Take(strName);
            if (hItem) {
                children.Removed(hItem, strName);
                ForgetClaims(hItem);
                tree.DeleteItem(hItem);
            }
        }
    }
}

HCITYITEM CLocationLog::InsertFromContextData(HCITYITEM hParent, const CString& strName, HCITYITEM hAfter,
                                              const CString& strData, int bFolder)
{
    if (!m_data.m_pTree || !hParent)
        return nullptr;
    HCITYITEM hTreeParent = hParent == CITY_TVI_ROOT ? nullptr : hParent;
    if (bFolder) {
        return m_data.m_pTree->InsertItem(strName, CITY_IMG_FOLDER, CITY_IMG_FOLDER_OPEN,
                                          CITY_FOLDER_DATA, hTreeParent, hAfter);
    }
    // The list grows when full, so a long log never writes outside it.
    int nIndex = m_data.AppendCity(CCityList());
    m_data.SetLocationData(nIndex, strData);
    return m_data.m_pTree->InsertItem(strName, CITY_IMG_PLACE, CITY_IMG_PLACE_SELECTED, nIndex,
                                      hTreeParent, hAfter);
}

void CLocationLog::UpdTreeViewFromContextData(HCITYITEM hItem, const CString& strName,
                                              const CString& strData, int bFolder)
{
    if (!m_data.m_pTree || !hItem)
        return;
    ICityTree& tree = *m_data.m_pTree;
    if (bFolder) {
        tree.SetItemText(hItem, strName);
        return;
    }
    std::intptr_t nIndex = tree.GetItemData(hItem);
    tree.SetItemText(hItem, strName);
    m_data.SetLocationData(static_cast<int>(nIndex), strData);
}
