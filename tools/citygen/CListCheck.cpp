#include "CListCheck.h"

#include <citydb/CCityData.h>
#include <citydb/CMemTree.h>
#include <citydb/CSafeFile.h>
#include <citydb/Utf8Text.h>

#include <afx/AnsiCodePage.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& strBytes)
{
    std::vector<std::string> aLine;
    size_t nPos = 0;
    while (nPos < strBytes.size()) {
        size_t nEnd = strBytes.find('\n', nPos);
        if (nEnd == std::string::npos)
            nEnd = strBytes.size();
        aLine.push_back(strBytes.substr(nPos, nEnd - nPos));
        nPos = nEnd + 1;
    }
    return aLine;
}

std::string Shown(const std::string& strAnsi)
{
    std::string strLine = strAnsi;
    if (!strLine.empty() && strLine.back() == '\r')
        strLine.pop_back();
    return "\"" + CityUtf8FromWide(WideFromAnsi(strLine)) + "\"";
}

// The first name two items of one folder share, with the folder's path; empty when there is none.
std::string SharedName(const CMemTree& tree)
{
    for (HCITYITEM hFolder : tree.GetItems()) {
        std::set<std::wstring> setName;
        for (HCITYITEM h = tree.GetChildItem(hFolder); h; h = tree.GetNextSiblingItem(h)) {
            if (setName.insert(tree.GetItemText(h).wstr()).second)
                continue;
            std::wstring strPath = tree.GetItemText(hFolder).wstr();
            for (HCITYITEM hUp = tree.GetParentItem(hFolder); hUp; hUp = tree.GetParentItem(hUp))
                strPath = tree.GetItemText(hUp).wstr() + L"/" + strPath;
            return "\"" + CityUtf8FromWide(tree.GetItemText(h).wstr()) + "\" is in " + CityUtf8FromWide(strPath) +
                   " more than once: names in a folder must differ";
        }
    }
    return std::string();
}

}  // namespace

bool CListCheck::Run(const CString& strPath)
{
    m_nFolders = m_nPlaces = m_nLevels = 0;
    m_strError.clear();
    std::string strBytes;
    if (!CSafeFile::Read(strPath, strBytes)) {
        m_strError = "cannot read the file";
        return false;
    }
    m_nBytes = strBytes.size();

    // What the file's lines say, counted apart from the reader.
    std::vector<std::string> aLine = Lines(strBytes);
    size_t nHeader = 0;
    size_t nHeaderBytes = 0;
    while (nHeader < aLine.size() && !aLine[nHeader].empty() && aLine[nHeader][0] == '#')
        nHeaderBytes += aLine[nHeader++].size() + 1;
    int nFolderLines = 0;
    int nPlaceLines = 0;
    for (size_t i = nHeader; i < aLine.size(); ++i) {
        const std::string& strLine = aLine[i];
        if (!strLine.empty() && strLine[0] == '@')
            ++nFolderLines;
        else if (std::count(strLine.begin(), strLine.end(), ',') == 7)
            ++nPlaceLines;
        else if (strLine != "#\r") {
            m_strError = "line " + std::to_string(i + 1) + " is not a folder, close or place line: " + Shown(strLine);
            return false;
        }
    }

    CMemTree tree;
    CCityData data;
    data.m_pTree = &tree;
    data.m_strObsFile = strPath;
    if (!data.LoadCityList()) {
        m_strError = "citydb cannot read the list";
        return false;
    }
    m_nFolders = data.m_nTagNum - 1;
    m_nPlaces = data.m_nCityNum;
    for (int i = 1; i < data.m_nTagNum; ++i)
        m_nLevels = std::max(m_nLevels, data.TagAt(i).m_nLevel);
    if (m_nFolders != nFolderLines || m_nPlaces != nPlaceLines) {
        m_strError = "citydb read " + std::to_string(m_nFolders) + " folders and " + std::to_string(m_nPlaces) +
                     " places from " + std::to_string(nFolderLines) + " folder and " + std::to_string(nPlaceLines) +
                     " place lines";
        return false;
    }

    m_strError = SharedName(tree);
    if (!m_strError.empty())
        return false;

    data.m_strObsHeader.Empty();
    const std::string strAgain = data.BuildUserObsText(tree);
    if (strBytes.compare(std::min(nHeaderBytes, strBytes.size()), std::string::npos, strAgain) == 0)
        return true;
    std::vector<std::string> aAgain = Lines(strAgain);
    size_t i = 0;
    while (i < aAgain.size() && nHeader + i < aLine.size() && aAgain[i] == aLine[nHeader + i])
        ++i;
    std::string strFile = nHeader + i < aLine.size() ? Shown(aLine[nHeader + i]) : "the end of the file";
    std::string strRead = i < aAgain.size() ? Shown(aAgain[i]) : "nothing";
    m_strError = "line " + std::to_string(nHeader + i + 1) + " " + strFile + " is written back as " + strRead;
    return false;
}
