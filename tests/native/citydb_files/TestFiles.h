#pragma once

#include <citydb/CCityData.h>
#include <citydb/CMemTree.h>

#include <afx/AnsiCodePage.h>
#include <CityTreeNames.h>
#include <TempDir.h>

#include <functional>
#include <string>
#include <vector>

// CP932 bytes of a wide literal.
inline std::string A(const wchar_t* psz) { return AnsiFromWide(psz); }

// True when f throws CInvalidArgException*, which it deletes.
bool ThrowsInvalidArg(const std::function<void()>& f);

// City data over its own in-memory tree, with the progress reports it received.
struct LoadedList : ICityProgress {
    CMemTree tree;
    CCityData data;
    std::vector<std::pair<int, int>> reports;
    std::vector<CString> texts;
    bool bRead = false;

    LoadedList() { data.m_pTree = &tree; data.m_pProgress = this; }
    void OnCityProgress(int wParam, int lParam, const CString& strText) override
    {
        reports.emplace_back(wParam, lParam);
        texts.push_back(strText);
    }
    void Load(const TempDir& dir, const std::string& bytes)
    {
        WriteBytes(dir.Path("zelkam.obs"), bytes);
        data.m_strObsFile = dir.WidePath("zelkam.obs");
        bRead = data.LoadCityList();
    }
    // The root folder, made when there is none.
    HCITYITEM Root();
    // A place with a new record, last in hParent.
    HCITYITEM Add(HCITYITEM hParent, const CString& strName, double lon, double lat, double alt, double tz,
                  int altFlag = 0, int user = 0, int type = 3);
};
