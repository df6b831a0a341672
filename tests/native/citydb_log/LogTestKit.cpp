#include "LogTestKit.h"

#include <stdexcept>

std::string Rec(const char* action, const wchar_t* name, const char* type, const wchar_t* offset,
                const char* data, const wchar_t* latest, const std::string& next)
{
    std::string nextText = next == "\"\"" || next.empty() || next[0] == '[' ? next : "[" + next + "]";
    return std::string("{\"action\":\"") + action + "\",\"data\":\"" + data + "\",\"latest_name\":\""
        + Ansi(latest) + "\",\"next\":" + nextText + ",\"original_name\":\"" + Ansi(name)
        + "\",\"type\":\"" + type + "\",\"vertical_offset\":\"" + Ansi(offset) + "\"}";
}

std::string Arr(std::initializer_list<std::string> recs)
{
    std::string out = "[";
    bool bFirst = true;
    for (const std::string& r : recs) {
        if (!bFirst)
            out += ',';
        out += r;
        bFirst = false;
    }
    return out + "]";
}

CityBench::CityBench()
{
    session.SetFiles(dir.WidePath("zelkam.obs"), dir.WidePath("zelkam_user.obs"), dir.WidePath("zelkam_user_obs.json"));
}

void CityBench::Open(const std::string& systemList, const std::string& logText, bool bNoLog)
{
    WriteBytes(dir.Path("zelkam.obs"), systemList);
    if (!bNoLog)
        WriteBytes(dir.Path("zelkam_user_obs.json"), logText);
    Reopen();
}

HCITYITEM CityBench::Find(std::initializer_list<const wchar_t*> path) const
{
    return session.Find(std::vector<CString>(path.begin(), path.end()));
}

static void NameItems(const ICityTree& tree, HCITYITEM hItem, std::string& out)
{
    for (bool bFirst = true; hItem; hItem = tree.GetNextSiblingItem(hItem), bFirst = false) {
        if (!bFirst)
            out += ',';
        out += CityUtf8FromWide(tree.GetItemText(hItem).wstr());
        if (tree.GetItemData(hItem) == CITY_FOLDER_DATA) {
            out += '{';
            NameItems(tree, tree.GetChildItem(hItem), out);
            out += '}';
        }
    }
}

std::string CityBench::Names() const
{
    std::string out;
    NameItems(tree, tree.GetRootItem(), out);
    return out;
}

std::string CityBench::Data(std::initializer_list<const wchar_t*> path) const
{
    HCITYITEM hItem = Find(path);
    std::intptr_t nData = tree.GetItemData(hItem);
    if (!hItem || nData < 0)
        return "";
    return CityUtf8FromWide(data.GetLocationData(static_cast<int>(nData)).wstr());
}

CCityList PlaceValues(double lon, double lat, double alt, double tz, int type, int altFlag)
{
    CCityList c;
    c.m_dLon = lon;
    c.m_dLat = lat;
    c.m_dAlt = alt;
    c.m_dTz = tz;
    c.m_nType = type;
    c.m_nAltFlag = altFlag;
    return c;
}

std::string JapanList()
{
    return Ansi(L"# system list\r\n"
                L"@日本\r\n"
                L"東京,139.7667000E,35.6833000N,40,+09.00, 0, 0, 3\r\n"
                L"大阪,135.5000000E,34.6833000N,5,+09.00, 0, 0, 3\r\n"
                L"#\r\n"
                L"@米国\r\n"
                L"ホノルル,157.8583000W,21.3069000N,-3,-10.00, 0, 0, 1\r\n"
                L"#\r\n");
}
