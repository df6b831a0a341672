#include <gtest/gtest.h>

#include <functional>

#include "TestDialog.h"
#include <WinTestKit.h>

namespace {

// Thrown inside the framework DLL and caught here by the base type, keeping the dynamic type
// (by the exact type, and from the string class: the string tests that also run in this build).
TEST(Exceptions, ThrownInTheFrameworkDllCaughtHere)
{
    const struct { const char* fault; std::function<void()> act; } cases[] = {
        {"AfxThrowInvalidArgException", [] { AfxThrowInvalidArgException(); }},
        {"field exchange on a control the template lacks",
         [] {
             CTestDialog dlg;
             if (!dlg.Create(IDD_AFXTEST)) return;
             CDataExchange dx(&dlg, TRUE);
             CString v;
             DDX_Text(&dx, 4242, v);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        bool caught = false;
        try {
            c.act();
        } catch (CException* e) {
            caught = dynamic_cast<CInvalidArgException*>(e) != nullptr;
            e->Delete();
        }
        EXPECT_TRUE(caught);
    }
}

class HandlerException : public ScriptedTest {};

TEST_F(HandlerException, IsReportedAtTheDialogProcedureAndTheDialogLivesOn)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
    dlg.m_bThrowOnGo = true;
    AfxTestExpectMessageBox(L"無効な引数が検出されました。", IDOK);
    ::SendMessageW(::GetDlgItem(dlg, IDC_AFXTEST_GO), BM_CLICK, 0, 0);
    dlg.m_bThrowOnGo = false;
    ::SendMessageW(::GetDlgItem(dlg, IDC_AFXTEST_GO), BM_CLICK, 0, 0);
    EXPECT_EQ(std::vector<std::wstring>({L"Init", L"Go", L"Go"}), dlg.m_log);
}

}  // namespace
