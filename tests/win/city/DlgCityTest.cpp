#include "CityDlgTestHost.h"

#include <commctrl.h>

namespace {

struct CShown {
    int nID;
    const wchar_t* pszText;
};

void ExpectShown(HWND hDlg, const std::vector<CShown>& shown, const char* pszCase)
{
    for (const CShown& s : shown)
        EXPECT_EQ(CString(s.pszText), CityDlgTest::Text(hDlg, s.nID)) << pszCase << ", control " << s.nID;
}

}  // namespace

TEST_F(CityDlgTest, SelectingAPlaceShowsItsFieldsWithTheCarries)
{
    struct {
        const wchar_t* pszPlace;
        int nEastWest, nNorthSouth, nTzSign;
        std::vector<CShown> shown;
    } const cases[] = {
        {L"東端", IDC_CITY_RD_EAST, IDC_CITY_RD_NORTH, IDC_CITY_RD_TZ_P,
         {{IDC_CITY_EDT_LNG_DEG, L"140"}, {IDC_CITY_EDT_LNG_MIN, L"0"}, {IDC_CITY_EDT_LNG_SEC, L"0.0"},
          {IDC_CITY_EDT_LAT_DEG, L"90"}, {IDC_CITY_EDT_LAT_MIN, L"0"}, {IDC_CITY_EDT_LAT_SEC, L"0.0"}}},
        {L"日付変更線", IDC_CITY_RD_EAST, IDC_CITY_RD_SOUTH, IDC_CITY_RD_TZ_P,
         {{IDC_CITY_EDT_LNG_DEG, L"180"}, {IDC_CITY_EDT_LNG_MIN, L"0"}, {IDC_CITY_EDT_LNG_SEC, L"0.0"},
          {IDC_CITY_EDT_TZ_HOUR, L"5"}, {IDC_CITY_EDT_TZ_MIN, L"45"}}},
        {L"西", IDC_CITY_RD_WEST, IDC_CITY_RD_NORTH, IDC_CITY_RD_TZ_M,
         {{IDC_CITY_EDT_LNG_DEG, L"0"}, {IDC_CITY_EDT_LNG_MIN, L"30"}, {IDC_CITY_EDT_LNG_SEC, L"0.0"},
          {IDC_CITY_EDT_TZ_HOUR, L"3"}, {IDC_CITY_EDT_TZ_MIN, L"30"}}},
    };
    for (const auto& c : cases) {
        const CStringA strCase(c.pszPlace);
        RunCity([&](CDlgCity& dlg) {
            const HWND hDlg = dlg.GetSafeHwnd();
            Select(dlg, {_T("場所"), _T("世界"), c.pszPlace});
            ExpectShown(hDlg, c.shown, strCase.str().c_str());
            for (int nID : {c.nEastWest, c.nNorthSouth, c.nTzSign})
                EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(hDlg, nID)) << strCase.str() << ", radio " << nID;
            EXPECT_EQ(0, dlg.m_bAutoAlt) << strCase.str();
            Press(hDlg, IDCANCEL);
        });
    }
}

TEST_F(CityDlgTest, TypedAndSteppedDegreesKeepTheirRanges)
{
    constexpr wchar_t kLngMsg[] = L"経度の度には 0 から 180 までの値を入力してください。";
    constexpr wchar_t kLatMsg[] = L"緯度の度には 0 から 90 までの値を入力してください。";
    // Typed over 東京 (139° 46' 0.1", 35° 40' 59.9"); nStep 0 types only.
    struct {
        const char* pszCase;
        int nEdit;
        const wchar_t* pszTyped;
        const wchar_t* pszMessage;
        int nSpin, nStep;
        std::vector<CShown> shown;
    } const cases[] = {
        {"181 in the longitude", IDC_CITY_EDT_LNG_DEG, L"181", kLngMsg, 0, 0,
         {{IDC_CITY_EDT_LNG_DEG, L"0"}, {IDC_CITY_EDT_LNG_MIN, L"46"}}},
        {"91 in the latitude", IDC_CITY_EDT_LAT_DEG, L"91", kLatMsg, 0, 0,
         {{IDC_CITY_EDT_LAT_DEG, L"90"}, {IDC_CITY_EDT_LAT_MIN, L"0"}, {IDC_CITY_EDT_LAT_SEC, L"0.0"}}},
        {"90 in the latitude", IDC_CITY_EDT_LAT_DEG, L"90", nullptr, 0, 0,
         {{IDC_CITY_EDT_LAT_DEG, L"90"}, {IDC_CITY_EDT_LAT_MIN, L"0"}, {IDC_CITY_EDT_LAT_SEC, L"0.0"}}},
        {"latitude up from 89", IDC_CITY_EDT_LAT_DEG, L"89", nullptr, IDC_CITY_SPN_LAT_DEG, -1,
         {{IDC_CITY_EDT_LAT_DEG, L"90"}, {IDC_CITY_EDT_LAT_MIN, L"0"}, {IDC_CITY_EDT_LAT_SEC, L"0.0"}}},
        {"latitude up from 90", IDC_CITY_EDT_LAT_DEG, L"90", nullptr, IDC_CITY_SPN_LAT_DEG, -1,
         {{IDC_CITY_EDT_LAT_DEG, L"90"}, {IDC_CITY_EDT_LAT_MIN, L"0"}, {IDC_CITY_EDT_LAT_SEC, L"0.0"}}},
        {"longitude up at 180", IDC_CITY_EDT_LNG_DEG, L"180", nullptr, IDC_CITY_SPN_LNG_DEG, -1,
         {{IDC_CITY_EDT_LNG_DEG, L"180"}, {IDC_CITY_EDT_LNG_MIN, L"46"}, {IDC_CITY_EDT_LNG_SEC, L"0.1"}}},
    };
    for (const auto& c : cases) {
        if (c.pszMessage != nullptr)
            AfxTestExpectMessageBox(c.pszMessage, IDOK);
        RunCity([&](CDlgCity& dlg) {
            const HWND hDlg = dlg.GetSafeHwnd();
            Select(dlg, {_T("場所"), _T("日本"), _T("東京")});
            TypeText(hDlg, c.nEdit, c.pszTyped);
            if (c.nStep != 0)
                Step(hDlg, c.nSpin, c.nStep);
            ExpectShown(hDlg, c.shown, c.pszCase);
            Press(hDlg, IDCANCEL);
        });
    }
}

TEST_F(CityDlgTest, ButtonsFollowTheSelectionAndTheListsEditability)
{
    // Edit, add, delete, store as default after each selection; the root keeps add and store.
    struct CState {
        std::vector<CString> path;
        bool bEdit, bAdd, bDel, bSetInit;
    };
    const std::vector<CString> kRoot = {_T("場所")};
    const std::vector<CString> kPlace = {_T("場所"), _T("日本"), _T("東京")};
    const std::vector<CString> kFolder = {_T("場所"), _T("日本")};
    struct {
        bool bReadOnly;
        std::vector<CState> states;
    } const cases[] = {
        {false, {{kPlace, true, true, true, true}, {kRoot, false, true, false, true},
                 {kFolder, true, true, true, false}}},
        {true, {{kPlace, false, false, false, true}, {kRoot, false, false, false, true},
                {kFolder, false, false, false, false}}},
    };
    const CString strList = DataFile(_T("zelkam.obs"));
    for (const auto& c : cases) {
        SetFileAttributesW(strList.GetString(), c.bReadOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        RunCity([&](CDlgCity& dlg) {
            const HWND hDlg = dlg.GetSafeHwnd();
            EXPECT_FALSE(Enabled(hDlg, IDC_CITY_BTN_EDIT));
            EXPECT_FALSE(Enabled(hDlg, IDC_CITY_BTN_DEL));
            for (const CState& s : c.states) {
                Select(dlg, s.path);
                const bool shown[] = {Enabled(hDlg, IDC_CITY_BTN_EDIT), Enabled(hDlg, IDC_CITY_BTN_ADD),
                                      Enabled(hDlg, IDC_CITY_BTN_DEL), Enabled(hDlg, IDC_CITY_BTN_SET_INIT)};
                const bool expected[] = {s.bEdit, s.bAdd, s.bDel, s.bSetInit};
                for (int i = 0; i < 4; ++i)
                    EXPECT_EQ(expected[i], shown[i]) << "read-only " << c.bReadOnly << ", "
                                                     << CStringA(s.path.back()).str() << ", button " << i;
            }
            Press(hDlg, IDCANCEL);
        });
    }
    SetFileAttributesW(strList.GetString(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(CityDlgTest, DoubleClickOpensAFolderAndPicksAPlace)
{
    struct {
        std::vector<CString> path;
        INT_PTR nResult;
    } const cases[] = {
        {{_T("場所"), _T("世界")}, IDCANCEL},
        {{_T("場所"), _T("日本"), _T("大阪")}, IDOK},
    };
    for (const auto& c : cases) {
        bool bExpanded = false;
        const INT_PTR nResult = RunCity([&](CDlgCity& dlg) {
            Select(dlg, c.path);
            const HWND hTree = ::GetDlgItem(dlg.GetSafeHwnd(), IDC_CITY_TREE);
            const HTREEITEM hItem = TreeView_GetSelection(hTree);
            RECT rc = {};
            *reinterpret_cast<HTREEITEM*>(&rc) = hItem;
            ::SendMessageW(hTree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rc));
            const LPARAM lPoint = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
            ::SendMessageW(hTree, WM_LBUTTONDBLCLK, MK_LBUTTON, lPoint);
            // A place has ended the dialog; a folder leaves it open.
            if (c.nResult == IDCANCEL) {
                bExpanded = (TreeView_GetItemState(hTree, hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
                Press(dlg.GetSafeHwnd(), IDCANCEL);
            }
        });
        EXPECT_EQ(c.nResult, nResult) << CStringA(c.path.back()).str();
        EXPECT_EQ(c.nResult == IDCANCEL, bExpanded) << CStringA(c.path.back()).str();
    }
}

TEST_F(CityDlgTest, AFailedSaveNamesTheFileAndTheDialogStillCloses)
{
    const CString strUserList = DataFile(_T("zelkam_user.obs"));
    ASSERT_TRUE(CreateDirectoryW(strUserList.GetString(), nullptr));
    AfxTestExpectMessageBox(_T("都市名データを初期化します。\r\nこれまで編集したデータは全て失われます。"), IDOK);
    AfxTestExpectMessageBox(_T("都市名データを保存できませんでした。\n次のファイルに書き込めません：\n") + strUserList, IDOK);
    const INT_PTR nResult = RunCity([&](CDlgCity& dlg) {
        Press(dlg.GetSafeHwnd(), IDC_CITY_BTN_RESET);
        Press(dlg.GetSafeHwnd(), IDOK);
    });
    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ("<missing>", ReadBytes(DataFile(_T("zelkam_user_obs.json"))));
    RemoveDirectoryW(strUserList.GetString());
}
