#include <gtest/gtest.h>

#include "TestDialog.h"
#include <WinTestKit.h>

namespace {

class DataExchange : public ScriptedTest {};

// Members to controls and back, for the exchanges the dialogs use.
TEST_F(DataExchange, ValuesRoundTripThroughTheControls)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
    for (const wchar_t* s : {L"一", L"二", L"三"})
        dlg.SendDlgItemMessage(IDC_AFXTEST_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    const struct {
        const char* fault;
        const wchar_t* text;
        int radio, check, combo;
        const wchar_t* comboText;  // shown after a load
    } cases[] = {
        {"Japanese text, third radio of the group, combo index", L"東京 タワー", 2, BST_UNCHECKED, 1, L"二"},
        {"no radio checked reads as -1 (the check box after the group is not part of it)", L"", -1,
         BST_CHECKED, 0, L"一"},
        {"no combo selection", L"a", 0, BST_UNCHECKED, -1, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        dlg.m_strText = c.text;
        dlg.m_nRadio = c.radio;
        dlg.m_nCheck = c.check;
        dlg.m_nCombo = c.combo;
        ASSERT_TRUE(dlg.UpdateData(FALSE));
        CString shown;
        dlg.GetDlgItemText(IDC_AFXTEST_COMBO, shown);
        EXPECT_EQ(c.comboText, shown);
        dlg.m_strText = L"x";
        dlg.m_nRadio = dlg.m_nCheck = dlg.m_nCombo = 7;
        ASSERT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(c.text, dlg.m_strText);
        EXPECT_EQ(c.radio, dlg.m_nRadio);
        EXPECT_EQ(c.check, dlg.m_nCheck);
        EXPECT_EQ(c.combo, dlg.m_nCombo);
    }
    dlg.m_log.clear();
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_TRUE(dlg.m_log.empty()) << "a load fired EN_CHANGE for an unchanged text";
}

}  // namespace
