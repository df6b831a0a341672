#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "TestDialog.h"
#include <WinTestKit.h>

namespace {

CString Text(CWnd& dlg, int id)
{
    CString s;
    dlg.GetDlgItemText(id, s);
    return s;
}

class DataExchange : public ScriptedTest {
protected:
    void SetUp() override
    {
        ScriptedTest::SetUp();
        ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
        CComboBox combo;
        ASSERT_TRUE(combo.Attach(::GetDlgItem(dlg, IDC_AFXTEST_COMBO)));
        combo.AddString(L"一");
        combo.AddString(L"二");
        combo.AddString(L"三");
        combo.Detach();
    }
    CTestDialog dlg;
};

TEST_F(DataExchange, ValuesRoundTripThroughTheControls)
{
    const struct {
        const char* fault;
        std::function<void(CTestDialog&)> set;       // puts the member values in
        int control;                                  // control whose text is checked, or 0
        const wchar_t* shown;                         // its text after UpdateData(FALSE)
        std::function<void(CTestDialog&)> scramble;   // changes the members
        std::function<void(CTestDialog&)> check;      // after UpdateData(TRUE)
    } cases[] = {
        {"negative int", [](CTestDialog& d) { d.m_nInt = -17; }, IDC_AFXTEST_INT, L"-17",
         [](CTestDialog& d) { d.m_nInt = 0; }, [](CTestDialog& d) { EXPECT_EQ(-17, d.m_nInt); }},
        {"UINT above INT_MAX", [](CTestDialog& d) { d.m_nUint = 4000000000u; }, IDC_AFXTEST_UINT,
         L"4000000000", [](CTestDialog& d) { d.m_nUint = 0; },
         [](CTestDialog& d) { EXPECT_EQ(4000000000u, d.m_nUint); }},
        {"double loses digits", [](CTestDialog& d) { d.m_dDouble = 35.6895123456789; },
         IDC_AFXTEST_DOUBLE, L"35.6895123456789", [](CTestDialog& d) { d.m_dDouble = 0; },
         [](CTestDialog& d) { EXPECT_DOUBLE_EQ(35.6895123456789, d.m_dDouble); }},
        {"small double", [](CTestDialog& d) { d.m_dDouble = -1e-7; }, IDC_AFXTEST_DOUBLE, L"-1e-07",
         [](CTestDialog& d) { d.m_dDouble = 0; }, [](CTestDialog& d) { EXPECT_EQ(-1e-7, d.m_dDouble); }},
        {"Japanese text", [](CTestDialog& d) { d.m_strText = L"東京 タワー"; }, IDC_AFXTEST_TEXT,
         L"東京 タワー", [](CTestDialog& d) { d.m_strText.Empty(); },
         [](CTestDialog& d) { EXPECT_EQ(L"東京 タワー", d.m_strText); }},
        {"third radio of the group", [](CTestDialog& d) { d.m_nRadio = 2; }, 0, nullptr,
         [](CTestDialog& d) { d.m_nRadio = 0; },
         [](CTestDialog& d) {
             EXPECT_EQ(2, d.m_nRadio);
             EXPECT_EQ(IDC_AFXTEST_RADIO_C, d.GetCheckedRadioButton(IDC_AFXTEST_RADIO_A, IDC_AFXTEST_RADIO_C));
         }},
        {"no radio checked reads as -1 (the check box after the group is not part of it)",
         [](CTestDialog& d) { d.m_nRadio = -1; d.m_nCheck = BST_CHECKED; }, 0, nullptr,
         [](CTestDialog& d) { d.m_nRadio = 1; d.m_nCheck = 0; },
         [](CTestDialog& d) {
             EXPECT_EQ(-1, d.m_nRadio);
             EXPECT_EQ(BST_CHECKED, d.m_nCheck);
         }},
        {"combo box index", [](CTestDialog& d) { d.m_nCombo = 1; }, IDC_AFXTEST_COMBO, L"二",
         [](CTestDialog& d) { d.m_nCombo = -1; }, [](CTestDialog& d) { EXPECT_EQ(1, d.m_nCombo); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        c.set(dlg);
        ASSERT_TRUE(dlg.UpdateData(FALSE));
        if (c.control) { EXPECT_EQ(c.shown, Text(dlg, c.control)); }
        c.scramble(dlg);
        ASSERT_TRUE(dlg.UpdateData(TRUE));
        c.check(dlg);
    }
}

TEST_F(DataExchange, LoadKeepsATextThatAlreadyMeansTheValue)
{
    dlg.SetDlgItemText(IDC_AFXTEST_INT, L"007");
    dlg.SetDlgItemText(IDC_AFXTEST_DOUBLE, L"1.50");
    dlg.m_nInt = 7;
    dlg.m_dDouble = 1.5;
    const int changes = dlg.m_nEnChangeInt;
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(changes, dlg.m_nEnChangeInt) << "a load fired EN_CHANGE for an unchanged value";
    EXPECT_EQ(L"007", Text(dlg, IDC_AFXTEST_INT));
    EXPECT_EQ(L"1.50", Text(dlg, IDC_AFXTEST_DOUBLE));

    dlg.m_nInt = 8;
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(changes + 1, dlg.m_nEnChangeInt);
    EXPECT_EQ(L"8", Text(dlg, IDC_AFXTEST_INT));
}

// Which texts are numbers is the parsers' table below; here, that a refused text keeps the
// member and tells the user in the field's words.
TEST_F(DataExchange, InvalidTextIsRefusedWithAMessage)
{
    const struct {
        const char* fault;
        int control;
        const wchar_t* text;
        const wchar_t* message;
    } cases[] = {
        {"letters taken as an int", IDC_AFXTEST_INT, L"12a", L"整数を入力してください。"},
        {"int overflow wraps", IDC_AFXTEST_INT, L"2147483648", L"整数を入力してください。"},
        {"negative UINT wraps", IDC_AFXTEST_UINT, L"-1", L"正の整数を入力してください。"},
        {"two decimal points", IDC_AFXTEST_DOUBLE, L"1.5.2", L"数値を入力してください。"},
        {"double overflow becomes inf", IDC_AFXTEST_DOUBLE, L"1e999", L"数値を入力してください。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        AfxClearTestHooks();
        dlg.m_nInt = 3;
        dlg.m_nUint = 3;
        dlg.m_dDouble = 3;
        ASSERT_TRUE(dlg.UpdateData(FALSE));
        dlg.SetDlgItemText(c.control, c.text);
        AfxTestExpectMessageBox(c.message, IDOK);
        EXPECT_FALSE(dlg.UpdateData(TRUE));
        EXPECT_EQ("", JoinedFailures());
        if (c.control == IDC_AFXTEST_INT) { EXPECT_EQ(3, dlg.m_nInt); }
        if (c.control == IDC_AFXTEST_UINT) { EXPECT_EQ(3u, dlg.m_nUint); }
        if (c.control == IDC_AFXTEST_DOUBLE) { EXPECT_EQ(3.0, dlg.m_dDouble); }
        dlg.SetDlgItemText(c.control, L"3");
    }
}

TEST(DataExchangeParsers, NumbersAreReadWholeOrNotAtAll)
{
    struct IntCase {
        const wchar_t* text;
        BOOL ok;
        long long value;
    };
    const IntCase ints[] = {
        {L" 12 ", TRUE, 12}, {L"+5", TRUE, 5}, {L"-2147483648", TRUE, INT_MIN}, {L"", FALSE, 0},
        {L"-", FALSE, 0}, {L"1 2", FALSE, 0}, {L"１２", FALSE, 0}, {L"99999999999999999999", FALSE, 0},
        {L"2147483648", FALSE, 0}, {L"\u300012", TRUE, 12},
    };
    for (const IntCase& c : ints) {
        SCOPED_TRACE(testing::Message() << "int text #" << (&c - ints));
        long long v = -1;
        EXPECT_EQ(c.ok, AfxParseInt(c.text, INT_MIN, INT_MAX, &v));
        if (c.ok) { EXPECT_EQ(c.value, v); }
        else { EXPECT_EQ(-1, v) << "a refused text changed the value"; }
    }
    struct DoubleCase {
        const wchar_t* text;
        BOOL ok;
        double value;
    };
    const DoubleCase doubles[] = {
        {L".5", TRUE, 0.5}, {L"5.", TRUE, 5.0}, {L"-1e3", TRUE, -1000.0}, {L" 2.5 ", TRUE, 2.5},
        {L"inf", FALSE, 0}, {L"0x1p3", FALSE, 0}, {L"1,5", FALSE, 0}, {L"e5", FALSE, 0},
        {L"", FALSE, 0}, {L"1e-400", TRUE, 0.0},
    };
    for (const DoubleCase& c : doubles) {
        SCOPED_TRACE(testing::Message() << "double text #" << (&c - doubles));
        double v = -1;
        EXPECT_EQ(c.ok, AfxParseDouble(c.text, &v));
        if (c.ok) { EXPECT_EQ(c.value, v); }
        else { EXPECT_EQ(-1.0, v); }
    }
}

}  // namespace
