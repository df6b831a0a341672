#include <gtest/gtest.h>

#include "TestDialog.h"
#include <WinTestKit.h>

namespace {

TEST(MessageBoxScript, BoxesAreCheckedAgainstTheScript)
{
    const struct {
        const char* fault;
        const wchar_t* expected;  // null: nothing expected
        int scriptedAnswer;
        const wchar_t* shown;     // null: no box shown
        UINT type;
        int answer;
        size_t failures;
    } cases[] = {
        {"expected box not answered as scripted", L"保存しますか？", IDYES, L"保存しますか？", MB_YESNO, IDYES, 0},
        {"wrong text passes", L"範囲外です。", IDOK, L"範囲の外です。", MB_OKCANCEL, IDCANCEL, 1},
        {"unexpected OK box not recorded", nullptr, 0, L"情報", MB_OK | MB_ICONINFORMATION, IDOK, 1},
        {"unexpected OK/Cancel box agreed to", nullptr, 0, L"削除しますか？", MB_OKCANCEL, IDCANCEL, 1},
        {"unexpected Yes/No box agreed to", nullptr, 0, L"続けますか？", MB_YESNO, IDNO, 1},
        {"unexpected Yes/No/Cancel box agreed to", nullptr, 0, L"?", MB_YESNOCANCEL, IDCANCEL, 1},
        {"expected box that never came goes unnoticed", L"来ない", IDOK, nullptr, MB_OK, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        AfxClearTestHooks();
        AfxTestScriptMessageBoxes();
        if (c.expected) AfxTestExpectMessageBox(c.expected, c.scriptedAnswer);
        if (c.shown) { EXPECT_EQ(c.answer, AfxMessageBox(c.shown, c.type)); }
        EXPECT_EQ(c.failures, AfxTestMessageBoxFailures().size()) << JoinedFailures();
        const auto shown = AfxTestShownMessageBoxes();
        ASSERT_EQ(c.shown ? 1u : 0u, shown.size());
        if (c.shown) {
            EXPECT_EQ(c.shown, shown[0].text);
            EXPECT_EQ(c.type, shown[0].type);
        }
    }
    AfxClearTestHooks();
    EXPECT_TRUE(AfxTestMessageBoxFailures().empty()) << "clearing kept old failures";
}

std::vector<CString> g_seen;  // text, caption and type of each box, in turn

int RecordingHandler(HWND, const CString& text, const CString& caption, UINT type)
{
    CString s;
    s.Format(L"%s|%s|%x", text.GetString(), caption.GetString(), type);
    g_seen.push_back(s);
    return IDRETRY;
}

TEST(MessageBoxHandler, EveryBoxGoesThroughTheInstalledHandler)
{
    AfxClearTestHooks();
    CWinApp app(L"天体アプリ");
    const AfxMessageBoxHandler previous = AfxSetMessageBoxHandler(RecordingHandler);
    g_seen.clear();
    EXPECT_EQ(IDRETRY, AfxMessageBox(L"本文", MB_RETRYCANCEL | MB_ICONSTOP));
    AfxTestExpectMessageBox(L"台本", IDOK);
    EXPECT_EQ(IDOK, AfxMessageBox(L"台本")) << "scripting did not take precedence over the handler";
    EXPECT_EQ(std::vector<CString>({L"本文|天体アプリ|15"}), g_seen);
    EXPECT_EQ("", JoinedFailures());
    AfxSetMessageBoxHandler(previous);
    AfxClearTestHooks();
}

}  // namespace
