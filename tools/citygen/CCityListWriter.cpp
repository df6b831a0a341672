#include "CCityListWriter.h"
#include "PlaceName.h"

#include <citydb/CCityData.h>
#include <citydb/CMemTree.h>
#include <citydb/Utf8Text.h>

#include <afx/AnsiCodePage.h>

#include <algorithm>
#include <stdexcept>

std::string CCityListWriter::Text(std::vector<CListPlace> aPlace, const std::vector<std::wstring>& aHeader)
{
    m_nFolders = m_nPlaces = m_nLevels = 0;
    std::string strOut;
    for (const std::wstring& strLine : aHeader) {
        std::wstring strText = L"# " + strLine;
        if (!AnsiHolds(strText))
            throw std::runtime_error("header line \"" + CityUtf8FromWide(strLine) + "\" is not in the code page");
        strOut += AnsiFromWide(strText) + "\r\n";
    }

    std::sort(aPlace.begin(), aPlace.end(), ListOrderBefore);
    CMemTree tree;
    CCityData data;
    data.m_pTree = &tree;
    HCITYITEM hRoot = tree.InsertItem(L"場所", CITY_IMG_FOLDER, CITY_IMG_FOLDER_OPEN, CITY_FOLDER_DATA, nullptr,
                                      CITY_TVI_LAST);
    // The folder items of the previous place's path.
    std::vector<HCITYITEM> aOpen;
    const CListPlace* pPrevious = nullptr;
    for (const CListPlace& place : aPlace) {
        aOpen.resize(pPrevious ? SharedFolders(*pPrevious, place) : 0);
        const size_t nSame = aOpen.size();
        for (size_t i = nSame; i < place.m_aPath.size(); ++i) {
            aOpen.push_back(tree.InsertItem(place.m_aPath[i].m_strName, CITY_IMG_FOLDER, CITY_IMG_FOLDER_OPEN,
                                            CITY_FOLDER_DATA, i == 0 ? hRoot : aOpen[i - 1], CITY_TVI_LAST));
            ++m_nFolders;
        }
        m_nLevels = std::max(m_nLevels, static_cast<int>(aOpen.size()));
        CCityList city;
        city.m_strName = place.m_strName;
        city.m_dLon = place.m_dLon;
        city.m_dLat = place.m_dLat;
        city.m_dTz = place.m_dTz;
        city.m_dAlt = place.m_dAlt;
        city.m_nType = place.m_nKind;
        int nIndex = data.AppendCity(city);
        tree.InsertItem(place.m_strName, CITY_IMG_PLACE, CITY_IMG_PLACE_SELECTED, nIndex,
                        aOpen.empty() ? hRoot : aOpen.back(), CITY_TVI_LAST);
        ++m_nPlaces;
        pPrevious = &place;
    }
    return strOut + data.BuildUserObsText(tree);
}
