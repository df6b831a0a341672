#include "LogTestKit.h"

#include <gtest/gtest.h>

#include <citydb/CSafeFile.h>

#include <functional>

#include <filesystem>
#ifdef _WIN32
#  include <windows.h>
#else
#  include <sys/stat.h>
#endif

namespace {

const char* const kHome = "139.7000000,35.7000000,30,09.00, 0, 1, 0";

std::string InJapan(std::initializer_list<std::string> recs)
{
    return Arr({Rec("path", L"場所", "node", L"", "", L"", Arr({Rec("path", L"日本", "node", L"", "", L"", Arr(recs))}))});
}

struct RecordCase {
    const char* fault;
    std::function<void(CityBench&)> edit;
    std::string log;
};

CString g_refusal;

HCITYITEM AddPlace(CityBench& b, std::initializer_list<const wchar_t*> sel, const wchar_t* name)
{
    return b.editor.AddPlace(b.Find(sel), name, PlaceValues(139.7, 35.7, 30, 9), g_refusal);
}

void Rename(CityBench& b, std::initializer_list<const wchar_t*> at, const wchar_t* name)
{
    HCITYITEM h = b.Find(at);
    if (b.tree.GetItemData(h) == CITY_FOLDER_DATA) {
        b.editor.EditFolder(h, name, g_refusal);
    } else {
        const CCityList& c = b.data.CityAt(static_cast<int>(b.tree.GetItemData(h)));
        b.editor.EditPlace(h, name, c, g_refusal);
    }
}

int AskBehind(const CString&) { return 0; }

TEST(Record, EachEditChangesTheRecordOfItsItem)
{
    using B = CityBench;
    const std::string home = Rec("add", L"自宅", "leaf", L"東京", kHome);
    const RecordCase cases[] = {
        {"add behind a place names it as offset", [](B& b) { AddPlace(b, {L"場所", L"日本", L"東京"}, L"自宅"); },
         InJapan({home})},
        {"add into a folder has an empty offset", [](B& b) { AddPlace(b, {L"場所", L"日本"}, L"自宅"); },
         InJapan({Rec("add", L"自宅", "leaf", L"", kHome)})},
        {"rename of an added place rewrites its add record",
         [](B& b) { AddPlace(b, {L"場所", L"日本", L"東京"}, L"自宅"); Rename(b, {L"場所", L"日本", L"自宅"}, L"別宅"); },
         InJapan({Rec("add", L"別宅", "leaf", L"東京", kHome)})},
        {"renames of a system place end in one update record",
         [](B& b) {
             Rename(b, {L"場所", L"日本", L"大阪"}, L"A");
             Rename(b, {L"場所", L"日本", L"A"}, L"B");
             Rename(b, {L"場所", L"日本", L"B"}, L"大阪");
         },
         InJapan({Rec("update", L"大阪", "leaf", L"", "135.5000000,34.6833000,5,09.00, 0, 1, 3", L"大阪")})},
        {"rename of a system folder keeps node and its children's records",
         [](B& b) { AddPlace(b, {L"場所", L"日本"}, L"自宅"); Rename(b, {L"場所", L"日本"}, L"日本国"); },
         Arr({Rec("path", L"場所", "node", L"", "", L"",
                  Arr({Rec("update", L"日本", "node", L"", "", L"日本国", Arr({Rec("add", L"自宅", "leaf", L"", kHome)}))}))})},
        {"delete of an added folder removes its record and all below",
         [](B& b) {
             b.editor.AddFolder(b.Find({L"場所", L"日本"}), L"九州", g_refusal);
             AddPlace(b, {L"場所", L"日本", L"九州"}, L"福岡");
             b.editor.DeleteItem(b.Find({L"場所", L"日本", L"九州"}));
         },
         InJapan({})},
        {"delete of a system place makes a delete record",
         [](B& b) { b.editor.DeleteItem(b.Find({L"場所", L"日本", L"東京"})); },
         InJapan({Rec("delete", L"東京", "node", L"", "", L"", "\"\"")})},
        {"delete then add of the same name appends a new add",
         [](B& b) { b.editor.DeleteItem(b.Find({L"場所", L"日本", L"東京"})); AddPlace(b, {L"場所", L"日本"}, L"東京"); },
         InJapan({Rec("delete", L"東京", "node", L"", "", L"", "\"\""), Rec("add", L"東京", "leaf", L"", kHome)})},
        {"rename then add of the old name are separate records",
         [](B& b) { Rename(b, {L"場所", L"日本", L"東京"}, L"江戸"); AddPlace(b, {L"場所", L"日本"}, L"東京"); },
         InJapan({Rec("update", L"東京", "leaf", L"", "139.7667000,35.6833000,40,09.00, 0, 1, 3", L"江戸"),
                  Rec("add", L"東京", "leaf", L"", kHome)})},
        {"move of a place into a folder: delete at source, add first at destination",
         [](B& b) { b.editor.DropItem(b.Find({L"場所", L"日本", L"東京"}), b.Find({L"場所", L"米国"}), AskBehind, g_refusal); },
         Arr({Rec("path", L"場所", "node", L"", "", L"",
                  Arr({Rec("path", L"日本", "node", L"", "", L"", Arr({Rec("delete", L"東京", "node", L"", "", L"", "\"\"")})),
                       Rec("path", L"米国", "node", L"", "", L"",
                           Arr({Rec("add", L"東京", "leaf", L"", "139.7667000,35.6833000,40,09.00, 0, 0, 3")}))}))})},
        {"move of a place onto a place follows it",
         [](B& b) { b.editor.DropItem(b.Find({L"場所", L"日本", L"東京"}), b.Find({L"場所", L"米国", L"ホノルル"}), AskBehind, g_refusal); },
         Arr({Rec("path", L"場所", "node", L"", "", L"",
                  Arr({Rec("path", L"日本", "node", L"", "", L"", Arr({Rec("delete", L"東京", "node", L"", "", L"", "\"\"")})),
                       Rec("path", L"米国", "node", L"", "", L"",
                           Arr({Rec("add", L"東京", "leaf", L"ホノルル", "139.7667000,35.6833000,40,09.00, 0, 0, 3")}))}))})},
        {"move of a folder records its subtree as nested adds",
         [](B& b) { b.editor.DropItem(b.Find({L"場所", L"日本"}), b.Find({L"場所", L"米国"}), AskBehind, g_refusal); },
         Arr({Rec("path", L"場所", "node", L"", "", L"",
                  Arr({Rec("delete", L"日本", "node", L"", "", L"", "\"\""),
                       Rec("add", L"日本", "node", L"米国", "", L"",
                           Arr({Rec("add", L"東京", "leaf", L"", "139.7667000,35.6833000,40,09.00, 0, 0, 3"),
                                Rec("add", L"大阪", "leaf", L"東京", "135.5000000,34.6833000,5,09.00, 0, 0, 3")}))}))})},
        {"move of an added place removes its add record",
         [](B& b) {
             AddPlace(b, {L"場所", L"日本"}, L"自宅");
             b.editor.DropItem(b.Find({L"場所", L"日本", L"自宅"}), b.Find({L"場所", L"日本", L"大阪"}), AskBehind, g_refusal);
         },
         InJapan({Rec("add", L"自宅", "leaf", L"大阪", kHome)})},
        {"edit without a new name still makes an update",
         [](B& b) { Rename(b, {L"場所", L"米国"}, L"米国"); },
         Arr({Rec("path", L"場所", "node", L"", "", L"", Arr({Rec("update", L"米国", "node", L"", "", L"米国")}))})},
        {"a moved-nowhere drop records nothing",
         [](B& b) { b.editor.DropItem(b.Find({L"場所", L"日本"}), b.Find({L"場所", L"日本", L"東京"}), AskBehind, g_refusal); },
         Arr({Rec("path", L"場所")})},
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(c.fault);
        CityBench b;
        b.Open(JapanList(), "", true);
        c.edit(b);
        EXPECT_EQ(c.log, b.LogText());
    }
}

TEST(Record, NamesAreAnsiAndSlashesEscaped)
{
    CityBench b;
    b.Open(JapanList(), "", true);
    CString strRefusal;
    ASSERT_TRUE(b.editor.AddFolder(b.Find({L"場所"}), L"表/示", strRefusal));
    // 表 ends in the byte 0x5C, which the writer escapes like a backslash.
    EXPECT_NE(std::string::npos, b.LogText().find("\"original_name\":\"\x95\\\\\\/" + Ansi(L"示") + "\""));
    ASSERT_TRUE(b.log.SaveCityList());
    CityBench replay;
    replay.Open(JapanList(), b.SavedLog());
    EXPECT_TRUE(replay.Find({L"場所", L"表/示"}));
}

TEST(Save, ResetThenSaveWritesAnEmptyArrayAndTheHeaderOnce)
{
    CityBench b;
    b.Open(JapanList(), InJapan({Rec("add", L"自宅", "leaf", L"東京", kHome)}));
    b.editor.ResetCityList();
    EXPECT_TRUE(b.editor.m_bModified);
    EXPECT_TRUE(b.editor.m_bEditable);
    EXPECT_EQ("場所{日本{東京,大阪},米国{ホノルル}}", b.Names());
    ASSERT_TRUE(b.log.SaveCityList());
    EXPECT_EQ("[]", b.SavedLog());
    std::string list = ReadBytes(b.dir.Path("zelkam_user.obs"));
    EXPECT_EQ(0u, list.find("# system list\n@"));
    EXPECT_EQ(std::string::npos, list.find("# system list", 1));
}

// The file's identity on its volume, so a replaced file tells from one written in place; 0 when none.
unsigned long long FileId(const std::string& path)
{
#ifdef _WIN32
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL bOk = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    return bOk ? (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow : 0;
#else
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
#endif
}

TEST(Save, WritesBothFilesOrNeitherAndSaysWhich)
{
    struct Case {
        const char* fault;
        std::function<void(CityBench&)> arrange;  // after the load
        const char* unwritten;                    // file named in the result; "" when both were written
        bool bWritten;
    };
    using B = CityBench;
    const std::string kOldList = "old list";
    const std::string kOldLog = "[]";
    const Case cases[] = {
        {"both written", [](B&) {}, "", true},
        {"a log too large to read is replaced, or the list written without it",
         [](B& b) {
             std::filesystem::resize_file(b.dir.Path("zelkam_user_obs.json"), CSafeFile::MaxReadBytes + 1);
             b.Reopen();
             ASSERT_TRUE(b.log.IsLogUnreadable());
             b.editor.AddFolder(b.Find({L"場所"}), L"新", g_refusal);
         },
         "zelkam_user_obs.json", false},
        {"a log that cannot be written leaves a new list behind",
         [](B& b) { b.data.m_strUserJsonFile = b.dir.WidePath("missing/zelkam_user_obs.json"); }, "missing/zelkam_user_obs.json",
         false},
        {"a list that cannot be written is saved with the log anyway",
         [](B& b) { b.data.m_strUserObsFile = b.dir.WidePath("missing/zelkam_user.obs"); }, "missing/zelkam_user.obs", false},
        {"a damaged log replaced although its backup cannot be kept",
         [](B& b) {
             WriteBytes(b.dir.Path("zelkam_user_obs.json"), "[{\"act");
             b.Reopen();
             ASSERT_TRUE(MakeDir(b.dir.Path("zelkam_user_obs.json.bak")));
             WriteBytes(b.dir.Path("zelkam_user_obs.json.bak/x"), "");
             b.editor.AddFolder(b.Find({L"場所"}), L"新", g_refusal);
         },
         "zelkam_user_obs.json.bak", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        CityBench b;
        WriteBytes(b.dir.Path("zelkam_user.obs"), kOldList);
        b.Open(JapanList(), kOldLog);
        b.editor.AddFolder(b.Find({L"場所"}), L"新", g_refusal);
        c.arrange(b);
        const unsigned long long nLogBefore = FileId(b.dir.Path("zelkam_user_obs.json"));
        CLocationLog::SaveResult saved = b.log.SaveCityList();
        EXPECT_EQ(c.bWritten, static_cast<bool>(saved));
        EXPECT_EQ(c.bWritten, saved.bListWritten);
        EXPECT_EQ(c.bWritten, saved.bLogWritten);
        EXPECT_EQ(*c.unwritten ? b.dir.WidePath(c.unwritten) : CString(), saved.strUnwritten);
        EXPECT_EQ(c.bWritten, ReadBytes(b.dir.Path("zelkam_user.obs")) != kOldList);
        // A save replaces a file whole, so a written log is a new file.
        EXPECT_EQ(c.bWritten, FileId(b.dir.Path("zelkam_user_obs.json")) != nLogBefore);
        RemoveFile(b.dir.Path("zelkam_user_obs.json.bak/x"));
    }
}

TEST(Save, DamagedLogIsKeptInABackupBeforeItIsReplaced)
{
    CityBench b;
    const std::string damaged = "[" + Rec("path", L"場所") + ",{\"act";
    b.Open(JapanList(), damaged);
    ASSERT_TRUE(b.log.IsLogDamaged());
    // An older backup with other bytes stays as it is.
    WriteBytes(b.dir.Path("zelkam_user_obs.json.bak"), "older");
    CLocationLog::SaveResult saved = b.log.SaveCityList();
    ASSERT_TRUE(saved);
    EXPECT_EQ(b.dir.WidePath("zelkam_user_obs.json.bak.2"), saved.strBackup);
    EXPECT_EQ("older", ReadBytes(b.dir.Path("zelkam_user_obs.json.bak")));
    EXPECT_EQ(damaged, ReadBytes(b.dir.Path("zelkam_user_obs.json.bak.2")));
    EXPECT_EQ("[" + Rec("path", L"場所") + ",{}]", b.SavedLog());
    // A second save does not copy again.
    ASSERT_TRUE(b.log.SaveCityList());
    EXPECT_FALSE(b.dir.Exists("zelkam_user_obs.json.bak.3"));

    CityBench clean;
    clean.Open(JapanList(), "[]");
    EXPECT_TRUE(clean.log.SaveCityList().strBackup.IsEmpty());
    EXPECT_FALSE(clean.dir.Exists("zelkam_user_obs.json.bak"));
}

}  // namespace

namespace {

TEST(Record, HandEditedRecordsAreMadeReplayableBeforeEditsGoIntoThem)
{
    // A "path" record whose "next" is not an array, and one of a folder that says "leaf".
    std::string japan = Rec("path", L"日本");
    japan.replace(japan.find("\"next\":[]"), 9, "\"next\":{}");
    const std::string log = Arr({Rec("path", L"場所", "node", L"", "", L"", Arr({japan, Rec("path", L"米国", "leaf")}))});
    CityBench b;
    b.Open(JapanList(), log);
    CString s;
    ASSERT_TRUE(b.editor.AddPlace(b.Find({L"場所", L"日本"}), L"自宅", PlaceValues(139.7, 35.7, 30, 9), s));
    ASSERT_TRUE(b.editor.EditFolder(b.Find({L"場所", L"米国"}), L"アメリカ", s));
    EXPECT_EQ(Arr({Rec("path", L"場所", "node", L"", "", L"",
                       Arr({Rec("path", L"日本", "node", L"", "", L"", Arr({Rec("add", L"自宅", "leaf", L"", kHome)})),
                            Rec("update", L"米国", "node", L"", "", L"アメリカ")}))}),
              b.LogText());
    ASSERT_TRUE(b.log.SaveCityList());
    CityBench replay;
    replay.Open(JapanList(), b.SavedLog());
    EXPECT_EQ(b.Dump(), replay.Dump());
}

}  // namespace
