#pragma once

#include <citydb/CCityData.h>
#include <citydb/CCityList.h>
#include <citydb/CLocationLog.h>
#include <citydb/CoordFields.h>
#include <citydb/ICityTree.h>

#include <afx/CString.h>

#include <functional>

// The edits of the city list: what adding, editing, deleting, moving and resetting do to the
// tree, the place records and the change log. The dialog runs its own small dialogs first and
// shows what these return; the command-line tool and the tests call them directly.
// A refused edit changes nothing and returns the message the dialog shows.
class CCityEditor {
public:
    // Answers the move-destination question for a folder dropped on a folder (its text given):
    // 0 behind it, 1 into it, anything else cancels.
    using MoveModeQuery = std::function<int(const CString& strFolder)>;

    CCityEditor(CCityData& data, CLocationLog& log);
    CCityEditor(const CCityEditor&) = delete;
    CCityEditor& operator=(const CCityEditor&) = delete;

    static CString DuplicatePlaceMessage(const CString& strName);
    // The folder editor's OK: trims the name in place; the message it shows when nothing is
    // left or the city list cannot hold the name (CityNameRefusal), else empty.
    static CString CheckFolderName(CString& strName);
    // The altitude flag that the place editor's edit gives a place, from the fields before it
    // ran and after: 0 when the altitude changed, else 1 when a position field changed (either
    // hemisphere, any degrees, minutes or seconds), else 0.
    static int EditedAltFlag(const CCoordFields& before, const CCoordFields& after);

    // Empties the tree and the lists, reads the system list again and empties the log.
    void ResetCityList();
    // The new place (selected), or null when refused (strRefusal set) or not inserted.
    // Uses place's m_dLon, m_dLat, m_dAlt, m_dTz and m_nType.
    HCITYITEM AddPlace(HCITYITEM hSel, const CString& strName, const CCityList& place, CString& strRefusal);
    HCITYITEM AddFolder(HCITYITEM hSel, const CString& strName, CString& strRefusal);
    // Also uses place.m_nAltFlag, which the place editor works out. False when refused.
    bool EditPlace(HCITYITEM hItem, const CString& strName, const CCityList& place, CString& strRefusal);
    bool EditFolder(HCITYITEM hItem, const CString& strName, CString& strRefusal);
    // The tree's label edit: a new name for a folder, or for a place with its values kept;
    // refused as the editors refuse a name the list cannot hold.
    bool RenameItem(HCITYITEM hItem, const CString& strName, CString& strRefusal);
    // Deletes the item with its subtree. False for a null item or the root folder.
    bool DeleteItem(HCITYITEM hItem);

    // Moves hItem to the drop target by the drop rules; true when it moved. A move onto
    // itself, into its own subtree, onto the root or nothing moves nothing; so does a refusal
    // (a name the destination folder already has; strRefusal set) or a cancelled question.
    bool DropItem(HCITYITEM hItem, HCITYITEM hTarget, const MoveModeQuery& askMode, CString& strRefusal);
    // The end of a drag: a drop (bDrop) onto hTarget inside the tree runs DropItem; every end
    // of a drag marks the list modified.
    bool EndOfDrag(BOOL bDrop, HCITYITEM hItem, HCITYITEM hTarget, const MoveModeQuery& askMode,
                   CString& strRefusal);

    int m_bModified = 0;
    int m_bEditable = 0;

private:
    ICityTree& Tree() const { return *m_data.m_pTree; }
    bool IsFolder(HCITYITEM hItem) const;
    // Where a new item goes for the selection: first in a selected folder, directly behind a
    // selected place. No selection counts as the root folder.
    void GetInsertPosition(HCITYITEM hSel, HCITYITEM& hParent, HCITYITEM& hInsertAfter) const;
    // TRUE when strName may not be used below hParent: a direct child has it and is not the
    // item being renamed (strCurrent; empty for a new item). A null parent gives TRUE.
    BOOL IsDuplicateItemName(HCITYITEM hParent, const CString& strName, const CString& strCurrent) const;
    // Copies hSource with its subtree under hParent behind hInsertAfter (an item or
    // CITY_TVI_FIRST); returns the copy. Null when the tree refused an insert: nothing of the
    // copy is left then.
    HCITYITEM CopyTree(HCITYITEM hSource, HCITYITEM hParent, HCITYITEM hInsertAfter);
    // Deletes hItem, its children first.
    void DeleteTree(HCITYITEM hItem);
    void WritePlace(HCITYITEM hItem, const CCityList& place, int nAltFlag);
    // A new place or folder named strName where GetInsertPosition puts it; null, with the
    // refusal for the user when a sibling has the name, or when the tree refuses the insert.
    HCITYITEM InsertNewItem(HCITYITEM hSel, const CString& strName, bool bPlace, CString& strRefusal);
    // Selects the new item, marks the list changed and records the addition; returns the item.
    HCITYITEM Added(HCITYITEM hItem);
    // Renames hItem (a null item: false) unless a sibling has the name; strOld: its name before.
    bool SetNewName(HCITYITEM hItem, const CString& strName, bool bPlace, CString& strOld, CString& strRefusal);

    CCityData& m_data;
    CLocationLog& m_log;
};
