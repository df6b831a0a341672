#include "CLandmarkSource.h"

#include "PlaceName.h"

#include <citydb/CCityData.h>
#include <citydb/Utf8Text.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

struct Folder {
    const wchar_t* name;
    int order;  // after 日本 (0) and 世界 (1)
    int kind;
};
const Folder kFolders[] = {{L"天文台", 2, 3}, {L"山岳", 3, 4}};

double Number(const std::string& strField, double dMin, double dMax, const std::string& strWhere)
{
    char* pEnd = nullptr;
    const double d = std::strtod(strField.c_str(), &pEnd);
    if (strField.empty() || *pEnd != '\0' || !std::isfinite(d) || d < dMin || d > dMax)
        throw std::runtime_error(strWhere + ": \"" + strField + "\" is not a number from " +
                                 std::to_string(dMin) + " to " + std::to_string(dMax));
    return d;
}

}  // namespace

std::vector<CListPlace> CLandmarkSource::Parse(const std::string& strText)
{
    std::vector<CListPlace> aPlace;
    std::istringstream in(strText);
    std::string strLine;
    for (int nLine = 1; std::getline(in, strLine); ++nLine) {
        if (!strLine.empty() && strLine.back() == '\r')
            strLine.pop_back();
        if (strLine.empty() || strLine[0] == '#')
            continue;
        const std::string strWhere = "landmark line " + std::to_string(nLine);
        std::vector<std::string> aField;
        std::istringstream fields(strLine);
        for (std::string f; std::getline(fields, f, '\t');)
            aField.push_back(f);
        if (aField.size() != 6)
            throw std::runtime_error(strWhere + ": " + std::to_string(aField.size()) + " fields, not 6");
        const std::wstring strFolder = CityWideFromUtf8(aField[0]);
        const Folder* pFolder = nullptr;
        for (const Folder& f : kFolders)
            if (strFolder == f.name)
                pFolder = &f;
        if (!pFolder)
            throw std::runtime_error(strWhere + ": the folder \"" + aField[0] + "\" is neither 天文台 nor 山岳");
        CListPlace place;
        place.m_aPath = {{pFolder->order, pFolder->name}};
        place.m_nKind = pFolder->kind;
        const std::wstring strName = CityWideFromUtf8(aField[1]);
        place.m_strName = ListName(strName, strName, CCityData::NameBytes);
        if (place.m_strName.wstr() != strName)
            throw std::runtime_error(strWhere + ": the name \"" + aField[1] + "\" cannot be kept as it is");
        place.m_dLon = Number(aField[2], -180, 180, strWhere);
        place.m_dLat = Number(aField[3], -90, 90, strWhere);
        place.m_dAlt = Number(aField[4], -500, 9000, strWhere);
        place.m_dTz = Number(aField[5], -12, 14, strWhere);
        // The file's order within a folder: the list puts the larger "population" first.
        place.m_nPopulation = static_cast<unsigned>(1000000 - aPlace.size());
        aPlace.push_back(std::move(place));
    }
    return aPlace;
}

std::vector<CListPlace> CLandmarkSource::Load(const std::string& strPath)
{
    std::ifstream in(strPath, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + strPath);
    std::ostringstream text;
    text << in.rdbuf();
    return Parse(text.str());
}
