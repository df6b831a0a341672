#include "DemoTestKit.h"
#include "demo/CDataWatch.h"

#include <WinTestKit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Runs the demo host beside the test with the arguments; its exit code.
DWORD RunDemo(const CString& args)
{
    wchar_t exe[MAX_PATH];
    CString path(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH));
    path = path.Left(path.ReverseFind(L'\\') + 1) + L"vrkobs_demo.exe";
    std::wstring cmd = (L"\"" + path + L"\" " + args).GetString();
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    DWORD code = 999;
    if (CreateProcessW(path, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        WaitForSingleObject(pi.hProcess, 60000), GetExitCodeProcess(pi.hProcess, &code), CloseHandle(pi.hThread), CloseHandle(pi.hProcess);
    return code;
}

// A script for the location dialog against what its transcript must hold, in this order (other
// events may come between), and the exit code.
TEST(DemoScript, TranscriptOfTheLocationDialog)
{
    const struct { const char* fault; std::vector<std::string> script; DWORD exitCode; std::vector<std::string> events; } cases[] = {
        {"an event of the dialog's work is missing or changed its form",
         {R"({"do":"answer","button":"Cancel"})", R"({"do":"type","id":7015,"text":"181"})",
          R"({"do":"map-click","lon":135.5,"lat":34.7})", R"({"do":"type","id":7033,"text":"30"})",
          R"({"do":"observer","set":{"lon":139.691772}})", R"({"do":"read","ids":[7015,7013]})",
          R"({"do":"close"})", R"({"do":"registry","key":"Dialog\\Obs"})"}, 0,
         {R"({"event":"map","id":20,"args":[{"type":"BSTR","value":")", R"({"event":"map","id":23,"args":[{"type":"UI8","flags":[1,1,1,0,0,0,0,0]}]})",
          R"({"event":"step","line":1,"do":"answer"})", R"({"event":"step","line":2,"do":"type"})",
          R"({"event":"messagebox","text":"経度には 0 から 180 までの値を入力してください。","caption":"VRKOBS デモ","style":64,"answer":"Cancel","unanswered":false})",
          R"({"event":"observer","call":"UpdateObsByUI","args":[180.6917777777778,35.68922222222222,39]})",
          R"({"event":"step","line":3,"do":"map-click"})", R"({"event":"observer","call":"UpdateObsByUI","args":[135.5,34.7,39]})",
          R"({"event":"map","id":4,"args":[{"type":"R8","value":135.5},{"type":"R8","value":34.7}]})",
          R"({"event":"step","line":4,"do":"type"})", R"({"event":"observer","call":"m_dUserTimeZone","args":[9.5]})",
          R"({"event":"observer","call":"UpdateDateDisp","args":[2]})", R"({"event":"step","line":6,"do":"read"})",
          R"({"event":"read","id":7015,"text":"139","checked":null,"enabled":true})", R"({"event":"read","id":7013,"text":"東経","checked":true,"enabled":true})",
          R"({"event":"host-message","message":2034,"wParam":0,"lParam":0})", R"({"event":"host-message","message":2024,"wParam":0,"lParam":7300})",
          R"({"event":"registry","key":"Dialog\\Obs","values":{"AutoAltitude":0,"FeatureAstro":0,)"}},
        {"a step that cannot be played does not stop the script with its line",
         {R"({"do":"click","id":7029})", "", R"({"do":"click","id":4242})", R"({"do":"close"})"}, 1,
         {R"({"event":"step","line":3,"do":"click"})", R"({"event":"error","line":3,"why":"no control 4242 in the dialog"})"}},
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
        CString args = L"--data \"" + tmp.Path(L"data") + L"\" --script \"" + tmp.Path(L"s.jsonl") + L"\"";
        if (c.exitCode != 2)
            args += L" --transcript \"" + tmp.Path(L"t.jsonl") + L"\"";
        EXPECT_EQ(c.exitCode, RunDemo(args));
        const std::string got = "\n" + ReadBytes(tmp.Path(L"t.jsonl"));
        size_t at = 0;  // each event a line's start, after the last one found
        for (const std::string& e : c.events)
            EXPECT_TRUE((at = got.find("\n" + e, at)) != std::string::npos) << "missing, or out of order: " << e;
    }
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
