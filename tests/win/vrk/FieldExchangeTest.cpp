#include <vrkcom/VrkDDX.h>

#include <WinTestKit.h>

#include <gtest/gtest.h>

namespace {

const int kEdit = 100;  // the edit of template 7390

// Template 7390 with its edit's EN_CHANGE counted.
class CEditDialog : public CDialog {
public:
    CEditDialog() : CDialog(7390) {}
    int m_nChanges = 0;

    CString Text() { CString s; GetDlgItemText(kEdit, s); return s; }
    void Type(const wchar_t* text) { SetDlgItemText(kEdit, text); m_nChanges = 0; }

protected:
    void OnChange() { ++m_nChanges; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEditDialog, CDialog)
    ON_EN_CHANGE(kEdit, &CEditDialog::OnChange)
END_MESSAGE_MAP()

// A load writes the field only when its text does not already mean the value at the field's
// precision, so that a number being typed is not spoilt and EN_CHANGE does not loop.
TEST(FieldExchange, LoadWritesOnlyWhenTheTextDoesNotMeanTheValue)
{
    CEditDialog dlg;
    ASSERT_TRUE(dlg.Create(7390));
    const struct {
        const char* fault;
        const wchar_t* typed;
        double value;
        const wchar_t* fmt;  // null: DDX_Int with this width
        int width;
        const wchar_t* shown;
    } cases[] = {
        {"empty field not filled", L"", 0.0, L"%.1f", 0, L"0.0"},
        {"a lone minus kept for zero", L"-", 0.0, L"%.1f", 0, L"0.0"},
        {"a number being typed was spoilt", L"12.", 12.0, L"%.1f", 0, L"12."},
        {"extra digits beyond the shown ones rewritten", L"30.54", 30.5, L"%.1f", 0, L"30.54"},
        {"a changed value was not written", L"30.5", 31.26, L"%.1f", 0, L"31.3"},
        {"whole metres: 39.4 shown as 39 taken as different", L"39", 39.4, L"%.0f", 0, L"39"},
        {"padded format not matched", L" 5.0", 5.0, L"%4.1f", 0, L" 5.0"},
        {"garbage left in the field", L"3x", 3.0, L"%.1f", 0, L"3.0"},
        {"a format not for one double was used", L"", 2.5, L"%s", 0, L"2.5"},
        {"empty int field not filled", L"", 0, nullptr, 0, L"0"},
        {"leading zeros of a typed number spoilt", L"05", 5, nullptr, 0, L"05"},
        {"changed int not written", L"35", 36, nullptr, 0, L"36"},
        {"width not zero-filled", L"", 7, nullptr, 2, L"07"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        dlg.Type(c.typed);
        CDataExchange dx(&dlg, FALSE);
        double d = c.value;
        int n = static_cast<int>(c.value);
        if (c.fmt)
            DDX_DoubleFmt(&dx, kEdit, d, c.fmt, 7);
        else
            DDX_Int(&dx, kEdit, n, c.width, 7);
        EXPECT_EQ(dlg.Text(), c.shown);
        EXPECT_EQ(dlg.m_nChanges, CString(c.typed) == c.shown ? 0 : 1);
        EXPECT_EQ(d, c.value) << "a load changed the member";
    }
    EXPECT_EQ(::SendDlgItemMessageW(dlg, kEdit, EM_GETLIMITTEXT, 0, 0), 7) << "the text limit was not set";
}

// A save reads partial input leniently; it never fails, touches the field or sends EN_CHANGE.
TEST(FieldExchange, SaveReadsPartialInputAndLeavesTheFieldAlone)
{
    CEditDialog dlg;
    ASSERT_TRUE(dlg.Create(7390));
    const struct { const char* fault; const wchar_t* typed; double asDouble; int asInt; } cases[] = {
        {"empty text not 0", L"", 0.0, 0},
        {"a lone minus not 0", L"-", 0.0, 0},
        {"a trailing dot lost the number", L"12.", 12.0, 12},
        {"blanks stopped the reading", L"  7  ", 7.0, 7},
        {"trailing garbage not ignored", L"45abc", 45.0, 45},
        {"negative lost its sign", L"-3.5", -3.5, -3},
        {"leading dot or plus refused", L"+.5", 0.5, 0},
        {"exponent or second dot read on", L"1.2e3.4", 1.2, 1},
        {"full-width digits read as a number", L"１２", 0.0, 0},
        {"huge int overflowed", L"-99999999999", -99999999999.0, -2147483647 - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        dlg.Type(c.typed);
        double d = -1.0;
        int n = -1;
        CDataExchange dx(&dlg, TRUE);
        DDX_DoubleFmt(&dx, kEdit, d, L"%.0f", 7);
        DDX_Int(&dx, kEdit, n, 0, 7);
        EXPECT_DOUBLE_EQ(d, c.asDouble);
        EXPECT_EQ(n, c.asInt);
        EXPECT_EQ(dlg.Text(), c.typed) << "a save touched the field";
        EXPECT_EQ(dlg.m_nChanges, 0) << "a save sent EN_CHANGE";
    }
}

}  // namespace
