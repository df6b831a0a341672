#include "CityDlgFixture.h"

namespace {

// Two places called 東京 side by side; the first and 大阪 with the altitude flag set, so that an edit shows.
const wchar_t kList[] = L"@日本\r\n東京,139.7667000E,35.6833000N,40,+09.00, 1, 0, 3\r\n東京,139.0000000E,35.0000000N,9,+09.00, 0, 0, 3\r\n"
                        L"大阪,135.5000000E,34.5000000N,5,+09.00, 1, 0, 3\r\n#\r\n@世界\r\n西,0.5000000W,51.5000000N,0,+00.00, 0, 0, 2\r\n#\r\n";
const CString kTree = L"場所(日本(東京:1,東京:0,大阪:1),世界(西:0))";

// One user step: select (a path, empty: the root), press a button, choose in the chooser (-1 cancels),
// type a name into the editor (null cancels it), an altitude and longitude minutes; the box it
// shows; latitude seconds.
struct Step { const wchar_t* sel; int nBtn, nChoice; const wchar_t *name = nullptr, *alt = nullptr, *lngMin = nullptr, *box = nullptr, *latSec = nullptr; };
constexpr int A = IDC_CITY_BTN_ADD, E = IDC_CITY_BTN_EDIT, D = IDC_CITY_BTN_DEL;

class DlgCityEdit : public CityDlgFixture {
protected:
    // Runs the dialog on the data folder's lists; the tree and the record count that OK leaves.
    CString Run(const std::vector<Step>& steps, int& nRecords)
    {
        CString strTree;
        RunCity([&](CDlgCity& dlg, HWND) {
            for (const Step& s : steps) {
                Select(dlg, s.sel);
                for (UINT nID : {IDD_ADDCTY, IDD_EDTCTY, IDD_EDTFLD})
                    AfxSetModalDialogHook(nID, [&, nID](CDialog* d) {
                        const int nName = nID == IDD_EDTCTY ? IDC_EDTCTY_EDT_NAME : IDC_EDTFLD_EDT_NAME;
                        if (nID == IDD_ADDCTY && s.nChoice == 1)
                            d->SendDlgItemMessage(IDC_ADDCTY_RD_FOLDER, BM_CLICK);
                        for (auto [nField, psz] : {std::pair{nName, s.name}, {IDC_EDTCTY_EDT_ALT, s.alt}, {IDC_EDTCTY_EDT_LNG_MIN, s.lngMin},
                                                   {IDC_EDTCTY_EDT_LAT_SEC, s.latSec}})
                            if (psz && nID != IDD_ADDCTY)
                                d->SetDlgItemText(nField, psz);
                        d->SendDlgItemMessage((nID == IDD_ADDCTY ? s.nChoice >= 0 : s.name != nullptr) ? IDOK : IDCANCEL, BM_CLICK);
                    });
                if (s.box)
                    AfxTestExpectMessageBox(s.box, IDOK);
                dlg.SendDlgItemMessage(s.nBtn, BM_CLICK);
                EXPECT_EQ(dlg.m_tree.GetSelectedItem(), dlg.m_hSelItem) << "the selection is not taken up";
                // What is stored as the default or compared by the next edit is the selected place's.
                const std::intptr_t nSel = dlg.m_tree.GetSelectedItem() ? static_cast<std::intptr_t>(dlg.m_tree.GetItemData(dlg.m_tree.GetSelectedItem())) : -1;
                EXPECT_TRUE(nSel == CITY_FOLDER_DATA || PlaceFields(dlg.Session().m_data.CityAt(static_cast<int>(nSel))).dAlt == dlg.Fields().dAlt)
                    << "members not the selection's";
            }
            strTree = Shape(dlg, dlg.m_tree.GetRootItem(), false, true);
            nRecords = dlg.Session().m_data.m_nCityNum;
            dlg.SendDlgItemMessage(IDOK, BM_CLICK);
        });
        return strTree;
    }
};

// A place deleted with its question, and the tree and files after it, are the demo's transcript test's;
// the root selected is a folder selected (the add rows below the root and into 日本 were alike).
TEST_F(DlgCityEdit, EditsShowAtOnceAndTheSameTreeAfterOkAndReopening)
{
    const wchar_t* kDupPlace = L"都市名[日本]はすでに存在しています。\n別の名称を指定してください。";
    const wchar_t* kDupFolder = L"フォルダ[大阪]はすでに存在しています。\n別の名称を指定してください。";
    const struct { const char* fault; std::vector<Step> steps; CString tree; int nRecords; } cases[] = {
        {"not first in the selected folder", {{L"日本", A, 0, L"新宿"}}, L"場所(日本(新宿:0u,東京:1,東京:0,大阪:1),世界(西:0))", 5},
        {"not behind the selected place", {{L"日本/東京", A, 1, L"関東"}}, L"場所(日本(東京:1,関東,東京:0,大阪:1),世界(西:0))", 4},
        {"a Cancel of the chooser, the place or the folder editor adds", {{L"日本", A, -1}, {L"日本", A, 0}, {L"日本", A, 1}}, kTree, 4},
        {"a name taken by the other kind is allowed or named wrongly", {{L"", A, 0, L"日本", nullptr, nullptr, kDupPlace}, {L"日本/東京", A, 1, L"大阪", nullptr, nullptr, kDupFolder}}, kTree, 4},
        {"a refused add left the editor's values in the members", {{L"日本/大阪", A, 0, L"東京", L"123", nullptr, L"都市名[東京]はすでに存在しています。\n別の名称を指定してください。"}}, kTree, 4},
        {"case is ignored", {{L"世界/西", A, 0, L"paris"}, {L"世界/paris", A, 1, L"Paris"}}, L"場所(日本(東京:1,東京:0,大阪:1),世界(西:0,paris:0u,Paris))", 5},
        // 東京 beside its namesake unchanged, 大阪's altitude, 西's position.
        {"a wrong altitude flag, or an unchanged name taken for a duplicate", {{L"日本/東京", E, 0, L"東京"}, {L"日本/大阪", E, 0, L"大阪", L"6"}, {L"世界/西", E, 0, L"西", nullptr, L"31"}}, L"場所(日本(東京:0u,東京:0,大阪:0u),世界(西:1u))", 4},
        {"a move by seconds below a twentieth not a new position", {{L"世界/西", E, 0, L"西", nullptr, nullptr, nullptr, L"0.04"}}, L"場所(日本(東京:1,東京:0,大阪:1),世界(西:1u))", 4},
        {"a folder rename alone not saved", {{L"世界", E, 0, L"World"}}, L"場所(日本(東京:1,東京:0,大阪:1),World(西:0))", 4},
        {"a deleted folder's records are reused", {{L"日本", D, 0, nullptr, nullptr, nullptr, L"\"日本\"フォルダとこのフォルダに含まれるすべての情報を消去します。"},
                                                   {L"", A, 0, L"京都"}}, L"場所(京都:0u,世界(西:0))", 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        WriteList(kList);
        DeleteUserLists();
        int nRecords = 0;
        EXPECT_EQ(c.tree, Run(c.steps, nRecords));
        EXPECT_EQ(c.nRecords, nRecords);
        EXPECT_EQ(c.tree == kTree, ReadBytes(DataFile(L"zelkam_user_obs.json")) == "<missing>") << "written without a change";
        EXPECT_EQ(c.tree, Run({}, nRecords)) << "reopened";
    }
}

TEST_F(DlgCityEdit, APlaceAddedToAFullListHasItsRecordThenAndAfterReopening)
{
    CString strList = L"@大\r\n";
    for (int i = 0; i < 10000; ++i)
        strList.AppendFormat(L"p%d,1.0000000E,1.0000000N,0,+00.00, 0, 0, 0\r\n", i);
    WriteList(strList + L"#\r\n");
    int nRecords = 0;
    EXPECT_EQ(0, Run({{L"大", A, 0, L"追加"}}, nRecords).Find(L"場所(大(追加:0u,p0:0,"));
    EXPECT_EQ(10001, nRecords);
    EXPECT_EQ(0, Run({}, nRecords).Find(L"場所(大(追加:0u,p0:0,"));
}

}  // namespace
