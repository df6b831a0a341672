#pragma once

#include <citydb/ICityTree.h>

#include <afx/CString.h>

// A folder read from the system list. Folders added later exist only as tree items.
class CTagList {
public:
    HCITYITEM m_hItem = nullptr;  // stays null for the root entry
    int m_nLevel = 0;             // 0 for the root folder, 1 directly under it, ...
    CString m_strName;            // as read; renames change only the tree item
};
