#include <citydb/CCityData.h>

#include <citydb/CSafeFile.h>
#include <citydb/CityName.h>
#include <citydb/CityText.h>

#include <afx/AnsiCodePage.h>
#include <afx/CException.h>
#include <afx/CStringA.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace {

const wchar_t* const kRootName = L"場所";
const wchar_t* const kLoadingText = L"都市データの読み込み中";

// The folders most recently opened at each level while a list is read.
struct OpenFolder {
    int nTag = -1;  // -1: none of this level yet
    HCITYITEM hItem = nullptr;
    HCITYITEM hLastFolder = nullptr;  // its latest folder item so far
};

// The folder for something at nLevel: the most recent folder of that level or, when there is
// none, of the deepest level below it (the root, level 0, is always there).
OpenFolder& FolderAt(std::vector<OpenFolder>& aOpen, int nLevel)
{
    while (nLevel > 0 && aOpen[nLevel].nTag < 0)
        --nLevel;
    return aOpen[nLevel];
}

// The record at nIndex of either list; an index outside it is the caller's fault.
template <class Records>
auto& RecordAt(Records& aRecord, int nIndex)
{
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= aRecord.size())
        AfxThrowInvalidArgException();
    return aRecord[static_cast<size_t>(nIndex)];
}

}  // namespace

CCityData::CCityData()
    : m_aTag(TagCapacity), m_aCity(CityCapacity)
{
}

CCityList& CCityData::CityAt(int nIndex) { return RecordAt(m_aCity, nIndex); }

const CCityList& CCityData::CityAt(int nIndex) const { return RecordAt(m_aCity, nIndex); }

CTagList& CCityData::TagAt(int nIndex) { return RecordAt(m_aTag, nIndex); }

const CTagList& CCityData::TagAt(int nIndex) const { return RecordAt(m_aTag, nIndex); }

int CCityData::AppendCity(const CCityList& rec)
{
    return AppendCity(CCityList(rec));
}

int CCityData::AppendCity(CCityList&& rec)
{
    if (m_nCityNum < 0)
        AfxThrowInvalidArgException();
    if (static_cast<size_t>(m_nCityNum) >= m_aCity.size()) {
        // Indices stay as they are; only references into the array are invalidated.
        m_aCity.resize(std::max<size_t>(m_aCity.size() * 2, CityCapacity));
        m_nCityMax = static_cast<int>(m_aCity.size());
    }
    m_aCity[m_nCityNum] = std::move(rec);
    return m_nCityNum++;
}

int CCityData::AppendTag(const CTagList& rec)
{
    if (m_nTagNum < 0)
        AfxThrowInvalidArgException();
    if (static_cast<size_t>(m_nTagNum) >= m_aTag.size()) {
        m_aTag.resize(std::max<size_t>(m_aTag.size() * 2, TagCapacity));
        m_nTagMax = static_cast<int>(m_aTag.size());
    }
    m_aTag[m_nTagNum] = rec;
    return m_nTagNum++;
}

void CCityData::ResetLists()
{
    if (m_pTree)
        m_pTree->DeleteAllItems();
    // Old records would keep handles of deleted items; later records start all zero.
    std::fill(m_aTag.begin(), m_aTag.begin() + std::min<size_t>(m_aTag.size(), std::max(m_nTagNum, 0)), CTagList());
    std::fill(m_aCity.begin(), m_aCity.begin() + std::min<size_t>(m_aCity.size(), std::max(m_nCityNum, 0)), CCityList());
    m_nTagNum = 0;
    m_nCityNum = 0;
}

void CCityData::Progress(int wParam, int lParam, const CString& strText) const
{
    if (m_pProgress)
        m_pProgress->OnCityProgress(wParam, lParam, strText);
}

bool CCityData::LoadCityList()
{
    Progress(0, 0, kLoadingText);

    CTagList root;
    root.m_nLevel = 0;
    root.m_strName = kRootName;
    AppendTag(root);
    HCITYITEM hRoot = m_pTree ? m_pTree->InsertItem(kRootName, CITY_IMG_FOLDER, CITY_IMG_FOLDER_OPEN,
                                                    CITY_FOLDER_DATA, nullptr, CITY_TVI_LAST)
                              : nullptr;

    m_strObsHeader.Empty();
    CSafeFile::LineReader file;
    bool bRead = file.Open(m_strObsFile) && ReadLines(file, hRoot);

    Progress(2, 0, CString());
    if (m_pTree && hRoot)
        m_pTree->Expand(hRoot);
    return bRead;
}

bool CCityData::ReadLines(CSafeFile::LineReader& file, HCITYITEM hRoot)
{
    // The file is read twice through a small buffer, never whole: first for its size, its
    // header (the lines at the very top that begin with '#') and how many place records the
    // body can hold (lines with seven commas or more), so that the place array grows once
    // rather than doubling again and again; then for the body.
    std::wstring line;
    long long nSize = 0;
    int nHeaderLines = 0;
    bool bHeader = true;
    size_t nCandidates = 0;
    const bool bScanned = file.ForEachLine([&](const char* p, const char* pEnd, long long nNext) {
        nSize = nNext;
        if (bHeader && p < pEnd && *p == '#') {
            if (pEnd[-1] == '\r')
                --pEnd;
            CityWideLine(p, pEnd, line);
            m_strObsHeader += CString(line.data(), static_cast<int>(line.size()));
            m_strObsHeader += L'\n';
            ++nHeaderLines;
            return;
        }
        bHeader = false;
        if (std::count(p, pEnd, ',') >= 7)
            ++nCandidates;
    });
    if (!bScanned) {
        m_strObsHeader.Empty();
        return false;
    }
    size_t nNeeded = static_cast<size_t>(m_nCityNum) + nCandidates;
    if (nNeeded > m_aCity.size() && nNeeded <= static_cast<size_t>(INT_MAX)) {
        m_aCity.resize(nNeeded);
        m_nCityMax = static_cast<int>(nNeeded);
    }

    std::vector<OpenFolder> aOpen(MaxLevel + 1);
    aOpen[0].nTag = m_nTagNum - 1;  // the root record appended by LoadCityList
    aOpen[0].hItem = hRoot;
    const int nFirstTag = m_nTagNum;
    const int nFirstCity = m_nCityNum;
    int nLevel = 0;
    int nReported = 0;
    int nLine = 0;
    // The tree view checks a parent by looking for it among all items made before, so places,
    // the many, go in after the folders, each after the folder that precedes it among its
    // siblings (first when none does), the last place first to keep their order. Places read
    // one after another with the same folder and the same folder before them share a run.
    struct PlaceRun {
        int nFirst;         // its first place record; it ends where the next run starts
        HCITYITEM hFolder;  // null: not in the tree
        HCITYITEM hAfter;
    };
    std::vector<PlaceRun> aRun;
    const bool bRead = file.ForEachLine([&](const char* pLine, const char* pLineEnd, long long nNext) {
        if (nLine++ < nHeaderLines)
            return;
        if (pLineEnd > pLine && pLineEnd[-1] == '\r')
            --pLineEnd;
        CityWideLine(pLine, pLineEnd, line);
        const wchar_t* p = line.data();
        const wchar_t* pEnd = p + line.size();
        while (p < pEnd && CityIsSpace(*p))
            ++p;
        if (p == pEnd)
            return;

        if (*p == L'@') {
            int nAt = 0;
            while (p < pEnd && *p == L'@') {
                ++p;
                ++nAt;
            }
            // Deeper nesting than the lists keep hangs at the deepest level.
            int nFolderLevel = std::min(nAt, MaxLevel);
            const wchar_t* pNameEnd = pEnd;
            while (pNameEnd > p && CityIsSpace(pNameEnd[-1]))
                --pNameEnd;
            // A folder with no folder of the level above hangs under the deepest one below.
            OpenFolder& parent = FolderAt(aOpen, nFolderLevel - 1);
            CTagList tag;
            tag.m_nLevel = nFolderLevel;
            tag.m_strName = CString(p, static_cast<int>(pNameEnd - p));
            if (m_pTree && parent.hItem)
                tag.m_hItem = m_pTree->InsertItem(tag.m_strName, CITY_IMG_FOLDER, CITY_IMG_FOLDER_OPEN,
                                                  CITY_FOLDER_DATA, parent.hItem, CITY_TVI_LAST);
            if (tag.m_hItem)
                parent.hLastFolder = tag.m_hItem;
            int nTag = AppendTag(tag);
            aOpen[nFolderLevel] = OpenFolder{nTag, tag.m_hItem, nullptr};
            nLevel = nFolderLevel;
        } else if (*p == L'#') {
            nLevel = std::max(nLevel - 1, 0);
        } else {
            // Place line: at least 8 fields; those after the 8th are ignored.
            const wchar_t* aField[9];
            int nFields = 0;
            aField[nFields++] = p;
            for (const wchar_t* q = p; q < pEnd && nFields < 9; ++q) {
                if (*q == L',')
                    aField[nFields++] = q + 1;
            }
            if (nFields < 8)
                return;
            if (nFields == 8)
                aField[8] = pEnd + 1;
            // Field i is [aField[i], aField[i + 1] - 1), white space trimmed.
            auto field = [&](int i, const wchar_t*& b, const wchar_t*& e) {
                b = aField[i];
                e = aField[i + 1] - 1;
                while (b < e && CityIsSpace(*b))
                    ++b;
                while (e > b && CityIsSpace(e[-1]))
                    --e;
            };
            const wchar_t* b;
            const wchar_t* e;
            CCityList city;
            const OpenFolder& folder = FolderAt(aOpen, nLevel);
            city.m_nTag = folder.nTag;
            field(0, b, e);
            city.m_strName = CString(b, static_cast<int>(e - b));
            field(1, b, e);
            city.m_dLon = CityParseHemisphere(b, e, L'W');
            field(2, b, e);
            city.m_dLat = CityParseHemisphere(b, e, L'S');
            field(3, b, e);
            city.m_dAlt = CityWtoi(b, e);
            field(4, b, e);
            city.m_dTz = CityWtof(b, e);
            field(5, b, e);
            city.m_nAltFlag = CityWtoi(b, e) == 1 ? 1 : 0;
            field(6, b, e);
            city.m_nUser = CityWtoi(b, e);
            field(7, b, e);
            city.m_nType = CityWtoi(b, e);
            const HCITYITEM hFolder = m_pTree ? folder.hItem : nullptr;
            const HCITYITEM hAfter = folder.hLastFolder ? folder.hLastFolder : CITY_TVI_FIRST;
            int nIndex = AppendCity(std::move(city));
            if (aRun.empty() || aRun.back().hFolder != hFolder || aRun.back().hAfter != hAfter)
                aRun.push_back(PlaceRun{nIndex, hFolder, hAfter});
        }

        // Progress by the share of the file read: at most one report per percent.
        int nPercent = static_cast<int>(static_cast<double>(nNext) * 100.0 / static_cast<double>(nSize));
        nPercent = std::clamp(nPercent, 0, 100);
        if (nPercent > nReported) {
            nReported = nPercent;
            Progress(1, nPercent, CString());
        }
    });
    if (!bRead) {
        // A read that failed half way leaves what a list that could not be read leaves.
        if (m_pTree && hRoot) {
            while (HCITYITEM hChild = m_pTree->GetChildItem(hRoot))
                m_pTree->DeleteItem(hChild);
        }
        std::fill(m_aTag.begin() + nFirstTag, m_aTag.begin() + m_nTagNum, CTagList());
        std::fill(m_aCity.begin() + nFirstCity, m_aCity.begin() + m_nCityNum, CCityList());
        m_nTagNum = nFirstTag;
        m_nCityNum = nFirstCity;
        m_strObsHeader.Empty();
        return false;
    }

    for (size_t nRun = aRun.size(); nRun-- > 0;) {
        const PlaceRun& run = aRun[nRun];
        if (!run.hFolder)
            continue;
        const int nEnd = nRun + 1 < aRun.size() ? aRun[nRun + 1].nFirst : m_nCityNum;
        for (int nIndex = nEnd - 1; nIndex >= run.nFirst; --nIndex) {
            CCityList& city = m_aCity[nIndex];
            city.m_hItem = m_pTree->InsertItem(city.m_strName, CITY_IMG_PLACE, CITY_IMG_PLACE_SELECTED, nIndex,
                                               run.hFolder, run.hAfter);
        }
    }
    return true;
}

std::string CCityData::BuildUserObsText(ICityTree& tree) const
{
    std::string out = AnsiFromWide(m_strObsHeader.wstr());
    HCITYITEM hRoot = tree.GetRootItem();
    if (!hRoot)
        return out;

    // Pre-order walk without recursion; aFolder says for each item descended into whether it
    // is a folder, whose close line is due when the walk climbs out of it.
    std::vector<bool> aFolder;
    int nLevel = 1;
    CString strLine;
    HCITYITEM hItem = tree.GetChildItem(hRoot);
    while (hItem) {
        bool bFolder = tree.GetItemData(hItem) == CITY_FOLDER_DATA;
        if (bFolder) {
            out.append(static_cast<size_t>(nLevel), '@');
            out += CityAnsiName(CityListName(tree.GetItemText(hItem)));
            out += "\r\n";
        } else {
            out += PlaceLine(tree, hItem);
        }
        HCITYITEM hChild = tree.GetChildItem(hItem);
        if (hChild) {
            // A place never has children in a list the system writes; if one has, they are
            // written in its folder rather than lost.
            aFolder.push_back(bFolder);
            if (bFolder)
                ++nLevel;
            hItem = hChild;
            continue;
        }
        if (bFolder)
            out += "#\r\n";
        while (hItem) {
            HCITYITEM hNext = tree.GetNextSiblingItem(hItem);
            if (hNext) {
                hItem = hNext;
                break;
            }
            if (aFolder.empty()) {
                hItem = nullptr;  // back at the root, which writes no close line
                break;
            }
            hItem = tree.GetParentItem(hItem);
            if (aFolder.back()) {
                --nLevel;
                out += "#\r\n";
            }
            aFolder.pop_back();
        }
    }
    return out;
}

bool CCityData::RefreshUserObs()
{
    if (!m_pTree)
        return false;
    return CSafeFile::Write(m_strUserObsFile, BuildUserObsText(*m_pTree));
}

std::string CCityData::PlaceLine(ICityTree& tree, HCITYITEM hItem) const
{
    std::intptr_t nData = tree.GetItemData(hItem);
    if (!hItem || nData < 0 || nData >= m_nCityNum)
        AfxThrowInvalidArgException();
    const CCityList& city = CityAt(static_cast<int>(nData));
    std::string name = CityCutName(CityListName(tree.GetItemText(hItem)), NameBytes);
    CStringA line;
    line.Format("%-40.40s,%11.7f%c,%10.7f%c,%7d,%c%05.2f,%s,%2d,%2d\r\n", name.c_str(),
                std::fabs(city.m_dLon), city.m_dLon < 0 ? 'W' : 'E',
                std::fabs(city.m_dLat), city.m_dLat < 0 ? 'S' : 'N',
                CityTruncToInt(city.m_dAlt),
                city.m_dTz < 0 ? '-' : '+', std::fabs(city.m_dTz),
                city.m_nAltFlag == 1 ? " 1" : " 0", city.m_nUser, city.m_nType);
    return line.str();
}

void CCityData::GetCityString(ICityTree& tree, HCITYITEM hItem, CString& strLine) const
{
    strLine = CString(WideFromAnsi(PlaceLine(tree, hItem)));
}

void CCityData::SetLocationData(int nIndex, const CString& strData)
{
    // The text passes through the ANSI code page first, as it does in the change log.
    CString strText{CStringA(strData)};
    std::vector<CString> aField = CitySplitFields(strText);
    // Missing or empty fields read as 0.
    aField.resize(std::max<size_t>(aField.size(), 7));
    CCityList& city = CityAt(nIndex);
    city.m_dLon = CityWtof(aField[0]);
    city.m_dLat = CityWtof(aField[1]);
    city.m_dAlt = CityWtof(aField[2]);
    city.m_dTz = CityWtof(aField[3]);
    city.m_nAltFlag = CityWtoi(aField[4]);  // kept as read
    city.m_nUser = CityWtoi(aField[5]);
    city.m_nType = CityWtoi(aField[6]);
}

CString CCityData::GetLocationData(int nIndex) const
{
    const CCityList& city = CityAt(nIndex);
    CString str;
    str.Format(L"%11.7f,%10.7f,%.0f,%05.2f,%2d,%2d,%2d", city.m_dLon, city.m_dLat, city.m_dAlt,
               city.m_dTz, city.m_nAltFlag == 1 ? 1 : 0, city.m_nUser, city.m_nType);
    return str;
}
