#include "LogTestKit.h"

#include <gtest/gtest.h>

#include <citydb/CSafeFile.h>

#include <filesystem>
#include <functional>

namespace {

const char* const kTokyo = "139.7667000,35.6833000,40,09.00, 0, 0, 3";
const std::string kHomeBehindTokyo = Rec("add", L"自宅", "leaf", L"東京", kHome);

// A drop that moves nothing records nothing: the editor's drop rules' (Editor.DropRulesPickTheDestination).
TEST(Record, EachEditChangesTheRecordOfItsItem)
{
    using B = CityBench;
    const struct { const char* fault; std::function<void(B&)> edit; std::string log; } cases[] = {
        {"add behind a place names it as offset", [](B& b) { b.AddPlace({L"場所", L"日本", L"東京"}, L"自宅"); },
         InJapan({kHomeBehindTokyo})},
        {"add into a folder has an empty offset", [](B& b) { b.AddPlace({L"場所", L"日本"}, L"自宅"); },
         InJapan({Rec("add", L"自宅", "leaf", L"", kHome)})},
        {"folder behind the last place names it as offset", [](B& b) { b.AddFolder({L"場所", L"米国", L"ホノルル"}, L"新"); },
         Top({PathRec(L"米国", {Rec("add", L"新", "node", L"ホノルル")})})},
        {"rename of an added place rewrites its add record",
         [](B& b) { b.AddPlace({L"場所", L"日本", L"東京"}, L"自宅"); b.Rename({L"場所", L"日本", L"自宅"}, L"別宅"); },
         InJapan({Rec("add", L"別宅", "leaf", L"東京", kHome)})},
        {"renames of a system place end in one update record",
         [](B& b) { b.Rename({L"場所", L"日本", L"大阪"}, L"A"); b.Rename({L"場所", L"日本", L"A"}, L"大阪"); },
         InJapan({Rec("update", L"大阪", "leaf", L"", "135.5000000,34.6833000,5,09.00, 0, 1, 3", L"大阪")})},
        {"rename of a system folder keeps node and its children's records",
         [](B& b) { b.AddPlace({L"場所", L"日本"}, L"自宅"); b.Rename({L"場所", L"日本"}, L"日本国"); },
         Top({Rec("update", L"日本", "node", L"", "", L"日本国", Arr({Rec("add", L"自宅", "leaf", L"", kHome)}))})},
        {"delete of an added folder removes its record and all below",
         [](B& b) {
             b.AddFolder({L"場所", L"日本"}, L"九州");
             b.AddPlace({L"場所", L"日本", L"九州"}, L"福岡");
             b.Delete({L"場所", L"日本", L"九州"});
         },
         InJapan({})},
        {"delete of a system place makes a delete record", [](B& b) { b.Delete({L"場所", L"日本", L"東京"}); },
         InJapan({Del(L"東京")})},
        {"delete then add of the same name appends a new add",
         [](B& b) { b.Delete({L"場所", L"日本", L"東京"}); b.AddPlace({L"場所", L"日本"}, L"東京"); },
         InJapan({Del(L"東京"), Rec("add", L"東京", "leaf", L"", kHome)})},
        {"rename then add of the old name are separate records",
         [](B& b) { b.Rename({L"場所", L"日本", L"東京"}, L"江戸"); b.AddPlace({L"場所", L"日本"}, L"東京"); },
         InJapan({Rec("update", L"東京", "leaf", L"", "139.7667000,35.6833000,40,09.00, 0, 1, 3", L"江戸"),
                  Rec("add", L"東京", "leaf", L"", kHome)})},
        {"move of a place into a folder: delete at source, add first at destination",
         [](B& b) { b.Drop({L"場所", L"日本", L"東京"}, {L"場所", L"米国"}); },
         Top({PathRec(L"日本", {Del(L"東京")}), PathRec(L"米国", {Rec("add", L"東京", "leaf", L"", kTokyo)})})},
        {"move of a place onto a place follows it",
         [](B& b) { b.Drop({L"場所", L"日本", L"東京"}, {L"場所", L"米国", L"ホノルル"}); },
         Top({PathRec(L"日本", {Del(L"東京")}), PathRec(L"米国", {Rec("add", L"東京", "leaf", L"ホノルル", kTokyo)})})},
        {"move of a folder records its subtree as nested adds", [](B& b) { b.Drop({L"場所", L"日本"}, {L"場所", L"米国"}); },
         Top({Del(L"日本"), Rec("add", L"日本", "node", L"米国", "", L"",
                                Arr({Rec("add", L"東京", "leaf", L"", kTokyo),
                                     Rec("add", L"大阪", "leaf", L"東京", "135.5000000,34.6833000,5,09.00, 0, 0, 3")}))})},
        {"move of an added place removes its add record",
         [](B& b) { b.AddPlace({L"場所", L"日本"}, L"自宅"); b.Drop({L"場所", L"日本", L"自宅"}, {L"場所", L"日本", L"大阪"}); },
         InJapan({Rec("add", L"自宅", "leaf", L"大阪", kHome)})},
        {"edit without a new name still makes an update", [](B& b) { b.Rename({L"場所", L"米国"}, L"米国"); },
         Top({Rec("update", L"米国", "node", L"", "", L"米国")})},
        {"an add beside a namesake whose record exists took that record",
         [](B& b) {
             b.Rename({L"場所", L"日本", L"東京"}, L"東京");
             const int nIndex = b.data.AppendCity(CCityList{nullptr, 0, CString(), 139.7, 35.7, 30, 9, 0, 1, 0});
             b.log.AddNodeContext(b.tree.InsertItem(L"東京", 3, 2, nIndex, b.Find({L"場所", L"日本"}), b.Find({L"場所", L"日本", L"東京"})));
         },
         InJapan({Rec("update", L"東京", "leaf", L"", "139.7667000,35.6833000,40,09.00, 0, 1, 3", L"東京"),
                  Rec("add", L"東京", "leaf", L"東京", kHome)})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CityBench b, replay;
        b.Open(JapanList(), "", true);
        c.edit(b);
        EXPECT_EQ(c.log, b.LogText());
        b.SaveAndReplay(replay);
        EXPECT_EQ(b.Dump(), replay.Dump());
    }
}

TEST(Record, HandEditedRecordsAreMadeReplayableBeforeEditsGoIntoThem)
{
    // A "path" record whose "next" is not an array, and one of a folder that says "leaf".
    CityBench b, replay;
    b.Open(JapanList(), Top({Rec("path", L"日本", "node", L"", "", L"", "{}"), Rec("path", L"米国", "leaf")}));
    ASSERT_TRUE(b.AddPlace({L"場所", L"日本"}, L"自宅"));
    ASSERT_TRUE(b.Rename({L"場所", L"米国"}, L"アメリカ"));
    EXPECT_EQ(Top({PathRec(L"日本", {Rec("add", L"自宅", "leaf", L"", kHome)}), Rec("update", L"米国", "node", L"", "", L"アメリカ")}),
              b.LogText());
    b.SaveAndReplay(replay);
    EXPECT_EQ(b.Dump(), replay.Dump());
}

TEST(Record, NamesAreAnsiAndSlashesEscaped)
{
    CityBench b, replay;
    b.Open(JapanList(), "", true);
    ASSERT_TRUE(b.AddFolder({L"場所"}, L"表/示"));
    // 表 ends in the byte 0x5C, which the writer escapes like a backslash.
    std::string log = Top({Rec("add", L"@")});
    EXPECT_EQ(log.replace(log.find('@'), 1, "\x95\\\\\\/" + Ansi(L"示")), b.LogText());
    b.SaveAndReplay(replay);
    EXPECT_TRUE(replay.Find({L"場所", L"表/示"}));
}

TEST(Save, ResetThenSaveWritesAnEmptyArrayAndTheHeaderOnce)
{
    CityBench b;
    b.Open(JapanList(), InJapan({kHomeBehindTokyo}));
    b.editor.ResetCityList();
    EXPECT_TRUE(b.editor.m_bModified && b.editor.m_bEditable);
    EXPECT_EQ("場所{日本{東京,大阪},米国{ホノルル}}", b.Names());
    ASSERT_TRUE(b.log.SaveCityList());
    EXPECT_EQ("[]", b.SavedLog());
    EXPECT_EQ(Ansi(L"# system list\n@日本\r\n東京"), ReadBytes(b.dir.Path("zelkam_user.obs")).substr(0, 25));
    EXPECT_EQ(std::string::npos, ReadBytes(b.dir.Path("zelkam_user.obs")).find("# system list", 1));
}

TEST(Save, WritesTheLogFirstAndSaysWhatWasWritten)
{
    // What goes wrong after the load and one edit, the file named in the result ("" when both
    // were written), and whether the log was: the list is written only after it.
    using B = CityBench;
    const struct { const char* fault; std::function<void(B&)> arrange; const char* unwritten; bool bLog; } cases[] = {
        {"both written", [](B&) {}, "", true},
        {"a log too large to read is never replaced, and the list not written",
         [](B& b) {
             std::filesystem::resize_file(b.dir.Path("zelkam_user_obs.json"), CSafeFile::MaxReadBytes + 1);
             b.Reopen();
             ASSERT_TRUE(b.log.IsLogUnreadable());
             b.AddFolder({L"場所"}, L"新");
         },
         "zelkam_user_obs.json", false},
        {"a log that cannot be written leaves the old list",
         [](B& b) { b.data.m_strUserJsonFile = b.dir.WidePath("missing/zelkam_user_obs.json"); }, "missing/zelkam_user_obs.json", false},
        {"a list that cannot be written after the log keeps the edits in the log",
         [](B& b) { b.data.m_strUserObsFile = b.dir.WidePath("missing/zelkam_user.obs"); }, "missing/zelkam_user.obs", true},
        {"a damaged log replaced although its backup cannot be kept",
         [](B& b) {
             WriteBytes(b.dir.Path("zelkam_user_obs.json"), "[{\"act");
             b.Reopen();
             ASSERT_TRUE(MakeDir(b.dir.Path("zelkam_user_obs.json.bak")));
             WriteBytes(b.dir.Path("zelkam_user_obs.json.bak/x"), "");
             b.AddFolder({L"場所"}, L"新");
         },
         "zelkam_user_obs.json.bak", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        const bool bWritten = !*c.unwritten;
        CityBench b;
        b.Open(JapanList(), "[]");
        b.AddFolder({L"場所"}, L"新");
        c.arrange(b);
        WriteBytes(b.dir.Path("zelkam_user.obs"), "old list");
        // The log before the save by a second name: a replaced log is another file than this one.
        std::filesystem::create_hard_link(b.dir.Path("zelkam_user_obs.json"), b.dir.Path("log.before"));
        CLocationLog::SaveResult saved = b.log.SaveCityList();
        EXPECT_EQ(bWritten, saved.bListWritten);
        EXPECT_EQ(c.bLog, saved.bLogWritten);
        EXPECT_EQ(bWritten ? CString() : b.dir.WidePath(c.unwritten), saved.strUnwritten);
        EXPECT_EQ(bWritten, ReadBytes(b.dir.Path("zelkam_user.obs")) != "old list");
        // A save replaces a file whole, never writes into it.
        EXPECT_EQ(c.bLog && b.data.m_strUserJsonFile == b.dir.WidePath("zelkam_user_obs.json"),
                  !std::filesystem::equivalent(b.dir.Path("zelkam_user_obs.json"), b.dir.Path("log.before")));
        RemoveFile(b.dir.Path("zelkam_user_obs.json.bak/x"));
    }
}

// The stop point of the save under test: its nth file-system call is failed, or the save is
// cut short there (thrown out of, as a killed process stops).
struct Killed {};
int g_nCall = 0, g_nStopAt = 0;
bool g_bKill = false;
bool StopAtNthCall(const char*)
{
    if (++g_nCall != g_nStopAt)
        return true;
    if (g_bKill)
        throw Killed{};
    return false;
}

// Over a pair and over none; each call killed or failed; then the location dialog's start, or
// the city list's load alone.
TEST(Save, CutShortAtAnyCallTheNextStartSeesTheOldSessionOrTheNew)
{
    namespace fs = std::filesystem;
    for (const int nCase : {0, 1, 2, 3, 4, 5, 6, 7}) {
        const bool bOverPair = nCase & 1, bKill = nCase & 2, bDialogStart = nCase & 4;
        for (g_nStopAt = 1, g_nCall = 1; g_nCall >= g_nStopAt - 1; ++g_nStopAt) {  // until a save ends before its stop
            SCOPED_TRACE("case " + std::to_string(nCase) + " stopped at call " + std::to_string(g_nStopAt));
            CityBench b;
            b.Open(JapanList(), "", true);
            if (bOverPair) {
                b.AddPlace({L"場所", L"日本", L"東京"}, L"旧");
                ASSERT_TRUE(b.log.SaveCityList());
            }
            // Older than anything the save writes, whatever the clock's grain.
            for (const char* name : {"zelkam.obs", "zelkam_user.obs", "zelkam_user_obs.json"}) {
                if (b.dir.Exists(name))
                    fs::last_write_time(b.dir.Path(name), fs::last_write_time(b.dir.Path(name)) - std::chrono::seconds(30));
            }
            const std::string oldTree = b.Dump();
            b.AddPlace({L"場所", L"日本"}, L"新"), b.Rename({L"場所", L"日本", L"大阪"}, L"大阪市"), b.Delete({L"場所", L"米国", L"ホノルル"});
            const std::string newTree = b.Dump();
            g_nCall = 0, g_bKill = bKill;
            CSafeFile::SetStepHook(StopAtNthCall);
            try {
                b.log.SaveCityList();
            } catch (const Killed&) {
            }
            CSafeFile::SetStepHook(nullptr);

            CMemTree tree;
            CCitySession next(tree);
            next.SetFiles(b.data.m_strObsFile, b.data.m_strUserObsFile, b.data.m_strUserJsonFile);
            if (bDialogStart)
                CCitySession::RebuildUserListIfStale(b.data.m_strObsFile, b.data.m_strUserObsFile, b.data.m_strUserJsonFile);
            // What the map shows: the list as the location dialog's start leaves it, else as the load does.
            std::string list = ReadBytes(b.dir.Path("zelkam_user.obs"));
            next.Load();
            list = bDialogStart ? list : ReadBytes(b.dir.Path("zelkam_user.obs"));
            const std::string dump = CityDumpTree(next.m_data);
            EXPECT_TRUE(dump == oldTree || dump == newTree) << dump;
            // No list yet is a list still to be made, not one that lacks edits.
            if (bOverPair || b.dir.Exists("zelkam_user.obs")) {
                EXPECT_EQ(next.m_data.BuildUserObsText(tree), list);
            }
        }
        EXPECT_GT(g_nStopAt, 10);
    }
}

// A start without the system list (gone, or only beside the module) leaves the user list alone
// instead of writing the log's own places as the whole list.
TEST(Save, NoUserListIsRebuiltWithoutItsSystemList)
{
    namespace fs = std::filesystem;
    CityBench b;
    b.Open(JapanList(), "", true);
    b.AddPlace({L"場所", L"日本", L"東京"}, L"旧");
    ASSERT_TRUE(b.log.SaveCityList());
    const std::string list = ReadBytes(b.dir.Path("zelkam_user.obs"));
    fs::remove(b.dir.Path("zelkam.obs"));
    fs::last_write_time(b.dir.Path("zelkam_user.obs"), fs::last_write_time(b.dir.Path("zelkam_user_obs.json")) - std::chrono::seconds(30));
    EXPECT_FALSE(CCitySession::RebuildUserListIfStale(b.data.m_strObsFile, b.data.m_strUserObsFile, b.data.m_strUserJsonFile));
    CMemTree tree;
    CCitySession next(tree);
    next.SetFiles(b.data.m_strObsFile, b.data.m_strUserObsFile, b.data.m_strUserJsonFile);
    EXPECT_FALSE(next.Load());
    EXPECT_EQ(list, ReadBytes(b.dir.Path("zelkam_user.obs")));
}

TEST(Save, DamagedLogIsKeptInABackupBeforeItIsReplaced)
{
    CityBench b, clean;
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
    // A second save does not copy again, and a clean log has no backup.
    ASSERT_TRUE(b.log.SaveCityList());
    EXPECT_FALSE(b.dir.Exists("zelkam_user_obs.json.bak.3"));
    clean.Open(JapanList(), "[]");
    EXPECT_TRUE(clean.log.SaveCityList().strBackup.IsEmpty());
    EXPECT_FALSE(clean.dir.Exists("zelkam_user_obs.json.bak"));
}

}  // namespace
