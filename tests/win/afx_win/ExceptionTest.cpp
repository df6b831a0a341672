#include <gtest/gtest.h>

#include <functional>

#include "TestDialog.h"
#include "TestSupport.h"

namespace {

struct ThrowCase {
    const char* fault;
    std::function<void()> act;
};

TEST(Exceptions, ThrownInTheFrameworkDllCaughtByTypeHere)
{
    const ThrowCase cases[] = {
        {"AfxThrowInvalidArgException", [] { AfxThrowInvalidArgException(); }},
        {"CString index out of range", [] { CString s(L"ab"); (void)s.GetAt(5); }},
        {"field exchange on a control the template lacks",
         [] {
             CTestDialog dlg;
             if (!dlg.Create(IDD_AFXTEST)) return;
             CDataExchange dx(&dlg, TRUE);
             int v = 0;
             DDX_Text(&dx, 4242, v);
         }},
    };
    for (const ThrowCase& c : cases) {
        SCOPED_TRACE(c.fault);
        bool caught = false;
        try {
            c.act();
        } catch (CInvalidArgException* e) {
            caught = true;
            e->Delete();
        }
        EXPECT_TRUE(caught);
    }
}

TEST(Exceptions, BaseClassCatchWorksAcrossTheDll)
{
    bool caught = false;
    try {
        AfxThrowInvalidArgException();
    } catch (CException* e) {
        caught = dynamic_cast<CInvalidArgException*>(e) != nullptr;
        e->Delete();
    }
    EXPECT_TRUE(caught);
}

class HandlerException : public ScriptedTest {};

TEST_F(HandlerException, IsReportedAtTheDialogProcedureAndTheDialogLivesOn)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
    dlg.m_bThrowOnGo = true;
    AfxTestExpectMessageBox(L"無効な引数が検出されました。", IDOK);
    ::SendMessageW(::GetDlgItem(dlg, IDC_AFXTEST_GO), BM_CLICK, 0, 0);
    EXPECT_EQ(L"", JoinedFailures());

    dlg.m_bThrowOnGo = false;
    ::SendMessageW(::GetDlgItem(dlg, IDC_AFXTEST_GO), BM_CLICK, 0, 0);
    const std::vector<std::wstring> expected = {L"Init", L"Go", L"Go"};
    EXPECT_EQ(expected, dlg.m_log);
    EXPECT_EQ(42, dlg.SendMessage(WM_AFXTEST_ASK, 40, 2));
}

}  // namespace
