#pragma once

#include "CListPlace.h"

#include <string>
#include <vector>

// Composes a system city list: header lines, then the places in ListOrderBefore order under
// their folders, each line as citydb writes a user list (so the list reads back unchanged).
class CCityListWriter {
public:
    // The list's bytes in the ANSI code page with CR LF line ends. Each header line gets "# "
    // in front. Throws std::runtime_error for a header line the code page cannot hold.
    std::string Text(std::vector<CListPlace> aPlace, const std::vector<std::wstring>& aHeader);

    // Counts of the last Text: folder lines, place lines and the deepest folder level.
    int m_nFolders = 0;
    int m_nPlaces = 0;
    int m_nLevels = 0;
};
