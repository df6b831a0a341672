#pragma once

#include <citydb/CCitySession.h>
#include <citydb/CMemTree.h>
#include <citydb/CityLogText.h>

#include <afx/AnsiCodePage.h>
#include <CityTreeNames.h>
#include <TempDir.h>

#include <initializer_list>
#include <string>

// Names from the root down, "場所" first.
using At = std::initializer_list<const wchar_t*>;
using Recs = std::initializer_list<std::string>;

// CP932 bytes of a wide literal.
inline std::string Ansi(const wchar_t* psz) { return AnsiFromWide(psz); }

// One record as the system serializes it, keys in their byte order.
std::string Rec(const char* action, const wchar_t* name, const char* type = "node", const wchar_t* offset = L"",
                const char* data = "", const wchar_t* latest = L"", const std::string& next = "[]");
std::string Arr(Recs recs);
inline std::string PathRec(const wchar_t* name, Recs next) { return Rec("path", name, "node", L"", "", L"", Arr(next)); }
inline std::string Del(const wchar_t* name) { return Rec("delete", name, "node", L"", "", L"", "\"\""); }
// A whole log with records under 場所, and under 場所 > 日本.
inline std::string Top(Recs recs) { return Arr({PathRec(L"場所", recs)}); }
inline std::string InJapan(Recs recs) { return Top({PathRec(L"日本", recs)}); }

// The data of PlaceValues(139.7, 35.7, 30, 9) as the editor writes it.
inline const char* const kHome = "139.7000000,35.7000000,30,09.00, 0, 1, 0";
CCityList PlaceValues(double lon, double lat, double alt, double tz, int type = 0, int altFlag = 0);

// The in-memory tree; as a tree view can, it refuses every insert after the first nAllowed.
struct RefusingTree : CMemTree {
    int nAllowed = 1 << 30;
    HCITYITEM InsertItem(const CString& strText, int nImage, int nSelectedImage, std::intptr_t nData, HCITYITEM hParent,
                         HCITYITEM hInsertAfter) override
    {
        return nAllowed-- <= 0 ? nullptr : CMemTree::InsertItem(strText, nImage, nSelectedImage, nData, hParent, hInsertAfter);
    }
};

// A city list session over that tree and files in a temporary directory
// (zelkam.obs, zelkam_user.obs, zelkam_user_obs.json), with the editor's calls by path.
struct CityBench {
    TempDir dir;
    RefusingTree tree;
    CCitySession session{tree};
    CCityData& data = session.m_data;
    CLocationLog& log = session.m_log;
    CCityEditor& editor = session.m_editor;
    CString refusal;  // of the last call below

    CityBench();
    // Writes the system list (and the log, unless bNoLog) and loads both, as the dialog does.
    void Open(const std::string& systemList, const std::string& logText, bool bNoLog = false);
    void Reopen() { session.Load(); }
    // Null when there is no such item.
    HCITYITEM Find(At path) const { return session.Find(std::vector<CString>(path.begin(), path.end())); }
    std::string Dump() const { return CityDumpTree(data); }
    std::string Names() const { return TreeNames(tree); }
    std::string LogText() const { return log.GetLocationTreeContext().serialize(); }
    std::string SavedLog() const { return ReadBytes(dir.Path("zelkam_user_obs.json")); }

    HCITYITEM AddPlace(At sel, const wchar_t* name, const CCityList& values = PlaceValues(139.7, 35.7, 30, 9))
    {
        return editor.AddPlace(Find(sel), name, values, refusal);
    }
    HCITYITEM AddFolder(At sel, const wchar_t* name) { return editor.AddFolder(Find(sel), name, refusal); }
    // A place keeps its values.
    bool Rename(At at, const wchar_t* name);
    bool Delete(At at) { return editor.DeleteItem(Find(at)); }
    // mode answers the question for a folder dropped on a folder.
    bool Drop(At item, At target, int mode = 0)
    {
        return editor.DropItem(Find(item), Find(target), [mode](const CString&) { return mode; }, refusal);
    }
    // Saves, then loads the saved log over the same system list into replay.
    void SaveAndReplay(CityBench& replay);
};

// The system list of the worked example: 日本 with 東京 and 大阪, 米国 with ホノルル.
std::string JapanList();
