#include "CityDlgTestHost.h"

#include <citydb/CCitySession.h>
#include <citydb/CMemTree.h>

#include <algorithm>

namespace {

constexpr wchar_t kResetText[] = L"都市名データを初期化します。\r\nこれまで編集したデータは全て失われます。";
constexpr wchar_t kOsakaDefault[] =
    L"東経 135度30分 0.0秒\n北緯  34度30分 0.0秒\n標高 5m\nタイムゾーン + 9時間 0分\n\nを初期値として設定します。";
constexpr wchar_t kAutoAltOff[] = L"Solar.Planet.Earth.Landscape.AutoGetAltitude = FALSE";

CString RegistryText(LPCTSTR pszName)
{
    CString strValue;
    CRegistry::Read(_T("Default"), pszName, CString(), strValue);
    return strValue;
}

}  // namespace

TEST_F(CityDlgTest, OkWritesOnlyAChangedListAndCancelNothing)
{
    struct {
        const char* pszCase;
        bool bReset;
        int nEnd;
        bool bWritten;
    } const cases[] = {
        {"OK unchanged", false, IDOK, false},
        {"Cancel after reset", true, IDCANCEL, false},
        {"OK after reset", true, IDOK, true},
    };
    for (const auto& c : cases) {
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        // Creation derived the user list from the system list; gone, any write of it shows.
        DeleteFileW(DataFile(_T("zelkam_user.obs")).GetString());
        if (c.bReset)
            AfxTestExpectMessageBox(kResetText, IDOK);
        RunHandOff(*dlg, [&](CDlgCity& city) {
            if (c.bReset)
                Press(city.GetSafeHwnd(), IDC_CITY_BTN_RESET);
            Press(city.GetSafeHwnd(), c.nEnd);
        });
        for (LPCTSTR pszFile : {_T("zelkam_user.obs"), _T("zelkam_user_obs.json")})
            EXPECT_EQ(c.bWritten, ReadBytes(DataFile(pszFile)) != "<missing>") << c.pszCase;
        const std::vector<StandInMapCall> calls = CStandInMap::Last()->CallsOf(26);
        EXPECT_EQ(c.bWritten ? 1u : 0u, calls.size()) << c.pszCase;
        if (!calls.empty()) {
            EXPECT_EQ(CString(_T("26(TRUE)")), calls[0].Text()) << c.pszCase;
        }
        dlg.reset();
        DeleteFileW(DataFile(_T("zelkam_user.obs")).GetString());
        DeleteFileW(DataFile(_T("zelkam_user_obs.json")).GetString());
    }
}

TEST_F(CityDlgTest, HandOffBringsThePickAndTheDefaultBackOnlyOnOk)
{
    struct {
        const char* pszCase;
        int nDefaultAnswer;
        int nEnd;
        bool bStored;
    } const cases[] = {
        // Cancel first: an OK leaves the engine's automatic altitude off for the next case.
        {"default then Cancel", IDOK, IDCANCEL, false},
        {"default refused then OK", IDCANCEL, IDOK, false},
        {"default then OK", IDOK, IDOK, true},
    };
    for (const auto& c : cases) {
        CRegistry::DeleteKey(CString());
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg, _T("C:\\mesh\\index.dat")));
        Click(*dlg, IDC_RD_ALT_AUTO);
        ASSERT_FALSE(Checked(*dlg, IDC_RD_ALT_MANUAL));
        m_engine.m_commands.clear();
        ClearNotices();
        const double dLatBefore = m_obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLat];
        AfxTestExpectMessageBox(kOsakaDefault, c.nDefaultAnswer);
        RunHandOff(*dlg, [&](CDlgCity& city) {
            Select(city, {_T("場所"), _T("日本"), _T("大阪")});
            Press(city.GetSafeHwnd(), IDC_CITY_BTN_SET_INIT);
            Press(city.GetSafeHwnd(), c.nEnd);
        });
        const bool bOk = c.nEnd == IDOK;
        EXPECT_EQ((std::vector<WPARAM>{1, 0}), Notices(WM_USER + 701)) << c.pszCase;
        const std::vector<WPARAM> progress = Notices(WM_USER + 112);
        EXPECT_TRUE(!progress.empty() && progress.front() == 0 && progress.back() == 2) << c.pszCase;
        EXPECT_EQ(CString(bOk ? _T("135") : _T("139")), Text(dlg->GetSafeHwnd(), IDC_EDT_LNG_DEG)) << c.pszCase;
        EXPECT_EQ(CString(bOk ? _T("5") : _T("39")), Text(dlg->GetSafeHwnd(), IDC_EDT_ALT)) << c.pszCase;
        EXPECT_DOUBLE_EQ(bOk ? 34.5 : dLatBefore, m_obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLat]);
        EXPECT_EQ(c.bStored ? CString(_T("location(135.500000, 34.500000, 5.000000)")) : CString(),
                  RegistryText(_T("location"))) << c.pszCase;
        const bool bAutoOff = std::count(m_engine.m_commands.begin(), m_engine.m_commands.end(), kAutoAltOff) > 0;
        EXPECT_EQ(bOk, bAutoOff) << c.pszCase;
        EXPECT_EQ(bOk, Checked(*dlg, IDC_RD_ALT_MANUAL)) << c.pszCase;
    }
}

TEST_F(CityDlgTest, TheSystemListComesFromTheModuleFolderOrTheUserIsTold)
{
    struct {
        bool bInModuleFolder;
        bool bOpens;
    } const cases[] = {{true, true}, {false, false}};
    DeleteFileW(DataFile(_T("zelkam.obs")).GetString());
    for (const auto& c : cases) {
        if (c.bInModuleFolder)
            WriteList(ModuleDir() + _T("zelkam.obs"), kTestList);
        else
            AfxTestExpectMessageBox(_T("観測地ファイルが見つかりません。"), IDOK);
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        CString strObsFile;
        bool bOpened = false;
        RunHandOff(*dlg, [&](CDlgCity& city) {
            bOpened = city.m_session.Find({_T("場所"), _T("日本"), _T("東京")}) != nullptr;
            strObsFile = city.m_strObsFile;
            Press(city.GetSafeHwnd(), IDCANCEL);
        });
        EXPECT_EQ(c.bOpens, bOpened);
        EXPECT_EQ(c.bOpens ? ModuleDir() + _T("zelkam.obs") : CString(), strObsFile);
        EXPECT_EQ(c.bOpens ? 2u : 0u, Notices(WM_USER + 701).size());
        ClearNotices();
        DeleteFileW((ModuleDir() + _T("zelkam.obs")).GetString());
    }
}

TEST_F(CityDlgTest, CreateRebuildsAUserListOlderThanTheSystemList)
{
    // The user added 新宿; then the system list gains 京都.
    CMemTree tree;
    CCitySession session(tree);
    session.SetFiles(DataFile(_T("zelkam.obs")), DataFile(_T("zelkam_user.obs")), DataFile(_T("zelkam_user_obs.json")));
    session.Load();
    CCityList place;
    CString strRefusal;
    ASSERT_NE(nullptr, session.m_editor.AddPlace(session.Find({_T("場所"), _T("日本")}), _T("新宿"), place, strRefusal));
    ASSERT_TRUE(session.Save());
    const std::string userBefore = ReadBytes(DataFile(_T("zelkam_user.obs")));

    struct {
        bool bSystemNewer;
        bool bRebuilt;
    } const cases[] = {{false, false}, {true, true}};
    for (const auto& c : cases) {
        WriteList(DataFile(_T("zelkam.obs")), CString(kTestList) + _T("@京都府\r\n京都,135.7500000E,35.0000000N,50,+09.00, 0, 0, 3\r\n#\r\n"));
        FILETIME ft = {};
        HANDLE hUser = CreateFileW(DataFile(_T("zelkam_user.obs")).GetString(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        GetFileTime(hUser, nullptr, nullptr, &ft);
        CloseHandle(hUser);
        reinterpret_cast<ULARGE_INTEGER&>(ft).QuadPart += (c.bSystemNewer ? 1 : -1) * 36000000000LL;
        HANDLE hList = CreateFileW(DataFile(_T("zelkam.obs")).GetString(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(hList, nullptr, nullptr, &ft);
        CloseHandle(hList);

        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        const std::string userAfter = ReadBytes(DataFile(_T("zelkam_user.obs")));
        EXPECT_EQ(c.bRebuilt, userAfter != userBefore);
        EXPECT_NE(std::string::npos, userAfter.find(CStringA(_T("新宿")).str()));
        EXPECT_EQ(c.bRebuilt, userAfter.find(CStringA(_T("京都")).str()) != std::string::npos);
    }
}
