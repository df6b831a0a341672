#include "ObsTestHost.h"

#include "city/CDlgCity.h"
#include "res/resource_city.h"

#include <afx/AfxTest.h>

namespace {

// Two places called 東京 side by side; 大阪 with the altitude flag set, so that an edit shows.
const wchar_t kList[] = L"@日本\r\n東京,139.7667000E,35.6833000N,40,+09.00, 0, 0, 3\r\n東京,139.0000000E,35.0000000N,9,+09.00, 0, 0, 3\r\n"
                        L"大阪,135.5000000E,34.5000000N,5,+09.00, 1, 0, 3\r\n#\r\n@世界\r\n#\r\n";
const CString kTree = L"日本(東京:0 東京:0 大阪:1 ) 世界() ";

// The tree as the user sees it; a place with its altitude flag, and "u" once the user wrote it.
CString Outline(CDlgCity& dlg, HTREEITEM h)
{
    CString s;
    for (; h; h = dlg.m_tree.GetNextSiblingItem(h)) {
        const auto nData = static_cast<std::intptr_t>(dlg.m_tree.GetItemData(h));
        const CCityList* p = nData < 0 ? nullptr : &dlg.m_session.m_data.CityAt(static_cast<int>(nData));
        s += dlg.m_tree.GetItemText(h) + (p ? CString(p->m_nAltFlag ? L":1" : L":0") + (p->m_nUser ? L"u " : L" ")
                                            : L"(" + Outline(dlg, dlg.m_tree.GetChildItem(h)) + L") ");
    }
    return s;
}

// One user step: select (empty: the root), press a button, choose in the chooser (-1 cancels),
// type a name into the editor (null cancels it), an altitude and longitude minutes, and a box.
struct Step { const wchar_t* sel; int nBtn, nChoice; const wchar_t *name = nullptr, *alt = nullptr, *lngMin = nullptr, *box = nullptr; };
constexpr int A = IDC_CITY_BTN_ADD, E = IDC_CITY_BTN_EDIT, D = IDC_CITY_BTN_DEL;

class DlgCityEdit : public ObsDialogTest {
protected:
    CString m_dir = m_strDataDir;
    // Runs the dialog on the data folder's lists and returns the tree that OK leaves.
    CString Run(const std::vector<Step>& steps, int& nRecords)
    {
        CString strTree;
        AfxSetModalDialogHook(IDD_CITY, [&](CDialog* pDlg) {
            auto& dlg = static_cast<CDlgCity&>(*pDlg);
            for (const Step& s : steps) {
                HTREEITEM h = dlg.m_tree.GetRootItem();
                for (std::vector<CString> path : {std::vector<CString>{L"場所", s.sel}, {L"場所", L"日本", s.sel}, {L"場所", L"世界", s.sel}})
                    h = dlg.m_session.Find(path) ? reinterpret_cast<HTREEITEM>(dlg.m_session.Find(path)) : h;
                dlg.m_tree.SelectItem(h);
                AfxSetModalDialogHook(IDD_ADDCTY, [&](CDialog* d) {
                    if (s.nChoice == 1)
                        d->SendDlgItemMessage(IDC_ADDCTY_RD_FOLDER, BM_CLICK);
                    d->SendDlgItemMessage(s.nChoice < 0 ? IDCANCEL : IDOK, BM_CLICK);
                });
                for (UINT nEditor : {IDD_EDTCTY, IDD_EDTFLD})
                    AfxSetModalDialogHook(nEditor, [&, nEditor](CDialog* d) {
                        const bool bPlace = nEditor == IDD_EDTCTY;
                        CString strShown;
                        d->GetDlgItemText(IDC_EDTCTY_EDT_NAME, strShown);
                        EXPECT_TRUE(!bPlace || s.nBtn != A || strShown == L"新規") << "a new place is not called 新規";
                        d->SetDlgItemText(bPlace ? IDC_EDTCTY_EDT_NAME : IDC_EDTFLD_EDT_NAME, s.name ? s.name : L"");
                        if (s.alt)
                            d->SetDlgItemText(IDC_EDTCTY_EDT_ALT, s.alt);
                        if (s.lngMin)
                            d->SetDlgItemText(IDC_EDTCTY_EDT_LNG_MIN, s.lngMin);
                        d->SendDlgItemMessage(s.name ? IDOK : IDCANCEL, BM_CLICK);
                    });
                if (s.box)
                    AfxTestExpectMessageBox(s.box, IDOK);
                dlg.SendDlgItemMessage(s.nBtn, BM_CLICK);
                EXPECT_EQ(dlg.m_tree.GetSelectedItem(), dlg.m_hSelItem) << "the selection is not taken up";
            }
            strTree = Outline(dlg, dlg.m_tree.GetChildItem(dlg.m_tree.GetRootItem()));
            nRecords = dlg.m_session.m_data.m_nCityNum;
            dlg.SendDlgItemMessage(IDOK, BM_CLICK);
        });
        CDlgCity dlg(&HostMainWnd());
        dlg.m_strObsFile = m_dir + L"zelkam.obs", dlg.m_strUserObsFile = m_dir + L"zelkam_user.obs";
        dlg.m_strUserJsonFile = m_dir + L"zelkam_user_obs.json";
        dlg.DoModal();
        return strTree;
    }
};

TEST_F(DlgCityEdit, EditsShowAtOnceAndTheSameTreeAfterOkAndReopening)
{
    const CString kDupPlace = L"都市名[日本]はすでに存在しています。\n別の名称を指定してください。";
    const CString kDupFolder = L"フォルダ[大阪]はすでに存在しています。\n別の名称を指定してください。";
    const struct { const char* fault; std::vector<Step> steps; CString tree; int nRecords; } cases[] = {
        {"not first in the selected folder", {{L"日本", A, 0, L"新宿"}}, L"日本(新宿:0u 東京:0 東京:0 大阪:1 ) 世界() ", 4},
        {"not behind the selected place", {{L"東京", A, 1, L"関東"}}, L"日本(東京:0 関東() 東京:0 大阪:1 ) 世界() ", 3},
        {"not first below the root", {{L"", A, 0, L"月"}}, L"月:0u " + kTree, 4},
        {"the chooser's Cancel adds", {{L"日本", A, -1}}, kTree, 3},
        {"the place editor's Cancel adds", {{L"日本", A, 0, nullptr}}, kTree, 3},
        {"the folder editor's Cancel adds", {{L"日本", A, 1, nullptr}}, kTree, 3},
        {"a place takes a folder's name", {{L"", A, 0, L"日本", nullptr, nullptr, kDupPlace}}, kTree, 3},
        {"a folder takes a place's name", {{L"東京", A, 1, L"大阪", nullptr, nullptr, kDupFolder}}, kTree, 3},
        {"case is ignored", {{L"世界", A, 0, L"paris"}, {L"paris", A, 0, L"Paris"}}, L"日本(東京:0 東京:0 大阪:1 ) 世界(paris:0u Paris:0u ) ", 5},
        {"an unchanged name is a duplicate", {{L"東京", E, 0, L"東京", L"41"}}, L"日本(東京:0u 東京:0 大阪:1 ) 世界() ", 3},
        {"only the altitude gives flag 1", {{L"大阪", E, 0, L"大阪", L"6"}}, L"日本(東京:0 東京:0 大阪:0u ) 世界() ", 3},
        {"only the position gives flag 0", {{L"東京", E, 0, L"東京", nullptr, L"31"}}, L"日本(東京:1u 東京:0 大阪:1 ) 世界() ", 3},
        {"no change gives flag 1", {{L"大阪", E, 0, L"大阪"}}, L"日本(東京:0 東京:0 大阪:0u ) 世界() ", 3},
        {"a deleted folder's records are reused", {{L"日本", D, 0, nullptr, nullptr, nullptr, L"\"日本\"フォルダとこのフォルダに含まれるすべての情報を消去します。"},
                                                   {L"", A, 0, L"京都"}}, L"京都:0u 世界() ", 4},
        {"a deleted place comes back", {{L"大阪", D, 0, nullptr, nullptr, nullptr, L"\"大阪\"を削除します"}}, L"日本(東京:0 東京:0 ) 世界() ", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        WriteBytes(m_dir + L"zelkam.obs", CStringA(CString(kList)).str());
        for (LPCWSTR pszFile : {L"zelkam_user.obs", L"zelkam_user_obs.json"})
            DeleteFileW((m_dir + pszFile).GetString());
        int nRecords = 0;
        EXPECT_EQ(c.tree, Run(c.steps, nRecords));
        EXPECT_EQ(c.nRecords, nRecords);
        EXPECT_EQ(c.tree == kTree, ReadBytes(m_dir + L"zelkam_user_obs.json") == "<missing>") << "written without a change";
        EXPECT_EQ(c.tree, Run({}, nRecords)) << "reopened";
    }
}

}  // namespace
