#include "CListPlace.h"

#include <algorithm>
#include <tuple>

namespace {

bool FolderBefore(const CListFolder& a, const CListFolder& b)
{
    return std::tie(a.m_nOrder, a.m_strName) < std::tie(b.m_nOrder, b.m_strName);
}

}  // namespace

size_t SharedFolders(const CListPlace& a, const CListPlace& b)
{
    size_t n = 0;
    while (n < a.m_aPath.size() && n < b.m_aPath.size() && a.m_aPath[n].m_nOrder == b.m_aPath[n].m_nOrder &&
           a.m_aPath[n].m_strName == b.m_aPath[n].m_strName)
        ++n;
    return n;
}

bool SameFolder(const CListPlace& a, const CListPlace& b)
{
    return a.m_aPath.size() == b.m_aPath.size() && SharedFolders(a, b) == a.m_aPath.size();
}

bool ListOrderBefore(const CListPlace& a, const CListPlace& b)
{
    if (!SameFolder(a, b))
        return std::lexicographical_compare(a.m_aPath.begin(), a.m_aPath.end(), b.m_aPath.begin(), b.m_aPath.end(),
                                            FolderBefore);
    if (a.m_nPopulation != b.m_nPopulation)
        return a.m_nPopulation > b.m_nPopulation;
    return std::make_tuple(a.m_strName.wstr(), a.m_dLon, a.m_dLat, a.m_dTz) <
           std::make_tuple(b.m_strName.wstr(), b.m_dLon, b.m_dLat, b.m_dTz);
}
