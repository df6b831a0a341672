#include <citydb/CLocationLog.h>

#include <afx/AnsiCodePage.h>
#include <afx/CStringA.h>

#include <type_traits>
#include <vector>

// The claims of items keep pointers to records; picojson holds an object on the heap and its
// moves only pass that pointer on, so a record stays where it is while its array changes.
static_assert(std::is_nothrow_move_constructible_v<picojson::value>, "records would be copied when arrays grow");

CLocationLog::CLocationLog(CCityData& data)
    : m_data(data)
{
}

std::string CLocationLog::Narrow(const CString& str)
{
    return CStringA(str).str();
}

picojson::object CLocationLog::GenerateNewJsonObject(const CString& strName, const CString& strAction,
                                                     const CString& strType, const CString& strOffset,
                                                     const CString& strData)
{
    picojson::object rec;
    rec["original_name"] = picojson::value(Narrow(strName));
    rec["action"] = picojson::value(Narrow(strAction));
    rec["type"] = picojson::value(Narrow(strType));
    rec["vertical_offset"] = picojson::value(Narrow(strOffset));
    rec["data"] = picojson::value(Narrow(strData));
    rec["latest_name"] = picojson::value(std::string());
    rec["next"] = picojson::value(picojson::array());
    return rec;
}

const CString& CLocationLog::WideName(const std::string& name)
{
    unsigned nCodePage = AfxGetAnsiCodePage();
    if (nCodePage != m_nCacheCodePage) {
        m_wideCache.clear();
        m_nCacheCodePage = nCodePage;
    }
    auto it = m_wideCache.find(name);
    if (it == m_wideCache.end()) {
        // As the dialog widens a record's text: a C string, so it ends at a NUL.
        it = m_wideCache.emplace(name, CString(name.c_str())).first;
    }
    return it->second;
}

picojson::array& CLocationLog::TopArray()
{
    if (!m_locationTreeContext.is<picojson::array>()) {
        ClearClaims();
        m_locationTreeContext = picojson::value(picojson::array());
    }
    return m_locationTreeContext.get<picojson::array>();
}

void CLocationLog::ResetContext()
{
    ClearClaims();
    m_locationTreeContext = picojson::value(picojson::array());
}

void CLocationLog::Claim(HCITYITEM hItem, picojson::object* pRec)
{
    if (m_itemRecord.empty())
        m_pClaimedTop = &TopArray();
    auto it = m_itemRecord.find(hItem);
    if (it != m_itemRecord.end())
        m_recordItem.erase(it->second);
    auto itRec = m_recordItem.find(pRec);
    if (itRec != m_recordItem.end())
        m_itemRecord.erase(itRec->second);
    m_itemRecord[hItem] = pRec;
    m_recordItem[pRec] = hItem;
}

void CLocationLog::ForgetClaims(HCITYITEM hItem)
{
    // Deleted handles may come back for new items.
    if (m_itemRecord.empty() || !hItem || !m_data.m_pTree)
        return;
    ICityTree& tree = *m_data.m_pTree;
    std::vector<HCITYITEM> aStack{hItem};
    while (!aStack.empty()) {
        HCITYITEM h = aStack.back();
        aStack.pop_back();
        auto it = m_itemRecord.find(h);
        if (it != m_itemRecord.end()) {
            m_recordItem.erase(it->second);
            m_itemRecord.erase(it);
        }
        for (HCITYITEM c = tree.GetChildItem(h); c; c = tree.GetNextSiblingItem(c))
            aStack.push_back(c);
    }
}

void CLocationLog::ClearClaims()
{
    m_itemRecord.clear();
    m_recordItem.clear();
    m_pClaimedTop = nullptr;
}

void CLocationLog::ClaimSubtree(HCITYITEM hItem, picojson::object* pRec)
{
    Claim(hItem, pRec);
    picojson::value& next = (*pRec)["next"];
    if (!next.is<picojson::array>())
        return;
    picojson::array& aNext = next.get<picojson::array>();
    size_t i = 0;
    for (HCITYITEM h = m_data.m_pTree->GetChildItem(hItem); h && i < aNext.size(); h = m_data.m_pTree->GetNextSiblingItem(h), ++i)
        ClaimSubtree(h, &aNext[i].get<picojson::object>());
}
