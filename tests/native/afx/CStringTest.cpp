#include <afx/CString.h>
#include <afx/CStringA.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// What the product calls: substrings, trimming, formatting, conversions, searching, comparing.
TEST(CString, EditsClampAtTheEnds)
{
    const CString s(L"東京都港区");
    CString loc(L"location");
    loc.Format(L"%s+%d", loc.Left(3).GetString(), 1);
    loc.AppendFormat(L"%05.2f", 9.0);
    const struct { const char* fault; CString got; const wchar_t* want; } cases[] = {
        {"left past the end", s.Left(99), L"東京都港区"},
        {"left negative", s.Left(-1), L""},
        {"right within", s.Right(2), L"港区"},
        {"right negative", s.Right(-3), L""},
        {"mid count past the end", s.Mid(3, 99), L"港区"},
        {"mid negative first starts at 0", s.Mid(-2, 2), L"東京"},
        {"mid first past the end", s.Mid(9), L""},
        {"trim spaces and tabs", CString(L" \t東京 \r\n").Trim(), L"東京"},
        {"ideographic space", CString(L"\x3000港区\x3000").Trim(), L"港区"},
        {"inner space kept", CString(L"  a b  ").Trim(), L"a b"},
        {"left only", CString(L"  a  ").TrimLeft(), L"a  "},
        {"character at both ends", CString(L"\\a\\b\\").Trim(L'\\'), L"a\\b"},
        {"format from the string itself, then appended", loc, L"loc+109.00"},
        {"ANSI constructor", CString("\x93\x8C\x8B\x9E"), L"東京"},
        {"null pointers", CString(static_cast<const wchar_t*>(nullptr)) + CString(static_cast<const char*>(nullptr)), L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        EXPECT_EQ(c.got, c.want);
    }
    EXPECT_EQ(CStringA(CString(L"場所é")), "\x8F\xEA\x8F\x8A" "e");
    CStringA line;
    line.Format("%-10.10s|%7d", "abc", -3);
    EXPECT_EQ(line.str(), "abc       |     -3");
}

TEST(CString, SearchAndCompare)
{
    const CString s(L"a,b,c");
    EXPECT_EQ(s.Find(L',', 2), 3) << "start is honoured";
    EXPECT_EQ(s.Find(L',', 99), -1) << "start past the end";
    EXPECT_EQ(s.Find(L"b,c"), 2);
    EXPECT_EQ(s.ReverseFind(L','), 3);
    EXPECT_EQ(s.ReverseFind(L'x'), -1);
    EXPECT_EQ(CString(L"ÉCOLE").CompareNoCase(L"école"), 0) << "Latin-1 letters fold";
    EXPECT_LT(CString(L"abc").CompareNoCase(L"ABD"), 0);
    EXPECT_NE(CString(L"Tokyo").Compare(L"tokyo"), 0) << "Compare is case-sensitive";
    EXPECT_GT(CString(L"a").Compare(nullptr), 0);
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
}

}  // namespace
