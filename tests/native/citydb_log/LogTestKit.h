#pragma once

#include <citydb/CCitySession.h>
#include <citydb/CMemTree.h>
#include <citydb/CityLogText.h>

#include <afx/AnsiCodePage.h>
#include <TempDir.h>

#include <initializer_list>
#include <string>
#include <vector>

// CP932 bytes of a wide literal.
inline std::string Ansi(const wchar_t* psz) { return AnsiFromWide(psz); }

// One record as the system serializes it, keys in their byte order.
std::string Rec(const char* action, const wchar_t* name, const char* type = "node",
                const wchar_t* offset = L"", const char* data = "", const wchar_t* latest = L"",
                const std::string& next = "[]");
// Records joined into an array.
std::string Arr(std::initializer_list<std::string> recs);

// A city list session over the in-memory tree and files in a temporary directory
// (zelkam.obs, zelkam_user.obs, zelkam_user_obs.json).
struct CityBench {
    TempDir dir;
    CMemTree tree;
    CCitySession session{tree};
    CCityData& data = session.m_data;
    CLocationLog& log = session.m_log;
    CCityEditor& editor = session.m_editor;

    CityBench();
    // Writes the system list (and the log, unless bNoLog) and loads both, as the dialog does.
    void Open(const std::string& systemList, const std::string& logText, bool bNoLog = false);
    // Loads again from the files as they are now.
    void Reopen() { session.Load(); }
    // The item reached through these names from the root ("場所" first); null when none.
    HCITYITEM Find(std::initializer_list<const wchar_t*> path) const;
    std::string Dump() const { return CityDumpTree(data); }
    // Names only, UTF-8: folders as name{children}, siblings joined by ','.
    std::string Names() const;
    // The location data string of a place, UTF-8; "" when there is no such place.
    std::string Data(std::initializer_list<const wchar_t*> path) const;
    std::string LogText() const { return log.m_locationTreeContext.serialize(); }
    std::string SavedLog() const { return ReadBytes(dir.Path("zelkam_user_obs.json")); }
};

// Place values for the editor.
CCityList PlaceValues(double lon, double lat, double alt, double tz, int type = 0, int altFlag = 0);

// The system list of the worked example: 日本 with 東京 and 大阪.
std::string JapanList();
