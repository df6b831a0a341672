#pragma once

#include <afx/CString.h>

#include <cstddef>
#include <string>

// Reads a system city list through citydb (CCityData::LoadCityList into the in-memory tree)
// and checks that every line came back: the folder and place counts match the file's folder
// and place lines, and writing the tree again gives the file's body byte for byte. It also
// refuses two items of one name in a folder, which neither the tree nor the change log
// could tell apart.
class CListCheck {
public:
    // True when the list reads back as it is; else m_strError says where it does not.
    bool Run(const CString& strPath);

    int m_nFolders = 0;  // folders below the root "場所"
    int m_nPlaces = 0;
    int m_nLevels = 0;   // deepest folder level
    std::size_t m_nBytes = 0;
    std::string m_strError;  // UTF-8
};
