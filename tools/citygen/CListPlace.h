#pragma once

#include <afx/CString.h>

#include <cstddef>
#include <string>
#include <vector>

// A folder on a place's path: folders are ordered by m_nOrder, then by name.
class CListFolder {
public:
    int m_nOrder = 0;
    std::wstring m_strName;
};

// A place of the list to be written: its folders from the top and what its line holds.
class CListPlace {
public:
    std::vector<CListFolder> m_aPath;
    CString m_strName;
    double m_dLon = 0.0;
    double m_dLat = 0.0;
    double m_dTz = 0.0;
    double m_dAlt = 0.0;        // metres
    int m_nKind = 2;            // index in the map's landmark kinds: 2 都市, 3 天文台, 4 山岳
    unsigned m_nPopulation = 0;
    int m_nGeo = -1;            // index of the GeoNames city it was made from; -1 for a landmark
};

// The order of the file: by folder path, then the most populous first, then by name,
// longitude, latitude and time zone, so that places that compare equal write equal lines
// and every run writes the same bytes.
bool ListOrderBefore(const CListPlace& a, const CListPlace& b);
// Number of folders at the top of the two places' paths that are the same.
size_t SharedFolders(const CListPlace& a, const CListPlace& b);
// True when the two places lie in the same folder.
bool SameFolder(const CListPlace& a, const CListPlace& b);
