#include <citydb/CLocationLog.h>

#include <citydb/CMemTree.h>
#include <citydb/CSafeFile.h>

#include <afx/CStringA.h>

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

bool IsAdd(const picojson::object& rec)
{
    auto it = rec.find("action");
    return it != rec.end() && it->second.is<std::string>() && it->second.get<std::string>() == "add";
}

// What a replay must give each child: its name, and a place's values or a folder's mark.
std::string ChildKey(const CCityData& data, HCITYITEM hItem)
{
    const ICityTree& tree = *data.m_pTree;
    std::string key = CStringA(tree.GetItemText(hItem)).str();
    const std::intptr_t nData = tree.GetItemData(hItem);
    if (nData == CITY_FOLDER_DATA)
        return key + "/";
    if (nData < 0 || nData >= data.m_nCityNum)
        return key + ",?";
    return key + "," + CStringA(data.GetLocationData(static_cast<int>(nData))).str();
}

std::vector<HCITYITEM> Children(const ICityTree& tree, HCITYITEM hParent)
{
    std::vector<HCITYITEM> out;
    for (HCITYITEM h = tree.GetChildItem(hParent); h; h = tree.GetNextSiblingItem(h))
        out.push_back(h);
    return out;
}

// A digest of each item's whole subtree: its key and its children's digests in order.
std::uint64_t Digest(const CCityData& data, HCITYITEM hItem, std::unordered_map<HCITYITEM, std::uint64_t>& digests)
{
    std::uint64_t h = 1469598103934665603ULL;
    auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 1099511628211ULL; };
    mix(std::hash<std::string>()(ChildKey(data, hItem)));
    for (HCITYITEM c = data.m_pTree->GetChildItem(hItem); c; c = data.m_pTree->GetNextSiblingItem(c))
        mix(Digest(data, c, digests));
    digests[hItem] = h;
    return h;
}

// The records of two logs of the same shape, paired element by element.
void PairRecords(const picojson::value& a, const picojson::value& b,
                 std::unordered_map<const picojson::object*, const picojson::object*>& pairs)
{
    if (!a.is<picojson::array>() || !b.is<picojson::array>())
        return;
    const picojson::array &aa = a.get<picojson::array>(), &ab = b.get<picojson::array>();
    for (size_t i = 0; i < aa.size() && i < ab.size(); ++i) {
        if (!aa[i].is<picojson::object>() || !ab[i].is<picojson::object>())
            continue;
        const picojson::object &ra = aa[i].get<picojson::object>(), &rb = ab[i].get<picojson::object>();
        pairs[&ra] = &rb;
        const auto itA = ra.find("next"), itB = rb.find("next");
        if (itA != ra.end() && itB != rb.end())
            PairRecords(itA->second, itB->second, pairs);
    }
}

}  // namespace

CString CLocationLog::GetBackupPath() const
{
    CString strBase = m_data.m_strUserJsonFile + BackupSuffix;
    // An older backup with other bytes is kept; the first free name (or one holding these very
    // bytes) takes the copy.
    for (int n = 1; n <= 99; ++n) {
        CString strPath = strBase;
        if (n > 1)
            strPath.AppendFormat(L".%d", n);
        if (!CSafeFile::Exists(strPath))
            return strPath;
        std::string old;
        if (CSafeFile::Read(strPath, old) && old == m_damagedBytes)
            return strPath;
    }
    return strBase;
}

bool CLocationLog::WriteBackup()
{
    if (!m_bLogDamaged || m_bBackupWritten)
        return true;
    m_strBackupPath = GetBackupPath();
    m_bBackupWritten = CSafeFile::Write(m_strBackupPath, m_damagedBytes);
    return m_bBackupWritten;
}

bool CLocationLog::MayReplaceLog(const CString& strPath) const
{
    // The log this session could not read, or any existing log that cannot be read now (the
    // same file under another spelling, or one taken since), holds edits nobody has seen.
    if (m_bLogUnreadable && strPath.Compare(m_strReadPath) == 0)
        return false;
    std::string bytes;
    return !CSafeFile::Exists(strPath) || CSafeFile::Read(strPath, bytes);
}

CLocationLog::SaveResult CLocationLog::SaveCityList()
{
    SaveResult result;
    const CString strList = m_data.m_strUserObsFile;
    const CString strLog = m_data.m_strUserJsonFile;
    if (!m_data.m_pTree) {
        result.strUnwritten = strList;
        return result;
    }
    if (!MayReplaceLog(strLog)) {
        result.strUnwritten = strLog;
        return result;
    }
    if (!WriteBackup()) {
        result.strUnwritten = m_strBackupPath;
        return result;
    }
    if (m_bBackupWritten)
        result.strBackup = m_strBackupPath;
    MakeReplayExact();
    // Built before anything is written: a bad place item throws here.
    const std::string list = m_data.BuildUserObsText(*m_data.m_pTree);
    // The log is the record of the user's work and is written first: a save cut short after it
    // leaves a user list older than the log, which the next start rebuilds from it. The
    // serialized text is ANSI already: written byte for byte, no byte-order mark.
    if (!CSafeFile::Write(strLog, m_locationTreeContext.serialize())) {
        result.strUnwritten = strLog;
        return result;
    }
    result.bLogWritten = true;
    if (!CSafeFile::Write(strList, list)) {
        result.strUnwritten = strList;
        return result;
    }
    result.bListWritten = true;
    return result;
}

std::vector<HCITYITEM> CLocationLog::FoldersReplayedOtherwise()
{
    // The next start: the system list read again, the log as it would be written replayed onto it.
    CMemTree scratchTree;
    CCityData scratch;
    scratch.m_pTree = &scratchTree;
    scratch.m_strObsFile = m_data.m_strObsFile;
    scratch.ResetLists();
    if (!scratch.LoadCityList())
        return {};  // nothing to compare with: the log is written as it is
    CLocationLog replay(scratch);
    ParseLogText(m_locationTreeContext.serialize(), replay.m_locationTreeContext);
    if (replay.m_locationTreeContext.is<picojson::array>())
        replay.AnalyzeNodeContext(replay.m_locationTreeContext.get<picojson::array>(), CITY_TVI_ROOT);

    std::unordered_map<HCITYITEM, std::uint64_t> liveDigest, scratchDigest;
    const ICityTree& live = *m_data.m_pTree;
    if (Digest(m_data, live.GetRootItem(), liveDigest) == Digest(scratch, scratchTree.GetRootItem(), scratchDigest))
        return {};
    // Which replayed item each live one is: the one its record took in the replay (the replayed
    // log is the live one written and read back, record for record); an item without a record
    // is an untouched one of the system list, the next such one in its folder on both sides.
    std::unordered_map<const picojson::object*, const picojson::object*> replayedRecord;
    PairRecords(m_locationTreeContext, replay.m_locationTreeContext, replayedRecord);
    auto replayedItem = [&](HCITYITEM hLive) -> HCITYITEM {
        const auto itRec = m_itemRecord.find(hLive);
        const auto itPair = itRec == m_itemRecord.end() ? replayedRecord.end() : replayedRecord.find(itRec->second);
        const auto itItem = itPair == replayedRecord.end() ? replay.m_recordItem.end() : replay.m_recordItem.find(itPair->second);
        return itItem == replay.m_recordItem.end() ? nullptr : itItem->second;
    };
    // The uppermost folders whose children come out otherwise: other items, names, values or
    // order. Folders whose children are the same items in the same order are looked into
    // where a child's subtree differs.
    std::vector<HCITYITEM> aOtherwise;
    std::vector<std::pair<HCITYITEM, HCITYITEM>> aWork{{live.GetRootItem(), scratchTree.GetRootItem()}};
    while (!aWork.empty()) {
        auto [hLive, hScratch] = aWork.back();
        aWork.pop_back();
        const std::vector<HCITYITEM> aLive = Children(live, hLive), aScratch = Children(scratchTree, hScratch);
        bool bSame = aLive.size() == aScratch.size();
        size_t nUntouched = 0;
        for (size_t i = 0; bSame && i < aLive.size(); ++i) {
            HCITYITEM hReplayed = nullptr;
            if (m_itemRecord.count(aLive[i])) {
                hReplayed = replayedItem(aLive[i]);
            } else {
                while (nUntouched < aScratch.size() && replay.m_itemRecord.count(aScratch[nUntouched]))
                    ++nUntouched;
                hReplayed = nUntouched < aScratch.size() ? aScratch[nUntouched++] : nullptr;
            }
            bSame = hReplayed == aScratch[i] && ChildKey(m_data, aLive[i]) == ChildKey(scratch, aScratch[i]);
        }
        if (!bSame) {
            aOtherwise.push_back(hLive);
            continue;
        }
        for (size_t i = 0; i < aLive.size(); ++i) {
            if (liveDigest[aLive[i]] != scratchDigest[aScratch[i]])
                aWork.emplace_back(aLive[i], aScratch[i]);
        }
    }
    return aOtherwise;
}

void CLocationLog::RecordChildrenAnew(HCITYITEM hFolder, bool bAllAdded)
{
    ICityTree& tree = *m_data.m_pTree;
    picojson::array& aRecord = ChildRecords(hFolder);
    const std::vector<HCITYITEM> aChild = Children(tree, hFolder);
    // Which children stay the system list's items, which are added by this log. A system item
    // can only be found by its name where it is the first of that name, so a namesake behind
    // another becomes an added copy of itself.
    std::vector<picojson::object*> aAdded(aChild.size(), nullptr);
    std::unordered_set<std::wstring> kept;
    for (size_t i = 0; i < aChild.size(); ++i) {
        const CString strName = tree.GetItemText(aChild[i]);
        picojson::object* pRec = GetCurrentNodeObject(aRecord, aChild[i], strName);
        if (IsAdd(*pRec)) {
            aAdded[i] = pRec;
            continue;
        }
        if (!bAllAdded && kept.insert(strName.wstr()).second)
            continue;
        ForgetClaims(aChild[i]);
        (*pRec)["action"] = picojson::value(std::string("delete"));
        (*pRec)["next"] = picojson::value(std::string());
        aRecord.push_back(picojson::value(GenerateWholeNodeObjects(aChild[i])));
        aAdded[i] = &aRecord.back().get<picojson::object>();
        ClaimSubtree(aChild[i], aAdded[i]);
    }
    // The other records first, as they stood: they rename and delete system items and do not
    // move any. Then the added children from the last to the first, each behind the kept
    // item before it (or first): every one is then found where it belongs, whatever the
    // names of the items between.
    std::unordered_map<const picojson::object*, size_t> addedAt;
    for (size_t i = 0; i < aChild.size(); ++i) {
        if (aAdded[i])
            addedAt[aAdded[i]] = i;
    }
    picojson::array aNew;
    std::vector<picojson::value> aAddedValue(aChild.size());
    for (picojson::value& v : aRecord) {
        auto it = v.is<picojson::object>() ? addedAt.find(&v.get<picojson::object>()) : addedAt.end();
        if (it == addedAt.end())
            aNew.push_back(std::move(v));
        else
            aAddedValue[it->second] = std::move(v);
    }
    std::string keptBefore;
    for (size_t i = 0; i < aChild.size(); ++i) {
        if (aAdded[i])
            aAdded[i]->operator[]("vertical_offset") = picojson::value(keptBefore);
        else
            keptBefore = CStringA(tree.GetItemText(aChild[i])).str();
    }
    for (size_t i = aChild.size(); i-- > 0;) {
        if (aAdded[i])
            aNew.push_back(std::move(aAddedValue[i]));
    }
    aRecord = std::move(aNew);
}

void CLocationLog::MakeReplayExact()
{
    // Each round records the uppermost folders that still come out otherwise; a folder that
    // does so twice gets all its children recorded as added.
    std::unordered_map<HCITYITEM, int> rounds;
    for (int nRound = 0; nRound < MaxExactRounds; ++nRound) {
        const std::vector<HCITYITEM> aOtherwise = FoldersReplayedOtherwise();
        if (aOtherwise.empty())
            return;
        for (HCITYITEM hFolder : aOtherwise)
            RecordChildrenAnew(hFolder, rounds[hFolder]++ > 0);
    }
}
