#include "city/CAddCty.h"
#include "city/CDlgCityMoveTo.h"
#include "city/CEdtFld.h"
#include "res/resource_city.h"

#include "SmallDialogDriving.h"

#include <WinTestKit.h>

namespace {

using SmallDialogs = ScriptedTest;

TEST_F(SmallDialogs, ChoosersStartOnTheFirstChoiceAndReturnTheClickedOne)
{
    // No folder: the add chooser, preset to a place as the city list runs it; else the move question.
    const struct { const char* fault; const wchar_t *pszFolder, *pszShown; int nClick, nButton, nChoice; } cases[] = {
        {"adding a place is not checked at first or not returned", nullptr, nullptr, 0, IDOK, 0},
        {"the folder choice is lost on OK", nullptr, nullptr, IDC_ADDCTY_RD_FOLDER, IDOK, 1},
        {"behind the folder is not the first choice", L"アジア", L"アジア", 0, IDOK, 0},
        {"into the folder is lost on OK", L"アジア", L"アジア", IDC_MOVETO_RD_INTO, IDOK, 1},
        {"Cancel is taken for a choice, or a \"&\" in the name makes an access key", L"R&D", L"R&&D", 0, IDCANCEL, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        AfxSetModalDialogHook(c.pszFolder ? IDD_CITY_MOVETO : IDD_ADDCTY, [&](CDialog* d) {
            if (c.pszFolder) {
                EXPECT_EQ(L"[" + CString(c.pszShown) + L"] フォルダの後ろに挿入", Text(*d, IDC_MOVETO_RD_BEHIND));
                EXPECT_EQ(L"[" + CString(c.pszShown) + L"] フォルダの中に移動", Text(*d, IDC_MOVETO_RD_INTO));
                EXPECT_TRUE(Checked(*d, IDC_MOVETO_RD_BEHIND) && !Checked(*d, IDC_MOVETO_RD_INTO));
            } else {
                ExpectButtonsDrawn(d);
                EXPECT_TRUE(Checked(*d, IDC_ADDCTY_RD_CITY) && !Checked(*d, IDC_ADDCTY_RD_FOLDER));
            }
            if (c.nClick)
                Click(*d, c.nClick);
            Click(*d, c.nButton);
        });
        CAddCty add;
        add.m_nAddType = 0;
        CDlgCityMoveTo moveTo(c.pszFolder);
        EXPECT_EQ(c.nButton, c.pszFolder ? moveTo.DoModal() : add.DoModal());
        EXPECT_EQ(c.nChoice, c.pszFolder ? moveTo.m_nMoveMode : add.m_nAddType);
    }
}

TEST_F(SmallDialogs, FolderEditorTrimsTheNameAndRefusesBlanks)
{
    // No name: refused, so the editor must stay open; the test then cancels it.
    const struct { const char* fault; const wchar_t* pszTyped; int nButton; const wchar_t* pszName; } cases[] = {
        {"blanks pass as a name", L"  \x3000 ", IDOK, nullptr},
        {"blanks around a name are kept", L" \x3000木星 観測  ", IDOK, L"木星 観測"},
        {"Cancel returns what was typed", L"ヨーロッパ", IDCANCEL, L"アジア"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        AfxSetModalDialogHook(IDD_EDTFLD, [&](CDialog* d) {
            ExpectButtonsDrawn(d);
            EXPECT_EQ(CString(L"アジア"), Text(*d, IDC_EDTFLD_EDT_NAME));
            d->SetDlgItemText(IDC_EDTFLD_EDT_NAME, c.pszTyped);
            if (!c.pszName)
                AfxTestExpectMessageBox(L"フォルダ名を入力してください。\n", IDOK);
            Click(*d, c.nButton);
            if (!c.pszName) {
                EXPECT_TRUE(d->IsWindowVisible()) << "the editor closed on a refused name";
                EXPECT_EQ(Item(*d, IDC_EDTFLD_EDT_NAME), ::GetFocus()) << "the name is not ready to retype";
                Click(*d, IDCANCEL);
            }
        });
        CEdtFld dlg;
        dlg.m_strName = L"アジア";
        EXPECT_EQ(c.pszName ? c.nButton : IDCANCEL, dlg.DoModal());
        if (c.pszName) {
            EXPECT_EQ(CString(c.pszName), dlg.m_strName);
        }
    }
}

}  // namespace
