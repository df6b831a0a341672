#include "LogTestKit.h"

#include <gtest/gtest.h>

std::string Rec(const char* action, const wchar_t* name, const char* type, const wchar_t* offset, const char* data,
                const wchar_t* latest, const std::string& next)
{
    return std::string("{\"action\":\"") + action + "\",\"data\":\"" + data + "\",\"latest_name\":\"" + Ansi(latest)
        + "\",\"next\":" + next + ",\"original_name\":\"" + Ansi(name) + "\",\"type\":\"" + type
        + "\",\"vertical_offset\":\"" + Ansi(offset) + "\"}";
}

std::string Arr(Recs recs)
{
    std::string out;
    for (const std::string& r : recs)
        out += (out.empty() ? "[" : ",") + r;
    return out.empty() ? "[]" : out + "]";
}

CCityList PlaceValues(double lon, double lat, double alt, double tz, int type, int altFlag)
{
    return CCityList{nullptr, 0, CString(), lon, lat, alt, tz, altFlag, 0, type};
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

bool CityBench::Rename(At at, const wchar_t* name)
{
    HCITYITEM h = Find(at);
    if (tree.GetItemData(h) == CITY_FOLDER_DATA)
        return editor.EditFolder(h, name, refusal);
    return editor.EditPlace(h, name, data.CityAt(static_cast<int>(tree.GetItemData(h))), refusal);
}

void CityBench::SaveAndReplay(CityBench& replay)
{
    ASSERT_TRUE(log.SaveCityList());
    replay.Open(ReadBytes(dir.Path("zelkam.obs")), SavedLog());
}

std::string JapanList()
{
    return Ansi(L"# system list\r\n@日本\r\n"
                L"東京,139.7667000E,35.6833000N,40,+09.00, 0, 0, 3\r\n"
                L"大阪,135.5000000E,34.6833000N,5,+09.00, 0, 0, 3\r\n"
                L"#\r\n@米国\r\n"
                L"ホノルル,157.8583000W,21.3069000N,-3,-10.00, 0, 0, 1\r\n#\r\n");
}
