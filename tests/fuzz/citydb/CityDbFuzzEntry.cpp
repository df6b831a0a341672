#include "CityDbFuzzEntry.h"

#include <citydb/CCitySession.h>
#include <citydb/CMemTree.h>

#include <cstdlib>
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
    unsigned long nProcess = GetCurrentProcessId();
#else
    unsigned long nProcess = static_cast<unsigned long>(getpid());
#endif
    std::filesystem::path dir = std::filesystem::temp_directory_path();
    std::wstring name = L"citydb_fuzz_" + std::to_wstring(nProcess) + L"_" + pszName;
    return CString((dir / name).wstring());
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
    std::ofstream out(std::filesystem::path(strPath.wstr()), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
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
    std::vector<HCITYITEM> Items() const
    {
        std::vector<HCITYITEM> out = tree.GetItems();
        if (out.size() > 4096)
            out.resize(4096);
        return out;
    }
};

}  // namespace

int CityDbFuzzOne(const std::uint8_t* pData, std::size_t nSize)
{
    std::string input(reinterpret_cast<const char*>(pData), nSize);
    std::string::size_type nNul = input.find('\0');
    std::string system = input.substr(0, nNul);
    std::string logText = nNul == std::string::npos ? input : input.substr(nNul + 1);
    static FuzzFiles s_files;
    const CString strSystem = FuzzPath(L"zelkam.obs");
    const CString strLog = FuzzPath(L"zelkam_user_obs.json");
    Put(strSystem, system);
    Put(strLog, logText);
    std::error_code ec;

    static FuzzCity city;
    city.Load(strSystem, strLog);
    std::vector<HCITYITEM> items = city.Items();
    CCityEditor& editor = city.session.m_editor;
    CString s;
    CCityList place;
    place.m_dLon = 139.7;
    place.m_dLat = 35.7;
    auto ask = [](const CString& strFolder) { return strFolder.GetLength() % 2; };
    if (!items.empty()) {
        // Edits picked by the input, so that the fuzzer steers them.
        for (std::size_t i = 0; i < 6; ++i) {
            std::size_t nPick = i < nSize ? pData[nSize - 1 - i] : i;
            HCITYITEM hItem = items[nPick % items.size()];
            HCITYITEM hOther = items[(nPick / 7) % items.size()];
            bool bFolder = city.tree.GetItemData(hItem) == CITY_FOLDER_DATA;
            switch (nPick % 6) {
            case 0: editor.AddPlace(hItem, L"新規", place, s); break;
            case 1: editor.AddFolder(hItem, L"新しいフォルダ", s); break;
            case 2:
                if (bFolder)
                    editor.EditFolder(hItem, city.tree.GetItemText(hItem) + L"'", s);
                else
                    editor.EditPlace(hItem, city.tree.GetItemText(hItem) + L"'", place, s);
                break;
            case 3: editor.EndOfDrag(TRUE, hItem, hOther, ask, s); break;
            case 4: editor.DeleteItem(hItem); break;
            default: editor.EndOfDrag(TRUE, hOther, hItem, ask, s); break;
            }
            items = city.Items();
            if (items.empty())
                break;
        }
    }
    CLocationLog::SaveResult saved = city.session.Save();
    // Backups would pile up over millions of inputs.
    if (!saved.strBackup.IsEmpty())
        std::filesystem::remove(std::filesystem::path(saved.strBackup.wstr()), ec);

    // The saved log read again never crashes either.
    static FuzzCity again;
    again.Load(strSystem, strLog);
    return 0;
}
