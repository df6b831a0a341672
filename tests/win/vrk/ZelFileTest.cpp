#include <vrkcom/CZelFile.h>

#include "VrkTestUtil.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<CString> ReadAll(const CString& path)
{
    std::vector<CString> lines;
    CZelFile f;
    if (!f.Open(path, CZelFile::modeRead | CZelFile::shareDenyNone, nullptr))
        return {L"<cannot open>"};
    CString line;
    while (f.ReadString(line))
        lines.push_back(line);
    return lines;
}

}  // namespace

TEST(ZelFile, WritesAnsiBytesWithoutMark)
{
    ASSERT_EQ(GetACP(), 932u) << "the tests run in the Japanese code page";
    const CString path = TestFolder(L"zelfile") + L"out.obs";
    struct Case {
        const char* fault;
        const wchar_t* text;
        std::string bytes;
    } cases[] = {
        {"kanji not in CP932", L"東京\r\n", "\x93\x8C\x8B\x9E\r\n"},
        {"trail byte 0x5C mangled", L"表,x\r\n", "\x95\x5C,x\r\n"},
        {"half-width katakana not single bytes", L"ｶﾅ\n", "\xB6\xC5\n"},
        {"LF turned into CR LF", L"a\nb\n", "a\nb\n"},
        {"ASCII changed", L"@@Folder\r\n#\r\n", "@@Folder\r\n#\r\n"},
    };
    for (const Case& c : cases) {
        CZelFile f;
        f.SetUnicode(0, 1);
        ASSERT_TRUE(f.Open(path, CZelFile::modeCreate | CZelFile::modeWrite | CZelFile::shareDenyNone,
                           nullptr));
        EXPECT_TRUE(f.WriteString(c.text));
        EXPECT_TRUE(f.Close());
        EXPECT_EQ(ReadBytes(path), c.bytes) << c.fault;
    }
}

TEST(ZelFile, CreateTruncatesAndPiecesFollowEachOther)
{
    const CString path = TestFolder(L"zelfile2") + L"user.obs";
    ASSERT_TRUE(WriteBytes(path, std::string(1000, 'x')));
    CZelFile f;
    f.SetUnicode(0, 1);
    ASSERT_TRUE(f.Open(path, 0x1041, nullptr));
    EXPECT_TRUE(f.WriteString(L"# header\n"));
    EXPECT_TRUE(f.WriteString(L"@場所\r\n"));
    EXPECT_TRUE(f.WriteString(L""));
    EXPECT_TRUE(f.Close());
    EXPECT_EQ(ReadBytes(path), "# header\n@\x8F\xEA\x8F\x8A\r\n") << "old content survived or pieces lost";
}

TEST(ZelFile, ReadsCrLfAndLfLines)
{
    const CString dir = TestFolder(L"zelfile3");
    struct Case {
        const char* fault;
        std::string bytes;
        std::vector<CString> lines;
    } cases[] = {
        {"CR LF left a CR", "a\r\nb\r\n", {L"a", L"b"}},
        {"LF not a line end", "a\nb\n", {L"a", L"b"}},
        {"last line without end lost", "a\r\nlast", {L"a", L"last"}},
        {"empty lines dropped", "\r\n\n x \r\n", {L"", L"", L" x "}},
        {"empty file gave a line", "", {}},
        {"trail byte 0x5C split the line", "\x95\x5C\\\r\n\x93\x8C", {L"表\\", L"東"}},
        {"lone CR inside a line taken as a line end", "a\rb\n", {L"a\rb"}},
    };
    for (const Case& c : cases) {
        const CString path = dir + L"in.obs";
        ASSERT_TRUE(WriteBytes(path, c.bytes));
        EXPECT_EQ(ReadAll(path), c.lines) << c.fault;
    }
}

TEST(ZelFile, LongFileAcrossBuffersAndSeekBack)
{
    const CString path = TestFolder(L"zelfile4") + L"long.obs";
    std::string bytes = "#h1\r\n#h2\r\n";
    const int n = 20000;
    for (int i = 0; i < n; ++i)
        bytes += "\x93\x8C\x8B\x9E" + std::to_string(i) + (i % 2 ? "\r\n" : "\n");
    ASSERT_TRUE(WriteBytes(path, bytes));

    CZelFile f;
    ASSERT_TRUE(f.Open(path, CZelFile::modeRead | CZelFile::shareDenyNone, nullptr));
    EXPECT_EQ(f.GetLength(), static_cast<long long>(bytes.size()));
    CString line;
    ASSERT_TRUE(f.ReadString(line));
    ASSERT_TRUE(f.ReadString(line));
    const long long bodyStart = f.GetPosition();
    EXPECT_EQ(bodyStart, 10) << "the position did not account for the read-ahead";
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, L"東京0");
    EXPECT_EQ(f.Seek(bodyStart, CZelFile::begin), bodyStart);
    int count = 0;
    while (f.ReadString(line)) {
        CString want;
        want.Format(L"東京%d", count);
        if (line != want) {
            ADD_FAILURE() << "line " << count << " read wrong";
            break;
        }
        ++count;
    }
    EXPECT_EQ(count, n) << "lines lost at a buffer boundary";
    EXPECT_FALSE(f.ReadString(line));
}

TEST(ZelFile, OpenFailuresAreReported)
{
    const CString dir = TestFolder(L"zelfile5");
    CZelFile f;
    EXPECT_FALSE(f.Open(dir + L"missing.obs", CZelFile::modeRead | CZelFile::shareDenyNone, nullptr));
    EXPECT_FALSE(f.Open(dir + L"no-such-folder\\x.obs",
                        CZelFile::modeCreate | CZelFile::modeWrite | CZelFile::shareDenyNone, nullptr));
    EXPECT_FALSE(f.Open(L"", CZelFile::modeRead, nullptr));
    CString line = L"kept";
    EXPECT_FALSE(f.ReadString(line));
    EXPECT_EQ(line, L"kept");
    EXPECT_FALSE(f.WriteString(L"x"));
}

TEST(ZelFile, UnicodeModeRoundTrip)
{
    const CString path = TestFolder(L"zelfile6") + L"u.txt";
    {
        CZelFile f;
        f.SetUnicode(1, 0);
        ASSERT_TRUE(f.Open(path, CZelFile::modeCreate | CZelFile::modeWrite, nullptr));
        f.WriteString(L"é東\r\nb");
    }
    EXPECT_EQ(ReadBytes(path).substr(0, 4), std::string("\xFF\xFE\xE9\x00", 4));
    // Read in the default mode: the mark decides.
    EXPECT_EQ(ReadAll(path), (std::vector<CString>{L"é東", L"b"}));
}
