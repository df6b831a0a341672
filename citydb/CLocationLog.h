#pragma once

#include <citydb/CCityData.h>
#include <citydb/ICityTree.h>

#include <afx/CString.h>

#include <picojson.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// The tree view's TVI_ROOT: the parent of the top-level items when the replay searches them.
inline const HCITYITEM CITY_TVI_ROOT = reinterpret_cast<HCITYITEM>(~static_cast<std::uintptr_t>(0xFFFF));

// The user location file: a change log of the user's edits laid over the system list. It is
// replayed onto the city tree after the system list has been read, records every later edit
// in memory, and is written back by SaveCityList. Its members lie in a file for each job: the
// core, the parse (CLocationLogParse.cpp), the replay, the recording and the save.
class CLocationLog {
public:
    // Deepest nesting of arrays, and separately of objects, that a log may hold. A log the
    // system writes nests one array and one object per tree level, and folders go 99 deep.
    static constexpr int MaxJsonDepth = 128;
    // Deepest record level the replay descends to.
    static constexpr int MaxReplayDepth = 120;
    // Rounds of checking the log against its replay before a save writes it as it is.
    static constexpr int MaxExactRounds = 8;
    // Appended to the log's path for the copy of a log that could not be read whole.
    static constexpr const wchar_t* BackupSuffix = L".bak";

    explicit CLocationLog(CCityData& data);
    CLocationLog(const CLocationLog&) = delete;
    CLocationLog& operator=(const CLocationLog&) = delete;

    // Parses text as the log reader does: the first JSON value, with nesting bounded as above.
    // False when the text is not one whole JSON value (out then holds what was read so far)
    // or has anything but white space after it.
    static bool ParseLogText(const std::string& text, picojson::value& out);

    // Reads m_strUserJsonFile into m_locationTreeContext and replays it onto the tree.
    void LoadLocationTreeContext();
    // What a save did, for the dialog to tell the user.
    struct SaveResult {
        bool bListWritten = false;
        bool bLogWritten = false;
        // The file that could not be written (the log, the damaged log's backup, or the user
        // list after the log); empty when both files were written.
        CString strUnwritten;
        // Where the bytes of a log that could not be read whole are kept; empty when none.
        CString strBackup;
        explicit operator bool() const { return bListWritten && bLogWritten; }
    };

    // Writes the log, then the user list (as RefreshUserObs does). Everything that can refuse
    // the log is decided before anything is written; a list that cannot be written after the
    // log was is stale, and the next start rebuilds it from the log.
    SaveResult SaveCityList();
    // Empties the top-level array, as the reset of the list does.
    void ResetContext();

    // Recording: each call changes only m_locationTreeContext.
    void AddNodeContext(HCITYITEM hItem);
    void UpdateNodeContext(HCITYITEM hItem, const CString& strOldName, const CString& strNewName,
                           int nLeaf);
    void DeleteNodeContext(HCITYITEM hItem);
    // hCopy: the item's copy when it already stands at its destination (it is the moved item,
    // not a namesake there); null when the copy is made afterwards.
    void DropNodeContext(HCITYITEM hItem, HCITYITEM hNewParent, HCITYITEM hInsertAfter,
                         HCITYITEM hCopy = nullptr);

    // True when the last load found a log it could not read whole (a syntax error, too deep a
    // nesting, a number out of range, trailing text, a NUL byte, or a top level that is not an
    // array).
    bool IsLogDamaged() const { return m_bLogDamaged; }
    // True when the last load found a log that exists but could not be read at all; it is
    // never replaced.
    bool IsLogUnreadable() const { return m_bLogUnreadable; }
    // The log in memory as the calls above left it, to be read.
    const picojson::value& GetLocationTreeContext() const { return m_locationTreeContext; }

private:
    // The core (CLocationLog.cpp): records, names and which record stands for which item.
    static std::string Narrow(const CString& str);
    // A new record: the five texts converted to ANSI, "latest_name" "", "next" [].
    static picojson::object GenerateNewJsonObject(const CString& strName, const CString& strAction,
                                                  const CString& strType, const CString& strOffset,
                                                  const CString& strData);
    const CString& WideName(const std::string& name);
    picojson::array& TopArray();
    void Claim(HCITYITEM hItem, picojson::object* pRec);
    // Forgets the records of hItem and of everything below it.
    void ForgetClaims(HCITYITEM hItem);
    void ClearClaims();
    // Claims hItem for pRec and each item of its subtree for the record nested alike.
    void ClaimSubtree(HCITYITEM hItem, picojson::object* pRec);

    // The replay (CLocationLogReplay.cpp).
    // Replay of an array of m_locationTreeContext under hParent (CITY_TVI_ROOT for the top
    // level). Within one array, a "path", "update" or "delete" record takes the first child of
    // its name that no earlier record of the array took; items that "add" records insert count
    // as taken. The records are only read, and each item is remembered with the record that
    // took it, for the recording.
    void AnalyzeNodeContext(picojson::array& aRecord, HCITYITEM hParent);
    void ReplayArray(picojson::array& aRecord, HCITYITEM hParent, int nDepth);
    // hAfter: a child of hParent or CITY_TVI_FIRST.
    HCITYITEM InsertFromContextData(HCITYITEM hParent, const CString& strName, HCITYITEM hAfter,
                                    const CString& strData, int bFolder);
    void UpdTreeViewFromContextData(HCITYITEM hItem, const CString& strName,
                                    const CString& strData, int bFolder);

    // The recording (CLocationLogRecord.cpp).
    picojson::object* AppendPath(picojson::array& aRecord, HCITYITEM hItem, const CString& strName);
    // The record in aRecord (the records of hItem's siblings) that stands for hItem, named
    // strName: the one that took it in the replay or was made for it since. Otherwise new
    // "path" records are appended, first for the siblings of that name above it that have none,
    // so that the replay gives each the record meant for it.
    picojson::object* GetCurrentNodeObject(picojson::array& aRecord, HCITYITEM hItem, const CString& strName);
    // The array of the records of hParent's children (the top level for null).
    picojson::array& ChildRecords(HCITYITEM hParent);
    // The record of an item (strName: the item's name before the edit under way), creating
    // "path" records on the way; the array that holds it goes to *ppOwner when given.
    picojson::object* TrackJsonCursor(HCITYITEM hItem, const CString& strName,
                                      picojson::array** ppOwner = nullptr);
    // The "add" record of an item as it is now; empty for a null item.
    picojson::object GetNewNodeItem(HCITYITEM hItem, const CString& strName);
    // The item's "add" record with those of its whole subtree nested in "next".
    picojson::object GenerateWholeNodeObjects(HCITYITEM hItem);

    // The save (CLocationLogSave.cpp).
    // Where the damaged log's bytes are copied before the first save replaces it.
    CString GetBackupPath() const;
    bool WriteBackup();
    bool MayReplaceLog(const CString& strPath) const;
    // Before a save: the log replayed over the system list as the next start replays it must
    // give the tree exactly, order and namesakes included. Where an add's recorded neighbour
    // was renamed, deleted or moved before the add applies, or names the wrong one of two
    // namesakes, the children of that folder are recorded anew.
    void MakeReplayExact();
    // The folders whose children the replay gives otherwise, the uppermost of each branch;
    // none when the system list cannot be read.
    std::vector<HCITYITEM> FoldersReplayedOtherwise();
    // The children's records: those of system items first as they stood, then the added ones
    // from the last to the first, each behind the system item before it. bAllAdded: every
    // child is recorded as added (its system item deleted).
    void RecordChildrenAnew(HCITYITEM hFolder, bool bAllAdded);

    // Change it only through the recording calls: they remember which record stands for which
    // item.
    picojson::value m_locationTreeContext;
    CCityData& m_data;
    // A log that exists but could not be read is never replaced.
    bool m_bLogUnreadable = false;
    CString m_strReadPath;  // the log the last load read
    CString m_strBackupPath;
    bool m_bLogDamaged = false;
    bool m_bBackupWritten = false;
    std::string m_damagedBytes;
    // Which record stands for which item: sibling names need not be unique (the system list may
    // repeat one), so a name alone cannot tell. The records live on the heap inside
    // m_locationTreeContext and keep their address while their arrays grow and shrink.
    std::unordered_map<HCITYITEM, picojson::object*> m_itemRecord;
    std::unordered_map<const picojson::object*, HCITYITEM> m_recordItem;
    // The top-level array the claims point into; another one there makes them void.
    const picojson::array* m_pClaimedTop = nullptr;
    // The item a move has recorded as deleted; no sibling counts it while the move records.
    HCITYITEM m_hLeaving = nullptr;
    // The copy a move has already made at its destination; it is the moved item, so no sibling
    // counts it either while the move records.
    HCITYITEM m_hArriving = nullptr;
    // Widened record names; the same names are compared again and again.
    std::unordered_map<std::string, CString> m_wideCache;
    unsigned m_nCacheCodePage = 0;
};
