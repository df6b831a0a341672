#include "CityDlgFixture.h"

namespace {

const wchar_t kList[] = L"@日本\r\n東京,139.7667000E,35.6833000N,40,+09.00, 0, 0, 3\r\nトウキョウ駅,139.7000000E,35.6000000N,3,+09.00, 0, 0, 3\r\n#\r\n"
                        L"@世界\r\n@@アメリカ\r\nSpringfield,89.6500000W,39.8000000N,180,-06.00, 0, 0, 2\r\n#\r\n"
                        L"North Springfield,77.2000000W,38.8000000N,90,-05.00, 0, 0, 2\r\n#\r\n";

using DlgCityFind = CityDlgFixture;

TEST_F(DlgCityFind, CtrlFAndF3SelectTheNextNameThatHoldsTheTextWhereverTheFocusIs)
{
    WriteList(kList);
    // The focus, the key, what the find shows when it opens and the text typed there (null: no find
    // opens; empty: it is cancelled), the selection after it, the box shown.
    const struct { const char* fault; int nFocus; UINT vk; bool bCtrl; const wchar_t *shown, *typed, *selected, *box; } steps[] = {
        {"Ctrl+F in an edit not taken", IDC_CITY_EDT_LNG_DEG, 'F', true, L"", L"ＳＰＲＩＮＧ", L"世界/アメリカ/Springfield", nullptr},
        {"F3 not from after the selection", IDC_CITY_TREE, VK_F3, false, nullptr, nullptr, L"世界/North Springfield", nullptr},
        {"F3 not wrapping", IDC_CITY_TREE, VK_F3, false, nullptr, nullptr, L"世界/アメリカ/Springfield", nullptr},
        {"F without Ctrl taken", IDC_CITY_TREE, 'F', false, nullptr, nullptr, L"世界/アメリカ/Springfield", nullptr},
        {"hiragana not finding katakana", IDC_CITY_TREE, 'F', true, L"ＳＰＲＩＮＧ", L"とうきょう", L"日本/トウキョウ駅", nullptr},
        {"no match moving the selection", IDC_CITY_TREE, 'F', true, L"とうきょう", L"大阪", L"日本/トウキョウ駅", L"「大阪」は見つかりません。"},
        {"cancel finding", IDC_CITY_BTN_ADD, 'F', true, L"大阪", L"", L"日本/トウキョウ駅", nullptr},
    };
    RunCity([&](CDlgCity& dlg, HWND hDlg) {
        for (const auto& s : steps) {
            SCOPED_TRACE(s.fault);
            bool bOpened = false;
            AfxSetModalDialogHook(IDD_CITY_FIND, [&](CDialog* d) {
                bOpened = true;
                EXPECT_EQ(CString(s.shown), Text(d->GetSafeHwnd(), IDC_FIND_EDT_TEXT));
                if (s.typed && *s.typed)
                    d->SetDlgItemText(IDC_FIND_EDT_TEXT, s.typed);
                ::Click(d->GetSafeHwnd(), s.typed && *s.typed ? IDOK : IDCANCEL);
            });
            if (s.box)
                AfxTestExpectMessageBox(s.box, IDOK);
            AfxTestPressKey(hDlg, Item(hDlg, s.nFocus), s.vk, s.bCtrl);
            EXPECT_EQ(s.shown != nullptr, bOpened);
            const HTREEITEM hSel = dlg.m_tree.GetSelectedItem();
            EXPECT_EQ(Find(dlg, s.selected), hSel);
            EXPECT_EQ(hSel, dlg.m_hSelItem) << "the selection handler did not run";
        }
        // As a click: the folders of the match open and the fields show it.
        EXPECT_TRUE(TreeView_GetItemState(Item(hDlg, IDC_CITY_TREE), Find(dlg, L"世界/アメリカ"), TVIS_EXPANDED) & TVIS_EXPANDED);
        EXPECT_EQ(CString(L"139"), Text(hDlg, IDC_CITY_EDT_LNG_DEG));
        ::Click(hDlg, IDCANCEL);
    });
}

}  // namespace
