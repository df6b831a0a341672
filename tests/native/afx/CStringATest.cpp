#include <afx/CStringA.h>

#include <gtest/gtest.h>

namespace {

// 表 is 95 5C and ア is 83 41: their trail bytes look like '\' and 'A'.
const char kHyo[] = "\x95\x5C";
const char kA[] = "\x83\x41";

TEST(CStringA, TrailBytesAreNotCharacters)
{
    const CStringA path = CStringA(kHyo) + "\\" + kHyo;
    EXPECT_EQ(path.Find('\\'), 2);
    EXPECT_EQ(path.ReverseFind('\\'), 2);
    EXPECT_EQ(path.Find("\\"), 2);

    CStringA r = path;
    EXPECT_EQ(r.Replace("\\", "/"), 1);
    EXPECT_EQ(r, CStringA(kHyo) + "/" + kHyo);
    r = path;
    EXPECT_EQ(r.Replace('\\', '/'), 1);
    EXPECT_EQ(r.Remove('/'), 1);
    EXPECT_EQ(r, CStringA(kHyo) + kHyo);

    EXPECT_EQ(path.FindOneOf("/\\"), 2) << "FindOneOf skips the trail byte";
    CStringA t = CStringA(kHyo);
    EXPECT_EQ(t.TrimRight('\\'), kHyo) << "trail byte is not trimmed";

    CStringA k = CStringA(kA) + "a";
    EXPECT_EQ(k.MakeLower(), CStringA(kA) + "a") << "trail byte A is not lowered";
    EXPECT_EQ(k.MakeUpper(), CStringA(kA) + "A");
    EXPECT_EQ(CStringA(kA).CompareNoCase("\x83\x61"), -1) << "different characters";
}

TEST(CStringA, ByteOperations)
{
    CStringA s("  Tokyo,139.7  ");
    EXPECT_EQ(s.Trim(), "Tokyo,139.7");
    EXPECT_EQ(s.Find(','), 5);
    EXPECT_EQ(s.Left(5), "Tokyo");
    EXPECT_EQ(s.Mid(6), "139.7");
    EXPECT_EQ(s.Right(99), s);
    EXPECT_EQ(s.CompareNoCase("TOKYO,139.7"), 0);
    CStringA f;
    f.Format("%-10.10s|%7d", "abc", -3);
    EXPECT_EQ(f, "abc       |     -3");
    EXPECT_EQ(f.GetLength(), 18);
    EXPECT_EQ(f.str().size(), 18u);
}

}  // namespace
