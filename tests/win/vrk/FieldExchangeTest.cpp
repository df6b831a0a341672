#include <vrkcom/NumberText.h>
#include <vrkcom/VrkDDX.h>

#include <WinTestKit.h>

#include <gtest/gtest.h>

TEST(NumberText, LenientReadingOfPartlyTypedNumbers)
{
    struct Case {
        const char* fault;
        const wchar_t* text;
        double asDouble;
        int asInt;
        bool complete;  // as a double
    } cases[] = {
        {"empty text not 0", L"", 0.0, 0, false},
        {"a lone minus not 0", L"-", 0.0, 0, false},
        {"a lone dot not 0", L".", 0.0, 0, false},
        {"a trailing dot lost the number", L"12.", 12.0, 12, true},
        {"decimals lost", L"59.9", 59.9, 59, true},
        {"leading blanks stopped the reading", L"  7", 7.0, 7, true},
        {"trailing blanks made it incomplete", L"7  ", 7.0, 7, true},
        {"trailing garbage not ignored", L"12abc", 12.0, 12, false},
        {"negative lost its sign", L"-3.5", -3.5, -3, true},
        {"plus sign refused", L"+4", 4.0, 4, true},
        {"leading dot refused", L".5", 0.5, 0, true},
        {"exponent read as one", L"1e3", 1.0, 1, false},
        {"second dot read on", L"1.2.3", 1.2, 1, false},
        {"full-width digits read as a number", L"１２", 0.0, 0, false},
        {"huge int overflowed", L"99999999999", 99999999999.0, 2147483647, true},
        {"huge negative int overflowed", L"-99999999999", -99999999999.0, -2147483647 - 1, true},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(VrkParseDoubleLenient(c.text), c.asDouble) << c.fault;
        EXPECT_EQ(VrkParseIntLenient(c.text), c.asInt) << c.fault;
        EXPECT_EQ(VrkIsCompleteDouble(c.text) != FALSE, c.complete) << c.fault;
    }
}

TEST(NumberText, TextMeansTheValueAtTheFieldsPrecision)
{
    struct Case {
        const char* fault;
        const wchar_t* text;
        double value;
        const wchar_t* fmt;
        bool means;
    } cases[] = {
        {"a number being typed was taken as different", L"12.", 12.0, L"%.1f", true},
        {"same digits taken as different", L"12.3", 12.3, L"%.1f", true},
        {"extra digits beyond the shown ones rewritten", L"12.34", 12.3, L"%.1f", true},
        {"a different number left standing", L"12.4", 12.3, L"%.1f", false},
        {"empty text kept for zero (nothing shown)", L"", 0.0, L"%.1f", false},
        {"a lone minus kept for zero", L"-", 0.0, L"%.1f", false},
        {"padded format not matched", L" 5.0", 5.0, L"%4.1f", true},
        {"whole metres: 39.4 shown as 39 taken as different", L"39", 39.4, L"%.0f", true},
        {"garbage kept", L"12x", 12.0, L"%.1f", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VrkTextMeansDouble(c.text, c.value, c.fmt) != FALSE, c.means) << c.fault;

    struct Format {
        const wchar_t* fmt;
        bool ok;
    } formats[] = {{L"%.1f", true}, {L"%4.1f", true}, {L"%.0f", true}, {L"%-08.3e", true},
                   {L"%g%%", true}, {L"%s", false}, {L"%d", false}, {L"%f%f", false},
                   {L"", false}, {L"%", false}, {L"%*.1f", false}, {nullptr, false}};
    for (const Format& f : formats)
        EXPECT_EQ(VrkIsDoubleFormat(f.fmt) != FALSE, f.ok) << "format accepted or refused wrongly";

    EXPECT_TRUE(VrkTextMeansInt(L"007", 7));
    EXPECT_FALSE(VrkTextMeansInt(L"", 0));
    EXPECT_FALSE(VrkTextMeansInt(L"-", 0));
    EXPECT_FALSE(VrkTextMeansInt(L"8", 7));
}

namespace {

// A parent window that counts EN_CHANGE from its edit.
int g_nChanges = 0;

LRESULT CALLBACK CountingProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE)
        ++g_nChanges;
    return DefWindowProcW(h, msg, wp, lp);
}

class FieldExchange : public ::testing::Test {
protected:
    static const int kEdit = 100;

    void SetUp() override
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = CountingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VrkDdxParent";
        RegisterClassW(&wc);
        m_hParent = CreateWindowExW(0, L"VrkDdxParent", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                    nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(m_hParent);
        m_hEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0,
                                  100, 20, m_hParent,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEdit)),
                                  wc.hInstance, nullptr);
        ASSERT_TRUE(m_hEdit);
        ASSERT_TRUE(m_parent.Attach(m_hParent));
        g_nChanges = 0;
    }
    void TearDown() override
    {
        m_parent.Detach();
        DestroyWindow(m_hParent);
    }

    CString Text() const
    {
        wchar_t buf[64] = {};
        GetWindowTextW(m_hEdit, buf, 64);
        return buf;
    }
    void Type(const wchar_t* text)
    {
        SetWindowTextW(m_hEdit, text);
        g_nChanges = 0;
    }

    HWND m_hParent = nullptr;
    HWND m_hEdit = nullptr;
    CWnd m_parent;
};

}  // namespace

TEST_F(FieldExchange, LoadWritesOnlyWhenTheTextDoesNotMeanTheValue)
{
    const struct {
        const char* fault;
        const wchar_t* typed;
        double value;
        const wchar_t* fmt;  // null: DDX_Int, with fmt[0] as its width
        int width;
        const wchar_t* shown;
        int changes;
    } cases[] = {
        {"empty field not filled", L"", 0.0, L"%.1f", 0, L"0.0", 1},
        {"a number being typed was spoilt", L"12.", 12.0, L"%.1f", 0, L"12.", 0},
        {"an unchanged value was rewritten", L"30.5", 30.5, L"%.1f", 0, L"30.5", 0},
        {"a changed value was not written", L"30.5", 31.26, L"%.1f", 0, L"31.3", 1},
        {"garbage left in the field", L"3x", 3.0, L"%.1f", 0, L"3.0", 1},
        {"a format not for one double was used", L"", 2.5, L"%s", 0, L"2.5", 1},
        {"empty int field not filled", L"", 0, nullptr, 0, L"0", 1},
        {"leading zeros of a typed number spoilt", L"05", 5, nullptr, 0, L"05", 0},
        {"changed int not written", L"35", 36, nullptr, 0, L"36", 1},
        {"lone minus kept", L"-", 0, nullptr, 0, L"0", 1},
        {"width not zero-filled", L"", 7, nullptr, 2, L"07", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        Type(c.typed);
        CDataExchange dx(&m_parent, FALSE);
        double d = c.value;
        int n = static_cast<int>(c.value);
        if (c.fmt)
            DDX_DoubleFmt(&dx, kEdit, d, c.fmt, 7);
        else
            DDX_Int(&dx, kEdit, n, c.width, 7);
        EXPECT_EQ(Text(), c.shown);
        EXPECT_EQ(g_nChanges, c.changes);
        EXPECT_EQ(d, c.value) << "a load changed the member";
    }
    EXPECT_EQ(SendMessageW(m_hEdit, EM_GETLIMITTEXT, 0, 0), 7) << "the text limit was not set";
}

// Saving reads as the lenient reading above does; it must not fail on partial input, touch the
// field or send EN_CHANGE, and a control the template lacks leaves the member alone.
TEST_F(FieldExchange, SaveReadsPartialInputAndLeavesTheFieldAlone)
{
    for (const wchar_t* typed : {L"", L"-", L"12.", L"45abc"}) {
        Type(typed);
        double d = -1.0;
        int n = -1;
        CDataExchange dx(&m_parent, TRUE);
        DDX_DoubleFmt(&dx, kEdit, d, L"%.0f", 7);
        DDX_Int(&dx, kEdit, n, 0, 7);
        EXPECT_EQ(d, VrkParseDoubleLenient(typed));
        EXPECT_EQ(n, VrkParseIntLenient(typed));
        EXPECT_EQ(Text(), typed) << "a save touched the field";
        EXPECT_EQ(g_nChanges, 0) << "a save sent EN_CHANGE";
    }
    int n = 5;
    double d = 1.5;
    for (BOOL save : {FALSE, TRUE}) {
        CDataExchange dx(&m_parent, save);
        DDX_Int(&dx, 999, n, 0, 7);
        DDX_DoubleFmt(&dx, 999, d, L"%.1f", 7);
    }
    EXPECT_EQ(n, 5);
    EXPECT_EQ(d, 1.5);
}
