#include "CityDbFuzzEntry.h"

#include <citydb/CCitySession.h>
#include <citydb/CMemTree.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <unistd.h>
#endif

namespace {

// Files of this process in the temporary folder, reused by every input.
CString FuzzPath(const wchar_t* pszName)
{
#ifdef _WIN32
    const unsigned long nProcess = GetCurrentProcessId();
#else
    const unsigned long nProcess = static_cast<unsigned long>(getpid());
#endif
    return CString((std::filesystem::temp_directory_path() / (L"citydb_fuzz_" + std::to_wstring(nProcess) + L"_" + pszName)).wstring());
}

// Removes this process's files when it ends.
struct FuzzFiles {
    ~FuzzFiles()
    {
        std::error_code ec;
        for (const wchar_t* pszName : {L"zelkam.obs", L"zelkam_user_obs.json", L"user.obs"})
            std::filesystem::remove(std::filesystem::path(FuzzPath(pszName).wstr()), ec);
    }
};

void Put(const CString& strPath, const std::string& bytes)
{
    std::ofstream(std::filesystem::path(strPath.wstr()), std::ios::binary | std::ios::trunc) << bytes;
}

// A session over the in-memory tree, loaded as a new dialog loads.
struct FuzzCity {
    CMemTree tree;
    CCitySession session{tree};

    void Load(const CString& strSystem, const CString& strLog)
    {
        session.SetFiles(strSystem, FuzzPath(L"user.obs"), strLog);
        session.Load();
    }
};

}  // namespace

int CityDbFuzzOne(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string input(reinterpret_cast<const char*>(pData), nSize);
    const std::string::size_type nNul = input.find('\0');
    static FuzzFiles s_files;
    const CString strSystem = FuzzPath(L"zelkam.obs"), strLog = FuzzPath(L"zelkam_user_obs.json");
    Put(strSystem, input.substr(0, nNul));
    Put(strLog, nNul == std::string::npos ? input : input.substr(nNul + 1));

    static FuzzCity city;
    city.Load(strSystem, strLog);
    CCityEditor& editor = city.session.m_editor;
    CString s;
    CCityList place;
    place.m_dLon = 139.7;
    place.m_dLat = 35.7;
    auto ask = [](const CString& strFolder) { return strFolder.GetLength() % 2; };
    // Edits picked by the input, so that the fuzzer steers them.
    std::vector<HCITYITEM> items = city.tree.GetItems();
    for (std::size_t i = 0; i < 6 && !items.empty(); ++i, items = city.tree.GetItems()) {
        const std::size_t nPick = i < nSize ? pData[nSize - 1 - i] : i;
        HCITYITEM hItem = items[nPick % items.size()];
        HCITYITEM hOther = items[(nPick / 7) % items.size()];
        const CString strRenamed = city.tree.GetItemText(hItem) + L"'";
        switch (nPick % 6) {
        case 0: editor.AddPlace(hItem, L"新規", place, s); break;
        case 1: editor.AddFolder(hItem, L"新しいフォルダ", s); break;
        case 2:
            if (city.tree.GetItemData(hItem) == CITY_FOLDER_DATA)
                editor.EditFolder(hItem, strRenamed, s);
            else
                editor.EditPlace(hItem, strRenamed, place, s);
            break;
        case 3: editor.EndOfDrag(TRUE, hItem, hOther, ask, s); break;
        case 4: editor.DeleteItem(hItem); break;
        default: editor.EndOfDrag(TRUE, hOther, hItem, ask, s); break;
        }
    }
    CLocationLog::SaveResult saved = city.session.Save();
    // Backups would pile up over millions of inputs.
    std::error_code ec;
    if (!saved.strBackup.IsEmpty())
        std::filesystem::remove(std::filesystem::path(saved.strBackup.wstr()), ec);

    // The saved log read again never crashes either.
    static FuzzCity again;
    again.Load(strSystem, strLog);
    return 0;
}
