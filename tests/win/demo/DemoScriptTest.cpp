#include "DemoTestKit.h"
#include "demo/CDataWatch.h"

#include <WinTestKit.h>
#include <vrkcom/CCommonFile.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

namespace {

// Runs the demo host beside the test with the arguments, its standard error into a file; its
// exit code.
DWORD RunDemo(const CString& args, const CString& errFile)
{
    const CString path = CCommonFile::GetModulePath(nullptr) + L"vrkobs_demo.exe";
    std::wstring cmd = (L"\"" + path + L"\" " + args).GetString();
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdError = CreateFileW(errFile, GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
    PROCESS_INFORMATION pi = {};
    DWORD code = 999;
    if (CreateProcessW(path, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
        WaitForSingleObject(pi.hProcess, 60000), GetExitCodeProcess(pi.hProcess, &code), CloseHandle(pi.hThread), CloseHandle(pi.hProcess);
    CloseHandle(si.hStdError);
    return code;
}

// A small system list for the city list dialog: 日本 with two places, an empty folder 山岳.
const wchar_t kCityList[] = L"# list\r\n@日本\r\n東京,139.7667000E,35.6833000N,40,+09.00, 0, 0, 3\r\n"
                            L"大阪,135.5000000E,34.5000000N,5,+09.00, 0, 0, 3\r\n#\r\n@山岳\r\n#\r\n";

// A script for each dialog against what its transcript must hold, in this order (other events
// may come between), and the exit code; the system list in the data folder and what standard
// error must say, if anything.
TEST(DemoScript, TranscriptOfTheDialogs)
{
    const struct { const char* fault; std::vector<std::string> script; DWORD exitCode; std::vector<std::string> events; const wchar_t* list = nullptr; const char* err = nullptr; } cases[] = {
        {"an event of the dialog's work is missing or changed its form",
         {R"({"do":"answer","button":"Cancel"})", R"({"do":"type","id":7015,"text":"181"})",
          R"({"do":"map-click","lon":135.5,"lat":34.7})", R"({"do":"type","id":7033,"text":"30"})",
          R"({"do":"observer","set":{"lon":139.691772}})", R"({"do":"read","ids":[7015,7013]})",
          R"({"do":"close"})", R"({"do":"registry","key":"Dialog\\Obs"})"}, 0,
         {R"({"event":"map","id":20,"args":[{"type":"BSTR","value":")", R"({"event":"map","id":23,"args":[{"type":"UI8","flags":[1,1,1,0,0,0,0,0]}]})",
          R"({"event":"step","line":1,"do":"answer"})", R"({"event":"step","line":2,"do":"type"})",
          R"({"event":"messagebox","text":"経度には 0 から 180 までの値を入力してください。","caption":"VRKOBS デモ","style":64,"answer":"Cancel","unanswered":false})",
          R"({"event":"observer","call":"UpdateObsByUI","args":[180,35.68922222222222,39]})",
          R"({"event":"step","line":3,"do":"map-click"})", R"({"event":"observer","call":"UpdateObsByUI","args":[135.5,34.7,39]})",
          R"({"event":"map","id":4,"args":[{"type":"R8","value":135.5},{"type":"R8","value":34.7}]})",
          R"({"event":"step","line":4,"do":"type"})", R"({"event":"observer","call":"m_dUserTimeZone","args":[9.5]})",
          R"({"event":"observer","call":"UpdateDateDisp","args":[2]})", R"({"event":"step","line":6,"do":"read"})",
          R"({"event":"read","id":7015,"text":"139","checked":null,"enabled":true})", R"({"event":"read","id":7013,"text":"東経","checked":true,"enabled":true})",
          R"({"event":"host-message","message":2034,"wParam":0,"lParam":0})", R"({"event":"host-message","message":2024,"wParam":0,"lParam":7300})",
          R"({"event":"registry","key":"Dialog\\Obs","values":{"AutoAltitude":0,"FeatureAstro":0,)"}},
        {"the city list dialog's events are missing or changed their form, or a cancelled drag moved",
         {R"({"do":"click","id":7029})", R"({"do":"select","path":["場所","日本","大阪"]})",
          R"({"do":"drag","path":["場所","日本","大阪"],"to":["場所","山岳"],"button":"right"})",
          R"({"do":"drag","path":["場所","日本","大阪"],"to":["場所","山岳"],"release":"outside"})",
          R"({"do":"drag","path":["場所","日本","大阪"],"to":["場所","山岳"]})", R"({"do":"select","path":["場所","日本"]})",
          R"({"do":"dialog","set":{"1050":"1"},"press":"OK"})", R"({"do":"dialog","set":{"1049":"高尾山","1131":"139","1140":"35"},"press":"OK"})",
          R"({"do":"click","id":1045})", R"({"do":"select","path":["場所","日本","東京"]})", R"({"do":"answer","button":"OK"})",
          R"({"do":"click","id":1046})", R"({"do":"tree"})", R"({"do":"click","id":1})"}, 0,
         {R"({"event":"step","line":1,"do":"click"})", R"({"event":"host-message","message":1725,"wParam":1,"lParam":0})",
          R"({"event":"dialog","template":7301,"caption":"都市名"})", R"({"event":"step","line":9,"do":"click"})",
          R"({"event":"dialog","template":7304,"caption":"場所の追加"})", R"({"event":"dialog","template":7302,"caption":"場所の編集"})",
          R"({"event":"messagebox","text":"\"東京\"を削除します","caption":"VRKOBS デモ","style":49,"answer":"OK","unanswered":false})",
          R"({"event":"tree","items":[{"name":"場所","folder":true,"expanded":true,"selected":false,"items":[{"name":"日本","folder":true,"expanded":true,"selected":true,"items":[{"name":"高尾山","folder":false,"expanded":false,"selected":false}]},{"name":"山岳","folder":true,"expanded":false,"selected":false,"items":[{"name":"大阪","folder":false,"expanded":false,"selected":false}]}]}]})",
          R"({"event":"map","id":26,"args":[{"type":"BOOL","value":true}]})",
          R"({"event":"file","name":"zelkam_user.obs","size":209,"sha256":"b7b581d3533bccf290dc89e1b6a9ded221c94c898ffa16722b9b6327d82dacae"})",
          R"({"event":"file","name":"zelkam_user_obs.json","size":871,"sha256":"4c3668fa66efb2db16554e7f3f3f7670b59834ea596b8d5ab1a913168cb55183"})",
          R"({"event":"host-message","message":1725,"wParam":0,"lParam":0})",
          R"({"event":"observer","call":"UpdateObsByUI","args":[139.76669444444445,35.683305555555556,40,9]})"}, kCityList},
        {"Ctrl+F does not reach the city list's find, or the find does not select",
         {R"({"do":"click","id":7029})", R"({"do":"dialog","set":{"7081":"大阪"},"press":"OK"})", R"({"do":"key","id":1034,"key":"ctrl+f"})",
          R"({"do":"read","ids":[1034]})", R"({"do":"click","id":2})"}, 0,
         {R"({"event":"step","line":3,"do":"key"})", R"({"event":"dialog","template":7307,"caption":"場所の検索"})",
          R"({"event":"read","id":1034,"text":"135","checked":null,"enabled":true})"}, kCityList},
        {"a step that cannot be played does not stop the script with its line",
         {R"({"do":"click","id":7029})", "", R"({"do":"click","id":4242})", R"({"do":"close"})"}, 1,
         {R"({"event":"step","line":3,"do":"click"})", R"({"event":"error","line":3,"why":"no control 4242 in the dialog"})"}},
        {"a place's name is cut out of the message", {R"({"do":"click","id":7029})", R"({"do":"select","path":["場所","名古屋"]})"}, 1,
         {R"({"event":"error","line":2,"why":"no tree item \"名古屋\" under \"場所\""})"}, kCityList,
         "vrkobs_demo: line 2: no tree item \"名古屋\" under \"場所\"\r\n"},
        {"a bad line is played instead of named", {R"({"do":"close"})", R"({"do":"spin","id":7017})"}, 1,
         {R"({"event":"error","line":2,"why":"\"delta\" is missing"})"}},
        {"a bad command line is not told apart", {}, 2, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VRKOBS\\Demo");
        TempFolder tmp;
        ASSERT_TRUE(WriteBytes(tmp.Path(L"s.jsonl"), JoinLines(c.script)));
        ASSERT_TRUE(MakeFolders(tmp.Path(L"data")));
        if (c.list) {
            ASSERT_TRUE(WriteBytes(tmp.Path(L"data\\zelkam.obs"), CStringA(c.list).str()));
        }
        CString args = L"--data \"" + tmp.Path(L"data") + L"\" --script \"" + tmp.Path(L"s.jsonl") + L"\"";
        if (c.exitCode != 2)
            args += L" --transcript \"" + tmp.Path(L"t.jsonl") + L"\"";
        EXPECT_EQ(c.exitCode, RunDemo(args, tmp.Path(L"err.txt")));
        if (c.err) {
            EXPECT_EQ(c.err, ReadBytes(tmp.Path(L"err.txt")));
        }
        const std::string got = "\n" + ReadBytes(tmp.Path(L"t.jsonl"));
        size_t at = 0;  // each event a line's start, after the last one found
        for (const std::string& e : c.events)
            EXPECT_TRUE((at = got.find("\n" + e, at)) != std::string::npos) << "missing, or out of order: " << e;
    }
}

// The tour that scripts/demo --tour plays: every step of it plays on the demo's own data, under
// the tests' null driver (no pictures), and the transcript says so step by step.
TEST(DemoScript, TheTourPlaysEveryStep)
{
    TempFolder tmp;
    ASSERT_TRUE(MakeFolders(tmp.Path(L"data")));
    ASSERT_TRUE(WriteBytes(tmp.Path(L"data\\zelkam.obs"), ReadBytes(CString(VRKOBS_SOURCE_DIR L"/demo/data/zelkam.obs"))));
    const std::string tour = ReadBytes(CString(VRKOBS_SOURCE_DIR L"/demo/scripts/tour.jsonl"));
    auto count = [](const std::string& text, const char* what) {
        const std::regex re(what);
        return std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator());
    };
    const auto nSteps = count(tour, "\"do\"");
    ASSERT_GT(nSteps, 30);
    const CString args = L"--data \"" + tmp.Path(L"data") + L"\" --script \"" VRKOBS_SOURCE_DIR L"/demo/scripts/tour.jsonl\" --transcript \""
        + tmp.Path(L"t.jsonl") + L"\"";
    EXPECT_EQ(0u, RunDemo(args, tmp.Path(L"err.txt"))) << ReadBytes(tmp.Path(L"err.txt"));
    const std::string got = ReadBytes(tmp.Path(L"t.jsonl"));
    EXPECT_EQ(nSteps, count(got, "\"event\":\"step\""));
    EXPECT_EQ(std::string::npos, got.find("{\"event\":\"error\"")) << got;
}

// Every way a file can be written shows once, with its size and hash; a file left alone does not.
TEST(DemoScript, DataWatchSeesEveryWrite)
{
    TempFolder tmp;
    ASSERT_TRUE(MakeFolders(tmp.Path(L"sub")));
    CDataWatch watch(tmp.Dir());
    ASSERT_TRUE(WriteBytes(tmp.Path(L"sub\\a.obs"), "abc"));
    auto changes = watch.Changes();
    ASSERT_EQ(1u, changes.size()) << "a new file was missed";
    EXPECT_EQ(L"sub/a.obs", changes[0].first);
    EXPECT_EQ(3, changes[0].second.size);
    EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad", changes[0].second.sha256);
    EXPECT_TRUE(watch.Changes().empty()) << "a file left alone was reported";
    const HANDLE h = CreateFileW(tmp.Path(L"sub\\a.obs"), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const FILETIME later = {0, 0x7FFFFFF};
    SetFileTime(h, nullptr, nullptr, &later), CloseHandle(h);
    EXPECT_EQ(1u, watch.Changes().size()) << "a rewrite with the same bytes was missed";
    DeleteFileW(tmp.Path(L"sub\\a.obs"));
    changes = watch.Changes();
    ASSERT_EQ(1u, changes.size()) << "a removed file was missed";
    EXPECT_EQ(-1, changes[0].second.size);
}

}  // namespace
