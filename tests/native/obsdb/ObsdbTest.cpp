#include "LogTestKit.h"

#include <citydb/CSafeFile.h>

#include <gtest/gtest.h>

#include <regex>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#ifdef OBSDB_PATH

namespace {

struct ObsdbRun { int status; std::string out, err; };

// Runs the obsdb program in dir with these arguments (file names relative to dir).
ObsdbRun Obsdb(const TempDir& dir, const std::string& args)
{
    const int raw = std::system(("cd '" + dir.Path("") + "' && '" OBSDB_PATH "' " + args + " >stdout.txt 2>stderr.txt").c_str());
    return ObsdbRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(dir.Path("stdout.txt")), ReadBytes(dir.Path("stderr.txt"))};
}

const char* const kApply = "apply sys.obs none.json edits.jsonl out.obs out.json";
const std::string kWorkedEdits =
    "{\"op\":\"add-place\",\"at\":[\"場所\",\"日本\",\"東京\"],\"name\":\"自宅\",\"lon\":139.7,\"lat\":35.7,\"alt\":30,\"tz\":9,\"type\":0}\n"
    "{\"op\":\"edit-place\",\"at\":[\"場所\",\"日本\",\"大阪\"],\"name\":\"大阪市\",\"lon\":135.5023,\"lat\":34.6937,\"alt\":12,"
    "\"tz\":9,\"type\":0,\"altflag\":0}\n"
    "\n"
    "{\"op\":\"delete\",\"at\":[\"場所\",\"日本\",\"東京\"]}\n";

// The worked example's system list and edits in a fresh folder.
struct ObsdbDir : TempDir {
    explicit ObsdbDir(const std::string& edits = kWorkedEdits)
    {
        WriteBytes(Path("sys.obs"), JapanList());
        WriteBytes(Path("edits.jsonl"), edits);
    }
};

TEST(Obsdb, ApplyRecordsEditsAsTheDialogDoesAndRebuildReplaysThem)
{
    // Without "type" and "altflag" a place keeps its kind and gets the flag the editor gives.
    ObsdbDir dir(kWorkedEdits + "{\"op\":\"edit-place\",\"at\":[\"場所\",\"米国\",\"ホノルル\"],\"name\":\"ホノルル\","
                                "\"lon\":-157.9,\"lat\":21.3069,\"alt\":-3,\"tz\":-10}\n");
    ObsdbRun r = Obsdb(dir, kApply);
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ("", r.err);
    r = Obsdb(dir, "dump sys.obs out.json");
    EXPECT_EQ(0, r.status);
    EXPECT_EQ("場所/\n  日本/\n    自宅\t139.7000000,35.7000000,30,09.00, 0, 1, 0\n    大阪市\t135.5023000,34.6937000,12,09.00, 0, 1, 0\n"
              "  米国/\n    ホノルル\t-157.9000000,21.3069000,-3,-10.00, 1, 1, 1\n",
              r.out);
    EXPECT_EQ(0, Obsdb(dir, "rebuild sys.obs out.json again.obs").status);
    EXPECT_EQ(ReadBytes(dir.Path("out.obs")), ReadBytes(dir.Path("again.obs")));
    EXPECT_EQ(0, Obsdb(dir, "rebuild sys.obs missing.json plain.obs").status);
    EXPECT_EQ(0u, ReadBytes(dir.Path("plain.obs")).find("# system list\n" + Ansi(L"@日本\r\n東京 ")));
    EXPECT_EQ(1, Obsdb(dir, "rebuild nosuch.obs out.json x.obs").status);
    EXPECT_FALSE(dir.Exists("x.obs"));
    EXPECT_EQ(2, Obsdb(dir, "rebuild sys.obs").status);
    EXPECT_EQ(2, Obsdb(dir, "frobnicate").status);
    EXPECT_EQ(2, Obsdb(dir, "--codepage x dump sys.obs").status);
}

// Where a place lands is the editor's drop rules' (Editor.DropRulesPickTheDestination); here the
// mode answers the question, and is no answer where none is asked.
TEST(Obsdb, MoveModesPutTheItemIntoOrBehindItsTarget)
{
    const struct { const char* fault; const char* at; const char* to; const char* mode; const char* tree; } cases[] = {
        {"folder into a folder went behind it", "\"日本\"", "\"米国\"", "into", "場所/\n  米国/\n    日本/\n      東京\n      大阪\n    ホノルル\n"},
        {"folder behind a folder went into it", "\"日本\"", "\"米国\"", "behind", "場所/\n  米国/\n    ホノルル\n  日本/\n    東京\n    大阪\n"},
        {"folder onto a place did not follow it", "\"米国\"", "\"日本\",\"東京\"", "into", "場所/\n  日本/\n    東京\n    米国/\n      ホノルル\n    大阪\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        ObsdbDir dir(std::string("{\"op\":\"move\",\"at\":[\"場所\",") + c.at + "],\"to\":[\"場所\"," + c.to + "],\"mode\":\"" + c.mode
                     + "\"}\n");
        ASSERT_EQ(0, Obsdb(dir, kApply).status);
        // The dump's names alone, indented as the tree.
        EXPECT_EQ(c.tree, std::regex_replace(Obsdb(dir, "dump sys.obs out.json").out, std::regex("\t[^\n]*"), ""));
        EXPECT_EQ(0, Obsdb(dir, "rebuild sys.obs out.json again.obs").status);
        EXPECT_EQ(ReadBytes(dir.Path("out.obs")), ReadBytes(dir.Path("again.obs")));
    }
}

// A session over a system list whose folders and places share four names: the log saved with
// the list replays to that very list.
TEST(Obsdb, NamesakeSessionReplaysToTheListItSaved)
{
    TempDir dir;
    for (const char* name : {"zelkam.obs", "edits.jsonl"})
        WriteBytes(dir.Path(name), ReadBytes(std::string(OBSDB_DATA "/namesake-roundtrip/") + name));
    ASSERT_EQ(0, Obsdb(dir, "apply zelkam.obs none.json edits.jsonl out.obs out.json").status);
    ASSERT_EQ(0, Obsdb(dir, "rebuild zelkam.obs out.json again.obs").status);
    EXPECT_EQ(ReadBytes(dir.Path("out.obs")), ReadBytes(dir.Path("again.obs")));
}

// find prints every item whose name holds the text, in tree order, a place with its values;
// over a log, the places the log added too.
TEST(Obsdb, FindPrintsTheMatchingPaths)
{
    ObsdbDir dir;
    ASSERT_EQ(0, Obsdb(dir, kApply).status);
    const struct { const char* fault; const char* args; int status; const char* out; } cases[] = {
        {"half-width katakana not found", "find sys.obs ﾎﾉﾙﾙ", 0, "場所/米国/ホノルル\t-157.8583000,21.3069000,-3,-10.00, 0, 0, 1\n"},
        {"a folder not found, or not marked as one", "find sys.obs 本", 0, "場所/日本/\n"},
        {"the log's places not searched", "find sys.obs out.json 宅", 0, "場所/日本/自宅\t139.7000000,35.7000000,30,09.00, 0, 1, 0\n"},
        {"every match not printed once", "find sys.obs 場", 0, "場所/\n"},
        {"no match reported as found", "find sys.obs 京都", 1, ""},
    };
    for (const auto& c : cases) {
        const ObsdbRun r = Obsdb(dir, c.args);
        EXPECT_EQ(std::make_pair(c.status, std::string(c.out)), std::make_pair(r.status, r.out)) << c.fault << ": " << r.err;
    }
}

TEST(Obsdb, ApplyReportsRefusalsAndErrors)
{
    const std::string ok = "{\"op\":\"add-folder\",\"at\":[\"場所\"],\"name\":\"欧州\"}\n";
    // errHas: expected in standard error. A refusal goes on with the next edit; the editor's own
    // refusals (a name taken, a blank name) are the editor tests'.
    const struct { const char* fault; std::string edits; int status; const char* errHas; bool bWritten; } cases[] = {
        {"a name the list or the code page cannot hold is refused as the editors refuse it, not saved as a look-alike",
         ok + "{\"op\":\"add-place\",\"at\":[\"場所\"],\"name\":\"#1, A\",\"lon\":1,\"lat\":2,\"alt\":3,\"tz\":4}\n"
              "{\"op\":\"add-folder\",\"at\":[\"場所\"],\"name\":\" @x\"}\n"
              "{\"op\":\"edit-place\",\"at\":[\"場所\",\"日本\",\"東京\"],\"name\":\"Zürich\",\"lon\":1,\"lat\":2,\"alt\":3,\"tz\":4}\n"
              "{\"op\":\"add-folder\",\"at\":[\"場所\"],\"name\":\"서울\"}\n",
         0, "都市名の先頭に半角の「#」は使えません。\n都市名に半角の「,」(カンマ)は使えません。\n\nフォルダ名の先頭に半角の「@」は使えません。\n\n"
             "都市名に「ü」は使えません(保存できない文字です)。\n\nフォルダ名に「서」「울」は使えません(保存できない文字です)。\n", true},
        {"at that names no item", ok + "{\"op\":\"delete\",\"at\":[\"場所\",\"欧米\"]}\n", 1, "edits.jsonl:2: no item [\"場所\",\"欧米\"]", false},
        {"malformed JSON", ok + "{\"op\":\"delete\",\n", 1, "edits.jsonl:2: not a JSON object", false},
        {"unknown op", "{\"op\":\"rename\",\"at\":[\"場所\"]}\n" + ok, 1, "edits.jsonl:1: unknown op", false},
        {"misspelt key", "{\"op\":\"move\",\"at\":[\"場所\",\"日本\"],\"to\":[\"場所\",\"米国\"],\"mod\":\"into\"}\n", 1, "edits.jsonl:1: unknown key \"mod\"", false},
        {"key of another op", ok + "{\"op\":\"add-place\",\"at\":[\"場所\"],\"name\":\"x\",\"lon\":1,\"lat\":2,\"alt\":0,\"tz\":4,\"altflag\":1}\n", 1,
         "edits.jsonl:2: unknown key \"altflag\"", false},
        {"missing value", "{\"op\":\"add-place\",\"at\":[\"場所\"],\"name\":\"x\",\"lon\":1,\"lat\":2,\"tz\":4}\n", 1,
         "edits.jsonl:1: \"alt\" must be a number", false},
        {"every rejected value, a longitude beyond 180 west too, is named in one refusal as the place editor names it",
         "{\"op\":\"edit-place\",\"at\":[\"場所\",\"日本\",\"東京\"],\"name\":\" \",\"lon\":-180.01,\"lat\":90.5,\"alt\":1e6,\"tz\":-14.5}\n", 0,
         "都市名を入力してください。\n経度には 0.0 から 180.0 までの値を入力してください\n緯度には 0.0 から 90.0 までの値を入力してください\n"
         "標高には -9999 から 999999 までの値を入力してください\nタイムゾーンには 0 から 14 までの値を入力してください\n",
         false},
        {"values that round to the bounds in the fields are taken",
         "{\"op\":\"add-place\",\"at\":[\"場所\"],\"name\":\"x\",\"lon\":180.00001,\"lat\":-90,\"alt\":-9999,\"tz\":14}\n", 0, "", true},
        {"edit-place on a folder", "{\"op\":\"edit-place\",\"at\":[\"場所\",\"日本\"],\"name\":\"x\",\"lon\":1,\"lat\":2,\"alt\":0,\"tz\":4}\n", 1,
         "is a folder, not a place", false},
        {"delete of the root", "{\"op\":\"delete\",\"at\":[\"場所\"]}\n", 1, "root folder", false},
        {"folder onto folder without mode", "{\"op\":\"move\",\"at\":[\"場所\",\"日本\"],\"to\":[\"場所\",\"米国\"]}\n", 1, "needs \"mode\"", false},
        {"folder onto its own subfolder without mode moves nothing, as the drop asks nothing",
         ok + "{\"op\":\"add-folder\",\"at\":[\"場所\",\"日本\"],\"name\":\"関西\"}\n"
              "{\"op\":\"move\",\"at\":[\"場所\",\"日本\"],\"to\":[\"場所\",\"日本\",\"関西\"]}\n",
         0, "", true},
        {"no change writes nothing", "{\"op\":\"add-folder\",\"at\":[\"場所\"],\"name\":\"日本\"}\n", 0, "nothing written", false},
        {"a drag that moves nothing still counts as a change", "{\"op\":\"move\",\"at\":[\"場所\"],\"to\":[\"場所\",\"米国\"]}\n", 0, "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        ObsdbDir dir(c.edits);
        ObsdbRun r = Obsdb(dir, kApply);
        EXPECT_EQ(c.status, r.status);
        EXPECT_NE(std::string::npos, r.err.find(c.errHas)) << r.err;
        EXPECT_EQ(c.bWritten, dir.Exists("out.obs"));
        EXPECT_EQ(c.bWritten, dir.Exists("out.json"));
    }
}

TEST(Obsdb, ReadOnlySystemListSavesNothingUntilAReset)
{
    ObsdbDir dir;
    chmod(dir.Path("sys.obs").c_str(), 0444);
    ObsdbRun r = Obsdb(dir, kApply);
    EXPECT_EQ(0, r.status);
    EXPECT_NE(std::string::npos, r.err.find("read-only")) << r.err;
    EXPECT_FALSE(dir.Exists("out.obs"));
    WriteBytes(dir.Path("edits.jsonl"), "{\"op\":\"reset\"}\n" + kWorkedEdits);
    EXPECT_EQ(0, Obsdb(dir, kApply).status);
    EXPECT_TRUE(dir.Exists("out.obs"));
}

// What the tool says and returns; the backup's bytes, and that an unreadable log stays as it is,
// are the saves' tests' (Save.DamagedLogIsKeptInABackupBeforeItIsReplaced, Save.WritesTheLogFirst...).
TEST(Obsdb, DamagedLogIsBackedUpAndAnUnreadableOneNeverReplaced)
{
    ObsdbDir dir;
    WriteBytes(dir.Path("log.json"), "{\"not\":\"an array\"");
    ObsdbRun r = Obsdb(dir, "apply sys.obs log.json edits.jsonl out.obs log.json");
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_NE(std::string::npos, r.err.find("could not be read whole"));

    ASSERT_EQ(0, truncate(dir.Path("log.json").c_str(), CSafeFile::MaxReadBytes + 1));
    r = Obsdb(dir, "apply sys.obs log.json edits.jsonl out.obs out.json");
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ("obsdb: log.json: the change log cannot be read; nothing of it replayed, and it is never replaced\n", r.err);
    EXPECT_TRUE(dir.Exists("out.obs") && dir.Exists("out.json"));
    r = Obsdb(dir, "apply sys.obs log.json edits.jsonl big.obs log.json");
    EXPECT_EQ(3, r.status);
    EXPECT_NE(std::string::npos, r.err.find("obsdb: cannot write log.json; nothing written\n")) << r.err;
    EXPECT_FALSE(dir.Exists("big.obs"));
}

TEST(Obsdb, DumpKeepsEveryItemOnOneLine)
{
    ObsdbDir dir;
    // A hand-edited log may give names control characters.
    WriteBytes(dir.Path("log.json"), Top({Rec("add", L"a\\nb"), Rec("add", L"c\\td\\u007f", "leaf", L"a\\nb", "1,2,3,4,0,0,0")}));
    ObsdbRun r = Obsdb(dir, "dump sys.obs log.json");
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ("場所/\n  a\u240Ab/\n  c\u2409d\u2421\t  1.0000000, 2.0000000,3,04.00, 0, 0, 0\n  日本/\n"
              "    東京\t139.7667000,35.6833000,40,09.00, 0, 0, 3\n    大阪\t135.5000000,34.6833000,5,09.00, 0, 0, 3\n"
              "  米国/\n    ホノルル\t-157.8583000,21.3069000,-3,-10.00, 0, 0, 1\n",
              r.out);
}

TEST(Obsdb, CodePageChoosesTheBytesOfNames)
{
    ObsdbDir dir("{\"op\":\"add-folder\",\"at\":[\"場所\",\"Café\"],\"name\":\"Genève\"}\n");
    WriteBytes(dir.Path("sys.obs"), "@Caf\xE9\r\nZ\xFCrich,8.54E,47.37N,408,+01.00,0,0,0\r\n#\r\n");
    ObsdbRun r = Obsdb(dir, "--codepage 1252 dump sys.obs");
    EXPECT_EQ(0, r.status);
    EXPECT_EQ("場所/\n  Café/\n    Zürich\t  8.5400000,47.3700000,408,01.00, 0, 0, 0\n", r.out);
    r = Obsdb(dir, "--codepage 1252 " + std::string(kApply));
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_NE(std::string::npos, ReadBytes(dir.Path("out.obs")).find("@@Gen\xE8ve\r\n"));
    // UTF-8 is a code page too.
    WriteBytes(dir.Path("utf8.obs"), "@Caf\xC3\xA9\r\n#\r\n");
    r = Obsdb(dir, "--codepage 65001 dump utf8.obs");
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ("場所/\n  Café/\n", r.out);
    // A code page the conversions do not know would write every name outside ASCII as '?'.
    r = Obsdb(dir, "--codepage 12345 apply sys.obs none.json edits.jsonl bad.obs bad.json");
    EXPECT_EQ(2, r.status);
    EXPECT_NE(std::string::npos, r.err.find("code page 12345 is not available")) << r.err;
    EXPECT_FALSE(dir.Exists("bad.obs"));
}

}  // namespace

#endif
