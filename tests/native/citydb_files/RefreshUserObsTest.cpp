#include "TestFiles.h"

#include <citydb/CSafeFile.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#ifndef _WIN32
#  include <sys/stat.h>
#endif

#ifdef _WIN32
#  include <windows.h>

#  include <algorithm>
#  include <chrono>
#  include <thread>
#endif

namespace {

// An east and north place line is in the whole file below; here the other shapes of a line.
TEST(GetCityString, WritesExactBytes)
{
    const std::string pad39(39, ' '), tail1 = ",  1.0000000E, 1.0000000N,      0,+00.00, 0, 0, 0\r\n";
    const struct { const char* fault; CString name; double lon, lat, alt, tz; int altFlag, user, type; std::string expected; } cases[] = {
        {"west, negative altitude rounded instead of truncated", L"Honolulu", -157.8583, 21.3069, -3.7, -10, 0, 0, 3,
         "Honolulu" + std::string(32, ' ') + ",157.8583000W,21.3069000N,     -3,-10.00, 0, 0, 3\r\n"},
        {"south and half-hour zone", L"S", 18.4, -33.9, 0, -3.5, 1, 1, 12, "S" + pad39 + ", 18.4000000E,33.9000000S,      0,-03.50, 1, 1,12\r\n"},
        {"quarter-hour zone, positive altitude rounded", L"K", 85.3, 27.7, 1400.6, 5.75, 2, 0, 0, "K" + pad39 + ", 85.3000000E,27.7000000N,   1400,+05.75, 0, 0, 0\r\n"},
        {"Japanese name cut inside a character", CString(L"A") + CString(std::wstring(25, L'東')), 1, 1, 0, 0, 0, 0, 0,
         "A" + A(std::wstring(19, L'東').c_str()) + " " + tail1},
        {"Japanese name of exactly 40 bytes padded", CString(std::wstring(20, L'東')), 1, 1, 0, 0, 0, 0, 0, A(std::wstring(20, L'東').c_str()) + tail1},
        {"line break in a name splits the line", L"a\r\nb", 1, 1, 0, 0, 0, 0, 0, "a  b" + std::string(36, ' ') + tail1},
        // The bytes of 東京 in the code page, independent of the conversion under test.
        {"code page of the name", L"東京", 1, 1, 0, 0, 0, 0, 0, "\x93\x8c\x8b\x9e" + std::string(36, ' ') + tail1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        LoadedList list;
        CString strLine;
        list.data.GetCityString(list.tree, list.Add(list.Root(), c.name, c.lon, c.lat, c.alt, c.tz, c.altFlag, c.user, c.type), strLine);
        EXPECT_EQ(AnsiFromWide(strLine.wstr()), c.expected);
    }
}

TEST(RefreshUserObs, WritesHeaderFoldersPlacesAndCloseLines)
{
    TempDir dir;
    LoadedList list;
    list.data.m_strObsHeader = L"#h1\n#h2\n";
    list.data.m_strUserObsFile = dir.WidePath("zelkam_user.obs");
    HCITYITEM hRoot = list.Root();
    HCITYITEM hJapan = list.tree.InsertItem(L"日本", 0, 1, CITY_FOLDER_DATA, hRoot, CITY_TVI_LAST);
    list.Add(hJapan, L"東京", 139.7667, 35.6833, 40, 9);
    HCITYITEM hKanto = list.tree.InsertItem(L"関東", 0, 1, CITY_FOLDER_DATA, hJapan, CITY_TVI_LAST);
    list.Add(hKanto, L"横浜", 139.6380, 35.4437, 5, 9, 1, 1, 2);
    list.tree.InsertItem(L"空", 0, 1, CITY_FOLDER_DATA, hKanto, CITY_TVI_LAST);
    list.Add(hRoot, L"x", -1, -1, 0, 0);
    list.tree.InsertItem(L"empty", 0, 1, CITY_FOLDER_DATA, hRoot, CITY_TVI_LAST);
    ASSERT_TRUE(list.data.RefreshUserObs());
    auto place = [](const wchar_t* name, const std::string& rest) { return A(name) + std::string(40 - A(name).size(), ' ') + rest; };
    const std::string written = "#h1\n#h2\n" + A(L"@日本\r\n") + place(L"東京", ",139.7667000E,35.6833000N,     40,+09.00, 0, 0, 3\r\n")
        + A(L"@@関東\r\n") + place(L"横浜", ",139.6380000E,35.4437000N,      5,+09.00, 1, 1, 2\r\n")
        + A(L"@@@空\r\n") + "#\r\n"  // an empty folder closes at once
        + "#\r\n#\r\n" + place(L"x", ",  1.0000000W, 1.0000000S,      0,+00.00, 0, 0, 3\r\n") + "@empty\r\n#\r\n";
    EXPECT_EQ(ReadBytes(dir.Path("zelkam_user.obs")), written);
}

TEST(RefreshUserObs, FailedSaveLeavesTheOldFileWhole)
{
    TempDir dir;
    LoadedList list;
    list.Add(list.Root(), L"p", 1, 1, 0, 0);
    const std::string old = "#old\r\n@A\r\n#\r\n";
    // A name so long that no temporary file can be made beside it.
    const std::string longName(250, 'u');
    WriteBytes(dir.Path(longName), old);
    list.data.m_strUserObsFile = dir.WidePath(longName);
    EXPECT_FALSE(list.data.RefreshUserObs());
    EXPECT_EQ(ReadBytes(dir.Path(longName)), old);
    // A target that cannot be replaced: the temporary file must not be left behind.
    ASSERT_TRUE(MakeDir(dir.Path("dir.obs")));
    WriteBytes(dir.Path("dir.obs") + kPathSeparator + "inside", "x");
    list.data.m_strUserObsFile = dir.WidePath("dir.obs");
    EXPECT_FALSE(list.data.RefreshUserObs());
    EXPECT_EQ(dir.Names().size(), 2u) << "a temporary file was left behind";
    // A place item whose data is no record: the exception leaves the old file as it was.
    list.tree.InsertItem(L"bad", 3, 2, 77, list.Root(), CITY_TVI_LAST);
    WriteBytes(dir.Path("keep.obs"), old);
    list.data.m_strUserObsFile = dir.WidePath("keep.obs");
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.data.RefreshUserObs(); }));
    EXPECT_EQ(ReadBytes(dir.Path("keep.obs")), old);
}

// Whether a list is older than what it derives from.
TEST(CSafeFile, NewerByWriteTime)
{
    TempDir dir;
    WriteBytes(dir.Path("a"), "a"), WriteBytes(dir.Path("b"), "b");
    const auto base = std::filesystem::last_write_time(dir.Path("a"));
    const struct { const char* fault; int ta, tb; const char *older, *newer; bool bNewer; } cases[] = {
        {"newer not seen", 10, 5, "a", "b", true},
        {"older taken as newer", 5, 10, "a", "b", false},
        {"same time taken as newer", 7, 7, "a", "b", false},
        {"a missing file counted as newer", 7, 7, "none", "b", false},
        {"a list never derived did not count as out of date", 7, 7, "a", "none", true},
    };
    for (const auto& c : cases) {
        std::filesystem::last_write_time(dir.Path("a"), base + std::chrono::seconds(c.ta));
        std::filesystem::last_write_time(dir.Path("b"), base + std::chrono::seconds(c.tb));
        EXPECT_EQ(c.bNewer, CSafeFile::IsNewerThan(dir.WidePath(c.older), dir.WidePath(c.newer))) << c.fault;
    }
}

// Lines longer than the buffer, across its ends, and every kind of line end.
TEST(CSafeFile, ReadsLinesThroughASmallBuffer)
{
    const struct { const char* fault; std::string bytes; size_t nChunk; std::string lines; } cases[] = {
        {"line across the buffer's end", "ab\r\ncdefghij\n\nxyz", 4, "ab\r|4 cdefghij|13 |14 xyz|17 "},
        {"last line end taken for an empty line", "a\nb\n", 1, "a|2 b|4 "},
        {"empty file read as a line", "", 8, ""},
        {"line longer than twice the buffer", std::string(9, 'x') + "\n", 2, "xxxxxxxxx|10 "},
    };
    TempDir dir;
    for (const auto& c : cases) {
        WriteBytes(dir.Path("f"), c.bytes);
        CSafeFile::LineReader file(c.nChunk);
        ASSERT_TRUE(file.Open(dir.WidePath("f")));
        for (int nPass = 0; nPass < 2; ++nPass) {
            std::string lines;
            EXPECT_TRUE(file.ForEachLine([&](const char* p, const char* pEnd, long long nNext) {
                lines += std::string(p, pEnd) + "|" + std::to_string(nNext) + " ";
            }));
            EXPECT_EQ(lines, c.lines) << c.fault;
        }
    }
    EXPECT_FALSE(CSafeFile::LineReader().Open(dir.WidePath("none")));
}

TEST(CSafeFile, ReplacesWholeAndKeepsNoTemporary)
{
    TempDir dir;
    WriteBytes(dir.Path("f.json"), "old content that is longer");
    EXPECT_TRUE(CSafeFile::Write(dir.WidePath("f.json"), std::string("a\0b", 3)));
    std::string bytes = "junk";
    EXPECT_TRUE(CSafeFile::Read(dir.WidePath("f.json"), bytes));
    EXPECT_EQ(bytes, std::string("a\0b", 3));
    EXPECT_EQ(dir.Names().size(), 1u);
    EXPECT_FALSE(CSafeFile::Read(dir.WidePath("none"), bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(CSafeFile::Write(dir.WidePath("no/such/dir.json"), "x"));
    EXPECT_FALSE(CSafeFile::Write(CString(), "x"));
#ifndef _WIN32
    // A private list stays private when it is replaced.
    ASSERT_EQ(0, chmod(dir.Path("f.json").c_str(), 0600));
    EXPECT_TRUE(CSafeFile::Write(dir.WidePath("f.json"), "new"));
    struct stat st;
    ASSERT_EQ(0, stat(dir.Path("f.json").c_str(), &st));
    EXPECT_EQ(0600u, st.st_mode & 07777u);
#endif
}

#ifdef _WIN32

// Another program holding the target open without FILE_SHARE_DELETE, as a virus scanner or
// the map control reading the list does.
enum class Holder { None, Moment, ForGood };

bool HasOwnTemporary(const TempDir& dir, const char* leftover)
{
    const std::vector<std::string> names = dir.Names();
    return std::any_of(names.begin(), names.end(), [&](const std::string& name) {
        return name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0 && (!leftover || name != leftover);
    });
}

TEST(CSafeFile, WindowsReplaceRetriesAHeldTargetAndNeverLosesTheOldFile)
{
    // leftover: beside the target, from a save that crashed.
    const struct { const char* fault; Holder hold; const char* leftover; bool bSaved; } cases[] = {
        {"target held for a moment: retried until it is free", Holder::Moment, nullptr, true},
        {"target held for good: failure reported, old file whole", Holder::ForGood, nullptr, false},
        {"a crashed save's temporary file is neither in the way nor touched", Holder::None, "f.json.tmp", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        TempDir dir;
        WriteBytes(dir.Path("f.json"), "old");
        if (c.leftover)
            WriteBytes(dir.Path(c.leftover), "half");
        HANDLE hHeld = c.hold == Holder::None ? INVALID_HANDLE_VALUE
                                              : CreateFileW(dir.WidePath("f.json").GetString(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_EQ(c.hold == Holder::None, hHeld == INVALID_HANDLE_VALUE);
        // Released a while after the save has written its temporary file, so that its first
        // attempt meets the held target.
        std::thread releaser([&] {
            auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (c.hold == Holder::Moment && !HasOwnTemporary(dir, c.leftover) && std::chrono::steady_clock::now() < until)
                Sleep(1);
            if (c.hold == Holder::Moment) {
                Sleep(150);
                CloseHandle(hHeld);
            }
        });
        const bool bSaved = CSafeFile::Write(dir.WidePath("f.json"), "new content");
        releaser.join();
        if (c.hold == Holder::ForGood)
            CloseHandle(hHeld);
        EXPECT_EQ(c.bSaved, bSaved);
        EXPECT_EQ(c.bSaved ? "new content" : "old", ReadBytes(dir.Path("f.json")));
        std::vector<std::string> names = dir.Names(), expected{"f.json"};
        if (c.leftover)
            expected.push_back(c.leftover);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(expected, names) << "a temporary file was left behind or one was removed";
        EXPECT_EQ(c.leftover ? "half" : "", ReadBytes(dir.Path(c.leftover ? c.leftover : "none")));
    }
}

#endif

}  // namespace
