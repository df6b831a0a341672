#pragma once

#include <citydb/CCityList.h>
#include <citydb/CSafeFile.h>
#include <citydb/CTagList.h>
#include <citydb/ICityProgress.h>
#include <citydb/ICityTree.h>

#include <afx/CString.h>

#include <string>
#include <vector>

// The folder and place lists of the city list dialog with the two city list files: the
// system list it reads and the user list it writes from the tree.
class CCityData {
public:
    static constexpr int TagCapacity = 2000;
    static constexpr int CityCapacity = 10000;
    // Deepest folder level the lists keep; deeper "@" prefixes are read as this level.
    static constexpr int MaxLevel = 99;
    // Longest place name in bytes: the place line's name field is cut there.
    static constexpr int NameBytes = 40;

    CCityData();

    // Builds the root folder "場所" and below it the system list m_strObsFile, in the tree
    // m_pTree and the lists. False when the list could not be read (the tree then holds only
    // the root folder); the end of loading is reported either way.
    // Lines the format gives no place: a place line at level 0 goes under the root; a folder
    // of level n with no folder of level n-1 read yet hangs under the most recent folder of
    // the deepest level below n (the root at least); more folders or places than the
    // capacities grow the arrays, so nothing read is dropped.
    bool LoadCityList();
    // Writes the tree to m_strUserObsFile as a city list. False (old file unchanged) when it
    // could not be written or there is no tree. A place item with a bad index throws as
    // GetCityString does, before anything is written.
    bool RefreshUserObs();
    // The user list's text: the header as read, then the tree in pre-order, in ANSI bytes.
    std::string BuildUserObsText(ICityTree& tree) const;
    // The place line of a place item, ending in CR LF. An item whose data is not the index of
    // a place record in use throws CInvalidArgException*.
    void GetCityString(ICityTree& tree, HCITYITEM hItem, CString& strLine) const;

    // Parses a location data string into the place record at nIndex; an index outside the
    // array throws CInvalidArgException* before anything is stored.
    void SetLocationData(int nIndex, const CString& strData);
    // The location data string of the place record at nIndex; the same exception.
    CString GetLocationData(int nIndex) const;

    // Stores rec at index m_nCityNum, growing the array when it is full, and returns the index.
    int AppendCity(const CCityList& rec);
    int AppendCity(CCityList&& rec);
    // Index-checked access to the arrays; an index outside throws CInvalidArgException*.
    CCityList& CityAt(int nIndex);
    const CCityList& CityAt(int nIndex) const;
    CTagList& TagAt(int nIndex);
    const CTagList& TagAt(int nIndex) const;

    // Empties the tree and sets both counts to 0, ready for LoadCityList.
    void ResetLists();

    std::vector<CTagList> m_aTag;
    int m_nTagNum = 0;
    int m_nTagMax = TagCapacity;
    std::vector<CCityList> m_aCity;
    int m_nCityNum = 0;
    int m_nCityMax = CityCapacity;
    CString m_strObsHeader;  // header lines of the system list, each ending in a line feed

    CString m_strObsFile;       // system list, read
    CString m_strUserObsFile;   // user list, written
    CString m_strUserJsonFile;  // user location file (the change log)

    ICityTree* m_pTree = nullptr;          // set by the owner
    ICityProgress* m_pProgress = nullptr;  // null: no progress reports

private:
    int AppendTag(const CTagList& rec);
    bool ReadLines(CSafeFile::LineReader& file, HCITYITEM hRoot);
    std::string PlaceLine(ICityTree& tree, HCITYITEM hItem) const;
    void Progress(int wParam, int lParam, const CString& strText) const;
};
