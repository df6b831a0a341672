#include <citydb/CLocationLog.h>

#include <citydb/CSafeFile.h>

#include <afx/AnsiCodePage.h>
#include <afx/CException.h>
#include <afx/CStringA.h>

#include <algorithm>
#include <stdexcept>
#include <type_traits>
#include <unordered_set>
#include <vector>

namespace {

// The claims of items keep pointers to records; picojson holds an object on the heap and its
// moves only pass that pointer on, so a record stays where it is while its array changes.
static_assert(std::is_nothrow_move_constructible_v<picojson::value>, "records would be copied when arrays grow");

const wchar_t* const kRootName = L"場所";

// picojson's own parse context limits only arrays; this one limits objects as well, so that
// no file can nest deep enough to exhaust the stack.
class BoundedParseContext {
public:
    BoundedParseContext(picojson::value* pOut, int nArrays, int nObjects)
        : m_pOut(pOut), m_nArrays(nArrays), m_nObjects(nObjects)
    {
    }
    BoundedParseContext(const BoundedParseContext&) = delete;
    BoundedParseContext& operator=(const BoundedParseContext&) = delete;

    bool set_null()
    {
        *m_pOut = picojson::value();
        return true;
    }
    bool set_bool(bool b)
    {
        *m_pOut = picojson::value(b);
        return true;
    }
#ifdef PICOJSON_USE_INT64
    bool set_int64(int64_t i)
    {
        *m_pOut = picojson::value(i);
        return true;
    }
#endif
    bool set_number(double f)
    {
        *m_pOut = picojson::value(f);
        return true;
    }
    template <typename Iter> bool parse_string(picojson::input<Iter>& in)
    {
        *m_pOut = picojson::value(picojson::string_type, false);
        return picojson::_parse_string(m_pOut->get<std::string>(), in);
    }
    bool parse_array_start()
    {
        if (m_nArrays <= 0)
            return false;
        --m_nArrays;
        *m_pOut = picojson::value(picojson::array_type, false);
        return true;
    }
    template <typename Iter> bool parse_array_item(picojson::input<Iter>& in, size_t)
    {
        picojson::array& a = m_pOut->get<picojson::array>();
        a.push_back(picojson::value());
        BoundedParseContext ctx(&a.back(), m_nArrays, m_nObjects);
        return picojson::_parse(ctx, in);
    }
    bool parse_array_stop(size_t)
    {
        ++m_nArrays;
        return true;
    }
    bool parse_object_start()
    {
        if (m_nObjects <= 0)
            return false;
        --m_nObjects;
        *m_pOut = picojson::value(picojson::object_type, false);
        return true;
    }
    template <typename Iter> bool parse_object_item(picojson::input<Iter>& in, const std::string& key)
    {
        picojson::object& o = m_pOut->get<picojson::object>();
        BoundedParseContext ctx(&o[key], m_nArrays, m_nObjects);
        return picojson::_parse(ctx, in);
    }
    bool parse_object_stop()
    {
        ++m_nObjects;
        return true;
    }

private:
    picojson::value* m_pOut;
    int m_nArrays;
    int m_nObjects;
};

std::string Narrow(const CString& str)
{
    return CStringA(str).str();
}

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

// The keys of one record, read in one pass over it. Holds null for a key that is missing or
// not of its type ("next" must be an array).
struct RecordView {
    const std::string* pAction = nullptr;
    const std::string* pName = nullptr;
    const std::string* pLatest = nullptr;
    const std::string* pType = nullptr;
    const std::string* pOffset = nullptr;
    const std::string* pData = nullptr;
    picojson::array* pNext = nullptr;

    // True when the record applies: the replay can carry it out, its action being one of the
    // four and the keys that action reads holding strings ("type" "node" or "leaf", "data"
    // for a place). Records that do not apply never stand for an item, so nothing is
    // recorded into them.
    bool Read(picojson::value& v)
    {
        if (!v.is<picojson::object>())
            return false;
        for (auto& [key, value] : v.get<picojson::object>()) {
            // The seven keys differ in their first letter; one comparison then confirms.
            if (key.empty())
                continue;
            const std::string** ppText = nullptr;
            switch (key[0]) {
            case 'a': ppText = key == "action" ? &pAction : nullptr; break;
            case 'o': ppText = key == "original_name" ? &pName : nullptr; break;
            case 'l': ppText = key == "latest_name" ? &pLatest : nullptr; break;
            case 't': ppText = key == "type" ? &pType : nullptr; break;
            case 'v': ppText = key == "vertical_offset" ? &pOffset : nullptr; break;
            case 'd': ppText = key == "data" ? &pData : nullptr; break;
            case 'n':
                if (key == "next" && value.is<picojson::array>())
                    pNext = &value.get<picojson::array>();
                break;
            default: break;
            }
            if (ppText && value.is<std::string>())
                *ppText = &value.get<std::string>();
        }
        if (!pAction || !pName)
            return false;
        if (*pAction == "path" || *pAction == "delete")
            return true;
        if (*pAction != "add" && *pAction != "update")
            return false;
        if (!pType || (*pType != "node" && *pType != "leaf"))
            return false;
        if (*pType == "leaf" && !pData)
            return false;
        return *pAction == "add" ? pOffset != nullptr : pLatest != nullptr;
    }
    bool IsFolder() const { return *pType == "node"; }
};

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

}  // namespace

CLocationLog::CLocationLog(CCityData& data)
    : m_data(data)
{
}

bool CLocationLog::ParseLogText(const std::string& text, picojson::value& out)
{
    out = picojson::value();
    std::string err;
    std::string::const_iterator itEnd;
    try {
        BoundedParseContext ctx(&out, MaxJsonDepth, MaxJsonDepth);
        itEnd = picojson::_parse(ctx, text.begin(), text.end(), &err);
    } catch (const std::overflow_error&) {
        // A number beyond the range of a double; what was read before it stays in out.
        return false;
    }
    if (!err.empty())
        return false;
    for (; itEnd != text.end(); ++itEnd) {
        if (!IsBlank(*itEnd))
            return false;
    }
    return true;
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

void CLocationLog::LoadLocationTreeContext()
{
    m_bLogUnreadable = false;
    m_strReadPath = m_data.m_strUserJsonFile;
    m_bLogDamaged = false;
    m_bBackupWritten = false;
    m_strBackupPath.Empty();
    m_damagedBytes.clear();
    m_wideCache.clear();
    ClearClaims();

    std::string bytes;
    bool bRead = CSafeFile::Read(m_data.m_strUserJsonFile, bytes);
    if (!bRead && CSafeFile::Exists(m_data.m_strUserJsonFile))
        m_bLogUnreadable = true;
    // The text ends at the first NUL. The system never writes one, so bytes after it (or a
    // file of zeros left by a failed disk write) are kept in the backup too.
    std::string::size_type nNul = bytes.find('\0');
    std::string text = nNul == std::string::npos ? bytes : bytes.substr(0, nNul);
    if (nNul != std::string::npos) {
        m_bLogDamaged = true;
        m_damagedBytes = bytes;
    }
    if (!text.empty() && !ParseLogText(text, m_locationTreeContext)) {
        m_bLogDamaged = true;
        m_damagedBytes = bytes;
    }
    if (text.empty() || !m_locationTreeContext.is<picojson::array>()) {
        if (!text.empty()) {
            // Nothing of it can be replayed; its bytes are kept for the backup.
            m_bLogDamaged = true;
            m_damagedBytes = bytes;
        }
        // The fresh log's root record is replayed too, so that it stands for the root folder.
        ResetContext();
        TopArray().push_back(picojson::value(GenerateNewJsonObject(kRootName, L"path", L"node", L"", L"")));
    }
    AnalyzeNodeContext(m_locationTreeContext.get<picojson::array>(), CITY_TVI_ROOT);
}

void CLocationLog::AnalyzeNodeContext(picojson::array& aRecord, HCITYITEM hParent)
{
    ReplayArray(aRecord, hParent, 0);
}

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
        RecordView rec;
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
        RecordView rec;
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
        RecordView rec;
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
