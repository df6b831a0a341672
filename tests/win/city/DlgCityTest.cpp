#include "CityDlgFixture.h"

#include <citydb/CCitySession.h>
#include <citydb/CMemTree.h>

namespace {

// Each place is a carry or a sign that the fields must show.
const wchar_t kList[] =
    L"# test list\r\n@日本\r\n東京,139.7667000E,35.6833000N,40,+09.00, 0, 0, 3\r\n"
    L"大阪,135.5000000E,34.5000000N,5,+09.00, 0, 0, 3\r\n#\r\n@世界\r\n"
    L"東端,139.9999900E,89.9999900N,0,+09.00, 0, 0, 2\r\n日付変更線,179.9999900E,10.0000000S,0,+05.75, 0, 0, 2\r\n"
    L"西,0.5000000W,51.5000000N,0,-03.50, 0, 0, 2\r\n#\r\n";
constexpr UINT kMsgCityRuns = WM_USER + 701, kMsgProgress = WM_USER + 112;

// The wParams of the notices 1725 (a city dialog runs) and 1136 (loading progress).
std::vector<WPARAM> g_runs, g_progress;

LRESULT CALLBACK RecordNotices(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (uMsg == kMsgCityRuns || uMsg == kMsgProgress)
        (uMsg == kMsgCityRuns ? g_runs : g_progress).push_back(wParam);
    return DefSubclassProc(hWnd, uMsg, wParam, lParam);
}

using CShown = std::pair<int, const wchar_t*>;  // a control and the text it must show

// The location dialog's host, recording what the host's main window is told.
class CityDlgTest : public CityDlgFixture {
protected:
    void SetUp() override
    {
        CityDlgFixture::SetUp();
        g_runs.clear();
        SetWindowSubclass(HostMainWnd().GetSafeHwnd(), RecordNotices, 1, 0);
        WriteList(kList);
    }
    void TearDown() override { RemoveWindowSubclass(HostMainWnd().GetSafeHwnd(), RecordNotices, 1); CityDlgFixture::TearDown(); }
    // Through the location dialog's city button.
    static void RunFromObs(CDlgObs& obs, const std::function<void(CDlgCity&, HWND)>& script)
    {
        AfxSetModalDialogHook(IDD_CITY, [&](CDialog* pDlg) { script(static_cast<CDlgCity&>(*pDlg), pDlg->GetSafeHwnd()); });
        Click(obs, IDC_OBS_BTN_CITY);
    }
};

TEST_F(CityDlgTest, FieldsShowThePlaceWithItsCarriesAndKeepTheirRanges)
{
    constexpr wchar_t kLngMsg[] = L"経度の度には 0 から 180 までの値を入力してください。";
    const std::vector<CShown> kLatPole = {{IDC_CITY_EDT_LAT_DEG, L"90"}, {IDC_CITY_EDT_LAT_MIN, L"0"}, {IDC_CITY_EDT_LAT_SEC, L"0.0"}};
    // 東京 shows 139° 46' 0.1" and 35° 40' 59.9" before the typing and the step.
    struct { const char* fault; const wchar_t* place; int nEdit; const wchar_t *typed, *msg; int nSpin; std::vector<int> checked; std::vector<CShown> shown; } const cases[] = {
        {"a carry into the degrees", L"世界/東端", 0, nullptr, nullptr, 0, {IDC_CITY_RD_EAST, IDC_CITY_RD_NORTH}, {{IDC_CITY_EDT_LNG_DEG, L"140"}, {IDC_CITY_EDT_LNG_MIN, L"0"}, {IDC_CITY_EDT_LNG_SEC, L"0.0"}, kLatPole[0], kLatPole[1], kLatPole[2]}},
        {"a carry to 180, south or a plus zone", L"世界/日付変更線", 0, nullptr, nullptr, 0, {IDC_CITY_RD_SOUTH, IDC_CITY_RD_TZ_P}, {{IDC_CITY_EDT_LNG_DEG, L"180"}, {IDC_CITY_EDT_LNG_MIN, L"0"}, {IDC_CITY_EDT_TZ_HOUR, L"5"}, {IDC_CITY_EDT_TZ_MIN, L"45"}}},
        {"west or a minus zone", L"世界/西", 0, nullptr, nullptr, 0, {IDC_CITY_RD_WEST, IDC_CITY_RD_TZ_M}, {{IDC_CITY_EDT_LNG_DEG, L"0"}, {IDC_CITY_EDT_LNG_MIN, L"30"}, {IDC_CITY_EDT_TZ_HOUR, L"3"}, {IDC_CITY_EDT_TZ_MIN, L"30"}}},
        {"181 degrees typed", L"日本/東京", IDC_CITY_EDT_LNG_DEG, L"181", kLngMsg, 0, {}, {{IDC_CITY_EDT_LNG_DEG, L"0"}, {IDC_CITY_EDT_LNG_MIN, L"46"}}},
        {"91 degrees typed", L"日本/東京", IDC_CITY_EDT_LAT_DEG, L"91", L"緯度の度には 0 から 90 までの値を入力してください。", 0, {}, kLatPole},
        {"89 stepped up", L"日本/東京", IDC_CITY_EDT_LAT_DEG, L"89", nullptr, IDC_CITY_SPN_LAT_DEG, {}, kLatPole},
        {"90 stepped up", L"日本/東京", IDC_CITY_EDT_LAT_DEG, L"90", nullptr, IDC_CITY_SPN_LAT_DEG, {}, kLatPole},
        {"180 stepped up kept the minutes", L"日本/東京", IDC_CITY_EDT_LNG_DEG, L"180", nullptr, IDC_CITY_SPN_LNG_DEG, {}, {{IDC_CITY_EDT_LNG_DEG, L"180"}, {IDC_CITY_EDT_LNG_MIN, L"0"}, {IDC_CITY_EDT_LNG_SEC, L"0.0"}}},
        {"180 typed kept the minutes", L"日本/東京", IDC_CITY_EDT_LNG_DEG, L"180", nullptr, 0, {}, {{IDC_CITY_EDT_LNG_DEG, L"180"}, {IDC_CITY_EDT_LNG_MIN, L"0"}, {IDC_CITY_EDT_LNG_SEC, L"0.0"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        if (c.msg != nullptr)
            AfxTestExpectMessageBox(c.msg, IDOK);
        RunCity([&](CDlgCity& dlg, HWND hDlg) {
            Select(dlg, c.place);
            // Typed over the selection, so the field is never seen empty; a step up is a delta of -1.
            ::SendDlgItemMessageW(hDlg, c.nEdit, EM_SETSEL, 0, -1);
            for (const wchar_t* p = c.typed; p && *p; ++p)
                ::SendDlgItemMessageW(hDlg, c.nEdit, WM_CHAR, *p, 1);
            if (c.nSpin != 0)
                ::StepUpDown(hDlg, c.nSpin, -1);
            for (const CShown& s : c.shown)
                EXPECT_EQ(CString(s.second), Text(hDlg, s.first)) << "control " << s.first;
            for (int nID : c.checked)
                EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(hDlg, nID)) << "radio " << nID;
            EXPECT_EQ(0, dlg.m_bAutoAlt);
            ::Click(hDlg, IDCANCEL);
        });
    }
}

TEST_F(CityDlgTest, ButtonsFollowTheSelectionAndTheListsEditability)
{
    // Edit, add, delete, store as default after each selection (the first is the root as opened).
    struct CState { const wchar_t* pszSelected; bool bShown[4]; };
    const int kButtons[4] = {IDC_CITY_BTN_EDIT, IDC_CITY_BTN_ADD, IDC_CITY_BTN_DEL, IDC_CITY_BTN_SET_INIT};
    const std::vector<CState> kEditable = {{L"", {0, 1, 0, 1}}, {L"日本/東京", {1, 1, 1, 1}}, {L"", {0, 1, 0, 1}}, {L"日本", {1, 1, 1, 0}}};
    const std::vector<CState> kReadOnly = {{L"", {0, 1, 0, 1}}, {L"日本/東京", {0, 0, 0, 1}}, {L"", {0, 0, 0, 1}}, {L"日本", {0, 0, 0, 0}}};
    for (bool bReadOnly : {false, true}) {
        SCOPED_TRACE(bReadOnly ? "a read-only list editable" : "the root or a folder given the wrong buttons");
        SetFileAttributesW(DataFile(_T("zelkam.obs")).GetString(), bReadOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        RunCity([&](CDlgCity& dlg, HWND hDlg) {
            int nStep = 0;
            for (const CState& s : bReadOnly ? kReadOnly : kEditable) {
                if (nStep++ > 0)
                    Select(dlg, s.pszSelected);
                for (int i = 0; i < 4; ++i)
                    EXPECT_EQ(s.bShown[i], ::IsWindowEnabled(::GetDlgItem(hDlg, kButtons[i])) != FALSE) << "step " << nStep << ", button " << kButtons[i];
            }
            ::Click(hDlg, IDCANCEL);
        });
    }
    SetFileAttributesW(DataFile(_T("zelkam.obs")).GetString(), FILE_ATTRIBUTE_NORMAL);
}

// The reset reloads the list as the first load does, with the wait cursor and the progress
// notices, and leaves nothing selected: no item that is gone can be edited or deleted.
TEST_F(CityDlgTest, ResetLeavesNothingSelectedAndShowsItsProgress)
{
    RunCity([&](CDlgCity& dlg, HWND hDlg) {
        Select(dlg, L"日本/東京");
        g_progress.clear();
        AfxTestExpectMessageBox(L"都市名データを初期化します。\r\nこれまで編集したデータは全て失われます。", IDOK);
        ::Click(hDlg, IDC_CITY_BTN_RESET);
        EXPECT_TRUE(!g_progress.empty() && g_progress.front() == 0 && g_progress.back() == 2);
        EXPECT_EQ(nullptr, TreeView_GetSelection(::GetDlgItem(hDlg, IDC_CITY_TREE)));
        for (auto [nID, bEnabled] : {std::pair{IDC_CITY_BTN_EDIT, false}, {IDC_CITY_BTN_ADD, true}, {IDC_CITY_BTN_DEL, false}, {IDC_CITY_BTN_SET_INIT, false}})
            EXPECT_EQ(bEnabled, ::IsWindowEnabled(::GetDlgItem(hDlg, nID)) != FALSE) << "button " << nID;
        // Reached anyway (a keyboard accelerator, a script): nothing is asked about an item that is gone.
        ::Click(hDlg, IDC_CITY_BTN_DEL);
        ::Click(hDlg, IDCANCEL);
    });
    EXPECT_EQ(JoinedFailures(), "");
}

TEST_F(CityDlgTest, DoubleClickOpensAFolderAndPicksAPlace)
{
    for (auto [pszPath, nResult] : {std::pair{L"世界", IDCANCEL}, {L"日本/大阪", IDOK}}) {
        SCOPED_TRACE(nResult == IDOK ? "a place's double click does not pick it" : "a folder's does not open it");
        bool bExpanded = false;
        EXPECT_EQ(nResult, RunCity([&](CDlgCity& dlg, HWND hDlg) {
            const HTREEITEM hItem = Select(dlg, pszPath);
            const HWND hTree = ::GetDlgItem(hDlg, IDC_CITY_TREE);
            const POINT pt = Centre(hTree, hItem);
            ::SendMessageW(hTree, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
            // A place has ended the dialog; a folder leaves it open.
            if (nResult == IDCANCEL) {
                bExpanded = (TreeView_GetItemState(hTree, hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
                ::Click(hDlg, IDCANCEL);
            }
        }));
        EXPECT_EQ(nResult == IDCANCEL, bExpanded);
    }
}

TEST_F(CityDlgTest, ALabelEditIsRecordedSoTheNameSurvivesTheNextLoad)
{
    RunCity([&](CDlgCity& dlg, HWND hDlg) {
        NMTVDISPINFOW info = {{::GetDlgItem(hDlg, IDC_CITY_TREE), IDC_CITY_TREE, TVN_ENDLABELEDITW}, {}};
        info.item.hItem = Select(dlg, L"日本/東京"), info.item.pszText = const_cast<LPWSTR>(L"東京都");
        ::SendMessageW(hDlg, WM_NOTIFY, IDC_CITY_TREE, reinterpret_cast<LPARAM>(&info));
        ::Click(hDlg, IDOK);
    });
    EXPECT_NE(std::string::npos, ReadBytes(DataFile(_T("zelkam_user_obs.json"))).find(CStringA(_T("東京都")).str()));
}

TEST_F(CityDlgTest, OkWritesOnlyAChangedListAndCancelNothing)
{
    // A folder in the user list's place makes its save fail after the log's: the user is told
    // the edits are kept, the dialog closes.
    struct { const char* pszCase; bool bReset, bUnwritable; int nEnd; bool bWritten, bLogWritten; } const cases[] = {
        {"OK unchanged", false, false, IDOK, false, false}, {"Cancel after reset", true, false, IDCANCEL, false, false},
        {"OK after reset", true, false, IDOK, true, true}, {"OK, list unwritable", true, true, IDOK, false, true}};
    const CString strUserList = DataFile(_T("zelkam_user.obs"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        auto dlg = OpenNew();
        // Creation derived the user list from the system list; gone, any write of it shows.
        DeleteFileW(strUserList.GetString());
        if (c.bUnwritable)
            CreateDirectoryW(strUserList.GetString(), nullptr);
        if (c.bReset)
            AfxTestExpectMessageBox(L"都市名データを初期化します。\r\nこれまで編集したデータは全て失われます。", IDOK);
        if (c.bUnwritable)
            AfxTestExpectMessageBox(_T("変更は保存しましたが、都市名リストを書き込めませんでした。\n次のファイルに書き込めません：\n") + strUserList
                                        + _T("\n\n都市名リストは次回の起動時に変更履歴から作り直します。"), IDOK);
        RunFromObs(*dlg, [&](CDlgCity&, HWND hDlg) {
            if (c.bReset)
                ::Click(hDlg, IDC_CITY_BTN_RESET);
            ::Click(hDlg, c.nEnd);
        });
        EXPECT_EQ(c.bWritten, ReadBytes(DataFile(_T("zelkam_user.obs"))) != "<missing>");
        EXPECT_EQ(c.bLogWritten, ReadBytes(DataFile(_T("zelkam_user_obs.json"))) != "<missing>");
        const std::vector<StandInMapCall> calls = CStandInMap::Last()->CallsOf(26);
        EXPECT_EQ(c.bWritten ? 1u : 0u, calls.size());
        EXPECT_TRUE(calls.empty() || calls[0].Text() == _T("26(TRUE)"));
        RemoveDirectoryW(strUserList.GetString());
        DeleteUserLists();
    }
}

TEST_F(CityDlgTest, HandOffBringsThePickAndTheDefaultBackOnlyOnOk)
{
    constexpr wchar_t kOsakaDefault[] =
        L"東経 135度30分 0.0秒\n北緯  34度30分 0.0秒\n標高 5m\nタイムゾーン + 9時間 0分\n\nを初期値として設定します。";
    // Cancel first: an OK leaves the engine's automatic altitude off for the next case.
    struct { const char* pszCase; int nDefaultAnswer, nEnd; bool bStored; } const cases[] = {
        {"default then Cancel", IDOK, IDCANCEL, false}, {"default refused then OK", IDCANCEL, IDOK, false}, {"default then OK", IDOK, IDOK, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        CRegistry::DeleteKey(CString());
        auto dlg = OpenNew(_T("C:\\mesh\\index.dat"));
        Click(*dlg, IDC_RD_ALT_AUTO);
        m_engine.m_commands.clear(), m_obs.ClearCalls(), g_runs.clear(), g_progress.clear();
        AfxTestExpectMessageBox(kOsakaDefault, c.nDefaultAnswer);
        RunFromObs(*dlg, [&](CDlgCity& city, HWND hDlg) {
            Select(city, L"日本/大阪");
            ::Click(hDlg, IDC_CITY_BTN_SET_INIT);
            ::Click(hDlg, c.nEnd);
        });
        const bool bOk = c.nEnd == IDOK;
        EXPECT_EQ((std::vector<WPARAM>{1, 0}), g_runs);
        EXPECT_TRUE(!g_progress.empty() && g_progress.front() == 0 && g_progress.back() == 2);
        EXPECT_EQ(CString(bOk ? _T("135") : _T("139")), Text(*dlg, IDC_EDT_LNG_DEG));
        EXPECT_EQ(CString(bOk ? _T("5") : _T("39")), Text(*dlg, IDC_EDT_ALT));
        EXPECT_EQ(CString(bOk ? _T("UpdateObsByUI(135.5, 34.5, 5, 9)") : _T("")), m_obs.m_calls.empty() ? CString() : m_obs.m_calls.back().Text());
        CString strDefault;
        CRegistry::Read(_T("Default"), _T("location"), CString(), strDefault);
        EXPECT_EQ(c.bStored ? _T("location(135.500000, 34.500000, 5.000000)") : _T(""), strDefault);
        EXPECT_EQ(bOk, std::count(m_engine.m_commands.begin(), m_engine.m_commands.end(), _T("Solar.Planet.Earth.Landscape.AutoGetAltitude = FALSE")) > 0);
        EXPECT_EQ(bOk, Checked(*dlg, IDC_RD_ALT_MANUAL));
    }
}

TEST_F(CityDlgTest, TheSystemListComesFromTheModuleFolderOrTheUserIsTold)
{
    DeleteFileW(DataFile(_T("zelkam.obs")).GetString());
    for (bool bInModuleFolder : {true, false}) {
        SCOPED_TRACE(bInModuleFolder ? "the module folder's list not found" : "a missing list not told");
        if (bInModuleFolder)
            ASSERT_TRUE(WriteBytes(ModuleDir() + _T("zelkam.obs"), CStringA(kList).str()));
        else
            AfxTestExpectMessageBox(_T("観測地ファイルが見つかりません。"), IDOK);
        auto dlg = OpenNew();
        g_runs.clear();
        CString strObsFile;
        RunFromObs(*dlg, [&](CDlgCity& city, HWND hDlg) {
            strObsFile = city.m_strObsFile;
            Select(city, L"日本/東京");
            ::Click(hDlg, IDCANCEL);
        });
        EXPECT_EQ(bInModuleFolder ? ModuleDir() + _T("zelkam.obs") : CString(), strObsFile);
        EXPECT_EQ(bInModuleFolder ? 2u : 0u, g_runs.size());
        DeleteFileW((ModuleDir() + _T("zelkam.obs")).GetString());
    }
}

TEST_F(CityDlgTest, CreationRebuildsAUserListOlderThanTheSystemListOrTheLog)
{
    // The user added 新宿; then the system list gains 京都.
    CMemTree tree;
    CCitySession session(tree);
    session.SetFiles(DataFile(_T("zelkam.obs")), DataFile(_T("zelkam_user.obs")), DataFile(_T("zelkam_user_obs.json")));
    session.Load();
    CString strRefusal;
    ASSERT_NE(nullptr, session.m_editor.AddPlace(session.Find({_T("場所"), _T("日本")}), _T("新宿"), CCityList(), strRefusal));
    ASSERT_TRUE(session.Save());
    const std::string saved = ReadBytes(DataFile(_T("zelkam_user.obs")));
    WriteList(CString(kList) + _T("@京都府\r\n京都,135.7500000E,35.0000000N,50,+09.00, 0, 0, 3\r\n#\r\n"));
    // The user list and the log last written about 2000, 2100 or 2200 (0: the log as saved).
    const struct { const char* fault; DWORD dwList, dwLog; bool bRebuilt; } cases[] = {
        {"a list older than the system list kept", 0x01BF0000u, 0, true},
        {"a newer user list rebuilt", 0x02300000u, 0, false},
        {"a list older than its log (a save cut short) kept", 0x02300000u, 0x02A00000u, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        ASSERT_TRUE(WriteBytes(DataFile(_T("zelkam_user.obs")), saved));
        for (auto [pszFile, dwHigh] : {std::pair{_T("zelkam_user.obs"), c.dwList}, {_T("zelkam_user_obs.json"), c.dwLog}}) {
            const FILETIME ft = {0, dwHigh};
            HANDLE h = CreateFileW(DataFile(pszFile).GetString(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            if (dwHigh != 0)
                SetFileTime(h, nullptr, nullptr, &ft);
            CloseHandle(h);
        }
        auto dlg = OpenNew();
        const std::string strUser = ReadBytes(DataFile(_T("zelkam_user.obs")));
        EXPECT_NE(std::string::npos, strUser.find(CStringA(_T("新宿")).str()));
        EXPECT_EQ(c.bRebuilt, strUser.find(CStringA(_T("京都")).str()) != std::string::npos);
    }
}

}  // namespace
