#include <afx/CException.h>
#include <afx/CString.h>
#include <afx/CStringA.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct StringCase {
    const char* fault;
    CString got;
    const wchar_t* want;
};

TEST(CString, SubstringsClampAndTrimRemovesWhiteSpaceOnly)
{
    const CString s(L"東京都港区");
    const StringCase cases[] = {
        {"left within", s.Left(2), L"東京"},
        {"left past the end", s.Left(99), L"東京都港区"},
        {"left negative", s.Left(-1), L""},
        {"right within", s.Right(2), L"港区"},
        {"right past the end", s.Right(99), L"東京都港区"},
        {"right negative", s.Right(-3), L""},
        {"mid to the end", s.Mid(3), L"港区"},
        {"mid with count", s.Mid(1, 2), L"京都"},
        {"mid count past the end", s.Mid(3, 99), L"港区"},
        {"mid negative first starts at 0", s.Mid(-2, 2), L"東京"},
        {"mid first past the end", s.Mid(9), L""},
        {"mid negative count", s.Mid(1, -1), L""},
        {"trim spaces and tabs", CString(L" \t東京 \r\n").Trim(), L"東京"},
        {"ideographic space", CString(L"\x3000港区\x3000").Trim(), L"港区"},
        {"inner space kept", CString(L"  a b  ").Trim(), L"a b"},
        {"left only", CString(L"  a  ").TrimLeft(), L"a  "},
        {"right only", CString(L"  a  ").TrimRight(), L"  a"},
        {"all space", CString(L" \t ").Trim(), L""},
        {"given character", CString(L"xxaxx").Trim(L'x'), L"a"},
        {"given set", CString(L"-+a+-").Trim(L"+-"), L"a"},
        {"right set", CString(L"1.500").TrimRight(L"0"), L"1.5"},
    };
    for (const StringCase& c : cases)
        EXPECT_EQ(c.got, c.want) << c.fault;
}

TEST(CString, SearchAndEdit)
{
    const CString s(L"a,b,c");
    EXPECT_EQ(s.Find(L','), 1);
    EXPECT_EQ(s.Find(L',', 2), 3) << "start is honoured";
    EXPECT_EQ(s.Find(L'x'), -1);
    EXPECT_EQ(s.Find(L',', 99), -1) << "start past the end";
    EXPECT_EQ(s.Find(L"b,c"), 2);
    EXPECT_EQ(s.Find(L"c,"), -1);
    EXPECT_EQ(s.ReverseFind(L','), 3);
    EXPECT_EQ(s.ReverseFind(L'x'), -1);

    CString r(L"a\\b\\c");
    EXPECT_EQ(r.Replace(L"\\", L"/"), 2);
    EXPECT_EQ(r, L"a/b/c");
    EXPECT_EQ(r.Replace(L"/", L"--"), 2) << "longer replacement";
    EXPECT_EQ(r, L"a--b--c");
    EXPECT_EQ(r.Replace(L"", L"x"), 0) << "empty pattern changes nothing";
    EXPECT_EQ(r.Replace(L'-', L'+'), 4);
    EXPECT_EQ(r, L"a++b++c");
    EXPECT_EQ(r.Remove(L'+'), 4);
    EXPECT_EQ(r, L"abc");

    CString e(L"abc");
    EXPECT_EQ(e.Insert(1, L"XY"), 5);
    EXPECT_EQ(e, L"aXYbc");
    EXPECT_EQ(e.Insert(99, L'!'), 6) << "past the end appends";
    EXPECT_EQ(e.Delete(1, 2), 4);
    EXPECT_EQ(e, L"abc!");
    EXPECT_EQ(e.Delete(2, 99), 2) << "count clamps to the end";
    EXPECT_EQ(e, L"ab");
}

TEST(CString, BufferForApisThatFillOne)
{
    CString s(L"old");
    wchar_t* buf = s.GetBuffer(16);
    const wchar_t text[] = L"東京\0junk";
    for (int i = 0; i < 7; ++i)
        buf[i] = text[i];
    s.ReleaseBuffer();
    EXPECT_EQ(s, L"東京") << "length up to the first NUL";
    s.GetBufferSetLength(5)[4] = L'x';
    s.ReleaseBuffer(5);
    EXPECT_EQ(s.GetLength(), 5);
    EXPECT_EQ(s.Right(1), L"x");
    EXPECT_EQ(CString(L"a;b,c").FindOneOf(L",;"), 1);
    EXPECT_EQ(CString(L"abc").FindOneOf(L"xyz"), -1);
}

TEST(CString, Comparisons)
{
    EXPECT_EQ(CString(L"Tokyo").CompareNoCase(L"TOKYO"), 0);
    EXPECT_LT(CString(L"abc").CompareNoCase(L"ABD"), 0);
    EXPECT_GT(CString(L"b").CompareNoCase(L"A"), 0);
    EXPECT_EQ(CString(L"ÉCOLE").CompareNoCase(L"école"), 0) << "Latin-1 letters fold";
    EXPECT_NE(CString(L"Tokyo").Compare(L"tokyo"), 0) << "Compare is case-sensitive";
    EXPECT_EQ(CString(L"東京").Compare(L"東京"), 0);
    EXPECT_GT(CString(L"a").Compare(nullptr), 0);
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
    EXPECT_TRUE(CString() == L"");
    EXPECT_TRUE(L"x" != CString(L"y"));
    EXPECT_EQ(CString(L"abc").MakeUpper(), L"ABC");
    EXPECT_EQ(CString(L"ÀB東").MakeLower(), L"àb東");
}

TEST(CString, BuildsAndFormats)
{
    CString s = CString(L"東") + L"京" + L'都' + CString(L"港区");
    EXPECT_EQ(s, L"東京都港区");
    EXPECT_EQ(s.GetLength(), 5);
    EXPECT_EQ(s[2], L'都');
    EXPECT_EQ(CString(L'-', 3), L"---");
    EXPECT_EQ(CString(L"abcdef", 3), L"abc");
    EXPECT_TRUE(CString(static_cast<const wchar_t*>(nullptr)).IsEmpty());

    CString f;
    f.Format(L"%s = %s", L"location", L"location(139.691772, 35.689236, 39.000000)");
    EXPECT_EQ(f, L"location = location(139.691772, 35.689236, 39.000000)");
    f.Format(L"%s+%d", f.Left(3).GetString(), 1);
    EXPECT_EQ(f, L"loc+1") << "an argument may come from the string itself";
    f.AppendFormat(L"%05.2f", 9.0);
    EXPECT_EQ(f, L"loc+109.00");
}

TEST(CString, AnsiConstructorsUseTheCodePage)
{
    EXPECT_EQ(CString("\x93\x8C\x8B\x9E"), L"東京");
    EXPECT_EQ(CString(CStringA("\x95\x5C")), L"表");
    EXPECT_EQ(CStringA(CString(L"場所")), "\x8F\xEA\x8F\x8A");
    EXPECT_EQ(CStringA(L"é?"), "e?");
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
}

TEST(CString, OutOfRangeAccessThrowsInvalidArgument)
{
    CString s(L"ab");
    EXPECT_EQ(s.GetAt(2), L'\0') << "the terminator may be read";
    EXPECT_THROW(s.GetAt(-1), CInvalidArgException*);
    EXPECT_THROW(s.GetAt(3), CInvalidArgException*);
    EXPECT_THROW(s.SetAt(2, L'x'), CInvalidArgException*);
    EXPECT_EQ(s, L"ab");
}

}  // namespace
